#include "windows/message_box.h"

TMessageBoxWindow::TMessageBoxWindow(TFlyWindowListener* listener, const std::string& file,
                                     const std::string& captionKey, const std::string& messageKey, int windowId)
    : TFlyWindow(listener, true, file) {
    mId = windowId;
    mCaption = FindLabel("caption", captionKey);
    mMessage = FindLabel("mess", messageKey);
    // The band behind the caption would stand empty over a box opened without one.
    TMyWindow* band = FindChildByName(kCaptionBand);
    if (band != nullptr && (mCaption == nullptr || mCaption->mText.empty())) {
        band->Hide();
    }
}

TSimpleTextImage* TMessageBoxWindow::FindLabel(const std::string& name, const std::string& key) {
    TMyWindow* child = FindChildByName(name);
    auto* label =
        child != nullptr && child->GetType() == kWindowKindLabel ? dynamic_cast<TSimpleTextImage*>(child) : nullptr;
    if (label != nullptr) {
        label->SetTextKey(key);
        label->RefreshText();
    }
    return label;
}

void TMessageBoxWindow::OnButtonClick(int /*parentId*/, TMyWindow* /*parent*/, int buttonId, TMyButton* /*button*/) {
    mResult = buttonId;
    StartFlyOut();
}
