// The blink and the sparkling rectangle, stepped frame by frame.

#include <algorithm>
#include <cstdlib>

#include "object_test_support.h"
#include "objects/hint_effects.h"

namespace {

using objtest::ObjectTest;

class HintEffectTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("textures/effect/single_particle.png", 16, 16, kWhite);
        // The sparkle is the 32 x 32 square at (32, 64) of the particle sheet.
        WriteImage("textures/effect/particles.png", 64, 96,
                   [](int x, int y) { return x >= 32 && y >= 64 ? kWhite : kRed; });
    }

    // Seconds of updates at dt until the condition holds; -1 when it never does within the limit.
    template <typename Condition> static float StepUntil(DrawObject& effect, float dt, float limit, Condition done) {
        for (float elapsed = 0; elapsed <= limit; elapsed += dt) {
            if (done()) {
                return elapsed;
            }
            effect.Update(dt);
        }
        return -1;
    }
};

TEST_F(HintEffectTest, SparkleLimitFollowsTheArea) {
    struct Case {
        int left, top, right, bottom;
        int limit;
    };
    const Case cases[] = {
        {0, 0, 100, 50, 7}, {10, 10, 30, 30, 0}, {0, 0, 200, 100, 30}, {50, 0, 0, 50, 0},
        {0, 50, 50, 0, 0},  {100, 100, 0, 0, 0}, {0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        TEffectRoomXoHint hint(c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(hint.GetSparkleLimit(), c.limit) << c.left << "," << c.top << "," << c.right << "," << c.bottom;
        hint.Update(0.016f);
        EXPECT_EQ(hint.GetSparkleCount(), c.limit > 0 ? 1u : 0u);
    }
}

TEST_F(HintEffectTest, BlinkStartsWithinItsDelayAndLastsTwoBlinkTimes) {
    const float dt = 0.01f;
    for (int i = 0; i < 20; ++i) {
        EffectBlink blink(10, 10, 2.0f, "textures/effect/single_particle", 5.0f);
        EXPECT_FALSE(blink.IsFinished());
        const float start = StepUntil(blink, dt, 6.0f, [&] { return blink.GetDelayLeft() <= 0; });
        ASSERT_GE(start, 0.0f) << i;
        EXPECT_LE(start, 5.0f + dt);
        const float run = StepUntil(blink, dt, 6.0f, [&] { return blink.IsFinished(); });
        EXPECT_NEAR(run, 4.0f, 2 * dt) << i;
    }
}

TEST_F(HintEffectTest, BlinkBrightensThenFades) {
    EffectBlink blink(16, 16, 2.0f, "textures/effect/single_particle", 0.0f);
    const TRgba gray{128, 128, 128, 255};
    struct Step {
        float seconds;
        TRgba centre;
    };
    // The alpha rises over the first blink time and falls over the second; the parent's alpha is ignored.
    const Step steps[] = {{1.0f, gray}, {1.0f, kWhitePixel}, {1.0f, gray}, {1.0f, kBlack}};
    for (const Step& step : steps) {
        for (int frames = 0; frames < 100; ++frames) {
            blink.Update(step.seconds / 100);
        }
        BeginCanvas();
        blink.Draw(0.5f);
        EXPECT_TRUE(NearColor(Pixel(16, 16), step.centre, 3));
    }
    // Each of the two halves ends in the step after its time is up.
    EXPECT_GE(StepUntil(blink, 0.01f, 0.03f, [&] { return blink.IsFinished(); }), 0.0f);
}

TEST_F(HintEffectTest, XoHintFillsItsRectangleOneSparklePerFrame) {
    TEffectRoomXoHint hint(100, 200, 300, 300);
    ASSERT_EQ(hint.GetSparkleLimit(), 30);
    for (int frame = 1; frame <= 10; ++frame) {
        hint.Update(0.001f);
        EXPECT_EQ(hint.GetSparkleCount(), static_cast<size_t>(frame));
    }
    // Sparkles live up to 3 s; finished ones are replaced, one per frame, never beyond the limit.
    size_t fewest = 30;
    for (int frame = 0; frame < 600; ++frame) {
        EXPECT_FALSE(hint.Update(1.0f / 60));
        ASSERT_LE(hint.GetSparkleCount(), 30u);
        if (frame > 120) {
            fewest = std::min(fewest, hint.GetSparkleCount());
        }
    }
    EXPECT_GE(fewest, 20u);
}

TEST_F(HintEffectTest, SparkleRisesFromItsSpawnPoint) {
    for (int i = 0; i < 10; ++i) {
        TEffectRoomXoItemHint sparkle(40, 200);
        StepUntil(sparkle, 0.01f, 2.0f, [&] { return sparkle.IsRising(); });
        const TPointMover& rise = sparkle.GetRise();
        EXPECT_EQ(rise.startX, 40.0f);
        EXPECT_EQ(rise.startY, 200.0f);
        EXPECT_EQ(rise.endX, 40.0f);
        EXPECT_GE(200.0f - rise.endY, 50.0f);
        EXPECT_LE(200.0f - rise.endY, 99.0f);
    }
}

TEST_F(HintEffectTest, SparkleLivesTwoSecondsAfterItsDelay) {
    for (int i = 0; i < 10; ++i) {
        TEffectRoomXoItemHint sparkle(16, 16);
        const float dt = 0.01f;
        const float start = StepUntil(sparkle, dt, 2.0f, [&] { return sparkle.IsRising(); });
        ASSERT_GE(start, 0.0f);
        EXPECT_LE(start, 1.0f + dt);
        const float life = StepUntil(sparkle, dt, 3.0f, [&] { return sparkle.IsFinished(); });
        EXPECT_NEAR(life, 2.0f, 2 * dt) << i;
    }
}

TEST_F(HintEffectTest, XoHintDrawsTheSameWhateverTheParentAlpha) {
    // A fixed sequence, so the same sparkles show whatever ran before.
    std::srand(7);
    TEffectRoomXoHint hint(0, 0, 64, 64);
    for (int frame = 0; frame < 90; ++frame) {
        hint.Update(1.0f / 60);
    }
    std::vector<TRgba> halfAlpha, fullAlpha;
    BeginCanvas();
    hint.Draw(0.5f);
    for (int y = 0; y < kCanvasSize; y += 3) {
        for (int x = 0; x < kCanvasSize; x += 3) {
            halfAlpha.push_back(Pixel(x, y));
        }
    }
    BeginCanvas();
    hint.Draw(1.0f);
    int lit = 0;
    for (int y = 0, i = 0; y < kCanvasSize; y += 3) {
        for (int x = 0; x < kCanvasSize; x += 3, ++i) {
            const TRgba pixel = Pixel(x, y);
            EXPECT_TRUE(NearColor(pixel, halfAlpha[static_cast<size_t>(i)], 0)) << x << "," << y;
            lit += pixel.r > 0;
        }
    }
    EXPECT_GT(lit, 0);
}

TEST_F(HintEffectTest, ObjectDropsAFinishedBlink) {
    auto object = objtest::Load(R"(id="lamp")");
    object->SetHintEffect(std::make_unique<EffectBlink>(5, 5, 2.0f, "textures/effect/single_particle", 0.0f));
    for (int frame = 0; frame < 390; ++frame) {
        object->Update(0.01f);
    }
    EXPECT_NE(object->GetHintEffect(), nullptr);
    for (int frame = 0; frame < 20; ++frame) {
        object->Update(0.01f);
    }
    EXPECT_EQ(object->GetHintEffect(), nullptr);
    // A sparkling rectangle stays until the object ends it.
    object->CreateXoHintEffect();
    object->Update(100.0f);
    EXPECT_NE(object->GetHintEffect(), nullptr);
}

} // namespace
