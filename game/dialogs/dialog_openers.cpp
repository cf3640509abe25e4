#include "game_windows.h"
#include "screen_openers.h"

#include "app/log.h"

// Stand-ins until the dialogs are built.

namespace {

void LogMissing(const char* window) {
    TLogFile::Get()->Printf("%s not built yet", window);
}

} // namespace

void OpenHelpWindow(TFlyWindowListener*) {
    LogMissing("help window");
}

void OpenOptionsWindow() {
    LogMissing("options window");
}

void OpenDifficultyWindow(TFlyWindowListener*) {
    LogMissing("difficulty window");
}

void OpenProfileListWindow(TFlyWindowListener*) {
    LogMissing("profile list window");
}

void OpenProfileNameWindow(TFlyWindowListener*) {
    LogMissing("profile name window");
}

int GetChosenProfile(TMyWindow*) {
    return -1;
}

std::string GetEnteredProfileName(TMyWindow*) {
    return {};
}

void TGameWindows::ShowGameMenu(TControllerDialogListener* listener) {
    TControllerWindows::ShowGameMenu(listener);
}

void TGameWindows::ShowHelpPage(int page, float showDelay, TControllerDialogListener* listener) {
    TControllerWindows::ShowHelpPage(page, showDelay, listener);
}

void TGameWindows::CloseHelpWindow() {
    TControllerWindows::CloseHelpWindow();
}
