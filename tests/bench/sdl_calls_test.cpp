// The benchmark's recording of SDL calls: a frame written to a file, read back and replayed straight into
// SDL must put the same pixels on the output as the frame did, or the baseline it measures is not the
// game's drawing.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/graphics_fixture.h"
#include "sdl_calls.h"

namespace {

// Pixels that differ between two reads of the output; every pixel when their sizes differ.
size_t Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) {
        return std::max(a.size(), b.size());
    }
    size_t differing = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        differing += a[i] != b[i] ? 1 : 0;
    }
    return differing;
}

class SdlCallsTest : public GraphicsTest {
protected:
    void TearDown() override {
        WatchTextures(false);
        WantTextures({});
        for (SDL_Texture* texture : mTextures) {
            SDL_DestroyTexture(texture);
        }
        GraphicsTest::TearDown();
    }

    // A picture whose alpha and colour change across it, so blending, modulation and source rectangles
    // all show in the pixels.
    SDL_Texture* MakePicture(int w, int h, uint32_t seed) {
        SDL_Texture* texture =
            SDL_CreateTexture(GetSDLRenderer(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
        EXPECT_NE(texture, nullptr) << SDL_GetError();
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const uint32_t alpha = static_cast<uint32_t>((x * 255) / (w - 1));
                pixels[static_cast<size_t>(y * w + x)] = (alpha << 24) |
                                                         ((seed + static_cast<uint32_t>(y) * 13u) & 0xFFu) << 16 |
                                                         (seed * 7u & 0xFFu) << 8 | static_cast<uint32_t>(x * 5 & 0xFF);
            }
        }
        SDL_UpdateTexture(texture, nullptr, pixels.data(), w * 4);
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        mTextures.push_back(texture);
        return texture;
    }

    std::vector<uint32_t> ReadOutput() {
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_SetRenderTarget(renderer, nullptr);
        SDL_RenderSetViewport(renderer, nullptr);
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer, &w, &h);
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4), 0);
        return pixels;
    }

    // The output filled with one colour, the way the frame under test does not draw.
    void FillOutput(Uint8 r, Uint8 g, Uint8 b) {
        SDL_Renderer* renderer = GetSDLRenderer();
        SDL_SetRenderTarget(renderer, nullptr);
        SDL_RenderSetViewport(renderer, nullptr);
        SDL_RenderSetClipRect(renderer, nullptr);
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        SDL_SetRenderDrawColor(renderer, r, g, b, 255);
        SDL_RenderClear(renderer);
    }

    // A frame of every kind of call the game makes, into a recording, ended by its present.
    void DrawRecordedFrame(TSdlRecording& recording, SDL_Texture* picture, SDL_Texture* other) {
        SDL_Renderer* renderer = GetSDLRenderer();
        FillOutput(20, 40, 60);
        const SDL_Rect found{5, 4, 40, 40};
        SDL_RenderSetViewport(renderer, &found);
        SDL_RenderSetScale(renderer, 2.0f, 2.0f);
        SDL_SetRenderDrawColor(renderer, 10, 200, 10, 255);
        RecordNextFrame(&recording);
        // Drawn in the state the frame found.
        const SDL_Rect dot{15, 17, 3, 2};
        SDL_RenderFillRect(renderer, &dot);
        SDL_SetRenderDrawColor(renderer, 200, 10, 10, 255);
        // As the game sets its view: the viewport in output pixels, then the scale.
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        const SDL_Rect viewport{3, 2, 60, 50};
        SDL_RenderSetViewport(renderer, &viewport);
        SDL_RenderSetScale(renderer, 1.5f, 1.5f);
        const SDL_FRect band{0, 0, 30, 4};
        SDL_RenderFillRectF(renderer, &band);
        SDL_SetTextureAlphaMod(picture, 180);
        SDL_SetTextureColorMod(picture, 250, 200, 150);
        const SDL_Rect source{2, 1, 12, 10};
        const SDL_FRect destination{1.5f, 5.25f, 18, 15};
        SDL_RenderCopyExF(renderer, picture, &source, &destination, 0.0, nullptr, SDL_FLIP_NONE);
        const SDL_FPoint centre{4, 4};
        SDL_RenderCopyExF(renderer, other, nullptr, &destination, 30.0, &centre, SDL_FLIP_HORIZONTAL);
        const SDL_Rect clip{0, 0, 20, 20};
        SDL_RenderSetClipRect(renderer, &clip);
        const SDL_Vertex vertices[3] = {{{0, 0}, {255, 255, 255, 200}, {0, 0}},
                                        {{25, 2}, {255, 128, 255, 255}, {1, 0}},
                                        {{4, 22}, {128, 255, 255, 255}, {0, 1}}};
        SDL_RenderGeometry(renderer, picture, vertices, 3, nullptr, 0);
        SDL_RenderSetClipRect(renderer, nullptr);
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
        SDL_SetRenderDrawColor(renderer, 0, 90, 200, 100);
        SDL_RenderFillRect(renderer, nullptr);
        SDL_RenderPresent(renderer);
        // Modes the replay must put back as they were before it.
        SDL_SetTextureAlphaMod(picture, 77);
        SDL_SetTextureColorMod(picture, 1, 2, 3);
    }

    std::vector<SDL_Texture*> mTextures;
};

TEST_F(SdlCallsTest, AFrameReadBackFromItsFileReplaysToTheSamePixelsAndLeavesTheTexturesAsTheyWere) {
    WatchTextures(true);
    SDL_Texture* picture = MakePicture(16, 12, 40);
    SDL_Texture* other = MakePicture(8, 8, 90);
    TSdlRecording recording;
    recording.screen = "test";
    DrawRecordedFrame(recording, picture, other);
    const std::vector<uint32_t> drawn = ReadOutput();
    ASSERT_EQ(recording.frames.size(), 1u);

    const std::string path = Root() + "/calls.txt";
    ASSERT_TRUE(SaveRecordings(path, {recording}));
    std::vector<TSdlRecording> read;
    ASSERT_TRUE(LoadRecordings(path, read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].screen, "test");

    // The replay starts from the output the frame started from (it does not draw all of it), in a
    // renderer state unlike the frame's.
    FillOutput(20, 40, 60);
    SDL_SetRenderDrawColor(GetSDLRenderer(), 1, 2, 3, 4);
    SDL_SetRenderDrawBlendMode(GetSDLRenderer(), SDL_BLENDMODE_BLEND);
    SDL_RenderSetScale(GetSDLRenderer(), 2.0f, 0.5f);
    const SDL_Rect elsewhere{10, 10, 5, 5};
    SDL_RenderSetViewport(GetSDLRenderer(), &elsewhere);
    const TReplayResult result = Replay(read[0], 1);
    EXPECT_EQ(result.texturesMissing, 0);
    EXPECT_EQ(result.texturesBySize, 0);
    EXPECT_EQ(result.callsLeftOut, 0);
    EXPECT_DOUBLE_EQ(result.callsPerFrame, 6.0);
    ASSERT_EQ(result.frameMs.size(), 1u);
    EXPECT_EQ(Differing(drawn, ReadOutput()), 0u);

    Uint8 alpha = 0, r = 0, g = 0, b = 0;
    SDL_GetTextureAlphaMod(picture, &alpha);
    SDL_GetTextureColorMod(picture, &r, &g, &b);
    EXPECT_EQ(alpha, 77);
    EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{1, 2, 3}));
}

TEST_F(SdlCallsTest, ATextureNotFoundLeavesOutOnlyItsCallsAndOneOfTheSameSizeStandsIn) {
    WatchTextures(true);
    SDL_Texture* picture = MakePicture(16, 12, 40);
    SDL_Texture* other = MakePicture(8, 8, 90);
    TSdlRecording recording;
    DrawRecordedFrame(recording, picture, other);
    // The first picture is gone; the second now has other pixels of its size.
    SDL_DestroyTexture(picture);
    mTextures.erase(mTextures.begin());
    SDL_DestroyTexture(other);
    mTextures.erase(mTextures.begin());
    // Drawn once, so the benchmark knows it as it knows every texture the game draws from.
    SDL_RenderCopy(GetSDLRenderer(), MakePicture(8, 8, 91), nullptr, nullptr);

    FillOutput(255, 0, 255);
    const TReplayResult result = Replay(recording, 2);
    EXPECT_EQ(result.texturesMissing, 1);
    EXPECT_EQ(result.texturesBySize, 1);
    // Per frame: the picture's modes as the frame found them (three), the two it set, its copy and its
    // triangles.
    EXPECT_EQ(result.callsLeftOut, 2 * 7);
    EXPECT_EQ(result.frameMs.size(), 2u);
    // The calls without the lost picture still drew: the band in the viewport, at its scale.
    const std::vector<uint32_t> replayed = ReadOutput();
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(GetSDLRenderer(), &w, &h);
    const uint32_t band = replayed[static_cast<size_t>(3 * w + 5)];
    EXPECT_NE(band, 0xFFFF00FFu);
    EXPECT_GT((band >> 16) & 0xFFu, (band >> 8) & 0xFFu) << std::hex << band;
}

TEST_F(SdlCallsTest, ATextureLetGoOfAfterTheRecordingIsKeptForTheReplayWhenItsPixelsAreWanted) {
    // A small picture read in one band, and one read in several with a shorter last band.
    const struct { int w, h; } cases[] = {{16, 12}, {300, 260}};
    for (const auto& size : cases) {
        SCOPED_TRACE(testing::Message() << size.w << "x" << size.h);
        WatchTextures(true);
        SDL_Texture* picture = MakePicture(size.w, size.h, 40);
        SDL_Texture* other = MakePicture(8, 8, 90);
        TSdlRecording recording;
        DrawRecordedFrame(recording, picture, other);
        const std::vector<uint32_t> drawn = ReadOutput();
        WantTextures({recording});
        TakeOwnMilliseconds();
        // Let go of as an effect's picture is, between the frames and the replay.
        SDL_DestroyTexture(picture);
        mTextures.erase(mTextures.end() - 2);
        // Telling the pixels of what is let go of is the benchmark's time, not the frame's.
        EXPECT_GT(TakeOwnMilliseconds(), 0.0);
        // Its pixels wait in the file, not in a texture.
        EXPECT_EQ(KeptPictureBytes(), 4LL * size.w * size.h);

        FillOutput(20, 40, 60);
        const TReplayResult result = Replay(recording, 1);
        EXPECT_EQ(result.texturesMissing, 0);
        EXPECT_EQ(result.texturesBySize, 0);
        EXPECT_EQ(result.callsLeftOut, 0);
        EXPECT_EQ(Differing(drawn, ReadOutput()), 0u);

        // The replay let go of it for good: the next one no longer finds it.
        EXPECT_EQ(KeptPictureBytes(), 0);
        FillOutput(20, 40, 60);
        const TReplayResult again = Replay(recording, 1);
        EXPECT_EQ(again.texturesMissing, 1) << again.texturesBySize << " by size";
    }
}

} // namespace
