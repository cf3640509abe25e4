#include "rules/mosaic_runs.h"

#include <algorithm>
#include <climits>

namespace {

bool IsColourValue(int value) {
    return value >= 1 && value <= mosaic::kMaxColours;
}

using TRecordIndex = std::array<int, mosaic::kMaxColours + 1>;

TMosaicRun MakeRun(TAxis axis, int line, int first, int length, int colour) {
    if (axis == kRows) {
        return {first, line, length, 1, false, colour};
    }
    return {line, first, 1, length, false, colour};
}

// Consecutive cells of one colour form a run of that colour; anything else ends it.
void AddRunsOfLine(const std::vector<TMosaicCell>& cells, TLineView view, TAxis axis, int line,
                   const TRecordIndex& recordOf, std::vector<TMosaicColorInfo>& records) {
    int k = 0;
    while (k < view.length) {
        const int value = cells[static_cast<size_t>(view.At(k))].solution;
        if (!IsColourValue(value)) {
            ++k;
            continue;
        }
        const int first = k;
        while (k < view.length && cells[static_cast<size_t>(view.At(k))].solution == value) {
            ++k;
        }
        auto& runs = records[static_cast<size_t>(recordOf[static_cast<size_t>(value)])].runs[axis];
        runs[static_cast<size_t>(line)].push_back(MakeRun(axis, line, first, k - first, value));
    }
}

struct TBoxBounds {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = -1;
    int bottom = -1;

    void Add(int column, int row) {
        left = std::min(left, column);
        top = std::min(top, row);
        right = std::max(right, column);
        bottom = std::max(bottom, row);
    }
    TCellBox Box() const { return right < 0 ? TCellBox{} : TCellBox{left, top, right - left + 1, bottom - top + 1}; }
};

} // namespace

TCellBox UniteBoxes(const TCellBox& a, const TCellBox& b) {
    if (a.IsEmpty()) {
        return b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    const int right = std::max(a.x + a.w, b.x + b.w);
    const int bottom = std::max(a.y + a.h, b.y + b.h);
    return {left, top, right - left, bottom - top};
}

TLineView LineOf(TAxis axis, int line, int rows, int cols) {
    if (axis == kRows) {
        return {line * cols, cols, 1};
    }
    return {line, rows, cols};
}

TLineView RunCells(const TMosaicRun& run, int cols) {
    return {run.y * cols + run.x, run.Length(), run.h > 1 ? cols : 1};
}

bool TMosaicColorInfo::IsLineDone(TAxis axis, int line) const {
    const auto& lines = runs[axis];
    if (line < 0 || line >= static_cast<int>(lines.size())) {
        return true;
    }
    const auto& lineRuns = lines[static_cast<size_t>(line)];
    return std::all_of(lineRuns.begin(), lineRuns.end(), [](const TMosaicRun& run) { return run.done; });
}

bool TMosaicColorInfo::AreAllRunsDone() const {
    for (int axis = 0; axis < kAxisCount; ++axis) {
        for (int line = 0; line < static_cast<int>(runs[axis].size()); ++line) {
            if (!IsLineDone(static_cast<TAxis>(axis), line)) {
                return false;
            }
        }
    }
    return true;
}

bool TMosaicColorInfo::IsClueCrossed(TAxis axis, int line, int j, int setNumbersNow) const {
    if (line < 0 || line >= static_cast<int>(runs[axis].size()) || line >= static_cast<int>(numbers[axis].size())) {
        return false;
    }
    const auto& lineRuns = runs[axis][static_cast<size_t>(line)];
    const auto& lineNumbers = numbers[axis][static_cast<size_t>(line)];
    if (j < 0 || j >= static_cast<int>(lineRuns.size()) || j >= static_cast<int>(lineNumbers.size())) {
        return false;
    }
    return lineRuns[static_cast<size_t>(j)].done &&
           (setNumbersNow == 1 || lineNumbers[static_cast<size_t>(j)].lineDone);
}

std::vector<TMosaicColorInfo> BuildColourRecords(const std::vector<TMosaicCell>& cells, int rows, int cols) {
    std::array<TBoxBounds, mosaic::kMaxColours + 1> bounds{};
    for (const TMosaicCell& cell : cells) {
        if (IsColourValue(cell.solution)) {
            bounds[static_cast<size_t>(cell.solution)].Add(cell.column, cell.row);
        }
    }
    std::vector<TMosaicColorInfo> records;
    TRecordIndex recordOf{};
    for (int value = 1; value <= mosaic::kMaxColours; ++value) {
        if (bounds[static_cast<size_t>(value)].right < 0) {
            continue;
        }
        recordOf[static_cast<size_t>(value)] = static_cast<int>(records.size());
        TMosaicColorInfo& info = records.emplace_back();
        info.colour = value;
        info.box = bounds[static_cast<size_t>(value)].Box();
        info.runs[kRows].resize(static_cast<size_t>(rows));
        info.runs[kColumns].resize(static_cast<size_t>(cols));
    }
    const int counts[kAxisCount] = {rows, cols};
    for (int axis = 0; axis < kAxisCount; ++axis) {
        for (int line = 0; line < counts[axis]; ++line) {
            const TAxis a = static_cast<TAxis>(axis);
            AddRunsOfLine(cells, LineOf(a, line, rows, cols), a, line, recordOf, records);
        }
    }
    return records;
}

void PlaceClueNumbers(TMosaicColorInfo& info, const TGridGeometry& geometry) {
    for (int axis = 0; axis < kAxisCount; ++axis) {
        const auto& lines = info.runs[axis];
        auto& numbers = info.numbers[axis];
        numbers.assign(lines.size(), {});
        for (size_t line = 0; line < lines.size(); ++line) {
            const int n = static_cast<int>(lines[line].size());
            for (int j = 0; j < n; ++j) {
                TMosaicNumberItem item;
                item.rect = geometry.ClueRect(static_cast<TAxis>(axis), static_cast<int>(line), j, n);
                item.value = lines[line][static_cast<size_t>(j)].Length();
                numbers[line].push_back(item);
            }
        }
    }
}
