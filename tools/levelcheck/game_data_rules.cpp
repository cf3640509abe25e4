#include "levelcheck/game_data_rules.h"

#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "data/game_settings.h"
#include "data/stars.h"

namespace {

constexpr const char* kSettingsFile = "settings.xml";
constexpr const char* kHelpFile = "help.xml";
constexpr const char* kTilesetsFile = "tilesets/tilesets.xml";

bool ReadPresets(TGameData& data) {
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = LoadXmlDocument(kSettingsFile, document);
    if (root == nullptr) {
        return false;
    }
    TMosaicGameSettings settings;
    settings.LoadFromXml(root);
    data.presets = settings.mPresets;
    delete document;
    return true;
}

bool ReadHelpPages(TGameData& data) {
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = LoadXmlDocument(kHelpFile, document);
    if (root == nullptr) {
        return false;
    }
    std::vector<TiXmlElement*> pages;
    CollectXmlChildren(root, "page", pages);
    data.helpPages = static_cast<int>(pages.size());
    delete document;
    return true;
}

// The "mast" of every "tile" of a tileset file, in order; none when the file cannot be read.
std::vector<int> ReadTileColours(const std::string& file) {
    std::vector<int> colours;
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = LoadXmlDocument(file, document);
    if (root != nullptr) {
        std::vector<TiXmlElement*> tiles;
        CollectXmlChildren(root, "tile", tiles);
        for (const TiXmlElement* tile : tiles) {
            colours.push_back(ReadXmlInt(tile, "mast", 0));
        }
    }
    delete document;
    return colours;
}

bool ReadTilesets(TGameData& data) {
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = LoadXmlDocument(kTilesetsFile, document);
    if (root == nullptr) {
        return false;
    }
    std::vector<TiXmlElement*> entries;
    CollectXmlChildren(root, "tileset", entries);
    for (const TiXmlElement* entry : entries) {
        data.tilesets.push_back({ReadXmlString(entry, "name", ""), ReadTileColours(ReadXmlString(entry, "path", ""))});
    }
    delete document;
    return true;
}

bool HasTimeEntry(const TBaseMosaicSettings& preset, int gameType) {
    for (const TMosaicTimeEntry& entry : preset.mTimeEntries) {
        if (entry.mGameType == gameType) {
            return true;
        }
    }
    return false;
}

// The tileset the game makes current for the level: its own, else the first default of its game type.
std::string TilesetNameOf(const TLevelInfoMosaic& level, const TGameData& data) {
    if (!level.mTileset.empty()) {
        return level.mTileset;
    }
    for (const TTilesetDefaults& defaults : data.catalogue.tilesets) {
        if (defaults.mGameType == level.mGameType) {
            return defaults.mTilesets.empty() ? "" : defaults.mTilesets.front();
        }
    }
    return "";
}

bool Unread(const TGameData& data, const char* file) {
    for (const std::string& text : data.unreadable) {
        if (text.rfind(file, 0) == 0) {
            return true;
        }
    }
    return false;
}

void CheckTileset(const TLevelInfoMosaic& level, int colours, const TGameData& data, std::vector<std::string>& faults) {
    if (Unread(data, kTilesetsFile)) {
        return;
    }
    const std::string name = TilesetNameOf(level, data);
    if (name.empty()) {
        faults.push_back(
            FormatString("no tileset: the level names none and game type %d has no default", level.mGameType));
        return;
    }
    const TTilesetColours* tileset = data.FindTileset(name);
    if (tileset == nullptr) {
        faults.push_back("tileset " + name + " is not in " + kTilesetsFile);
        return;
    }
    // Player values 0 .. colours take the tiles at those places, each colour's tile giving that colour.
    for (int value = 1; value <= colours; ++value) {
        if (value >= static_cast<int>(tileset->colours.size()) ||
            tileset->colours[static_cast<size_t>(value)] != value) {
            faults.push_back(FormatString("tileset %s has no tile for colour %d", name.c_str(), value));
            return;
        }
    }
}

} // namespace

const TTilesetColours* TGameData::FindTileset(const std::string& name) const {
    for (const TTilesetColours& tileset : tilesets) {
        if (tileset.name == name) {
            return &tileset;
        }
    }
    return nullptr;
}

TGameData ReadGameData(const TCatalogueExtras& catalogue) {
    TGameData data;
    data.catalogue = catalogue;
    if (!ReadPresets(data)) {
        data.unreadable.push_back(std::string(kSettingsFile) + " cannot be read: time entries not checked");
    }
    if (!ReadHelpPages(data)) {
        data.unreadable.push_back(std::string(kHelpFile) + " cannot be read: help pages not checked");
    }
    if (!ReadTilesets(data)) {
        data.unreadable.push_back(std::string(kTilesetsFile) + " cannot be read: tilesets not checked");
    }
    return data;
}

std::vector<std::string> CheckLevelData(const TLevelInfoMosaic& level, int colours, const TGameData& data) {
    std::vector<std::string> faults;
    if (!IsGameTypePlayable(level.mGameType)) {
        faults.push_back(FormatString("game type %d has no board in the game", level.mGameType));
    }
    CreateMosaicStars();
    for (size_t group = 0; group < level.mStarKeys.size(); ++group) {
        for (const std::string& key : level.mStarKeys[group]) {
            if (FindMosaicStar(key) == nullptr) {
                faults.push_back(FormatString("star key %s of difficulty %d names no star rule", key.c_str(),
                                              static_cast<int>(group)));
            }
        }
    }
    for (size_t preset = 0; preset < data.presets.size(); ++preset) {
        if (!HasTimeEntry(data.presets[preset], level.mGameType)) {
            faults.push_back(FormatString("difficulty preset %d has no time entry for game type %d",
                                          static_cast<int>(preset), level.mGameType));
        }
    }
    const int page = HelpPageOfGameType(level.mGameType);
    if (!Unread(data, kHelpFile) && page >= data.helpPages) {
        faults.push_back(FormatString("%s has no page %d for game type %d", kHelpFile, page, level.mGameType));
    }
    CheckTileset(level, colours, data, faults);
    if (level.mBackIndex >= data.catalogue.backgrounds) {
        faults.push_back(FormatString("backidx %d but the catalogue has %d backgrounds", level.mBackIndex,
                                      data.catalogue.backgrounds));
    }
    return faults;
}

std::vector<std::string> CheckStageOrder(const std::vector<double>& means) {
    std::vector<std::string> faults;
    for (size_t stage = 1; stage < means.size(); ++stage) {
        if (!(means[stage] > means[stage - 1])) {
            faults.push_back(FormatString("stage %d's mean difficulty %.2f is not above stage %d's %.2f",
                                          static_cast<int>(stage) + 1, means[stage], static_cast<int>(stage),
                                          means[stage - 1]));
        }
    }
    return faults;
}
