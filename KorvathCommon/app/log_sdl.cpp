#include "app/log_sdl.h"

#include <SDL.h>

#include "app/log_echo.h"

namespace {
void EchoToSdl(const char* line) {
    // The line is data, never a format.
    SDL_Log("%s", line);
}
} // namespace

void EchoLogToSdl() {
    SetLogEcho(EchoToSdl);
}
