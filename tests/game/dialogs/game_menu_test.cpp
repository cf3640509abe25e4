// The game menu as the controller opens it: the buttons stacked in their box, every road out with the
// result the controller acts on, the popups that hide it and bring it back, the quit question, and the
// preview browser's bounds.

#include "controller/game_windows.h"
#include "data/stages.h"
#include "dialogs/game_menu.h"
#include "dialogs_fixture.h"

namespace dialogtest {
namespace {

class GameMenuTest : public RunningDialogsTest {
protected:
    TGameMenuWindow* OpenMenu() {
        mWindows.ShowGameMenu(&mController);
        Settle();
        return dynamic_cast<TGameMenuWindow*>(FindWindow(TGameMenuWindow::kWindowId));
    }

    TGameWindows mWindows;
    TControllerRecorder mController;
};

TEST_F(GameMenuTest, ButtonsWiderThanTheBoxAreCentredOnTheFirstAndStackedWithEqualGaps) {
    TGameMenuWindow* menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    // The shipped box: 0, 80, 460 x 470; seven buttons of 260 x 50, so the gap is (470 - 350) / 8 = 15.
    const char* const order[] = {"gamemenu_options",    "gamemenu_help",   "gamemenu_quit",
                                 "gamemenu_continue",   "gamemenu_replay", "gamemenu_changedifficulty",
                                 "gamemenu_selectlevel"};
    int expectedY = 80 + 15;
    for (const char* name : order) {
        const TMyButton* button = FindButton(menu, name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->mX, (460 - 260) / 2) << name;
        EXPECT_EQ(button->mY, expectedY) << name;
        expectedY += 15 + 50;
    }
}

TEST_F(GameMenuTest, EachWayOutClosesTheMenuWithTheResultTheControllerActsOn) {
    const struct {
        const char* button;
        int result;
    } cases[] = {{"gamemenu_continue", 4}, {"gamemenu_replay", 5}, {"gamemenu_selectlevel", 9}};
    for (const auto& entry : cases) {
        mController.mLines.clear();
        TGameMenuWindow* menu = OpenMenu();
        ASSERT_NE(menu, nullptr) << entry.button;
        Click(FindButton(menu, entry.button));
        Settle();
        EXPECT_EQ(FindWindow(TGameMenuWindow::kWindowId), nullptr) << entry.button;
        const std::vector<std::string> expected = {"shown", FormatString("closed 10 %d", entry.result), "hidden"};
        EXPECT_EQ(mController.mLines, expected) << entry.button;
    }
}

TEST_F(GameMenuTest, QuittingAsksFirstAndSavesTheProfileBeforeLeaving) {
    AddPlayer("Ann");
    TGameMenuWindow* menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    Click(FindButton(menu, "gamemenu_quit"));
    Settle();
    TMyWindow* question = FindWindow(TGameMenuWindow::kQuitConfirmId);
    ASSERT_NE(question, nullptr);
    EXPECT_FALSE(menu->mShown);
    // "No" brings the menu back as it was.
    Click(FindButton(question, "no"));
    Settle();
    EXPECT_EQ(FindWindow(TGameMenuWindow::kQuitConfirmId), nullptr);
    EXPECT_TRUE(menu->mShown);
    EXPECT_EQ(FindWindow(TGameMenuWindow::kWindowId), menu);
    EXPECT_EQ(mController.mLines, std::vector<std::string>{"shown"});

    // A value only the profile file can carry proves the save.
    TUserInfo::Get()->SetMusicVolume(0.125f);
    Click(FindButton(menu, "gamemenu_quit"));
    Settle();
    Click(FindButton(FindWindow(TGameMenuWindow::kQuitConfirmId), "yes"));
    Settle();
    EXPECT_EQ(FindWindow(TGameMenuWindow::kWindowId), nullptr);
    const std::vector<std::string> expected = {"shown", "closed 10 3", "hidden"};
    EXPECT_EQ(mController.mLines, expected);
    TUserInfo::Get()->SetMusicVolume(0.9f);
    ASSERT_TRUE(TSettings::Get()->LoadProfile());
    EXPECT_FLOAT_EQ(TUserInfo::Get()->GetMusicVolume(), 0.125f);
}

TEST_F(GameMenuTest, PopupsHideTheMenuUntilTheyCloseButTheDifficultyOpensOverIt) {
    const struct {
        const char* button;
        int popupId;
        const char* closeButton;
        bool menuShownWhileOpen;
    } cases[] = {{"gamemenu_options", 24, "menu", false},
                 {"gamemenu_help", 333, "help_close", false},
                 {"gamemenu_changedifficulty", 11, "cancel", true}};
    TGameMenuWindow* menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    for (const auto& entry : cases) {
        Click(FindButton(menu, entry.button));
        Settle();
        TMyWindow* popup = FindWindow(entry.popupId);
        ASSERT_NE(popup, nullptr) << entry.button;
        EXPECT_EQ(TopPopup(), popup) << entry.button;
        EXPECT_EQ(menu->mShown, entry.menuShownWhileOpen) << entry.button;
        Click(FindButton(popup, entry.closeButton));
        Settle();
        EXPECT_EQ(FindWindow(entry.popupId), nullptr) << entry.button;
        EXPECT_TRUE(menu->mShown) << entry.button;
    }
    EXPECT_EQ(mController.mLines, std::vector<std::string>{"shown"});
}

TEST_F(GameMenuTest, ThePreviewBrowserStopsAtBothEnds) {
    // A game type whose entry lists three tilesets that may be changed.
    constexpr int kBrowsedType = 77;
    auto& catalogue = const_cast<TStageCatalogue&>(GetStageCatalogue());
    catalogue.mTilesetDefaults.push_back({kBrowsedType, true, false, {"basic", "sea", "woods"}});
    auto owned = std::make_unique<TGameMenuWindow>("ui/gamemenu.xml", nullptr, kBrowsedType);
    TGameMenuWindow* menu = owned.get();
    TMyWindowManager::Get()->ShowPopup(std::move(owned));
    Settle();
    TMyButton* prev = FindButton(menu, "prev");
    TMyButton* next = FindButton(menu, "next");
    ASSERT_NE(prev, nullptr);
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(prev->mShown);
    EXPECT_TRUE(next->mShown);
    const struct {
        TMyButton* press;
        int index;
        bool prevDisabled;
        bool nextDisabled;
    } steps[] = {{prev, 0, true, false}, {next, 1, false, false}, {next, 2, false, true},
                 {next, 2, false, true}, {prev, 1, false, false}, {prev, 0, true, false}};
    int step = 0;
    for (const auto& entry : steps) {
        Click(entry.press);
        EXPECT_EQ(menu->GetPreviewIndex(), entry.index) << "step " << step;
        EXPECT_EQ(prev->mDisabled, entry.prevDisabled) << "step " << step;
        EXPECT_EQ(next->mDisabled, entry.nextDisabled) << "step " << step;
        ++step;
    }
    catalogue.mTilesetDefaults.pop_back();
}

TEST_F(GameMenuTest, WithoutAnEntryToBrowseThePreviewButtonsAreHidden) {
    auto& catalogue = const_cast<TStageCatalogue&>(GetStageCatalogue());
    const struct {
        const char* name;
        int gameType;
        std::vector<TTilesetDefaults> entries;
        // Hidden either way; with one tileset or none there is no next one either.
        bool nextDisabled;
    } cases[] = {
        {"no entry for the game type", 78, {}, true},
        {"one tileset that may be changed", 79, {{79, true, false, {"basic"}}}, true},
        {"several tilesets that may not be changed", 80, {{80, false, false, {"basic", "sea"}}}, false},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        catalogue.mTilesetDefaults.insert(catalogue.mTilesetDefaults.end(), entry.entries.begin(), entry.entries.end());
        auto owned = std::make_unique<TGameMenuWindow>("ui/gamemenu.xml", nullptr, entry.gameType);
        TGameMenuWindow* menu = owned.get();
        TMyWindowManager::Get()->ShowPopup(std::move(owned));
        Settle();
        EXPECT_FALSE(FindButton(menu, "prev")->mShown);
        EXPECT_FALSE(FindButton(menu, "next")->mShown);
        EXPECT_EQ(FindButton(menu, "next")->mDisabled, entry.nextDisabled);
        TMyWindowManager::Get()->Remove(menu);
        catalogue.mTilesetDefaults.resize(catalogue.mTilesetDefaults.size() - entry.entries.size());
    }
}

} // namespace
} // namespace dialogtest
