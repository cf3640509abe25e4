#pragma once
// Small ball mechanisms of a scene, each moving other objects of its scene: the gun ball shot out to an
// end point and back (a moving barrier may catch it and carry it off), and the shutter that slides aside
// and lets its ball drop. Their moves run on point movers.

#include <string>

#include "app/timer.h"
#include "graphics/point_mover.h"
#include "objects/object.h"
#include "objects/transparent_object.h"

class TCadrObject;
class TSpringedObject;
class TUDFlexibleObject;

// A spring launcher: the player pulls the handle (a springed slider) and lets go; the ball flies up, may
// bounce off or land on the moving bar, and is delivered once the bar carries it past "del_pos". Its motion
// is per update, not per second.
class TBallShooterObject : public TTransparentObject {
public:
    static constexpr int kTypeId = 16;
    static constexpr int kIdle = 0;
    static constexpr int kOnSpring = 1;
    static constexpr int kFlying = 2;
    static constexpr int kRiding = 3;
    static constexpr int kDelivering = 4;

    bool Update(float seconds) override;
    int GetTypeId() const override { return kTypeId; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    bool OnMouseDrag(const TMouseEvent& event) override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // State (16 bits), speed and deceleration (thousandths, 32 bits each), then the point mover.
    void SaveState(TBaseBuffer& writer) override;
    // Finds the four children; without all of them (of the right kinds) the launcher does nothing.
    void OnSpaceShow() override;
    // The ball's arrival track has ended: the ball rests on the spring.
    void OnEffectorTrackFinished(int track) override;

    bool HasParts() const { return mBar && mBall && mSpring && mHandle; }

    TObject* mBar = nullptr;
    TObject* mBall = nullptr;
    TUDFlexibleObject* mSpring = nullptr;
    TSpringedObject* mHandle = nullptr;
    std::string mBarId;
    std::string mBallId;
    std::string mHandleId;
    std::string mSpringId;
    int mState = kIdle;
    TPointMover mMover;
    float mSpeed = 0;
    float mDeceleration = 0;
    int mBallOffsetX = 0;
    int mBallOffsetY = 0;
    int mDeliveryX = 0;
    int mDeliveryY = 0;
    int mReleasePos = 0;
    std::string mShotSound;
    std::string mKickSound;

private:
    void UpdateFlight(int springTop);
    void PlaceBall(int x, int y);
};

class TGunBallObject : public TObject {
public:
    static constexpr int kIdle = 0;
    static constexpr int kFlyingOut = 1;
    static constexpr int kPausing = 2;
    static constexpr int kFlyingBack = 3;
    static constexpr int kRiding = 4;
    static constexpr int kDelivering = 5;
    static constexpr int kDone = 6;

    bool Update(float seconds) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // A barrier declared after the ball in its file is found once the space is shown.
    void OnSpaceShow() override;
    // Only the first activation shoots.
    void Activate(int index, int x, int y) override;
    // Nothing of the flight is in the record: a delivered (hidden) ball stays done, a ball that was
    // flying starts its flight again from the start point.
    void RestoreState(TBaseBuffer& reader) override;

    int mStartX = 0;
    int mStartY = 0;
    int mEndX = 0;
    int mEndY = 0;
    std::string mBarrierId;
    // Not owned; an object of the same space.
    TObject* mBarrier = nullptr;
    int mOffBoardX = 0;
    int mDeliveredX = 0;
    int mDeliveredY = 0;
    TPointMover mMover;
    TTimer mPauseTimer;
    int mOffsetX = 0;
    int mOffsetY = 0;
    int mState = kIdle;
    bool mLaunched = false;
    // Which side of the off-board x the barrier was on when the ball landed: -1, 0 or 1.
    int mBarrierSide = 0;

private:
    void FindBarrier();
    void StartMove(int toX, int toY, float seconds);
    void FollowMover();
    bool TouchesBarrier();
    void UpdateFlyingOut(float seconds);
    void UpdateFlyingBack(float seconds);
    void UpdateRiding();
    void UpdateDelivering(float seconds);
};

class TShutterObject : public TObject {
public:
    static constexpr int kTypeId = 34;
    static constexpr int kIdle = 0;
    static constexpr int kOpening = 1;
    static constexpr int kDropping = 2;
    static constexpr int kDone = 3;

    bool Update(float seconds) override;
    int GetTypeId() const override { return kTypeId; }
    // The state byte and the point mover follow the object's record; the ball is put back where the
    // restored drop has it.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // Finds its ball, the child "sh_ball", which must be a frame object.
    void OnSpaceShow() override;
    void Activate(int index, int x, int y) override;
    bool IsMovable() const override { return true; }

    // Not owned: a child of this object.
    TCadrObject* mBall = nullptr;
    TPointMover mMover;
    int mShutterOffset = 0;
    int mBallOffset = 0;
    int mState = kIdle;

private:
    void PlaceBallOnMover();
};
