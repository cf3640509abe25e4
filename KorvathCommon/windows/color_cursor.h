#pragma once
// Operating-system cursors made from images of the game's data.

#include <memory>
#include <string>

struct SDL_Cursor;

struct TSdlCursorDeleter {
    void operator()(SDL_Cursor* cursor) const;
};
using TSdlCursor = std::unique_ptr<SDL_Cursor, TSdlCursorDeleter>;

// Makes the system cursor the image "assets/" + name (".png" added when the name has no ".") with the
// hot spot. Returns the new cursor, which the caller keeps for as long as it may be shown; empty, with
// the current cursor unchanged, when the file is missing or SDL cannot make the cursor.
TSdlCursor SetColorCursor(const std::string& name, int hotX, int hotY);
