#pragma once
// The one call that puts texture pixels on the renderer, over stock SDL2.

#include "app/float_rect.h"

struct SDL_Rect;
struct SDL_Renderer;
struct SDL_Texture;

// Draws the source rectangle of a texture with its top-left corner at (dstX, dstY), its width and height
// multiplied by the two scales, rotated by angle radians about the centre given in source pixels from that
// corner (the centre scales with the image), flipped by the SDL_RendererFlip bits. A fractional source
// rectangle is drawn as two textured triangles so its edges stay exact; everything else goes through
// SDL_RenderCopyExF. The texture's colour, alpha and blend modes apply either way. 0 on success.
int RenderCopyExFloat(SDL_Renderer* renderer, SDL_Texture* texture, const TFloatRect& source, float dstX, float dstY,
                      float scaleX, float scaleY, double angle, float centreX, float centreY, int flip);

// The draw RenderCopyExFloat makes of the source rectangle (the same place, size, turn and flip), copying
// the texture's whole-texel rectangle texels stretched over it instead: for a picture of one colour kept
// as a smaller texture, whose every sample is that colour. 0 on success.
int RenderCopyStretchedFloat(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect& texels,
                             const TFloatRect& source, float dstX, float dstY, float scaleX, float scaleY, double angle,
                             float centreX, float centreY, int flip);

// Gives the second texture the first one's blend mode and colour and alpha modulation, so a stand-in for a
// picture draws as the picture would.
void CopyDrawModes(SDL_Texture* from, SDL_Texture* to);
