#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data_fixture.h"
#include "tilesets.h"

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
        WriteData("tilesets/alt.xml", R"(<tileset><tile sprite="a/open"/><tile/><tile sprite="a/lost"/></tileset>)");
        LoadTilesets("tilesets/tilesets.xml");
    }

    static std::string SpriteOf(const TTile* tile) { return tile != nullptr ? tile->mSprite : "(none)"; }

    std::string ImagePath(const std::string& name) const { return mFolder + "/assets/" + name + ".png"; }

    // Tiles take their textures through the renderer; the tilesets go before it (TearDown).
    harness::HeadlessRenderer mRenderer;
};

TEST_F(TilesetsTest, CatalogueAndTilesetFilesAreRead) {
    WriteCatalogue();
    const auto& tilesets = GetTilesets();
    ASSERT_EQ(tilesets.size(), 3u);
    const TTileset& plain = *tilesets[0];
    EXPECT_EQ(plain.mName, "plain");
    EXPECT_EQ(plain.mPreview, "p/plain");
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
    EXPECT_EQ(tilesets[1]->mPreview, "");
    EXPECT_TRUE(tilesets[2]->mTiles.empty());
    EXPECT_TRUE(harness::LogContains("File not found tilesets/none.xml"));
    EXPECT_EQ(FindTileset("alt"), tilesets[1].get());
    EXPECT_EQ(FindTileset("Alt"), nullptr);
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

TEST_F(TilesetsTest, TexturesAreLoadedOnceUntilUnloaded) {
    ASSERT_TRUE(mRenderer.IsReady());
    ASSERT_TRUE(harness::WriteSolidPng(ImagePath("a/open"), 4, 4, 0xFF336699u));
    WriteCatalogue();
    const TTileset& alt = *FindTileset("alt");
    const TTile& open = alt.mTiles.at(0);
    LoadTilesetTextures(1);
    EXPECT_EQ(GetCurrentTileset(), &alt);
    ASSERT_TRUE(open.mImage.mTexture);
    // A tile without a sprite or with a missing image holds nothing; the missing one is reported.
    EXPECT_FALSE(alt.mTiles.at(1).mImage.mTexture);
    EXPECT_FALSE(alt.mTiles.at(2).mImage.mTexture);
    EXPECT_TRUE(harness::LogContains("image not found a/lost"));

    // Loaded once: with its file gone, a second load (also after another tileset was current) still holds
    // the texture, since it is not released and taken again.
    ASSERT_TRUE(std::filesystem::remove(ImagePath("a/open")));
    LoadTilesetTextures(1);
    LoadTilesetTextures(0);
    LoadTilesetTextures(1);
    EXPECT_TRUE(open.mImage.mTexture);
    EXPECT_TRUE(FindTileset("plain")->mLoaded);

    UnloadCurrentTileset();
    EXPECT_FALSE(alt.mLoaded);
    EXPECT_FALSE(open.mImage.mTexture);
    EXPECT_EQ(open.mImage.mImageName, "a/open");
    EXPECT_EQ(GetCurrentTileset(), &alt);

    ASSERT_TRUE(harness::WriteSolidPng(ImagePath("a/open"), 4, 4, 0xFF336699u));
    LoadTilesetTextures(1);
    EXPECT_TRUE(open.mImage.mTexture);
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
