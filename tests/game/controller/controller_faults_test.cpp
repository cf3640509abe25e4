// The controller where a literal reading would crash, lose data or count wrongly: missing levels, a
// second solve, the menu after a solve, an unchosen difficulty, a focus change under a dialog, and a
// one-row board flying in.

#include "board/board_appear_effect.h"
#include "controller_fixture.h"

namespace controllertest {
namespace {

TEST_F(ControllerTest, LevelsThatCannotBePlayedLeadToTheMapWithTheProfileUntouched) {
    struct Case {
        int stage;
        int level;
        const char* log;
    };
    const Case cases[] = {
        {1, 0, "level 2-1 cannot be loaded: back to the map"},
        {0, 2, "level 1-3 does not exist: back to the map"},
        {5, 0, "level 6-1 does not exist: back to the map"},
        {0, -1, "level 1-0 does not exist: back to the map"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        GetCurrentModeProgress().mStage = c.stage;
        GetCurrentModeProgress().mLevel = c.level;
        mController->Enter();
        EXPECT_EQ(mWindows.Take(), std::vector<std::string>({"map"}));
        EXPECT_EQ(mController->GetPlayState(), TBoardMahjong::kStateIdle);
        EXPECT_TRUE(harness::LogContains(c.log));
        // Closing an intro that never opened starts nothing.
        CloseDialog(kLevelIntroId, 0);
        Step(1000);
        EXPECT_EQ(mController->GetPlayState(), TBoardMahjong::kStateIdle);
        EXPECT_EQ(GetCurrentModeProgress().mScore, 0);
        EXPECT_EQ(GetCurrentModeProgress().mStage, c.stage);
        mController->Leave();
    }
}

TEST_F(ControllerTest, OnlyTheFirstSolveMovesTheProfileOn) {
    // The stage's last level: the first solve moves the profile to stage 2.
    Play(0, 1);
    // Before the solve the menu opens.
    mWindows.Take();
    mController->OnButtonClick(kGameScreenId, mScreen, 4, mController->GetMenuButton());
    EXPECT_EQ(mWindows.Take(), std::vector<std::string>({"game menu"}));
    CloseDialog(kGameMenuId, 4);
    // The board fades back in before it takes strokes again.
    Step(1000);
    Solve();
    EXPECT_EQ(GetCurrentModeProgress().mStage, 1);
    mController->OnLevelSolved();
    EXPECT_EQ(GetCurrentModeProgress().mStage, 1);
    EXPECT_EQ(TRewardConnector::Get().mLevelsSolvedThisRun, 1);
    // The menu does nothing once the level is solved.
    mWindows.Take();
    mController->OnButtonClick(kGameScreenId, mScreen, 4, mController->GetMenuButton());
    EXPECT_TRUE(mWindows.Take().empty());
    // "Next" still knows the stage was finished: the map, not the next level.
    ASSERT_NO_FATAL_FAILURE(WaitForResults());
    mWindows.Take();
    CloseDialog(kResultsWindowId, TBoardMahjong::kResultNext);
    EXPECT_EQ(mWindows.Take(), std::vector<std::string>({"map"}));
}

TEST_F(ControllerTest, AnUnchosenDifficultyJudgesByTheCasualStars) {
    WriteData("stages.xml", R"(<root><stages folder="levels/">
        <stage><level filename="a.xml" stars="0error;complete;complete;complete"/></stage></stages></root>)");
    LoadStages();
    TUserInfo::Get()->SetDifficultyChoice(TUserInfo::kDifficultyNotChosen);
    Play(0, 0);
    Mistake(0);
    Solve();
    ASSERT_NO_FATAL_FAILURE(WaitForResults());
    EXPECT_EQ(mWindows.mResult.mStars, 0);
    EXPECT_TRUE(harness::LogContains("difficulty 4 has no star list: casual stars used"));
}

TEST_F(ControllerTest, AFocusChangeUnderADialogKeepsPlayFrozen) {
    Play(0, 0);
    mController->OnDialogShown();
    mController->SetFrozen(true);
    mController->SetFrozen(false);
    const float played = mController->GetPlayTime();
    Step(1000);
    EXPECT_FLOAT_EQ(mController->GetPlayTime(), played);
    mController->OnDialogHidden();
    // The first press and release after the thaw are swallowed.
    Stroke(0, 0, 2);
    EXPECT_EQ(mController->GetActiveLayout().GetBoard().GetCell(0, 0).player, 0);
    Step(1000);
    EXPECT_GT(mController->GetPlayTime(), played + 0.9f);
}

TEST_F(ControllerTest, AOneRowBoardFliesInFromItsOnlyRow) {
    struct Case {
        const char* level;
        int row;
    };
    const Case cases[] = {
        {R"(<l><info rows="1" cols="3"/><line line="111"/></l>)", 0},
        {R"(<l><info rows="3" cols="1"/><line line="1"/><line line="1"/><line line="1"/></l>)", -1},
    };
    for (const Case& c : cases) {
        WriteData("levels/line.xml", c.level);
        MosaicLayout_t board;
        ASSERT_TRUE(board.Load("levels/line.xml", false));
        BoardAppearMosaicEffectListener listener;
        TBoardAppearEffect effect(board, &listener, [] { return 7; });
        EXPECT_EQ(effect.GetPieceCount(), 3u);
        if (c.row == 0) {
            EXPECT_EQ(effect.GetStartRow(), 0);
            EXPECT_EQ(effect.GetStartColumn(), 7 % 2);
        } else {
            EXPECT_EQ(effect.GetStartColumn(), 0);
            EXPECT_EQ(effect.GetStartRow(), 7 % 2);
        }
    }
}

} // namespace
} // namespace controllertest
