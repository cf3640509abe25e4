#pragma once
// A timer read from XML that fires events at randomised intervals: every "time" seconds, give or take up
// to "duration", after a randomised start delay, a counted number of times or without end.

#include "graphics/inc_value.h"

class TiXmlElement;
class TEventGenerator;

class TEventGeneratorListener {
public:
    virtual ~TEventGeneratorListener() = default;
    virtual void OnGeneratorEvent(TEventGenerator* generator) {}
};

class TEventGenerator {
public:
    // A count limit of this value fires without end.
    static constexpr int kEndless = -1;

    TEventGenerator();
    virtual ~TEventGenerator() = default;

    // "time", "duration", "delay", "delayduration", "play", "count", "id"; starts when "play" is set.
    virtual void LoadFromXml(const TiXmlElement* element);
    virtual void Update(float dt);
    // Counts from 0 and arms the first interval.
    virtual void Start();
    virtual void Stop();
    virtual bool IsRunning() const { return mRunning; }

    // Not owned.
    TEventGeneratorListener* mListener = nullptr;
    float mStartDelay = 0;
    float mStartDelayJitter = 0;
    bool mRunning = false;
    float mPeriod = 5.0f;
    float mPeriodJitter = 0;
    // Runs 0 -> 1 over one interval.
    IncValue mPeriodTween;
    int mCountLimit = 1;
    int mEventsFired = 0;
    int mId = 0;
    // Values in 0 .. 32767; tests install their own.
    int (*mRandom)() = nullptr;

private:
    void ArmInterval();
    // A value in [0, 1) from one draw.
    float Draw01();
};
