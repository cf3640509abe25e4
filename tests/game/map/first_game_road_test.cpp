// A player's whole first game in the real game, driven by clicks and typing through SDL's event queue
// over the shipped data: the name window at the first start, the difficulty, its notice, the map, the
// first plate, the level intro, strokes that solve the level (worked out from its layout file), the
// results, the next level; then a new start of the game shows the stars earned on the map.

#include <gtest/gtest.h>

#include "dialogs/difficulty_window.h"
#include "dialogs/profile_windows.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "screens/level_complete_window.h"
#include "windows/message_box.h"

class FirstGameRoadTest : public MapScreensTest {};

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
    ReleaseProcessState();
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
