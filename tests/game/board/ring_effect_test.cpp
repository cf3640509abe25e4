// The ring highlight is drawn additively: it lights up what it covers instead of painting over it; a dark
// band under it keeps it readable over pale cells, where adding light changes nothing.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "board/board_effects.h"
#include "data/tilesets.h"
#include "game/colour_difference.h"
#include "graphics/graphics_fixture.h"
#include "graphics/random15.h"

namespace {

class RingEffectTest : public GraphicsTest {};

TEST_F(RingEffectTest, ARingAddsItsColourToTheScreenBelow) {
    WriteSolidImage("textures/test/bluering.png", 16, 16, 0xFF0000FFu);
    EffectChange3One ring(10, 10, 1.0f, 1.0f, 1.0f);
    ring.SetImage("textures/test/bluering");
    BeginCanvas({200, 0, 0, 255});
    ring.Draw(1.0f);
    // The centre: red below plus blue on top (alpha blending would leave only the blue); outside: untouched.
    ExpectPixels({{10, 10, {200, 0, 255, 255}}, {30, 30, {200, 0, 0, 255}}});
}

} // namespace

namespace {

using colourtest::DeltaE;
using colourtest::kLeastDifference;
using colourtest::ToLab;
using colourtest::TRgbMean;

// The shipped rings drawn by the game over the shipped tiles: a hidden window, the real data root.
class RingOverTilesTest : public testing::Test {
protected:
    static constexpr int kSize = 300;

    void SetUp() override {
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        mWindow = SDL_CreateWindow("ring test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        ASSERT_NE(mWindow, nullptr) << SDL_GetError();
        ASSERT_NE(CreateRenderer(mWindow), nullptr);
        mCanvas = SDL_CreateTexture(GetSDLRenderer(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, kSize, kSize);
        ASSERT_NE(mCanvas, nullptr) << SDL_GetError();
    }
    void TearDown() override {
        ClearTilesets();
        if (mCanvas != nullptr) {
            SDL_SetRenderTarget(GetSDLRenderer(), nullptr);
            SDL_DestroyTexture(mCanvas);
        }
        DestroyRenderer();
        if (mWindow != nullptr) {
            SDL_DestroyWindow(mWindow);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // The ring over a flat field of the tile's colour: the largest difference any of its pixels makes.
    double MostVisibleDifference(EffectChange3One& ring, const TRgbMean& tile) {
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_SetRenderTarget(renderer, mCanvas);
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer, static_cast<Uint8>(tile.r + 0.5), static_cast<Uint8>(tile.g + 0.5),
                               static_cast<Uint8>(tile.b + 0.5), 255);
        SDL_RenderClear(renderer);
        ring.Draw(1.0f);
        std::vector<uint32_t> pixels(kSize * kSize);
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), kSize * 4), 0);
        const auto field = ToLab(tile);
        double most = 0;
        for (uint32_t p : pixels) {
            most = std::max(most, DeltaE(field, ToLab((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF)));
        }
        return most;
    }

    SDL_Window* mWindow = nullptr;
    SDL_Texture* mCanvas = nullptr;
};

// A seed whose first random number picks the ring of that colour (the ring's first draw is its colour).
unsigned SeedForRing(int ring) {
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        if (Rand15() % 4 == ring) {
            return seed;
        }
    }
}

TEST_F(RingOverTilesTest, EveryRingReadsOverEveryTileOfEveryTilesetWhileItFades) {
    LoadTilesets("tilesets/tilesets.xml");
    ASSERT_FALSE(GetTilesets().empty());
    std::vector<std::pair<std::string, TRgbMean>> tiles;
    for (const auto& tileset : GetTilesets()) {
        for (int mast = 0; mast <= 9; ++mast) {
            const TTile* tile = tileset->GetTileForValue(mast);
            if (tile == nullptr || (mast > 0 && tile->mMast != mast)) {
                continue;
            }
            TRgbMean colour;
            ASSERT_TRUE(colourtest::MeanRgb("assets/" + tile->mSprite + ".png", colour)) << tile->mSprite;
            tiles.emplace_back(tileset->mName + " tile " + std::to_string(mast), colour);
        }
    }
    // The hint's ring: end scale 2, 0.7 s, fading from full to nothing. It reads clearly while at least half of
    // it shows (0 s, 0.175 s, 0.35 s); after that it is leaving.
    for (int ring = 0; ring < 4; ++ring) {
        for (const auto& [name, colour] : tiles) {
            SCOPED_TRACE(name + ", ring " + std::to_string(ring));
            std::srand(SeedForRing(ring));
            EffectChange3One effect(kSize / 2, kSize / 2, 5, -5, 2.0f, 0.7f);
            float seconds = 0;
            for (float step : {0.0f, 0.175f, 0.175f}) {
                effect.Update(step);
                seconds += step;
                EXPECT_GE(MostVisibleDifference(effect, colour), kLeastDifference) << "after " << seconds << " s";
            }
        }
    }
}

} // namespace
