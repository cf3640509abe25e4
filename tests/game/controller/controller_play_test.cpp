// The game controller playing a level: won levels and their results, the mistake limit, time over,
// bonus time, hints and hidden reward cells.

#include "controller_fixture.h"
#include "windows/image_control.h"
#include "windows/text_label.h"

namespace controllertest {

int ControllerTest::CountShown(const TControls& list) {
    int count = 0;
    for (const TMyImage* image : list) {
        count += image->mShown ? 1 : 0;
    }
    return count;
}

int ControllerTest::CountChecked(const TControls& list) {
    int count = 0;
    for (const TMyImage* image : list) {
        count += image->mShowChecked ? 1 : 0;
    }
    return count;
}

namespace {

TEST_F(ControllerTest, WonLevelsEarnStarsScoreBestValuesAndCounters) {
    struct Case {
        const char* name;
        int hints;
        int mistakes;
        uint32_t extraMs; // waited before the last stroke; 40 s are allowed, 90 % is 36 s
        int stars;
        bool newBest;
    };
    const Case cases[] = {
        {"clean and fast", 0, 0, 0, 3, true},
        {"one mistake", 0, 1, 0, 2, false},
        {"slow", 0, 0, 37000, 2, false},
        {"a hint", 1, 0, 0, 2, false},
        {"everything wrong", 1, 2, 37000, 0, false},
    };
    const int stored = GetCurrentModeProgress().mScore;
    int won = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TRewardConnector before = TRewardConnector::Get();
        Play(0, 0);
        for (int i = 0; i < c.hints; ++i) {
            ClickHint();
        }
        for (int i = 0; i < c.mistakes; ++i) {
            Mistake(i);
        }
        Stroke(0, 0, 2);
        Step(c.extraMs);
        Stroke(1, 1, 3);
        ASSERT_NO_FATAL_FAILURE(WaitForResults());
        ++won;
        const TLevelResult& result = mWindows.mResult;
        EXPECT_EQ(result.mStars, c.stars);
        EXPECT_EQ(result.mScore, 100);
        EXPECT_EQ(result.mItems, 6);
        EXPECT_EQ(result.mNewBest, c.newBest);
        EXPECT_GE(result.mTime, static_cast<int>(c.extraMs / 1000));
        EXPECT_EQ(mController->GetStatistics().mMistakes, c.mistakes);
        EXPECT_EQ(mController->GetStatistics().mHintsUsed, c.hints);
        EXPECT_FLOAT_EQ(mController->GetStatistics().mTimeAllowed, 40.0f);
        const TLevelProgress& record = GetCurrentModeProgress().mLevels[0];
        EXPECT_EQ(record.mBestScore, 100);
        EXPECT_EQ(record.mBestStars, 3);
        EXPECT_EQ(GetCurrentModeProgress().mScore, stored + 100 * won);
        const TRewardConnector& after = TRewardConnector::Get();
        EXPECT_EQ(after.mLevelsWon - before.mLevelsWon, 1);
        EXPECT_EQ(after.mLevelsWonWithoutHint - before.mLevelsWonWithoutHint, c.hints == 0 ? 1 : 0);
        EXPECT_EQ(after.mLevelsStarred - before.mLevelsStarred, won == 1 ? 1 : 0);
        EXPECT_EQ(after.mLevelsWithThreeStars - before.mLevelsWithThreeStars, won == 1 ? 1 : 0);
        EXPECT_EQ(after.mModeScore, GetCurrentModeProgress().mScore);
        EXPECT_TRUE(harness::LogContains(FormatString("complete gametype= 0  stars=%d layout", c.stars)));
        // What was saved reads back the same.
        const TModeProgress kept = GetCurrentModeProgress();
        TUserInfo::Release();
        ASSERT_TRUE(TSettings::Get()->LoadProfile());
        EXPECT_EQ(GetCurrentModeProgress().mScore, kept.mScore);
        EXPECT_EQ(GetCurrentModeProgress().mLevels[0].mBestStars, 3);
        EXPECT_EQ(GetCurrentModeProgress().mLevels[0].mBestScore, 100);
        EXPECT_EQ(TRewardConnector::Get().mLevelsWon, after.mLevelsWon);
        TUserInfo::Get()->SetDifficultyChoice(0);
        CloseDialog(kResultsWindowId, TBoardMahjong::kResultMainMenu);
        mController->Leave();
    }
}

TEST_F(ControllerTest, TheResultsWindowLeadsOn) {
    struct Case {
        int level;
        int result;
        std::vector<std::string> calls;
        int state;
        int profileLevel;
    };
    // Level 1 is the stage's last: the profile moves to stage 2 and next leads to the map.
    const Case cases[] = {
        {0, TBoardMahjong::kResultReplay, {"intro 1-1"}, TBoardMahjong::kStateSetUp, 0},
        {1, TBoardMahjong::kResultReplay, {"intro 1-2"}, TBoardMahjong::kStateSetUp, -1},
        {1, TBoardMahjong::kResultNext, {"map"}, TBoardMahjong::kStateIdle, -1},
        {0, TBoardMahjong::kResultMainMenu, {"main menu"}, TBoardMahjong::kStateIdle, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level * 10 + c.result);
        Play(0, c.level);
        Solve();
        ASSERT_NO_FATAL_FAILURE(WaitForResults());
        mWindows.Take();
        CloseDialog(kResultsWindowId, c.result);
        EXPECT_EQ(mWindows.Take(), c.calls);
        EXPECT_EQ(mController->GetPlayState(), c.state);
        EXPECT_EQ(GetCurrentModeProgress().mLevel, c.profileLevel);
        EXPECT_EQ(mController->GetLevel(), c.level);
        mController->Leave();
        mWindows.mOpen.clear();
    }
}

TEST_F(ControllerTest, TheMistakeAfterTheLimitLosesTheLevel) {
    Play(0, 0);
    ASSERT_EQ(CountShown(mController->GetMistakeMarks()), 2);
    Mistake(0);
    Mistake(1);
    EXPECT_EQ(mController->GetPlayState(), TBoardMahjong::kStatePlaying);
    EXPECT_EQ(CountChecked(mController->GetMistakeMarks()), 2);
    Mistake(2);
    EXPECT_EQ(mController->GetPlayState(), TBoardMahjong::kStateLost);
    EXPECT_EQ(CountShown(mController->GetMistakeMarks()), 3);
    EXPECT_EQ(CountChecked(mController->GetMistakeMarks()), 4);
    // Input stops: a stroke that would paint does nothing.
    Stroke(1, 1, 3);
    EXPECT_EQ(mController->GetActiveLayout().GetBoard().GetCell(1, 1).player, 0);
    mWindows.Take();
    Step(2600);
    EXPECT_EQ(mWindows.Take(), std::vector<std::string>({"message ToManyMistakesMosaic"}));
    CloseDialog(kMessageBoxId, 0);
    EXPECT_EQ(mWindows.Take(), std::vector<std::string>({"intro 1-1"}));
    ASSERT_NO_FATAL_FAILURE(ReachPlay());
    // The marks count the new level's mistakes only.
    EXPECT_EQ(CountChecked(mController->GetMistakeMarks()), 0);
    EXPECT_EQ(mController->GetMistakes(), 0);
}

TEST_F(ControllerTest, TimeOverStopsPlayAndRestartsTheLevel) {
    GetProfileDifficulty().mUseTimer = true;
    Play(0, 0);
    Stroke(0, 0, 2);
    Step(38500);
    EXPECT_EQ(mController->GetPlayState(), TBoardMahjong::kStatePlaying);
    EXPECT_EQ(mController->GetTimerLabel()->mText, L"0 : 01");
    Step(1600);
    EXPECT_EQ(mController->GetPlayState(), TBoardMahjong::kStateLost);
    EXPECT_FALSE(GetCurrentModeProgress().mLevelRunning);
    // No win can start under the coming message box, and hints are ignored.
    Stroke(1, 1, 3);
    EXPECT_FALSE(mController->GetActiveLayout().GetBoard().IsSolvedFlagSet());
    ClickHint();
    EXPECT_EQ(mController->GetHintsUsed(), 0);
    mWindows.Take();
    Step(2600);
    EXPECT_EQ(mWindows.Take(), std::vector<std::string>({"message timeisovermessageMosaic"}));
    CloseDialog(kMessageBoxId, 0);
    EXPECT_EQ(mController->GetPlayState(), TBoardMahjong::kStateSetUp);
}

TEST_F(ControllerTest, TwoQualifyingStrokesWithinFiveSecondsAddBonusTime) {
    struct Case {
        const char* name;
        int firstLength; // cells of the first stroke along row 0
        uint32_t pauseMs;
        bool combo;
    };
    const Case cases[] = {
        {"two long strokes", 3, 1000, true},
        {"a single cell first", 1, 1000, false},
        {"five seconds apart", 3, 5100, false},
    };
    GetProfileDifficulty().mUseTimer = true;
    GetProfileDifficulty().mShowBonusTime = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Play(0, 0);
        Stroke(0, 0, c.firstLength - 1);
        Step(c.pauseMs);
        // Not the last stroke: row 1's cells 2 and 3 only.
        Stroke(1, 2, 3);
        EXPECT_EQ(mController->GetComboEffect() != nullptr, c.combo);
        const float before = mController->GetCountdown().mValue;
        Step(7000);
        EXPECT_EQ(mController->GetComboEffect(), nullptr);
        EXPECT_EQ(mController->GetBonusCount(), c.combo ? 2 : 0);
        EXPECT_NEAR(mController->GetCountdown().mValue, before - 7.0f + (c.combo ? 10.0f : 0.0f), 0.01f);
        mController->Leave();
    }
}

TEST_F(ControllerTest, HintsFlyToTheCurrentColoursOpenCells) {
    Play(0, 0);
    ClickHint();
    EXPECT_EQ(mController->GetHintsUsed(), 1);
    EXPECT_EQ(mController->GetHintEffects().GetCount(), 1u);
    EXPECT_EQ(mController->GetActiveLayout().GetHintCandidates().size(), 6u);
    EXPECT_TRUE(mController->GetHintButton()->IsRecharging());
    // Each reached cell gets its ring.
    Step(3000);
    EXPECT_EQ(mController->GetHintEffects().GetCount(), 0u);
    EXPECT_EQ(TRewardConnector::Get().mLevelsWonWithoutHint, 0);
    // Every cell of the colour painted: no candidate, no count, no new recharge.
    Stroke(0, 0, 2);
    Stroke(1, 1, 2);
    mController->GetHintButton()->SetFull();
    mController->GetActiveLayout().GetBoard().CellAt(1, 3).player = 1;
    ClickHint();
    EXPECT_EQ(mController->GetHintsUsed(), 1);
    EXPECT_FALSE(mController->GetHintButton()->IsRecharging());
}

TEST_F(ControllerTest, HintsSwitchedOffStayOff) {
    GetProfileDifficulty().mHintRecharge = 0;
    Play(0, 0);
    for (int i = 0; i < 3; ++i) {
        mScreen->Update(0.05f);
        EXPECT_TRUE(mController->GetHintButton()->mDisabled);
        ClickHint();
    }
    EXPECT_EQ(mController->GetHintsUsed(), 0);
}

TEST_F(ControllerTest, AFoundHiddenCellObtainsTheLevelsRewardOnce) {
    Play(0, 1);
    ASSERT_EQ(mController->GetActiveLayout().GetBoard().CountHiddenCells(), 1);
    Stroke(1, 1, 2);
    // The reward shows when painted and is collected at a release over it.
    Stroke(1, 1, 1);
    EXPECT_EQ(TRewardConnector::Get().mHiddenCellsFound, 1);
    EXPECT_TRUE(FindReward("piece")->mObtained);
    EXPECT_FALSE(FindReward("other")->mObtained);
    EXPECT_EQ(mController->GetCaptionEffects().GetCount(), 2u);
    // Saved: a fresh read of the profile has the reward.
    FindReward("piece")->mObtained = false;
    TUserInfo::Release();
    ASSERT_TRUE(TSettings::Get()->LoadProfile());
    EXPECT_TRUE(FindReward("piece")->mObtained);
}

} // namespace
} // namespace controllertest
