#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "levelcheck/line_solver.h"

namespace {

// Cell knowledge on a board of two colours, one character per cell; the line is solved for colour 1.
//   '.' anything   '#' colour 1   'x' empty   '2' colour 2   '-' empty or 2   '?' empty or 1
constexpr TCellMask kAnything = AnyValue(2);
constexpr TCellMask kOne = ColourBit(1);
constexpr TCellMask kTwo = ColourBit(2);

TCellMask MaskOf(char c) {
    switch (c) {
    case '#':
        return kOne;
    case 'x':
        return kEmptyBit;
    case '2':
        return kTwo;
    case '-':
        return kEmptyBit | kTwo;
    case '?':
        return kEmptyBit | kOne;
    default:
        return kAnything;
    }
}

char CharOf(TCellMask mask) {
    for (char c : std::string(".#x2-?")) {
        if (MaskOf(c) == mask) {
            return c;
        }
    }
    return '!';
}

struct LineCase {
    const char* name;
    std::string cells;
    std::vector<int> runs;
    TLineOutcome outcome;
    std::string expected;
};

// The line laid out along a row, and down the middle column of a three-column grid whose other cells
// must not be touched.
struct LineLayout {
    int width;
    int start;
    int step;
};

TEST(LineSolver, NarrowsALineToWhatEveryFittingPlacementAgreesOn) {
    const LineCase cases[] = {
        {"a run as long as the line fills it", ".....", {5}, TLineOutcome::Narrowed, "#####"},
        {"a long run covers the middle whatever its place", ".....", {3}, TLineOutcome::Narrowed, "..#.."},
        {"no run rules the colour out everywhere", ".....", {}, TLineOutcome::Narrowed, "-----"},
        {"runs that only just fit are placed with their gaps", ".....", {1, 1, 1}, TLineOutcome::Narrowed, "#-#-#"},
        {"two runs each overlap their own range", "......", {2, 2}, TLineOutcome::Narrowed, ".#..#."},
        {"a known cell of a single run rules out the rest", "..#...", {1}, TLineOutcome::Narrowed, "--#---"},
        {"a run starting at the edge", "#.....", {3}, TLineOutcome::Narrowed, "###---"},
        {"a gap too short for the run pushes it aside", "...x..", {3}, TLineOutcome::Narrowed, "###x--"},
        {"another colour splits the line like an empty cell", "..2...", {2, 2}, TLineOutcome::Narrowed, "##2.#."},
        {"runs may touch another colour", "2....", {4}, TLineOutcome::Narrowed, "2####"},
        {"a known cell at the end is the last run, its neighbour is not the colour",
         "....#",
         {1, 1},
         TLineOutcome::Narrowed,
         "...-#"},
        {"cells between two known cells of one run join them", "#.#..", {3}, TLineOutcome::Narrowed, "###--"},
        {"a cell that may only be empty or the colour becomes empty", "?????", {}, TLineOutcome::Narrowed, "xxxxx"},
        {"cells already ruled out show where the runs go", "-.-.-", {1, 1}, TLineOutcome::Narrowed, "-#-#-"},
        {"nothing to learn", ".....", {1}, TLineOutcome::Unchanged, "....."},
        {"a known run too long for its clue", "###..", {2}, TLineOutcome::Contradiction, "###.."},
        {"runs that cannot fit", ".....", {3, 3}, TLineOutcome::Contradiction, "....."},
        {"a clue for a line the colour cannot reach", "--x--", {1}, TLineOutcome::Contradiction, "--x--"},
    };
    constexpr TCellMask kUntouched = 0x80;
    for (const LineCase& c : cases) {
        const int length = static_cast<int>(c.cells.size());
        for (const LineLayout layout : {LineLayout{length, 0, 1}, LineLayout{3, 1, 3}}) {
            SCOPED_TRACE(std::string(c.name) + (layout.step == 1 ? " (row)" : " (column)"));
            const int rows = layout.step == 1 ? 1 : length;
            std::vector<TCellMask> grid(static_cast<size_t>(rows * layout.width), kUntouched);
            const TLineView line{layout.start, length, layout.step};
            for (int k = 0; k < length; ++k) {
                grid[static_cast<size_t>(line.At(k))] = MaskOf(c.cells[static_cast<size_t>(k)]);
            }
            EXPECT_EQ(SolveLine(grid, line, 1, c.runs), c.outcome);
            std::string result;
            for (int k = 0; k < length; ++k) {
                result += CharOf(grid[static_cast<size_t>(line.At(k))]);
                grid[static_cast<size_t>(line.At(k))] = kUntouched;
            }
            EXPECT_EQ(result, c.expected);
            EXPECT_EQ(std::count(grid.begin(), grid.end(), kUntouched), static_cast<long>(grid.size()))
                << "a cell off the line changed";
        }
    }
}

std::vector<int> RunsOf(unsigned bits, int length) {
    std::vector<int> runs;
    for (int k = 0; k < length; ++k) {
        if ((bits >> k) & 1U) {
            if (k == 0 || !((bits >> (k - 1)) & 1U)) {
                runs.push_back(0);
            }
            ++runs.back();
        }
    }
    return runs;
}

// What the line should become, from every way of colouring it: a cell keeps the colour when some
// fitting line has it there and keeps its other values when some fitting line has not.
bool Enumerate(const std::vector<TCellMask>& cells, const std::vector<int>& runs, std::vector<TCellMask>& expected) {
    const int length = static_cast<int>(cells.size());
    std::vector<TCellMask> seen(cells.size(), 0);
    bool any = false;
    for (unsigned bits = 0; bits < (1U << length); ++bits) {
        bool fits = RunsOf(bits, length) == runs;
        for (int k = 0; k < length && fits; ++k) {
            const TCellMask mask = cells[static_cast<size_t>(k)];
            fits = ((bits >> k) & 1U) ? (mask & kOne) != 0 : (mask & ~kOne) != 0;
        }
        if (!fits) {
            continue;
        }
        any = true;
        for (int k = 0; k < length; ++k) {
            const TCellMask mask = cells[static_cast<size_t>(k)];
            seen[static_cast<size_t>(k)] |= ((bits >> k) & 1U) ? kOne : (mask & ~kOne);
        }
    }
    expected = any ? seen : cells;
    return any;
}

TEST(LineSolver, AgreesWithTryingEveryColouringOfShortLines) {
    std::mt19937 random(20);
    int fitting = 0;
    int narrowed = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        const int length = 1 + static_cast<int>(random() % 9);
        std::vector<TCellMask> cells(static_cast<size_t>(length));
        for (TCellMask& mask : cells) {
            // Mostly open cells, so that lines fit often enough.
            mask = random() % 3 == 0 ? 1 + random() % kAnything : kAnything;
        }
        const std::vector<int> runs = RunsOf(random() % (1U << length), length);
        std::vector<TCellMask> expected;
        const bool fits = Enumerate(cells, runs, expected);
        std::vector<TCellMask> solved = cells;
        const TLineOutcome outcome = SolveLine(solved, {0, length, 1}, 1, runs);
        ASSERT_EQ(outcome == TLineOutcome::Contradiction, !fits) << "trial " << trial;
        ASSERT_EQ(solved, expected) << "trial " << trial;
        ASSERT_EQ(outcome == TLineOutcome::Narrowed, fits && expected != cells) << "trial " << trial;
        fitting += fits ? 1 : 0;
        narrowed += outcome == TLineOutcome::Narrowed ? 1 : 0;
    }
    // The random lines reach every outcome often.
    EXPECT_GT(fitting, 600);
    EXPECT_GT(3000 - fitting, 300);
    EXPECT_GT(narrowed, 300);
    EXPECT_GT(fitting - narrowed, 100);
}

} // namespace
