#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board_test_util.h"
#include "rules/mosaic_board.h"

namespace {

using namespace boardtest;

TEST(MosaicProgress, NewlyDoneRunsTellEachCellOnce) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::pair<int, int>> painted; // (row, column), painted right in one go
        std::vector<std::string> hooks;
    };
    const Case cases[] = {
        {"a single cell is a row run and a column run", {"1"}, {{0, 0}}, {"run r0c0"}},
        {"single-cell column runs inside a row run",
         {"111"},
         {{0, 0}, {0, 1}, {0, 2}},
         {"run r0c0", "run r0c1", "run r0c2"}},
        {"two crossing runs of equal length both count",
         {"11", "10"},
         {{0, 0}, {0, 1}, {1, 0}},
         {"run r0c0", "run r0c1", "run r0c0", "run r1c0"}},
        {"runs of two colours", {"12"}, {{0, 0}, {0, 1}}, {"run r0c0", "run r0c1"}},
        {"an unfinished run says nothing", {"11"}, {{0, 0}}, {"run r0c0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMosaicBoard board;
        ASSERT_TRUE(board.Load(Layout(c.lines), false));
        for (const auto& [row, column] : c.painted) {
            TMosaicCell& cell = board.CellAt(row, column);
            board.SetCell(cell, {cell.solution, 0}, true);
        }
        EventLog log(board);
        board.UpdateRunsDone(false);
        EXPECT_EQ(log.hooks, c.hooks);
    }
}

TEST(MosaicProgress, RejudgingAllRunsTakesBackARunWhoseCellChanged) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"11", "00"}, 2, 2), false));
    EventLog log(board);
    Perform(board, LeftStroke(0, 0, 0, 1));
    const TMosaicRun& row = board.GetColourRecords()[0].runs[kRows][0][0];
    ASSERT_TRUE(row.done);
    board.SetCell(board.CellAt(0, 1), {0, 0}, false);
    board.UpdateRunsDone(false);
    EXPECT_TRUE(row.done);
    board.UpdateRunsDone(true);
    EXPECT_FALSE(row.done);
    log.Clear();
    board.SetCell(board.CellAt(0, 1), {1, 0}, true);
    board.UpdateRunsDone(false);
    EXPECT_EQ(log.hooks, (std::vector<std::string>{"colour r0c1", "run r0c0", "run r0c1"}));
}

TEST(MosaicProgress, ClueNumbersCrossPerSettingAndLine) {
    // "1101": row clues 2 1, one clue under each coloured column.
    struct Query {
        TAxis axis;
        int line, j;
        bool crossedAtOnce; // "setnumbersnow" 1
        bool crossedByLine; // any other value
    };
    struct Step {
        Action stroke;
        std::vector<Query> queries;
    };
    const Step steps[] = {
        {LeftClick(0, 3),
         {{kRows, 0, 1, true, false},
          {kRows, 0, 0, false, false},
          {kColumns, 3, 0, true, true},
          {kColumns, 0, 0, false, false}}},
        {LeftStroke(0, 0, 0, 1), {{kRows, 0, 1, true, true}, {kRows, 0, 0, true, true}, {kColumns, 0, 0, true, true}}},
    };
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"1101"}), false));
    const TMosaicColorInfo& info = board.GetColourRecords()[0];
    for (const Step& step : steps) {
        Perform(board, step.stroke);
        for (const Query& q : step.queries) {
            EXPECT_EQ(info.IsClueCrossed(q.axis, q.line, q.j, 1), q.crossedAtOnce)
                << "axis " << q.axis << " line " << q.line << " number " << q.j;
            EXPECT_EQ(info.IsClueCrossed(q.axis, q.line, q.j, 0), q.crossedByLine)
                << "axis " << q.axis << " line " << q.line << " number " << q.j;
        }
    }
    EXPECT_FALSE(info.IsClueCrossed(kRows, 0, 2, 1));
    EXPECT_FALSE(info.IsClueCrossed(kColumns, 9, 0, 1));
}

TEST(MosaicProgress, SolvedWhenEveryRunOfEveryColourIsDoneAndToldOnce) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"12", "21"}), false));
    EventLog log(board);
    Perform(board, LeftClick(0, 0));
    Perform(board, LeftClick(1, 1));
    EXPECT_TRUE(board.GetColourRecords()[0].AreAllRunsDone());
    EXPECT_FALSE(board.IsSolved());
    Perform(board, ChooseColour(2));
    Perform(board, LeftClick(0, 1));
    EXPECT_FALSE(board.IsSolved());
    log.Clear();
    Perform(board, LeftClick(1, 0));
    EXPECT_EQ(log.events, (std::vector<std::string>{"visited r1c0", "filled r1c0", "painted 1", "solved"}));
    EXPECT_EQ(log.hooks, (std::vector<std::string>{"colour r1c0", "run r1c0", "solved r0c0", "solved r0c1",
                                                   "solved r1c0", "solved r1c1"}));
    log.Clear();
    EXPECT_TRUE(board.IsSolved());
    Perform(board, LeftClick(1, 0));
    EXPECT_TRUE(board.IsSolved());
    EXPECT_EQ(log.events, (std::vector<std::string>{"visited r1c0", "painted 0"}));
    EXPECT_TRUE(log.hooks.empty());

    // A new load starts unsolved.
    ASSERT_TRUE(board.Load(Layout({"12", "21"}), false));
    EXPECT_FALSE(board.IsSolved());
}

TEST(MosaicProgress, ABoardWithoutALevelIsNotSolved) {
    TMosaicBoard board;
    EXPECT_FALSE(board.IsSolved());
}

} // namespace
