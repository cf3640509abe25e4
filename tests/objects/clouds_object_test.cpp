// Clouds: loading and resetting the running values, scrolling offsets, and tiles that cover the whole
// rectangle whatever the speed and frame time.

#include <cmath>

#include "object_test_support.h"
#include "objects/clouds_object.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;

class CloudsTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("textures/wide.png", 512, 2, kWhite);
        WriteSolidImage("textures/tall.png", 2, 40, kWhite);
        WriteSolidImage("textures/tile.png", 6, 6, kWhite);
        WriteSolidImage("textures/back.png", 32, 32, kBlue);
    }

    static std::unique_ptr<TCloudsObject> Ready(const std::string& attributes) {
        auto clouds = Load<TCloudsObject>(attributes);
        clouds->LoadResources();
        return clouds;
    }
};

TEST_F(CloudsTest, LoadsAndResetsItsRunningValues) {
    auto clouds = Load<TCloudsObject>(R"(rect="10,20,300,40" imgback="b.png" imgclouds="c1.png" speed="14"
        imgclouds2="c2.png" speed2="-6" up="1" setcliprect="0")",
                                      "scenes/yard/");
    EXPECT_EQ(clouds->mBackgroundName, "scenes/yard/b.png");
    EXPECT_EQ(clouds->mCloudNames[0], "scenes/yard/c1.png");
    EXPECT_EQ(clouds->mCloudNames[1], "scenes/yard/c2.png");
    EXPECT_FALSE(clouds->mClip);
    EXPECT_EQ(clouds->mRunningRect.w, 300);
    EXPECT_EQ(clouds->mRunningSpeeds[1], -6.0f);
    EXPECT_TRUE(clouds->mRunningVertical);
    // An owner sets its own area; a reset goes back to the loaded one.
    clouds->mRunningRect = {0, 0, 5, 5};
    clouds->mRunningSpeeds = {1, 1};
    clouds->mRunningVertical = false;
    clouds->Reset();
    EXPECT_EQ(clouds->mRunningRect.x, 10);
    EXPECT_EQ(clouds->mRunningRect.h, 40);
    EXPECT_EQ(clouds->mRunningSpeeds[0], 14.0f);
    EXPECT_TRUE(clouds->mRunningVertical);
    auto plain = Load<TCloudsObject>(R"(imgclouds="c.png")");
    EXPECT_EQ(plain->mCloudNames[0], "textures/c.png");
    EXPECT_EQ(plain->mBackgroundName, "");
    EXPECT_TRUE(plain->mClip);
}

TEST_F(CloudsTest, OffsetsStayWithinOneTile) {
    struct Case {
        const char* attributes;
        float frame;
        int frames;
        float offset;
    };
    const Case cases[] = {
        {R"(rect="0,0,800,2" imgclouds="wide.png" speed="30")", 1.0f, 1, 30},
        {R"(rect="0,0,800,2" imgclouds="wide.png" speed="30")", 1.0f, 20, 88},
        {R"(rect="0,0,800,2" imgclouds="wide.png" speed="30")", 100.0f, 1, 440},
        {R"(rect="0,0,800,2" imgclouds="wide.png" speed="-30")", 1.0f, 1, 482},
        {R"(rect="0,0,2,100" imgclouds="tall.png" speed="-20" up="1")", 1.0f, 3, 20},
        {R"(rect="0,0,2,100" imgclouds="tall.png" speed="20" up="1")", 0.5f, 9, 10},
        {R"(rect="0,0,800,2" imgclouds="wide.png" speed="30" v="0")", 1.0f, 5, 0},
        {R"(rect="0,0,800,2" imgclouds="missing.png" speed="30")", 1.0f, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attributes << " " << c.frames << " x " << c.frame);
        auto clouds = Ready(c.attributes);
        for (int i = 0; i < c.frames; ++i) {
            clouds->Update(c.frame);
        }
        EXPECT_NEAR(clouds->mOffsets[0], c.offset, 0.01f);
    }
    // The second layer scrolls even when the first has no texture.
    auto second = Ready(R"(rect="0,0,800,2" imgclouds="missing.png" imgclouds2="wide.png" speed2="5")");
    second->Update(1.0f);
    EXPECT_NEAR(second->mOffsets[1], 5.0f, 0.01f);
}

TEST_F(CloudsTest, TilesCoverEveryColumnOfTheRectangle) {
    for (const char* speed : {"-30", "0", "30"}) {
        for (float frame : {0.016f, 2.0f}) {
            SCOPED_TRACE(testing::Message() << "speed " << speed << " frame " << frame);
            auto clouds = Ready(std::string(R"(rect="3,1,25,6" imgclouds="tile.png" speed=")") + speed + "\"");
            for (int step = 0; step < 12; ++step) {
                clouds->Update(frame);
                BeginCanvas();
                clouds->Draw(1.0f);
                for (int x = 0; x < kCanvasSize; ++x) {
                    const bool inside = x >= 3 && x < 28;
                    ASSERT_TRUE(NearColor(Pixel(x, 3), inside ? kWhitePixel : kBlack))
                        << "column " << x << " step " << step;
                }
            }
        }
    }
}

TEST_F(CloudsTest, TilesCoverEveryRowWhenScrollingUp) {
    for (const char* speed : {"-30", "30"}) {
        SCOPED_TRACE(speed);
        auto clouds = Ready(std::string(R"(rect="1,3,6,25" imgclouds="tile.png" up="1" speed=")") + speed + "\"");
        for (int step = 0; step < 8; ++step) {
            clouds->Update(0.1f);
            BeginCanvas();
            clouds->Draw(1.0f);
            for (int y = 0; y < kCanvasSize; ++y) {
                ASSERT_TRUE(NearColor(Pixel(3, y), y >= 3 && y < 28 ? kWhitePixel : kBlack)) << "row " << y;
            }
        }
    }
}

TEST_F(CloudsTest, BackgroundClipAlphaAndVisibility) {
    struct Case {
        const char* attributes;
        std::vector<TProbe> probes;
    };
    const TRgba halfWhite{128, 128, 128, 255};
    const std::vector<Case> cases = {
        {R"(rect="4,4,10,10" imgback="back.png")", {{5, 5, kBluePixel}, {3, 5, kBlack}, {20, 20, kBlack}}},
        {R"(rect="4,4,10,10" imgback="back.png" setcliprect="0")", {{5, 5, kBluePixel}, {20, 20, kBluePixel}}},
        {R"(rect="4,4,10,6" imgclouds="tile.png" a="0.5")", {{6, 6, halfWhite}}},
        // Without clipping the tiles reach over the rectangle's edge.
        {R"(rect="4,4,10,6" imgclouds="tile.png" setcliprect="0")", {{2, 6, kWhitePixel}}},
        {R"(rect="4,4,10,6" imgback="back.png" imgclouds="tile.png" v="0")", {{5, 5, kBlack}, {6, 6, kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto clouds = Ready(c.attributes);
        BeginCanvas();
        clouds->Draw(1.0f);
        ExpectPixels(c.probes);
    }
}

} // namespace
