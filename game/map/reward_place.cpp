#include "reward_place.h"

#include <cmath>

#include "data/rewards.h"
#include "media/sound_manager.h"
#include "windows/image_parts.h"

namespace {
constexpr int kCentreX = 683;
constexpr int kCentreY = 384;
} // namespace

TRewardFlight::TRewardFlight(const StaticImage& image, int fromX, int fromY, int toX, int toY, float delay)
    : mDelay(delay) {
    mScaleTween.Set(kStartScale, 1.0f, kStepSeconds, true);
    SetScale(mScaleTween.current);
    if (delay > 0) {
        SetVisible(false);
    }
    CopyTexture(image);
    SetPosition(static_cast<float>(fromX), static_cast<float>(fromY), true);
    const float dx = static_cast<float>(toX - fromX);
    const float dy = static_cast<float>(toY - fromY);
    mPath = TSplinePath::CreateArc(fromX, fromY, toX, toY, std::sqrt(dx * dx + dy * dy) / 3);
    // Twice the path's length per second: every flight takes half a second along its arc.
    mMover = std::make_unique<MoveObj_t>(2 * mPath->ComputeLength(), mPath.get());
    if (delay <= 0) {
        PlaySoundByName("getreward");
    }
}

bool TRewardFlight::Update(float dt) {
    if (mDelay > 0) {
        mDelay -= dt;
        if (mDelay > 0) {
            return false;
        }
        PlaySoundByName("getreward");
        SetVisible(true);
        mDelay = 0;
    }
    switch (mState) {
    case kShrinking:
        SetScale(mScaleTween.current);
        if (mScaleTween.Update(dt)) {
            SetScale(1.0f);
            mState = kWaiting;
            mScaleTween.Set(0.0f, 1.0f, kStepSeconds, true);
        }
        break;
    case kWaiting:
        if (mScaleTween.Update(dt)) {
            mState = kMoving;
            mMover->Restart();
        }
        break;
    case kMoving:
        mMover->Update(dt);
        SetPosition(mMover->GetX(), mMover->GetY(), true);
        if (mMover->IsDone()) {
            mDone = true;
            mState = kDone;
        }
        break;
    default:
        break;
    }
    return mDone;
}

void TRewardPlace::Start(float delay, TReward* reward) {
    mReward = reward;
    const StaticImage& image = reward->mImage;
    const int width = image.mW > 0 ? static_cast<int>(image.mW) : TextureWidth(image);
    const int height = image.mH > 0 ? static_cast<int>(image.mH) : TextureHeight(image);
    SetRect(reward->mX, reward->mY, width, height);
    if (reward->mObtained && reward->mNew) {
        mFlight = std::make_unique<TRewardFlight>(image, kCentreX, kCentreY, mX + mWidth / 2, mY + mHeight / 2, delay);
    }
}

bool TRewardPlace::Update(float dt) {
    if (mFlight && mFlight->Update(dt)) {
        mFlight.reset();
        mReward->mNew = false;
    }
    return TMyWindow::Update(dt);
}

void TRewardPlace::DrawSelf() {
    if (mReward != nullptr && mReward->mObtained && !mReward->mNew) {
        mReward->mImage.SetPosition(static_cast<float>(mX + mDrawOffsetX), static_cast<float>(mY + mDrawOffsetY),
                                    false);
        mReward->mImage.Draw(1.0f);
    }
    if (mFlight) {
        mFlight->Draw(1.0f);
    }
}
