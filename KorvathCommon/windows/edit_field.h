#pragma once
// The single-line text entry: a text with a caret, a selection, a horizontal scroll, a length limit in
// characters and one in pixels, a one-step undo and a blinking caret. Of the fields of one window only
// the focused one takes keys and characters: the one last pressed, else the first shown and enabled.

#include "app/weak_ref.h"
#include <memory>
#include <string>

#include "app/color.h"
#include "windows/text_label.h"
#include "windows/window.h"

class TUIEdit;

// Every call starts with the field's window id.
class TMyEditListener : public TWeakTarget {
public:
    virtual ~TMyEditListener() = default;
    // Enter was pressed.
    virtual void OnEditEnter(int id, const std::wstring& text) {}
    virtual bool AcceptKey(int id, int key) { return true; }
    virtual bool AcceptChar(int id, int c) { return true; }
    // False undoes the edit that made the text.
    virtual bool AcceptText(int id, const std::wstring& text) { return true; }
};

class TMyEditWindow : public TMyWindow {
public:
    // The colours by use; the background and the two highlight colours are not drawn.
    enum TColorIndex : int { kBackColor, kOutlineColor, kTextColor, kHiliteColor, kHiliteTextColor, kColorCount };
    // Key codes the field handles.
    static constexpr int kKeyBackspace = 8;
    static constexpr int kKeyEnter = 13;
    static constexpr int kKeyDelete = 127;
    static constexpr int kKeyHome = 0x4000004A;
    static constexpr int kKeyEnd = 0x4000004D;
    static constexpr int kKeyRight = 0x4000004F;
    static constexpr int kKeyLeft = 0x40000050;
    static constexpr int kKeyZ = 'z';
    static constexpr int kCtrlMods = 0x00C0;
    // The character that undoes (and a second time redoes) the last edit.
    static constexpr int kUndoChar = 26;
    static constexpr int kNoLimit = -1;

    explicit TMyEditWindow(TMyWindowContainer* parent = nullptr);

    // A new field made a child of the window, configured by the box.
    static TMyEditWindow* Create(TUIEdit* box, TMyWindow* window);

    // Blinks the caret; a field never asks to be closed.
    bool Update(float dt) override;
    void DrawSelf() override;
    void OnMouseDown(const TMouseEvent& event) override;
    void OnMouseUp(const TMouseEvent& event) override;
    void OnMouseDrag(const TMouseEvent& event) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    // False unless the field has the focus; a focused field takes every key its window offers it.
    bool OnKeyDown(const TKeyEvent& event) override;
    void OnChar(int c) override;

    // Key code k or, with k 0, the character c.
    virtual void ProcessKey(int key, int c);
    virtual void SelectWord();
    // UTF-8 text.
    virtual void SetNarrowText(const std::string& text, bool fromStart);
    // The whole text ends selected, so the next character replaces it.
    virtual void SetText(const std::wstring& text, bool fromStart);
    virtual bool IsWordChar(int c) const;
    virtual int CharIndexAt(int x, int y);
    virtual void ScrollToCaret(bool fast);

    void ApplyDescription(TUIEdit* box);
    bool HasFocus() const;
    TSimpleTextImage* GetLabel() const { return mLabel.get(); }

    TColor mColors[kColorCount] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    std::wstring mText;
    TWeakRef<TMyEditListener> mEditListener;
    bool mCaretShown = true;
    // The caret stands before this character.
    int mCaret = 0;
    // The other end of the selection; -1 for none.
    int mAnchor = -1;
    float mBlinkTime = 0;
    float mBlinkPeriod = 1.0f;
    int mFirstVisible = 0;
    // Characters; any negative value is no limit.
    int mMaxLength = 10;
    // Pixels; 0 or less is no limit.
    int mMaxWidth = kNoLimit;
    std::wstring mUndoText;
    int mUndoCaret = 0;
    int mUndoAnchor = 0;
    // Decides whether an edit continues the previous run of typing or deleting.
    int mLastEditPosition = 0;
    bool mDrawOutline = true;

private:
    struct TEditState {
        std::wstring text;
        int caret;
        int anchor;
    };

    int TextWidth(const std::wstring& text) const;
    // Width of the text up to the caret, less the width of the scrolled-away part.
    int CaretX() const;
    bool HasSelection() const;
    bool FitsLimits(const std::wstring& text) const;
    void CutToLimits();
    // The key's change; false when the key changes nothing and the edit ends at once.
    bool ApplyKey(int key, int c, bool& clearAnchor, bool& saveUndo);
    bool InsertChar(int c, bool& clearAnchor, bool& saveUndo);
    void DeleteSelection();
    void RemoveBefore(bool& saveUndo);
    void RemoveAt(bool& saveUndo);
    void DrawLabel(int x, int y);
    void DrawOutline(int x, int y);

    // Owned, not a child: the field places and draws it.
    std::unique_ptr<TSimpleTextImage> mLabel;
    // When the field was last pressed, for the focus.
    unsigned mPressOrder = 0;
};
