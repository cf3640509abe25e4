#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/buffer.h"
#include "app/frame_stand_ins.h"
#include "app/timer.h"
#include "harness/harness.h"
#include "shell/game_app.h"

namespace {

class CountingTask : public TMyTask {
public:
    explicit CountingTask(bool result) : mResult(result) {}
    bool Execute() override {
        ++executed;
        return mResult;
    }
    int executed = 0;

private:
    bool mResult;
};

TEST(FrameTask, RunSchedulesTheNextRun) {
    struct Case {
        const char* name;
        int period;
        bool fromNow;
        bool catchUp;
        bool executeResult;
        int32_t nextRunFromNow;
        int executions;
        int32_t expectedNextFromNow;
    };
    const Case cases[] = {
        {"from now", 16, true, false, true, -5, 1, 16},
        {"from the due time", 16, false, false, true, -5, 1, 11},
        {"from the due time, still behind", 10, false, false, true, -35, 1, -25},
        {"catching up", 10, false, true, true, -35, 4, 5},
        {"catching up to exactly now", 10, false, true, true, -30, 3, 0},
        {"catching up stops when execute fails", 10, false, true, false, -35, 1, -25},
        {"catch-up from now runs once", 10, true, true, true, -35, 1, 10},
        {"a second behind is caught up", 16, false, false, true, -1000, 1, -984},
        {"more than a second behind resynchronises", 16, false, true, true, -1001, 1, 16},
        {"stall of 1.5 s", 16, true, false, true, -1500, 1, 16},
    };
    for (const Case& c : cases) {
        harness::SteppedClock clock(100000);
        CountingTask task(c.executeResult);
        task.SetPeriod(c.period);
        task.SetFromNow(c.fromNow);
        task.SetCatchUp(c.catchUp);
        task.SetNextRun(clock.Now() + static_cast<uint32_t>(c.nextRunFromNow));
        EXPECT_EQ(task.Run(), c.executeResult) << c.name;
        EXPECT_EQ(task.executed, c.executions) << c.name;
        EXPECT_EQ(static_cast<int32_t>(task.GetNextRun() - clock.Now()), c.expectedNextFromNow) << c.name;
    }
}

TEST(FrameTask, IsDueAcrossTheTickCounterWrap) {
    struct Case {
        const char* name;
        uint32_t now;
        uint32_t nextRun;
        bool due;
    };
    const Case cases[] = {
        {"at the due tick", 5000, 5000, true},
        {"one tick early", 5000, 5001, false},
        {"one tick late", 5000, 4999, true},
        {"never", 5000, TMyTask::kNever, false},
        {"due before the wrap, now after it", 0x10, 0xFFFFFFF0u, true},
        {"due after the wrap, now before it", 0xFFFFFFF0u, 0x10, false},
    };
    for (const Case& c : cases) {
        harness::SteppedClock clock(c.now);
        TMyTask task;
        task.SetNextRun(c.nextRun);
        EXPECT_EQ(task.IsDue(), c.due) << c.name;
    }
}

TEST(FrameTask, FrameTaskRunsEvery16msWithTheRealElapsedTime) {
    StandInSeams* seams = InstallStandIns();
    harness::SteppedClock clock(0);
    // Start-up takes five seconds before the first frame.
    clock.Advance(5000);
    TGameApp* app = CreateGameApp();
    struct Step {
        uint32_t advance;
        float expectedDt; // < 0: the window manager is not updated
    };
    const Step steps[] = {
        {0, -1.0f},     // makes the task, due 16 ms later
        {10, -1.0f},    //
        {6, 0.016f},    // not the five seconds of start-up
        {5, -1.0f},     //
        {11, 0.016f},   //
        {40, 0.040f},   // one run, not two
        {1, -1.0f},     //
        {1500, 1.501f}, // after a stall: once
        {15, -1.0f},    //
        {1, 0.016f},    // 16 ms after the stall's run
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        clock.Advance(steps[i].advance);
        seams->windowUpdates.clear();
        app->Update(0.0f);
        if (steps[i].expectedDt < 0.0f) {
            EXPECT_TRUE(seams->windowUpdates.empty()) << "step " << i;
        } else {
            ASSERT_EQ(seams->windowUpdates.size(), 1u) << "step " << i;
            EXPECT_FLOAT_EQ(seams->windowUpdates[0], steps[i].expectedDt) << "step " << i;
        }
    }
}

class RecordingListener : public TTimerListener {
public:
    void OnTimerStarted() override { calls.emplace_back("started"); }
    void OnTimerFired() override { calls.emplace_back("fired"); }
    void OnTimerDone() override { calls.emplace_back("done"); }
    std::vector<std::string> calls;
};

TEST(FrameTimer, ReportsStartedFiredAndDone) {
    struct Update {
        float dt;
        bool result;
        std::vector<std::string> calls;
    };
    struct Case {
        const char* name;
        bool start;
        float duration;
        std::vector<Update> updates;
    };
    const Case cases[] = {
        {"never started", false, 1.0f, {{0.1f, true, {}}, {5.0f, true, {}}}},
        {"duration 0 fires on the first update", true, 0.0f, {{0.0f, true, {"fired", "done"}}, {0.0f, true, {}}}},
        {"half a second",
         true,
         0.5f,
         {{0.2f, false, {}}, {0.2f, false, {}}, {0.2f, true, {"fired", "done"}}, {0.2f, true, {}}}},
        {"reaching the duration exactly", true, 0.5f, {{0.25f, false, {}}, {0.25f, true, {"fired", "done"}}}},
    };
    for (const Case& c : cases) {
        RecordingListener listener;
        TTimer timer;
        timer.SetListener(&listener);
        if (c.start) {
            timer.Start(c.duration);
            EXPECT_EQ(listener.calls, std::vector<std::string>{"started"}) << c.name;
        }
        for (size_t i = 0; i < c.updates.size(); ++i) {
            listener.calls.clear();
            EXPECT_EQ(timer.Update(c.updates[i].dt), c.updates[i].result) << c.name << " update " << i;
            EXPECT_EQ(listener.calls, c.updates[i].calls) << c.name << " update " << i;
        }
    }
}

TEST(FrameTimer, RunsWithoutAListener) {
    TTimer timer;
    timer.Start(0.1f);
    EXPECT_FALSE(timer.Update(0.05f));
    EXPECT_TRUE(timer.Update(0.05f));
    EXPECT_FALSE(timer.IsRunning());
}

TEST(FrameTimer, SavesDurationAndRunning) {
    struct Case {
        const char* name;
        float duration;
        bool running;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"2.5 s running", 2.5f, true, {0xC4, 0x09, 0x00, 0x00, 0x01}},
        {"0.7 s stopped", 0.7f, false, {0xBC, 0x02, 0x00, 0x00, 0x00}},
        {"0 s stopped", 0.0f, false, {0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        TTimer timer;
        timer.Start(c.duration);
        if (!c.running) {
            timer.Update(c.duration);
        }
        TBaseBuffer buffer;
        timer.Write(buffer);
        EXPECT_EQ(buffer.GetBytes(), c.bytes) << c.name;

        // Restored into a timer mid-count: duration and running come back, the elapsed time stays.
        TTimer restored;
        restored.Start(9.0f);
        restored.Update(0.3f);
        restored.Read(buffer);
        EXPECT_FLOAT_EQ(restored.GetDuration(), c.duration) << c.name;
        EXPECT_EQ(restored.IsRunning(), c.running) << c.name;
        EXPECT_FLOAT_EQ(restored.GetElapsed(), 0.3f) << c.name;
    }
}

} // namespace
