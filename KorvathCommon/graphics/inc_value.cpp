#include "graphics/inc_value.h"

#include <cmath>

#include "graphics/saved_flags.h"

bool HoldForDelay(float& delay, float dt) {
    if (delay <= 0) {
        return false;
    }
    delay -= dt;
    if (delay > 0) {
        return true;
    }
    delay = 0;
    return false;
}

void IncValue::Set(float fromValue, float toValue, float seconds, bool start) {
    from = current = fromValue;
    to = toValue;
    duration = std::fabs(seconds);
    elapsed = 0;
    if (from == to && finishAtOnce) {
        finished = true;
        running = false;
    } else if (start) {
        finished = false;
        running = true;
        paused = false;
    }
}

void IncValue::SetInt(int fromValue, int toValue, float seconds, bool start) {
    Set(static_cast<float>(fromValue), static_cast<float>(toValue), seconds, start);
}

void IncValue::Start(float seconds) {
    from = current = 0;
    to = 1;
    duration = std::fabs(seconds);
    elapsed = 0;
    finished = false;
    running = true;
    paused = false;
}

void IncValue::SetValue(float v) {
    from = current = to = v;
    elapsed = 0;
    finished = true;
    running = false;
}

bool IncValue::Update(float dt) {
    if (paused || finished) {
        return finished;
    }
    if (HoldForDelay(delay, dt)) {
        return false;
    }
    elapsed += dt;
    if (elapsed > duration) {
        elapsed = duration;
    }
    const float ratio = duration == 0 ? 1.0f : elapsed / duration;
    current = (to - from) * ratio + from;
    finished = elapsed >= duration;
    if (finished) {
        running = false;
        paused = false;
        current = to;
        if (listener != nullptr) {
            listener->OnIncValueFinished(*this);
        }
    }
    return finished;
}

void IncValue::Write(TBaseBuffer& buffer) const {
    for (float value : {current, from, to, duration, elapsed}) {
        WriteFixed1000(buffer, value);
    }
    for (bool flag : {finished, running, paused, finishAtOnce}) {
        WriteFlag(buffer, flag);
    }
}

void IncValue::Read(TBaseBuffer& buffer) {
    current = ReadFixed1000(buffer);
    from = ReadFixed1000(buffer);
    to = ReadFixed1000(buffer);
    duration = std::fabs(ReadFixed1000(buffer));
    elapsed = ReadFixed1000(buffer);
    finished = ReadFlag(buffer);
    running = ReadFlag(buffer);
    paused = ReadFlag(buffer);
    finishAtOnce = ReadFlag(buffer);
}
