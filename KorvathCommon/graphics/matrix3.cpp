#include "graphics/matrix3.h"

#include <cmath>

void TMatrix3::Copy(const TMatrix3& other) {
    if (&other != this) {
        *this = other;
    }
}

void TMatrix3::Multiply(TMatrix3& result, const TMatrix3& a, const TMatrix3& b) {
    TMatrix3 product;
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            product.m[r][c] = a.m[r][0] * b.m[0][c] + a.m[r][1] * b.m[1][c];
        }
        product.m[r][2] = 0;
    }
    for (int c = 0; c < 3; ++c) {
        product.m[2][c] = a.m[2][c];
    }
    result = product;
}

void TMatrix3::Rotate(float angle) {
    TMatrix3 rotation;
    rotation.m[0][0] = std::cos(angle);
    rotation.m[0][1] = std::sin(angle);
    rotation.m[1][0] = -std::sin(angle);
    rotation.m[1][1] = std::cos(angle);
    Multiply(*this, *this, rotation);
}

void TMatrix3::Scale(float sx, float sy) {
    TMatrix3 scale;
    scale.m[0][0] = sx;
    scale.m[1][1] = sy;
    Multiply(*this, *this, scale);
}
