#pragma once
// A sliding-ball puzzle over a grid of free and blocked cells: a left click on a cell in the ball's row or
// column with a free way moves the ball there, gliding; reaching the end cell solves it (after-event 0).

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/point_mover.h"
#include "objects/object.h"

class TLabyrinthObject : public TObject {
public:
    // A description cannot make the grid larger than this many cells.
    static constexpr int kMaxCells = 64 * 64;
    // Seconds per cell of a glide.
    static constexpr float kSecondsPerCell = 0.1f;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 26; }
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnSpaceShow() override;

    // The board is the object's own drawing, at full alpha.
    virtual void DrawBoard() { Draw(1.0f); }
    // The first "hint" entry after a blocked click, else empty.
    virtual std::string GetStatusHint() const;

    bool CanMoveTo(int row, int column) const;
    void MoveBallTo(int row, int column);
    bool IsInGrid(int row, int column) const;
    bool IsBlocked(int row, int column) const;
    // The ball descendant named by "ballobj"; null when there is none.
    TObject* GetBall();

    std::vector<TRect> mCells;
    std::vector<uint8_t> mBlocked;
    int mRows = 0;
    int mColumns = 0;
    int mBallRow = 0;
    int mBallColumn = 0;
    int mEndRow = -1;
    int mEndColumn = -1;
    std::string mBallId;
    TPointMover mBallMover;
    bool mBlockedClick = false;

private:
    void LoadGrid(const TiXmlElement* element);
    void LoadMap(const TiXmlElement* description);
    // Row by row; only for cells inside the grid.
    size_t CellIndex(int row, int column) const;
    const TRect& CellAt(int row, int column) const;
    void CellCentre(int row, int column, int& x, int& y) const;
};
