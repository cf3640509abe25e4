// The game's own data under assets/: every file the start-up reads loads without a complaint, and
// what the readers give fits together (levels, their tiles, stars, frames, backgrounds, rewards).

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/missing_names.h"
#include "app/xml_reader.h"
#include "game_settings.h"
#include "harness/harness.h"
#include "rewards.h"
#include "stages.h"
#include "stars.h"
#include "startup_data.h"
#include "tilesets.h"

namespace {

// The lines of the seams to subsystems that are not connected yet; any other line is a complaint.
const char* const kSeamLines[] = {
    "not loaded, textures not built yet",
    "reward images not loaded, images not built yet",
};

bool IsSeamLine(const std::string& line) {
    return std::any_of(std::begin(kSeamLines), std::end(kSeamLines),
                       [&](const char* seam) { return line.find(seam) != std::string::npos; });
}

// Images are found as the name with ".png" (every shipped image is one).
bool ImageExists(const std::string& name) {
    return !name.empty() && FileExists(name + ".png");
}

std::vector<const TLevelInfoMosaic*> AllLevels() {
    std::vector<const TLevelInfoMosaic*> levels;
    for (int set : {kMainLevelSet, kSecondLevelSet}) {
        for (const auto& stage : GetStageList(set).mStages) {
            for (const auto& level : stage->mLevels) {
                levels.push_back(level.get());
            }
        }
    }
    return levels;
}

class ShippedDataTest : public testing::Test {
protected:
    void SetUp() override {
        // The data root is the executable's folder, where the build links assets/.
        ASSERT_TRUE(SetWorkingFolderToExe());
        TAppConfig::Get()->CreateFolders();
        LoadGameData();
        LoadRewards("rewards.xml");
    }
    void TearDown() override {
        FreeGameData();
        ClearRewards();
    }
};

TEST_F(ShippedDataTest, EveryFileLoadsWithoutAComplaint) {
    for (const std::string& line : harness::LogLines()) {
        EXPECT_TRUE(IsSeamLine(line)) << line;
    }
    EXPECT_TRUE(GetMissingNames().empty());
    EXPECT_FALSE(GetStageList(kMainLevelSet).mStages.empty());
    EXPECT_FALSE(GetTilesets().empty());
    EXPECT_EQ(GetRewardList().size(), 1u);
}

TEST_F(ShippedDataTest, SettingsHaveFourPresetsWithTimesAndBaseColours) {
    const TMosaicGameSettings& settings = TMosaicGameSettings::Get();
    ASSERT_EQ(settings.GetPresetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const TBaseMosaicSettings& preset = settings.GetPreset(i);
        EXPECT_FALSE(preset.mTimeEntries.empty()) << i;
        EXPECT_GT(preset.GetTimeFactor(0), 0.0f) << i;
        EXPECT_GE(preset.mMaxErrors, settings.mErrorsMin) << i;
        EXPECT_LE(preset.mMaxErrors, settings.mErrorsMax) << i;
        EXPECT_GE(preset.mHintRecharge, settings.mHintMin) << i;
        EXPECT_LE(preset.mHintRecharge, settings.mHintMax) << i;
    }
    EXPECT_LT(settings.mHintMin, settings.mHintMax);
    EXPECT_LT(settings.mErrorsMin, settings.mErrorsMax);
    EXPECT_GE(TMosaicColorTable::Get().mBaseColors.size(), 9u);
}

TEST_F(ShippedDataTest, BothSetsHaveTheSameShapeWhereTheyMeet) {
    const TStageList& main = GetStageList(kMainLevelSet);
    const TStageList& second = GetStageList(kSecondLevelSet);
    ASSERT_EQ(second.mStages.size(), 1u);
    ASSERT_LE(second.mStages.size(), main.mStages.size());
    for (size_t i = 0; i < second.mStages.size(); ++i) {
        EXPECT_EQ(second.mStages[i]->mLevels.size(), main.mStages[i]->mLevels.size()) << i;
    }
    for (const TStageList* list : {&main, &second}) {
        for (const auto& stage : list->mStages) {
            EXPECT_FALSE(stage->mLevels.empty());
            const TMapFrame* frame = FindMapFrame(stage->mFrame);
            ASSERT_NE(frame, nullptr) << stage->mFrame;
            EXPECT_TRUE(ImageExists(frame->mFrameImage)) << frame->mFrameImage;
            EXPECT_TRUE(ImageExists(frame->mBackImage)) << frame->mBackImage;
        }
    }
    ASSERT_FALSE(GetStageCatalogue().mBackgrounds.empty());
    for (const TStageBackground& background : GetStageCatalogue().mBackgrounds) {
        EXPECT_TRUE(ImageExists(background.mBack)) << background.mBack;
    }
}

TEST_F(ShippedDataTest, EveryLevelHasThreeKnownStarsPerDifficultyAndATileset) {
    std::set<std::string> names;
    for (const TLevelInfoMosaic* level : AllLevels()) {
        EXPECT_TRUE(names.insert(level->mBaseName).second) << "two levels named " << level->mBaseName;
        for (int difficulty = 0; difficulty < TLevelInfoMosaic::kDifficultyGroups; ++difficulty) {
            const std::vector<const TMosaicStar*> rules = FindMosaicStars(level->GetStarKeys(difficulty));
            EXPECT_EQ(rules.size(), 3u) << level->mFileName << " difficulty " << difficulty;
            EXPECT_EQ(std::count(rules.begin(), rules.end(), nullptr), 0) << level->mFileName;
        }
        const TTilesetDefaults* defaults = FindTilesetDefaults(level->mGameType);
        const std::string tileset =
            !level->mTileset.empty() ? level->mTileset : (defaults != nullptr ? defaults->mTilesets.at(0) : "");
        EXPECT_NE(FindTileset(tileset), nullptr) << level->mFileName;
        EXPECT_TRUE(level->mReward.empty() || FindReward(level->mReward) != nullptr) << level->mFileName;
    }
    EXPECT_FALSE(GetStageCatalogue().mRewards.empty());
}

TEST_F(ShippedDataTest, TilesetHasEveryValueButtonAndIndicatorTile) {
    for (const auto& tileset : GetTilesets()) {
        EXPECT_TRUE(ImageExists(tileset->mPreview)) << tileset->mPreview;
        ASSERT_GE(tileset->mTiles.size(), 10u);
        for (int colour = 1; colour <= 9; ++colour) {
            EXPECT_EQ(tileset->GetTileForValue(colour)->mMast, colour);
            EXPECT_EQ(tileset->GetTileForValue(colour)->mOverColor, colour - 1);
            for (int group : {kButtonTileGroup, kIndicatorTileGroup}) {
                const TTile* tile = tileset->GetTileByGroup(colour, group);
                EXPECT_EQ(tile->mGroup, group) << tileset->mName << " colour " << colour;
            }
        }
        EXPECT_EQ(tileset->GetTileForValue(-1)->mType, -1);
        EXPECT_EQ(tileset->GetTileForValue(-2)->mType, -2);
        for (const TTile& tile : tileset->mTiles) {
            EXPECT_TRUE(ImageExists(tile.mSprite)) << tile.mSprite;
        }
    }
    for (const auto& reward : GetRewardList()) {
        for (const std::string* image : {&reward->mImage, &reward->mImageNotGet, &reward->mSmallImage}) {
            EXPECT_TRUE(ImageExists(*image)) << *image;
        }
    }
}

// What a layout file holds, checked without the board.
struct LayoutShape {
    bool read = false;
    int rows = 0;
    int cols = 0;
    std::vector<std::string> lines;
};

LayoutShape ReadLayout(const std::string& file) {
    LayoutShape shape;
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = LoadXmlDocument(file, document);
    if (root == nullptr) {
        return shape;
    }
    const TiXmlElement* info = root->FirstChildElement("info");
    shape.read = info != nullptr;
    shape.rows = ReadXmlInt(info, "rows", 0);
    shape.cols = ReadXmlInt(info, "cols", 0);
    std::vector<TiXmlElement*> lines;
    CollectXmlChildren(root, "line", lines);
    for (const TiXmlElement* line : lines) {
        shape.lines.push_back(ReadXmlString(line, "line", ""));
    }
    delete document;
    return shape;
}

TEST_F(ShippedDataTest, EveryLevelFileIsASmallGridOfColoursWithoutGaps) {
    const int colourTiles = static_cast<int>(GetTilesets().at(0)->mTiles.size());
    for (const TLevelInfoMosaic* level : AllLevels()) {
        SCOPED_TRACE(level->mFileName);
        EXPECT_TRUE(IsGameTypePlayable(level->mGameType));
        const LayoutShape shape = ReadLayout(level->mFileName);
        ASSERT_TRUE(shape.read);
        EXPECT_GE(shape.rows, 5);
        EXPECT_LE(shape.rows, 10);
        EXPECT_GE(shape.cols, 5);
        EXPECT_LE(shape.cols, 10);
        ASSERT_EQ(static_cast<int>(shape.lines.size()), shape.rows);
        std::set<int> colours;
        int top = shape.rows, bottom = -1, left = shape.cols, right = -1;
        for (int row = 0; row < shape.rows; ++row) {
            const std::string& line = shape.lines[static_cast<size_t>(row)];
            ASSERT_EQ(static_cast<int>(line.size()), shape.cols) << "row " << row;
            for (int col = 0; col < shape.cols; ++col) {
                const char cell = line[static_cast<size_t>(col)];
                ASSERT_TRUE(cell >= '0' && cell <= '9') << "row " << row;
                if (cell != '0') {
                    colours.insert(cell - '0');
                    top = std::min(top, row);
                    bottom = std::max(bottom, row);
                    left = std::min(left, col);
                    right = std::max(right, col);
                }
            }
        }
        // Colours 1 to N without a gap, each with its tile; a coloured area at least 2 x 2.
        ASSERT_GE(colours.size(), 2u);
        EXPECT_LE(colours.size(), 3u);
        EXPECT_EQ(*colours.rbegin(), static_cast<int>(colours.size()));
        EXPECT_LT(*colours.rbegin(), colourTiles);
        EXPECT_GE(bottom - top, 1);
        EXPECT_GE(right - left, 1);
    }
}

} // namespace
