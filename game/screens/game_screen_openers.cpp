#include "controller/board_mahjong.h"
#include "controller/game_windows.h"
#include "screens/level_complete_window.h"
#include "screens/level_name_window.h"
#include "screens/room_window.h"
#include "screens/screen_openers.h"
#include "windows/message_box.h"
#include "windows/tutorial_window.h"
#include "windows/window_manager.h"

void ShowGameScreen() {
    TMyWindowManager::Get()->ShowScreen(std::make_unique<TRoomWindow>(), true, 1);
}

void ResetGameBackground() {
    TBoardMahjong::Get()->GetBackground().Reset();
}

void TGameWindows::ShowLevelIntro(int stageNumber, int levelNumber, const TLevelInfoMosaic& level,
                                  const TLevelStatistics& statistics, TControllerDialogListener* listener) {
    auto window = std::make_unique<TLevelNameWindow>(RelayDialogsTo(listener));
    window->Setup(stageNumber, levelNumber, "", level, statistics);
    TMyWindowManager::Get()->ShowScreen(std::move(window), false, 0);
}

void TGameWindows::ShowResults(const TLevelResult& result, const TLevelInfoMosaic& level,
                               const TLevelStatistics& statistics, bool nextLevelEnabled,
                               TControllerDialogListener* listener) {
    auto window = std::make_unique<TLevelCompleteWindow>(result, level, statistics, RelayDialogsTo(listener));
    if (TMyButton* next = window->GetButton("nextlevel"); next != nullptr && !nextLevelEnabled) {
        next->mDisabled = true;
    }
    TMyWindowManager::Get()->ShowPopup(std::move(window));
}

void TGameWindows::ShowMessageBox(const std::string& messageKey, float showDelay, TControllerDialogListener* listener) {
    auto window = std::make_unique<TMessageBoxOkWindow>(RelayDialogsTo(listener), "", messageKey, kMessageBoxId);
    window->mShowDelay = showDelay;
    TMyWindowManager::Get()->ShowPopup(std::move(window));
}

void TGameWindows::ShowTutorial(const std::string& name) {
    ::ShowTutorial(name, true, -1);
}

void TGameWindows::CloseTutorial() {
    HideTutorial();
}
