#pragma once
// The players' profiles: the list window shows up to six names as selectable rows and creates, deletes
// and selects profiles; the name window takes a new name. The list describes its rows with its own
// interface-description kind, "textselectuser".

#include "app/weak_ref.h"
#include <memory>
#include <string>

#include "app/color.h"
#include "windows/fly_window.h"
#include "windows/text_label.h"
#include "windows/ui_info_holder.h"
#include "windows/ui_text_box.h"

class TMyEditWindow;

constexpr int kUIKindTextSelectUser = 7;

// The colours a row takes beyond its normal one: under the pointer, its fill when selected, its text when
// selected, and its outline. A clear colour (alpha 0) is not set.
struct TRowColors {
    void LoadFromXml(const TiXmlElement* element);

    TColor mOver = kUIClearColor;
    TColor mBack = kUIClearColor;
    TColor mSelected = kUIClearColor;
    TColor mFrame = kUIClearColor;
};

// A row's description: the label's values plus the row colours.
class TUITextSelected : public TUIImageText {
public:
    static constexpr const char* kClassName = "TUITextSelected";
    static bool HasKind(int kind) { return kind == kUIKindTextSelectUser; }

    void LoadFromXml(const TiXmlElement* element) override;
    // The text rules, then each row colour the style sets; its "color" is the normal colour.
    void ApplyStyle(const TUIStyle& style) override;

    TRowColors mRow;
};

class TUISelectedTextStyle : public TUIStyle {
public:
    void LoadFromXml(const TiXmlElement* element) override;

    TRowColors mRow;
};

class TUIInfoHolderSelectUser : public TUIInfoHolder {
public:
    std::unique_ptr<TUIBaseBox> CreateObject(const std::string& type) override;
    std::unique_ptr<TUIStyle> CreateStyle(const std::string& type) override;
};

// One row of the list: a name, filled and outlined when selected, tinted under the pointer.
class TSimpleTextSelected : public TSimpleTextImage {
public:
    TSimpleTextSelected(TMyWindowContainer* parent, const TUITextSelected& box);

    void DrawSelf() override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    void SetRowSelected(bool selected);

    TColor mRowOverColor;
    TColor mBackColor;
    TColor mFrameColor;
    TColor mRowSelectedColor;
    TColor mNormalColor;
    bool mRowSelected = false;
};

class TSelectUserWindow : public TFlyWindow, public TFlyWindowListener, public TMyWindowListener {
public:
    static constexpr int kWindowId = 305;
    static constexpr const char* kFile = "ui/selectuser.xml";
    static constexpr int kRows = 6;
    static constexpr int kDeleteConfirmId = 1;
    enum TListButton : int { kCreate = 1, kDelete = 2, kOk = 3, kClose = 4 };

    explicit TSelectUserWindow(TFlyWindowListener* listener);

    TMyWindow* CreateControl(TUIBaseBox* box) override;
    std::unique_ptr<TUIInfoHolder> CreateHolder() override;
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnFlyWindowClosed(TFlyWindow* window, int windowId, int result) override;
    void OnWindowMouseUp(TMyWindow* window, const TMouseEvent& event) override;

    int GetSelectedIndex() const { return mSelectedIndex; }
    bool IsSelectionMade() const { return mSelectionMade; }
    TSimpleTextSelected* GetRow(int index) const { return mRows[index]; }

private:
    void FillRows();
    void AddEnteredUser(TFlyWindow* nameWindow);
    void UpdateDeleteButton();

    TSimpleTextSelected* mRows[kRows] = {};
    TWeakRef<TMyButton> mDeleteButton;
    TWeakRef<TMyButton> mOkButton;
    TWeakRef<TMyButton> mCreateButton;
    int mSelectedIndex = -1;
    bool mSelectionMade = false;
};

class TUserNameWindow : public TFlyWindow, public TMyWindowListener {
public:
    static constexpr int kWindowId = 101;
    static constexpr const char* kFile = "ui/username.xml";
    static constexpr int kMaxNameLength = 10;

    explicit TUserNameWindow(TFlyWindowListener* listener);
    ~TUserNameWindow() override;

    // Latin letters, digits and the Cyrillic letters from U+0410 to U+044F.
    bool AcceptChar(int id, int c) override;
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    // UTF-8.
    std::string GetName() const;

    TMyEditWindow* GetEdit() const { return mEdit; }

private:
    TWeakRef<TMyEditWindow> mEdit;
};

void ShowUserNameWindow(TFlyWindowListener* listener);
