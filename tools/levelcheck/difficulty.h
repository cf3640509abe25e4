#pragma once
// How hard a level is to read off, from line logic alone: how many passes over the lines it takes and how
// much of the picture a single line gives away at the start.

#include "levelcheck/grid_solver.h"

struct TDifficulty {
    // Passes over every row and then every column, each line solved for every colour, until a pass
    // teaches nothing more (that last pass not counted).
    int sweeps = 0;
    // Cells of some colour the clues ask for.
    int colouredCells = 0;
    // Of those, the cells that one line's clue numbers of one colour fix on an empty grid, with nothing
    // else known: the overlap a player sees first.
    int oneLineCells = 0;
    // False when line logic finds the clues contradict each other; the counts are then meaningless.
    bool consistent = true;

    // oneLineCells / colouredCells; 1 for a level without colour.
    double OneLineShare() const;
    // sweeps x (1 + the share of coloured cells no single line fixes): more passes, and fewer cells to
    // start from, both make a level harder; size counts only through the passes it needs.
    double Score() const;
};

TDifficulty MeasureDifficulty(const TShownPuzzle& puzzle);
