#include "pause_window.h"

#include "controller/controller_windows.h"

namespace {

bool IsCloseCode(int code) {
    return code == ' ' || code == 27;
}

} // namespace

TPauseWindow::TPauseWindow() : TClassicWindow(kFile, true) {
    mId = kPauseWindowId;
    SetDisabledRecursive(true);
}

void TPauseWindow::OnChar(int c) {
    if (IsCloseCode(c)) {
        Close(0);
    }
}

bool TPauseWindow::OnKeyDown(const TKeyEvent& event) {
    if (IsCloseCode(event.key)) {
        Close(0);
        return true;
    }
    return false;
}
