#include "objects/object_services.h"

#include <algorithm>
#include <set>

#include "app/clock.h"
#include "app/log.h"
#include "graphics/key_track.h"
#include "rooms/game_space.h"
#include "rooms/interface_events.h"
#include "rooms/space_manager.h"
#include "rooms/tip_panel.h"

namespace {

THopaBaseUserInfo* gHopaProfile = nullptr;

} // namespace

THopaBaseUserInfo* GetHopaUserInfo() {
    return gHopaProfile;
}

void SetHopaUserInfo(THopaBaseUserInfo* profile) {
    gHopaProfile = profile;
}

std::wstring THopaBaseUserInfo::GetPlayTimeText() const {
    TTimeCounter counter;
    counter.seconds = mPlaySeconds[mProfileFlag ? 1 : 0];
    return BuildPlayTimeText(counter);
}

void PostInterfaceEvent(const std::string& name, int delayMs, const std::string& argument, TObject* source,
                        bool forced) {
    TInterfaceEvent event(name, static_cast<uint32_t>(delayMs < 0 ? 0 : delayMs), argument);
    event.source = source;
    TInterfaceEvents::Get().Post(event, forced);
}

void ShowRoomTip(const std::string& key) {
    if (TTipPanel* tips = TTipPanel::GetInstance()) {
        tips->ShowTip(key, 0);
    }
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

void TInterfaceEvents::Update() {
    const uint32_t now = GetTicks();
    std::vector<TInterfaceEvent> due;
    for (auto it = mPending.begin(); it != mPending.end();) {
        if (now - it->created >= it->delay) {
            due.push_back(*it);
            it = mPending.erase(it);
        } else {
            ++it;
        }
    }
    // The listener may post again while it hears these.
    for (const TInterfaceEvent& event : due) {
        if (mListener != nullptr) {
            mListener->OnInterfaceEvent(event, event.name);
        }
    }
}

void TInterfaceEvents::Post(const TInterfaceEvent& event, bool force) {
    Update();
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
