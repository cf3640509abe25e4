#pragma once
// What a level needs from the game's other data files beside its own layout: a board for its game type,
// star rules the game knows, a time entry for its game type in every difficulty preset, the help page of
// its game type, a tileset with a tile for every colour, a background that exists. Each rule asks the
// game's own readers.

#include <memory>
#include <string>
#include <vector>

#include "data/level_info.h"
#include "data/mosaic_settings.h"
#include "levelcheck/level_catalogue.h"

// A tileset as the checker needs it: its catalogue name and the colour ("mast") of each tile in file
// order. The game's own tileset reader holds the tiles' pictures, which the checker does without.
struct TTilesetColours {
    std::string name;
    std::vector<int> colours;
};

struct TGameData {
    // Texts for the data files that could not be read; the rules they feed are then not checked.
    std::vector<std::string> unreadable;
    std::vector<TBaseMosaicSettings> presets;
    int helpPages = 0;
    // Catalogue order.
    std::vector<TTilesetColours> tilesets;
    TCatalogueExtras catalogue;

    const TTilesetColours* FindTileset(const std::string& name) const;
};

// Reads "settings.xml", "help.xml" and "tilesets/tilesets.xml" with every tileset it lists (data path
// rules apply); the catalogue's own extras are given.
TGameData ReadGameData(const TCatalogueExtras& catalogue);

// One text per rule the level breaks; colours is the number its layout uses.
std::vector<std::string> CheckLevelData(const TLevelInfoMosaic& level, int colours, const TGameData& data);

// The main set's stages must grow harder: each stage's mean difficulty above the one before. means holds
// one value per stage, in order. One text per stage that does not.
std::vector<std::string> CheckStageOrder(const std::vector<double>& means);
