#include "tilesets.h"

#include "app/log.h"
#include "app/xml_reader.h"
#include "board/tileset_textures.h"

namespace {

int gCurrent = 0;

bool IsTilesetIndex(int index) {
    return index >= 0 && index < static_cast<int>(GetTilesets().size());
}

void ReadTiles(const TiXmlElement* root, const char* tag, std::vector<TTile>& tiles) {
    std::vector<TiXmlElement*> elements;
    CollectXmlChildren(root, tag, elements);
    for (const TiXmlElement* element : elements) {
        TTile tile;
        tile.LoadFromXml(element);
        tiles.push_back(tile);
    }
}

} // namespace

void TTile::LoadFromXml(const TiXmlElement* element) {
    mGroup = ReadXmlInt(element, "group", 0);
    mType = ReadXmlInt(element, "type", 0);
    mSprite = ReadXmlString(element, "sprite", "");
    mMast = ReadXmlInt(element, "mast", 0);
    mOverColor = ReadXmlInt(element, "overcolor", -1);
}

TTileset::TTileset(const std::string& file) : TTileset(ReadXmlSource(file)) {}

TTileset::TTileset(const TXmlSource& source) {
    TiXmlDocument* slot = nullptr;
    const TiXmlElement* root = ParseXmlDocument(source, slot);
    // A document without a root element stays in the slot: it is deleted all the same.
    const std::unique_ptr<TiXmlDocument> document(slot);
    if (root == nullptr) {
        return;
    }
    ReadTiles(root, "tile", mTiles);
    ReadTiles(root, "numbershapes", mNumberShapes);
    ReadXmlStringList(root, "numbers", ',', mNumberFonts);
}

const TTile* TTileset::GetTileForValue(int value) const {
    if (value >= 0) {
        // A value beyond the tiles (a file with too few) draws as untouched rather than off the list.
        return value < static_cast<int>(mTiles.size()) ? &mTiles[static_cast<size_t>(value)] : FirstTile();
    }
    for (auto tile = mTiles.rbegin(); tile != mTiles.rend(); ++tile) {
        if (tile->mType == value) {
            return &*tile;
        }
    }
    return FirstTile();
}

const TTile* TTileset::GetTileByGroup(int mast, int group) const {
    for (auto tile = mTiles.rbegin(); tile != mTiles.rend(); ++tile) {
        if (tile->mGroup == group && tile->mMast == mast) {
            return &*tile;
        }
    }
    return FirstTile();
}

std::vector<std::unique_ptr<TTileset>>& GetTilesets() {
    static std::vector<std::unique_ptr<TTileset>> tilesets;
    return tilesets;
}

void LoadTilesets(const std::string& catalogue) {
    LoadTilesets(ReadXmlSource(catalogue));
}

void LoadTilesets(const TXmlSource& catalogue) {
    const TiXmlElement* root = ParseXmlRoot(catalogue);
    if (root == nullptr) {
        return;
    }
    {
        TXmlRootWalk walk;
        std::vector<TiXmlElement*> elements;
        CollectXmlChildren(root, "tileset", elements);
        for (const TiXmlElement* element : elements) {
            auto tileset = std::make_unique<TTileset>(ReadXmlString(element, "path", ""));
            tileset->mName = ReadXmlString(element, "name", "");
            tileset->mPreview.SetImage(ReadXmlString(element, "preview", ""));
            GetTilesets().push_back(std::move(tileset));
        }
    }
    ReleaseXmlRoot();
}

void ClearTilesets() {
    GetTilesets().clear();
    gCurrent = 0;
}

TTileset* FindTileset(const std::string& name) {
    for (const auto& tileset : GetTilesets()) {
        if (tileset->mName == name) {
            return tileset.get();
        }
    }
    return nullptr;
}

void LoadTilesetTextures(int index) {
    if (!IsTilesetIndex(index)) {
        TLogFile::Get()->Printf("tileset %d not found", index);
        return;
    }
    gCurrent = index;
    TTileset& tileset = *GetTilesets()[static_cast<size_t>(index)];
    if (!tileset.mLoaded) {
        LoadTileTextures(tileset);
        tileset.mLoaded = true;
    }
}

void FindAndLoadTileset(const std::string& name) {
    const auto& tilesets = GetTilesets();
    for (size_t i = 0; i < tilesets.size(); ++i) {
        if (tilesets[i]->mName == name) {
            LoadTilesetTextures(static_cast<int>(i));
            return;
        }
    }
    const int fallback = IsTilesetIndex(gCurrent) ? gCurrent : 0;
    TLogFile::Get()->Printf("tileset \"%s\" not found, tileset %d used", name.c_str(), fallback);
    LoadTilesetTextures(fallback);
}

void UnloadCurrentTileset() {
    if (!IsTilesetIndex(gCurrent)) {
        return;
    }
    TTileset& tileset = *GetTilesets()[static_cast<size_t>(gCurrent)];
    if (tileset.mLoaded) {
        ReleaseTileTextures(tileset);
        tileset.mLoaded = false;
    }
}

TTileset* GetCurrentTileset() {
    return IsTilesetIndex(gCurrent) ? GetTilesets()[static_cast<size_t>(gCurrent)].get() : nullptr;
}

int GetCurrentTilesetIndex() {
    return gCurrent;
}
