// Lights flicker between the bands of their range; focusers fade in and out and catch every press.

#include <cstdlib>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/light_objects.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::Load;
using objtest::ObjectTest;

struct Segment {
    float from, to, duration;
};

// The segments the light runs through, each followed to its end.
std::vector<Segment> Flickers(TLightObject& light, int count) {
    std::vector<Segment> segments;
    for (int i = 0; i < count; ++i) {
        segments.push_back({light.mStartAlpha, light.mTargetAlpha, light.mDuration});
        const float target = light.mTargetAlpha;
        float last = light.mAlpha;
        // Steps of 10 ms up to the segment's end: the alpha moves towards the target all the way.
        while (light.mStartAlpha == segments.back().from && light.mTargetAlpha == target && light.mElapsed < 5) {
            light.Update(0.01f);
            if (light.mStartAlpha == segments.back().from && light.mTargetAlpha == target) {
                EXPECT_LE(std::abs(target - light.mAlpha), std::abs(target - last) + 1e-5f);
                last = light.mAlpha;
            }
        }
        EXPECT_NEAR(light.mAlpha, target, 1e-5f);
    }
    return segments;
}

TEST_F(ObjectTest, LightAlternatesBetweenItsBands) {
    struct Case {
        const char* attributes;
        float lowBand, highBand;
    };
    const Case cases[] = {
        {R"(alpha="1")", 0.0f, 0.8f},
        // The middle of 0.5 .. 1 decides, so it keeps alternating.
        {R"(alpha="1" mina="0.5")", 0.5f, 0.8f},
        {R"(alpha="0.2" da="0.1" mina="0.3" maxa="0.9" mint="0.2" maxt="0.4")", 0.3f, 0.8f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        std::srand(7);
        auto light = Load<TLightObject>(c.attributes);
        const float step = light->mStep;
        const std::vector<Segment> segments = Flickers(*light, 8);
        for (size_t i = 0; i < segments.size(); ++i) {
            SCOPED_TRACE(i);
            const float middle = (light->mMinAlpha + light->mMaxAlpha) / 2;
            const float band = segments[i].from > middle ? c.lowBand : c.highBand;
            EXPECT_GE(segments[i].to, band);
            EXPECT_LE(segments[i].to, band + step);
            EXPECT_GE(segments[i].duration, light->mMinTime);
            EXPECT_LE(segments[i].duration, light->mMaxTime);
            if (i > 0) {
                EXPECT_NE(segments[i].from > middle, segments[i - 1].from > middle);
            }
        }
    }
}

TEST_F(ObjectTest, LightWithOneBandOrNoTimeStaysInside) {
    std::srand(3);
    auto band = Load<TLightObject>(R"(alpha="0.9" da="0.2" mina="0.6" maxa="0.8")");
    for (const Segment& segment : Flickers(*band, 6)) {
        EXPECT_GE(segment.to, 0.6f);
        EXPECT_LE(segment.to, 0.8f);
    }
    // Segments of no time jump, and never make the alpha a number that is not one.
    auto instant = Load<TLightObject>(R"(alpha="1" mint="0" maxt="0")");
    for (int i = 0; i < 5; ++i) {
        const float target = instant->mTargetAlpha;
        instant->Update(0.01f);
        EXPECT_EQ(instant->mAlpha, target);
    }
}

TEST_F(ObjectTest, FocuserFadesInAndOutAndCatchesPresses) {
    struct Step {
        const char* action;
        float seconds;
        float alpha;
    };
    const Step steps[] = {
        {"activate", 0, 0},    {"wait", 1.0f, 0.4f},  {"wait", 1.05f, 0.8f}, {"activate", 0, 0.8f},
        {"wait", 0.5f, 0.6f},  {"save", 0, 0.6f},     {"wait", 2.05f, 0.0f}, {"activate", 0, 0.0f},
        {"wait", 2.05f, 0.8f}, {"activate", 0, 0.8f}, {"wait", 2.05f, 0.0f},
    };
    const std::string attributes = R"(id="f" alpha="0.8" time="2" w="10" h="10")";
    for (const bool withSaves : {false, true}) {
        auto focuser = Load<TFocuserObject>(attributes);
        EXPECT_EQ(focuser->mAlpha, 0);
        EXPECT_FALSE(focuser->OnMouseDown(At(500, 500)));
        for (size_t i = 0; i < std::size(steps); ++i) {
            const std::string action = steps[i].action;
            SCOPED_TRACE(std::string(withSaves ? "saved " : "") + std::to_string(i) + " " + action);
            if (action == "activate") {
                focuser->Activate(0, 0, 0);
            } else if (action == "wait") {
                Advance(*focuser, steps[i].seconds, 0.01f);
            } else if (withSaves) {
                TBaseBuffer saved;
                focuser->SaveState(saved);
                focuser = Load<TFocuserObject>(attributes);
                ASSERT_TRUE(RestoreObjectState(*focuser, saved));
            }
            EXPECT_NEAR(focuser->mAlpha, steps[i].alpha, 0.02f);
            // Anywhere, while it shows at all.
            EXPECT_EQ(focuser->HitTestSelf(900, -40), focuser->mAlpha > 0);
        }
    }
    auto focuser = Load<TFocuserObject>(attributes);
    focuser->Activate(0, 0, 0);
    focuser->Update(0.01f);
    EXPECT_TRUE(focuser->OnMouseDown(At(500, 500)));
}

TEST_F(ObjectTest, FocuserRecordFollowsTheObjectRecord) {
    auto focuser = Load<TFocuserObject>(R"(id="f" alpha="0.8" time="2")");
    focuser->Activate(0, 0, 0);
    Advance(*focuser, 0.5f, 0.01f);
    TBaseBuffer saved, plain;
    focuser->SaveState(saved);
    focuser->TObject::SaveState(plain);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 6);
    // 0.2 as 200 thousandths, fading in next, running.
    EXPECT_EQ(std::vector<uint8_t>(saved.GetBytes().end() - 6, saved.GetBytes().end()),
              (std::vector<uint8_t>{200, 0, 0, 0, 1, 1}));
}

// What each attribute loads into, and the values absent ones take.
TEST_F(ObjectTest, LightAndFocuserAttributesAndDefaults) {
    struct LightCase {
        const char* attributes;
        float step, minAlpha, maxAlpha, minTime, maxTime;
    };
    const LightCase lights[] = {
        {"", 0.2f, 0.0f, 1.0f, 0.5f, 1.0f},
        {R"(da="0.1" mina="0.3" maxa="0.9" mint="0.2" maxt="0.4")", 0.1f, 0.3f, 0.9f, 0.2f, 0.4f},
    };
    for (const LightCase& c : lights) {
        SCOPED_TRACE(c.attributes);
        auto light = Load<TLightObject>(c.attributes);
        EXPECT_FLOAT_EQ(light->mStep, c.step);
        EXPECT_FLOAT_EQ(light->mMinAlpha, c.minAlpha);
        EXPECT_FLOAT_EQ(light->mMaxAlpha, c.maxAlpha);
        EXPECT_FLOAT_EQ(light->mMinTime, c.minTime);
        EXPECT_FLOAT_EQ(light->mMaxTime, c.maxTime);
        // The first swing starts as soon as it is loaded.
        EXPECT_TRUE(light->mRunning);
        EXPECT_GE(light->mDuration, c.minTime);
        EXPECT_LE(light->mDuration, c.maxTime);
    }
    struct FocuserCase {
        const char* attributes;
        float time, fullAlpha;
    };
    const FocuserCase focusers[] = {{"", 1.0f, 1.0f}, {R"(time="2.5" a="0.6")", 2.5f, 0.6f}};
    for (const FocuserCase& c : focusers) {
        SCOPED_TRACE(c.attributes);
        auto focuser = Load<TFocuserObject>(c.attributes);
        EXPECT_FLOAT_EQ(focuser->mTime, c.time);
        EXPECT_FLOAT_EQ(focuser->mFullAlpha, c.fullAlpha);
        EXPECT_EQ(focuser->mAlpha, 0);
        EXPECT_TRUE(focuser->mFadeInNext);
        EXPECT_FALSE(focuser->mAlphaTween.running);
    }
}

// Both draw their own image at the level they reached: white over black shows as that share of grey.
TEST_F(ObjectTest, LightAndFocuserDrawTheirImageAtTheirLevel) {
    WriteSolidImage("textures/white.png", 4, 4, kWhite);
    // From full, a swing of 0.1 s down to 0.5, where a range of one level keeps it.
    auto light = Load<TLightObject>(R"(name="white.png" mina="0.5" maxa="0.5" da="0" mint="0.1" maxt="0.1")");
    // Fading in to 0.8 over 1 s: a quarter of the way after 0.25 s.
    auto focuser = Load<TFocuserObject>(R"(name="white.png" x="6" a="0.8" time="1")");
    focuser->Activate(0, 0, 0);
    struct Step {
        float seconds;
        int light, focuser;
    };
    const Step steps[] = {{0, 255, 0}, {0.25f, 128, 51}, {1.0f, 128, 204}};
    light->LoadResources();
    focuser->LoadResources();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.seconds);
        Advance(*light, step.seconds, 0.01f);
        Advance(*focuser, step.seconds, 0.01f);
        BeginCanvas();
        light->Draw(1.0f);
        focuser->Draw(1.0f);
        const auto grey = [](int level) { return TRgba{level, level, level, 255}; };
        ExpectPixels({{1, 1, grey(step.light)}, {7, 2, grey(step.focuser)}, {5, 2, kBlack}});
    }
}

} // namespace
