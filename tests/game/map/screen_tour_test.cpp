// The main menu and the level map as the player sees them: every label's text fits its box and every
// image, sound and term they use exists in the shipped data. With VERDANEL_SHOTS_DIR set (see
// tools/screenshots.sh) each stop is saved as a picture.

#include <gtest/gtest.h>

#include "app/string_utils.h"
#include "dialogs/difficulty_window.h"
#include "dialogs/game_menu.h"
#include "dialogs/help_window.h"
#include "dialogs/options_window.h"
#include "dialogs/profile_windows.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "screens/level_complete_window.h"
#include "windows/message_box.h"

class ScreenTourMapTest : public MapScreensTest {
protected:
    void ClickCentre(const TMyWindow& window) {
        int x = 0;
        int y = 0;
        CentreOf(window, x, y);
        ClickAt(x, y);
    }

    // Clicks the named control of the shown dialog of that id, then waits for the dialog to go.
    void CloseWith(int id, const char* control) {
        auto* dialog = WaitForDialog<TFlyWindow>(id);
        ASSERT_NE(dialog, nullptr) << id;
        ClickControl(*dialog, control);
        ASSERT_TRUE(WaitFor([id] { return TMyWindowManager::Get()->FindById(id) == nullptr; })) << id;
    }

    // Clicks a main menu button and waits for the dialog it opens to rest in its place.
    TFlyWindow* OpenFromMenu(const char* button, int id) {
        TMainMenu* menu = TopScreen<TMainMenu>();
        if (menu == nullptr) {
            ADD_FAILURE() << "no main menu";
            return nullptr;
        }
        ClickControl(*menu, button);
        TFlyWindow* dialog = WaitForDialog<TFlyWindow>(id);
        EXPECT_NE(dialog, nullptr) << button;
        return dialog;
    }

    // Strokes over the first open cell of the current colour's view that the picture gives another
    // colour: a mistake. False when that view has no such cell left.
    bool StrokeAMistake(const TLevelLayoutData& data) {
        const TMosaicBoard& board = Controller()->GetActiveLayout().GetBoard();
        const char colour = static_cast<char>('1' + board.GetCurrentColourIndex());
        for (int row = 0; row < data.rows; ++row) {
            for (int column = 0; column < data.cols; ++column) {
                const TMosaicCell& cell = board.GetCell(row, column);
                if (data.lines.at(static_cast<size_t>(row))[static_cast<size_t>(column)] != colour &&
                    cell.shown == mosaic::kUntouched) {
                    Stroke(cell, cell);
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(ScreenTourMapTest, MainMenuAndMap) {
    StartWithPlayer("Anna Lindqvist");
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    Seconds(1.0f);
    ExpectLooksRight("main_menu");
    // The scene behind the menu moves: the kite beside the panel sways.
    const std::vector<uint32_t> early = Picture();
    Seconds(4.0f);
    ExpectLooksRight("main_menu_later");
    EXPECT_GT(ChangedPixels(early, Picture(), {120, 260, 260, 260}), 500);
    // A dialog dims the menu while it is shown.
    TMainMenu* menu = TopScreen<TMainMenu>();
    menu->OnButtonClick(-1, nullptr, 0, dynamic_cast<TMyButton*>(menu->FindChildByName("main_exit")));
    Seconds(1.5f);
    ASSERT_NE(menu->GetOverlay(), nullptr);
    ExpectLooksRight("main_menu_quit");
    FreshMenu();

    MarkMapTipsSeen();
    TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
    for (int i = 0; i < 4; ++i) {
        record.mLevels.at(static_cast<size_t>(i)).mBestScore = 100;
        record.mLevels.at(static_cast<size_t>(i)).mBestStars = 1 + i % 3;
    }
    GetRewardList().at(0)->mObtained = true;
    GetRewardList().at(1)->mObtained = true;
    GetRewardList().at(1)->mNew = true;
    ShowMapScreen();
    Frames(kFaderFrames);
    ASSERT_NE(TopScreen<TMapWindow>(), nullptr);
    ExpectLooksRight("map");
    // The map's scene keeps to the edges: the balloon drifts along the top strip.
    const std::vector<uint32_t> mapEarly = Picture();
    Seconds(6.0f);
    ExpectLooksRight("map_later");
    EXPECT_GT(ChangedPixels(mapEarly, Picture(), {200, 0, 480, 110}), 300);
}

// From the first start of the game: every dialog of the menus, and each stage's page of the map.
TEST_F(ScreenTourMapTest, ProfilesDifficultyDialogsAndMapPages) {
    Start();
    ASSERT_NE(WaitForDialog<TUserNameWindow>(TUserNameWindow::kWindowId), nullptr);
    Push(TextEvent("Mira"));
    Frames(1);
    ExpectLooksRight("profile_name_first");
    CloseWith(TUserNameWindow::kWindowId, "ok");

    auto* difficulty = WaitForDialog<TSelectDifficultyModeWindow>(TSelectDifficultyModeWindow::kWindowId);
    ASSERT_NE(difficulty, nullptr);
    ExpectLooksRight("difficulty_presets");
    ClickControl(*difficulty, "customcb");
    Frames(2);
    ExpectLooksRight("difficulty_custom");
    ClickControl(*difficulty, "casualcb");
    ClickControl(*difficulty, "confirm");
    ASSERT_NE(WaitForDialog<TMessageBoxOkWindow>(TMainMenu::kDifficultyNoticeId), nullptr);
    ExpectLooksRight("message_difficulty_notice");
    CloseWith(TMainMenu::kDifficultyNoticeId, "ok");

    // Each stage's page: every level of the set has stars, so every page is open.
    ASSERT_TRUE(WaitFor([] { return TopScreen<TMapWindow>() != nullptr; }));
    ASSERT_TRUE(WaitFor([] { return ShowingTip() != nullptr; }));
    Seconds(2.0f);
    ExpectLooksRight("map_tip");
    DismissTip();
    TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
    for (size_t i = 0; i < record.mLevels.size(); ++i) {
        record.mLevels[i].mBestScore = 100;
        record.mLevels[i].mBestStars = 1 + static_cast<int>(i % 3);
    }
    // A finished first stage: the map points at the next page.
    ShowMapScreen();
    ASSERT_TRUE(WaitFor([] { return ShowingTipName() == "TipMapClickToNextStage"; }));
    Seconds(2.0f);
    ExpectLooksRight("map_tip_next_stage");
    DismissTip();
    TMapWindow* map = TopScreen<TMapWindow>();
    ASSERT_NE(map, nullptr);
    const size_t stages = GetStageList(kMainLevelSet).mStages.size();
    ASSERT_GT(stages, 1u);
    for (size_t stage = 0; stage < stages; ++stage) {
        ASSERT_EQ(map->GetPage(), static_cast<int>(stage));
        ExpectLooksRight(FormatString("map_stage_%d", static_cast<int>(stage) + 1).c_str());
        if (stage + 1 < stages) {
            ClickControl(*map, "nextcity");
            Frames(kFaderFrames);
        }
    }
    ClickControl(*map, "menu");
    ASSERT_TRUE(WaitFor([] { return TopScreen<TMainMenu>() != nullptr; }));
    Frames(kFaderFrames);

    // The profile list with a second player, and the name window it opens.
    TSettings::Get()->AddUser("Anna Lindqvist");
    FreshMenu();
    ExpectLooksRight("main_menu");
    TFlyWindow* profiles = OpenFromMenu("main_profiles", TMainMenu::kProfileListId);
    ASSERT_NE(profiles, nullptr);
    ExpectLooksRight("profile_list");
    ClickControl(*profiles, "create");
    ASSERT_NE(WaitForDialog<TUserNameWindow>(TUserNameWindow::kWindowId), nullptr);
    ExpectLooksRight("profile_name");
    CloseWith(TUserNameWindow::kWindowId, "cancel");
    ClickControl(*profiles, "delete");
    ASSERT_NE(WaitForDialog<TFlyWindow>(TSelectUserWindow::kDeleteConfirmId), nullptr);
    ExpectLooksRight("profile_delete_question");
    CloseWith(TSelectUserWindow::kDeleteConfirmId, "cancel");
    CloseWith(TMainMenu::kProfileListId, "ok");

    // Help, paged through to its end.
    auto* help = dynamic_cast<THelpWindow*>(OpenFromMenu("main_help", THelpWindow::kWindowId));
    ASSERT_NE(help, nullptr);
    const int pages = help->GetBook().GetPageCount();
    ASSERT_GT(pages, 1);
    for (int page = 0; page < pages; ++page) {
        Frames(2);
        ExpectLooksRight(FormatString("help_page_%d", page + 1).c_str());
        if (page + 1 < pages) {
            ClickControl(*help, "help_next");
        }
    }
    CloseWith(THelpWindow::kWindowId, "help_close");

    ASSERT_NE(OpenFromMenu("main_options", TOptionsWindow::kWindowId), nullptr);
    ExpectLooksRight("options");
    CloseWith(TOptionsWindow::kWindowId, "ok");

    ASSERT_NE(OpenFromMenu("main_exit", TMainMenu::kQuitId), nullptr);
    ExpectLooksRight("main_menu_quit");
    CloseWith(TMainMenu::kQuitId, "cancel");
}

// A level in play: its intro, its help page, strokes, a hint, a mistake, the game menu and its quit
// question, the pause window, the results; then mistakes enough to lose the next level.
TEST_F(ScreenTourMapTest, ALevelFromItsIntroToItsResults) {
    StartWithPlayer("Anna Lindqvist");
    GetProfileDifficulty().mHintRecharge = 1;
    MarkMapTipsSeen();
    ShowMapScreen();
    Frames(kFaderFrames);
    TMapWindow* map = TopScreen<TMapWindow>();
    ASSERT_NE(map, nullptr);
    const TMapLevelPlate& plate = *map->GetPlates().at(0);
    ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);
    ASSERT_NE(WaitForDialog<TFlyWindow>(kLevelIntroId), nullptr);
    ExpectLooksRight("level_intro");
    CloseWith(kLevelIntroId, "ok");
    ASSERT_NE(WaitForDialog<TFlyWindow>(kHelpWindowId), nullptr);
    ExpectLooksRight("level_help");
    ASSERT_TRUE(WaitForPlay());
    ASSERT_TRUE(WaitFor([] { return !Controller()->IsShadowShown(); }));
    Frames(kFaderFrames);
    ExpectLooksRight("level_start");

    const TLevelInfoMosaic& level = *GetStageList(kMainLevelSet).mStages.at(0)->mLevels.at(0);
    TLevelLayoutData data;
    ASSERT_TRUE(ReadLevelLayoutFile(level.mFileName, data));
    TBoardMahjong* controller = Controller();
    PickColour(0);
    const TMosaicBoard& board = controller->GetActiveLayout().GetBoard();
    const std::string& firstLine = data.lines.at(0);
    const size_t firstRun = firstLine.find('1');
    ASSERT_NE(firstRun, std::string::npos);
    Stroke(board.GetCell(0, static_cast<int>(firstRun)), board.GetCell(0, static_cast<int>(firstRun)));
    ExpectLooksRight("level_strokes");

    ASSERT_TRUE(WaitFor([&] { return !controller->GetHintButton()->IsRecharging(); }));
    ClickCentre(*controller->GetHintButton());
    Frames(2);
    EXPECT_EQ(controller->GetHintsUsed(), 1);
    ExpectLooksRight("level_hint");

    ASSERT_TRUE(StrokeAMistake(data));
    EXPECT_EQ(controller->GetMistakes(), 1);
    Frames(2);
    ExpectLooksRight("level_mistake");

    ClickCentre(*controller->GetMenuButton());
    auto* menu = WaitForDialog<TFlyWindow>(kGameMenuId);
    ASSERT_NE(menu, nullptr);
    ExpectLooksRight("game_menu");
    ClickControl(*menu, "gamemenu_quit");
    ASSERT_NE(WaitForDialog<TFlyWindow>(TGameMenuWindow::kQuitConfirmId), nullptr);
    ExpectLooksRight("game_menu_quit");
    CloseWith(TGameMenuWindow::kQuitConfirmId, "no");
    CloseWith(kGameMenuId, "gamemenu_continue");

    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    Frames(kFaderFrames);
    ASSERT_NE(TMyWindowManager::Get()->FindById(kPauseWindowId), nullptr);
    ExpectLooksRight("pause");
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    Frames(kFaderFrames);
    ASSERT_EQ(TMyWindowManager::Get()->FindById(kPauseWindowId), nullptr);

    SolveFromLayoutFile(level);
    ASSERT_FALSE(HasFailure());
    auto* results = WaitForDialog<TLevelCompleteWindow>(kResultsWindowId);
    ASSERT_NE(results, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !results->GetButton("nextlevel")->mDisabled; }));
    ExpectLooksRight("results");

    // The next level lost to mistakes.
    ClickControl(*results, "nextlevel");
    ASSERT_TRUE(WaitForPlay());
    controller = Controller();
    const TLevelInfoMosaic& second = *controller->GetLevelRecord();
    ASSERT_TRUE(ReadLevelLayoutFile(second.mFileName, data));
    const int colours = static_cast<int>(controller->GetColourButtons().size());
    for (int colour = 0; colour < colours && controller->GetMistakes() <= controller->GetMaxErrors(); ++colour) {
        PickColour(colour);
        while (controller->GetMistakes() <= controller->GetMaxErrors() && StrokeAMistake(data)) {
        }
    }
    EXPECT_EQ(controller->GetPlayState(), TBoardMahjong::kStateLost);
    ASSERT_NE(WaitForDialog<TFlyWindow>(kMessageBoxId), nullptr);
    ExpectLooksRight("message_too_many_mistakes");
}

// The longest column clue list of one colour on a board.
static size_t LongestColumnClues(const TMosaicBoard& board, int* colourIndex = nullptr) {
    size_t longest = 0;
    for (size_t i = 0; i < board.GetColourRecords().size(); ++i) {
        for (const auto& line : board.GetColourRecords()[i].numbers[kColumns]) {
            if (line.size() > longest) {
                longest = line.size();
                if (colourIndex != nullptr) {
                    *colourIndex = static_cast<int>(i);
                }
            }
        }
    }
    return longest;
}

// The largest board of the main set, and the board with its longest column clue list, in play in their
// own frames; the colour of the board's longest column clue list is chosen, so the strips show their
// fullest.
TEST_F(ScreenTourMapTest, TheLargestBoardsStandInTheirFrames) {
    StartWithPlayer("Anna Lindqvist");
    MarkMapTipsSeen();
    struct TPlace {
        const char* shot;
        int stage = -1;
        int level = -1;
        size_t size = 0;
    };
    TPlace places[] = {{"level_largest"}, {"level_longest_clues"}};
    const TStageList& list = GetStageList(kMainLevelSet);
    for (size_t s = 0; s < list.mStages.size(); ++s) {
        for (size_t l = 0; l < list.mStages[s]->mLevels.size(); ++l) {
            TMosaicBoard board;
            ASSERT_TRUE(LoadLevelLayout(board, list.mStages[s]->mLevels[l]->mFileName, false));
            const size_t sizes[2] = {static_cast<size_t>(board.GetPixelWidth() * board.GetPixelHeight()),
                                     LongestColumnClues(board)};
            for (int k = 0; k < 2; ++k) {
                if (sizes[k] > places[k].size) {
                    places[k] = {places[k].shot, static_cast<int>(s), static_cast<int>(l), sizes[k]};
                }
            }
        }
    }
    for (const TPlace& place : places) {
        SCOPED_TRACE(place.shot);
        ASSERT_GE(place.stage, 0);
        FreshMenu();
        GetCurrentModeProgress().mStage = place.stage;
        ShowMapScreen();
        Frames(kFaderFrames);
        TMapWindow* map = TopScreen<TMapWindow>();
        ASSERT_NE(map, nullptr);
        const TMapLevelPlate& plate = *map->GetPlates().at(static_cast<size_t>(place.level));
        ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);
        CloseWith(kLevelIntroId, "ok");
        ASSERT_TRUE(WaitForPlay());
        // The help page of a kind not seen yet comes up a moment into play.
        Seconds(2.0f);
        DismissTipNow();
        ASSERT_TRUE(WaitFor([] { return !Controller()->IsShadowShown(); }));

        // The level's own frame and back stand where the catalogue puts them.
        TBoardMahjong* controller = Controller();
        EXPECT_EQ(controller->GetStage(), place.stage);
        EXPECT_EQ(controller->GetLevel(), place.level);
        const TLevelInfoMosaic& level = *controller->GetLevelRecord();
        const TStageInfo& stage = *list.mStages.at(static_cast<size_t>(place.stage));
        TMapFrame* frame = FindMapFrame(level.mFrame.empty() ? stage.mFrame : level.mFrame);
        ASSERT_NE(frame, nullptr);
        // The controller lets go of the catalogue's images once it holds its own; loaded again they come
        // from the texture cache, so they are the controller's own textures when it shows this frame.
        LoadMapFrameImages(*frame);
        ASSERT_TRUE(frame->mFrameImage.mTexture && frame->mBackImage.mTexture);
        EXPECT_EQ(controller->GetFrameImage().mTexture.Get(), frame->mFrameImage.mTexture.Get());
        AlphaStaticImage shownFrame = controller->GetFrameImage();
        EXPECT_EQ(static_cast<int>(shownFrame.GetX()), frame->mX);
        EXPECT_EQ(static_cast<int>(shownFrame.GetY()), frame->mY);
        EXPECT_EQ(controller->GetFrameBackImage().mTexture.Get(), frame->mBackImage.mTexture.Get());
        EXPECT_EQ(controller->GetFrameBackImage().mAlpha, 1.0f);

        int colour = 0;
        LongestColumnClues(controller->GetActiveLayout().GetBoard(), &colour);
        PickColour(colour);
        Frames(kFaderFrames);
        ExpectLooksRight(place.shot);
    }
}
