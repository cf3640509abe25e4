#pragma once
// Drawing objects that carry something along a path: a point along a spline path, a frame animation along
// a named path of the global set, and a copy of an image along a straight line.

#include <cstdint>
#include <vector>

#include "graphics/cadr_image.h"
#include "graphics/draw_object.h"
#include "graphics/inc_value.h"
#include "graphics/point_mover.h"
#include "graphics/spline_path.h"
#include "graphics/static_image.h"

class TiXmlElement;
class MoveObj_t;

class TMoveObjListener {
public:
    virtual ~TMoveObjListener() = default;
    // The mover has passed the end of its path (every update from then on).
    virtual void OnMoveFinished(MoveObj_t* mover) {}
};

// Moves its base position along a spline path at a speed in design units per second; optionally turns along
// the curve; scales by the path's per-point scales.
class MoveObj_t : public DrawObject {
public:
    MoveObj_t(float speed, TSplinePath* path);

    bool Update(float seconds) override;
    // Back to the first point, not done.
    void Restart() override;

    virtual bool IsDone() { return mDone; }
    virtual bool IsMoving() { return !mDone; }
    virtual void OnPathEnd() {}
    virtual void Move(float seconds);

    // Follows another path (not owned) from its first point; elapsed time and done stay.
    void SetPath(TSplinePath* path);

    TSplinePath* mPath = nullptr;
    // When false the mover turns along the path.
    bool mFixedAngle = true;
    TMoveObjListener* mListener = nullptr;
    float mElapsed = 0;
    int32_t mPointCount = 0;
    float mSpeed = 0;
    std::vector<TCubic> mCubicsX;
    std::vector<TCubic> mCubicsY;
    bool mDone = false;

private:
    void PlaceOnSegment(size_t segment, float t);
};

// The drawing part of a "trajectorymovercadr2" scene object: a frame strip (an element without children) or
// key frames (an element with "item" children) carried along a named path, restarting after a pause.
class TrajectoryMoverCadrImage2 : public DrawObject, public IncValueListener, public TMoveObjListener {
public:
    TrajectoryMoverCadrImage2();

    void Draw(float parentAlpha) override;
    bool Update(float seconds) override;
    void SetPosition(float x, float y, bool centred) override;
    // Plays the animation endlessly and moves from the first point.
    void Restart() override;

    virtual void LoadImages();
    virtual void ReleaseImages();

    // A path name that no path carries leaves the mover without a path (logged): it stays where it is put.
    void LoadFromXml(const TiXmlElement* element);

    void OnIncValueFinished(IncValue& value) override;
    void OnMoveFinished(MoveObj_t* mover) override;

    TCadrImage2 mKeyFrames;
    TCadrImage mStrip;
    MoveObj_t mMover;
    int32_t mPathOffsetX = 0;
    int32_t mPathOffsetY = 0;
    // Radians.
    float mAddedAngle = 0;
    // Seconds before a run that reached the end starts again; 0 or less stays at the end.
    float mRestartPause = 0;
    IncValue mRestartTween;
    bool mUsesStrip = false;
    float mScale = 1.0f;
};

class TImageLineMoving;

class TImageLineMovingListener {
public:
    virtual ~TImageLineMovingListener() = default;
    // The carried image reached the end of its line (every update from then on).
    virtual void OnLineMoveFinished(TImageLineMoving* mover) {}
};

// Carries a copy of an image in a straight line over a time; finished at the end.
class TImageLineMoving : public DrawObject {
public:
    TImageLineMoving(const StaticImage& image, int fromX, int fromY, int toX, int toY, float seconds);

    void Draw(float parentAlpha) override { mImage.Draw(parentAlpha); }
    bool Update(float seconds) override;

    StaticImage mImage;
    TPointMover mMover;
    TImageLineMovingListener* mListener = nullptr;
};
