#include "windows/viewport.h"

#include "app/display_modes.h"
#include "app/renderer.h"
#include "app/view_transform.h"

void SetScaledViewport(float x, float y, float scaleX, float scaleY) {
    TRenderer* record = GetRenderer();
    if (record == nullptr || record->GetRenderer() == nullptr) {
        return;
    }
    const int offsetX = static_cast<int>(x);
    const int offsetY = static_cast<int>(y);
    record->SetViewportOffset(offsetX, offsetY);
    ApplyViewTransform(record->GetRenderer(), GetDisplay().mView, offsetX, offsetY, scaleX, scaleY);
}

void ResetViewport() {
    TRenderer* record = GetRenderer();
    if (record == nullptr || record->GetRenderer() == nullptr) {
        return;
    }
    record->SetViewportOffset(0, 0);
    ApplyViewTransform(record->GetRenderer(), GetDisplay().mView);
}
