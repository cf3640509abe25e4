#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_config.h"
#include "levelcheck/level_check.h"
#include "levelcheck_test_util.h"
#include "rules/board_test_util.h"

namespace {

using boardtest::Layout;
using namespace levelchecktest;

struct FairnessCase {
    const char* name;
    std::vector<std::string> lines;
    int solutions; // counted by trying every colouring, up to 3
    int unproved;
};

TEST(LevelCheck, ProvesEveryColouredCellOnlyWhenLineLogicReachesIt) {
    const FairnessCase cases[] = {
        {"a plus sign", {"010", "111", "010"}, 1, 0},
        // Solving each colour on its own stalls; what one colour proves rules the cell out for the other.
        {"two colours that only solve together", {"2020", "1200", "0000", "2112"}, 1, 0},
        {"a picture in the middle of a larger grid", {"00000", "01220", "01120", "00000"}, 1, 0},
        {"two solutions", {"10", "01"}, 2, 2},
        {"one solution that line logic cannot reach", {"00111", "10011", "01100", "00011", "01000"}, 1, 8},
    };
    for (const FairnessCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMosaicBoard board;
        ASSERT_TRUE(board.Load(Layout(c.lines), false));
        const TShownPuzzle puzzle = ShownPuzzleOf(board);
        EXPECT_EQ(SolutionCounter(puzzle, 3).Count(), c.solutions);
        const TUnprovedCells unproved = FindUnprovedCells(board);
        EXPECT_FALSE(unproved.contradiction);
        EXPECT_EQ(unproved.count, c.unproved);
        EXPECT_EQ(unproved.coloured, board.GetItems());
    }
}

TEST(LevelCheck, ProvedCellsAreTheSolutionAndTheRestStayOpen) {
    // Line logic never proves a wrong value: cells it leaves open may still be either of two values.
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"00111", "10011", "01100", "00011", "01000"}), false));
    TGridSolver solver(ShownPuzzleOf(board));
    ASSERT_TRUE(solver.Solve());
    int open = 0;
    for (const TMosaicCell& cell : board.GetCells()) {
        const int proved = solver.ProvedValue(cell.row, cell.column);
        if (proved == 0) {
            ++open;
            EXPECT_EQ(solver.Known(cell.row, cell.column), kEmptyBit | ColourBit(1)) << boardtest::CellName(cell);
        } else {
            EXPECT_EQ(proved, cell.solution) << boardtest::CellName(cell);
        }
    }
    EXPECT_GT(open, 0);
}

TEST(LevelCheck, ContradictoryCluesAreReported) {
    TShownPuzzle puzzle;
    puzzle.rows = 2;
    puzzle.cols = 2;
    puzzle.shownArea = {0, 0, 2, 2};
    // Rows ask for two cells of the colour, columns for none.
    puzzle.clues.push_back({{{{1}, {1}}, {{}, {}}}});
    TGridSolver solver(puzzle);
    EXPECT_FALSE(solver.Solve());
}

struct ScreenCase {
    const char* name;
    std::vector<std::string> lines;
    int originX;
    int originY;
    int cellWidth;
    std::vector<std::string> faults;
};

std::vector<std::string> Repeat(const std::string& line, int count) {
    return std::vector<std::string>(static_cast<size_t>(count), line);
}

TEST(LevelCheck, FindsGridAndCluesThatLeaveTheScreen) {
    const std::string row26(26, '1');
    const std::string row27(27, '1');
    const std::string sevenRuns = "1010101010101";
    const std::vector<std::string> fourRunsDown = {"1", "0", "1", "0", "1", "0", "1"};
    const ScreenCase cases[] = {
        {"26 columns end at 1362", {row26}, 312, 155, 40, {}},
        {"27 columns pass the right edge",
         {row27},
         312,
         155,
         40,
         {"the grid cells reach x 312 to 1402, y 155 to 195, outside the 1366 x 768 screen",
          "the column clues reach x 312 to 1402, y 123 to 145, outside the 1366 x 768 screen"}},
        {"15 rows end at 761", Repeat("1", 15), 312, 155, 40, {}},
        {"16 rows pass the bottom edge",
         Repeat("1", 16),
         312,
         155,
         40,
         {"the grid cells reach x 312 to 352, y 155 to 801, outside the 1366 x 768 screen",
          "the row clues reach x 274 to 302, y 163 to 791, outside the 1366 x 768 screen"}},
        {"wider cells from the file",
         Repeat(std::string(21, '1'), 1),
         312,
         155,
         50,
         {"the grid cells reach x 312 to 1370, y 155 to 195, outside the 1366 x 768 screen",
          "the column clues reach x 312 to 1370, y 123 to 145, outside the 1366 x 768 screen"}},
        {"seven row clues reach the left edge exactly", {sevenRuns}, 206, 155, 40, {}},
        {"seven row clues one pixel further",
         {sevenRuns},
         205,
         155,
         40,
         {"the row clues reach x -1 to 195, y 163 to 185, outside the 1366 x 768 screen"}},
        {"four column clues drawn from the top edge", fourRunsDown, 312, 92, 40, {}},
        {"four column clues drawn one pixel above it",
         fourRunsDown,
         312,
         91,
         40,
         {"the column clues reach x 312 to 352, y -1 to 81, outside the 1366 x 768 screen"}},
    };
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(c.name);
        TLevelLayoutData data = Layout(c.lines);
        data.cellWidth = c.cellWidth;
        TMosaicBoard board;
        board.SetGridOrigin(c.originX, c.originY);
        ASSERT_TRUE(board.Load(data, false));
        EXPECT_EQ(FindOffScreenParts(board), c.faults);
    }
}

struct FileCase {
    const char* name;
    std::string xml; // empty: no file
    int originX;
    std::string verdict;
};

TEST(LevelCheck, ChecksALevelFileAsTheGameLoadsIt) {
    const std::string nineRuns = "10101010101010101";
    const FileCase cases[] = {
        {"a fair level", LevelXml("Plus", {"010", "111", "010"}), 0,
         "levels/test.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): PASS"},
        {"two colours", LevelXml("Pair", {"12"}), 0,
         "levels/test.xml \"Pair\" 2 x 1, 2 colours, difficulty 1.0 (1 sweep, 100% by one line): PASS"},
        {"the level's grid origin moves the row clues off the screen", LevelXml("Plus", {"010", "111", "010"}), 30,
         "levels/test.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): FAIL: the row clues "
         "reach x -8 to 20, y 163 to 265, outside the "
         "1366 x 768 screen"},
        {"too many numbers in a row, though they fit the screen", LevelXml("Dots", {nineRuns}), 0,
         "levels/test.xml \"Dots\" 17 x 1, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): FAIL: load logged "
         "\"Too many rows in levels/test.xml  col=1 "
         "rowscount= 9  color count 1\""},
        {"a line longer than the grid",
         "<level><info name=\"Long\" rows=\"1\" cols=\"2\"/><line line=\"111\"/></level>", 0,
         "levels/test.xml \"Long\" 2 x 1, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): FAIL: load logged "
         "\"Layout levels/test.xml: line 1 longer than "
         "cols=2, cut\""},
        {"no coloured cell", LevelXml("Blank", {"00"}), 0,
         "levels/test.xml \"Blank\" 2 x 1, 0 colours: FAIL: load logged \"Layout levels/test.xml refused: no coloured "
         "cell\""},
        {"not a level file", "<level><line line=\"1\"/></level>", 0,
         "levels/test.xml \"\" 0 x 0, 0 colours: FAIL: cannot be read as a level file"},
        {"no file", "", 0, "levels/test.xml \"\" 0 x 0, 0 colours: FAIL: cannot be read as a level file"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataRoot root;
        harness::ScopedDataRoot scoped(root.Folder());
        ASSERT_TRUE(SetWorkingFolderToExe());
        if (!c.xml.empty()) {
            root.Write("levels/test.xml", c.xml);
        }
        EXPECT_EQ(FormatVerdict(CheckLevel({"levels/test.xml", c.originX, 0})), c.verdict);
    }
}

} // namespace
