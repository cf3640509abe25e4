#include "regenerate_button.h"

#include <cmath>

TStandartRegenerateButton::TStandartRegenerateButton(TMyWindowContainer* parent) : TMyButton(parent) {
    mRecharge.Set(0.0f, 1.0f, kDefaultRechargeTime, false);
    mRecharge.current = 0.0f;
    mRecharge.finished = true;
    mRecharge.running = false;
}

void TStandartRegenerateButton::StartRecharge() {
    mRecharge.Set(0.0f, 1.0f, std::fabs(mRechargeTime), true);
    mRecharging = true;
}

void TStandartRegenerateButton::SetFull() {
    mRecharge.SetValue(1.0f);
    mRecharging = false;
}

bool TStandartRegenerateButton::Update(float dt) {
    if (!mShown) {
        return false;
    }
    if (mRecharge.Update(dt) && mRecharging) {
        mRecharging = false;
        ReportRegenerated();
    }
    mDisabled = mSwitchedOff || mRecharge.current != 1.0f;
    return false;
}

void TStandartRegenerateButton::ReportRegenerated() {
    if (mButtonListener == nullptr ||
        mButtonListener->GetListenerType() != TStandartRegenerateButtonListener::kListenerType) {
        return;
    }
    TMyWindow* parent = GetParentWindow();
    static_cast<TStandartRegenerateButtonListener*>(mButtonListener.Get())
        ->OnRegenerated(parent != nullptr ? parent->mId : -1, parent, mId, this);
}

void TStandartRegenerateButton::DrawSelf() {
    if (!mShown) {
        return;
    }
    TMyButton::DrawSelf();
    // Switched off, the button is only its disabled look: a full recharge wipe would make it look ready.
    if (!mDisabled || mSwitchedOff) {
        return;
    }
    // A width of 0 would mean the whole frame to DrawFrame: the first moments of a recharge draw nothing.
    const int width = static_cast<int>(static_cast<float>(mStateRects[kNormal].w) * mRecharge.current);
    if (width > 0) {
        DrawFrame(kNormal, width);
    }
}
