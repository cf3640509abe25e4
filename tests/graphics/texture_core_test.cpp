// Pictures opaque inside a rectangle and clear outside it are drawn by copying the rectangle alone,
// pictures with a clear middle by blending the bands around it, pictures clear outside a box by
// blending the box, and scaled pictures over a target's edge from their kept scaled copy: the pixels
// must be those of the blended draw, and pictures of any other shape keep the blended draw.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/frame_clear.h"
#include "graphics/render_state.h"
#include "graphics/texture.h"
#include "graphics/texture_cache.h"
#include "graphics/texture_opaque.h"
#include "graphics_fixture.h"

namespace {

// Clear pixels carry a colour of their own, which shows wherever one is copied instead of blended.
constexpr uint32_t kClearMagenta = 0x00FF00FFu;
constexpr uint32_t kSoft = 0x80FF00FFu;

uint32_t Opaque(int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 16) << 16 | static_cast<uint32_t>(y * 16) << 8 | 0x40u;
}

class TextureCoreTest : public GraphicsTest {
protected:
    void TearDown() override {
        SetDrawShortcuts(true);
        GraphicsTest::TearDown();
    }

    // The canvas after one draw of the picture over a pattern, and the output pixels the draw blended.
    std::vector<uint32_t> DrawOnce(TTexture& picture, float x, float y, float alpha, float scale, double& blended) {
        BeginCanvas({30, 60, 90, 255});
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_SetRenderDrawColor(renderer, 200, 180, 20, 255);
        const SDL_Rect stripe{0, 10, kCanvasSize, 5};
        SDL_RenderFillRect(renderer, &stripe);
        GetDrawCounts() = TDrawCounts();
        TRenderState state;
        state.Init(x, y, alpha, scale, 0);
        picture.Draw(state);
        blended = GetDrawCounts().blendedPixels;
        std::vector<uint32_t> pixels(kCanvasSize * kCanvasSize);
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), kCanvasSize * 4), 0);
        return pixels;
    }

    // The picture drawn once without the drawing shortcuts and once with them: the pixels that differ,
    // and the pixels each draw blended.
    size_t DrawBothWays(TTexture& picture, float x, float y, float alpha, float scale, double& plainBlended,
                        double& blended) {
        SetDrawShortcuts(false);
        const std::vector<uint32_t> plain = DrawOnce(picture, x, y, alpha, scale, plainBlended);
        SetDrawShortcuts(true);
        const std::vector<uint32_t> drawn = DrawOnce(picture, x, y, alpha, scale, blended);
        size_t differing = 0;
        for (size_t i = 0; i < plain.size(); ++i) {
            differing += plain[i] != drawn[i] ? 1 : 0;
        }
        return differing;
    }

    size_t DrawBothWays(const std::string& name, float x, float y, float alpha, float scale, double& plainBlended,
                        double& blended) {
        return DrawBothWays(*GetTexture(name), x, y, alpha, scale, plainBlended, blended);
    }
};

TEST_F(TextureCoreTest, AnOpaqueRectangleInAClearPictureIsCopiedAloneToTheBlendedPixels) {
    // A tile: a clear margin of 2 around an opaque 12 x 12.
    WriteImage("tile.png", 16, 16,
               [](int x, int y) { return x >= 2 && x < 14 && y >= 2 && y < 14 ? Opaque(x, y) : kClearMagenta; });
    // The same with one half-clear pixel in its margin.
    WriteImage("soft.png", 16, 16, [](int x, int y) {
        return x == 0 && y == 0 ? kSoft : x >= 2 && x < 14 && y >= 2 && y < 14 ? Opaque(x, y) : kClearMagenta;
    });
    // Opaque up to the picture's left edge.
    WriteImage("half.png", 16, 16, [](int x, int y) { return x < 8 ? Opaque(x, y) : kClearMagenta; });
    // Two opaque blocks: their bounding rectangle holds clear pixels.
    WriteImage("two.png", 16, 16, [](int x, int y) { return (x < 4 || x >= 12) ? Opaque(x, y) : kClearMagenta; });

    struct Case {
        const char* what;
        const char* name;
        SDL_Rect core;
        float x;
        float y;
        float alpha;
        float scale;
        bool copied;
    };
    const Case cases[] = {
        {"a tile at whole pixels", "tile", {2, 2, 12, 12}, 5, 7, 1.0f, 1.0f, true},
        {"a tile partly off the canvas", "tile", {2, 2, 12, 12}, 24, -3, 1.0f, 1.0f, true},
        {"a tile at half alpha", "tile", {2, 2, 12, 12}, 5, 7, 0.5f, 1.0f, false},
        {"a tile scaled", "tile", {2, 2, 12, 12}, 5, 7, 1.0f, 1.5f, false},
        {"a tile between pixels", "tile", {2, 2, 12, 12}, 5.5f, 7, 1.0f, 1.0f, false},
        {"a tile with a soft pixel", "soft", {0, 0, 0, 0}, 5, 7, 1.0f, 1.0f, false},
        {"opaque up to an edge", "half", {0, 0, 8, 16}, 5, 7, 1.0f, 1.0f, true},
        {"two opaque blocks", "two", {0, 0, 0, 0}, 5, 7, 1.0f, 1.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SDL_Rect core{};
        const bool known = GetOpaqueCore(GetTexture(c.name)->GetSDLTexture(), core);
        EXPECT_EQ(known, !SDL_RectEmpty(&c.core));
        if (known) {
            EXPECT_TRUE(SDL_RectEquals(&core, &c.core)) << core.x << ", " << core.y << ", " << core.w << ", " << core.h;
        }
        double plainBlended = 0;
        double blended = 0;
        EXPECT_EQ(DrawBothWays(c.name, c.x, c.y, c.alpha, c.scale, plainBlended, blended), 0u);
        EXPECT_GT(plainBlended, 0.0);
        EXPECT_EQ(blended == 0.0, c.copied) << blended;
    }
}

TEST_F(TextureCoreTest, APictureWithAClearMiddleIsDrawnAroundItToTheBlendedPixels) {
    // A frame: a band of 2 of every alpha around a clear 12 x 12 middle.
    const auto frame = [](int x, int y) {
        const bool band = x < 2 || x >= 14 || y < 2 || y >= 14;
        return band ? (static_cast<uint32_t>(40 + x * 12 + y) << 24) | (Opaque(x, y) & 0x00FFFFFFu) : kClearMagenta;
    };
    WriteImage("frame.png", 16, 16, frame);
    // The same with one pixel in its middle not clear.
    WriteImage("dotted.png", 16, 16, [frame](int x, int y) { return x == 8 && y == 9 ? kSoft : frame(x, y); });
    // Its clear part too small to be worth the bands.
    WriteImage("thick.png", 16, 16,
               [](int x, int y) { return x < 5 || x >= 11 || y < 5 || y >= 11 ? kSoft : kClearMagenta; });

    struct Case {
        const char* what;
        const char* name;
        SDL_Rect hole;
        float x;
        float y;
        float alpha;
        float scale;
        bool aroundHole;
    };
    const Case cases[] = {
        {"a frame at whole pixels", "frame", {2, 2, 12, 12}, 5, 7, 1.0f, 1.0f, true},
        {"a frame at half alpha", "frame", {2, 2, 12, 12}, 5, 7, 0.5f, 1.0f, true},
        {"a frame partly off the canvas", "frame", {2, 2, 12, 12}, 24, -3, 1.0f, 1.0f, true},
        {"a frame scaled", "frame", {2, 2, 12, 12}, 5, 7, 1.0f, 1.5f, false},
        {"a frame between pixels", "frame", {2, 2, 12, 12}, 5.5f, 7, 1.0f, 1.0f, false},
        {"a middle cut by one pixel", "dotted", {0, 0, 0, 0}, 5, 7, 1.0f, 1.0f, false},
        {"a small middle", "thick", {0, 0, 0, 0}, 5, 7, 1.0f, 1.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SDL_Rect hole{};
        const bool known = GetClearHole(GetTexture(c.name)->GetSDLTexture(), hole);
        EXPECT_EQ(known, !SDL_RectEmpty(&c.hole));
        if (known) {
            EXPECT_TRUE(SDL_RectEquals(&hole, &c.hole)) << hole.x << ", " << hole.y << ", " << hole.w << ", " << hole.h;
        }
        double plainBlended = 0;
        double blended = 0;
        EXPECT_EQ(DrawBothWays(c.name, c.x, c.y, c.alpha, c.scale, plainBlended, blended), 0u);
        // The bands blend the picture less its middle.
        EXPECT_EQ(blended < plainBlended, c.aroundHole) << blended << " against " << plainBlended;
    }
}

TEST_F(TextureCoreTest, APictureClearOutsideABoxIsDrawnAsTheBoxToTheBlendedPixels) {
    // A cloud: soft pixels of every alpha in a 6 x 4 box of a 16 x 12 strip, clear around it.
    const auto cloud = [](int x, int y) {
        const bool inside = x >= 5 && x < 11 && y >= 3 && y < 7;
        return inside ? (static_cast<uint32_t>(30 + x * 20 + y * 3) << 24) | (Opaque(x, y) & 0x00FFFFFFu)
                      : kClearMagenta;
    };
    WriteImage("cloud.png", 16, 12, cloud);
    // Visible pixels in two opposite corners as well: the box is the whole picture.
    WriteImage("spread.png", 16, 12,
               [cloud](int x, int y) { return (x == 0 && y == 0) || (x == 15 && y == 11) ? kSoft : cloud(x, y); });

    struct Case {
        const char* what;
        const char* name;
        SDL_Rect box;
        float x;
        float y;
        float alpha;
        float scale;
        bool boxAlone;
    };
    const Case cases[] = {
        {"a cloud at whole pixels", "cloud", {5, 3, 6, 4}, 5, 7, 1.0f, 1.0f, true},
        {"a cloud between pixels", "cloud", {5, 3, 6, 4}, 5.7f, 7.25f, 1.0f, 1.0f, true},
        {"a cloud left of the canvas, its box on it", "cloud", {5, 3, 6, 4}, -3.5f, -1.6f, 1.0f, 1.0f, true},
        {"a cloud far left, its box across the edge", "cloud", {5, 3, 6, 4}, -7.3f, 2.0f, 1.0f, 1.0f, true},
        {"a cloud at half alpha", "cloud", {5, 3, 6, 4}, 5.5f, 7, 0.5f, 1.0f, true},
        {"a cloud scaled", "cloud", {5, 3, 6, 4}, 5, 7, 1.0f, 1.5f, false},
        {"visible pixels in the corners", "spread", {0, 0, 0, 0}, 5, 7, 1.0f, 1.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SDL_Rect box{};
        const bool known = GetVisibleBox(GetTexture(c.name)->GetSDLTexture(), box);
        EXPECT_EQ(known, !SDL_RectEmpty(&c.box));
        if (known) {
            EXPECT_TRUE(SDL_RectEquals(&box, &c.box)) << box.x << ", " << box.y << ", " << box.w << ", " << box.h;
        }
        double plainBlended = 0;
        double blended = 0;
        EXPECT_EQ(DrawBothWays(c.name, c.x, c.y, c.alpha, c.scale, plainBlended, blended), 0u);
        EXPECT_EQ(blended < plainBlended, c.boxAlone) << blended << " against " << plainBlended;
    }
}

// SDL scales a picture drawn over an edge of its target into a surface of the draw's size before it
// blends it; that scaled picture is kept and blended unscaled (only its box when it is clear outside
// one): the pixels must be those of the scaled draw wherever it lands, and follow the picture when its
// pixels change.
TEST_F(TextureCoreTest, AScaledDrawOverTheTargetsEdgeShowsTheScaledDrawsPixels) {
    WriteImage("strip.png", 20, 12, [](int x, int y) {
        return static_cast<uint32_t>((x * 12 + y * 9) % 256) << 24 | (Opaque(x, y) & 0x00FFFFFFu);
    });
    WriteImage("other.png", 20, 12, [](int x, int y) { return Opaque(19 - x, y) ^ 0x30FFFFFFu; });
    // Soft pixels of every alpha in an 8 x 6 box, clear around it.
    WriteImage("puff.png", 20, 12, [](int x, int y) {
        const bool inside = x >= 6 && x < 14 && y >= 3 && y < 9;
        return inside ? (static_cast<uint32_t>(20 + x * 12 + y * 7) << 24) | (Opaque(x, y) & 0x00FFFFFFu)
                      : kClearMagenta;
    });
    struct Case {
        const char* what;
        const char* name;
        float x;
        float y;
        float alpha;
        float scale;
        bool boxAlone;
    };
    const Case cases[] = {
        {"shrunk over the left edge", "strip", -3.4f, 5, 1.0f, 0.75f, false},
        {"enlarged over the right edge", "strip", 20.7f, 3.2f, 1.0f, 1.6f, false},
        {"shrunk over the top edge at half alpha", "strip", 6.5f, -4.25f, 0.5f, 0.75f, false},
        {"wider than the target", "strip", -5, 2, 1.0f, 2.5f, false},
        {"inside the target", "strip", 4.3f, 6.6f, 1.0f, 0.75f, false},
        {"over the left edge again, another size", "strip", -2.6f, 5, 1.0f, 0.6f, false},
        {"a puff shrunk over the left edge", "puff", -3.4f, 5, 1.0f, 0.75f, true},
        {"a puff enlarged over the right edge at half alpha", "puff", 18.7f, 3.2f, 0.5f, 1.6f, true},
        {"a puff shrunk over the top edge, its box across it", "puff", 6.5f, -4.25f, 1.0f, 0.75f, true},
        {"a puff inside the target", "puff", 4.3f, 6.6f, 1.0f, 0.75f, false},
    };
    TTextureHandle picture = CreateBlankTexture(20, 12, TTexture::kAccessTarget);
    ASSERT_TRUE(picture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        picture->Blit(0, 0, 0, 0, 20, 12, GetTexture(c.name));
        double plainBlended = 0;
        double blended = 0;
        EXPECT_EQ(DrawBothWays(*picture, c.x, c.y, c.alpha, c.scale, plainBlended, blended), 0u);
        if (c.boxAlone) {
            EXPECT_LT(blended, plainBlended);
        } else {
            EXPECT_EQ(blended, plainBlended);
        }
    }
    // The kept scaled picture was made from the old pixels.
    double plainBlended = 0;
    double blended = 0;
    picture->Blit(0, 0, 0, 0, 20, 12, GetTexture("strip"));
    DrawBothWays(*picture, -2.6f, 5, 1.0f, 0.6f, plainBlended, blended);
    picture->Blit(0, 0, 0, 0, 20, 12, GetTexture("other"));
    EXPECT_EQ(DrawBothWays(*picture, -2.6f, 5, 1.0f, 0.6f, plainBlended, blended), 0u);
}

} // namespace
