#include "tileset_textures.h"

void LoadTileTextures(TTileset& tileset) {
    for (TTile& tile : tileset.mTiles) {
        tile.mImage.ReleaseImage();
        if (!tile.mSprite.empty()) {
            tile.mImage.SetImage(tile.mSprite);
        }
    }
}

void ReleaseTileTextures(TTileset& tileset) {
    for (TTile& tile : tileset.mTiles) {
        tile.mImage.ReleaseImage();
    }
}
