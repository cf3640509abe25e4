#pragma once
// Draws noted instead of made: while a list of notes is open, every draw that would land on the
// list's target is written into it and not sent to the renderer. The list keeps the draws as words
// (the texture's content serial, the draw's numbers, the clip of the moment), so two lists are equal
// exactly when the draws they noted would put the same pixels down, and for each draw the output pixels
// it can touch. Draws into any other target (a texture composed on the way) are made as usual.
//
// A list opened on places instead makes each draw inside every place its pixels can touch, clipped to
// it, and nothing elsewhere.

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/color.h"

class TTexture;
struct TRenderState;

struct TNotedDraw {
    // The output pixels the draw can touch (the whole target when they are not known).
    SDL_Rect bounds{};
    // Unscaled, unrotated, at whole pixels: under a clip it puts down exactly its own pixels inside it.
    bool plain = false;
    // Drawn under a clip of its own.
    bool clipped = false;
    // Its words in the list: two draws with the same words put the same pixels down.
    size_t firstWord = 0;
    size_t wordCount = 0;
};

struct TDrawNotes {
    // The render target the draws would have landed on (null: the output).
    SDL_Texture* target = nullptr;
    std::vector<uint32_t> words;
    std::vector<TNotedDraw> draws;
    // When set, the draws are made inside these places instead of noted.
    const std::vector<SDL_Rect>* places = nullptr;
};

// Opens the list (emptied) for the draws on its target; one list at a time. Closing leaves the draws
// going to the renderer again.
void OpenDrawNotes(TDrawNotes* notes);
void CloseDrawNotes();

// Each true when the draw was taken by the list (noted, or made inside its places) and must not be
// made again; false when no list takes it.
bool NoteTextureDraw(TTexture& texture, const TRenderState& state);
bool NoteTriangles(TTexture& texture, const SDL_Vertex* vertices, int count, const TRenderState& state);
bool NoteFill(int x, int y, int w, int h, const TColor& color);
