// A large picture of one colour throughout is kept as a strip of its rows: every way it is drawn must put
// down the pixels of the whole picture's draw, and only such pictures are kept so.

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/render_copy.h"
#include "graphics/render_state.h"
#include "graphics/texture.h"
#include "graphics/texture_cache.h"
#include "graphics_fixture.h"

namespace {

// Large enough to be kept as a strip: 640 x 560 at three bytes a pixel is over a megabyte.
constexpr int kPictureW = 640;
constexpr int kPictureH = 560;
constexpr int kOutput = 720;
constexpr TRgba kShadow{0, 0, 0, 255};
constexpr TRgba kTeal{20, 140, 130, 255};

class TextureStripTest : public GraphicsTest {
protected:
    void TearDown() override {
        if (mOutput != nullptr) {
            SDL_SetRenderTarget(GetSDLRenderer(), nullptr);
            SDL_DestroyTexture(mOutput);
        }
        GraphicsTest::TearDown();
    }

    // An output with a pattern to blend over, at a render scale, with an optional viewport and clip.
    void BeginOutput(float renderScale, const SDL_Rect* viewport, const SDL_Rect* clip) {
        SDL_Renderer* renderer = GetSDLRenderer();
        if (mOutput == nullptr) {
            mOutput = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET, kOutput, kOutput);
            ASSERT_NE(mOutput, nullptr) << SDL_GetError();
        }
        SDL_SetRenderTarget(renderer, mOutput);
        SDL_RenderSetViewport(renderer, nullptr);
        SDL_RenderSetClipRect(renderer, nullptr);
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        for (int band = 0; band < kOutput; band += 10) {
            SDL_SetRenderDrawColor(renderer, static_cast<Uint8>(band % 256), static_cast<Uint8>(255 - band % 256), 90,
                                   255);
            const SDL_Rect row{0, band, kOutput, 10};
            SDL_RenderFillRect(renderer, &row);
        }
        SDL_RenderSetScale(renderer, renderScale, renderScale);
        SDL_RenderSetViewport(renderer, viewport);
        SDL_RenderSetClipRect(renderer, clip);
    }

    std::vector<uint32_t> ReadOutput() {
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_RenderSetViewport(renderer, nullptr);
        SDL_RenderSetClipRect(renderer, nullptr);
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        std::vector<uint32_t> pixels(static_cast<size_t>(kOutput) * kOutput);
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), kOutput * 4), 0);
        return pixels;
    }

    SDL_Texture* mOutput = nullptr;
};

// The whole picture as a texture of its own, made as the loader makes one from the decoded file.
SDL_Texture* WholePicture(const TRgba& color) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kPictureW, kPictureH, 24, SDL_PIXELFORMAT_RGB24);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_FillRect(surface, nullptr,
                 SDL_MapRGB(surface->format, static_cast<Uint8>(color.r), static_cast<Uint8>(color.g),
                            static_cast<Uint8>(color.b)));
    SDL_Texture* texture = SDL_CreateTextureFromSurface(GetSDLRenderer(), surface);
    SDL_FreeSurface(surface);
    return texture;
}

TEST_F(TextureStripTest, APictureOfOneColourIsKeptAsAStripAndAnyOtherWhole) {
    WriteRgbImage("shadow.png", kPictureW, kPictureH, kShadow);
    WriteImage("dotted.png", kPictureW, kPictureH,
               [](int x, int y) { return x == kPictureW - 1 && y == kPictureH - 1 ? 0xFF010000u : 0xFF000000u; });
    WriteRgbImage("small.png", 300, 200, kShadow);
    struct Case {
        const char* name;
        int width;
        int height;
        bool strip;
    };
    const Case cases[] = {
        {"shadow", kPictureW, kPictureH, true},
        // One pixel of another colour in the last row.
        {"dotted", kPictureW, kPictureH, false},
        // Too small for a strip to matter.
        {"small", 300, 200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTextureHandle picture = GetTexture(c.name);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->GetWidth(), c.width);
        EXPECT_EQ(picture->GetHeight(), c.height);
        int texelsW = 0, texelsH = 0;
        ASSERT_EQ(SDL_QueryTexture(picture->GetSDLTexture(), nullptr, nullptr, &texelsW, &texelsH), 0);
        EXPECT_EQ(texelsW, c.width);
        EXPECT_EQ(c.strip, texelsH < c.height) << "texture rows " << texelsH;
    }
}

TEST_F(TextureStripTest, BlittingFromTheStripCopiesTheColourOverTheWholeRectangle) {
    WriteRgbImage("teal.png", kPictureW, kPictureH, kTeal);
    TTextureHandle picture = GetTexture("teal");
    ASSERT_TRUE(picture);
    struct Case {
        const char* what;
        SDL_Rect from; // left, top, right, bottom of the picture
        bool copied;
    };
    const Case cases[] = {
        {"the top rows", {0, 0, 200, 20}, true},
        {"rows far below the strip's", {100, 500, 400, 560}, true},
        {"taller than the strip", {10, 40, 90, 300}, true},
        {"beyond the picture", {kPictureW + 10, 0, kPictureW + 50, 40}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTextureHandle target = CreateBlankTexture(320, 320, TTexture::kAccessTarget);
        ASSERT_TRUE(target);
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_SetRenderTarget(renderer, target->GetSDLTexture());
        SDL_SetRenderDrawColor(renderer, 255, 0, 255, 255);
        SDL_RenderClear(renderer);
        SDL_SetRenderTarget(renderer, nullptr);
        target->Blit(5, 7, c.from.x, c.from.y, c.from.w, c.from.h, picture);
        SDL_SetRenderTarget(renderer, target->GetSDLTexture());
        std::vector<uint32_t> pixels(320 * 320);
        ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), 320 * 4), 0);
        SDL_SetRenderTarget(renderer, nullptr);
        const int width = std::min(c.from.w - c.from.x, 320 - 5);
        const int height = std::min(c.from.h - c.from.y, 320 - 7);
        size_t teal = 0, wrong = 0;
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 320; ++x) {
                const bool inside = c.copied && x >= 5 && x < 5 + width && y >= 7 && y < 7 + height;
                const uint32_t want = inside ? 0xFF148C82u : 0xFFFF00FFu;
                const uint32_t got = pixels[static_cast<size_t>(y) * 320 + static_cast<size_t>(x)];
                teal += got == 0xFF148C82u ? 1 : 0;
                wrong += got != want ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0u);
        EXPECT_EQ(teal, c.copied ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0u);
    }
}

TEST_F(TextureStripTest, EveryDrawOfTheStripPutsDownTheWholePicturesPixels) {
    WriteRgbImage("shadow.png", kPictureW, kPictureH, kShadow);
    WriteRgbImage("teal.png", kPictureW, kPictureH, kTeal);
    const SDL_Rect viewport{23, 11, 600, 650};
    const SDL_Rect clip{40, 35, 300, 420};
    struct Case {
        const char* what;
        const char* name;
        float x;
        float y;
        float alpha;
        float scaleX;
        float scaleY;
        float renderScale;
        float angle;
        int flags;
        int blend;
        const SDL_Rect* viewport;
        const SDL_Rect* clip;
    };
    constexpr int kAlpha = TRenderState::kBlendAlpha;
    constexpr int kAdd = TRenderState::kBlendAdd;
    constexpr int kSource = TRenderState::kSourceRect;
    const Case cases[] = {
        {"the fader at full cover", "shadow", 0, 0, 1.0f, 1, 1, 1, 0, 0, kAlpha, nullptr, nullptr},
        {"a dialog's shadow", "shadow", 0, 0, 0.6f, 1, 1, 1, 0, 0, kAlpha, nullptr, nullptr},
        {"at fractional pixels", "shadow", 10.5f, 7.25f, 0.6f, 1, 1, 1, 0, 0, kAlpha, nullptr, nullptr},
        {"above and left of the output", "shadow", -20.5f, -3.5f, 0.45f, 1, 1, 1, 0, 0, kAlpha, nullptr, nullptr},
        {"past the bottom", "teal", 30, 400, 0.8f, 1, 1, 1, 0, 0, kAlpha, nullptr, nullptr},
        {"in a moved viewport", "shadow", 5, 9, 0.6f, 1, 1, 1, 0, 0, kAlpha, &viewport, nullptr},
        {"clipped", "teal", 12, 14, 0.7f, 1, 1, 1, 0, 0, kAlpha, nullptr, &clip},
        {"added", "teal", 4, 6, 0.5f, 1, 1, 1, 0, 0, kAdd, nullptr, nullptr},
        {"a part of it", "teal", 15, 25, 0.6f, 1, 1, 1, 0, kSource, kAlpha, nullptr, nullptr},
        {"at a scaled output", "shadow", 0, 0, 0.6f, 1, 1, 0.75f, 0, 0, kAlpha, nullptr, nullptr},
        {"at a scaled output, opaque", "teal", 3.5f, 2, 1.0f, 1, 1, 0.75f, 0, 0, kAlpha, nullptr, nullptr},
        {"at a scaled output in a viewport", "shadow", 7, 3, 0.6f, 1, 1, 0.75f, 0, 0, kAlpha, &viewport, &clip},
        {"scaled up over the output's edge", "teal", -40, -30, 0.6f, 1.3f, 1.2f, 1, 0, 0, kAlpha, nullptr, nullptr},
        {"scaled down", "teal", 30, 20, 0.6f, 0.5f, 0.5f, 1, 0, 0, kAlpha, nullptr, nullptr},
        // The whole picture lands on exactly as many rows as the strip holds.
        {"squeezed to the strip's height", "teal", 30, 20, 0.6f, 1, 32.0f / kPictureH, 1, 0, 0, kAlpha, nullptr,
         nullptr},
        {"scaled back to its own size", "teal", 0, 0, 0.6f, 4.0f / 3.0f, 4.0f / 3.0f, 0.75f, 0, 0, kAlpha, nullptr,
         nullptr},
        {"turned", "teal", 200, 150, 0.6f, 0.5f, 0.5f, 1, 0.4f, 0, kAlpha, nullptr, nullptr},
        {"flipped", "teal", 10, 10, 0.6f, 1, 1, 1, 0, TRenderState::kFlipHorizontal, kAlpha, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TRgba color = std::string(c.name) == "shadow" ? kShadow : kTeal;
        TTextureHandle picture = GetTexture(c.name);
        ASSERT_TRUE(picture);
        TRenderState state;
        state.Init(c.x, c.y, c.alpha, 1.0f, c.flags);
        state.SetScale(c.scaleX, c.scaleY);
        state.SetTranslation(c.x, c.y);
        state.angle = c.angle;
        state.blend = c.blend;
        state.color.r = 0.9f;
        state.srcX = 100;
        state.srcY = 60;
        state.srcW = 300;
        state.srcH = 240;
        BeginOutput(c.renderScale, c.viewport, c.clip);
        picture->Draw(state);
        const std::vector<uint32_t> drawn = ReadOutput();

        // The whole picture drawn the way the texture draws a picture with no shortcut to take, with the
        // modes the draw left on the strip.
        SDL_Texture* whole = WholePicture(color);
        ASSERT_NE(whole, nullptr) << SDL_GetError();
        CopyDrawModes(picture->GetSDLTexture(), whole);
        const TFloatRect source =
            (c.flags & kSource) != 0 ? TFloatRect{100, 60, 300, 240} : TFloatRect{0, 0, kPictureW, kPictureH};
        BeginOutput(c.renderScale, c.viewport, c.clip);
        RenderCopyExFloat(GetSDLRenderer(), whole, source, c.x, c.y, c.scaleX, c.scaleY, c.angle, 0, 0,
                          c.flags & (TRenderState::kFlipHorizontal | TRenderState::kFlipVertical));
        const std::vector<uint32_t> expected = ReadOutput();
        SDL_DestroyTexture(whole);

        size_t differing = 0, touched = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            differing += drawn[i] != expected[i] ? 1 : 0;
        }
        BeginOutput(1.0f, nullptr, nullptr);
        const std::vector<uint32_t> untouched = ReadOutput();
        for (size_t i = 0; i < expected.size(); ++i) {
            touched += expected[i] != untouched[i] ? 1 : 0;
        }
        EXPECT_EQ(differing, 0u);
        // The case draws something, so equal outputs say something.
        EXPECT_GT(touched, 1000u);
    }
}

} // namespace
