#pragma once
// Restarts an effector after a random wait, again and again.

#include <memory>

#include "app/timer.h"

class TBaseBuffer;
class TEffector;
class TiXmlElement;

class TRepeater {
public:
    virtual ~TRepeater() = default;
    virtual void Update(float seconds) = 0;
    virtual void WriteState(TBaseBuffer& buffer) const = 0;
    virtual void ReadState(TBaseBuffer& buffer) = 0;
    // The same description bound to another effector, with a first wait of its own.
    virtual std::unique_ptr<TRepeater> CloneFor(TEffector* effector) const = 0;
};

class TVariousTimeRepeater : public TRepeater {
public:
    TVariousTimeRepeater(TEffector* effector, float time, float offset, float startTime, float startOffset);

    void Update(float seconds) override;
    void WriteState(TBaseBuffer& buffer) const override;
    void ReadState(TBaseBuffer& buffer) override;
    std::unique_ptr<TRepeater> CloneFor(TEffector* effector) const override;

    TEffector* mEffector;
    TTimer mTimer;
    float mTime;
    float mOffset;
    float mStartTime;
    float mStartOffset;

private:
    void Wait(float seconds);
};

// The repeater a "repeater" element describes for the effector: only "vartime" makes one.
std::unique_ptr<TRepeater> CreateRepeater(const TiXmlElement* element, TEffector* effector);

// Uniform in [low, high] from the runtime's generator, one call per draw.
float DrawUniform(float low, float high);
