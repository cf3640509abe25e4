#include "game_windows.h"
#include "screen_openers.h"

#include "app/log.h"

// Stand-ins until the map and the main menu are built.

void ShowMapScreen() {
    TLogFile::Get()->Printf("map not built yet");
}

void ShowMainMenuScreen() {
    TLogFile::Get()->Printf("main menu not built yet");
}

void TGameWindows::ShowMap() {
    ShowMapScreen();
}

void TGameWindows::ShowMainMenu() {
    ShowMainMenuScreen();
}
