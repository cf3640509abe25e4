#pragma once
// Small helpers for the images windows draw: their texture's size and the part of it they show.

#include "graphics/static_image.h"
#include "windows/window.h"

// 0 without a texture.
int TextureWidth(const StaticImage& image);
int TextureHeight(const StaticImage& image);
// The image draws only this rectangle of its texture from now on.
void SetSourceRect(StaticImage& image, const TWindowRect& rect);
