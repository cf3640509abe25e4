// The help book read from a file and the help window paging through it: where a page puts its texts,
// images and animations, which buttons each page shows, and the single page the controller opens.

#include <filesystem>

#include "controller/game_windows.h"
#include "dialogs/help_window.h"
#include "dialogs_fixture.h"
#include "graphics/font_image.h"
#include "graphics/terms.h"
#include "screens/screen_openers.h"

namespace dialogtest {
namespace {

class HelpWindowTest : public RunningDialogsTest {
protected:
    // A book file outside the shipped data, in a folder named "assets" so its path is used as it stands.
    std::string WriteBook(const std::string& pages) {
        const std::string path = harness::MakeTempFolder() + "/assets/book.xml";
        EXPECT_TRUE(harness::WriteFile(path, "<help>" + pages + "</help>"));
        return path;
    }

    THelpWindow* OpenHelp() {
        OpenHelpWindow(&mOpener);
        Settle();
        return dynamic_cast<THelpWindow*>(FindWindow(THelpWindow::kWindowId));
    }

    TClosedRecorder mOpener;
};

TEST_F(HelpWindowTest, APageShiftsItsPicturesByItsOffsetButNotItsTexts) {
    THelpBook book;
    book.Load(WriteBook(R"(<page DX="100" DY="7">
        <text rect="10.20.300.40" id="help_next" color="255.0.0.255" align="1" font="body" fontsize="20"/>
        <text rect="10.20.0.40" x="5" y="6" w="70" id="no_such_term"/>
        <text id="help_prev"/>
        <image image="ui/dialogs/help_pick" x="3" y="4"/>
        <cadrimage filename="ui/dialogs/help_stroke" frames="6" speed="0.5" cadrw="202" cadrh="162" x="1" y="2"/>
      </page><page/>)"));
    ASSERT_EQ(book.GetPageCount(), 2);
    const THelpPage* page = book.GetPage(0);
    ASSERT_EQ(page->mTexts.size(), 3u);
    const struct {
        int x, y, w, h;
        std::wstring text;
    } texts[] = {{10, 20, 300, 40, GetTerms()->GetWideText("help_next")},
                 {5, 6, 70, 0, L"no_such_term"},
                 {0, 0, 0, 0, GetTerms()->GetWideText("help_prev")}};
    for (size_t i = 0; i < 3; ++i) {
        const THelpText& text = page->mTexts[i];
        EXPECT_EQ(text.mX, texts[i].x) << i;
        EXPECT_EQ(text.mY, texts[i].y) << i;
        EXPECT_EQ(text.mW, texts[i].w) << i;
        EXPECT_EQ(text.mH, texts[i].h) << i;
        EXPECT_EQ(text.mText, texts[i].text) << i;
    }
    EXPECT_EQ(page->mTexts[0].mAlign, 1);
    EXPECT_FLOAT_EQ(page->mTexts[0].mColor.r, 1.0f);
    EXPECT_EQ(page->mTexts[0].mFont, "body");

    book.mOriginX = 200;
    book.mOriginY = 50;
    book.DrawPage(0, 1.0f);
    ASSERT_EQ(page->mImages.size(), 1u);
    ASSERT_EQ(page->mAnimations.size(), 1u);
    EXPECT_FLOAT_EQ(page->mImages[0]->GetX(), 200 + 100 + 3);
    EXPECT_FLOAT_EQ(page->mImages[0]->GetY(), 50 + 7 + 4);
    EXPECT_FLOAT_EQ(page->mAnimations[0]->mImage.GetX(), 200 + 100 + 1);
    EXPECT_FLOAT_EQ(page->mAnimations[0]->mImage.GetY(), 50 + 7 + 2);
    EXPECT_TRUE(page->mAnimations[0]->mPlaying);
}

TEST_F(HelpWindowTest, AMissingBookGivesNoPagesAndPagingDoesNothing) {
    THelpBook book;
    book.Load(harness::MakeTempFolder() + "/assets/none.xml");
    EXPECT_EQ(book.GetPageCount(), 0);
    book.NextPage();
    book.PrevPage();
    book.DrawPage(0, 1.0f);
    book.UpdatePage(0.1f);
    EXPECT_EQ(book.GetCurrentPage(), 0);
}

TEST_F(HelpWindowTest, PagingShowsOnlyTheButtonsThatLeadSomewhere) {
    THelpWindow* help = OpenHelp();
    ASSERT_NE(help, nullptr);
    const int pages = help->GetBook().GetPageCount();
    ASSERT_GE(pages, 4) << "the controller opens pages 0 to 3";
    TMyButton* prev = FindButton(help, "help_prev");
    TMyButton* next = FindButton(help, "help_next");
    EXPECT_FALSE(prev->mShown);
    EXPECT_TRUE(next->mShown);
    for (int page = 1; page < pages; ++page) {
        Click(next);
        EXPECT_EQ(help->GetBook().GetCurrentPage(), page);
        EXPECT_TRUE(prev->mShown) << page;
        EXPECT_EQ(next->mShown, page < pages - 1) << page;
    }
    Click(prev);
    EXPECT_EQ(help->GetBook().GetCurrentPage(), pages - 2);
    EXPECT_TRUE(next->mShown);
    Click(FindButton(help, "help_close"));
    Settle();
    EXPECT_EQ(FindWindow(THelpWindow::kWindowId), nullptr);
    EXPECT_EQ(mOpener.mLines, std::vector<std::string>{"closed 333 -1"});
}

TEST_F(HelpWindowTest, TheControllersSinglePageShowsOnlyCloseAndReportsMinusOne) {
    TGameWindows windows;
    TControllerRecorder controller;
    windows.ShowHelpPage(2, 0.5f, &controller);
    // The window waits for its delay before it shows.
    EXPECT_TRUE(controller.mLines.empty());
    Settle();
    auto* help = dynamic_cast<THelpWindow*>(FindWindow(THelpWindow::kWindowId));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->GetBook().GetCurrentPage(), 2);
    EXPECT_FALSE(FindButton(help, "help_prev")->mShown);
    EXPECT_FALSE(FindButton(help, "help_next")->mShown);
    EXPECT_TRUE(FindButton(help, "help_close")->mShown);
    Click(FindButton(help, "help_close"));
    Settle();
    const std::vector<std::string> expected = {"shown", "closed 333 -1", "hidden"};
    EXPECT_EQ(controller.mLines, expected);
}

TEST_F(HelpWindowTest, ClosingFromTheControllerTakesTheWindowAwayAndLetsTheGameGoOn) {
    TGameWindows windows;
    TControllerRecorder controller;
    windows.ShowHelpPage(1, 0, &controller);
    Settle();
    ASSERT_NE(FindWindow(THelpWindow::kWindowId), nullptr);
    windows.CloseHelpWindow();
    Frame();
    EXPECT_EQ(FindWindow(THelpWindow::kWindowId), nullptr);
    // Shown and hidden balance, so the controller is not left frozen.
    EXPECT_EQ(controller.mLines, (std::vector<std::string>{"shown", "hidden"}));
    windows.CloseHelpWindow();
}

TEST_F(HelpWindowTest, AHelpDescriptionWithoutItsCloseButtonIsNeverShown) {
    // Such a window could not be left, and the controller would stay frozen under it.
    const std::string root = harness::MakeTempFolder();
    ASSERT_TRUE(harness::WriteFile(root + "/assets/ui/help.xml",
                                   "<l><object name='window' type='flywindow' w='300' h='200'/>"
                                   "<object name='help_next' type='button' id='3' x='0' y='0' w='50' h='20'/></l>"));
    // The running game reads its data from the working folder.
    const std::filesystem::path shipped = std::filesystem::current_path();
    std::filesystem::current_path(root);
    TGameWindows windows;
    TControllerRecorder controller;
    windows.ShowHelpPage(0, 0, &controller);
    OpenHelpWindow(&mOpener);
    Settle();
    EXPECT_EQ(FindWindow(THelpWindow::kWindowId), nullptr);
    EXPECT_TRUE(controller.mLines.empty());
    EXPECT_TRUE(harness::LogContains("help window: ui/help.xml has no close button, not shown"));
    std::filesystem::current_path(shipped);
}

TEST_F(HelpWindowTest, EveryShippedPageTextFitsItsBox) {
    THelpBook book;
    book.Load(THelpWindow::kBookFile);
    ASSERT_GE(book.GetPageCount(), 4);
    TSimpleTextImage measure;
    for (int index = 0; index < book.GetPageCount(); ++index) {
        for (const THelpText& text : book.GetPage(index)->mTexts) {
            measure.SetFont(text.mFont.empty() ? "default" : text.mFont);
            ASSERT_NE(measure.GetFont(), nullptr) << text.mFont;
            EXPECT_LE(measure.GetFont()->GetTextWidthW(text.mText), text.mW)
                << "page " << index << ": " << ToUtf8(text.mText);
            // A key without its term would show the key itself.
            EXPECT_NE(ToUtf8(text.mText).rfind("help_", 0), 0u) << "page " << index << ": " << ToUtf8(text.mText);
        }
    }
}

} // namespace
} // namespace dialogtest
