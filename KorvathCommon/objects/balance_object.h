#pragma once
// A magnet puzzle: three slider magnets and a turning knob pull a ball along a beam, and two indicator
// sliders show where it stands. The balance reports after-event 0 the first time the ball stands exactly
// in the middle; once activated, it waits for the knob to be turned to its upper bound and reports
// after-event 2. Its parts are its direct children, found by id each time its space is shown.

#include <optional>
#include <string>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/point_mover.h"
#include "objects/transparent_object.h"

class TLimitedArrowObject;
class TSliderObject;

class TBalanceObject : public TTransparentObject {
public:
    static constexpr int kValueCount = 5;

    // The indicators follow the running balance tween; an armed balance watches the knob.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 15; }
    // Re-computes with animation, then the parts but the indicators take the press.
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    // Re-computes with animation, then the parts take the release.
    bool OnMouseUp(const TMouseEvent& event) override;
    void RestoreState(TBaseBuffer& reader) override;
    // "values": weights of the three magnets and of the knob, then the full scale.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Armed, middle reached, the balance tween, the ball mover.
    void SaveState(TBaseBuffer& writer) override;
    // Finds the parts (a missing one, or one of another kind, is logged), then computes without animation.
    void OnSpaceShow() override;
    // Waits for the knob at its upper bound.
    void Activate(int index, int x, int y) override;
    void OnEffectorTrackFinished(int track) override;

    // The ball's position from the magnets and the knob, shown on the indicators; nothing when a part or
    // value it needs is missing or would divide by zero.
    void Compute(bool animate);
    // Where the ball stands, in units of the full scale; none when it cannot be computed. Data that carries it
    // past int holds it at int's end.
    std::optional<int> ComputePosition() const;

    TSliderObject* mMagnets[3] = {nullptr, nullptr, nullptr};
    TLimitedArrowObject* mKnob = nullptr;
    TSliderObject* mLeft = nullptr;
    TSliderObject* mRight = nullptr;
    TObject* mBall = nullptr;
    std::vector<int> mValues;
    IncValue mBalanceTween;
    TPointMover mBallMover;
    bool mArmed = false;
    bool mMiddleReached = false;

private:
    // A position held at int's end is logged once.
    bool mReportedHeldPosition = false;
    void FindParts();
    bool HasParts() const;
    // Every part, five values, a full scale and a knob range that are not 0.
    bool CanCompute() const;
    void ShowOnIndicators(float value);
    // Knob angle within 15 degrees of its right angle, the short way round.
    bool IsKnobAtRightAngle() const;
};
