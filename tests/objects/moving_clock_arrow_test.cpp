// The ticking clock hand: one division per step, a tick and a rest, frozen while locked, and the same
// course after a save in the middle of a step.

#include <cmath>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/moving_clock_arrow.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::SampleAt;

constexpr double kPi = 3.14159265358979323846;

float Degrees(float radians) {
    return static_cast<float>(radians * 180.0 / kPi);
}

class TickingHandTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("scenes/bar.png", 12, 2, kRed);
    }

    static std::unique_ptr<TMovingClockArrowObject> Make(const std::string& attributes) {
        auto hand = Load<TMovingClockArrowObject>(R"(id="tick" name="bar.png" x="16" y="16" )" + attributes, "scenes/");
        hand->LoadResources();
        return hand;
    }
};

TEST_F(TickingHandTest, CompletesItsTimesAndSharesTheCircleOut) {
    struct Case {
        const char* attributes;
        float tick, tack, degreesPerDivision;
        int divisions;
    };
    const Case cases[] = {
        {"", 1.0f / 3, 2.0f / 3, 6, 60},
        {R"(time_per_div="3")", 1, 2, 6, 60},
        {R"(time_tick="1")", 1, 0, 6, 60},
        {R"(time_tack="0.25")", 0.75f, 0.25f, 6, 60},
        // A given tick replaces a given tack.
        {R"(time_tick="0.2" time_tack="0.5")", 0.2f, 0.8f, 6, 60},
        // Seven divisions share the circle exactly, not 51 degrees each.
        {R"(div_num="7")", 1.0f / 3, 2.0f / 3, 360.0f / 7, 7},
        {R"(div_num="0")", 1.0f / 3, 2.0f / 3, 6, 60},
        {R"(div_num="-4")", 1.0f / 3, 2.0f / 3, 6, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto hand = Load<TMovingClockArrowObject>(std::string(R"(id="tick" tick_sound="tock" )") + c.attributes);
        EXPECT_NEAR(hand->mTickTime, c.tick, 1e-5f);
        EXPECT_NEAR(hand->mTackTime, c.tack, 1e-5f);
        EXPECT_NEAR(Degrees(hand->mAnglePerDivision), c.degreesPerDivision, 1e-3f);
        EXPECT_EQ(hand->mDivisions, c.divisions);
        EXPECT_EQ(hand->mTickSound, "tock");
    }
    EXPECT_TRUE(harness::LogContains("moving_clock_arrow tick: div_num 0 refused, 60 kept"));
    EXPECT_TRUE(harness::LogContains("moving_clock_arrow tick: div_num -4 refused, 60 kept"));
    auto started = Load<TMovingClockArrowObject>(R"(start_count="3" div_num="4")");
    EXPECT_EQ(started->mStart, 3);
    EXPECT_EQ(started->mCurrent, 3);
}

// Four divisions of 90 degrees, a tick of 1/3 s and a rest of 2/3 s: the hand's angle at chosen moments,
// with a save in the middle of the third step. The update that ends a rest only starts the next step, so
// each period runs a step of 2 ms late: the tolerance covers four of them.
TEST_F(TickingHandTest, StepsOneDivisionPerPeriodAndResumesAfterASave) {
    const std::vector<float> moments = {0.0f, 1.0f / 6, 0.5f, 0.9f, 1.0f + 1.0f / 6, 1.5f, 2.1f};
    const std::vector<float> expected = {0, 45, 90, 90, 135, 180, 180 + 90 * 0.3f};
    const std::vector<float> after = {2.1f + 1.0f / 15, 2.9f, 3.0f + 1.0f / 6, 3.9f, 4.0f + 1.0f / 6, 4.5f};
    const std::vector<float> afterExpected = {180 + 90 * 0.5f, 270, 315, 360, 45, 90};
    for (const bool withSave : {false, true}) {
        SCOPED_TRACE(withSave ? "saved" : "straight");
        auto hand = Make(R"(div_num="4")");
        auto angle = [&hand] { return Degrees(hand->GetHandAngle()); };
        objtest::ExpectNearAll(SampleAt(*hand, moments, angle), expected, 3.0f);
        EXPECT_EQ(hand->mPhase, TMovingClockArrowObject::kPhaseStepping);
        if (withSave) {
            TBaseBuffer saved;
            hand->SaveState(saved);
            hand = Make(R"(div_num="4")");
            ASSERT_TRUE(RestoreObjectState(*hand, saved));
            EXPECT_NEAR(Degrees(hand->GetHandAngle()), 207, 1.5f);
        }
        std::vector<float> rest;
        for (float moment : after) {
            rest.push_back(moment - 2.1f);
        }
        objtest::ExpectNearAll(SampleAt(*hand, rest, angle), afterExpected, 3.0f);
    }
}

// After the last division the next step starts from 0, which is where the last one ended.
TEST_F(TickingHandTest, SevenDivisionsCloseTheCircle) {
    auto hand = Make(R"(div_num="7" time_tick="0.1" time_per_div="0.5")");
    objtest::SampleAt(*hand, {3.4f}, [] { return 0.0f; });
    EXPECT_EQ(hand->mCurrent, 0);
    EXPECT_EQ(hand->mPhase, TMovingClockArrowObject::kPhasePausing);
    EXPECT_NEAR(Degrees(hand->GetHandAngle()), 360, 1e-3f);
    objtest::SampleAt(*hand, {0.12f}, [] { return 0.0f; });
    EXPECT_EQ(hand->mCurrent, 1);
    EXPECT_NEAR(Degrees(hand->mStepTween.from), 0, 1e-3f);
    EXPECT_NEAR(Degrees(hand->mStepTween.to), 360.0f / 7, 1e-3f);
    EXPECT_GT(Degrees(hand->GetHandAngle()), 0);
    EXPECT_LT(Degrees(hand->GetHandAngle()), 360.0f / 7);
}

TEST_F(TickingHandTest, WithoutRestEachStepFollowsThePrevious) {
    auto hand = Make(R"(div_num="4" time_tick="1")");
    objtest::ExpectNearAll(SampleAt(*hand, {0.5f, 1.5f, 2.5f}, [&hand] { return Degrees(hand->GetHandAngle()); }),
                           {45, 135, 225}, 1.5f);
    EXPECT_FALSE(hand->mPauseTimer.IsRunning());
}

TEST_F(TickingHandTest, LockFreezesMidStepAndResetStopsAtTheStart) {
    auto hand = Make(R"(div_num="4" start_count="1")");
    auto angle = [&hand] { return Degrees(hand->GetHandAngle()); };
    EXPECT_NEAR(angle(), 90, 1e-3f);
    objtest::ExpectNearAll(SampleAt(*hand, {1.0f / 6}, angle), {135}, 1.5f);
    const float frozen = angle();
    hand->Lock();
    objtest::ExpectNearAll(SampleAt(*hand, {1.0f}, angle), {frozen}, 1e-3f);
    hand->Unlock();
    objtest::ExpectNearAll(SampleAt(*hand, {1.0f / 6, 0.5f}, angle), {180, 180}, 1.5f);
    hand->Reset();
    EXPECT_EQ(hand->mPhase, TMovingClockArrowObject::kPhaseIdle);
    EXPECT_EQ(hand->mCurrent, 1);
    objtest::ExpectNearAll(SampleAt(*hand, {0.0f, 2.0f}, angle), {90, 90}, 1e-3f);
    hand->Restart();
    objtest::ExpectNearAll(SampleAt(*hand, {1.0f / 6}, angle), {135}, 1.5f);
}

TEST_F(TickingHandTest, RestoreRefusesABadPhaseAndAShortRecord) {
    auto hand = Make(R"(div_num="4")");
    TBaseBuffer saved;
    hand->SaveState(saved);
    std::vector<uint8_t> bytes = saved.GetBytes();
    // The phase byte follows the object's record; the object's record ends where a plain object's does.
    auto plain = Load<TObject>(R"(id="tick" name="bar.png")");
    plain->mMovable = true;
    TBaseBuffer plainRecord;
    plain->SaveState(plainRecord);
    const size_t phaseAt = plainRecord.GetBytes().size();
    ASSERT_LT(phaseAt, bytes.size());
    ASSERT_EQ(bytes[phaseAt], TMovingClockArrowObject::kPhaseStepping);
    bytes[phaseAt] = 7;
    TBaseBuffer bad;
    for (uint8_t byte : bytes) {
        bad.WriteByte(byte);
    }
    auto restored = Make(R"(div_num="4" start_count="2")");
    RestoreObjectState(*restored, bad);
    EXPECT_TRUE(harness::LogContains("moving_clock_arrow tick: saved phase 7 refused"));
    EXPECT_EQ(restored->mCurrent, 3);
    TBaseBuffer cut;
    for (size_t i = 0; i + 1 < saved.GetBytes().size(); ++i) {
        cut.WriteByte(saved.GetBytes()[i]);
    }
    auto untouched = Make(R"(div_num="4" start_count="2")");
    EXPECT_FALSE(RestoreObjectState(*untouched, cut));
    EXPECT_EQ(untouched->mCurrent, 3);
}

// The bar from the pivot to the right points down once the first of four steps is done.
TEST_F(TickingHandTest, DrawsTheImageTurnedByTheSteps) {
    auto hand = Make(R"(div_num="4")");
    BeginCanvas();
    hand->Draw(1.0f);
    ExpectPixels({{24, 16, kRedPixel}, {15, 24, kBlack}});
    objtest::SampleAt(*hand, {0.5f}, [] { return 0.0f; });
    BeginCanvas();
    hand->Draw(1.0f);
    ExpectPixels({{15, 24, kRedPixel}, {24, 16, kBlack}});
    // A re-shown space keeps the hand where it stands.
    hand->OnSpaceShow();
    BeginCanvas();
    hand->Draw(1.0f);
    ExpectPixels({{15, 24, kRedPixel}, {24, 16, kBlack}});
}

} // namespace
