#pragma once
// The levels "stages.xml" lists, read as far as the checker needs: where each level file lies, the
// grid origin it asks for and whether the puzzle board plays it.

#include <string>
#include <vector>

#include "data/level_info.h"
#include "data/stages.h"
#include "levelcheck/level_check.h"

struct TCatalogueLevel {
    // "stages" or "stagesusual".
    std::string set;
    // Counted from 1 within the set and the stage.
    int stage = 0;
    int level = 0;
    // As written in "type"; only "" and "mahjong" are puzzle levels.
    std::string type;
    TLevelEntry entry;
    // The level as the game reads it.
    TLevelInfoMosaic info;

    bool IsPuzzle() const { return type.empty() || type == "mahjong"; }
};

// What the main set holds beside its levels.
struct TCatalogueExtras {
    int backgrounds = 0;
    std::vector<TTilesetDefaults> tilesets;
};

// Reads the catalogue (data path rules apply: "stages.xml" is the game's); level paths are data names,
// the set's "folder" followed by the level's "filename". False when the file cannot be read.
bool ReadLevelCatalogue(const std::string& file, std::vector<TCatalogueLevel>& levels,
                        TCatalogueExtras* extras = nullptr);
