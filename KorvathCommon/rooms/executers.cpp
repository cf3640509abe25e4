#include "rooms/executers.h"

#include <map>
#include <memory>

#include "app/log.h"
#include "graphics/random15.h"
#include "media/sound_manager.h"
#include "objects/object.h"
#include "objects/tool.h"
#include "rooms/items_list.h"
#include "rooms/room.h"
#include "rooms/room_hint_effects.h"
#include "windows/mouse_event.h"

namespace {

struct TRegistry {
    std::vector<std::string> names;
    std::map<std::string, std::unique_ptr<TExecuter>> byName;
};

// The one table of strategies, made on first use (a static library would drop self-registering objects).
TRegistry& Registry() {
    static TRegistry registry;
    if (registry.byName.empty()) {
        const auto add = [](const char* name, std::unique_ptr<TExecuter> executer) {
            registry.names.emplace_back(name);
            registry.byName[name] = std::move(executer);
        };
        add("xo", std::make_unique<TXOExecuter>());
        add("xomiss", std::make_unique<TXOMissExecuter>());
        add("xodouble", std::make_unique<TXODoubleScoresExecuter>());
        add("tool", std::make_unique<TGiveTool>());
        add("toolaftertool", std::make_unique<TGiveToolAfterTool>());
        add("tooltool", std::make_unique<TToolToolExecuter>());
        add("hint", std::make_unique<THintExecuter>());
        add("iteraction", std::make_unique<TIteractionExecuter>());
    }
    return registry;
}

TRoom* RoomOf(TObject* object) {
    return dynamic_cast<TRoom*>(object->mSpace);
}

// A found object takes the room's sparkle with it.
void RemoveHintSparkle(TRoom* room, TObject* object) {
    for (auto& effect : room->mHintEffects) {
        const auto* hint = dynamic_cast<EffectHint*>(effect.get());
        if (hint != nullptr && hint->GetTarget() == object) {
            effect.reset();
        }
    }
}

// Uses the clicks up; true when the object has no click left, so it is found.
bool UseUpClicksAndCheck(TObject* object) {
    object->UseUpClicks();
    return object->AreClicksUsedUp();
}

void Found(TRoom* room, TObject* object) {
    object->SetVisible(false);
    RemoveHintSparkle(room, object);
}

bool AtLastClick(const TObject* object) {
    if (!object->mNeededTools.empty()) {
        return object->mToolClickCounter >= object->mMaxToolClicks - 1;
    }
    return object->mClickCounter >= object->mMaxClicks - 1;
}

} // namespace

TExecuter* FindExecuter(const std::string& name) {
    TRegistry& registry = Registry();
    const auto found = registry.byName.find(name);
    if (found == registry.byName.end()) {
        TLogFile::Get()->Printf("Wrong executer %s", name.c_str());
        return nullptr;
    }
    return found->second.get();
}

std::vector<std::string> GetExecuterNames() {
    return Registry().names;
}

void FreeExecuters() {
    TRegistry& registry = Registry();
    registry.byName.clear();
    registry.names.clear();
}

void TXOExecuter::RunClick(TObject* object, const TMouseEvent& event) {
    TRoom* room = RoomOf(object);
    ItemsList* list = room != nullptr ? room->GetCurrentList() : nullptr;
    if (list == nullptr) {
        return;
    }
    const ItemsListItem* item = list->FindItemOfObject(object);
    if (item == nullptr || !item->active) {
        if (room->mOwner != nullptr) {
            room->mOwner->OnWrongClick(object, room);
        }
        return;
    }
    if (object->IsLocked() || !UseUpClicksAndCheck(object)) {
        return;
    }
    PlaySoundByName("ho_item_found");
    Found(room, object);
    if (room->mOwner != nullptr) {
        room->mOwner->OnObjectFound(object, room);
    }
}

void TXOMissExecuter::RunClick(TObject* object, const TMouseEvent& event) {
    TRoom* room = RoomOf(object);
    if (room != nullptr && room->mOwner != nullptr) {
        room->mOwner->OnWrongClick(object, room);
    }
}

void TXODoubleScoresExecuter::RunClick(TObject* object, const TMouseEvent& event) {
    TRoom* room = RoomOf(object);
    if (room == nullptr || object->IsLocked() || !UseUpClicksAndCheck(object)) {
        return;
    }
    Found(room, object);
    if (room->mOwner != nullptr) {
        room->mOwner->OnObjectFound(object, room);
    }
}

void TIteractionExecuter::RunClick(TObject* object, const TMouseEvent& event) {
    TRoom* room = RoomOf(object);
    ItemsList* list = room != nullptr ? room->GetCurrentList() : nullptr;
    if (list == nullptr || !list->ContainsObject(object) || object->IsLocked() || !UseUpClicksAndCheck(object)) {
        return;
    }
    Found(room, object);
    if (room->mOwner != nullptr) {
        room->mOwner->OnInteractionFound(object, room);
    }
}

void TGiveTool::RunClick(TObject* object, const TMouseEvent& event) {
    const bool given = object->GiveTool(object->mClickCounter, object->mGivenTools);
    if (given && AtLastClick(object) && object->mHideAfterTakeTool) {
        object->mVisible = false;
    }
}

void TGiveToolAfterTool::RunAfterTool(TObject* object, const TMouseEvent& event) {
    if (object->mToolClickCounter > object->mFreezeToolClicks - 1) {
        object->mToolClickCounter = object->mFreezeToolClicks - 1;
    }
    object->GiveTool(object->mToolClickCounter, object->mGivenTools);
    if (object->mHideAfterTakeTool) {
        object->mVisible = false;
    }
}

void TToolToolExecuter::RunClick(TObject* object, const TMouseEvent& event) {
    object->GiveTool(object->mClickCounter, object->mGivenTools);
}

void TToolToolExecuter::RunAfterTool(TObject* object, const TMouseEvent& event) {
    object->GiveTool(object->mToolClickCounter, object->mGivenTools);
}

void THintExecuter::GetHintText(TObject* object, std::string& text, const TMouseEvent& event) {
    text.clear();
    if (object->mWrongTool) {
        for (const TWrongToolHint& record : object->mWrongToolHints) {
            if (event.tool != nullptr && event.tool->GetCurrentId() == record.tool && !record.hints.empty()) {
                text = record.hints[static_cast<size_t>(Rand15()) % record.hints.size()];
                return;
            }
        }
        text = object->GetWrongToolHint(event.tool);
        return;
    }
    if (event.tool != nullptr) {
        return;
    }
    if (object->IsLocked()) {
        text = object->mLockedHintKeys.empty() ? std::string() : object->mLockedHintKeys.front();
        return;
    }
    if (!object->mToolHintKeys.empty() && !object->mToolApplied) {
        text = object->mToolHintKeys.front();
        return;
    }
    const std::vector<std::string>& hints = object->mHintKeys;
    if (hints.empty()) {
        if (object->mHintableOnShow && object->GetParent() != nullptr) {
            object->GetParent()->GetHintText(text, event);
        }
        return;
    }
    const int n = static_cast<int>(hints.size());
    int& c = object->mHintCounter;
    if (c == 0 || n == 1) {
        text = hints.front();
        ++c;
        return;
    }
    const int index = c % n == 0 ? 1 : c % n;
    text = hints[static_cast<size_t>(index)];
    c = (c + 1) % n == 0 ? 1 : (c + 1) % n;
}
