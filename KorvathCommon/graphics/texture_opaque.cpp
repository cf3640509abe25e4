#include "graphics/texture_opaque.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace {

std::unordered_map<const SDL_Texture*, SDL_Rect>& Boxes() {
    static std::unordered_map<const SDL_Texture*, SDL_Rect> boxes;
    return boxes;
}

std::unordered_map<const SDL_Texture*, SDL_Rect>& Cores() {
    static std::unordered_map<const SDL_Texture*, SDL_Rect> cores;
    return cores;
}

// The opaque pixels' rectangle when every pixel is opaque or clear and the opaque ones fill it exactly,
// smaller than the picture and not empty; an empty rectangle otherwise.
SDL_Rect FindOpaqueCore(const SDL_Surface& argb) {
    const uint32_t kOpaque = argb.format->Amask;
    int left = argb.w, top = argb.h, right = -1, bottom = -1;
    long opaque = 0;
    for (int y = 0; y < argb.h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb.pixels) +
                                                            static_cast<ptrdiff_t>(y) * argb.pitch);
        for (int x = 0; x < argb.w; ++x) {
            const uint32_t alpha = row[x] & kOpaque;
            if (alpha == kOpaque) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
                ++opaque;
            } else if (alpha != 0) {
                return SDL_Rect{0, 0, 0, 0};
            }
        }
    }
    const SDL_Rect core{left, top, right - left + 1, bottom - top + 1};
    if (right < 0 || opaque != static_cast<long>(core.w) * core.h || (core.w == argb.w && core.h == argb.h)) {
        return SDL_Rect{0, 0, 0, 0};
    }
    return core;
}

std::unordered_map<const SDL_Texture*, SDL_Rect>& Holes() {
    static std::unordered_map<const SDL_Texture*, SDL_Rect> holes;
    return holes;
}

const uint32_t* RowOf(const SDL_Surface& argb, int y) {
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb.pixels) +
                                             static_cast<ptrdiff_t>(y) * argb.pitch);
}

bool IsClearSpan(const uint32_t* row, int from, int to, uint32_t alphaMask) {
    for (int x = from; x < to; ++x) {
        if ((row[x] & alphaMask) != 0) {
            return false;
        }
    }
    return true;
}

std::unordered_map<const SDL_Texture*, SDL_Rect>& Visibles() {
    static std::unordered_map<const SDL_Texture*, SDL_Rect> visibles;
    return visibles;
}

// The smallest rectangle holding every pixel that is not fully clear, when it leaves out at least a
// quarter of the picture; empty otherwise (a picture clear everywhere included: it draws nothing anyway).
SDL_Rect FindVisibleBox(const SDL_Surface& argb) {
    const uint32_t alphaMask = argb.format->Amask;
    int left = argb.w, top = argb.h, right = -1, bottom = -1;
    for (int y = 0; y < argb.h; ++y) {
        const uint32_t* row = RowOf(argb, y);
        int first = 0;
        while (first < argb.w && (row[first] & alphaMask) == 0) {
            ++first;
        }
        if (first == argb.w) {
            continue;
        }
        int last = argb.w - 1;
        while ((row[last] & alphaMask) == 0) {
            --last;
        }
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    const SDL_Rect box{left, top, right - left + 1, bottom - top + 1};
    if (right < 0 || 4L * box.w * box.h > 3L * argb.w * argb.h) {
        return SDL_Rect{0, 0, 0, 0};
    }
    return box;
}

// A rectangle of fully clear pixels around the picture's centre, at least half the picture (a frame's
// open middle): the centre row's clear run through the centre, grown up and down while the rows stay
// clear across it. Empty when there is none that large.
SDL_Rect FindClearHole(const SDL_Surface& argb) {
    const uint32_t alphaMask = argb.format->Amask;
    const int centreX = argb.w / 2;
    const int centreY = argb.h / 2;
    const uint32_t* centreRow = RowOf(argb, centreY);
    if (argb.w < 2 || argb.h < 2 || (centreRow[centreX] & alphaMask) != 0) {
        return SDL_Rect{0, 0, 0, 0};
    }
    int left = centreX, right = centreX + 1;
    while (left > 0 && (centreRow[left - 1] & alphaMask) == 0) {
        --left;
    }
    while (right < argb.w && (centreRow[right] & alphaMask) == 0) {
        ++right;
    }
    int top = centreY, bottom = centreY + 1;
    while (top > 0 && IsClearSpan(RowOf(argb, top - 1), left, right, alphaMask)) {
        --top;
    }
    while (bottom < argb.h && IsClearSpan(RowOf(argb, bottom), left, right, alphaMask)) {
        ++bottom;
    }
    const SDL_Rect hole{left, top, right - left, bottom - top};
    if (2L * hole.w * hole.h < static_cast<long>(argb.w) * argb.h) {
        return SDL_Rect{0, 0, 0, 0};
    }
    return hole;
}

} // namespace

void NoteTranslucentBox(SDL_Texture* texture, const SDL_Surface& argb) {
    if (texture == nullptr || argb.pixels == nullptr || argb.format == nullptr || argb.format->BytesPerPixel != 4 ||
        argb.format->Amask == 0) {
        return;
    }
    // Plain loops over whole pixels in the surface's own format: this runs for every picture loaded,
    // also in unoptimised builds.
    const uint32_t kOpaque = argb.format->Amask;
    int left = argb.w, top = argb.h, right = -1, bottom = -1;
    for (int y = 0; y < argb.h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb.pixels) +
                                                            static_cast<ptrdiff_t>(y) * argb.pitch);
        int first = 0;
        while (first < argb.w && (row[first] & kOpaque) == kOpaque) {
            ++first;
        }
        if (first == argb.w) {
            continue;
        }
        int last = argb.w - 1;
        while ((row[last] & kOpaque) == kOpaque) {
            --last;
        }
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    Boxes()[texture] = right < 0 ? SDL_Rect{0, 0, 0, 0} : SDL_Rect{left, top, right - left + 1, bottom - top + 1};
    // Only a picture with pixels that are not opaque can have a core; the walk stops at the first pixel
    // that is neither opaque nor clear, early in most pictures.
    if (right >= 0) {
        const SDL_Rect core = FindOpaqueCore(argb);
        if (!SDL_RectEmpty(&core)) {
            Cores()[texture] = core;
        }
        const SDL_Rect hole = FindClearHole(argb);
        if (!SDL_RectEmpty(&hole)) {
            Holes()[texture] = hole;
        }
        const SDL_Rect visible = FindVisibleBox(argb);
        if (!SDL_RectEmpty(&visible)) {
            Visibles()[texture] = visible;
        }
    }
}

bool GetTranslucentBox(SDL_Texture* texture, SDL_Rect& box) {
    const auto found = Boxes().find(texture);
    if (found == Boxes().end()) {
        return false;
    }
    box = found->second;
    return true;
}

bool GetOpaqueCore(SDL_Texture* texture, SDL_Rect& core) {
    const auto found = Cores().find(texture);
    if (found == Cores().end()) {
        return false;
    }
    core = found->second;
    return true;
}

bool GetClearHole(SDL_Texture* texture, SDL_Rect& hole) {
    const auto found = Holes().find(texture);
    if (found == Holes().end()) {
        return false;
    }
    hole = found->second;
    return true;
}

bool GetVisibleBox(SDL_Texture* texture, SDL_Rect& box) {
    const auto found = Visibles().find(texture);
    if (found == Visibles().end()) {
        return false;
    }
    box = found->second;
    return true;
}

void ForgetTranslucentBox(SDL_Texture* texture) {
    Boxes().erase(texture);
    Cores().erase(texture);
    Holes().erase(texture);
    Visibles().erase(texture);
}
