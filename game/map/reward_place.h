#pragma once
// A reward's fixed place on the level map: the reward's picture once it is found, and for a reward found
// since the last visit, its flight from the centre of the screen: it shrinks into view, waits, and
// follows an arc to its place.

#include <memory>

#include "graphics/inc_value.h"
#include "graphics/move_obj.h"
#include "graphics/spline_path.h"
#include "graphics/static_image.h"
#include "windows/window.h"

class TReward;

class TRewardFlight : public StaticImage {
public:
    enum TState : int { kShrinking = 0, kWaiting = 1, kMoving = 2, kDone = 3 };
    static constexpr float kStartScale = 1.5f;
    static constexpr float kStepSeconds = 0.3f;

    TRewardFlight(const StaticImage& image, int fromX, int fromY, int toX, int toY, float delay);

    // True once the image has reached the end of its arc.
    bool Update(float dt) override;

    int GetState() const { return mState; }
    float GetDelay() const { return mDelay; }

private:
    void StartMoving();

    IncValue mScaleTween;
    int mState = kShrinking;
    bool mDone = false;
    float mDelay = 0;
    std::unique_ptr<TSplinePath> mPath;
    std::unique_ptr<MoveObj_t> mMover;
};

class TRewardPlace : public TMyWindow {
public:
    static constexpr int kType = 1000;
    // New rewards fly in one after another, this far apart.
    static constexpr float kFlightSpacing = 4.0f;

    TRewardPlace() = default;
    explicit TRewardPlace(TMyWindowContainer* parent) : TMyWindow(parent) {}

    int GetType() const override { return kType; }
    bool Update(float dt) override;
    void DrawSelf() override;

    // The place of the reward; a reward found since the last visit flies in after the delay.
    void Start(float delay, TReward* reward);

    TReward* GetReward() const { return mReward; }
    const TRewardFlight* GetFlight() const { return mFlight.get(); }

    bool mNew = false;

private:
    TReward* mReward = nullptr;
    std::unique_ptr<TRewardFlight> mFlight;
};
