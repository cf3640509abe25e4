#pragma once
// The two ready-made dialogs: a localised caption and message over one or two buttons, closing with the
// id of the button clicked. Which buttons, their ids, where the texts go and the flight are data of
// "ui/mbok.xml" and "ui/mbokcancel.xml".

#include "app/weak_ref.h"
#include <string>

#include "windows/fly_window.h"
#include "windows/text_label.h"

class TMessageBoxWindow : public TFlyWindow {
public:
    // The optional control behind the caption, hidden when the caption is empty.
    static constexpr const char* kCaptionBand = "captionband";

    // The labels "caption" and "mess" of the file show the terms of the two keys; the window takes the id.
    TMessageBoxWindow(TFlyWindowListener* listener, const std::string& file, const std::string& captionKey,
                      const std::string& messageKey, int windowId);

    // The button's id becomes the result and the box flies out; the opener hears the choice only when it
    // has closed.
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;

    // Null when the file has no such label.
    TSimpleTextImage* GetCaption() const { return mCaption; }
    TSimpleTextImage* GetMessage() const { return mMessage; }

private:
    TSimpleTextImage* FindLabel(const std::string& name, const std::string& key);

    TWeakRef<TSimpleTextImage> mCaption;
    TWeakRef<TSimpleTextImage> mMessage;
};

class TMessageBoxOkWindow : public TMessageBoxWindow {
public:
    static constexpr const char* kFile = "ui/mbok.xml";

    TMessageBoxOkWindow(TFlyWindowListener* listener, const std::string& captionKey, const std::string& messageKey,
                        int windowId)
        : TMessageBoxWindow(listener, kFile, captionKey, messageKey, windowId) {}
};

// Button id 1 confirms.
class TMessageBoxOkCancelWindow : public TMessageBoxWindow {
public:
    static constexpr const char* kFile = "ui/mbokcancel.xml";

    TMessageBoxOkCancelWindow(TFlyWindowListener* listener, const std::string& captionKey,
                              const std::string& messageKey, int windowId)
        : TMessageBoxWindow(listener, kFile, captionKey, messageKey, windowId) {}
};
