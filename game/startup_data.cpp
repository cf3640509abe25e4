#include "startup_data.h"

#include "game_settings.h"
#include "stages.h"
#include "stars.h"
#include "tilesets.h"

void LoadGameData() {
    LoadGameSettings("settings.xml");
    CreateMosaicStars();
    LoadStages();
    LoadTilesets("tilesets/tilesets.xml");
    LoadTilesetTextures(0);
}

void FreeGameData() {
    TMosaicGameSettings::Destroy();
    TMosaicColorTable::Destroy();
    FreeStages();
    ClearTilesets();
}
