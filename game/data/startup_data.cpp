#include "startup_data.h"

#include "data/game_settings.h"
#include "data/stages.h"
#include "data/stars.h"
#include "data/tilesets.h"

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
