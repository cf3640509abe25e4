#include "windows/window.h"

#include <algorithm>

#include "media/sound_manager.h"
#include "windows/countdown.h"
#include "windows/game_cursors.h"
#include "windows/window_manager.h"

TMyWindowContainer::~TMyWindowContainer() {
    RemoveAllChildren(true, false);
    --sLiveCount;
}

bool TMyWindowContainer::Update(float dt) {
    // A child's update may not add or remove siblings, but a copy keeps the walk safe if one does.
    const std::vector<TMyWindow*> children = mChildren;
    for (TMyWindow* child : children) {
        child->Update(child->mFixedStep ? kFixedStep : dt);
    }
    return mCloseRequest;
}

void TMyWindowContainer::SetChildShown(const std::string& name, bool shown) {
    TMyWindow* child = FindChildByName(name);
    if (child == nullptr) {
        return;
    }
    child->mShown = shown;
    if (!shown) {
        child->mMouseOver = false;
    }
}

float TMyWindowContainer::GetParentAlpha() const {
    if (mParent == nullptr) {
        return 1.0f;
    }
    return mParent->GetParentAlpha() * mParent->mAlpha;
}

bool TMyWindowContainer::TickShowDelay(float dt) {
    CountDown(mShowDelay, dt);
    return IsShowDelayOver();
}

void TMyWindowContainer::NotifyAll() {
    for (TMyWindow* child : mChildren) {
        child->NotifyAll();
    }
}

void TMyWindowContainer::ReleaseTextures() {
    for (TMyWindow* child : mChildren) {
        child->ReleaseTextures();
    }
}

TMyWindow* TMyWindowContainer::FindChildByName(const std::string& name) const {
    for (TMyWindow* child : mChildren) {
        if (child->mName == name) {
            return child;
        }
    }
    return nullptr;
}

TMyWindow* TMyWindowContainer::FindChildById(int id) const {
    for (TMyWindow* child : mChildren) {
        if (child->mId == id) {
            return child;
        }
    }
    return nullptr;
}

void TMyWindowContainer::GetAbsolutePosition(int& x, int& y) const {
    x = 0;
    y = 0;
    for (const TMyWindowContainer* window = this; window != nullptr; window = window->mParent) {
        x += window->mX;
        y += window->mY;
    }
}

void TMyWindowContainer::SetDisabledRecursive(bool disabled) {
    for (TMyWindow* child : mChildren) {
        child->mDisabled = disabled;
        child->SetDisabledRecursive(disabled);
    }
}

bool TMyWindowContainer::ContainsDescendant(const TMyWindowContainer* window) const {
    for (const TMyWindow* child : mChildren) {
        if (child == window || child->ContainsDescendant(window)) {
            return true;
        }
    }
    return false;
}

void TMyWindowContainer::RemoveAllChildren(bool deleteChildren, bool recurse) {
    while (!mChildren.empty()) {
        TMyWindow* child = mChildren.front();
        mChildren.erase(mChildren.begin());
        child->mParent = nullptr;
        if (recurse) {
            child->RemoveAllChildren(deleteChildren, true);
        }
        if (deleteChildren) {
            delete child;
        }
    }
}

void TMyWindowContainer::AddChild(TMyWindow* child) {
    if (child == nullptr || std::find(mChildren.begin(), mChildren.end(), child) != mChildren.end()) {
        return;
    }
    mChildren.push_back(child);
    child->mParent = this;
}

TMyWindow::TMyWindow(TMyWindowContainer* parent) {
    if (parent != nullptr) {
        parent->AddChild(this);
    }
}

TMyWindow::~TMyWindow() {
    // The children go first, while this window is still whole.
    RemoveAllChildren(true, false);
    if (mParent != nullptr) {
        std::erase(mParent->mChildren, this);
    }
    if (mMouseOver) {
        TMyWindow::SetHandCursor(false);
    }
    if (TMyWindowManager* manager = TMyWindowManager::FindInstance()) {
        manager->ForgetWindow(this);
    }
}

void TMyWindow::Draw() {
    if (!mShown) {
        return;
    }
    DrawSelf();
    DrawChildren();
    DrawOver();
}

void TMyWindow::DrawChildren() {
    // A child is placed by this window's drawn position, so every depth draws where it is hit.
    const int originX = mDrawOffsetX + mX;
    const int originY = mDrawOffsetY + mY;
    for (TMyWindow* child : mChildren) {
        if (!child->mDrawn) {
            continue;
        }
        child->mDrawOffsetX = child->mAbsolute ? 0 : originX;
        child->mDrawOffsetY = child->mAbsolute ? 0 : originY;
        child->Draw();
        child->mDrawOffsetX = 0;
        child->mDrawOffsetY = 0;
    }
}

void TMyWindow::OnMouseDown(const TMouseEvent& event) {
    if (mListener != nullptr) {
        mListener->OnWindowMouseDown(this, event);
    }
    PlaySoundIfNamed(mSoundDown);
    if ((mPassThrough & kPassDown) != 0 && GetParentWindow() != nullptr) {
        GetParentWindow()->OnMouseDown(event);
    }
}

void TMyWindow::OnMouseMove(const TMouseEvent& event) {
    if (mListener != nullptr) {
        mListener->OnWindowMouseMove(this, event);
    }
    if ((mPassThrough & kPassMove) != 0 && GetParentWindow() != nullptr) {
        GetParentWindow()->OnMouseMove(event);
    }
}

void TMyWindow::OnMouseUp(const TMouseEvent& event) {
    if (mListener != nullptr) {
        mListener->OnWindowMouseUp(this, event);
    }
    if ((mPassThrough & kPassUp) != 0 && GetParentWindow() != nullptr) {
        GetParentWindow()->OnMouseUp(event);
    }
}

void TMyWindow::OnMouseEnter() {
    PlaySoundIfNamed(mSoundEnter);
    mMouseOver = true;
    if (mListener != nullptr) {
        mListener->OnWindowMouseEnter(this);
    }
}

void TMyWindow::OnMouseLeave() {
    PlaySoundIfNamed(mSoundLeave);
    mMouseOver = false;
    if (mListener != nullptr) {
        mListener->OnWindowMouseLeave(this);
    }
}

void TMyWindow::SetHandCursor(bool hand) {
    if (hand) {
        TGameCursors::Get()->Select("hand");
        return;
    }
    // A window deleted at shutdown may outlive the cursor set; it is not made again for that.
    if (TGameCursors* cursors = TGameCursors::FindInstance()) {
        cursors->SetDefault();
    }
}

void TMyWindow::OnShow() {
    for (TMyWindow* child : mChildren) {
        child->OnShow();
    }
}

void TMyWindow::OnHide() {
    for (TMyWindow* child : mChildren) {
        child->OnHide();
    }
}

void TMyWindow::Show() {
    mShown = true;
    OnShow();
}

void TMyWindow::Hide() {
    mShown = false;
    mMouseOver = false;
    OnHide();
}

bool TMyWindow::OnKeyDown(const TKeyEvent& event) {
    for (TMyWindow* child : mChildren) {
        if (child->OnKeyDown(event)) {
            return true;
        }
    }
    return false;
}

bool TMyWindow::OnKeyUp(const TKeyEvent& event) {
    for (TMyWindow* child : mChildren) {
        if (child->OnKeyUp(event)) {
            return true;
        }
    }
    return false;
}

void TMyWindow::OnChar(int c) {
    for (TMyWindow* child : mChildren) {
        child->OnChar(c);
    }
}

bool TMyWindow::ContainsPoint(int px, int py) {
    return mX <= px && px < mX + mWidth && mY <= py && py < mY + mHeight;
}

bool TMyWindow::IsHit(int px, int py) {
    return ContainsPoint(px, py) && AcceptsPoint(px - mX, py - mY);
}

void TMyWindow::SetPosition(int x, int y) {
    SetRect(x, y, mWidth, mHeight);
}

void TMyWindow::SetSize(int w, int h) {
    // The anchor is taken back out of the stored corner, so repeated calls do not drift.
    int anchorX = mX;
    int anchorY = mY;
    if (mHAlign == kAlignCentre) {
        anchorX += GetWidth() / 2;
    } else if (mHAlign == kAlignFar) {
        anchorX += GetWidth();
    }
    if (mVAlign == kAlignCentre) {
        anchorY += GetHeight() / 2;
    } else if (mVAlign == kAlignFar) {
        anchorY += GetHeight();
    }
    SetRect(anchorX, anchorY, w, h);
}

void TMyWindow::MoveBy(int dx, int dy) {
    mX += dx;
    mY += dy;
}

void TMyWindow::SetRect(int x, int y, int w, int h) {
    mWidth = w;
    mHeight = h;
    ApplyAlignment(x, y, mX, mY);
}

void TMyWindow::ClearChildrenHover(int px, int py) {
    const int lx = px - GetX();
    const int ly = py - GetY();
    const std::vector<TMyWindow*> children = mChildren;
    for (TMyWindow* child : children) {
        if (child->IsHit(lx, ly) || !child->mMouseOver) {
            continue;
        }
        child->mMouseOver = false;
        child->OnMouseLeave();
        if (child->mHand) {
            child->SetHandCursor(false);
        }
    }
}

void TMyWindow::BringToFront() {
    if (mParent == nullptr) {
        return;
    }
    std::vector<TMyWindow*>& siblings = mParent->mChildren;
    auto it = std::find(siblings.begin(), siblings.end(), this);
    if (it == siblings.end()) {
        return;
    }
    siblings.erase(it);
    siblings.push_back(this);
}

bool TMyWindow::IsInteractive() const {
    return mInteractive && mShown && mAlpha > 0;
}

void TMyWindow::ApplyAlignment(int x, int y, int& outX, int& outY) const {
    if (mHAlign == kAlignCentre) {
        outX = x - GetWidth() / 2;
    } else if (mHAlign == kAlignFar) {
        outX = x - GetWidth();
    } else {
        outX = x;
    }
    if (mVAlign == kAlignCentre) {
        outY = y - GetHeight() / 2;
    } else if (mVAlign == kAlignFar) {
        outY = y - GetHeight();
    } else {
        outY = y;
    }
}

TMyWindow* TMyWindow::GetParentWindow() const {
    return dynamic_cast<TMyWindow*>(mParent);
}

bool TMyWindow::IsHitTestCandidate() const {
    return mShown && IsInteractive() && mAlpha != 0;
}

TMyWindow* TMyWindow::HitTest(int px, int py, int& localX, int& localY) {
    const int lx = px - GetX();
    const int ly = py - GetY();
    for (auto it = mChildren.rbegin(); it != mChildren.rend(); ++it) {
        TMyWindow* child = *it;
        if (!child->IsHitTestCandidate()) {
            continue;
        }
        if (TMyWindow* found = child->HitTest(lx, ly, localX, localY)) {
            return found;
        }
        if (child->IsHit(lx, ly) && (child->mListener == nullptr || child->mListener->AcceptsPoint(child, lx, ly))) {
            localX = lx - child->GetX();
            localY = ly - child->GetY();
            return child;
        }
    }
    const bool accepted = mListener != nullptr ? mListener->AcceptsPoint(this, lx, ly) : mShown && mAlpha > 0;
    if (accepted && IsHit(px, py)) {
        localX = lx;
        localY = ly;
        return this;
    }
    return nullptr;
}
