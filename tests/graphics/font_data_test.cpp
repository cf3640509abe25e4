#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/string_utils.h"
#include "font_test_support.h"
#include "graphics/font_data.h"

namespace {

const char* const kPreamble = "CreateLayer Main;\nLayerSetImage Main 'basic.png';\n";

class FontDataTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mRenderer.IsReady());
        fonttest::WriteBasicImage(mAssets, "fonts/basic.png");
    }

    std::unique_ptr<FontData> Load(const std::string& source) {
        mAssets.Write("fonts/test.txt", source);
        auto data = std::make_unique<FontData>();
        EXPECT_TRUE(data->LoadFile("fonts/test.txt"));
        return data;
    }

    const FontLayer& Layer(const FontData& data, size_t index) { return *data.GetLayers().at(index); }

    fonttest::HeadlessRenderer mRenderer;
    fonttest::FontAssets mAssets;
};

struct CommandCase {
    std::string statements;
    std::string error; // empty: the file loads
};

TEST_F(FontDataTest, CommandsCheckTheirParameters) {
    const CommandCase cases[] = {
        {"layersetascent MAIN 3", ""},
        {"Bogus 1", "Unknown Command"},
        {"SetDefaultPointSize 1 2", "Invalid Number of Parameters"},
        {"LayerSetAscent Main", "Invalid Number of Parameters"},
        {"LayerSetAscent Other 3", "Invalid Paramater Type"},
        {"LayerSetAscent (Main) 3", "Invalid Paramater Type"},
        {"LayerSetAscent Main x", "Invalid Paramater Type"},
        {"Define N 12; SetDefaultPointSize N", "Invalid Paramater Type"},
        {"Define 1x 5", "Invalid Paramater Type"},
        {"Define 'q' 5", "Invalid Paramater Type"},
        {"Define (a) 5", "Invalid Paramater Type"},
        {"LayerSetDrawMode Main 1", ""},
        {"LayerSetDrawMode Main 2", "Invalid Paramater Type"},
        {"LayerSetColorMult Main (1 1 1)", "Invalid Paramater Type"},
        {"LayerSetColorAdd Main (1 1 1 1 1)", "Invalid Paramater Type"},
        {"LayerSetOffset Main (1)", "Invalid Paramater Type"},
        {"CreateLayer Fresh; LayerSetImageMap Fresh ('A') ((0 0 1 1))", "Layer image not set"},
        {"LayerSetImageMap Main ('A') ((12 0 8 16))", ""},
        {"LayerSetImageMap Main ('A') ((13 0 8 16))", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('A') ((0 1 8 16))", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('A') ((-1 0 2 2))", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('A') ((4 0 -2 2))", "Image rectangle out of bounds"},
        {"LayerSetImageMap Main ('A') ((0 0 1))", "Invalid Paramater Type"},
        {"LayerSetImageMap Main ('A') 5", "Invalid Paramater Type"},
        {"LayerSetImage Main 'missing.png'", "Failed to Load Image"},
        {"LayerSetCharWidths Main (A) (1)", "Invalid Paramater Type"},
        {"LayerSetCharWidths Main ('A' 'B') (1)", "List Size Mismatch"},
        {"LayerSetCharWidths Main ('A' 'BC') (1)", "Invalid Paramater Type"},
        {"LayerSetCharWidths Main ('A') (x)", "Invalid Paramater Type"},
        {"SetCharMap ('a' 'b') ('A')", "List Size Mismatch"},
        {"LayerSetKerningPairs Main ('ABC') (1)", "Invalid Paramater Type"},
        {"LayerSetKerningPairs Main ('AB' 'BA') (1)", "List Size Mismatch"},
        {"CreateLayer Main", ""},
        {"CreateLayerFrom Copy Nothing", "Invalid Paramater Type"},
        {"Cmd x(1)", "Unexpected List Start"},
        // Numbers beyond 16384 either way can only be damage: no glyph sum may overflow.
        {"SetDefaultPointSize 16384", ""},
        {"SetDefaultPointSize 16385", "Invalid Paramater Type"},
        {"LayerSetAscent Main -16385", "Invalid Paramater Type"},
        {"LayerSetCharOffsets Main ('A') ((0 -16384))", ""},
        {"LayerSetCharOffsets Main ('A') ((-2147483648 2147483647))", "Invalid Paramater Type"},
        {"LayerSetImageMap Main ('A') ((2147483647 0 2147483647 16))", "Invalid Paramater Type"},
        {"LayerSetCharWidths Main ('A') (0x7fffffff)", "Invalid Paramater Type"},
        {"LayerSetOffset Main (16385 0)", "Invalid Paramater Type"},
        {"CreateHorzSpanRectList R (0 0 0 16) (16384 16384)", "Invalid Paramater Type"},
    };
    for (const CommandCase& c : cases) {
        std::unique_ptr<FontData> data = Load(std::string(kPreamble) + c.statements + ";");
        EXPECT_EQ(data->IsLoaded(), c.error.empty()) << c.statements;
        if (!c.error.empty()) {
            EXPECT_EQ(ToUtf8(data->GetLastError()), c.error) << c.statements;
        }
    }
}

TEST_F(FontDataTest, FailureIsLoggedOnceWithThePath) {
    std::unique_ptr<FontData> data = Load(std::string(kPreamble) + "LayerSetAscent Main 3;\nBogus;\nAlsoBogus;");
    EXPECT_FALSE(data->IsLoaded());
    EXPECT_EQ(fonttest::CountLogLines("Font Descriptor Error"), 1);
    EXPECT_TRUE(harness::LogContains("Font Descriptor Error in fonts/test.txt: Unknown Command"));
    // What the file built before the failure stays.
    EXPECT_EQ(Layer(*data, 0).ascent, 3);
}

TEST_F(FontDataTest, LoadsOnlyOnce) {
    std::unique_ptr<FontData> data = Load(fonttest::kBasicFont);
    ASSERT_TRUE(data->IsLoaded());
    EXPECT_FALSE(data->LoadFile("fonts/test.txt"));
    EXPECT_EQ(data->GetLayers().size(), 1u);
}

TEST_F(FontDataTest, BasicFontBuildsGlyphsAndMaps) {
    std::unique_ptr<FontData> data = Load(fonttest::kBasicFont);
    ASSERT_TRUE(data->IsLoaded());
    EXPECT_EQ(data->GetDefaultPointSize(), 16);
    const FontLayer& main = Layer(*data, 0);
    EXPECT_EQ(main.ascent, 12);
    EXPECT_EQ(main.spacing, 1);
    EXPECT_EQ(main.maxGlyphBottom, 16);
    ASSERT_TRUE(main.image);
    EXPECT_EQ(main.image->GetWidth(), 20);

    struct GlyphCase {
        unsigned int code;
        TFontRect image;
        int advance;
    };
    const GlyphCase glyphs[] = {
        {'A', {0, 0, 8, 16}, 9},
        {'B', {8, 0, 8, 16}, 9},
        {' ', {16, 0, 4, 16}, 5},
        {'C', {0, 0, 0, 0}, 0},
    };
    for (const GlyphCase& g : glyphs) {
        const CharData* glyph = main.FindGlyph(g.code);
        ASSERT_NE(glyph, nullptr) << g.code;
        EXPECT_EQ(glyph->image, g.image) << g.code;
        EXPECT_EQ(glyph->advance, g.advance) << g.code;
    }
    EXPECT_EQ(main.FindGlyph(0x141), nullptr);
    EXPECT_EQ(main.FindGlyph(0x1F600), nullptr);
    EXPECT_EQ(main.FindGlyph('A')->GetKerning('B'), -2);
    EXPECT_EQ(main.FindGlyph('B')->GetKerning('A'), 0);
    EXPECT_EQ(main.FindGlyph('A')->GetKerning(0x4142), 0);

    const unsigned int mapped[][2] = {{'a', 'A'}, {'b', 'B'}, {'c', 'c'}, {0x161, 'A'}, {0xFF, 0xFF}};
    for (const auto& m : mapped) {
        EXPECT_EQ(data->MapChar(m[0]), m[1]) << m[0];
    }
    EXPECT_EQ(DescParserW::ElementToString(*data->GetDefine(L"glyphs")),
              L"((0, 0, 8, 16), (8, 0, 8, 16), (16, 0, 4, 16))");
}

TEST_F(FontDataTest, DefinesAndSpanLists) {
    std::unique_ptr<FontData> data = Load("CreateHorzSpanRectList Spans (0 10 99 20) (5 6);\n"
                                          "Define X 1; Define X (2 3);\n"
                                          "Define Y x;\n"
                                          "Define Z Unknown;\n"
                                          "Define W 'quoted';\n");
    ASSERT_TRUE(data->IsLoaded());
    fonttest::ExpectDefines(*data, {
                                       {L"spans", L"((0, 10, 5, 20), (5, 10, 6, 20))"},
                                       {L"X", L"(2, 3)"},
                                       {L"Y", L"(2, 3)"},
                                       {L"Z", L"Unknown"},
                                       {L"W", L"'quoted'"},
                                   });
}

TEST_F(FontDataTest, PerCharacterListsApplyGoodEntries) {
    // The two-character entry is skipped and fails the file, but A and C are set.
    std::unique_ptr<FontData> data = Load(std::string(kPreamble) + "LayerSetCharWidths Main ('A' 'BC' 'C') (4 5 6);");
    EXPECT_FALSE(data->IsLoaded());
    const FontLayer& main = Layer(*data, 0);
    EXPECT_EQ(main.FindGlyph('A')->advance, 4);
    EXPECT_EQ(main.FindGlyph('C')->advance, 6);
    EXPECT_EQ(main.FindGlyph('B')->advance, 0);

    std::unique_ptr<FontData> mismatch = Load("SetCharMap ('a' 'b') ('A');");
    EXPECT_EQ(mismatch->MapChar('a'), static_cast<unsigned int>('a'));
}

TEST_F(FontDataTest, LayerSettings) {
    std::unique_ptr<FontData> data = Load(std::string(kPreamble) + "LayerSetColorMult Main (1 0.5 0 0.25);\n"
                                                                   "LayerSetColorAdd Main (1.5 -0.1 0 1);\n"
                                                                   "LayerRequireTags Main ('bold' 'Big');\n"
                                                                   "LayerExcludeTags Main ('thin');\n"
                                                                   "LayerPointRange Main 10 -1;\n"
                                                                   "LayerSetPointSize Main 16;\n"
                                                                   "LayerSetOffset Main (2 -3);\n"
                                                                   "LayerSetBaseOrder Main -4;\n"
                                                                   "LayerSetAscentPadding Main 2;\n"
                                                                   "LayerSetLineSpacingOffset Main 5;\n"
                                                                   "LayerSetDrawMode Main 1;\n"
                                                                   "LayerSetImageMap Main ('A') ((0 0 8 16));\n"
                                                                   "LayerSetCharOrders Main ('A') (7);\n"
                                                                   "CreateLayerFrom Copy Main;\n"
                                                                   "LayerSetImage Copy 'basic.png';\n");
    ASSERT_TRUE(data->IsLoaded());
    ASSERT_EQ(data->GetLayers().size(), 2u);
    const FontLayer& main = Layer(*data, 0);
    // Components are bytes of 0xAARRGGBB; values outside 0..1 are held at the ends.
    EXPECT_EQ(main.colorMult, 0x3FFF7F00u);
    EXPECT_EQ(main.colorAdd, 0xFFFF0000u);
    EXPECT_EQ(main.requiredTags, (std::vector<std::wstring>{L"BOLD", L"BIG"}));
    EXPECT_EQ(main.excludedTags, (std::vector<std::wstring>{L"THIN"}));
    EXPECT_EQ(main.FindGlyph('A')->order, 7);

    const FontLayer& copy = Layer(*data, 1);
    const auto settings = [](const FontLayer& l) {
        return std::vector<int>{static_cast<int>(l.colorMult),
                                static_cast<int>(l.colorAdd),
                                l.drawMode,
                                l.offsetX,
                                l.offsetY,
                                l.minPointSize,
                                l.maxPointSize,
                                l.pointSize,
                                l.ascentPadding,
                                l.lineSpacingOffset,
                                l.maxGlyphBottom,
                                l.baseOrder};
    };
    EXPECT_EQ(settings(copy), settings(main));
    EXPECT_EQ(settings(main),
              (std::vector<int>{0x3FFF7F00, static_cast<int>(0xFFFF0000u), 1, 2, -3, 10, -1, 16, 2, 5, 16, -4}));
    EXPECT_EQ(copy.requiredTags, main.requiredTags);
    EXPECT_EQ(copy.FindGlyph('A'), nullptr);
    // The same image named twice is loaded once: both layers hold the one texture.
    ASSERT_TRUE(copy.image);
    EXPECT_EQ(&*copy.image, &*main.image);
}

TEST_F(FontDataTest, DuplicateLayerNamesReachTheFirst) {
    std::unique_ptr<FontData> data = Load("CreateLayer Main; CreateLayer main; LayerSetAscent MAIN 7;");
    ASSERT_TRUE(data->IsLoaded());
    ASSERT_EQ(data->GetLayers().size(), 2u);
    EXPECT_EQ(Layer(*data, 0).ascent, 7);
    EXPECT_EQ(Layer(*data, 1).ascent, 0);
}

TEST_F(FontDataTest, KerningPairs) {
    std::unique_ptr<FontData> data =
        Load(std::string(kPreamble) + "LayerSetCharWidths Main ('A' 'B') (1 1);\n"
                                      "LayerSetKerningPairs Main ('AB' 'ZA' 'BA' 'A\\x') (200 5 -3 1);\n");
    ASSERT_TRUE(data->IsLoaded());
    const FontLayer& main = Layer(*data, 0);
    // Stored as a signed byte.
    EXPECT_EQ(main.FindGlyph('A')->GetKerning('B'), -56);
    // Z is on page 0 like A, so its pair is kept.
    EXPECT_EQ(main.FindGlyph('Z')->GetKerning('A'), 5);
    EXPECT_EQ(main.FindGlyph('B')->GetKerning('A'), -3);
    EXPECT_EQ(main.FindGlyph('A')->GetKerning('x'), 1);

    std::wstring source = FromUtf8(std::string(kPreamble) + "LayerSetCharWidths Main ('A' 'B') (1 1);\n"
                                                            "LayerSetKerningPairs Main ('ЖA' 'AB') (4 6);\n");
    mAssets.Write("fonts/wide.txt", fonttest::EncodeUtf16(source, true));
    auto missing = std::make_unique<FontData>();
    missing->LoadFile("fonts/wide.txt");
    ASSERT_TRUE(missing->IsLoaded());
    // The pair whose first character has no glyph page is dropped; the pairs after it still apply.
    EXPECT_EQ(Layer(*missing, 0).FindGlyph('A')->GetKerning('B'), 6);
    EXPECT_FALSE(Layer(*missing, 0).HasGlyphPage(0x416));
}

TEST_F(FontDataTest, GlyphBottomFollowsOffsetsWhateverTheOrder) {
    struct Case {
        std::string statements;
        int bottom;
    };
    const Case cases[] = {
        {"LayerSetCharOffsets Main ('A' 'B') ((0 2) (0 -1)); LayerSetImageMap Main ('A' 'B') ((0 0 8 10) (8 0 8 16));",
         15},
        {"LayerSetImageMap Main ('A' 'B') ((0 0 8 10) (8 0 8 16)); LayerSetCharOffsets Main ('A' 'B') ((0 2) (0 -1));",
         15},
        {"LayerSetImageMap Main ('A') ((0 0 8 10)); LayerSetCharOffsets Main ('A') ((0 -12));", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<FontData> data = Load(std::string(kPreamble) + c.statements);
        ASSERT_TRUE(data->IsLoaded()) << c.statements;
        EXPECT_EQ(Layer(*data, 0).maxGlyphBottom, c.bottom) << c.statements;
    }
}

TEST_F(FontDataTest, Utf16DescriptionsNameWideCharacters) {
    std::wstring source = FromUtf8(std::string(kPreamble) + "LayerSetCharWidths Main ('Ж' 'я') (7 6);\n"
                                                            "LayerSetImageMap Main ('Ж') ((0 0 8 16));\n"
                                                            "LayerSetKerningPairs Main ('Жя') (-1);\n");
    for (bool little : {true, false}) {
        mAssets.Write("fonts/wide.txt", fonttest::EncodeUtf16(source, little));
        FontData data;
        data.LoadFile("fonts/wide.txt");
        ASSERT_TRUE(data.IsLoaded()) << little;
        const FontLayer& main = *data.GetLayers().at(0);
        ASSERT_NE(main.FindGlyph(0x416), nullptr);
        EXPECT_EQ(main.FindGlyph(0x416)->advance, 7);
        EXPECT_EQ(main.FindGlyph(0x44F)->advance, 6);
        EXPECT_EQ(main.FindGlyph(0x416)->image, (TFontRect{0, 0, 8, 16}));
        EXPECT_EQ(main.FindGlyph(0x416)->GetKerning(0x44F), -1);
    }
}

TEST(PackColorArgb, KeepsLowBytes) {
    EXPECT_EQ(PackColorArgb(256, 255, 0, 128), 0x8000FF00u);
}

} // namespace
