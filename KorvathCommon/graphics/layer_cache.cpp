#include "graphics/layer_cache.h"

#include "app/frame_clear.h"
#include "app/renderer.h"

namespace {

// The frame's own drawing state on the current target: the viewport on the picture area, the frame's
// scale. SDL puts a new target's viewport and scale back to its whole and 1, so it is set again after
// each change of target.
void ApplyFrameState(SDL_Renderer* renderer, const TFrameArea& area) {
    // The viewport in output pixels, so at scale 1.
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    const SDL_Rect viewport{area.x, area.y, area.width, area.height};
    SDL_RenderSetViewport(renderer, &viewport);
    SDL_RenderSetScale(renderer, area.scaleX, area.scaleY);
}

bool SameArea(const TFrameArea& a, const TFrameArea& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height && a.scaleX == b.scaleX &&
           a.scaleY == b.scaleY;
}

// The pixel format of what the frame is drawn on, when the renderer makes textures of it: a cache of
// that format holds the output's own pixels, and its copy is a plain copy of rows instead of a conversion
// of every pixel. 0 (ARGB8888) otherwise.
uint32_t OutputFormat(SDL_Renderer* renderer, SDL_Texture* target) {
    Uint32 format = SDL_PIXELFORMAT_UNKNOWN;
    if (target != nullptr) {
        SDL_QueryTexture(target, &format, nullptr, nullptr, nullptr);
    } else if (SDL_Window* window = SDL_RenderGetWindow(renderer)) {
        format = SDL_GetWindowPixelFormat(window);
    }
    SDL_RendererInfo info{};
    if (format == SDL_PIXELFORMAT_UNKNOWN || SDL_GetRendererInfo(renderer, &info) != 0) {
        return 0;
    }
    for (Uint32 i = 0; i < info.num_texture_formats; ++i) {
        if (info.texture_formats[i] == format) {
            return format;
        }
    }
    return 0;
}

} // namespace

bool TLayerCache::CanCache(int& width, int& height) const {
    SDL_Renderer* renderer = GetSDLRenderer();
    const TRenderer* record = GetRenderer();
    if (!AreDrawShortcutsOn() || renderer == nullptr || record == nullptr || !IsFrameClearPending()) {
        return false;
    }
    // Only in the frame's own drawing state (its viewport is moved only with an offset the record keeps):
    // drawn in that state on a target of the frame target's size, the layers put down the pixels they put
    // on the frame, scaled or not.
    const TFrameArea& area = GetFrameArea();
    float scaleX = 0, scaleY = 0;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    if (SDL_GetRenderTarget(renderer) != area.target || scaleX != area.scaleX || scaleY != area.scaleY ||
        SDL_RenderIsClipEnabled(renderer) == SDL_TRUE || record->GetViewportOffsetX() != 0 ||
        record->GetViewportOffsetY() != 0 || area.width <= 0 || area.height <= 0 ||
        SDL_GetRendererOutputSize(renderer, &width, &height) != 0 || area.x < 0 || area.y < 0 ||
        area.x + area.width > width || area.y + area.height > height) {
        return false;
    }
    return true;
}

bool TLayerCache::FindMovingPlaces() {
    mPlaces.clear();
    for (const TNotedDraw& draw : mMoving.draws) {
        // A moving draw is drawn again whole inside its place, never cut by it: only then are its pixels
        // the same whatever it is (scaled, between pixels).
        if (draw.clipped) {
            return false;
        }
        mPlaces.push_back(draw.bounds);
    }
    // Joined until no two overlap, so each moving draw lies inside exactly one place.
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t i = 0; i < mPlaces.size() && !joined; ++i) {
            for (size_t j = i + 1; j < mPlaces.size(); ++j) {
                if (SDL_HasIntersection(&mPlaces[i], &mPlaces[j])) {
                    SDL_UnionRect(&mPlaces[i], &mPlaces[j], &mPlaces[i]);
                    mPlaces.erase(mPlaces.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                    break;
                }
            }
        }
    }
    // The layers are cut by the places: only draws that put down exactly their own pixels under a clip,
    // which at a scaled frame none is.
    const TFrameArea& area = GetFrameArea();
    const bool scaled = area.scaleX != 1.0f || area.scaleY != 1.0f;
    for (const SDL_Rect& place : mPlaces) {
        for (const TNotedDraw& draw : mNotes.draws) {
            if ((!draw.plain || scaled) && SDL_HasIntersection(&place, &draw.bounds)) {
                return false;
            }
        }
    }
    return true;
}

void TLayerCache::DrawMovingPlaces(const std::function<void()>& under, const std::function<void()>& moving,
                                   const std::function<void()>& over) {
    if (mPlaces.empty()) {
        return;
    }
    TDrawNotes inside;
    inside.target = mNotes.target;
    inside.places = &mPlaces;
    OpenDrawNotes(&inside);
    under();
    moving();
    over();
    CloseDrawNotes();
}

bool TLayerCache::Draw(const std::function<void()>& under, const std::function<void()>& moving,
                       const std::function<void()>& over) {
    int width = 0, height = 0;
    mLastOutcome = kNotUsed;
    if (!under || !moving || !over || !CanCache(width, height)) {
        return false;
    }
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_Texture* frameTarget = SDL_GetRenderTarget(renderer);
    mNotes.target = frameTarget;
    mMoving.target = frameTarget;
    OpenDrawNotes(&mNotes);
    under();
    const size_t underDraws = mNotes.draws.size();
    over();
    // With nothing over the moving draws, the copy already shows what lies under them where they land.
    const bool nothingOver = mNotes.draws.size() == underDraws;
    OpenDrawNotes(&mMoving);
    moving();
    CloseDrawNotes();
    const uint32_t format = OutputFormat(renderer, frameTarget);
    const bool sized =
        mTarget && mTarget->GetWidth() == width && mTarget->GetHeight() == height && mTargetFormat == format;
    // The cache, when valid, holds the last frame's layers.
    const bool unchanged = mNotes.words == mLastWords;
    if (!unchanged) {
        std::swap(mNotes.words, mLastWords);
        mCacheValid = false;
    }
    const bool changedTwice = !unchanged && mChangedLastFrame;
    mChangedLastFrame = !unchanged;
    if (changedTwice || (!nothingOver && !FindMovingPlaces())) {
        mLastOutcome = kDrawnDirectly;
        return false;
    }
    // The cache's pixels stand where the frame's area put them.
    const TFrameArea area = GetFrameArea();
    const bool same = mCacheValid && sized && SameArea(area, mArea);
    if (!same) {
        if (!sized) {
            mTarget = CreateBlankTexture(width, height, TTexture::kAccessTarget, format);
            mTargetFormat = format;
        }
        if (!mTarget || SDL_SetRenderTarget(renderer, mTarget->GetSDLTexture()) != 0) {
            mTarget.Reset();
            mCacheValid = false;
            return false;
        }
        ApplyFrameState(renderer, area);
        // From black, as the frame's clear leaves the output under the first draws.
        Uint8 r = 0, g = 0, b = 0, a = 0;
        SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_SetRenderDrawColor(renderer, r, g, b, a);
        under();
        over();
        SDL_SetRenderTarget(renderer, frameTarget);
        ApplyFrameState(renderer, area);
        mTarget->NoteContentChanged();
        mArea = area;
        mCacheValid = true;
    }
    // The area copied pixel for pixel, at the output's own pixels; it covers the area, so no clear is owed.
    SDL_Texture* cache = mTarget->GetSDLTexture();
    SDL_SetTextureBlendMode(cache, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(cache, 255, 255, 255);
    SDL_SetTextureAlphaMod(cache, 255);
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    SDL_RenderSetViewport(renderer, nullptr);
    const SDL_Rect place{area.x, area.y, area.width, area.height};
    SDL_RenderCopy(renderer, cache, &place, &place);
    ApplyFrameState(renderer, area);
    LeaveOutFrameClear();
    if (nothingOver) {
        moving();
    } else {
        DrawMovingPlaces(under, moving, over);
    }
    mLastOutcome = same ? kCopied : kRefreshed;
    return true;
}

void TLayerCache::Release() {
    mTarget.Reset();
    mCacheValid = false;
    mArea = TFrameArea();
    mChangedLastFrame = false;
    mNotes = TDrawNotes();
    mLastWords.clear();
    mMoving = TDrawNotes();
    mPlaces.clear();
}
