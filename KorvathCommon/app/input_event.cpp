#include "app/input_event.h"

#include <SDL.h>

#include "app/string_utils.h"

namespace {

TInputEvent MakeEvent(int kind, int param, int x = 0, int y = 0, int mods = 0) {
    TInputEvent event;
    event.kind = kind;
    event.param = param;
    event.x = x;
    event.y = y;
    event.mods = mods;
    return event;
}

TInputEvent FromWindowEvent(const SDL_WindowEvent& window) {
    switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        return MakeEvent(kInputQuit, 0);
    case SDL_WINDOWEVENT_LEAVE:
        return MakeEvent(kInputLeave, 0);
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        return MakeEvent(kInputFocus, 1);
    case SDL_WINDOWEVENT_FOCUS_LOST:
        return MakeEvent(kInputFocus, 0);
    default:
        return MakeEvent(kInputNone, 0);
    }
}

TInputEvent FromButton(const SDL_MouseButtonEvent& button, bool down) {
    if (button.button == SDL_BUTTON_LEFT) {
        return MakeEvent(down ? kInputLeftDown : kInputLeftUp, 1, button.x, button.y);
    }
    if (button.button == SDL_BUTTON_RIGHT) {
        return MakeEvent(kInputRightButton, down ? 1 : 0, button.x, button.y);
    }
    return MakeEvent(kInputNone, 0);
}

TInputEvent FromMotion(const SDL_MouseMotionEvent& motion) {
    int param = 0;
    if (motion.state == SDL_BUTTON_LMASK) {
        param = 1;
    } else if (motion.state == SDL_BUTTON_RMASK) {
        param = 2;
    }
    return MakeEvent(kInputMove, param, motion.x, motion.y);
}

TInputEvent FromKey(const SDL_KeyboardEvent& key, bool down) {
    const int mods = key.keysym.mod;
    const bool altF4 = down && (mods & KMOD_ALT) != 0 && key.keysym.sym == SDLK_F4;
    const int kind = altF4 ? kInputQuit : (down ? kInputKeyDown : kInputKeyUp);
    return MakeEvent(kind, key.keysym.sym, 0, 0, mods);
}

TInputEvent FromEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return FromWindowEvent(event.window);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return FromButton(event.button, event.type == SDL_MOUSEBUTTONDOWN);
    case SDL_MOUSEMOTION:
        return FromMotion(event.motion);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return FromKey(event.key, event.type == SDL_KEYDOWN);
    default:
        return MakeEvent(kInputNone, 0);
    }
}

} // namespace

bool TranslateSdlEvent(const SDL_Event& event, TInputEventList& events) {
    if (event.type == SDL_TEXTINPUT) {
        // One record per code point, so letters beyond ASCII reach edit fields whole.
        const size_t before = events.size();
        for (wchar_t codePoint : FromUtf8(event.text.text)) {
            events.push_back(MakeEvent(kInputText, static_cast<int>(codePoint)));
        }
        return events.size() > before;
    }
    const TInputEvent translated = FromEvent(event);
    if (translated.kind == kInputNone) {
        return false;
    }
    events.push_back(translated);
    return true;
}
