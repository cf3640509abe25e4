#include "rooms/room_hint_effects.h"

#include <cmath>

namespace {

constexpr float kPi = 3.14159265358979f;

} // namespace

RollingParticle::RollingParticle(int x, int y, int centreX, int centreY, int radius, float angle)
    : mCentreX(centreX), mCentreY(centreY), mRadius(radius), mAngleNow(angle) {
    mX = static_cast<float>(x);
    mY = static_cast<float>(y);
    mImage.SetImage("textures/effect/adot_alpha");
    mImage.SetScale(0.3f);
    mFade.Set(1.0f, 0.0f, kLifeSeconds, true);
}

bool RollingParticle::Update(float seconds) {
    mAngleNow += seconds;
    const float r = static_cast<float>(mRadius);
    mX = static_cast<float>(mCentreX) + r * std::sin(mAngleNow) + r * std::cos(mAngleNow);
    mY = static_cast<float>(mCentreY) + r * std::cos(mAngleNow) - r * std::sin(mAngleNow);
    mFade.Update(seconds);
    mAlpha = mFade.current;
    mFinished = mAlpha <= 0.0f;
    return mFinished;
}

void RollingParticle::DrawParticle() {
    mImage.SetPosition(mX, mY, true);
    mImage.mAlpha = mAlpha;
    mImage.Draw(1.0f);
}

EffectHint::EffectHint(int x, int y, TObject* target) : mTarget(target), mCentreX(x), mCentreY(y) {
    mX = static_cast<float>(x);
    mY = static_cast<float>(y);
}

EffectHint::~EffectHint() = default;

bool EffectHint::Update(float seconds) {
    if (mStepsLeft > 0) {
        const float r = static_cast<float>(mRadius);
        for (int degrees = 0; degrees <= 360; degrees += 72) {
            const float a = static_cast<float>(degrees) * kPi / 180.0f;
            const int x = mCentreX + static_cast<int>(r * std::sin(a) + r * std::cos(a));
            const int y = mCentreY + static_cast<int>(r * std::cos(a) - r * std::sin(a));
            mParticles.push_back(std::make_unique<RollingParticle>(x, y, mCentreX, mCentreY, mRadius, a));
        }
        --mStepsLeft;
    }
    mFade.Update(seconds);
    mPulse.Update(seconds);
    for (auto it = mParticles.begin(); it != mParticles.end();) {
        if ((*it)->Update(seconds)) {
            it = mParticles.erase(it);
        } else {
            ++it;
        }
    }
    mFinished = mParticles.empty();
    return mFinished;
}

void EffectHint::Draw(float parentAlpha) {
    for (const auto& particle : mParticles) {
        particle->Draw(parentAlpha);
    }
}

TEffectBackHint::TEffectBackHint(int x, int y, const std::string& imageName, float seconds) {
    mImage.SetImage(imageName);
    mImage.SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    mPulse.Setup(1.0f, 0.95f, 0.9f, 1.0f);
    mPulse.cycleLimit = TValueCycler::kEndless;
    mLife.Set(0.0f, 1.0f, std::fabs(seconds), true);
}

bool TEffectBackHint::Update(float seconds) {
    mLife.Update(seconds);
    mPulse.Update(seconds);
    mImage.SetScale(mPulse.tween.current);
    mFinished = mLife.finished;
    return mFinished;
}

void TEffectBackHint::DrawEffect() {
    mImage.Draw(1.0f);
}
