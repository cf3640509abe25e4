// Stretching objects keep their bottom edge while they grow; the asterisk turns for ever once activated.

#include <cmath>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/flexible_objects.h"

namespace {

using objtest::Advance;
using objtest::Load;
using objtest::ObjectTest;
using objtest::SampleAt;

class FlexibleTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        // 4 wide, 100 high: red above, green in the lowest 10 rows.
        WriteImage("textures/bar.png", 4, 100, [](int, int y) { return y >= 90 ? kGreen : kRed; });
        WriteImage("textures/small.png", 4, 10, [](int, int y) { return y >= 5 ? kGreen : kRed; });
    }

    static std::unique_ptr<TUDFlexibleObject> Make(const std::string& attributes) {
        auto flex = Load<TUDFlexibleObject>(attributes);
        flex->LoadResources();
        flex->OnSpaceShow();
        return flex;
    }
};

TEST_F(FlexibleTest, StretchGrowsUpwardKeepingTheBottom) {
    auto flex = Make(R"(name="bar.png" x="10" y="200")");
    auto* child = new TObject();
    child->SetPosition(12, 210, false);
    flex->AddChild(child);
    EXPECT_EQ(flex->mBaseRect.h, 100);
    flex->SetScaleXY(1.5f, 0.5f);
    Advance(*flex, 0.6f);
    EXPECT_FLOAT_EQ(flex->mFactor, 1.5f);
    EXPECT_EQ(flex->mY, 150);
    EXPECT_EQ(flex->mX, 10);
    EXPECT_EQ(flex->mCurrentRect.y, 150);
    EXPECT_EQ(flex->mCurrentRect.h, 150);
    EXPECT_EQ(flex->mCurrentRect.w, 4);
    EXPECT_EQ(flex->mScaleY, 1.5f);
    EXPECT_EQ(flex->mScaleX, 1.0f);
    // The bottom stays at 300; children ride along.
    EXPECT_EQ(flex->mCurrentRect.y + flex->mCurrentRect.h, 300);
    EXPECT_EQ(child->mY, 160);
    // Back to the unstretched height.
    flex->SetScaleXY(1.0f, 0.2f);
    Advance(*flex, 0.3f);
    EXPECT_EQ(flex->mY, 200);
    EXPECT_EQ(child->mY, 210);
}

TEST_F(FlexibleTest, DurationsAndDefaults) {
    struct Case {
        const char* attributes;
        float seconds;
        // Factor halfway through the expected duration and at its end.
        float expectedDuration;
    };
    const Case cases[] = {
        {R"(name="bar.png")", -1.0f, 0.1f},
        {R"(name="bar.png" time="0.4")", -1.0f, 0.4f},
        {R"(name="bar.png" time="0.4")", 0.8f, 0.8f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.attributes) + " " + std::to_string(c.seconds));
        auto flex = Make(c.attributes);
        flex->SetScaleXY(2.0f, c.seconds);
        const auto values =
            SampleAt(*flex, {c.expectedDuration / 2, c.expectedDuration + 0.01f}, [&] { return flex->mFactor; });
        objtest::ExpectNearAll(values, {1.5f, 2.0f}, 0.03f);
    }
}

TEST_F(FlexibleTest, FactorForSizeIsTheInverseOfTheStretch) {
    auto flex = Make(R"(name="bar.png")");
    EXPECT_FLOAT_EQ(flex->FactorForSize(150), 1.5f);
    EXPECT_FLOAT_EQ(flex->FactorForSize(50), 0.5f);
    flex->mFactor = flex->FactorForSize(130);
    EXPECT_EQ(flex->StretchedSize(), 130);
    // Nothing loaded: no height to divide by.
    auto empty = Load<TUDFlexibleObject>(R"(id="e")");
    empty->OnSpaceShow();
    EXPECT_FLOAT_EQ(empty->FactorForSize(0), 1.0f);
    EXPECT_TRUE(harness::LogContains("flexible e: no height to stretch to 0"));
    // Without an image a stretch changes nothing.
    empty->SetScaleXY(3.0f, 0.0f);
    Advance(*empty, 0.01f);
    EXPECT_EQ(empty->mFactor, 1.0f);
    EXPECT_EQ(empty->mY, 0);
}

// A place a broken file puts at the end of int is held well inside it: the bottom edge (top plus height) is
// still a sum that fits, and the stretch keeps it.
TEST_F(FlexibleTest, PlaceAtTheEndOfIntStretchesWithoutOverflow) {
    for (const char* attributes : {R"(name="bar.png" x="10" y="2147483520")", R"(name="bar.png" x="10" y="-3e38")"}) {
        SCOPED_TRACE(attributes);
        auto flex = Make(attributes);
        const int bottom = flex->mBaseRect.y + flex->mBaseRect.h;
        flex->SetScaleXY(1.5f, 0.0f);
        flex->Update(0.01f);
        EXPECT_EQ(flex->mCurrentRect.h, 150);
        EXPECT_EQ(flex->mCurrentRect.y + flex->mCurrentRect.h, bottom);
    }
}

TEST_F(FlexibleTest, StretchedImageIsDrawnUpwardFromTheBottom) {
    auto flex = Make(R"(name="small.png" x="2" y="20")");
    BeginCanvas();
    flex->Draw(1.0f);
    ExpectPixels({{3, 19, kBlack}, {3, 20, kRedPixel}, {3, 29, kGreenPixel}, {3, 30, kBlack}});
    flex->SetScaleXY(2.0f, 0.0f);
    flex->Update(0.01f);
    BeginCanvas();
    flex->Draw(1.0f);
    // 20 rows from 10 to 29: red doubled above, green doubled below.
    ExpectPixels({{3, 9, kBlack},
                  {3, 10, kRedPixel},
                  {3, 19, kRedPixel},
                  {3, 20, kGreenPixel},
                  {3, 29, kGreenPixel},
                  {3, 30, kBlack}});
}

TEST_F(ObjectTest, AsteriskTurnsForEverOnceActivated) {
    struct Case {
        const char* attributes;
        // Degrees at 0.75 s, 1.5 s and 3.75 s.
        std::vector<float> degrees;
    };
    const Case cases[] = {
        {R"(rot_time="3")", {90, 180, 90}},
        {R"(rot_time="3" clockwise="0")", {270, 180, 270}},
        {R"()", {90, 180, 90}},
        {R"(rot_time="1.5")", {180, 360, 180}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto star = Load<TAsterixObject>(c.attributes);
        Advance(*star, 1.0f, 0.01f);
        EXPECT_EQ(star->mAngle, 0.0f);
        star->Activate(0, 0, 0);
        const auto values = SampleAt(*star, {0.75f, 1.5f, 3.75f}, [&] { return star->mAngle / 0.017453292f; });
        for (size_t i = 0; i < values.size(); ++i) {
            // 360 and 0 are the same turn.
            EXPECT_NEAR(std::fmod(values[i] + 1.0f, 360.0f), std::fmod(c.degrees[i] + 1.0f, 360.0f), 1.0f) << i;
        }
    }
}

TEST_F(ObjectTest, AsteriskSavesStartedAndTurnsAgainFromZero) {
    auto star = Load<TAsterixObject>(R"(id="star" rot_time="2")");
    TBaseBuffer idle;
    star->SaveState(idle);
    EXPECT_EQ(idle.GetBytes().back(), 0);
    star->Activate(0, 0, 0);
    Advance(*star, 0.5f);
    TBaseBuffer turning;
    star->SaveState(turning);
    EXPECT_EQ(turning.GetBytes().back(), 1);

    auto restored = Load<TAsterixObject>(R"(id="star" rot_time="2")");
    ASSERT_TRUE(RestoreObjectState(*restored, turning));
    EXPECT_TRUE(restored->mStarted);
    EXPECT_TRUE(restored->IsActive());
    EXPECT_EQ(restored->mTurn.current, 0.0f);
    Advance(*restored, 0.5f);
    EXPECT_NEAR(restored->mAngle, star->mAngle, 0.02f);

    auto stays = Load<TAsterixObject>(R"(id="star")");
    ASSERT_TRUE(RestoreObjectState(*stays, idle));
    Advance(*stays, 0.5f);
    EXPECT_EQ(stays->mAngle, 0.0f);
}

// The image turns about its drawn top-left corner: centring clears the rotation-centre offsets.
TEST_F(ObjectTest, AsteriskDrawsItsImageTurned) {
    WriteImage("textures/needle.png", 4, 20, [](int, int y) { return y < 10 ? kRed : kGreen; });
    auto star = Load<TAsterixObject>(R"(name="needle.png" x="6" y="6" rot_time="4")");
    star->LoadResources();
    star->OnSpaceShow();
    // Centred on (8, 16) after loading; drawn from (6, 6).
    EXPECT_EQ(star->mDrawType, TObject::kDrawCentred);
    BeginCanvas();
    star->Draw(1.0f);
    ExpectPixels({{8, 9, kRedPixel}, {8, 23, kGreenPixel}, {14, 16, kBlack}});
    // Three quarters of a turn in 3 s, clockwise about the drawn corner (6, 6): the needle lies to the right
    // of it, red nearest.
    star->Activate(0, 0, 0);
    Advance(*star, 3.0f, 0.01f);
    BeginCanvas();
    star->Draw(1.0f);
    ExpectPixels({{8, 9, kBlack}, {8, 20, kBlack}, {10, 4, kRedPixel}, {20, 4, kGreenPixel}, {20, 8, kBlack}});
}

} // namespace
