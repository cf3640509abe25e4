#include "controller_windows.h"

#include "app/log.h"
#include "windows/window_manager.h"

namespace {

void LogMissing(const char* window) {
    TLogFile::Get()->Printf("game controller: %s not built, nothing opened", window);
}

} // namespace

void TControllerWindows::ShowLevelIntro(int, int, const TLevelInfoMosaic&, const TLevelStatistics&,
                                        TControllerDialogListener*) {
    LogMissing("level intro");
}

void TControllerWindows::ShowResults(const TLevelResult&, const TLevelInfoMosaic&, const TLevelStatistics&, bool,
                                     TControllerDialogListener*) {
    LogMissing("results window");
}

void TControllerWindows::ShowMessageBox(const std::string&, float, TControllerDialogListener*) {
    LogMissing("message box");
}

void TControllerWindows::ShowGameMenu(TControllerDialogListener*) {
    LogMissing("game menu");
}

void TControllerWindows::ShowHelpPage(int, float, TControllerDialogListener*) {
    LogMissing("help window");
}

void TControllerWindows::CloseHelpWindow() {}

void TControllerWindows::ShowTutorial(const std::string&) {}

void TControllerWindows::CloseTutorial() {}

void TControllerWindows::ShowMap() {
    LogMissing("map");
}

void TControllerWindows::ShowMainMenu() {
    LogMissing("main menu");
}

bool TControllerWindows::IsWindowOpen(int id) const {
    return TMyWindowManager::Get()->FindById(id) != nullptr;
}
