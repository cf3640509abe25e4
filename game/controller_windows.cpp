#include "controller_windows.h"

#include "app/log.h"
#include "windows/fly_window.h"
#include "windows/window_manager.h"

namespace {

class TDialogRelay : public TFlyWindowListener {
public:
    void OnFlyWindowShown(TFlyWindow*, int) override {
        if (mListener != nullptr) {
            mListener->OnDialogShown();
        }
    }
    void OnFlyWindowHidden(TFlyWindow*, int) override {
        if (mListener != nullptr) {
            mListener->OnDialogHidden();
        }
    }
    void OnFlyWindowClosed(TFlyWindow*, int windowId, int result) override {
        if (mListener != nullptr) {
            mListener->OnDialogClosed(windowId, result);
        }
    }

    TWeakRef<TControllerDialogListener> mListener;
};

TDialogRelay& Relay() {
    static TDialogRelay relay;
    return relay;
}

void LogMissing(const char* window) {
    TLogFile::Get()->Printf("game controller: %s not built, nothing opened", window);
}

} // namespace

TFlyWindowListener* RelayDialogsTo(TControllerDialogListener* listener) {
    Relay().mListener = listener;
    return &Relay();
}

void ForgetDialogListener(TControllerDialogListener* listener) {
    if (Relay().mListener == listener) {
        Relay().mListener = nullptr;
    }
}

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
