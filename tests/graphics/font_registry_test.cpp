#include <gtest/gtest.h>

#include <string>

#include "app/xml_reader.h"
#include "font_test_support.h"
#include "graphics/font_registry.h"

namespace {

class FontRegistryTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mRenderer.IsReady());
        fonttest::WriteBasicImage(mAssets, "fonts/basic.png");
        mAssets.Write("fonts/basic.txt", fonttest::kBasicFont);
        // Told apart from the basic font by its default point size.
        mAssets.Write("fonts/large.txt", std::string(fonttest::kBasicFont) + "SetDefaultPointSize 20;");
        mAssets.Write("fonts/broken.txt", "CreateLayer Main; Bogus;");
    }

    void TearDown() override {
        TFontRegistry::Destroy();
        ReleaseXmlRoot();
    }

    void Load(const std::string& xml) {
        mAssets.Write("fonts.xml", xml);
        TiXmlElement* root = LoadXmlRoot("fonts.xml");
        ASSERT_NE(root, nullptr);
        TFontRegistry::GetInstance()->LoadXml(root);
    }

    fonttest::HeadlessRenderer mRenderer;
    fonttest::FontAssets mAssets;
};

TEST_F(FontRegistryTest, FontsAreFoundByExactId) {
    Load("<fonts>\n"
         "  <font id=\"default\" name=\"fonts/basic.txt\"/>\n"
         "  <font id=\"Default\" name=\"fonts/large.txt\"/>\n"
         "  <font id=\"big\" name=\"fonts/basic.txt\"/>\n"
         "  <font id=\"big\" name=\"fonts/large.txt\"/>\n"
         "  <font id=\"kept\" name=\"fonts/large.txt\"/>\n"
         "  <font id=\"kept\" name=\"fonts/broken.txt\"/>\n"
         "  <font name=\"fonts/basic.txt\"/>\n"
         "  <font id=\"bad\" name=\"fonts/broken.txt\"/>\n"
         "  <font id=\"gone\" name=\"fonts/none.txt\"/>\n"
         "  <other id=\"other\" name=\"fonts/basic.txt\"/>\n"
         "</fonts>\n");
    struct Case {
        std::string id;
        int pointSize; // 0: not registered
    };
    const Case cases[] = {
        {"default", 16}, {"Default", 20}, {"big", 20},  {"kept", 20},   {"", 16},
        {"bad", 0},      {"gone", 0},     {"other", 0}, {"DEFAULT", 0},
    };
    TFontRegistry* registry = TFontRegistry::GetInstance();
    for (const Case& c : cases) {
        ImageFont* font = registry->FindFont(c.id);
        EXPECT_EQ(font != nullptr, c.pointSize != 0) << c.id;
        if (font != nullptr) {
            EXPECT_EQ(font->GetPointSize(), c.pointSize) << c.id;
            EXPECT_EQ(font->GetTextWidthW(L"AB"), 17) << c.id;
        }
    }
    EXPECT_TRUE(harness::LogContains("Font Descriptor Error in fonts/broken.txt: Unknown Command"));
    EXPECT_TRUE(harness::LogContains("error load font file fonts/none.txt"));
}

// Ids naming one description are given copies of one read: each its own font, so a change to one (its
// point size) leaves the others as the description made them.
TEST_F(FontRegistryTest, IdsSharingADescriptionHaveFontsOfTheirOwn) {
    Load("<fonts>\n"
         "  <font id=\"body\" name=\"fonts/large.txt\"/>\n"
         "  <font id=\"caption\" name=\"fonts/basic.txt\"/>\n"
         "  <font id=\"label\" name=\"fonts/large.txt\"/>\n"
         "</fonts>\n");
    TFontRegistry* registry = TFontRegistry::GetInstance();
    ImageFont* body = registry->FindFont("body");
    ImageFont* label = registry->FindFont("label");
    ImageFont* caption = registry->FindFont("caption");
    ASSERT_NE(body, nullptr);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(caption, nullptr);
    EXPECT_NE(body, label);
    EXPECT_EQ(label->GetPointSize(), 20);
    EXPECT_EQ(label->GetTextWidthW(L"AB"), body->GetTextWidthW(L"AB"));
    body->SetPointSize(40);
    EXPECT_EQ(body->GetPointSize(), 40);
    EXPECT_EQ(label->GetPointSize(), 20);
    EXPECT_EQ(caption->GetPointSize(), 16);
    EXPECT_EQ(label->GetTextWidthW(L"AB"), 17);
}

TEST_F(FontRegistryTest, MissingIdIsReportedOnce) {
    Load("<fonts><font id=\"default\" name=\"fonts/basic.txt\"/></fonts>");
    TFontRegistry* registry = TFontRegistry::GetInstance();
    EXPECT_EQ(registry->FindFont("maproomname"), nullptr);
    EXPECT_EQ(registry->FindFont("maproomname"), nullptr);
    ASSERT_NE(registry->FindFont("default"), nullptr);
    fonttest::ExpectReportedOnce("font", "maproomname");
}

TEST_F(FontRegistryTest, DestroyStartsEmpty) {
    Load("<fonts><font id=\"default\" name=\"fonts/basic.txt\"/></fonts>");
    ASSERT_NE(TFontRegistry::GetInstance()->FindFont("default"), nullptr);
    TFontRegistry::Destroy();
    EXPECT_EQ(TFontRegistry::GetInstance()->FindFont("default"), nullptr);
}

} // namespace
