#pragma once
// Delays of windows and messages counted down by frame times.

// Frame times come from millisecond ticks; a remainder below half a millisecond is float rounding, so a
// delay runs out in the frame where its time has passed.
constexpr float kCountdownTolerance = 0.0005f;

// Lowers a positive delay by dt, to exactly 0 when it runs out; a delay of 0 or less is left alone.
inline void CountDown(float& delay, float dt) {
    if (delay > 0) {
        delay -= dt;
        if (delay < kCountdownTolerance) {
            delay = 0;
        }
    }
}
