#pragma once
// Start-up, the start-up loader and shutdown: the program from its first step to its exit code.
// Callable in pieces, so tests drive the real game in-process: StartUp, RunLoopStep N times, Shutdown.

// Prepares the process (folders, SDL, application object, display modes, window, renderer) and runs
// the start-up loader. 0 when the main loop may run; otherwise the exit code (1), with SDL and the
// window taken down again.
int StartUp();

// Reads every data file the game needs in a fixed order, logging a progress line per step. A file
// that is missing or unreadable is skipped; the loader never fails on data.
bool LoadStartupData();
// What the first frame does not show, read once that frame is presented so the window fills sooner:
// the images kept loaded for the whole run (the screen fader's shadow) and the first tileset's tiles.
// The second loop step runs it before anything else.
void LoadAfterFirstFrame();

// Runs loop steps until a quit is requested.
void RunMainLoop();

// Deletes every process-wide object in a fixed order: the settings saved first, the log closed last.
void ReleaseAll();
// ReleaseAll, then the renderer, the window, the image loader and SDL.
void Shutdown();
// ReleaseAll with the settings deleted unsaved, then the profile and what the game keeps of it for as
// long as the process lives: a test starts the game again in one process after it.
void ReleaseProcessState();

// The whole program: start-up, the main loop, shutdown. Returns the exit code.
int RunGame();
