// Room hints: the room picks something worth doing and marks it with sparkles (the object to click, the
// object that takes a tool the first one hands out, or the inventory slot of a tool to use); with nothing
// to point at it may point at the way back.

#include <algorithm>

#include "graphics/random15.h"
#include "media/sound_manager.h"
#include "objects/object.h"
#include "objects/tool.h"
#include "objects/whole_pixels.h"
#include "rooms/inventory_panel.h"
#include "rooms/pocket.h"
#include "rooms/room.h"
#include "rooms/room_hint_effects.h"
#include "rooms/space_manager.h"

namespace {

constexpr const char* kBackArrow = "textures/gui/backarrow";
constexpr float kBackHintSeconds = 6.0f;

// Summed in float and held within reach of int: an object or hint point a broken file puts beyond any screen
// overflows no sum, here or in the sparkles around the point.
std::unique_ptr<EffectHint> HintAt(TObject* object, float offsetX, float offsetY) {
    const int x =
        WholePixels(static_cast<float>(object->GetCenterX()) + static_cast<float>(object->mHintPointX) + offsetX);
    const int y =
        WholePixels(static_cast<float>(object->GetCenterY()) + static_cast<float>(object->mHintPointY) + offsetY);
    return std::make_unique<EffectHint>(x, y, object);
}

// The first candidate that needs a tool and takes the tool of an enabled slot: (candidate, slot in row).
bool FindInventoryHint(const std::vector<TObject*>& candidates, int& slotIndex, int& candidateIndex,
                       TInventorySlot*& found) {
    TInventoryPanel* panel = TInventoryPanel::GetInstance();
    if (panel == nullptr) {
        return false;
    }
    for (size_t s = 0; s < panel->mMainRow.size(); ++s) {
        TInventorySlot& slot = panel->mMainRow[s];
        if (!slot.enabled || slot.tool == nullptr) {
            continue;
        }
        for (size_t c = 0; c < candidates.size(); ++c) {
            if (candidates[c]->NeedsTool() && candidates[c]->AcceptsTool(slot.tool)) {
                slotIndex = static_cast<int>(s);
                candidateIndex = static_cast<int>(c);
                found = &slot;
                return true;
            }
        }
    }
    return false;
}

TRoom* FindManagedRoom(const std::string& name) {
    if (name.empty() || TGameSpaceManager::GetInstance() == nullptr) {
        return nullptr;
    }
    return dynamic_cast<TRoom*>(TGameSpaceManager::FindSpace(name));
}

} // namespace

bool TRoom::FindToolTargets(const std::vector<TObject*>& candidates, std::vector<TObject*>& targets) {
    targets.assign(candidates.size(), nullptr);
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i]->mGivenTools.empty()) {
            continue;
        }
        TTool* tool = TToolList::GetPlayerTools().FindById(candidates[i]->mGivenTools.front().name);
        if (tool == nullptr) {
            continue;
        }
        for (const auto& object : mObjects) {
            if (object->NeedsTool() && object->AcceptsTool(tool)) {
                targets[i] = object.get();
                break;
            }
        }
        for (size_t o = 0; targets[i] == nullptr && o < mObjects.size(); ++o) {
            targets[i] = mObjects[o]->FindChildAcceptingTool(tool);
        }
    }
    return !candidates.empty();
}

bool TRoom::ShowHint() {
    mHintUsed = true;
    if (mOpenSubSpace != nullptr) {
        return mOpenSubSpace->ShowHint();
    }
    std::vector<TObject*> candidates;
    CollectHintCandidates(candidates);
    if (candidates.empty()) {
        if (mCanShowBackHint) {
            ShowBackHint();
        }
        mHintActive = false;
        return mCanShowBackHint;
    }
    for (auto& effect : mHintEffects) {
        effect.reset();
    }
    for (size_t i = candidates.size(); i > 1; --i) {
        std::swap(candidates[i - 1], candidates[static_cast<size_t>(Rand15()) % i]);
    }
    size_t chosen = static_cast<size_t>(Rand15()) % candidates.size();
    std::vector<TObject*> targets;
    FindToolTargets(candidates, targets);
    int slotIndex = 0, candidateIndex = 0;
    TInventorySlot* slot = nullptr;
    if (targets[chosen] != nullptr) {
        mHintEffects[1] = HintAt(targets[chosen], mDrawOffsetX, mDrawOffsetY);
    } else if (FindInventoryHint(candidates, slotIndex, candidateIndex, slot)) {
        chosen = static_cast<size_t>(candidateIndex);
        mHintEffects[2] =
            std::make_unique<EffectHint>(slot->x + slot->w / 2, slot->y + slot->h / 2 + slot->offsetY, nullptr);
    }
    TObject* pick = candidates[chosen];
    mHintEffects[0] = HintAt(pick, mDrawOffsetX, mDrawOffsetY);
    // Held as the sparkles' point is.
    mHintPoints[0] = WholePixels(static_cast<float>(pick->GetCenterX()) + static_cast<float>(pick->mHintPointX));
    mHintPoints[1] = WholePixels(static_cast<float>(pick->GetCenterY()) + static_cast<float>(pick->mHintPointY));
    PlaySoundByName("hint");
    TRoom* linked = FindManagedRoom(pick->mTargets[kTargetRoom]);
    mHintActive = !(linked != nullptr && linked->HasHintCandidates());
    return true;
}

void TRoom::ShowBackHint() {
    mHintEffects[0].reset();
    mHintEffects[1].reset();
    int x = mBackHintX;
    int y = mBackHintY;
    if (x == 0 && y == 0) {
        TInventoryPanel* panel = TInventoryPanel::GetInstance();
        if (panel == nullptr || panel->mBackButton[2] <= 0) {
            return;
        }
        x = panel->mBackButton[0] + panel->mBackButton[2] / 2;
        y = panel->mBackButton[1] - panel->mBackButton[3] / 2;
    }
    mHintEffects[0] = std::make_unique<TEffectBackHint>(x, y, kBackArrow, kBackHintSeconds);
    PlaySoundByName("hint");
}

void TRoom::RemoveXoHints() {
    for (const auto& object : mObjects) {
        object->RemoveXoHint();
    }
    for (const auto& pocket : mPockets) {
        pocket->RemoveXoHints();
    }
}

bool TRoom::HasHintCandidates() {
    if (mVisiting) {
        return false;
    }
    mVisiting = true;
    std::vector<TObject*> candidates;
    CollectHintCandidates(candidates);
    mVisiting = false;
    return !candidates.empty();
}

// Rooms that point at each other are asked once each: the visiting flag ends the cycle.
bool TRoom::HasSomethingToDo() {
    if (mAskingToDo) {
        return false;
    }
    mConnectedRooms.clear();
    for (const std::string& name : mConnectedRoomNames) {
        if (TGameSpace* space =
                TGameSpaceManager::GetInstance() != nullptr ? TGameSpaceManager::FindSpace(name) : nullptr) {
            mConnectedRooms.push_back(space);
        }
    }
    std::vector<TObject*> candidates;
    CollectHintCandidates(candidates);
    if (mObjects.empty() || candidates.empty()) {
        return false;
    }
    bool result = false;
    for (TObject* candidate : candidates) {
        TRoom* linked = FindManagedRoom(candidate->mTargets[kTargetRoom]);
        if (linked == nullptr || !linked->HasHintCandidates()) {
            result = true;
            break;
        }
    }
    mAskingToDo = true;
    for (size_t i = 0; !result && i < mConnectedRooms.size(); ++i) {
        result = mConnectedRooms[i]->HasSomethingToDo();
    }
    mAskingToDo = false;
    return result;
}
