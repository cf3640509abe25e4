// A player's whole first game in the real game, driven by clicks and typing through SDL's event queue
// over the shipped data: the name window at the first start, the difficulty, its notice, the map, the
// first plate, the level intro, strokes that solve the level (worked out from its layout file), the
// results, the next level; then a new start of the game shows the stars earned on the map.

#include <gtest/gtest.h>

#include <functional>

#include "board_mahjong.h"
#include "controller_windows.h"
#include "dialogs/difficulty_window.h"
#include "dialogs/profile_windows.h"
#include "level_layout_file.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "screens/level_complete_window.h"
#include "screens/room_window.h"
#include "stages.h"
#include "windows/image_control.h"
#include "windows/message_box.h"

namespace {

// A point of the map that no plate, button or reward place covers.
constexpr int kQuietX = 1100;
constexpr int kQuietY = 300;

void CentreOf(const TMyWindow& window, int& x, int& y) {
    window.GetAbsolutePosition(x, y);
    x += window.mWidth / 2;
    y += window.mHeight / 2;
}

} // namespace

class FirstGameRoadTest : public MapScreensTest {
protected:
    // Frames until the condition holds, at most the given seconds; whether it came to hold.
    bool WaitFor(const std::function<bool()>& condition, float seconds = 10.0f) {
        for (int frame = 0; frame < static_cast<int>(seconds * kFramesPerSecond); ++frame) {
            if (condition()) {
                return true;
            }
            Frames(1);
        }
        return condition();
    }

    // The fly window of that id once it rests in its place.
    template <class T> T* WaitForDialog(int id) {
        T* window = nullptr;
        WaitFor([&] {
            window = dynamic_cast<T*>(TMyWindowManager::Get()->FindById(id));
            return window != nullptr && window->GetState() == TFlyWindow::kShown;
        });
        return window != nullptr && window->GetState() == TFlyWindow::kShown ? window : nullptr;
    }

    void ClickControl(const TMyWindow& window, const char* name) {
        const TMyWindow* control = window.FindChildByName(name);
        ASSERT_NE(control, nullptr) << name;
        int x = 0;
        int y = 0;
        CentreOf(*control, x, y);
        ClickAt(x, y);
    }

    // A tip that came up is answered with a click where it does nothing else.
    void DismissTip() {
        if (ShowingTip() != nullptr) {
            ClickAt(kQuietX, kQuietY);
            WaitFor([] { return ShowingTip() == nullptr; });
        }
    }

    static TBoardMahjong* Controller() {
        auto* screen = dynamic_cast<TRoomWindow*>(TMyWindowManager::Get()->FindById(kGameScreenId));
        return screen != nullptr ? dynamic_cast<TBoardMahjong*>(screen->GetController()) : nullptr;
    }

    bool WaitForPlay() {
        return WaitFor([this] {
            DismissTipNow();
            return Controller() != nullptr && Controller()->GetPlayState() == TBoardMahjong::kStatePlaying;
        });
    }

    // What the game puts in front of the board when a level starts: tips, and the help page of the
    // level's kind, which the player closes.
    void DismissTipNow() {
        if (ShowingTip() != nullptr) {
            HideTutorial();
        }
        auto* help = dynamic_cast<TFlyWindow*>(TMyWindowManager::Get()->FindById(kHelpWindowId));
        if (help != nullptr && help->GetState() == TFlyWindow::kShown) {
            ClickControl(*help, "help_close");
            WaitFor([] { return TMyWindowManager::Get()->FindById(kHelpWindowId) == nullptr; });
        }
    }

    // Paints every run of each colour of the level's file, colour by colour, row by row.
    void SolveFromLayoutFile(const TLevelInfoMosaic& level) {
        TLevelLayoutData data;
        ASSERT_TRUE(ReadLevelLayoutFile(level.mFileName, data));
        TBoardMahjong* controller = Controller();
        ASSERT_NE(controller, nullptr);
        const TMosaicBoard& board = controller->GetActiveLayout().GetBoard();
        ASSERT_EQ(board.GetRows(), data.rows);
        ASSERT_EQ(board.GetCols(), data.cols);
        for (char colour = '1'; colour <= '9'; ++colour) {
            bool picked = false;
            for (int row = 0; row < data.rows; ++row) {
                const std::string& line = data.lines.at(static_cast<size_t>(row));
                for (int from = 0; from < data.cols;) {
                    if (line[static_cast<size_t>(from)] != colour) {
                        ++from;
                        continue;
                    }
                    int to = from;
                    while (to + 1 < data.cols && line[static_cast<size_t>(to + 1)] == colour) {
                        ++to;
                    }
                    if (!picked) {
                        PickColour(colour - '1');
                        picked = true;
                    }
                    Stroke(board.GetCell(row, from), board.GetCell(row, to));
                    from = to + 1;
                }
            }
        }
    }

    void PickColour(int index) {
        DismissTipNow();
        TBoardMahjong* controller = Controller();
        ASSERT_LT(index, static_cast<int>(controller->GetColourButtons().size()));
        int x = 0;
        int y = 0;
        CentreOf(*controller->GetColourButtons()[static_cast<size_t>(index)], x, y);
        ClickAt(x, y);
        Frames(2);
        DismissTipNow();
        EXPECT_EQ(controller->GetActiveLayout().GetBoard().GetCurrentColourIndex(), index);
    }

    void Stroke(const TMosaicCell& first, const TMosaicCell& last) {
        DismissTipNow();
        PressAt(first.x + first.w / 2, first.y + first.h / 2);
        Push(MotionEvent(SDL_BUTTON_LMASK, last.x + last.w / 2, last.y + last.h / 2));
        Frames(1);
        ReleaseAt(last.x + last.w / 2, last.y + last.h / 2);
        Frames(2);
    }
};

TEST_F(FirstGameRoadTest, FirstStartToTheSecondLevelAndTheStarsAfterARestart) {
    Start();
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);

    // No player yet: the menu asks for a name.
    TUserNameWindow* name = WaitForDialog<TUserNameWindow>(TUserNameWindow::kWindowId);
    ASSERT_NE(name, nullptr);
    Push(TextEvent("Mira"));
    Frames(1);
    ClickControl(*name, "ok");
    ASSERT_TRUE(WaitFor([] { return TSettings::Get()->GetUserCount() == 1; }));
    EXPECT_EQ(TSettings::Get()->GetUserName(), "Mira");

    // A new game: the difficulty, then its notice.
    auto* difficulty = WaitForDialog<TSelectDifficultyModeWindow>(TSelectDifficultyModeWindow::kWindowId);
    ASSERT_NE(difficulty, nullptr);
    ClickControl(*difficulty, "casualcb");
    ClickControl(*difficulty, "confirm");
    auto* notice = WaitForDialog<TMessageBoxOkWindow>(TMainMenu::kDifficultyNoticeId);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->GetMessage()->mTextKey, "changedifficultytext");
    EXPECT_EQ(TUserInfo::Get()->GetDifficultyChoice(), 0);
    EXPECT_TRUE(TUserInfo::Get()->HasPair("NewGame", "true"));
    ClickControl(*notice, "ok");

    // The map of the first stage; its first tip is answered, then the first plate starts the level.
    ASSERT_TRUE(WaitFor([] { return TopScreen<TMapWindow>() != nullptr; }));
    ASSERT_TRUE(WaitFor([] { return ShowingTip() != nullptr; }));
    EXPECT_EQ(ShowingTipName(), "TipMapClickToPlay");
    DismissTip();
    TMapWindow* map = TopScreen<TMapWindow>();
    ASSERT_NE(map, nullptr);
    ASSERT_FALSE(map->GetPlates().empty());
    EXPECT_EQ(map->GetRingPlate(), 0);
    const TMapLevelPlate& plate = *map->GetPlates()[0];
    ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);

    // The intro, then play: the strokes from the level's file solve it.
    ASSERT_TRUE(WaitForPlay());
    const TStageList& set = GetStageList(kMainLevelSet);
    const TLevelInfoMosaic& first = *set.mStages.at(0)->mLevels.at(0);
    // The catalogue is read again by the next start.
    const std::string firstPicture = "textures/layouts/" + first.mBaseName;
    SolveFromLayoutFile(first);
    ASSERT_FALSE(HasFailure());

    // The results, with at least the star for completing the level; then the next level.
    TLevelCompleteWindow* results = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        results = dynamic_cast<TLevelCompleteWindow*>(TMyWindowManager::Get()->FindById(kResultsWindowId));
        return results != nullptr && results->GetState() == TFlyWindow::kShown;
    }));
    const TLevelProgress& firstResult = TUserInfo::Get()->GetModeProgress(0).mLevels.at(0);
    EXPECT_GT(firstResult.mBestScore, 0);
    const int stars = firstResult.mBestStars;
    EXPECT_GE(stars, 1);
    ASSERT_TRUE(WaitFor([&] { return !results->GetButton("nextlevel")->mDisabled; }));
    ClickControl(*results, "nextlevel");
    ASSERT_TRUE(WaitForPlay());
    EXPECT_EQ(GetCurrentModeProgress().mStage, 0);
    EXPECT_EQ(GetCurrentModeProgress().mLevel, 1);

    // A new start of the game: Play goes straight to the map, which shows what was earned.
    mGame.reset();
    TUserInfo::Release();
    RemoveUserRecords();
    TRewardConnector::Get() = TRewardConnector();
    GetProfileDifficulty() = TBaseMosaicSettings();
    Start();
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    ASSERT_EQ(TSettings::Get()->GetUserCount(), 1);
    ClickAt(683, 300);
    ASSERT_TRUE(WaitFor([] { return TopScreen<TMapWindow>() != nullptr; }));
    map = TopScreen<TMapWindow>();
    ASSERT_FALSE(map->GetPlates().empty());
    EXPECT_EQ(map->GetPlates()[0]->bestStars, stars);
    EXPECT_EQ(map->GetPlates()[0]->picture.mImageName, firstPicture);
    EXPECT_EQ(map->GetRingPlate(), 1);
}
