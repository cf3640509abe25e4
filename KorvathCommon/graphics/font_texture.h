#pragma once
// The one place where font glyphs meet the renderer: a layer image taken from the texture cache by name
// (a counted texture handle, shared by every layer and font that names the file) and drawn in parts
// through the engine's render call.

#include <cstdint>
#include <string>

#include "graphics/texture.h"

struct TFontRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool operator==(const TFontRect&) const = default;
};

// An image under the data folder (path rules); a file name without extension tries ".png", then ".jpg".
// Empty when it cannot be loaded or there is no renderer. The font reports the failure itself.
TTextureHandle LoadFontLayerImage(const std::string& name);

// Draws the source rectangle of the layer image with its top-left at (x, y), stretched to w x h, alpha
// blended. The colour is packed 0xAARRGGBB: red, green and blue multiply the texture colour, alpha its
// opacity.
void DrawFontLayerImage(const TTexture& image, const TFontRect& source, int x, int y, int w, int h, uint32_t color);
