#include "rooms/room_seams.h"

#include <set>

#include "app/log.h"
#include "app/xml_reader.h"

namespace {

void LogOnce(const std::string& what) {
    static std::set<std::string> logged;
    if (logged.insert(what).second) {
        TLogFile::Get()->Printf("rooms: %s not built yet, skipped", what.c_str());
    }
}

} // namespace

void PostInterfaceEvent(const std::string& name, int delayMs, const std::string& argument, TObject* source,
                        bool forced) {
    LogOnce("interface events");
}

void LoadRoomTools(const TiXmlElement* element, const std::string& tag) {
    if (element != nullptr) {
        LogOnce("tools");
    }
}

void LoadGlobalTools(const TiXmlElement* element, TGameSpace* room) {
    if (element != nullptr) {
        LogOnce("global tools");
    }
}

void LoadRoomPockets(const TiXmlElement* element, TGameSpace* room) {
    if (element != nullptr && element->FirstChildElement("pocket") != nullptr) {
        LogOnce("pockets");
    }
}

void LoadItemsLists(const TiXmlElement* element, TGameSpace* room) {
    if (element != nullptr && element->FirstChildElement("list") != nullptr) {
        LogOnce("items lists");
    }
}

bool IsUnderLens(TObject* object, TTool* tool) {
    if (tool != nullptr) {
        LogOnce("the lens");
    }
    return false;
}
