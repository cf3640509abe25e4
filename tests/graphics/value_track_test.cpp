// Value cyclers, key tracks and time counters over stepped time, with their saved state.

#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "app/buffer.h"
#include "graphics/key_track.h"
#include "graphics/value_cycler.h"
#include "harness/harness.h"

namespace {

struct Step {
    float dt;
    bool returns;
    float value;
};

template <typename Track> struct TrackCase {
    const char* what;
    std::function<void(Track&)> setup;
    std::vector<Step> steps;
};

template <typename Track> void RunCases(const std::vector<TrackCase<Track>>& cases) {
    for (const TrackCase<Track>& c : cases) {
        SCOPED_TRACE(c.what);
        Track track;
        c.setup(track);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(track.Update(c.steps[i].dt), c.steps[i].returns) << "step " << i;
            EXPECT_NEAR(track.tween.current, c.steps[i].value, 1e-5) << "step " << i;
        }
    }
}

// A restored track runs the same course as the one it was saved from, to its end.
template <typename Track> void ExpectSameCourse(Track& original, Track& restored, int steps, float dt) {
    for (int i = 0; i < steps; ++i) {
        const bool expected = original.Update(dt);
        EXPECT_EQ(restored.Update(dt), expected) << "step " << i;
        EXPECT_NEAR(restored.tween.current, original.tween.current, 1e-4) << "step " << i;
    }
    EXPECT_TRUE(restored.finished);
}

// Steps of dt that all answer false, with the value they reach.
std::vector<Step> Running(std::initializer_list<std::pair<float, float>> steps) {
    std::vector<Step> out;
    for (auto [dt, value] : steps) {
        out.push_back({dt, false, value});
    }
    return out;
}

TEST(ValueCyclerTest, CyclesThroughItsFourSegments) {
    auto setup = [](TValueCycler& c) { c.Setup(0, 1, 0.5f, 1); };
    std::vector<Step> oneCycle =
        Running({{0.5f, 0.5f}, {0.5f, 1}, {0.5f, 0.75f}, {0.5f, 0.5f}, {0.5f, 0.75f}, {0.5f, 1}, {0.5f, 0.5f}});
    oneCycle.push_back({0.5f, true, 0});
    oneCycle.push_back({0.5f, true, 0});
    // An update runs at most one segment: time left over at a segment's end is dropped.
    const std::vector<Step> twoCycles = Running({{4, 1}, {1, 0.5f}, {1, 1}, {1, 0}, {1, 1}, {1, 0.5f}, {1, 1}, {1, 0}});
    std::vector<Step> halfWay = Running({{1, 1}});
    halfWay.push_back({1, true, 0.5f});
    RunCases<TValueCycler>({
        {"one cycle A-B-C-B-A then finished", setup, oneCycle},
        {"stop half way at C",
         [&setup](TValueCycler& c) {
             setup(c);
             c.stopHalfWay = true;
         },
         halfWay},
        {"endless",
         [&setup](TValueCycler& c) {
             setup(c);
             c.cycleLimit = TValueCycler::kEndless;
         },
         twoCycles},
        {"a limit of 0 never matches",
         [&setup](TValueCycler& c) {
             setup(c);
             c.cycleLimit = 0;
         },
         twoCycles},
        {"pause after every segment",
         [&setup](TValueCycler& c) {
             setup(c);
             c.pauseSeconds = 0.5f;
         },
         Running({{1, 1}, {0.25f, 1}, {0.25f, 1}, {0.5f, 0.75f}, {0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.75f}})},
        {"start delay",
         [&setup](TValueCycler& c) {
             setup(c);
             c.startDelay = 0.5f;
         },
         Running({{0.25f, 0}, {0.5f, 0.5f}})},
        {"a new cycler is finished", [](TValueCycler&) {}, {{1, true, 0}}},
    });
}

TEST(ValueCyclerTest, SavedStateRoundTripsMidCycle) {
    TValueCycler cycler;
    cycler.Setup(2, 4, 3, 1);
    cycler.pauseSeconds = 0.25f;
    cycler.cycleLimit = 2;
    cycler.Update(1);    // A -> B done, pausing
    cycler.Update(0.3f); // pause over, B -> C started
    cycler.Update(0.5f); // half way to C
    TBaseBuffer buffer;
    cycler.Write(buffer);
    EXPECT_EQ(buffer.GetSize(), 70 + 8 * 4);

    TValueCycler restored;
    restored.Read(buffer);
    EXPECT_FALSE(buffer.IsFailed());
    EXPECT_EQ(restored.segments, cycler.segments);
    EXPECT_EQ(restored.segmentIndex, 1);
    EXPECT_FLOAT_EQ(restored.tween.current, 3.5f);
    ExpectSameCourse(cycler, restored, 40, 0.3f);
}

TEST(ValueCyclerTest, DamagedSegmentCountLeavesTheCyclerAsItWas) {
    TValueCycler source;
    source.Setup(0, 1, 0.5f, 1);
    TBaseBuffer buffer;
    source.Write(buffer);
    std::vector<uint8_t> bytes = buffer.GetBytes();
    // The count at offset 66 claims far more segments than the bytes left.
    bytes[66] = 0xFF;
    bytes[67] = 0xFF;
    bytes[68] = 0xFF;
    bytes[69] = 0x7F;
    TBaseBuffer damaged;
    for (uint8_t byte : bytes) {
        damaged.WriteByte(byte);
    }
    TValueCycler cycler;
    cycler.Setup(5, 6, 7, 2);
    cycler.Read(damaged);
    EXPECT_TRUE(damaged.IsFailed());
    EXPECT_FLOAT_EQ(cycler.valueA, 5);
    EXPECT_EQ(cycler.segments.size(), 4u);
    EXPECT_TRUE(harness::LogContains("value cycler state damaged"));
}

TEST(KeyTrackTest, FollowsKeysOverTime) {
    auto keys = [](const std::vector<float>& values, const std::vector<float>& times, int repeats) {
        return [=](TKeyTrack& t) {
            t.values = values;
            t.times = times;
            t.repeats = repeats;
            t.segment = 0;
            t.finished = false;
            t.StartSegment(0);
        };
    };
    std::vector<Step> once = Running({{0.25f, 0.5f}, {0.25f, 1}, {0.5f, 0.5f}});
    once.push_back({0.5f, true, 0});
    once.push_back({0.5f, true, 0});
    std::vector<Step> twice = Running({{0.5f, 1}, {1, 0}, {0.25f, 0.5f}, {0.25f, 1}});
    twice.push_back({1, true, 0});
    // Equal neighbouring keys hold their value for their time instead of stalling the track.
    std::vector<Step> hold = Running({{0.5f, 1}, {0.5f, 1}, {0.5f, 0.5f}});
    hold.push_back({0.5f, true, 0});
    RunCases<TKeyTrack>({
        {"one pass", keys({0, 1, 0}, {0, 0.5f, 1.5f}, 1), once},
        {"two passes", keys({0, 1, 0}, {0, 0.5f, 1.5f}, 2), twice},
        {"endless", keys({0, 1, 0}, {0, 0.5f, 1.5f}, TKeyTrack::kEndless),
         Running({{0.5f, 1}, {1, 0}, {0.5f, 1}, {1, 0}, {0.25f, 0.5f}})},
        {"hold", keys({1, 1, 0}, {0, 1, 2}, 1), hold},
        {"a single key never runs", keys({4}, {0}, 1), {{0.5f, true, 0}}},
        {"more values than times uses the common keys", keys({0, 2, 9}, {0, 1}, 1),
         std::vector<Step>{{0.5f, false, 1}, {0.5f, true, 2}}},
        {"a new track is finished", [](TKeyTrack&) {}, {{1, true, 0}}},
    });
}

TEST(KeyTrackTest, ClearParksTheValue) {
    TKeyTrack track;
    track.values = {0, 10};
    track.times = {0, 1};
    track.finished = false;
    track.StartSegment(0);
    track.Update(0.3f);
    track.Clear();
    EXPECT_TRUE(track.values.empty());
    EXPECT_TRUE(track.finished);
    EXPECT_TRUE(track.Update(1));
    EXPECT_FLOAT_EQ(track.tween.current, 3);
}

TEST(KeyTrackTest, SavedStateRoundTrips) {
    TKeyTrack track;
    track.values = {0, 1, 0};
    track.times = {0, 0.5f, 1.5f};
    track.repeats = 2;
    track.finished = false;
    track.StartSegment(0);
    track.Update(0.5f);
    track.Update(0.25f);
    TBaseBuffer buffer;
    track.Write(buffer);
    EXPECT_EQ(buffer.GetSize(), 41 + 4 * 3 + 4 * 3);

    TKeyTrack restored;
    restored.Read(buffer);
    EXPECT_FALSE(buffer.IsFailed());
    EXPECT_EQ(restored.values, track.values);
    EXPECT_EQ(restored.times, track.times);
    EXPECT_EQ(restored.segment, 1);
    EXPECT_EQ(restored.repeats, 2);
    ExpectSameCourse(track, restored, 12, 0.25f);
}

TEST(KeyTrackTest, DamagedSavedStates) {
    struct Case {
        const char* what;
        std::function<void(TBaseBuffer&)> write;
        bool failed;
        size_t keys;
    };
    const std::vector<Case> cases = {
        {"value count beyond the bytes left",
         [](TBaseBuffer& b) {
             b.WriteInt32(0x7FFFFFFF);
             b.WriteInt32(0);
         },
         true, 2},
        {"negative counts read no keys",
         [](TBaseBuffer& b) {
             b.WriteInt32(-3);
             b.WriteInt32(-1);
         },
         false, 0},
        {"lists of different lengths are cut to the shorter",
         [](TBaseBuffer& b) {
             b.WriteInt32(3);
             for (int v : {0, 1000, 2000}) {
                 b.WriteInt32(v);
             }
             b.WriteInt32(2);
             for (int t : {0, 500}) {
                 b.WriteInt32(t);
             }
         },
         false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBaseBuffer buffer;
        c.write(buffer);
        TKeyTrack track;
        track.values = {7, 8};
        track.times = {0, 1};
        track.Read(buffer);
        EXPECT_EQ(buffer.IsFailed(), c.failed);
        EXPECT_EQ(track.values.size(), c.keys);
        EXPECT_EQ(track.times.size(), c.keys);
        track.StartSegment(0);
        for (int i = 0; i < 4; ++i) {
            track.Update(0.5f); // never reads past the lists
        }
    }
}

TEST(TimeCounterTest, CountsAndReports) {
    struct Case {
        float seconds;
        int shownSeconds;
        int shownMinutes;
    };
    for (const Case& c :
         std::vector<Case>{{125.7f, 5, 2}, {59.99f, 59, 0}, {3600, 0, 0}, {3725, 5, 2}, {-61.5f, -1, -1}}) {
        TTimeCounter counter;
        counter.seconds = c.seconds;
        EXPECT_EQ(counter.GetSeconds(), c.shownSeconds) << c.seconds;
        EXPECT_EQ(counter.GetMinutes(), c.shownMinutes) << c.seconds;
    }

    struct Listener : TTimeCounterListener {
        int calls = 0;
        bool OnTimeChanged(TTimeCounter&) override { return ++calls < 2; }
    };
    Listener listener;
    TTimeCounter counter;
    counter.seconds = 0.5f;
    counter.countingDown = true;
    counter.listener = &listener;
    counter.Update(1);
    EXPECT_FLOAT_EQ(counter.seconds, -0.5f) << "counting down goes on below 0";
    counter.Update(1);
    EXPECT_EQ(counter.listener, nullptr) << "a false answer detaches the listener";
    counter.Update(1);
    EXPECT_EQ(listener.calls, 2);
    counter.stopped = true;
    counter.Update(1);
    EXPECT_FLOAT_EQ(counter.seconds, -2.5f);
}

} // namespace
