#include "graphics/fader.h"

#include <cmath>

namespace {
const char* const kShadowImage = "textures/gui/sh1";
} // namespace

// The shadow is a full-screen picture and the fader is made before the first frame, which it is not
// drawn in: the picture is taken when a fade starts.
TFaderShadow::TFaderShadow() {
    mAlpha.SetValue(0);
}

void TFaderShadow::TakeImage() {
    if (!mImage.mTexture) {
        mImage.SetImage(kShadowImage);
    }
}

void TFaderShadow::Start() {
    TakeImage();
    mAlpha.Set(0, 1, std::fabs(mFadeTime * 0.5f), true);
    mState = kCovering;
    mWaitCountdown = 0;
    if (mListener != nullptr) {
        mListener->OnFaderStart(this);
    }
}

void TFaderShadow::StartFromTo(float from, float to, float seconds) {
    TakeImage();
    mAlpha.Set(from, to, seconds, true);
    mState = kCovering;
    if (mListener != nullptr) {
        mListener->OnFaderStart(this);
    }
}

void TFaderShadow::Update(float seconds) {
    switch (mState) {
    case kCovering:
        mAlpha.Update(seconds);
        if (mAlpha.finished && !mHold) {
            mState = kUncovering;
            mAlpha.Set(mAlpha.to, mAlpha.from, mAlpha.duration, true);
            if (mListener != nullptr) {
                mListener->OnFaderMiddle(this);
            }
        }
        break;
    case kUncovering:
        mAlpha.Update(seconds);
        if (!mAlpha.finished) {
            break;
        }
        if (mWaitTime == 0) {
            End();
        } else {
            mWaitCountdown = mWaitTime;
            mState = kWaiting;
        }
        break;
    case kWaiting:
        mWaitCountdown -= seconds;
        if (mWaitCountdown <= 0) {
            mWaitCountdown = 0;
            End();
        }
        break;
    default:
        break;
    }
}

void TFaderShadow::End() {
    mState = kIdle;
    if (mListener != nullptr) {
        mListener->OnFaderEnd(this);
    }
}

void TFaderShadow::Draw() {
    mImage.mAlpha = mAlpha.current;
    mImage.Draw(1.0f);
}

void TFaderShadow::ReloadTexture() {
    mImage.ReleaseImage();
    mImage.SetImage(kShadowImage);
}

TShadow::TShadow() {
    mImage.SetImage(kShadowImage);
    mAlpha.SetValue(0);
}

void TShadow::Show() {
    mAlpha.Set(0, mMaxAlpha, mTime, true);
}

void TShadow::Hide() {
    mState = kFalling;
    mAlpha.Set(mCurrentAlpha, 0, mTime, true);
}

void TShadow::Update(float seconds) {
    if (mState == kRising && mMaxAlpha <= mCurrentAlpha) {
        mCurrentAlpha = mMaxAlpha;
        if (mListener != nullptr) {
            mListener->OnShadowShown();
        }
        if (mHold) {
            mState = kDone;
        } else {
            mState = kFalling;
            mAlpha.Set(mCurrentAlpha, 0, mTime, true);
        }
        return;
    }
    if (mState == kFalling && mCurrentAlpha <= 0) {
        mState = kDone;
        mFinished = true;
        mCurrentAlpha = 0;
        if (mListener != nullptr) {
            mListener->OnShadowHidden();
        }
        return;
    }
    mAlpha.Update(seconds);
    mCurrentAlpha = mAlpha.current;
}

void TShadow::Draw() {
    mImage.Draw(mCurrentAlpha);
}
