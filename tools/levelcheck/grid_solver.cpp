#include "levelcheck/grid_solver.h"

#include <algorithm>
#include <bit>
#include <utility>

TShownPuzzle ShownPuzzleOf(const TMosaicBoard& board) {
    TShownPuzzle puzzle;
    puzzle.rows = board.GetRows();
    puzzle.cols = board.GetCols();
    puzzle.shownArea = board.GetShownArea();
    for (const TMosaicColorInfo& record : board.GetColourRecords()) {
        auto& colour = puzzle.clues.emplace_back();
        for (int axis = 0; axis < kAxisCount; ++axis) {
            for (const std::vector<TMosaicNumberItem>& numbers : record.numbers[axis]) {
                std::vector<int>& values = colour[axis].emplace_back();
                for (const TMosaicNumberItem& number : numbers) {
                    values.push_back(number.value);
                }
            }
        }
    }
    return puzzle;
}

TGridSolver::TGridSolver(TShownPuzzle puzzle) : mPuzzle(std::move(puzzle)) {
    mCells.assign(static_cast<size_t>(mPuzzle.rows) * static_cast<size_t>(mPuzzle.cols), kEmptyBit);
    for (int row = 0; row < mPuzzle.rows; ++row) {
        for (int column = 0; column < mPuzzle.cols; ++column) {
            if (mPuzzle.shownArea.Contains(column, row)) {
                mCells[Index(row, column)] = AnyValue(mPuzzle.Colours());
            }
        }
    }
    for (int axis = 0; axis < kAxisCount; ++axis) {
        mQueued[axis].assign(static_cast<size_t>(LineCount(static_cast<TAxis>(axis))), 0);
    }
}

bool TGridSolver::Solve() {
    for (int axis = 0; axis < kAxisCount; ++axis) {
        for (int line = 0; line < LineCount(static_cast<TAxis>(axis)); ++line) {
            Queue(static_cast<TAxis>(axis), line);
        }
    }
    while (!mQueue.empty()) {
        const auto [axis, line] = mQueue.back();
        mQueue.pop_back();
        mQueued[axis][static_cast<size_t>(line)] = 0;
        if (!SolveLineAllColours(axis, line)) {
            return false;
        }
    }
    return true;
}

bool TGridSolver::Sweep(bool& changed) {
    const std::vector<TCellMask> before = mCells;
    for (int axis = 0; axis < kAxisCount; ++axis) {
        for (int line = 0; line < LineCount(static_cast<TAxis>(axis)); ++line) {
            if (!SolveLineAllColours(static_cast<TAxis>(axis), line)) {
                return false;
            }
        }
    }
    // A sweep looks at every line anyway; what it queued for another look is not needed.
    mQueue.clear();
    for (std::vector<char>& queued : mQueued) {
        std::fill(queued.begin(), queued.end(), 0);
    }
    changed = mCells != before;
    return true;
}

int TGridSolver::ProvedValue(int row, int column) const {
    const TCellMask mask = Known(row, column);
    if (!std::has_single_bit(mask)) {
        return 0;
    }
    return mask == kEmptyBit ? -1 : std::countr_zero(mask);
}

bool TGridSolver::SolveLineAllColours(TAxis axis, int line) {
    const TLineView view = LineOf(axis, line, mPuzzle.rows, mPuzzle.cols);
    std::vector<TCellMask> before(static_cast<size_t>(view.length));
    for (int k = 0; k < view.length; ++k) {
        before[static_cast<size_t>(k)] = mCells[static_cast<size_t>(view.At(k))];
    }
    // What one colour proves can let another colour prove more on the same line.
    bool narrowed = true;
    while (narrowed) {
        narrowed = false;
        for (int colour = 1; colour <= mPuzzle.Colours(); ++colour) {
            const TLineOutcome outcome = SolveLine(mCells, view, colour, Runs(colour, axis, line));
            if (outcome == TLineOutcome::Contradiction) {
                return false;
            }
            narrowed = narrowed || outcome == TLineOutcome::Narrowed;
        }
    }
    QueueCrossingLines(axis, view, before);
    return true;
}

const std::vector<int>& TGridSolver::Runs(int colour, TAxis axis, int line) const {
    static const std::vector<int> kNone;
    const auto& lines = mPuzzle.clues[static_cast<size_t>(colour - 1)][axis];
    return line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)] : kNone;
}

void TGridSolver::QueueCrossingLines(TAxis axis, const TLineView& view, const std::vector<TCellMask>& before) {
    const TAxis crossing = axis == kRows ? kColumns : kRows;
    for (int k = 0; k < view.length; ++k) {
        if (mCells[static_cast<size_t>(view.At(k))] != before[static_cast<size_t>(k)]) {
            Queue(crossing, k);
        }
    }
}

void TGridSolver::Queue(TAxis axis, int line) {
    char& queued = mQueued[axis][static_cast<size_t>(line)];
    if (!queued) {
        queued = 1;
        mQueue.emplace_back(axis, line);
    }
}
