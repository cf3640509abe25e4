#include "tileset_textures.h"

#include "app/log.h"

void LoadTileTextures(TTileset& tileset) {
    TLogFile::Get()->Printf("tile textures of %s not loaded, textures not built yet", tileset.mName.c_str());
}

void ReleaseTileTextures(TTileset& tileset) {
    TLogFile::Get()->Printf("tile textures of %s not released, textures not built yet", tileset.mName.c_str());
}
