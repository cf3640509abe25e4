// The Theora reader over the clips of tools/make_videos.py: the colour conversion, frames decoded up to a
// play time, passes and their ends, the post-processing level, the alpha half and its mask, the picture
// offset and full-resolution chroma, and files it must refuse.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/video_window.h"
#include "video_test_support.h"

namespace {

using video_test::ClipBytes;
using video_test::MakeMemoryTexture;
using video_test::TMaskTexture;
using video_test::TMemoryTexture;

// Theora is lossy: a flat field comes back within this much per channel.
constexpr int kTolerance = 3;

struct TLoopRecorder : TVideoWindowDataListener {
    void OnLoopFinished(int passes) override { calls.push_back(passes); }
    std::vector<int> calls;
};

// The grey of frame i of the flat clip (luma 16 + 20 i) after the conversion.
int FlatGrey(int frame) {
    return (9535 * (1 + 20 * frame)) >> 13;
}

float OpenClip(TVideoWindow& window, const std::string& name) {
    return window.OpenBytes(name, ClipBytes(name));
}

// The grey the opaque writer produces for the frame last decoded (the centre pixel).
int CurrentGrey(TVideoWindow& window) {
    TMemoryTexture* pixels = nullptr;
    TTextureHandle texture = MakeMemoryTexture(32, 32, &pixels);
    window.WriteFrameOpaque(texture, false);
    return pixels->Red(16, 16);
}

TEST(VideoColourTest, ConvertsWithTheFixedPointTable) {
    struct TCase {
        int y, cb, cr;
        int r, g, b;
    };
    // Hand-computed from L = 9535 (Y - 15) and the 13-bit factors, each shifted and clamped.
    const TCase cases[] = {
        {15, 128, 128, 0, 0, 0},                                        // the luma offset is 15: this is black
        {16, 128, 128, 1, 1, 1},                                        // studio black is not quite black
        {128, 128, 128, 131, 131, 131}, {235, 128, 128, 255, 255, 255}, // 256 clamped
        {255, 128, 128, 255, 255, 255}, {0, 128, 128, 0, 0, 0},         // a negative sum clamps to 0
        {15, 128, 127, 0, 0, 0},                                        // -2 after the arithmetic shift
        {16, 0, 0, 0, 155, 0},                                          // red and blue far below 0, green in range
        {240, 255, 255, 255, 108, 255}, {100, 128, 200, 213, 40, 98},   {81, 90, 240, 255, 0, 0},
    };
    for (const TCase& c : cases) {
        const TRgb rgb = ConvertYCbCr(c.y, c.cb, c.cr);
        EXPECT_EQ(rgb.r, c.r) << c.y << "," << c.cb << "," << c.cr;
        EXPECT_EQ(rgb.g, c.g) << c.y << "," << c.cb << "," << c.cr;
        EXPECT_EQ(rgb.b, c.b) << c.y << "," << c.cb << "," << c.cr;
    }
}

TEST(VideoWindowTest, DecodesTheFramesDueAtTheTarget) {
    TVideoWindow window;
    ASSERT_FLOAT_EQ(OpenClip(window, "flat32.ogv"), 10.0f);
    EXPECT_EQ(window.GetFrameWidth(), 32u);
    EXPECT_EQ(window.GetPictureHeight(), 32u);
    // No frame yet: nothing is written.
    TMemoryTexture* pixels = nullptr;
    TTextureHandle texture = MakeMemoryTexture(32, 32, &pixels);
    window.WriteFrameOpaque(texture, false);
    EXPECT_FALSE(window.mFrameWritten);
    EXPECT_EQ(pixels->At(0, 0), TMemoryTexture::kUntouched);

    struct TStep {
        float target;
        int decoded;   // frames decoded so far
        float endTime; // the end of the frame shown
    };
    const TStep steps[] = {
        {0.0f, 1, 0.1f},  // frame 0
        {0.25f, 3, 0.3f}, // frames 1 and 2; frame 2 ends after the target
        {0.3f, 4, 0.4f},  // at least one frame per call
        {0.85f, 9, 0.9f},
    };
    for (const TStep& step : steps) {
        ASSERT_TRUE(window.Advance(step.target));
        EXPECT_EQ(window.GetDecodedFrames(), step.decoded) << step.target;
        EXPECT_NEAR(window.mLastFrameTime, step.endTime, 1e-4) << step.target;
        EXPECT_NEAR(CurrentGrey(window), FlatGrey(step.decoded - 1), kTolerance) << step.target;
    }
    EXPECT_TRUE(window.mPlaying);
}

TEST(VideoWindowTest, StudioBlackFirstFrameComesOutAsOne) {
    TVideoWindow window;
    ASSERT_GT(OpenClip(window, "flat32.ogv"), 0.0f);
    ASSERT_TRUE(window.Advance(0));
    TMemoryTexture* pixels = nullptr;
    TTextureHandle texture = MakeMemoryTexture(32, 32, &pixels);
    window.WriteFrameOpaque(texture, true);
    EXPECT_TRUE(window.mFrameWritten);
    EXPECT_FALSE(window.mAlphaMode);
    for (int y : {0, 31}) {
        for (int x : {0, 31}) {
            EXPECT_EQ(pixels->Alpha(x, y), 255);
            EXPECT_LE(pixels->Red(x, y), 1 + kTolerance);
        }
    }
    EXPECT_TRUE(pixels->PaddingUntouched());
    EXPECT_EQ(window.AlphaAt(31, 31), 255);
    EXPECT_EQ(window.AlphaAt(32, 0), 0);
    EXPECT_EQ(window.AlphaAt(0, -1), 0);
}

TEST(VideoWindowTest, PassLimitsEndOrRepeatThePlay) {
    struct TCase {
        int limit;
        int advances; // one frame each
        std::vector<int> loops;
        bool playing;
    };
    const TCase cases[] = {
        {1, 11, {1}, false},
        {2, 11, {1}, true},
        {2, 21, {1, 2}, false},
        {-1, 31, {1, 2, 3}, true},
    };
    for (const TCase& c : cases) {
        TVideoWindow window;
        TLoopRecorder recorder;
        window.mListener = &recorder;
        window.mPassLimit = c.limit;
        ASSERT_GT(OpenClip(window, "flat32.ogv"), 0.0f);
        // Each call asks for the frame after the one shown: the time runs as the clip's own.
        float playTime = 0;
        for (int i = 0; i < c.advances && window.mPlaying; ++i) {
            window.Advance(playTime);
            if (window.mRestarted) {
                window.mRestarted = false;
                playTime = 0;
            }
            playTime += 0.1f;
        }
        EXPECT_EQ(recorder.calls, c.loops) << "limit " << c.limit;
        EXPECT_EQ(window.mPlaying, c.playing) << "limit " << c.limit;
        EXPECT_EQ(window.Advance(0.5f), c.playing) << "limit " << c.limit;
    }
}

// The second pass is decoded as the play time of that pass runs, not inside the call that ended the
// first, and its frames are timed from its own start.
TEST(VideoWindowTest, SecondPassLastsItsFullDuration) {
    TVideoWindow window;
    TLoopRecorder recorder;
    window.mListener = &recorder;
    window.mPassLimit = 2;
    ASSERT_GT(OpenClip(window, "flat32.ogv"), 0.0f);
    ASSERT_TRUE(window.Advance(0.95f));
    ASSERT_EQ(window.GetDecodedFrames(), 10);
    // The end of the data: the second pass starts inside this call with its first frame only.
    ASSERT_TRUE(window.Advance(1.05f));
    EXPECT_EQ(recorder.calls, std::vector<int>{1});
    EXPECT_TRUE(window.mRestarted);
    EXPECT_TRUE(window.mPlaying);
    EXPECT_EQ(window.GetDecodedFrames(), 11);
    EXPECT_NEAR(window.mLastFrameTime, 0.1f, 1e-4);
    EXPECT_NEAR(CurrentGrey(window), FlatGrey(0), kTolerance);

    int calls = 0;
    for (float t = 0.1f; window.mPlaying && calls < 40; t += 0.1f, ++calls) {
        window.Advance(t);
    }
    // Nine more frames and the call that finds the end.
    EXPECT_EQ(calls, 10);
    EXPECT_EQ(window.GetDecodedFrames(), 20);
    EXPECT_EQ(recorder.calls, (std::vector<int>{1, 2}));
}

TEST(VideoWindowTest, PostProcessingFollowsTheLead) {
    // Decode steps at the clip's own rate never lower the level.
    {
        TVideoWindow window;
        ASSERT_GT(OpenClip(window, "flat32.ogv"), 0.0f);
        EXPECT_EQ(window.GetLevel(), TVideoWindow::kMaxLevel);
        for (int i = 0; i < 10; ++i) {
            window.Advance(0.1f * static_cast<float>(i));
        }
        EXPECT_EQ(window.GetDecodedFrames(), 10);
        EXPECT_EQ(window.GetLevel(), TVideoWindow::kMaxLevel);
    }
    // Each frame decoded too late asks for one step down, taken before the next packet.
    {
        TVideoWindow window;
        ASSERT_GT(OpenClip(window, "flat32.ogv"), 0.0f);
        window.Advance(0.35f);
        EXPECT_EQ(window.GetDecodedFrames(), 4);
        EXPECT_EQ(window.GetLevel(), TVideoWindow::kMaxLevel - 3);
        // Far behind: the level reaches 0 and stays there.
        window.Advance(0.95f);
        EXPECT_EQ(window.GetLevel(), 0);
        // Running ahead by more than a frame raises it again, one step per call.
        TVideoWindow ahead;
        ASSERT_GT(OpenClip(ahead, "flat32.ogv"), 0.0f);
        ahead.Advance(0.35f);
        const int level = ahead.GetLevel();
        ahead.Advance(0.0f);
        ahead.Advance(0.0f);
        EXPECT_EQ(ahead.GetLevel(), level + 1);
    }
}

TEST(VideoWindowTest, AlphaHalfGivesTheAlphaAndTheMaskCutsIt) {
    TVideoWindow window;
    window.mAlphaMode = true;
    ASSERT_GT(OpenClip(window, "alpha32.ogv"), 0.0f);
    EXPECT_EQ(window.GetFrameWidth(), 32u);
    ASSERT_TRUE(window.Advance(0));

    TMemoryTexture* pixels = nullptr;
    TTextureHandle texture = MakeMemoryTexture(32, 32, &pixels);
    window.WriteFrameWithAlpha(texture, true);
    EXPECT_TRUE(window.mAlphaMode);
    EXPECT_FALSE(window.mAlphaVisible); // only a mask sets it
    for (int x : {2, 29}) {
        EXPECT_GE(pixels->Red(x, 4), 255 - kTolerance);
        EXPECT_LE(pixels->Green(x, 4), kTolerance);
        EXPECT_LE(pixels->Blue(x, 4), kTolerance);
        EXPECT_GE(pixels->Alpha(x, 4), 255 - kTolerance); // white alpha half
        EXPECT_LE(pixels->Alpha(x, 28), 1 + kTolerance);  // studio black: about 1, not 0
        EXPECT_EQ(window.AlphaAt(x, 4), pixels->Alpha(x, 4));
        EXPECT_EQ(window.AlphaAt(x, 28), pixels->Alpha(x, 28));
    }
    EXPECT_TRUE(pixels->PaddingUntouched());

    // A 16 x 16 mask placed at (-4, 0) of the picture: transparent on its left 8 columns, opaque on the
    // right 8. The video shows only under the transparent part.
    window.mMask = TTextureHandle(new TMaskTexture(16, 16, [](int x, int) { return x < 8 ? 0 : 255; }));
    window.mMaskOffsetX = 4;
    window.WriteFrameWithAlpha(texture, true);
    EXPECT_TRUE(window.mAlphaVisible);
    struct TProbe {
        int x, y;
        bool shows;
    };
    const TProbe probes[] = {
        {0, 4, true},   // mask column 4: transparent
        {3, 4, true},   // mask column 7
        {4, 4, false},  // mask column 8: opaque
        {11, 4, false}, // mask column 15
        {12, 4, false}, // past the mask's right edge
        {0, 15, true},  // last mask row
        {0, 16, false}, // below the mask
    };
    for (const TProbe& p : probes) {
        if (p.shows) {
            EXPECT_GE(pixels->Alpha(p.x, p.y), 255 - kTolerance) << p.x << "," << p.y;
        } else {
            EXPECT_EQ(pixels->Alpha(p.x, p.y), 0) << p.x << "," << p.y;
        }
        EXPECT_EQ(window.AlphaAt(p.x, p.y), pixels->Alpha(p.x, p.y));
    }
    // A fully opaque mask hides everything.
    window.mMask = TTextureHandle(new TMaskTexture(64, 64, [](int, int) { return 255; }));
    window.WriteFrameWithAlpha(texture, false);
    EXPECT_FALSE(window.mAlphaVisible);
    EXPECT_EQ(pixels->Alpha(0, 0), 0);
}

// The picture is 24 x 20 inside a coded frame of 32 x 32 with full-resolution chroma: three 8-column
// stripes of red, blue and green.
TEST(VideoWindowTest, ReadsThePictureRectangleAndFullChroma) {
    TVideoWindow window;
    ASSERT_GT(OpenClip(window, "offset444.ogv"), 0.0f);
    EXPECT_EQ(window.GetFrameWidth(), 24u);
    EXPECT_EQ(window.GetPictureHeight(), 20u);
    ASSERT_TRUE(window.Advance(0));
    TMemoryTexture* pixels = nullptr;
    TTextureHandle texture = MakeMemoryTexture(24, 20, &pixels);
    window.WriteFrameOpaque(texture, false);
    struct TStripe {
        int x, r, g, b;
    };
    const TStripe stripes[] = {{1, 255, 0, 0},  {6, 255, 0, 0},  {9, 1, 1, 255},
                               {14, 1, 1, 255}, {17, 1, 255, 1}, {22, 1, 255, 1}};
    // Colour edges come back less exactly than flat fields; a stripe read from the wrong chroma column
    // would be off by far more.
    constexpr int kEdgeTolerance = 8;
    for (const TStripe& s : stripes) {
        for (int y : {1, 10, 18}) {
            EXPECT_NEAR(pixels->Red(s.x, y), s.r, kEdgeTolerance) << s.x << "," << y;
            EXPECT_NEAR(pixels->Green(s.x, y), s.g, kEdgeTolerance) << s.x << "," << y;
            EXPECT_NEAR(pixels->Blue(s.x, y), s.b, kEdgeTolerance) << s.x << "," << y;
        }
    }
    EXPECT_TRUE(pixels->PaddingUntouched());
}

// A texture smaller than the picture gets only what fits.
TEST(VideoWindowTest, NeverWritesPastTheTexture) {
    TVideoWindow window;
    ASSERT_GT(OpenClip(window, "flat32.ogv"), 0.0f);
    ASSERT_TRUE(window.Advance(0.45f));
    TMemoryTexture* pixels = nullptr;
    TTextureHandle texture = MakeMemoryTexture(8, 4, &pixels);
    window.WriteFrameOpaque(texture, false);
    EXPECT_NEAR(pixels->Red(7, 3), FlatGrey(4), kTolerance);
    EXPECT_TRUE(pixels->PaddingUntouched());
}

TEST(VideoWindowTest, IgnoresTheAudioStreamBeforeTheVideo) {
    TVideoWindow window;
    TLoopRecorder recorder;
    window.mListener = &recorder;
    ASSERT_FLOAT_EQ(OpenClip(window, "audiofirst.ogv"), 10.0f);
    for (int i = 0; i < 12 && window.mPlaying; ++i) {
        window.Advance(0.1f * static_cast<float>(i));
        if (i == 5) {
            EXPECT_NEAR(CurrentGrey(window), FlatGrey(5), kTolerance);
        }
    }
    EXPECT_EQ(window.GetDecodedFrames(), 10);
    EXPECT_EQ(recorder.calls, std::vector<int>{1});
}

// The cut copy plays what it holds and ends its pass where the data ends.
TEST(VideoWindowTest, TruncatedClipEndsEarly) {
    TVideoWindow window;
    TLoopRecorder recorder;
    window.mListener = &recorder;
    window.mPassLimit = -1;
    ASSERT_GT(OpenClip(window, "truncated.ogv"), 0.0f);
    int decodedInFirstPass = 0;
    for (int i = 0; i < 10 && recorder.calls.empty(); ++i) {
        window.Advance(0.1f * static_cast<float>(i));
        decodedInFirstPass = window.GetDecodedFrames() - (recorder.calls.empty() ? 0 : 1);
    }
    EXPECT_EQ(recorder.calls, std::vector<int>{1});
    EXPECT_GT(decodedInFirstPass, 0);
    EXPECT_LT(decodedInFirstPass, 10);
}

TEST(VideoWindowTest, RefusesWhatItCannotPlay) {
    const std::string clip = ClipBytes("flat32.ogv");
    const std::string vorbisOnly = ClipBytes("audiofirst.ogv").substr(0, 200);
    struct TCase {
        const char* what;
        std::string bytes;
        const char* logLine; // empty: none asked
    };
    const TCase cases[] = {
        {"empty", "", "TVideoWindow : no Theora stream in empty"},
        {"text", "this is not an Ogg file at all", "TVideoWindow : no Theora stream in text"},
        {"first page only", clip.substr(0, 60), ""},
        {"cut in the headers", clip.substr(0, 400), "TVideoWindow : headers cut short in cut in the headers"},
        {"vorbis only", vorbisOnly, ""},
    };
    for (const TCase& c : cases) {
        TVideoWindow window;
        EXPECT_EQ(window.OpenBytes(c.what, c.bytes), 0.0f) << c.what;
        EXPECT_FALSE(window.mPlaying) << c.what;
        EXPECT_FALSE(window.Advance(0.5f)) << c.what;
        TTextureHandle texture = MakeMemoryTexture(4, 4);
        window.WriteFrameOpaque(texture, true);
        EXPECT_FALSE(window.mFrameWritten) << c.what;
        if (*c.logLine != '\0') {
            EXPECT_TRUE(harness::LogContains(c.logLine)) << c.what;
        }
    }
    TVideoWindow missing;
    EXPECT_EQ(missing.Open("videos/no_such_clip.ogv"), 0.0f);
    EXPECT_FALSE(missing.Advance(0));
}

// One window opened twice plays the second file from its start.
TEST(VideoWindowTest, SecondOpenStartsClean) {
    TVideoWindow window;
    ASSERT_GT(OpenClip(window, "alpha32.ogv"), 0.0f);
    window.Advance(0.55f);
    ASSERT_GT(OpenClip(window, "flat32.ogv"), 0.0f);
    EXPECT_EQ(window.GetFrameWidth(), 32u);
    ASSERT_TRUE(window.Advance(0));
    EXPECT_NEAR(window.mLastFrameTime, 0.1f, 1e-4);
    EXPECT_NEAR(CurrentGrey(window), FlatGrey(0), kTolerance);
}

} // namespace
