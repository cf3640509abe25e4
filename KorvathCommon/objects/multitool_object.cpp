#include "objects/multitool_object.h"

#include <algorithm>
#include <cstdint>

#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "objects/object_listener.h"
#include "objects/tool.h"
#include "windows/mouse_event.h"

void TMultyToolObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mKeepOrder = ReadXmlBool(element, "keeporder", false);
    mCheckCoords = ReadXmlBool(element, "checkcoords", false);
    mGroup = ReadXmlBool(element, "group", false);
}

void TMultyToolObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mComplete);
}

void TMultyToolObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mComplete = ReadFlag(reader);
}

void TMultyToolObject::ResetState() {
    mComplete = false;
    mCheckCoords = false;
    mGroup = false;
}

bool TMultyToolObject::NeedsTool() const {
    return TObject::NeedsTool() || std::any_of(GetChildren().begin(), GetChildren().end(),
                                               [](const auto& child) { return child->NeedsTool(); });
}

bool TMultyToolObject::AcceptsTool(TTool* tool) {
    if (TObject::AcceptsTool(tool)) {
        return true;
    }
    const auto& children = GetChildren();
    for (size_t i = 0; i < children.size(); ++i) {
        if (!children[i]->AcceptsTool(tool)) {
            continue;
        }
        if (mKeepOrder) {
            for (size_t j = 0; j < i; ++j) {
                TObject& earlier = *children[j];
                if (earlier.NeedsTool() && !earlier.mToolApplied && !earlier.AcceptsTool(tool)) {
                    return false;
                }
            }
        }
        return true;
    }
    return false;
}

bool TMultyToolObject::IsSolved() const {
    if (mGroup) {
        return false;
    }
    return std::all_of(GetChildren().begin(), GetChildren().end(),
                       [](const auto& child) { return !child->NeedsTool() || child->mToolApplied; });
}

TObject* TMultyToolObject::FindChildForTool(const std::string& toolId, int x, int y) {
    for (const auto& child : GetChildren()) {
        const auto& tools = child->mNeededTools;
        if (std::find(tools.begin(), tools.end(), toolId) == tools.end() || child->mToolApplied) {
            continue;
        }
        if (!mCheckCoords || child->HitTestSelf(x, y)) {
            return child.get();
        }
    }
    return nullptr;
}

void TMultyToolObject::GetRect(float rect[4]) {
    if (mW != 0 || mH != 0) {
        TObject::GetRect(rect);
        return;
    }
    // Only the children: a union started from an empty rectangle at the origin would always reach it.
    rect[0] = rect[1] = rect[2] = rect[3] = 0;
    bool first = true;
    for (const auto& child : GetChildren()) {
        float r[4];
        child->GetRect(r);
        if (first) {
            std::copy(r, r + 4, rect);
            first = false;
            continue;
        }
        const float left = std::min(rect[0], r[0]), top = std::min(rect[1], r[1]);
        const float right = std::max(rect[0] + rect[2], r[0] + r[2]);
        const float bottom = std::max(rect[1] + rect[3], r[1] + r[3]);
        rect[0] = left;
        rect[1] = top;
        rect[2] = right - left;
        rect[3] = bottom - top;
    }
}

// ---- pointer ----

bool TMultyToolObject::OnMouseDown(const TMouseEvent& event) {
    mWrongTool = false;
    const bool hit = HitTest(event.x, event.y, true);
    if (!hit || mComplete) {
        return false;
    }
    TTool* tool = event.tool;
    LogDebug("Click on multyobject %s tool %s %d", mName.c_str(), tool != nullptr ? tool->GetCurrentId().c_str() : "",
             tool != nullptr ? tool->GetKind() : -1);
    if (tool == nullptr) {
        PressWithoutTool(event);
    } else if (NeedsTool()) {
        PressWithTool(event, tool);
    }
    if (mGroup) {
        PassToChildren([&](TObject& child) { return child.OnMouseDown(event); });
    }
    return hit;
}

// The object's own click handling, counted as the object counts clicks.
void TMultyToolObject::PressWithoutTool(const TMouseEvent& event) {
    if (!mNeededTools.empty() && !AreClicksUsedUp()) {
        PlaySpaceSound(mSoundNeedTool);
    }
    if (static_cast<int64_t>(mClickCounter) < static_cast<int64_t>(mMaxClicks) - 1) {
        // Held at the freeze (never below "not counted": a freeze of 0 or less from data must not wrap).
        const int64_t frozen = std::min<int64_t>(static_cast<int64_t>(mClickCounter) + 1, int64_t{mFreezeClicks} - 1);
        mClickCounter = static_cast<int>(std::max<int64_t>(frozen, kNotCounted));
        if (mClickCounter >= 0) {
            ApplyFlags(mClickCounter, mFlags[kAfterClick]);
        }
        DoClickAction(mClickCounter + 1, event.x, event.y);
        PlaySpaceSound(mSound);
    }
    ApplyAfterClick(event.x, event.y);
    // GiveTool reports the click itself; it refuses an index past the list or a record handed out before.
    if (GiveTool(mClickCounter, mGivenTools)) {
        SetVisible(false);
        Lock();
        return;
    }
    if (mListener != nullptr) {
        mListener->OnObjectClicked(this);
    }
    if (mHideOnClick) {
        SetVisible(false);
    }
}

void TMultyToolObject::PressWithTool(const TMouseEvent& event, TTool* tool) {
    if (!AcceptsTool(tool)) {
        mWrongTool = true;
        return;
    }
    // A tool still missing parts is not wrong, only not ready.
    if (!tool->IsComplete()) {
        return;
    }
    LogDebug("Apply tool %s", tool->GetCurrentId().c_str());
    TObject* target = mGroup ? this : FindChildForTool(tool->GetCurrentId(), event.x, event.y);
    if (target == nullptr || !AdvanceCounter(target->mToolClickCounter, target->mMaxToolClicks)) {
        return;
    }
    target->ApplyTool(event);
    mComplete = IsSolved();
    if (mComplete) {
        AdvanceCounter(mToolClickCounter, mMaxToolClicks);
        ApplyTool(event);
    }
}

template <typename Call> bool TMultyToolObject::PassToChildren(Call call) {
    const auto& children = GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (call(**it)) {
            return true;
        }
    }
    return false;
}

bool TMultyToolObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    if (TObject::OnMouseMove(event, firstHover)) {
        return true;
    }
    return mGroup && PassToChildren([&](TObject& child) { return child.OnMouseMove(event, firstHover); });
}

bool TMultyToolObject::OnMouseUp(const TMouseEvent& event) {
    if (TObject::OnMouseUp(event)) {
        return true;
    }
    return mGroup && PassToChildren([&](TObject& child) { return child.OnMouseUp(event); });
}

bool TMultyToolObject::OnMouseDrag(const TMouseEvent& event) {
    return mGroup && PassToChildren([&](TObject& child) { return child.OnMouseDrag(event); });
}
