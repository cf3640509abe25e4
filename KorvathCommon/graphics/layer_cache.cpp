#include "graphics/layer_cache.h"

#include <algorithm>

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

namespace {

// Joined until no two overlap, so whatever lay inside one of them lies inside exactly one.
void JoinOverlapping(std::vector<SDL_Rect>& places) {
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t i = 0; i < places.size() && !joined; ++i) {
            for (size_t j = i + 1; j < places.size(); ++j) {
                if (SDL_HasIntersection(&places[i], &places[j])) {
                    SDL_UnionRect(&places[i], &places[j], &places[i]);
                    places.erase(places.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                    break;
                }
            }
        }
    }
}

// Black, as the frame's clear leaves the output under the first draws, inside the places.
void FillBlack(SDL_Renderer* renderer, const std::vector<SDL_Rect>& places) {
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    SDL_GetRenderDrawBlendMode(renderer, &blend);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_RenderFillRects(renderer, places.data(), static_cast<int>(places.size()));
    SDL_SetRenderDrawColor(renderer, r, g, b, a);
    SDL_SetRenderDrawBlendMode(renderer, blend);
}

bool SameDraw(const std::vector<uint32_t>& words, const TNotedDraw& draw, const std::vector<uint32_t>& otherWords,
              const TNotedDraw& other) {
    const auto begin = words.begin() + static_cast<std::ptrdiff_t>(draw.firstWord);
    const auto otherBegin = otherWords.begin() + static_cast<std::ptrdiff_t>(other.firstWord);
    return draw.wordCount == other.wordCount &&
           std::equal(begin, begin + static_cast<std::ptrdiff_t>(draw.wordCount), otherBegin);
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
    JoinOverlapping(mPlaces);
    return CutsCleanly(mPlaces);
}

// The layers are cut by the places: only draws that put down exactly their own pixels under a clip,
// which at a scaled frame none is.
bool TLayerCache::CutsCleanly(const std::vector<SDL_Rect>& places) const {
    const TFrameArea& area = GetFrameArea();
    const bool scaled = area.scaleX != 1.0f || area.scaleY != 1.0f;
    for (const SDL_Rect& place : places) {
        for (const TNotedDraw& draw : mNotes.draws) {
            if ((!draw.plain || scaled) && SDL_HasIntersection(&place, &draw.bounds)) {
                return false;
            }
        }
    }
    return true;
}

// The draws both lists share in the same order (the longest such run, found past their equal heads and
// tails) are left alone, and every other draw of either list counts as changed. Outside the changed
// draws' pixels (before and now) both lists then put down the same draws in the same order, so the
// same pixels.
bool TLayerCache::FindChangedPlaces(int width, int height) {
    // Past so many pairs of draws to weigh (a board of a thousand changed cells) all count as changed.
    constexpr size_t kMostPairs = size_t{1} << 20;
    mChanged.clear();
    const std::vector<TNotedDraw>& now = mNotes.draws;
    const std::vector<TNotedDraw>& before = mLastDraws;
    const auto same = [this, &now, &before](size_t i, size_t j) {
        return SameDraw(mNotes.words, now[i], mLastWords, before[j]);
    };
    size_t head = 0;
    while (head < now.size() && head < before.size() && same(head, head)) {
        ++head;
    }
    size_t tail = 0;
    while (head + tail < now.size() && head + tail < before.size() &&
           same(now.size() - 1 - tail, before.size() - 1 - tail)) {
        ++tail;
    }
    const size_t rows = now.size() - head - tail;
    const size_t columns = before.size() - head - tail;
    std::vector<bool> keptNow(rows, false);
    std::vector<bool> keptBefore(columns, false);
    if (rows > 0 && columns > 0 && rows * columns <= kMostPairs) {
        // shared[r][c]: how many draws now from head + r and before from head + c share in order.
        const size_t stride = columns + 1;
        std::vector<uint32_t> shared((rows + 1) * stride, 0);
        for (size_t r = rows; r-- > 0;) {
            for (size_t c = columns; c-- > 0;) {
                shared[r * stride + c] = same(head + r, head + c)
                                             ? shared[(r + 1) * stride + c + 1] + 1
                                             : std::max(shared[(r + 1) * stride + c], shared[r * stride + c + 1]);
            }
        }
        for (size_t r = 0, c = 0; r < rows && c < columns;) {
            if (shared[r * stride + c] == shared[(r + 1) * stride + c + 1] + 1 && same(head + r, head + c)) {
                keptNow[r++] = true;
                keptBefore[c++] = true;
            } else if (shared[(r + 1) * stride + c] >= shared[r * stride + c + 1]) {
                ++r;
            } else {
                ++c;
            }
        }
    }
    for (size_t r = 0; r < rows; ++r) {
        if (!keptNow[r]) {
            mChanged.push_back(now[head + r].bounds);
        }
    }
    for (size_t c = 0; c < columns; ++c) {
        if (!keptBefore[c]) {
            mChanged.push_back(before[head + c].bounds);
        }
    }
    // Only the cache's pixels: a draw's bounds may reach past them, or be everywhere.
    const SDL_Rect frame{0, 0, width, height};
    long long area = 0;
    for (SDL_Rect& place : mChanged) {
        if (!SDL_IntersectRect(&place, &frame, &place)) {
            place = SDL_Rect{};
        }
    }
    mChanged.erase(
        std::remove_if(mChanged.begin(), mChanged.end(), [](const SDL_Rect& place) { return SDL_RectEmpty(&place); }),
        mChanged.end());
    JoinOverlapping(mChanged);
    for (const SDL_Rect& place : mChanged) {
        area += static_cast<long long>(place.w) * place.h;
    }
    // Past half the frame drawing it whole costs about the same.
    return !mChanged.empty() && area * 2 <= static_cast<long long>(width) * height && CutsCleanly(mChanged);
}

bool TLayerCache::Patch(const std::function<void()>& under, const std::function<void()>& over, SDL_Texture* frameTarget,
                        const TFrameArea& area) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (!mTarget || SDL_SetRenderTarget(renderer, mTarget->GetSDLTexture()) != 0) {
        return false;
    }
    ApplyFrameState(renderer, area);
    // From black, as the whole cache is filled.
    FillBlack(renderer, mChanged);
    TDrawNotes inside;
    inside.target = mTarget->GetSDLTexture();
    inside.places = &mChanged;
    OpenDrawNotes(&inside);
    under();
    over();
    CloseDrawNotes();
    SDL_SetRenderTarget(renderer, frameTarget);
    ApplyFrameState(renderer, area);
    mTarget->NoteContentChanged();
    return true;
}

void TLayerCache::DrawMovingPlaces(const std::function<void()>& under, const std::function<void()>& moving,
                                   const std::function<void()>& over) {
    if (mPlaces.empty()) {
        return;
    }
    // The layers are drawn again from black there, not over their copy: a translucent first draw would
    // blend with itself.
    FillBlack(GetSDLRenderer(), mPlaces);
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
    // The cache's pixels stand where the frame's area put them.
    const TFrameArea area = GetFrameArea();
    bool patch = false;
    if (!unchanged) {
        patch = mCacheValid && sized && SameArea(area, mArea) && FindChangedPlaces(width, height);
        std::swap(mNotes.words, mLastWords);
        mLastDraws = mNotes.draws;
        mCacheValid = false;
    }
    // A patch costs little, so layers patched every frame still come from the cache.
    const bool changedTwice = !unchanged && !patch && mChangedLastFrame;
    mChangedLastFrame = !unchanged && !patch;
    if (changedTwice || (!nothingOver && !FindMovingPlaces())) {
        mLastOutcome = kDrawnDirectly;
        return false;
    }
    if (patch) {
        if (!Patch(under, over, frameTarget, area)) {
            mTarget.Reset();
            return false;
        }
        mCacheValid = true;
    }
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
    mLastOutcome = patch ? kPatched : same ? kCopied : kRefreshed;
    return true;
}

void TLayerCache::Release() {
    mTarget.Reset();
    mCacheValid = false;
    mArea = TFrameArea();
    mChangedLastFrame = false;
    mNotes = TDrawNotes();
    mLastWords.clear();
    mLastDraws.clear();
    mChanged.clear();
    mMoving = TDrawNotes();
    mPlaces.clear();
}
