#include <algorithm>

#include "app/log.h"
#include "controller/board_mahjong.h"
#include "controller/game_windows.h"
#include "data/level_info.h"
#include "dialogs/dialog_windows.h"
#include "dialogs/difficulty_window.h"
#include "dialogs/game_menu.h"
#include "dialogs/help_window.h"
#include "dialogs/options_window.h"
#include "dialogs/profile_windows.h"
#include "screens/screen_openers.h"
#include "windows/window_manager.h"

namespace {

// Tells the game controller what a fly window it opened does: shown, hidden, closed with a result.
class TControllerDialogBridge : public TFlyWindowListener {
public:
    void SetTarget(TControllerDialogListener* target) { mTarget = target; }

    void OnFlyWindowShown(TFlyWindow*, int) override {
        if (mTarget != nullptr) {
            mTarget->OnDialogShown();
        }
    }
    void OnFlyWindowHidden(TFlyWindow*, int) override {
        if (mTarget != nullptr) {
            mTarget->OnDialogHidden();
        }
    }
    void OnFlyWindowClosed(TFlyWindow*, int windowId, int result) override {
        if (mTarget != nullptr) {
            mTarget->OnDialogClosed(windowId, result);
        }
    }

private:
    TWeakRef<TControllerDialogListener> mTarget;
};

// One bridge per window the controller opens; they outlive every window that reports to them.
TControllerDialogBridge& GameMenuBridge() {
    static TControllerDialogBridge bridge;
    return bridge;
}

TControllerDialogBridge& HelpBridge() {
    static TControllerDialogBridge bridge;
    return bridge;
}

// The game type of the controller's level; 0 without one.
int GameTypeOf(TControllerDialogListener* listener) {
    const auto* controller = dynamic_cast<TBoardMahjong*>(listener);
    const TLevelInfoMosaic* level = controller != nullptr ? controller->GetLevelRecord() : nullptr;
    return level != nullptr ? level->mGameType : 0;
}

} // namespace

std::unique_ptr<TFlyWindow> CreateHelpWindow(TFlyWindowListener* listener) {
    auto help = std::make_unique<THelpWindow>(listener);
    if (!help->CanBeClosed()) {
        TLogFile::Get()->Printf("help window: %s has no close button, not shown", THelpWindow::kFile);
        return nullptr;
    }
    return help;
}

std::unique_ptr<TFlyWindow> CreateOptionsWindow(TFlyWindowListener* listener) {
    return std::make_unique<TOptionsWindow>("ui/options.xml", listener);
}

std::unique_ptr<TFlyWindow> CreateDifficultyWindow(TFlyWindowListener* listener) {
    return std::make_unique<TSelectDifficultyModeWindow>(listener);
}

void OpenHelpWindow(TFlyWindowListener* listener) {
    if (std::unique_ptr<TFlyWindow> help = CreateHelpWindow(listener)) {
        TMyWindowManager::Get()->ShowPopup(std::move(help));
    }
}

void OpenOptionsWindow() {
    TMyWindowManager::Get()->ShowPopup(CreateOptionsWindow(nullptr));
}

void OpenDifficultyWindow(TFlyWindowListener* listener) {
    TMyWindowManager::Get()->ShowPopup(CreateDifficultyWindow(listener));
}

void OpenProfileListWindow(TFlyWindowListener* listener) {
    TMyWindowManager::Get()->ShowPopup(std::make_unique<TSelectUserWindow>(listener));
}

void OpenProfileNameWindow(TFlyWindowListener* listener) {
    ShowUserNameWindow(listener);
}

int GetChosenProfile(TMyWindow* profileListWindow) {
    const auto* list = dynamic_cast<TSelectUserWindow*>(profileListWindow);
    return list != nullptr && list->IsSelectionMade() ? list->GetSelectedIndex() : -1;
}

std::string GetEnteredProfileName(TMyWindow* profileNameWindow) {
    const auto* names = dynamic_cast<TUserNameWindow*>(profileNameWindow);
    return names != nullptr ? names->GetName() : std::string();
}

void TGameWindows::ShowGameMenu(TControllerDialogListener* listener) {
    GameMenuBridge().SetTarget(listener);
    TMyWindowManager::Get()->ShowPopup(
        std::make_unique<TGameMenuWindow>("ui/gamemenu.xml", &GameMenuBridge(), GameTypeOf(listener)));
}

void TGameWindows::ShowHelpPage(int page, float showDelay, TControllerDialogListener* listener) {
    HelpBridge().SetTarget(listener);
    std::unique_ptr<TFlyWindow> window = CreateHelpWindow(&HelpBridge());
    auto* help = static_cast<THelpWindow*>(window.get());
    if (help == nullptr) {
        HelpBridge().SetTarget(nullptr);
        return;
    }
    help->ShowSinglePage(page);
    help->mShowDelay = showDelay;
    TMyWindowManager::Get()->ShowPopup(std::move(window));
}

void TGameWindows::CloseHelpWindow() {
    TMyWindowManager* manager = TMyWindowManager::FindInstance();
    TMyWindow* help = manager != nullptr ? manager->FindById(THelpWindow::kWindowId) : nullptr;
    if (help == nullptr) {
        return;
    }
    const std::vector<TMyWindow*>& popups = manager->GetPopups();
    const bool shown = std::find(popups.begin(), popups.end(), help) != popups.end();
    // Deleted on leaving, after the controller has heard the last of it.
    const std::unique_ptr<TMyWindow> owned = manager->Remove(help);
    // A window that was on the screen lets the controller go on; after that it hears nothing more from it.
    if (shown) {
        help->Hide();
    }
    HelpBridge().SetTarget(nullptr);
}
