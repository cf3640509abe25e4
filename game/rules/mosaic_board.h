#pragma once
// The puzzle board's rules: the grid of solution colours, the runs and clue numbers of every colour,
// the player's values seen through the current colour, judging of strokes and the solved state.
// It knows nothing of drawing: the board object that draws reads this state and routes pointer
// events (design pixels) here.

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "rules/level_layout_data.h"
#include "rules/mosaic_board_listener.h"
#include "rules/mosaic_cell.h"
#include "rules/mosaic_geometry.h"
#include "rules/mosaic_runs.h"
#include "rules/random15.h"

// Receives one finished log line.
using TRulesLog = std::function<void(const std::string&)>;

class TMosaicBoard {
public:
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 2;
    // Larger grids are refused: they cannot be shown and would only cost memory.
    static constexpr int kMaxGridSide = 256;
    // Cells are drawn this size in design pixels at most; a larger or empty size cannot be shown and
    // would overflow the pixel geometry.
    static constexpr int kMaxCellSide = 1024;
    // More clue numbers than these per line and colour get a log line.
    static constexpr int kMaxRowNumbers = 8;
    static constexpr int kMaxColumnNumbers = 7;

    // Services; none is required (without a log the lines are dropped).
    void SetListener(TMosaicBoardListener* listener) { mListener = listener; }
    void SetCellHooks(TMosaicCellHooks* hooks) { mHooks = hooks; }
    void SetLog(TRulesLog log) { mLog = std::move(log); }
    void SetRandom(TRandomSource random) { mRandom = std::move(random); }

    // Taken by the next Load.
    void SetGridOrigin(int x, int y);
    void SetGap(int gap);

    // Rebuilds the board from a level's layout. A level that cannot be played (no coloured cell,
    // colour numbers with a gap, a grid beyond kMaxGridSide, a cell size outside 1..kMaxCellSide) is
    // refused with a log line: false, and the board keeps what it had. With single colour every colour
    // becomes 1.
    bool Load(const TLevelLayoutData& data, bool singleColour);

    const std::string& GetPath() const { return mPath; }
    const std::string& GetName() const { return mName; }
    int GetRows() const { return mRows; }
    int GetCols() const { return mCols; }
    // Coloured cells.
    int GetItems() const { return mItems; }
    int GetVisibleCellCount() const { return mVisibleCells; }
    int GetMistakes() const { return mMistakes; }
    const TGridGeometry& GetGeometry() const { return mGeometry; }
    int GetPixelWidth() const { return mGeometry.PixelWidth(mCols); }
    int GetPixelHeight() const { return mGeometry.PixelHeight(mRows); }
    // Union of every colour's box; cells outside it are invisible.
    const TCellBox& GetShownArea() const { return mShownArea; }
    // Row-major, rows x cols.
    const std::vector<TMosaicCell>& GetCells() const { return mCells; }
    const TMosaicCell& GetCell(int row, int column) const { return mCells[CellIndex(row, column)]; }
    // Ascending colour number; record i holds colour i + 1.
    const std::vector<TMosaicColorInfo>& GetColourRecords() const { return mRecords; }
    // Null when the current colour index has no record.
    const TMosaicColorInfo* GetCurrentColourRecord() const;
    int CountHiddenCells() const;
    bool IsSolvedFlagSet() const { return mSolved; }

    // Pointer state the drawing follows (-1 = none).
    int GetHoverColumn() const { return mHoverColumn; }
    int GetHoverRow() const { return mHoverRow; }
    int GetDragStartColumn() const { return mDragStartColumn; }
    int GetDragStartRow() const { return mDragStartRow; }
    // The cells of the stroke being drawn.
    const TLineView& GetStrokeLine() const { return mStrokeLine; }

    // The current colour is the pair's colour; its index is colour - 1.
    void SetCurrentPair(const TMosaicPair& pair) { mCurrentIndex = pair.colour - 1; }
    TMosaicPair GetCurrentPair() const { return {mCurrentIndex + 1, 0}; }
    int GetCurrentColourIndex() const { return mCurrentIndex; }

    // Sets the cell's value; with commit it is remembered (a -1 as ruled out for the current colour).
    void SetCell(TMosaicCell& cell, const TMosaicPair& pair, bool commit);
    TMosaicCell& CellAt(int row, int column) { return mCells[CellIndex(row, column)]; }
    // Shows the grid for the current colour; with restore, committed values are shown again first.
    void ApplyColourLayer(bool restore);
    // Re-judges runs (all, or those not done yet) and tells the cells of newly done runs.
    void UpdateRunsDone(bool all);
    void UpdateClueDoneFlags();
    // True once every run is done; the first time, painted reward cells not yet reported are reported,
    // then the listener hears the board is solved (once per load).
    bool IsSolved();

    // Hover, drag start and stroke line forgotten; the first colour current again.
    void ResetSelection();
    void ResetMistakes() { mMistakes = 0; }
    // The visible untouched cells of the current colour, in random order (empty when the current colour
    // has no record).
    std::vector<TMosaicCell*> FindHintCells();

    // The cell whose rectangle holds the point, visible or not.
    TMosaicCell* FindCellAt(int x, int y);
    // The first step of every press, whatever the board's mode.
    void ResetStrokeCounters();
    void Press(int x, int y, int button);
    // Pointer moved with no button held.
    void Move(int x, int y);
    // Every clue number of every colour loses its hover flag.
    void ClearClueHighlights();
    void Drag(int x, int y, int button);
    void Release(int x, int y, int button);

private:
    size_t CellIndex(int row, int column) const { return static_cast<size_t>(row * mCols + column); }
    TMosaicCell& CellOfLine(const TLineView& line, int k) { return mCells[static_cast<size_t>(line.At(k))]; }
    void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Loading steps.
    void ReadSolutions(const TLevelLayoutData& data, bool singleColour, std::vector<TMosaicCell>& cells);
    bool CheckColours(const TLevelLayoutData& data, const std::vector<TMosaicCell>& cells);
    void TakeCells(const TLevelLayoutData& data, std::vector<TMosaicCell>&& cells);
    void StartPlay();
    void BuildClueItems();
    void MarkVisibleCells();
    void PlaceHiddenRewards(const TLevelLayoutData& data);
    std::vector<size_t> ListedRewardCells(const TLevelLayoutData& data);
    std::vector<size_t> RandomRewardCells(int count);

    // Per-colour memories; colour numbers outside 1 .. 15 have none.
    void RememberWrongPair(TMosaicCell& cell, const TMosaicPair& pair);
    bool IsWrongPairRemembered(const TMosaicCell& cell, const TMosaicPair& pair) const;
    bool WasPairTried(const TMosaicCell& cell, const TMosaicPair& pair) const;
    void MarkEmptyForCurrent(TMosaicCell& cell);
    bool IsMarkedEmptyForCurrent(const TMosaicCell& cell) const;
    bool IsRightPair(const TMosaicCell& cell, const TMosaicPair& pair) const { return pair.colour == cell.solution; }

    // [axis][line]: every run of the current colour in the line is done.
    using TLinesDone = std::array<std::vector<char>, kAxisCount>;
    void ShowOpenOrRuledOut(TMosaicCell& cell, const TMosaicColorInfo& info, const TLinesDone& done);
    bool IsRunComplete(const TMosaicRun& run) const;
    void ReportCompletedRuns(std::vector<const TMosaicRun*>& newlyDone);
    void ReportPaintedRewards();
    void OnSolved();

    // Strokes.
    void CollectLine(bool showNumbers, int fromColumn, int fromRow, int toColumn, int toRow);
    void ClearDragMarks();
    void ClearCellSoundFlags();
    void UpdateClueHover(int x, int y);
    void VisitCell(TMosaicCell& cell);
    void SetHover(const TMosaicCell* cell);
    void JudgeRightDrag(TMosaicCell& cell);
    void JudgeLeftStroke();
    void JudgeRightRelease();
    void EndStroke();

    TMosaicBoardListener* mListener = nullptr;
    TMosaicCellHooks* mHooks = nullptr;
    TRulesLog mLog;
    TRandomSource mRandom = Rand15;

    std::string mPath;
    std::string mName;
    TGridGeometry mGeometry;
    int mRows = 0;
    int mCols = 0;
    int mItems = 0;
    int mVisibleCells = 0;
    std::vector<TMosaicCell> mCells;
    std::vector<TMosaicColorInfo> mRecords;
    TCellBox mShownArea;

    int mCurrentIndex = 0;
    int mMistakes = 0;
    int mRightCells = 0;
    bool mSolved = false;
    int mHoverColumn = -1;
    int mHoverRow = -1;
    int mDragStartColumn = -1;
    int mDragStartRow = -1;
    TLineView mStrokeLine{0, 0, 1};
};
