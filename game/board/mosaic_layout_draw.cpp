// Drawing of the board: the grid of cells with the hover mark and line highlight, and the clue area
// of the current colour.

#include "board/mosaic_layout.h"
#include "data/tilesets.h"
#include "data/user_records.h"

namespace {

struct TImageSize {
    int w = 0;
    int h = 0;
};

// The source rectangle when the image has one, else its texture.
TImageSize SizeOf(const StaticImage& image) {
    const TRenderState& state = image.mRenderState;
    if ((state.flags & TRenderState::kSourceRect) != 0) {
        return {static_cast<int>(state.srcW), static_cast<int>(state.srcH)};
    }
    if (!image.mTexture) {
        return {};
    }
    return {image.mTexture->GetWidth(), image.mTexture->GetHeight()};
}

} // namespace

void MosaicLayout_t::DrawImageAt(StaticImage& image, int x, int y, float alpha) {
    image.SetPosition(static_cast<float>(x), static_cast<float>(y), false);
    image.mAlpha = alpha;
    image.Draw(1.0f);
}

void MosaicLayout_t::DrawCells() {
    DrawCellLayer();
    DrawCellMarks();
}

void MosaicLayout_t::DrawCellLayer() {
    if (!mVisible) {
        return;
    }
    const TTileset* tileset = GetTileset();
    for (const auto& item : mItems) {
        const TMosaicCell& cell = item->GetCell();
        item->SetTile(tileset != nullptr ? tileset->GetTileForValue(cell.shown) : nullptr);
        item->Draw(mAlpha);
        DrawDeveloperHighlight(cell);
    }
}

void MosaicLayout_t::DrawCellMarks() {
    if (mVisible) {
        DrawHoverMarks();
    }
}

// The developer sees where the current colour's open cells are.
void MosaicLayout_t::DrawDeveloperHighlight(const TMosaicCell& cell) {
    const TMosaicColorInfo* current = mBoard.GetCurrentColourRecord();
    if (mDeveloperHighlight && current != nullptr && cell.visible && cell.solution == current->colour &&
        cell.player <= 0) {
        DrawImageAt(mHighlight, cell.x, cell.y, kHighlightFactor);
    }
}

void MosaicLayout_t::DrawHoverMarks() {
    const int row = mBoard.GetHoverRow();
    const int column = mBoard.GetHoverColumn();
    if (row >= 0 && column >= 0) {
        if (GetHighlightLines()) {
            DrawHighlightLines(row, column, kHighlightFactor);
        }
        if (GetShowHoverMark()) {
            const TMosaicCell& cell = mBoard.GetCell(row, column);
            DrawImageAt(mHoverMark, cell.x, cell.y, mAlpha);
        }
    }
    if (mDeveloperHighlight) {
        DrawSparks();
    }
}

void MosaicLayout_t::DrawSparks() {
    for (const auto& item : mItems) {
        item->DrawSpark(mAlpha);
    }
}

void MosaicLayout_t::DrawHighlightLines(int row, int column, float factor) {
    if (row < 0 || column < 0 || row >= mBoard.GetRows() || column >= mBoard.GetCols()) {
        return;
    }
    const float alpha = mAlpha * factor;
    for (int c = 0; c < mBoard.GetCols(); ++c) {
        const TMosaicCell& cell = mBoard.GetCell(row, c);
        DrawImageAt(mHighlight, cell.x, cell.y, alpha);
    }
    for (int r = 0; r < mBoard.GetRows(); ++r) {
        if (r != row) {
            const TMosaicCell& cell = mBoard.GetCell(r, column);
            DrawImageAt(mHighlight, cell.x, cell.y, alpha);
        }
    }
}

void MosaicLayout_t::DrawClues() {
    if (!mDrawClues) {
        return;
    }
    DrawClueBackgrounds(1.0f);
    DrawClueNumbers(mBoard.GetCurrentColourIndex(), mAlpha);
}

void MosaicLayout_t::DrawClueBackgrounds(float alpha) {
    for (auto& list : mClueBacks) {
        for (StaticImage& image : list) {
            image.Draw(alpha);
        }
    }
}

// Clue numbers ignore the alpha they are given: the clue area stays at full alpha while the grid fades.
void MosaicLayout_t::DrawClueNumbers(int colourIndex, float /*alpha*/) {
    const auto& records = mBoard.GetColourRecords();
    if (colourIndex < 0 || colourIndex >= static_cast<int>(records.size())) {
        return;
    }
    const TMosaicColorInfo& info = records[static_cast<size_t>(colourIndex)];
    const int setNumbersNow = GetProfileDifficulty().mSetNumbersNow;
    for (const TAxis axis : {kRows, kColumns}) {
        const auto& lines = info.numbers[axis];
        for (size_t line = 0; line < lines.size(); ++line) {
            for (size_t j = 0; j < lines[line].size(); ++j) {
                DrawClueNumber(info, axis, static_cast<int>(line), static_cast<int>(j), setNumbersNow);
            }
        }
    }
}

void MosaicLayout_t::DrawClueNumber(const TMosaicColorInfo& info, TAxis axis, int line, int j, int setNumbersNow) {
    const TMosaicNumberItem& number = info.numbers[axis][static_cast<size_t>(line)][static_cast<size_t>(j)];
    const bool crossed = info.IsClueCrossed(axis, line, j, setNumbersNow);
    const TPixelRect& rect = number.rect;
    mClueNumbers[axis].Draw(number.value, {rect.x, rect.y - kClueRaise, rect.w, rect.h},
                            crossed ? kCrossedClueAlpha : 1.0f);
    if (crossed) {
        DrawImageAt(mClueCross[axis], rect.x, rect.y, 1.0f);
    }
}

void MosaicLayout_t::BuildClueBackgrounds() {
    PlaceClueBackList(kRowBacks, mBoard.GetRows(), kRows, false);
    PlaceClueBackList(kColumnBacks, mBoard.GetCols(), kColumns, false);
    PlaceClueBackList(kRowLines, mBoard.GetRows() + 1, kRows, true);
    PlaceClueBackList(kColumnLines, mBoard.GetCols() + 1, kColumns, true);
}

// Backs follow one another at their own size along the line's axis, lines sit centred on the grid's
// cell edges; both lean against the grid's outer edge, with the gap after every fifth.
void MosaicLayout_t::PlaceClueBackList(TClueBack list, int count, TAxis axis, bool lines) {
    StaticImage image;
    image.SetImage(kClueBackImages[list]);
    const TImageSize size = SizeOf(image);
    const TGridGeometry& geometry = mBoard.GetGeometry();
    const bool rows = axis == kRows;
    const int along = rows ? size.h : size.w;
    const int across = rows ? size.w : size.h;
    const int originAlong = rows ? geometry.originY : geometry.originX;
    const int acrossPosition = (rows ? geometry.originX : geometry.originY) - across;
    const int cellAlong = rows ? geometry.cellHeight : geometry.cellWidth;
    mClueBacks[list].assign(static_cast<size_t>(count), image);
    for (int i = 0; i < count; ++i) {
        const int alongPosition = lines ? originAlong + TGridGeometry::Offset(i, cellAlong, geometry.gap) - along / 2
                                        : originAlong + TGridGeometry::Offset(i, along, geometry.gap);
        const int x = rows ? acrossPosition : alongPosition;
        const int y = rows ? alongPosition : acrossPosition;
        mClueBacks[list][static_cast<size_t>(i)].SetPosition(static_cast<float>(x), static_cast<float>(y), false);
    }
}
