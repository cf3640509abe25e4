#pragma once
// The renderer record of the game's window and two rectangle-drawing helpers.

#include <memory>

#include "app/color.h"

struct SDL_Renderer;
struct SDL_Window;

// A layer above may take fills instead of the renderer (the frame's noted draws): true when it took it.
using TFillTaker = bool (*)(int x, int y, int w, int h, const TColor& color);
void SetFillTaker(TFillTaker taker);

class TRenderer {
public:
    // The accelerated, vsynced renderer with render targets; when SDL cannot make one, the software
    // renderer (logged). Without either the record holds no SDL renderer.
    explicit TRenderer(SDL_Window* window);
    ~TRenderer();
    TRenderer(const TRenderer&) = delete;
    TRenderer& operator=(const TRenderer&) = delete;

    SDL_Renderer* GetRenderer() const { return mRenderer; }
    bool IsDirect3D() const { return mDirect3D; }
    // False when the renderer runs without vertical sync, so the main loop paces itself.
    bool HasVSync() const { return mVSync; }

    // Fills an integer rectangle with a colour (components 0..1), keeping the current draw colour.
    void FillRect(int x, int y, int w, int h, const TColor& color);

    // Where a scaled viewport puts the design origin (0, 0 unless one is set).
    void SetViewportOffset(int x, int y) {
        mViewportOffsetX = x;
        mViewportOffsetY = y;
    }
    int GetViewportOffsetX() const { return mViewportOffsetX; }
    int GetViewportOffsetY() const { return mViewportOffsetY; }

private:
    SDL_Renderer* mRenderer = nullptr;
    bool mDirect3D = false;
    bool mVSync = false;
    int mViewportOffsetX = 0;
    int mViewportOffsetY = 0;
};

// Destroys the existing renderer record, then builds a new one for the window.
TRenderer* CreateRenderer(SDL_Window* window);
// The current renderer record, or null.
TRenderer* GetRenderer();
// The SDL renderer of the current record, or null.
SDL_Renderer* GetSDLRenderer();
void DestroyRenderer();

// A one-pixel outline as four filled lines (edges at negative coordinates are left out).
void DrawRectFrame(int x, int y, int w, int h, const TColor& color);
