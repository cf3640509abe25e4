#pragma once
// Helpers of the level checker tests: level files written from their lines into a data root, and a
// count of the solutions of a puzzle by trying every row that fits its clues.

#include <string>
#include <vector>

#include "harness/harness.h"
#include "levelcheck/grid_solver.h"

namespace levelchecktest {

// "<level>" text of a level file; rows and cols from the lines unless given.
inline std::string LevelXml(const std::string& name, const std::vector<std::string>& lines,
                            const std::string& extraInfo = "") {
    std::string xml = "<level><info name=\"" + name + "\" rows=\"" + std::to_string(lines.size()) + "\" cols=\"" +
                      std::to_string(lines.empty() ? 0 : lines[0].size()) + "\" " + extraInfo + "/>";
    for (const std::string& line : lines) {
        xml += "<line line=\"" + line + "\"/>";
    }
    return xml + "</level>";
}

// A temporary data root; files are written under its "assets/".
class DataRoot {
public:
    DataRoot() : mFolder(harness::MakeTempFolder()) {}

    const std::string& Folder() const { return mFolder; }
    // Writes assets/<name> and returns the game's data name for it.
    std::string Write(const std::string& name, const std::string& text) const {
        EXPECT_TRUE(harness::WriteFile(mFolder + "/assets/" + name, text));
        return name;
    }

    // The game's other data files as small as the checker's rules allow: four difficulty presets with a
    // time entry for game type 0 (the largest maximum of mistakes errorsMax), four help pages, the tileset
    // "base" with two colours.
    void WriteGameData(int errorsMax = 5) const {
        WriteSettings(errorsMax);
        Write("help.xml", "<help><page/><page/><page/><page/></help>");
        Write("tilesets/tilesets.xml", "<tilesets><tileset path=\"tilesets/base.xml\" name=\"base\"/></tilesets>");
        Write("tilesets/base.xml", "<tileset><tile/><tile mast=\"1\"/><tile mast=\"2\"/><tile type=\"-1\"/>"
                                   "<tile type=\"-2\"/></tileset>");
    }

    // The three number atlases as the checker reads them: only the PNG header, width x height.
    void WriteAtlases(int rowFrames, int columnFrames, int columnWidth, int strokeFrames) const {
        WritePngHeader("textures/tilesets/basenumberslines.png", 28, rowFrames * 20);
        WritePngHeader("textures/tilesets/basenumbers.png", columnWidth, columnFrames * 20);
        WritePngHeader("textures/tilesets/overnumbers.png", 40, strokeFrames * 20);
    }

    // The game screen's mistake marks and the settings' largest maximum of mistakes.
    void WriteMistakeMarks(int marks, int errorsMax) const {
        WriteMarks(marks);
        WriteSettings(errorsMax);
    }

    void WriteMarks(int marks) const {
        std::string objects;
        for (int n = 1; n <= marks; ++n) {
            objects += "<object name=\"mosaicerror" + std::to_string(n) + "\" type=\"image\"/>";
        }
        Write("ui/interface.xml", "<interface>" + objects + "</interface>");
    }

    void WritePngHeader(const std::string& name, int width, int height) const {
        std::string bytes("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
        for (int value : {width, height}) {
            for (int shift = 24; shift >= 0; shift -= 8) {
                bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
            }
        }
        bytes += std::string("\x08\x06\0\0\0", 5);
        Write(name, bytes);
    }

    void WriteSettings(int errorsMax) const {
        std::string presets;
        for (int preset = 0; preset < 4; ++preset) {
            presets += "<settings maxerrorscount=\"1\"><time time=\"6\" type=\"0\"/></settings>";
        }
        Write("settings.xml",
              "<gamesettings errorsmax=\"" + std::to_string(errorsMax) + "\">" + presets + "</gamesettings>");
    }

private:
    std::string mFolder;
};

// The runs of each colour in one line of values (0 empty, 1 .. colours).
inline std::vector<std::vector<int>> RunsByColour(const std::vector<int>& values, int colours) {
    std::vector<std::vector<int>> runs(static_cast<size_t>(colours));
    for (size_t k = 0; k < values.size(); ++k) {
        const int value = values[k];
        if (value == 0) {
            continue;
        }
        auto& own = runs[static_cast<size_t>(value - 1)];
        if (k == 0 || values[k - 1] != value) {
            own.push_back(0);
        }
        ++own.back();
    }
    return runs;
}

// Solutions of the clues (stopping at limit): every row that fits its row clues, combined row by row,
// kept when every column fits its column clues. Cells outside the shown area stay empty. Small grids only.
class SolutionCounter {
public:
    SolutionCounter(const TShownPuzzle& puzzle, int limit) : mPuzzle(puzzle), mLimit(limit) {}

    int Count() {
        mRows.clear();
        mCount = 0;
        AddRow(0);
        return mCount;
    }

private:
    std::vector<int> Clues(TAxis axis, int line, int colour) const {
        return mPuzzle.clues[static_cast<size_t>(colour - 1)][axis][static_cast<size_t>(line)];
    }
    bool Fits(const std::vector<int>& values, TAxis axis, int line) const {
        const auto runs = RunsByColour(values, mPuzzle.Colours());
        for (int colour = 1; colour <= mPuzzle.Colours(); ++colour) {
            if (runs[static_cast<size_t>(colour - 1)] != Clues(axis, line, colour)) {
                return false;
            }
        }
        return true;
    }
    std::vector<std::vector<int>> RowsFitting(int row) const {
        std::vector<std::vector<int>> fitting;
        std::vector<int> values(static_cast<size_t>(mPuzzle.cols), 0);
        for (;;) {
            if (Fits(values, kRows, row)) {
                fitting.push_back(values);
            }
            // The next row of values, counting in base colours + 1 over the shown cells.
            size_t k = 0;
            for (; k < values.size(); ++k) {
                if (!mPuzzle.shownArea.Contains(static_cast<int>(k), row)) {
                    continue;
                }
                if (++values[k] <= mPuzzle.Colours()) {
                    break;
                }
                values[k] = 0;
            }
            if (k == values.size()) {
                return fitting;
            }
        }
    }
    bool ColumnsFit() const {
        for (int column = 0; column < mPuzzle.cols; ++column) {
            std::vector<int> values;
            for (const std::vector<int>& row : mRows) {
                values.push_back(row[static_cast<size_t>(column)]);
            }
            if (!Fits(values, kColumns, column)) {
                return false;
            }
        }
        return true;
    }
    void AddRow(int row) {
        if (mCount >= mLimit) {
            return;
        }
        if (row == mPuzzle.rows) {
            mCount += ColumnsFit() ? 1 : 0;
            return;
        }
        for (const std::vector<int>& values : RowsFitting(row)) {
            mRows.push_back(values);
            AddRow(row + 1);
            mRows.pop_back();
        }
    }

    const TShownPuzzle& mPuzzle;
    int mLimit;
    int mCount = 0;
    std::vector<std::vector<int>> mRows;
};

} // namespace levelchecktest
