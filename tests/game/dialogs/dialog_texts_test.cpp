// Every dialog, in each of its looks, with the shipped texts: no label is cut by its box.

#include "controller/game_windows.h"
#include "dialogs/difficulty_window.h"
#include "dialogs/game_menu.h"
#include "dialogs/help_window.h"
#include "dialogs_fixture.h"
#include "harness/screen_checks.h"
#include "screens/screen_openers.h"

namespace dialogtest {
namespace {

class DialogTextsTest : public RunningDialogsTest {
protected:
    void ExpectAllFit(const std::string& look) {
        const std::vector<std::string> cut = harness::LabelsThatDoNotFit();
        EXPECT_TRUE(cut.empty()) << look << ": " << ::testing::PrintToString(cut);
        harness::SaveShotIfAsked("dialog_" + look);
    }

    void CloseTop(const char* button) {
        Click(FindButton(TopPopup(), button));
        Settle();
    }
};

TEST_F(DialogTextsTest, NoDialogCutsItsTexts) {
    AddPlayer("Ann");
    AddPlayer("Вера");
    TGameWindows windows;
    TControllerRecorder controller;
    windows.ShowGameMenu(&controller);
    Settle();
    ExpectAllFit("gamemenu");
    Click(FindButton(TopPopup(), "gamemenu_quit"));
    Settle();
    ExpectAllFit("quitgame");
    CloseTop("no");
    CloseTop("gamemenu_continue");

    OpenHelpWindow(nullptr);
    Settle();
    ExpectAllFit("help");
    CloseTop("help_close");

    OpenOptionsWindow();
    Settle();
    ExpectAllFit("options");
    CloseTop("menu");

    OpenDifficultyWindow(nullptr);
    Settle();
    for (const char* preset : {"casualcb", "normalcb", "expertcb", "customcb"}) {
        Click(FindButton(TopPopup(), preset));
        ExpectAllFit(std::string("difficulty_") + preset);
    }
    CloseTop("cancel");

    OpenProfileListWindow(nullptr);
    Settle();
    ExpectAllFit("selectuser");
    Click(FindButton(TopPopup(), "create"));
    Settle();
    Type("ЖЖЖЖЖЖЖЖЖЖ");
    ExpectAllFit("username");
}

} // namespace
} // namespace dialogtest
