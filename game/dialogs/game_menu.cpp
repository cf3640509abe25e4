#include "game_menu.h"

#include <algorithm>

#include "app/settings.h"
#include "data/stages.h"
#include "data/tilesets.h"
#include "dialogs/dialog_windows.h"
#include "windows/window_manager.h"

namespace {

// In arrangement order.
const char* const kMenuButtonNames[] = {"gamemenu_options",    "gamemenu_help",   "gamemenu_quit",
                                        "gamemenu_continue",   "gamemenu_replay", "gamemenu_changedifficulty",
                                        "gamemenu_selectlevel"};

} // namespace

TGameMenuWindow::TGameMenuWindow(const std::string& file, TFlyWindowListener* listener, int gameType)
    : TFlyWindow(listener, true, file) {
    mId = kWindowId;
    if (mHolder) {
        if (const TUIBaseBox* box = mHolder->FindObject("gamemenu_box")) {
            mBoxX = box->mX;
            mBoxY = box->mY;
            mBoxWidth = box->mW;
            mBoxHeight = box->mH;
        }
        if (const TUIBaseBox* preview = mHolder->FindObject("preview")) {
            mPreviewX = preview->mX;
            mPreviewY = preview->mY;
        }
    }
    FindMenuButtons();
    ArrangeVertically();
    ArrangeHorizontally();
    mTilesets = FindTilesetDefaults(gameType);
    mNextButton = dynamic_cast<TMyButton*>(FindChildByName("next"));
    mPrevButton = dynamic_cast<TMyButton*>(FindChildByName("prev"));
    UpdatePreviewButtons();
}

void TGameMenuWindow::FindMenuButtons() {
    for (const char* name : kMenuButtonNames) {
        if (TMyWindow* button = FindChildByName(name)) {
            mMenuButtons.push_back(button);
        }
    }
}

void TGameMenuWindow::ArrangeVertically() {
    const int count = static_cast<int>(mMenuButtons.size());
    int total = 0;
    for (const TMyWindow* button : mMenuButtons) {
        total += button->GetHeight();
    }
    const int gap = total < mBoxHeight ? (mBoxHeight - total) / (count + 1) : 0;
    int y = mBoxY + gap;
    for (TMyWindow* button : mMenuButtons) {
        button->mY = y;
        if (y + gap + button->GetHeight() < mBoxY + gap + mBoxHeight) {
            y += gap + button->GetHeight();
        }
    }
}

void TGameMenuWindow::ArrangeHorizontally() {
    if (mMenuButtons.empty()) {
        return;
    }
    const int count = static_cast<int>(mMenuButtons.size());
    int total = 0;
    for (const TMyWindow* button : mMenuButtons) {
        total += button->GetWidth();
    }
    if (total < mBoxWidth) {
        const int gap = (mBoxWidth - total) / (count + 1);
        int x = mBoxX + gap;
        for (TMyWindow* button : mMenuButtons) {
            button->mX = x;
            x += gap + button->GetWidth();
        }
        return;
    }
    const int x = mBoxX + (mBoxWidth - mMenuButtons.front()->GetWidth()) / 2;
    for (TMyWindow* button : mMenuButtons) {
        button->mX = x;
    }
}

bool TGameMenuWindow::CanBrowse() const {
    return mTilesets != nullptr && mTilesets->mTilesets.size() > 1 && mTilesets->mCanChange;
}

void TGameMenuWindow::StepPreview(int delta) {
    const int count = mTilesets != nullptr ? static_cast<int>(mTilesets->mTilesets.size()) : 0;
    mPreviewIndex = std::max(0, std::min(mPreviewIndex + delta, count - 1));
    UpdatePreviewButtons();
}

void TGameMenuWindow::UpdatePreviewButtons() {
    const bool browse = CanBrowse();
    const int count = mTilesets != nullptr ? static_cast<int>(mTilesets->mTilesets.size()) : 0;
    for (TMyButton* button : {mNextButton, mPrevButton}) {
        if (button != nullptr) {
            button->mShown = browse;
            button->mMouseOver = button->mMouseOver && browse;
        }
    }
    if (mNextButton != nullptr) {
        mNextButton->mDisabled = mTilesets == nullptr || mPreviewIndex >= count - 1;
    }
    if (mPrevButton != nullptr) {
        mPrevButton->mDisabled = mPreviewIndex == 0;
    }
}

void TGameMenuWindow::DrawSelf() {
    TFlyWindow::DrawSelf();
    if (!CanBrowse()) {
        return;
    }
    TTileset* tileset = FindTileset(mTilesets->mTilesets[static_cast<size_t>(mPreviewIndex)]);
    if (tileset == nullptr) {
        return;
    }
    tileset->mPreview.SetPosition(static_cast<float>(mX + mDrawOffsetX + mPreviewX),
                                  static_cast<float>(mY + mDrawOffsetY + mPreviewY), true);
    tileset->mPreview.Draw(mAlpha);
}

void TGameMenuWindow::HideForPopup() {
    mShown = false;
    mMouseOver = false;
}

void TGameMenuWindow::OnButtonClick(int, TMyWindow*, int buttonId, TMyButton*) {
    mPendingResult = buttonId;
    TMyWindowManager* manager = TMyWindowManager::Get();
    switch (buttonId) {
    case kOptions:
        HideForPopup();
        manager->ShowPopup(CreateOptionsWindow(this));
        break;
    case kHelp:
        if (std::unique_ptr<TFlyWindow> help = CreateHelpWindow(this)) {
            HideForPopup();
            manager->ShowPopup(std::move(help));
        }
        break;
    case kQuit: {
        HideForPopup();
        auto confirm = std::make_unique<TFlyWindow>(this, true, "ui/quitgame.xml");
        confirm->mId = kQuitConfirmId;
        manager->ShowPopup(std::move(confirm));
        break;
    }
    case kContinue:
    case kReplay:
    case kSelectLevel:
        Close(buttonId);
        break;
    case kPrevious:
        StepPreview(-1);
        break;
    case kNext:
        StepPreview(1);
        break;
    case kDifficulty:
        manager->ShowPopup(CreateDifficultyWindow(this));
        break;
    default:
        break;
    }
}

void TGameMenuWindow::OnFlyWindowClosed(TFlyWindow*, int windowId, int result) {
    if (windowId == kQuitConfirmId && result == 1) {
        // Leaving for the main menu: the profile is written first, so nothing played since the last save is lost.
        if (TSettings* settings = TSettings::Get()) {
            settings->SaveProgress();
        }
        Close(mPendingResult);
        return;
    }
    mShown = true;
}
