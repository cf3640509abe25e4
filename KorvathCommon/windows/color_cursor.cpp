#include "windows/color_cursor.h"

#include <SDL.h>
#include <SDL_image.h>

#include "app/file_object.h"

void TSdlCursorDeleter::operator()(SDL_Cursor* cursor) const {
    SDL_FreeCursor(cursor);
}

TSdlCursor MakeColorCursor(const std::string& name, int hotX, int hotY) {
    std::string path = "assets/" + name;
    if (path.find('.') == std::string::npos) {
        path += ".png";
    }
    if (!FileExists(path)) {
        return {};
    }
    SDL_Surface* surface = IMG_Load(ResolvePath(path).c_str());
    if (surface == nullptr) {
        return {};
    }
    TSdlCursor cursor(SDL_CreateColorCursor(surface, hotX, hotY));
    SDL_FreeSurface(surface);
    return cursor;
}
