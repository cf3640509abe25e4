#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "font_test_support.h"
#include "graphics/font_image.h"

namespace {

// An 8 x 4 image: A solid at x 0-2, B solid at x 3-4, C half transparent at x 5-7.
// Ascent 3, so a glyph drawn on baseline y covers rows y - 3 to y.
const char* const kPixelFont = "SetDefaultPointSize 8;\n"
                               "CreateLayer Main;\n"
                               "LayerSetImage Main 'pixel.png';\n"
                               "LayerSetAscent Main 3;\n"
                               "LayerSetImageMap Main ('A' 'B' 'C') ((0 0 3 4) (3 0 2 4) (5 0 3 4));\n"
                               "LayerSetCharWidths Main ('A' 'B' 'C') (4 3 3);\n"
                               "LayerSetSpacing Main 1;\n"
                               "LayerSetKerningPairs Main ('AB') (-1);\n";

// A red copy of Main's A, one pixel right and down.
const char* const kShadow = "CreateLayerFrom Shadow Main; LayerSetOffset Shadow (1 1);\n"
                            "LayerSetColorMult Shadow (0 0 0 1); LayerSetColorAdd Shadow (1 0 0 0);\n"
                            "LayerSetImageMap Shadow ('A') ((0 0 3 4));\n";

constexpr uint32_t kOpaqueGreen = 0xFF00FF00u;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
const std::vector<int> kBlue{0, 0, 255};
const std::vector<int> kGreen{0, 255, 0};
const std::vector<int> kRed{255, 0, 0};

struct Pixel {
    int x, y;
    std::vector<int> rgb;
};

class FontDrawTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mRenderer.IsReady());
        mAssets.WriteImage("fonts/pixel.png", 8, 4,
                           {{0, 0, 5, 4, 255, 255, 255, 255}, {5, 0, 3, 4, 255, 255, 255, 128}});
    }

    std::unique_ptr<ImageFont> Make(const std::string& extra) {
        mAssets.Write("fonts/pixel.txt", std::string(kPixelFont) + extra);
        auto font = std::make_unique<ImageFont>("fonts/pixel.txt");
        EXPECT_TRUE(font->IsLoaded()) << extra;
        mRenderer.Clear(0, 0, 255);
        return font;
    }

    // Each channel within 2 of the expected value (blending rounds).
    void ExpectPixels(const std::vector<Pixel>& pixels, const std::string& label) {
        for (const Pixel& p : pixels) {
            std::vector<int> actual = mRenderer.PixelAt(p.x, p.y);
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_LE(std::abs(actual[i] - p.rgb[i]), 2)
                    << label << " at (" << p.x << ", " << p.y << ") channel " << i << ": " << actual[i];
            }
        }
    }

    fonttest::HeadlessRenderer mRenderer;
    fonttest::FontAssets mAssets;
};

TEST_F(FontDrawTest, GlyphsLandOnTheBaselineWithKerning) {
    std::unique_ptr<ImageFont> font = Make("");
    font->DrawStringAtW(10, 20, L"AB", kOpaqueGreen, 0, true);
    // A covers x 10-12; kerning -1 cancels the spacing, so B starts at 10 + 4 and covers x 14-15.
    ExpectPixels({{10, 17, kGreen},
                  {12, 20, kGreen},
                  {14, 17, kGreen},
                  {15, 20, kGreen},
                  {9, 18, kBlue},
                  {13, 18, kBlue},
                  {16, 18, kBlue},
                  {10, 16, kBlue},
                  {10, 21, kBlue}},
                 "AB");
}

TEST_F(FontDrawTest, NothingIsDrawnWithoutTheDrawFlag) {
    std::unique_ptr<ImageFont> font = Make("");
    int advance = 0;
    font->DrawStringW(10, 20, L"AB", kOpaqueGreen, 0, nullptr, &advance, false);
    EXPECT_EQ(advance, 7);
    ExpectPixels({{10, 17, kBlue}, {14, 18, kBlue}}, "no draw");
}

TEST_F(FontDrawTest, ColoursTintsAndAlpha) {
    struct Case {
        std::string name;
        std::string extra;
        std::wstring text;
        uint32_t color;
        std::vector<int> rgb;
    };
    const Case cases[] = {
        {"text colour", "", L"A", kOpaqueGreen, kGreen},
        {"half alpha colour", "", L"A", 0x80FFFFFFu, {128, 128, 255}},
        {"half alpha glyph", "", L"C", kOpaqueWhite, {128, 128, 255}},
        {"layer multiplier", "LayerSetColorMult Main (1 0.5 1 1);", L"A", kOpaqueWhite, {255, 127, 255}},
        {"layer adder", "LayerSetColorAdd Main (0 0 0.2 0);", L"A", kOpaqueGreen, {0, 255, 51}},
        {"8-bit path maps", "SetCharMap ('a') ('A');", L"a", kOpaqueGreen, kGreen},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ImageFont> font = Make(c.extra);
        font->DrawString(10, 20, c.text, c.color, 0, nullptr, nullptr, true);
        ExpectPixels({{11, 18, c.rgb}, {9, 18, kBlue}}, c.name);
    }
}

TEST_F(FontDrawTest, OrderDecidesWhichLayerIsOnTop) {
    struct Case {
        std::string name;
        std::string orders;
        std::vector<int> overlap;
    };
    const Case cases[] = {
        {"equal orders: later layer on top", "", kRed},
        {"shadow behind", "LayerSetBaseOrder Shadow -1;", kGreen},
        {"shadow in front", "LayerSetBaseOrder Shadow 1;", kRed},
        {"glyph order adds to the base", "LayerSetBaseOrder Shadow -1; LayerSetCharOrders Shadow ('A') (2);", kRed},
        // Both land in the last bucket, where drawing follows the order the records were made.
        {"orders clamp to the last bucket", "LayerSetCharOrders Main ('A') (300); LayerSetBaseOrder Shadow 200;", kRed},
        {"orders clamp to the first bucket", "LayerSetCharOrders Main ('A') (-129); LayerSetBaseOrder Shadow -300;",
         kRed},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ImageFont> font = Make(std::string(kShadow) + c.orders);
        font->DrawStringAtW(10, 20, L"A", kOpaqueGreen, 0, true);
        // Main covers x 10-12, y 17-20; the shadow x 11-13, y 18-21.
        ExpectPixels({{11, 18, c.overlap}, {10, 17, kGreen}, {13, 21, kRed}}, c.name);
    }
}

TEST_F(FontDrawTest, ScaledLayerDrawsLarger) {
    std::unique_ptr<ImageFont> font = Make("LayerSetPointSize Main 8;");
    font->SetPointSize(16);
    font->DrawStringAtW(10, 20, L"A", kOpaqueGreen, 0, true);
    // Twice the size: x 10-15, rows 20 - 6 to 21.
    ExpectPixels({{10, 14, kGreen}, {15, 21, kGreen}, {16, 21, kBlue}, {15, 22, kBlue}, {10, 13, kBlue}}, "x2");
}

} // namespace
