#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "app/level_sets.h"
#include "app/mode_progress.h"
#include "data/stages.h"
#include "data/stars.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"
#include "media/sound_manager.h"

namespace {

using Groups = std::vector<std::vector<std::string>>;

class StagesTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        CreateMosaicStars();
    }
    void TearDown() override { FreeStages(); }

    // A stages.xml whose main set holds stages of the given level counts, plus the extra children of
    // "stages".
    void WriteSets(const std::vector<int>& levelCounts, const std::string& extras = "") {
        std::string text = "<root><stages folder=\"lv/\">" + extras;
        int number = 1;
        for (int count : levelCounts) {
            text += "<stage>";
            for (int i = 0; i < count; ++i, ++number) {
                text += "<level filename=\"l" + std::to_string(number) + ".xml\"/>";
            }
            text += "</stage>";
        }
        WriteData("stages.xml", text + "</stages></root>");
    }

    static const TLevelInfoMosaic& Level(int levelSet, int stage, int level) {
        return *GetStageList(levelSet).mStages.at(static_cast<size_t>(stage))->mLevels.at(static_cast<size_t>(level));
    }
};

TEST_F(StagesTest, LevelAttributesAndTheirDefaults) {
    WriteData("stages.xml", R"(<root><stages folder="levels/">
  <stage mapimage="map1" slideshow="show" templeinfo="temple" frame="f1">
    <level type="mahjong" filename="  a/heart.xml" backidx="2" reward="cup" laytype="3" name="Heart" time="35.5"
           tileset="basic" maxerrors="4" sound="win" frame="f2" startx="300" starty="100+20" previewtype="2"
           hiddencells="1" stars="complete,0hint;complete"/>
    <level/>
  </stage>
</stages></root>)");
    LoadStages();
    const TStageInfo& stage = *GetStageList(kMainLevelSet).mStages.at(0);
    EXPECT_EQ(std::vector<std::string>(
                  {stage.mMapImage, stage.mSlideShow, stage.mTempleInfo, stage.mSoundList, stage.mFrame}),
              std::vector<std::string>({"map1", "show", "temple", "", "f1"}));
    ASSERT_EQ(stage.mLevels.size(), 2u);

    const TLevelInfoMosaic& full = *stage.mLevels[0];
    EXPECT_EQ(full.mKind, kLevelKindPuzzle);
    EXPECT_EQ(full.mFileName, "levels/a/heart.xml");
    EXPECT_EQ(full.mBaseName, "heart");
    EXPECT_EQ(std::vector<std::string>({full.mReward, full.mName, full.mTileset, full.mSound, full.mFrame}),
              std::vector<std::string>({"cup", "Heart", "basic", "win", "f2"}));
    EXPECT_EQ(std::vector<int>({full.mBackIndex, full.mGameType, full.mMaxErrors, full.mStartX, full.mStartY,
                                full.mPreviewType, full.mHiddenCells}),
              std::vector<int>({2, 3, 4, 300, 120, 2, 1}));
    EXPECT_FLOAT_EQ(full.mTime, 35.5f);
    EXPECT_EQ(full.mStarKeys,
              (Groups{{"complete", "0hint"}, {"complete"}, {"complete", "0hint"}, {"complete", "0hint"}}));

    const TLevelInfoMosaic& bare = *stage.mLevels[1];
    EXPECT_EQ(bare.mFileName, "levels/");
    EXPECT_EQ(std::vector<std::string>({bare.mReward, bare.mName, bare.mTileset, bare.mSound, bare.mFrame}),
              std::vector<std::string>(5, ""));
    EXPECT_EQ(std::vector<int>({bare.mBackIndex, bare.mGameType, bare.mMaxErrors, bare.mStartX, bare.mStartY,
                                bare.mPreviewType, bare.mHiddenCells}),
              std::vector<int>({-1, 0, 0, 0, 0, 1, 0}));
    EXPECT_FLOAT_EQ(bare.mTime, 20.0f);
    EXPECT_EQ(bare.mStarKeys, Groups(4));
}

TEST(StarKeysTest, GroupsArePaddedWithTheFirst) {
    struct Case {
        const char* text;
        Groups groups;
    };
    const Case cases[] = {
        {"", Groups(4)},
        {"complete", {{"complete"}, {"complete"}, {"complete"}, {"complete"}}},
        {" a , b ;; c", {{"a", "b"}, {"c"}, {"a", "b"}, {"a", "b"}}},
        {"a;b;,;c", {{"a"}, {"b"}, {"a"}, {"c"}}},
        {"a;b;c;d;e", {{"a"}, {"b"}, {"c"}, {"d"}, {"e"}}},
        {";x", {{"x"}, {"x"}, {"x"}, {"x"}}},
        {"bogus,0hint;1hint", {{"bogus", "0hint"}, {"1hint"}, {"bogus", "0hint"}, {"bogus", "0hint"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadStarKeys(c.text), c.groups) << c.text;
    }
}

TEST_F(StagesTest, StarKeysOfADifficultyWithoutAGroupAreTheFirst) {
    WriteData("stages.xml", R"(<r><stages><stage><level stars="a;b;c;d"/></stage></stages></r>)");
    LoadStages();
    const TLevelInfoMosaic& level = Level(kMainLevelSet, 0, 0);
    struct Case {
        int difficulty;
        const char* key;
    };
    for (const Case& c : {Case{0, "a"}, Case{3, "d"}, Case{4, "a"}, Case{-1, "a"}}) {
        EXPECT_EQ(level.GetStarKeys(c.difficulty), std::vector<std::string>({c.key})) << c.difficulty;
    }
}

TEST_F(StagesTest, UnknownStarKeyIsLoggedOnceAndKeepsItsPlace) {
    WriteData("stages.xml", R"(<r><stages><stage>
  <level filename="a.xml" stars="complete,bogus;bogus,0hint"/>
  <level filename="b.xml" stars="complete,1hint"/>
</stage></stages></r>)");
    LoadStages();
    EXPECT_EQ(CountLogLines("level a.xml has unknown star key bogus"), 1);
    EXPECT_EQ(CountLogLines("unknown star key"), 1);
    const std::vector<const TMosaicStar*> rules = FindMosaicStars(Level(kMainLevelSet, 0, 0).GetStarKeys(2));
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0], FindMosaicStar("complete"));
    EXPECT_EQ(rules[1], nullptr);
    EXPECT_EQ(CountStarsMet(rules, TLevelStatistics{}), 1);
}

TEST_F(StagesTest, OnlyPlayableLevelsAreKeptAndCounted) {
    WriteData("stages.xml", R"(<r>
<stages folder="lv/">
  <stage><level filename="p1.xml"/><level type="xo" filename="x.xml"/><level type="m3" filename="m.xml"/>
         <level type="mahjong" filename="p2.xml"/></stage>
  <stage><level type="click" filename="c.xml"/><level type="Mahjong" filename="u.xml"/>
         <level laytype="9" filename="pic.xml"/><level filename="p3.xml" laytype="2"/></stage>
  <reward i="3" reward="gem"/>
</stages>
<stagesusual><stage><level type="zz" filename="z.xml"/></stage></stagesusual>
</r>)");
    LoadStages();
    const TStageList& main = GetStageList(kMainLevelSet);
    ASSERT_EQ(main.mStages.size(), 2u);
    ASSERT_EQ(main.mStages[0]->mLevels.size(), 2u);
    ASSERT_EQ(main.mStages[1]->mLevels.size(), 2u);
    EXPECT_EQ(Level(kMainLevelSet, 0, 1).mFileName, "lv/p2.xml");
    // A picture level is kept like any other: the third running index is the third level kept.
    EXPECT_EQ(Level(kMainLevelSet, 1, 0).mFileName, "lv/pic.xml");
    EXPECT_EQ(Level(kMainLevelSet, 1, 0).mGameType, kPictureGameType);
    EXPECT_EQ(Level(kMainLevelSet, 1, 0).mReward, "gem");
    EXPECT_EQ(Level(kMainLevelSet, 1, 1).mFileName, "lv/p3.xml");
    EXPECT_EQ(GetStageList(kSecondLevelSet).mStages.at(0)->mLevels.size(), 0u);

    for (const char* line :
         {"level x.xml skipped, type xo cannot be played", "level m.xml skipped, type m3 cannot be played",
          "level c.xml skipped, type click cannot be played", "level u.xml skipped, type Mahjong cannot be played",
          "level z.xml skipped, type zz cannot be played"}) {
        EXPECT_EQ(CountLogLines(line), 1) << line;
    }
    EXPECT_EQ(CountLogLines("level pic.xml skipped"), 0);

    // The profile sizes its level records from the kept levels.
    EXPECT_EQ(GetLevelSetTotal(0), 4);
    EXPECT_EQ(GetLevelSetStageLevels(0, 1), 2);
    EXPECT_EQ(GetLevelSetStageCount(1), 1);
    EXPECT_EQ(GetLevelSetTotal(1), 0);
    TModeProgress progress;
    progress.Reset(0);
    EXPECT_EQ(progress.mLevels.size(), 4u);
    FreeStages();
    EXPECT_EQ(GetLevelSetTotal(0), 0);
}

TEST_F(StagesTest, RunningIndexHelpers) {
    WriteSets({5, 7});
    LoadStages();
    const TStageList& list = GetStageList(kMainLevelSet);
    struct GlobalCase {
        int stage;
        int level;
        int index;
    };
    for (const GlobalCase& c : {GlobalCase{0, 0, 0}, GlobalCase{0, 4, 4}, GlobalCase{1, 2, 7}, GlobalCase{1, 6, 11},
                                GlobalCase{2, 0, 12}, GlobalCase{9, 3, 12}}) {
        EXPECT_EQ(GetGlobalLevelIndex(c.stage, c.level, list), c.index) << c.stage << "," << c.level;
    }
    struct IndexCase {
        int index;
        bool found;
        int stage;
        int level;
        const char* file;
    };
    for (const IndexCase& c : {IndexCase{0, true, 0, 0, "lv/l1.xml"}, IndexCase{4, true, 0, 4, "lv/l5.xml"},
                               IndexCase{5, true, 1, 0, "lv/l6.xml"}, IndexCase{7, true, 1, 2, "lv/l8.xml"},
                               IndexCase{11, true, 1, 6, "lv/l12.xml"}, IndexCase{12, false, 0, 0, nullptr},
                               IndexCase{-1, false, 0, 0, nullptr}}) {
        int stage = -5;
        int level = -5;
        EXPECT_EQ(GetStageLevelOfIndex(c.index, list, stage, level), c.found) << c.index;
        EXPECT_EQ(std::make_pair(stage, level), std::make_pair(c.stage, c.level)) << c.index;
        const TLevelInfoMosaic* record = GetLevelByIndex(c.index, list);
        if (c.file == nullptr) {
            EXPECT_EQ(record, nullptr) << c.index;
        } else {
            ASSERT_NE(record, nullptr) << c.index;
            EXPECT_EQ(record->mFileName, c.file);
        }
    }
}

TEST_F(StagesTest, RewardAssignmentsKeepOwnRewardsAndDropMissingLevels) {
    WriteData("stages.xml", R"(<r><stages>
  <stage><level/><level/><level reward="own"/></stage>
  <stage><level/></stage>
  <reward i="3" reward="given"/>
  <reward reward="first"/>
  <reward i="4" reward="last"/>
  <reward i="5" reward="beyond"/>
  <reward i="0" reward="before"/>
</stages></r>)");
    LoadStages();
    EXPECT_EQ(Level(kMainLevelSet, 0, 0).mReward, "first");
    EXPECT_EQ(Level(kMainLevelSet, 0, 1).mReward, "");
    EXPECT_EQ(Level(kMainLevelSet, 0, 2).mReward, "own");
    EXPECT_EQ(Level(kMainLevelSet, 1, 0).mReward, "last");
    EXPECT_EQ(CountLogLines("reward beyond dropped, no level 5"), 1);
    EXPECT_EQ(CountLogLines("reward before dropped, no level 0"), 1);
    std::vector<std::string> kept;
    for (const TStageReward& reward : GetStageCatalogue().mRewards) {
        kept.push_back(reward.mReward + "@" + std::to_string(reward.mLevelIndex));
    }
    EXPECT_EQ(kept, std::vector<std::string>({"given@2", "first@0", "last@3"}));
}

TEST_F(StagesTest, BackgroundsWrapByTheAbsoluteIndex) {
    WriteSets({1}, R"(<back back="b0" hero="h0"/><back back="b1"/><back back="b2" hero="h2"/>)");
    LoadStages();
    struct Case {
        int index;
        const char* back;
    };
    for (const Case& c : {Case{0, "b0"}, Case{2, "b2"}, Case{3, "b0"}, Case{-1, "b1"}, Case{-5, "b2"},
                          Case{INT_MIN, "b2"}, Case{INT_MAX, "b1"}}) {
        const TStageBackground* background = FindBackground(c.index);
        ASSERT_NE(background, nullptr) << c.index;
        EXPECT_EQ(background->mBack, c.back) << c.index;
    }
    EXPECT_EQ(FindBackground(0)->mHero, "h0");
    EXPECT_EQ(FindBackground(1)->mHero, "");
}

TEST_F(StagesTest, NoBackgroundsAnswerNone) {
    WriteSets({1});
    LoadStages();
    for (int index : {0, -1, 7, INT_MIN}) {
        EXPECT_EQ(FindBackground(index), nullptr) << index;
    }
}

TEST_F(StagesTest, TilesetDefaultsAndMapFrames) {
    WriteData("stages.xml", R"(<r>
<frames>
  <frame id="big" x="10" y="20" xback="30" yback="40" frame="f/big" back="f/bigback"/>
  <frame id="small"/>
  <frame id="big" x="99"/>
</frames>
<stages>
  <tilesets gametype="2" canchange="1" needreshuffle="true" tilesets=" one , two ,, "/>
  <tilesets tilesets="basic"/>
  <tilesets gametype="2" tilesets="late"/>
</stages>
</r>)");
    LoadStages();
    const TTilesetDefaults* typeTwo = FindTilesetDefaults(2);
    ASSERT_NE(typeTwo, nullptr);
    EXPECT_TRUE(typeTwo->mCanChange);
    EXPECT_TRUE(typeTwo->mNeedReshuffle);
    EXPECT_EQ(typeTwo->mTilesets, std::vector<std::string>({"one", "two"}));
    const TTilesetDefaults* typeZero = FindTilesetDefaults(0);
    ASSERT_NE(typeZero, nullptr);
    EXPECT_FALSE(typeZero->mCanChange || typeZero->mNeedReshuffle);
    EXPECT_EQ(typeZero->mTilesets, std::vector<std::string>({"basic"}));
    EXPECT_EQ(FindTilesetDefaults(1), nullptr);

    const TMapFrame* big = FindMapFrame("big");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(std::vector<int>({big->mX, big->mY, big->mBackX, big->mBackY}), std::vector<int>({10, 20, 30, 40}));
    EXPECT_EQ(big->mFrameImage.mImageName, "f/big");
    EXPECT_EQ(big->mBackImage.mImageName, "f/bigback");
    const TMapFrame* small = FindMapFrame("small");
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(std::vector<int>({small->mX, small->mY, small->mBackX, small->mBackY}), std::vector<int>(4, 0));
    EXPECT_EQ(FindMapFrame("Big"), nullptr);
    EXPECT_EQ(FindMapFrame(""), nullptr);
    EXPECT_TRUE(GetStageList(kMainLevelSet).mStages.empty());
}

TEST_F(StagesTest, MissingOrBrokenFileGivesAnEmptyCatalogue) {
    for (const char* text : {"", "<r><stages><stage><level/></stage>"}) {
        if (*text != '\0') {
            WriteData("stages.xml", text);
        }
        LoadStages();
        EXPECT_TRUE(GetStageList(kMainLevelSet).mStages.empty());
        EXPECT_EQ(GetLevelSetTotal(0), 0);
        EXPECT_EQ(FindBackground(0), nullptr);
        EXPECT_EQ(FindMapFrame(""), nullptr);
    }
}

TEST_F(StagesTest, ReadingAgainReplacesTheCatalogue) {
    WriteSets({2, 2}, R"(<back back="old"/>)");
    LoadStages();
    WriteSets({1});
    LoadStages();
    EXPECT_EQ(GetLevelSetTotal(0), 1);
    EXPECT_EQ(FindBackground(0), nullptr);
}

TEST_F(StagesTest, EachStageRegistersItsSoundList) {
    TSoundManager::CreateInstance(false);
    WriteData("stages.xml", R"(<r>
<stages><stage soundlist="forest"><sound id="birds"/><level/></stage><stage><level/></stage></stages>
<stagesusual><stage soundlist="river"/></stagesusual>
</r>)");
    ASSERT_EQ(TSoundManager::FindInstance()->FindSoundList("forest"), nullptr);
    LoadStages();
    EXPECT_NE(TSoundManager::FindInstance()->FindSoundList("forest"), nullptr);
    EXPECT_NE(TSoundManager::FindInstance()->FindSoundList("river"), nullptr);
    FreeStages();
}

// With a renderer, so the frame images really load.
class MapFrameImagesTest : public StagesTest {
protected:
    fonttest::HeadlessRenderer mRenderer;
};

TEST_F(MapFrameImagesTest, FrameAndBackImagesLoadAtTheirPlaces) {
    ASSERT_TRUE(mRenderer.IsReady());
    WriteSolidImage("f/big.png", 12, 10, 0xFF804020u);
    WriteSolidImage("f/bigback.png", 6, 4, 0xFF204080u);
    WriteData("stages.xml", R"(<r><frames>
  <frame id="big" x="10" y="20" xback="30" yback="40" frame="f/big" back="f/bigback"/>
  <frame id="lost" frame="f/none"/>
</frames></r>)");
    LoadStages();
    LoadMapFrameImages();
    TMapFrame* big = FindMapFrame("big");
    ASSERT_NE(big, nullptr);
    ASSERT_TRUE(big->mFrameImage.mTexture && big->mBackImage.mTexture);
    EXPECT_EQ(big->mFrameImage.mTexture->GetWidth(), 12);
    EXPECT_EQ(big->mBackImage.mTexture->GetWidth(), 6);
    EXPECT_EQ(std::vector<float>(
                  {big->mFrameImage.GetX(), big->mFrameImage.GetY(), big->mBackImage.GetX(), big->mBackImage.GetY()}),
              std::vector<float>({10, 20, 30, 40}));
    // A frame without images keeps them empty: a missing name is reported, an empty one is not.
    const TMapFrame* lost = FindMapFrame("lost");
    EXPECT_FALSE(lost->mFrameImage.mTexture || lost->mBackImage.mTexture);
    EXPECT_EQ(CountLogLines("image not found"), 1);
    EXPECT_EQ(CountLogLines("image not found f/none"), 1);
}

TEST_F(MapFrameImagesTest, OneFrameLoadsAloneAndItsImagesOutliveTheReleaseWhileADrawerHoldsThem) {
    ASSERT_TRUE(mRenderer.IsReady());
    WriteSolidImage("f/big.png", 12, 10, 0xFF804020u);
    WriteSolidImage("f/bigback.png", 6, 4, 0xFF204080u);
    WriteSolidImage("f/small.png", 5, 5, 0xFF804020u);
    WriteSolidImage("f/smallback.png", 3, 3, 0xFF204080u);
    WriteData("stages.xml", R"(<r><frames>
  <frame id="big" frame="f/big" back="f/bigback"/>
  <frame id="small" frame="f/small" back="f/smallback"/>
</frames></r>)");
    LoadStages();
    TMapFrame* big = FindMapFrame("big");
    TMapFrame* small = FindMapFrame("small");
    ASSERT_TRUE(big != nullptr && small != nullptr);

    LoadMapFrameImages(*big);
    ASSERT_TRUE(big->mFrameImage.mTexture && big->mBackImage.mTexture);
    EXPECT_FALSE(small->mFrameImage.mTexture || small->mBackImage.mTexture);

    // A drawer's copy keeps the texture after the frames let go of theirs; loading the frame again
    // finds that same texture instead of reading the file anew.
    StaticImage drawn;
    drawn.CopyTexture(big->mFrameImage);
    const TTexture* held = drawn.mTexture.Get();
    ReleaseMapFrameImages();
    EXPECT_FALSE(big->mFrameImage.mTexture || big->mBackImage.mTexture);
    ASSERT_TRUE(drawn.mTexture);
    EXPECT_EQ(drawn.mTexture->GetWidth(), 12);
    LoadMapFrameImages(*big);
    EXPECT_EQ(big->mFrameImage.mTexture.Get(), held);
    EXPECT_EQ(CountLogLines("image not found"), 0);
}

} // namespace
