#pragma once
// Clips drawing to a rectangle for its lifetime, then puts back the clip that was in force before, so an
// enclosing clip survives the objects drawn inside it.

#include <SDL.h>

#include "app/renderer.h"
#include "objects/object_records.h"

class TScopedClip {
public:
    // Nothing is clipped for a rectangle without width.
    explicit TScopedClip(const TRect& rect) : mRenderer(GetSDLRenderer()) {
        if (mRenderer == nullptr || rect.w <= 0) {
            mRenderer = nullptr;
            return;
        }
        mHadClip = SDL_RenderIsClipEnabled(mRenderer) == SDL_TRUE;
        SDL_RenderGetClipRect(mRenderer, &mPrevious);
        const SDL_Rect clip{rect.x, rect.y, rect.w, rect.h};
        SDL_RenderSetClipRect(mRenderer, &clip);
    }
    ~TScopedClip() {
        if (mRenderer != nullptr) {
            SDL_RenderSetClipRect(mRenderer, mHadClip ? &mPrevious : nullptr);
        }
    }
    TScopedClip(const TScopedClip&) = delete;
    TScopedClip& operator=(const TScopedClip&) = delete;

private:
    SDL_Renderer* mRenderer;
    SDL_Rect mPrevious{0, 0, 0, 0};
    bool mHadClip = false;
};
