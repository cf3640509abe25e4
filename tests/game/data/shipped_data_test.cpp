// The game's own data under assets/: every file the start-up reads loads without a complaint, and
// what the readers give fits together (levels, their tiles, stars, frames, backgrounds, rewards).

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/missing_names.h"
#include "app/xml_reader.h"
#include "board/mosaic_layout.h"
#include "data/game_settings.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/stars.h"
#include "data/startup_data.h"
#include "data/tilesets.h"
#include "graphics/font_registry.h"
#include "graphics/font_test_support.h"
#include "harness/harness.h"
#include "windows/ui_info_holder.h"

namespace {

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
        // The data root is the executable's folder, where the build links assets/; the renderer lets
        // every image named by the data load.
        ASSERT_TRUE(mRenderer.IsReady());
        ASSERT_TRUE(SetWorkingFolderToExe());
        TAppConfig::Get()->CreateFolders();
        LoadGameData();
        LoadRewards("rewards.xml");
        LoadMapFrameImages();
    }
    void TearDown() override {
        // Textures go before the renderer.
        FreeGameData();
        ClearRewards();
    }

    fonttest::HeadlessRenderer mRenderer;
};

TEST_F(ShippedDataTest, EveryFileAndImageLoadsWithoutAComplaint) {
    for (const std::string& line : harness::LogLines()) {
        ADD_FAILURE() << line;
    }
    EXPECT_TRUE(GetMissingNames().empty());
    for (const auto& tileset : GetTilesets()) {
        EXPECT_TRUE(tileset->mPreview.mTexture) << tileset->mName;
    }
    ASSERT_TRUE(GetCurrentTileset()->mLoaded);
    for (const TTile& tile : GetCurrentTileset()->mTiles) {
        EXPECT_TRUE(tile.mImage.mTexture) << tile.mSprite;
    }
    for (const auto& reward : GetRewardList()) {
        for (const StaticImage* image : {&reward->mImage, &reward->mImageNotGet, &reward->mSmallImage}) {
            EXPECT_TRUE(image->mTexture) << image->mImageName;
        }
    }
    for (const TMapFrame& frame : GetStageCatalogue().mFrames) {
        EXPECT_TRUE(frame.mFrameImage.mTexture && frame.mBackImage.mTexture) << frame.mId;
    }
    EXPECT_FALSE(GetStageList(kMainLevelSet).mStages.empty());
    EXPECT_FALSE(GetTilesets().empty());
    EXPECT_FALSE(GetRewardList().empty());
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

// A level is lost at the maximum + 1th mistake, and the marks then show maximum + 1: there must be a mark
// for that many mistakes whatever preset, custom setting or level maximum is played.
TEST_F(ShippedDataTest, MistakeMarksReachOnePastEveryMaximum) {
    ASSERT_TRUE(TUIInfoHolder::GetGlobal()->LoadFromFile("ui/interface.xml"));
    int marks = 0;
    while (TUIInfoHolder::GetGlobal()->FindObject("mosaicerror" + std::to_string(marks + 1)) != nullptr) {
        ++marks;
    }
    const TMosaicGameSettings& settings = TMosaicGameSettings::Get();
    int largest = settings.mErrorsMax;
    for (int i = 0; i < settings.GetPresetCount(); ++i) {
        largest = std::max(largest, settings.GetPreset(i).mMaxErrors);
    }
    for (const TLevelInfoMosaic* level : AllLevels()) {
        largest = std::max(largest, level->mMaxErrors);
    }
    EXPECT_GE(marks, largest + 1);
    EXPECT_GE(largest, 5) << "casual allows five mistakes";
}

// Every dialog puts its answers in one order: the one that goes on (OK, yes, confirm) on the right of the
// one that goes back (cancel, no, the options' close).
TEST_F(ShippedDataTest, DialogsPutTheirAnswersInOneOrder) {
    int pairs = 0;
    for (const auto& entry : std::filesystem::directory_iterator("assets/ui")) {
        if (entry.path().extension() != ".xml") {
            continue;
        }
        const std::string name = "ui/" + entry.path().filename().string();
        TiXmlDocument* document = nullptr;
        const TiXmlElement* root = LoadXmlDocument(name, document);
        std::unique_ptr<TiXmlDocument> owner(document);
        ASSERT_NE(root, nullptr) << name;
        int confirmX = -1;
        int cancelX = -1;
        for (const TiXmlElement* object = root->FirstChildElement("object"); object != nullptr;
             object = object->NextSiblingElement("object")) {
            const std::string control = ReadXmlString(object, "name", "");
            const int x = ReadXmlInt(object, "x", 0);
            if (control == "ok" || control == "yes" || control == "confirm") {
                confirmX = x;
            } else if (control == "cancel" || control == "no" || (name == "ui/options.xml" && control == "menu")) {
                cancelX = x;
            }
        }
        if (confirmX >= 0 && cancelX >= 0) {
            ++pairs;
            EXPECT_GT(confirmX, cancelX) << name;
        }
    }
    EXPECT_GE(pairs, 5);
}

// The help book's board pictures show clues as the board does: the chosen colour's numbers in the
// board's dark ink on the light clue backs, never numbers in the colours of the cells.
TEST_F(ShippedDataTest, HelpPicturesShowTheCluesOfOneColourInInk) {
    for (const char* name : {"assets/ui/dialogs/help_clues.png", "assets/ui/dialogs/help_done.png"}) {
        SCOPED_TRACE(name);
        SDL_Surface* loaded = IMG_Load(name);
        ASSERT_NE(loaded, nullptr) << IMG_GetError();
        SDL_Surface* picture = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
        SDL_FreeSurface(loaded);
        ASSERT_NE(picture, nullptr);
        int ink = 0;
        int coloured = 0;
        // The clue area: the 96 pixels left of the grid and above it.
        for (int y = 0; y < picture->h; ++y) {
            for (int x = 0; x < picture->w; ++x) {
                if (x >= 92 && y >= 92) {
                    continue;
                }
                const uint8_t* p = static_cast<const uint8_t*>(picture->pixels) + y * picture->pitch + x * 4;
                if (p[3] < 200) {
                    continue;
                }
                ink += p[0] < 90 && p[1] < 80 && p[2] < 70 ? 1 : 0;
                // A saturated pixel: a number drawn in a cell colour.
                coloured += std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}) > 90 ? 1 : 0;
            }
        }
        SDL_FreeSurface(picture);
        EXPECT_GT(ink, 50);
        EXPECT_EQ(coloured, 0);
    }
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
            EXPECT_TRUE(ImageExists(frame->mFrameImage.mImageName)) << frame->mFrameImage.mImageName;
            EXPECT_TRUE(ImageExists(frame->mBackImage.mImageName)) << frame->mBackImage.mImageName;
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

TEST_F(ShippedDataTest, EveryRewardHidesInExactlyOneLevel) {
    for (const auto& reward : GetRewardList()) {
        const std::vector<const TLevelInfoMosaic*> levels = AllLevels();
        const auto count = std::count_if(levels.begin(), levels.end(),
                                         [&](const TLevelInfoMosaic* level) { return level->mReward == reward->mId; });
        EXPECT_EQ(count, 1) << reward->mId;
    }
}

TEST_F(ShippedDataTest, TilesetHasEveryValueButtonAndIndicatorTile) {
    for (const auto& tileset : GetTilesets()) {
        EXPECT_TRUE(ImageExists(tileset->mPreview.mImageName)) << tileset->mPreview.mImageName;
        ASSERT_GE(tileset->mTiles.size(), 10u);
        // Each colour number shows one of the nine base colours, each base colour once; its cell, button
        // and indicator are drawn in the colour its over-colour names.
        std::set<int> overColours;
        for (int colour = 1; colour <= 9; ++colour) {
            SCOPED_TRACE(tileset->mName + " colour " + std::to_string(colour));
            const TTile* value = tileset->GetTileForValue(colour);
            EXPECT_EQ(value->mMast, colour);
            overColours.insert(value->mOverColor);
            const std::string base = std::to_string(value->mOverColor + 1);
            EXPECT_TRUE(value->mSprite.ends_with("/color" + base)) << value->mSprite;
            for (const auto& [group, kind] :
                 {std::pair{kButtonTileGroup, "/button"}, std::pair{kIndicatorTileGroup, "/indicator"}}) {
                const TTile* tile = tileset->GetTileByGroup(colour, group);
                EXPECT_EQ(tile->mGroup, group);
                EXPECT_TRUE(tile->mSprite.ends_with(kind + base)) << tile->mSprite;
            }
        }
        EXPECT_EQ(overColours, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8})) << tileset->mName;
        EXPECT_EQ(tileset->GetTileForValue(-1)->mType, -1);
        EXPECT_EQ(tileset->GetTileForValue(-2)->mType, -2);
        for (const TTile& tile : tileset->mTiles) {
            EXPECT_TRUE(ImageExists(tile.mSprite)) << tile.mSprite;
        }
    }
    for (const auto& reward : GetRewardList()) {
        for (const StaticImage* image : {&reward->mImage, &reward->mImageNotGet, &reward->mSmallImage}) {
            EXPECT_TRUE(ImageExists(image->mImageName)) << image->mImageName;
        }
    }
}

// The largest grid that fits the screen with its clues at the default origin.
constexpr int kLargestRows = 15;
constexpr int kLargestCols = 20;

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

TEST_F(ShippedDataTest, EveryLevelFileIsAGridOfColoursWithoutGaps) {
    for (const TLevelInfoMosaic* level : AllLevels()) {
        SCOPED_TRACE(level->mFileName);
        EXPECT_TRUE(IsGameTypePlayable(level->mGameType));
        const TTileset* tileset = FindTileset(level->mTileset);
        ASSERT_NE(tileset, nullptr) << level->mTileset;
        const LayoutShape shape = ReadLayout(level->mFileName);
        ASSERT_TRUE(shape.read);
        EXPECT_GE(shape.rows, 5);
        EXPECT_LE(shape.rows, kLargestRows);
        EXPECT_GE(shape.cols, 5);
        EXPECT_LE(shape.cols, kLargestCols);
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
        // Colours 1 to N without a gap (a picture of one colour is a picture too), each with its tile; the
        // picture reaches every edge, so the shown area is the whole grid.
        ASSERT_GE(colours.size(), 1u);
        EXPECT_EQ(*colours.rbegin(), static_cast<int>(colours.size()));
        EXPECT_LT(*colours.rbegin(), static_cast<int>(tileset->mTiles.size()));
        EXPECT_EQ(top, 0);
        EXPECT_EQ(left, 0);
        EXPECT_EQ(bottom, shape.rows - 1);
        EXPECT_EQ(right, shape.cols - 1);
    }
}

TEST_F(ShippedDataTest, EveryLevelLoadsIntoTheBoardAndDrawsWithItsImagesAndFont) {
    const TiXmlElement* fonts = LoadXmlRoot("fonts.xml");
    ASSERT_NE(fonts, nullptr);
    TFontRegistry::GetInstance()->LoadXml(fonts);
    ReleaseXmlRoot();
    for (const TLevelInfoMosaic* level : AllLevels()) {
        MosaicLayout_t board;
        ASSERT_TRUE(board.Load(level->mFileName, false)) << level->mFileName;
        // A stroke held over two cells of the first row shows its numbers, the hover mark and highlight.
        const TMosaicCell& first = board.GetBoard().GetCell(0, 0);
        const TMosaicCell& second = board.GetBoard().GetCell(0, 1);
        board.OnMouseDown(first.x + 1, first.y + 1, TMosaicBoard::kLeftButton);
        board.OnMouseDrag(second.x + 1, second.y + 1, TMosaicBoard::kLeftButton);
        board.DrawCells();
        board.DrawClues();
        EXPECT_EQ(board.GetBoard().GetCell(0, 1).dragNumber, 2) << level->mFileName;
    }
    TFontRegistry::Destroy();
    for (const std::string& line : harness::LogLines()) {
        ADD_FAILURE() << line;
    }
    EXPECT_TRUE(GetMissingNames().empty());
}

int ColourCount(const LayoutShape& shape) {
    std::set<char> colours;
    for (const std::string& line : shape.lines) {
        colours.insert(line.begin(), line.end());
    }
    colours.erase('0');
    return static_cast<int>(colours.size());
}

// The stages rise by how hard their pictures are to read off, which the level checker measures and proves
// (its shipped-levels test); sizes mix. Here: the pack's shape, the gentle start and the largest grid.
TEST_F(ShippedDataTest, MainSetHasSixStagesOfSixFromATwoColourStartToTheLargestGrid) {
    const TStageList& main = GetStageList(kMainLevelSet);
    ASSERT_GE(main.mStages.size(), 6u);
    bool largestFound = false;
    for (const auto& stage : main.mStages) {
        EXPECT_EQ(stage->mLevels.size(), 6u);
        for (const auto& level : stage->mLevels) {
            const LayoutShape shape = ReadLayout(level->mFileName);
            largestFound = largestFound || (shape.rows == kLargestRows && shape.cols == kLargestCols);
        }
    }
    EXPECT_TRUE(largestFound) << "no picture of the largest grid in the main set";
    const LayoutShape first = ReadLayout(main.mStages.front()->mLevels.front()->mFileName);
    EXPECT_EQ(first.rows * first.cols, 25);
    EXPECT_EQ(ColourCount(first), 2);
}

} // namespace
