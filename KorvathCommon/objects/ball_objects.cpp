#include "objects/ball_objects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "objects/cadr_object.h"
#include "objects/flexible_objects.h"
#include "objects/object_space.h"
#include "objects/slider_objects.h"
#include "objects/whole_pixels.h"

namespace {

constexpr float kGunFlightSeconds = 1.2f;
constexpr float kGunPauseSeconds = 0.07f;
constexpr float kGunDeliverySeconds = 0.5f;
// How far (pixels) the ball may be from a barrier edge and still touch it.
constexpr int kGunTouch = 7;
constexpr float kShotSpeed = 33.0f;
constexpr float kShotDeceleration = 1.06f;
constexpr float kShooterDeliverySeconds = 0.3f;
// How close (pixels) the ball must come to the bar's underside or top to hit it.
constexpr int kBarTouch = 10;
// How far (pixels) the ball must keep from both bar edges to count for the bar.
constexpr int kBarSideGap = 15;
constexpr float kShutterSlideSeconds = 0.2f;
constexpr float kShutterDropSeconds = 0.4f;

struct TIntBox {
    int x, y, w, h;
};

TIntBox BoxOf(TObject& object) {
    float rect[4];
    object.GetRect(rect);
    return {WholePixels(rect[0]), WholePixels(rect[1]), WholePixels(rect[2]), WholePixels(rect[3])};
}

// Neither lies wholly to one side of the other.
bool Overlap(const TIntBox& a, const TIntBox& b) {
    return !(a.x >= b.x + b.w || b.x >= a.x + a.w || a.y >= b.y + b.h || b.y >= a.y + a.h);
}

int SideOf(int value, int mark) {
    return value < mark ? -1 : (value > mark ? 1 : 0);
}

} // namespace

// ---- gun ball ----

void TGunBallObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mStartX = WholePixels(mX);
    mStartY = WholePixels(mY);
    mEndY = ReadXmlInt(element, "endY", 0);
    mEndX = ReadXmlInt(element, "endX", 0);
    mDeliveredY = ReadXmlInt(element, "deliveredY", 0);
    mDeliveredX = ReadXmlInt(element, "deliveredX", 0);
    mOffBoardX = ReadXmlInt(element, "offBoardX", 0);
    mBarrierId = ReadXmlString(element, "barrier", "");
    FindBarrier();
}

void TGunBallObject::FindBarrier() {
    if (mBarrier != nullptr || mBarrierId.empty()) {
        return;
    }
    if (TObjectSpace* space = GetRootSpace()) {
        TObject* found = space->FindObjectById(mBarrierId);
        mBarrier = found != this ? found : nullptr;
    }
}

void TGunBallObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    FindBarrier();
    if (mBarrier == nullptr && !mBarrierId.empty()) {
        TLogFile::Get()->Printf("gun ball %s: barrier %s not found, flies without it", mName.c_str(),
                                mBarrierId.c_str());
        // Logged once: the id is forgotten.
        mBarrierId.clear();
    }
}

void TGunBallObject::StartMove(int toX, int toY, float seconds) {
    // A new move replaces whatever segment was under way.
    mMover.queue.clear();
    mMover.MoveTo(WholePixels(mX), WholePixels(mY), toX, toY, seconds);
}

void TGunBallObject::FollowMover() {
    SetPosition(static_cast<float>(WholePixels(mMover.currentX)), static_cast<float>(WholePixels(mMover.currentY)),
                true);
}

void TGunBallObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    if (mLaunched) {
        return;
    }
    mLaunched = true;
    mState = kFlyingOut;
    mMover.queue.clear();
    mMover.MoveTo(mStartX, mStartY, mEndX, mEndY, kGunFlightSeconds);
}

bool TGunBallObject::TouchesBarrier() {
    return mBarrier != nullptr && Overlap(BoxOf(*this), BoxOf(*mBarrier));
}

bool TGunBallObject::Update(float seconds) {
    TObject::Update(seconds);
    switch (mState) {
    case kFlyingOut:
        UpdateFlyingOut(seconds);
        break;
    case kFlyingBack:
        UpdateFlyingBack(seconds);
        break;
    case kPausing:
        if (mPauseTimer.Update(seconds)) {
            mState = kFlyingBack;
            StartMove(mStartX, mStartY, kGunFlightSeconds);
        }
        break;
    case kRiding:
        UpdateRiding();
        break;
    case kDelivering:
        UpdateDelivering(seconds);
        break;
    default:
        break;
    }
    return false;
}

void TGunBallObject::UpdateFlyingOut(float seconds) {
    mMover.Update(seconds);
    FollowMover();
    if (mMover.done) {
        mState = kPausing;
        mPauseTimer.Start(kGunPauseSeconds);
    }
    if (!TouchesBarrier()) {
        return;
    }
    const TIntBox ball = BoxOf(*this), barrier = BoxOf(*mBarrier);
    // Hit the barrier's underside on the way out: straight back.
    if (std::abs(ball.y - barrier.y - barrier.h) <= kGunTouch) {
        mState = kFlyingBack;
        StartMove(mStartX, mStartY, kGunFlightSeconds);
    }
}

void TGunBallObject::UpdateFlyingBack(float seconds) {
    mMover.Update(seconds);
    FollowMover();
    if (TouchesBarrier()) {
        const TIntBox ball = BoxOf(*this), barrier = BoxOf(*mBarrier);
        if (std::abs(ball.h + ball.y - barrier.y) <= kGunTouch) {
            mState = kRiding;
            SetPosition(mX, static_cast<float>(barrier.y - ball.h), true);
            mOffsetX = WholePixels(mX) - WholePixels(mBarrier->mX);
            mOffsetY = WholePixels(mY) - WholePixels(mBarrier->mY);
            mBarrierSide = SideOf(WholePixels(mBarrier->mX), mOffBoardX);
            return;
        }
    }
    if (mMover.done) {
        mState = kIdle;
    }
}

void TGunBallObject::UpdateRiding() {
    if (mBarrier == nullptr) {
        return;
    }
    // Reaching the off-board x or passing it on the way both count: a barrier that moves by more than
    // a pixel a frame would otherwise carry the ball for ever.
    const int side = SideOf(WholePixels(mBarrier->mX), mOffBoardX);
    if (side == 0 || side != mBarrierSide) {
        mState = kDelivering;
        StartMove(mDeliveredX, mDeliveredY, kGunDeliverySeconds);
        mBarrier->Lock();
        return;
    }
    SetPosition(static_cast<float>(WholePixels(mBarrier->mX) + mOffsetX),
                static_cast<float>(WholePixels(mBarrier->mY) + mOffsetY), true);
}

void TGunBallObject::UpdateDelivering(float seconds) {
    mMover.Update(seconds);
    FollowMover();
    if (!mMover.done) {
        return;
    }
    mState = kDone;
    if (mBarrier != nullptr) {
        mBarrier->Unlock();
    }
    SetVisible(false);
    ApplyAfterEvent(0);
}

void TGunBallObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mMover = TPointMover();
    mLaunched = mActive;
    mState = kIdle;
    if (!mActive) {
        return;
    }
    if (!mVisible) {
        mState = kDone;
        return;
    }
    SetPosition(static_cast<float>(mStartX), static_cast<float>(mStartY), true);
    mState = kFlyingOut;
    mMover.MoveTo(mStartX, mStartY, mEndX, mEndY, kGunFlightSeconds);
}

// ---- shutter ----

void TShutterObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mShutterOffset = ReadXmlInt(element, "shutter_offset", 0);
    mBallOffset = ReadXmlInt(element, "ball_offset", 0);
}

void TShutterObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    TObject* child = FindChildById("sh_ball");
    mBall = dynamic_cast<TCadrObject*>(child);
    if (mBall == nullptr) {
        TLogFile::Get()->Printf("shutter %s: child sh_ball %s, no ball drops", mName.c_str(),
                                child == nullptr ? "missing" : "is not a frame object");
    }
}

void TShutterObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mState = kOpening;
    mMover.queue.clear();
    mMover.MoveTo(WholePixels(mX), WholePixels(mY), WholePixels(mX) - mShutterOffset, WholePixels(mY),
                  kShutterSlideSeconds);
}

bool TShutterObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mState != kOpening && mState != kDropping) {
        return false;
    }
    mMover.Update(seconds);
    if (mState == kOpening) {
        // The shutter slides alone; its ball stays where it hangs.
        SetPosition(static_cast<float>(WholePixels(mMover.currentX)), static_cast<float>(WholePixels(mMover.currentY)),
                    false);
        if (!mMover.done) {
            return false;
        }
        ApplyAfterEvent(1);
        mState = kDropping;
        const int ballX = mBall != nullptr ? WholePixels(mBall->mX) : 0;
        const int ballY = mBall != nullptr ? WholePixels(mBall->mY) : 0;
        if (mBall != nullptr) {
            mBall->ActivateDefault();
        }
        mMover.queue.clear();
        mMover.MoveTo(ballX, ballY, ballX, ballY + mBallOffset, kShutterDropSeconds);
        return false;
    }
    PlaceBallOnMover();
    if (mMover.done) {
        if (mBall != nullptr) {
            mBall->DeactivateDefault();
        }
        mState = kDone;
        ApplyAfterEvent(0);
    }
    return false;
}

void TShutterObject::PlaceBallOnMover() {
    if (mBall != nullptr) {
        mBall->SetPosition(static_cast<float>(WholePixels(mMover.currentX)),
                           static_cast<float>(WholePixels(mMover.currentY)), true);
    }
}

void TShutterObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteByte(static_cast<uint8_t>(mState));
    mMover.Write(writer);
}

void TShutterObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int state = reader.ReadByte();
    TPointMover mover;
    mover.Read(reader);
    if (reader.IsFailed()) {
        return;
    }
    if (state > kDone) {
        TLogFile::Get()->Printf("shutter %s: saved state %d unknown, kept %d", mName.c_str(), state, mState);
        return;
    }
    mState = state;
    mMover = mover;
    // The ball's own record holds its position only when it is movable; the drop says where it is.
    if (mState == kDropping || mState == kDone) {
        PlaceBallOnMover();
    }
}

// ---- ball shooter ----

void TBallShooterObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mBallId = ReadXmlString(element, "ball", "");
    mBarId = ReadXmlString(element, "bar", "");
    mHandleId = ReadXmlString(element, "handle", "");
    mSpringId = ReadXmlString(element, "spring", "");
    mReleasePos = ReadXmlInt(element, "del_pos", 0);
    mDeliveryY = ReadXmlInt(element, "ach_py", 0);
    mDeliveryX = ReadXmlInt(element, "ach_px", 0);
    mShotSound = ReadXmlString(element, "shot_sound", "");
    mKickSound = ReadXmlString(element, "kick_sound", "");
}

void TBallShooterObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    mBar = FindChildById(mBarId);
    mBall = FindChildById(mBallId);
    TObject* spring = FindChildById(mSpringId);
    TObject* handle = FindChildById(mHandleId);
    mSpring = dynamic_cast<TUDFlexibleObject*>(spring);
    mHandle = dynamic_cast<TSpringedObject*>(handle);
    const char* missing = mBar == nullptr      ? "bar"
                          : mBall == nullptr   ? "ball"
                          : spring == nullptr  ? "spring"
                          : mSpring == nullptr ? "spring of another kind"
                          : handle == nullptr  ? "handle"
                          : mHandle == nullptr ? "handle of another kind"
                                               : nullptr;
    if (missing != nullptr) {
        TLogFile::Get()->Printf("ball shooter %s: no %s, the shooter does nothing", mName.c_str(), missing);
    }
}

// The launcher's own object handlers, not the container's: only the handle of its children hears the pointer.
bool TBallShooterObject::OnMouseDown(const TMouseEvent& event) {
    TObject::OnMouseDown(event); // NOLINT(bugprone-parent-virtual-call)
    if (!mLocked && HasParts()) {
        mHandle->OnMouseDown(event);
    }
    return false;
}

bool TBallShooterObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    TObject::OnMouseMove(event, firstHover); // NOLINT(bugprone-parent-virtual-call)
    if (!mLocked && HasParts()) {
        mHandle->OnMouseDrag(event);
    }
    return false;
}

bool TBallShooterObject::OnMouseDrag(const TMouseEvent& event) {
    TObject::OnMouseDrag(event); // NOLINT(bugprone-parent-virtual-call)
    if (mLocked || !HasParts()) {
        return false;
    }
    return mHandle->OnMouseDrag(event);
}

bool TBallShooterObject::OnMouseUp(const TMouseEvent& event) {
    TObject::OnMouseUp(event); // NOLINT(bugprone-parent-virtual-call)
    if (!HasParts()) {
        return false;
    }
    mHandle->OnMouseUp(event);
    if (mState == kOnSpring) {
        mDeceleration = kShotDeceleration;
        mSpeed = mHandle->GetValue() * kShotSpeed;
        mBall->ActivateDefault();
        mState = kFlying;
        PlayObjectSound(mShotSound);
    }
    return false;
}

void TBallShooterObject::PlaceBall(int x, int y) {
    mBall->SetPosition(static_cast<float>(x), static_cast<float>(y), true);
}

bool TBallShooterObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mLocked || !HasParts()) {
        return false;
    }
    mSpring->ApplyStretch(std::max(1.0f - mHandle->GetValue(), 0.2f));
    const int springTop = mSpring->mCurrentRect.y;
    const int ballX = WholePixels(mBall->mX);
    switch (mState) {
    case kOnSpring:
        PlaceBall(ballX, WholePixels(static_cast<float>(springTop) - static_cast<float>(mBall->GetHeight()) * 0.8f));
        break;
    case kFlying:
        UpdateFlight(springTop);
        break;
    case kRiding:
        PlaceBall(WholePixels(mBar->mX) + mBallOffsetX, WholePixels(mBar->mY) + mBallOffsetY);
        if (WholePixels(mBar->mX) < mReleasePos) {
            mState = kDelivering;
            mMover.queue.clear();
            mMover.MoveTo(WholePixels(mBall->mX), WholePixels(mBall->mY), mDeliveryX, mDeliveryY,
                          kShooterDeliverySeconds);
        }
        break;
    case kDelivering:
        mMover.Update(seconds);
        PlaceBall(WholePixels(mMover.currentX), WholePixels(mMover.currentY));
        if (mMover.done) {
            ApplyAfterEvent(0);
            Lock();
        }
        break;
    default:
        break;
    }
    return false;
}

void TBallShooterObject::UpdateFlight(int springTop) {
    PlaceBall(WholePixels(mBall->mX), WholePixels(mBall->mY) - WholePixels(mSpeed));
    mSpeed -= mDeceleration;
    const TIntBox ball = BoxOf(*mBall), bar = BoxOf(*mBar);
    const int leftGap = std::abs(ball.x - bar.x - bar.w);
    const int rightGap = std::abs(ball.w + ball.x - bar.x);
    // The gaps alone would also pass a ball far to one side of the bar: it must be under the bar as well.
    const bool under = ball.x < bar.x + bar.w && bar.x < ball.x + ball.w;
    const bool clear = under && leftGap >= kBarSideGap && rightGap >= kBarSideGap;
    const int restY = WholePixels(static_cast<float>(springTop) - static_cast<float>(ball.h) * 0.8f);
    if (clear && std::abs(ball.y - bar.y - bar.h) <= kBarTouch && mSpeed > 0) {
        PlayObjectSound(mKickSound);
        mSpeed = -std::fabs(mSpeed);
        PlaceBall(ball.x, WholePixels(static_cast<float>(bar.y) + static_cast<float>(bar.h) * 0.5f));
    } else if (clear && std::abs(ball.h + ball.y - bar.y) <= kBarTouch && mSpeed < 0) {
        mState = kRiding;
        PlaceBall(WholePixels(mBall->mX), WholePixels(static_cast<float>(bar.y) - static_cast<float>(ball.h) * 0.9f));
        mBall->DeactivateDefault();
        mBallOffsetX = WholePixels(mBall->mX) - WholePixels(mBar->mX);
        mBallOffsetY = WholePixels(mBall->mY) - WholePixels(mBar->mY);
    } else if (mSpeed < 0 && restY < ball.y) {
        PlaceBall(WholePixels(mBall->mX), restY);
        mBall->DeactivateDefault();
        mState = kOnSpring;
    }
}

void TBallShooterObject::OnEffectorTrackFinished(int track) {
    if (mBall == nullptr) {
        return;
    }
    mBall->DeactivateDefault();
    mBall->mEffector = nullptr;
    mState = kOnSpring;
}

void TBallShooterObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt16(mState);
    WriteFixed1000(writer, mSpeed);
    WriteFixed1000(writer, mDeceleration);
    mMover.Write(writer);
}

void TBallShooterObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int state = reader.ReadInt16();
    const float speed = ReadFixed1000(reader);
    const float deceleration = ReadFixed1000(reader);
    TPointMover mover;
    mover.Read(reader);
    if (reader.IsFailed()) {
        return;
    }
    if (state < kIdle || state > kDelivering) {
        TLogFile::Get()->Printf("ball shooter %s: saved state %d unknown, kept %d", mName.c_str(), state, mState);
        return;
    }
    mState = state;
    mSpeed = speed;
    mDeceleration = deceleration;
    mMover = mover;
    // Riding, the offset to the bar is where the ball stands now.
    if (mState == kRiding && HasParts()) {
        mBallOffsetX = WholePixels(mBall->mX) - WholePixels(mBar->mX);
        mBallOffsetY = WholePixels(mBall->mY) - WholePixels(mBar->mY);
    }
}
