#include "app/clock.h"

#include <SDL.h>

namespace {
TTickSource gTickSource = nullptr;
}

uint32_t GetTicks() {
    return gTickSource != nullptr ? gTickSource() : SDL_GetTicks();
}

void SetTickSource(TTickSource source) {
    gTickSource = source;
}
