#include "graphics/key_track.h"

#include <algorithm>
#include <cmath>

#include "app/log.h"
#include "graphics/saved_flags.h"

IncValue TKeyTrack::HoldingTween() {
    IncValue tween;
    tween.finishAtOnce = false;
    return tween;
}

// Keys usable as segment ends: both lists must have them.
int32_t TKeyTrack::KeyCount() const {
    return static_cast<int32_t>(std::min(values.size(), times.size()));
}

void TKeyTrack::StartSegment(uint32_t i) {
    if (static_cast<int64_t>(i) + 1 >= KeyCount()) {
        return;
    }
    tween.Set(values[i], values[i + 1], times[i + 1] - times[i], true);
}

bool TKeyTrack::Update(float dt) {
    if (!tween.running) {
        return true;
    }
    if (!tween.Update(dt)) {
        return finished;
    }
    ++segment;
    if (segment > KeyCount() - 2) {
        if (repeats > 0) {
            --repeats;
        }
        if (repeats <= 0 && repeats != kEndless) {
            finished = true;
            return true;
        }
        segment = 0;
    }
    StartSegment(static_cast<uint32_t>(std::max(segment, 0)));
    return finished;
}

void TKeyTrack::Clear() {
    values.clear();
    times.clear();
    finished = true;
    tween.SetValue(tween.current);
}

namespace {

void WriteList(TBaseBuffer& buffer, const std::vector<float>& list) {
    buffer.WriteInt32(static_cast<int32_t>(list.size()));
    for (float value : list) {
        WriteFixed1000(buffer, value);
    }
}

// A negative count reads no entries; one beyond the bytes left fails the buffer.
bool ReadList(TBaseBuffer& buffer, std::vector<float>& list) {
    list.clear();
    const int32_t count = buffer.ReadInt32();
    if (count <= 0) {
        return true;
    }
    if (!buffer.CanRead(count, 4)) {
        TLogFile::Get()->Printf("key track state damaged: %d keys, skipped", count);
        return false;
    }
    list.resize(static_cast<size_t>(count));
    for (float& value : list) {
        value = ReadFixed1000(buffer);
    }
    return true;
}

} // namespace

void TKeyTrack::Write(TBaseBuffer& buffer) const {
    WriteList(buffer, values);
    WriteList(buffer, times);
    WriteFlag(buffer, finished);
    buffer.WriteInt32(segment);
    buffer.WriteInt32(repeats);
    tween.Write(buffer);
}

void TKeyTrack::Read(TBaseBuffer& buffer) {
    TKeyTrack read = *this;
    if (!ReadList(buffer, read.values) || !ReadList(buffer, read.times)) {
        buffer.SetFailed();
        return;
    }
    read.finished = ReadFlag(buffer);
    read.segment = buffer.ReadInt32();
    read.repeats = buffer.ReadInt32();
    read.tween.Read(buffer);
    read.tween.finishAtOnce = false;
    const size_t keys = static_cast<size_t>(read.KeyCount());
    read.values.resize(keys);
    read.times.resize(keys);
    *this = read;
}

void TTimeCounter::Update(float dt) {
    if (stopped) {
        return;
    }
    seconds += countingDown ? -dt : dt;
    if (listener != nullptr && !listener->OnTimeChanged(*this)) {
        listener = nullptr;
    }
}

namespace {
// Truncated toward zero; far beyond any clock's range the count stops growing instead of overflowing.
long long WholeSeconds(float seconds) {
    const double clamped = std::clamp(static_cast<double>(seconds), -1e15, 1e15);
    return std::isnan(clamped) ? 0 : static_cast<long long>(clamped);
}
} // namespace

int TTimeCounter::GetSeconds() const {
    return static_cast<int>(WholeSeconds(seconds) % 60);
}

int TTimeCounter::GetMinutes() const {
    return static_cast<int>((WholeSeconds(seconds) / 60) % 60);
}
