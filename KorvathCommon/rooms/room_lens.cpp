#include "rooms/room_lens.h"

#include "objects/object.h"
#include "rooms/ghost_catcher_tool.h"
#include "rooms/inventory_panel.h"
#include "rooms/room.h"

namespace {

// The lens size is the shape's; its corner is the point minus the hand point, or minus half the size when
// the tool has no hand point.
bool PlaceLens(TTool* held, int x, int y, TLens& lens) {
    auto* catcher = dynamic_cast<TGhostCatcherTool*>(held);
    if (catcher == nullptr || !catcher->GetShape().mTexture) {
        return false;
    }
    const TTextureHandle& shape = catcher->GetShape().mTexture;
    const float w = static_cast<float>(shape->GetWidth()), h = static_cast<float>(shape->GetHeight());
    if (!(w > 0) || !(h > 0)) {
        return false;
    }
    const auto [handX, handY] = catcher->GetHandPoint();
    const float left = handX == 0 && handY == 0 ? static_cast<float>(x) - w / 2 : static_cast<float>(x - handX);
    const float top = handX == 0 && handY == 0 ? static_cast<float>(y) - h / 2 : static_cast<float>(y - handY);
    lens.rect = {left, top, w, h};
    lens.mask = shape;
    return true;
}

} // namespace

bool FindSlotLens(TTool* held, bool forInfrared, TLens& lens) {
    TInventoryPanel* panel = TInventoryPanel::GetInstance();
    if (held == nullptr || held->GetKind() != TTool::kGhostCatcher || panel == nullptr) {
        return false;
    }
    const TInventorySlot* slot = forInfrared ? panel->FindSlotOfTool(held) : panel->FindGhostCatcherSlot();
    if (slot == nullptr || (forInfrared && !slot->inUse)) {
        return false;
    }
    return PlaceLens(held, slot->pointX, slot->pointY, lens);
}

bool FindPointerLens(TTool* held, int pointerX, int pointerY, TLens& lens) {
    if (held == nullptr || held->GetKind() != TTool::kGhostCatcher) {
        return false;
    }
    return PlaceLens(held, pointerX, pointerY, lens);
}

std::array<float, 4> ObjectBox(TObject& object) {
    return {object.GetX(), object.GetY(), static_cast<float>(object.GetWidth()),
            static_cast<float>(object.GetHeight())};
}

bool LensCovers(const TLens& lens, TObject& object) {
    const std::array<float, 4> overlap = IntersectRects(ObjectBox(object), lens.rect);
    return overlap[2] > 0 && overlap[3] > 0;
}
