#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_config.h"
#include "data/mosaic_settings.h"
#include "data/rewards.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"
#include "harness/harness.h"
#include "harness/save_bytes.h"

namespace {

using harness::SaveBytes;

std::string BytesOf(const TBaseBuffer& buffer) {
    return std::string(buffer.GetBytes().begin(), buffer.GetBytes().end());
}

class RewardsTest : public testing::Test {
protected:
    void SetUp() override { SetWorkingFolderToExe(); }
    void TearDown() override {
        ClearRewards();
        TRewardConnector::Get() = TRewardConnector();
    }

    std::string mFolder = harness::MakeTempFolder();
    harness::ScopedDataRoot mRoot{mFolder};
};

TEST_F(RewardsTest, FileGivesOneRewardPerRewardElement) {
    ASSERT_TRUE(harness::WriteFile(mFolder + "/assets/rewards.xml", R"(<rewards>
  <reward type="map" id="cup" hint="cuphint" hintcomplete="cupdone" value="10+5" image="r/cup.png"
          imagenotget="r/cup_off.png" small="r/cup_s.png" x="100" y="200-20" tipx="-5" tipy="7"/>
  <other id="ignored"/>
  <reward/>
  <reward id="key"/>
</rewards>)"));
    LoadRewards("rewards.xml");
    const TRewardList& rewards = GetRewardList();
    ASSERT_EQ(rewards.size(), 3u);
    const TReward& cup = *rewards[0];
    EXPECT_EQ(cup.mId, "cup");
    EXPECT_EQ(cup.mHint, "cuphint");
    EXPECT_EQ(cup.mHintComplete, "cupdone");
    EXPECT_EQ(cup.mValue, 15);
    EXPECT_EQ(cup.mImage.mImageName, "r/cup.png");
    EXPECT_EQ(cup.mImageNotGet.mImageName, "r/cup_off.png");
    EXPECT_EQ(cup.mSmallImage.mImageName, "r/cup_s.png");
    EXPECT_EQ(std::vector<int>({cup.mX, cup.mY, cup.mTipX, cup.mTipY}), std::vector<int>({100, 180, -5, 7}));
    EXPECT_FALSE(cup.mObtained);
    const TReward& empty = *rewards[1];
    EXPECT_EQ(empty.mId, "");
    EXPECT_EQ(std::vector<int>({empty.mValue, empty.mX, empty.mY, empty.mTipX, empty.mTipY}),
              std::vector<int>({0, 0, 0, 0, 0}));
    EXPECT_EQ(rewards[2]->mId, "key");
}

TEST_F(RewardsTest, MissingOrBrokenFileAddsNothing) {
    LoadRewards("rewards.xml");
    EXPECT_TRUE(GetRewardList().empty());
    ASSERT_TRUE(harness::WriteFile(mFolder + "/assets/rewards.xml", "<rewards><reward id=\"a\">"));
    LoadRewards("rewards.xml");
    EXPECT_TRUE(GetRewardList().empty());
}

TEST_F(RewardsTest, RewardSavesOnlyItsObtainedFlag) {
    struct Case {
        bool obtain;
        bool newBefore; // the new flag held before the read
        uint8_t stored;
        bool obtainedAfter;
        bool newAfter;
    };
    const Case cases[] = {{false, false, 0, false, false},
                          {true, false, 1, true, false},
                          {true, true, 1, true, true},
                          {false, true, 0, false, true}};
    for (const Case& c : cases) {
        TReward reward;
        if (c.obtain) {
            reward.SetObtained();
        }
        TBufferBin buffer;
        reward.Write(buffer);
        EXPECT_EQ(BytesOf(buffer), std::string(1, static_cast<char>(c.stored)));
        TReward loaded;
        loaded.mNew = c.newBefore;
        loaded.Read(buffer);
        EXPECT_EQ(loaded.mObtained, c.obtainedAfter);
        EXPECT_EQ(loaded.mNew, c.newAfter);
        loaded.Reset();
        EXPECT_FALSE(loaded.mObtained || loaded.mNew);
    }
}

TEST_F(RewardsTest, CountersSaveNineInTheirFileOrder) {
    TRewardConnector& counters = TRewardConnector::Get();
    int value = 1;
    for (int* field : {&counters.mLastScore, &counters.mModeScore, &counters.mLevelsWon,
                       &counters.mLevelsWonWithoutHint, &counters.mSpare5, &counters.mHiddenCellsFound,
                       &counters.mSpare7, &counters.mSpare8, &counters.mLevelsSolvedThisRun, &counters.mLevelsStarred,
                       &counters.mSpare11, &counters.mSpare12, &counters.mLevelsWithThreeStars}) {
        *field = value++;
    }
    TBufferBin buffer;
    counters.Write(buffer);
    EXPECT_EQ(BytesOf(buffer), SaveBytes().I32(2).I32(8).I32(10).I32(3).I32(4).I32(13).I32(5).I32(6).I32(11).Payload());

    TRewardConnector loaded;
    loaded.mLastScore = 100;
    loaded.mSpare7 = 100;
    loaded.mLevelsSolvedThisRun = 100;
    loaded.mSpare12 = 100;
    loaded.Read(buffer);
    EXPECT_EQ(std::vector<int>({loaded.mModeScore, loaded.mSpare8, loaded.mLevelsStarred, loaded.mLevelsWon,
                                loaded.mLevelsWonWithoutHint, loaded.mLevelsWithThreeStars, loaded.mSpare5,
                                loaded.mHiddenCellsFound, loaded.mSpare11}),
              std::vector<int>({2, 8, 10, 3, 4, 13, 5, 6, 11}));
    EXPECT_EQ(std::vector<int>({loaded.mLastScore, loaded.mSpare7, loaded.mLevelsSolvedThisRun, loaded.mSpare12}),
              std::vector<int>({100, 100, 100, 100}));

    loaded.ResetSaved();
    TBufferBin zeros;
    loaded.Write(zeros);
    EXPECT_EQ(BytesOf(zeros), std::string(36, '\0'));
    EXPECT_EQ(loaded.mLastScore, 100);
    loaded.ResetPerPlay();
    EXPECT_EQ(std::vector<int>({loaded.mLastScore, loaded.mSpare7, loaded.mLevelsSolvedThisRun, loaded.mSpare12}),
              std::vector<int>({0, 0, 0, 0}));
}

TEST_F(RewardsTest, DifficultyRecordReadsBackEveryTimeEntry) {
    struct Case {
        std::vector<TMosaicTimeEntry> entries;
        std::vector<int> stored; // milliseconds and game type, pair by pair
    };
    const Case cases[] = {
        {{}, {}},
        {{{2.5f, 0}}, {2500, 0}},
        {{{1.25f, 9}, {0.7f, 3}, {12.0f, 1}}, {1250, 9, 700, 3, 12000, 1}},
    };
    for (const Case& c : cases) {
        TBaseMosaicSettings settings;
        settings.mHintRecharge = 45;
        settings.mUseTimer = true;
        settings.mShowBonusTime = false;
        settings.mSetNumbersNow = 0;
        settings.mMaxErrors = 5;
        settings.mTimeEntries = c.entries;
        TBufferBin buffer;
        settings.Write(buffer);
        SaveBytes expected;
        expected.I32(45).U8(1).U8(0).I32(0).I32(5);
        for (int value : c.stored) {
            expected.I32(value);
        }
        EXPECT_EQ(BytesOf(buffer), expected.Payload());

        // A few stray bytes after the last whole entry are left unread.
        buffer.WriteByte(7);
        buffer.WriteByte(7);
        TBaseMosaicSettings loaded;
        loaded.mTimeEntries = {{9.0f, 9}};
        loaded.Read(buffer);
        EXPECT_EQ(buffer.GetBytesLeft(), 2);
        EXPECT_EQ(loaded.mHintRecharge, 45);
        EXPECT_TRUE(loaded.mUseTimer);
        EXPECT_FALSE(loaded.mShowBonusTime);
        EXPECT_EQ(loaded.mSetNumbersNow, 0);
        EXPECT_EQ(loaded.mMaxErrors, 5);
        ASSERT_EQ(loaded.mTimeEntries.size(), c.entries.size());
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_FLOAT_EQ(loaded.mTimeEntries[i].mSecondsPerItem, c.entries[i].mSecondsPerItem);
            EXPECT_EQ(loaded.mTimeEntries[i].mGameType, c.entries[i].mGameType);
        }
    }
}

TEST_F(RewardsTest, FindRewardMatchesTheIdExactly) {
    ASSERT_TRUE(harness::WriteFile(mFolder + "/assets/rewards.xml",
                                   R"(<r><reward id="cup"/><reward/><reward id="cup" value="2"/></r>)"));
    LoadRewards("rewards.xml");
    const TRewardList& rewards = GetRewardList();
    struct Case {
        const char* id;
        const TReward* found;
    };
    for (const Case& c :
         {Case{"cup", rewards[0].get()}, Case{"", rewards[1].get()}, Case{"Cup", nullptr}, Case{"cup ", nullptr}}) {
        EXPECT_EQ(FindReward(c.id), c.found) << c.id;
    }
    ClearRewards();
    EXPECT_EQ(FindReward("cup"), nullptr);
}

// A reward whose condition is a number of levels won, of a chosen kind.
class CountedReward : public TReward {
public:
    CountedReward(int kind, int levelsWon) : mKind(kind), mLevelsWon(levelsWon) {}
    bool IsConditionMet(const TRewardConnector& counters) const override { return counters.mLevelsWon >= mLevelsWon; }
    int GetKind() const override { return mKind; }

private:
    int mKind;
    int mLevelsWon;
};

TEST_F(RewardsTest, EarnedRewardsAreThoseOfKindBitsZeroOrOneWhoseConditionIsMet) {
    TRewardList& rewards = GetRewardList();
    rewards.push_back(std::make_unique<TReward>());
    rewards.push_back(std::make_unique<CountedReward>(1, 2));
    rewards.push_back(std::make_unique<CountedReward>(2, 5));
    rewards.push_back(std::make_unique<CountedReward>(4, 0));
    rewards.push_back(std::make_unique<CountedReward>(3, 0));
    TRewardConnector counters;
    struct Case {
        int levelsWon;
        std::vector<size_t> earned;
    };
    for (const Case& c : {Case{0, {4}}, Case{2, {1, 4}}, Case{5, {1, 2, 4}}}) {
        counters.mLevelsWon = c.levelsWon;
        std::vector<TReward*> earned;
        EXPECT_TRUE(CollectEarnedRewards(counters, earned));
        std::vector<TReward*> expected;
        for (size_t index : c.earned) {
            expected.push_back(rewards[index].get());
        }
        EXPECT_EQ(earned, expected) << c.levelsWon;
    }
    // The game's own rewards are never earned by counters.
    rewards.erase(rewards.begin() + 1, rewards.end());
    std::vector<TReward*> earned;
    EXPECT_FALSE(CollectEarnedRewards(counters, earned));
    EXPECT_TRUE(earned.empty());
}

} // namespace

namespace {

// With a renderer, so the pictures really load.
class RewardImagesTest : public GameDataTest {
protected:
    void TearDown() override { ClearRewards(); }

    fonttest::HeadlessRenderer mRenderer;
};

TEST_F(RewardImagesTest, PicturesLoadByTheirNamesAndComeBackAfterBeingFreed) {
    ASSERT_TRUE(mRenderer.IsReady());
    WriteSolidImage("r/cup.png", 8, 6, 0xFFFFCC00u);
    WriteSolidImage("r/cupoff.png", 8, 6, 0xFF808080u);
    WriteData("rewards.xml", R"(<r><reward id="cup" image="r/cup" imagenotget="r/cupoff" small="r/cupsmall"/>
<reward id="plain"/></r>)");
    LoadRewards("rewards.xml");
    ASSERT_EQ(GetRewardList().size(), 2u);
    TReward& cup = *GetRewardList()[0];
    ASSERT_TRUE(cup.mImage.mTexture);
    EXPECT_EQ(cup.mImage.mTexture->GetWidth(), 8);
    EXPECT_TRUE(cup.mImageNotGet.mTexture);
    // A missing picture stays empty and is reported; the reward still counts. No name, no report.
    EXPECT_FALSE(cup.mSmallImage.mTexture);
    EXPECT_EQ(CountLogLines("image not found r/cupsmall"), 1);
    EXPECT_EQ(CountLogLines("image not found"), 1);

    cup.FreeImages();
    EXPECT_FALSE(cup.mImage.mTexture || cup.mImageNotGet.mTexture);
    EXPECT_EQ(cup.mImage.mImageName, "r/cup");
    cup.LoadImages();
    EXPECT_TRUE(cup.mImage.mTexture && cup.mImageNotGet.mTexture);
}

} // namespace
