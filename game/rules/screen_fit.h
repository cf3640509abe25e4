#pragma once
// Whether a loaded board, its grid and the clue numbers of every colour, stands inside the design
// screen. The game refuses a level that does not, and the level checker fails it, by this one rule.

#include <string>
#include <vector>

class TMosaicBoard;

constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;

// One text for each part of the drawn board (grid, row clues, column clues) that leaves the screen;
// empty when the board fits.
std::vector<std::string> FindOffScreenParts(const TMosaicBoard& board);
