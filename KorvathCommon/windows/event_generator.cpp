#include "windows/event_generator.h"

#include <cmath>
#include <cstdlib>

#include "app/xml_reader.h"

namespace {
// The runtime's rand cut to the 15 bits the interval arithmetic was worked out for.
int RuntimeRand15() {
    return std::rand() & 0x7FFF;
}
} // namespace

TEventGenerator::TEventGenerator() : mRandom(RuntimeRand15) {
    mPeriodTween.SetValue(0);
}

void TEventGenerator::LoadFromXml(const TiXmlElement* element) {
    mPeriod = ReadXmlFloat(element, "time", mPeriod);
    mPeriodJitter = ReadXmlFloat(element, "duration", mPeriodJitter);
    mStartDelay = ReadXmlFloat(element, "delay", mStartDelay);
    mStartDelayJitter = ReadXmlFloat(element, "delayduration", mStartDelayJitter);
    mRunning = ReadXmlBool(element, "play", mRunning);
    mCountLimit = ReadXmlInt(element, "count", mCountLimit);
    mId = ReadXmlInt(element, "id", mId);
    if (mRunning) {
        Start();
    }
}

float TEventGenerator::Draw01() {
    return static_cast<float>(mRandom() % 32767) / 32767.0f;
}

void TEventGenerator::ArmInterval() {
    const float r1 = Draw01();
    const float interval = std::fabs(mPeriod + (r1 * 2 * mPeriodJitter - mPeriodJitter));
    mPeriodTween.Start(interval);
    const float r2 = Draw01();
    const float delay = mStartDelay + (r2 * 2 * mStartDelayJitter - mStartDelayJitter);
    mPeriodTween.delay = delay > 0 ? delay : 0;
}

void TEventGenerator::Start() {
    mRunning = true;
    mEventsFired = 0;
    ArmInterval();
}

void TEventGenerator::Stop() {
    mRunning = false;
    mEventsFired = 0;
    mPeriodTween.SetValue(0);
}

void TEventGenerator::Update(float dt) {
    if (!mRunning || !mPeriodTween.Update(dt)) {
        return;
    }
    ++mEventsFired;
    if (mListener != nullptr) {
        mListener->OnGeneratorEvent(this);
    }
    if (mCountLimit != kEndless && mEventsFired >= mCountLimit) {
        Stop();
        return;
    }
    if (mCountLimit == kEndless) {
        mEventsFired = 0;
    }
    ArmInterval();
}
