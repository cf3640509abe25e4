#include "rooms/show_pocket_effector.h"

#include <cmath>

#include "graphics/draw_object.h"

void TShowPocketEffector::Setup(float fromX, float fromY, float toX, float toY, float startScale, float endScale,
                                float seconds) {
    mFromX = fromX;
    mFromY = fromY;
    mToX = toX;
    mToY = toY;
    mStartScaleX = mStartScaleY = startScale;
    mEndScaleX = mEndScaleY = endScale;
    mTime = seconds;
}

void TShowPocketEffector::Start() {
    mPoint.StartSegment(mFromX, mFromY, mToX, mToY, mTime, 0, false);
    mScaleX.Set(mStartScaleX, mEndScaleX, std::fabs(mTime), true);
    mScaleY.Set(mStartScaleY, mEndScaleY, std::fabs(mTime), true);
    mDone = false;
}

void TShowPocketEffector::Stop() {
    mPoint.StartSegment(mToX, mToY, mToX, mToY, 0, 0, false);
    mScaleX.SetValue(mEndScaleX);
    mScaleY.SetValue(mEndScaleY);
    mDone = true;
}

void TShowPocketEffector::Update(float seconds) {
    if (mOwner == nullptr) {
        return;
    }
    mPoint.Update(seconds);
    mScaleX.Update(seconds);
    mScaleY.Update(seconds);
    mOwner->SetScaleXY(mScaleX.current, mScaleY.current);
    const float kx = mClosing != 0 ? mStartScaleX : mEndScaleX;
    const float ky = mClosing != 0 ? mStartScaleY : mEndScaleY;
    mOwner->SetPosition((kx - mOwner->GetScaleX()) * mPoint.currentX, (ky - mOwner->GetScaleY()) * mPoint.currentY,
                        true);
    mDone = mScaleY.finished;
    if (mDone && mPocketListener != nullptr) {
        mPocketListener->OnShowPocketEffectorListenerDone(this);
    }
}

std::unique_ptr<TEffector> TShowPocketEffector::Clone() const {
    auto clone = std::make_unique<TShowPocketEffector>();
    CopyTo(*clone);
    clone->mClosing = mClosing;
    clone->mPoint = mPoint;
    clone->mScaleX = mScaleX;
    clone->mScaleY = mScaleY;
    clone->Setup(mFromX, mFromY, mToX, mToY, mStartScaleX, mEndScaleX, mTime);
    clone->mStartScaleY = mStartScaleY;
    clone->mEndScaleY = mEndScaleY;
    clone->mDone = mDone;
    clone->mPocketListener = mPocketListener;
    return clone;
}
