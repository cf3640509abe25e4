// The main menu and the level map as the player sees them: every label's text fits its box and every
// image, sound and term they use exists in the shipped data. With VERDANEL_SHOTS_DIR set (see
// tools/screenshots.sh) each stop is saved as a picture.

#include <gtest/gtest.h>

#include "app/missing_names.h"
#include "app/renderer.h"
#include "harness/screen_checks.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map_fixture.h"

class ScreenTourMapTest : public MapScreensTest {
protected:
    void ExpectLooksRight(const char* shot) {
        SDL_RenderClear(GetSDLRenderer());
        TMyWindowManager::Get()->Draw();
        EXPECT_TRUE(harness::SaveShotIfAsked(shot));
        EXPECT_EQ(harness::LabelsThatDoNotFit(), std::vector<std::string>{});
        for (const TMissingName& missing : GetMissingNames()) {
            ADD_FAILURE() << missing.kind << " not found " << missing.name;
        }
    }
};

TEST_F(ScreenTourMapTest, MainMenuAndMap) {
    StartWithPlayer("Anna Lindqvist");
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    Seconds(1.0f);
    ExpectLooksRight("main_menu");
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
}
