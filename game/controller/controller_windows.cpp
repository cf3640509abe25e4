#include "controller_windows.h"

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

void TControllerWindows::CloseHelpWindow() {}

void TControllerWindows::ShowTutorial(const std::string&) {}

void TControllerWindows::CloseTutorial() {}

bool TControllerWindows::IsWindowOpen(int id) const {
    return TMyWindowManager::Get()->FindById(id) != nullptr;
}
