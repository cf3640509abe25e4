#pragma once
// A mark on SDL textures whose every pixel is opaque although their format has an alpha channel (a PNG
// saved with one): drawn at full alpha, such a texture is copied instead of blended, the same pixels for
// far less.

#include <SDL.h>

inline char gOpaqueTextureMark = 0;

inline void MarkOpaqueTexture(SDL_Texture* texture) {
    SDL_SetTextureUserData(texture, &gOpaqueTextureMark);
}

inline bool IsMarkedOpaque(SDL_Texture* texture) {
    return SDL_GetTextureUserData(texture) == &gOpaqueTextureMark;
}
