#include "objects/labyrinth_object.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tinyxml.h>

#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "objects/object_space.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

void TLabyrinthObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mBallId = ReadXmlString(element, "ballobj", "");
    LoadGrid(element);
}

// The grid starts free; cells lie from the object's draw position, one "rect" apart.
void TLabyrinthObject::LoadGrid(const TiXmlElement* element) {
    mRows = std::max(0, ReadXmlInt(element, "rows", 0));
    mColumns = std::max(0, ReadXmlInt(element, "cols", 0));
    if (static_cast<int64_t>(mRows) * mColumns > kMaxCells) {
        TLogFile::Get()->Printf("labyrinth %s: %d x %d cells refused", mName.c_str(), mRows, mColumns);
        mRows = mColumns = 0;
    }
    const TiXmlElement* rect = element != nullptr ? element->FirstChildElement("rect") : nullptr;
    int width = ReadXmlInt(rect, "width", 0), height = ReadXmlInt(rect, "height", 0);
    // A grid reaching further than 2^29 pixels has no place on any screen, and its cells would overflow int.
    constexpr int64_t kReach = 536870912;
    if (std::abs(static_cast<int64_t>(width)) * mColumns > kReach ||
        std::abs(static_cast<int64_t>(height)) * mRows > kReach) {
        TLogFile::Get()->Printf("labyrinth %s: cells of %d x %d refused", mName.c_str(), width, height);
        width = height = 0;
    }
    const int originX = WholePixels(GetX()), originY = WholePixels(GetY());
    mCells.assign(static_cast<size_t>(mRows) * static_cast<size_t>(mColumns), TRect());
    mBlocked.assign(mCells.size(), 0);
    for (int i = 0; i < mRows; ++i) {
        for (int j = 0; j < mColumns; ++j) {
            mCells[CellIndex(i, j)] = {originX + j * width, originY + i * height, width, height};
        }
    }
    LoadMap(element != nullptr ? element->FirstChildElement("map_desc") : nullptr);
}

void TLabyrinthObject::LoadMap(const TiXmlElement* description) {
    mBallRow = ReadXmlInt(description, "start_i", 0);
    mBallColumn = ReadXmlInt(description, "start_j", 0);
    mEndRow = ReadXmlInt(description, "end_i", 0);
    mEndColumn = ReadXmlInt(description, "end_j", 0);
    if (!IsInGrid(mBallRow, mBallColumn)) {
        TLogFile::Get()->Printf("labyrinth %s: start cell %d,%d outside its grid", mName.c_str(), mBallRow,
                                mBallColumn);
        mBallRow = mBallColumn = 0;
    }
    if (!IsInGrid(mEndRow, mEndColumn)) {
        TLogFile::Get()->Printf("labyrinth %s: end cell %d,%d outside its grid", mName.c_str(), mEndRow, mEndColumn);
        mEndRow = mEndColumn = -1;
    }
    int row = 0;
    for (const TiXmlElement* map = description != nullptr ? description->FirstChildElement("map") : nullptr;
         map != nullptr; map = map->NextSiblingElement("map"), ++row) {
        std::vector<std::string> values;
        SplitString(ReadXmlString(map, "row", "").c_str(), ' ', values);
        if (row >= mRows || static_cast<int>(values.size()) > mColumns) {
            TLogFile::Get()->Printf("labyrinth %s: map row %d does not fit %d x %d", mName.c_str(), row, mRows,
                                    mColumns);
        }
        for (int j = 0; row < mRows && j < std::min(mColumns, static_cast<int>(values.size())); ++j) {
            mBlocked[CellIndex(row, j)] = std::atoi(values[static_cast<size_t>(j)].c_str()) == 1;
        }
    }
}

bool TLabyrinthObject::IsInGrid(int row, int column) const {
    return row >= 0 && row < mRows && column >= 0 && column < mColumns;
}

bool TLabyrinthObject::IsBlocked(int row, int column) const {
    return !IsInGrid(row, column) || mBlocked[CellIndex(row, column)] != 0;
}

size_t TLabyrinthObject::CellIndex(int row, int column) const {
    return static_cast<size_t>(row) * static_cast<size_t>(mColumns) + static_cast<size_t>(column);
}

const TRect& TLabyrinthObject::CellAt(int row, int column) const {
    return mCells[CellIndex(row, column)];
}

void TLabyrinthObject::CellCentre(int row, int column, int& x, int& y) const {
    const TRect& cell = CellAt(row, column);
    x = cell.x + cell.w / 2;
    y = cell.y + cell.h / 2;
}

TObject* TLabyrinthObject::GetBall() {
    return mBallId.empty() ? nullptr : FindChildById(mBallId);
}

void TLabyrinthObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    TObject* ball = GetBall();
    if (ball != nullptr && IsInGrid(mBallRow, mBallColumn)) {
        int x = 0, y = 0;
        CellCentre(mBallRow, mBallColumn, x, y);
        ball->SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    }
}

// Every cell from the target back towards the ball (the ball's own cell left out) must be free.
bool TLabyrinthObject::CanMoveTo(int row, int column) const {
    if (!IsInGrid(row, column) || !IsInGrid(mBallRow, mBallColumn)) {
        return false;
    }
    if (row == mBallRow && column != mBallColumn) {
        const int step = column < mBallColumn ? 1 : -1;
        for (int j = column; j != mBallColumn; j += step) {
            if (IsBlocked(row, j)) {
                return false;
            }
        }
        return true;
    }
    if (column == mBallColumn && row != mBallRow) {
        const int step = row < mBallRow ? 1 : -1;
        for (int i = row; i != mBallRow; i += step) {
            if (IsBlocked(i, column)) {
                return false;
            }
        }
        return true;
    }
    return false;
}

void TLabyrinthObject::MoveBallTo(int row, int column) {
    if (!IsInGrid(row, column) || !IsInGrid(mBallRow, mBallColumn)) {
        return;
    }
    const int distance = std::max(std::abs(row - mBallRow), std::abs(column - mBallColumn));
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    CellCentre(mBallRow, mBallColumn, fromX, fromY);
    CellCentre(row, column, toX, toY);
    // A new glide replaces one still running.
    mBallMover.queue.clear();
    mBallMover.MoveTo(fromX, fromY, toX, toY, static_cast<float>(distance) * kSecondsPerCell);
    mBallRow = row;
    mBallColumn = column;
    if (TObject* ball = GetBall()) {
        ball->ActivateDefault();
    }
}

bool TLabyrinthObject::OnMouseDown(const TMouseEvent& event) {
    if (mLocked) {
        return false;
    }
    if (event.buttons == 1) {
        for (int i = 0; i < mRows; ++i) {
            for (int j = 0; j < mColumns; ++j) {
                const TRect& cell = CellAt(i, j);
                if (event.x < cell.x || event.x >= cell.x + cell.w || event.y < cell.y || event.y >= cell.y + cell.h) {
                    continue;
                }
                if (CanMoveTo(i, j)) {
                    MoveBallTo(i, j);
                    PlayObjectSound(GetRootSpace() != nullptr ? "move" : mSound);
                    mBlockedClick = false;
                    return TObject::OnMouseDown(event);
                }
                PlayObjectSound("need_tool");
                mBlockedClick = true;
            }
        }
    }
    return TObject::OnMouseDown(event);
}

bool TLabyrinthObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mBallMover.moving) {
        return false;
    }
    const bool arrived = mBallMover.Update(seconds);
    TObject* ball = GetBall();
    if (ball != nullptr) {
        ball->SetPosition(static_cast<float>(static_cast<int>(mBallMover.currentX)),
                          static_cast<float>(static_cast<int>(mBallMover.currentY)), true);
    }
    if (!arrived) {
        return false;
    }
    if (ball != nullptr) {
        ball->DeactivateDefault();
    }
    // Solved once: arriving again raises nothing more.
    if (mBallRow == mEndRow && mBallColumn == mEndColumn && !mSolved) {
        mSolved = true;
        ApplyAfterEvent(0);
    }
    return false;
}

std::string TLabyrinthObject::GetStatusHint() const {
    return mBlockedClick && !mHintKeys.empty() ? mHintKeys[0] : std::string();
}
