#include "game_settings.h"

#include "app/xml_reader.h"

namespace {
// The single object of a class, made on first use.
template <typename T> std::unique_ptr<T>& SingleSlot() {
    static std::unique_ptr<T> object;
    return object;
}

template <typename T> T& GetSingle() {
    if (!SingleSlot<T>()) {
        SingleSlot<T>() = std::make_unique<T>();
    }
    return *SingleSlot<T>();
}

const TColor kNoColor{0.0f, 0.0f, 0.0f, 0.0f};
} // namespace

TMosaicGameSettings& TMosaicGameSettings::Get() {
    return GetSingle<TMosaicGameSettings>();
}

void TMosaicGameSettings::Destroy() {
    SingleSlot<TMosaicGameSettings>().reset();
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
    return GetSingle<TMosaicColorTable>();
}

void TMosaicColorTable::Destroy() {
    SingleSlot<TMosaicColorTable>().reset();
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
    return LoadGameSettings(ReadXmlSource(name));
}

bool LoadGameSettings(const TXmlSource& source) {
    const TiXmlElement* root = ParseXmlRoot(source);
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
