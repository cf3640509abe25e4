// Message boxes over the shipped "ui/mbok.xml" and "ui/mbokcancel.xml", and the pause notice: what their files hold,
// the choice a click reports, and how a box looks; and a box file that lacks its message.

#include <functional>
#include <memory>

#include "dialogs_fixture.h"
#include "shipped_ui_fixture.h"
#include "windows/message_box.h"
#include "windows/ui_window_box.h"

namespace {

using wintest::TFlyRecorder;
using Lines = std::vector<std::string>;

using BoxMaker = std::function<std::unique_ptr<TMessageBoxWindow>(TFlyWindowListener*)>;

struct BoxKind {
    const char* name;
    BoxMaker make;
    std::vector<int> buttonIds;
};

const std::vector<BoxKind>& BoxKinds() {
    static const std::vector<BoxKind> kinds = {
        {"ok",
         [](TFlyWindowListener* l) -> std::unique_ptr<TMessageBoxWindow> {
             return std::make_unique<TMessageBoxOkWindow>(l, "quit", "sureexit", 50);
         },
         {1}},
        {"ok-cancel",
         [](TFlyWindowListener* l) -> std::unique_ptr<TMessageBoxWindow> {
             return std::make_unique<TMessageBoxOkCancelWindow>(l, "quit", "sureexit", 50);
         },
         // Cancel first: every dialog keeps its confirming button on the right.
         {2, 1}},
    };
    return kinds;
}

std::vector<TMyButton*> Buttons(const TMyWindow& window) {
    std::vector<TMyButton*> buttons;
    for (TMyWindow* child : window.mChildren) {
        if (child->GetType() == kWindowKindButton) {
            buttons.push_back(dynamic_cast<TMyButton*>(child));
        }
    }
    return buttons;
}

class ShippedMessageBoxTest : public wintest::ShippedUiTest {
protected:
    // Shows the box and steps until it rests in its place; null when it never got there.
    TMessageBoxWindow* OpenAndWait(std::unique_ptr<TMessageBoxWindow> owned) {
        TMessageBoxWindow* box = owned.get();
        TMyWindowManager::Get()->ShowPopup(std::move(owned));
        for (int frame = 0; frame < 40 && box->GetState() != TFlyWindow::kShown; ++frame) {
            Step(1);
        }
        EXPECT_EQ(box->GetState(), TFlyWindow::kShown);
        return box->GetState() == TFlyWindow::kShown ? box : nullptr;
    }

    static void ClickOn(const TMyWindow& window) {
        int x = 0;
        int y = 0;
        window.GetAbsolutePosition(x, y);
        x += window.mWidth / 2;
        y += window.mHeight / 2;
        wintest::Send({wintest::Move(x, y), wintest::LeftDown(x, y), wintest::LeftUp(x, y)});
    }
};

TEST_F(ShippedMessageBoxTest, BoxesWaitForAButtonAndShowTheirTexts) {
    for (const BoxKind& kind : BoxKinds()) {
        SCOPED_TRACE(kind.name);
        const std::unique_ptr<TMessageBoxWindow> box = kind.make(nullptr);
        ASSERT_NE(box->GetHolder(), nullptr);
        const TUIFlyWindow* fly = FindUIObject<TUIFlyWindow>(*box->GetHolder(), "window");
        ASSERT_NE(fly, nullptr);
        EXPECT_EQ(fly->mStay, -1);
        EXPECT_GT(fly->mTime, 0);
        EXPECT_EQ(box->mId, 50);
        EXPECT_EQ(box->GetState(), TFlyWindow::kStart);
        std::vector<int> ids;
        for (const TMyButton* button : Buttons(*box)) {
            ids.push_back(button->mId);
            ASSERT_NE(button->GetCaption(), nullptr);
            EXPECT_FALSE(button->GetCaption()->mText.empty());
        }
        EXPECT_EQ(ids, kind.buttonIds);
        ASSERT_NE(box->GetCaption(), nullptr);
        ASSERT_NE(box->GetMessage(), nullptr);
        EXPECT_EQ(box->GetCaption()->mText, L"Quit");
        EXPECT_EQ(box->GetMessage()->mText, L"Do you really want to leave the game?");
        EXPECT_NE(box->GetCaption()->GetFont(), nullptr);
        EXPECT_NE(box->GetMessage()->GetFont(), nullptr);
    }
}

TEST_F(ShippedMessageBoxTest, TheOpenerHearsTheClickedButtonsIdOnlyOnceTheBoxHasFlownOut) {
    struct Case {
        const char* kind;
        const char* button;
        // Clicked while the box flies out, which changes nothing.
        const char* secondButton;
        int result;
    };
    const Case cases[] = {
        {"ok", "ok", "ok", 1},
        {"ok-cancel", "ok", "cancel", 1},
        {"ok-cancel", "cancel", "ok", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.button);
        const BoxKind& kind = std::string(c.kind) == "ok" ? BoxKinds()[0] : BoxKinds()[1];
        TFlyRecorder recorder;
        TMessageBoxWindow* box = OpenAndWait(kind.make(&recorder));
        ASSERT_NE(box, nullptr);
        recorder.Take();
        ClickOn(*box->FindChildByName(c.button));
        ClickOn(*box->FindChildByName(c.secondButton));
        EXPECT_EQ(recorder.Take(), (Lines{"flyout 50"}));
        for (int frame = 0; frame < 40 && TMyWindowManager::Get()->FindById(50) != nullptr; ++frame) {
            Step(1);
        }
        EXPECT_EQ(recorder.Take(), (Lines{FormatString("closed 50 %d", c.result), "hidden 50"}));
        EXPECT_EQ(TMyWindowManager::Get()->FindById(50), nullptr);
    }
}

TEST_F(ShippedMessageBoxTest, ABoxDrawsItsPanelTextsAndButtonsOverTheScreen) {
    TMessageBoxWindow* box = OpenAndWait(std::make_unique<TMessageBoxOkCancelWindow>(nullptr, "quit", "sureexit", 50));
    ASSERT_NE(box, nullptr);
    Step(4);
    ASSERT_FLOAT_EQ(box->mAlpha, 1.0f);
    // The panel's top-left corner is 683 - 300, 384 - 160.
    ASSERT_EQ(box->GetX(), 383);
    ASSERT_EQ(box->GetY(), 224);
    DrawOverBackdrop();
    EXPECT_TRUE(SaveFrame("mbokcancel.png"));
    // Colours of the art: the panel's body runs from (38, 74, 96) at its top to (18, 36, 54) at its bottom,
    // 250 opaque; the buttons' normal row from (246, 210, 110) to (214, 150, 48).
    ExpectScreen({{"screen left of the panel", 378, 320, kBackdrop},
                  {"screen below the panel", 683, 548, kBackdrop},
                  {"panel body, row 250", 403, 474, {22, 44, 62, 255}},
                  {"ok button, row 28", 483, 490, {230, 179, 78, 255}},
                  {"cancel button, row 28", 723, 490, {230, 179, 78, 255}},
                  {"gold border", 383 + 1, 224 + 160, {232, 200, 106, 255}}},
                 2);
}

// The caption band is its own control: a box opened with a caption shows it, one opened without (the
// difficulty notice, the delete question) shows the plain panel where the band would stand.
TEST_F(ShippedMessageBoxTest, OnlyABoxWithACaptionShowsTheBandBehindIt) {
    struct Case {
        const char* kind;
        const char* captionKey;
        bool band;
    };
    const Case cases[] = {
        {"ok", "quit", true},
        {"ok", "", false},
        {"ok-cancel", "quit", true},
        {"ok-cancel", "", false},
    };
    // At 683, 262 (row 30 of the 62-row band, row 38 of the panel): the band runs from (24, 48, 66) to
    // (30, 60, 82) and is opaque; the panel body from (38, 74, 96) to (18, 36, 54) over 320 rows, 250
    // opaque over the backdrop.
    const TRgba bandColour{27, 54, 74, 255};
    const TRgba panelColour{36, 69, 90, 255};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " '" << c.captionKey << "'");
        const bool ok = std::string(c.kind) == "ok";
        std::unique_ptr<TMessageBoxWindow> box;
        if (ok) {
            box = std::make_unique<TMessageBoxOkWindow>(nullptr, c.captionKey, "sureexit", 50);
        } else {
            box = std::make_unique<TMessageBoxOkCancelWindow>(nullptr, c.captionKey, "sureexit", 50);
        }
        TMyWindow* band = box->FindChildByName(TMessageBoxWindow::kCaptionBand);
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(band->mShown, c.band);
        ASSERT_NE(OpenAndWait(std::move(box)), nullptr);
        Step(4);
        DrawOverBackdrop();
        ExpectScreen({{"where the band stands", 683, 262, c.band ? bandColour : panelColour}}, 3);
        // Taken out of the manager, the box is the caller's, and goes here.
        ASSERT_NE(TMyWindowManager::Get()->CloseById(50), nullptr);
    }
}

// The pause notice's file, shown as the game shows it: a classic window with every control disabled. Its
// picture covers the screen, dimming what is behind, and its disabled button keeps the normal look.
TEST_F(ShippedMessageBoxTest, ThePauseNoticeDimsTheWholeScreenAndItsButtonLooksEnabled) {
    auto shown = std::make_unique<TClassicWindow>("ui/pause.xml", true);
    TClassicWindow* pause = shown.get();
    pause->SetDisabledRecursive(true);
    TMyWindowManager::Get()->ShowPopup(std::move(shown));
    Step(8);
    ASSERT_FLOAT_EQ(pause->mAlpha, 1.0f);
    auto* button = dynamic_cast<TMyButton*>(pause->FindChildByName("continue"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->mDisabled);
    DrawOverBackdrop();
    // The veil (6, 12, 20) at 150 of 255 over the backdrop; the panel's top-left corner is 383, 224 as on
    // the message boxes, and the button's row 28 is (230, 179, 78) as on theirs.
    ExpectScreen({{"screen corner", 2, 2, {20, 24, 28, 255}},
                  {"screen right of the panel", 1300, 384, {20, 24, 28, 255}},
                  {"panel body, row 250", 403, 474, {22, 44, 62, 255}},
                  {"continue button, row 28", 623, 490, {230, 179, 78, 255}}},
                 2);
}

class MessageBoxFileTest : public wintest::DialogsTest {};

TEST_F(MessageBoxFileTest, ABoxWithoutAMessageLabelShowsItsCaptionOnly) {
    WriteUi("mbok.xml", R"(<object name="window" type="flywindow" w="100" h="60" x1="150" y1="100" x="150" y="100"
        time="0.5" stay="-1"/>
        <object name="caption" type="imagetext" font="tiny" x="0" y="0" w="100" h="20"/>
        <object name="ok" type="button" id="1" x="10" y="30" w="40" h="20"/>)");
    TFlyRecorder recorder;
    auto box = std::make_unique<TMessageBoxOkWindow>(&recorder, "title", "body", 12);
    ASSERT_NE(box->GetCaption(), nullptr);
    // A key without a term shows itself.
    EXPECT_EQ(box->GetCaption()->mText, L"title");
    EXPECT_EQ(box->GetMessage(), nullptr);
    TMyWindowManager::Get()->ShowPopup(std::move(box));
    Step(2);
    Click(115, 105);
    Step(3);
    EXPECT_EQ(recorder.Take(), (Lines{"loaded 0", "shown 12", "flyin 12", "flyout 12", "closed 12 1", "hidden 12"}));
}

} // namespace
