#pragma once
// The one place where font glyphs meet the renderer: a layer image taken from the texture cache by name
// and drawn in parts through the engine's render call.

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/texture.h"

struct TFontRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool operator==(const TFontRect&) const = default;
};

class TFontTexture {
public:
    // An image under the data folder (path rules); a file name without extension tries ".png", then
    // ".jpg". Null when it cannot be loaded or there is no renderer. The font reports the failure itself.
    static std::shared_ptr<TFontTexture> Load(const std::string& name);

    explicit TFontTexture(TTextureHandle texture) : mTexture(std::move(texture)) {}

    int GetWidth() const { return mTexture ? mTexture->GetWidth() : 0; }
    int GetHeight() const { return mTexture ? mTexture->GetHeight() : 0; }

    // Draws the source rectangle with its top-left at (x, y), stretched to w x h, alpha blended. The
    // colour is packed 0xAARRGGBB: red, green and blue multiply the texture colour, alpha its opacity.
    void Draw(const TFontRect& source, int x, int y, int w, int h, uint32_t color) const;

private:
    TTextureHandle mTexture;
};
