#include "app/timer.h"

#include "app/buffer.h"

void TTimer::Start(float duration) {
    mDuration = duration;
    mElapsed = 0.0f;
    mRunning = true;
    if (mListener != nullptr) {
        mListener->OnTimerStarted();
    }
}

bool TTimer::Update(float dt) {
    if (!mRunning) {
        return true;
    }
    mElapsed += dt;
    if (mElapsed < mDuration) {
        return false;
    }
    mRunning = false;
    if (mListener != nullptr) {
        mListener->OnTimerFired();
        mListener->OnTimerDone();
    }
    return true;
}

void TTimer::Write(TBaseBuffer& buffer) const {
    WriteFixed1000(buffer, mDuration);
    buffer.WriteByte(mRunning ? 1 : 0);
}

void TTimer::Read(TBaseBuffer& buffer) {
    mDuration = ReadFixed1000(buffer);
    mRunning = buffer.ReadByte() != 0;
}
