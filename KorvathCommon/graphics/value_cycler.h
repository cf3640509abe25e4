#pragma once
// A value that swings A -> B -> C -> B -> A, each segment over the same time, for a number of cycles.

#include <cstdint>
#include <utility>
#include <vector>

#include "graphics/inc_value.h"

struct TValueCycler {
    static constexpr int32_t kRunning = 0;
    static constexpr int32_t kPausing = 1;
    static constexpr int32_t kIdle = 3;
    static constexpr int32_t kEndless = -1;

    std::vector<std::pair<float, float>> segments;
    int32_t segmentIndex = 0;
    int32_t cyclesDone = 0;
    // Cycles to run; -1 endless. A limit of 0 never matches a count of finished cycles, so it runs on too.
    int32_t cycleLimit = 1;
    float valueA = 0;
    float valueC = 0;
    float valueB = 0;
    int32_t state = kIdle;
    float segmentSeconds = 0;
    bool finished = true;
    // Pause after every segment; 0 for none.
    float pauseSeconds = 0;
    float pauseElapsed = 0;
    // Finish as soon as value C is reached.
    bool stopHalfWay = false;
    // Its current value is the cycler's value.
    IncValue tween;
    float startDelay = 0;
    bool active = false;

    void Setup(float a, float b, float c, float seconds);
    // Sets the tween over the current segment and starts it.
    void StartSegment();
    // True once finished.
    bool Update(float dt);

    // 70 bytes and 8 per segment. A saved state whose segment count does not fit the bytes left marks the
    // buffer failed and leaves the cycler as it was.
    void Write(TBaseBuffer& buffer) const;
    void Read(TBaseBuffer& buffer);

private:
    void EndSegment();
};
