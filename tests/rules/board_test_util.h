#pragma once
// Helpers of the board rule tests: small layouts, grids written as text, strokes by cell, and a
// listener that writes down what the board tells it.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules/mosaic_board.h"

namespace boardtest {

// A layout from its lines; rows and cols default to the line count and the first line's length.
inline TLevelLayoutData Layout(const std::vector<std::string>& lines, int rows = -1, int cols = -1) {
    TLevelLayoutData data;
    data.path = "levels/test.xml";
    data.lines = lines;
    data.rows = rows >= 0 ? rows : static_cast<int>(lines.size());
    data.cols = cols >= 0 ? cols : (lines.empty() ? 0 : static_cast<int>(lines[0].size()));
    return data;
}

// One character per cell: '.' 0, 'x' -1, '#' -2, a digit a colour.
inline char ValueChar(int value) {
    switch (value) {
    case 0:
        return '.';
    case -1:
        return 'x';
    case -2:
        return '#';
    default:
        return value >= 1 && value <= 9 ? static_cast<char>('0' + value) : '?';
    }
}

template <typename Pick> std::vector<std::string> Grid(const TMosaicBoard& board, Pick pick) {
    std::vector<std::string> grid(static_cast<size_t>(board.GetRows()),
                                  std::string(static_cast<size_t>(board.GetCols()), ' '));
    for (const TMosaicCell& cell : board.GetCells()) {
        grid[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.column)] = ValueChar(pick(cell));
    }
    return grid;
}

inline std::vector<std::string> PlayerGrid(const TMosaicBoard& board) {
    return Grid(board, [](const TMosaicCell& cell) { return cell.player; });
}

inline std::vector<std::string> ShownGrid(const TMosaicBoard& board) {
    return Grid(board, [](const TMosaicCell& cell) { return cell.shown; });
}

// The runs of one line as "start+length" pieces, e.g. "0+2 3+1".
inline std::string DescribeRuns(const std::vector<TMosaicRun>& runs, TAxis axis) {
    std::string text;
    for (const TMosaicRun& run : runs) {
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(axis == kRows ? run.x : run.y) + "+" + std::to_string(run.Length());
    }
    return text;
}

inline std::string CellName(const TMosaicCell& cell) {
    std::string name = "r";
    name += std::to_string(cell.row) + "c" + std::to_string(cell.column);
    return name;
}

inline int CentreX(const TMosaicBoard& board, int row, int column) {
    const TMosaicCell& cell = board.GetCell(row, column);
    return cell.x + cell.w / 2;
}

inline int CentreY(const TMosaicBoard& board, int row, int column) {
    const TMosaicCell& cell = board.GetCell(row, column);
    return cell.y + cell.h / 2;
}

// A player action: a colour change (with restore, as the controller does it), a click, or a stroke
// from the pressed cell to the released one, the pointer dragged over every cell between them.
struct Action {
    enum Kind { Colour, Left, Right } kind = Left;
    int fromRow = 0;
    int fromColumn = 0;
    int toRow = 0;
    int toColumn = 0;
};

inline Action ChooseColour(int colour) {
    return {Action::Colour, colour, 0, 0, 0};
}
inline Action LeftStroke(int fromRow, int fromColumn, int toRow, int toColumn) {
    return {Action::Left, fromRow, fromColumn, toRow, toColumn};
}
inline Action RightStroke(int fromRow, int fromColumn, int toRow, int toColumn) {
    return {Action::Right, fromRow, fromColumn, toRow, toColumn};
}
inline Action LeftClick(int row, int column) {
    return LeftStroke(row, column, row, column);
}
inline Action RightClick(int row, int column) {
    return RightStroke(row, column, row, column);
}

inline int Sign(int value) {
    return (value > 0) - (value < 0);
}

inline void Perform(TMosaicBoard& board, const Action& action) {
    if (action.kind == Action::Colour) {
        board.SetCurrentPair({action.fromRow, 0});
        board.ApplyColourLayer(true);
        return;
    }
    const int button = action.kind == Action::Left ? TMosaicBoard::kLeftButton : TMosaicBoard::kRightButton;
    board.Press(CentreX(board, action.fromRow, action.fromColumn), CentreY(board, action.fromRow, action.fromColumn),
                button);
    // A click does not move; a stroke drags over every cell from the pressed one on.
    const int steps = std::max(std::abs(action.toRow - action.fromRow), std::abs(action.toColumn - action.fromColumn));
    const int stepRow = Sign(action.toRow - action.fromRow);
    const int stepColumn = Sign(action.toColumn - action.fromColumn);
    for (int k = 0; steps > 0 && k <= steps; ++k) {
        const int row = action.fromRow + k * stepRow;
        const int column = action.fromColumn + k * stepColumn;
        board.Drag(CentreX(board, row, column), CentreY(board, row, column), button);
    }
    board.Release(CentreX(board, action.toRow, action.toColumn), CentreY(board, action.toRow, action.toColumn), button);
}

// Records listener events and cell hooks as short texts. Like the game controller, it asks the board
// whether it is solved after every stroke.
class EventLog : public TMosaicBoardListener, public TMosaicCellHooks {
public:
    explicit EventLog(TMosaicBoard& board) : mBoard(board) {
        board.SetListener(this);
        board.SetCellHooks(this);
    }

    std::vector<std::string> events;
    std::vector<std::string> hooks;

    void OnLayoutSolved() override { events.push_back("solved"); }
    void OnCellVisited(const TMosaicCell& cell) override { events.push_back("visited " + CellName(cell)); }
    void OnCellFilled(const TMosaicCell& cell) override { events.push_back("filled " + CellName(cell)); }
    void OnCellWrong(const TMosaicCell& cell) override { events.push_back("wrong " + CellName(cell)); }
    void OnMistakes(int count) override { events.push_back("mistakes " + std::to_string(count)); }
    void OnCellHover(const TMosaicCell& cell) override { events.push_back("hover " + CellName(cell)); }
    void OnCellsPainted(int count) override {
        events.push_back("painted " + std::to_string(count));
        mBoard.IsSolved();
    }
    void OnHiddenCellFound(const TMosaicCell& cell) override { events.push_back("found " + CellName(cell)); }

    void OnCellColourSet(const TMosaicCell& cell) override { hooks.push_back("colour " + CellName(cell)); }
    void OnCellRunCompleted(const TMosaicCell& cell) override { hooks.push_back("run " + CellName(cell)); }
    void OnCellLayoutSolved(const TMosaicCell& cell) override { hooks.push_back("solved " + CellName(cell)); }

    void Clear() {
        events.clear();
        hooks.clear();
    }

private:
    TMosaicBoard& mBoard;
};

} // namespace boardtest
