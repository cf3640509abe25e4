#include "rules/screen_fit.h"

#include <cstdio>

#include "rules/mosaic_board.h"

namespace {

// The clue atlas is drawn 2 pixels above its number's place.
constexpr int kClueDrawLift = 2;

struct TExtent {
    bool any = false;
    TPixelRect box;

    void Add(const TPixelRect& rect) {
        box = any ? UniteBoxes(box, rect) : rect;
        any = true;
    }
    bool OnScreen() const {
        return !any || (box.x >= 0 && box.y >= 0 && box.x + box.w <= kDesignWidth && box.y + box.h <= kDesignHeight);
    }
};

TExtent ClueExtent(const TMosaicBoard& board, TAxis axis) {
    TExtent extent;
    for (const TMosaicColorInfo& record : board.GetColourRecords()) {
        for (const auto& numbers : record.numbers[axis]) {
            for (const TMosaicNumberItem& number : numbers) {
                extent.Add(number.rect);
                TPixelRect drawn = number.rect;
                drawn.y -= kClueDrawLift;
                extent.Add(drawn);
            }
        }
    }
    return extent;
}

void AddIfOffScreen(const char* what, const TExtent& extent, std::vector<std::string>& faults) {
    if (extent.OnScreen()) {
        return;
    }
    const TPixelRect& box = extent.box;
    char text[160];
    std::snprintf(text, sizeof(text), "%s reach x %d to %d, y %d to %d, outside the %d x %d screen", what, box.x,
                  box.x + box.w, box.y, box.y + box.h, kDesignWidth, kDesignHeight);
    faults.emplace_back(text);
}

} // namespace

std::vector<std::string> FindOffScreenParts(const TMosaicBoard& board) {
    std::vector<std::string> faults;
    TExtent grid;
    const TGridGeometry& geometry = board.GetGeometry();
    grid.Add({geometry.originX, geometry.originY, board.GetPixelWidth(), board.GetPixelHeight()});
    AddIfOffScreen("the grid cells", grid, faults);
    AddIfOffScreen("the row clues", ClueExtent(board, kRows), faults);
    AddIfOffScreen("the column clues", ClueExtent(board, kColumns), faults);
    return faults;
}
