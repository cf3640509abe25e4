#pragma once
// Line logic over a whole board, from nothing but what the player is shown: per colour the clue numbers
// of every row and column in order, and the shown part of the grid.

#include <array>
#include <vector>

#include "levelcheck/line_solver.h"
#include "rules/mosaic_board.h"

struct TShownPuzzle {
    int rows = 0;
    int cols = 0;
    // Cells outside it are shown ruled out, so they are known to be empty.
    TCellBox shownArea;
    // [colour - 1][axis][line]: the clue numbers of that line, in line order.
    std::vector<std::array<std::vector<std::vector<int>>, kAxisCount>> clues;

    int Colours() const { return static_cast<int>(clues.size()); }
};

// The clue numbers and shown area a loaded board shows.
TShownPuzzle ShownPuzzleOf(const TMosaicBoard& board);

class TGridSolver {
public:
    explicit TGridSolver(TShownPuzzle puzzle);

    // Solves lines of every colour until no line teaches anything more. False when some line has no
    // placement of its runs left (the clues contradict each other).
    bool Solve();
    // One pass over every row, then every column, each line solved for every colour. changed tells
    // whether any cell was narrowed. False on a contradiction.
    bool Sweep(bool& changed);

    // The colour a cell is proved to be, -1 when proved empty, 0 while still open.
    int ProvedValue(int row, int column) const;
    TCellMask Known(int row, int column) const { return mCells[Index(row, column)]; }

private:
    size_t Index(int row, int column) const { return static_cast<size_t>(row * mPuzzle.cols + column); }
    int LineCount(TAxis axis) const { return axis == kRows ? mPuzzle.rows : mPuzzle.cols; }
    // Every colour on one line until the line stops changing; the crossing lines of changed cells
    // wait for another look. False on a contradiction.
    bool SolveLineAllColours(TAxis axis, int line);
    void QueueCrossingLines(TAxis axis, const TLineView& view, const std::vector<TCellMask>& before);
    void Queue(TAxis axis, int line);

    // Clue numbers of a line; none for a line the puzzle does not list.
    const std::vector<int>& Runs(int colour, TAxis axis, int line) const;

    TShownPuzzle mPuzzle;
    std::vector<TCellMask> mCells;
    // Lines waiting to be solved, with a flag per line so none waits twice.
    std::vector<std::pair<TAxis, int>> mQueue;
    std::array<std::vector<char>, kAxisCount> mQueued;
};
