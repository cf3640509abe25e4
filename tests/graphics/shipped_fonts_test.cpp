// The fonts and terms the game ships, loaded through the real registry and term table from the
// assets/ folder beside the test executables.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/xml_reader.h"
#include "font_test_support.h"
#include "graphics/font_registry.h"
#include "graphics/terms.h"

namespace {

// Ids the game's code asks the registry for.
const char* const kCodeFontIds[] = {"default", "default16", "big", "maproomname"};
// Fonts that show typed profile names.
const char* const kTypedNameFontIds[] = {"default", "body"};

// Every character the profile name field accepts.
std::wstring NameCharacters() {
    std::wstring text;
    const std::pair<wchar_t, wchar_t> ranges[] = {{L'0', L'9'}, {L'A', L'Z'}, {L'a', L'z'}, {0x410, 0x44F}};
    for (const auto& [first, last] : ranges) {
        for (wchar_t c = first; c <= last; ++c) {
            text += c;
        }
    }
    return text;
}

void CollectFontAttributes(const TiXmlElement* element, std::set<std::string>& ids) {
    for (; element != nullptr; element = element->NextSiblingElement()) {
        if (const char* font = element->Attribute("font")) {
            ids.insert(font);
        }
        CollectFontAttributes(element->FirstChildElement(), ids);
    }
}

// Font ids named by the interface description files.
std::set<std::string> InterfaceFontIds() {
    std::set<std::string> ids;
    for (const auto& entry : std::filesystem::directory_iterator("assets/ui")) {
        if (entry.path().extension() != ".xml") {
            continue;
        }
        TiXmlDocument* document = nullptr;
        const TiXmlElement* root = LoadXmlDocument("ui/" + entry.path().filename().string(), document);
        EXPECT_NE(root, nullptr) << entry.path();
        CollectFontAttributes(root, ids);
        delete document;
    }
    return ids;
}

int CountFontLogFaults() {
    int count = 0;
    for (const char* fault : {"Font Descriptor Error", "error load font file", "not found", "kerning pair skipped"}) {
        count += fonttest::CountLogLines(fault);
    }
    return count;
}

class ShippedFontsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mRenderer.IsReady());
        ASSERT_TRUE(SetWorkingFolderToExe());
        ASSERT_TRUE(FileExists("fonts.xml")) << "no shipped assets beside the test executable";
        TiXmlElement* root = LoadXmlRoot("fonts.xml");
        ASSERT_NE(root, nullptr);
        std::vector<TiXmlElement*> fonts;
        CollectXmlChildren(root, "font", fonts);
        for (const TiXmlElement* font : fonts) {
            mIds.insert(ReadXmlString(font, "id", ""));
            mDescriptions.insert(ReadXmlString(font, "name", ""));
        }
        TFontRegistry::GetInstance()->LoadXml(root);
        ReleaseXmlRoot();
    }

    void TearDown() override {
        TFontRegistry::Destroy();
        TTerms::Destroy();
    }

    ImageFont* Find(const std::string& id) { return TFontRegistry::GetInstance()->FindFont(id); }

    fonttest::HeadlessRenderer mRenderer{1024, 600};
    harness::ScopedDataRoot mRoot{GetExecutableFolder()};
    std::set<std::string> mIds;
    std::set<std::string> mDescriptions;
};

TEST_F(ShippedFontsTest, EveryNamedFontLoads) {
    std::set<std::string> wanted(std::begin(kCodeFontIds), std::end(kCodeFontIds));
    std::set<std::string> used = InterfaceFontIds();
    wanted.insert(used.begin(), used.end());
    for (const std::string& id : wanted) {
        ImageFont* font = Find(id);
        ASSERT_NE(font, nullptr) << id;
        EXPECT_GT(font->GetAscent(), 0) << id;
        EXPECT_GT(font->GetDescent(), 0) << id;
        EXPECT_GT(font->GetTextWidthW(L"Verdanel"), 0) << id;
    }
    // Every registered font loaded too, not only the named ones.
    for (const std::string& id : mIds) {
        EXPECT_NE(Find(id), nullptr) << id;
    }
    EXPECT_EQ(CountFontLogFaults(), 0);
    EXPECT_TRUE(GetMissingNames().empty());
}

TEST_F(ShippedFontsTest, DescriptionsFollowTheNamingRules) {
    ASSERT_FALSE(mDescriptions.empty());
    for (const std::string& name : mDescriptions) {
        // The folder of the name is where the images are looked for; "assets/" there would be doubled.
        EXPECT_EQ(name.find("assets/"), std::string::npos) << name;
        std::string bytes = harness::ReadFile(ResolvePath(name));
        ASSERT_GE(bytes.size(), 2u) << name;
        // Cyrillic needs the 16-bit form.
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << name;
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += static_cast<wchar_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8));
        }
        // An image name with "_" would be loaded as a colour and mask pair.
        size_t at = text.find(L"LayerSetImage ");
        ASSERT_NE(at, std::wstring::npos) << name;
        std::wstring line = text.substr(at, text.find(L'\n', at) - at);
        EXPECT_EQ(line.find(L'_'), std::wstring::npos) << name;
    }
}

TEST_F(ShippedFontsTest, EveryFontCoversTheNameCharacters) {
    for (const char* id : kTypedNameFontIds) {
        ASSERT_TRUE(mIds.count(id)) << id;
    }
    const std::wstring names = NameCharacters();
    ASSERT_EQ(names.size(), 10u + 26u + 26u + 64u);
    for (const std::string& id : mIds) {
        ImageFont* font = Find(id);
        ASSERT_NE(font, nullptr) << id;
        ASSERT_FALSE(font->GetActiveLayers().empty()) << id;
        const ActiveFontLayer& layer = font->GetActiveLayers().front();
        for (wchar_t c : names) {
            EXPECT_GT(font->GetCharAdvanceW(c, 0), 0) << id << " U+" << std::hex << static_cast<int>(c);
            const TActiveGlyph* glyph = layer.FindGlyph(static_cast<unsigned int>(c));
            ASSERT_NE(glyph, nullptr) << id << " U+" << std::hex << static_cast<int>(c);
            EXPECT_TRUE(glyph->width > 0 && glyph->height > 0) << id << " U+" << std::hex << static_cast<int>(c);
        }
    }
}

// Frame pixels that differ from the background.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
};

Ink FindInk(SDL_Renderer* renderer, const SDL_Rect& area) {
    std::vector<uint8_t> pixels(static_cast<size_t>(area.w) * area.h * 4);
    SDL_Rect rect = area;
    SDL_RenderReadPixels(renderer, &rect, SDL_PIXELFORMAT_RGBA32, pixels.data(), area.w * 4);
    Ink ink;
    for (int y = 0; y < area.h; ++y) {
        for (int x = 0; x < area.w; ++x) {
            const uint8_t* p = &pixels[(static_cast<size_t>(y) * area.w + x) * 4];
            if (p[0] != 0 || p[1] != 0 || p[2] != 0) {
                ink.left = std::min(ink.left, area.x + x);
                ink.right = std::max(ink.right, area.x + x);
                ink.top = std::min(ink.top, area.y + y);
                ink.bottom = std::max(ink.bottom, area.y + y);
                ++ink.count;
            }
        }
    }
    return ink;
}

// Glyphs land inside the box the font measures: from the line's top (baseline - ascent) down its
// height, and along the measured width, give or take a glyph's overhang. A word without descenders
// rests on the baseline it was drawn at.
TEST_F(ShippedFontsTest, DrawnTextStaysInItsMeasuredBox) {
    const std::wstring sample = L"Verdanel: Жёлтый 0-9, Àçé!";
    constexpr int kOverhang = 3;
    constexpr int kWordX = 700; // the word on the baseline is drawn right of the sample
    mRenderer.Clear(0, 0, 0);
    int baseline = 10;
    for (const std::string& id : mIds) {
        ImageFont* font = Find(id);
        ASSERT_NE(font, nullptr) << id;
        baseline += font->GetAscent();
        const int x = 20;
        const int top = baseline - font->GetAscent();
        const int width = font->GetTextWidthW(sample);
        font->DrawStringAtW(x, baseline, sample, 0xFFFFFFFFu, 0, true);
        font->DrawStringAtW(kWordX, baseline, L"HANDLE", 0xFFFFFFFFu, 0, true);
        Ink ink = FindInk(GetSDLRenderer(), {0, top - 4, kWordX - 10, font->GetHeight() + 8});
        EXPECT_GT(ink.count, width) << id;
        EXPECT_GE(ink.left, x - kOverhang) << id;
        EXPECT_LE(ink.left, x + kOverhang) << id;
        EXPECT_LE(ink.right, x + width + kOverhang) << id;
        // The last glyph is drawn where the pen reached.
        EXPECT_GT(ink.right, x + width - font->GetCharAdvanceW(sample.back(), 0)) << id;
        EXPECT_GE(ink.top, top) << id;
        EXPECT_LT(ink.bottom, top + font->GetHeight()) << id;
        Ink word = FindInk(GetSDLRenderer(), {kWordX, top - 4, 1024 - kWordX, font->GetHeight() + 8});
        EXPECT_EQ(word.bottom, baseline - 1) << id;
        // Capitals reach well above the middle of the ascent.
        EXPECT_LT(word.top, baseline - font->GetAscent() / 2) << id;
        baseline += font->GetLineHeight() - font->GetAscent() + 6;
    }
    // A look at the result: VERDANEL_FONT_SAMPLES names the PNG to write.
    if (const char* out = std::getenv("VERDANEL_FONT_SAMPLES")) {
        SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, 1024, 600, 32, SDL_PIXELFORMAT_RGBA32);
        ASSERT_NE(shot, nullptr);
        SDL_RenderReadPixels(GetSDLRenderer(), nullptr, SDL_PIXELFORMAT_RGBA32, shot->pixels, shot->pitch);
        EXPECT_EQ(IMG_SavePNG(shot, out), 0);
        SDL_FreeSurface(shot);
    }
}

TEST_F(ShippedFontsTest, EveryTermLoadsAndIsDrawable) {
    TTerms* terms = TTerms::GetInstance();
    ASSERT_TRUE(terms->LoadXml("termins.xml"));
    EXPECT_NE(terms->GetWideText("GameName"), L"GameName");
    // Every row's text, read back by its key, has a glyph in the default font for each character.
    TiXmlElement* root = LoadXmlRoot("termins.xml");
    ASSERT_NE(root, nullptr);
    std::vector<TiXmlElement*> rows;
    const TiXmlElement* sheet = root->FirstChildElement("Worksheet");
    ASSERT_NE(sheet, nullptr);
    CollectXmlChildren(sheet->FirstChildElement("Table"), "Row", rows);
    std::vector<std::string> keys;
    for (const TiXmlElement* row : rows) {
        const TiXmlElement* cell = row->FirstChildElement("Cell");
        keys.push_back(cell != nullptr ? ReadXmlText(cell->FirstChildElement("Data")) : "");
    }
    ReleaseXmlRoot();
    ASSERT_GT(keys.size(), 1u);
    ImageFont* font = Find("default");
    ASSERT_NE(font, nullptr);
    for (const std::string& key : keys) {
        std::wstring text = terms->GetWideText(key);
        EXPECT_FALSE(text.empty()) << key;
        for (wchar_t c : text) {
            EXPECT_TRUE(c == L'\n' || font->GetCharAdvanceW(c, 0) > 0)
                << key << " U+" << std::hex << static_cast<int>(c);
        }
    }
    EXPECT_TRUE(GetMissingNames().empty());
}

} // namespace
