// The hint button's recharge: disabled until full, one report per recharge, only to listeners of its
// type, paused while hidden.

#include <gtest/gtest.h>

#include "controller/regenerate_button.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"

namespace {

struct Listener : TStandartRegenerateButtonListener {
    void OnRegenerated(int, TMyWindow*, int, TStandartRegenerateButton*) override { ++reports; }
    int reports = 0;
};

struct PlainListener : TMyButtonListener {};

TEST(HintButtonTest, RechargeDisablesUntilFullAndReportsOnce) {
    struct Case {
        const char* name;
        float rechargeTime;
        float secondsToFull; // updates of 0.5 s
    };
    const Case cases[] = {{"ten seconds", 10.0f, 10.0f}, {"negative", -2.0f, 2.0f}, {"zero", 0.0f, 0.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStandartRegenerateButton button;
        Listener listener;
        button.mButtonListener = &listener;
        button.mRechargeTime = c.rechargeTime;
        button.StartRecharge();
        float elapsed = 0;
        while (elapsed + 0.5f < c.secondsToFull) {
            button.Update(0.5f);
            elapsed += 0.5f;
            ASSERT_TRUE(button.mDisabled) << elapsed;
        }
        EXPECT_EQ(listener.reports, 0);
        button.Update(0.5f);
        EXPECT_FALSE(button.mDisabled);
        button.Update(0.5f);
        EXPECT_EQ(listener.reports, 1);
    }
}

TEST(HintButtonTest, NoReportWithoutARechargeEndOrToAnotherListener) {
    TStandartRegenerateButton button;
    Listener listener;
    button.mButtonListener = &listener;
    button.Update(0.1f);
    EXPECT_TRUE(button.mDisabled) << "a new button stands empty";
    button.StartRecharge();
    button.Update(1.0f);
    button.SetFull();
    button.Update(0.1f);
    EXPECT_FALSE(button.mDisabled);
    EXPECT_EQ(listener.reports, 0);

    PlainListener plain;
    button.mButtonListener = &plain;
    button.mRechargeTime = 1.0f;
    button.StartRecharge();
    button.Update(1.0f);
    EXPECT_FALSE(button.mDisabled);
}

TEST(HintButtonTest, HiddenOrFrozenButtonsKeepTheirRecharge) {
    TStandartRegenerateButton button;
    button.mRechargeTime = 4.0f;
    button.StartRecharge();
    button.Update(1.0f);
    button.mShown = false;
    button.Update(10.0f);
    button.mShown = true;
    button.SetFrozen(true);
    button.Update(10.0f);
    EXPECT_FLOAT_EQ(button.GetProgress(), 0.25f);
    button.SetFrozen(false);
    button.Update(1.0f);
    EXPECT_FLOAT_EQ(button.GetProgress(), 0.5f);
    EXPECT_TRUE(button.mDisabled);
}

// The button's picture: its normal look red over its disabled look green, 20 x 10 each.
class HintButtonDrawTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        WriteImage("hint.png", 20, 20, [](int, int y) { return y < 10 ? 0xFFFF0000u : 0xFF00FF00u; });
        mButton.mImage.SetImage("hint");
        mButton.mStateRects[TMyButton::kNormal] = {0, 0, 20, 10};
        mButton.mStateRects[TMyButton::kDisabled] = {0, 10, 20, 10};
        mButton.mRechargeTime = 4.0f;
    }

    // Red and green of the drawn pixel.
    std::vector<int> DrawnAt(int x) {
        mRenderer.Clear(0, 0, 0);
        mButton.DrawSelf();
        const std::vector<int> rgb = mRenderer.PixelAt(x, 5);
        return {rgb[0], rgb[1]};
    }

    fonttest::HeadlessRenderer mRenderer{32, 16};
    TStandartRegenerateButton mButton;
};

TEST_F(HintButtonDrawTest, RechargeWipesTheNormalLookInAndSwitchedOffShowsOnlyTheDisabledLook) {
    const std::vector<int> red = {255, 0};
    const std::vector<int> green = {0, 255};
    mButton.SetFull();
    mButton.Update(0.1f);
    EXPECT_EQ(DrawnAt(15), red);

    mButton.StartRecharge();
    mButton.Update(2.0f);
    EXPECT_EQ(DrawnAt(2), red);
    EXPECT_EQ(DrawnAt(15), green);

    // Hints off: however full the recharge, the button looks as disabled as it is.
    for (bool full : {true, false}) {
        SCOPED_TRACE(full ? "full" : "recharging");
        if (full) {
            mButton.SetFull();
        } else {
            mButton.StartRecharge();
        }
        mButton.mSwitchedOff = true;
        mButton.Update(2.0f);
        ASSERT_TRUE(mButton.mDisabled);
        EXPECT_EQ(DrawnAt(2), green);
        EXPECT_EQ(DrawnAt(15), green);
    }
}

} // namespace
