#include <gtest/gtest.h>

#include <SDL.h>
#include <string>
#include <vector>

#include "app/display_modes.h"
#include "app/frame_events.h"
#include "app/frame_stand_ins.h"
#include "app/input_event.h"
#include "shell/game_app.h"
#include "shell/main_loop.h"

namespace {

bool SameEvent(const TInputEvent& a, const TInputEvent& b) {
    return a.kind == b.kind && a.param == b.param && a.x == b.x && a.y == b.y && a.mods == b.mods;
}

std::string Describe(const std::vector<TInputEvent>& events) {
    std::string text;
    for (const TInputEvent& e : events) {
        text += '{';
        text += std::to_string(e.kind) + "," + std::to_string(e.param) + "," + std::to_string(e.x) + "," +
                std::to_string(e.y) + "," + std::to_string(e.mods) + "} ";
    }
    return text;
}

TEST(FrameInput, TranslatesEverySdlEventKind) {
    struct Case {
        const char* name;
        SDL_Event event;
        std::vector<TInputEvent> expected;
    };
    const Case cases[] = {
        {"close button", WindowEvent(SDL_WINDOWEVENT_CLOSE), {{0, 0, 0, 0, 0}}},
        {"alt+f4", KeyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LALT), {{0, SDLK_F4, 0, 0, KMOD_LALT}}},
        {"right alt+f4",
         KeyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_RALT | KMOD_NUM),
         {{0, SDLK_F4, 0, 0, KMOD_RALT | KMOD_NUM}}},
        {"f4 alone", KeyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_NONE), {{7, SDLK_F4, 0, 0, 0}}},
        {"ctrl+f4", KeyEvent(SDL_KEYDOWN, SDLK_F4, KMOD_LCTRL), {{7, SDLK_F4, 0, 0, KMOD_LCTRL}}},
        {"alt+f4 released", KeyEvent(SDL_KEYUP, SDLK_F4, KMOD_LALT), {{8, SDLK_F4, 0, 0, KMOD_LALT}}},
        {"key down", KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE), {{7, SDLK_ESCAPE, 0, 0, 0}}},
        {"key up", KeyEvent(SDL_KEYUP, SDLK_a, KMOD_LSHIFT), {{8, SDLK_a, 0, 0, KMOD_LSHIFT}}},
        {"left down", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20), {{1, 1, 10, 20, 0}}},
        {"right down", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 11, 21), {{2, 1, 11, 21, 0}}},
        {"right up", ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 12, 22), {{2, 0, 12, 22, 0}}},
        {"left up", ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 13, 23), {{3, 1, 13, 23, 0}}},
        {"middle down", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 1), {}},
        {"middle up", ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 1), {}},
        {"wheel", WheelEvent(), {}},
        {"move, no button", MotionEvent(0, 30, 40), {{4, 0, 30, 40, 0}}},
        {"move, left held", MotionEvent(SDL_BUTTON_LMASK, 31, 41), {{4, 1, 31, 41, 0}}},
        {"move, right held", MotionEvent(SDL_BUTTON_RMASK, 32, 42), {{4, 2, 32, 42, 0}}},
        {"move, both held", MotionEvent(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK, 33, 43), {{4, 0, 33, 43, 0}}},
        {"move, middle held", MotionEvent(SDL_BUTTON_MMASK, 34, 44), {{4, 0, 34, 44, 0}}},
        {"pointer left", WindowEvent(SDL_WINDOWEVENT_LEAVE), {{5, 0, 0, 0, 0}}},
        {"focus gained", WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), {{12, 1, 0, 0, 0}}},
        {"focus lost", WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), {{12, 0, 0, 0, 0}}},
        {"window resized", WindowEvent(SDL_WINDOWEVENT_RESIZED), {}},
        {"pointer entered", WindowEvent(SDL_WINDOWEVENT_ENTER), {}},
        {"quit", QuitEvent(), {}},
        {"text ascii", TextEvent("a"), {{9, 'a', 0, 0, 0}}},
        {"text cyrillic", TextEvent("\xD0\x96"), {{9, 0x0416, 0, 0, 0}}},
        {"text, one event per code point",
         TextEvent("A\xD0\xB6\xE2\x82\xAC\xF0\x9F\x98\x80"),
         {{9, 'A', 0, 0, 0}, {9, 0x0436, 0, 0, 0}, {9, 0x20AC, 0, 0, 0}, {9, 0x1F600, 0, 0, 0}}},
        {"text empty", TextEvent(""), {}},
    };
    for (const Case& c : cases) {
        TInputEventList events;
        const bool translated = TranslateSdlEvent(c.event, events);
        EXPECT_EQ(translated, !c.expected.empty()) << c.name;
        ASSERT_EQ(events.size(), c.expected.size()) << c.name << ": " << Describe(events);
        for (size_t i = 0; i < events.size(); ++i) {
            EXPECT_TRUE(SameEvent(events[i], c.expected[i]))
                << c.name << ": got " << Describe(events) << " want " << Describe(c.expected);
        }
    }
}

TEST(FrameInput, PointerGoesThroughTheInverseOfTheView) {
    struct Case {
        const char* name;
        bool appExists;
        int outputWidth;
        int outputHeight;
        int x;
        int y;
        int wantX;
        int wantY;
    };
    // The design space 1366 x 768 at one scale for both axes, centred: 1024 x 768 shows it 1024 x 576
    // with 96-pixel bars above and below, 800 x 600 shows it 800 x 450 with 75-pixel bars.
    const Case cases[] = {
        {"1920 x 1080 centre", true, 1920, 1080, 960, 540, 683, 384},
        {"1920 x 1080 last pixel", true, 1920, 1080, 1919, 1079, 1365, 767},
        {"1920 x 1080 origin", true, 1920, 1080, 0, 0, 0, 0},
        {"scale 1", true, 1366, 768, 700, 500, 700, 500},
        {"1024 x 768 full screen centre", true, 1024, 768, 512, 384, 683, 384},
        {"1024 x 768 first row of the design area", true, 1024, 768, 0, 96, 0, 0},
        {"1024 x 768 in the top bar", true, 1024, 768, 0, 95, 0, -2},
        {"800 x 600 window, bottom bar", true, 800, 600, 799, 599, 1364, 894},
        {"800 x 600 window, top bar", true, 800, 600, 400, 10, 683, -111},
        {"1024 x 600 centre", true, 1024, 600, 512, 300, 683, 384},
        {"no application object yet", false, 1920, 1080, 960, 540, 960, 540},
    };
    for (const Case& c : cases) {
        StandInSeams* seams = InstallStandIns();
        if (c.appExists) {
            CreateGameApp();
        } else {
            DestroyGameApp();
        }
        GetDisplay().mView = FitDesignToOutput(1366, 768, c.outputWidth, c.outputHeight);
        TInputEvent press{kInputLeftDown, 1, c.x, c.y, 0};
        EXPECT_TRUE(DispatchInputEvent(press)) << c.name;
        ASSERT_EQ(seams->handled.size(), 1u) << c.name;
        EXPECT_EQ(seams->handled[0].x, c.wantX) << c.name;
        EXPECT_EQ(seams->handled[0].y, c.wantY) << c.name;
    }
}

TEST(FrameInput, QuitIsNotHandedToTheWindows) {
    StandInSeams* seams = InstallStandIns();
    CreateGameApp();
    const TInputEvent quit{kInputQuit, SDLK_F4, 0, 0, KMOD_LALT};
    EXPECT_FALSE(DispatchInputEvent(quit));
    EXPECT_TRUE(seams->handled.empty());
}

TEST(FrameInput, FocusLossPausesOnceAndGainResumes) {
    struct Case {
        const char* name;
        std::vector<int> focusParams;
        int pauseWindows;
        bool frozen;
        bool soundPaused;
    };
    const Case cases[] = {
        {"lost", {0}, 1, true, true},
        {"lost twice", {0, 0}, 1, true, true},
        {"lost, gained", {0, 1}, 0, false, false},
        {"lost twice, gained once", {0, 0, 1}, 0, false, false},
        {"gained without a pause window", {1}, 0, false, false},
        {"lost, gained, lost", {0, 1, 0}, 1, true, true},
    };
    for (const Case& c : cases) {
        StandInSeams* seams = InstallStandIns();
        CreateGameApp();
        for (int param : c.focusParams) {
            EXPECT_TRUE(DispatchInputEvent(TInputEvent{kInputFocus, param, 0, 0, 0})) << c.name;
        }
        EXPECT_EQ(seams->pauseWindows, c.pauseWindows) << c.name;
        EXPECT_EQ(seams->frozen, c.frozen) << c.name;
        EXPECT_EQ(seams->soundPaused, c.soundPaused) << c.name;
        EXPECT_EQ(GetLoopState().mHasFocus, c.focusParams.back() != 0) << c.name;
        // The windows see the focus events too.
        EXPECT_EQ(seams->handled.size(), c.focusParams.size()) << c.name;
    }
}

} // namespace
