#pragma once
// Helpers of the font tests: a headless window with the software renderer, a temporary data root with
// an "assets" folder, and glyph images generated on the spot.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/missing_names.h"
#include "app/renderer.h"
#include "app/string_utils.h"
#include "graphics/font_parser.h"
#include "harness/harness.h"

namespace fonttest {

// A window and its renderer for one test. Fonts holding textures must go before it.
class HeadlessRenderer : public harness::HeadlessRenderer {
public:
    using harness::HeadlessRenderer::HeadlessRenderer;

    void Clear(uint8_t r, uint8_t g, uint8_t b) {
        SDL_SetRenderDrawColor(GetSDLRenderer(), r, g, b, 255);
        SDL_RenderClear(GetSDLRenderer());
    }

    // Red, green and blue of one pixel of the frame drawn so far.
    std::vector<int> PixelAt(int x, int y) {
        uint8_t bytes[4] = {};
        SDL_Rect rect{x, y, 1, 1};
        SDL_RenderReadPixels(GetSDLRenderer(), &rect, SDL_PIXELFORMAT_RGBA32, bytes, 4);
        return {bytes[0], bytes[1], bytes[2]};
    }
};

struct ImageBlock {
    int x, y, w, h;
    uint8_t r, g, b, a;
};

// A temporary data root (the working folder while it lives) with an "assets" folder.
class FontAssets {
public:
    FontAssets() : mFolder(harness::MakeTempFolder()), mRoot(mFolder) { SetWorkingFolderToExe(); }

    // A file under "assets/".
    void Write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(harness::WriteFile(mFolder + "/assets/" + name, bytes));
    }

    // A transparent PNG under "assets/" with the given blocks painted.
    void WriteImage(const std::string& name, int width, int height, const std::vector<ImageBlock>& blocks) {
        Write(name, "");
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        ASSERT_NE(surface, nullptr);
        SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, 0, 0, 0, 0));
        for (const ImageBlock& block : blocks) {
            SDL_Rect rect{block.x, block.y, block.w, block.h};
            SDL_FillRect(surface, &rect, SDL_MapRGBA(surface->format, block.r, block.g, block.b, block.a));
        }
        int saved = IMG_SavePNG(surface, (mFolder + "/assets/" + name).c_str());
        SDL_FreeSurface(surface);
        ASSERT_EQ(saved, 0);
    }

    const std::string& Folder() const { return mFolder; }

private:
    std::string mFolder;
    harness::ScopedDataRoot mRoot;
};

// The 20 x 16 image of the basic font: A at x 0-7, B at x 8-15, space at x 16-19, all 16 high.
inline void WriteBasicImage(FontAssets& assets, const std::string& name) {
    assets.WriteImage(name, 20, 16, {{0, 0, 16, 16, 255, 255, 255, 255}});
}

// A small original font: ascent 12, glyph height 16, advances A 9, B 9, space 5, spacing 1, kerning AB -2,
// and a and b drawn as A and B.
inline const char* const kBasicFont = "# Minimal test font\n"
                                      "SetDefaultPointSize 16;\n"
                                      "CreateLayer Main;\n"
                                      "LayerSetImage Main 'basic.png';\n"
                                      "LayerSetAscent Main 12;\n"
                                      "LayerSetCharOffsets Main ('A' 'B' ' ') ((0 0) (0 0) (0 0));\n"
                                      "CreateHorzSpanRectList Glyphs (0 0 0 16) (8 8 4);\n"
                                      "LayerSetImageMap Main ('A' 'B' ' ') Glyphs;\n"
                                      "LayerSetCharWidths Main ('A' 'B' ' ') (9 9 5);\n"
                                      "LayerSetSpacing Main 1;\n"
                                      "LayerSetKerningPairs Main ('AB') (-2);\n"
                                      "SetCharMap ('a' 'b') ('A' 'B');\n";

struct DefineCase {
    std::wstring name;
    std::wstring value; // as ElementToString prints it
};

inline void ExpectDefines(const DescParserW& parser, const std::vector<DefineCase>& cases) {
    for (const DefineCase& c : cases) {
        const DataElement* value = parser.GetDefine(c.name);
        ASSERT_NE(value, nullptr) << ToUtf8(c.name);
        EXPECT_EQ(DescParserW::ElementToString(*value), c.value) << ToUtf8(c.name);
    }
}

// Lines of the log that contain the text.
inline int CountLogLines(const std::string& text) {
    int count = 0;
    for (const std::string& line : harness::LogLines()) {
        count += line.find(text) != std::string::npos ? 1 : 0;
    }
    return count;
}

// The only missing name so far, recorded and logged exactly once.
inline void ExpectReportedOnce(const std::string& kind, const std::string& name) {
    std::vector<TMissingName> missing = GetMissingNames();
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].kind, kind);
    EXPECT_EQ(missing[0].name, name);
    EXPECT_EQ(CountLogLines(kind + " not found " + name), 1);
}

// UTF-16 with a byte-order mark, little- or big-endian.
inline std::string EncodeUtf16(const std::wstring& text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (wchar_t c : text) {
        char low = static_cast<char>(c & 0xFF);
        char high = static_cast<char>((c >> 8) & 0xFF);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

} // namespace fonttest
