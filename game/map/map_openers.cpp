#include "map_openers.h"

#include "controller/game_windows.h"
#include "map/logos_window.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map/profile_changes.h"
#include "media/sound_manager.h"
#include "screens/screen_openers.h"
#include "windows/window_manager.h"

namespace {
constexpr int kFader = 1;
} // namespace

void ShowMapScreen() {
    TMyWindowManager::Get()->ShowScreen(std::make_unique<TMapWindow>(), true, kFader);
}

void ShowMainMenuScreen() {
    TMyWindowManager::Get()->ShowScreen(std::make_unique<TMainMenu>(), true, kFader);
}

void ShowFirstGameScreen(bool splash) {
    // A new run: the profile start-up read is the one the menus compare with, and the first menu greets.
    RememberProfileState();
    TMainMenu::ResetFirstShow();
    // Nothing is on the screen yet: the first one shows at once, without the fader.
    std::unique_ptr<TMyWindow> first;
    if (splash) {
        first = std::make_unique<TLogosWindow>();
    } else {
        first = std::make_unique<TMainMenu>();
    }
    TMyWindowManager::Get()->ShowScreen(std::move(first), true, 0);
}

void PlayMenuMusic() {
    TSoundManager* sound = TSoundManager::FindInstance();
    if (sound != nullptr && !sound->IsMusicPlaying("mainmenu")) {
        sound->PlayMusic("mainmenu");
    }
}

void TGameWindows::ShowMap() {
    ShowMapScreen();
}

void TGameWindows::ShowMainMenu() {
    ShowMainMenuScreen();
}
