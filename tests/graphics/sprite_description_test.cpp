// Sprite descriptions read from INI files into their key lists.

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

#include "app/app_config.h"
#include "graphics/sprite_description.h"
#include "graphics_fixture.h"

namespace {

constexpr float kDegree = 3.1415927f / 180.0f;

class SpriteDescriptionTest : public DataRootTest {
protected:
    // Loads a description whose "Main" section holds the given keys.
    void Load(AnimObject2& sprite, const std::string& keys) {
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/sprite.ini", "[Main]\n" + keys));
        sprite.LoadIni("sprite.ini");
    }
};

TEST_F(SpriteDescriptionTest, RunningStates) {
    AnimObject2 sprite;
    EXPECT_FALSE(sprite.IsRunning());
    EXPECT_TRUE(sprite.IsPaused());
    EXPECT_TRUE(sprite.IsDone());
    sprite.mStartFrame = 2;
    sprite.Restart();
    EXPECT_TRUE(sprite.IsRunning());
    EXPECT_EQ(sprite.mCurrentFrame, 2);
    sprite.Stop();
    EXPECT_FALSE(sprite.IsRunning());
}

TEST_F(SpriteDescriptionTest, PerFrameLists) {
    struct Case {
        const char* what;
        const char* keys;
        std::vector<int32_t> delays;
        std::vector<float> scales;
    };
    const std::vector<Case> cases = {
        {"single values for every frame",
         "Frames=0,1,2,3\nFrameDelay=100\nScale=2\n",
         {100, 100, 100, 100},
         {2, 2, 2, 2}},
        {"lists shorter than the frames",
         "Frames=4, 5 ,6,7\nFrameDelays=50,60\nScales=0.5\n",
         {50, 60, 0, 0},
         {0.5f, 1, 1, 1}},
        {"lists longer than the frames", "Frames=1,2\nFrameDelays=1,2,3\n", {1, 2, 3}, {1, 1}},
        {"nothing given", "Frames=9\n", {0}, {1}},
        {"no frames", "FrameDelay=5\n", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AnimObject2 sprite;
        Load(sprite, c.keys);
        EXPECT_EQ(sprite.mFrameCount, static_cast<int32_t>(sprite.mFrames.size()));
        EXPECT_EQ(sprite.mFrameDelays, c.delays);
        EXPECT_EQ(sprite.mScales, c.scales);
    }
    AnimObject2 sprite;
    Load(sprite, "Frames=4, 5 ,6,7\nX=12.5\nY=-3\nNeverEnding=0\nStayOnLast=1\nDrawAdditive=1\nStartFrame=2\n");
    EXPECT_EQ(sprite.mFrames, (std::vector<int32_t>{4, 5, 6, 7}));
    EXPECT_FLOAT_EQ(sprite.mPositionX, 12.5f);
    EXPECT_FLOAT_EQ(sprite.mPositionY, -3);
    EXPECT_FALSE(sprite.mNeverEnding);
    EXPECT_TRUE(sprite.mStayOnLast);
    EXPECT_TRUE(sprite.mAdditive);
    EXPECT_EQ(sprite.mStartFrame, 2);
}

TEST_F(SpriteDescriptionTest, Angles) {
    struct Case {
        const char* keys;
        std::vector<float> degrees;
    };
    const std::vector<Case> cases = {
        {"Frames=0,1,2,3\nUseDeltaAngle=1\n", {0, 90, 180, 270}},
        {"Frames=0,1,2,3\nUseDeltaAngle=-1\n", {0, -90, -180, -270}},
        {"Frames=0,1,2,3\nUseDeltaAngle=1\nAngle=100\n", {100, 190, 280, 10}},
        {"Frames=0,1,2\nUseDeltaAngle=0\nAngle=30\n", {30, 30, 30}},
        {"UseDeltaAngle=1\nAngle=30\n", {}},
        {"Frames=0,1\nAngles=10,20\n", {10, 20}},
        {"Frames=0,1\nAngle=45\n", {45, 45}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        AnimObject2 sprite;
        Load(sprite, c.keys);
        ASSERT_EQ(sprite.mAngles.size(), c.degrees.size());
        for (size_t i = 0; i < c.degrees.size(); ++i) {
            EXPECT_NEAR(sprite.mAngles[i], c.degrees[i] * kDegree, 1e-5) << i;
        }
    }
}

TEST_F(SpriteDescriptionTest, Colours) {
    struct Case {
        const char* keys;
        std::vector<uint32_t> colours;
    };
    const std::vector<Case> cases = {
        {"Frames=0,1\nStartColor=ff102030\nEndColor=80405060\nColorDelay=7\n", {0xff102030u, 0x80405060u, 0xff102030u}},
        {"Frames=0,1,2\nColors=ff0000ff, 8000ff00\n", {0xff0000ffu, 0x8000ff00u, 0}},
        {"Frames=0,1\nColor=ffffffff\n", {0xffffffffu, 0xffffffffu}},
        {"Frames=0,1\nColor=0\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        AnimObject2 sprite;
        Load(sprite, c.keys);
        EXPECT_EQ(sprite.mColors, c.colours);
    }
    AnimObject2 sprite;
    Load(sprite, cases[0].keys);
    EXPECT_EQ(sprite.mColorDelay, 7);
}

TEST_F(SpriteDescriptionTest, KeysComeFromTheNamedSprite) {
    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/named.ini",
                                   "[Main]\nSprite=Star\nFrames=1\n[Star]\nFrames=5,6\nFrameDelay=40\n"));
    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/unnamed.ini", "[Main]\nSprite=Absent\nFrames=1,2,3\n"));
    AnimObject2 named;
    named.LoadIni("named.ini");
    EXPECT_EQ(named.mFrames, (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(named.mFrameDelays, (std::vector<int32_t>{40, 40}));
    AnimObject2 unnamed;
    unnamed.LoadIni("unnamed.ini");
    EXPECT_EQ(unnamed.mFrameCount, 3) << "a sprite section the file lacks: the keys of Main";
    AnimObject2 missing;
    missing.LoadIni("none.ini");
    EXPECT_TRUE(missing.mFrames.empty());
}

TEST_F(SpriteDescriptionTest, CopyFrom) {
    AnimObject2 source;
    Load(source, "Frames=0,1\nFrameDelay=3\nStartColor=ff000000\nRandomAngle=1\n");
    source.Restart();
    source.SetScale(4);
    AnimObject2 copy;
    copy.CopyFrom(source);
    EXPECT_EQ(copy.mFrames, source.mFrames);
    EXPECT_EQ(copy.mFrameDelays, source.mFrameDelays);
    EXPECT_EQ(copy.mColors, source.mColors);
    EXPECT_TRUE(copy.IsRunning());
    EXPECT_FLOAT_EQ(copy.mSpriteScale, 1) << "the scale is not copied";
    EXPECT_FLOAT_EQ(copy.mRandomAngle, 0) << "nor the random angle";

    const std::vector<int32_t> before = source.mFrames;
    source.CopyFrom(source);
    EXPECT_EQ(source.mFrames, before);
    EXPECT_FLOAT_EQ(source.mSpriteScale, 4);
}

} // namespace
