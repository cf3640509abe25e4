#include "objects/hint_effects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graphics/random15.h"
#include "objects/object_records.h"

namespace {

constexpr float kHalfTurn = 3.1415927f;

// 0 up to (not quite) 1.
float RandomFraction() {
    return static_cast<float>(Rand15() % 32767) / 32767.0f;
}

} // namespace

void TSparkleTracks::Setup(float startAngle, float turnSeconds, float scaleFrom, float scaleTo, float alphaFrom,
                           float alphaTo, float seconds) {
    angleTrack.Set(startAngle, startAngle + kHalfTurn, turnSeconds, true);
    scaleTrack.Setup(scaleFrom, scaleTo, scaleFrom, seconds);
    scaleTrack.stopHalfWay = true;
    alphaTrack.Setup(alphaFrom, alphaTo, alphaFrom, seconds);
    alphaTrack.stopHalfWay = true;
}

bool TSparkleTracks::Update(float seconds) {
    angleTrack.Update(seconds);
    scaleTrack.Update(seconds);
    return alphaTrack.Update(seconds);
}

void TSparkleTracks::Draw() {
    image.mAlpha = alphaTrack.tween.current;
    image.mAngle = angleTrack.current;
    image.SetScale(scaleTrack.tween.current);
    image.Draw(1.0f);
}

EffectBlink::EffectBlink(int x, int y, float blinkTime, const std::string& imageName, float maxDelay)
    : mBlinkTime(blinkTime) {
    mSparkle.image.SetImage(imageName);
    mSparkle.image.SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    mDelay = RandomFraction() * maxDelay;
    if (mDelay == 0) {
        Start();
    }
}

void EffectBlink::Start() {
    const float angle = DegToRad(RandomFraction() * 179.0f);
    mSparkle.Setup(angle, std::fabs(mBlinkTime), 0, 1, 0, 1, mBlinkTime);
}

bool EffectBlink::Update(float seconds) {
    if (mDelay > 0) {
        mDelay -= seconds;
        if (mDelay > 0) {
            return false;
        }
        Start();
    }
    return mSparkle.Update(seconds);
}

bool EffectBlink::IsFinished() {
    return mDelay <= 0 && mSparkle.alphaTrack.finished;
}

void EffectBlink::DrawEffect() {
    if (mDelay > 0) {
        return;
    }
    mSparkle.Draw();
}

TEffectRoomXoItemHint::TEffectRoomXoItemHint(int x, int y) : mSpawnX(x), mSpawnY(y) {
    const float angle = DegToRad(static_cast<float>(Rand15() % 179));
    mSparkle.Setup(angle, 1.5f, 0.2f, 1.0f, 1.0f, 0.5f, 1.0f);
    mSparkle.image.SetImage("textures/effect/particles");
    TRenderState& state = mSparkle.image.mRenderState;
    state.srcX = 32;
    state.srcY = 64;
    state.srcW = 32;
    state.srcH = 32;
    state.flags |= TRenderState::kSourceRect;
    mSparkle.image.SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    mDelay = RandomFraction();
}

bool TEffectRoomXoItemHint::Update(float seconds) {
    mElapsed += seconds;
    if (mElapsed < mDelay) {
        return false;
    }
    if (!mRising && !mRise.moving) {
        mRise.MoveTo(mSpawnX, mSpawnY, mSpawnX, mSpawnY - Rand15() % 50 - 50, 2.5f);
        mRising = true;
    }
    mRise.Update(seconds);
    mFinished = mSparkle.Update(seconds);
    return mFinished;
}

void TEffectRoomXoItemHint::DrawEffect() {
    // Before its delay the sparkle has no place yet.
    if (!mRising) {
        return;
    }
    mSparkle.image.SetPosition(mRise.currentX, mRise.currentY, true);
    mSparkle.Draw();
}

TEffectRoomXoHint::TEffectRoomXoHint(int left, int top, int right, int bottom)
    : mLeft(left), mTop(top), mRight(right), mBottom(bottom) {
    mSparkles.mDeleteFinished = true;
    // Reversed or empty rectangles have no room for a sparkle.
    if (right > left && bottom > top) {
        const int64_t area = static_cast<int64_t>(right - left) * (bottom - top);
        mSparkleLimit = static_cast<int>(
            std::min(static_cast<double>(area) * 100.0 / 10000.0 * 15.0 / 100.0, static_cast<double>(INT32_MAX)));
    }
}

bool TEffectRoomXoHint::Update(float seconds) {
    if (static_cast<int>(mSparkles.GetCount()) < mSparkleLimit) {
        const int x = mLeft + Rand15() % (mRight - mLeft);
        const int y = mTop + Rand15() % (mBottom - mTop);
        mSparkles.Add(0, new TEffectRoomXoItemHint(x, y));
    }
    mSparkles.Update(seconds);
    return false;
}

void TEffectRoomXoHint::DrawEffect() {
    mSparkles.Draw();
}
