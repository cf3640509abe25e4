// Frame strips, timed frame strips and key-frame animations: layout, timing, loops, descriptions, drawing
// and saved state.

#include <tinyxml.h>
#include <vector>

#include "app/buffer.h"
#include "graphics/cadr_image.h"
#include "graphics_fixture.h"

namespace {

// Parses one element for a test; the document lives as long as the holder.
struct XmlElement {
    explicit XmlElement(const char* xml) {
        document.Parse(xml);
        EXPECT_FALSE(document.Error()) << document.ErrorDesc();
    }
    const TiXmlElement* Get() const { return document.RootElement(); }
    TiXmlDocument document;
};

struct PassCounter : TCadrImageListener {
    int passes = 0;
    void OnLoopEnd(TCadrImage*) override { ++passes; }
};

// A strip of frameCount frames of 10 x 10 laid out by the "tw" fallback, one second each.
void MakeStrip(TCadrImage& strip, int frameCount) {
    strip.mTextureWidth = 100;
    strip.SetFrames(1.0f, frameCount, 10, 10);
}

class CadrImageTest : public GraphicsTest {};

TEST_F(CadrImageTest, FrameLayout) {
    struct Case {
        const char* what;
        int textureWidth; // of a loaded texture; 0 for none
        int fallbackWidth;
        int frameW, frameH, index;
        TFrameRect rect;
    };
    const std::vector<Case> cases = {
        {"texture width", 256, 0, 64, 32, 5, {64, 32, 64, 32}},
        {"fallback width without texture", 0, 256, 64, 32, 5, {64, 32, 64, 32}},
        {"texture wins over the fallback", 128, 256, 64, 32, 5, {64, 64, 64, 32}},
        {"frame wider than the texture: one column", 0, 32, 64, 32, 3, {0, 96, 64, 32}},
        {"no width known: one column", 0, 0, 16, 8, 2, {0, 16, 16, 8}},
        {"zero frame width", 0, 256, 0, 32, 4, {0, 0, 0, 32}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TCadrImage strip;
        if (c.textureWidth > 0) {
            WriteSolidImage("layout.png", c.textureWidth, 64, kRed);
            strip.mImage.SetImage("layout");
            ASSERT_TRUE(strip.mImage.mTexture);
        }
        strip.mTextureWidth = c.fallbackWidth;
        strip.mFrameWidth = c.frameW;
        strip.mFrameHeight = c.frameH;
        const TFrameRect rect = strip.GetFrameRect(c.index);
        EXPECT_EQ(rect.x, c.rect.x);
        EXPECT_EQ(rect.y, c.rect.y);
        EXPECT_EQ(rect.w, c.rect.w);
        EXPECT_EQ(rect.h, c.rect.h);
        strip.mImage.ReleaseImage();
    }
}

TEST_F(CadrImageTest, PassesAndLoops) {
    struct Case {
        const char* what;
        int loops;
        bool stayOnLast;
        std::vector<int> frames; // after each update of 1 s
        int passes;
        bool playingAfter;
    };
    const std::vector<Case> cases = {
        {"two passes", 2, false, {1, 2, 0, 1, 2, 0, 0}, 2, false},
        // Passes rewind; only the last one stays on the last frame.
        {"two passes staying on the last", 2, true, {1, 2, 0, 1, 2, 2, 2}, 2, false},
        {"one pass staying on the last", 1, true, {1, 2, 2, 2}, 1, false},
        {"zero loops play one pass", 0, false, {1, 2, 0, 0}, 1, false},
        {"endless", TCadrImage::kEndless, true, {1, 2, 0, 1, 2, 0, 1}, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PassCounter counter;
        TCadrImage strip;
        strip.mListener = &counter;
        strip.mStayOnLast = c.stayOnLast;
        MakeStrip(strip, 3);
        strip.Play(c.loops);
        for (size_t i = 0; i < c.frames.size(); ++i) {
            strip.Update(1.0f);
            EXPECT_EQ(strip.mCurrentFrame, c.frames[i]) << "update " << i;
            EXPECT_FLOAT_EQ(strip.mImage.mRenderState.srcX, static_cast<float>(10 * c.frames[i])) << "update " << i;
        }
        EXPECT_EQ(counter.passes, c.passes);
        EXPECT_EQ(strip.mPlaying, c.playingAfter);
        EXPECT_EQ(strip.Update(1.0f), !c.playingAfter) << "a stopped strip reports finished";
    }
}

TEST_F(CadrImageTest, FrameTimeAndPause) {
    TCadrImage strip;
    strip.mTextureWidth = 100;
    strip.SetFrames(0.1f, 4, 10, 10);
    strip.Play(1);
    strip.Update(0.25f);
    EXPECT_EQ(strip.mCurrentFrame, 1) << "one frame per update; the rest of the time is dropped";
    EXPECT_FLOAT_EQ(strip.mElapsed, 0);
    strip.Update(0.05f);
    EXPECT_EQ(strip.mCurrentFrame, 1);

    strip.Stop();
    strip.mPaused = true;
    strip.Play(1);
    EXPECT_EQ(strip.mCurrentFrame, 1) << "a paused strip resumes where it was";
    EXPECT_FLOAT_EQ(strip.mElapsed, 0.05f);
    strip.Play(1);
    EXPECT_EQ(strip.mCurrentFrame, 0) << "without pause Play rewinds";

    TCadrImage empty;
    empty.SetFrames(0.1f, 0, 10, 10);
    empty.Play(1);
    EXPECT_FALSE(empty.mPlaying) << "a strip without frames does not play";
}

TEST_F(CadrImageTest, DescriptionAndDrawnFrame) {
    // Two 4 x 2 frames side by side: red, then green.
    WriteImage("fx/strip.png", 8, 2, [](int x, int) { return x < 4 ? kRed : kGreen; });
    XmlElement xml(R"(<object filename="strip" x="5" y="6" frames="2" speed="0.5" cadrw="4" cadrh="2" tw="64"
                      startcadr="1" additive="1" scale="0" scalex="2" scaley="0.5" angle="90" centerx="3"/>)");
    TCadrImage strip;
    strip.LoadFromXml(xml.Get(), true, "fx/");
    EXPECT_EQ(strip.mImageName, "fx/strip");
    ASSERT_TRUE(strip.mImage.mTexture);
    EXPECT_EQ(strip.mFrameCount, 2);
    EXPECT_FLOAT_EQ(strip.mSecondsPerFrame, 0.5f);
    EXPECT_EQ(strip.mTextureWidth, 64);
    EXPECT_EQ(strip.mCurrentFrame, 1);
    EXPECT_FALSE(strip.mPlaying);
    EXPECT_EQ(strip.mImage.mRenderState.blend, TRenderState::kBlendAdd);
    EXPECT_FLOAT_EQ(strip.mImage.GetScaleX(), 2);
    EXPECT_FLOAT_EQ(strip.mImage.GetScaleY(), 0.5f);
    EXPECT_NEAR(strip.mImage.mAngle, 1.5707963f, 1e-6);
    EXPECT_TRUE(strip.mImage.mCustomCentre);
    EXPECT_FLOAT_EQ(strip.mImage.mRenderState.centreX, 3);

    // A plain description: drawn at its position, the start frame showing.
    XmlElement plain(R"(<object filename="fx/strip" x="5" y="6" frames="2" speed="0.5" cadrw="4" cadrh="2"
                        startcadr="1" scalex="3"/>)");
    TCadrImage shown;
    shown.LoadFromXml(plain.Get(), true, "");
    EXPECT_FLOAT_EQ(shown.mImage.GetScaleX(), 1) << "without \"scale\" the scale is 1 whatever scalex says";
    BeginCanvas();
    shown.Draw(1.0f);
    ExpectPixels({{5, 6, kGreenPixel}, {8, 7, kGreenPixel}, {9, 6, kBlack}, {4, 6, kBlack}});

    // Out of range start frames and textures that do not exist show nothing and break nothing.
    for (const char* xmlText : {R"(<object filename="nothing" frames="3" cadrw="0" cadrh="5" startcadr="9"/>)",
                                R"(<object frames="5" cadrw="4" cadrh="2000000000" tw="4" startcadr="-2"/>)",
                                R"(<object frames="-7" cadrw="4" cadrh="4"/>)",
                                R"(<object frames="99999999" cadrw="4" cadrh="4" tw="16"/>)"}) {
        SCOPED_TRACE(xmlText);
        XmlElement broken(xmlText);
        TCadrImage odd;
        odd.LoadFromXml(broken.Get(), true, "");
        EXPECT_EQ(odd.mCurrentFrame, 0);
        EXPECT_LE(odd.mFrames.size(), 4096u);
        odd.Play(TCadrImage::kEndless);
        for (int i = 0; i < 5; ++i) {
            odd.Update(1.0f);
        }
        odd.Draw(1.0f);
    }
}

TEST_F(CadrImageTest, SavedStateRestoresThePlayingFrame) {
    TCadrImage strip;
    MakeStrip(strip, 5);
    strip.SetFrames(0.1f, 5, 10, 10);
    strip.Play(3);
    for (int i = 0; i < 3; ++i) {
        strip.Update(0.1f);
    }
    strip.Update(0.05f);
    TBaseBuffer buffer;
    strip.SaveState(buffer);
    EXPECT_EQ(buffer.GetSize(), 17);

    TCadrImage restored;
    MakeStrip(restored, 5);
    restored.SetFrames(0.1f, 5, 10, 10);
    restored.RestoreState(buffer);
    EXPECT_TRUE(restored.mPlaying);
    EXPECT_EQ(restored.mCurrentFrame, 3);
    EXPECT_FLOAT_EQ(restored.mImage.mRenderState.srcX, 30);
    EXPECT_FLOAT_EQ(restored.mElapsed, 0.05f);
    EXPECT_EQ(restored.mLoopCount, 3);

    // A saved frame outside the strip comes back as frame 0.
    for (int32_t bad : {5, -1, 0x7FFFFFFF}) {
        TBaseBuffer damaged;
        damaged.WriteByte(1);
        damaged.WriteInt32(0);
        damaged.WriteInt32(bad);
        damaged.WriteInt32(0);
        damaged.WriteInt32(1);
        TCadrImage fresh;
        MakeStrip(fresh, 5);
        fresh.RestoreState(damaged);
        EXPECT_EQ(fresh.mCurrentFrame, 0) << bad;
        fresh.Update(1.0f);
        EXPECT_EQ(fresh.mCurrentFrame, 1) << bad;
    }
}

TEST_F(CadrImageTest, TimedStrip) {
    XmlElement xml(R"(<object ctime="0.5, 0, 1"/>)");
    struct Case {
        const char* what;
        int loops;
        std::vector<int> frames; // after each update of 0.25 s; -1: the update reported finished
    };
    const std::vector<Case> cases = {
        // Frame 1 has no time: it shows for a single update.
        {"one pass", 1, {0, 1, 2, 2, 2, 2, -1}},
        {"zero loops play one pass", 0, {0, 1, 2, 2, 2, 2, -1}},
        {"two passes", 2, {0, 1, 2, 2, 2, 2, 0, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTimeCadrImage strip;
        MakeStrip(strip, 3);
        strip.LoadTimes(xml.Get());
        ASSERT_EQ(strip.mTimes, (std::vector<float>{0.5f, 0, 1}));
        strip.Play(c.loops);
        for (size_t i = 0; i < c.frames.size(); ++i) {
            const bool finished = strip.Update(0.25f);
            EXPECT_EQ(finished, c.frames[i] == -1) << "update " << i;
            if (c.frames[i] >= 0) {
                EXPECT_EQ(strip.mFrameCounter, c.frames[i]) << "update " << i;
                EXPECT_FLOAT_EQ(strip.mImage.mRenderState.srcX, static_cast<float>(10 * c.frames[i]));
            }
        }
    }

    // Played again, it starts at frame 0 with the first time; saved and restored mid-frame, the frame's time
    // starts over. The frame timer reports to the listener its owner gives it: a start and a firing for
    // every frame with a time.
    struct TimerCounter : TTimerListener {
        int started = 0;
        int fired = 0;
        void OnTimerStarted() override { ++started; }
        void OnTimerFired() override { ++fired; }
    };
    TimerCounter timerCounter;
    TTimeCadrImage strip;
    strip.mFrameTimer.SetListener(&timerCounter);
    MakeStrip(strip, 3);
    strip.LoadTimes(xml.Get());
    strip.Play(1);
    for (int i = 0; i < 8; ++i) {
        strip.Update(0.25f);
    }
    EXPECT_EQ(timerCounter.started, 2);
    EXPECT_EQ(timerCounter.fired, 2);
    strip.Play(1);
    strip.Update(0.5f);
    strip.Update(0.5f);
    strip.Play(1);
    EXPECT_EQ(strip.mFrameCounter, 0);
    EXPECT_FLOAT_EQ(strip.mFrameTimer.GetDuration(), 0.5f);
    strip.Update(0.5f);
    strip.Update(0.1f);
    strip.Update(0.5f); // frame 2, timer 1 s, half gone
    TBaseBuffer buffer;
    strip.SaveState(buffer);
    EXPECT_EQ(buffer.GetSize(), 30);
    TTimeCadrImage restored;
    MakeStrip(restored, 3);
    restored.LoadTimes(xml.Get());
    restored.RestoreState(buffer);
    EXPECT_EQ(restored.mFrameCounter, 2);
    EXPECT_TRUE(restored.mTimePlaying);
    EXPECT_FALSE(restored.Update(0.75f)) << "the frame's whole time runs again";
    EXPECT_TRUE(restored.Update(0.25f));
}

TEST_F(CadrImageTest, KeyFrames) {
    WriteSolidImage("kf/a.png", 2, 2, kRed);
    WriteSolidImage("kf/b.png", 2, 2, kGreen);
    XmlElement xml(R"(<anim x="10" y="5" a="1"><item name="kf/a" x="2"/><item name="kf/b" x="0" y="3"/></anim>)");
    TCadrImage2 anim;
    anim.LoadFromXml(xml.Get(), true);
    EXPECT_FLOAT_EQ(anim.mSecondsPerFrame, 0.2f) << "without \"time\"";
    ASSERT_EQ(anim.mFrameCount, 2);
    BeginCanvas();
    anim.Draw(1.0f);
    EXPECT_TRUE(NearColor(Pixel(12, 5), kBlack)) << "nothing before Restart";

    anim.Restart();
    const std::vector<std::vector<TProbe>> shown = {
        {{12, 5, kRedPixel}, {13, 6, kRedPixel}, {11, 5, kBlack}},     // frame 0 at (10 + 2, 5)
        {{10, 8, kGreenPixel}, {11, 9, kGreenPixel}, {12, 5, kBlack}}, // frame 1 at (10, 5 + 3)
        {{12, 5, kRedPixel}},                                          // and round again
    };
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(i);
        BeginCanvas();
        anim.Draw(1.0f);
        ExpectPixels(shown[i]);
        EXPECT_FALSE(anim.Update(0.1f));
        EXPECT_FALSE(anim.Update(0.1f));
    }
    anim.mStayOnLast = true;
    for (int i = 0; i < 10; ++i) {
        anim.Update(0.2f);
    }
    EXPECT_EQ(anim.mCurrentFrame, 1);

    // Without items a started animation does nothing.
    XmlElement none(R"(<anim time="0.1"/>)");
    TCadrImage2 empty;
    empty.LoadFromXml(none.Get(), true);
    empty.Restart();
    EXPECT_FALSE(empty.Update(0.5f));
    empty.Draw(1.0f);
    EXPECT_EQ(empty.mFrameCount, 0);
}

TEST_F(CadrImageTest, KeyFramesFromAFile) {
    WriteSolidImage("kf/a.png", 2, 2, kRed);
    ASSERT_TRUE(
        harness::WriteFile(Root() + "/assets/but1.xml", R"(<anim time="0.5" additive="1"><item name="kf/a"/></anim>)"));
    TCadrImage2 anim;
    anim.Load("but1.xml", false);
    ASSERT_EQ(anim.mFrameCount, 1);
    EXPECT_FALSE(anim.mFrames[0]->image.mTexture) << "textures wait for LoadImages";
    EXPECT_EQ(anim.mFrames[0]->image.mRenderState.blend, TRenderState::kBlendAdd);
    anim.LoadImages();
    EXPECT_TRUE(anim.mFrames[0]->image.mTexture);
    anim.ReleaseImages();
    EXPECT_FALSE(anim.mFrames[0]->image.mTexture);
}

} // namespace
