#pragma once
// Operating-system cursors made from images of the game's data.

#include <memory>
#include <string>

struct SDL_Cursor;

struct TSdlCursorDeleter {
    void operator()(SDL_Cursor* cursor) const;
};
using TSdlCursor = std::unique_ptr<SDL_Cursor, TSdlCursorDeleter>;

// A system cursor from the image "assets/" + name (".png" added when the name has no ".") with the hot
// spot, for its owner to show with SDL_SetCursor for as long as it keeps it; empty when the file is
// missing or SDL cannot make the cursor.
TSdlCursor MakeColorCursor(const std::string& name, int hotX, int hotY);
