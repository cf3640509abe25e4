#pragma once
// Tilesets: the images a board draws its cells with, one tile per player value (untouched, each colour,
// ruled out, error cross), plus the tiles of the colour buttons (group 10) and of the current-colour
// indicator (group 11). "tilesets/tilesets.xml" lists them; one of them is current at a time.

#include <memory>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "app/xml_reader.h"

#include "graphics/static_image.h"

struct TTile {
    void LoadFromXml(const TiXmlElement* element);

    int mGroup = 0;
    int mType = 0;       // the value the tile stands for when tiles are searched by type
    int mMast = 0;       // a colour number
    int mOverColor = -1; // base colour index; -1: the colour named by the sprite
    std::string mSprite; // image name
    // Holds the sprite's texture while the tileset is loaded.
    StaticImage mImage;
};

// The colour buttons and the indicator take their tiles by these groups.
constexpr int kButtonTileGroup = 10;
constexpr int kIndicatorTileGroup = 11;

class TTileset {
public:
    // Reads a tileset file; one that cannot be read gives a tileset without tiles.
    explicit TTileset(const std::string& file);
    // The same from a document in memory.
    explicit TTileset(const TXmlSource& source);

    // The tile of a player value: value v >= 0 the tile at position v, a negative value the last tile of
    // that type; tile 0 when there is no such tile. Null only for a tileset without tiles.
    const TTile* GetTileForValue(int value) const;
    // The last tile of that group and colour, else tile 0; null for a tileset without tiles.
    const TTile* GetTileByGroup(int mast, int group) const;

    std::vector<TTile> mTiles;
    std::vector<TTile> mNumberShapes;      // read, never drawn
    std::vector<std::string> mNumberFonts; // read, never drawn
    std::string mName;
    StaticImage mPreview; // named and loaded with the catalogue
    bool mLoaded = false; // the tile textures are held

private:
    const TTile* FirstTile() const { return mTiles.empty() ? nullptr : &mTiles.front(); }
};

// Appends every tileset of the catalogue file. Nothing when it cannot be read.
void LoadTilesets(const std::string& catalogue);
// The same from a catalogue in memory.
void LoadTilesets(const TXmlSource& catalogue);
void ClearTilesets();
std::vector<std::unique_ptr<TTileset>>& GetTilesets();
TTileset* FindTileset(const std::string& name);

// Makes the tileset current and loads its textures unless they are loaded; an index without a tileset
// is ignored with a log line.
void LoadTilesetTextures(int index);
// Makes the first tileset of that name current with its textures. An unknown or empty name logs a line
// and falls back to the current tileset, else tileset 0, so a board always has tiles to draw.
void FindAndLoadTileset(const std::string& name);
// Releases the current tileset's textures; it stays current.
void UnloadCurrentTileset();
// The current tileset; null only when there is none.
TTileset* GetCurrentTileset();
int GetCurrentTilesetIndex();
