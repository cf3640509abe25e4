#pragma once
// The bottom layers of a frame kept in a target texture of the frame's size and copied while they stay
// the same. Each frame the layers' drawing runs once with its draws noted, not made; when the notes are
// those of the pixels in the cache, one opaque copy of the cache stands for them all. Otherwise they
// are drawn into the cache (from black, as the frame's clear leaves the output) and the cache copied,
// unless they changed the frame before as well: layers that change every frame are drawn straight on
// the output, so they cost no more than without a cache. When only a few draws changed (a painted
// cell), only the pixels they can touch are drawn again in the cache, from black, with every layer
// clipped to them: that needs the layers' draws there to be unscaled at whole pixels, as for the
// moving draws below.
//
// Between the layers under and over them may lie small draws that move every frame (particles): they
// are left out of the cache, and wherever one of them lands the layers are drawn again over the copy,
// clipped to its place, with it between them: the pixels of drawing them all in turn. A place holds its
// moving draws whole, and the layers' draws that cross it must be unscaled at whole pixels, so cutting
// them changes none of their pixels; otherwise the frame is drawn directly. With nothing over them, the
// moving draws are simply made over the copy, wherever they land.
//
// Only the frame's first draws can be cached (nothing under them but the clear), drawn in the frame's
// own state (its viewport and scale, no clip): the cache is of the frame target's size and the layers
// are drawn into it in that same state, so its pixels are the output's also at a scaled output, where
// they stand for every image's scaled draw. There the layers cannot be cut by the moving draws' places.
// With the draw shortcuts off nothing is cached.

#include <SDL.h>

#include <functional>
#include <vector>

#include "app/frame_clear.h"
#include "graphics/draw_notes.h"
#include "graphics/texture.h"

class TLayerCache {
public:
    // Draws under, moving and over, in turn, through the cache; false when the cache cannot be used now
    // (nothing was drawn: the caller draws the three itself).
    bool Draw(const std::function<void()>& under, const std::function<void()>& moving,
              const std::function<void()>& over);
    // Lets go of the cache's texture.
    void Release();

    // What the last Draw did, for the tests and the benchmark.
    enum TOutcome { kNotUsed, kCopied, kRefreshed, kPatched, kDrawnDirectly };
    TOutcome GetLastOutcome() const { return mLastOutcome; }

private:
    bool CanCache(int& width, int& height) const;
    // The places of the moving draws, overlapping ones joined; false when one of them cannot be drawn
    // again clipped to its place with the same pixels.
    bool FindMovingPlaces();
    // The layers and the moving draws again, each inside the places only.
    void DrawMovingPlaces(const std::function<void()>& under, const std::function<void()>& moving,
                          const std::function<void()>& over);
    // Whether the layers' draws that cross the places put down exactly their own pixels when clipped.
    bool CutsCleanly(const std::vector<SDL_Rect>& places) const;
    // The pixels of the cache (the last frame's layers) that this frame's layers change, as places that
    // do not overlap; false when that is most of the frame or the layers cannot be cut there.
    bool FindChangedPlaces(int width, int height);
    // The changed places drawn again in the cache; false when the cache cannot be drawn into.
    bool Patch(const std::function<void()>& under, const std::function<void()>& over, SDL_Texture* frameTarget,
               const TFrameArea& area);

    TTextureHandle mTarget;
    // The format asked for the target (0: ARGB8888).
    uint32_t mTargetFormat = 0;
    // This frame's layers (under, then over) and the last frame's, which the cache holds when valid.
    TDrawNotes mNotes;
    std::vector<uint32_t> mLastWords;
    std::vector<TNotedDraw> mLastDraws;
    TDrawNotes mMoving;
    std::vector<SDL_Rect> mPlaces;
    std::vector<SDL_Rect> mChanged;
    bool mCacheValid = false;
    // The frame area the cache was drawn for.
    TFrameArea mArea;
    bool mChangedLastFrame = false;
    TOutcome mLastOutcome = kNotUsed;
};
