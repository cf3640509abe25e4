#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/tilesets.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"

namespace {

class TilesetsTest : public GameDataTest {
protected:
    void TearDown() override { ClearTilesets(); }

    // The catalogue of the tilesets "plain" (tiles.xml), "alt" (alt.xml) and "lost" (a missing file).
    void WriteCatalogue() {
        WriteData("tilesets/tilesets.xml", R"(<tilesets>
  <tileset path="tilesets/tiles.xml" name="plain" preview="p/plain"/>
  <tileset path="tilesets/alt.xml" name="alt"/>
  <tileset path="tilesets/none.xml" name="lost"/>
</tilesets>)");
        WriteData("tilesets/tiles.xml", R"(<tileset numbers=" big , small ,,">
  <tile sprite="t/open"/>
  <tile sprite="t/c1" mast="1" overcolor="0"/>
  <tile sprite="t/c2" mast="2" overcolor="1"/>
  <tile sprite="t/out" type="-1"/>
  <tile sprite="t/cross" type="-2"/>
  <tile sprite="t/out2" type="-1"/>
  <tile sprite="t/b1" group="10" mast="1"/>
  <tile sprite="t/b2" group="10" mast="2"/>
  <tile sprite="t/i1" group="11" mast="1"/>
  <tile sprite="t/b1late" group="10" mast="1"/>
  <numbershapes sprite="n/one" group="3"/>
</tileset>)");
        WriteData("tilesets/alt.xml", R"(<tileset><tile sprite="a/open"/></tileset>)");
        LoadTilesets("tilesets/tilesets.xml");
    }

    static std::string SpriteOf(const TTile* tile) { return tile != nullptr ? tile->mSprite : "(none)"; }
};

TEST_F(TilesetsTest, CatalogueAndTilesetFilesAreRead) {
    WriteCatalogue();
    const auto& tilesets = GetTilesets();
    ASSERT_EQ(tilesets.size(), 3u);
    const TTileset& plain = *tilesets[0];
    EXPECT_EQ(plain.mName, "plain");
    EXPECT_EQ(plain.mPreview.mImageName, "p/plain");
    EXPECT_EQ(plain.mNumberFonts, std::vector<std::string>({"big", "small"}));
    ASSERT_EQ(plain.mTiles.size(), 10u);
    const TTile& colour = plain.mTiles[2];
    EXPECT_EQ(std::vector<int>({colour.mGroup, colour.mType, colour.mMast, colour.mOverColor}),
              std::vector<int>({0, 0, 2, 1}));
    const TTile& open = plain.mTiles[0];
    EXPECT_EQ(std::vector<int>({open.mGroup, open.mType, open.mMast, open.mOverColor}),
              std::vector<int>({0, 0, 0, -1}));
    ASSERT_EQ(plain.mNumberShapes.size(), 1u);
    EXPECT_EQ(plain.mNumberShapes[0].mGroup, 3);
    EXPECT_EQ(tilesets[1]->mPreview.mImageName, "");
    EXPECT_TRUE(tilesets[2]->mTiles.empty());
    EXPECT_TRUE(harness::LogContains("File not found tilesets/none.xml"));
    EXPECT_EQ(FindTileset("alt"), tilesets[1].get());
    EXPECT_EQ(FindTileset("Alt"), nullptr);
}

// A tileset in memory; bytes that parse without a root element give no tiles and leave nothing behind
// (the leak checker of the test tree would fail the run).
TEST_F(TilesetsTest, TilesetFromBytesInMemory) {
    const struct {
        const char* bytes;
        size_t tiles;
    } cases[] = {
        {R"(<tileset><tile sprite="a/open"/><tile sprite="a/c1" mast="1"/></tileset>)", 2},
        {"<", 0},
        {"<!-- only a comment -->", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const TTileset tileset(TXmlSource{"mem/tiles.xml", c.bytes, nullptr});
        EXPECT_EQ(tileset.mTiles.size(), c.tiles);
    }
}

TEST_F(TilesetsTest, TileOfAPlayerValue) {
    WriteCatalogue();
    const TTileset& plain = *FindTileset("plain");
    struct Case {
        int value;
        const char* sprite;
    };
    // The later of two tiles of type -1 wins; a value without a tile draws tile 0.
    for (const Case& c : {Case{0, "t/open"}, Case{2, "t/c2"}, Case{-1, "t/out2"}, Case{-2, "t/cross"},
                          Case{-3, "t/open"}, Case{9, "t/b1late"}, Case{10, "t/open"}, Case{1000, "t/open"}}) {
        EXPECT_EQ(SpriteOf(plain.GetTileForValue(c.value)), c.sprite) << c.value;
    }
    EXPECT_EQ(FindTileset("lost")->GetTileForValue(0), nullptr);
}

TEST_F(TilesetsTest, TileOfAButtonOrIndicator) {
    WriteCatalogue();
    const TTileset& plain = *FindTileset("plain");
    struct Case {
        int mast;
        int group;
        const char* sprite;
    };
    for (const Case& c :
         {Case{1, kButtonTileGroup, "t/b1late"}, Case{2, kButtonTileGroup, "t/b2"}, Case{3, kButtonTileGroup, "t/open"},
          Case{1, kIndicatorTileGroup, "t/i1"}, Case{2, kIndicatorTileGroup, "t/open"}, Case{2, 0, "t/c2"}}) {
        EXPECT_EQ(SpriteOf(plain.GetTileByGroup(c.mast, c.group)), c.sprite) << c.mast << "/" << c.group;
    }
    EXPECT_EQ(FindTileset("lost")->GetTileByGroup(1, kButtonTileGroup), nullptr);
}

// With a renderer, so the tile textures really load.
class TileTexturesTest : public TilesetsTest {
protected:
    void SetUp() override {
        TilesetsTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        WriteSolidImage("p/plain.png", 8, 6, 0xFF102030u);
        WriteSolidImage("t/open.png", 4, 4, 0xFF808080u);
        // A colour + mask pair: the colour image and its mask of the same name.
        WriteSolidImage("t/c1.jpg", 4, 4, 0xFFFF0000u);
        WriteSolidImage("t/c1.png", 4, 4, 0xFFFFFFFFu);
        WriteSolidImage("a/open.png", 6, 2, 0xFF00FF00u);
        WriteCatalogue();
    }

    static const TTile& Tile(const char* tileset, size_t index) { return FindTileset(tileset)->mTiles.at(index); }

    fonttest::HeadlessRenderer mRenderer;
};

TEST_F(TileTexturesTest, SpritesBecomeTexturesAsSingleImagesOrPairs) {
    EXPECT_TRUE(FindTileset("plain")->mPreview.mTexture);
    LoadTilesetTextures(0);
    const StaticImage& open = Tile("plain", 0).mImage;
    ASSERT_TRUE(open.mTexture);
    EXPECT_EQ(open.mTexture->GetWidth(), 4);
    EXPECT_EQ(open.mTexture->GetMaskPath(), "");
    const StaticImage& pair = Tile("plain", 1).mImage;
    ASSERT_TRUE(pair.mTexture);
    EXPECT_NE(pair.mTexture->GetMaskPath(), "");
    // A sprite without an image: no texture, reported once, the name kept.
    const TTile& missing = Tile("plain", 2);
    EXPECT_FALSE(missing.mImage.mTexture);
    EXPECT_EQ(missing.mImage.mImageName, "t/c2");
    EXPECT_EQ(CountLogLines("image not found t/c2"), 1);
}

TEST_F(TileTexturesTest, TexturesAreLoadedOnceUntilUnloaded) {
    LoadTilesetTextures(1);
    ASSERT_TRUE(Tile("alt", 0).mImage.mTexture);
    // Were the tile loaded again, its first texture would die with its only holder.
    WeakHandle<TTexture> first(Tile("alt", 0).mImage.mTexture);
    LoadTilesetTextures(1);
    // Making another tileset current keeps the previous one loaded.
    LoadTilesetTextures(0);
    LoadTilesetTextures(1);
    EXPECT_TRUE(first.IsAlive());
    EXPECT_EQ(Tile("alt", 0).mImage.mTexture.Get(), first.Lock().Get());
    EXPECT_TRUE(FindTileset("plain")->mLoaded);

    UnloadCurrentTileset();
    EXPECT_FALSE(FindTileset("alt")->mLoaded);
    EXPECT_FALSE(first.IsAlive());
    EXPECT_EQ(Tile("alt", 0).mImage.mImageName, "a/open");
    EXPECT_EQ(GetCurrentTileset(), FindTileset("alt"));
    EXPECT_TRUE(Tile("plain", 0).mImage.mTexture);

    LoadTilesetTextures(1);
    ASSERT_TRUE(Tile("alt", 0).mImage.mTexture);
    EXPECT_EQ(Tile("alt", 0).mImage.mTexture->GetWidth(), 6);
}

TEST_F(TilesetsTest, NamedTilesetOrAFallbackBecomesCurrent) {
    WriteCatalogue();
    struct Case {
        const char* name;
        const char* current;
        bool logged;
    };
    // Each step starts from the current tileset the one before left, after its textures were released.
    const Case cases[] = {
        {"alt", "alt", false},     {"nothing", "alt", true}, {"", "alt", true},
        {"plain", "plain", false}, {"PLAIN", "plain", true},
    };
    for (const Case& c : cases) {
        const int before = CountLogLines("not found, tileset");
        UnloadCurrentTileset();
        FindAndLoadTileset(c.name);
        ASSERT_NE(GetCurrentTileset(), nullptr) << c.name;
        EXPECT_EQ(GetCurrentTileset()->mName, c.current) << c.name;
        EXPECT_TRUE(GetCurrentTileset()->mLoaded) << c.name;
        EXPECT_EQ(CountLogLines("not found, tileset") - before, c.logged ? 1 : 0) << c.name;
    }
    EXPECT_TRUE(harness::LogContains("tileset \"nothing\" not found, tileset 1 used"));
}

TEST_F(TilesetsTest, WithoutTilesetsNothingIsCurrent) {
    LoadTilesets("tilesets/tilesets.xml");
    EXPECT_TRUE(GetTilesets().empty());
    LoadTilesetTextures(0);
    FindAndLoadTileset("plain");
    UnloadCurrentTileset();
    EXPECT_EQ(GetCurrentTileset(), nullptr);
    EXPECT_TRUE(harness::LogContains("tileset 0 not found"));

    WriteCatalogue();
    LoadTilesetTextures(7);
    LoadTilesetTextures(-1);
    EXPECT_EQ(GetCurrentTilesetIndex(), 0);
    EXPECT_TRUE(harness::LogContains("tileset 7 not found"));
}

} // namespace
