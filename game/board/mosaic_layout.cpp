#include "mosaic_layout.h"

#include <algorithm>

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "data/level_layout_file.h"
#include "data/tilesets.h"

MosaicLayout_t::MosaicLayout_t() {
    mBoard.SetListener(this);
    mBoard.SetCellHooks(this);
    ConnectBoardLog(mBoard);
    const TGridGeometry& geometry = mBoard.GetGeometry();
    DrawObject::SetPosition(static_cast<float>(geometry.originX), static_cast<float>(geometry.originY), false);
}

bool MosaicLayout_t::Load(const std::string& file, bool singleColour) {
    return LoadSource(ReadXmlSource(file), singleColour);
}

bool MosaicLayout_t::LoadSource(const TXmlSource& source, bool singleColour) {
    // The rules replace their cells during the load, so the items wait until it is over.
    mLoading = true;
    const bool loaded = LoadLevelLayout(mBoard, source, singleColour);
    mLoading = false;
    if (!loaded) {
        return false;
    }
    // The candidates pointed at the old items.
    mHintCells.clear();
    LoadBoardImages();
    BuildItems();
    AssignOverColours(GetTileset());
    ShowHiddenCellMarks(mHiddenCellMarks);
    BuildClueBackgrounds();
    const TGridGeometry& geometry = mBoard.GetGeometry();
    DrawObject::SetPosition(static_cast<float>(geometry.originX), static_cast<float>(geometry.originY), false);
    mW = static_cast<float>(mBoard.GetPixelWidth());
    mH = static_cast<float>(mBoard.GetPixelHeight());
    return true;
}

bool MosaicLayout_t::GetHintCells(std::vector<MosaicItem_t*>& cells) {
    mHintCells.clear();
    for (TMosaicCell* cell : mBoard.FindHintCells()) {
        mHintCells.push_back(GetItem(cell->row, cell->column));
    }
    cells = mHintCells;
    return !mHintCells.empty();
}

void MosaicLayout_t::LoadBoardImages() {
    mHoverMark.SetImage(kHoverMark);
    mHighlight.SetImage(kLineHighlight);
    mClueCross[kRows].SetImage(kRowCross);
    mClueCross[kColumns].SetImage(kColumnCross);
    mNumbers.Load();
    for (TNumberPainter& numbers : mClueNumbers) {
        numbers.Load();
    }
}

void MosaicLayout_t::BuildItems() {
    mItems.clear();
    for (const TMosaicCell& cell : mBoard.GetCells()) {
        mItems.push_back(CreateCell(cell));
    }
}

void MosaicLayout_t::AssignOverColours(const TTileset* tileset) {
    for (const auto& item : mItems) {
        const TMosaicCell& cell = item->GetCell();
        item->mOverColourIndex = 0;
        if (cell.visible) {
            item->mOverColourIndex = -1;
            for (const TTile& tile : tileset != nullptr ? tileset->mTiles : std::vector<TTile>{}) {
                if (tile.mMast == cell.solution) {
                    item->mOverColourIndex = tile.mOverColor;
                    break;
                }
            }
        }
        item->SetOverColor();
    }
}

void MosaicLayout_t::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    for (const auto& item : mItems) {
        item->Write(writer);
    }
}

void MosaicLayout_t::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    for (const auto& item : mItems) {
        const MosaicItem_t::TSavedCell saved = item->Read(reader);
        TMosaicCell& cell = mBoard.CellAt(item->GetCell().row, item->GetCell().column);
        cell.player = cell.shown = saved.player;
        cell.visible = saved.visible;
    }
}

void MosaicLayout_t::ReleaseAll() {
    for (int row = 0; row < mBoard.GetRows(); ++row) {
        for (int column = 0; column < mBoard.GetCols(); ++column) {
            mBoard.CellAt(row, column).visible = false;
        }
    }
}

void MosaicLayout_t::Reset() {
    for (const auto& item : mItems) {
        TMosaicCell& cell = mBoard.CellAt(item->GetCell().row, item->GetCell().column);
        cell.player = cell.shown = mosaic::kUntouched;
        cell.committed = {};
        cell.hiddenReward = false;
        item->mSpark = false;
    }
}

void MosaicLayout_t::ShowSolution(bool on) {
    for (int row = 0; row < mBoard.GetRows(); ++row) {
        for (int column = 0; column < mBoard.GetCols(); ++column) {
            TMosaicCell& cell = mBoard.CellAt(row, column);
            if (cell.visible) {
                mBoard.SetCell(cell, {on ? cell.solution : mosaic::kUntouched, 0}, false);
            }
        }
    }
}

void MosaicLayout_t::ShowHiddenCellMarks(bool on) {
    mHiddenCellMarks = on;
    for (const auto& item : mItems) {
        item->mDeveloperMark = on && item->GetCell().hiddenReward;
    }
}

std::unique_ptr<MosaicItem_t> MosaicLayout_t::CreateCell(const TMosaicCell& cell) {
    return std::make_unique<MosaicItem_t>(cell, mNumbers);
}

MosaicItem_t* MosaicLayout_t::GetItem(int row, int column) {
    if (row < 0 || column < 0 || row >= mBoard.GetRows() || column >= mBoard.GetCols()) {
        return nullptr;
    }
    const size_t index = static_cast<size_t>(row) * static_cast<size_t>(mBoard.GetCols()) + static_cast<size_t>(column);
    return index < mItems.size() ? mItems[index].get() : nullptr;
}

MosaicItem_t* MosaicLayout_t::ItemOf(const TMosaicCell& cell) {
    if (mLoading) {
        return nullptr;
    }
    MosaicItem_t* item = GetItem(cell.row, cell.column);
    return item != nullptr && &item->GetCell() == &cell ? item : nullptr;
}

const TTileset* MosaicLayout_t::GetTileset() const {
    return GetCurrentTileset();
}

bool MosaicLayout_t::OnMouseDown(int x, int y, int button) {
    if (mMode != kModeShown) {
        mBoard.ResetStrokeCounters();
        return false;
    }
    mBoard.Press(x, y, button);
    return true;
}

bool MosaicLayout_t::OnMouseMove(int x, int y) {
    if (mMode != kModeShown) {
        return false;
    }
    mBoard.Move(x, y);
    return true;
}

bool MosaicLayout_t::OnMouseDrag(int x, int y, int button) {
    if (mMode != kModeShown) {
        return false;
    }
    mBoard.Drag(x, y, button);
    return true;
}

bool MosaicLayout_t::OnMouseUp(int x, int y, int button) {
    if (mMode != kModeShown) {
        return false;
    }
    mBoard.Release(x, y, button);
    return true;
}

bool MosaicLayout_t::Update(float seconds) {
    if (mMode == kModeFadingIn) {
        mAlpha += kAlphaStep;
        if (mAlpha >= 1.0f) {
            mAlpha = 1.0f;
            mMode = kModeShown;
        }
    } else if (mMode == kModeFadingOut) {
        mAlpha -= kAlphaStep;
        if (mAlpha <= 0.0f) {
            mAlpha = 0.0f;
            mMode = kModeShown;
        }
    }
    for (const auto& item : mItems) {
        item->Update(seconds);
    }
    return false;
}

void MosaicLayout_t::OnCellColourSet(const TMosaicCell& cell) {
    if (MosaicItem_t* item = ItemOf(cell)) {
        item->OnColourSet();
    }
}

void MosaicLayout_t::OnCellRunCompleted(const TMosaicCell& cell) {
    if (MosaicItem_t* item = ItemOf(cell)) {
        item->OnRunCompleted();
    }
}

void MosaicLayout_t::OnCellLayoutSolved(const TMosaicCell& cell) {
    if (MosaicItem_t* item = ItemOf(cell)) {
        item->OnLayoutSolved();
    }
}

void MosaicLayout_t::OnLayoutSolved() {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnLayoutSolved();
    }
}

void MosaicLayout_t::OnCellVisited(const TMosaicCell& cell) {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnCellVisited(ItemOf(cell));
    }
}

void MosaicLayout_t::OnCellFilled(const TMosaicCell& cell) {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnCellFilled(ItemOf(cell));
    }
}

void MosaicLayout_t::OnCellWrong(const TMosaicCell& cell) {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnCellWrong(ItemOf(cell));
    }
}

void MosaicLayout_t::OnMistakes(int count) {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnMistakes(count);
    }
}

void MosaicLayout_t::OnCellHover(const TMosaicCell& cell) {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnCellHover(ItemOf(cell));
    }
}

void MosaicLayout_t::OnCellsPainted(int count) {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnCellsPainted(count);
    }
}

void MosaicLayout_t::OnHiddenCellFound(const TMosaicCell& cell) {
    if (mLayoutListener != nullptr) {
        mLayoutListener->OnHiddenCellFound(ItemOf(cell));
    }
}
