// The press-in-order puzzle (which presses count, when it is solved, how a wrong attempt is undone) and
// the click button that shows a pressed image while held.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/button_objects.h"

namespace {

using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TXml;

using Strings = std::vector<std::string>;

// Three 10 x 10 buttons in a row from (0, 0); the control's first click group unlocks "lamp", its
// after-event 0 unlocks "door".
std::string Scene(const std::string& attributes) {
    return R"(<scene><object type="button_seq_control" id="seq" uac="lamp" uae="door" wrongsound="buzz" )" +
           attributes + R"(>
        <object id="a" x="0" w="10" h="10" cob="1"/>
        <object id="b" x="10" w="10" h="10" cob="1"/>
        <object id="c" x="20" w="10" h="10" cob="1"/>
    </object></scene>)";
}

class ButtonSequenceTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
    }

    TButtonSequenceControlObject* Build(const std::string& attributes) {
        mSpace = std::make_unique<TRecordingSpace>();
        TXml xml(Scene(attributes));
        mSpace->LoadObjectsFromXml(xml.Root(), "");
        auto* control = dynamic_cast<TButtonSequenceControlObject*>(mSpace->mObjects.back().get());
        EXPECT_NE(control, nullptr);
        control->SetListener(&mListener);
        mSpace->Show();
        return control;
    }

    // The unlock reports only: the reactions of the control's clicks and of its after-event.
    Strings Unlocks() {
        Strings unlocks;
        for (const std::string& call : mListener.Take()) {
            if (call.rfind("unlock ", 0) == 0) {
                unlocks.push_back(call.substr(7));
            }
        }
        return unlocks;
    }

    static std::string Locked(const TObject& control) {
        std::string locked;
        for (const auto& child : control.GetChildren()) {
            locked += child->IsLocked() ? child->mName : "-";
        }
        return locked;
    }

    std::unique_ptr<TRecordingSpace> mSpace;
    TRecordingListener mListener;
};

// Presses at a button ("press a"), time ("wait 0.3"), the control's own unlock ("unlock"), or a save and a
// restore into a freshly loaded control ("save").
struct SeqStep {
    std::string action;
    // The buttons locked afterwards, "-" for an unlocked one.
    std::string locked;
    Strings unlocks;
    Strings sounds;
    bool solved;
};

struct SeqCase {
    std::string attributes;
    std::vector<SeqStep> steps;
};

TEST_F(ButtonSequenceTest, PressesAreJudgedInOrder) {
    const std::vector<SeqCase> cases = {
        // The right order: after-event 0 at the third press; the buttons stay locked.
        {R"(right_seq="a,b,c")",
         {{"save", "---", {}, {}, false},
          {"press a", "a--", {"//lamp"}, {}, false},
          {"press b", "ab-", {}, {}, false},
          {"press c", "abc", {"//door"}, {}, true},
          {"wait 1", "abc", {}, {}, true},
          {"press a", "abc", {}, {}, true}}},
        // A wrong order locks all three, sounds, and unlocks them 0.5 s later with the first click group.
        {R"(right_seq="a,b,c")",
         {{"press b", "-b-", {"//lamp"}, {}, false},
          // A locked button does not count.
          {"press b", "-b-", {}, {}, false},
          {"press a", "ab-", {}, {}, false},
          {"press c", "abc", {}, {"buzz"}, false},
          {"wait 0.45", "abc", {}, {}, false},
          {"wait 0.1", "---", {"//lamp"}, {}, false},
          {"save", "---", {}, {}, false},
          {"press a", "a--", {}, {}, false},
          {"press b", "ab-", {}, {}, false},
          {"press c", "abc", {"//door"}, {}, true}}},
        // A right sequence shorter than the buttons fires as soon as the presses match it.
        {R"(right_seq="c,a")",
         {{"save", "---", {}, {}, false},
          {"press c", "--c", {"//lamp"}, {}, false},
          {"press a", "a-c", {"//door"}, {}, true}}},
        // Without an unlock time the buttons stay locked until the control itself is unlocked.
        {R"(right_seq="a,b,c" unlock_time="0")",
         {{"press c", "--c", {"//lamp"}, {}, false},
          {"press b", "-bc", {}, {}, false},
          {"press a", "abc", {}, {"buzz"}, false},
          {"wait 5", "abc", {}, {}, false},
          {"save", "abc", {}, {}, false},
          {"unlock", "---", {}, {}, false},
          {"press a", "a--", {}, {}, false},
          {"press b", "ab-", {}, {}, false},
          {"press c", "abc", {"//door"}, {}, true}}},
        // A miss beside the buttons is no press.
        {R"(right_seq="a")", {{"press none", "---", {}, {}, false}, {"save", "---", {}, {}, false}}},
    };
    for (const SeqCase& c : cases) {
        for (const bool withSaves : {false, true}) {
            TButtonSequenceControlObject* control = Build(c.attributes);
            mSpace->mSounds.Take();
            for (size_t i = 0; i < c.steps.size(); ++i) {
                const SeqStep& step = c.steps[i];
                SCOPED_TRACE(c.attributes + (withSaves ? " saved" : "") + " step " + std::to_string(i) + " " +
                             step.action);
                if (step.action.rfind("press ", 0) == 0) {
                    const std::string id = step.action.substr(6);
                    TObject* button = control->FindChildById(id);
                    const TMouseEvent at = button != nullptr ? At(button->GetCenterX(), 5) : At(100, 5);
                    const bool counts = button != nullptr && !button->IsLocked();
                    EXPECT_EQ(control->OnMouseDown(at), counts);
                } else if (step.action.rfind("wait ", 0) == 0) {
                    objtest::Advance(*control, std::stof(step.action.substr(5)), 0.01f);
                } else if (step.action == "unlock") {
                    control->Unlock();
                } else if (withSaves) {
                    TBaseBuffer saved;
                    control->SaveState(saved);
                    std::unique_ptr<TRecordingSpace> old = std::move(mSpace);
                    control = Build(c.attributes);
                    ASSERT_TRUE(RestoreObjectState(*control, saved));
                }
                EXPECT_EQ(Locked(*control), step.locked);
                EXPECT_EQ(Unlocks(), step.unlocks);
                EXPECT_EQ(mSpace->mSounds.Take(), step.sounds);
                EXPECT_EQ(control->IsSolved(), step.solved);
            }
        }
    }
}

// Nothing of the attempt is in the record: an attempt under way starts again, a solved control stays solved
// and a wrong attempt waiting for the control's unlock stays locked.
TEST_F(ButtonSequenceTest, RestoredAttemptStartsAgain) {
    struct Case {
        std::string attributes;
        Strings presses;
        std::string restoredLocked;
    };
    const std::vector<Case> cases = {
        {R"(right_seq="a,b,c")", {"a", "b"}, "---"},
        // Waiting for its unlock: the timer is not in the record either.
        {R"(right_seq="a,b,c")", {"b", "a", "c"}, "---"},
        {R"(right_seq="a,b,c")", {"a", "b", "c"}, "abc"},
        {R"(right_seq="a,b,c" unlock_time="0")", {"b", "a", "c"}, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes + " " + objtest::Joined(c.presses));
        TButtonSequenceControlObject* control = Build(c.attributes);
        for (const std::string& id : c.presses) {
            control->OnMouseDown(At(control->FindChildById(id)->GetCenterX(), 5));
        }
        TBaseBuffer saved;
        control->SaveState(saved);
        std::unique_ptr<TRecordingSpace> old = std::move(mSpace);
        control = Build(c.attributes);
        ASSERT_TRUE(RestoreObjectState(*control, saved));
        // The record reads back as it was written.
        TBaseBuffer again;
        control->SaveState(again);
        EXPECT_EQ(again.GetBytes(), saved.GetBytes());
        control->Update(0.01f);
        EXPECT_EQ(Locked(*control), c.restoredLocked);
        mListener.Take();
        // The right order now plays to the end unless it was played before.
        for (const char* id : {"a", "b", "c"}) {
            control->OnMouseDown(At(control->FindChildById(id)->GetCenterX(), 5));
        }
        const bool playable = c.restoredLocked == "---";
        EXPECT_EQ(Unlocks(), playable ? Strings{"//door"} : Strings{});
    }
}

TEST_F(ButtonSequenceTest, GameStateKeyDecidesOnceEveryButtonIsPressed) {
    THopaBaseUserInfo profile;
    SetHopaUserInfo(&profile);
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored);
        if (stored) {
            profile.AddPair("vault_open", "true");
        }
        TButtonSequenceControlObject* control = Build(R"(right_seq="a,b,c" hasgamestate="vault_open")");
        mSpace->mSounds.Take();
        // Any order; nothing is decided before the third press.
        for (const char* id : {"c", "a"}) {
            control->OnMouseDown(At(control->FindChildById(id)->GetCenterX(), 5));
            EXPECT_FALSE(control->IsSequenceRight());
        }
        control->OnMouseDown(At(control->FindChildById("b")->GetCenterX(), 5));
        EXPECT_EQ(control->IsSequenceRight(), stored);
        EXPECT_EQ(Unlocks(), stored ? (Strings{"//lamp", "//door"}) : (Strings{"//lamp"}));
        EXPECT_EQ(mSpace->mSounds.Take(), stored ? Strings{} : Strings{"buzz"});
    }
    SetHopaUserInfo(nullptr);
}

TEST_F(ButtonSequenceTest, LockedOrHiddenControlTakesNoPress) {
    for (const char* state : {"locked", "hidden"}) {
        SCOPED_TRACE(state);
        TButtonSequenceControlObject* control = Build(R"(right_seq="a")");
        if (std::string(state) == "locked") {
            control->Lock();
        } else {
            control->SetVisible(false);
        }
        EXPECT_FALSE(control->OnMouseDown(At(5, 5)));
        EXPECT_EQ(Locked(*control), "---");
        EXPECT_TRUE(control->mEnteredSequence.empty());
    }
}

TEST_F(ButtonSequenceTest, AttributesAndDefaults) {
    TButtonSequenceControlObject* plain = Build("");
    EXPECT_TRUE(plain->mRightSequence.empty());
    EXPECT_FLOAT_EQ(plain->mUnlockTime, 0.5f);
    EXPECT_EQ(plain->mHintKey, "");
    EXPECT_EQ(plain->mGameStateKey, "");
    EXPECT_EQ(plain->GetTypeId(), 17);
    TButtonSequenceControlObject* full =
        Build(R"(right_seq="b,a,b" unlock_time="1.5" ehint="seq_hint" hasgamestate="key")");
    EXPECT_EQ(full->mRightSequence, (Strings{"b", "a", "b"}));
    EXPECT_FLOAT_EQ(full->mUnlockTime, 1.5f);
    EXPECT_EQ(full->mHintKey, "seq_hint");
    EXPECT_EQ(full->mWrongSound, "buzz");
    EXPECT_EQ(full->mGameStateKey, "key");
}

// The pointer over a button: the control counts as hit through its child and remembers it.
TEST_F(ButtonSequenceTest, MoveOverAButtonHitsTheControl) {
    TButtonSequenceControlObject* control = Build(R"(right_seq="a")");
    bool firstHover = false;
    EXPECT_TRUE(control->OnMouseMove(At(15, 5), &firstHover));
    EXPECT_EQ(control->GetHitObject()->mName, "b");
    EXPECT_TRUE(control->HitTestSelf(25, 5));
    firstHover = false;
    EXPECT_FALSE(control->OnMouseMove(At(45, 5), &firstHover));
    EXPECT_FALSE(control->HitTestSelf(45, 5));
}

// DrawAll draws the control and its buttons as a room does, and nothing while hidden.
TEST_F(ButtonSequenceTest, DrawAllDrawsTheControlAtFullAlpha) {
    WriteSolidImage("textures/panel.png", 8, 8, kBlue);
    mSpace = std::make_unique<TRecordingSpace>();
    TXml xml(R"(<scene><object type="button_seq_control" id="seq" name="panel.png" x="4" y="4">
        <object id="a" name="panel.png" x="20" y="20"/></object></scene>)");
    mSpace->LoadObjectsFromXml(xml.Root(), "");
    auto* control = dynamic_cast<TButtonSequenceControlObject*>(mSpace->mObjects.back().get());
    ASSERT_NE(control, nullptr);
    control->LoadResources();
    mSpace->Show();
    BeginCanvas();
    control->DrawAll();
    ExpectPixels({{6, 6, kBluePixel}, {22, 22, kBluePixel}, {14, 14, kBlack}});
    control->SetVisible(false);
    BeginCanvas();
    control->DrawAll();
    ExpectPixels({{6, 6, kBlack}, {22, 22, kBlack}});
}

// ---- click button ----

class ClickButtonTest : public ObjectTest {
protected:
    std::unique_ptr<TClickButtonObject> Make(const std::string& attributes, const std::string& images) {
        TXml xml("<object " + attributes + ">" + images + "</object>");
        auto button = std::make_unique<TClickButtonObject>();
        button->LoadFromXml(xml.Root(), "");
        button->LoadResources();
        button->OnSpaceShow();
        return button;
    }
};

constexpr const char* kTwoImages =
    R"(<img filename="up.png" x="4" y="4"/><img filename="down.png" x="4" y="4"/><img filename="spare.png"/>)";

TEST_F(ClickButtonTest, PressedWhileHeldOnly) {
    WriteSolidImage("up.png", 10, 10, kGreen);
    WriteSolidImage("down.png", 10, 10, kRed);
    struct Step {
        const char* action;
        int x;
        bool taken;
        bool pressed;
    };
    struct Case {
        const char* attributes;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {R"(id="btn")", {{"press", 8, true, true}, {"release", 8, true, false}, {"release", 30, false, false}}},
        // A miss leaves it unpressed; a second press elsewhere unpresses it.
        {R"(id="btn")", {{"press", 30, false, false}, {"press", 5, true, true}, {"press", 30, false, false}}},
        // A locked button refuses the press.
        {R"(id="btn" locked="1")", {{"press", 8, false, false}, {"release", 8, false, false}}},
    };
    for (const Case& c : cases) {
        auto button = Make(c.attributes, kTwoImages);
        for (const Step& step : c.steps) {
            SCOPED_TRACE(std::string(c.attributes) + " " + step.action + " " + std::to_string(step.x));
            const bool taken = std::string(step.action) == "press" ? button->OnMouseDown(At(step.x, 8))
                                                                   : button->OnMouseUp(At(step.x, 8));
            EXPECT_EQ(taken, step.taken);
            EXPECT_EQ(button->mPressed, step.pressed);
        }
    }
}

TEST_F(ClickButtonTest, LoadsTheFirstTwoImagesAndSavesNothing) {
    auto button = Make(R"(id="btn")", kTwoImages);
    EXPECT_EQ(button->mNormalImage.mImageName, "up.png");
    EXPECT_EQ(button->mPressedImage.mImageName, "down.png");
    EXPECT_EQ(button->GetTypeId(), 75);
    TBaseBuffer own, plain;
    button->SaveState(own);
    button->TObject::SaveState(plain);
    EXPECT_EQ(own.GetBytes(), plain.GetBytes());
    // With one image the pressed one stays empty.
    auto single = Make(R"(id="one")", R"(<img filename="up.png"/>)");
    EXPECT_EQ(single->mNormalImage.mImageName, "up.png");
    EXPECT_EQ(single->mPressedImage.mImageName, "");
}

// DrawAll shows the image of the state: green up, red while pressed; rooms draw neither.
TEST_F(ClickButtonTest, DrawAllShowsTheImageOfItsState) {
    WriteSolidImage("up.png", 10, 10, kGreen);
    WriteSolidImage("down.png", 10, 10, kRed);
    auto button = Make(R"(id="btn")", kTwoImages);
    BeginCanvas();
    button->Draw(1.0f);
    ExpectPixels({{8, 8, kBlack}});
    BeginCanvas();
    button->DrawAll();
    ExpectPixels({{4, 4, kGreenPixel}, {13, 13, kGreenPixel}, {14, 14, kBlack}, {3, 8, kBlack}});
    ASSERT_TRUE(button->OnMouseDown(At(8, 8)));
    BeginCanvas();
    button->DrawAll();
    ExpectPixels({{4, 4, kRedPixel}, {13, 13, kRedPixel}, {14, 14, kBlack}});
    button->OnMouseUp(At(8, 8));
    button->SetVisible(false);
    BeginCanvas();
    button->DrawAll();
    ExpectPixels({{8, 8, kBlack}});
}

} // namespace
