#pragma once
// Where each log line goes besides the file. The log holds no SDL, so the data tools link it alone: by
// default a line goes to standard error as SDL's own log output prints it; the engine's programs send
// it to SDL's log instead (see log_sdl.h), so SDL's output function sees every line.

using TLogEcho = void (*)(const char* line);

// Null restores the standard error default. Safe from any thread.
void SetLogEcho(TLogEcho echo);
