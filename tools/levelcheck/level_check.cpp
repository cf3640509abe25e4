#include "levelcheck/level_check.h"

#include <utility>

#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "level_layout_file.h"
#include "levelcheck/grid_solver.h"

namespace {

// The clue atlas is drawn 2 pixels above its number's place.
constexpr int kClueDrawLift = 2;

struct TExtent {
    bool any = false;
    TPixelRect box;

    void Add(const TPixelRect& rect) {
        box = any ? UniteBoxes(box, rect) : rect;
        any = true;
    }
    bool OnScreen() const {
        return !any || (box.x >= 0 && box.y >= 0 && box.x + box.w <= kDesignWidth && box.y + box.h <= kDesignHeight);
    }
};

TExtent ClueExtent(const TMosaicBoard& board, TAxis axis) {
    TExtent extent;
    for (const TMosaicColorInfo& record : board.GetColourRecords()) {
        for (const auto& numbers : record.numbers[axis]) {
            for (const TMosaicNumberItem& number : numbers) {
                extent.Add(number.rect);
                TPixelRect drawn = number.rect;
                drawn.y -= kClueDrawLift;
                extent.Add(drawn);
            }
        }
    }
    return extent;
}

void AddIfOffScreen(const char* what, const TExtent& extent, std::vector<std::string>& faults) {
    if (extent.OnScreen()) {
        return;
    }
    const TPixelRect& box = extent.box;
    faults.push_back(FormatString("%s reach x %d to %d, y %d to %d, outside the %d x %d screen", what, box.x,
                                  box.x + box.w, box.y, box.y + box.h, kDesignWidth, kDesignHeight));
}

bool LoadBoard(const TLevelEntry& level, TMosaicBoard& board, TLevelVerdict& verdict) {
    std::vector<std::string> loadLog;
    board.SetLog([&loadLog](const std::string& line) { loadLog.push_back(line); });
    const TGridGeometry defaults;
    board.SetGridOrigin(level.originX != 0 ? level.originX : defaults.originX,
                        level.originY != 0 ? level.originY : defaults.originY);
    TLevelLayoutData data;
    const bool read = ReadLevelLayoutFile(level.path, data);
    ReleaseXmlRoot();
    if (!read) {
        verdict.faults.push_back("cannot be read as a level file");
        return false;
    }
    verdict.name = data.name;
    verdict.rows = data.rows;
    verdict.cols = data.cols;
    const bool loaded = board.Load(data, false);
    board.SetLog(nullptr);
    for (const std::string& line : loadLog) {
        verdict.faults.push_back("load logged \"" + line + "\"");
    }
    return loaded;
}

} // namespace

std::vector<std::string> FindOffScreenParts(const TMosaicBoard& board) {
    std::vector<std::string> faults;
    TExtent grid;
    const TGridGeometry& geometry = board.GetGeometry();
    grid.Add({geometry.originX, geometry.originY, board.GetPixelWidth(), board.GetPixelHeight()});
    AddIfOffScreen("the grid cells", grid, faults);
    AddIfOffScreen("the row clues", ClueExtent(board, kRows), faults);
    AddIfOffScreen("the column clues", ClueExtent(board, kColumns), faults);
    return faults;
}

TUnprovedCells FindUnprovedCells(const TMosaicBoard& board) {
    TGridSolver solver(ShownPuzzleOf(board));
    TUnprovedCells unproved;
    unproved.contradiction = !solver.Solve();
    for (const TMosaicCell& cell : board.GetCells()) {
        if (cell.solution <= 0) {
            continue;
        }
        ++unproved.coloured;
        if (solver.ProvedValue(cell.row, cell.column) != cell.solution) {
            if (unproved.count++ == 0) {
                unproved.firstRow = cell.row;
                unproved.firstColumn = cell.column;
            }
        }
    }
    return unproved;
}

TLevelVerdict CheckLevel(const TLevelEntry& level) {
    TLevelVerdict verdict;
    verdict.path = level.path;
    TMosaicBoard board;
    if (!LoadBoard(level, board, verdict)) {
        if (verdict.faults.empty()) {
            verdict.faults.push_back("refused by the board");
        }
        return verdict;
    }
    verdict.colours = static_cast<int>(board.GetColourRecords().size());
    for (std::string& fault : FindOffScreenParts(board)) {
        verdict.faults.push_back(std::move(fault));
    }
    verdict.difficulty = MeasureDifficulty(ShownPuzzleOf(board));
    verdict.measured = true;
    const TUnprovedCells unproved = FindUnprovedCells(board);
    if (unproved.contradiction) {
        verdict.faults.push_back("line logic found the clues contradict each other");
    }
    if (unproved.count > 0) {
        verdict.faults.push_back(
            FormatString("%d of %d coloured cells not proved by line logic (first: row %d, column %d)", unproved.count,
                         unproved.coloured, unproved.firstRow + 1, unproved.firstColumn + 1));
    }
    return verdict;
}

std::string FormatVerdict(const TLevelVerdict& verdict) {
    std::string text = verdict.path + " \"" + verdict.name + "\" " +
                       FormatString("%d x %d, %d colour%s", verdict.cols, verdict.rows, verdict.colours,
                                    verdict.colours == 1 ? "" : "s");
    if (verdict.measured) {
        const TDifficulty& difficulty = verdict.difficulty;
        text +=
            FormatString(", difficulty %.1f (%d sweep%s, %d%% by one line)", difficulty.Score(), difficulty.sweeps,
                         difficulty.sweeps == 1 ? "" : "s", static_cast<int>(difficulty.OneLineShare() * 100.0 + 0.5));
    }
    text += ": ";
    if (verdict.Passed()) {
        return text + "PASS";
    }
    text += "FAIL:";
    for (size_t i = 0; i < verdict.faults.size(); ++i) {
        text += (i == 0 ? " " : "; ") + verdict.faults[i];
    }
    return text;
}
