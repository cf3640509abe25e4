#pragma once
// The game's time source: SDL_GetTicks behind one indirection, so tests step time exactly.

#include <cstdint>

using TTickSource = uint32_t (*)();

// Milliseconds since start, from the installed source (SDL_GetTicks by default).
uint32_t GetTicks();

// Installs another source; nullptr restores SDL_GetTicks.
void SetTickSource(TTickSource source);
