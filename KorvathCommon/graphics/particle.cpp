#include "graphics/particle.h"

#include <algorithm>

Particle::Particle(float x, float y, float velocityY, const std::string& imageName, int frameX, int frameY, int frameW,
                   int frameH)
    : mStartX(x), mStartY(y), mVelocityY(velocityY), mPosX(x), mPosY(y), mFirstFrame{frameX, frameY, frameW, frameH} {
    mImage.SetImage(imageName);
}

bool Particle::Update(float /*seconds*/) {
    if (mLife <= 0) {
        return true;
    }
    ++mCounter;
    mPosX += mVelocityX;
    mPosY += mVelocityY;
    mLife = std::clamp(mLife - mLifeStep, 0.0f, 1.0f);
    // A frame period of 0 or less holds the frame.
    if (mFrameCount > 0 && mFramePeriod > 0 && mCounter % mFramePeriod == 0) {
        mFrame = (mFrame + 1) % mFrameCount;
    }
    return mLife <= 0;
}

void Particle::Draw(float parentAlpha) {
    if (mLife <= 0) {
        return;
    }
    TRenderState& state = mImage.mRenderState;
    if (mFirstFrame.w != 0) {
        state.srcX = static_cast<float>(mFirstFrame.x + mFirstFrame.w * mFrame);
        state.srcY = static_cast<float>(mFirstFrame.y);
        state.srcW = static_cast<float>(mFirstFrame.w);
        state.srcH = static_cast<float>(mFirstFrame.h);
        state.flags |= TRenderState::kSourceRect;
    }
    state.blend = mAdditive ? TRenderState::kBlendAdd : TRenderState::kBlendAlpha;
    if (mParticleScale != 1.0f) {
        mImage.SetScale(mParticleScale);
    }
    state.color = {static_cast<float>(mColor.Red()) / 255.0f, static_cast<float>(mColor.Green()) / 255.0f,
                   static_cast<float>(mColor.Blue()) / 255.0f, static_cast<float>(mColor.Alpha()) / 255.0f};
    mImage.SetPosition(mPosX, mPosY, mCentred);
    mImage.mAngle = -mParticleAngle;
    mImage.mAlpha = mLife;
    mImage.Draw(parentAlpha);
}
