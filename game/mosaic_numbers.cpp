#include "mosaic_numbers.h"

#include <algorithm>
#include <cmath>

#include "graphics/font_registry.h"

namespace {

uint32_t WithAlpha(uint32_t argb, float alpha) {
    const float clamped = std::clamp(alpha, 0.0f, 1.0f);
    const auto opacity = static_cast<uint32_t>(std::lround(static_cast<float>(argb >> 24) * clamped));
    return (opacity << 24) | (argb & 0x00FFFFFFu);
}

} // namespace

void TNumberPainter::Draw(int value, const TPixelRect& frame, float alpha) const {
    // The registry is looked up on every draw: it may be rebuilt while a board lives.
    ImageFont* font = TFontRegistry::GetInstance()->FindFont(mFontId);
    if (font == nullptr || !(alpha > 0.0f)) {
        return;
    }
    const std::wstring text = std::to_wstring(value);
    const int left = frame.x + (frame.w - font->GetTextWidthW(text)) / 2;
    const int top = frame.y + (frame.h - font->GetHeight()) / 2;
    font->DrawStringAtW(left, top + font->GetAscent(), text, WithAlpha(kInk, alpha), 0, true);
}
