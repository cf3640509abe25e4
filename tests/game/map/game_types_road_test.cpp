// One level of every game type the pack plays, started from its plate on the map and played through the
// real windows with strokes taken from its level file: its intro, the help page of its type, play, and
// its end (won, or lost where the type has its own loss). Each stop is a screen-tour shot; what each type
// does of its own is checked on the way.

#include <gtest/gtest.h>

#include <string>

#include "data/level_info.h"
#include "dialogs/help_window.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "screens/level_complete_window.h"
#include "windows/message_box.h"

namespace {

// The first level of the main set with that game type; false when the pack has none.
bool FindLevelOfType(int gameType, int& stage, int& level) {
    const TStageList& list = GetStageList(kMainLevelSet);
    for (size_t s = 0; s < list.mStages.size(); ++s) {
        for (size_t l = 0; l < list.mStages[s]->mLevels.size(); ++l) {
            if (list.mStages[s]->mLevels[l]->mGameType == gameType) {
                stage = static_cast<int>(s);
                level = static_cast<int>(l);
                return true;
            }
        }
    }
    return false;
}

} // namespace

class GameTypesRoadTest : public MapScreensTest {
protected:
    // Opens the map at the stage and clicks the level's plate; leaves the intro shown and shot.
    void StartLevelFromMap(int gameType, int stage, int level) {
        GetCurrentModeProgress().mStage = stage;
        ShowMapScreen();
        Frames(kFaderFrames);
        TMapWindow* map = TopScreen<TMapWindow>();
        ASSERT_NE(map, nullptr);
        const TMapLevelPlate& plate = *map->GetPlates().at(static_cast<size_t>(level));
        ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);
        ASSERT_NE(WaitForDialog<TFlyWindow>(kLevelIntroId), nullptr);
        ExpectLooksRight(Shot(gameType, "intro").c_str());
        auto* intro = WaitForDialog<TFlyWindow>(kLevelIntroId);
        ASSERT_NE(intro, nullptr);
        ClickControl(*intro, "ok");
    }

    // The help page the level opens once its cells have arrived; -1 when none opens.
    int HelpPageShown(int gameType) {
        auto* help = WaitForDialog<THelpWindow>(kHelpWindowId);
        if (help == nullptr) {
            return -1;
        }
        ExpectLooksRight(Shot(gameType, "help").c_str());
        return help->GetBook().GetCurrentPage();
    }

    // The first open cell of the current colour's view that the picture gives another colour or none,
    // or null.
    const TMosaicCell* WrongCell(const TLevelLayoutData& data, bool emptyOnly = false) {
        const TMosaicBoard& board = Controller()->GetActiveLayout().GetBoard();
        const char colour = static_cast<char>('1' + board.GetCurrentColourIndex());
        for (int row = 0; row < data.rows; ++row) {
            for (int column = 0; column < data.cols; ++column) {
                const TMosaicCell& cell = board.GetCell(row, column);
                const char wanted = data.lines.at(static_cast<size_t>(row))[static_cast<size_t>(column)];
                if (wanted != colour && (!emptyOnly || wanted == '0') && cell.shown == mosaic::kUntouched) {
                    return &cell;
                }
            }
        }
        return nullptr;
    }

    // One-cell strokes on wrong cells, colour by colour, until the level is lost; the number of strokes.
    int StrokeMistakesUntilLost(const TLevelInfoMosaic& level) {
        TLevelLayoutData data;
        EXPECT_TRUE(ReadLevelLayoutFile(level.mFileName, data));
        TBoardMahjong* controller = Controller();
        int strokes = 0;
        const int colours = static_cast<int>(controller->GetColourButtons().size());
        for (int colour = 0; colour < colours && controller->GetPlayState() == TBoardMahjong::kStatePlaying; ++colour) {
            PickColour(colour);
            while (controller->GetPlayState() == TBoardMahjong::kStatePlaying) {
                const TMosaicCell* cell = WrongCell(data);
                if (cell == nullptr) {
                    break;
                }
                Stroke(*cell, *cell);
                ++strokes;
            }
        }
        return strokes;
    }

    // Paints every run of the level's file, colour by colour; a stroke the game swallowed (the first
    // press after a tip or a dialog thawed the screen) is made again.
    void Solve(const TLevelInfoMosaic& level) {
        TLevelLayoutData data;
        ASSERT_TRUE(ReadLevelLayoutFile(level.mFileName, data));
        const TMosaicBoard& board = Controller()->GetActiveLayout().GetBoard();
        ForEachColourRun(data, [&](char colour, int row, int from, int to) {
            for (int attempt = 0; attempt < 3 && board.GetCell(row, to).shown != colour - '0'; ++attempt) {
                if (board.GetCurrentColourIndex() != colour - '1') {
                    PickColour(colour - '1');
                }
                Stroke(board.GetCell(row, from), board.GetCell(row, to));
            }
        });
    }

    TLevelCompleteWindow* Win(int gameType, const TLevelInfoMosaic& level) {
        Solve(level);
        auto* results = WaitForDialog<TLevelCompleteWindow>(kResultsWindowId);
        if (results != nullptr) {
            ExpectLooksRight(Shot(gameType, "win").c_str());
        }
        return results;
    }

    static std::string Shot(int gameType, const char* stop) { return "type" + std::to_string(gameType) + "_" + stop; }

    // Started with a player (unless the game runs already: then the open dialogs are taken away), the
    // map's tips seen, and the level of the type open at its intro.
    const TLevelInfoMosaic* Open(int gameType) {
        if (mGame == nullptr) {
            StartWithPlayer("Road Tester");
        } else {
            FreshMenu();
        }
        MarkMapTipsSeen();
        int stage = 0;
        int level = 0;
        if (!FindLevelOfType(gameType, stage, level)) {
            ADD_FAILURE() << "the pack has no level of game type " << gameType;
            return nullptr;
        }
        StartLevelFromMap(gameType, stage, level);
        if (HasFatalFailure()) {
            return nullptr;
        }
        return GetStageList(kMainLevelSet)
            .mStages.at(static_cast<size_t>(stage))
            ->mLevels.at(static_cast<size_t>(level))
            .get();
    }
};

struct HelpCase {
    int gameType;
    int page;
};

// Types 0 to 3 differ only in the help page they open the first time; each is won.
TEST_F(GameTypesRoadTest, EachHelpTypeOpensItsPageAndIsWonFromItsFile) {
    const HelpCase cases[] = {{0, 1}, {1, 0}, {2, 2}, {3, 3}};
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(c.gameType);
        const TLevelInfoMosaic* level = Open(c.gameType);
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(HelpPageShown(c.gameType), c.page);
        ASSERT_TRUE(WaitForPlay());
        Frames(kFaderFrames);
        ExpectLooksRight(Shot(c.gameType, "play").c_str());
        TLevelCompleteWindow* results = Win(c.gameType, *level);
        ASSERT_NE(results, nullptr);
        EXPECT_TRUE(Controller()->GetResult().mWon);
        EXPECT_EQ(Controller()->GetResult().mScore, 100);
    }
}

// The bomb: lost at its own "maxerrors" + 1 mistakes with the bomb's message; the marks stay as they were.
TEST_F(GameTypesRoadTest, TheBombLevelIsLostWithItsOwnMessage) {
    const TLevelInfoMosaic* level = Open(4);
    ASSERT_NE(level, nullptr);
    ASSERT_GT(level->mMaxErrors, 0);
    ASSERT_TRUE(WaitForPlay());
    TBoardMahjong* controller = Controller();
    EXPECT_EQ(controller->GetMaxErrors(), level->mMaxErrors);
    ExpectLooksRight("type4_play");
    EXPECT_EQ(StrokeMistakesUntilLost(*level), level->mMaxErrors + 1);
    EXPECT_EQ(controller->GetPlayState(), TBoardMahjong::kStateLost);
    auto* message = WaitForDialog<TMessageBoxOkWindow>(kMessageBoxId);
    ASSERT_NE(message, nullptr);
    ASSERT_NE(message->GetMessage(), nullptr);
    EXPECT_EQ(message->GetMessage()->mTextKey, "BombMessageMosaic");
    ExpectLooksRight("type4_loss");
}

// The maze: solving the fourth level of a stage brings up the maze tip.
TEST_F(GameTypesRoadTest, TheMazeLevelShowsItsTipWhenSolved) {
    const TLevelInfoMosaic* level = Open(6);
    ASSERT_NE(level, nullptr);
    ASSERT_TRUE(WaitForPlay());
    EXPECT_EQ(Controller()->GetLevel(), 3) << "the maze tip comes only at a stage's fourth level";
    ExpectLooksRight("type6_play");
    // A returning player has seen the tips of every level; one still showing would hold this one back.
    for (const char* tip : {"TipHint", "TipChangeColor"}) {
        TUserInfo::Get()->AddPair(TMyTutorialWindow::kShownKey, tip);
    }
    Solve(*level);
    const bool tip = WaitFor([] { return ShowingTipName() == "TipLabirythmMode"; });
    ASSERT_TRUE(tip);
    ExpectLooksRight("type6_tip");
    DismissTip();
    ASSERT_NE(WaitForDialog<TLevelCompleteWindow>(kResultsWindowId), nullptr);
    ExpectLooksRight("type6_win");
}

// Marked mistakes: each wrong cell gets its mark on the board; the level is still won.
TEST_F(GameTypesRoadTest, MarkedMistakesShowAtTheCellAndTheLevelIsStillWon) {
    const TLevelInfoMosaic* level = Open(8);
    ASSERT_NE(level, nullptr);
    ASSERT_TRUE(WaitForPlay());
    TBoardMahjong* controller = Controller();
    const size_t before = controller->GetCaptionEffects().GetCount();
    TLevelLayoutData data;
    ASSERT_TRUE(ReadLevelLayoutFile(level->mFileName, data));
    // An empty cell, so that the picture can still be finished over it.
    const TMosaicCell* wrong = nullptr;
    for (int colour = 0; colour < static_cast<int>(controller->GetColourButtons().size()) && wrong == nullptr;
         ++colour) {
        PickColour(colour);
        wrong = WrongCell(data, true);
    }
    ASSERT_NE(wrong, nullptr);
    Stroke(*wrong, *wrong);
    EXPECT_EQ(controller->GetMistakes(), 1);
    EXPECT_EQ(controller->GetCaptionEffects().GetCount(), before + 1);
    ExpectLooksRight("type8_mistake");
    ASSERT_NE(Win(8, *level), nullptr);
}

// The unclamped score: a won level of type 21 scores 0, not the 100 every other type is raised to.
TEST_F(GameTypesRoadTest, TheUnclampedLevelScoresWhatPlayGave) {
    const TLevelInfoMosaic* level = Open(21);
    ASSERT_NE(level, nullptr);
    ASSERT_TRUE(WaitForPlay());
    ExpectLooksRight("type21_play");
    ASSERT_NE(Win(21, *level), nullptr);
    EXPECT_TRUE(Controller()->GetResult().mWon);
    EXPECT_EQ(Controller()->GetResult().mScore, 0);
}

// The picture level: tiles cover the painting until its last run is painted; then every tile fades out
// over two seconds, the clock stops, and the level waits for one more click, or a minute, before its
// results.
TEST_F(GameTypesRoadTest, ThePictureLevelRevealsItsPaintingAndEndsOnTheNextClickOrAMinuteLater) {
    struct Case {
        const char* name;
        bool click;
    };
    for (const Case& c : {Case{"a click", true}, Case{"no click", false}}) {
        SCOPED_TRACE(c.name);
        const TLevelInfoMosaic* level = Open(kPictureGameType);
        ASSERT_NE(level, nullptr);
        ASSERT_TRUE(WaitForPlay());
        Frames(kFaderFrames);
        TBoardMahjong* controller = Controller();
        auto* board = dynamic_cast<MosaicLayoutShowImage_t*>(&controller->GetActiveLayout());
        ASSERT_NE(board, nullptr);
        ASSERT_NE(board->GetPicture(), nullptr);
        ASSERT_NE(board->GetWater(), nullptr);
        ASSERT_NE(board->GetClouds(), nullptr);
        ASSERT_NE(board->GetAnimatedPicture(), nullptr);
        if (c.click) {
            // The first picture level opens its help page once the cells are in: closed before the shot.
            ASSERT_TRUE(WaitForPlay());
            Frames(kFaderFrames);
            ExpectLooksRight("type9_play");
        }
        Solve(*level);
        ASSERT_TRUE(board->GetBoard().IsSolvedFlagSet());
        EXPECT_FALSE(board->IsCompleted());
        EXPECT_EQ(controller->GetPlayState(), TBoardMahjong::kStatePlaying);
        const float playTime = controller->GetPlayTime();
        const auto& corner = static_cast<const MosaicItemShowImage_t&>(*board->GetItem(0, 0));
        // The stroke's last frames have passed since the solve: at most three eighths of a second.
        const float fadeAtSolve = corner.mOverlayFade.current;
        EXPECT_GE(fadeAtSolve, 0.8f);
        EXPECT_LT(fadeAtSolve, 1.0f);
        Seconds(1.0f);
        EXPECT_NEAR(corner.mOverlayFade.current, fadeAtSolve - 0.5f, 0.01f);
        Seconds(1.0f);
        EXPECT_FLOAT_EQ(corner.mOverlayFade.current, 0.0f);
        EXPECT_EQ(TMyWindowManager::Get()->FindById(kResultsWindowId), nullptr);
        EXPECT_FALSE(board->IsCompleted());
        if (c.click) {
            // The hint tip the last stroke brought up is put away (not clicked: a click would complete).
            DismissTipNow();
            Frames(kFaderFrames / 2);
            EXPECT_FALSE(board->IsCompleted());
            ExpectLooksRight("type9_reveal");
            const TMosaicCell& cell = board->GetBoard().GetCell(0, 0);
            ClickAt(cell.x + cell.w / 2, cell.y + cell.h / 2);
            EXPECT_TRUE(board->IsCompleted());
        } else {
            // Two seconds and the solve's frames have gone; the rest of the minute, frame by frame.
            int frames = 0;
            while (!board->IsCompleted() && frames < 70 * kFramesPerSecond) {
                Frames(1);
                ++frames;
            }
            const float waited = 2.0f + (1.0f - fadeAtSolve) * 2.0f + static_cast<float>(frames) / kFramesPerSecond;
            EXPECT_NEAR(waited, MosaicLayoutShowImage_t::kCompletionSeconds, 0.2f);
        }
        auto* results = WaitForDialog<TLevelCompleteWindow>(kResultsWindowId);
        ASSERT_NE(results, nullptr);
        EXPECT_TRUE(controller->GetResult().mWon);
        // The clock stopped at the solve: the reveal and the wait are not play.
        EXPECT_FLOAT_EQ(controller->GetPlayTime(), playTime);
        EXPECT_EQ(controller->GetResult().mTime, static_cast<int>(playTime));
    }
}
