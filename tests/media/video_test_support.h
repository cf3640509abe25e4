#pragma once
// Shared by the video tests: the clips made by tools/make_videos.py, a texture whose locked pixels live
// in memory so a test can read what a writer converted, and a mask texture with a chosen alpha.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/texture.h"
#include "harness/harness.h"

namespace video_test {

inline std::string ClipPath(const std::string& name) {
    return std::string(VERDANEL_TEST_DATA_DIR) + "/video/" + name;
}

inline std::string ClipBytes(const std::string& name) {
    return harness::ReadFile(ClipPath(name));
}

// ARGB pixels in memory with a pitch wider than the width, so a writer that ignores the pitch shows.
class TMemoryTexture : public TTexture {
public:
    static constexpr int kPad = 3;

    TMemoryTexture(int width, int height)
        : mMemWidth(width), mMemHeight(height), mPixels(static_cast<size_t>((width + kPad) * height), kUntouched) {}

    static constexpr uint32_t kUntouched = 0x12345678u;

    bool Lock(uint32_t*& pixels, int& pitch) override {
        ++mLocks;
        mLocked = true;
        pixels = mPixels.data();
        pitch = mMemWidth + kPad;
        return true;
    }
    void Unlock() override { mLocked = false; }
    bool IsLocked() const override { return mLocked; }
    int GetWidth() const override { return mMemWidth; }
    int GetHeight() const override { return mMemHeight; }

    uint32_t At(int x, int y) const { return mPixels[static_cast<size_t>(y * (mMemWidth + kPad) + x)]; }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
    int Red(int x, int y) const { return static_cast<int>((At(x, y) >> 16) & 0xFF); }
    int Green(int x, int y) const { return static_cast<int>((At(x, y) >> 8) & 0xFF); }
    int Blue(int x, int y) const { return static_cast<int>(At(x, y) & 0xFF); }
    // The padding past each row's width stays as it was.
    bool PaddingUntouched() const {
        for (int y = 0; y < mMemHeight; ++y) {
            for (int x = mMemWidth; x < mMemWidth + kPad; ++x) {
                if (mPixels[static_cast<size_t>(y * (mMemWidth + kPad) + x)] != kUntouched) {
                    return false;
                }
            }
        }
        return true;
    }

    int mLocks = 0;

private:
    int mMemWidth;
    int mMemHeight;
    bool mLocked = false;
    std::vector<uint32_t> mPixels;
};

// A mask of the given size whose alpha comes from a function of the pixel.
class TMaskTexture : public TTexture {
public:
    TMaskTexture(int width, int height, std::function<int(int, int)> alpha)
        : mMaskWidth(width), mMaskHeight(height), mAlpha(std::move(alpha)) {}

    int GetWidth() const override { return mMaskWidth; }
    int GetHeight() const override { return mMaskHeight; }
    uint8_t GetAlphaAt(int x, int y) const override { return static_cast<uint8_t>(mAlpha(x, y)); }

private:
    int mMaskWidth;
    int mMaskHeight;
    std::function<int(int, int)> mAlpha;
};

inline TTextureHandle MakeMemoryTexture(int width, int height, TMemoryTexture** raw = nullptr) {
    auto* texture = new TMemoryTexture(width, height);
    if (raw != nullptr) {
        *raw = texture;
    }
    return TTextureHandle(texture);
}

} // namespace video_test
