#include "game_windows.h"
#include "screen_openers.h"

#include "app/log.h"

// Stand-ins until the game screen and its windows are built.

void ShowGameScreen() {
    TLogFile::Get()->Printf("game screen not built yet");
}

void ResetGameBackground() {}

void TGameWindows::ShowLevelIntro(int stageNumber, int levelNumber, const TLevelInfoMosaic& level,
                                  const TLevelStatistics& statistics, TControllerDialogListener* listener) {
    TControllerWindows::ShowLevelIntro(stageNumber, levelNumber, level, statistics, listener);
}

void TGameWindows::ShowResults(const TLevelResult& result, const TLevelInfoMosaic& level,
                               const TLevelStatistics& statistics, bool nextLevelEnabled,
                               TControllerDialogListener* listener) {
    TControllerWindows::ShowResults(result, level, statistics, nextLevelEnabled, listener);
}

void TGameWindows::ShowMessageBox(const std::string& messageKey, float showDelay, TControllerDialogListener* listener) {
    TControllerWindows::ShowMessageBox(messageKey, showDelay, listener);
}

void TGameWindows::ShowTutorial(const std::string& name) {
    TControllerWindows::ShowTutorial(name);
}

void TGameWindows::CloseTutorial() {
    TControllerWindows::CloseTutorial();
}
