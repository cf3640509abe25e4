// Loading textures by name through the weak cache: file choice, colour + mask pairs, sharing, freeing,
// missing names, and the per-pixel maps.

#include <filesystem>
#include <vector>

#include "app/missing_names.h"
#include "graphics/build_maps_scope.h"
#include "graphics/texture.h"
#include "graphics/texture_cache.h"
#include "graphics_fixture.h"

namespace {

class TextureCacheTest : public GraphicsTest {
protected:
    // Draws the texture's top-left pixel over black at full alpha and reads it back.
    TRgba DrawnCorner(const TTextureHandle& texture) {
        BeginCanvas();
        TRenderState state;
        state.Init(0, 0, 1, 1, 0);
        texture->Draw(state);
        return Pixel(0, 0);
    }
};

TEST_F(TextureCacheTest, SingleImageFileChoice) {
    struct Case {
        const char* what;
        std::vector<const char*> files;
        std::string request;
        std::string loadedPath; // empty: no texture
    };
    const std::vector<Case> cases = {
        {"png appended", {"a.png"}, "a", "assets/a.png"},
        {"jpg when no png", {"b.jpg"}, "b", "assets/b.jpg"},
        {"png before jpg", {"c.png", "c.jpg"}, "c", "assets/c.png"},
        {"extension kept", {"d.png"}, "d.png", "assets/d.png"},
        {"extension never gets jpg", {"e.jpg"}, "e.png", ""},
        {"dot in a folder is no extension", {"fx.v2/spark.png"}, "fx.v2/spark", "assets/fx.v2/spark.png"},
        {"assets prefix not doubled", {"g.png"}, "assets/g", "assets/g.png"},
        {"no such image", {}, "h", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* file : c.files) {
            WriteSolidImage(file, 2, 2, kRed);
        }
        TTextureHandle texture = GetTexture(c.request);
        if (c.loadedPath.empty()) {
            EXPECT_FALSE(texture);
            continue;
        }
        ASSERT_TRUE(texture);
        EXPECT_EQ(texture->GetFilePath(), c.loadedPath);
        EXPECT_EQ(texture->GetName(), c.request);
        EXPECT_EQ(texture->GetWidth(), 2);
        EXPECT_EQ(texture->GetHeight(), 2);
    }
}

TEST_F(TextureCacheTest, AbsoluteNameSkipsTheDataFolder) {
    WriteSolidImage("abs.png", 3, 1, kRed);
    const std::string absolute = Root() + "/assets/abs";
    TTextureHandle texture = GetTexture(absolute);
    ASSERT_TRUE(texture);
    EXPECT_EQ(texture->GetFilePath(), absolute + ".png");
    EXPECT_EQ(texture->GetWidth(), 3);
}

TEST_F(TextureCacheTest, LiveTextureIsSharedAndFreedWithItsLastHolder) {
    WriteSolidImage("shared.png", 2, 2, kRed);
    TTextureHandle first = GetTexture("shared");
    ASSERT_TRUE(first);
    TTextureHandle second = GetTexture("shared");
    EXPECT_EQ(second.Get(), first.Get()) << "a live texture is not loaded again";
    EXPECT_EQ(first.UseCount(), 2) << "the cache holds no use of its own";

    // The file changes on disk; while a holder lives, requests still get the loaded texture.
    WriteSolidImage("shared.png", 2, 2, kBlue);
    first.Reset();
    TTextureHandle third = GetTexture("shared");
    EXPECT_EQ(third.Get(), second.Get());
    EXPECT_TRUE(NearColor(DrawnCorner(third), {255, 0, 0, 255}));

    // Once every holder is gone the texture dies, and the next request loads the file anew.
    WeakHandle<TTexture> watch(third);
    second.Reset();
    third.Reset();
    EXPECT_FALSE(watch.IsAlive());
    TTextureHandle reloaded = GetTexture("shared");
    ASSERT_TRUE(reloaded);
    EXPECT_TRUE(NearColor(DrawnCorner(reloaded), {0, 0, 255, 255}));
}

TEST_F(TextureCacheTest, MissingNameIsReportedOnceAndNotRetried) {
    EXPECT_FALSE(GetTexture("ghost"));
    EXPECT_FALSE(GetTexture("ghost"));
    WriteSolidImage("ghost.png", 2, 2, kRed);
    EXPECT_FALSE(GetTexture("ghost")) << "a failed name is not tried again on every request";

    int lines = 0;
    for (const std::string& line : harness::LogLines()) {
        lines += line == "image not found ghost" ? 1 : 0;
    }
    EXPECT_EQ(lines, 1);
    const std::vector<TMissingName> missing = GetMissingNames();
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].kind, "image");
    EXPECT_EQ(missing[0].name, "ghost");

    // The record is per data root: another root tries the name again.
    const std::string other = harness::MakeTempFolder();
    std::filesystem::create_directories(other + "/assets");
    std::filesystem::copy_file(Root() + "/assets/ghost.png", other + "/assets/ghost.png");
    harness::ScopedDataRoot otherRoot(other);
    ASSERT_TRUE(SetWorkingFolderToExe());
    EXPECT_TRUE(GetTexture("ghost"));
}

TEST_F(TextureCacheTest, ColourAndMaskPairs) {
    // Colour 10 x 10 JPG of solid blue; mask PNG whose red is 255 on the left half and 0 on the right, with
    // its own alpha channel 200 everywhere (the alpha map reads it).
    WriteSolidImage("pair.jpg", 10, 10, kBlue);
    WriteImage("pair.png", 10, 10, [](int x, int) { return x < 5 ? 0xC8FF0000u : 0xC8000000u; });
    WriteSolidImage("small.jpg", 4, 4, kBlue);
    WriteSolidImage("bigmask.png", 8, 8, kRed);

    TTextureHandle pair = GetMaskedTexture("pair", "pair", true);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->GetFilePath(), "assets/pair.jpg");
    EXPECT_EQ(pair->GetMaskPath(), "assets/pair.png");
    EXPECT_EQ(pair->GetAlphaAt(7, 3), 200) << "the alpha map is the mask's alpha channel";
    BeginCanvas({0, 255, 0, 255});
    TRenderState state;
    state.Init(0, 0, 1, 1, 0);
    pair->Draw(state);
    EXPECT_TRUE(NearColor(Pixel(2, 2), {0, 0, 255, 255}, 3)) << "opaque where the mask is red";
    EXPECT_TRUE(NearColor(Pixel(7, 2), {0, 255, 0, 255})) << "transparent where the mask is black";

    EXPECT_FALSE(GetMaskedTexture("bigmask", "bigmask", true)) << "both required, colour missing";
    // Without the colour image and both not required: white, the mask's red as alpha.
    TTextureHandle maskOnly = GetMaskedTexture("bigmask", "bigmask", false);
    ASSERT_TRUE(maskOnly);
    BeginCanvas();
    maskOnly->Draw(state);
    EXPECT_TRUE(NearColor(Pixel(3, 3), {255, 255, 255, 255}));

    EXPECT_FALSE(GetMaskedTexture("small", "bigmask", false)) << "colour and mask sizes differ";
    EXPECT_FALSE(GetMaskedTexture("pair.png", "pair.png", false)) << "a name with extension is not its own mask";
}

TEST_F(TextureCacheTest, PairAndSingleImageOfOneNameNeverShareAnEntry) {
    WriteSolidImage("twin.jpg", 2, 2, kBlue);
    WriteSolidImage("twin.png", 2, 2, kRed);
    TTextureHandle pair = FindMaskedTexture("twin", "twin", true);
    TTextureHandle single = GetTexture("twin");
    ASSERT_TRUE(pair);
    ASSERT_TRUE(single);
    EXPECT_NE(pair.Get(), single.Get());
    EXPECT_EQ(single->GetFilePath(), "assets/twin.png");
    EXPECT_TRUE(NearColor(DrawnCorner(pair), {0, 0, 255, 255}, 3));
    EXPECT_TRUE(NearColor(DrawnCorner(single), {255, 0, 0, 255}));
}

TEST_F(TextureCacheTest, NamesWithUnderscoreTryThePairThenTheSingleImage) {
    WriteSolidImage("fonts_big/glyphs.png", 2, 2, kRed);
    WriteSolidImage("my_font.png", 2, 2, kGreen);
    WriteSolidImage("dot_pair.jpg", 2, 2, kBlue);
    WriteSolidImage("dot_pair.png", 2, 2, kRed);
    struct Case {
        const char* name;
        const char* path; // the file that gave the texture's colour
    };
    const std::vector<Case> cases = {
        {"fonts_big/glyphs.png", "assets/fonts_big/glyphs.png"}, // "_" only in the folder: a single image
        {"my_font.png", "assets/my_font.png"},                   // a pair of itself fails: the single image
        {"dot_pair", "assets/dot_pair.jpg"},                     // a real pair
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTextureHandle texture = GetTextureByName(c.name, true);
        ASSERT_TRUE(texture);
        EXPECT_EQ(texture->GetFilePath(), c.path);
    }
}

TEST_F(TextureCacheTest, AlphaAndColourMaps) {
    // 3 x 2: alpha rises along the row, colours differ per pixel.
    WriteImage("maps.png", 3, 2, [](int x, int y) {
        return (static_cast<uint32_t>(x * 100 + y * 10) << 24) | (static_cast<uint32_t>(x * 80) << 16) |
               (static_cast<uint32_t>(y * 90) << 8) | 7u;
    });
    TTextureHandle texture;
    {
        TBuildMapsScope maps(true, true);
        texture = GetTexture("maps");
    }
    ASSERT_TRUE(texture);
    struct AlphaCase {
        int x;
        int y;
        int alpha;
    };
    for (const AlphaCase& c : std::vector<AlphaCase>{
             {0, 0, 0}, {2, 0, 200}, {1, 1, 110}, {-1, 0, 0}, {0, 2, 0}, {3, 0, 10}, {3, 1, 0}, {0, -1, 0}}) {
        EXPECT_EQ(texture->GetAlphaAt(c.x, c.y), c.alpha) << c.x << ", " << c.y;
    }
    TRgb color{1, 2, 3};
    ASSERT_TRUE(texture->GetColorAt(2, 1, color));
    EXPECT_EQ(color.r, 160);
    EXPECT_EQ(color.g, 90);
    EXPECT_EQ(color.b, 7);
    TRgb untouched{1, 2, 3};
    EXPECT_FALSE(texture->GetColorAt(0, 2, untouched));
    EXPECT_EQ(untouched.r, 1);

    // Loaded with the alpha switch off: no map, alpha 0 everywhere.
    WriteSolidImage("plain.png", 2, 2, kRed);
    TTextureHandle plain;
    {
        TBuildMapsScope maps(false);
        plain = GetTexture("plain");
    }
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->HasAlphaMap());
    EXPECT_EQ(plain->GetAlphaAt(0, 0), 0);
    EXPECT_FALSE(plain->GetColorAt(0, 0, color)) << "no colour map unless asked for";
}

// The alpha map alone is read straight from the decoded pixels; the same picture loaded with its colour
// map too (the converted copy) must give the same alphas. Opaque pictures keep no bytes but read 255 inside.
TEST_F(TextureCacheTest, AlphaMapsOfEachKindOfPicture) {
    // 3 x 2 pictures. The probes past the row's end read the next row, those past the last row read 0.
    WriteImage("rising.png", 3, 2,
               [](int x, int y) { return (static_cast<uint32_t>(x * 100 + y * 10) << 24) | 0x123456u; });
    WriteImage("clearcorner.png", 3, 2, [](int x, int y) { return x == 0 && y == 0 ? 0x00FFFFFFu : kGreen; });
    WriteSolidImage("opaque.png", 3, 2, kRed);
    WriteRgbImage("rgb.png", 3, 2, kBluePixel);
    WriteSolidImage("photo.jpg", 3, 2, kBlue);
    struct Case {
        const char* name;
        std::vector<int> alphas; // at (0,0) (2,0) (1,1) (2,1) (3,0) (0,2) (-1,0)
    };
    const std::vector<Case> cases = {
        {"rising", {0, 200, 110, 210, 10, 0, 0}},    {"clearcorner", {0, 255, 255, 255, 255, 0, 0}},
        {"opaque", {255, 255, 255, 255, 255, 0, 0}}, {"rgb", {255, 255, 255, 255, 255, 0, 0}},
        {"photo", {255, 255, 255, 255, 255, 0, 0}},
    };
    const int probes[][2] = {{0, 0}, {2, 0}, {1, 1}, {2, 1}, {3, 0}, {0, 2}, {-1, 0}};
    for (const Case& c : cases) {
        for (const bool colorMaps : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (colorMaps ? " with its colour map" : " alone"));
            TTextureHandle texture;
            {
                TBuildMapsScope maps(true, colorMaps);
                texture = GetTexture(c.name);
            }
            ASSERT_TRUE(texture);
            EXPECT_TRUE(texture->HasAlphaMap());
            for (size_t i = 0; i < std::size(probes); ++i) {
                EXPECT_EQ(texture->GetAlphaAt(probes[i][0], probes[i][1]), c.alphas[i])
                    << probes[i][0] << ", " << probes[i][1];
            }
            // Let the cache load the picture again with the other switches.
            texture.Reset();
        }
    }
}

// Every single image is first asked for as a pair of its own name; without the colour image a pair
// that needs one is given up before its mask (the picture itself) is read.
TEST_F(TextureCacheTest, APairWithoutItsColourImageLeavesTheMaskUnread) {
    // A PNG whose header declares a size the loader refuses, saying so in the log when it reads it.
    std::string huge = "\x89PNG\r\n\x1a\n";
    huge += std::string("\0\0\0\x0dIHDR\0\0\x4e\x20\0\0\x4e\x20", 16);
    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/huge.png", huge));
    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/huge2.png", huge));
    struct Case {
        const char* name;
        bool bothRequired;
        bool maskRead;
    };
    for (const Case& c : {Case{"huge", true, false}, Case{"huge2", false, true}}) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(FindMaskedTexture(c.name, c.name, c.bothRequired));
        EXPECT_EQ(harness::LogContains(std::string("image too large, skipped assets/") + c.name + ".png"), c.maskRead);
    }
}

// Scopes inside scopes: a load sees the innermost switches, and each scope's end gives back what was set
// before it, not the switches' first values.
TEST_F(TextureCacheTest, MapSwitchScopesGiveBackWhatWasSetBeforeThem) {
    WriteSolidImage("inner.png", 2, 2, kRed);
    {
        TBuildMapsScope outer(false, true);
        {
            TBuildMapsScope inner(true);
            EXPECT_TRUE(gBuildAlphaMaps);
            EXPECT_TRUE(gBuildColorMaps) << "the one-switch scope leaves the colour switch as it was";
            TTextureHandle texture = GetTexture("inner");
            ASSERT_TRUE(texture);
            EXPECT_TRUE(texture->HasAlphaMap());
            TRgb color;
            EXPECT_TRUE(texture->GetColorAt(0, 0, color));
        }
        EXPECT_FALSE(gBuildAlphaMaps);
        EXPECT_TRUE(gBuildColorMaps);
    }
    EXPECT_TRUE(gBuildAlphaMaps);
    EXPECT_FALSE(gBuildColorMaps);
}

TEST_F(TextureCacheTest, BlankTexturesLockAndBlit) {
    const size_t cached = TTextureCache::Get().GetEntryCount();
    TTextureHandle streaming = CreateBlankTexture(3, 2, TTexture::kAccessStreaming);
    ASSERT_TRUE(streaming);
    EXPECT_EQ(TTextureCache::Get().GetEntryCount(), cached) << "blank textures are not cached";
    uint32_t* pixels = nullptr;
    int pitch = 0;
    ASSERT_TRUE(streaming->Lock(pixels, pitch));
    EXPECT_TRUE(streaming->IsLocked());
    EXPECT_GE(pitch, 3) << "pitch in pixels";
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            pixels[y * pitch + x] = x == 1 ? kGreen : kRed;
        }
    }
    streaming->Unlock();
    EXPECT_FALSE(streaming->IsLocked());

    // A render-target texture gets the streaming texture's middle column at (2, 0).
    TTextureHandle target = CreateBlankTexture(4, 4, TTexture::kAccessTarget);
    ASSERT_TRUE(target);
    target->Blit(2, 0, 1, 0, 2, 2, streaming);
    BeginCanvas();
    TRenderState state;
    state.Init(0, 0, 1, 1, 0);
    target->Draw(state);
    EXPECT_TRUE(NearColor(Pixel(2, 1), {0, 255, 0, 255}));
    EXPECT_TRUE(NearColor(Pixel(3, 1), {0, 0, 0, 255}));

    EXPECT_FALSE(CreateBlankTexture(0, 5, TTexture::kAccessStreaming));
    TTexture empty;
    EXPECT_FALSE(empty.Lock(pixels, pitch));
}

} // namespace
