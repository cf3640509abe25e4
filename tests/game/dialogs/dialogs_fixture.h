#pragma once
// The real game started in-process over the shipped assets/, a design-sized window, and the player's
// pointer and typing pushed as SDL events; frames are stepped with the test clock. Helpers find the
// dialogs' controls and click their centres.

#include "shell/startup.h"
#include <gtest/gtest.h>

#include <SDL.h>
#include <memory>
#include <string>
#include <vector>

#include "app/display_modes.h"
#include "app/frame_events.h"
#include "app/settings.h"
#include "app/string_utils.h"
#include "app/user_info.h"
#include "controller/controller_windows.h"
#include "data/mosaic_settings.h"
#include "data/rewards.h"
#include "data/user_records.h"
#include "game_seams.h"
#include "harness/harness.h"
#include "shell/startup_seams.h"
#include "windows/button.h"
#include "windows/fly_window.h"
#include "windows/window_manager.h"

namespace dialogtest {

// What a dialog reported to the window that opened it.
class TClosedRecorder : public TFlyWindowListener {
public:
    void OnFlyWindowClosed(TFlyWindow*, int id, int result) override {
        mLines.push_back(FormatString("closed %d %d", id, result));
    }
    std::vector<std::string> mLines;
};

// What the game controller hears of the dialogs it opened.
class TControllerRecorder : public TControllerDialogListener {
public:
    void OnDialogShown() override { mLines.push_back("shown"); }
    void OnDialogHidden() override { mLines.push_back("hidden"); }
    void OnDialogClosed(int id, int result) override { mLines.push_back(FormatString("closed %d %d", id, result)); }
    std::vector<std::string> mLines;
};

class RunningDialogsTest : public testing::Test {
protected:
    void SetUp() override {
        SetSeams(std::make_unique<TGameSeams>());
        mGame = std::make_unique<harness::RunningGame>();
        ASSERT_EQ(mGame->GetStartResult(), 0);
        harness::UseDesignSizedWindow();
        Frame();
        // The first screen, the main menu, asks a first player's name in its first frames; these tests
        // open their dialogs themselves.
        for (int frame = 0; frame < 8 && TMyWindowManager::Get()->FindById(101) == nullptr; ++frame) {
            Frame();
        }
        TMyWindowManager::Get()->CloseById(101);
    }

    void TearDown() override {
        mGame.reset();
        ReleaseProcessState();
    }

    void Frame(int count = 1) {
        for (int frame = 0; frame < count; ++frame) {
            mClock.Advance(125);
            mGame->Step();
        }
    }

    // Long enough for any dialog to fly in or out.
    void Settle() { Frame(12); }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }

    // Design coordinates, turned into the window's (they differ once the display has gone full screen).
    void ClickAt(int designX, int designY, Uint8 button = SDL_BUTTON_LEFT) {
        const TViewTransform& view = GetDisplay().mView;
        const int x = static_cast<int>(view.ToOutputX(static_cast<float>(designX + gScreenOffset.x) + 0.5f));
        const int y = static_cast<int>(view.ToOutputY(static_cast<float>(designY + gScreenOffset.y) + 0.5f));
        Push(MotionEvent(0, x, y));
        Push(ButtonEvent(SDL_MOUSEBUTTONDOWN, button, x, y));
        Push(ButtonEvent(SDL_MOUSEBUTTONUP, button, x, y));
        Frame();
    }

    // A click on the middle of the control, in design coordinates.
    void Click(const TMyWindow* control) {
        ASSERT_NE(control, nullptr);
        int x = 0;
        int y = 0;
        control->GetAbsolutePosition(x, y);
        ClickAt(x + control->mWidth / 2, y + control->mHeight / 2);
    }

    // A click at a fraction of a slider's usable track.
    void ClickSlider(const TBaseSlider* slider, float at) {
        ASSERT_NE(slider, nullptr);
        int x = 0;
        int y = 0;
        slider->GetAbsolutePosition(x, y);
        const int usable = slider->mWidth - 2 * slider->mMargin;
        ClickAt(x + slider->mMargin + static_cast<int>(static_cast<float>(usable) * at + 0.5f),
                y + slider->mHeight / 2);
    }

    void Type(const std::string& utf8) {
        Push(TextEvent(utf8.c_str()));
        Frame();
    }

    void PressKey(SDL_Keycode key) {
        Push(KeyEvent(SDL_KEYDOWN, key, 0));
        Push(KeyEvent(SDL_KEYUP, key, 0));
        Frame();
    }

    static TMyWindow* Find(const TMyWindow* window, const std::string& name) {
        return window != nullptr ? window->FindChildByName(name) : nullptr;
    }
    static TMyButton* FindButton(const TMyWindow* window, const std::string& name) {
        return dynamic_cast<TMyButton*>(Find(window, name));
    }
    static TMyWindow* TopPopup() { return TMyWindowManager::Get()->GetTopActivePopup(); }
    static TMyWindow* FindWindow(int id) { return TMyWindowManager::Get()->FindById(id); }

    // A player made current, so the profile has a file to be saved to.
    static void AddPlayer(const std::string& name) { TSettings::Get()->AddUser(name); }

    harness::SteppedClock mClock;
    std::unique_ptr<harness::RunningGame> mGame;
};

} // namespace dialogtest
