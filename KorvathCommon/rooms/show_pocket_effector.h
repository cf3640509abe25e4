#pragma once
// The zoom of a pocket: its owner grows from a point of the scene to full size when the pocket opens, and
// shrinks back into it when it closes. The point stays where it is on screen while the owner scales.

#include <memory>

#include "graphics/inc_value.h"
#include "graphics/point_mover.h"
#include "rooms/effector.h"

class TShowPocketEffector;

class TShowPocketEffectorListener {
public:
    virtual ~TShowPocketEffectorListener() = default;
    virtual void OnShowPocketEffectorListenerDone(TShowPocketEffector* effector) {}
};

class TShowPocketEffector : public TEffector {
public:
    void Update(float seconds) override;
    void Start() override;
    void Stop() override;
    void ClearKeys() override {}
    std::unique_ptr<TEffector> Clone() const override;

    // The zoom from one point and scale to another over the given time.
    void Setup(float fromX, float fromY, float toX, float toY, float startScale, float endScale, float seconds);

    int32_t mClosing = 0;
    TPointMover mPoint;
    IncValue mScaleX;
    IncValue mScaleY;
    float mFromX = 0;
    float mFromY = 0;
    float mToX = 0;
    float mToY = 0;
    float mStartScaleX = 0.2f;
    float mStartScaleY = 0.2f;
    float mEndScaleX = 1.0f;
    float mEndScaleY = 1.0f;
    float mTime = 0.3f;
    bool mDone = false;
    TShowPocketEffectorListener* mPocketListener = nullptr;
};
