// The ghost catcher: what it reads, the catch progress, the apply with its finger, glow, viewer video and
// sparkle trails, what Take and Release reset, what its two drawings put where, and where its lens lies.

#include <tinyxml.h>

#include <filesystem>

#include "media/video_test_support.h"
#include "room_play_support.h"
#include "rooms/ghost_catcher_tool.h"
#include "rooms/inventory_panel.h"
#include "rooms/room.h"
#include "rooms/room_lens.h"

namespace {

using roomtest::RoomPlayTest;

const char* const kCatcher = R"(<tool id="net" type="ghostcatcher" folder="net" shape="/shape" target="/target"
    finger="/finger" fingerx="20" fingery="2" glow="/glow" glowx="26" glowy="26" eyex="2" eyey="20"
    videox="7" videoy="9" video="/viewer.ogv" runeffect="1">
    <eye name="/eye1"/><eye name="/eye2" x="8"/><eye name="/eye3" x="16" y="1"/></tool>)";

class GhostCatcherTest : public RoomPlayTest {
protected:
    void SetUp() override {
        RoomPlayTest::SetUp();
        const std::string folder = "textures/tools/net/";
        std::filesystem::create_directories(Root() + "/assets/" + folder);
        std::filesystem::copy_file(video_test::ClipPath("alpha32.ogv"), Root() + "/assets/" + folder + "viewer.ogv");
        WriteSolidImage(folder + "shape.png", 100, 60, 0x80FFFFFFu);
        WriteSolidImage(folder + "finger.png", 4, 4, 0xFFFFFFFFu);
        WriteSolidImage(folder + "glow.png", 4, 4, kBlue);
        WriteSolidImage(folder + "eye1.png", 4, 4, kRed);
        WriteSolidImage(folder + "eye2.png", 4, 4, kGreen);
        WriteSolidImage(folder + "eye3.png", 4, 4, kBlue);
    }

    std::unique_ptr<TGhostCatcherTool> Load(const std::string& text) {
        TiXmlDocument document;
        document.Parse(text.c_str());
        std::unique_ptr<TTool> tool = CreateTool(ReadXmlString(document.RootElement(), "type", ""));
        auto* catcher = dynamic_cast<TGhostCatcherTool*>(tool.get());
        EXPECT_NE(catcher, nullptr);
        if (catcher == nullptr) {
            return nullptr;
        }
        static_cast<void>(tool.release());
        std::unique_ptr<TGhostCatcherTool> owned(catcher);
        owned->LoadFromXml(document.RootElement());
        owned->LoadImages();
        return owned;
    }

    static void Step(TTool& tool, float seconds, float step = 0.01f) {
        for (float t = 0; t < seconds - 1e-4f; t += step) {
            tool.Update(step);
        }
    }
};

TEST_F(GhostCatcherTest, ReadsItsImagesUnderItsFolderAndKeepsTheRest) {
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    EXPECT_EQ(catcher->GetKind(), TTool::kGhostCatcher);
    EXPECT_EQ(catcher->mShapeName, "textures/tools/net/shape");
    EXPECT_EQ(catcher->mTargetName, "textures/tools/net/target");
    EXPECT_EQ(catcher->mGlowName, "textures/tools/net/glow");
    EXPECT_EQ(catcher->GetViewer().mImageName, "textures/tools/net/viewer.ogv");
    ASSERT_EQ(catcher->GetEyes().size(), 3u);
    EXPECT_EQ(catcher->GetEyes()[2].name, "textures/tools/net/eye3");
    EXPECT_EQ(catcher->GetEyes()[2].x, 16);
    EXPECT_EQ(catcher->GetEyes()[2].y, 1);
    EXPECT_EQ(catcher->mVideoX, 7);
    EXPECT_EQ(catcher->mVideoY, 9);
    EXPECT_TRUE(catcher->mRunEffect);
    // The viewer plays with alpha, unstretched, and is opened with the images (first frame only).
    EXPECT_TRUE(catcher->GetViewer().mWithAlpha);
    EXPECT_FALSE(catcher->GetViewer().mStretch);
    EXPECT_NE(catcher->GetViewer().GetWindow(), nullptr);
    EXPECT_FALSE(catcher->GetViewer().mActive);
    EXPECT_TRUE(catcher->GetShape().mTexture);

    // Without a folder the names stand as given; only the exact type makes a catcher.
    auto bare = Load(R"(<tool id="b" type="ghostcatcher" shape="textures/tools/net/shape"/>)");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->mShapeName, "textures/tools/net/shape");
    EXPECT_TRUE(bare->mTargetName.empty());
    EXPECT_TRUE(bare->GetEyes().empty());
    EXPECT_FALSE(bare->mRunEffect);
    EXPECT_EQ(CreateTool("GhostCatcher")->GetKind(), 0);
}

TEST_F(GhostCatcherTest, CatchProgressFadesTheTargetAndStepsTheEyes) {
    struct TCase {
        float progress;
        float targetAlpha;
        int eyeIndex;
    };
    const TCase withEyes[] = {
        {0.0f, 1.0f, 0}, {0.3f, 0.7f, 0}, {0.34f, 0.66f, 1}, {0.7f, 0.3f, 2}, {1.0f, 0.0f, 3}, {10000.0f, 0.0f, 3},
    };
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    for (const TCase& c : withEyes) {
        catcher->SetCatchProgress(c.progress);
        EXPECT_NEAR(catcher->mTargetAlpha, c.targetAlpha, 1e-5f) << c.progress;
        EXPECT_EQ(catcher->mEyeIndex, c.eyeIndex) << c.progress;
    }
    // Without eye frames the row never shows.
    auto bare = Load(R"(<tool id="b" type="ghostcatcher"/>)");
    bare->SetCatchProgress(10000);
    EXPECT_EQ(bare->mEyeIndex, 0);
}

TEST_F(GhostCatcherTest, ApplyThrowsSixTrailsBowedBothWaysThatEndWithTheirSparkles) {
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    catcher->Take();
    catcher->Apply(400, 300, 0);
    const TEffectCatchGhostFull* effect = catcher->GetCatchEffect();
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(effect->GetTrails().size(), 6u);
    const int offsets[] = {10, 30, 50, 10, 30, 50};
    for (size_t i = 0; i < 6; ++i) {
        const TSplinePath* path = effect->GetTrails()[i]->GetPath();
        ASSERT_EQ(path->mPoints.size(), 3u);
        EXPECT_EQ(path->mPoints.front().y, 300 + offsets[i]);
        EXPECT_EQ(path->mPoints.back().y, 550 + offsets[i]);
        EXPECT_EQ(path->mPoints.front().x, 400);
        EXPECT_EQ(path->mPoints.back().x, 400);
        // The first three bow to one side, the last three to the other, by the same amount.
        const int bow = path->mPoints[1].x - 400;
        EXPECT_NE(bow, 0);
        const int firstBow = effect->GetTrails()[i % 3]->GetPath()->mPoints[1].x - 400;
        EXPECT_EQ(bow, i < 3 ? firstBow : -firstBow) << i;
    }
    // Each trip takes one second; then the sparkles fade (0.03 a step) and the effect is gone.
    Step(*catcher, 0.95f);
    ASSERT_NE(catcher->GetCatchEffect(), nullptr);
    EXPECT_FALSE(catcher->GetCatchEffect()->GetTrails().front()->IsMoverDone());
    EXPECT_GT(catcher->GetCatchEffect()->GetTrails().front()->GetSparkleCount(), 0u);
    Step(*catcher, 0.1f);
    ASSERT_NE(catcher->GetCatchEffect(), nullptr);
    EXPECT_TRUE(catcher->GetCatchEffect()->GetTrails().front()->IsMoverDone());
    Step(*catcher, 0.4f);
    EXPECT_EQ(catcher->GetCatchEffect(), nullptr);
}

TEST_F(GhostCatcherTest, ASecondApplyReplacesTheEffectAndTakeOrReleaseEndsIt) {
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    catcher->Apply(100, 100, 0);
    Step(*catcher, 0.2f);
    catcher->Apply(500, 200, 0);
    ASSERT_NE(catcher->GetCatchEffect(), nullptr);
    ASSERT_EQ(catcher->GetCatchEffect()->GetTrails().size(), 6u);
    EXPECT_EQ(catcher->GetCatchEffect()->GetTrails().front()->GetPath()->mPoints.front().x, 500);
    EXPECT_EQ(catcher->GetCatchEffect()->GetTrails().front()->GetSparkleCount(), 0u);
    catcher->Take();
    EXPECT_EQ(catcher->GetCatchEffect(), nullptr);
    catcher->Apply(500, 200, 0);
    catcher->SetCatchProgress(0.5f);
    catcher->Release();
    EXPECT_EQ(catcher->GetCatchEffect(), nullptr);
    EXPECT_FLOAT_EQ(catcher->mTargetAlpha, 0.0f);
    EXPECT_FALSE(catcher->GetViewer().mActive);
    // Without "runeffect" an apply throws nothing.
    auto quiet = Load(R"(<tool id="q" type="ghostcatcher"/>)");
    quiet->Apply(100, 100, 0);
    EXPECT_EQ(quiet->GetCatchEffect(), nullptr);
}

TEST_F(GhostCatcherTest, FingerHidesForHalfASecondAndTheGlowFlashesOnce) {
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    catcher->Take();
    EXPECT_TRUE(catcher->GetFinger().mVisible);
    catcher->Apply(16, 16, 0);
    EXPECT_FALSE(catcher->GetFinger().mVisible);
    EXPECT_EQ(catcher->mState, 1);
    Step(*catcher, 0.3f);
    EXPECT_GT(catcher->GetGlow().mAlpha, 0.9f);
    EXPECT_FALSE(catcher->GetFinger().mVisible);
    Step(*catcher, 0.25f);
    EXPECT_TRUE(catcher->GetFinger().mVisible);
    EXPECT_EQ(catcher->mState, 0);
    Step(*catcher, 0.1f);
    EXPECT_FLOAT_EQ(catcher->GetGlow().mAlpha, 0.0f);
    // It stays dark: the flash does not repeat.
    Step(*catcher, 0.5f);
    EXPECT_FLOAT_EQ(catcher->GetGlow().mAlpha, 0.0f);
}

TEST_F(GhostCatcherTest, DrawAtShowsTheViewerVideoAroundTheCatchPoint) {
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    catcher->Take();
    Step(*catcher, 0.2f);
    BeginCanvas();
    catcher->DrawAt(16, 16, 1.0f, 1.0f);
    // Held but not applied: no video.
    EXPECT_TRUE(NearColor(Pixel(8, 4), kBlack, 0));
    catcher->Apply(16, 16, 0);
    Step(*catcher, 0.2f);
    // The 32 x 32 picture is centred on the catch point: its top half is opaque red, its bottom half clear.
    BeginCanvas();
    catcher->DrawAt(16, 16, 1.0f, 1.0f);
    EXPECT_TRUE(NearColor(Pixel(8, 4), TRgba{254, 0, 0, 255}, 6));
    EXPECT_TRUE(NearColor(Pixel(8, 28), kBlack, 2));
    // The play ends after its one pass and the viewer draws nothing more.
    Step(*catcher, 1.2f);
    EXPECT_FALSE(catcher->GetViewer().mActive);
    BeginCanvas();
    catcher->DrawAt(16, 16, 1.0f, 1.0f);
    EXPECT_TRUE(NearColor(Pixel(8, 4), kBlack, 0));
}

TEST_F(GhostCatcherTest, DrawOverlayAtPlacesFingerGlowAndTheEyeFrame) {
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    catcher->Take();
    // 3 x 0.5 = 1.5: the first of the three frames.
    catcher->SetCatchProgress(0.5f);
    BeginCanvas();
    catcher->DrawOverlayAt(0, 0, 1.0f, 1.0f);
    ExpectPixels({{21, 3, {255, 255, 255, 255}}, {3, 21, kRedPixel}, {11, 21, kBlack}, {27, 27, kBlack}});
    catcher->SetCatchProgress(0.7f);
    BeginCanvas();
    catcher->DrawOverlayAt(0, 0, 1.0f, 1.0f);
    ExpectPixels({{3, 21, kBlack}, {11, 21, kGreenPixel}, {19, 22, kBlack}});
    // After an apply: the last eye frame, the finger hidden, the glow lit half-way through its flash.
    catcher->Apply(100, 100, 0);
    Step(*catcher, 0.3f);
    BeginCanvas();
    catcher->DrawOverlayAt(0, 0, 1.0f, 1.0f);
    ExpectPixels({{21, 3, kBlack}, {19, 22, kBluePixel}, {11, 21, kBlack}});
    EXPECT_GT(Pixel(27, 27).b, 200);
}

TEST_F(GhostCatcherTest, TheLensFollowsTheSlotOfTheHeldCatcher) {
    auto catcher = Load(kCatcher);
    ASSERT_NE(catcher, nullptr);
    TInventoryPanel panel;
    panel.SetSlotCounts(2, 0);
    TLens lens;
    // No panel installed: no lens.
    EXPECT_FALSE(FindSlotLens(catcher.get(), false, lens));
    TInventoryPanel::SetInstance(&panel);
    panel.mMainRow[1].tool = catcher.get();
    panel.mMainRow[1].pointX = 300;
    panel.mMainRow[1].pointY = 200;
    ASSERT_TRUE(FindSlotLens(catcher.get(), false, lens));
    // The shape's size, centred on the point when the tool has no hand point.
    EXPECT_EQ(lens.rect, (std::array<float, 4>{250, 170, 100, 60}));
    EXPECT_TRUE(lens.mask);
    // The infrared object asks for the held tool's own slot, in use.
    EXPECT_FALSE(FindSlotLens(catcher.get(), true, lens));
    panel.mMainRow[1].inUse = true;
    EXPECT_TRUE(FindSlotLens(catcher.get(), true, lens));
    // A hand point places the corner instead.
    catcher->mHandPoints = {{10, 20}};
    ASSERT_TRUE(FindSlotLens(catcher.get(), false, lens));
    EXPECT_EQ(lens.rect, (std::array<float, 4>{290, 180, 100, 60}));
    // Another kind of tool, or a catcher without a shape image, has no lens.
    objtest::TTestTool plain("rope");
    panel.mMainRow[0].tool = &plain;
    panel.mMainRow[0].inUse = true;
    EXPECT_FALSE(FindSlotLens(&plain, true, lens));
    auto blind = Load(R"(<tool id="b" type="ghostcatcher"/>)");
    panel.mMainRow[1].tool = blind.get();
    EXPECT_FALSE(FindSlotLens(blind.get(), true, lens));
    EXPECT_FALSE(FindSlotLens(nullptr, false, lens));
    TInventoryPanel::SetInstance(nullptr);

    // Covering needs shared area: a box that only touches the lens's edge is outside it.
    TObject object;
    object.SetPosition(350, 170, false);
    object.mW = 20;
    object.mH = 20;
    lens.rect = {250, 170, 100, 60};
    EXPECT_FALSE(LensCovers(lens, object));
    object.SetPosition(349, 229, false);
    EXPECT_TRUE(LensCovers(lens, object));
}

} // namespace
