#pragma once
// "settings.xml": the ranges of the custom difficulty, the difficulty presets and the colour table.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "app/xml_reader.h"

#include "app/color.h"
#include "data/mosaic_settings.h"

class TMosaicGameSettings {
public:
    // The single object, created empty on first use.
    static TMosaicGameSettings& Get();
    static void Destroy();

    // The four range ints of the root, then one preset per "settings" child in file order.
    void LoadFromXml(const TiXmlElement* root);

    // Preset i, or a record with the defaults when the file has no such preset.
    const TBaseMosaicSettings& GetPreset(int index) const;
    int GetPresetCount() const { return static_cast<int>(mPresets.size()); }

    int mHintMin = 10;
    int mHintMax = 120;
    int mErrorsMin = 1;
    int mErrorsMax = 5;
    std::vector<TBaseMosaicSettings> mPresets;
};

class TMosaicColorTable {
public:
    // The single table, created empty on first use.
    static TMosaicColorTable& Get();
    static void Destroy();

    // The base colours are replaced by the "baseovercolor" children; every "overcolor" child sets its id
    // (a repeated id replaces the earlier colour).
    void LoadFromXml(const TiXmlElement* root);

    // The colour of the id, else the first base colour; with no base colour, the neutral colour (opaque
    // white), so a table read from a file without colours still answers.
    TColor GetColorById(const std::string& id) const;
    // That base colour, else the first one, else the neutral colour.
    TColor GetColorByIndex(int index) const;

    std::map<std::string, TColor> mColors;
    std::vector<TColor> mBaseColors;

private:
    TColor FirstBaseColor() const;
};

// Reads the file's root into the game settings and the colour table. False when it cannot be read.
bool LoadGameSettings(const std::string& name);
// The same from a document in memory.
bool LoadGameSettings(const TXmlSource& source);
