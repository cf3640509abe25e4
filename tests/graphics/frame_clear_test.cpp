// The frame's clear put off to its first draw: left out only when that draw covers the picture opaquely,
// and in no case does a pixel of what the output held before the frame survive it.

#include <algorithm>
#include <functional>
#include <vector>

#include "app/frame_clear.h"
#include "graphics/render_state.h"
#include "graphics/texture.h"
#include "graphics/texture_cache.h"
#include "graphics_fixture.h"

namespace {

constexpr int kOutput = 64;
const TRgba kMagenta{255, 0, 255, 255};
const TRgba kBluePicture{0, 0, 200, 255};

class FrameClearTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteRgbImage("opaque.png", kOutput, kOutput, kBluePicture);
        WriteRgbImage("wide.png", 2 * kOutput, kOutput, kBluePicture);
        WriteSolidImage("translucent.png", kOutput, kOutput, 0x800000C8u);
        // Opaque but for a box of half-transparent pixels, as the screens' backgrounds are.
        WriteImage("holed.png", kOutput, kOutput,
                   [](int x, int y) { return x >= 8 && x < 16 && y >= 4 && y < 12 ? 0x800000C8u : 0xFF0000C8u; });
    }

    void TearDown() override {
        SetDrawShortcuts(true);
        GraphicsTest::TearDown();
    }

    static void Draw(const char* name, float x, float y, float alpha = 1.0f) {
        TRenderState state;
        state.Init(x, y, alpha, 1.0f, 0);
        GetTexture(name)->Draw(state);
    }

    // The whole output, filled with a colour no case draws, as an earlier frame or mode might leave it.
    static void FillOutputWithLeftovers() {
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_SetRenderTarget(renderer, nullptr);
        SDL_RenderSetViewport(renderer, nullptr);
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        SDL_SetRenderDrawColor(renderer, 255, 0, 255, 255);
        SDL_RenderClear(renderer);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    }

    static int LeftoverPixels() {
        std::vector<uint32_t> pixels(kOutput * kOutput);
        EXPECT_EQ(SDL_RenderReadPixels(GetSDLRenderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), kOutput * 4),
                  0);
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), 0xFFFF00FFu));
    }
};

TEST_F(FrameClearTest, NothingOfTheLastFrameSurvivesAndTheClearGoesOnlyUnderAnOpaqueCover) {
    const TFrameArea whole{0, 0, kOutput, kOutput, 1.0f, 1.0f};
    // A design twice as wide as high on the square output: scale 0.5, bars above and below the picture.
    const TFrameArea barred{0, 16, kOutput, 32, 0.5f, 0.5f};
    const auto barredState = [] {
        SDL_RenderSetScale(GetSDLRenderer(), 0.5f, 0.5f);
        const SDL_Rect viewport{0, 32, 2 * kOutput, kOutput};
        SDL_RenderSetViewport(GetSDLRenderer(), &viewport);
    };
    struct Case {
        const char* what;
        TFrameArea area;
        bool shortcuts;
        std::function<void()> frame;
        bool skipped;
        std::vector<TProbe> probes;
    };
    const TRgba black = kBlack;
    const Case cases[] = {
        {"an opaque picture over the whole output",
         whole,
         true,
         [] { Draw("opaque", 0, 0); },
         true,
         {{0, 0, kBluePicture}, {63, 63, kBluePicture}}},
        {"the same, drawn the plain way",
         whole,
         false,
         [] { Draw("opaque", 0, 0); },
         false,
         {{0, 0, kBluePicture}, {63, 63, kBluePicture}}},
        {"an opaque picture one pixel short",
         whole,
         true,
         [] { Draw("opaque", 1, 0); },
         false,
         {{0, 0, black}, {1, 0, kBluePicture}}},
        {"an opaque picture at half alpha",
         whole,
         true,
         [] { Draw("opaque", 0, 0, 0.5f); },
         false,
         {{0, 0, {0, 0, 100, 255}}}},
        {"a picture with translucent pixels",
         whole,
         true,
         [] { Draw("translucent", 0, 0); },
         false,
         {{0, 0, {0, 0, 100, 255}}}},
        {"a picture opaque but for a box: the box blended over black",
         whole,
         true,
         [] { Draw("holed", 0, 0); },
         true,
         {{0, 0, kBluePicture}, {8, 4, {0, 0, 100, 255}}, {15, 11, {0, 0, 100, 255}}, {16, 11, kBluePicture}}},
        {"the same, drawn the plain way",
         whole,
         false,
         [] { Draw("holed", 0, 0); },
         false,
         {{0, 0, kBluePicture}, {8, 4, {0, 0, 100, 255}}, {15, 11, {0, 0, 100, 255}}, {16, 11, kBluePicture}}},
        {"the same picture one pixel short",
         whole,
         true,
         [] { Draw("holed", 0, 1); },
         false,
         {{0, 0, black}, {8, 5, {0, 0, 100, 255}}, {0, 1, kBluePicture}}},
        {"a fill first, in its own colour only",
         whole,
         true,
         [] {
             GetRenderer()->FillRect(0, 0, 8, 8, TColor{1, 0, 0, 1});
         },
         false,
         {{0, 0, kRedPixel}, {20, 20, black}}},
        {"a draw into a texture first, then a partial one on the output",
         whole,
         true,
         [] {
             TTextureHandle target = CreateBlankTexture(8, 8, TTexture::kAccessTarget);
             SDL_SetRenderTarget(GetSDLRenderer(), target->GetSDLTexture());
             Draw("opaque", 0, 0);
             SDL_SetRenderTarget(GetSDLRenderer(), nullptr);
             Draw("opaque", 32, 0);
         },
         false,
         {{0, 0, black}, {32, 0, kBluePicture}}},
        {"nothing drawn", whole, true, [] {}, false, {{0, 0, black}, {63, 63, black}}},
        {"an opaque picture over the picture area, bars around it",
         barred,
         true,
         [&] {
             barredState();
             Draw("wide", 0, 0);
         },
         true,
         {{0, 0, black}, {63, 15, black}, {0, 16, kBluePicture}, {63, 47, kBluePicture}, {0, 48, black}}},
        {"a picture short of the picture area, bars around it",
         barred,
         true,
         [&] {
             barredState();
             Draw("opaque", 0, 0);
         },
         false,
         {{0, 0, black}, {0, 16, kBluePicture}, {31, 47, kBluePicture}, {32, 16, black}, {0, 48, black}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FillOutputWithLeftovers();
        SetDrawShortcuts(c.shortcuts);
        BeginFrameClear(c.area);
        c.frame();
        FinishFrameClear();
        EXPECT_EQ(WasFrameClearSkipped(), c.skipped);
        SDL_RenderSetViewport(GetSDLRenderer(), nullptr);
        SDL_RenderSetScale(GetSDLRenderer(), 1.0f, 1.0f);
        EXPECT_EQ(LeftoverPixels(), 0);
        ExpectPixels(c.probes);
    }
}

} // namespace
