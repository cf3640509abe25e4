// Layers drawn through a cache must show what drawing them shows, whatever changed since the cache was
// filled: a moved picture, an alpha, a fill's colour, the pixels of a texture, the clip, a draw added or
// taken away, and a draw that moves every frame between them (or over them all). The cache is filled
// again only when the layers change, and only where they changed when that is a small part that can be
// cut out; layers that change every frame across most of it are drawn directly.

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/frame_clear.h"
#include "app/view_transform.h"
#include "graphics/layer_cache.h"
#include "graphics/render_state.h"
#include "graphics/texture.h"
#include "graphics/texture_cache.h"
#include "graphics_fixture.h"

namespace {

// What the frame's canvas holds before the frame: a colour no layer draws, so a frame whose clear or
// cache went missing shows it.
constexpr TRgba kStale{255, 0, 255, 255};

class LayerCacheTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteImage("back.png", kCanvasSize, kCanvasSize, [](int x, int y) {
            return 0xFF000000u | static_cast<uint32_t>(x * 8) << 16 | static_cast<uint32_t>(y * 8) << 8 | 0x30u;
        });
        // Every alpha from clear to opaque, so a wrong blend anywhere shows.
        WriteImage("soft.png", 12, 12,
                   [](int x, int y) { return static_cast<uint32_t>((x * 12 + y) * 255 / 143) << 24 | 0x00C08020u; });
        WriteSolidImage("red.png", 6, 6, kRed);
        WriteSolidImage("blue.png", 6, 6, kBlue);
        // Held, as the screens hold their images: a texture loaded anew is another texture.
        mBack = GetTexture("back");
        mSoft = GetTexture("soft");
        mMark = CreateBlankTexture(6, 6, TTexture::kAccessTarget);
        ASSERT_TRUE(mMark);
        mMark->Blit(0, 0, 0, 0, 6, 6, GetTexture("red"));
    }

    void TearDown() override {
        mMark.Reset();
        mBack.Reset();
        mSoft.Reset();
        SetDrawShortcuts(true);
        GraphicsTest::TearDown();
    }

    void DrawUnder() {
        TRenderState state;
        state.Init(0, 0, mBackAlpha, 1.0f, 0);
        mBack->Draw(state);
        state.Init(mSoftX, 4, mSoftAlpha, 1.0f, 0);
        mSoft->Draw(state);
    }

    // Like a particle: scaled, between pixels, added.
    void DrawMoving() {
        if (!mWithMover) {
            return;
        }
        TRenderState state;
        state.Init(mMoverX, mMoverY, 0.8f, 0.5f, 0);
        state.blend = TRenderState::kBlendAdd;
        mSoft->Draw(state);
    }

    void DrawOver() {
        if (!mDrawsOver) {
            return;
        }
        GetRenderer()->FillRect(mFillX, mFillY, 5, 5, mFill);
        TRenderState state;
        state.Init(2, 22, 1.0f, 1.0f, 0);
        mMark->Draw(state);
        if (mExtra) {
            state.Init(9, 26, 1.0f, 1.0f, 0);
            mMark->Draw(state);
        }
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_RenderSetClipRect(renderer, &mClip);
        state.Init(14, 14, 0.7f, 1.0f, 0);
        mSoft->Draw(state);
        SDL_RenderSetClipRect(renderer, nullptr);
        // Scaled: it cannot be drawn again cut to a mover's place.
        state.Init(26, 0, 1.0f, 0.5f, 0);
        mSoft->Draw(state);
    }

    // A frame of the layers with a picture over them, through the cache when one is given; its pixels.
    // The pixels of the frame's area only: outside it a target keeps what it held.
    std::vector<uint32_t> DrawFrame(TLayerCache* cache) {
        BeginCanvas(kStale);
        SDL_Renderer* renderer = GetSDLRenderer();
        const bool whole = mView.width <= 0;
        const SDL_Rect area = whole ? SDL_Rect{0, 0, kCanvasSize, kCanvasSize}
                                    : SDL_Rect{mView.offsetX, mView.offsetY, mView.width, mView.height};
        BeginFrameClear(
            TFrameArea{area.x, area.y, area.w, area.h, mView.scale, mView.scale, SDL_GetRenderTarget(renderer)});
        ApplyViewTransform(renderer, mView);
        if (cache == nullptr ||
            !cache->Draw([this] { DrawUnder(); }, [this] { DrawMoving(); }, [this] { DrawOver(); })) {
            DrawUnder();
            DrawMoving();
            DrawOver();
        }
        TRenderState over;
        over.Init(18, 2, 0.5f, 1.0f, 0);
        mSoft->Draw(over);
        FinishFrameClear();
        ApplyViewTransform(renderer, TViewTransform());
        std::vector<uint32_t> pixels(static_cast<size_t>(area.w * area.h));
        EXPECT_EQ(SDL_RenderReadPixels(renderer, &area, SDL_PIXELFORMAT_ARGB8888, pixels.data(), area.w * 4), 0);
        return pixels;
    }

    std::vector<uint32_t> DrawPlainFrame() {
        SetDrawShortcuts(false);
        std::vector<uint32_t> pixels = DrawFrame(nullptr);
        SetDrawShortcuts(true);
        return pixels;
    }

    struct Step {
        const char* what;
        std::function<void(LayerCacheTest&)> change;
        TLayerCache::TOutcome outcome;
    };

    // Each step's change, then its frame drawn plain and through one cache: the same pixels, and the
    // cache's outcome the step names. A moving mover moves every frame, so its old places must not stay
    // behind in the cache.
    void PlaySteps(std::span<const Step> steps, bool moverMoves);

public:
    // What the layers draw; the steps below change it.
    float mSoftX = 3;
    float mMoverX = 9.3f;
    float mMoverY = 11.6f;
    float mSoftAlpha = 1.0f;
    float mBackAlpha = 1.0f;
    TColor mFill{0.2f, 0.9f, 0.4f, 1.0f};
    int mFillX = 20;
    int mFillY = 20;
    bool mExtra = false;
    SDL_Rect mClip{14, 14, 6, 6};
    bool mWithMover = true;
    bool mDrawsOver = true;
    // Where the frame's picture lands on the canvas and its scale; the whole canvas unscaled by default.
    TViewTransform mView;
    TTextureHandle mMark;
    TTextureHandle mBack;
    TTextureHandle mSoft;
};

size_t Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    size_t differing = a.size() == b.size() ? 0 : a.size() + b.size();
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        differing += a[i] != b[i] ? 1 : 0;
    }
    return differing;
}

void LayerCacheTest::PlaySteps(std::span<const Step> steps, bool moverMoves) {
    TLayerCache cache;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(*this);
        const std::vector<uint32_t> plain = DrawPlainFrame();
        const std::vector<uint32_t> cached = DrawFrame(&cache);
        EXPECT_EQ(cache.GetLastOutcome(), step.outcome);
        EXPECT_EQ(Differing(plain, cached), 0u);
        if (moverMoves) {
            mMoverX += 0.37f;
            mMoverY -= 0.21f;
        }
    }
}

TEST_F(LayerCacheTest, EveryFrameShowsTheLayersAsDrawnAndTheCacheIsFilledOnlyWhenTheyChange) {
    const auto same = [](LayerCacheTest&) {};
    const auto move = [](LayerCacheTest& test) { test.mSoftX += 1; };
    // The back picture covers the whole frame: changing it changes most of the cache.
    const auto fadeBack = [](LayerCacheTest& test) { test.mBackAlpha -= 0.1f; };
    const Step steps[] = {
        {"the first frame", same, TLayerCache::kRefreshed},
        {"nothing changed", same, TLayerCache::kCopied},
        {"a picture moved", move, TLayerCache::kPatched},
        {"nothing changed after the move", same, TLayerCache::kCopied},
        {"a picture's alpha", [](LayerCacheTest& test) { test.mSoftAlpha = 0.4f; }, TLayerCache::kPatched},
        {"nothing changed after the alpha", same, TLayerCache::kCopied},
        {"a fill's colour", [](LayerCacheTest& test) { test.mFill.g = 0.1f; }, TLayerCache::kPatched},
        {"nothing changed after the fill", same, TLayerCache::kCopied},
        {"the pixels of a texture",
         [](LayerCacheTest& test) { test.mMark->Blit(0, 0, 0, 0, 6, 6, GetTexture("blue")); }, TLayerCache::kPatched},
        {"nothing changed after the texture", same, TLayerCache::kCopied},
        {"the clip of a draw", [](LayerCacheTest& test) { test.mClip.x = 16; }, TLayerCache::kPatched},
        {"nothing changed after the clip", same, TLayerCache::kCopied},
        {"the mover over the scaled draw",
         [](LayerCacheTest& test) {
             test.mMoverX = 25.4f;
             test.mMoverY = 1.2f;
         },
         TLayerCache::kDrawnDirectly},
        {"the mover away from it again",
         [](LayerCacheTest& test) {
             test.mMoverX = 4.7f;
             test.mMoverY = 15.1f;
         },
         TLayerCache::kCopied},
        {"a draw added", [](LayerCacheTest& test) { test.mExtra = true; }, TLayerCache::kPatched},
        {"the draw taken away", [](LayerCacheTest& test) { test.mExtra = false; }, TLayerCache::kPatched},
        {"two changes far apart",
         [](LayerCacheTest& test) {
             test.mSoftX -= 2;
             test.mFill.b = 0.8f;
         },
         TLayerCache::kPatched},
        {"a small change every frame", move, TLayerCache::kPatched},
        {"and the next frame", move, TLayerCache::kPatched},
        {"a small change beside the scaled draw, which cannot be cut",
         [](LayerCacheTest& test) {
             test.mFillX = 24;
             test.mFillY = 2;
         },
         TLayerCache::kRefreshed},
        {"nothing changed after the fill moved", same, TLayerCache::kCopied},
        {"a change across the frame", fadeBack, TLayerCache::kRefreshed},
        {"a change across the frame the next frame too", fadeBack, TLayerCache::kDrawnDirectly},
        {"and again", fadeBack, TLayerCache::kDrawnDirectly},
        {"still again", same, TLayerCache::kRefreshed},
        {"settled", same, TLayerCache::kCopied},
        // The draws taken away are small: their places are drawn again alone.
        {"nothing over the mover", [](LayerCacheTest& test) { test.mDrawsOver = false; }, TLayerCache::kPatched},
        {"nothing over, the mover anywhere",
         [](LayerCacheTest& test) {
             test.mMoverX = 25.4f;
             test.mMoverY = 1.2f;
         },
         TLayerCache::kCopied},
        {"nothing over, the mover further on", same, TLayerCache::kCopied},
    };
    PlaySteps(steps, true);
}

// At a scaled output, with bars beside the picture, the cache is drawn in the frame's viewport and
// scale: it holds the scaled draws' own pixels, and stands where the area is.
TEST_F(LayerCacheTest, AtAScaledFrameTheCacheShowsTheScaledDrawsPixelForPixel) {
    const auto same = [](LayerCacheTest&) {};
    const Step steps[] = {
        {"the first frame", same, TLayerCache::kRefreshed},
        {"nothing changed", same, TLayerCache::kCopied},
        {"a picture moved", [](LayerCacheTest& test) { test.mSoftX += 1; }, TLayerCache::kRefreshed},
        {"nothing changed after the move", same, TLayerCache::kCopied},
        // Scaled layers cannot be drawn again cut to its place: the frame is drawn directly.
        {"a draw moving between the layers", [](LayerCacheTest& test) { test.mWithMover = true; },
         TLayerCache::kDrawnDirectly},
        {"the moving draw gone", [](LayerCacheTest& test) { test.mWithMover = false; }, TLayerCache::kCopied},
        {"the area moved on the output", [](LayerCacheTest& test) { test.mView.offsetX = 2; }, TLayerCache::kRefreshed},
        {"another scale",
         [](LayerCacheTest& test) {
             test.mView = TViewTransform{0.5f, 6, 5, 20, 20};
         },
         TLayerCache::kRefreshed},
        {"nothing changed at that scale", same, TLayerCache::kCopied},
    };
    mWithMover = false;
    mView = TViewTransform{0.75f, 1, 1, 30, 30};
    PlaySteps(steps, false);
}

TEST_F(LayerCacheTest, IsNotUsedWhereItsPixelsCouldDifferFromTheOutput) {
    struct Case {
        const char* what;
        std::function<void()> before;
        std::function<void()> after;
    };
    SDL_Renderer* renderer = GetSDLRenderer();
    const Case cases[] = {
        {"the draw shortcuts off", [] { SetDrawShortcuts(false); }, [] { SetDrawShortcuts(true); }},
        {"something drawn on the frame first",
         [] {
             TRenderState state;
             state.Init(0, 0, 1.0f, 1.0f, 0);
             GetTexture("red")->Draw(state);
         },
         [] {}},
        {"a scaled frame", [renderer] { SDL_RenderSetScale(renderer, 2.0f, 2.0f); },
         [renderer] { SDL_RenderSetScale(renderer, 1.0f, 1.0f); }},
        {"a clip set",
         [renderer] {
             const SDL_Rect clip{0, 0, 8, 8};
             SDL_RenderSetClipRect(renderer, &clip);
         },
         [renderer] { SDL_RenderSetClipRect(renderer, nullptr); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TLayerCache cache;
        BeginCanvas(kStale);
        BeginFrameClear(TFrameArea{0, 0, kCanvasSize, kCanvasSize, 1.0f, 1.0f, SDL_GetRenderTarget(renderer)});
        c.before();
        bool drawn = false;
        const auto draw = [&drawn] { drawn = true; };
        EXPECT_FALSE(cache.Draw(draw, draw, draw));
        c.after();
        EXPECT_FALSE(drawn);
        EXPECT_EQ(cache.GetLastOutcome(), TLayerCache::kNotUsed);
        FinishFrameClear();
    }
}

} // namespace
