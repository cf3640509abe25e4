// The edit field driven through the window manager: the edit table of keys and characters, runs and
// undo, the listener's vetoes, the focus among several fields, the caret from the pointer, scrolling and
// drawing.

#include "controls_fixture.h"
#include "windows/edit_field.h"
#include "windows/ui_text_box.h"

namespace {

using wintest::Char;
using wintest::KeyDown;
using wintest::LeftDown;
using wintest::LeftUp;
using wintest::Move;
using wintest::Send;

constexpr int kCtrl = 0x0040;
constexpr int kKeyF1 = 0x4000003A;

class TEditRecorder : public TMyEditListener {
public:
    void OnEditEnter(int id, const std::wstring& text) override { entered.push_back(text); }
    bool AcceptKey(int id, int key) override { return key != refusedKey; }
    bool AcceptChar(int id, int c) override { return c != refusedChar; }
    bool AcceptText(int id, const std::wstring& text) override { return acceptText; }

    int refusedKey = -1;
    int refusedChar = -1;
    bool acceptText = true;
    std::vector<std::wstring> entered;
};

class EditFieldTest : public wintest::ControlsTest {
protected:
    TMyEditWindow* MakeField(const std::string& attributes, const std::string& name = "field") {
        LoadBoxes("<object name='" + name + "' type='edit' font='tiny' flags='2' " + attributes + "/>");
        return TMyEditWindow::Create(Box<TUIEdit>(name), mScreen);
    }
};

// Widths in the tiny font: a and A 4, b and B 3, space 2; x has no glyph.
TEST_F(EditFieldTest, EditTable) {
    struct Row {
        const char* what;
        std::wstring text;
        int caret, anchor;
        int lastEdit, maxLength, maxWidth;
        TInputEvent input;
        std::wstring textAfter;
        int caretAfter, anchorAfter;
        std::wstring undoAfter; // the undo text was "u" before
    };
    const std::vector<Row> rows = {
        {"type at the end", L"a", 1, -1, -1, 10, -1, Char('b'), L"ab", 2, -1, L"a"},
        {"typing on in a run keeps the undo", L"a", 1, -1, 0, 10, -1, Char('b'), L"ab", 2, -1, L"u"},
        {"type at the start", L"ab", 0, -1, 5, 10, -1, Char('a'), L"aab", 1, -1, L"ab"},
        {"a character replaces the selection", L"ab", 2, 0, -1, 10, -1, Char('b'), L"b", 1, -1, L"ab"},
        {"refused at the length limit", L"ab", 2, -1, -1, 2, -1, Char('a'), L"ab", 2, -1, L"u"},
        {"refused in the middle: nothing pushed out", L"ab", 0, -1, -1, 2, -1, Char('a'), L"ab", 0, -1, L"u"},
        {"replacing a selection that fits", L"ab", 1, 0, -1, 2, -1, Char('b'), L"bb", 1, -1, L"ab"},
        {"refused beyond the width", L"AB", 2, -1, -1, 10, 8, Char('b'), L"AB", 2, -1, L"u"},
        {"within the width", L"A", 1, -1, -1, 10, 8, Char('B'), L"AB", 2, -1, L"A"},
        {"a negative length is no limit", L"ab", 2, -1, -1, -5, -1, Char('a'), L"aba", 3, -1, L"ab"},
        {"a character without a glyph", L"ab", 2, 0, -1, 10, -1, Char('x'), L"ab", 2, 0, L"u"},
        {"backspace at the start", L"ab", 0, -1, -1, 10, -1, KeyDown(8), L"ab", 0, -1, L"u"},
        {"backspace", L"ab", 2, -1, -1, 10, -1, KeyDown(8), L"a", 1, -1, L"ab"},
        {"backspace over a selection", L"abab", 3, 1, -1, 10, -1, KeyDown(8), L"ab", 1, -1, L"abab"},
        {"delete", L"ab", 0, -1, -1, 10, -1, KeyDown(127), L"b", 0, -1, L"ab"},
        {"delete over a selection", L"abab", 1, 3, -1, 10, -1, KeyDown(127), L"ab", 1, -1, L"abab"},
        {"home", L"ab", 2, -1, -1, 10, -1, KeyDown(TMyEditWindow::kKeyHome), L"ab", 0, -1, L"u"},
        {"end", L"ab", 0, -1, -1, 10, -1, KeyDown(TMyEditWindow::kKeyEnd), L"ab", 2, -1, L"u"},
        {"right", L"ab", 0, -1, -1, 10, -1, KeyDown(TMyEditWindow::kKeyRight), L"ab", 1, -1, L"u"},
        {"right at the end", L"ab", 2, -1, -1, 10, -1, KeyDown(TMyEditWindow::kKeyRight), L"ab", 2, -1, L"u"},
        {"left over a selection", L"abbab", 5, 2, -1, 10, -1, KeyDown(TMyEditWindow::kKeyLeft), L"abbab", 2, -1, L"u"},
        {"right over a selection", L"abbab", 2, 4, -1, 10, -1, KeyDown(TMyEditWindow::kKeyRight), L"abbab", 4, -1,
         L"u"},
        {"ctrl+z undoes", L"ab", 2, -1, -1, 10, -1, KeyDown('z', kCtrl), L"u", 1, -1, L"ab"},
        {"z alone is a key the field leaves", L"ab", 2, 0, -1, 10, -1, KeyDown('z'), L"ab", 2, 0, L"u"},
        {"an unhandled key keeps even the selection", L"ab", 2, 0, -1, 10, -1, KeyDown(kKeyF1), L"ab", 2, 0, L"u"},
        {"enter changes nothing", L"ab", 1, -1, -1, 10, -1, KeyDown(13), L"ab", 1, -1, L"u"},
    };
    TMyEditWindow* field = MakeField("x='2' y='2' w='200' h='12'");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        field->mText = row.text;
        field->mCaret = row.caret;
        field->mAnchor = row.anchor;
        field->mFirstVisible = 0;
        field->mLastEditPosition = row.lastEdit;
        field->mMaxLength = row.maxLength;
        field->mMaxWidth = row.maxWidth;
        field->mUndoText = L"u";
        field->mUndoCaret = 1;
        field->mUndoAnchor = -1;
        Send({row.input});
        EXPECT_EQ(field->mText, row.textAfter);
        EXPECT_EQ(field->mCaret, row.caretAfter);
        EXPECT_EQ(field->mAnchor, row.anchorAfter);
        EXPECT_EQ(field->mUndoText, row.undoAfter);
    }
}

TEST_F(EditFieldTest, RunsOfTypingAndDeletingUndoAsOneStep) {
    TMyEditWindow* field = MakeField("x='2' y='2' w='200' h='12'");
    Send({Char('a'), Char('b'), Char(' '), Char('a')});
    EXPECT_EQ(field->mText, L"ab a");
    Send({KeyDown('z', kCtrl)});
    EXPECT_EQ(field->mText, L"");
    Send({KeyDown('z', kCtrl)});
    EXPECT_EQ(field->mText, L"ab a");
    EXPECT_EQ(field->mCaret, 4);
    Send({KeyDown(8), KeyDown(8)});
    EXPECT_EQ(field->mText, L"ab");
    Send({Char(TMyEditWindow::kUndoChar)});
    EXPECT_EQ(field->mText, L"ab a");
    // Setting the text selects it all: the next character replaces it.
    field->SetNarrowText("ab", false);
    Send({Char('b')});
    EXPECT_EQ(field->mText, L"b");
}

TEST_F(EditFieldTest, TheListenerMayRefuseKeysCharactersAndTexts) {
    TMyEditWindow* field = MakeField("x='2' y='2' w='200' h='12' id='6'");
    TEditRecorder recorder;
    field->mEditListener = &recorder;
    field->SetText(L"ab", true);
    Send({KeyDown(TMyEditWindow::kKeyHome), KeyDown(13)});
    EXPECT_EQ(recorder.entered, std::vector<std::wstring>{L"ab"});
    recorder.refusedKey = 8;
    recorder.refusedChar = 'a';
    Send({KeyDown(TMyEditWindow::kKeyEnd), KeyDown(8), Char('a'), Char('b')});
    EXPECT_EQ(field->mText, L"abb");
    recorder.acceptText = false;
    Send({Char('b'), KeyDown(127), KeyDown(TMyEditWindow::kKeyHome)});
    EXPECT_EQ(field->mText, L"abb");
    EXPECT_EQ(field->mCaret, 3);
}

TEST_F(EditFieldTest, OnlyTheFocusedFieldTakesKeysAndCharacters) {
    TMyEditWindow* first = MakeField("x='2' y='2' w='100' h='12'", "first");
    TMyEditWindow* second = MakeField("x='2' y='20' w='100' h='12'", "second");
    Send({Char('a')});
    EXPECT_EQ(first->mText, L"a");
    EXPECT_EQ(second->mText, L"");
    Send({Move(10, 25), LeftDown(10, 25), LeftUp(10, 25), Char('b'), KeyDown(TMyEditWindow::kKeyHome)});
    EXPECT_EQ(first->mText, L"a");
    EXPECT_EQ(first->mCaret, 1);
    EXPECT_EQ(second->mText, L"b");
    EXPECT_EQ(second->mCaret, 0); // the unfocused first field let the key pass
    EXPECT_FALSE(first->OnKeyDown(TKeyEvent{8, 0}));
    second->Hide();
    Send({Char('b')});
    EXPECT_EQ(first->mText, L"ab");
    first->mDisabled = true;
    Send({Char('a')});
    EXPECT_EQ(first->mText, L"ab");
    EXPECT_EQ(second->mText, L"b");
}

TEST_F(EditFieldTest, ThePointerPlacesTheCaretAndDraggingSelects) {
    // "ABAB": the caret goes past a character once x reaches the middle of it plus 5: 7, 10, 14, 17.
    TMyEditWindow* field = MakeField("x='2' y='2' w='200' h='12'");
    field->SetText(L"ABAB", true);
    struct Case {
        int firstVisible;
        int x;
        int caret;
    };
    const std::vector<Case> cases = {
        {0, 0, 0},
        {0, 6, 0},
        {0, 7, 1},
        {0, 13, 2},
        {0, 14, 3},
        {0, 17, 4},
        {0, 90, 4},
        // Scrolled by two: a point before the first visible character's middle stays there.
        {2, 0, 2},
        {2, 7, 3},
        {2, 10, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "first visible " << c.firstVisible << " at " << c.x);
        field->mFirstVisible = c.firstVisible;
        EXPECT_EQ(field->CharIndexAt(c.x, 0), c.caret);
    }
    field->mFirstVisible = 0;
    Send({Move(10, 5), LeftDown(10, 5)}); // local 8
    EXPECT_EQ(field->mCaret, 1);
    EXPECT_EQ(field->mAnchor, -1);
    Send({Move(17, 5, 1), LeftUp(17, 5)}); // local 15
    EXPECT_EQ(field->mAnchor, 1);
    EXPECT_EQ(field->mCaret, 3);
    Send({Char('a')});
    EXPECT_EQ(field->mText, L"AaB");
    Send({LeftDown(10, 5), LeftUp(10, 5)});
    EXPECT_EQ(field->mAnchor, -1);
    EXPECT_EQ(CursorName(), "text");
}

TEST_F(EditFieldTest, SelectingAWord) {
    TMyEditWindow field;
    field.SetText(L"ab_1 ba", true);
    struct Case {
        int caret;
        int anchor, caretAfter;
    };
    const std::vector<Case> cases = {{1, 0, 4}, {0, 0, 4}, {5, 5, 7}, {4, 0, 7}, {7, -1, 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caret);
        field.mCaret = c.caret;
        field.mAnchor = -1;
        field.SelectWord();
        EXPECT_EQ(field.mAnchor, c.anchor);
        EXPECT_EQ(field.mCaret, c.caretAfter);
    }
}

TEST_F(EditFieldTest, TheViewScrollsToKeepTheCaretInside) {
    // Width 20: the caret must stay left of x 12.
    TMyEditWindow* field = MakeField("x='2' y='2' w='20' h='12'");
    std::vector<int> firstVisible;
    for (int typed = 0; typed < 5; ++typed) {
        Send({Char('a')});
        firstVisible.push_back(field->mFirstVisible);
    }
    EXPECT_EQ(firstVisible, (std::vector<int>{0, 0, 1, 2, 3}));
    Send({KeyDown(TMyEditWindow::kKeyHome)});
    EXPECT_EQ(field->mFirstVisible, 0);
    Send({KeyDown(TMyEditWindow::kKeyEnd)});
    EXPECT_EQ(field->mFirstVisible, 4);
}

TEST_F(EditFieldTest, DrawsTheTextTheCaretAndTheOutline) {
    wintest::TFrames frames;
    // At (2, 2), 20 x 12: the text starts 4 to the right, baseline (3 + 12) / 2 - 1 = 6 below the top, so
    // A covers x 6..8, rows 5..8; the caret after it is at x 2 + 4 + 4, rows 7..8.
    TMyEditWindow* field = MakeField("x='2' y='2' w='20' h='12' color='255.0.0.255' outlinecolor='0.255.0.255'");
    field->SetText(L"A", true);
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{6, 5, kRedPixel},
                  {8, 8, kRedPixel},
                  {9, 6, kBlack},
                  {10, 7, kGreenPixel},
                  {10, 8, kGreenPixel},
                  {10, 6, kBlack},
                  {10, 9, kBlack},
                  {2, 2, kGreenPixel},
                  {21, 2, kGreenPixel},
                  {2, 13, kGreenPixel},
                  {22, 13, kGreenPixel},
                  {2, 14, kGreenPixel},
                  {21, 14, kGreenPixel},
                  {12, 10, kBlack},
                  {23, 5, kBlack}});
    frames.Step(1000); // the caret blinks off
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{10, 7, kBlack}, {6, 5, kRedPixel}});
    field->mDrawOutline = false;
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{2, 2, kBlack}, {21, 14, kBlack}});
}

} // namespace
