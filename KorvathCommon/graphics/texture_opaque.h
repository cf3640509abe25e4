#pragma once
// What the engine knows of the opaque part of textures with an alpha channel, for the draws that copy
// instead of blending: the smallest rectangle holding every pixel whose alpha is not 255. An empty box
// means opaque everywhere. Known only for single images loaded with their alpha maps.

#include <SDL.h>

// Records the box of a texture from the surface it was made from: 32-bit pixels with an alpha mask;
// nothing is known of textures made from other surfaces.
void NoteTranslucentBox(SDL_Texture* texture, const SDL_Surface& surface);
// The texture's box; false when nothing is known of it.
bool GetTranslucentBox(SDL_Texture* texture, SDL_Rect& box);
// The rectangle of a texture that is opaque inside it and fully clear outside it (a tile with a clear
// margin), the rectangle smaller than the texture; false when the texture is not so, or nothing is known.
bool GetOpaqueCore(SDL_Texture* texture, SDL_Rect& core);
// A rectangle of fully clear pixels in the middle of the texture, at least half of it (a frame's open
// middle); false when the texture has none, or nothing is known.
bool GetClearHole(SDL_Texture* texture, SDL_Rect& hole);
// The smallest rectangle holding every pixel of the texture that is not fully clear, when it leaves out
// at least a quarter of the texture (a cloud in a wide strip); false otherwise, or when nothing is known.
bool GetVisibleBox(SDL_Texture* texture, SDL_Rect& box);
// The texture is going.
void ForgetTranslucentBox(SDL_Texture* texture);
