#include <gtest/gtest.h>

#include <SDL.h>
#include <algorithm>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/display_modes.h"
#include "app/frame_events.h"
#include "app/frame_stand_ins.h"
#include "harness/harness.h"
#include "shell/main_loop.h"

namespace {

// The game running in-process on an empty data root, its stand-ins and the test clock.
class FrameLoop : public ::testing::Test {
protected:
    FrameLoop() : mSeams(InstallStandIns()) {}

    void SetUp() override {
        ASSERT_EQ(mGame.GetStartResult(), 0);
        harness::UseDesignSizedWindow();
        // Window events of the size change are not what the tests look at.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        mGame.Step();
        mSeams->calls.clear();
        mSeams->handled.clear();
        mSeams->soundUpdates.clear();
    }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }

    bool Called(const std::string& name) const {
        return std::find(mSeams->calls.begin(), mSeams->calls.end(), name) != mSeams->calls.end();
    }

    harness::SteppedClock mClock{1000};
    harness::ScopedDataRoot mRoot{harness::MakeTempFolder()};
    StandInSeams* mSeams;
    harness::RunningGame mGame;
};

TEST_F(FrameLoop, QuitRequestsEndTheStepBeforeUpdateAndDraw) {
    struct Case {
        const char* name;
        SDL_Event quit;
        // The pointer move pushed after the quit: handled in the same step, or left queued.
        bool laterEventHandled;
    };
    const Case cases[] = {
        {"close button", WindowEvent(SDL_WINDOWEVENT_CLOSE), false},
        {"alt+f4", KeyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT), false},
        {"quit event", QuitEvent(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GetLoopState().mQuitRequested = false;
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        mSeams->calls.clear();
        mSeams->handled.clear();
        mClock.Advance(20);
        Push(c.quit);
        Push(MotionEvent(0, 5, 6));
        RunLoopStep();
        EXPECT_TRUE(GetLoopState().mQuitRequested);
        EXPECT_FALSE(Called("UpdateSound"));
        EXPECT_FALSE(Called("DrawWindows"));
        const bool windowsSawQuit = std::any_of(mSeams->handled.begin(), mSeams->handled.end(),
                                                [](const TInputEvent& e) { return e.kind == kInputQuit; });
        EXPECT_FALSE(windowsSawQuit);
        EXPECT_EQ(mSeams->handled.size(), c.laterEventHandled ? 1u : 0u);
        EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION),
                  c.laterEventHandled ? 0 : 1);
    }
}

TEST_F(FrameLoop, UpdatesOnlyWhenTheClockMoved) {
    RunLoopStep();
    EXPECT_TRUE(Called("DrawWindows"));
    EXPECT_TRUE(mSeams->soundUpdates.empty());

    mClock.Advance(25);
    RunLoopStep();
    ASSERT_EQ(mSeams->soundUpdates.size(), 1u);
    EXPECT_FLOAT_EQ(mSeams->soundUpdates[0], 0.025f);
}

TEST_F(FrameLoop, PointerReachesTheWindowsInDesignCoordinates) {
    struct Case {
        const char* name;
        int windowWidth;
        int windowHeight;
        int x;
        int y;
        int wantX;
        int wantY;
    };
    const Case cases[] = {
        {"design-sized window", 1366, 768, 960, 540, 960, 540},
        {"1920 x 1080 window", 1920, 1080, 960, 540, 683, 384},
        {"800 x 600 window", 800, 600, 400, 300, 683, 384},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The window is resized the way the settings do it; the loop takes the scale from the output.
        TAppConfig::Get()->SetDisplayMode(c.windowWidth, c.windowHeight, false);
        mGame.Step();
        mSeams->handled.clear();
        Push(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, c.x, c.y));
        mGame.Step();
        ASSERT_EQ(mSeams->handled.size(), 1u);
        EXPECT_EQ(mSeams->handled[0].kind, kInputLeftDown);
        EXPECT_EQ(mSeams->handled[0].x, c.wantX);
        EXPECT_EQ(mSeams->handled[0].y, c.wantY);
    }
}

TEST_F(FrameLoop, DesignSizedWindowHasScaleOne) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(TAppConfig::Get()->GetWindow(), &width, &height);
    EXPECT_EQ(width, 1366);
    EXPECT_EQ(height, 768);
    EXPECT_FALSE(IsWindowFullscreen());
    EXPECT_EQ(GetDisplay().mView.scale, 1.0f);
    EXPECT_EQ(GetDisplay().mView.offsetX, 0);
    EXPECT_EQ(GetDisplay().mView.offsetY, 0);
}

TEST_F(FrameLoop, ToggleEventSwitchesFullScreenAndGoesOnToTheWindows) {
    struct Expect {
        bool fullscreen;
        int width;
        int height;
    };
    // The dummy desktop is 1024 x 768 with that one mode, so the windowed size is the 800 x 600 fallback.
    const Expect toggles[] = {{true, 1024, 768}, {false, 800, 600}, {true, 1024, 768}};
    for (const Expect& want : toggles) {
        mSeams->handled.clear();
        EXPECT_TRUE(DispatchInputEvent(TInputEvent{kInputToggleFullscreen, 0, 0, 0, 0}));
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(TAppConfig::Get()->GetWindow(), &width, &height);
        EXPECT_EQ(IsWindowFullscreen(), want.fullscreen);
        EXPECT_EQ(width, want.width);
        EXPECT_EQ(height, want.height);
        ASSERT_EQ(mSeams->handled.size(), 1u);
        EXPECT_EQ(mSeams->handled[0].kind, kInputToggleFullscreen);
    }
}

TEST_F(FrameLoop, ScreenSaverIsHeldOffOnlyFullScreenWithFocus) {
    struct Step {
        const char* name;
        TInputEvent event;
        bool saverEnabled;
    };
    const TInputEvent toggle{kInputToggleFullscreen, 0, 0, 0, 0};
    const TInputEvent lost{kInputFocus, 0, 0, 0, 0};
    const TInputEvent gained{kInputFocus, 1, 0, 0, 0};
    const TInputEvent none{kInputNone, 0, 0, 0, 0};
    const Step steps[] = {
        {"windowed", none, true},
        {"full screen", toggle, false},
        {"full screen, focus lost", lost, true},
        {"full screen, focus back", gained, false},
        {"windowed again", toggle, true},
        {"windowed, focus lost", lost, true},
        {"windowed, focus back", gained, true},
    };
    for (const Step& step : steps) {
        if (step.event.kind != kInputNone) {
            DispatchInputEvent(step.event);
        }
        mClock.Advance(20);
        RunLoopStep();
        EXPECT_EQ(SDL_IsScreenSaverEnabled() == SDL_TRUE, step.saverEnabled) << step.name;
    }
}

TEST(FramePacing, WaitsForTheRestOfTheFrame) {
    struct Case {
        uint64_t elapsedUs;
        uint32_t delayMs;
    };
    const Case cases[] = {{0, 16}, {5000, 11}, {16000, 0}, {16666, 0}, {40000, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(FramePacingDelay(c.elapsedUs), c.delayMs) << c.elapsedUs;
    }
}

} // namespace
