#include "app/frame_clear.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

#include "app/float_rect.h"
#include "app/renderer.h"

namespace {

bool gShortcuts = true;
bool gPending = false;
bool gSkipped = false;
TFrameArea gArea;
TDrawCounts gCounts;
bool gThroughTarget = false;
SDL_Texture* gDesignTarget = nullptr;

// The rectangle's output pixels inside the area, in the frame's own drawing state.
double AreaPixels(const TFloatRect& rect) {
    const double left = std::max(0.0, static_cast<double>(rect.x) * gArea.scaleX);
    const double top = std::max(0.0, static_cast<double>(rect.y) * gArea.scaleY);
    const double right =
        std::min(static_cast<double>(gArea.width), (rect.x + rect.w) * static_cast<double>(gArea.scaleX));
    const double bottom =
        std::min(static_cast<double>(gArea.height), (rect.y + rect.h) * static_cast<double>(gArea.scaleY));
    return right > left && bottom > top ? (right - left) * (bottom - top) : 0.0;
}

// The part of a rectangle inside the renderer's clip (the whole rectangle without one), in the same units.
TFloatRect InsideClip(SDL_Renderer* renderer, const TFloatRect& rect) {
    if (SDL_RenderIsClipEnabled(renderer) != SDL_TRUE) {
        return rect;
    }
    SDL_Rect clip{};
    SDL_RenderGetClipRect(renderer, &clip);
    const float left = std::max(rect.x, static_cast<float>(clip.x));
    const float top = std::max(rect.y, static_cast<float>(clip.y));
    const float right = std::min(rect.x + rect.w, static_cast<float>(clip.x + clip.w));
    const float bottom = std::min(rect.y + rect.h, static_cast<float>(clip.y + clip.h));
    return right > left && bottom > top ? TFloatRect{left, top, right - left, bottom - top} : TFloatRect{};
}

// The whole target black, whatever the draw colour of the moment.
void ClearBlack(SDL_Renderer* renderer) {
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_SetRenderDrawColor(renderer, r, g, b, a);
    ++gCounts.calls;
}

// Fills a rectangle black in the current render units, whatever the colour and blend of the moment.
void FillBlack(SDL_Renderer* renderer, const SDL_FRect& rect) {
    if (rect.w <= 0 || rect.h <= 0) {
        return;
    }
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(renderer, &blend);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_RenderFillRectF(renderer, &rect);
    ++gCounts.calls;
    SDL_SetRenderDrawBlendMode(renderer, blend);
    SDL_SetRenderDrawColor(renderer, r, g, b, a);
}

// Whether a draw of that rectangle, made now, lands on every pixel of the frame's area. It holds only in
// the frame's own drawing state (its scale, no clip, no moved viewport), where the output pixels of a
// rectangle are known: SDL's software renderer truncates the scaled corner and size, and other renderers
// fill what the rectangle covers, so both are checked.
bool CoversArea(SDL_Renderer* renderer, const TFloatRect& rect) {
    float scaleX = 0, scaleY = 0;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    const TRenderer* record = GetRenderer();
    if (scaleX != gArea.scaleX || scaleY != gArea.scaleY || SDL_RenderIsClipEnabled(renderer) == SDL_TRUE ||
        record == nullptr || record->GetViewportOffsetX() != 0 || record->GetViewportOffsetY() != 0) {
        return false;
    }
    const float left = static_cast<float>(gArea.x) + rect.x * scaleX;
    const float top = static_cast<float>(gArea.y) + rect.y * scaleY;
    const float width = rect.w * scaleX;
    const float height = rect.h * scaleY;
    const float right = static_cast<float>(gArea.x + gArea.width);
    const float bottom = static_cast<float>(gArea.y + gArea.height);
    const bool coversExactly = left <= static_cast<float>(gArea.x) && top <= static_cast<float>(gArea.y) &&
                               left + width >= right && top + height >= bottom;
    const int pixelLeft = static_cast<int>(left);
    const int pixelTop = static_cast<int>(top);
    const bool coversInPixels = pixelLeft <= gArea.x && pixelTop <= gArea.y &&
                                pixelLeft + static_cast<int>(width) >= gArea.x + gArea.width &&
                                pixelTop + static_cast<int>(height) >= gArea.y + gArea.height;
    return coversExactly && coversInPixels;
}

} // namespace

void BeginFrameClear(const TFrameArea& area) {
    gArea = area;
    gPending = true;
    gSkipped = false;
    // A frame drawn into a texture first is counted once, at its output.
    gCounts.frames += area.target == nullptr ? 1 : 0;
    SDL_Renderer* renderer = GetSDLRenderer();
    int width = 0, height = 0;
    if (renderer == nullptr || area.target != nullptr || SDL_GetRendererOutputSize(renderer, &width, &height) != 0) {
        return;
    }
    if (area.x <= 0 && area.y <= 0 && area.x + area.width >= width && area.y + area.height >= height) {
        return;
    }
    // The bars: drawn at the output's own pixels; the frame sets its scale and viewport again after this.
    SDL_RenderSetViewport(renderer, nullptr);
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    const int right = area.x + area.width;
    const int bottom = area.y + area.height;
    const auto fill = [renderer](int x, int y, int w, int h) {
        FillBlack(renderer, SDL_FRect{static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                                      static_cast<float>(h)});
    };
    fill(0, 0, width, area.y);
    fill(0, bottom, width, height - bottom);
    fill(0, area.y, area.x, area.height);
    fill(right, area.y, width - right, area.height);
}

void BeforeDraw(const TDrawCall& call) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer == nullptr) {
        return;
    }
    // Draws into cached layers count too: they are part of what the frames cost.
    ++gCounts.calls;
    const bool onFrame = SDL_GetRenderTarget(renderer) == gArea.target;
    if (call.blended && call.rect != nullptr) {
        const TFloatRect counted = InsideClip(renderer, *call.rect);
        gCounts.blendedPixels += onFrame ? AreaPixels(counted) : static_cast<double>(counted.w * counted.h);
    }
    if (!onFrame || !gPending) {
        return;
    }
    gPending = false;
    if (gShortcuts && !call.blended && call.plainCopy && call.rect != nullptr && CoversArea(renderer, *call.rect)) {
        gSkipped = true;
        ++gCounts.clearsLeftOut;
        return;
    }
    ClearBlack(renderer);
}

bool TakeFrameCover(const TFloatRect& rect) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (!gPending || !gShortcuts || renderer == nullptr || SDL_GetRenderTarget(renderer) != gArea.target ||
        !CoversArea(renderer, rect)) {
        return false;
    }
    gPending = false;
    gSkipped = true;
    ++gCounts.clearsLeftOut;
    return true;
}

void FillFrameBlack(const TFloatRect& rect) {
    if (SDL_Renderer* renderer = GetSDLRenderer()) {
        FillBlack(renderer, SDL_FRect{rect.x, rect.y, rect.w, rect.h});
    }
}

void MarkFrameCovered() {
    gPending = false;
    ++gCounts.calls;
}

void LeaveOutFrameClear() {
    if (gPending) {
        gSkipped = true;
        ++gCounts.clearsLeftOut;
    }
    gPending = false;
    ++gCounts.calls;
}

void FinishFrameClear() {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (gPending && renderer != nullptr) {
        SDL_SetRenderTarget(renderer, gArea.target);
        ClearBlack(renderer);
    }
    gPending = false;
}

bool WasFrameClearSkipped() {
    return gSkipped;
}

const TFrameArea& GetFrameArea() {
    return gArea;
}

bool IsFrameClearPending() {
    return gPending;
}

TDrawCounts& GetDrawCounts() {
    return gCounts;
}

void SetScaledThroughTarget(bool enabled) {
    gThroughTarget = enabled;
    // A screen's worth of pixels that only the through-target drawing uses.
    if (!enabled) {
        ForgetDesignTarget();
    }
}

bool IsScaledThroughTarget() {
    return gThroughTarget;
}

SDL_Texture* GetDesignTarget(int width, int height) {
    int w = 0, h = 0;
    if (gDesignTarget != nullptr && SDL_QueryTexture(gDesignTarget, nullptr, nullptr, &w, &h) == 0 && w == width &&
        h == height) {
        return gDesignTarget;
    }
    ForgetDesignTarget();
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer != nullptr) {
        gDesignTarget = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    }
    if (gDesignTarget != nullptr) {
        SDL_SetTextureBlendMode(gDesignTarget, SDL_BLENDMODE_NONE);
    }
    return gDesignTarget;
}

void ForgetDesignTarget() {
    if (gDesignTarget != nullptr) {
        SDL_DestroyTexture(gDesignTarget);
        gDesignTarget = nullptr;
    }
}

void SetDrawShortcuts(bool enabled) {
    gShortcuts = enabled;
}

bool AreDrawShortcutsOn() {
    return gShortcuts;
}
