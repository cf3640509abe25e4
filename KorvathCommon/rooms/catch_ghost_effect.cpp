#include "rooms/catch_ghost_effect.h"

#include <cmath>

namespace {

const char* const kSparkleImage = "textures/effect/sparklegreen";
constexpr int kSparkleSize = 10;

} // namespace

TEffectCatchGhost::TEffectCatchGhost(int direction, int fromX, int fromY, int toX, int toY) {
    mMoverDone = fromX == toX && fromY == toY;
    const float dx = static_cast<float>(toX - fromX), dy = static_cast<float>(toY - fromY);
    const float distance = std::sqrt(dx * dx + dy * dy);
    mPath = TSplinePath::CreateArc(fromX, fromY, toX, toY, static_cast<float>(direction) * distance);
    // Its speed is the path's length: every trip takes one second.
    mMover = std::make_unique<MoveObj_t>(mPath->mTotalLength, mPath.get());
}

TEffectCatchGhost::~TEffectCatchGhost() = default;

bool TEffectCatchGhost::Update(float seconds) {
    if (mFinished) {
        return true;
    }
    ++mUpdates;
    if (!mMoverDone) {
        mMover->Move(seconds);
        mMoverDone = mMover->IsDone();
        if (mMoverDone && !mEndTold) {
            mEndTold = true;
            if (mEndListener != nullptr) {
                mEndListener->OnMoveFinished(mMover.get());
            }
        }
    }
    for (auto it = mSparkles.begin(); it != mSparkles.end();) {
        it = (*it)->Update(seconds) ? mSparkles.erase(it) : it + 1;
    }
    if (!mMoverDone) {
        auto sparkle = std::make_unique<Particle>(mMover->GetX(), mMover->GetY(), 0.0f, kSparkleImage, 0, 0,
                                                  kSparkleSize, kSparkleSize);
        sparkle->mLifeStep = kSparkleLifeStep;
        sparkle->mParticleScale = kSparkleScale;
        sparkle->mFrameCount = kSparkleFrames;
        sparkle->mFramePeriod = 1;
        sparkle->mAdditive = true;
        // Centred on the trail, so the scaled sparkle does not drift off it.
        sparkle->mCentred = true;
        mSparkles.push_back(std::move(sparkle));
    }
    mFinished = mMoverDone && mSparkles.empty();
    return mFinished;
}

void TEffectCatchGhost::DrawEffect() {
    if (!mMoverDone) {
        mHead.SetPosition(mMover->GetX(), mMover->GetY(), true);
        mHead.Draw(1.0f);
    }
    for (const auto& sparkle : mSparkles) {
        sparkle->Draw(1.0f);
    }
}

TEffectCatchGhostFull::TEffectCatchGhostFull(int x0, int y0, int x1, int y1) {
    for (int direction : {1, -1}) {
        for (int offset : {10, 30, 50}) {
            mTrails.push_back(std::make_unique<TEffectCatchGhost>(direction, x0, y0 + offset, x1, y1 + offset));
        }
    }
}

TEffectCatchGhostFull::~TEffectCatchGhostFull() = default;

bool TEffectCatchGhostFull::Update(float seconds) {
    for (auto it = mTrails.begin(); it != mTrails.end();) {
        it = (*it)->Update(seconds) ? mTrails.erase(it) : it + 1;
    }
    mFinished = mTrails.empty();
    return mFinished;
}

void TEffectCatchGhostFull::DrawEffect() {
    for (const auto& trail : mTrails) {
        trail->DrawEffect();
    }
}
