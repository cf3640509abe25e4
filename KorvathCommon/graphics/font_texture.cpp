#include "graphics/font_texture.h"

#include <SDL.h>
#include <cmath>

#include "app/renderer.h"
#include "graphics/build_maps_scope.h"
#include "graphics/render_copy.h"
#include "graphics/texture_cache.h"

namespace {

// The smallest scale that stretches size to at least target: the renderer truncates the drawn size, so a
// product one rounding step short would lose a column of the glyph.
float ScaleTo(float size, float target) {
    float scale = target / size;
    while (size * scale < target) {
        scale = std::nextafter(scale, INFINITY);
    }
    return scale;
}

} // namespace

TTextureHandle LoadFontLayerImage(const std::string& name) {
    if (GetSDLRenderer() == nullptr || name.empty()) {
        return TTextureHandle();
    }
    // Glyph images are never hit-tested, so they keep no alpha map.
    TTextureHandle texture;
    {
        TBuildMapsScope maps(false);
        texture = TTextureCache::Get().Find(name, [&name] { return new TTexture(name); });
    }
    return texture;
}

void DrawFontLayerImage(const TTexture& image, const TFontRect& source, int x, int y, int w, int h, uint32_t color) {
    const Uint8 alpha = static_cast<Uint8>(color >> 24);
    SDL_Texture* texture = image.GetSDLTexture();
    if (texture == nullptr || alpha == 0 || source.w <= 0 || source.h <= 0 || w <= 0 || h <= 0) {
        return;
    }
    SDL_SetTextureColorMod(texture, static_cast<Uint8>(color >> 16), static_cast<Uint8>(color >> 8),
                           static_cast<Uint8>(color));
    SDL_SetTextureAlphaMod(texture, alpha);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    const TFloatRect from{static_cast<float>(source.x), static_cast<float>(source.y), static_cast<float>(source.w),
                          static_cast<float>(source.h)};
    RenderCopyExFloat(GetSDLRenderer(), texture, from, static_cast<float>(x), static_cast<float>(y),
                      ScaleTo(from.w, static_cast<float>(w)), ScaleTo(from.h, static_cast<float>(h)), 0, 0, 0,
                      SDL_FLIP_NONE);
}
