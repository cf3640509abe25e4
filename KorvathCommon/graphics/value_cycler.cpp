#include "graphics/value_cycler.h"

#include "app/log.h"
#include "graphics/saved_flags.h"

void TValueCycler::Setup(float a, float b, float c, float seconds) {
    valueA = a;
    valueB = b;
    valueC = c;
    segmentSeconds = seconds;
    segments = {{a, b}, {b, c}, {c, b}, {b, a}};
    segmentIndex = 0;
    cyclesDone = 0;
    finished = false;
    state = kRunning;
    pauseElapsed = 0;
    tween.Set(a, b, seconds, true);
    active = true;
}

void TValueCycler::StartSegment() {
    if (segmentIndex < 0 || static_cast<size_t>(segmentIndex) >= segments.size()) {
        return;
    }
    const auto [segmentFrom, segmentTo] = segments[static_cast<size_t>(segmentIndex)];
    tween.Set(segmentFrom, segmentTo, segmentSeconds, true);
}

bool TValueCycler::Update(float dt) {
    if (finished) {
        return true;
    }
    if (HoldForDelay(startDelay, dt)) {
        return false;
    }
    if (state == kPausing) {
        pauseElapsed += dt;
        if (pauseElapsed >= pauseSeconds) {
            pauseElapsed = 0;
            state = kRunning;
            StartSegment();
        }
        return finished;
    }
    if (tween.Update(dt) && state == kRunning) {
        EndSegment();
    }
    return finished;
}

// A segment ended: count it, finish at the limit or half way, else go on (after the pause when one is set).
void TValueCycler::EndSegment() {
    if (++segmentIndex >= 4) {
        ++cyclesDone;
        segmentIndex = 0;
    }
    const bool limitReached = cycleLimit != kEndless && cyclesDone == cycleLimit && segmentIndex == 0;
    if (limitReached || (stopHalfWay && segmentIndex == 2)) {
        finished = true;
        active = false;
        return;
    }
    if (pauseSeconds == 0) {
        StartSegment();
    } else {
        pauseElapsed = 0;
        state = kPausing;
    }
}

void TValueCycler::Write(TBaseBuffer& buffer) const {
    buffer.WriteInt32(segmentIndex);
    buffer.WriteInt32(cyclesDone);
    buffer.WriteInt32(cycleLimit);
    WriteFixed1000(buffer, valueA);
    WriteFixed1000(buffer, valueC);
    WriteFixed1000(buffer, valueB);
    buffer.WriteInt32(state);
    for (float value : {pauseElapsed, segmentSeconds, pauseSeconds}) {
        WriteFixed1000(buffer, value);
    }
    WriteFlag(buffer, finished);
    WriteFlag(buffer, stopHalfWay);
    tween.Write(buffer);
    buffer.WriteInt32(static_cast<int32_t>(segments.size()));
    for (const auto& [segmentFrom, segmentTo] : segments) {
        WriteFixed1000(buffer, segmentFrom);
        WriteFixed1000(buffer, segmentTo);
    }
}

void TValueCycler::Read(TBaseBuffer& buffer) {
    TValueCycler read = *this;
    read.segmentIndex = buffer.ReadInt32();
    read.cyclesDone = buffer.ReadInt32();
    read.cycleLimit = buffer.ReadInt32();
    read.valueA = ReadFixed1000(buffer);
    read.valueC = ReadFixed1000(buffer);
    read.valueB = ReadFixed1000(buffer);
    read.state = buffer.ReadInt32();
    read.pauseElapsed = ReadFixed1000(buffer);
    read.segmentSeconds = ReadFixed1000(buffer);
    read.pauseSeconds = ReadFixed1000(buffer);
    read.finished = ReadFlag(buffer);
    read.stopHalfWay = ReadFlag(buffer);
    read.tween.Read(buffer);
    const int32_t count = buffer.ReadInt32();
    if (count < 0 || !buffer.CanRead(count, 8)) {
        buffer.SetFailed();
        TLogFile::Get()->Printf("value cycler state damaged: %d segments, skipped", count);
        return;
    }
    read.segments.assign(static_cast<size_t>(count), {0.0f, 0.0f});
    for (auto& [segmentFrom, segmentTo] : read.segments) {
        segmentFrom = ReadFixed1000(buffer);
        segmentTo = ReadFixed1000(buffer);
    }
    *this = read;
}
