// The tutorial over the shipped data: every step the game shows is described and its texts and pointers
// exist, a step looks finished on screen, and in the running game a chain of steps shows one after the
// other as the player clicks, each remembered in the profile.

#include <SDL.h>

#include <map>

#include "app/display_modes.h"
#include "app/frame_events.h"
#include "app/missing_names.h"
#include "app/user_info.h"
#include "shipped_ui_fixture.h"
#include "windows/tutorial_window.h"
#include "windows/ui_tutorial_box.h"
#include "windows/ui_window_box.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kGameSteps[] = {
    "TipHint",           "TipHiddenCell",        "TipChangeColor",         "TipChangeShape",
    "TipLabirythmMode",  "TipLabirythmModeMove", "TipMixColorsMode",       "TipMixColorsButton",
    "TipMixColorsMode2", "TipMapClickToPlay",    "TipMapClickToNextStage", "TipMapLockedCities",
    "TipMahFindPieces",
};

// Names the shipped data lacks, other than sounds (no sound list is loaded here).
Lines MissingNames() {
    Lines names;
    for (const TMissingName& missing : GetMissingNames()) {
        if (missing.kind != "sound") {
            names.push_back(missing.kind + " " + missing.name);
        }
    }
    return names;
}

// Steps that show the next one when they end, as the game screen does.
class TChainListener : public TMyTutorialWindowListener {
public:
    void OnTutorialFinished(const std::string& stateText) override {
        finished.push_back(stateText);
        static const std::map<std::string, std::string> kNext = {{"TipMixColorsMode", "TipMixColorsButton"},
                                                                 {"TipMixColorsButton", "TipMixColorsMode2"}};
        auto next = kNext.find(stateText);
        if (next != kNext.end()) {
            ShowTutorial(next->second, true, -1);
        }
    }
    Lines finished;
};

class ShippedTutorialTest : public wintest::ShippedUiTest {};

TEST_F(ShippedTutorialTest, EveryStepTheGameShowsIsDescribedWithItsTextsAndPointers) {
    const TUIInfoHolder& global = *TUIInfoHolder::GetGlobal();
    for (const char* name : kGameSteps) {
        SCOPED_TRACE(name);
        const TUITutorial* step = FindUIObject<TUITutorial>(global, name);
        ASSERT_NE(step, nullptr);
        EXPECT_EQ(step->mStateStr, name);
        EXPECT_FALSE(step->mText1.empty());
        GetTerms()->GetText(step->mText1);
        GetTerms()->GetText(step->mText2);
        for (const TUITutorialArrow& arrow : step->mArrows) {
            TTutorialPointer pointer(arrow);
            EXPECT_TRUE(pointer.image.mTexture);
        }
    }
    TMyTutorialWindow* tutorial = TMyTutorialWindow::Get();
    EXPECT_NE(tutorial->GetFirstText(), nullptr);
    EXPECT_NE(tutorial->GetSecondText(), nullptr);
    EXPECT_NE(tutorial->GetSkipButton(), nullptr);
    ASSERT_NE(tutorial->GetHolder(), nullptr);
    EXPECT_NE(FindUIObject<TUIFlyWindow>(*tutorial->GetHolder(), "window"), nullptr);
    EXPECT_EQ(MissingNames(), Lines{});
}

// The step the game shows as a level is solved keeps its panel clear of the "Level complete!" caption,
// which stands centred on the screen while the step is up.
TEST_F(ShippedTutorialTest, TheStepShownOnASolvedLevelLeavesTheCompletionCaptionClear) {
    const TUITutorial* step = FindUIObject<TUITutorial>(*TUIInfoHolder::GetGlobal(), "TipLabirythmMode");
    ASSERT_NE(step, nullptr);
    TMyTutorialWindow* tutorial = TMyTutorialWindow::Get();
    ASSERT_NE(tutorial->GetHolder(), nullptr);
    const TUIFlyWindow* panel = FindUIObject<TUIFlyWindow>(*tutorial->GetHolder(), "window");
    ASSERT_NE(panel, nullptr);
    SDL_Surface* caption = IMG_Load("assets/textures/loc/levelcompletetext.png");
    ASSERT_NE(caption, nullptr);
    // Both are placed by their centres.
    const SDL_Rect captionRect{kDesignWidth / 2 - caption->w / 2, kDesignHeight / 2 - caption->h / 2, caption->w,
                               caption->h};
    SDL_FreeSurface(caption);
    const SDL_Rect panelRect{step->mX - panel->mW / 2, step->mY - panel->mH / 2, panel->mW, panel->mH};
    EXPECT_FALSE(SDL_HasIntersection(&captionRect, &panelRect))
        << "panel " << panelRect.x << "," << panelRect.y << " " << panelRect.w << "x" << panelRect.h;
}

TEST_F(ShippedTutorialTest, AStepDrawsItsPanelTextsAndPointerOverTheScreen) {
    GetDisplay().mDesignWidth = kDesignWidth;
    ShowTutorial("TipChangeColor", false, -1);
    Step(8);
    TMyTutorialWindow* tutorial = TMyTutorialWindow::Get();
    ASSERT_EQ(tutorial->GetState(), TFlyWindow::kShown);
    ASSERT_FLOAT_EQ(tutorial->mAlpha, 1.0f);
    // The panel (560 x 180) is centred on the step's point.
    const TUITutorial* step = FindUIObject<TUITutorial>(*TUIInfoHolder::GetGlobal(), "TipChangeColor");
    ASSERT_NE(step, nullptr);
    const int left = step->mX - 280;
    const int top = step->mY - 90;
    ASSERT_EQ(tutorial->GetX(), left);
    ASSERT_EQ(tutorial->GetY(), top);
    DrawOverBackdrop();
    EXPECT_TRUE(SaveFrame("tutorial_step.png"));
    // The panel's body runs, as the dialogs' do, from (38, 74, 96) at its top to (18, 36, 54) at its bottom. The
    // arrow's tip (1149, 224), at the first colour button, points right, so its shaft lies left of the tip, with the
    // pale shine along its middle line; 50 pixels from the tip is on the shine for any scale of its pulse, and at this
    // frame the alpha pulse stands at 1. The art is drawn large and scaled down, which moves its colours a few units
    // near shapes.
    ExpectScreen({{"screen above the panel", left + 280, top - 5, kBackdrop},
                  {"panel body, row 110", left + 20, top + 110, {26, 51, 70, 255}},
                  {"gold border", left + 1, top + 90, {232, 200, 106, 255}},
                  {"arrow shaft", 1149 - 50, 224, {255, 236, 160, 255}},
                  {"beyond the arrow's tip", 1149 + 4, 224, kBackdrop}},
                 5);
}

// The real start-up over the shipped assets, the player's clicks pushed as SDL events.
class RunningTutorialTest : public testing::Test {
protected:
    void Frame(int count = 1) {
        for (int frame = 0; frame < count; ++frame) {
            mClock.Advance(125);
            mGame->Step();
        }
    }

    static void ClickAt(int x, int y) {
        for (SDL_Event event : {MotionEvent(0, x, y), ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y),
                                ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y)}) {
            ASSERT_EQ(SDL_PushEvent(&event), 1);
        }
    }

    harness::SteppedClock mClock;
    std::unique_ptr<harness::RunningGame> mGame;
};

TEST_F(RunningTutorialTest, TheMixedColourTipsShowOneAfterAnotherAndAreRemembered) {
    mGame = std::make_unique<harness::RunningGame>();
    ASSERT_EQ(mGame->GetStartResult(), 0);
    harness::UseDesignSizedWindow();
    Frame();
    wintest::TEventLog log;
    auto game = std::make_unique<wintest::TProbeWindow>("game", 0, 0, 1366, 768, nullptr, &log);
    game->mId = 4;
    TMyWindowManager::Get()->ShowScreen(std::move(game), false, 0);
    TChainListener listener;
    SetTutorialListener(&listener);
    ShowTutorial("TipMixColorsMode", true, -1);
    TMyTutorialWindow* tutorial = TMyTutorialWindow::Get();
    for (const char* step : {"TipMixColorsMode", "TipMixColorsButton", "TipMixColorsMode2"}) {
        SCOPED_TRACE(step);
        Frame(4);
        ASSERT_TRUE(tutorial->IsShowingStep());
        ASSERT_EQ(tutorial->GetStateText(), step);
        ASSERT_EQ(tutorial->GetState(), TFlyWindow::kShown);
        EXPECT_FALSE(TUserInfo::Get()->HasPair("IHelpShown", step));
        log.Take();
        ClickAt(100, 100);
        Frame();
        Lines clicks = log.Take();
        std::erase_if(clicks, [](const std::string& line) { return line.find(" move ") != std::string::npos; });
        EXPECT_EQ(clicks, (Lines{"game down 100,100 b1", "game up 100,100 b1"}));
        EXPECT_TRUE(TUserInfo::Get()->HasPair("IHelpShown", step));
    }
    Frame(2);
    EXPECT_FALSE(tutorial->IsShowingStep());
    EXPECT_EQ(listener.finished, (Lines{"TipMixColorsMode", "TipMixColorsButton", "TipMixColorsMode2"}));
    // Remembered: asked again, the first tip does not show.
    ShowTutorial("TipMixColorsMode", true, -1);
    EXPECT_FALSE(tutorial->IsShowingStep());
    EXPECT_TRUE(harness::HasLinesInOrder(
        harness::LogLines(),
        {"show tutorial TipMixColorsMode", "show tutorial TipMixColorsButton", "show tutorial TipMixColorsMode2"}));
    SetTutorialListener(nullptr);
    mGame.reset();
}

} // namespace
