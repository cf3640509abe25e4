#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "levelcheck/difficulty.h"
#include "rules/board_test_util.h"

namespace {

using boardtest::Layout;

struct DifficultyCase {
    const char* name;
    std::vector<std::string> lines;
    int sweeps;
    int coloured;
    int oneLine;
};

TEST(LevelDifficulty, CountsPassesAndTheCellsOneLineGivesAway) {
    const DifficultyCase cases[] = {
        // The middle row and column each fill at once; the columns then clear the corners.
        {"a plus sign", {"010", "111", "010"}, 1, 5, 5},
        // Row 1 gives cells 2 and 3, column 3 both its cells; the second row needs the columns first,
        // and the corners need the second row: two passes.
        {"a staircase read in two passes", {"1110", "0011"}, 2, 5, 3},
        // Each colour alone fixes nothing in the row; the columns fix both.
        {"two colours side by side", {"12"}, 1, 2, 2},
        // A run of 2 of colour 1 in 3 cells fixes its middle cell without the other colour.
        {"one colour's overlap in a two-colour row", {"112", "122"}, 1, 6, 6},
        // Nothing to start from: no line fixes a cell and no pass changes anything.
        {"two solutions", {"10", "01"}, 0, 2, 0},
    };
    for (const DifficultyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMosaicBoard board;
        ASSERT_TRUE(board.Load(Layout(c.lines), false));
        const TDifficulty difficulty = MeasureDifficulty(ShownPuzzleOf(board));
        EXPECT_TRUE(difficulty.consistent);
        EXPECT_EQ(difficulty.sweeps, c.sweeps);
        EXPECT_EQ(difficulty.colouredCells, c.coloured);
        EXPECT_EQ(difficulty.oneLineCells, c.oneLine);
    }
}

TEST(LevelDifficulty, ScoresMorePassesAndFewerGivenCellsHigher) {
    TMosaicBoard plus;
    ASSERT_TRUE(plus.Load(Layout({"010", "111", "010"}), false));
    TMosaicBoard staircase;
    ASSERT_TRUE(staircase.Load(Layout({"1110", "0011"}), false));
    const TDifficulty easy = MeasureDifficulty(ShownPuzzleOf(plus));
    const TDifficulty hard = MeasureDifficulty(ShownPuzzleOf(staircase));
    EXPECT_DOUBLE_EQ(easy.OneLineShare(), 1.0);
    EXPECT_DOUBLE_EQ(hard.OneLineShare(), 0.6);
    // One pass with everything given; two passes with 40 % of the cells to work out.
    EXPECT_DOUBLE_EQ(easy.Score(), 1.0);
    EXPECT_DOUBLE_EQ(hard.Score(), 2.8);
}

TEST(LevelDifficulty, MarksCluesThatContradictEachOther) {
    TShownPuzzle puzzle;
    puzzle.rows = 2;
    puzzle.cols = 2;
    puzzle.shownArea = {0, 0, 2, 2};
    // Rows ask for two cells of the colour, columns for none.
    puzzle.clues.push_back({{{{1}, {1}}, {{}, {}}}});
    EXPECT_FALSE(MeasureDifficulty(puzzle).consistent);
}

} // namespace
