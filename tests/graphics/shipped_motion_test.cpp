// The motion data the game ships: its paths and its sparkle effect load and are usable.

#include "graphics/particle_system.h"
#include "graphics/spline_path.h"
#include "graphics_fixture.h"

namespace {

class ShippedMotionTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        mShipped = std::make_unique<harness::ScopedDataRoot>(GetExecutableFolder());
        ASSERT_TRUE(SetWorkingFolderToExe());
    }
    void TearDown() override {
        GetGlobalPathSet().Clear();
        mShipped.reset();
        GraphicsTest::TearDown();
    }

    std::unique_ptr<harness::ScopedDataRoot> mShipped;
};

TEST_F(ShippedMotionTest, PathsLoadWithLengthsThatMatchTheirCurves) {
    ASSERT_TRUE(GetGlobalPathSet().Load("trajectories.dat"));
    ASSERT_GE(GetGlobalPathSet().GetCount(), 1u);
    for (const char* name : {"mainback_drift", "mainback_swoop"}) {
        SCOPED_TRACE(name);
        const TSplinePath* path = FindSplinePath(name);
        ASSERT_NE(path, nullptr);
        ASSERT_GE(path->GetPointCount(), 2);
        TSplinePath measured = *path;
        measured.ComputeSegmentLengths();
        for (int i = 0; i + 1 < path->GetPointCount(); ++i) {
            const float stored = path->mPoints[static_cast<size_t>(i)].length;
            EXPECT_GT(stored, 0) << i;
            EXPECT_NEAR(stored, measured.mPoints[static_cast<size_t>(i)].length, 0.01f * stored) << i;
        }
    }
}

TEST_F(ShippedMotionTest, SparkleEffectHasItsTextureAndRectangles) {
    ParticleSystem system("fx/mainback_sparkle.ini", TTextureHandle());
    ASSERT_TRUE(system.mTexture);
    EXPECT_EQ(system.mTextureRects.size(), 2u);
    EXPECT_GT(system.mInfo.colorStart[3], 0) << "visible when born";
    system.mStopped = false;
    system.mAge = -1;
    for (int i = 0; i < 60; ++i) {
        system.Update(1.0f / 60);
        system.MoveParticles(1.0f / 60);
    }
    EXPECT_GT(system.mParticleCount, 10);
}

} // namespace
