#pragma once
// Carrying an object along a path: the mover follows one path of its own set (a trajectory file or an
// ellipse) in the path's time, and the trajectory effector places its owner at the mover's point.

#include <memory>
#include <string>
#include <vector>

#include "graphics/move_obj.h"
#include "graphics/spline_path.h"
#include "rooms/effector.h"

class TTrajectoryMover {
public:
    TTrajectoryMover();
    ~TTrajectoryMover();
    TTrajectoryMover(const TTrajectoryMover&) = delete;
    TTrajectoryMover& operator=(const TTrajectoryMover&) = delete;

    void LoadFromXml(const TiXmlElement* element);
    void Update(float seconds);
    // From the first point of the path; nothing while moving, without paths or without a usable time.
    void Start();
    bool IsMoving() const { return mMoving; }
    float GetX() const;
    float GetY() const;
    float GetAngle() const;
    void Stop();
    // Also forgets the paths.
    void Reset();
    void Restart() { Start(); }
    // The same paths, path, angle mode and times, not moving.
    void CopyDescription(const TTrajectoryMover& other);

    TSplinePathSet mPaths;
    std::unique_ptr<MoveObj_t> mMotion;
    int32_t mPathIndex = 0;
    std::string mTrajectoryFile;
    std::vector<float> mTimes;
    bool mMoving = false;
    bool mCalcAngle = true;
};

class TTrajectoryEffector : public TEffector {
public:
    void Update(float seconds) override;
    void LoadFromXml(const TiXmlElement* element) override;
    void Start() override;
    void Stop() override;
    void ClearKeys() override {}
    std::unique_ptr<TEffector> Clone() const override;
    bool IsBusy() const override { return mMover.IsMoving() || TEffector::IsBusy(); }
    bool HidesOwnerAtEnd() const override { return mHideAtEnd; }

    TTrajectoryMover mMover;
    bool mHideAtEnd = true;
};
