#pragma once
// Objects that only change their own alpha: a light that flickers for ever between random levels, and a
// focuser that fades in and out on activation and catches every press while it shows at all.

#include "app/timer.h"
#include "graphics/inc_value.h"
#include "objects/object.h"

class TLightObject : public TObject {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 58; }
    // The first flicker starts as soon as the light is loaded.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;

    // From the present alpha to a random level of the band away from it, speeding up on the way.
    void NextFlicker();

    float mStep = 0.2f;
    float mMinAlpha = 0;
    float mMaxAlpha = 1.0f;
    float mMinTime = 0.5f;
    float mMaxTime = 1.0f;
    float mAcceleration = 0;
    float mStartSpeed = 0;
    float mStartAlpha = 0;
    float mCurrentAlpha = 0;
    float mTargetAlpha = 0;
    float mDuration = 0;
    float mElapsed = 0;
    bool mRunning = false;
    // Carried for the record layout; nothing starts it.
    TTimer mTimer;
};

class TFocuserObject : public TObject {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 60; }
    void RestoreState(TBaseBuffer& reader) override;
    // Starts transparent; its loaded alpha is the one it fades in to.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // Fades in, or out when it faded in last, from wherever the alpha stands.
    void Activate(int index, int x, int y) override;
    // Anywhere, while it shows at all.
    bool HitTestSelf(int x, int y) override;

    IncValue mAlphaTween;
    float mFullAlpha = 1.0f;
    float mTime = 1.0f;
    bool mFadeInNext = true;
};
