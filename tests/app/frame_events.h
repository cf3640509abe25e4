#pragma once
// SDL events as the platform delivers them, built for pushing or translating in tests.

#include <SDL.h>
#include <cstring>

inline SDL_Event WindowEvent(Uint8 which) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = which;
    return event;
}

inline SDL_Event ButtonEvent(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

inline SDL_Event MotionEvent(Uint32 state, int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = state;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

inline SDL_Event KeyEvent(Uint32 type, SDL_Keycode key, Uint16 mods) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mods;
    return event;
}

inline SDL_Event TextEvent(const char* utf8) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, utf8, sizeof(event.text.text) - 1);
    return event;
}

inline SDL_Event WheelEvent() {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = 1;
    return event;
}

inline SDL_Event QuitEvent() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}
