#pragma once
// The record every textured draw hands to TTexture::Draw, the packed colour of text tints and the
// screen offset added to every image draw.

#include <cstdint>

#include "app/color.h"
#include "app/screen_offset.h"
#include "graphics/matrix3.h"

struct TRenderState {
    // Flag bits.
    static constexpr int kFlipHorizontal = 1;
    static constexpr int kFlipVertical = 2;
    static constexpr int kSourceRect = 4;
    static constexpr int kCentre = 8;
    // Blend modes; any other value draws without blending.
    static constexpr int kBlendAlpha = 1;
    static constexpr int kBlendAdd = 2;
    static constexpr int kBlendModulate = 3;

    // Row by row: x axis, y axis, translation (destination x, destination y, 1). Only the axis lengths
    // (the scale factors) and the translation reach the renderer; rotation travels in the angle.
    TMatrix3 transform;
    // Rotation centre in source pixels from the source rectangle's corner; used with kCentre.
    float centreX = 0;
    float centreY = 0;
    // Multiplied into the texture colour; its alpha is not used.
    TColor color;
    // Opacity 0..1; 0 or less draws nothing.
    float alpha = 1;
    // Part of the texture to draw; used with kSourceRect.
    float srcX = 0;
    float srcY = 0;
    float srcW = 0;
    float srcH = 0;
    int flags = 0;
    // Radians.
    float angle = 0;
    int blend = kBlendAlpha;

    // Identity transform, white, the alpha, no source rectangle, angle 0, alpha blending; a uniform scale
    // other than 1 multiplies the axes; the translation becomes the position.
    void Init(float x, float y, float alphaValue, float scale, int flagBits);

    float GetScaleX() const;
    float GetScaleY() const;
    // The axes become diag(sx, sy): scale without rotation.
    void SetScale(float sx, float sy);
    void SetTranslation(float x, float y);
    float GetTranslationX() const { return transform.m[2][0]; }
    float GetTranslationY() const { return transform.m[2][1]; }
};

// A rectangle of a texture in whole pixels: a frame of a strip, a particle's sprite.
struct TFrameRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// A colour packed as 0xAARRGGBB; each component keeps its low 8 bits.
struct TColorArgb {
    uint32_t value = 0;

    TColorArgb() = default;
    TColorArgb(int red, int green, int blue, int alpha);

    int Red() const { return static_cast<int>((value >> 16) & 0xFF); }
    int Green() const { return static_cast<int>((value >> 8) & 0xFF); }
    int Blue() const { return static_cast<int>(value & 0xFF); }
    int Alpha() const { return static_cast<int>(value >> 24); }
};
