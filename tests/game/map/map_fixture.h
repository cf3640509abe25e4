#pragma once
// The real game started in-process over the shipped assets: the player's clicks and keys pushed as SDL
// events at design coordinates, frames stepped with the test clock, and the screens read back from the
// window manager.

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/frame_events.h"
#include "app/settings.h"
#include "app/startup_seams.h"
#include "app/user_info.h"
#include "game_seams.h"
#include "game_settings.h"
#include "harness/harness.h"
#include "rewards.h"
#include "screen_openers.h"
#include "user_records.h"
#include "windows/tutorial_window.h"
#include "windows/window_manager.h"

class MapScreensTest : public testing::Test {
protected:
    // An eighth of a second: exact in binary, so times add up without rounding.
    static constexpr uint32_t kFrameMs = 125;
    static constexpr int kFramesPerSecond = 8;
    // Long enough for a screen change through the fader to end.
    static constexpr int kFaderFrames = 16;

    void SetUp() override { SetSeams(std::make_unique<TGameSeams>()); }

    void TearDown() override {
        mGame.reset();
        // What ends with the process beyond what shutdown deletes.
        TUserInfo::Release();
        RemoveUserRecords();
        TRewardConnector::Get() = TRewardConnector();
        GetProfileDifficulty() = TBaseMosaicSettings();
    }

    void Start() {
        mGame = std::make_unique<harness::RunningGame>();
        ASSERT_EQ(mGame->GetStartResult(), 0);
        harness::UseDesignSizedWindow();
        Frames(kFaderFrames);
    }

    // Started, with a player whose profile the test then shapes, and a menu made for that player (the
    // name window the first menu asked for taken away).
    void StartWithPlayer(const std::string& name = "Anna") {
        Start();
        TSettings::Get()->AddUser(name);
        FreshMenu();
    }

    void Frames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            mClock.Advance(kFrameMs);
            mGame->Step();
        }
    }

    void Seconds(float seconds) { Frames(static_cast<int>(seconds * kFramesPerSecond + 0.5f)); }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }

    void PressAt(int x, int y) {
        Push(MotionEvent(0, x, y));
        Push(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y));
        Frames(1);
    }

    void ReleaseAt(int x, int y) {
        Push(MotionEvent(SDL_BUTTON_LMASK, x, y));
        Push(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y));
        Frames(1);
    }

    void ClickAt(int x, int y) {
        PressAt(x, y);
        ReleaseAt(x, y);
    }

    void KeyUp(SDL_Keycode key) {
        Push(KeyEvent(SDL_KEYUP, key, KMOD_NONE));
        Frames(1);
    }

    template <class T> static T* TopScreen() {
        const auto& screens = TMyWindowManager::Get()->GetScreens();
        return screens.empty() ? nullptr : dynamic_cast<T*>(screens.back());
    }

    static size_t LogMark() { return harness::LogLines().size(); }

    static int CountLogLinesSince(size_t mark, const std::string& text) {
        const std::vector<std::string> lines = harness::LogLines();
        int count = 0;
        for (size_t i = mark; i < lines.size(); ++i) {
            count += lines[i].find(text) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    // Whether a window opener was called since the mark: its window is present, or its stand-in said it
    // is not built.
    static bool OpenedSince(size_t mark, const std::string& window, int windowId) {
        return (windowId != 0 && TMyWindowManager::Get()->FindById(windowId) != nullptr) ||
               CountLogLinesSince(mark, window + " not built yet") > 0;
    }

    // Every popup taken away (the tutorial stays with the manager) and a new main menu shown.
    void FreshMenu() {
        TMyWindowManager* manager = TMyWindowManager::Get();
        std::vector<TMyWindow*> popups = manager->GetPopups();
        popups.insert(popups.end(), manager->GetWaitingPopups().begin(), manager->GetWaitingPopups().end());
        for (TMyWindow* popup : popups) {
            if (popup != TMyTutorialWindow::FindInstance()) {
                delete manager->Remove(popup);
            }
        }
        ShowMainMenuScreen();
        Frames(kFaderFrames);
    }

    static size_t PopupCount() {
        size_t count = 0;
        for (const TMyWindow* popup : TMyWindowManager::Get()->GetPopups()) {
            count += popup != TMyTutorialWindow::FindInstance() ? 1 : 0;
        }
        return count + TMyWindowManager::Get()->GetWaitingPopups().size();
    }

    static int CountLogLines(const std::string& text) {
        int count = 0;
        for (const std::string& line : harness::LogLines()) {
            count += line.find(text) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    // The map's tips as already seen, so that none covers the plates.
    static void MarkMapTipsSeen() {
        for (const char* tip : {"TipMapClickToPlay", "TipMapClickToNextStage"}) {
            TUserInfo::Get()->AddPair(TMyTutorialWindow::kShownKey, tip);
        }
    }

    static const TMyTutorialWindow* ShowingTip() {
        const TMyTutorialWindow* tutorial = TMyTutorialWindow::FindInstance();
        return tutorial != nullptr && tutorial->IsShowingStep() ? tutorial : nullptr;
    }

    static std::string ShowingTipName() {
        const TMyTutorialWindow* tutorial = ShowingTip();
        return tutorial != nullptr ? tutorial->GetStateText() : "";
    }

    harness::SteppedClock mClock;
    std::unique_ptr<harness::RunningGame> mGame;
};
