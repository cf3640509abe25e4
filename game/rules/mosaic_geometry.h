#pragma once
// Where cells and clue numbers sit in design pixels: rows and columns share one rule, a cell size
// plus the board's gap after every fifth line.

// A rectangle of whole units: design pixels, or cells (column, row) for boxes of cells.
struct TIntRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    bool IsEmpty() const { return w <= 0 || h <= 0; }
    bool operator==(const TIntRect& other) const = default;
};
using TPixelRect = TIntRect;
// A box of cells; empty (all zero) for a colour without cells.
using TCellBox = TIntRect;

// Rows and columns are served by one code path: index 0 rows, 1 columns.
enum TAxis : int { kRows = 0, kColumns = 1 };
constexpr int kAxisCount = 2;

struct TGridGeometry {
    static constexpr int kLinesPerGap = 5;
    // Clue numbers: rows stack 28 x 20 numbers leftwards, columns cell-wide x 20 upwards, 10 pixels off the grid.
    static constexpr int kClueMargin = 10;
    static constexpr int kRowClueWidth = 28;
    static constexpr int kClueHeight = 20;

    int originX = 312;
    int originY = 155;
    int cellWidth = 40;
    int cellHeight = 40;
    int gap = 2;

    // Offset of line index from the origin along its axis; also the pixel size of count lines.
    static int Offset(int index, int size, int gap) { return index * size + (index / kLinesPerGap) * gap; }
    // The line whose cell covers the offset, or -1 (before the first, in a gap, past the last line).
    static int IndexAt(int offset, int size, int gap, int count);

    int ColumnLeft(int column) const { return originX + Offset(column, cellWidth, gap); }
    int RowTop(int row) const { return originY + Offset(row, cellHeight, gap); }
    int PixelWidth(int cols) const { return Offset(cols, cellWidth, gap); }
    int PixelHeight(int rows) const { return Offset(rows, cellHeight, gap); }
    TPixelRect CellRect(int row, int column) const;
    // Number j (0 = leftmost or topmost) of the n clue numbers of a line.
    TPixelRect ClueRect(TAxis axis, int line, int j, int n) const;
};
