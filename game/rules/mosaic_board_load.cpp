// Building a board from a level's layout.

#include <algorithm>
#include <array>

#include "rules/mosaic_board.h"

namespace {

int DigitValue(char c) {
    return c >= '1' && c <= '9' ? c - '0' : 0;
}

// A 1-based number of a reward pair, 0-based and never negative.
int RewardIndex(int written) {
    return std::max(written - 1, 0);
}

} // namespace

bool TMosaicBoard::Load(const TLevelLayoutData& data, bool singleColour) {
    if (data.rows > kMaxGridSide || data.cols > kMaxGridSide) {
        Log("Layout %s refused: grid %dx%d is larger than %dx%d", data.path.c_str(), data.cols, data.rows, kMaxGridSide,
            kMaxGridSide);
        return false;
    }
    if (data.cellWidth < 1 || data.cellWidth > kMaxCellSide || data.cellHeight < 1 || data.cellHeight > kMaxCellSide) {
        Log("Layout %s refused: cell size %dx%d is outside 1x1 to %dx%d", data.path.c_str(), data.cellWidth,
            data.cellHeight, kMaxCellSide, kMaxCellSide);
        return false;
    }
    std::vector<TMosaicCell> cells;
    ReadSolutions(data, singleColour, cells);
    if (!CheckColours(data, cells)) {
        return false;
    }
    TakeCells(data, std::move(cells));
    mRecords = BuildColourRecords(mCells, mRows, mCols);
    BuildClueItems();
    mShownArea = {};
    for (const TMosaicColorInfo& info : mRecords) {
        mShownArea = UniteBoxes(mShownArea, info.box);
    }
    MarkVisibleCells();
    PlaceHiddenRewards(data);
    StartPlay();
    return true;
}

void TMosaicBoard::TakeCells(const TLevelLayoutData& data, std::vector<TMosaicCell>&& cells) {
    mPath = data.path;
    mName = data.name;
    mRows = std::max(data.rows, 0);
    mCols = std::max(data.cols, 0);
    mGeometry.cellWidth = data.cellWidth;
    mGeometry.cellHeight = data.cellHeight;
    mCells = std::move(cells);
    mItems = static_cast<int>(
        std::count_if(mCells.begin(), mCells.end(), [](const TMosaicCell& cell) { return cell.solution > 0; }));
    for (TMosaicCell& cell : mCells) {
        const TPixelRect rect = mGeometry.CellRect(cell.row, cell.column);
        cell.x = rect.x;
        cell.y = rect.y;
        cell.w = rect.w;
        cell.h = rect.h;
    }
}

// Every visible cell starts untouched; the first colour's view is shown.
void TMosaicBoard::ResetSelection() {
    mHoverColumn = mHoverRow = mDragStartColumn = mDragStartRow = -1;
    mStrokeLine = {0, 0, 1};
    mCurrentIndex = 0;
}

std::vector<TMosaicCell*> TMosaicBoard::FindHintCells() {
    std::vector<TMosaicCell*> cells;
    const TMosaicColorInfo* record = GetCurrentColourRecord();
    if (record == nullptr) {
        return cells;
    }
    for (TMosaicCell& cell : mCells) {
        if (cell.visible && cell.player == mosaic::kUntouched && cell.solution == record->colour) {
            cells.push_back(&cell);
        }
    }
    ShuffleWith(cells, mRandom);
    return cells;
}

void TMosaicBoard::StartPlay() {
    mSolved = false;
    ResetSelection();
    for (TMosaicCell& cell : mCells) {
        if (cell.visible) {
            SetCell(cell, {mosaic::kUntouched, 0}, false);
        }
    }
    UpdateRunsDone(false);
    UpdateClueDoneFlags();
    ApplyColourLayer(false);
    mMistakes = 0;
    mRightCells = 0;
}

// Fills fresh cells with the solution digits. Lines beyond the grid and characters beyond its width
// are dropped with a log line, so a file can never reach outside the grid.
void TMosaicBoard::ReadSolutions(const TLevelLayoutData& data, bool singleColour, std::vector<TMosaicCell>& cells) {
    const size_t rows = static_cast<size_t>(std::max(data.rows, 0));
    const size_t cols = static_cast<size_t>(std::max(data.cols, 0));
    cells.assign(rows * cols, TMosaicCell{});
    for (size_t index = 0; index < cells.size(); ++index) {
        cells[index].row = static_cast<int>(index / cols);
        cells[index].column = static_cast<int>(index % cols);
    }
    if (data.lines.size() > rows) {
        Log("Layout %s: %d lines beyond rows=%d ignored", data.path.c_str(), static_cast<int>(data.lines.size() - rows),
            static_cast<int>(rows));
    }
    for (size_t row = 0; row < std::min(data.lines.size(), rows); ++row) {
        const std::string& text = data.lines[row];
        if (text.size() > cols) {
            Log("Layout %s: line %d longer than cols=%d, cut", data.path.c_str(), static_cast<int>(row) + 1,
                static_cast<int>(cols));
        }
        for (size_t column = 0; column < std::min(text.size(), cols); ++column) {
            const int value = DigitValue(text[column]);
            cells[row * cols + column].solution = singleColour ? std::min(value, 1) : value;
        }
    }
}

// Every part of the game takes colour number = index + 1, so the colours must run 1 .. N.
bool TMosaicBoard::CheckColours(const TLevelLayoutData& data, const std::vector<TMosaicCell>& cells) {
    std::array<bool, mosaic::kMaxColours + 1> present{};
    int highest = 0;
    for (const TMosaicCell& cell : cells) {
        if (cell.solution > 0) {
            present[static_cast<size_t>(cell.solution)] = true;
            highest = std::max(highest, cell.solution);
        }
    }
    if (highest == 0) {
        Log("Layout %s refused: no coloured cell", data.path.c_str());
        return false;
    }
    for (int colour = 1; colour < highest; ++colour) {
        if (!present[static_cast<size_t>(colour)]) {
            Log("Layout %s refused: colour %d missing below colour %d", data.path.c_str(), colour, highest);
            return false;
        }
    }
    return true;
}

void TMosaicBoard::BuildClueItems() {
    static constexpr const char* kTooMany[kAxisCount] = {"Too many rows in %s  col=%d rowscount= %d  color count %d",
                                                         "Too many cols in %s  col=%d rowscount= %d  color count %d"};
    static constexpr int kLimit[kAxisCount] = {kMaxRowNumbers, kMaxColumnNumbers};
    for (size_t index = 0; index < mRecords.size(); ++index) {
        TMosaicColorInfo& info = mRecords[index];
        PlaceClueNumbers(info, mGeometry);
        for (int axis = 0; axis < kAxisCount; ++axis) {
            const auto& lines = info.numbers[axis];
            for (size_t line = 0; line < lines.size(); ++line) {
                const int count = static_cast<int>(lines[line].size());
                if (count > kLimit[axis]) {
                    Log(kTooMany[axis], mPath.c_str(), static_cast<int>(line) + 1, count, static_cast<int>(index) + 1);
                }
            }
        }
    }
}

void TMosaicBoard::MarkVisibleCells() {
    mVisibleCells = 0;
    for (TMosaicCell& cell : mCells) {
        cell.visible = mShownArea.Contains(cell.column, cell.row);
        if (!cell.visible) {
            SetCell(cell, {mosaic::kRuledOut, 0}, false);
            continue;
        }
        ++mVisibleCells;
        if (cell.solution == 0) {
            cell.solution = mosaic::kEmptySolution;
        }
    }
}

void TMosaicBoard::PlaceHiddenRewards(const TLevelLayoutData& data) {
    const std::vector<size_t> chosen =
        data.rewards.empty() ? RandomRewardCells(data.rewardsCount) : ListedRewardCells(data);
    for (size_t index : chosen) {
        TMosaicCell& cell = mCells[index];
        if (cell.visible && cell.solution != mosaic::kEmptySolution) {
            cell.hiddenReward = true;
        }
    }
}

std::vector<size_t> TMosaicBoard::ListedRewardCells(const TLevelLayoutData& data) {
    std::vector<size_t> chosen;
    for (const auto& [column, row] : data.rewards) {
        const int c = RewardIndex(column);
        const int r = RewardIndex(row);
        if (c >= mCols || r >= mRows) {
            Log("Layout %s: reward %d,%d outside the grid, dropped", mPath.c_str(), column, row);
            continue;
        }
        chosen.push_back(CellIndex(r, c));
    }
    return chosen;
}

std::vector<size_t> TMosaicBoard::RandomRewardCells(int count) {
    if (count <= 0) {
        return {};
    }
    std::vector<size_t> candidates;
    for (size_t index = 0; index < mCells.size(); ++index) {
        if (mCells[index].visible && mCells[index].solution != mosaic::kEmptySolution) {
            candidates.push_back(index);
        }
    }
    ShuffleWith(candidates, mRandom);
    if (count > static_cast<int>(candidates.size())) {
        Log("Layout %s: rewardscount=%d cut to %d coloured cells", mPath.c_str(), count,
            static_cast<int>(candidates.size()));
        count = static_cast<int>(candidates.size());
    }
    candidates.resize(static_cast<size_t>(count));
    return candidates;
}
