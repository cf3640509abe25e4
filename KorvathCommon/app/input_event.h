#pragma once
// The engine's own input record, made by the main loop from each SDL event.

#include <vector>

union SDL_Event;

enum TInputKind {
    kInputNone = -1,
    kInputQuit = 0,
    kInputLeftDown = 1,
    kInputRightButton = 2,
    kInputLeftUp = 3,
    kInputMove = 4,
    kInputLeave = 5,
    kInputKeyDown = 7,
    kInputKeyUp = 8,
    kInputText = 9,
    kInputFocus = 12,
    kInputToggleFullscreen = 13,
};

struct TInputEvent {
    int kind = kInputNone;
    // Depends on the kind: button state, key code, typed code point, focus gained.
    int param = 0;
    // Pointer position: window pixels when made, design coordinates once the application handled it.
    int x = 0;
    int y = 0;
    // SDL key modifier bits of key events; 0 for all others.
    int mods = 0;
};

using TInputEventList = std::vector<TInputEvent>;

// Appends the records one SDL event makes: none for events the engine ignores, one per code point for
// typed text, one otherwise. True when anything was appended.
bool TranslateSdlEvent(const SDL_Event& event, TInputEventList& events);
