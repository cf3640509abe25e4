#include "windows/fly_window.h"

#include <cmath>

#include "app/display_modes.h"
#include "media/sound_manager.h"
#include "windows/ui_window_box.h"

TFlyWindow::TFlyWindow(TFlyWindowListener* listener, bool load, const std::string& file)
    : TClassicWindow(file, load), mFlyListener(listener) {
    mId = 0;
    if (load) {
        TFlyWindow::Load(file, false);
    }
    ResetFlight();
}

void TFlyWindow::Load(const std::string& file, bool loadClassicPart) {
    if (loadClassicPart) {
        TClassicWindow::Load(file, true);
    }
    mFlyDescription = mHolder ? FindUIObject<TUIFlyWindow>(*mHolder, "window") : nullptr;
    if (const TUIFlyWindow* fly = mFlyDescription) {
        const TDisplayValues& display = GetDisplay();
        const float restX = fly->mRestX == TUIFlyWindow::kCentred ? static_cast<float>(display.mDesignWidth) * 0.5f
                                                                  : static_cast<float>(fly->mRestX);
        const float restY = fly->mRestY == TUIFlyWindow::kCentred ? static_cast<float>(display.mDesignHeight) * 0.5f
                                                                  : static_cast<float>(fly->mRestY);
        const float legTime = std::fabs(fly->mTime * 0.5f);
        mXTween.Set(static_cast<float>(fly->mX1), restX, legTime, true);
        mYTween.Set(static_cast<float>(fly->mY1), restY, legTime, true);
        mFlyInSound = fly->mFlyInSound;
        mFlyOutSound = fly->mFlyOutSound;
    }
    mStayTime = 0;
    OnLoaded(this, mId);
    PlaySoundIfNamed(mFlyInSound);
    if (mFlyListener != nullptr) {
        mFlyListener->OnFlyWindowLoaded(this, mId);
    }
    mResult = 0;
    SetSizeAndCenter();
}

void TFlyWindow::ResetFlight() {
    mState = mFlyDescription != nullptr && mFlyDescription->mTime > 0 ? kStart : kShown;
    mStayTime = 0;
    mCloseRequest = false;
}

bool TFlyWindow::AdvanceTweens(float dt) {
    // Horizontal first; the vertical leg starts in the update that ends the horizontal one.
    if (!mXTween.Update(dt)) {
        return false;
    }
    return mYTween.Update(dt);
}

void TFlyWindow::PlaceAtTweens() {
    // Half sizes truncated, as everywhere a centre becomes a corner.
    const int halfWidth = GetWidth() / 2;
    const int halfHeight = GetHeight() / 2;
    SetPosition(static_cast<int>(mXTween.current - static_cast<float>(halfWidth)),
                static_cast<int>(mYTween.current - static_cast<float>(halfHeight)));
}

bool TFlyWindow::Update(float dt) {
    TClassicWindow::Update(dt);
    switch (mState) {
    case kStart:
        mState = kFlyingIn;
        break;
    case kFlyingIn:
        if (AdvanceTweens(dt)) {
            EndFlyIn();
        }
        break;
    case kShown:
        mStayTime += dt;
        if (mFlyDescription != nullptr && mFlyDescription->mStay != -1 && mStayTime >= mFlyDescription->mStay) {
            StartFlyOut();
        }
        break;
    case kFlyingOut:
        if (AdvanceTweens(dt) && (mFlyDescription == nullptr || !mFlyDescription->mFade || mFade.current <= 0)) {
            EndFlyOut();
        }
        break;
    default:
        break;
    }
    PlaceAtTweens();
    return mCloseRequest;
}

void TFlyWindow::EndFlyIn() {
    mState = kShown;
    PlaceAtTweens();
    OnFlyInDone(this, mId);
    if (mFlyListener != nullptr) {
        mFlyListener->OnFlyInDone(this, mId);
    }
}

void TFlyWindow::EndFlyOut() {
    mCloseRequest = true;
    mState = kClosed;
    OnFlyOutDone(this, mId, mResult);
    if (mFlyListener != nullptr) {
        mFlyListener->OnFlyWindowClosed(this, mId, mResult);
    }
}

void TFlyWindow::StartFlyOut() {
    mState = kFlyingOut;
    PlaySoundIfNamed(mFlyOutSound);
    if (const TUIFlyWindow* fly = mFlyDescription) {
        const float legTime = std::fabs(fly->mTime * 0.5f);
        mXTween.Set(mXTween.current, static_cast<float>(fly->mX2), legTime, true);
        mYTween.Set(mYTween.current, static_cast<float>(fly->mY2), legTime, true);
        if (fly->mFade) {
            const float from = mFade.current;
            mFade.Set(from, 0.0f, std::fabs(fly->mAlphaTime * from), true);
        }
    }
    OnFlyOutStarted(this, mId);
    if (mFlyListener != nullptr) {
        mFlyListener->OnFlyOutStarted(this, mId);
    }
}

void TFlyWindow::Close(int result) {
    // Its close was reported already; a second report would close the opener's dialog twice.
    if (mState == kClosed) {
        return;
    }
    mResult = result;
    StartFlyOut();
}

void TFlyWindow::OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {
    OnButtonClicked(parentId, parent, buttonId, button);
    if (mFlyListener != nullptr) {
        mFlyListener->OnFlyWindowButtonClick(parentId, parent, buttonId, button);
    }
    Close(buttonId);
}

bool TFlyWindow::IsInteractive() const {
    return TClassicWindow::IsInteractive() && mState == kShown;
}

void TFlyWindow::OnShow() {
    TClassicWindow::OnShow();
    if (mFlyListener != nullptr) {
        mFlyListener->OnFlyWindowShown(this, mId);
    }
}

void TFlyWindow::OnHide() {
    TClassicWindow::OnHide();
    if (mFlyListener != nullptr) {
        mFlyListener->OnFlyWindowHidden(this, mId);
    }
}

void TFlyWindow::PlaceBackground() {
    const int centreX = mX + mDrawOffsetX + GetWidth() / 2;
    const int centreY = mY + mDrawOffsetY + GetHeight() / 2;
    mBackground.SetPosition(static_cast<float>(centreX), static_cast<float>(centreY), true);
}
