#include "graphics/render_state.h"

#include <cmath>

void TRenderState::Init(float x, float y, float alphaValue, float scale, int flagBits) {
    *this = TRenderState();
    alpha = alphaValue;
    flags = flagBits;
    if (scale != 1.0f) {
        transform.Scale(scale, scale);
    }
    SetTranslation(x, y);
}

float TRenderState::GetScaleX() const {
    return std::hypot(transform.m[0][0], transform.m[0][1], transform.m[0][2]);
}

float TRenderState::GetScaleY() const {
    return std::hypot(transform.m[1][0], transform.m[1][1], transform.m[1][2]);
}

void TRenderState::SetScale(float sx, float sy) {
    TMatrix3 scaled;
    scaled.Scale(sx, sy);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            transform.m[r][c] = scaled.m[r][c];
        }
    }
}

void TRenderState::SetTranslation(float x, float y) {
    transform.m[2][0] = x;
    transform.m[2][1] = y;
    transform.m[2][2] = 1;
}

TColorArgb::TColorArgb(int red, int green, int blue, int alpha)
    : value((static_cast<uint32_t>(alpha & 0xFF) << 24) | (static_cast<uint32_t>(red & 0xFF) << 16) |
            (static_cast<uint32_t>(green & 0xFF) << 8) | static_cast<uint32_t>(blue & 0xFF)) {}
