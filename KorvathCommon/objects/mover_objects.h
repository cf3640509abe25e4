#pragma once
// Objects that travel: the mover steps through its positions, the target is a mover that wobbles around
// its place and is solved near it, the arc mover runs along an ellipse inscribed in a rectangle.

#include <string>
#include <utility>
#include <vector>

#include "graphics/point_mover.h"
#include "objects/object.h"

class TMoverObject : public TObject {
public:
    static constexpr int kAnimStay = 0;
    static constexpr int kAnimWrap = 1;

    bool Update(float seconds) override;
    // A restored step in progress goes on towards its saved target.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void Activate(int index, int x, int y) override;
    void DoClickAction(int clickNumber, int x, int y) override;
    // The stored positions move along.
    void MoveBy(int dx, int dy) override;
    bool IsMovable() const override { return true; }

    // One step from the current position; true while it moves. A mover without positions never steps.
    bool StartMove();
    void NextIndex();

    int mAnimType = kAnimWrap;
    std::vector<std::pair<int, int>> mPositions;
    TPointMover mPointMover;
    bool mMoving = false;
    int mCurrentIndex = 0;
    int mTargetIndex = 0;
    int mPositionCount = 0;
    bool mOnClick = true;
    bool mContinueSteps = false;
    // Entry i is the duration of the step that leaves position i; 0 jumps.
    std::vector<float> mTimes;

protected:
    void PlaceAt(int index);
    bool HasPosition(int index) const { return index >= 0 && index < static_cast<int>(mPositions.size()); }
};

// Visits its centre and four points at "maxradius" around it; solved within "targetradius" of its place.
class TTargetObject : public TMoverObject {
public:
    int GetTypeId() const override { return 85; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    bool IsSolved() const override;

    int mTargetRadius = 25;
    int mMaxRadius = 45;
};

struct TArcMotion {
    int rectX = 0;
    int rectY = 0;
    int rectW = 0;
    int rectH = 0;
    float startAngle = 0;
    float endAngle = 0;
    // Degrees in [0, 360).
    float currentAngle = 0;
    float elapsed = 0;
    float time = 0;
    bool running = false;
    bool finished = false;
    bool clockwise = true;
    int x = 0;
    int y = 0;
    int centreX = 0;
    int centreY = 0;
    // -1 for ever, else the number of passes (at least one).
    int loop = 1;
    int passes = 0;

    void Setup(bool play);
    void Step(float dt);
    // The point of the ellipse inscribed in the rectangle at the current angle, 0 degrees at its left end.
    void PlacePoint();
};

class TArcMoverObject : public TObject {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 13; }
    void RestoreState(TBaseBuffer& reader) override;
    // A rectangle without width or height is refused: the arc then never runs.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Angle, elapsed time, running and finished, then the passes made.
    void SaveState(TBaseBuffer& writer) override;
    // Runs a new pass from where the arc stands.
    void Activate(int index, int x, int y) override;
    void Deactivate(int index, int x, int y) override;
    bool IsMovable() const override { return true; }

    TArcMotion mArc;
    std::string mPlaySound;
    bool mValidRect = true;
};
