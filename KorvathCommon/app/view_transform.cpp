#include "app/view_transform.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

namespace {

// A division rather than a product with the reciprocal, so a pixel on a unit's edge maps to that unit
// as the forward mapping draws it.
int ToDesign(int pixel, int offset, float scale) {
    return static_cast<int>(std::floor(static_cast<float>(pixel - offset) / scale));
}

// The pixels a design length covers at the scale, never more than the output has.
int CoveredPixels(int designLength, float scale, int outputLength) {
    return std::min(outputLength, static_cast<int>(std::ceil(static_cast<float>(designLength) * scale)));
}

} // namespace

int TViewTransform::ToDesignX(int x) const {
    return ToDesign(x, offsetX, scale);
}

int TViewTransform::ToDesignY(int y) const {
    return ToDesign(y, offsetY, scale);
}

TViewTransform FitDesignToOutput(int designWidth, int designHeight, int outputWidth, int outputHeight) {
    TViewTransform view;
    if (designWidth <= 0 || designHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) {
        return view;
    }
    view.scale = std::min(static_cast<float>(outputWidth) / static_cast<float>(designWidth),
                          static_cast<float>(outputHeight) / static_cast<float>(designHeight));
    view.width = CoveredPixels(designWidth, view.scale, outputWidth);
    view.height = CoveredPixels(designHeight, view.scale, outputHeight);
    view.offsetX = (outputWidth - view.width) / 2;
    view.offsetY = (outputHeight - view.height) / 2;
    return view;
}

void ApplyViewTransform(SDL_Renderer* renderer, const TViewTransform& view, int originX, int originY, float factorX,
                        float factorY) {
    if (renderer == nullptr) {
        return;
    }
    // SDL takes a viewport in the units of the scale in force, so it is set in output pixels at scale 1.
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    if (view.width <= 0 || view.height <= 0) {
        SDL_RenderSetViewport(renderer, nullptr);
    } else {
        const int left = static_cast<int>(std::lround(view.ToOutputX(static_cast<float>(originX))));
        const int top = static_cast<int>(std::lround(view.ToOutputY(static_cast<float>(originY))));
        const SDL_Rect viewport{left, top, std::max(0, view.offsetX + view.width - left),
                                std::max(0, view.offsetY + view.height - top)};
        SDL_RenderSetViewport(renderer, &viewport);
    }
    SDL_RenderSetScale(renderer, view.scale * factorX, view.scale * factorY);
}
