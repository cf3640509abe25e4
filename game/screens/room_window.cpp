#include "room_window.h"

#include "app/settings.h"
#include "app/user_info.h"
#include "controller/board_mahjong.h"

TRoomWindow::TRoomWindow() : TClassicWindow(std::string(kBoxName)) {
    mId = TClassicWindow::kGlobalBoxWindowId;
}

bool TRoomWindow::Update(float dt) {
    if (mGame == nullptr) {
        return false;
    }
    mGame->Update(dt);
    if (!mGame->IsScreenFrozen()) {
        TClassicWindow::Update(dt);
    }
    return false;
}

void TRoomWindow::DrawSelf() {
    TClassicWindow::DrawSelf();
    if (mGame != nullptr) {
        mGame->Draw();
    }
}

void TRoomWindow::DrawOver() {
    TClassicWindow::DrawSelf();
    if (mGame != nullptr) {
        mGame->DrawOver();
    }
}

void TRoomWindow::OnMouseDown(const TMouseEvent& event) {
    if (mGame != nullptr) {
        mGame->OnMouseDown(event);
    }
}

void TRoomWindow::OnMouseMove(const TMouseEvent& event) {
    if (mGame != nullptr) {
        mGame->OnMouseMove(event);
    }
}

void TRoomWindow::OnMouseUp(const TMouseEvent& event) {
    if (mGame != nullptr) {
        mGame->OnMouseUp(event);
    }
}

void TRoomWindow::OnMouseDrag(const TMouseEvent& event) {
    if (mGame != nullptr) {
        mGame->OnMouseDrag(event);
    }
}

void TRoomWindow::Show() {
    mShown = true;
    OnShow();
    AttachController();
}

void TRoomWindow::Hide() {
    if (mGame != nullptr && mGame->IsAttached()) {
        mGame->SetAttached(false);
        mGame->Leave();
    }
    mShown = false;
    mMouseOver = false;
    OnHide();
}

bool TRoomWindow::OnKeyUp(const TKeyEvent& event) {
    if (mGame != nullptr) {
        mGame->OnKeyUp(event.key);
    }
    return true;
}

void TRoomWindow::SetFrozen(bool frozen) {
    if (mGame != nullptr) {
        mGame->SetFrozen(frozen);
    }
}

void TRoomWindow::AttachController() {
    TBoardMahjong* game = TBoardMahjong::Get();
    if (mGame != nullptr && mGame != game && mGame->IsAttached()) {
        mGame->SetAttached(false);
        mGame->Leave();
    }
    mGame = game;
    mGame->SetListener(this);
    if (!mGame->IsAttached()) {
        mGame->SetAttached(true);
        mGame->Activate();
    }
    mGame->Enter();
}

void TRoomWindow::OnNextLevel(TGameBase* /*game*/) {
    TModeProgress& progress = TUserInfo::Get()->GetCurrentModeProgress();
    if (progress.mStage == -1) {
        progress.mStage = 0;
    }
    ++progress.mLevel;
    if (TSettings* settings = TSettings::Get()) {
        settings->SaveProfile();
    }
    AttachController();
}
