// Pictures opaque inside a rectangle and clear outside it are drawn by copying the rectangle alone:
// the pixels must be those of the blended draw, and pictures of any other shape keep the blended draw.

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
    std::vector<uint32_t> DrawOnce(const std::string& name, float x, float y, float alpha, float scale,
                                   double& blended) {
        BeginCanvas({30, 60, 90, 255});
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_SetRenderDrawColor(renderer, 200, 180, 20, 255);
        const SDL_Rect stripe{0, 10, kCanvasSize, 5};
        SDL_RenderFillRect(renderer, &stripe);
        GetDrawCounts() = TDrawCounts();
        TRenderState state;
        state.Init(x, y, alpha, scale, 0);
        GetTexture(name)->Draw(state);
        blended = GetDrawCounts().blendedPixels;
        std::vector<uint32_t> pixels(kCanvasSize * kCanvasSize);
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), kCanvasSize * 4), 0);
        return pixels;
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
        SetDrawShortcuts(false);
        const std::vector<uint32_t> plain = DrawOnce(c.name, c.x, c.y, c.alpha, c.scale, plainBlended);
        SetDrawShortcuts(true);
        const std::vector<uint32_t> drawn = DrawOnce(c.name, c.x, c.y, c.alpha, c.scale, blended);
        size_t differing = 0;
        for (size_t i = 0; i < plain.size(); ++i) {
            differing += plain[i] != drawn[i] ? 1 : 0;
        }
        EXPECT_EQ(differing, 0u);
        EXPECT_GT(plainBlended, 0.0);
        EXPECT_EQ(blended == 0.0, c.copied) << blended;
    }
}

} // namespace
