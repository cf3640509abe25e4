// The ghost and the infrared object: flee targets, the finding tool's press and move, flights, the lens
// mask over the ghost's video and over the infrared overlay, and their saved states.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/buffer.h"
#include "media/video_test_support.h"
#include "object_test_support.h"
#include "objects/ghost_object.h"
#include "objects/infrared_object.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TTestTool;
using video_test::MakeMemoryTexture;
using video_test::TMaskTexture;
using video_test::TMemoryTexture;

TEST(FleeTargetTest, StaysInItsBandWithoutDividingByZero) {
    struct TCase {
        const char* what;
        int startX, startY, width, height;
        int xLow, xHigh, yLow, yHigh; // targets lie in [low, high]
    };
    const TCase cases[] = {
        {"small object at (100, 100)", 100, 100, 20, 20, 0, 299, 0, 299},
        {"near the right edge", 1300, 400, 100, 50, 1100, 1265, 200, 599},
        {"384 high: the doubled height leaves no band", 500, 150, 20, 384, 300, 699, 0, 0},
        {"300 wide at 1266: a band of one point", 1266, 300, 300, 20, 1066, 1066, 100, 499},
        {"wider than the screen", 100, 100, 1400, 20, 0, 0, 0, 299},
        {"taller than the screen", 100, 100, 20, 800, 0, 299, 0, 0},
    };
    for (const TCase& c : cases) {
        std::srand(11);
        for (int i = 0; i < 300; ++i) {
            const TFleePoint p = PickFleePoint(c.startX, c.startY, c.width, c.height);
            ASSERT_GE(p.x, c.xLow) << c.what;
            ASSERT_LE(p.x, c.xHigh) << c.what;
            ASSERT_GE(p.y, c.yLow) << c.what;
            ASSERT_LE(p.y, c.yHigh) << c.what;
        }
    }
    EXPECT_FLOAT_EQ(PointDistance({3, 4}, {0, 0}), 5.0f);
    EXPECT_FLOAT_EQ(PointDistance({-2, 7}, {-2, 7}), 0.0f);
}

class GhostTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        std::filesystem::create_directories(Root() + "/assets/videos");
        std::filesystem::copy_file(video_test::ClipPath("alpha32.ogv"), Root() + "/assets/videos/alpha32.ogv");
        WriteSolidImage("textures/red16.png", 16, 16, kRed);
    }
    std::unique_ptr<TGhostObject> MakeGhost(const std::string& attributes) {
        auto ghost = Load<TGhostObject>(R"(name="alpha32.ogv" withalpha="1" checkcoords="1" )" + attributes, "videos/");
        ghost->SetListener(&mListener);
        return ghost;
    }
    std::unique_ptr<TInfraredObject> MakeInfrared(const std::string& attributes) {
        auto infrared = Load<TInfraredObject>(R"(name="red16.png" )" + attributes);
        infrared->SetListener(&mListener);
        return infrared;
    }

    TRecordingListener mListener;
};

TEST_F(GhostTest, LoadersSetTheirOwnAttributes) {
    auto ghost = MakeGhost(R"(x="40" y="50" tool="catcher" findghost="seen;caught.2" holdtoolafteruse="0")");
    EXPECT_EQ(ghost->GetTypeId(), 22);
    EXPECT_EQ(ghost->mHoldToolAfterUse, 1);
    EXPECT_TRUE(ghost->mSoundTool.empty());
    EXPECT_EQ(ghost->mStartX, 40);
    EXPECT_EQ(ghost->mStartY, 50);
    ASSERT_EQ(ghost->mFlags[kAfterTool].size(), 2u);
    EXPECT_EQ(ghost->mFlags[kAfterTool][1][0].name, "caught");

    auto infrared = MakeInfrared(R"(x="7" y="8" speed="0.5" canbecatched="0" findinfrared="warm")");
    EXPECT_EQ(infrared->GetTypeId(), 23);
    EXPECT_TRUE(infrared->mCacheColor);
    EXPECT_FLOAT_EQ(infrared->mSpeed, 0.5f);
    EXPECT_FALSE(infrared->mCanBeCatched);
    EXPECT_EQ(infrared->mHoldToolAfterUse, 1);
    EXPECT_EQ(infrared->mStartX, 7);
    ASSERT_EQ(infrared->mFlags[kAfterTool].size(), 1u);
    EXPECT_EQ(infrared->mFlags[kAfterTool][0][0].name, "warm");
}

// Only a press with the finding tool (the first "tool" name) catches, and the find flags go up.
TEST_F(GhostTest, OnlyTheFindingToolCatches) {
    TTestTool catcher("catcher"), other("lamp");
    struct TCase {
        const char* tools; // the "tool" attribute
        TTool* held;
        bool caught;
    };
    const TCase cases[] = {
        {R"(tool="catcher")", nullptr, false},
        {R"(tool="catcher")", &other, false},
        {R"(tool="lamp,catcher")", &catcher, false}, // not the first name
        {"", &catcher, false},
        {R"(tool="catcher")", &catcher, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.tools);
        auto ghost = MakeGhost(std::string(R"(x="0" y="0" findghost="ghostfound" )") + c.tools);
        ghost->LoadResources();
        EXPECT_EQ(ghost->OnMouseDown(At(4, 4, c.held)), c.caught);
        EXPECT_EQ(ghost->mCaught, c.caught);
        const std::vector<std::string> calls = mListener.Take();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "flag ghostfound 0"), c.caught ? 1 : 0);

        auto infrared = MakeInfrared(std::string(R"(findinfrared="warmfound" )") + c.tools);
        infrared->LoadResources();
        EXPECT_EQ(infrared->OnMouseDown(At(4, 4, c.held)), c.caught);
        EXPECT_EQ(infrared->mCaught, c.caught);
        const std::vector<std::string> infraredCalls = mListener.Take();
        EXPECT_EQ(std::count(infraredCalls.begin(), infraredCalls.end(), "flag warmfound 0"), c.caught ? 1 : 0);
    }
    auto stubborn = MakeInfrared(R"(tool="catcher" canbecatched="0")");
    stubborn->LoadResources();
    EXPECT_FALSE(stubborn->OnMouseDown(At(4, 4, &catcher)));
    EXPECT_FALSE(stubborn->mCaught);
}

// A move with the tool sends the object to a flee target; the flight takes distance x 0.002 / speed
// seconds and ends at the target.
TEST_F(GhostTest, FleesWithTheToolHeld) {
    TTestTool catcher("catcher");
    std::srand(5);
    auto ghost = MakeGhost(R"(x="300" y="300" tool="catcher")");
    ghost->LoadResources();
    EXPECT_FALSE(ghost->OnMouseMove(At(310, 310), nullptr));
    EXPECT_FALSE(ghost->GetMover()->moving);
    ASSERT_TRUE(ghost->OnMouseMove(At(310, 310, &catcher), nullptr));
    TPointMover& flight = *ghost->GetMover();
    ASSERT_TRUE(flight.moving);
    const TFleePoint target{static_cast<int>(flight.endX), static_cast<int>(flight.endY)};
    EXPECT_NEAR(flight.segmentSeconds, PointDistance(target, {300, 300}) * 0.002f / TGhostObject::kFlightSpeed, 1e-4);
    // A second move during the flight changes nothing.
    EXPECT_TRUE(ghost->OnMouseMove(At(310, 310, &catcher), nullptr));
    EXPECT_EQ(static_cast<int>(flight.endX), target.x);
    objtest::Advance(*ghost, flight.segmentSeconds + 0.05f, 0.01f);
    EXPECT_FALSE(flight.moving);
    EXPECT_FLOAT_EQ(ghost->mX, static_cast<float>(target.x));
    EXPECT_FLOAT_EQ(ghost->mY, static_cast<float>(target.y));

    const std::pair<const char*, float> speeds[] = {{"0", 0.0f}, {"0.5", 0.5f}};
    for (const auto& [text, speed] : speeds) {
        auto infrared = MakeInfrared(std::string(R"(x="300" y="300" tool="catcher" speed=")") + text + "\"");
        infrared->LoadResources();
        EXPECT_TRUE(infrared->OnMouseMove(At(305, 305, &catcher), nullptr)) << text;
        TPointMover& move = *infrared->GetMover();
        EXPECT_EQ(move.moving, speed > 0) << text;
        if (speed > 0) {
            const TFleePoint end{static_cast<int>(move.endX), static_cast<int>(move.endY)};
            // 250 pixels at speed 0.5 take a second.
            EXPECT_NEAR(move.segmentSeconds, PointDistance(end, {300, 300}) / 250.0f, 1e-4) << text;
        }
    }
}

// The lens mask lets the ghost's alpha video show where the mask is transparent; DrawAll draws it only
// while the room marks it shown and some of it is visible.
TEST_F(GhostTest, GhostShowsThroughTheLensOnly) {
    auto ghost = MakeGhost(R"(x="0" y="0")");
    ghost->LoadResources();
    ghost->Activate(0, 0, 0);
    TTextureHandle lens(new TMaskTexture(32, 32, [](int x, int) { return x < 16 ? 0 : 255; }));
    ghost->SetMask(0, 0, lens);
    objtest::Advance(*ghost, 0.2f, 0.05f);
    ASSERT_NE(ghost->GetWindow(), nullptr);
    EXPECT_TRUE(ghost->GetWindow()->mAlphaVisible);

    const TRgba blue{0, 0, 255, 255};
    BeginCanvas(blue);
    ghost->DrawAll(); // not shown
    EXPECT_TRUE(NearColor(Pixel(4, 4), blue));
    ghost->mShown = true;
    ghost->DrawFrame(); // the ghost's own drawing
    EXPECT_TRUE(NearColor(Pixel(4, 4), kRedPixel, 3));
    EXPECT_TRUE(NearColor(Pixel(20, 4), blue));    // under the opaque part of the mask
    EXPECT_TRUE(NearColor(Pixel(4, 28), blue, 3)); // the clip's alpha half is black there

    ghost->ClearMask();
    EXPECT_FALSE(ghost->GetWindow()->mAlphaVisible);
    EXPECT_FALSE(ghost->GetWindow()->mMask);
    BeginCanvas(blue);
    ghost->DrawAll();
    EXPECT_TRUE(NearColor(Pixel(4, 4), blue));
}

TEST_F(GhostTest, CaughtStateIsSavedAndACaughtGhostLoadsNothing) {
    auto ghost = MakeGhost(R"(id="g")");
    ghost->mCaught = true;
    TBaseBuffer saved;
    ghost->SaveState(saved);
    TBaseBuffer video;
    ghost->TVideoObject::SaveState(video);
    ASSERT_EQ(saved.GetSize(), video.GetSize() + 1);
    EXPECT_EQ(saved.GetBytes().back(), 1);

    auto restored = MakeGhost(R"(id="g")");
    restored->RestoreState(saved);
    EXPECT_TRUE(restored->mCaught);
    EXPECT_TRUE(saved.IsReadComplete());
    restored->LoadResources();
    EXPECT_FALSE(restored->GetWindow());
    EXPECT_FALSE(restored->GetFrameTexture());

    auto infrared = MakeInfrared(R"(id="i")");
    infrared->mCaught = true;
    TBaseBuffer infraredSaved;
    infrared->SaveState(infraredSaved);
    auto infraredRestored = MakeInfrared(R"(id="i")");
    infraredRestored->RestoreState(infraredSaved);
    EXPECT_TRUE(infraredRestored->mCaught);
    infraredRestored->LoadResources();
    EXPECT_FALSE(infraredRestored->GetOverlay());
}

// The overlay copies the image where the lens mask is opaque. The view rectangle and the object's size
// may reach far past the image: nothing outside the overlay is written.
TEST_F(GhostTest, InfraredOverlayStaysInsideItsPixels) {
    auto infrared = MakeInfrared(R"(x="100" y="100" w="40" h="40")");
    infrared->LoadResources();
    ASSERT_TRUE(infrared->GetOverlay());
    EXPECT_EQ(infrared->GetOverlay()->GetWidth(), 16);
    EXPECT_EQ(infrared->GetOverlay()->GetHeight(), 16);
    EXPECT_TRUE(infrared->mCheckOnlyBounds);

    TMemoryTexture* pixels = nullptr;
    TTextureHandle overlay = MakeMemoryTexture(16, 16, &pixels);
    infrared->mViewX = 90;
    infrared->mViewY = 96;
    infrared->mViewW = 200;
    infrared->mViewH = 200;
    // A lens opaque on its top half only, placed 2 rows above the image.
    infrared->SetMask(0, 2, TTextureHandle(new TMaskTexture(64, 10, [](int, int) { return 255; })));
    infrared->RebuildOverlay(overlay);
    EXPECT_TRUE(infrared->mAlphaVisible);
    EXPECT_TRUE(pixels->PaddingUntouched());
    EXPECT_EQ(pixels->At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixels->At(15, 7), 0xFFFF0000u);
    EXPECT_EQ(pixels->Alpha(15, 8), 0); // mask row 10 is past the mask
    EXPECT_EQ(pixels->Red(15, 8), 255);

    // A view rectangle that misses the image leaves a cleared overlay.
    infrared->mViewX = 500;
    infrared->RebuildOverlay(overlay);
    EXPECT_FALSE(infrared->mAlphaVisible);
    EXPECT_EQ(pixels->At(0, 0), 0u);
    EXPECT_TRUE(pixels->PaddingUntouched());

    // Without a mask nothing shows.
    infrared->mViewX = 100;
    infrared->ClearMask();
    infrared->RebuildOverlay(overlay);
    EXPECT_FALSE(infrared->mAlphaVisible);
    EXPECT_EQ(pixels->Alpha(5, 5), 0);

    // The object's own overlay, rebuilt by the update while shown.
    infrared->SetMask(0, 0, TTextureHandle(new TMaskTexture(16, 16, [](int, int) { return 255; })));
    infrared->mShown = true;
    infrared->Update(0.01f);
    EXPECT_TRUE(infrared->mAlphaVisible);
    infrared->PropagateSignalD(0);
    EXPECT_FALSE(infrared->mAlphaVisible);
}

TEST_F(GhostTest, InfraredDrawsItsOverlayUnderTheLens) {
    auto infrared = MakeInfrared(R"(x="4" y="4")");
    infrared->LoadResources();
    infrared->SetMask(0, 0, TTextureHandle(new TMaskTexture(16, 16, [](int x, int) { return x < 8 ? 255 : 0; })));
    infrared->mViewX = 4;
    infrared->mViewY = 4;
    infrared->mViewW = 16;
    infrared->mViewH = 16;
    infrared->mShown = true;
    infrared->Update(0.01f);
    const TRgba blue{0, 0, 255, 255};
    BeginCanvas(blue);
    infrared->DrawAll();
    EXPECT_TRUE(NearColor(Pixel(6, 6), kRedPixel));
    EXPECT_TRUE(NearColor(Pixel(15, 6), blue)); // the mask is transparent there
    EXPECT_TRUE(NearColor(Pixel(2, 2), blue));
    infrared->mShown = false;
    BeginCanvas(blue);
    infrared->DrawAll();
    EXPECT_TRUE(NearColor(Pixel(6, 6), blue));
}

} // namespace
