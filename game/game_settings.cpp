#include "game_settings.h"

#include "app/xml_reader.h"

namespace {
std::unique_ptr<TMosaicGameSettings>& GameSettingsSlot() {
    static std::unique_ptr<TMosaicGameSettings> settings;
    return settings;
}

std::unique_ptr<TMosaicColorTable>& ColorTableSlot() {
    static std::unique_ptr<TMosaicColorTable> table;
    return table;
}

const TColor kNoColor{0.0f, 0.0f, 0.0f, 0.0f};
} // namespace

TMosaicGameSettings& TMosaicGameSettings::Get() {
    if (!GameSettingsSlot()) {
        GameSettingsSlot() = std::make_unique<TMosaicGameSettings>();
    }
    return *GameSettingsSlot();
}

void TMosaicGameSettings::Destroy() {
    GameSettingsSlot().reset();
}

void TMosaicGameSettings::LoadFromXml(const TiXmlElement* root) {
    mHintMin = ReadXmlInt(root, "hintmin", 10);
    mHintMax = ReadXmlInt(root, "hintmax", 120);
    mErrorsMin = ReadXmlInt(root, "errorsmin", 1);
    mErrorsMax = ReadXmlInt(root, "errorsmax", 5);
    std::vector<TiXmlElement*> elements;
    CollectXmlChildren(root, "settings", elements);
    mPresets.clear();
    for (const TiXmlElement* element : elements) {
        TBaseMosaicSettings preset;
        preset.LoadFromXml(element);
        mPresets.push_back(preset);
    }
}

const TBaseMosaicSettings& TMosaicGameSettings::GetPreset(int index) const {
    static const TBaseMosaicSettings defaults;
    if (index < 0 || index >= GetPresetCount()) {
        return defaults;
    }
    return mPresets[static_cast<size_t>(index)];
}

TMosaicColorTable& TMosaicColorTable::Get() {
    if (!ColorTableSlot()) {
        ColorTableSlot() = std::make_unique<TMosaicColorTable>();
    }
    return *ColorTableSlot();
}

void TMosaicColorTable::Destroy() {
    ColorTableSlot().reset();
}

void TMosaicColorTable::LoadFromXml(const TiXmlElement* root) {
    std::vector<TiXmlElement*> elements;
    CollectXmlChildren(root, "baseovercolor", elements);
    mBaseColors.clear();
    for (const TiXmlElement* element : elements) {
        mBaseColors.push_back(ReadXmlColor(element, "color", kNoColor));
    }
    elements.clear();
    CollectXmlChildren(root, "overcolor", elements);
    for (const TiXmlElement* element : elements) {
        mColors[ReadXmlString(element, "id", "")] = ReadXmlColor(element, "color", kNoColor);
    }
}

TColor TMosaicColorTable::GetColorById(const std::string& id) const {
    auto found = mColors.find(id);
    return found != mColors.end() ? found->second : FirstBaseColor();
}

TColor TMosaicColorTable::GetColorByIndex(int index) const {
    if (index >= 0 && index < static_cast<int>(mBaseColors.size())) {
        return mBaseColors[static_cast<size_t>(index)];
    }
    return FirstBaseColor();
}

TColor TMosaicColorTable::FirstBaseColor() const {
    return mBaseColors.empty() ? TColor() : mBaseColors.front();
}

bool LoadGameSettings(const std::string& name) {
    const TiXmlElement* root = LoadXmlRoot(name);
    if (root == nullptr) {
        return false;
    }
    {
        TXmlRootWalk walk;
        TMosaicGameSettings::Get().LoadFromXml(root);
        TMosaicColorTable::Get().LoadFromXml(root);
    }
    ReleaseXmlRoot();
    return true;
}
