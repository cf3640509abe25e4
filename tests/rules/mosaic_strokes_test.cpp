#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "board_test_util.h"
#include "rules/mosaic_board.h"

namespace {

using namespace boardtest;

struct StrokeCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::pair<int, int>> rewards; // 1-based (column, row)
    std::vector<Action> setup;                // played before the events are recorded
    std::vector<Action> actions;
    std::vector<std::string> events;
    std::vector<std::string> player;
    int mistakes;
};

// "11212" / "12001": colour 1 has no cell in column 2, so that column is ruled out in its view.
const std::vector<std::string> kMixed = {"11212", "12001"};

TEST(MosaicStrokes, JudgesStrokesAndReportsEventsInOrder) {
    const StrokeCase cases[] = {
        {"right cells are painted and reported one by one",
         kMixed,
         {},
         {},
         {LeftStroke(0, 0, 0, 1)},
         {"hover r0c0", "hover r0c1", "visited r0c0", "filled r0c0", "visited r0c1", "filled r0c1", "painted 2"},
         {"11x..", ".xx.."},
         0},
        {"a wrong cell is crossed and counted, a ruled-out cell passed",
         kMixed,
         {},
         {},
         {LeftStroke(0, 1, 0, 4)},
         {"hover r0c1", "hover r0c2", "hover r0c3", "hover r0c4", "visited r0c1", "filled r0c1", "visited r0c2",
          "visited r0c3", "filled r0c3", "visited r0c4", "wrong r0c4", "mistakes 1", "painted 2"},
         {".1x1#", ".xxx."},
         1},
        {"a cell already wrong for the colour stops the stroke",
         {"11211", "22122"},
         {},
         {LeftClick(0, 2)},
         {LeftStroke(0, 0, 0, 4)},
         {"hover r0c0", "hover r0c1", "hover r0c2", "hover r0c3", "hover r0c4", "visited r0c0", "filled r0c0",
          "visited r0c1", "filled r0c1", "visited r0c2", "painted 2"},
         {"11#..", "xx..."},
         1},
        {"ruled-out and painted cells are passed over",
         {"1011", "1111"},
         {},
         {RightClick(0, 1), LeftClick(0, 2)},
         {LeftStroke(0, 0, 0, 3)},
         {"hover r0c0", "hover r0c1", "hover r0c2", "hover r0c3", "visited r0c0", "filled r0c0", "visited r0c1",
          "visited r0c2", "visited r0c3", "filled r0c3", "painted 2"},
         {"1x11", "...."},
         0},
        {"a stroke is judged from the pressed cell",
         {"1112", "1111"},
         {},
         {},
         {LeftStroke(0, 3, 0, 0)},
         {"hover r0c3", "hover r0c2", "hover r0c1", "hover r0c0", "visited r0c3", "wrong r0c3", "visited r0c2",
          "filled r0c2", "visited r0c1", "filled r0c1", "visited r0c0", "filled r0c0", "mistakes 1", "painted 3"},
         {"111#", "...."},
         1},
        {"a column stroke walks down the column",
         {"12", "12", "11"},
         {},
         {},
         {LeftStroke(0, 0, 2, 0)},
         {"hover r0c0", "hover r1c0", "hover r2c0", "visited r0c0", "filled r0c0", "visited r1c0", "filled r1c0",
          "visited r2c0", "filled r2c0", "painted 3"},
         {"1x", "1x", "1."},
         0},
        {"a cross of another colour is painted when the colour is right",
         {"12", "21"},
         {},
         {ChooseColour(2), LeftClick(0, 0), ChooseColour(1)},
         {LeftClick(0, 0)},
         {"visited r0c0", "filled r0c0", "painted 1"},
         {"1x", "x."},
         1},
        {"a cross that looks ruled out in another colour costs nothing there and returns in its own",
         {"102", "112"},
         {},
         {},
         {LeftClick(0, 1), ChooseColour(2), LeftStroke(0, 0, 0, 2), ChooseColour(1)},
         {"visited r0c1", "wrong r0c1", "mistakes 1", "painted 0", "hover r0c0", "hover r0c1", "hover r0c2",
          "visited r0c0", "visited r0c1", "visited r0c2", "filled r0c2", "painted 1"},
         {".#2", "..x"},
         1},
        {"right button: empty cell, other colour, current colour",
         kMixed,
         {},
         {},
         {RightClick(1, 3), RightClick(1, 1), RightClick(0, 0)},
         {"hover r1c3", "painted 0", "hover r1c1", "painted 0", "hover r0c0", "wrong r0c0", "filled r0c0", "mistakes 1",
          "painted 0"},
         {"1.x..", ".xxx."},
         1},
        {"a right drag judges each cell as the pointer reaches it",
         kMixed,
         {},
         {},
         {RightStroke(0, 0, 0, 4)},
         {"hover r0c0", "wrong r0c0", "mistakes 1", "hover r0c1", "wrong r0c1", "mistakes 1", "hover r0c2",
          "hover r0c3", "wrong r0c3", "mistakes 1", "hover r0c4", "painted 0"},
         {"11x1x", ".xxx."},
         3},
        {"a diagonal judges nothing",
         kMixed,
         {},
         {},
         {LeftStroke(0, 0, 1, 1)},
         {"hover r0c0", "hover r1c1", "painted 0"},
         {"..x..", "..x.."},
         0},
        {"a colour without a record is wrong everywhere and remembered nowhere",
         {"11"},
         {},
         {ChooseColour(16)},
         {LeftStroke(0, 0, 0, 1), LeftStroke(0, 0, 0, 1)},
         {"hover r0c0", "hover r0c1", "visited r0c0", "wrong r0c0", "visited r0c1", "wrong r0c1", "mistakes 2",
          "painted 0", "hover r0c0", "hover r0c1", "visited r0c0", "wrong r0c0", "visited r0c1", "wrong r0c1",
          "mistakes 2", "painted 0"},
         {"##"},
         4},
        {"a hidden reward is found at a later release over its painted cell",
         {"111", "111"},
         {{2, 1}},
         {},
         {LeftStroke(0, 0, 0, 2), LeftClick(0, 1)},
         {"hover r0c0", "hover r0c1", "hover r0c2", "visited r0c0", "filled r0c0", "visited r0c1", "filled r0c1",
          "visited r0c2", "filled r0c2", "painted 3", "found r0c1", "visited r0c1", "painted 0"},
         {"111", "..."},
         0},
        {"the last cell's reward is reported before the board is solved",
         {"11"},
         {{2, 1}},
         {},
         {LeftStroke(0, 0, 0, 1)},
         {"hover r0c0", "hover r0c1", "visited r0c0", "filled r0c0", "visited r0c1", "filled r0c1", "painted 2",
          "found r0c1", "solved"},
         {"11"},
         0},
    };
    for (const StrokeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TLevelLayoutData data = Layout(c.lines);
        data.rewards = c.rewards;
        TMosaicBoard board;
        ASSERT_TRUE(board.Load(data, false));
        EventLog log(board);
        for (const Action& action : c.setup) {
            Perform(board, action);
        }
        log.Clear();
        for (const Action& action : c.actions) {
            Perform(board, action);
        }
        EXPECT_EQ(log.events, c.events);
        EXPECT_EQ(PlayerGrid(board), c.player);
        EXPECT_EQ(board.GetMistakes(), c.mistakes);
    }
}

TEST(MosaicStrokes, RightPressRulesOutAnEmptyCellBeforeTheRelease) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout(kMixed), false));
    struct Case {
        int row, column, player;
    };
    // Empty cell: ruled out at once; a cell of either colour waits for the release.
    const Case cases[] = {{1, 3, -1}, {1, 1, 0}, {0, 0, 0}};
    for (const Case& c : cases) {
        board.Press(CentreX(board, c.row, c.column), CentreY(board, c.row, c.column), TMosaicBoard::kRightButton);
        EXPECT_EQ(board.GetCell(c.row, c.column).player, c.player) << "r" << c.row << "c" << c.column;
        board.Release(CentreX(board, c.row, c.column), CentreY(board, c.row, c.column), TMosaicBoard::kRightButton);
    }
}

TEST(MosaicStrokes, PointerOutsideTheGrid) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"111"}), false));
    EventLog log(board);
    const int left = TMosaicBoard::kLeftButton;

    // Pressed outside: drags still hover, the release judges nothing.
    board.Press(10, 10, left);
    board.Drag(CentreX(board, 0, 0), CentreY(board, 0, 0), left);
    board.Drag(CentreX(board, 0, 2), CentreY(board, 0, 2), left);
    board.Release(CentreX(board, 0, 2), CentreY(board, 0, 2), left);
    EXPECT_EQ(log.events, (std::vector<std::string>{"hover r0c0", "hover r0c2", "painted 0"}));
    EXPECT_EQ(PlayerGrid(board), std::vector<std::string>{"..."});

    // Released outside after a drag: the line ends at the last cell the pointer was over.
    log.Clear();
    board.Press(CentreX(board, 0, 0), CentreY(board, 0, 0), left);
    board.Drag(CentreX(board, 0, 1), CentreY(board, 0, 1), left);
    board.Drag(1000, 700, left);
    board.Release(1000, 700, left);
    EXPECT_EQ(log.events, (std::vector<std::string>{"hover r0c1", "visited r0c0", "filled r0c0", "visited r0c1",
                                                    "filled r0c1", "painted 2"}));
    EXPECT_EQ(PlayerGrid(board), std::vector<std::string>{"11."});
}

std::string DragNumbers(const TMosaicBoard& board, int row) {
    std::string numbers;
    for (int column = 0; column < board.GetCols(); ++column) {
        numbers += std::to_string(board.GetCell(row, column).dragNumber);
    }
    return numbers;
}

TEST(MosaicStrokes, DragNumbersFollowTheLine) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"1111", "1111"}), false));
    const int left = TMosaicBoard::kLeftButton;
    board.Press(CentreX(board, 0, 0), CentreY(board, 0, 0), left);
    struct Step {
        int row, column;
        const char* top;
        const char* bottom;
        int lineLength;
    };
    const Step steps[] = {
        {0, 0, "0000", "0000", 1}, // the pressed cell alone shows no number
        {0, 1, "1200", "0000", 2}, {0, 3, "1234", "0000", 4},
        {0, 1, "1234", "0000", 2}, // a shorter line renumbers; the cells it left keep theirs
        {1, 1, "0034", "0000", 0}, // a diagonal hides the line shown before
        {1, 0, "1034", "2000", 2},
    };
    for (const Step& s : steps) {
        board.Drag(CentreX(board, s.row, s.column), CentreY(board, s.row, s.column), left);
        EXPECT_EQ(DragNumbers(board, 0), s.top) << "at r" << s.row << "c" << s.column;
        EXPECT_EQ(DragNumbers(board, 1), s.bottom) << "at r" << s.row << "c" << s.column;
        EXPECT_EQ(board.GetStrokeLine().length, s.lineLength) << "at r" << s.row << "c" << s.column;
    }
    board.Release(CentreX(board, 1, 0), CentreY(board, 1, 0), left);
    EXPECT_EQ(DragNumbers(board, 0), "0000");
    EXPECT_EQ(DragNumbers(board, 1), "0000");
    EXPECT_EQ(PlayerGrid(board), (std::vector<std::string>{"1...", "1..."}));
}

TEST(MosaicStrokes, MoveTracksHoverAndClueHover) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"101"}), false));
    const TMosaicColorInfo& info = board.GetColourRecords()[0];
    const TPixelRect second = info.numbers[kRows][0][1].rect;
    struct Case {
        int x, y;
        int hoverColumn;
        bool firstClue, secondClue;
    };
    const Case cases[] = {
        {CentreX(board, 0, 2), CentreY(board, 0, 2), 2, false, false},
        {second.x, second.y, -1, false, true},
        {second.x - 1, second.y, -1, true, false},
        {5, 5, -1, false, false},
    };
    for (const Case& c : cases) {
        board.Move(c.x, c.y);
        EXPECT_EQ(board.GetHoverColumn(), c.hoverColumn) << c.x << "," << c.y;
        EXPECT_EQ(board.GetHoverRow(), c.hoverColumn < 0 ? -1 : 0) << c.x << "," << c.y;
        EXPECT_EQ(info.numbers[kRows][0][0].hover, c.firstClue) << c.x << "," << c.y;
        EXPECT_EQ(info.numbers[kRows][0][1].hover, c.secondClue) << c.x << "," << c.y;
    }
}

} // namespace
