#include "levelcheck/difficulty.h"

#include <vector>

namespace {

int CountColouredCells(const TShownPuzzle& puzzle) {
    // Every coloured cell lies in exactly one row run.
    int cells = 0;
    for (const auto& colour : puzzle.clues) {
        for (const std::vector<int>& runs : colour[kRows]) {
            for (int run : runs) {
                cells += run;
            }
        }
    }
    return cells;
}

// Cells that one line of one colour fixes to that colour when the line is all unknown (inside the shown
// area; cells outside it are known empty from the start, as the player sees them ruled out).
int CountOneLineCells(const TShownPuzzle& puzzle) {
    const TGridSolver blank(puzzle);
    std::vector<char> fixed(static_cast<size_t>(puzzle.rows) * static_cast<size_t>(puzzle.cols), 0);
    std::vector<TCellMask> cells(fixed.size());
    for (int axis = 0; axis < kAxisCount; ++axis) {
        const int lines = axis == kRows ? puzzle.rows : puzzle.cols;
        for (int line = 0; line < lines; ++line) {
            const TLineView view = LineOf(static_cast<TAxis>(axis), line, puzzle.rows, puzzle.cols);
            for (int colour = 1; colour <= puzzle.Colours(); ++colour) {
                const auto& clues = puzzle.clues[static_cast<size_t>(colour - 1)][axis];
                if (line >= static_cast<int>(clues.size()) || clues[static_cast<size_t>(line)].empty()) {
                    continue;
                }
                for (int k = 0; k < view.length; ++k) {
                    const int at = view.At(k);
                    cells[static_cast<size_t>(at)] = blank.Known(at / puzzle.cols, at % puzzle.cols);
                }
                if (SolveLine(cells, view, colour, clues[static_cast<size_t>(line)]) == TLineOutcome::Contradiction) {
                    continue;
                }
                for (int k = 0; k < view.length; ++k) {
                    const size_t at = static_cast<size_t>(view.At(k));
                    if (cells[at] == ColourBit(colour)) {
                        fixed[at] = 1;
                    }
                }
            }
        }
    }
    int count = 0;
    for (char cell : fixed) {
        count += cell;
    }
    return count;
}

} // namespace

double TDifficulty::OneLineShare() const {
    return colouredCells > 0 ? static_cast<double>(oneLineCells) / colouredCells : 1.0;
}

double TDifficulty::Score() const {
    return sweeps * (2.0 - OneLineShare());
}

TDifficulty MeasureDifficulty(const TShownPuzzle& puzzle) {
    TDifficulty difficulty;
    difficulty.colouredCells = CountColouredCells(puzzle);
    difficulty.oneLineCells = CountOneLineCells(puzzle);
    TGridSolver solver(puzzle);
    for (;;) {
        bool changed = false;
        if (!solver.Sweep(changed)) {
            difficulty.consistent = false;
            break;
        }
        if (!changed) {
            break;
        }
        ++difficulty.sweeps;
    }
    return difficulty;
}
