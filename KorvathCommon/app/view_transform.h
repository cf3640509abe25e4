#pragma once
// How the design space lands on the renderer's output: one uniform scale that fits it whole, centred,
// with black bars where the output's shape differs from the design's. Drawing goes through it forward
// (the renderer's viewport and scale), pointer input once through its inverse.

struct SDL_Renderer;

struct TViewTransform {
    float scale = 1.0f;
    // Where the design origin lands, in output pixels.
    int offsetX = 0;
    int offsetY = 0;
    // The output pixels the design area covers; 0 while no output size is known (the whole output).
    int width = 0;
    int height = 0;

    // An output pixel in design units, rounded down: a pointer in a bar lands outside the design space.
    int ToDesignX(int x) const;
    int ToDesignY(int y) const;
    // A design point on the output, in pixels.
    float ToOutputX(float designX) const { return static_cast<float>(offsetX) + designX * scale; }
    float ToOutputY(float designY) const { return static_cast<float>(offsetY) + designY * scale; }
};

// The largest uniform scale at which the design size fits the output, centred on it.
TViewTransform FitDesignToOutput(int designWidth, int designHeight, int outputWidth, int outputHeight);

// Puts the transform on the renderer: the viewport covers the design area with its origin moved by
// (originX, originY) design units, and the render scale is the transform's times the factors. The
// viewport ends where the design area ends, so nothing is drawn over the right and bottom bars.
void ApplyViewTransform(SDL_Renderer* renderer, const TViewTransform& view, int originX = 0, int originY = 0,
                        float factorX = 1.0f, float factorY = 1.0f);
