#include "objects/object_records.h"

#include <cstdlib>

#include "app/string_utils.h"
#include "app/xml_reader.h"

TGivenTool::TGivenTool(const std::string& toolName, int toolMode, const std::string& extraText, TObject* ownerObject)
    : name(toolName), extra(extraText), mode(toolMode), owner(ownerObject) {}

void TWrongToolHint::LoadFromXml(const TiXmlElement* element) {
    tool = ReadXmlString(element, "tool", "");
    ReadXmlStringList(element, "hints", ',', hints);
}

TFrameBounds GetStripFrameRect(int index, int w, int h, int stripWidth) {
    int columns = w > 0 ? stripWidth / w : 1;
    if (columns < 1) {
        columns = 1;
    }
    TFrameBounds frame;
    frame.left = w * (index % columns);
    frame.top = h * (index / columns);
    frame.right = frame.left + w;
    frame.bottom = frame.top + h;
    return frame;
}

float DegToRad(float degrees) {
    return degrees * 0.017453292f;
}

namespace {

// Groups at ";" with empty groups kept; each group's items at "," with empty items dropped.
std::vector<std::vector<std::string>> SplitGroups(const std::string& text) {
    std::vector<std::vector<std::string>> groups;
    if (TrimBlanks(text).empty()) {
        return groups;
    }
    size_t start = 0;
    while (true) {
        const size_t end = text.find(';', start);
        const std::string group = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        groups.emplace_back();
        SplitString(group.c_str(), ',', groups.back());
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return groups;
}

std::vector<std::string> SplitParts(const std::string& item, char separator) {
    std::vector<std::string> parts;
    SplitString(item.c_str(), separator, parts);
    return parts;
}

TObjectPath ParseObjectPath(const std::string& item) {
    const std::vector<std::string> parts = SplitParts(item, '.');
    switch (parts.size()) {
    case 1:
        return {"", "", parts[0]};
    case 2:
        return {parts[0], "", parts[1]};
    case 3:
        return {parts[0], parts[1], parts[2]};
    default:
        return {};
    }
}

TFlagItem ParseFlagItem(const std::string& item) {
    const std::vector<std::string> parts = SplitParts(item, '.');
    TFlagItem flag;
    if (parts.empty() || parts.size() > 3) {
        return flag;
    }
    flag.name = parts[0];
    if (parts.size() == 3) {
        flag.value = std::atoi(parts[1].c_str());
        flag.extra = parts[2];
    } else if (parts.size() == 2) {
        flag.value = std::atoi(parts[1].c_str());
        if (flag.value == 0) {
            flag.extra = parts[1];
        }
    }
    return flag;
}

TStateItem ParseStateItem(const std::string& item) {
    const std::vector<std::string> parts = SplitParts(item, '.');
    return parts.size() == 2 ? TStateItem{parts[0], parts[1]} : TStateItem{};
}

template <typename Item, typename Parse>
void FillGroups(const std::string& text, std::vector<std::vector<Item>>& list, Parse parse) {
    const auto groups = SplitGroups(text);
    if (groups.empty()) {
        return;
    }
    list.assign(groups.size(), {});
    for (size_t i = 0; i < groups.size(); ++i) {
        for (const std::string& item : groups[i]) {
            list[i].push_back(parse(item));
        }
    }
}

} // namespace

void ParseReactionList(const std::string& text, TReactionList& list) {
    list.clear();
    FillGroups(text, list, ParseObjectPath);
}

void ParseTaskList(const std::string& text, TTaskList& list) {
    FillGroups(text, list, [](const std::string& name) { return name; });
}

void ParseFlagList(const std::string& text, TFlagList& list) {
    FillGroups(text, list, ParseFlagItem);
}

void ParseStateList(const std::string& text, TStateList& list) {
    FillGroups(text, list, ParseStateItem);
}

void ParseGivenTools(const std::string& text, TObject* owner, std::vector<TGivenTool>& tools) {
    std::vector<std::string> items;
    SplitString(text.c_str(), ';', items);
    for (const std::string& item : items) {
        const std::vector<std::string> parts = SplitParts(item, ',');
        if (parts.empty()) {
            continue;
        }
        int mode = 0;
        if (parts.size() > 1 && parts[1] != "true") {
            mode = parts[1] == "false" ? 1 : 2;
        }
        tools.emplace_back(parts[0], mode, parts.size() > 2 ? parts[2] : "", owner);
    }
}

void ParseGivenToolsAfterEvent(const std::string& text, std::vector<TGivenTool>& tools) {
    std::vector<std::string> items;
    SplitString(text.c_str(), ';', items);
    for (const std::string& item : items) {
        const std::vector<std::string> parts = SplitParts(item, ',');
        if (parts.size() == 2) {
            tools.emplace_back(parts[0], parts[1] == "true" ? 1 : 0, "", nullptr);
        }
    }
}
