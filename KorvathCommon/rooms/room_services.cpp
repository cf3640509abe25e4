#include "objects/object_services.h"

#include <algorithm>
#include <set>

#include "app/clock.h"
#include "app/log.h"
#include "rooms/game_space.h"
#include "rooms/space_manager.h"

namespace {

// One line per kind and name for the whole run: objects look the same names up again and again.
void LogNotBuiltOnce(const char* kind, const std::string& name) {
    static std::set<std::string> logged;
    if (logged.insert(std::string(kind) + ":" + name).second) {
        TLogFile::Get()->Printf("%s not available: %s", kind, name.c_str());
    }
}

} // namespace

TExecuter* FindExecuter(const std::string& name) {
    LogNotBuiltOnce("executer", name);
    return nullptr;
}

TToolList& TToolList::GetPlayerTools() {
    static TToolList tools;
    return tools;
}

TTool* TToolList::FindById(const std::string& id) const {
    for (TTool* tool : mTools) {
        if (tool != nullptr && tool->GetCurrentId() == id) {
            return tool;
        }
    }
    return nullptr;
}

THopaBaseUserInfo* GetHopaUserInfo() {
    return nullptr;
}

TObjectSpace* FindObjectSpace(const std::string& name) {
    return TGameSpaceManager::FindSpace(name);
}

TInterfaceEvents& TInterfaceEvents::Get() {
    static TInterfaceEvents events;
    return events;
}

bool TInterfaceEvents::IsBlocked(const std::string& name) const {
    return std::find(mBlockedNames.begin(), mBlockedNames.end(), name) != mBlockedNames.end();
}

TInterfaceEvent::TInterfaceEvent(const std::string& eventName, uint32_t delayMs, const std::string& argument)
    : name(eventName), argument1(argument), created(GetTicks()), delay(delayMs) {}

bool TInterfaceEvents::IsPending(const std::string& name) const {
    return std::any_of(mPending.begin(), mPending.end(), [&](const TInterfaceEvent& e) { return e.name == name; });
}

void TInterfaceEvents::Post(const TInterfaceEvent& event, bool force) {
    if (!force && (IsBlocked(event.name) || IsPending(event.name))) {
        return;
    }
    if (event.delay > 0) {
        mPending.push_back(event);
    } else if (mListener != nullptr) {
        mListener->OnInterfaceEvent(event, event.name);
    }
}

void TInterfaceEvents::Clear() {
    mPending.clear();
    mBlockedNames.clear();
}
