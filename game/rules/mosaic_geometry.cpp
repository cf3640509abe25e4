#include "rules/mosaic_geometry.h"

int TGridGeometry::IndexAt(int offset, int size, int gap, int count) {
    if (offset < 0 || size <= 0) {
        return -1;
    }
    const int block = kLinesPerGap * size + gap;
    const int inBlock = block > 0 ? offset % block : offset;
    if (inBlock >= kLinesPerGap * size) {
        return -1;
    }
    const int index = (block > 0 ? offset / block : 0) * kLinesPerGap + inBlock / size;
    return index < count ? index : -1;
}

TPixelRect TGridGeometry::CellRect(int row, int column) const {
    return {ColumnLeft(column), RowTop(row), cellWidth, cellHeight};
}

TPixelRect TGridGeometry::ClueRect(TAxis axis, int line, int j, int n) const {
    if (axis == kRows) {
        return {originX - kClueMargin - (n - j) * kRowClueWidth, RowTop(line) + (cellHeight - kClueHeight) / 2,
                kRowClueWidth, kClueHeight};
    }
    return {ColumnLeft(line), originY - kClueMargin - (n - j) * kClueHeight, cellWidth, kClueHeight};
}
