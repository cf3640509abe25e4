#pragma once
// A value that follows key values at key times, segment by segment, for a number of passes; and a seconds
// counter for clocks.

#include <cstdint>
#include <vector>

#include "graphics/inc_value.h"

struct TKeyTrack {
    static constexpr int32_t kEndless = -1;

    std::vector<float> values;
    // Seconds, one per value, ascending.
    std::vector<float> times;
    bool finished = true;
    // Its current value is the track's value. Segments between equal keys hold for their time, so the
    // tween never finishes a segment at once.
    IncValue tween = HoldingTween();
    int32_t segment = 0;
    // Passes left; -1 endless.
    int32_t repeats = 1;

    // Starts the tween over segment i when key i + 1 exists.
    void StartSegment(uint32_t i);
    // True once finished, and while the tween is not running.
    bool Update(float dt);
    // Empties both lists and parks the tween where it stands.
    void Clear();

    // Counts and values of both lists, finished, segment, repeats and the tween. A list count that does not
    // fit the bytes left marks the buffer failed and leaves the track as it was; lists of different
    // lengths are cut to the shorter.
    void Write(TBaseBuffer& buffer) const;
    void Read(TBaseBuffer& buffer);

private:
    static IncValue HoldingTween();
    int32_t KeyCount() const;
};

struct TTimeCounter;

class TTimeCounterListener {
public:
    virtual ~TTimeCounterListener() = default;
    // False detaches the listener.
    virtual bool OnTimeChanged(TTimeCounter& counter) { return true; }
};

struct TTimeCounter {
    float seconds = 0;
    bool stopped = false;
    bool countingDown = false;
    TTimeCounterListener* listener = nullptr;

    // Adds dt (subtracts it when counting down; no clamping at 0) unless stopped, then tells the listener.
    void Update(float dt);
    // Whole seconds (truncated toward zero) modulo 60, and whole minutes modulo 60; hours are not reported.
    int GetSeconds() const;
    int GetMinutes() const;
};
