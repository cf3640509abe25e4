#pragma once
// The green sparkle thrown when the ghost catcher is applied: six trails that bow left and right from the
// catch point down to below it, each leaving sparkles that fade after it.

#include <memory>
#include <vector>

#include "graphics/draw_object.h"
#include "graphics/move_obj.h"
#include "graphics/particle.h"
#include "graphics/spline_path.h"
#include "graphics/static_image.h"

// One trail: a head that runs along an arc in one second, dropping a sparkle at every update on the way.
class TEffectCatchGhost : public DrawObject {
public:
    static constexpr float kSparkleLifeStep = 0.03f;
    static constexpr float kSparkleScale = 2.5f;
    static constexpr int kSparkleFrames = 14;

    // direction +1 bows the arc to one side, -1 to the other.
    TEffectCatchGhost(int direction, int fromX, int fromY, int toX, int toY);
    ~TEffectCatchGhost() override;

    bool Update(float seconds) override;
    bool IsFinished() override { return mFinished; }
    virtual void DrawEffect();

    bool IsMoverDone() const { return mMoverDone; }
    size_t GetSparkleCount() const { return mSparkles.size(); }
    const TSplinePath* GetPath() const { return mPath.get(); }
    MoveObj_t* GetMover() const { return mMover.get(); }

    StaticImage mHead;
    TMoveObjListener* mEndListener = nullptr;
    int mUpdates = 0;

private:
    std::unique_ptr<TSplinePath> mPath;
    std::unique_ptr<MoveObj_t> mMover;
    std::vector<std::unique_ptr<Particle>> mSparkles;
    bool mMoverDone = false;
    bool mEndTold = false;
};

// Six trails: for the offsets 10, 30 and 50 below both points, one bowed each way.
class TEffectCatchGhostFull : public DrawObject {
public:
    TEffectCatchGhostFull(int x0, int y0, int x1, int y1);
    ~TEffectCatchGhostFull() override;

    bool Update(float seconds) override;
    bool IsFinished() override { return mFinished; }
    virtual void DrawEffect();

    const std::vector<std::unique_ptr<TEffectCatchGhost>>& GetTrails() const { return mTrails; }

private:
    std::vector<std::unique_ptr<TEffectCatchGhost>> mTrails;
};
