#pragma once
// The puzzle board of one level as the game shows it: the board's rules (cells, runs, clue numbers,
// strokes) plus everything drawn over them, the tiles and reward overlays of the cells, the stroke
// numbers, the hover mark and line highlight, and the clue area of the current colour. Pointer events
// in design pixels go to the rules while the board is shown; what the rules report reaches the board's
// listener with the cell's drawn item.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "board/mosaic_item.h"
#include "board/mosaic_numbers.h"
#include "controller/game_listeners.h"
#include "graphics/static_image.h"
#include "objects/object.h"
#include "rules/mosaic_board.h"
#include "windows/mouse_event.h"

class TTileset;
struct TXmlSource;

class MosaicLayout_t : public TObject, public TMosaicCellHooks, private TMosaicBoardListener {
public:
    static constexpr int kTypeId = 4;
    // Modes: the board alpha rises to 1, falls to 0, or stays; pointer input counts only while shown.
    static constexpr int kModeFadingIn = 0;
    static constexpr int kModeFadingOut = 1;
    static constexpr int kModeShown = 2;
    static constexpr float kAlphaStep = 0.1f;
    // The cell highlight of the hovered row and column, relative to the board alpha.
    static constexpr float kHighlightFactor = 0.3f;
    // A crossed clue number is dimmed to this alpha.
    static constexpr float kCrossedClueAlpha = 0.5f;
    // Clue numbers sit 2 pixels above their place.
    static constexpr int kClueRaise = 2;

    static constexpr const char* kHoverMark = "textures/tilesets/over";
    static constexpr const char* kLineHighlight = "textures/tilesets/highlight";
    static constexpr const char* kRowCross = "textures/tilesets/numbercrosshorz";
    static constexpr const char* kColumnCross = "textures/tilesets/numbercrossvert";
    // The clue backgrounds in their drawing order: row backs, column backs, row lines, column lines.
    enum TClueBack : int { kRowBacks, kColumnBacks, kRowLines, kColumnLines, kClueBackCount };
    static constexpr const char* kClueBackImages[kClueBackCount] = {
        "textures/gui/gamescreen/rowback", "textures/gui/gamescreen/colback", "textures/gui/gamescreen/rowbackline",
        "textures/gui/gamescreen/colbackline"};

    MosaicLayout_t();
    ~MosaicLayout_t() override = default;
    MosaicLayout_t(const MosaicLayout_t&) = delete;
    MosaicLayout_t& operator=(const MosaicLayout_t&) = delete;

    int GetTypeId() const override { return kTypeId; }

    // The object record, then every cell's value and visible flag in row order.
    void SaveState(TBaseBuffer& writer) override;
    void RestoreState(TBaseBuffer& reader) override;
    // Every cell hidden.
    void ReleaseAll() override;
    // Every cell untouched and uncommitted, without hidden reward or spark; the memories of wrong and
    // ruled-out colours stay.
    void Reset() override;
    // The developer's views: every visible cell shows its solution (or nothing), uncommitted; the hidden
    // reward cells marked; the open cells of the current colour highlighted, with the sparks.
    virtual void ShowSolution(bool on);
    // At the start of play: no hover, no stroke, the first colour.
    virtual void ResetSelection() { mBoard.ResetSelection(); }
    void ShowHiddenCellMarks(bool on);
    bool IsShowingHiddenCellMarks() const { return mHiddenCellMarks; }
    void SetDeveloperHighlight(bool on) { mDeveloperHighlight = on; }
    bool GetDeveloperHighlight() const { return mDeveloperHighlight; }
    // Shapes: this board offers none (the controller's shape pickers stay hidden).
    int GetShapeCount() const { return mShapeCount; }
    virtual bool IsShapeAvailable(int shape, int colourIndex) const { return false; }
    // Every clue number of every colour loses its hover flag.
    void ClearClueHighlights() { mBoard.ClearClueHighlights(); }
    int CountHiddenCells() const { return mBoard.CountHiddenCells(); }

    // Reads a level layout file (data path rules) into the board and rebuilds its drawing; false, with
    // the board as it was, when the file cannot be read or the level cannot be played.
    virtual bool Load(const std::string& file, bool singleColour);
    // The same from a level layout document in memory; Load reads the file and hands it here.
    virtual bool LoadSource(const TXmlSource& source, bool singleColour);

    // Where the next load puts the grid (design pixels).
    void SetGridOrigin(int x, int y) { mBoard.SetGridOrigin(x, y); }
    // The rules under the board. Levels are loaded through Load only, so the items follow the cells.
    TMosaicBoard& GetBoard() { return mBoard; }
    const TMosaicBoard& GetBoard() const { return mBoard; }
    // Once every run is done; the listener hears of it the first time.
    virtual bool IsSolved() { return mBoard.IsSolved(); }
    void SetListener(MosaicLayoutListener* listener) { mLayoutListener = listener; }
    int GetMode() const { return mMode; }
    void SetMode(int mode) { mMode = mode; }
    void SetHighlightLines(bool on) { mHighlightLines = on; }
    void SetDrawClues(bool on) { mDrawClues = on; }

    // The hint candidates: the items of the visible untouched cells of the current colour, in random
    // order; false (and none kept) when there is none. They stay on the board until the next call or
    // ResetHints.
    bool GetHintCells(std::vector<MosaicItem_t*>& cells);
    void ResetHints() { mHintCells.clear(); }
    const std::vector<MosaicItem_t*>& GetHintCandidates() const { return mHintCells; }

    // One drawn item per cell, row-major like the rules' cells.
    const std::vector<std::unique_ptr<MosaicItem_t>>& GetItems() const { return mItems; }
    MosaicItem_t* GetItem(int row, int column);
    // The tileset cells are drawn with: the current one.
    virtual const TTileset* GetTileset() const;

    // Pointer events in design pixels, button 1 left, 2 right. Each answers whether the board took it:
    // only while shown (a press out of that mode still starts the stroke's counters afresh).
    bool OnMouseDown(int x, int y, int button);
    bool OnMouseMove(int x, int y);
    bool OnMouseDrag(int x, int y, int button);
    virtual bool OnMouseUp(int x, int y, int button);
    // The same as a scene object's events: design coordinates and the button.
    bool OnMouseDown(const TMouseEvent& event) override { return OnMouseDown(event.gameX, event.gameY, event.buttons); }
    bool OnMouseMove(const TMouseEvent& event, bool* /*firstHover*/) override {
        return OnMouseMove(event.gameX, event.gameY);
    }
    bool OnMouseDrag(const TMouseEvent& event) override { return OnMouseDrag(event.gameX, event.gameY, event.buttons); }
    bool OnMouseUp(const TMouseEvent& event) override { return OnMouseUp(event.gameX, event.gameY, event.buttons); }

    // Fades the board alpha by one step per call in modes 0 and 1, then updates every cell.
    bool Update(float seconds) override;

    // The grid: every cell, then the hovered row and column highlight and the hover mark.
    virtual void DrawCells();
    // DrawCells in two parts, the cells and then the marks over them, for a board whose cells change only
    // when they are played (so they can be kept in a cached layer); false when the board draws its cells
    // otherwise, and DrawCells must draw them.
    virtual bool HasCellLayer() const { return true; }
    void DrawCellLayer();
    void DrawCellMarks();
    // The clue area of the current colour at full alpha, whatever the board alpha.
    virtual void DrawClues();
    virtual void DrawClueNumbers(int colourIndex, float alpha);
    virtual void DrawSparks();
    void DrawClueBackgrounds(float alpha);
    void DrawHighlightLines(int row, int column, float factor);
    virtual bool GetHighlightLines() const { return mHighlightLines; }
    virtual bool GetShowHoverMark() const { return true; }

    // The clue backgrounds placed by the last load, in their lists.
    const std::vector<StaticImage>& GetClueBacks(TClueBack list) const { return mClueBacks[list]; }

    // What the rules tell the cells, passed to their items.
    void OnCellColourSet(const TMosaicCell& cell) override;
    void OnCellRunCompleted(const TMosaicCell& cell) override;
    void OnCellLayoutSolved(const TMosaicCell& cell) override;

protected:
    // Makes the drawn item of a cell; boards of other kinds make their own.
    virtual std::unique_ptr<MosaicItem_t> CreateCell(const TMosaicCell& cell);
    // The hovered row and column highlight and the hover mark, then the developer's sparks.
    void DrawHoverMarks();
    // With the developer highlight on, a light over the cell when it is an open cell of the current colour.
    void DrawDeveloperHighlight(const TMosaicCell& cell);
    const TNumberPainter& GetStrokeNumbers() const { return mNumbers; }
    // The rules' events, passed to the listener with the cell's item.
    void OnLayoutSolved() override;
    void OnCellsPainted(int count) override;

private:
    void OnCellVisited(const TMosaicCell& cell) override;
    void OnCellFilled(const TMosaicCell& cell) override;
    void OnCellWrong(const TMosaicCell& cell) override;
    void OnMistakes(int count) override;
    void OnCellHover(const TMosaicCell& cell) override;
    void OnHiddenCellFound(const TMosaicCell& cell) override;

    // The item of a cell of the rules; null while a load replaces the cells.
    MosaicItem_t* ItemOf(const TMosaicCell& cell);
    void BuildItems();
    // Each visible cell's over-colour index: the "overcolor" of the first tile of its colour.
    void AssignOverColours(const TTileset* tileset);
    void LoadBoardImages();
    void BuildClueBackgrounds();
    void PlaceClueBackList(TClueBack list, int count, TAxis axis, bool lines);
    void DrawImageAt(StaticImage& image, int x, int y, float alpha);
    void DrawClueNumber(const TMosaicColorInfo& info, TAxis axis, int line, int j, int setNumbersNow);

    TMosaicBoard mBoard;
    std::vector<std::unique_ptr<MosaicItem_t>> mItems;
    std::vector<MosaicItem_t*> mHintCells;
    bool mLoading = false;
    TWeakRef<MosaicLayoutListener> mLayoutListener;
    int mMode = kModeShown;
    bool mHighlightLines = true;
    bool mDrawClues = true;
    bool mDeveloperHighlight = false;
    bool mHiddenCellMarks = false;
    int mShapeCount = 0;
    // Stroke numbers, row clues, column clues.
    TNumberPainter mNumbers{TNumberPainter::kStrokeAtlas};
    std::array<TNumberPainter, kAxisCount> mClueNumbers{TNumberPainter(TNumberPainter::kRowAtlas),
                                                        TNumberPainter(TNumberPainter::kColumnAtlas)};
    StaticImage mHoverMark;
    StaticImage mHighlight;
    std::array<StaticImage, kAxisCount> mClueCross;
    std::array<std::vector<StaticImage>, kClueBackCount> mClueBacks;
};
