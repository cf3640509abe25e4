// The screen-transition fader and the shadow overlay: their timings, notifications and drawing.

#include <string>
#include <vector>

#include "app/missing_names.h"
#include "graphics/fader.h"
#include "graphics_fixture.h"

namespace {

// Records the notifications with the update in which they came.
struct Recorder : TFaderListener, TShadowListener {
    int update = 0;
    std::vector<std::string> events;
    void Note(const char* what) { events.push_back(std::string(what) + "@" + std::to_string(update)); }
    void OnFaderStart(TFader*) override { Note("start"); }
    void OnFaderMiddle(TFader*) override { Note("middle"); }
    void OnFaderEnd(TFader*) override { Note("end"); }
    void OnShadowShown() override { Note("shown"); }
    void OnShadowHidden() override { Note("hidden"); }
};

class FaderTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteSolidImage("textures/gui/sh1.png", 8, 8, 0xFF000000u);
    }
};

TEST_F(FaderTest, TransitionTimings) {
    struct Case {
        const char* what;
        float waitTime;
        bool hold;
        std::vector<std::string> events;
        float alphaAfter; // after the last update
    };
    const std::vector<Case> cases = {
        // Covers in 0.5 s, uncovers in 0.5 s, ends 0.2 s later: updates of 0.25 s.
        {"defaults", 0.2f, false, {"start@0", "middle@2", "end@5"}, 0},
        {"no wait", 0, false, {"start@0", "middle@2", "end@4"}, 0},
        {"longer wait", 0.6f, false, {"start@0", "middle@2", "end@7"}, 0},
        {"hold stays covered", 0.2f, true, {"start@0"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Recorder recorder;
        TFaderShadow fader;
        fader.mListener = &recorder;
        fader.mWaitTime = c.waitTime;
        fader.mHold = c.hold;
        fader.Start();
        for (recorder.update = 1; recorder.update <= 8; ++recorder.update) {
            fader.Update(0.25f);
        }
        EXPECT_EQ(recorder.events, c.events);
        EXPECT_FLOAT_EQ(fader.mAlpha.current, c.alphaAfter);
        EXPECT_EQ(fader.mState, c.hold ? TFaderShadow::kCovering : TFaderShadow::kIdle);
    }
    EXPECT_TRUE(GetMissingNames().empty());
}

TEST_F(FaderTest, FromToWithHoldDarkensToALevel) {
    TFaderShadow fader;
    fader.mHold = true;
    fader.StartFromTo(0, 0.7f, 0.2f);
    fader.Update(0.1f);
    EXPECT_FLOAT_EQ(fader.mAlpha.current, 0.35f);
    fader.Update(0.1f);
    fader.Update(0.1f);
    EXPECT_FLOAT_EQ(fader.mAlpha.current, 0.7f);

    // Drawn over white, the black overlay at 0.7 leaves 255 x 0.3 (alpha modulation 178).
    BeginCanvas({255, 255, 255, 255});
    fader.Draw();
    EXPECT_TRUE(NearColor(Pixel(3, 3), {77, 77, 77, 255}));
    EXPECT_TRUE(NearColor(Pixel(9, 9), {255, 255, 255, 255})) << "outside the overlay image";
}

// The fader is made before the first frame, which does not draw it: its full-screen picture is taken
// when a fade starts, either way of starting one.
TEST_F(FaderTest, ShadowPictureIsTakenWhenTheFirstFadeStarts) {
    struct Case {
        const char* what;
        void (*start)(TFaderShadow&);
    };
    const Case cases[] = {
        {"Start", [](TFaderShadow& fader) { fader.Start(); }},
        {"StartFromTo", [](TFaderShadow& fader) { fader.StartFromTo(0, 0.5f, 0.2f); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFaderShadow fader;
        EXPECT_FALSE(fader.mImage.mTexture);
        c.start(fader);
        ASSERT_TRUE(fader.mImage.mTexture);
        EXPECT_EQ(fader.mImage.mTexture->GetWidth(), 8);
    }
}

TEST_F(FaderTest, ReloadTextureLoadsTheImageAgain) {
    TFaderShadow fader;
    fader.Start();
    ASSERT_TRUE(fader.mImage.mTexture);
    WeakHandle<TTexture> old(fader.mImage.mTexture);
    WriteSolidImage("textures/gui/sh1.png", 4, 4, 0xFF000000u);
    fader.ReloadTexture();
    EXPECT_FALSE(old.IsAlive());
    ASSERT_TRUE(fader.mImage.mTexture);
    EXPECT_EQ(fader.mImage.mTexture->GetWidth(), 4);
}

TEST_F(FaderTest, ShadowRisesAndFalls) {
    struct Case {
        const char* what;
        bool hold;
        std::vector<float> alphas; // after each update of 0.25 s
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        // Rises to 0.6 in 1 s; the update that finds it there turns it; it falls in 1 s and is then done.
        {"falls back", false, {0.15f, 0.3f, 0.45f, 0.6f, 0.6f, 0.45f, 0.3f, 0.15f, 0, 0}, {"shown@5", "hidden@10"}},
        {"holds", true, {0.15f, 0.3f, 0.45f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f, 0.6f}, {"shown@5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Recorder recorder;
        TShadow shadow;
        shadow.mListener = &recorder;
        shadow.mMaxAlpha = 0.6f;
        shadow.mHold = c.hold;
        shadow.Show();
        for (recorder.update = 1; recorder.update <= static_cast<int>(c.alphas.size()); ++recorder.update) {
            shadow.Update(0.25f);
            EXPECT_NEAR(shadow.mCurrentAlpha, c.alphas[recorder.update - 1], 1e-5) << "update " << recorder.update;
        }
        EXPECT_EQ(recorder.events, c.events);
        EXPECT_EQ(shadow.mFinished, !c.hold);
    }
}

TEST_F(FaderTest, HiddenShadowFinishes) {
    TShadow shadow;
    shadow.mHold = true;
    shadow.mMaxAlpha = 0.5f;
    BeginCanvas({255, 255, 255, 255});
    shadow.Draw();
    EXPECT_TRUE(NearColor(Pixel(1, 1), {255, 255, 255, 255})) << "nothing visible before the first update";
    shadow.Show();
    for (int i = 0; i < 6; ++i) {
        shadow.Update(0.25f);
    }
    EXPECT_FLOAT_EQ(shadow.mCurrentAlpha, 0.5f);
    shadow.Draw();
    EXPECT_TRUE(NearColor(Pixel(1, 1), {128, 128, 128, 255}));
    shadow.Hide();
    for (int i = 0; i < 4; ++i) {
        shadow.Update(0.25f);
    }
    EXPECT_FLOAT_EQ(shadow.mCurrentAlpha, 0);
    EXPECT_FALSE(shadow.mFinished) << "the update after reaching 0 finishes it";
    shadow.Update(0.25f);
    EXPECT_TRUE(shadow.mFinished);
}

// The shipped overlay covers the whole design screen with opaque black.
TEST_F(FaderTest, ShippedOverlayCoversTheDesignScreen) {
    harness::ScopedDataRoot shipped(GetExecutableFolder());
    ASSERT_TRUE(SetWorkingFolderToExe());
    TFaderShadow fader;
    fader.Start();
    ASSERT_TRUE(fader.mImage.mTexture);
    const TTexture& texture = *fader.mImage.mTexture;
    EXPECT_EQ(texture.GetWidth(), 1366);
    EXPECT_EQ(texture.GetHeight(), 768);
    EXPECT_EQ(texture.GetAlphaAt(0, 0), 255);
    EXPECT_EQ(texture.GetAlphaAt(1365, 767), 255);
}

} // namespace
