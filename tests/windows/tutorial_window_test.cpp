// The tutorial window over a game screen: a click anywhere ends a step, the events it passes on, the
// profile record and the show-once check, one step at a time, the ways a step ends, a panel file that lacks
// parts, the pointers' pulses and the window's lifetime.

#include <map>
#include <tinyxml.h>

#include "app/user_info.h"
#include "dialogs_fixture.h"
#include "windows/tutorial_window.h"
#include "windows/ui_tutorial_box.h"

namespace {

using wintest::TEventLog;
using wintest::TFlyRecorder;
using wintest::TProbeWindow;
using Lines = std::vector<std::string>;

// A 100 x 40 panel: the first text over its top half, the second text and the skip button (30 x 20)
// under it. A step moves the panel's centre to its own x, y.
const char* const kPanelFile = R"(
    <object name="window" type="flywindow" w="100" h="40" x="150" y="100" x1="150" y1="100" x2="150" y2="100"
            time="0.5" stay="-1"/>
    <object name="tutorialtext1" type="imagetext" font="tiny" x="0" y="0" w="100" h="20"/>
    <object name="tutorialtext2" type="imagetext" font="tiny" x="0" y="20" w="60" h="20"/>
    <object name="skiptutorial" type="button" id="1" x="70" y="20" w="30" h="20"/>)";

// Steps centred on 150, 60: the panel covers 100..199 x 40..79, the skip button 170..199 x 60..79.
const char* const kSteps = R"(<interface>
    <object name="StepA" type="tutorial" x="150" y="60" statestr="StepA" text1="a" text2="b"/>
    <object name="StepB" type="tutorial" x="150" y="60" statestr="other" text1="b"/>
    <object name="Plain" type="tutorial" x="150" y="60" statestr="Plain" showskipbtn="0" clicktocontinue="0"/>
    <object name="Finalize" type="tutorial" x="150" y="60" statestr="Finalize" finalize="1"/>
    <object name="HideFast" type="tutorial" x="150" y="60" statestr="HideFast" hide_fast="1"/>
    <object name="Pointed" type="tutorial" x="150" y="60" statestr="Pointed">
      <arrow x="10" y="20" a="90"/><arrow x="30" y="40" cx="-1"/></object>
    <object name="WrongKind" type="rect" x="150" y="60"/>
    </interface>)";

// Writes the state texts of the steps that ended; a step may show another in reply, as the game does.
class TFinishRecorder : public TMyTutorialWindowListener {
public:
    void OnTutorialFinished(const std::string& stateText) override {
        names.push_back(stateText);
        auto next = chain.find(stateText);
        if (next != chain.end()) {
            ShowTutorial(next->second, true, -1);
        }
    }
    Lines names;
    std::map<std::string, std::string> chain;
};

class TutorialTest : public wintest::DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        WriteUi("tutorial.xml", kPanelFile);
        TiXmlDocument document;
        document.Parse(kSteps);
        ASSERT_FALSE(document.Error());
        TUIInfoHolder::GetGlobal()->LoadFromXml(document.RootElement());
        MakeGameScreen();
    }

    // The game screen (id 4) over the whole 300 x 200 screen, with the cell 200, 150, 40 x 30.
    void MakeGameScreen() {
        auto game = std::make_unique<TProbeWindow>("game", 0, 0, 300, 200, nullptr, &mLog);
        mGame = game.get();
        mGame->mId = 4;
        new TProbeWindow("cell", 200, 150, 40, 30, mGame, &mLog);
        TMyWindowManager::Get()->ShowScreen(std::move(game), false, 0);
        SetTutorialListener(&mFinished);
    }

    // Shows the step and lets it settle in its place.
    TMyTutorialWindow* Show(const std::string& name, bool recordAsShown = true, int target = -1) {
        ShowTutorial(name, recordAsShown, target);
        Step(2);
        return TMyTutorialWindow::Get();
    }

    bool Remembered(const std::string& name) { return TUserInfo::Get()->HasPair("IHelpShown", name); }

    // The presses and releases the target's windows received.
    Lines TakeClicks() {
        Lines clicks;
        for (const std::string& line : mLog.Take()) {
            if (line.find(" down ") != std::string::npos || line.find(" up ") != std::string::npos) {
                clicks.push_back(line);
            }
        }
        return clicks;
    }

    TEventLog mLog;
    TFinishRecorder mFinished;
    TProbeWindow* mGame = nullptr;
};

TEST_F(TutorialTest, AClickAnywhereEndsTheStepAndGivesEachWindowBelowOneRelease) {
    struct Case {
        const char* where;
        int x, y;
        Lines clicks;
        // The skip button closes the step through Close: the panel flies out before it goes.
        int stateAfterClick;
    };
    const Case cases[] = {
        {"on the game, outside the panel", 20, 20, {"game down 20,20 b1", "game up 20,20 b1"}, TFlyWindow::kShown},
        {"on a cell of the game",
         210,
         160,
         {"cell down 10,10 b1", "game up 210,160 b1", "cell up 10,10 b1"},
         TFlyWindow::kShown},
        {"on the panel between its parts", 165, 70, {"game down 165,70 b1", "game up 165,70 b1"}, TFlyWindow::kShown},
        {"on the first text", 110, 45, {"game down 110,45 b1", "game up 110,45 b1"}, TFlyWindow::kShown},
        {"on the second text", 110, 70, {"game down 110,70 b1", "game up 110,70 b1"}, TFlyWindow::kShown},
        {"on the skip button", 180, 70, {}, TFlyWindow::kFlyingOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        TUserInfo::Release();
        mFinished.names.clear();
        TMyTutorialWindow* tutorial = Show("StepA");
        ASSERT_TRUE(IsPopup(tutorial));
        ASSERT_EQ(tutorial->GetState(), TFlyWindow::kShown);
        mLog.Take();
        Click(c.x, c.y);
        EXPECT_EQ(TakeClicks(), c.clicks);
        EXPECT_TRUE(tutorial->IsDone());
        EXPECT_EQ(tutorial->GetState(), c.stateAfterClick);
        EXPECT_TRUE(Remembered("StepA"));
        EXPECT_TRUE(mFinished.names.empty());
        Step(1);
        EXPECT_FALSE(IsPopup(tutorial));
        EXPECT_EQ(mFinished.names, Lines{"StepA"});
        // Remembered: not shown again.
        ShowTutorial("StepA", true, -1);
        EXPECT_FALSE(IsPopup(tutorial));
    }
}

TEST_F(TutorialTest, TheProfileRemembersAStepByItsNameWhenAskedTo) {
    struct Case {
        const char* name;
        bool recordAsShown;
        const char* stateText;
        bool remembered;
    };
    const Case cases[] = {
        {"StepA", true, "StepA", true},
        // The record and the show-once check use the same key, whatever the state text.
        {"StepB", true, "other", true},
        {"StepA", false, "StepA", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << " " << c.recordAsShown);
        TUserInfo::Release();
        mFinished.names.clear();
        TMyTutorialWindow* tutorial = Show(c.name, c.recordAsShown);
        Click(20, 20);
        Step(1);
        EXPECT_EQ(mFinished.names, Lines{c.stateText});
        EXPECT_EQ(Remembered(c.name), c.remembered);
        EXPECT_FALSE(TUserInfo::Get()->HasPair("IHelpShown", "other"));
        ShowTutorial(c.name, true, -1);
        EXPECT_EQ(IsPopup(tutorial), !c.remembered);
        HideTutorial();
    }
}

TEST_F(TutorialTest, OneStepAtATimeAndOnlyStepsTheDescriptionHolds) {
    TMyTutorialWindow* tutorial = Show("StepA");
    ShowTutorial("StepB", true, -1);
    EXPECT_EQ(tutorial->GetStateText(), "StepA");
    EXPECT_EQ(tutorial->GetFirstText()->mTextKey, "a");
    HideTutorial();
    EXPECT_EQ(mFinished.names, Lines{"StepA"});
    for (const char* name : {"Nope", "WrongKind"}) {
        SCOPED_TRACE(name);
        ShowTutorial(name, true, -1);
        EXPECT_FALSE(IsPopup(tutorial));
        EXPECT_FALSE(tutorial->IsShowingStep());
    }
    EXPECT_TRUE(harness::LogContains("show tutorial Nope: no such step, skipped"));
    EXPECT_TRUE(harness::LogContains("ui object WrongKind of kind 17 is no TUITutorial, skipped"));
    EXPECT_TRUE(harness::LogContains("show tutorial StepA"));
}

TEST_F(TutorialTest, HowAStepEndsNeverKeepsTheNextOneFromShowing) {
    struct Case {
        const char* first;
        // Ends the first step; true when it is gone at once, without waiting for an update.
        std::function<void()> end;
        bool goneAtOnce;
    };
    const Case cases[] = {
        {"Finalize", [] { Click(20, 20); }, false},  {"HideFast", [] { Click(20, 20); }, true},
        {"StepA", [] { Click(20, 20); }, false},     {"StepA", [] { HideTutorial(); }, true},
        {"StepA", [] { HideTutorial(true); }, true}, {"StepA", [] { TMyTutorialWindow::Get()->Close(0); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        TUserInfo::Release();
        mFinished.names.clear();
        TMyTutorialWindow* tutorial = Show(c.first);
        c.end();
        EXPECT_EQ(IsPopup(tutorial), !c.goneAtOnce);
        Step(1);
        EXPECT_FALSE(IsPopup(tutorial));
        EXPECT_EQ(mFinished.names, Lines{c.first});
        // The next step shows, can be seen and takes the pointer.
        Show("Plain");
        EXPECT_TRUE(IsPopup(tutorial));
        EXPECT_EQ(TMyWindowManager::Get()->GetTopActivePopup(), tutorial);
        EXPECT_FLOAT_EQ(tutorial->mAlpha, 1.0f);
        EXPECT_EQ(tutorial->GetState(), TFlyWindow::kShown);
        mLog.Take();
        Click(30, 30);
        EXPECT_EQ(TakeClicks(), (Lines{"game down 30,30 b1", "game up 30,30 b1"}));
        Step(1);
        EXPECT_EQ(mFinished.names, (Lines{c.first, "Plain"}));
    }
}

TEST_F(TutorialTest, AFinishedStepMayShowTheNextAndEachEndIsToldOnce) {
    // The first step vanishes at once: the one shown in reply must still fade in.
    mFinished.chain = {{"HideFast", "StepB"}, {"other", "Plain"}};
    TMyTutorialWindow* tutorial = Show("HideFast");
    struct Shown {
        const char* step;
        const char* text;
    };
    for (const Shown& shown : {Shown{"HideFast", ""}, Shown{"StepB", "b"}, Shown{"Plain", ""}}) {
        SCOPED_TRACE(shown.step);
        ASSERT_TRUE(tutorial->IsShowingStep());
        EXPECT_EQ(tutorial->GetFirstText()->mTextKey, shown.text);
        Step(2);
        EXPECT_FLOAT_EQ(tutorial->mAlpha, 1.0f);
        EXPECT_EQ(TMyWindowManager::Get()->GetTopActivePopup(), tutorial);
        Click(20, 20);
        Step(1);
    }
    EXPECT_FALSE(tutorial->IsShowingStep());
    EXPECT_EQ(mFinished.names, (Lines{"HideFast", "other", "Plain"}));
    for (const char* name : {"HideFast", "StepB", "Plain"}) {
        EXPECT_TRUE(Remembered(name)) << name;
    }
}

TEST_F(TutorialTest, StepsChooseTheirTextsButtonAndPointers) {
    TMyTutorialWindow* tutorial = Show("StepA");
    EXPECT_EQ(tutorial->GetX(), 100);
    EXPECT_EQ(tutorial->GetY(), 40);
    EXPECT_TRUE(tutorial->GetSkipButton()->mShown);
    EXPECT_TRUE(tutorial->GetSecondText()->mShown);
    EXPECT_EQ(tutorial->GetSecondText()->mTextKey, "b");
    EXPECT_TRUE(tutorial->GetPointers().empty());
    HideTutorial();
    tutorial = Show("Pointed");
    EXPECT_EQ(tutorial->GetPointers().size(), 2u);
    HideTutorial();
    tutorial = Show("Plain");
    EXPECT_FALSE(tutorial->GetSkipButton()->mShown);
    EXPECT_FALSE(tutorial->GetSecondText()->mShown);
    EXPECT_TRUE(tutorial->GetPointers().empty());
    // The skip button, hidden, takes no click: the click ends the step as anywhere else.
    Click(180, 70);
    EXPECT_EQ(tutorial->GetState(), TFlyWindow::kShown);
    EXPECT_TRUE(tutorial->IsDone());
}

TEST_F(TutorialTest, EventsGoToTheTargetWindowNamed) {
    auto owned = std::make_unique<TProbeWindow>("map", 0, 0, 300, 200, nullptr, &mLog);
    TProbeWindow* map = owned.get();
    map->mId = 6;
    TMyWindowManager::Get()->ShowScreen(std::move(owned), false, 0);
    struct Case {
        int target;
        Lines clicks;
    };
    const Case cases[] = {
        {-1, {"game down 20,20 b1", "game up 20,20 b1"}},
        {6, {"map down 20,20 b1", "map up 20,20 b1"}},
        {99, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        TUserInfo::Release();
        Show("StepA", true, c.target);
        mLog.Take();
        Click(20, 20);
        EXPECT_EQ(TakeClicks(), c.clicks);
        Step(1);
        EXPECT_TRUE(Remembered("StepA"));
    }
    // A target that leaves the manager during the step hears nothing more.
    TUserInfo::Release();
    Show("StepA", true, 6);
    const std::unique_ptr<TMyWindow> removed = TMyWindowManager::Get()->Remove(map);
    mLog.Take();
    Click(20, 20);
    EXPECT_TRUE(TakeClicks().empty());
}

TEST_F(TutorialTest, APanelFileWithoutSomePartsStillShowsItsSteps) {
    struct Case {
        const char* what;
        std::string file;
        bool hasTexts;
        bool hasSkip;
    };
    const std::string text1 = R"(<object name="tutorialtext1" type="imagetext" font="tiny" w="100" h="20"/>)";
    const std::string text2 = R"(<object name="tutorialtext2" type="imagetext" font="tiny" y="20" w="60" h="20"/>)";
    const std::string skip = R"(<object name="skiptutorial" type="button" id="1" x="70" y="20" w="30" h="20"/>)";
    const std::string fly =
        R"(<object name="window" type="flywindow" w="100" h="40" x="150" y="100" x1="150" y1="100" time="0.5"
            stay="-1"/>)";
    const Case cases[] = {
        {"no skip button", fly + text1 + text2, true, false},
        {"no texts", fly + skip, false, true},
        {"a plain window", R"(<object name="window" type="window" w="100" h="40"/>)" + text1 + text2 + skip, true,
         true},
        {"nothing", "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The panel is read when the tutorial is first used after the manager is made.
        TMyWindowManager::Release();
        WriteUi("tutorial.xml", c.file);
        MakeGameScreen();
        TUserInfo::Release();
        mFinished.names.clear();
        TMyTutorialWindow* tutorial = Show("StepA");
        EXPECT_EQ(tutorial->GetFirstText() != nullptr, c.hasTexts);
        EXPECT_EQ(tutorial->GetSkipButton() != nullptr, c.hasSkip);
        EXPECT_TRUE(tutorial->IsShowingStep());
        EXPECT_EQ(tutorial->GetCenterX(), 150);
        EXPECT_EQ(tutorial->GetCenterY(), 60);
        mLog.Take();
        Click(20, 20);
        EXPECT_EQ(TakeClicks(), (Lines{"game down 20,20 b1", "game up 20,20 b1"}));
        Step(1);
        EXPECT_EQ(mFinished.names, Lines{"StepA"});
        EXPECT_TRUE(Remembered("StepA"));
    }
}

TEST_F(TutorialTest, TheAnswerToTheHelpQuestionIsKept) {
    struct Case {
        int windowId;
        int result;
        bool recordAsShown;
        const char* kept;
    };
    const Case cases[] = {
        {7, 1, true, "true"},
        {7, 2, true, "false"},
        {7, 1, false, nullptr},
        {8, 1, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.windowId << " " << c.result << " " << c.recordAsShown);
        TUserInfo::Release();
        TMyTutorialWindow* tutorial = TMyTutorialWindow::Get();
        tutorial->mRecordAsShown = c.recordAsShown;
        tutorial->OnFlyWindowClosed(nullptr, c.windowId, c.result);
        const auto& pairs = TUserInfo::Get()->GetPairs();
        if (c.kept == nullptr) {
            EXPECT_TRUE(pairs.empty());
        } else {
            ASSERT_EQ(pairs.size(), 1u);
            EXPECT_EQ(pairs[0].mKey, "ShowingInteractiveHelp");
            EXPECT_EQ(pairs[0].mValue, c.kept);
        }
    }
}

TEST_F(TutorialTest, TheWindowLivesAsLongAsTheWindowManager) {
    for (bool showing : {true, false}) {
        SCOPED_TRACE(showing);
        MakeGameScreen();
        if (showing) {
            Show("StepA", false);
        } else {
            TMyTutorialWindow::Get();
        }
        ASSERT_NE(TMyTutorialWindow::FindInstance(), nullptr);
        TMyWindowManager::Release();
        EXPECT_EQ(TMyTutorialWindow::FindInstance(), nullptr);
    }
}

class TutorialPointerTest : public wintest::ControlsTest {
protected:
    static TUITutorialArrow ArrowFrom(const char* xml) {
        TiXmlDocument document;
        document.Parse(xml);
        TUITutorialArrow arrow;
        arrow.LoadFromXml(document.RootElement());
        return arrow;
    }
};

TEST_F(TutorialPointerTest, AlphaAndScalePulseForEver) {
    struct Sample {
        float seconds;
        float alpha;
        float scale;
    };
    struct Case {
        const char* arrow;
        std::vector<Sample> samples;
    };
    const Case cases[] = {
        {R"(<arrow alphamin="-1" alphamax="0.2" scalemin="0.8" scalemax="1.2" scaletime="0.5"/>)",
         {{0, 1, 0.8f}, {0.5f, 1, 1.0f}, {1.0f, 1, 1.2f}, {1.5f, 1, 1.0f}, {2.0f, 1, 0.8f}, {2.25f, 1, 0.9f}}},
        {R"(<arrow scale="1.5" alphamin="0.2" alphamax="0.6" alphatime="0.25"/>)",
         {{0, 0.2f, 1.5f}, {0.25f, 0.4f, 1.5f}, {0.5f, 0.6f, 1.5f}, {0.75f, 0.4f, 1.5f}, {1.0f, 0.2f, 1.5f}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arrow);
        TTutorialPointer pointer(ArrowFrom(c.arrow));
        float elapsed = 0;
        for (const Sample& sample : c.samples) {
            SCOPED_TRACE(sample.seconds);
            while (elapsed < sample.seconds) {
                pointer.Update(0.125f);
                elapsed += 0.125f;
            }
            EXPECT_NEAR(pointer.GetAlpha(), sample.alpha, 1e-5);
            EXPECT_NEAR(pointer.GetScale(), sample.scale, 1e-5);
        }
    }
}

TEST_F(TutorialPointerTest, APointerTurnsAboutTheCentreThatLandsOnItsPoint) {
    // A 4 x 2 bar: red on its left half, green on its right.
    WriteImage("arrow.png", 4, 2, [](int x, int) { return x < 2 ? kRed : kGreen; });
    struct Case {
        const char* arrow;
        std::vector<TProbe> probes;
    };
    const Case cases[] = {
        // No centre: the top-left corner on the point.
        {R"(<arrow image="arrow" x="10" y="10" cx="-1"/>)",
         {{10, 10, kRedPixel}, {13, 11, kGreenPixel}, {9, 10, kBlack}, {14, 10, kBlack}}},
        // Centre 0, 2 (the bar's bottom-left corner) on the point, turned a quarter clockwise: the bar
        // hangs down from the point, on its right.
        {R"(<arrow image="arrow" x="10" y="10" cx="0" cy="2" a="90"/>)",
         {{10, 10, kRedPixel},
          {11, 11, kRedPixel},
          {10, 13, kGreenPixel},
          {11, 12, kGreenPixel},
          {12, 11, kBlack},
          {9, 11, kBlack},
          {10, 9, kBlack},
          {10, 14, kBlack}}},
        // Scaled 2 about the same centre, unturned: 8 x 4 above and right of the point.
        {R"(<arrow image="arrow" x="10" y="10" cx="0" cy="2" scale="2"/>)",
         {{10, 6, kRedPixel}, {17, 9, kGreenPixel}, {10, 10, kBlack}, {18, 8, kBlack}, {10, 5, kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arrow);
        TTutorialPointer pointer(ArrowFrom(c.arrow));
        BeginCanvas();
        pointer.Draw(1.0f);
        ExpectPixels(c.probes);
    }
}

} // namespace
