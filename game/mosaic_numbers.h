#pragma once
// The board's numbers (clue numbers and the numbers along a stroke) drawn centred in their frames with
// an image font of the font registry.

#include <cstdint>
#include <string>

#include "rules/mosaic_geometry.h"

class TNumberPainter {
public:
    static constexpr const char* kDefaultFont = "default16";
    // Dark ink, opaque; a number's alpha scales the opacity.
    static constexpr uint32_t kInk = 0xFF3C3028u;

    explicit TNumberPainter(std::string fontId = kDefaultFont) : mFontId(std::move(fontId)) {}

    // The value centred in the frame; nothing without the font (its absence is reported once).
    void Draw(int value, const TPixelRect& frame, float alpha) const;

private:
    std::string mFontId;
};
