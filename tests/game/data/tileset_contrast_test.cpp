// Every shipped tileset's cell tiles tell apart at a glance: each colour from the empty cell and from every
// other colour of the same tileset, measured as the CIE 1976 colour difference of the tiles' mean colours;
// and so do the colours of every level's finished picture (results window, map plates) from its unpainted
// cells.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "data/level_layout_file.h"
#include "data/tilesets.h"
#include "game/colour_difference.h"

namespace {

using colourtest::DeltaE;
using colourtest::kLeastDifference;
using colourtest::MeanColour;
using colourtest::TLab;
using colourtest::ToLab;

TEST(TilesetContrastTest, TheMeasureSeparatesWhatTheEyeSeparates) {
    struct Case {
        const char* what;
        int first[3];
        int second[3];
        double least;
        double most;
    };
    const Case cases[] = {
        {"black and white", {0, 0, 0}, {255, 255, 255}, 99.9, 100.1},
        {"one colour", {204, 51, 51}, {204, 51, 51}, 0.0, 0.001},
        // The pair the limit exists for: white paint on a cream cell.
        {"white on cream", {240, 240, 236}, {236, 226, 200}, 0.0, kLeastDifference - 5},
        {"red and green of the board", {204, 51, 51}, {76, 160, 64}, kLeastDifference + 20, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const double difference =
            DeltaE(ToLab(c.first[0], c.first[1], c.first[2]), ToLab(c.second[0], c.second[1], c.second[2]));
        EXPECT_GE(difference, c.least);
        EXPECT_LE(difference, c.most);
    }
}

TEST(TilesetContrastTest, EveryColourTileStandsOutFromTheEmptyCellAndFromEveryOtherColour) {
    ASSERT_TRUE(SetWorkingFolderToExe());
    ClearTilesets();
    LoadTilesets("tilesets/tilesets.xml");
    ASSERT_FALSE(GetTilesets().empty());
    for (const auto& tileset : GetTilesets()) {
        SCOPED_TRACE(tileset->mName);
        const TTile* empty = tileset->GetTileForValue(0);
        ASSERT_NE(empty, nullptr);
        struct TNamed {
            std::string name;
            TLab colour;
        };
        std::vector<TNamed> cells;
        TLab colour;
        ASSERT_TRUE(MeanColour("assets/" + empty->mSprite + ".png", colour)) << empty->mSprite;
        cells.push_back({"the empty cell", colour});
        for (int mast = 1; mast <= 9; ++mast) {
            const TTile* tile = tileset->GetTileForValue(mast);
            if (tile == nullptr || tile == empty || tile->mMast != mast) {
                continue;
            }
            ASSERT_TRUE(MeanColour("assets/" + tile->mSprite + ".png", colour)) << tile->mSprite;
            cells.push_back({"colour " + std::to_string(mast), colour});
        }
        EXPECT_GE(cells.size(), 3u) << "an empty cell and at least two colours";
        for (size_t i = 0; i < cells.size(); ++i) {
            for (size_t j = i + 1; j < cells.size(); ++j) {
                EXPECT_GE(DeltaE(cells[i].colour, cells[j].colour), kLeastDifference)
                    << cells[i].name << " against " << cells[j].name;
            }
        }
    }
    ClearTilesets();
}

// A picture of a level: one square of cell pixels per grid cell from its top-left corner (a one-pixel
// outline may follow).
class TGridPicture {
public:
    explicit TGridPicture(const std::string& file) {
        if (SDL_Surface* loaded = IMG_Load(file.c_str())) {
            mImage = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
            SDL_FreeSurface(loaded);
        }
    }
    ~TGridPicture() { SDL_FreeSurface(mImage); }
    TGridPicture(const TGridPicture&) = delete;
    TGridPicture& operator=(const TGridPicture&) = delete;

    bool IsLoaded() const { return mImage != nullptr; }
    // The colour in the middle of a cell of a grid that many columns wide.
    TLab CellColour(int row, int column, int cols) const {
        const int cell = mImage->w / cols;
        const int x = column * cell + cell / 2;
        const int y = row * cell + cell / 2;
        const uint8_t* p = static_cast<const uint8_t*>(mImage->pixels) + y * mImage->pitch + x * 4;
        return ToLab(p[0], p[1], p[2]);
    }

private:
    SDL_Surface* mImage = nullptr;
};

TEST(TilesetContrastTest, EveryLevelPictureShowsEachColourApartFromItsUnpaintedCells) {
    ASSERT_TRUE(SetWorkingFolderToExe());
    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator("assets/levels")) {
        if (entry.path().extension() != ".xml") {
            continue;
        }
        const std::string base = entry.path().stem().string();
        TLevelLayoutData level;
        ASSERT_TRUE(ReadLevelLayoutFile("levels/" + base + ".xml", level)) << base;
        // The first cell of each digit, '0' the unpainted one.
        std::map<char, std::pair<int, int>> firstCells;
        for (int row = 0; row < static_cast<int>(level.lines.size()); ++row) {
            const std::string& line = level.lines[static_cast<size_t>(row)];
            for (int column = 0; column < static_cast<int>(line.size()); ++column) {
                firstCells.emplace(line[static_cast<size_t>(column)], std::make_pair(row, column));
            }
        }
        const auto empty = firstCells.find('0');
        if (empty == firstCells.end()) {
            continue;
        }
        for (const char* folder : {"assets/textures/biglayouts/", "assets/textures/layouts/"}) {
            const TGridPicture picture(folder + base + ".png");
            ASSERT_TRUE(picture.IsLoaded()) << folder << base;
            ++pictures;
            const TLab unpainted = picture.CellColour(empty->second.first, empty->second.second, level.cols);
            for (const auto& [digit, cell] : firstCells) {
                if (digit != '0') {
                    EXPECT_GE(DeltaE(unpainted, picture.CellColour(cell.first, cell.second, level.cols)),
                              kLeastDifference)
                        << folder << base << ": colour " << digit << " at row " << cell.first << ", column "
                        << cell.second;
                }
            }
        }
    }
    EXPECT_GT(pictures, 0);
}

} // namespace
