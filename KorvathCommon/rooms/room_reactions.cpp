// What a room does with its objects' reports: pointer input routed to the open pocket first, links
// followed, pockets opened and closed, handed-out tools, completion and the tools that open pockets.

#include <algorithm>

#include "app/log.h"
#include "app/user_info.h"
#include "objects/object.h"
#include "objects/tool.h"
#include "rooms/interface_events.h"
#include "rooms/pocket.h"
#include "rooms/space_manager.h"
#include "windows/mouse_event.h"

namespace {

constexpr float kShadowAlpha = 0.7f;
constexpr float kShadowSeconds = 0.2f;

} // namespace

// ---- pointer input ----

bool TRoom::OnMouseDown(const TMouseEvent& event) {
    if (mInputLocked) {
        return false;
    }
    if (mClip.w > 0 &&
        (event.x < mClip.x || event.x >= mClip.x + mClip.w || event.y < mClip.y || event.y >= mClip.y + mClip.h)) {
        return false;
    }
    mTransientText.clear();
    if (mOpenSubSpace != nullptr) {
        const bool taken = mOpenSubSpace->OnMouseDown(event);
        mTransientText = mOpenSubSpace->mTransientText;
        if (!taken) {
            PostInterfaceEvent("undoneclosepocket", 100, "", nullptr, false);
        }
        return taken;
    }
    return RoomMouseDown(event);
}

bool TRoom::RoomMouseDown(const TMouseEvent& event) {
    TObject* target = ReleaseTargetAt(event.x, event.y);
    const bool taken = TGameSpace::OnMouseDown(event);
    if (target != nullptr) {
        target->GetHintText(mTransientText, event);
    }
    return taken;
}

bool TRoom::OnMouseMove(const TMouseEvent& event) {
    if (mInputLocked) {
        return false;
    }
    return mOpenSubSpace != nullptr ? mOpenSubSpace->OnMouseMove(event) : TGameSpace::OnMouseMove(event);
}

bool TRoom::OnMouseUp(const TMouseEvent& event) {
    if (mInputLocked) {
        return false;
    }
    bool taken = mOpenSubSpace != nullptr && mOpenSubSpace->OnMouseUp(event);
    if (!taken) {
        taken = TGameSpace::OnMouseUp(event);
    }
    if (TObject* target = ReleaseTargetAt(event.x, event.y)) {
        target->GetHintText(mTransientText, event);
    }
    return taken;
}

bool TRoom::OnMouseDrag(const TMouseEvent& event) {
    if (mInputLocked) {
        return false;
    }
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        if ((*it)->OnMouseDrag(event)) {
            return true;
        }
    }
    return false;
}

bool TRoom::GetCursorNameAt(int x, int y, std::string& name) {
    if (mInputLocked) {
        name.clear();
        return false;
    }
    if (mOpenSubSpace != nullptr && mOpenSubSpace->GetCursorNameAt(x, y, name)) {
        return true;
    }
    return TGameSpace::GetCursorNameAt(x, y, name);
}

TObject* TRoom::ObjectAt(int x, int y) {
    return mOpenSubSpace != nullptr ? mOpenSubSpace->ObjectAt(x, y) : HitTopObject(x, y);
}

TObject* TRoom::ReleaseTargetAt(int x, int y) {
    return mOpenSubSpace != nullptr ? mOpenSubSpace->ReleaseTargetAt(x, y) : HitTopObject(x, y);
}

TObject* TRoom::GetHoveredObject() {
    return mOpenSubSpace != nullptr ? mOpenSubSpace->GetHoveredObject() : TGameSpace::GetHoveredObject();
}

// ---- links ----

void TRoom::FollowLink(TObject* object, const std::array<std::string, 6>& targets, int x, int y) {
    if (!targets[kTargetPocket].empty()) {
        auto* pocket = dynamic_cast<TRoom*>(FindPocket(targets[kTargetPocket]));
        if (pocket == nullptr) {
            TLogFile::Get()->Printf("warning: room %s: pocket %s not found", mName.c_str(),
                                    targets[kTargetPocket].c_str());
        } else if (!pocket->mOpened && pocket->CanBeOpened()) {
            OpenPocket(x, y, pocket);
        }
    } else if (!targets[kTargetRoom].empty()) {
        TUserInfo::Get()->AddPair("IHelpShown", "WAS_ENTER_ROOM");
        if (mOwner != nullptr) {
            mOwner->GoToRoom(targets[kTargetRoom], this, true);
        }
    } else if (!targets[kTargetRoomXo].empty()) {
        TUserInfo::Get()->AddPair("IHelpShown", "WAS_ENTER_ROOM");
        if (mOwner != nullptr) {
            mOwner->GoToRoomXo(targets[kTargetRoomXo], this);
        }
    } else if (!targets[kTargetMiniGame].empty()) {
        PostInterfaceEvent("runminigame", 0, targets[kTargetMiniGame], object, false);
    } else if (!targets[kTargetDialog].empty()) {
        PostInterfaceEvent("dialog", 300, targets[kTargetDialog], object, false);
    } else if (!targets[kTargetDialog2].empty()) {
        PostInterfaceEvent("dialog2", 300, "personages/" + targets[kTargetDialog2], object, false);
    }
}

void TRoom::OnObjectClicked(TObject* object) {
    FollowLink(object, object->mTargets, object->GetCenterX(), object->GetCenterY());
}

void TRoom::OnToolApplied(TObject* object, TTool* tool, int value) {
    if (mOwner != nullptr) {
        mOwner->OnToolApplied(this, object, tool);
        bool keep = false;
        mOwner->CheckToolAfterUse(tool != nullptr ? tool->mMaxClicks : 0, object->mHoldToolAfterUse, keep);
        if (keep) {
            mOwner->ApplyToolAfterUse(value);
        }
    }
    FollowLink(object, object->mToolTargets, 0, 0);
}

void TRoom::PostClosePocket(bool forced) {
    const bool zooming = mOpenSubSpace != nullptr && mOpenSubSpace->mAppearEffector != nullptr;
    PostInterfaceEvent("closepocket", zooming ? 350 : 150, "", nullptr, forced);
}

void TRoom::OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) {
    for (const TGivenTool& record : tools) {
        TTool* tool = TToolList::GetPlayerTools().FindById(record.name);
        if (tool != nullptr && tool->IsCompleteAfterOneMore()) {
            TUserInfo::Get()->AddPair("T", record.name);
        }
    }
    bool done =
        !mToolsToClose.empty() && std::all_of(mToolsToClose.begin(), mToolsToClose.end(),
                                              [this](const std::string& name) { return AnyObjectHasGivenTool(name); });
    if (mCloseAfterAllToolsTaken) {
        done = AreAllToolsTaken();
    }
    if (done) {
        if (IsKind(kKindPocket)) {
            PostClosePocket(true);
        } else {
            PostInterfaceEvent("goback", 800, "", nullptr, true);
        }
    }
    if (mOwner != nullptr) {
        mOwner->OnToolGiven(tools, object, delay);
    }
}

void TRoom::UnlockObjects(const TObjectPathGroup& group) {
    TGameSpace::UnlockObjects(group);
    if (mSetToolsToOpenPocketAuto) {
        CollectPocketTools();
    }
}

void TRoom::LockObjects(const TObjectPathGroup& group) {
    TGameSpace::LockObjects(group);
    if (mSetToolsToOpenPocketAuto) {
        CollectPocketTools();
    }
}

// ---- pockets ----

void TRoom::OpenPocket(int x, int y, TRoom* pocket) {
    mOpenSubSpace = pocket;
    if (auto* zoomed = dynamic_cast<TPocket*>(pocket)) {
        if (zoomed->mStartX >= TPocket::kNotGiven) {
            zoomed->mStartX = static_cast<float>(x);
        }
        if (zoomed->mStartY >= TPocket::kNotGiven) {
            zoomed->mStartY = static_cast<float>(y);
        }
    }
    pocket->mOpened = true;
    pocket->Show();
    TUserInfo::Get()->AddPair("IHelpShown", "WAS_SHOW_POCKET");
    auto* zoomed = dynamic_cast<TPocket*>(pocket);
    if (zoomed == nullptr || zoomed->mActivateShadow) {
        ShowShadow();
    }
}

void TRoom::ShowShadow() {
    auto* parent = dynamic_cast<TRoom*>(mParent);
    if ((parent != nullptr && parent->IsShadowShown()) || mShadow) {
        return;
    }
    mShadow = std::make_unique<TFaderShadow>();
    mShadow->mHold = true;
    mShadow->StartFromTo(0.0f, kShadowAlpha, kShadowSeconds);
}

bool TRoom::IsShadowShown() const {
    if (const auto* parent = dynamic_cast<const TRoom*>(mParent)) {
        return parent->IsShadowShown();
    }
    return mShadow != nullptr;
}

bool TRoom::CloseOpenPocket(bool all) {
    if (mOpenSubSpace == nullptr) {
        return false;
    }
    TRoom* sub = mOpenSubSpace;
    if (!sub->CloseOpenPocket(all)) {
        sub->mOpened = false;
        sub->Hide();
        mShadow.reset();
        const auto* zoomed = dynamic_cast<TPocket*>(sub);
        const bool shrinking = sub->mAppearEffector != nullptr && zoomed != nullptr && zoomed->mDisappearTime != 0;
        if (!shrinking) {
            mOpenSubSpace = nullptr;
        }
    }
    if (IsKind(kKindPocket) && mCloseAfterAllToolsTaken && AreAllToolsTaken()) {
        PostClosePocket(true);
    }
    return !all;
}

void TRoom::OnShowPocketEffectorListenerDone(TShowPocketEffector* effector) {
    const bool closing = effector->mClosing != 0;
    effector->SetOwner(nullptr);
    if (closing && mOpenSubSpace != nullptr) {
        LogDebug("OnShowPocketEffectorListenerDone %s", mOpenSubSpace->mName.c_str());
        mOpenSubSpace->UnloadImages();
        mOpenSubSpace = nullptr;
    }
}

bool TRoom::CloseSubSpace(bool flag) {
    if (mOpenSubSpace == nullptr || mOpenSubSpace->CloseSubSpace(flag)) {
        return flag;
    }
    mOpenSubSpace->Complete();
    return true;
}

// ---- completion ----

void TRoom::Complete() {
    const bool ready =
        mOwner != nullptr && ((IsKind(kKindMiniGame) && mClosing) || IsKind(kKindRoom | kKindPocket | kKindListRoom));
    ItemsList* list = GetCurrentList();
    const bool listDone = IsKind(kKindListRoom) && list != nullptr && list->IsComplete();
    if (ready && (!IsKind(kKindListRoom) || listDone)) {
        ApplyPathGroups(mLists.onComplete, 0);
    }
    if (listDone) {
        TUserInfo::Get()->AddPair("HO", mName);
    }
    if (mOwner != nullptr) {
        mOwner->OnSpaceCompleted(this);
    }
}

bool TRoom::AreAllToolsTaken() {
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        if (!(*it)->AreAllToolsGiven()) {
            return false;
        }
    }
    for (TObject* object : mObjectsNeedingLockFound) {
        if (!object->IsLocked()) {
            return false;
        }
    }
    return std::all_of(mPockets.begin(), mPockets.end(), [](const auto& pocket) { return pocket->AreAllToolsTaken(); });
}

void TRoom::CollectPocketTools() {
    for (const auto& object : mObjects) {
        object->mPocketTools.clear();
        const std::string& name = object->mTargets[kTargetPocket];
        auto* pocket = name.empty() ? nullptr : dynamic_cast<TRoom*>(FindPocket(name));
        if (pocket == nullptr) {
            continue;
        }
        CollectNeededTools(pocket, object->mPocketTools);
        pocket->CollectPocketTools();
        for (const std::string& tool : object->mPocketTools) {
            LogDebug("pocket %s toolToOpenPocket - %s", name.c_str(), tool.c_str());
        }
    }
}

void TRoom::CollectNeededTools(TRoom* pocket, std::vector<std::string>& list) {
    for (const auto& object : pocket->mObjects) {
        if (!object->IsLocked()) {
            list.insert(list.end(), object->mNeededTools.begin(), object->mNeededTools.end());
        }
        for (const auto& child : object->GetChildren()) {
            child->CollectAcceptedTools(list, true);
        }
    }
}

// Minigame spaces are not part of the engine: no space found answers with the tools that open it.
void TRoom::CollectMinigameTools() {
    for (const auto& object : mObjects) {
        const std::string& name = object->mTargets[kTargetMiniGame];
        if (name.empty() || TGameSpaceManager::GetInstance() == nullptr) {
            continue;
        }
        TGameSpace* space = TGameSpaceManager::FindSpace(name);
        if (space != nullptr && space->IsKind(kKindMiniGame)) {
            LogDebug("minigame %s found, no tools to open it", name.c_str());
        }
    }
}
