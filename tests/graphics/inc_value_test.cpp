// The linear tween and the point mover over stepped time, with their saved state.

#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "app/buffer.h"
#include "graphics/inc_value.h"
#include "graphics/point_mover.h"

namespace {

struct Step {
    float dt;
    bool returns;
    float current;
};

struct TweenCase {
    const char* what;
    std::function<void(IncValue&)> setup;
    std::vector<Step> steps;
};

TEST(IncValueTest, UpdatesOverSteppedTime) {
    const std::vector<TweenCase> cases = {
        {"linear, overshoot clamps to the end",
         [](IncValue& v) { v.Set(0, 10, 1, true); },
         {{0.25f, false, 2.5f}, {0.5f, false, 7.5f}, {0.5f, true, 10}, {0.1f, true, 10}}},
        {"downwards", [](IncValue& v) { v.Set(4, -4, 2, true); }, {{0.5f, false, 2}, {1.5f, true, -4}}},
        {"negative seconds run forwards", [](IncValue& v) { v.Set(0, 1, -2, true); }, {{1, false, 0.5f}}},
        {"equal ends finish at once", [](IncValue& v) { v.Set(3, 3, 1, true); }, {{0.1f, true, 3}}},
        {"equal ends run when finish-at-once is cleared",
         [](IncValue& v) {
             v.finishAtOnce = false;
             v.Set(3, 3, 1, true);
         },
         {{0.5f, false, 3}, {0.5f, true, 3}}},
        {"Start(0) finishes on the first update", [](IncValue& v) { v.Start(0); }, {{0.1f, true, 1}}},
        {"Start runs 0 to 1", [](IncValue& v) { v.Start(4); }, {{1, false, 0.25f}}},
        {"integer ends", [](IncValue& v) { v.SetInt(10, 20, 1, true); }, {{0.5f, false, 15}}},
        {"delay is used up, then the whole dt advances",
         [](IncValue& v) {
             v.Set(0, 1, 1, true);
             v.delay = 0.5f;
         },
         {{0.3f, false, 0}, {0.3f, false, 0.3f}, {0.7f, true, 1}}},
        {"paused does not move",
         [](IncValue& v) {
             v.Set(0, 1, 1, true);
             v.paused = true;
         },
         {{0.5f, false, 0}, {0.5f, false, 0}}},
        {"set without start leaves an idle tween idle", [](IncValue& v) { v.Set(0, 1, 1, false); }, {{0.5f, true, 0}}},
        {"a parked tween stays", [](IncValue& v) { v.SetValue(7); }, {{0.5f, true, 7}}},
        {"a new tween is finished", [](IncValue&) {}, {{0.5f, true, 0}}},
    };
    for (const TweenCase& c : cases) {
        SCOPED_TRACE(c.what);
        IncValue value;
        c.setup(value);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(value.Update(c.steps[i].dt), c.steps[i].returns) << "step " << i;
            EXPECT_NEAR(value.current, c.steps[i].current, 1e-5) << "step " << i;
        }
    }
}

TEST(IncValueTest, FinishReachesTheListenerOnce) {
    struct Counter : IncValueListener {
        int calls = 0;
        bool restart = false;
        void OnIncValueFinished(IncValue& value) override {
            ++calls;
            if (restart) {
                restart = false;
                value.Set(1, 0, 1, true);
            }
        }
    };
    Counter counter;
    IncValue value;
    value.listener = &counter;
    value.Set(0, 1, 1, true);
    EXPECT_FALSE(value.Update(0.5f));
    EXPECT_TRUE(value.Update(0.5f));
    EXPECT_TRUE(value.Update(0.5f));
    EXPECT_EQ(counter.calls, 1);

    // A listener that restarts the tween makes the finishing update answer false.
    counter.restart = true;
    value.Set(0, 1, 1, true);
    EXPECT_FALSE(value.Update(1));
    EXPECT_EQ(counter.calls, 2);
    EXPECT_TRUE(value.running);
    EXPECT_FLOAT_EQ(value.current, 1);
}

TEST(IncValueTest, SavedStateHasItsLayoutAndRoundTrips) {
    IncValue value;
    value.Set(-1.5f, 2.25f, 3, true);
    value.Update(0.7f);
    TBaseBuffer buffer;
    value.Write(buffer);
    ASSERT_EQ(buffer.GetSize(), 24);
    // current = -1.5 + 3.75 x 0.7 / 3 = -0.625
    EXPECT_EQ(buffer.ReadInt32(), -625);
    EXPECT_EQ(buffer.ReadInt32(), -1500);
    EXPECT_EQ(buffer.ReadInt32(), 2250);
    EXPECT_EQ(buffer.ReadInt32(), 3000);
    EXPECT_EQ(buffer.ReadInt32(), 700);
    const std::vector<uint8_t> flags(buffer.GetBytes().begin() + 20, buffer.GetBytes().end());
    EXPECT_EQ(flags, (std::vector<uint8_t>{0, 1, 0, 1}));

    TBaseBuffer again;
    value.Write(again);
    IncValue restored;
    restored.Read(again);
    EXPECT_FLOAT_EQ(restored.current, value.current);
    EXPECT_TRUE(restored.running);
    EXPECT_FALSE(restored.finished);
    EXPECT_FALSE(restored.Update(1.3f));
    EXPECT_TRUE(restored.Update(1.0f));
    EXPECT_FLOAT_EQ(restored.current, 2.25f);
}

TEST(IncValueTest, ShortSavedStateRestoresAsZeros) {
    TBaseBuffer buffer;
    buffer.WriteInt32(5000);
    IncValue value;
    value.Read(buffer);
    EXPECT_FLOAT_EQ(value.current, 5);
    EXPECT_FLOAT_EQ(value.duration, 0);
    EXPECT_FALSE(value.finished);
    EXPECT_FALSE(value.finishAtOnce);
}

struct MoverStep {
    float dt;
    bool returns;
    float x;
    float y;
    bool done;
};

struct MoverCase {
    const char* what;
    std::function<void(TPointMover&)> setup;
    std::vector<MoverStep> steps;
};

TEST(PointMoverTest, MovesAlongItsWaypoints) {
    const std::vector<MoverCase> cases = {
        {"one move, done reported once",
         [](TPointMover& m) { m.MoveTo(0, 0, 10, 20, 1); },
         {{0.5f, false, 5, 10, false}, {0.5f, true, 10, 20, true}, {0.5f, false, 10, 20, true}}},
        {"a dt that ends the first waypoint does not advance the second",
         [](TPointMover& m) {
             m.MoveTo(0, 0, 10, 0, 1);
             m.queue.push_back({10, 0, 10, 10, 1});
         },
         {{1.5f, false, 10, 0, false}, {0.5f, false, 10, 5, false}, {0.5f, true, 10, 10, true}}},
        {"jump ends on the next update", [](TPointMover& m) { m.JumpTo(5, 6); }, {{0.01f, true, 5, 6, true}}},
        {"start delay holds until it drops below 0",
         [](TPointMover& m) {
             m.MoveTo(0, 0, 8, 0, 1);
             m.startDelay = 0.5f;
         },
         {{0.5f, false, 0, 0, false}, {0.25f, false, 2, 0, false}}},
        {"placed point does not move", [](TPointMover& m) { m.SetPosition(3, 4); }, {{1, false, 3, 4, false}}},
        {"an idle mover stays at the origin", [](TPointMover&) {}, {{1, false, 0, 0, false}}},
    };
    for (const MoverCase& c : cases) {
        SCOPED_TRACE(c.what);
        TPointMover mover;
        c.setup(mover);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const MoverStep& s = c.steps[i];
            EXPECT_EQ(mover.Update(s.dt), s.returns) << "step " << i;
            EXPECT_NEAR(mover.currentX, s.x, 1e-4) << "step " << i;
            EXPECT_NEAR(mover.currentY, s.y, 1e-4) << "step " << i;
            EXPECT_EQ(mover.done, s.done) << "step " << i;
        }
    }
}

TEST(PointMoverTest, ListenerHearsTheEndOnce) {
    struct Counter : TPointMoverListener {
        int calls = 0;
        void OnPointMoverDone(TPointMover&) override { ++calls; }
    };
    Counter counter;
    TPointMover mover;
    mover.listener = &counter;
    mover.JumpTo(1, 2);
    mover.Update(0.1f);
    mover.Update(0.1f);
    EXPECT_EQ(counter.calls, 1);
    EXPECT_FALSE(mover.moving);
    EXPECT_TRUE(mover.queue.empty());
}

// The queue is not saved: a restored mover finishes the segment it was saved in, then stops.
TEST(PointMoverTest, RestoredMoverFinishesItsSegmentAndStops) {
    TPointMover mover;
    mover.MoveTo(0, 0, 10, 0, 1);
    mover.queue.push_back({10, 0, 10, 10, 1});
    mover.Update(0.25f);
    TBaseBuffer buffer;
    mover.Write(buffer);
    EXPECT_EQ(buffer.GetSize(), 54);

    TPointMover restored;
    restored.queue.push_back({0, 0, 99, 99, 1});
    restored.Read(buffer);
    EXPECT_FLOAT_EQ(restored.currentX, 2.5f);
    EXPECT_TRUE(restored.moving);
    EXPECT_FALSE(restored.Update(0.5f));
    EXPECT_FLOAT_EQ(restored.currentX, 7.5f);
    EXPECT_TRUE(restored.Update(0.25f));
    EXPECT_FLOAT_EQ(restored.currentX, 10);
    EXPECT_FLOAT_EQ(restored.currentY, 0);
    EXPECT_TRUE(restored.done);
}

} // namespace
