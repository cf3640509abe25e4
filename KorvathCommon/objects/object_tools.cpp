// The tools an object needs and hands out, and the questions the room's hint system asks of it.

#include <algorithm>

#include "objects/hint_effects.h"
#include "objects/object.h"
#include "objects/object_listener.h"
#include "objects/object_services.h"
#include "objects/object_space.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool AnyGiven(const std::vector<TGivenTool>& tools, const std::string& name) {
    return std::any_of(tools.begin(), tools.end(), [&](const TGivenTool& t) { return t.given && t.name == name; });
}

bool AllGiven(const std::vector<TGivenTool>& tools) {
    return std::all_of(tools.begin(), tools.end(), [](const TGivenTool& t) { return t.given; });
}

// A ghost object, hintable only when the player asked for ghost hints.
constexpr int kGhostTypeId = 22;

} // namespace

std::vector<TGivenTool>& GetHandedOutTools() {
    static std::vector<TGivenTool> tools;
    return tools;
}

bool TObject::NeedsTool() const {
    return !mNeededTools.empty() || !mPocketTools.empty() || !mMiniGameTools.empty();
}

bool TObject::AcceptsTool(TTool* tool) {
    if (tool == nullptr) {
        return false;
    }
    const std::string id = tool->GetCurrentId();
    if (mClickExecuter != nullptr && !mClickExecuter->CanUseTool(this, id)) {
        return false;
    }
    return Contains(mNeededTools, id) || ToolOpensPocket(tool) || ToolOpensMinigame(tool);
}

bool TObject::ToolOpensPocket(TTool* tool) const {
    return tool != nullptr && Contains(mPocketTools, tool->GetCurrentId());
}

bool TObject::ToolOpensMinigame(TTool* tool) const {
    return tool != nullptr && Contains(mMiniGameTools, tool->GetCurrentId());
}

TObject* TObject::FindChildAcceptingTool(TTool* tool) {
    for (const auto& child : mChildren) {
        if (child->AcceptsTool(tool)) {
            return child.get();
        }
        if (TObject* found = child->FindChildAcceptingTool(tool)) {
            return found;
        }
    }
    return nullptr;
}

TObject* TObject::FindObjectForTool(const std::string& toolName) {
    if (Contains(mNeededTools, toolName)) {
        return this;
    }
    for (const auto& child : mChildren) {
        if (child->FindObjectForTool(toolName) != nullptr) {
            return child.get();
        }
    }
    return nullptr;
}

void TObject::CollectAcceptedTools(std::vector<std::string>& names, bool skipLocked) const {
    if (!skipLocked || !mLocked) {
        names.insert(names.end(), mNeededTools.begin(), mNeededTools.end());
    }
    for (const auto& child : mChildren) {
        child->CollectAcceptedTools(names, skipLocked);
    }
}

bool TObject::GiveTool(int index, std::vector<TGivenTool>& list) {
    if (index < 0 || index >= static_cast<int>(list.size())) {
        return false;
    }
    TGivenTool& record = list[static_cast<size_t>(index)];
    // Handing a record out twice would put the tool into the inventory twice.
    if (record.given) {
        return false;
    }
    record.given = true;
    GetHandedOutTools().push_back(record);
    if (mListener != nullptr) {
        if (record.mode == TGivenTool::kModeHandOver) {
            mListener->OnToolGiven({record}, this, 0.1f);
        }
        mListener->OnObjectClicked(this);
    }
    return true;
}

bool TObject::HasGivenTool(const std::string& toolName) const {
    if (AnyGiven(mGivenTools, toolName) || AnyGiven(mGivenToolsAfterEvent, toolName)) {
        return true;
    }
    return std::any_of(mChildren.begin(), mChildren.end(),
                       [&](const auto& child) { return child->HasGivenTool(toolName); });
}

bool TObject::AreAllToolsGiven() const {
    if (!AllGiven(mGivenTools) || !AllGiven(mGivenToolsAfterEvent)) {
        return false;
    }
    return std::all_of(mChildren.begin(), mChildren.end(), [](const auto& child) { return child->AreAllToolsGiven(); });
}

bool TObject::IsHintable() const {
    if (!mVisible || mLocked) {
        return false;
    }
    if (GetTypeId() == kGhostTypeId) {
        const THopaBaseUserInfo* profile = GetHopaUserInfo();
        return profile != nullptr && profile->HasPair("ShowGhostsHint", "true");
    }
    if (mHintMode == kHintNever || mHintMode == kHintAlways) {
        return mHintMode == kHintAlways;
    }
    if (mNeededTools.empty()) {
        return IsHintableWithoutTool();
    }
    return std::any_of(mNeededTools.begin(), mNeededTools.end(), [](const std::string& name) {
        const TTool* tool = TToolList::GetPlayerTools().FindById(name);
        return tool != nullptr && tool->IsComplete();
    });
}

bool TObject::IsHintableWithoutTool() const {
    if (!mGivenTools.empty()) {
        return true;
    }
    TObjectSpace* room = GetRootSpace();
    if (!mTargets[kTargetPocket].empty() && room != nullptr && room->IsKind(TObjectSpace::kKindRoom)) {
        TObjectSpace* pocket = room->FindPocket(mTargets[kTargetPocket]);
        if (pocket != nullptr && pocket->HasHintCandidates()) {
            return true;
        }
    }
    if (!mTargets[kTargetMiniGame].empty()) {
        TObjectSpace* space = FindObjectSpace(mTargets[kTargetMiniGame]);
        const int kinds = TObjectSpace::kKindMiniGame | TObjectSpace::kKindRoom;
        if (space != nullptr && (space->GetKindFlags() & kinds) != 0 && space->HasHintCandidates()) {
            return true;
        }
    }
    if (!mTargets[kTargetRoomXo].empty() || !mTargets[kTargetDialog].empty() || !mTargets[kTargetDialog2].empty()) {
        return true;
    }
    if (mTargets[kTargetRoom].empty()) {
        return false;
    }
    TObjectSpace* target = FindObjectSpace(mTargets[kTargetRoom]);
    return target != nullptr && target != FindObjectSpace("") &&
           (target->GetKindFlags() & TObjectSpace::kKindRoom) != 0 && target->HasHintCandidates();
}

void TObject::CollectHintCandidates(std::vector<TObject*>& list) {
    if (IsHintable()) {
        list.push_back(this);
    }
    for (const auto& child : mChildren) {
        child->CollectHintCandidates(list);
    }
}

bool TObject::IsPlainDecor() const {
    return GetTypeId() == 0 && !mDummy && mTargets[kTargetMiniGame].empty() && mTargets[kTargetPocket].empty() &&
           mTargets[kTargetDialog].empty() && mTargets[kTargetDialog2].empty() && mTargets[kTargetRoomXo].empty() &&
           mGivenTools.empty();
}

void TObject::GetHintText(std::string& text, int number) {
    GetHintText(text, TMouseEvent());
}

void TObject::GetHintText(std::string& text, const TMouseEvent& event) {
    text.clear();
    if (mHintExecuter != nullptr) {
        mHintExecuter->GetHintText(this, text, event);
    }
}

std::string TObject::GetWrongToolHint(TTool* tool) {
    if (tool != nullptr && tool->GetKind() == TTool::kGhostCatcher) {
        return "";
    }
    mWrongTool = false;
    return "WrongTool1";
}

bool TObject::ShouldShowXoHint() const {
    const THopaBaseUserInfo* profile = GetHopaUserInfo();
    return profile != nullptr && profile->mXoHint && mVisible && !mLocked &&
           (!mTargets[kTargetRoomXo].empty() || mCanRunXoEffect) && !mHintEffect;
}

void TObject::CreateXoHintEffect() {
    const int left = WholePixels(mX), top = WholePixels(mY);
    mHintEffect =
        std::make_unique<TEffectRoomXoHint>(left, top, left + static_cast<int>(mW), top + static_cast<int>(mH));
}

void TObject::RemoveXoHint() {
    mHintEffect.reset();
    for (const auto& child : mChildren) {
        child->RemoveXoHint();
    }
}

bool TObject::IsHintBlinkEnabled() const {
    const THopaBaseUserInfo* profile = GetHopaUserInfo();
    return profile != nullptr && profile->mHintBlinkSeconds > 0;
}
