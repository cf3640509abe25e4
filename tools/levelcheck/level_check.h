#pragma once
// Checking one level file: it loads cleanly, the board and its clues fit the design screen, and line
// logic alone proves every coloured cell.

#include <string>
#include <vector>

#include "levelcheck/difficulty.h"
#include "rules/mosaic_board.h"
#include "rules/screen_fit.h"

struct TLevelEntry {
    // The level file as the game names it (data path rules apply).
    std::string path;
    // The grid origin the level asks for; 0 keeps the board's default, as the game does.
    int originX = 0;
    int originY = 0;
    // The level's "maxerrors"; 0 plays the player's difficulty.
    int maxErrors = 0;
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

// The number atlases the board draws its numbers from, as read from their PNG files: frames of 20
// pixels stacked downwards. A missing or unreadable file gives 0 x 0.
struct TAtlasSize {
    int width = 0;
    int height = 0;

    int Frames() const { return height / 20; }
};
struct TNumberAtlases {
    TAtlasSize rows;    // "basenumberslines": row clues, 28 wide
    TAtlasSize columns; // "basenumbers": column clues, a cell wide
    TAtlasSize strokes; // "overnumbers": stroke numbers, 40 wide
};
// What the game screen of the shipped data offers every level: the number atlases and the mistake marks
// ("mosaicerror1".. of "ui/interface.xml"), and the largest maximum of mistakes a difficulty allows (the
// presets' "maxerrorscount" and the custom "errorsmax" of "settings.xml").
struct TGameScreenData {
    TNumberAtlases atlases;
    int mistakeMarks = 0;
    int difficultyMaxErrors = 0;
};
// Read from the data root (or the current folder); what is missing counts as 0.
TGameScreenData ReadGameScreenData();
// The width and height of a PNG file (data path rules); 0 x 0 when it cannot be read as one.
TAtlasSize ReadPngSize(const std::string& name);

// With the game screen's data, the level also fails when its numbers or its mistakes cannot be shown.
TLevelVerdict CheckLevel(const TLevelEntry& level, const TGameScreenData* screen = nullptr);

// The level is lost at its maximum + 1th mistake and the marks then show maximum + 1 of them: one text
// when the screen has fewer marks.
std::vector<std::string> FindMissingMistakeMarks(const TLevelEntry& level, const TGameScreenData& screen);

// One text for each atlas that cannot draw a number of the board: a clue longer than its frames, a
// cell wider than the column frames, a stroke along the longest line beyond the stroke frames.
std::vector<std::string> FindUndrawableNumbers(const TMosaicBoard& board, const TNumberAtlases& atlases);

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
