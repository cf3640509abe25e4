#pragma once
// Positions counted in whole pixels, towards zero. A value a broken file stretches beyond any screen (or to
// infinity) is held within 2^29 pixels, so sums of a few edges stay inside int; one that is not a number
// counts as 0.

#include <algorithm>
#include <cmath>

inline int WholePixels(float value) {
    constexpr float kFarBeyondAnyScreen = 536870912.0f;
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, -kFarBeyondAnyScreen, kFarBeyondAnyScreen));
}
