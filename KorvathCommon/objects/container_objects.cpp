#include "objects/container_objects.h"

#include <algorithm>

#include "windows/mouse_event.h"

bool TBringToTopObject::OnMouseDown(const TMouseEvent& event) {
    // The own press still counts its click; only the children decide the answer.
    TObject::OnMouseDown(event);
    const auto& children = GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        TObject* child = it->get();
        if (!child->OnMouseDown(event)) {
            continue;
        }
        if (child != children.back().get()) {
            if (mLoadedOrder.empty()) {
                for (const auto& each : children) {
                    mLoadedOrder.push_back(each.get());
                }
            }
            if (RemoveChild(child)) {
                AddChild(child);
            }
        }
        return true;
    }
    return false;
}

void TBringToTopObject::SaveState(TBaseBuffer& writer) {
    InRecordOrder([&] { TTransparentObject::SaveState(writer); });
}

void TBringToTopObject::RestoreState(TBaseBuffer& reader) {
    InRecordOrder([&] { TTransparentObject::RestoreState(reader); });
}

void TBringToTopObject::InRecordOrder(const std::function<void()>& call) {
    std::vector<TObject*> drawn;
    for (const auto& child : GetChildren()) {
        drawn.push_back(child.get());
    }
    std::vector<TObject*> rest = drawn;
    std::vector<TObject*> recorded;
    for (const TObject* loaded : mLoadedOrder) {
        auto it = std::find(rest.begin(), rest.end(), loaded);
        if (it != rest.end()) {
            recorded.push_back(*it);
            rest.erase(it);
        }
    }
    recorded.insert(recorded.end(), rest.begin(), rest.end());
    if (recorded == drawn) {
        call();
        return;
    }
    TObject* hit = mHitChild;
    Arrange(recorded);
    call();
    Arrange(drawn);
    mHitChild = hit;
}

void TBringToTopObject::Arrange(const std::vector<TObject*>& order) {
    for (TObject* child : order) {
        if (RemoveChild(child)) {
            AddChild(child);
        }
    }
}

// ---- group ----

namespace {

void Append(std::vector<std::string>& to, const std::vector<std::string>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

} // namespace

void TGroupObject::OnLoaded() {
    for (const auto& child : GetChildren()) {
        Append(child->mHintKeys, mHintKeys);
        Append(child->mLockedHintKeys, mLockedHintKeys);
        Append(child->mToolHintKeys, mToolHintKeys);
        child->mCursorName = mNeededTools.empty() ? mCursorName : "tool";
    }
}

bool TGroupObject::OnMouseDown(const TMouseEvent& event) {
    const bool taken = TTransparentObject::OnMouseDown(event);
    if (taken && event.tool != nullptr && AreClicksUsedUp()) {
        for (const auto& child : GetChildren()) {
            child->mCursorName.clear();
        }
    }
    return taken;
}

void TGroupObject::SetVisible(bool visible) {
    TObject::SetVisible(visible);
    for (const auto& child : GetChildren()) {
        child->SetVisible(visible);
    }
}

void TGroupObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    for (const auto& child : GetChildren()) {
        child->Activate(index, x, y);
    }
}

void TGroupObject::Unlock() {
    TObject::Unlock();
    for (const auto& child : GetChildren()) {
        child->Unlock();
    }
}

void TGroupObject::Lock() {
    TObject::Lock();
    for (const auto& child : GetChildren()) {
        child->Lock();
    }
}

void TGroupObject::CollectHintCandidates(std::vector<TObject*>& list) {
    if (IsHintable() && !GetChildren().empty()) {
        list.push_back(GetChildren().front().get());
    }
}

bool TFoudedGroupObject::AreAllChildrenUsedUp() const {
    return std::all_of(GetChildren().begin(), GetChildren().end(),
                       [](const std::unique_ptr<TObject>& child) { return child->AreClicksUsedUp(); });
}

bool TFoudedGroupObject::OnMouseDown(const TMouseEvent& event) {
    const bool taken = TGroupObject::OnMouseDown(event);
    // After-event 0 brings the event flags and states along; they are given once, not twice.
    if (AreAllChildrenUsedUp()) {
        ApplyAfterEvent(0);
    }
    return taken;
}

// ---- anim file and mouse events group ----

namespace {

template <typename Call> bool FirstTaker(const std::vector<std::unique_ptr<TObject>>& children, Call call) {
    for (const auto& child : children) {
        if (call(*child)) {
            return true;
        }
    }
    return false;
}

// Every child hears the call; true when any took it.
template <typename Call> bool Broadcast(const std::vector<std::unique_ptr<TObject>>& children, Call call) {
    bool taken = false;
    for (const auto& child : children) {
        taken = call(*child) || taken;
    }
    return taken;
}

} // namespace

bool TAnimFileObject::OnMouseDown(const TMouseEvent& event) {
    return FirstTaker(GetChildren(), [&](TObject& child) { return child.OnMouseDown(event); });
}

bool TAnimFileObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    return FirstTaker(GetChildren(), [&](TObject& child) { return child.OnMouseMove(event, firstHover); });
}

bool TAnimFileObject::OnMouseUp(const TMouseEvent& event) {
    return FirstTaker(GetChildren(), [&](TObject& child) { return child.OnMouseUp(event); });
}

bool TAnimFileObject::OnMouseDrag(const TMouseEvent& event) {
    return FirstTaker(GetChildren(), [&](TObject& child) { return child.OnMouseDrag(event); });
}

bool TMouseEventsGroup::OnMouseDown(const TMouseEvent& event) {
    const bool own = TObject::OnMouseDown(event);
    return Broadcast(GetChildren(), [&](TObject& child) { return child.OnMouseDown(event); }) || own;
}

bool TMouseEventsGroup::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    const bool own = TObject::OnMouseMove(event, firstHover);
    return Broadcast(GetChildren(), [&](TObject& child) { return child.OnMouseMove(event, firstHover); }) || own;
}

bool TMouseEventsGroup::OnMouseUp(const TMouseEvent& event) {
    const bool own = TObject::OnMouseUp(event);
    return Broadcast(GetChildren(), [&](TObject& child) { return child.OnMouseUp(event); }) || own;
}

bool TMouseEventsGroup::OnMouseDrag(const TMouseEvent& event) {
    return Broadcast(GetChildren(), [&](TObject& child) { return child.OnMouseDrag(event); });
}
