// The text label: texts from keys and UTF-8, alignment, colours and opacity, wrapping, and the cursor.

#include "controls_fixture.h"
#include "windows/text_label.h"
#include "windows/ui_text_box.h"

namespace {

using wintest::Move;
using wintest::Send;

class TextLabelTest : public wintest::ControlsTest {
protected:
    TSimpleTextImage* MakeLabel(const std::string& attributes, const std::string& name = "label") {
        LoadBoxes("<object name='" + name + "' type='imagetext' " + attributes + "/>");
        return TSimpleTextImage::Create(Box<TUIImageText>(name), mScreen);
    }
};

TEST_F(TextLabelTest, TextsComeFromKeysUntilSetDirectly) {
    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/terms.txt", "[terms]\nGreeting=AB A\n"));
    ASSERT_TRUE(GetTerms()->LoadIni("terms.txt"));
    TSimpleTextImage* label = MakeLabel("text='Greeting' font='tiny' w='40' h='10'");
    struct Step {
        const char* what;
        std::function<void(TSimpleTextImage*)> act;
        std::wstring text;
    };
    const std::vector<Step> steps = {
        {"the key's term", [](TSimpleTextImage*) {}, L"AB A"},
        {"UTF-8 set directly", [](TSimpleTextImage* l) { l->SetText("\xD0\xAE\xD0\xBB\xD1\x8F"); }, L"\x42E\x43B\x44F"},
        {"refreshing brings the term back", [](TSimpleTextImage* l) { l->RefreshText(); }, L"AB A"},
        {"a key without a term shows itself", [](TSimpleTextImage* l) { l->SetTextKey("NoSuchKey"); }, L"NoSuchKey"},
        {"cleared", [](TSimpleTextImage* l) { l->ClearText(); }, L""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(label);
        EXPECT_EQ(label->mText, step.text);
    }
    EXPECT_EQ(label->GetType(), kWindowKindLabel);
}

TEST_F(TextLabelTest, TheDescriptionPlacesTheLabelWithItsAlignment) {
    TSimpleTextImage* label = MakeLabel("x='100' y='50' w='51' h='21' halign='0' valign='1' id='12' dofinger='1' "
                                        "flags='1' wrapped='1' color='255.0.0.255'");
    EXPECT_EQ(label->GetX(), 75);
    EXPECT_EQ(label->GetY(), 29);
    EXPECT_EQ(label->mId, 12);
    EXPECT_EQ(label->mName, "label");
    EXPECT_TRUE(label->mHand);
    EXPECT_EQ(label->mAlignment, 1);
    EXPECT_TRUE(label->mWrapped);
    EXPECT_EQ(label->mColor, (TColor{1, 0, 0, 1}));
    EXPECT_EQ(label->mParent, mScreen);
    EXPECT_EQ(label->GetFont(), nullptr); // no font named
}

TEST_F(TextLabelTest, OneLineIsAlignedAndCentredVertically) {
    // Label at (2, 2), 20 x 10: baseline (3 + 10) / 2 - 1 = 5 below the top, so rows 4..7; "AB" is 7 wide.
    struct Case {
        int alignment;
        int left; // first column of A
    };
    const std::vector<Case> cases = {{2, 2}, {-1, 2}, {0, 2 + (20 - 7) / 2}, {1, 2 + 20 - 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        TSimpleTextImage label;
        label.SetFont("tiny");
        label.SetRect(2, 2, 20, 10);
        label.mText = L"AB";
        label.mAlignment = c.alignment;
        BeginCanvas();
        label.Draw();
        ExpectPixels({{c.left, 4, kWhitePixel},
                      {c.left + 2, 7, kWhitePixel},
                      {c.left + 4, 4, kWhitePixel},
                      {c.left + 5, 7, kWhitePixel},
                      {c.left - 1, 5, kBlack},
                      {c.left + 3, 5, kBlack},
                      {c.left + 6, 5, kBlack},
                      {c.left, 3, kBlack},
                      {c.left, 8, kBlack}});
    }
}

TEST_F(TextLabelTest, ColourFollowsSelectionHoverAndOpacity) {
    TMyWindow parent;
    parent.SetRect(0, 0, 30, 30);
    auto* label = new TSimpleTextImage(&parent);
    label->SetFont("tiny");
    label->SetRect(0, 0, 10, 10);
    label->mAlignment = 2;
    label->mText = L"A";
    label->mColor = {1, 0, 0, 1};
    label->mOverColor = {0, 1, 0, 1};
    label->mSelectedColor = {0, 0, 1, 0}; // its own alpha is not used
    struct Case {
        const char* what;
        bool over, selected;
        float alpha, parentAlpha;
        TRgba expected;
    };
    const std::vector<Case> cases = {
        {"normal", false, false, 1, 1, kRedPixel},
        {"pointer over", true, false, 1, 1, kGreenPixel},
        {"selected wins over hover", true, true, 1, 1, kBluePixel},
        // 0.5 x 0.5 x 255 = 63.75, truncated to 63.
        {"half inside half", false, false, 0.5f, 0.5f, {63, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        label->mMouseOver = c.over;
        label->mSelected = c.selected;
        label->SetAlpha(c.alpha);
        parent.SetAlpha(c.parentAlpha);
        BeginCanvas();
        parent.Draw();
        // Baseline (3 + 10) / 2 - 1 = 5: A covers x 0..2, rows 2..5.
        ExpectPixels({{1, 3, c.expected}, {3, 3, kBlack}});
    }
}

TEST_F(TextLabelTest, WithoutAKnownFontNothingIsDrawn) {
    for (const char* font : {"", "missing"}) {
        SCOPED_TRACE(font);
        TSimpleTextImage label;
        label.SetFont(font);
        label.SetRect(0, 0, 20, 10);
        label.mAlignment = 2;
        label.mText = L"AB";
        BeginCanvas();
        label.Draw();
        ExpectPixels({{0, 4, kBlack}, {1, 5, kBlack}});
    }
}

TEST_F(TextLabelTest, WrappedHeights) {
    TSimpleTextImage label;
    label.SetFont("tiny");
    struct Case {
        std::wstring text;
        int width;
        int height; // descent 1 + (3 + 4 x lines) - 4
    };
    const std::vector<Case> cases = {
        {L"", 20, 0},    {L"A B", 9, 4},   {L"A B", 8, 8},   {L"A B\nB", 100, 8},
        {L"AAAA", 8, 8}, {L"AAAA", 3, 16}, {L"A   B", 6, 8}, {L"A\n\nB", 100, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " text of " << c.text.size());
        EXPECT_EQ(label.MeasureWrapped(c.width, c.text), c.height);
    }
}

TEST_F(TextLabelTest, WrappedLinesBreakAtSpacesAndInsideLongWords) {
    TSimpleTextImage label;
    label.SetFont("tiny");
    label.mWrapped = true;
    label.mAlignment = 2;
    label.SetRect(0, 0, 9, 20);
    // Two lines ("A B", "B") 8 high: the block starts (20 - 8) / 2 - 1 = 5 below the top, baselines 8 and 12.
    label.mText = L"A B\nB";
    BeginCanvas();
    label.Draw();
    ExpectPixels({{0, 5, kWhitePixel},
                  {2, 8, kWhitePixel},
                  {6, 5, kWhitePixel},
                  {7, 8, kWhitePixel},
                  {4, 6, kBlack},
                  {0, 9, kWhitePixel},
                  {1, 12, kWhitePixel},
                  {2, 10, kBlack},
                  {0, 4, kBlack},
                  {0, 13, kBlack}});
    // A word wider than the label breaks at the character that overflows: "AA" / "A", centred.
    label.SetRect(0, 0, 9, 20);
    label.mText = L"AAA";
    label.mAlignment = 0;
    BeginCanvas();
    label.Draw();
    ExpectPixels({{0, 5, kWhitePixel}, {6, 8, kWhitePixel}, {8, 6, kBlack}, {2, 9, kWhitePixel}, {1, 10, kBlack}});
}

// A line wider than its label (a long player name) stays inside the label whatever its alignment; the
// label's text itself is kept whole.
TEST_F(TextLabelTest, ALineWiderThanItsLabelIsDrawnInsideItAndKeptWhole) {
    constexpr int kLeft = 8;
    constexpr int kWidth = 10;
    const std::wstring text = L"ABABABAB"; // 28 wide
    for (const int alignment : {2, 0, 1}) {
        SCOPED_TRACE(testing::Message() << "alignment " << alignment);
        TSimpleTextImage label;
        label.SetFont("tiny");
        label.SetRect(kLeft, 2, kWidth, 10);
        label.mAlignment = alignment;
        label.mText = text;
        BeginCanvas();
        label.Draw();
        int inside = 0;
        int outside = 0;
        std::string firstOutside;
        for (int y = 0; y < kCanvasSize; ++y) {
            for (int x = 0; x < kCanvasSize; ++x) {
                if (NearColor(Pixel(x, y), kBlack)) {
                    continue;
                }
                if (x >= kLeft && x < kLeft + kWidth) {
                    ++inside;
                } else if (outside++ == 0) {
                    firstOutside = std::to_string(x) + ", " + std::to_string(y);
                }
            }
        }
        EXPECT_EQ(outside, 0) << "pixels drawn outside the label, the first at " << firstOutside;
        EXPECT_GT(inside, 0) << "nothing of the text was drawn";
        EXPECT_EQ(label.mText, text);
    }
}

TEST_F(TextLabelTest, AHandLabelShowsTheHandCursorWhileHovered) {
    TSimpleTextImage* label = MakeLabel("x='10' y='10' w='40' h='10' dofinger='1'");
    TSimpleTextImage* plain = MakeLabel("x='60' y='10' w='40' h='10'", "plain");
    Send({Move(20, 15)});
    // The label asks for "handspot" and the manager then shows the hand flag's "hand".
    EXPECT_EQ(CursorName(), "hand");
    EXPECT_TRUE(label->mMouseOver);
    Send({Move(70, 15)});
    EXPECT_EQ(CursorName(), "default");
    EXPECT_TRUE(plain->mMouseOver);
}

} // namespace
