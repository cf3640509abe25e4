// The hint button's recharge: disabled until full, one report per recharge, only to listeners of its
// type, paused while hidden.

#include <gtest/gtest.h>

#include "regenerate_button.h"

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

} // namespace
