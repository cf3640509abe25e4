// The players' windows driven by the pointer and the keyboard: creating a player by typing a name
// (Cyrillic letters included, kept as UTF-8 in the settings file), the name filter and length, refusing
// empty and taken names, the six-player limit, deleting with its warning, and the choice the main menu
// reads when the list closes.

#include <filesystem>

#include "dialogs/profile_windows.h"
#include "dialogs_fixture.h"
#include "graphics/terms.h"
#include "screens/screen_openers.h"
#include "windows/edit_field.h"
#include "windows/message_box.h"

namespace dialogtest {
namespace {

class ProfileWindowsTest : public RunningDialogsTest {
protected:
    TSelectUserWindow* OpenList() {
        OpenProfileListWindow(&mOpener);
        Settle();
        return dynamic_cast<TSelectUserWindow*>(FindWindow(TSelectUserWindow::kWindowId));
    }

    // From the list: "create", the name typed over the proposed one, OK.
    void CreatePlayer(TSelectUserWindow* list, const std::string& utf8) {
        Click(FindButton(list, "create"));
        Settle();
        auto* names = dynamic_cast<TUserNameWindow*>(FindWindow(TUserNameWindow::kWindowId));
        ASSERT_NE(names, nullptr);
        Type(utf8);
        Click(FindButton(names, "ok"));
        Settle();
    }

    static std::string MessageOnTop() {
        auto* box = dynamic_cast<TMessageBoxWindow*>(TopPopup());
        return box != nullptr && box->GetMessage() != nullptr ? box->GetMessage()->mTextKey : "";
    }

    TClosedRecorder mOpener;
};

TEST_F(ProfileWindowsTest, ACyrillicNameIsTypedStoredAsUtf8AndShownInItsRow) {
    TSelectUserWindow* list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_TRUE(FindButton(list, "delete")->mDisabled);
    CreatePlayer(list, "Вера7");
    ASSERT_EQ(TSettings::Get()->GetUserCount(), 1);
    EXPECT_EQ(TSettings::Get()->GetUserNameAt(0), "Вера7");
    EXPECT_EQ(list->GetRow(0)->mText, L"\u0412\u0435\u0440\u04307");
    EXPECT_TRUE(list->GetRow(0)->mRowSelected);
    EXPECT_FALSE(FindButton(list, "delete")->mDisabled);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    // The settings file holds the name's UTF-8 bytes.
    const std::string file = harness::ReadFile(harness::UserFolder() + "/settings.dat");
    EXPECT_NE(file.find("Вера7"), std::string::npos);

    Click(FindButton(list, "ok"));
    Settle();
    EXPECT_EQ(mOpener.mLines, std::vector<std::string>{"closed 305 0"});
}

TEST_F(ProfileWindowsTest, TheNameFieldTakesOnlyLettersAndDigitsUpToTen) {
    const struct {
        const char* typed;
        const wchar_t* kept;
    } cases[] = {
        {"Ann", L"Ann"},
        {"a b-c_d!e.f", L"abcdef"},
        {"Zoë9", L"Zo9"},
        {"ЖжЁ\u0410\u044F", L"Жж\u0410\u044F"},
        {"abcdefghijklmn", L"abcdefghij"},
    };
    for (const auto& entry : cases) {
        OpenProfileNameWindow(&mOpener);
        Settle();
        auto* names = dynamic_cast<TUserNameWindow*>(FindWindow(TUserNameWindow::kWindowId));
        ASSERT_NE(names, nullptr) << entry.typed;
        // The proposed name is selected, so typing replaces it.
        EXPECT_EQ(names->GetEdit()->mText, GetTerms()->GetWideText("defaultname"));
        Type(entry.typed);
        EXPECT_EQ(names->GetEdit()->mText, entry.kept) << entry.typed;
        Click(FindButton(names, "cancel"));
        Settle();
        ASSERT_EQ(FindWindow(TUserNameWindow::kWindowId), nullptr);
    }
}

TEST_F(ProfileWindowsTest, AnEmptyNameCannotBeConfirmedAndATakenOneIsRefused) {
    AddPlayer("Ann");
    TSelectUserWindow* list = OpenList();
    ASSERT_NE(list, nullptr);
    Click(FindButton(list, "create"));
    Settle();
    auto* names = dynamic_cast<TUserNameWindow*>(FindWindow(TUserNameWindow::kWindowId));
    ASSERT_NE(names, nullptr);
    PressKey(SDLK_BACKSPACE);
    EXPECT_TRUE(names->GetEdit()->mText.empty());
    Click(FindButton(names, "ok"));
    Settle();
    EXPECT_EQ(FindWindow(TUserNameWindow::kWindowId), names);

    // Letter case does not make a name new.
    Type("aNN");
    Click(FindButton(names, "ok"));
    Settle();
    EXPECT_EQ(FindWindow(TUserNameWindow::kWindowId), nullptr);
    EXPECT_EQ(MessageOnTop(), "EnterCorrectName");
    EXPECT_EQ(TSettings::Get()->GetUserCount(), 1);
}

TEST_F(ProfileWindowsTest, WithSixPlayersCreateSaysThereIsNoRoom) {
    for (const char* name : {"A1", "B2", "C3", "D4", "E5", "F6"}) {
        AddPlayer(name);
    }
    TSelectUserWindow* list = OpenList();
    ASSERT_NE(list, nullptr);
    for (int row = 0; row < TSelectUserWindow::kRows; ++row) {
        EXPECT_EQ(list->GetRow(row)->mText, FromUtf8(TSettings::Get()->GetUserNameAt(row))) << row;
    }
    Click(FindButton(list, "create"));
    Settle();
    EXPECT_EQ(FindWindow(TUserNameWindow::kWindowId), nullptr);
    EXPECT_EQ(MessageOnTop(), "NoMorePlayersAvalible");
}

TEST_F(ProfileWindowsTest, PickingARowIsTheChoiceTheMainMenuReads) {
    AddPlayer("Ann");
    AddPlayer("Bob");
    AddPlayer("Cid");
    TSettings::Get()->SelectUser(0);
    TSelectUserWindow* list = OpenList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    // An empty row takes no click.
    Click(list->GetRow(4));
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(GetChosenProfile(list), -1);
    Click(list->GetRow(2));
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    EXPECT_TRUE(list->GetRow(2)->mRowSelected);
    EXPECT_FALSE(list->GetRow(0)->mRowSelected);
    EXPECT_EQ(GetChosenProfile(list), 2);
}

TEST_F(ProfileWindowsTest, DeletingAsksFirstAndTheLastDeletionLeavesNoChoice) {
    AddPlayer("Ann");
    AddPlayer("Bob");
    const std::string bobFile = harness::UserFolder() + "/user2";
    ASSERT_TRUE(std::filesystem::exists(bobFile));
    TSelectUserWindow* list = OpenList();
    ASSERT_NE(list, nullptr);
    Click(list->GetRow(1));
    // Cancel keeps the player.
    Click(FindButton(list, "delete"));
    Settle();
    ASSERT_EQ(MessageOnTop(), "DeleteWarning");
    // The confirming button names what it does.
    ASSERT_NE(FindButton(TopPopup(), "ok")->GetCaption(), nullptr);
    EXPECT_EQ(FindButton(TopPopup(), "ok")->GetCaption()->mText, L"Delete");
    Click(FindButton(TopPopup(), "cancel"));
    Settle();
    EXPECT_EQ(TSettings::Get()->GetUserCount(), 2);

    Click(FindButton(list, "delete"));
    Settle();
    Click(FindButton(TopPopup(), "ok"));
    Settle();
    ASSERT_EQ(TSettings::Get()->GetUserCount(), 1);
    EXPECT_EQ(TSettings::Get()->GetUserNameAt(0), "Ann");
    EXPECT_FALSE(std::filesystem::exists(bobFile));
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(list->GetRow(1)->mText, L"");

    Click(FindButton(list, "delete"));
    Settle();
    Click(FindButton(TopPopup(), "ok"));
    Settle();
    EXPECT_EQ(TSettings::Get()->GetUserCount(), 0);
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_TRUE(FindButton(list, "delete")->mDisabled);
    EXPECT_EQ(GetChosenProfile(list), -1);
}

} // namespace
} // namespace dialogtest

namespace dialogtest {
namespace {

// The list's own description kind: a row box takes the colours its style sets, keeps its own where the
// style leaves one clear, and other kinds are made as everywhere.
TEST(SelectUserDescriptionTest, RowsTakeTheirStylesColoursWhereTheStyleSetsThem) {
    TiXmlDocument document;
    document.Parse(R"(<ui>
        <style name="row" type="textselectuser" font="body" color="10.20.30.255" overcolor="255.0.0.255"
               backcolor="0.255.0.255" selectedcolor="0.0.0.0" framecolor="0.0.255.255"/>
        <object name="name1" type="textselectuser" style="row" w="100" h="20" selectedcolor="1.2.3.255"/>
        <object name="name2" type="textselectuser" w="100" h="20"/>
        <object name="plain" type="imagetext"/>
      </ui>)");
    TUIInfoHolderSelectUser holder;
    holder.LoadFromXml(document.RootElement());
    auto* styled = FindUIObject<TUITextSelected>(holder, "name1");
    auto* bare = FindUIObject<TUITextSelected>(holder, "name2");
    ASSERT_NE(styled, nullptr);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(holder.FindObject("plain")->mKind, kUIKindImageText);
    EXPECT_EQ(styled->mFont, "body");
    EXPECT_FLOAT_EQ(styled->mColor.b, 30.0f / 255.0f);
    EXPECT_FLOAT_EQ(styled->mRow.mOver.r, 1.0f);
    EXPECT_FLOAT_EQ(styled->mRow.mBack.g, 1.0f);
    EXPECT_FLOAT_EQ(styled->mRow.mFrame.b, 1.0f);
    // The style's clear selected colour leaves the box's own.
    EXPECT_FLOAT_EQ(styled->mRow.mSelected.b, 3.0f / 255.0f);
    EXPECT_FLOAT_EQ(bare->mRow.mBack.a, 0.0f);
}

} // namespace
} // namespace dialogtest
