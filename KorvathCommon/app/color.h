#pragma once
// A colour as four floats 0..1.

struct TColor {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;

    bool operator==(const TColor&) const = default;
};
