#include "rules/mosaic_board.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

bool HasMemory(int colour) {
    return colour >= 1 && colour <= mosaic::kMaxColours;
}

size_t MemorySlot(int colour) {
    return static_cast<size_t>(colour - 1);
}

bool RunHolds(const TMosaicRun& run, const TMosaicCell& cell) {
    return TCellBox{run.x, run.y, run.w, run.h}.Contains(cell.column, cell.row);
}

} // namespace

void TMosaicBoard::Log(const char* format, ...) {
    if (!mLog) {
        return;
    }
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    mLog(line);
}

void TMosaicBoard::SetGridOrigin(int x, int y) {
    mGeometry.originX = x;
    mGeometry.originY = y;
}

void TMosaicBoard::SetGap(int gap) {
    mGeometry.gap = std::max(gap, 0);
}

const TMosaicColorInfo* TMosaicBoard::GetCurrentColourRecord() const {
    if (mCurrentIndex < 0 || mCurrentIndex >= static_cast<int>(mRecords.size())) {
        return nullptr;
    }
    return &mRecords[static_cast<size_t>(mCurrentIndex)];
}

int TMosaicBoard::CountHiddenCells() const {
    return static_cast<int>(
        std::count_if(mCells.begin(), mCells.end(), [](const TMosaicCell& cell) { return cell.hiddenReward; }));
}

void TMosaicBoard::RememberWrongPair(TMosaicCell& cell, const TMosaicPair& pair) {
    if (HasMemory(pair.colour)) {
        cell.wrongPairs[MemorySlot(pair.colour)] = pair;
    }
}

bool TMosaicBoard::IsWrongPairRemembered(const TMosaicCell& cell, const TMosaicPair& pair) const {
    return HasMemory(pair.colour) && cell.wrongPairs[MemorySlot(pair.colour)] == pair;
}

bool TMosaicBoard::WasPairTried(const TMosaicCell& cell, const TMosaicPair& pair) const {
    return HasMemory(pair.colour) && cell.wrongPairs[MemorySlot(pair.colour)].colour != 0;
}

void TMosaicBoard::MarkEmptyForCurrent(TMosaicCell& cell) {
    const int colour = mCurrentIndex + 1;
    if (HasMemory(colour)) {
        cell.ruledOut[MemorySlot(colour)] = mosaic::kRuledOut;
    }
}

bool TMosaicBoard::IsMarkedEmptyForCurrent(const TMosaicCell& cell) const {
    const int colour = mCurrentIndex + 1;
    return HasMemory(colour) && cell.ruledOut[MemorySlot(colour)] == mosaic::kRuledOut;
}

void TMosaicBoard::SetCell(TMosaicCell& cell, const TMosaicPair& pair, bool commit) {
    cell.player = pair.colour;
    cell.shown = pair.colour;
    if (!commit) {
        return;
    }
    cell.committed = pair;
    if (pair.colour == mosaic::kRuledOut) {
        MarkEmptyForCurrent(cell);
    } else if (mHooks != nullptr) {
        mHooks->OnCellColourSet(cell);
    }
}

void TMosaicBoard::ShowOpenOrRuledOut(TMosaicCell& cell, const TMosaicColorInfo& info, const TLinesDone& done) {
    const bool open = info.box.Contains(cell.column, cell.row) && done[kRows][static_cast<size_t>(cell.row)] == 0 &&
                      done[kColumns][static_cast<size_t>(cell.column)] == 0;
    const int value = open ? mosaic::kUntouched : mosaic::kRuledOut;
    if (cell.player == mosaic::kErrorCross) {
        // The cross of another colour stays in the cell's value so it returns in that colour's view.
        cell.shown = value;
        return;
    }
    SetCell(cell, {value, 0}, false);
}

void TMosaicBoard::ApplyColourLayer(bool restore) {
    const TMosaicColorInfo* info = GetCurrentColourRecord();
    if (info == nullptr) {
        return;
    }
    TLinesDone done;
    const int counts[kAxisCount] = {mRows, mCols};
    for (int axis = 0; axis < kAxisCount; ++axis) {
        done[axis].resize(static_cast<size_t>(counts[axis]));
        for (int line = 0; line < counts[axis]; ++line) {
            done[axis][static_cast<size_t>(line)] = info->IsLineDone(static_cast<TAxis>(axis), line) ? 1 : 0;
        }
    }
    const TMosaicPair current = GetCurrentPair();
    for (TMosaicCell& cell : mCells) {
        if (!cell.visible) {
            continue;
        }
        if (cell.committed.colour != 0) {
            if (!restore) {
                continue;
            }
            if (cell.committed.colour >= 1) {
                SetCell(cell, cell.committed, false);
                continue;
            }
            if (IsMarkedEmptyForCurrent(cell)) {
                SetCell(cell, {mosaic::kRuledOut, 0}, false);
                continue;
            }
            SetCell(cell, {mosaic::kUntouched, 0}, false);
        } else if (cell.player == mosaic::kErrorCross && IsWrongPairRemembered(cell, current)) {
            SetCell(cell, {mosaic::kErrorCross, 0}, false);
            continue;
        }
        ShowOpenOrRuledOut(cell, *info, done);
    }
}

bool TMosaicBoard::IsRunComplete(const TMosaicRun& run) const {
    const TLineView line = RunCells(run, mCols);
    for (int k = 0; k < line.length; ++k) {
        const TMosaicCell& cell = mCells[static_cast<size_t>(line.At(k))];
        if (cell.player < 1 || !cell.IsSolved()) {
            return false;
        }
    }
    return true;
}

void TMosaicBoard::UpdateRunsDone(bool all) {
    std::vector<const TMosaicRun*> newlyDone;
    for (TMosaicColorInfo& info : mRecords) {
        for (auto& lines : info.runs) {
            for (auto& line : lines) {
                for (TMosaicRun& run : line) {
                    if (!all && run.done) {
                        continue;
                    }
                    const bool wasDone = run.done;
                    run.done = IsRunComplete(run);
                    if (run.done && !wasDone) {
                        newlyDone.push_back(&run);
                    }
                }
            }
        }
    }
    ReportCompletedRuns(newlyDone);
}

void TMosaicBoard::ReportCompletedRuns(std::vector<const TMosaicRun*>& newlyDone) {
    if (mHooks == nullptr || newlyDone.empty()) {
        return;
    }
    if (newlyDone.size() >= 2) {
        // A run lying inside a larger (or equal, earlier) newly done run would tell its cells twice.
        std::stable_sort(newlyDone.begin(), newlyDone.end(),
                         [](const TMosaicRun* a, const TMosaicRun* b) { return a->Length() > b->Length(); });
        for (size_t i = newlyDone.size() - 1; i >= 1; --i) {
            const TLineView cells = RunCells(*newlyDone[i], mCols);
            const TMosaicCell& first = mCells[static_cast<size_t>(cells.At(0))];
            const TMosaicCell& last = mCells[static_cast<size_t>(cells.At(cells.length - 1))];
            const bool inside =
                std::any_of(newlyDone.begin(), newlyDone.begin() + static_cast<long>(i), [&](const TMosaicRun* before) {
                    return RunHolds(*before, first) && RunHolds(*before, last);
                });
            if (inside) {
                newlyDone.erase(newlyDone.begin() + static_cast<long>(i));
            }
        }
    }
    for (const TMosaicRun* run : newlyDone) {
        const TLineView cells = RunCells(*run, mCols);
        for (int k = 0; k < cells.length; ++k) {
            mHooks->OnCellRunCompleted(CellOfLine(cells, k));
        }
    }
}

void TMosaicBoard::UpdateClueDoneFlags() {
    for (TMosaicColorInfo& info : mRecords) {
        for (int axis = 0; axis < kAxisCount; ++axis) {
            auto& lines = info.numbers[axis];
            for (size_t line = 0; line < lines.size(); ++line) {
                const bool done = info.IsLineDone(static_cast<TAxis>(axis), static_cast<int>(line));
                for (TMosaicNumberItem& number : lines[line]) {
                    number.lineDone = done;
                }
            }
        }
    }
}

bool TMosaicBoard::IsSolved() {
    if (mSolved) {
        return true;
    }
    // A board with no level loaded has nothing to solve.
    if (mRecords.empty()) {
        return false;
    }
    for (const TMosaicColorInfo& info : mRecords) {
        if (!info.AreAllRunsDone()) {
            return false;
        }
    }
    mSolved = true;
    // A reward cell painted by the last stroke cannot be released on any more: report it now.
    ReportPaintedRewards();
    OnSolved();
    return true;
}

void TMosaicBoard::ReportPaintedRewards() {
    for (TMosaicCell& cell : mCells) {
        if (cell.IsRewardUncovered()) {
            cell.hiddenReward = false;
            if (mListener != nullptr) {
                mListener->OnHiddenCellFound(cell);
            }
        }
    }
}

void TMosaicBoard::OnSolved() {
    if (mListener != nullptr) {
        mListener->OnLayoutSolved();
    }
    if (mHooks == nullptr) {
        return;
    }
    for (const TMosaicCell& cell : mCells) {
        mHooks->OnCellLayoutSolved(cell);
    }
}

TMosaicCell* TMosaicBoard::FindCellAt(int x, int y) {
    const int column = TGridGeometry::IndexAt(x - mGeometry.originX, mGeometry.cellWidth, mGeometry.gap, mCols);
    const int row = TGridGeometry::IndexAt(y - mGeometry.originY, mGeometry.cellHeight, mGeometry.gap, mRows);
    if (column < 0 || row < 0) {
        return nullptr;
    }
    return &mCells[CellIndex(row, column)];
}
