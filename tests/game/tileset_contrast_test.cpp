// Every shipped tileset's cell tiles tell apart at a glance: each colour from the empty cell and from every
// other colour of the same tileset, measured as the CIE 1976 colour difference of the tiles' mean colours.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_config.h"
#include "colour_difference.h"
#include "tilesets.h"

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

} // namespace
