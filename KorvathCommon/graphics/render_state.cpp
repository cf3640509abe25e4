#include "graphics/render_state.h"

#include <cmath>

TScreenOffset gScreenOffset;

void TRenderState::Init(float x, float y, float alphaValue, float scale, int flagBits) {
    *this = TRenderState();
    alpha = alphaValue;
    flags = flagBits;
    if (scale != 1.0f) {
        SetScale(scale, scale);
    }
    SetTranslation(x, y);
}

float TRenderState::GetScaleX() const {
    return std::hypot(transform[0][0], transform[0][1], transform[0][2]);
}

float TRenderState::GetScaleY() const {
    return std::hypot(transform[1][0], transform[1][1], transform[1][2]);
}

void TRenderState::SetScale(float sx, float sy) {
    transform[0][0] = sx;
    transform[0][1] = 0;
    transform[0][2] = 0;
    transform[1][0] = 0;
    transform[1][1] = sy;
    transform[1][2] = 0;
}

void TRenderState::SetTranslation(float x, float y) {
    transform[2][0] = x;
    transform[2][1] = y;
    transform[2][2] = 1;
}

TColorArgb::TColorArgb(int red, int green, int blue, int alpha)
    : value((static_cast<uint32_t>(alpha & 0xFF) << 24) | (static_cast<uint32_t>(red & 0xFF) << 16) |
            (static_cast<uint32_t>(green & 0xFF) << 8) | static_cast<uint32_t>(blue & 0xFF)) {}
