#pragma once
// Checking one level file: it loads cleanly, the board and its clues fit the design screen, and line
// logic alone proves every coloured cell.

#include <string>
#include <vector>

#include "levelcheck/difficulty.h"
#include "rules/mosaic_board.h"

constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;

struct TLevelEntry {
    // The level file as the game names it (data path rules apply).
    std::string path;
    // The grid origin the level asks for; 0 keeps the board's default, as the game does.
    int originX = 0;
    int originY = 0;
};

struct TLevelVerdict {
    std::string path;
    std::string name;
    int rows = 0;
    int cols = 0;
    int colours = 0;
    // Measured once the level loads.
    bool measured = false;
    TDifficulty difficulty;
    std::vector<std::string> faults;

    bool Passed() const { return faults.empty(); }
};

TLevelVerdict CheckLevel(const TLevelEntry& level);

// One text for each part of the drawn board (grid, row clues, column clues) that leaves the screen.
std::vector<std::string> FindOffScreenParts(const TMosaicBoard& board);

// Coloured cells that line logic leaves open or gets wrong: none when the level is fair.
struct TUnprovedCells {
    int count = 0;
    int coloured = 0;
    // The first in row order (0-based), -1 when none.
    int firstRow = -1;
    int firstColumn = -1;
    bool contradiction = false;
};
TUnprovedCells FindUnprovedCells(const TMosaicBoard& board);

// "path "name" 20 x 15, 5 colours, difficulty 7.4 (4 sweeps, 15% by one line): PASS" or
// "...: FAIL: fault; fault".
std::string FormatVerdict(const TLevelVerdict& verdict);
