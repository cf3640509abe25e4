// Light buttons toggle on their state images, spring back after their unpush time with after-event 0, and
// the second kind is released by unlocking; a save in the middle of a sequence ends the same way.

#include <functional>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/light_button_objects.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TXml;
using Strings = std::vector<std::string>;

// After-events ("unlock" lists name the object) and clicks.
Strings Reports(TRecordingListener& listener) {
    Strings reports;
    for (const std::string& call : listener.Take()) {
        if (call.rfind("unlock //", 0) == 0) {
            reports.push_back("event " + call.substr(9));
        } else if (call.rfind("clicked", 0) == 0) {
            reports.push_back(call);
        }
    }
    return reports;
}

class LightButtonTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        // A blue plate of 16 x 16; released, a red 8 x 8 light at (2, 2); pushed, a green 4 x 4 one there.
        WriteSolidImage("scenes/plate.png", 16, 16, kBlue);
        WriteSolidImage("scenes/off.png", 8, 8, kRed);
        WriteSolidImage("scenes/on.png", 4, 4, kGreen);
    }

    template <typename T = TLightCheckButtonObject> std::unique_ptr<T> Make(const std::string& attributes) {
        TXml xml(R"(<object id="b" name="plate.png" uae="b" sound="click" )" + attributes +
                 R"(><normal_image filename="off.png" x="2" y="2"/><pushed_image filename="on.png" x="2" y="2"/>)"
                 R"(</object>)");
        auto button = std::make_unique<T>();
        button->LoadFromXml(xml.Root(), "scenes/");
        button->LoadResources();
        button->OnSpaceShow();
        button->mSpace = &mSpace;
        button->SetListener(&mListener);
        return button;
    }

    TRecordingSpace mSpace;
    TRecordingListener mListener;
};

TEST_F(LightButtonTest, ReadsItsImagesAndTimes) {
    auto button = Make(R"(pushed="1" unpushtime="0.5")");
    EXPECT_TRUE(button->mPushed);
    EXPECT_FLOAT_EQ(button->mUnpushTime, 0.5f);
    EXPECT_EQ(button->mNormalImage.mImageName, "scenes/off.png");
    EXPECT_EQ(button->mPushedImage.mImageName, "scenes/on.png");
    auto plain = Make("");
    EXPECT_FALSE(plain->mPushed);
    EXPECT_EQ(plain->mUnpushTime, 0);
    // Without an unpush time a pushed button stays pushed.
    plain->OnMouseDown(At(5, 5));
    Advance(*plain, 5.0f, 0.01f);
    EXPECT_TRUE(plain->mPushed);
    EXPECT_EQ(Reports(mListener), Strings({"clicked b"}));
}

// The current state's image decides: its rectangle, left and top edges in, right and bottom out.
TEST_F(LightButtonTest, HitsOnlyTheCurrentStateImage) {
    struct Case {
        bool pushed;
        int x, y;
        bool hit;
    };
    const Case cases[] = {
        {false, 2, 2, true},    {false, 9, 9, true}, {false, 10, 9, false}, {false, 1, 5, false},
        {false, 12, 12, false}, {true, 5, 5, true},  {true, 6, 5, false},   {true, 8, 8, false},
    };
    auto button = Make("");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pushed) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        button->mPushed = c.pushed;
        EXPECT_EQ(button->HitTestSelf(c.x, c.y), c.hit);
        const bool before = button->mPushed;
        EXPECT_EQ(button->OnMouseDown(At(c.x, c.y)), c.hit);
        EXPECT_EQ(button->mPushed, c.hit ? !before : before);
    }
}

struct ButtonStep {
    // "click" at x, y, "wait", "lock", "unlock" or "save".
    const char* action;
    int x, y;
    float seconds;
    bool pushed;
    Strings reports;
    Strings sounds;
};

// Plays the steps twice, the second time through a save and a restore into a fresh button at each "save".
template <typename T>
void PlayButton(const std::function<std::unique_ptr<T>()>& make, TRecordingListener& listener, TRecordingSpace& space,
                const std::vector<ButtonStep>& steps) {
    for (const bool withSaves : {false, true}) {
        auto button = make();
        for (size_t i = 0; i < steps.size(); ++i) {
            const ButtonStep& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE(std::string(withSaves ? "saved " : "") + std::to_string(i) + " " + action);
            if (action == "click") {
                button->OnMouseDown(At(step.x, step.y));
            } else if (action == "wait") {
                Advance(*button, step.seconds, 0.01f);
            } else if (action == "lock") {
                button->Lock();
            } else if (action == "unlock") {
                button->Unlock();
            } else if (withSaves) {
                TBaseBuffer saved;
                button->SaveState(saved);
                button = make();
                ASSERT_TRUE(RestoreObjectState(*button, saved));
            }
            EXPECT_EQ(button->mPushed, step.pushed);
            EXPECT_EQ(Reports(listener), step.reports);
            EXPECT_EQ(space.mSounds.Take(), step.sounds);
        }
    }
}

TEST_F(LightButtonTest, ClicksToggleAndThePushedButtonSpringsBack) {
    PlayButton<TLightCheckButtonObject>(
        [this] { return Make(R"(unpushtime="0.5")"); }, mListener, mSpace,
        {
            // Pushing runs the object's click, whose sound comes on top of the button's own.
            {"click", 5, 5, 0, true, {"clicked b"}, {"click", "click"}},
            {"wait", 0, 0, 0.3f, true, {}, {}},
            {"save", 0, 0, 0, true, {}, {}},
            {"wait", 0, 0, 0.25f, false, {"event b"}, {}},
            {"click", 5, 5, 0, true, {"clicked b"}, {"click", "click"}},
            {"wait", 0, 0, 0.2f, true, {}, {}},
            // Released by the player: the spring-back is dropped and reports nothing.
            {"click", 5, 5, 0, false, {}, {"click"}},
            {"wait", 0, 0, 0.5f, false, {}, {}},
            {"click", 8, 8, 0, true, {"clicked b"}, {"click", "click"}},
            // Outside the small pushed light, though on the plate and where the released light was.
            {"click", 8, 8, 0, true, {}, {}},
            {"lock", 0, 0, 0, true, {}, {}},
            {"click", 3, 3, 0, true, {}, {}},
            // Unlocking leaves this kind pushed.
            {"unlock", 0, 0, 0, true, {}, {}},
            {"save", 0, 0, 0, true, {}, {}},
            {"wait", 0, 0, 0.6f, false, {"event b"}, {}},
            {"wait", 0, 0, 1.0f, false, {}, {}},
        });
}

TEST_F(LightButtonTest, SecondKindIsReleasedByUnlocking) {
    PlayButton<TLCBResetOnUnlockObject>([this] { return Make<TLCBResetOnUnlockObject>(R"(unpushtime="0.5")"); },
                                        mListener, mSpace,
                                        {
                                            {"click", 5, 5, 0, true, {"clicked b"}, {"click", "click"}},
                                            {"lock", 0, 0, 0, true, {}, {}},
                                            {"save", 0, 0, 0, true, {}, {}},
                                            {"click", 3, 3, 0, true, {}, {}},
                                            // Released by unlocking, it has no spring-back left to report.
                                            {"unlock", 0, 0, 0, false, {}, {}},
                                            {"wait", 0, 0, 1.0f, false, {}, {}},
                                            {"click", 5, 5, 0, true, {"clicked b"}, {"click", "click"}},
                                            {"wait", 0, 0, 0.6f, false, {"event b"}, {}},
                                        });
}

TEST_F(LightButtonTest, OnlyTheSecondKindIsReleasedByUnlocking) {
    auto plain = Make("");
    auto resetting = Make<TLCBResetOnUnlockObject>(R"(unpushtime="0.5")");
    for (TLightCheckButtonObject* button : {plain.get(), static_cast<TLightCheckButtonObject*>(resetting.get())}) {
        button->OnMouseDown(At(5, 5));
        button->Lock();
        EXPECT_FALSE(button->OnMouseDown(At(3, 3)));
        EXPECT_TRUE(button->mPushed);
        button->Unlock();
        EXPECT_FALSE(button->IsLocked());
    }
    EXPECT_TRUE(plain->mPushed);
    EXPECT_FALSE(resetting->mPushed);
    mListener.Take();
    // Released by unlocking, it has no spring-back left to report.
    Advance(*resetting, 1.0f, 0.01f);
    EXPECT_EQ(Reports(mListener), Strings{});
    EXPECT_EQ(plain->GetTypeId(), 27);
    EXPECT_EQ(resetting->GetTypeId(), 28);
}

TEST_F(LightButtonTest, RestoredButtonKeepsItsStateAndAShortRecordChangesNothing) {
    auto button = Make(R"(unpushtime="0.5")");
    button->OnMouseDown(At(5, 5));
    TBaseBuffer saved;
    button->SaveState(saved);
    auto restored = Make(R"(unpushtime="0.5")");
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    TBaseBuffer again;
    restored->SaveState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());
    TBaseBuffer cut;
    for (size_t i = 0; i + 1 < saved.GetBytes().size(); ++i) {
        cut.WriteByte(saved.GetBytes()[i]);
    }
    auto untouched = Make(R"(unpushtime="0.5")");
    EXPECT_FALSE(RestoreObjectState(*untouched, cut));
    EXPECT_FALSE(untouched->mPushed);
}

// Rooms draw only the plate; the button's own view adds the light of its state.
TEST_F(LightButtonTest, DrawAllShowsTheLightOfItsState) {
    auto button = Make("");
    BeginCanvas();
    button->Draw(1.0f);
    ExpectPixels({{3, 3, kBluePixel}, {8, 8, kBluePixel}});
    BeginCanvas();
    button->DrawAll();
    ExpectPixels({{3, 3, kRedPixel}, {9, 9, kRedPixel}, {10, 10, kBluePixel}});
    button->OnMouseDown(At(5, 5));
    BeginCanvas();
    button->DrawAll();
    ExpectPixels({{3, 3, kGreenPixel}, {5, 5, kGreenPixel}, {8, 8, kBluePixel}, {20, 20, kBlack}});
    button->mVisible = false;
    BeginCanvas();
    button->DrawAll();
    ExpectPixels({{3, 3, kBlack}});
}

} // namespace
