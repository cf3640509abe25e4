#include "levelcheck/level_catalogue.h"

#include "app/xml_reader.h"

namespace {

constexpr const char* kSets[] = {"stages", "stagesusual"};

std::string WithoutLeadingBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first);
}

TCatalogueLevel ReadLevel(const TiXmlElement* element, const std::string& folder) {
    TCatalogueLevel level;
    level.type = ReadXmlString(element, "type", "");
    level.entry.path = folder + WithoutLeadingBlanks(ReadXmlString(element, "filename", ""));
    level.entry.originX = ReadXmlInt(element, "startx", 0);
    level.entry.originY = ReadXmlInt(element, "starty", 0);
    level.info.LoadFromXml(element, folder);
    level.entry.maxErrors = ReadXmlInt(element, "maxerrors", 0);
    return level;
}

void ReadSet(const TiXmlElement* set, const char* setName, std::vector<TCatalogueLevel>& levels) {
    const std::string folder = ReadXmlString(set, "folder", "");
    std::vector<TiXmlElement*> stages;
    CollectXmlChildren(set, "stage", stages);
    for (size_t stage = 0; stage < stages.size(); ++stage) {
        std::vector<TiXmlElement*> elements;
        CollectXmlChildren(stages[stage], "level", elements);
        for (size_t index = 0; index < elements.size(); ++index) {
            TCatalogueLevel& level = levels.emplace_back(ReadLevel(elements[index], folder));
            level.set = setName;
            level.stage = static_cast<int>(stage) + 1;
            level.level = static_cast<int>(index) + 1;
        }
    }
}

} // namespace

bool ReadLevelCatalogue(const std::string& file, std::vector<TCatalogueLevel>& levels, TCatalogueExtras* extras) {
    levels.clear();
    const TiXmlElement* root = LoadXmlRoot(file);
    if (root == nullptr) {
        return false;
    }
    {
        TXmlRootWalk walk;
        for (const char* setName : kSets) {
            const TiXmlElement* set = root->FirstChildElement(setName);
            if (set != nullptr) {
                ReadSet(set, setName, levels);
            }
        }
        const TiXmlElement* mainSet = root->FirstChildElement(kSets[0]);
        if (extras != nullptr && mainSet != nullptr) {
            std::vector<TiXmlElement*> children;
            CollectXmlChildren(mainSet, "back", children);
            extras->backgrounds = static_cast<int>(children.size());
            children.clear();
            CollectXmlChildren(mainSet, "tilesets", children);
            for (const TiXmlElement* child : children) {
                extras->tilesets.push_back(ReadTilesetDefaults(child));
            }
        }
    }
    ReleaseXmlRoot();
    return true;
}
