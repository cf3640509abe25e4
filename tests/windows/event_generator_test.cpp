// The event generator: how many events fire and when, from its XML attributes and a known random source.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tinyxml.h>

#include "windows/event_generator.h"

namespace {

// The values the generator draws, in a cycle.
std::vector<int> gDraws;
size_t gNextDraw = 0;
int CycleDraws() {
    const int value = gDraws[gNextDraw % gDraws.size()];
    ++gNextDraw;
    return value;
}

class TEventTimes : public TEventGeneratorListener {
public:
    void OnGeneratorEvent(TEventGenerator* generator) override {
        times.push_back(now);
        ids.push_back(generator->mId);
    }
    float now = 0;
    std::vector<float> times;
    std::vector<int> ids;
};

void Load(TEventGenerator& generator, const std::string& attributes) {
    TiXmlDocument document;
    document.Parse(("<generator " + attributes + "/>").c_str());
    ASSERT_FALSE(document.Error());
    generator.LoadFromXml(document.RootElement());
}

// Draws come from the list; events go to the recorder.
void Prepare(TEventGenerator& generator, TEventTimes& events, const std::vector<int>& draws) {
    gDraws = draws;
    gNextDraw = 0;
    generator.mRandom = CycleDraws;
    generator.mListener = &events;
}

// Runs updates of 0.25 s (exact in binary) for the given time and returns when each event fired.
std::vector<float> RunFor(TEventGenerator& generator, TEventTimes& events, float seconds) {
    for (int step = 1; step * 0.25f <= seconds; ++step) {
        events.now = step * 0.25f;
        generator.Update(0.25f);
    }
    return events.times;
}

TEST(EventGeneratorTest, EventsFireTheirCountedNumberOfTimesAtTheirIntervals) {
    struct Case {
        const char* attributes;
        std::vector<int> draws;
        float seconds;
        std::vector<float> times;
        bool runningAfter;
    };
    const std::vector<Case> cases = {
        {"play='1'", {0}, 20, {5}, false},
        // Draw 0 gives the period minus the whole jitter: 2 - 1.
        {"play='1' time='2' duration='1' count='3'", {0}, 10, {1, 2, 3}, false},
        {"play='1' time='1' count='-1'", {0}, 5, {1, 2, 3, 4, 5}, true},
        {"play='1' time='1' count='0'", {0}, 5, {1}, false},
        // A jitter larger than the period: |1 - 3| = 2.
        {"play='1' time='1' duration='3' count='2'", {0}, 10, {2, 4}, false},
        // 16383.5 / 32767 is the middle: draws alternate below and above it.
        {"play='1' time='2' duration='1' count='2'", {0, 0, 32766, 0}, 10, {1, 4}, false},
        // Start delay 1 - 0.5; the update in which it runs out also advances the interval.
        {"play='1' time='1' delay='1' delayduration='0.5'", {0}, 5, {1.25f}, false},
        {"play='0' time='1'", {0}, 5, {}, false},
        {"time='1' id='9'", {0}, 5, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        TEventGenerator generator;
        TEventTimes events;
        Prepare(generator, events, c.draws);
        Load(generator, c.attributes);
        EXPECT_EQ(RunFor(generator, events, c.seconds), c.times);
        EXPECT_EQ(generator.IsRunning(), c.runningAfter);
    }
}

TEST(EventGeneratorTest, StopDuringAnIntervalFiresNothingAndStartBeginsAfresh) {
    TEventGenerator generator;
    TEventTimes events;
    Prepare(generator, events, {0});
    Load(generator, "play='1' time='1' count='2' id='4'");
    RunFor(generator, events, 0.75f);
    generator.Stop();
    EXPECT_FALSE(generator.IsRunning());
    RunFor(generator, events, 2);
    EXPECT_TRUE(events.times.empty());
    generator.Start();
    EXPECT_EQ(RunFor(generator, events, 3), (std::vector<float>{1, 2}));
    EXPECT_EQ(events.ids, (std::vector<int>{4, 4}));
    EXPECT_FALSE(generator.IsRunning());
}

TEST(EventGeneratorTest, EndlessGeneratorsKeepTheirCountAtZero) {
    TEventGenerator generator;
    TEventTimes events;
    Prepare(generator, events, {0});
    Load(generator, "play='1' time='0.5' count='-1'");
    for (int step = 0; step < 40; ++step) {
        generator.Update(0.25f);
        EXPECT_EQ(generator.mEventsFired, 0);
    }
    EXPECT_EQ(events.times.size(), 20u);
    EXPECT_TRUE(generator.IsRunning());
}

} // namespace
