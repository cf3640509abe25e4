// The window half of the application configuration: display modes, the window's mode and icon, and
// the colour pointer.

#include <SDL.h>
#include <memory>

#include "app/app_config.h"
#include "app/display_modes.h"
#include "app/file_object.h"
#include "app/image_file.h"
#include "app/log.h"

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

SurfacePtr LoadDataImage(const std::string& name) {
    if (!FileExists(name)) {
        return nullptr;
    }
    return SurfacePtr(LoadImageFile(ResolvePath(name)));
}

// Full screen keeps the desktop's own mode. Where nothing honours the request (an X server without a
// window manager) the window would keep its old size while SDL reports the desktop's, so it is first
// made a borderless window covering the display itself.
void EnterDesktopFullscreen(SDL_Window* window, int width, int height) {
    SDL_Rect bounds{0, 0, width, height};
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) {
        bounds = SDL_Rect{0, 0, width, height};
    }
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, bounds.x, bounds.y);
    SDL_SetWindowSize(window, bounds.w, bounds.h);
    if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        TLogFile::Get()->Printf("Error SDL_SetWindowFullscreen");
    }
}

void LeaveFullscreen(SDL_Window* window, int width, int height) {
    if (SDL_SetWindowFullscreen(window, 0) != 0) {
        TLogFile::Get()->Printf("Error SDL_SetWindowFullscreen");
    }
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

} // namespace

void TAppConfig::ListDisplayModes(TDisplayModeSet& modes) const {
    const int count = SDL_GetNumDisplayModes(0);
    for (int index = 0; index < count; ++index) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, index, &mode) == 0) {
            modes.Add(static_cast<unsigned>(mode.w), static_cast<unsigned>(mode.h), mode.format);
        }
    }
}

void TAppConfig::SetDisplayMode(int width, int height, bool fullscreen) const {
    if (mWindow == nullptr) {
        return;
    }
    SDL_ClearError();
    SDL_DisplayMode mode{SDL_PIXELFORMAT_RGB888, width, height, 0, nullptr};
    if (SDL_SetWindowDisplayMode(mWindow, &mode) != 0) {
        TLogFile::Get()->Printf("ERROR SET DISPLAY MODE: %s", SDL_GetError());
    }
    if (fullscreen) {
        EnterDesktopFullscreen(mWindow, width, height);
    } else {
        LeaveFullscreen(mWindow, width, height);
    }
    // Only a real error is logged: an empty line on every switch says nothing.
    const char* error = SDL_GetError();
    if (error != nullptr && *error != '\0') {
        TLogFile::Get()->Printf("ERROR: %s", error);
    }
    int newWidth = 0;
    int newHeight = 0;
    SDL_GetWindowSize(mWindow, &newWidth, &newHeight);
    TLogFile::Get()->Printf("set window size: w=%d h=%d  neww=%d newh=%d", width, height, newWidth, newHeight);
}

void TAppConfig::SetWindowIcon(SDL_Window* window, const std::string& name) const {
    if (window == nullptr) {
        return;
    }
    SurfacePtr icon = LoadDataImage(name);
    if (icon) {
        SDL_SetWindowIcon(window, icon.get());
    }
}
