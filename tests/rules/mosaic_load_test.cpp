#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_util.h"
#include "rules/mosaic_board.h"

namespace {

using boardtest::DescribeRuns;
using boardtest::Layout;

struct ColourExpect {
    int colour;
    TCellBox box;
    std::vector<std::string> rows; // runs of each row
    std::vector<std::string> cols; // runs of each column
};

struct LoadCase {
    const char* name;
    TLevelLayoutData data;
    bool singleColour;
    int items;
    TCellBox shown;
    int visible;
    std::vector<ColourExpect> colours;
    std::vector<std::string> solution; // '.' 0 (outside the shown part), 'x' -1 (empty), digits colours
    std::vector<std::string> player;   // the first colour's view after loading
};

std::vector<std::string> SolutionGrid(const TMosaicBoard& board) {
    return boardtest::Grid(board, [](const TMosaicCell& cell) { return cell.solution; });
}

std::vector<std::string> RunsOf(const TMosaicColorInfo& info, TAxis axis) {
    std::vector<std::string> lines;
    for (const auto& runs : info.runs[axis]) {
        lines.push_back(DescribeRuns(runs, axis));
    }
    return lines;
}

TEST(MosaicLoad, BuildsColoursRunsBoxesAndViewFromLayout) {
    const std::vector<std::string> blank(10, "0000000000");
    std::vector<std::string> framed = blank;
    framed[2] = "0001111100";
    framed[3] = "0001000100";
    framed[4] = "0001111100";
    const std::vector<std::string> noRuns(10, "");
    std::vector<std::string> framedRows = noRuns;
    framedRows[2] = "3+5";
    framedRows[3] = "3+1 7+1";
    framedRows[4] = "3+5";
    std::vector<std::string> framedCols = noRuns;
    framedCols[3] = "2+3";
    framedCols[4] = framedCols[5] = framedCols[6] = "2+1 4+1";
    framedCols[7] = "2+3";
    std::vector<std::string> framedSolution(10, "..........");
    framedSolution[2] = "...11111..";
    framedSolution[3] = "...1xxx1..";
    framedSolution[4] = "...11111..";
    std::vector<std::string> framedPlayer(10, "xxxxxxxxxx");
    framedPlayer[2] = framedPlayer[3] = framedPlayer[4] = "xxx.....xx";

    const LoadCase cases[] = {
        {"two colours",
         Layout({"1120", "0122", "1002"}),
         false,
         8,
         {0, 0, 4, 3},
         12,
         {{1, {0, 0, 2, 3}, {"0+2", "1+1", "0+1"}, {"0+1 2+1", "0+2", "", ""}},
          {2, {2, 0, 2, 3}, {"2+1", "2+2", "3+1"}, {"", "", "0+2", "1+2"}}},
         {"112x", "x122", "1xx2"},
         {"..xx", "..xx", "..xx"}},
        {"coloured block inside a larger grid",
         Layout(framed),
         false,
         12,
         {3, 2, 5, 3},
         15,
         {{1, {3, 2, 5, 3}, framedRows, framedCols}},
         framedSolution,
         framedPlayer},
        {"single colour merges colours",
         Layout({"1303", "3300"}),
         true,
         5,
         {0, 0, 4, 2},
         8,
         {{1, {0, 0, 4, 2}, {"0+2 3+1", "0+2"}, {"0+2", "0+2", "", "0+1"}}},
         {"11x1", "11xx"},
         {"..x.", "..x."}},
        {"lines beyond rows and characters beyond cols are dropped",
         Layout({"111", "1211", "222"}, 2, 3),
         false,
         6,
         {0, 0, 3, 2},
         6,
         {{1, {0, 0, 3, 2}, {"0+3", "0+1 2+1"}, {"0+2", "0+1", "0+2"}},
          {2, {1, 1, 1, 1}, {"", "1+1"}, {"", "1+1", ""}}},
         {"111", "121"},
         {"...", "..."}},
        {"short lines and other characters are empty",
         Layout({"1", "0a1"}, 2, 3),
         false,
         2,
         {0, 0, 3, 2},
         6,
         {{1, {0, 0, 3, 2}, {"0+1", "2+1"}, {"0+1", "", "1+1"}}},
         {"1xx", "xx1"},
         {".x.", ".x."}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMosaicBoard board;
        ASSERT_TRUE(board.Load(c.data, c.singleColour));
        EXPECT_EQ(board.GetItems(), c.items);
        EXPECT_EQ(board.GetShownArea(), c.shown);
        EXPECT_EQ(board.GetVisibleCellCount(), c.visible);
        EXPECT_EQ(SolutionGrid(board), c.solution);
        EXPECT_EQ(boardtest::PlayerGrid(board), c.player);
        ASSERT_EQ(board.GetColourRecords().size(), c.colours.size());
        for (size_t i = 0; i < c.colours.size(); ++i) {
            const TMosaicColorInfo& info = board.GetColourRecords()[i];
            EXPECT_EQ(info.colour, c.colours[i].colour);
            EXPECT_EQ(info.box, c.colours[i].box);
            EXPECT_EQ(RunsOf(info, kRows), c.colours[i].rows);
            EXPECT_EQ(RunsOf(info, kColumns), c.colours[i].cols);
        }
    }
}

TEST(MosaicLoad, RunsKnowTheirColourAndStartOpen) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"12", "21"}), false));
    for (const TMosaicColorInfo& info : board.GetColourRecords()) {
        for (const auto& lines : info.runs) {
            for (const auto& runs : lines) {
                for (const TMosaicRun& run : runs) {
                    EXPECT_EQ(run.colour, info.colour);
                    EXPECT_FALSE(run.done);
                }
            }
        }
        EXPECT_FALSE(info.AreAllRunsDone());
    }
    EXPECT_FALSE(board.IsSolved());
}

TEST(MosaicLoad, RefusesUnplayableLevelsAndKeepsThePreviousOne) {
    struct Case {
        const char* name;
        TLevelLayoutData data;
        std::vector<std::string> log;
    };
    TLevelLayoutData negative = Layout({"111"});
    negative.rows = -3;
    negative.cols = -2;
    const std::string noCell = "Layout levels/test.xml refused: no coloured cell";
    const std::string lineBeyond = "Layout levels/test.xml: 1 lines beyond rows=0 ignored";
    const Case cases[] = {
        {"colour numbers with a gap",
         Layout({"103"}),
         {"Layout levels/test.xml refused: colour 2 missing below colour 3"}},
        {"no colour 1", Layout({"22"}), {"Layout levels/test.xml refused: colour 1 missing below colour 2"}},
        {"no coloured cell", Layout({"000"}), {noCell}},
        {"no rows", Layout({"111"}, 0, 3), {lineBeyond, noCell}},
        {"negative size", negative, {lineBeyond, noCell}},
        {"grid too large",
         Layout({"111"}, 257, 3),
         {"Layout levels/test.xml refused: grid 3x257 is larger than 256x256"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMosaicBoard board;
        std::vector<std::string> log;
        board.SetLog([&log](const std::string& line) { log.push_back(line); });
        TLevelLayoutData first = Layout({"11", "10"});
        first.name = "first";
        ASSERT_TRUE(board.Load(first, false));
        EXPECT_FALSE(board.Load(c.data, false));
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(board.GetName(), "first");
        EXPECT_EQ(board.GetItems(), 3);
        EXPECT_EQ(board.GetCells().size(), 4u);
    }
}

TEST(MosaicLoad, LogsLinesAndCluesItCannotUse) {
    struct Case {
        const char* name;
        TLevelLayoutData data;
        std::vector<std::string> log;
        TAxis axis;
        int line;
        size_t numbers; // clue numbers of that line for the last colour
    };
    const std::string oneColumn8[] = {"1", "0", "1", "0", "1", "0", "1", "0", "1", "0", "1", "0", "1", "0", "1"};
    const std::vector<std::string> column8(std::begin(oneColumn8), std::end(oneColumn8));
    const std::vector<std::string> column7(column8.begin(), column8.begin() + 13);
    const Case cases[] = {
        {"nine runs in a row",
         Layout({"10101010101010101"}),
         {"Too many rows in levels/test.xml  col=1 rowscount= 9  color count 1"},
         kRows,
         0,
         9},
        {"eight runs in a row", Layout({"101010101010101"}), {}, kRows, 0, 8},
        {"eight runs in a column",
         Layout(column8),
         {"Too many cols in levels/test.xml  col=1 rowscount= 8  color count 1"},
         kColumns,
         0,
         8},
        {"seven runs in a column", Layout(column7), {}, kColumns, 0, 7},
        {"second colour, second row",
         Layout({"11111111111111111", "20202020202020202"}),
         {"Too many rows in levels/test.xml  col=2 rowscount= 9  color count 2"},
         kRows,
         1,
         9},
        {"extra line and long line",
         Layout({"111", "1211", "222"}, 2, 3),
         {"Layout levels/test.xml: 1 lines beyond rows=2 ignored",
          "Layout levels/test.xml: line 2 longer than cols=3, cut"},
         kRows,
         1,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMosaicBoard board;
        std::vector<std::string> log;
        board.SetLog([&log](const std::string& line) { log.push_back(line); });
        ASSERT_TRUE(board.Load(c.data, false));
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(board.GetColourRecords().back().numbers[c.axis][static_cast<size_t>(c.line)].size(), c.numbers);
    }
}

std::vector<std::string> HiddenCells(const TMosaicBoard& board) {
    std::vector<std::string> names;
    for (const TMosaicCell& cell : board.GetCells()) {
        if (cell.hiddenReward) {
            names.push_back(boardtest::CellName(cell));
        }
    }
    return names;
}

TEST(MosaicLoad, PlacesListedRewardsInsideTheGridOnColouredCells) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> pairs; // 1-based (column, row) as written
        int count;
        std::vector<std::string> hidden;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"two pairs", {{1, 1}, {3, 2}}, 0, {"r0c0", "r1c2"}, {}},
        {"zero maps to the first column", {{0, 5}}, 0, {"r4c0"}, {}},
        {"negative maps to the first column", {{-3, 1}}, 0, {"r0c0"}, {}},
        {"empty cell gets none", {{2, 2}}, 0, {}, {}},
        {"listed pairs win over a count", {{1, 1}}, 2, {"r0c0"}, {}},
        {"same cell twice", {{1, 1}, {1, 1}}, 0, {"r0c0"}, {}},
        {"column beyond the grid",
         {{4, 1}, {3, 1}},
         0,
         {"r0c2"},
         {"Layout levels/test.xml: reward 4,1 outside the grid, dropped"}},
        {"row beyond the grid", {{1, 6}}, 0, {}, {"Layout levels/test.xml: reward 1,6 outside the grid, dropped"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLevelLayoutData data = Layout({"111", "101", "111", "101", "111"});
        data.rewards = c.pairs;
        data.rewardsCount = c.count;
        TMosaicBoard board;
        std::vector<std::string> log;
        board.SetLog([&log](const std::string& line) { log.push_back(line); });
        board.SetRandom([] { return 0; });
        ASSERT_TRUE(board.Load(data, false));
        EXPECT_EQ(HiddenCells(board), c.hidden);
        EXPECT_EQ(board.CountHiddenCells(), static_cast<int>(c.hidden.size()));
        EXPECT_EQ(log, c.log);
    }
}

TEST(MosaicLoad, ChoosesRandomRewardsAmongColouredCells) {
    struct Case {
        const char* name;
        int count;
        std::vector<int> draws; // repeated as needed
        std::vector<std::string> hidden;
        std::vector<std::string> log;
    };
    // Coloured cells in row order: r0c0, r0c1, r1c1, r1c2; the shuffle swaps item i with draw % (i + 1).
    const Case cases[] = {
        {"draws of zero", 2, {0}, {"r0c1", "r1c1"}, {}},
        {"draws 5, 7, 1", 2, {5, 7, 1}, {"r0c0", "r1c1"}, {}},
        {"draws beyond 15 bits are cut", 2, {5 + 0x8000, 7 + 0x10000, 1}, {"r0c0", "r1c1"}, {}},
        {"no count", 0, {0}, {}, {}},
        {"count above the coloured cells",
         10,
         {0},
         {"r0c0", "r0c1", "r1c1", "r1c2"},
         {"Layout levels/test.xml: rewardscount=10 cut to 4 coloured cells"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLevelLayoutData data = Layout({"110", "011"});
        data.rewardsCount = c.count;
        TMosaicBoard board;
        std::vector<std::string> log;
        board.SetLog([&log](const std::string& line) { log.push_back(line); });
        size_t next = 0;
        board.SetRandom([&] { return c.draws[next++ % c.draws.size()]; });
        ASSERT_TRUE(board.Load(data, false));
        EXPECT_EQ(HiddenCells(board), c.hidden);
        EXPECT_EQ(log, c.log);
    }
}

} // namespace
