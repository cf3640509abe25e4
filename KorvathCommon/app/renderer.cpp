#include "app/renderer.h"

#include <SDL.h>
#include <cstring>

#include "app/float_rect.h"
#include "app/frame_clear.h"
#include "app/log.h"

namespace {
std::unique_ptr<TRenderer> gRenderer;
TFillTaker gFillTaker = nullptr;
} // namespace

TRenderer::TRenderer(SDL_Window* window) {
    if (window == nullptr) {
        return;
    }
    mRenderer = SDL_CreateRenderer(window, -1,
                                   SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE);
    if (mRenderer == nullptr) {
        TLogFile::Get()->Printf("accelerated renderer failed: %s, using the software renderer", SDL_GetError());
        mRenderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    }
    if (mRenderer == nullptr) {
        TLogFile::Get()->Printf("renderer failed: %s", SDL_GetError());
        return;
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(mRenderer, &info) == 0) {
        mDirect3D = info.name != nullptr && std::strcmp(info.name, "direct3d") == 0;
        // The software renderer accepts the vsync flag but presents without waiting for the display.
        mVSync = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0 && (info.flags & SDL_RENDERER_SOFTWARE) == 0;
    }
}

TRenderer::~TRenderer() {
    if (mRenderer != nullptr) {
        SDL_DestroyRenderer(mRenderer);
    }
}

void SetFillTaker(TFillTaker taker) {
    gFillTaker = taker;
}

void TRenderer::FillRect(int x, int y, int w, int h, const TColor& color) {
    if (mRenderer == nullptr || (gFillTaker != nullptr && gFillTaker(x, y, w, h, color))) {
        return;
    }
    // The frame's clear, if still owed, is made in the draw colour of the frame, not the fill's.
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(mRenderer, &blend);
    const TFloatRect area{static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h)};
    BeforeDraw(TDrawCall{&area, blend != SDL_BLENDMODE_NONE, false});
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(mRenderer, &r, &g, &b, &a);
    const auto byte = [](float v) { return static_cast<Uint8>(SDL_clamp(v, 0.0f, 1.0f) * 255.0f); };
    SDL_SetRenderDrawColor(mRenderer, byte(color.r), byte(color.g), byte(color.b), byte(color.a));
    SDL_Rect rect{x, y, w, h};
    SDL_RenderFillRect(mRenderer, &rect);
    SDL_SetRenderDrawColor(mRenderer, r, g, b, a);
}

TRenderer* CreateRenderer(SDL_Window* window) {
    ForgetDesignTarget();
    gRenderer.reset();
    gRenderer = std::make_unique<TRenderer>(window);
    return gRenderer.get();
}

TRenderer* GetRenderer() {
    return gRenderer.get();
}

SDL_Renderer* GetSDLRenderer() {
    return gRenderer ? gRenderer->GetRenderer() : nullptr;
}

void DestroyRenderer() {
    ForgetDesignTarget();
    gRenderer.reset();
}

void DrawRectFrame(int x, int y, int w, int h, const TColor& color) {
    TRenderer* renderer = GetRenderer();
    if (renderer == nullptr) {
        return;
    }
    if (x >= 0 && y >= 0) {
        renderer->FillRect(x, y, w, 1, color);
    }
    if (x >= 0 && y + h - 1 >= 0) {
        renderer->FillRect(x, y + h - 1, w, 1, color);
    }
    if (x >= 0 && y >= 0) {
        renderer->FillRect(x, y, 1, h, color);
    }
    if (y >= 0 && x + w - 1 >= 0) {
        renderer->FillRect(x + w - 1, y, 1, h, color);
    }
}
