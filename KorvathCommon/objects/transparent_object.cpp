#include "objects/transparent_object.h"

#include "app/xml_reader.h"
#include "windows/mouse_event.h"

void TDoubleScoreObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mTime = ReadXmlFloat(element, "time", 9.0f);
}

namespace {

// Offers the event to the children from the topmost down; true at the first that takes it.
template <typename Call> bool OfferToChildren(const std::vector<std::unique_ptr<TObject>>& children, Call call) {
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (call(**it)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool TTransparentObject::OnMouseDown(const TMouseEvent& event) {
    if (!mVisible) {
        return false;
    }
    const bool own = TObject::OnMouseDown(event);
    return OfferToChildren(GetChildren(), [&](TObject& child) { return child.OnMouseDown(event); }) || own;
}

bool TTransparentObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    if (!mVisible) {
        return false;
    }
    bool handled = TObject::OnMouseMove(event, firstHover);
    const auto& children = GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        handled = (*it)->OnMouseMove(event, firstHover) || handled;
    }
    return handled;
}

bool TTransparentObject::OnMouseUp(const TMouseEvent& event) {
    if (!mVisible) {
        return false;
    }
    const bool own = TObject::OnMouseUp(event);
    return OfferToChildren(GetChildren(), [&](TObject& child) { return child.OnMouseUp(event); }) || own;
}

bool TTransparentObject::OnMouseDrag(const TMouseEvent& event) {
    if (!mVisible) {
        return false;
    }
    return OfferToChildren(GetChildren(), [&](TObject& child) { return child.OnMouseDrag(event); });
}
