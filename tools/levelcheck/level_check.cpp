#include "levelcheck/level_check.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/file_object.h"

#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "data/level_layout_file.h"
#include "levelcheck/grid_solver.h"

namespace {

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

TAtlasSize ReadPngSize(const std::string& name) {
    // The signature, the IHDR chunk's length and name, then width and height, big-endian.
    static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                                   0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    std::string bytes;
    if (!ReadWholeFile(name, bytes, 1 << 24) || bytes.size() < 24 ||
        !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin(),
                    [](unsigned char want, char got) { return want == static_cast<unsigned char>(got); })) {
        return {};
    }
    const auto bigEndian = [&bytes](size_t at) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i) {
            value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
        }
        return static_cast<int>(std::min<uint32_t>(value, 1u << 30));
    };
    return {bigEndian(16), bigEndian(20)};
}

TGameScreenData ReadGameScreenData() {
    TGameScreenData data;
    data.atlases = {ReadPngSize("textures/tilesets/basenumberslines.png"),
                    ReadPngSize("textures/tilesets/basenumbers.png"), ReadPngSize("textures/tilesets/overnumbers.png")};
    if (const TiXmlElement* root = LoadXmlRoot("ui/interface.xml")) {
        TXmlRootWalk walk;
        std::vector<std::string> names;
        for (const TiXmlElement* object = root->FirstChildElement("object"); object != nullptr;
             object = object->NextSiblingElement("object")) {
            names.push_back(ReadXmlString(object, "name", ""));
        }
        while (std::find(names.begin(), names.end(), FormatString("mosaicerror%d", data.mistakeMarks + 1)) !=
               names.end()) {
            ++data.mistakeMarks;
        }
    }
    if (const TiXmlElement* root = LoadXmlRoot("settings.xml")) {
        TXmlRootWalk walk;
        data.difficultyMaxErrors = ReadXmlInt(root, "errorsmax", 0);
        for (const TiXmlElement* preset = root->FirstChildElement("settings"); preset != nullptr;
             preset = preset->NextSiblingElement("settings")) {
            data.difficultyMaxErrors = std::max(data.difficultyMaxErrors, ReadXmlInt(preset, "maxerrorscount", 0));
        }
    }
    ReleaseXmlRoot();
    return data;
}

std::vector<std::string> FindMissingMistakeMarks(const TLevelEntry& level, const TGameScreenData& screen) {
    const int maximum = level.maxErrors > 0 ? level.maxErrors : screen.difficultyMaxErrors;
    if (maximum + 1 <= screen.mistakeMarks) {
        return {};
    }
    return {FormatString("%d mistakes allowed%s need %d mistake marks, the game screen has %d", maximum,
                         level.maxErrors > 0 ? "" : " by a difficulty", maximum + 1, screen.mistakeMarks)};
}

std::vector<std::string> FindUndrawableNumbers(const TMosaicBoard& board, const TNumberAtlases& atlases) {
    int longest[kAxisCount] = {0, 0};
    for (const TMosaicColorInfo& record : board.GetColourRecords()) {
        for (const TAxis axis : {kRows, kColumns}) {
            for (const auto& numbers : record.numbers[axis]) {
                for (const TMosaicNumberItem& number : numbers) {
                    longest[axis] = std::max(longest[axis], number.value);
                }
            }
        }
    }
    std::vector<std::string> faults;
    const auto need = [&faults](const char* atlas, const TAtlasSize& size, int frames, int width) {
        if (frames > size.Frames() || width > size.width) {
            faults.push_back(FormatString("the atlas %s (%d x %d) cannot draw numbers up to %d in frames %d wide",
                                          atlas, size.width, size.height, frames, width));
        }
    };
    const TGridGeometry& geometry = board.GetGeometry();
    need("basenumberslines", atlases.rows, longest[kRows], TGridGeometry::kRowClueWidth);
    need("basenumbers", atlases.columns, longest[kColumns], geometry.cellWidth);
    need("overnumbers", atlases.strokes, std::max(board.GetRows(), board.GetCols()), 40);
    return faults;
}

TLevelVerdict CheckLevel(const TLevelEntry& level, const TGameScreenData* screen) {
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
    if (screen != nullptr) {
        for (std::string& fault : FindUndrawableNumbers(board, screen->atlases)) {
            verdict.faults.push_back(std::move(fault));
        }
        for (std::string& fault : FindMissingMistakeMarks(level, *screen)) {
            verdict.faults.push_back(std::move(fault));
        }
    }
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
