#pragma once
// A hidden window with the software renderer, a temporary data root with generated images, and a render
// target whose pixels tests read back.

#include <SDL.h>
#include <SDL_image.h>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include <cstdlib>
#include <filesystem>

#include "app/app_config.h"
#include "app/renderer.h"
#include "harness/harness.h"

struct TRgba {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 255;
};

// Colours of generated images (ARGB) and of the pixels read back.
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr TRgba kBlack{0, 0, 0, 255};
constexpr TRgba kRedPixel{255, 0, 0, 255};
constexpr TRgba kGreenPixel{0, 255, 0, 255};
constexpr TRgba kBluePixel{0, 0, 255, 255};
constexpr TRgba kWhitePixel{255, 255, 255, 255};

// A pixel of the canvas and the colour expected there.
struct TProbe {
    int x;
    int y;
    TRgba color;
};

// Channels equal within a tolerance (blending rounds differently between renderers).
inline testing::AssertionResult NearColor(const TRgba& actual, const TRgba& expected, int tolerance = 2);

// A temporary folder with an "assets" folder as the data root and working folder.
class DataRootTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { mDataRoot.reset(); }
    std::string Root() const { return mRoot; }

private:
    std::string mRoot;
    std::unique_ptr<harness::ScopedDataRoot> mDataRoot;
};

class GraphicsTest : public DataRootTest {
protected:
    static constexpr int kCanvasSize = 32;

    void SetUp() override;
    void TearDown() override;

    // Writes assets/<name> as a PNG (or a JPG when the name ends in ".jpg") whose pixels are ARGB values.
    void WriteImage(const std::string& name, int w, int h, const std::function<uint32_t(int, int)>& argb);
    void WriteSolidImage(const std::string& name, int w, int h, uint32_t argb);
    // A PNG of one colour without an alpha channel.
    void WriteRgbImage(const std::string& name, int w, int h, const TRgba& color);

    // Makes a fresh render target of kCanvasSize square filled with a colour and draws into it.
    void BeginCanvas(const TRgba& fill = {0, 0, 0, 255});
    TRgba Pixel(int x, int y);
    void ExpectPixels(const std::vector<TProbe>& probes);

private:
    SDL_Window* mWindow = nullptr;
    SDL_Texture* mCanvas = nullptr;
};

inline testing::AssertionResult NearColor(const TRgba& actual, const TRgba& expected, int tolerance) {
    const bool near = std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
                      std::abs(actual.b - expected.b) <= tolerance && std::abs(actual.a - expected.a) <= tolerance;
    if (near) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "got (" << actual.r << ", " << actual.g << ", " << actual.b << ", "
                                       << actual.a << "), expected (" << expected.r << ", " << expected.g << ", "
                                       << expected.b << ", " << expected.a << ")";
}

inline void DataRootTest::SetUp() {
    mRoot = harness::MakeTempFolder();
    std::filesystem::create_directories(mRoot + "/assets");
    mDataRoot = std::make_unique<harness::ScopedDataRoot>(mRoot);
    ASSERT_TRUE(SetWorkingFolderToExe());
}

inline void GraphicsTest::SetUp() {
    DataRootTest::SetUp();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    mWindow = SDL_CreateWindow("graphics test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(mWindow, nullptr) << SDL_GetError();
    ASSERT_NE(CreateRenderer(mWindow)->GetRenderer(), nullptr);
}

inline void GraphicsTest::TearDown() {
    if (mCanvas != nullptr) {
        SDL_SetRenderTarget(GetSDLRenderer(), nullptr);
        SDL_DestroyTexture(mCanvas);
    }
    DestroyRenderer();
    if (mWindow != nullptr) {
        SDL_DestroyWindow(mWindow);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    DataRootTest::TearDown();
}

inline void GraphicsTest::WriteImage(const std::string& name, int w, int h,
                                     const std::function<uint32_t(int, int)>& argb) {
    ASSERT_TRUE(harness::WriteImageFile(Root() + "/assets/" + name, w, h, argb)) << SDL_GetError();
}

inline void GraphicsTest::WriteSolidImage(const std::string& name, int w, int h, uint32_t argb) {
    WriteImage(name, w, h, [argb](int, int) { return argb; });
}

inline void GraphicsTest::WriteRgbImage(const std::string& name, int w, int h, const TRgba& color) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(surface, nullptr) << SDL_GetError();
    SDL_FillRect(surface, nullptr,
                 SDL_MapRGB(surface->format, static_cast<Uint8>(color.r), static_cast<Uint8>(color.g),
                            static_cast<Uint8>(color.b)));
    EXPECT_EQ(IMG_SavePNG(surface, (Root() + "/assets/" + name).c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(surface);
}

inline void GraphicsTest::BeginCanvas(const TRgba& fill) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (mCanvas == nullptr) {
        mCanvas =
            SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, kCanvasSize, kCanvasSize);
        ASSERT_NE(mCanvas, nullptr) << SDL_GetError();
    }
    ASSERT_EQ(SDL_SetRenderTarget(renderer, mCanvas), 0) << SDL_GetError();
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, static_cast<Uint8>(fill.r), static_cast<Uint8>(fill.g), static_cast<Uint8>(fill.b),
                           static_cast<Uint8>(fill.a));
    SDL_RenderClear(renderer);
}

inline TRgba GraphicsTest::Pixel(int x, int y) {
    uint32_t pixel = 0;
    const SDL_Rect rect{x, y, 1, 1};
    if (SDL_RenderReadPixels(GetSDLRenderer(), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4) != 0) {
        ADD_FAILURE() << SDL_GetError();
    }
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF), static_cast<int>(pixel >> 24)};
}

inline void GraphicsTest::ExpectPixels(const std::vector<TProbe>& probes) {
    for (const TProbe& probe : probes) {
        EXPECT_TRUE(NearColor(Pixel(probe.x, probe.y), probe.color)) << "at " << probe.x << ", " << probe.y;
    }
}
