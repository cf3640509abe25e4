#pragma once
// The events a board sends to its owner while it is played.

struct TMosaicCell;

class TMosaicBoardListener {
public:
    virtual ~TMosaicBoardListener() = default;

    // Every run of every colour is done; sent once per load.
    virtual void OnLayoutSolved() {}
    // A visible cell of a painting stroke, before it is judged.
    virtual void OnCellVisited(const TMosaicCell& /*cell*/) {}
    // A cell received its right colour at a release.
    virtual void OnCellFilled(const TMosaicCell& /*cell*/) {}
    // A wrong value was set on a cell.
    virtual void OnCellWrong(const TMosaicCell& /*cell*/) {}
    // Mistakes made by one action.
    virtual void OnMistakes(int /*count*/) {}
    // The pointer first reached a visible cell while a button is held.
    virtual void OnCellHover(const TMosaicCell& /*cell*/) {}
    // The end of every release, with the number of cells the stroke painted right.
    virtual void OnCellsPainted(int /*count*/) {}
    // A hidden reward cell was uncovered.
    virtual void OnHiddenCellFound(const TMosaicCell& /*cell*/) {}
};

// What the board that draws the cells hears about them; the rules call it, nothing else does.
class TMosaicCellHooks {
public:
    virtual ~TMosaicCellHooks() = default;

    // A colour other than -1 was committed on the cell.
    virtual void OnCellColourSet(const TMosaicCell& /*cell*/) {}
    // A cell of a run that has just become done.
    virtual void OnCellRunCompleted(const TMosaicCell& /*cell*/) {}
    // Every cell, after the listener heard the board is solved.
    virtual void OnCellLayoutSolved(const TMosaicCell& /*cell*/) {}
};
