#include "graphics/font_texture.h"

#include <SDL.h>
#include <SDL_image.h>

#include "app/file_object.h"
#include "app/renderer.h"

namespace {
bool HasExtension(const std::string& name) {
    size_t slash = name.find_last_of("/\\");
    size_t dot = name.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

SDL_Surface* LoadSurface(const std::string& name) {
    std::string path = ResolvePath(name);
    if (HasExtension(path)) {
        return IMG_Load(path.c_str());
    }
    SDL_Surface* surface = IMG_Load((path + ".png").c_str());
    return surface != nullptr ? surface : IMG_Load((path + ".jpg").c_str());
}
} // namespace

std::shared_ptr<TFontTexture> TFontTexture::Load(const std::string& name) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer == nullptr) {
        return nullptr;
    }
    SDL_Surface* surface = LoadSurface(name);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    int width = surface->w;
    int height = surface->h;
    SDL_FreeSurface(surface);
    if (texture == nullptr) {
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return std::shared_ptr<TFontTexture>(new TFontTexture(renderer, texture, width, height));
}

TFontTexture::TFontTexture(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height)
    : mRenderer(renderer), mTexture(texture), mWidth(width), mHeight(height) {}

TFontTexture::~TFontTexture() {
    // A renderer that is gone has destroyed its textures with it.
    if (mRenderer == GetSDLRenderer()) {
        SDL_DestroyTexture(mTexture);
    }
}

void TFontTexture::Draw(const TFontRect& source, int x, int y, int w, int h, uint32_t color) const {
    Uint8 alpha = static_cast<Uint8>(color >> 24);
    if (alpha == 0 || mRenderer != GetSDLRenderer()) {
        return;
    }
    SDL_SetTextureColorMod(mTexture, static_cast<Uint8>(color >> 16), static_cast<Uint8>(color >> 8),
                           static_cast<Uint8>(color));
    SDL_SetTextureAlphaMod(mTexture, alpha);
    SDL_Rect from{source.x, source.y, source.w, source.h};
    SDL_FRect to{static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h)};
    SDL_RenderCopyF(mRenderer, mTexture, &from, &to);
}
