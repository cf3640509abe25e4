#pragma once
// Runs of one colour in rows and columns, their clue numbers, and the per-colour record holding them.
// Every routine here walks a line of the cell array with a stride, so rows and columns share it.

#include <array>
#include <vector>

#include "rules/mosaic_cell.h"
#include "rules/mosaic_geometry.h"

// The smallest box around both (an empty box adds nothing).
TCellBox UniteBoxes(const TCellBox& a, const TCellBox& b);

// A row or a column of the row-major cell array: cell k of the line is at start + k * step.
struct TLineView {
    int start = 0;
    int length = 0;
    int step = 1;

    int At(int k) const { return start + k * step; }
};

TLineView LineOf(TAxis axis, int line, int rows, int cols);

// One run: row runs are {first column, row, length, 1}, column runs {column, first row, 1, length}.
struct TMosaicRun {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool done = false;
    int colour = 0;

    int Length() const { return w * h; }
    bool operator==(const TMosaicRun& other) const = default;
};

// The cells of a run as a line of the cell array.
TLineView RunCells(const TMosaicRun& run, int cols);

// The clue number of a run; the run is the one at the same place in the colour record's run lists.
struct TMosaicNumberItem {
    TPixelRect rect;
    int value = 0;
    bool hover = false;
    // Every run of its colour in its line is done.
    bool lineDone = false;
};

struct TMosaicColorInfo {
    int colour = 0;
    TCellBox box;
    // [axis][line]: runs in line order, and one clue number per run in the same order.
    std::array<std::vector<std::vector<TMosaicRun>>, kAxisCount> runs;
    std::array<std::vector<std::vector<TMosaicNumberItem>>, kAxisCount> numbers;

    // Every run of the line is done (true for a line without runs).
    bool IsLineDone(TAxis axis, int line) const;
    bool IsRowDone(int row) const { return IsLineDone(kRows, row); }
    bool IsColumnDone(int column) const { return IsLineDone(kColumns, column); }
    bool AreAllRunsDone() const;
    // Whether clue number j of a line is drawn crossed: with "setnumbersnow" 1 as soon as its run is
    // done, otherwise once every run of the line is done too.
    bool IsClueCrossed(TAxis axis, int line, int j, int setNumbersNow) const;
};

// One record per distinct colour of the solutions in ascending colour order, with boxes and runs
// (solutions 1 .. mosaic::kMaxColours count; anything else is empty).
std::vector<TMosaicColorInfo> BuildColourRecords(const std::vector<TMosaicCell>& cells, int rows, int cols);

// Places one clue number per run of the record.
void PlaceClueNumbers(TMosaicColorInfo& info, const TGridGeometry& geometry);
