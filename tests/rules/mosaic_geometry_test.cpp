#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_util.h"
#include "rules/mosaic_board.h"

namespace {

using boardtest::Layout;

TEST(MosaicGeometry, LineIndexAtOffsetSkipsTheGapAfterEveryFifthLine) {
    struct Case {
        int offset, size, gap, count, index;
    };
    const Case cases[] = {
        {0, 40, 2, 12, 0},    {39, 40, 2, 12, 0},  {40, 40, 2, 12, 1},  {199, 40, 2, 12, 4},  {200, 40, 2, 12, -1},
        {201, 40, 2, 12, -1}, {202, 40, 2, 12, 5}, {401, 40, 2, 12, 9}, {404, 40, 2, 12, 10}, {483, 40, 2, 12, 11},
        {484, 40, 2, 12, -1}, {-1, 40, 2, 12, -1}, {200, 40, 0, 12, 5}, {10, 0, 2, 12, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TGridGeometry::IndexAt(c.offset, c.size, c.gap, c.count), c.index)
            << "offset " << c.offset << " size " << c.size << " gap " << c.gap;
    }
}

TEST(MosaicGeometry, GridPixelSizeCountsAGapAfterEveryFifthLine) {
    struct Case {
        int lines, size, gap, pixels;
    };
    const Case cases[] = {{12, 40, 2, 484}, {5, 40, 2, 202}, {4, 40, 2, 160}, {10, 40, 0, 400}, {7, 30, 2, 212}};
    for (const Case& c : cases) {
        EXPECT_EQ(TGridGeometry::Offset(c.lines, c.size, c.gap), c.pixels) << c.lines << " lines of " << c.size;
    }
}

// 6 x 7 grid at (100, 50), cells 30 x 15, gap 2: row clues stand left of the grid, column clues above.
TMosaicBoard SmallCellBoard() {
    TLevelLayoutData data = Layout({"1101011", "0000000", "0000000", "0000000", "0000000", "1000001"});
    data.cellWidth = 30;
    data.cellHeight = 15;
    TMosaicBoard board;
    board.SetGridOrigin(100, 50);
    board.SetGap(2);
    EXPECT_TRUE(board.Load(data, false));
    return board;
}

TEST(MosaicGeometry, CellsSitOnTheGridWithGaps) {
    const TMosaicBoard board = SmallCellBoard();
    struct Case {
        int row, column;
        TPixelRect rect;
    };
    const Case cases[] = {
        {0, 0, {100, 50, 30, 15}},  {0, 4, {220, 50, 30, 15}},  {0, 5, {252, 50, 30, 15}},
        {4, 4, {220, 110, 30, 15}}, {5, 6, {282, 127, 30, 15}},
    };
    for (const Case& c : cases) {
        const TMosaicCell& cell = board.GetCell(c.row, c.column);
        EXPECT_EQ((TPixelRect{cell.x, cell.y, cell.w, cell.h}), c.rect) << "r" << c.row << "c" << c.column;
    }
    EXPECT_EQ(board.GetPixelWidth(), 212);
    EXPECT_EQ(board.GetPixelHeight(), 92);
}

TEST(MosaicGeometry, ClueNumbersStackAwayFromTheGrid) {
    const TMosaicBoard board = SmallCellBoard();
    struct Case {
        TAxis axis;
        int line, j;
        TPixelRect rect;
        int value;
    };
    // Row clues are centred on the row, (15 - 20) / 2 truncated to -2.
    const Case cases[] = {
        {kRows, 0, 0, {6, 48, 28, 20}, 2},      {kRows, 0, 1, {34, 48, 28, 20}, 1},
        {kRows, 0, 2, {62, 48, 28, 20}, 2},     {kRows, 5, 0, {34, 125, 28, 20}, 1},
        {kRows, 5, 1, {62, 125, 28, 20}, 1},    {kColumns, 0, 0, {100, 0, 30, 20}, 1},
        {kColumns, 0, 1, {100, 20, 30, 20}, 1}, {kColumns, 5, 0, {252, 20, 30, 20}, 1},
        {kColumns, 6, 1, {282, 20, 30, 20}, 1},
    };
    const TMosaicColorInfo& info = board.GetColourRecords()[0];
    EXPECT_EQ(info.numbers[kRows][0].size(), 3u);
    EXPECT_TRUE(info.numbers[kRows][1].empty());
    for (const Case& c : cases) {
        const TMosaicNumberItem& number = info.numbers[c.axis][static_cast<size_t>(c.line)][static_cast<size_t>(c.j)];
        EXPECT_EQ(number.rect, c.rect) << "axis " << c.axis << " line " << c.line << " number " << c.j;
        EXPECT_EQ(number.value, c.value) << "axis " << c.axis << " line " << c.line << " number " << c.j;
    }
}

TEST(MosaicGeometry, DefaultPlacesAtTheUsualOrigin) {
    TMosaicBoard board;
    ASSERT_TRUE(board.Load(Layout({"000000", "011011"}), false));
    const TMosaicColorInfo& info = board.GetColourRecords()[0];
    // Origin (312, 155), cells 40 x 40, gap 2: column 5 starts after one gap.
    EXPECT_EQ(info.numbers[kRows][1][0].rect, (TPixelRect{246, 205, 28, 20}));
    EXPECT_EQ(info.numbers[kRows][1][1].rect, (TPixelRect{274, 205, 28, 20}));
    EXPECT_EQ(info.numbers[kColumns][5][0].rect, (TPixelRect{514, 125, 40, 20}));
    EXPECT_EQ(board.GetCell(1, 5).x, 514);
}

TEST(MosaicGeometry, FindsTheCellUnderThePointVisibleOrNot) {
    TMosaicBoard board = SmallCellBoard();
    struct Case {
        int x, y;
        const char* cell; // null for none
    };
    const Case cases[] = {
        {100, 50, "r0c0"},   {129, 64, "r0c0"},   {130, 50, "r0c1"},   {99, 50, nullptr},  {100, 49, nullptr},
        {249, 50, "r0c4"},   {250, 50, nullptr},  {252, 50, "r0c5"},   {311, 141, "r5c6"}, {312, 141, nullptr},
        {311, 142, nullptr}, {220, 125, nullptr}, {220, 126, nullptr}, {220, 127, "r5c4"}, {160, 80, "r2c2"},
    };
    for (const Case& c : cases) {
        const TMosaicCell* cell = board.FindCellAt(c.x, c.y);
        if (c.cell == nullptr) {
            EXPECT_EQ(cell, nullptr) << c.x << "," << c.y;
        } else {
            ASSERT_NE(cell, nullptr) << c.x << "," << c.y;
            EXPECT_EQ(boardtest::CellName(*cell), c.cell) << c.x << "," << c.y;
        }
    }
    TMosaicBoard corner;
    ASSERT_TRUE(corner.Load(Layout({"00", "01"}), false));
    const TMosaicCell* hidden = corner.FindCellAt(312, 155);
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(boardtest::CellName(*hidden), "r0c0");
    EXPECT_FALSE(hidden->visible);
}

} // namespace
