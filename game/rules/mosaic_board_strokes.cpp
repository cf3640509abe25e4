// Pointer strokes: the left button paints a straight line judged at the release, the right button
// rules cells out (and pays a mistake on a cell of the current colour).

#include <cstdlib>

#include "rules/mosaic_board.h"

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

void TMosaicBoard::ClearDragMarks() {
    for (TMosaicCell& cell : mCells) {
        cell.dragNumber = 0;
    }
}

void TMosaicBoard::ClearCellSoundFlags() {
    for (TMosaicCell& cell : mCells) {
        cell.visited = false;
    }
}

void TMosaicBoard::UpdateClueHover(int x, int y) {
    if (GetCurrentColourRecord() == nullptr) {
        return;
    }
    for (auto& lines : mRecords[static_cast<size_t>(mCurrentIndex)].numbers) {
        for (auto& line : lines) {
            for (TMosaicNumberItem& number : line) {
                number.hover = number.rect.Contains(x, y);
            }
        }
    }
}

void TMosaicBoard::ClearClueHighlights() {
    for (TMosaicColorInfo& record : mRecords) {
        for (auto& lines : record.numbers) {
            for (auto& line : lines) {
                for (TMosaicNumberItem& number : line) {
                    number.hover = false;
                }
            }
        }
    }
}

void TMosaicBoard::VisitCell(TMosaicCell& cell) {
    if (!cell.visible || cell.visited) {
        return;
    }
    cell.visited = true;
    if (mListener != nullptr) {
        mListener->OnCellHover(cell);
    }
}

void TMosaicBoard::SetHover(const TMosaicCell* cell) {
    mHoverColumn = cell != nullptr ? cell->column : -1;
    mHoverRow = cell != nullptr ? cell->row : -1;
}

// The stroke line runs along a row or a column of the cell array, so it is a line view with a stride.
void TMosaicBoard::CollectLine(bool showNumbers, int fromColumn, int fromRow, int toColumn, int toRow) {
    if (fromColumn < 0 || fromRow < 0 || toColumn < 0 || toRow < 0) {
        return;
    }
    const TLineView previous = mStrokeLine;
    const int stepColumn = Sign(toColumn - fromColumn);
    const int stepRow = Sign(toRow - fromRow);
    const int start = static_cast<int>(CellIndex(fromRow, fromColumn));
    if (stepColumn != 0 && stepRow != 0) {
        for (int k = 0; k < previous.length; ++k) {
            CellOfLine(previous, k).dragNumber = 0;
        }
        mStrokeLine = {start, 0, 1};
        return;
    }
    if (stepColumn == 0 && stepRow == 0) {
        mStrokeLine = {start, 1, 1};
        return;
    }
    mStrokeLine = {start, std::abs(toColumn - fromColumn) + std::abs(toRow - fromRow) + 1,
                   stepRow * mCols + stepColumn};
    if (showNumbers) {
        for (int k = 0; k < mStrokeLine.length; ++k) {
            CellOfLine(mStrokeLine, k).dragNumber = k + 1;
        }
    }
}

void TMosaicBoard::ResetStrokeCounters() {
    mRightCells = 0;
    ClearCellSoundFlags();
}

void TMosaicBoard::Press(int x, int y, int button) {
    ResetStrokeCounters();
    // A new stroke never judges what an unreleased earlier one collected.
    mStrokeLine = {0, 0, 1};
    TMosaicCell* cell = FindCellAt(x, y);
    if (cell == nullptr) {
        mDragStartColumn = mDragStartRow = -1;
        return;
    }
    mDragStartColumn = cell->column;
    mDragStartRow = cell->row;
    if (button != kRightButton) {
        return;
    }
    VisitCell(*cell);
    // An empty cell is ruled out at once; a coloured one waits for the release.
    if (cell->solution == mosaic::kEmptySolution) {
        SetCell(*cell, {mosaic::kRuledOut, 0}, true);
    }
}

void TMosaicBoard::Move(int x, int y) {
    UpdateClueHover(x, y);
    SetHover(FindCellAt(x, y));
}

void TMosaicBoard::Drag(int x, int y, int button) {
    TMosaicCell* cell = FindCellAt(x, y);
    if (cell == nullptr) {
        return;
    }
    if (button == kLeftButton) {
        VisitCell(*cell);
        SetHover(cell);
        CollectLine(true, mDragStartColumn, mDragStartRow, mHoverColumn, mHoverRow);
    } else if (button == kRightButton && cell->visible) {
        VisitCell(*cell);
        JudgeRightDrag(*cell);
    }
}

void TMosaicBoard::JudgeRightDrag(TMosaicCell& cell) {
    if (cell.player != mosaic::kUntouched && cell.player != mosaic::kErrorCross) {
        return;
    }
    const TMosaicPair pair = GetCurrentPair();
    if (!IsRightPair(cell, pair)) {
        SetCell(cell, {mosaic::kRuledOut, 0}, true);
        return;
    }
    ++mMistakes;
    if (mListener != nullptr) {
        mListener->OnCellWrong(cell);
        mListener->OnMistakes(1);
    }
    SetCell(cell, pair, true);
}

void TMosaicBoard::Release(int x, int y, int button) {
    TMosaicCell* cell = FindCellAt(x, y);
    if (cell != nullptr) {
        SetHover(cell);
        // A reward is collected by releasing over its cell after it was painted right.
        if (cell->IsRewardUncovered()) {
            cell->hiddenReward = false;
            if (mListener != nullptr) {
                mListener->OnHiddenCellFound(*cell);
            }
        }
    }
    if (button == kLeftButton) {
        JudgeLeftStroke();
    } else if (button == kRightButton) {
        JudgeRightRelease();
    }
    EndStroke();
}

void TMosaicBoard::JudgeLeftStroke() {
    const TMosaicPair pair = GetCurrentPair();
    int wrong = 0;
    CollectLine(false, mDragStartColumn, mDragStartRow, mHoverColumn, mHoverRow);
    ClearDragMarks();
    for (int k = 0; k < mStrokeLine.length; ++k) {
        TMosaicCell& cell = CellOfLine(mStrokeLine, k);
        if (!cell.visible) {
            continue;
        }
        if (mListener != nullptr) {
            mListener->OnCellVisited(cell);
        }
        if (cell.player != mosaic::kUntouched && cell.player != mosaic::kErrorCross) {
            continue;
        }
        // A cross of another colour that this colour's view shows ruled out is passed like any
        // ruled-out cell: the player never sees it open, so it must not cost a mistake.
        if (cell.player == mosaic::kErrorCross && cell.shown == mosaic::kRuledOut) {
            continue;
        }
        if (WasPairTried(cell, pair)) {
            break;
        }
        if (IsRightPair(cell, pair)) {
            ++mRightCells;
            SetCell(cell, pair, true);
            if (mListener != nullptr) {
                mListener->OnCellFilled(cell);
            }
            continue;
        }
        RememberWrongPair(cell, pair);
        ++wrong;
        if (mListener != nullptr) {
            mListener->OnCellWrong(cell);
        }
        SetCell(cell, {mosaic::kErrorCross, 0}, false);
    }
    mMistakes += wrong;
    if (wrong > 0 && mListener != nullptr) {
        mListener->OnMistakes(wrong);
    }
}

void TMosaicBoard::JudgeRightRelease() {
    const TMosaicPair pair = GetCurrentPair();
    int wrong = 0;
    ClearDragMarks();
    if (mHoverColumn >= 0 && mHoverRow >= 0) {
        TMosaicCell& cell = CellAt(mHoverRow, mHoverColumn);
        const bool open =
            cell.player == mosaic::kUntouched || (cell.player == mosaic::kErrorCross && IsRightPair(cell, pair));
        if (cell.visible && open) {
            if (IsRightPair(cell, pair)) {
                ++wrong;
                if (mListener != nullptr) {
                    mListener->OnCellWrong(cell);
                }
                SetCell(cell, pair, true);
                if (mListener != nullptr) {
                    mListener->OnCellFilled(cell);
                }
            } else {
                SetCell(cell, {mosaic::kRuledOut, 0}, true);
            }
        }
    }
    mMistakes += wrong;
    if (wrong > 0 && mListener != nullptr) {
        mListener->OnMistakes(wrong);
    }
}

void TMosaicBoard::EndStroke() {
    mDragStartColumn = mDragStartRow = -1;
    mHoverColumn = mHoverRow = -1;
    mStrokeLine = {0, 0, 1};
    UpdateRunsDone(false);
    UpdateClueDoneFlags();
    ApplyColourLayer(false);
    ClearCellSoundFlags();
    if (mListener != nullptr) {
        mListener->OnCellsPainted(mRightCells);
    }
}
