#include "graphics/draw_notes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "app/renderer.h"
#include "graphics/render_state.h"
#include "graphics/texture.h"

namespace {

TDrawNotes* gNotes = nullptr;
// Set while a draw is made inside the places, so it is not taken again.
bool gMaking = false;

enum : uint32_t { kTextureWord = 1, kTrianglesWord = 2, kFillWord = 3 };

void Put(uint32_t word) {
    gNotes->words.push_back(word);
}

// Floats by their bits: equal notes mean equal numbers, NaN included.
void PutFloat(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    Put(bits);
}

void PutSerial(uint64_t serial) {
    Put(static_cast<uint32_t>(serial));
    Put(static_cast<uint32_t>(serial >> 32));
}

// The list that takes a draw made now: one is open and the renderer draws on its target.
bool Taking() {
    if (gNotes == nullptr || gMaking) {
        return false;
    }
    SDL_Renderer* renderer = GetSDLRenderer();
    return renderer != nullptr && SDL_GetRenderTarget(renderer) == gNotes->target;
}

// What of the renderer's state every draw depends on beyond its own numbers: the clip rectangle.
void PutClip(TNotedDraw& draw) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_Rect clip{};
    draw.clipped = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
    if (draw.clipped) {
        SDL_RenderGetClipRect(renderer, &clip);
    }
    Put(draw.clipped ? 1u : 0u);
    for (const int value : {clip.x, clip.y, clip.w, clip.h}) {
        Put(static_cast<uint32_t>(value));
    }
}

void PutState(const TRenderState& state) {
    for (const auto& row : state.transform.m) {
        for (const float value : row) {
            PutFloat(value);
        }
    }
    for (const float value : {state.centreX, state.centreY, state.color.r, state.color.g, state.color.b, state.alpha,
                              state.srcX, state.srcY, state.srcW, state.srcH, state.angle}) {
        PutFloat(value);
    }
    Put(static_cast<uint32_t>(state.flags));
    Put(static_cast<uint32_t>(state.blend));
}

constexpr SDL_Rect kEverywhere{std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::min() / 2,
                               std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};

// The whole pixels a float rectangle can touch, a pixel more on every side; everywhere when the numbers
// are not finite or too large for int.
SDL_Rect Around(float left, float top, float right, float bottom) {
    constexpr float kLimit = 1e8f;
    if (!(left > -kLimit && top > -kLimit && right < kLimit && bottom < kLimit && left <= right && top <= bottom)) {
        return kEverywhere;
    }
    const int x = static_cast<int>(std::floor(left)) - 1;
    const int y = static_cast<int>(std::floor(top)) - 1;
    return SDL_Rect{x, y, static_cast<int>(std::ceil(right)) + 1 - x, static_cast<int>(std::ceil(bottom)) + 1 - y};
}

bool IsWhole(float value) {
    return value == std::floor(value);
}

// Makes the draw once inside every place it can touch, clipped to the place (and to its own clip); the
// renderer's clip is left as it was.
void MakeInsidePlaces(const SDL_Rect& bounds, const std::function<void()>& make) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_Rect own{};
    const bool clipped = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
    if (clipped) {
        SDL_RenderGetClipRect(renderer, &own);
    }
    gMaking = true;
    for (const SDL_Rect& place : *gNotes->places) {
        SDL_Rect inside = place;
        if (!SDL_HasIntersection(&place, &bounds) || (clipped && !SDL_IntersectRect(&place, &own, &inside))) {
            continue;
        }
        SDL_RenderSetClipRect(renderer, &inside);
        make();
    }
    gMaking = false;
    SDL_RenderSetClipRect(renderer, clipped ? &own : nullptr);
}

// Notes the draw, whose words from firstWord on are in the list, or makes it inside the places.
void Take(TNotedDraw& draw, size_t firstWord, const std::function<void()>& make) {
    if (gNotes->places != nullptr) {
        MakeInsidePlaces(draw.bounds, make);
        return;
    }
    PutClip(draw);
    draw.firstWord = firstWord;
    draw.wordCount = gNotes->words.size() - firstWord;
    gNotes->draws.push_back(draw);
}

} // namespace

void OpenDrawNotes(TDrawNotes* notes) {
    gNotes = notes;
    SetFillTaker(notes != nullptr ? &NoteFill : nullptr);
    if (gNotes != nullptr) {
        gNotes->words.clear();
        gNotes->draws.clear();
    }
}

void CloseDrawNotes() {
    gNotes = nullptr;
    SetFillTaker(nullptr);
}

bool NoteTextureDraw(TTexture& texture, const TRenderState& state) {
    if (!Taking()) {
        return false;
    }
    TNotedDraw draw;
    const bool sourceRect = (state.flags & TRenderState::kSourceRect) != 0;
    const float sourceW = sourceRect ? state.srcW : static_cast<float>(texture.GetWidth());
    const float sourceH = sourceRect ? state.srcH : static_cast<float>(texture.GetHeight());
    const float x = state.GetTranslationX();
    const float y = state.GetTranslationY();
    const float w = sourceW * state.GetScaleX();
    const float h = sourceH * state.GetScaleY();
    draw.bounds = state.angle == 0.0f
                      ? Around(std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h))
                      : kEverywhere;
    draw.plain =
        state.angle == 0.0f && state.GetScaleX() == 1.0f && state.GetScaleY() == 1.0f && IsWhole(x) && IsWhole(y) &&
        (!sourceRect || (IsWhole(state.srcX) && IsWhole(state.srcY) && IsWhole(state.srcW) && IsWhole(state.srcH)));
    const size_t firstWord = gNotes->words.size();
    if (gNotes->places == nullptr) {
        Put(kTextureWord);
        PutSerial(texture.GetSerial());
        PutState(state);
    }
    Take(draw, firstWord, [&texture, &state] { texture.Draw(state); });
    return true;
}

bool NoteTriangles(TTexture& texture, const SDL_Vertex* vertices, int count, const TRenderState& state) {
    if (!Taking()) {
        return false;
    }
    TNotedDraw draw;
    float left = std::numeric_limits<float>::max(), top = left;
    float right = std::numeric_limits<float>::lowest(), bottom = right;
    const bool noting = gNotes->places == nullptr;
    const size_t firstWord = gNotes->words.size();
    if (noting) {
        Put(kTrianglesWord);
        PutSerial(texture.GetSerial());
        PutState(state);
        Put(static_cast<uint32_t>(count));
    }
    for (int i = 0; i < count; ++i) {
        const SDL_Vertex& vertex = vertices[i];
        left = std::min(left, vertex.position.x);
        right = std::max(right, vertex.position.x);
        top = std::min(top, vertex.position.y);
        bottom = std::max(bottom, vertex.position.y);
        if (noting) {
            for (const float value : {vertex.position.x, vertex.position.y, vertex.tex_coord.x, vertex.tex_coord.y}) {
                PutFloat(value);
            }
            Put(static_cast<uint32_t>(vertex.color.r) | static_cast<uint32_t>(vertex.color.g) << 8 |
                static_cast<uint32_t>(vertex.color.b) << 16 | static_cast<uint32_t>(vertex.color.a) << 24);
        }
    }
    draw.bounds = Around(left, top, right, bottom);
    Take(draw, firstWord, [&texture, vertices, count, &state] { texture.DrawTriangles(vertices, count, state); });
    return true;
}

bool NoteFill(int x, int y, int w, int h, const TColor& color) {
    if (!Taking()) {
        return false;
    }
    TNotedDraw draw;
    draw.bounds = SDL_Rect{x, y, w, h};
    draw.plain = true;
    const size_t firstWord = gNotes->words.size();
    if (gNotes->places == nullptr) {
        SDL_BlendMode blend = SDL_BLENDMODE_NONE;
        SDL_GetRenderDrawBlendMode(GetSDLRenderer(), &blend);
        Put(kFillWord);
        for (const int value : {x, y, w, h}) {
            Put(static_cast<uint32_t>(value));
        }
        for (const float value : {color.r, color.g, color.b, color.a}) {
            PutFloat(value);
        }
        Put(static_cast<uint32_t>(blend));
    }
    Take(draw, firstWord, [x, y, w, h, &color] {
        if (TRenderer* record = GetRenderer()) {
            record->FillRect(x, y, w, h, color);
        }
    });
    return true;
}
