#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/string_utils.h"
#include "font_test_support.h"
#include "graphics/font_image.h"

namespace {

// Layers told apart by their ascent: Small 10 (points 10-20), Big 14 (21 and up), Bold 13 (tag bold),
// Plain 11 (neither bold nor neg), Neg -5 (tag neg, points 0-5).
const char* const kLayeredFont = "SetDefaultPointSize 16;\n"
                                 "CreateLayer Small; LayerPointRange Small 10 20; LayerSetAscent Small 10;\n"
                                 "LayerSetAscentPadding Small 3; LayerSetLineSpacingOffset Small 2;\n"
                                 "CreateLayer Big; LayerPointRange Big 21 -1; LayerSetAscent Big 14;\n"
                                 "CreateLayer Bold; LayerRequireTags Bold ('bold'); LayerSetAscent Bold 13;\n"
                                 "LayerSetAscentPadding Bold 2; LayerSetLineSpacingOffset Bold -1;\n"
                                 "CreateLayer Plain; LayerExcludeTags Plain ('bold' 'neg'); LayerSetAscent Plain 11;\n"
                                 "LayerSetAscentPadding Plain 1; LayerSetLineSpacingOffset Plain 5;\n"
                                 "CreateLayer Neg; LayerRequireTags Neg ('neg'); LayerPointRange Neg 0 5;\n"
                                 "LayerSetAscent Neg -5; LayerSetAscentPadding Neg 4;\n";

class ImageFontTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mRenderer.IsReady());
        fonttest::WriteBasicImage(mAssets, "fonts/basic.png");
        mAssets.Write("fonts/basic.txt", fonttest::kBasicFont);
    }

    std::unique_ptr<ImageFont> Make(const std::string& extra) {
        mAssets.Write("fonts/test.txt", std::string(fonttest::kBasicFont) + extra);
        return std::make_unique<ImageFont>("fonts/test.txt");
    }

    fonttest::HeadlessRenderer mRenderer;
    fonttest::FontAssets mAssets;
};

TEST_F(ImageFontTest, MetricsOfTheBasicFont) {
    ImageFont font("fonts/basic.txt");
    ASSERT_TRUE(font.IsLoaded());
    EXPECT_EQ(font.GetAscent(), 12);
    EXPECT_EQ(font.GetHeight(), 16);
    EXPECT_EQ(font.GetDescent(), 4);
    EXPECT_EQ(font.GetLineHeight(), 16);
    EXPECT_EQ(font.GetPointSize(), 16);
    EXPECT_EQ(font.GetDefaultPointSize(), 16);
}

TEST_F(ImageFontTest, TextWidthsOnBothPaths) {
    struct Case {
        std::wstring text;
        int wide;
        int narrow;
    };
    // A 9, B 9, space 5; each character after the first adds spacing 1 and the kerning of its pair.
    const Case cases[] = {
        {L"", 0, 0},
        {L"A", 9, 9},
        {L"AB", 17, 17},
        {L"BA", 19, 19},
        {L"AA", 19, 19},
        {L"ab", 17, 17},
        {L"A B", 25, 25},
        // C has no advance but sits on a page the layer has, so it still gets the spacing.
        {L"AC", 10, 10},
        // Only the low byte counts on the 8-bit path: 0x141 is A there, and nothing on the wide path.
        {L"\x141", 0, 9},
        // The 8-bit path sees 0x16, a glyph without advance on page 0.
        {L"A\x416", 9, 10},
        // A character without a glyph adds nothing, and the one after it gets no spacing.
        {L"\x416"
         L"A",
         9, 10},
        {L"A\x1F600"
         L"B",
         18, 9 + 9 + 1},
    };
    ImageFont font("fonts/basic.txt");
    for (const Case& c : cases) {
        EXPECT_EQ(font.GetTextWidthW(c.text), c.wide) << ToUtf8(c.text);
        EXPECT_EQ(font.GetTextWidth(c.text), c.narrow) << ToUtf8(c.text);
    }
}

TEST_F(ImageFontTest, ACharacterTheFontLacksIsDrawnAsTheQuestionMark) {
    std::string font = fonttest::kBasicFont;
    const std::string from = "('A' 'B' ' ')";
    for (size_t at = font.find(from); at != std::string::npos; at = font.find(from, at)) {
        font.replace(at, from.size(), "('A' 'B' ' ' '?')");
    }
    font.replace(font.find("(0 0) (0 0) (0 0)"), 17, "(0 0) (0 0) (0 0) (0 0)");
    font.replace(font.find("(8 8 4)"), 7, "(8 8 4 6)");
    font.replace(font.find("(9 9 5)"), 7, "(9 9 5 7)");
    font.replace(font.find("basic.png"), 9, "marked.png");
    mAssets.WriteImage("fonts/marked.png", 40, 16, {{0, 0, 26, 16, 255, 255, 255, 255}});
    mAssets.Write("fonts/marked.txt", font);
    ImageFont marked("fonts/marked.txt");
    struct Case {
        std::wstring text;
        int width;
        size_t glyphs;
    };
    // A 9, '?' 7, spacing 1; Cyrillic, an emoji and a code on a page the font has all show the mark.
    const Case cases[] = {
        {L"A", 9, 1}, {L"\x416", 7, 1}, {L"A\x416", 17, 2}, {L"\x1F600\x1F600", 15, 2}, {L"C", 7, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        EXPECT_EQ(marked.GetTextWidthW(c.text), c.width);
        std::vector<TFontRect> rects;
        int advance = 0;
        marked.DrawStringW(0, 20, c.text, 0xFFFFFFFF, 0, &rects, &advance, false);
        EXPECT_EQ(advance, c.width);
        EXPECT_EQ(rects.size(), c.glyphs);
    }
}

TEST_F(ImageFontTest, CharacterAdvances) {
    ImageFont font("fonts/basic.txt");
    struct Case {
        wchar_t c;
        wchar_t previous;
        int wide;
        int narrow;
    };
    const Case cases[] = {
        {L'B', 0, 9, 9},      {L'B', L'A', 8, 8},  {L'b', L'a', 8, 8},
        {L'A', L'B', 10, 10}, {0x142, L'A', 0, 8}, {L'B', 0x141, 9, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(font.GetCharAdvanceW(c.c, c.previous), c.wide) << int(c.c) << " after " << int(c.previous);
        EXPECT_EQ(font.GetCharAdvance8(c.c, c.previous), c.narrow) << int(c.c) << " after " << int(c.previous);
    }
    EXPECT_EQ(font.GetCharWidthW(L'A'), 9);
    EXPECT_EQ(font.GetCharWidth8(L'a'), 9);
    EXPECT_EQ(font.GetCharWidth(L'B'), 9);
    EXPECT_EQ(font.GetCharAdvance(L'B', L'A'), 9);
}

struct LayoutCase {
    std::string name;
    std::string extra;
    std::wstring text;
    bool wide;
    std::vector<TFontRect> rects;
    int advance;
};

TEST_F(ImageFontTest, GlyphPositions) {
    // Baseline at y 50: a glyph's top lies the ascent (12) above it, moved by the offsets.
    const LayoutCase cases[] = {
        {"plain", "", L"AB", true, {{100, 38, 8, 16}, {108, 38, 8, 16}}, 17},
        {"kerning only between", "", L"BA", true, {{100, 38, 8, 16}, {110, 38, 8, 16}}, 19},
        {"empty", "", L"", true, {}, 0},
        {"offsets",
         "LayerSetOffset Main (2 1); LayerSetCharOffsets Main ('B') ((1 3));",
         L"AB",
         true,
         {{102, 39, 8, 16}, {111, 42, 8, 16}},
         17},
        {"low byte on the 8-bit path",
         "",
         L"\x141"
         L"b",
         false,
         {{100, 38, 8, 16}, {108, 38, 8, 16}},
         17},
        {"wide path skips what it lacks",
         "",
         L"\x141"
         L"B",
         true,
         {{100, 38, 8, 16}},
         9},
        // The shadow's A advances 11 + 1, so B starts at 112; its page 0 gives B an empty record too.
        {"shadow layer",
         "CreateLayerFrom Shadow Main; LayerSetOffset Shadow (1 1);"
         "LayerSetImageMap Shadow ('A') ((0 0 8 16)); LayerSetCharWidths Shadow ('A') (11);",
         L"AB",
         true,
         {{100, 38, 8, 16}, {101, 39, 8, 16}, {112, 38, 8, 16}, {113, 39, 0, 0}},
         21},
    };
    for (const LayoutCase& c : cases) {
        std::unique_ptr<ImageFont> font = Make(c.extra);
        ASSERT_TRUE(font->IsLoaded()) << c.name;
        std::vector<TFontRect> rects{{1, 1, 1, 1}};
        int advance = -1;
        if (c.wide) {
            font->DrawStringW(100, 50, c.text, 0xFFFFFFFFu, 0, &rects, &advance, false);
        } else {
            font->DrawString(100, 50, c.text, 0xFFFFFFFFu, 0, &rects, &advance, false);
        }
        EXPECT_EQ(rects, c.rects) << c.name;
        EXPECT_EQ(advance, c.advance) << c.name;
    }
}

TEST_F(ImageFontTest, DrawnAdvanceMatchesMeasuredWidth) {
    ImageFont font("fonts/basic.txt");
    for (const wchar_t* text : {L"A", L"AB", L"BAB A", L"ab ba", L"AAAA"}) {
        int advance = 0;
        font.DrawStringW(0, 0, text, 0xFFFFFFFFu, 0, nullptr, &advance, false);
        EXPECT_EQ(advance, font.GetTextWidthW(text)) << ToUtf8(text);
    }
}

TEST_F(ImageFontTest, GlyphPoolLimitsOneText) {
    ImageFont font("fonts/basic.txt");
    std::vector<TFontRect> rects;
    int advance = 0;
    font.DrawStringW(0, 20, std::wstring(5000, L'A'), 0xFFFFFFFFu, 0, &rects, &advance, false);
    ASSERT_EQ(rects.size(), static_cast<size_t>(kGlyphDrawRecordCount));
    // Every recorded A moved the pen by 9 + spacing 1; the rest moved it no further.
    EXPECT_EQ(advance, kGlyphDrawRecordCount * 10);
    EXPECT_EQ(rects.back().x, (kGlyphDrawRecordCount - 1) * 10);
    // The pool is reused from its start by the next call.
    font.DrawStringW(0, 20, L"AB", 0xFFFFFFFFu, 0, &rects, &advance, false);
    EXPECT_EQ(rects.size(), 2u);
    EXPECT_EQ(advance, 17);
}

TEST_F(ImageFontTest, LayersFollowPointSizeAndTags) {
    mAssets.Write("fonts/layers.txt", kLayeredFont);
    struct Case {
        int pointSize;
        std::vector<std::string> tags;
        std::vector<int> ascents; // of the selected layers, in order
        int ascent, padding, lineSpacing;
    };
    const Case cases[] = {
        {16, {}, {10, 11}, 11, 1, 5},
        {10, {}, {10, 11}, 11, 1, 5},
        {20, {}, {10, 11}, 11, 1, 5},
        {21, {}, {14, 11}, 14, 0, 5},
        {9, {}, {11}, 11, 1, 5},
        {16, {"bold"}, {10, 13}, 13, 2, 2},
        {16, {"BOLD", "neg"}, {10, 13}, 13, 2, 2},
        // A layer's negative ascent never takes the font's below 0.
        {3, {"neg"}, {-5}, 0, 4, 0},
    };
    for (const Case& c : cases) {
        ImageFont font("fonts/layers.txt");
        ASSERT_TRUE(font.IsLoaded());
        font.SetPointSize(c.pointSize);
        for (const std::string& tag : c.tags) {
            font.AddTag(tag);
        }
        font.EnsurePrepared();
        std::vector<int> ascents;
        for (const ActiveFontLayer& active : font.GetActiveLayers()) {
            ascents.push_back(active.layer->ascent);
        }
        EXPECT_EQ(ascents, c.ascents) << c.pointSize << " " << c.tags.size();
        EXPECT_EQ(font.GetAscent(), c.ascent) << c.pointSize << " " << c.tags.size();
        EXPECT_EQ(font.GetAscentPadding(), c.padding) << c.pointSize << " " << c.tags.size();
        EXPECT_EQ(font.GetLineSpacingOffset(), c.lineSpacing) << c.pointSize << " " << c.tags.size();
    }
}

TEST_F(ImageFontTest, TagsIgnoreLetterCase) {
    mAssets.Write("fonts/layers.txt", kLayeredFont);
    ImageFont font("fonts/layers.txt");
    EXPECT_TRUE(font.AddTag("bold"));
    EXPECT_FALSE(font.AddTag("BOLD"));
    EXPECT_TRUE(font.HasTag("Bold"));
    EXPECT_EQ(font.GetAscent(), 13);
    EXPECT_TRUE(font.RemoveTag("bOLD"));
    EXPECT_FALSE(font.RemoveTag("bold"));
    EXPECT_FALSE(font.HasTag("bold"));
    EXPECT_EQ(font.GetAscent(), 11);
}

TEST_F(ImageFontTest, ScaledLayers) {
    struct Case {
        int pointSize;
        float scale;
        int ascent, height, widthAB, widthBA;
        TFontRect firstRect;
    };
    // The layer is drawn at 16 points: sizes are multiplied by point size x scale / 16 and truncated.
    const Case cases[] = {
        {16, 1.0f, 12, 16, 17, 19, {0, 38, 8, 16}},
        {8, 1.0f, 6, 8, 8, 8, {0, 44, 4, 8}},
        {16, 1.5f, 18, 24, 25, 27, {0, 32, 12, 24}},
        {12, 1.0f, 9, 12, 12, 12, {0, 41, 6, 12}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ImageFont> font = Make("LayerSetPointSize Main 16;");
        font->SetPointSize(c.pointSize);
        font->SetScale(c.scale);
        EXPECT_EQ(font->GetAscent(), c.ascent) << c.pointSize << " x" << c.scale;
        EXPECT_EQ(font->GetHeight(), c.height) << c.pointSize << " x" << c.scale;
        EXPECT_EQ(font->GetTextWidthW(L"AB"), c.widthAB) << c.pointSize << " x" << c.scale;
        EXPECT_EQ(font->GetTextWidthW(L"BA"), c.widthBA) << c.pointSize << " x" << c.scale;
        std::vector<TFontRect> rects;
        int advance = 0;
        font->DrawStringW(0, 50, L"AB", 0xFFFFFFFFu, 0, &rects, &advance, false);
        ASSERT_EQ(rects.size(), 2u);
        EXPECT_EQ(rects[0], c.firstRect) << c.pointSize << " x" << c.scale;
        EXPECT_EQ(advance, c.widthAB) << c.pointSize << " x" << c.scale;
    }
    // A layer without a point size of its own keeps its size at any point size.
    ImageFont plain("fonts/basic.txt");
    plain.SetPointSize(8);
    EXPECT_EQ(plain.GetTextWidthW(L"AB"), 17);
}

TEST_F(ImageFontTest, ClonesShareTheDescription) {
    auto font = std::make_unique<ImageFont>("fonts/basic.txt");
    font->SetPointSize(12);
    font->AddTag("bold");
    std::unique_ptr<TMyFont> clone = font->Clone();
    auto* image = dynamic_cast<ImageFont*>(clone.get());
    ASSERT_NE(image, nullptr);
    font.reset();
    EXPECT_EQ(image->GetPointSize(), 12);
    EXPECT_TRUE(image->HasTag("BOLD"));
    EXPECT_EQ(image->GetTextWidthW(L"AB"), 17);
    EXPECT_EQ(image->GetDefineText("glyphs"), L"((0, 0, 8, 16), (8, 0, 8, 16), (16, 0, 4, 16))");
    EXPECT_EQ(image->GetDefineText("nothing"), L"");
}

TEST_F(ImageFontTest, FailedDescriptionMeasuresNothing) {
    mAssets.Write("fonts/broken.txt", std::string(fonttest::kBasicFont) + "LayerSetImage Main 'gone.png';");
    ImageFont font("fonts/broken.txt");
    EXPECT_FALSE(font.IsLoaded());
    EXPECT_TRUE(harness::LogContains("Font Descriptor Error in fonts/broken.txt: Failed to Load Image"));
    std::vector<TFontRect> rects;
    int advance = -1;
    font.DrawStringW(0, 20, L"AB", 0xFFFFFFFFu, 0, &rects, &advance, true);
    EXPECT_TRUE(rects.empty());
    EXPECT_EQ(advance, 0);
    EXPECT_EQ(font.GetTextWidthW(L"AB"), 0);
    EXPECT_EQ(font.GetTextWidth(L"AB"), 0);
    EXPECT_EQ(font.GetHeight(), 0);
    EXPECT_EQ(font.GetAscent(), 0);
}

TEST(TMyFont, BaseMeasuresNothing) {
    struct PlainFont : TMyFont {};
    PlainFont font;
    EXPECT_EQ(font.GetTextWidthW(L"AB"), 0);
    EXPECT_EQ(font.GetCharWidthW(L'A'), 0);
    EXPECT_EQ(font.GetLineHeight(), 0);
    EXPECT_EQ(font.Clone(), nullptr);
}

} // namespace
