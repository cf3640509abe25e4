#pragma once
// Small ball mechanisms of a scene, each moving other objects of its scene: the gun ball shot out to an
// end point and back (a moving barrier may catch it and carry it off), and the shutter that slides aside
// and lets its ball drop. Their moves run on point movers.

#include <string>

#include "app/timer.h"
#include "graphics/point_mover.h"
#include "objects/object.h"

class TCadrObject;

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
    bool TouchesBarrier() const;
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
