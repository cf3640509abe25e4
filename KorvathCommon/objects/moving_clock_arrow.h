#pragma once
// The ticking clock hand: turns its image one division forward in a short tick, rests for the tack pause
// and repeats, with a tick sound at each step. It runs from the moment its resources load and stands still
// only while the object is locked.

#include <string>

#include "app/timer.h"
#include "graphics/inc_value.h"
#include "objects/object.h"

class TMovingClockArrowObject : public TObject {
public:
    static constexpr int kTypeId = 30;
    static constexpr int kPhaseIdle = 0;
    static constexpr int kPhaseStepping = 1;
    static constexpr int kPhasePausing = 2;
    static constexpr int kDefaultDivisions = 60;

    bool Update(float seconds) override;
    // Idle at the start division.
    void Reset() override;
    // Starts a step.
    void Restart() override;
    int GetTypeId() const override { return kTypeId; }
    // Shows the current division and starts ticking.
    void LoadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The phase, the division, the step tween and the pause after the object's record.
    void SaveState(TBaseBuffer& writer) override;
    bool IsMovable() const override { return true; }

    // The hand's angle, kept in the image (and mirrored in the object, so a re-shown space draws it there).
    float GetHandAngle() const;

    int mCurrent = 0;
    int mStart = 0;
    int mDivisions = kDefaultDivisions;
    // Radians.
    float mAnglePerDivision = 0;
    float mTackTime = 0;
    float mTickTime = 0;
    float mTimePerDivision = 1.0f;
    TTimer mPauseTimer;
    IncValue mStepTween;
    int mPhase = kPhaseIdle;
    std::string mTickSound;

private:
    void StartStep();
    void StartPause();
    void SetHandAngle(float radians);
};
