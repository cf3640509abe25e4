// Frame-animation objects: the strip's name and frame layout, playing from the first show with its sound,
// stopping, following the object, drawing over it, and the saved record.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/cadr_object.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingSpace;
using objtest::TXml;

using Strings = std::vector<std::string>;

// Frame i of the 16 x 8 strip of 4 x 4 frames has colour kColours[i].
const uint32_t kColours[] = {kRed, kGreen, kBlue, kWhite, 0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu, 0xFF808080u};

class CadrTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteImage("scenes/strip.png", 16, 8, [](int x, int y) { return kColours[x / 4 + 4 * (y / 4)]; });
    }

    std::unique_ptr<TCadrObject> Make(const std::string& attributes) {
        auto cadr = Load<TCadrObject>(R"(anim="strip.png" w="4" h="4" speed="0.1" )" + attributes, "scenes/");
        cadr->mSpace = &mSpace;
        return cadr;
    }

    static void Run(TObject& object, float seconds) { objtest::Advance(object, seconds); }

    TRecordingSpace mSpace;
};

TEST_F(CadrTest, StripNameAndFrameLayout) {
    struct Case {
        const char* attributes;
        const char* folder;
        const char* name;
        int framesBeforeLoad;
        int framesAfterLoad;
    };
    const Case cases[] = {
        {R"(anim="strip.png" w="4" h="4" frames="3")", "scenes/", "scenes/strip.png", 3, 3},
        {R"(anim="scenes/strip.png" w="4" h="4" udf="0" frames="5")", "other/", "scenes/strip.png", 5, 5},
        // Every frame the strip holds: from "tw"/"th" before the texture is known, then from the texture.
        {R"(anim="strip.png" w="4" h="4")", "scenes/", "scenes/strip.png", 1, 8},
        {R"(anim="strip.png" w="4" h="4" frames="0" tw="8" th="4")", "scenes/", "scenes/strip.png", 2, 8},
        // A frame wider than the strip is one column.
        {R"(anim="strip.png" w="32" h="4")", "scenes/", "scenes/strip.png", 1, 2},
        {R"(anim="strip.png")", "scenes/", "scenes/strip.png", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto cadr = Load<TCadrObject>(c.attributes, c.folder);
        ASSERT_TRUE(cadr->mAnimation);
        EXPECT_EQ(cadr->mAnimation->mImageName, c.name);
        EXPECT_EQ(cadr->mAnimation->mFrameCount, c.framesBeforeLoad);
        cadr->LoadResources();
        EXPECT_EQ(cadr->mAnimation->mFrameCount, c.framesAfterLoad);
        EXPECT_EQ(static_cast<int>(cadr->mAnimation->mFrames.size()), c.framesAfterLoad);
    }
    auto laidOut = Load<TCadrObject>(R"(anim="strip.png" w="4" h="4")", "scenes/");
    laidOut->LoadResources();
    const TFrameRect sixth = laidOut->mAnimation->mFrames[5];
    EXPECT_EQ(sixth.x, 4);
    EXPECT_EQ(sixth.y, 4);
}

TEST_F(CadrTest, PlaysFromTheFirstShowWithItsSound) {
    struct Case {
        const char* attributes;
        bool playing;
        Strings sounds;
    };
    const Case cases[] = {
        {R"(anim_sound="whirr")", true, {"whirr"}},
        {"", true, {}},
        {R"(active="0" anim_sound="whirr")", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        mSpace.mSounds.mPlayed.clear();
        auto cadr = Make(c.attributes);
        cadr->LoadResources();
        cadr->OnSpaceFirstShow();
        EXPECT_EQ(cadr->mAnimation->mPlaying, c.playing);
        EXPECT_EQ(mSpace.mSounds.mPlayed, c.sounds);
    }
}

TEST_F(CadrTest, FramesAdvanceLoopAndStop) {
    auto endless = Make("");
    endless->LoadResources();
    endless->ActivateDefault();
    Run(*endless, 0.25f);
    EXPECT_EQ(endless->mAnimation->mCurrentFrame, 2);
    Run(*endless, 0.6f);
    EXPECT_EQ(endless->mAnimation->mCurrentFrame, 0);
    endless->DeactivateDefault();
    EXPECT_FALSE(endless->IsActive());
    Run(*endless, 0.35f);
    EXPECT_EQ(endless->mAnimation->mCurrentFrame, 0);

    auto once = Make(R"(loop="1" stayonlastcadr="1")");
    once->LoadResources();
    once->ActivateDefault();
    Run(*once, 2.0f);
    EXPECT_EQ(once->mAnimation->mCurrentFrame, 7);
    EXPECT_FALSE(once->mAnimation->mPlaying);
}

TEST_F(CadrTest, StripFollowsTheObject) {
    auto cadr = Make(R"(x="8" y="9")");
    cadr->LoadResources();
    EXPECT_EQ(cadr->mAnimation->mImage.mBaseX, 8.0f);
    cadr->SetPosition(20.7f, 30.2f, true);
    EXPECT_EQ(cadr->mAnimation->mImage.mBaseX, 20.0f);
    EXPECT_EQ(cadr->mAnimation->mImage.mBaseY, 30.0f);
    // Turned, it turns about the middle of its current frame.
    cadr->mAngle = 1.0f;
    cadr->ActivateDefault();
    Run(*cadr, 0.15f);
    const TRenderState& state = cadr->mAnimation->mImage.mRenderState;
    EXPECT_EQ(state.srcX, 4.0f);
    EXPECT_EQ(state.centreX, 6.0f);
    EXPECT_EQ(state.centreY, 2.0f);
    EXPECT_EQ(cadr->mAnimation->mImage.mAngle, 1.0f);
}

TEST_F(CadrTest, DrawnOverTheObjectAtItsAlpha) {
    WriteSolidImage("scenes/black.png", 8, 8, 0xFF000000u);
    auto cadr = Make(R"(x="8" y="8" name="black.png")");
    cadr->LoadResources();
    cadr->ActivateDefault();
    cadr->Update(0.001f);
    BeginCanvas({0, 0, 255, 255});
    cadr->Draw(1.0f);
    ExpectPixels({{9, 9, kRedPixel}, {13, 13, kBlack}, {17, 17, {0, 0, 255, 255}}});
    Run(*cadr, 0.11f);
    cadr->mAlpha = 0.5f;
    BeginCanvas();
    cadr->Draw(1.0f);
    ExpectPixels({{9, 9, {0, 128, 0, 255}}});
    cadr->mVisible = false;
    BeginCanvas();
    cadr->Draw(1.0f);
    ExpectPixels({{9, 9, kBlack}});
}

TEST_F(CadrTest, ChildrenGetTheirFirstShowToo) {
    TObjectFactory::CreateInstance();
    TXml xml(R"(<scene><object type="cadrobj" id="outer" anim="strip.png" w="4" h="4" speed="0.1">
        <object type="cadrobj" id="inner" anim="strip.png" w="4" h="4" speed="0.1"/></object></scene>)");
    mSpace.LoadObjectsFromXml(xml.Root(), "scenes/");
    mSpace.LoadResources();
    mSpace.Show();
    auto* inner = dynamic_cast<TCadrObject*>(mSpace.mObjects[0]->FindChildById("inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->mAnimation->mPlaying);
}

TEST_F(CadrTest, SavedRecord) {
    struct Case {
        const char* attributes;
        int size;
    };
    for (const Case& c : {Case{"", 21 + 17}, Case{R"(timed="1" ctime="0.1,0.2")", 21 + 17 + 13}}) {
        SCOPED_TRACE(c.attributes);
        auto playing = Make(c.attributes);
        playing->LoadResources();
        playing->ActivateDefault();
        Run(*playing, 0.35f);
        TBaseBuffer record;
        playing->SaveState(record);
        EXPECT_EQ(record.GetSize(), c.size);

        auto restored = Make(c.attributes);
        restored->LoadResources();
        ASSERT_TRUE(RestoreObjectState(*restored, record));
        EXPECT_EQ(restored->mAnimation->mPlaying, playing->mAnimation->mPlaying);
        EXPECT_EQ(restored->mAnimation->mCurrentFrame, playing->mAnimation->mCurrentFrame);
    }
    auto timed = Make(R"(timed="1" ctime="0.1, 0.25,0.5")");
    auto* strip = dynamic_cast<TTimeCadrImage*>(timed->mAnimation.Get());
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(strip->mTimes, (std::vector<float>{0.1f, 0.25f, 0.5f}));
}

} // namespace
