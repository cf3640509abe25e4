#include "windows/viewport.h"

#include <SDL.h>

#include "app/display_modes.h"
#include "app/renderer.h"

namespace {
// The viewport's origin moves, its size stays. SDL reads a viewport in the units of the current scale,
// so the frame's scale is set first: the origin is then in design units whatever ran before.
void PlaceViewport(SDL_Renderer* renderer, int x, int y) {
    const TDisplayValues& display = GetDisplay();
    SDL_RenderSetScale(renderer, display.mScaleX, display.mScaleY);
    SDL_Rect viewport{};
    SDL_RenderGetViewport(renderer, &viewport);
    viewport.x = x;
    viewport.y = y;
    SDL_RenderSetViewport(renderer, &viewport);
}
} // namespace

void SetScaledViewport(float x, float y, float scaleX, float scaleY) {
    TRenderer* record = GetRenderer();
    if (record == nullptr || record->GetRenderer() == nullptr) {
        return;
    }
    const int offsetX = static_cast<int>(x);
    const int offsetY = static_cast<int>(y);
    record->SetViewportOffset(offsetX, offsetY);
    PlaceViewport(record->GetRenderer(), offsetX, offsetY);
    const TDisplayValues& display = GetDisplay();
    SDL_RenderSetScale(record->GetRenderer(), display.mScaleX * scaleX, display.mScaleY * scaleY);
}

void ResetViewport() {
    TRenderer* record = GetRenderer();
    if (record == nullptr || record->GetRenderer() == nullptr) {
        return;
    }
    record->SetViewportOffset(0, 0);
    PlaceViewport(record->GetRenderer(), 0, 0);
}
