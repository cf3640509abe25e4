// Leaving a screen while something still points into it, in the real game driven through SDL's event
// queue: a level plate clicked twice, a dialog opened during the fade away from its screen, and the game
// menu's way back to the map. Under AddressSanitizer a window or listener reached after it was deleted
// fails the test at once.

#include <gtest/gtest.h>

#include "dialogs/game_menu.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "windows/message_box.h"

namespace {

// Play and Quit in ui/mainmenu.xml.
constexpr int kMenuX = 683;
constexpr int kPlayY = 300;
constexpr int kExitY = 612;

int CountScreens(int id) {
    int count = 0;
    for (const TMyWindow* screen : TMyWindowManager::Get()->GetScreens()) {
        count += screen->mId == id ? 1 : 0;
    }
    return count;
}

} // namespace

class LeavingScreensTest : public MapScreensTest {
protected:
    // A player who has played before: Play goes straight to the map, whose tips are already seen.
    void StartWithReturningPlayer() {
        StartWithPlayer();
        MarkMapTipsSeen();
        TUserInfo::Get()->GetModeProgress(0).mModePlayed = true;
        TUserInfo::Get()->SetDifficultyChoice(0);
    }

    TMapWindow* OpenMap() {
        ClickAt(kMenuX, kPlayY);
        WaitFor(
            [] { return TopScreen<TMapWindow>() != nullptr && TMyWindowManager::Get()->GetActiveFader() == nullptr; });
        return TopScreen<TMapWindow>();
    }
};

TEST_F(LeavingScreensTest, APlateClickedTwiceStartsOneLevelWhoseControlsStandOnTheShownScreen) {
    StartWithReturningPlayer();
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    const TMapLevelPlate& plate = *map->GetPlates().at(0);
    const int x = plate.x + plate.width / 2;
    const int y = plate.y + plate.height / 2;
    ClickAt(x, y);
    ClickAt(x, y);
    TMyWindow* first = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (first = TMyWindowManager::Get()->FindById(kGameScreenId)) != nullptr; }));
    ASSERT_TRUE(WaitForPlay());
    // Long enough for the board to appear and a second screen change, had one been queued, to end.
    Seconds(5);
    EXPECT_EQ(CountScreens(kGameScreenId), 1);
    // The second click started nothing: the game screen shown first is still the one in play.
    EXPECT_EQ(TMyWindowManager::Get()->FindById(kGameScreenId), first);
    TBoardMahjong* controller = Controller();
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetPlayState(), TBoardMahjong::kStatePlaying);
    ASSERT_NE(controller->GetMenuButton(), nullptr);
    EXPECT_EQ(controller->GetMenuButton()->mParent, TMyWindowManager::Get()->FindById(kGameScreenId));
    ASSERT_NE(controller->GetTimerLabel(), nullptr);
    EXPECT_EQ(controller->GetTimerLabel()->mParent, TMyWindowManager::Get()->FindById(kGameScreenId));
}

TEST_F(LeavingScreensTest, TheQuitBoxOpenedDuringTheFadeToTheMapGoesWithTheMenu) {
    StartWithReturningPlayer();
    ClickAt(kMenuX, kPlayY);
    ASSERT_NE(TMyWindowManager::Get()->GetActiveFader(), nullptr);
    ClickAt(kMenuX, kExitY);
    ASSERT_NE(TMyWindowManager::Get()->FindById(TMainMenu::kQuitId), nullptr);
    ASSERT_TRUE(WaitFor([] { return TopScreen<TMapWindow>() != nullptr; }));
    EXPECT_EQ(TMyWindowManager::Get()->FindById(TMainMenu::kQuitId), nullptr);
    EXPECT_EQ(PopupCount(), 0u);
    // Clicks on the map reach nothing that calls the menu that is gone.
    for (int step = 0; step < 8; ++step) {
        ClickAt(kQuietX, kQuietY + step * 10);
    }
    Seconds(2);
    EXPECT_NE(TopScreen<TMapWindow>(), nullptr);
}

TEST_F(LeavingScreensTest, TheGameMenuLeavesWithTheGameScreenForTheMapAndStaysGoneOnTheMenu) {
    StartWithReturningPlayer();
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    const TMapLevelPlate& plate = *map->GetPlates().at(0);
    ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);
    ASSERT_TRUE(WaitForPlay());
    int x = 0;
    int y = 0;
    CentreOf(*Controller()->GetMenuButton(), x, y);
    ClickAt(x, y);
    auto* menu = WaitForDialog<TGameMenuWindow>(kGameMenuId);
    ASSERT_NE(menu, nullptr);
    ClickControl(*menu, "gamemenu_selectlevel");
    ASSERT_TRUE(WaitFor([] { return TopScreen<TMapWindow>() != nullptr; }));
    Seconds(3);
    EXPECT_EQ(TMyWindowManager::Get()->FindById(kGameMenuId), nullptr);
    EXPECT_EQ(PopupCount(), 0u);
    EXPECT_EQ(CountScreens(kGameScreenId), 0);

    map = TopScreen<TMapWindow>();
    ASSERT_NE(map, nullptr);
    CentreOf(*map->GetButton(TMapWindow::kMenuButton), x, y);
    ClickAt(x, y);
    ASSERT_TRUE(WaitFor([] { return TopScreen<TMainMenu>() != nullptr; }));
    Seconds(3);
    EXPECT_EQ(TMyWindowManager::Get()->FindById(kGameMenuId), nullptr);
    EXPECT_EQ(PopupCount(), 0u);
}
