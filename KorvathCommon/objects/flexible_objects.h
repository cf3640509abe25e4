#pragma once
// Decorative objects that transform their own image: the flexible object stretches it (the up-down kind
// keeps the bottom edge in place), the asterisk spins it endlessly once activated.

#include "graphics/inc_value.h"
#include "objects/object.h"

struct TIntRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

class TFlexibleObject : public TObject {
public:
    // Stretches only through its subclass; the rest of its update is the tween alone.
    bool Update(float seconds) override;
    // The target factor and the seconds to reach it; a negative duration means "time".
    void SetScaleXY(float target, float seconds) override;
    int GetTypeId() const override { return 24; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The rectangles are taken again from the image each time the space is shown.
    void OnSpaceShow() override;
    bool IsMovable() const override { return true; }

    virtual void ApplyStretch(float factor) = 0;
    // The factor that gives the stretched side that size; 1 when there is nothing to stretch.
    virtual float FactorForSize(int size) = 0;
    virtual int StretchedSize() = 0;

    TIntRect mBaseRect;
    TIntRect mCurrentRect;
    float mFactor = 1.0f;
    float mTime = 0.1f;
    IncValue mStretch;
};

// Stretches vertically; the bottom edge stays where it was.
class TUDFlexibleObject : public TFlexibleObject {
public:
    int GetTypeId() const override { return 25; }
    void ApplyStretch(float factor) override;
    float FactorForSize(int size) override;
    int StretchedSize() override;
};

// One full turn every "rot_time" seconds, for ever, once activated.
class TAsterixObject : public TObject {
public:
    bool Update(float seconds) override;
    void Restart() override;
    int GetTypeId() const override { return 14; }
    void LoadResources() override;
    // A restored running asterisk starts again from angle 0.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void Activate(int index, int x, int y) override;

    IncValue mTurn;
    float mTurnTime = 3.0f;
    bool mClockwise = true;
    bool mStarted = false;
};
