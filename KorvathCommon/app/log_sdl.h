#pragma once
// The engine's programs send every log line to SDL_Log.

void EchoLogToSdl();
