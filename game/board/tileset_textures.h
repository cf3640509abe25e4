#pragma once
// The tilesets' way to the texture cache: the textures of a tileset's tiles are taken and released here.

#include "data/tilesets.h"

// Takes each tile's texture by its sprite name (a colour + mask pair of that name, else a single image);
// a sprite that names no image leaves its tile without a texture.
void LoadTileTextures(TTileset& tileset);
// Drops the texture of every tile that holds one; the tiles keep their sprite names.
void ReleaseTileTextures(TTileset& tileset);
