// Images: placement of the draw, loading by name, hit tests against the drawn shape, alpha fades and clipping.

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "app/missing_names.h"
#include "graphics/static_image.h"
#include "graphics/texture_cache.h"
#include "graphics_fixture.h"

namespace {

const float kQuarterTurn = static_cast<float>(std::numbers::pi / 2);

class StaticImageTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        // 4 x 2, red left half, green right half; and an 8 x 2 strip of two such frames, red then green.
        WriteImage("halves.png", 4, 2, [](int x, int) { return x < 2 ? kRed : kGreen; });
        WriteImage("strip.png", 8, 2, [](int x, int) { return x < 4 ? kRed : kGreen; });
        // 4 x 4 for hit tests: column 0 transparent, (3, 0) alpha 62, everything else opaque.
        WriteImage("hit.png", 4, 4, [](int x, int y) {
            if (x == 0) {
                return 0x00FFFFFFu;
            }
            return x == 3 && y == 0 ? 0x3EFFFFFFu : kWhite;
        });
    }
};

TEST_F(StaticImageTest, DrawPlacement) {
    struct Case {
        const char* what;
        const char* image;
        std::function<void(StaticImage&)> setup;
        std::vector<TProbe> probes;
    };
    const std::vector<Case> cases = {
        {"top-left corner on base position plus offset",
         "halves",
         [](StaticImage& i) {
             i.SetPosition(3, 5, false);
             i.mOffsetX = 1;
             i.mOffsetY = 1;
         },
         {{4, 6, kRedPixel}, {7, 7, kGreenPixel}, {3, 6, kBlack}, {8, 6, kBlack}, {4, 5, kBlack}}},
        {"centred on the base position",
         "halves",
         [](StaticImage& i) { i.SetPosition(10, 10, true); },
         {{8, 9, kRedPixel}, {11, 10, kGreenPixel}, {7, 9, kBlack}, {12, 10, kBlack}, {8, 8, kBlack}}},
        // The 4 x 2 image turned about its centre (10, 10) stands 2 wide and 4 high: red above, green below.
        {"centred images turn about their centre",
         "halves",
         [](StaticImage& i) {
             i.SetPosition(10, 10, true);
             i.mAngle = kQuarterTurn;
         },
         {{9, 8, kRedPixel},
          {10, 9, kRedPixel},
          {9, 10, kGreenPixel},
          {10, 11, kGreenPixel},
          {8, 10, kBlack},
          {11, 10, kBlack}}},
        {"centred frame of a strip",
         "strip",
         [](StaticImage& i) {
             i.SetPosition(10, 10, true);
             i.mRenderState.flags |= TRenderState::kSourceRect;
             i.mRenderState.srcX = 4;
             i.mRenderState.srcW = 4;
             i.mRenderState.srcH = 2;
         },
         {{8, 9, kGreenPixel}, {11, 10, kGreenPixel}, {7, 9, kBlack}, {12, 9, kBlack}}},
        {"custom centre lands on the base position",
         "halves",
         [](StaticImage& i) {
             i.SetPosition(10, 10, false);
             i.mCustomCentre = true;
             i.mRenderState.centreX = 1;
             i.mRenderState.centreY = 1;
             i.mRenderState.flags |= TRenderState::kCentre;
         },
         {{9, 9, kRedPixel}, {12, 10, kGreenPixel}, {8, 9, kBlack}, {9, 8, kBlack}}},
        {"scaled from the corner",
         "halves",
         [](StaticImage& i) {
             i.SetPosition(2, 2, false);
             i.SetScale(2);
         },
         {{2, 2, kRedPixel},
          {5, 5, kRedPixel},
          {6, 2, kGreenPixel},
          {9, 5, kGreenPixel},
          {10, 2, kBlack},
          {2, 6, kBlack}}},
        {"screen offset shifts every draw",
         "halves",
         [](StaticImage& i) {
             i.SetPosition(2, 2, false);
             gScreenOffset = {3, 1};
         },
         {{5, 3, kRedPixel}, {2, 2, kBlack}}},
        {"invisible",
         "halves",
         [](StaticImage& i) {
             i.SetPosition(2, 2, false);
             i.SetVisible(false);
         },
         {{2, 2, kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StaticImage image;
        image.SetImage(c.image);
        c.setup(image);
        BeginCanvas();
        image.Draw(1.0f);
        gScreenOffset = {};
        ExpectPixels(c.probes);
    }
}

TEST_F(StaticImageTest, ParentAlphaMultipliesTheImageAlpha) {
    WriteSolidImage("white.png", 2, 2, kWhite);
    StaticImage image;
    image.SetImage("white");
    image.mAlpha = 0.5f;
    BeginCanvas();
    image.Draw(0.5f);
    // Modulation 0.25 x 255 = 63.
    EXPECT_TRUE(NearColor(Pixel(0, 0), {63, 63, 63, 255}));
}

TEST_F(StaticImageTest, CentredSourceRectangleReportsItsCentre) {
    StaticImage image;
    image.mRenderState.srcW = 4;
    image.mRenderState.srcH = 2;
    image.SetPosition(10, 20, true);
    EXPECT_FLOAT_EQ(image.GetX(), 12);
    EXPECT_FLOAT_EQ(image.GetY(), 21);
    image.SetPosition(10, 20, false);
    EXPECT_FLOAT_EQ(image.GetX(), 10);
}

TEST_F(StaticImageTest, SetImageLoadsThePairFirstThenTheSingleImage) {
    WriteSolidImage("duo.jpg", 2, 2, 0xFF0000FFu);
    WriteSolidImage("duo.png", 2, 2, kRed);
    StaticImage pair;
    pair.SetImage("duo");
    ASSERT_TRUE(pair.mTexture);
    EXPECT_EQ(pair.mTexture->GetFilePath(), "assets/duo.jpg");

    StaticImage single;
    single.SetImage("halves");
    ASSERT_TRUE(single.mTexture);
    EXPECT_EQ(single.mTexture->GetFilePath(), "assets/halves.png");
    EXPECT_EQ(single.GetHeight(), 2);
    EXPECT_TRUE(GetMissingNames().empty()) << "a single image is not reported missing because it has no pair";

    // An empty name releases the texture and keeps the old name, so the image can be loaded again.
    WeakHandle<TTexture> watch(single.mTexture);
    single.SetImage("");
    EXPECT_FALSE(single.mTexture);
    EXPECT_EQ(single.mImageName, "halves");
    EXPECT_FALSE(watch.IsAlive());
    single.SetImage(single.mImageName);
    EXPECT_TRUE(single.mTexture);

    StaticImage copy;
    copy.CopyTexture(single);
    EXPECT_EQ(copy.mTexture.Get(), single.mTexture.Get());
    EXPECT_EQ(single.mTexture.UseCount(), 2);
    EXPECT_TRUE(copy.mImageName.empty());

    StaticImage missing;
    missing.SetImage("nowhere");
    EXPECT_FALSE(missing.mTexture);
    EXPECT_EQ(missing.GetHeight(), 0);
    missing.Draw(1.0f);
    EXPECT_TRUE(harness::LogContains("image not found nowhere"));
}

TEST_F(StaticImageTest, HitTestFollowsTheDrawnShape) {
    struct Point {
        int x;
        int y;
        bool hit;
    };
    struct Case {
        const char* what;
        const char* image;
        std::function<void(StaticImage&)> setup;
        std::vector<Point> points;
    };
    const std::vector<Case> cases = {
        {"plain",
         "hit",
         [](StaticImage& i) { i.SetPosition(10, 10, false); },
         {{11, 10, true},
          {10, 10, false},
          {13, 10, false},
          {13, 11, true},
          {14, 11, false},
          {11, 14, false},
          {11, 9, false}}},
        {"centred",
         "hit",
         [](StaticImage& i) { i.SetPosition(10, 10, true); },
         {{9, 8, true}, {8, 8, false}, {11, 8, false}, {11, 9, true}, {12, 9, false}, {9, 12, false}}},
        {"scaled",
         "hit",
         [](StaticImage& i) {
             i.SetPosition(0, 0, false);
             i.SetScale(2);
         },
         {{2, 0, true}, {1, 0, false}, {7, 1, false}, {7, 2, true}, {8, 2, false}, {2, 7, true}, {2, 8, false}}},
        // Turned a quarter about its centre (10, 10): texel (x, y) shows at pixel (11 - y, 8 + x).
        {"turned about its centre",
         "hit",
         [](StaticImage& i) {
             i.SetPosition(10, 10, true);
             i.mAngle = kQuarterTurn;
         },
         {{10, 8, false}, {10, 9, true}, {11, 11, false}, {10, 11, true}, {12, 9, false}, {8, 9, true}, {7, 9, false}}},
        {"flipped",
         "hit",
         [](StaticImage& i) {
             i.SetPosition(10, 10, false);
             i.mRenderState.flags |= TRenderState::kFlipHorizontal;
         },
         {{10, 10, false}, {10, 11, true}, {13, 11, false}, {12, 10, true}}},
        // The second frame of the strip is drawn centred on (10, 10); it is hit where it is drawn and its
        // own pixels decide (the first frame is transparent here).
        {"centred frame of a strip",
         "frames",
         [](StaticImage& i) {
             i.SetPosition(10, 10, true);
             i.mRenderState.flags |= TRenderState::kSourceRect;
             i.mRenderState.srcX = 4;
             i.mRenderState.srcW = 4;
             i.mRenderState.srcH = 4;
         },
         {{8, 8, true}, {11, 11, true}, {12, 8, false}, {7, 8, false}, {8, 12, false}}},
    };
    WriteImage("frames.png", 8, 4, [](int x, int) { return x < 4 ? 0x00000000u : kWhite; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StaticImage image;
        image.SetImage(c.image);
        c.setup(image);
        for (const Point& p : c.points) {
            EXPECT_EQ(image.HitTest(p.x, p.y), p.hit) << "at " << p.x << ", " << p.y;
        }
    }
}

// Wherever the image shows, it is hit, and nowhere else: drawn pixels and hit tests agree over the canvas.
// (Even sizes keep every drawn edge on a pixel edge, where the renderer's coverage is not a matter of rounding.)
TEST_F(StaticImageTest, HitTestAgreesWithTheDrawnPixels) {
    WriteImage("shape.png", 6, 4, [](int x, int y) { return x == 0 || (x == 5 && y == 3) ? 0u : kWhite; });
    const std::vector<std::function<void(StaticImage&)>> setups = {
        [](StaticImage& i) { i.SetPosition(6, 7, false); },
        [](StaticImage& i) { i.SetPosition(15, 15, true); },
        [](StaticImage& i) {
            i.SetPosition(15, 15, true);
            i.mAngle = -kQuarterTurn;
        },
        [](StaticImage& i) {
            i.SetPosition(15, 15, true);
            i.mAngle = 2 * kQuarterTurn;
            i.SetScaleXY(2, 3);
        },
        [](StaticImage& i) {
            i.SetPosition(4, 4, false);
            i.mRenderState.flags |= TRenderState::kFlipVertical | TRenderState::kFlipHorizontal;
            i.SetScale(3);
        },
    };
    for (size_t n = 0; n < setups.size(); ++n) {
        SCOPED_TRACE(n);
        StaticImage image;
        image.SetImage("shape");
        setups[n](image);
        BeginCanvas();
        image.Draw(1.0f);
        int mismatches = 0;
        for (int y = 0; y < kCanvasSize; ++y) {
            for (int x = 0; x < kCanvasSize; ++x) {
                const bool drawn = Pixel(x, y).r > 128;
                mismatches += drawn != image.HitTest(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(StaticImageTest, AlphaFadeAfterADelay) {
    struct Listener : AlphaStaticImageListener {
        int delayOver = 0;
        void OnDelayOver() override { ++delayOver; }
    };
    Listener listener;
    AlphaStaticImage image;
    image.mListener = &listener;
    image.mDelay = 1.0f;
    image.FadeAlpha(0, 1, 2);
    // Two updates use up the delay (the second does not advance the fade), four more run it.
    const float alphas[6] = {0, 0, 0.25f, 0.5f, 0.75f, 1};
    for (int i = 0; i < 6; ++i) {
        const bool finished = image.Update(0.5f);
        EXPECT_EQ(finished, i == 5) << "update " << i;
        EXPECT_FLOAT_EQ(image.mAlpha, alphas[i]) << "update " << i;
        EXPECT_EQ(listener.delayOver, i >= 1 ? 1 : 0) << "update " << i;
    }
    image.SetAlpha(0.3f);
    EXPECT_FLOAT_EQ(image.mAlpha, 0.3f);
    EXPECT_TRUE(image.IsFinished());
    EXPECT_TRUE(image.Update(0.5f));
    EXPECT_FLOAT_EQ(image.mAlpha, 0.3f);
}

TEST_F(StaticImageTest, PingPongBouncesUntilTheListenerStopsIt) {
    struct Listener : AlphaStaticImageListener {
        int legs = 0;
        int stopAfter = 1000;
        bool OnFadeDone(float) override { return ++legs >= stopAfter; }
    };
    Listener listener;
    AlphaStaticImage image;
    image.mListener = &listener;
    image.mMode = AlphaStaticImage::kPingPong;
    image.FadeAlpha(0, 1, 1);
    const float alphas[6] = {0.5f, 1, 0.5f, 0, 0.5f, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(image.Update(0.5f)) << "update " << i;
        EXPECT_FLOAT_EQ(image.mAlpha, alphas[i]) << "update " << i;
    }
    EXPECT_EQ(listener.legs, 3);
    listener.stopAfter = 4;
    EXPECT_FALSE(image.Update(0.5f));
    EXPECT_TRUE(image.Update(0.5f));
    EXPECT_FLOAT_EQ(image.mAlpha, 0);
}

TEST_F(StaticImageTest, ClippingImage) {
    WriteSolidImage("white.png", 8, 8, kWhite);
    struct Case {
        int clip[4];
        std::vector<TProbe> probes;
    };
    const std::vector<Case> cases = {
        {{2, 2, 3, 3}, {{2, 2, kWhitePixel}, {4, 4, kWhitePixel}, {5, 5, kBlack}, {1, 1, kBlack}, {4, 5, kBlack}}},
        {{0, 0, 0, 0}, {{0, 0, kWhitePixel}, {7, 7, kWhitePixel}}},
    };
    for (const Case& c : cases) {
        TClippingImage image;
        image.SetImage("white");
        image.mAlpha = 1;
        image.mClipX = c.clip[0];
        image.mClipY = c.clip[1];
        image.mClipW = c.clip[2];
        image.mClipH = c.clip[3];
        BeginCanvas();
        image.DrawClipped();
        EXPECT_FALSE(SDL_RenderIsClipEnabled(GetSDLRenderer())) << "the clip is removed after the draw";
        ExpectPixels(c.probes);
    }
}

} // namespace
