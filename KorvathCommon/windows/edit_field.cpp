#include "windows/edit_field.h"

#include <algorithm>

#include "app/renderer.h"
#include "graphics/font_image.h"
#include "graphics/render_state.h"
#include "graphics/terms.h"
#include "windows/game_cursors.h"
#include "windows/ui_text_box.h"

namespace {
// Counts presses on edit fields, so the field pressed last in a window can be told.
unsigned gEditPressCount = 0;
} // namespace

TMyEditWindow::TMyEditWindow(TMyWindowContainer* parent) : TMyWindow(parent) {
    mWidth = 300;
    mHeight = 100;
    mLabel = std::make_unique<TSimpleTextImage>();
    mLabel->SetFont("default");
    mLabel->mAlignment = -1;
    mLabel->mColor = mColors[kTextColor];
}

TMyEditWindow* TMyEditWindow::Create(TUIEdit* box, TMyWindow* window) {
    auto* field = new TMyEditWindow(window);
    field->ApplyDescription(box);
    return field;
}

void TMyEditWindow::ApplyDescription(TUIEdit* box) {
    if (box == nullptr) {
        return;
    }
    mX = box->mX;
    mY = box->mY;
    mWidth = box->mW;
    mHeight = box->mH;
    mLabel->SetPosition(box->mX, box->mY);
    mLabel->SetFont(box->mFont);
    mLabel->SetRect(mLabel->GetX(), mLabel->GetY(), box->mW, box->mH);
    mLabel->mAlignment = box->mFlags;
    mLabel->mColor = box->mColor;
    mId = box->mId;
    mName = box->mName;
    mHand = box->mDoFinger;
    mDrawOutline = box->mDrawOutline;
    mColors[kBackColor] = box->mBackColor;
    mColors[kOutlineColor] = box->mOutlineColor;
    mColors[kTextColor] = box->mTextColor;
    mColors[kHiliteColor] = box->mHiliteColor;
    mColors[kHiliteTextColor] = box->mHiliteTextColor;
}

bool TMyEditWindow::HasFocus() const {
    if (!mShown || mDisabled) {
        return false;
    }
    if (mParent == nullptr) {
        return true;
    }
    const TMyEditWindow* first = nullptr;
    const TMyEditWindow* latest = nullptr;
    for (TMyWindow* child : mParent->mChildren) {
        const auto* field = dynamic_cast<const TMyEditWindow*>(child);
        if (field == nullptr || !field->mShown || field->mDisabled) {
            continue;
        }
        if (first == nullptr) {
            first = field;
        }
        if (field->mPressOrder > 0 && (latest == nullptr || field->mPressOrder > latest->mPressOrder)) {
            latest = field;
        }
    }
    return this == (latest != nullptr ? latest : first);
}

int TMyEditWindow::TextWidth(const std::wstring& text) const {
    ImageFont* font = mLabel->GetFont();
    return font != nullptr ? font->GetTextWidthW(text) : 0;
}

int TMyEditWindow::CaretX() const {
    const auto caret = static_cast<size_t>(std::max(mCaret, 0));
    const auto first = static_cast<size_t>(std::max(mFirstVisible, 0));
    return TextWidth(mText.substr(0, caret)) - TextWidth(mText.substr(0, first));
}

bool TMyEditWindow::HasSelection() const {
    return mAnchor != -1 && mAnchor != mCaret;
}

bool TMyEditWindow::FitsLimits(const std::wstring& text) const {
    if (mMaxLength >= 0 && static_cast<int>(text.size()) > mMaxLength) {
        return false;
    }
    return mMaxWidth <= 0 || TextWidth(text) <= mMaxWidth;
}

void TMyEditWindow::CutToLimits() {
    if (mMaxLength >= 0 && static_cast<int>(mText.size()) > mMaxLength) {
        mText.resize(static_cast<size_t>(mMaxLength));
    }
    while (mMaxWidth > 0 && !mText.empty() && TextWidth(mText) > mMaxWidth) {
        mText.pop_back();
    }
}

void TMyEditWindow::DeleteSelection() {
    const int low = std::clamp(std::min(mCaret, mAnchor), 0, static_cast<int>(mText.size()));
    const int high = std::clamp(std::max(mCaret, mAnchor), 0, static_cast<int>(mText.size()));
    mText.erase(static_cast<size_t>(low), static_cast<size_t>(high - low));
    mCaret = low;
    mAnchor = -1;
}

void TMyEditWindow::RemoveBefore(bool& saveUndo) {
    const int oldCaret = mCaret;
    if (mCaret > 0) {
        mText.erase(static_cast<size_t>(mCaret - 1), 1);
    }
    mCaret -= 1;
    mAnchor = -1;
    // Presses at consecutive positions form one run with one undo state.
    saveUndo = oldCaret != mLastEditPosition + 1;
    mLastEditPosition = oldCaret - 2;
}

void TMyEditWindow::RemoveAt(bool& saveUndo) {
    if (mCaret < static_cast<int>(mText.size())) {
        mText.erase(static_cast<size_t>(mCaret), 1);
    }
    saveUndo = mCaret != mLastEditPosition;
    mLastEditPosition = mCaret;
}

bool TMyEditWindow::InsertChar(int c, bool& clearAnchor, bool& saveUndo) {
    const std::wstring glyph(1, static_cast<wchar_t>(c));
    if (TextWidth(glyph) < 1) {
        clearAnchor = false;
        return true;
    }
    if (mEditListener != nullptr && !mEditListener->AcceptChar(mId, c)) {
        clearAnchor = false;
        return true;
    }
    std::wstring text = mText;
    int caret = 0;
    if (HasSelection()) {
        const int low = std::min(mCaret, mAnchor);
        text.replace(static_cast<size_t>(low), static_cast<size_t>(std::max(mCaret, mAnchor) - low), glyph);
        caret = low + 1;
    } else {
        text.insert(static_cast<size_t>(mCaret), glyph);
        caret = mCaret + 1;
    }
    // A character that does not fit is refused rather than pushing text out at the end.
    if (!FitsLimits(text)) {
        return false;
    }
    if (HasSelection()) {
        saveUndo = true;
    } else {
        saveUndo = mCaret != mLastEditPosition + 1;
        mLastEditPosition = mCaret;
    }
    mText = text;
    mCaret = caret;
    mAnchor = -1;
    ScrollToCaret(false);
    return true;
}

bool TMyEditWindow::ApplyKey(int key, int c, bool& clearAnchor, bool& saveUndo) {
    if (c == kUndoChar) {
        mLastEditPosition = -1;
        std::swap(mText, mUndoText);
        std::swap(mCaret, mUndoCaret);
        std::swap(mAnchor, mUndoAnchor);
        clearAnchor = false;
        return true;
    }
    switch (key) {
    case kKeyBackspace:
    case kKeyDelete:
        if (mText.empty()) {
            return true;
        }
        if (HasSelection()) {
            DeleteSelection();
            saveUndo = true;
        } else if (key == kKeyBackspace) {
            RemoveBefore(saveUndo);
        } else {
            RemoveAt(saveUndo);
        }
        return true;
    case kKeyEnter:
        if (mEditListener != nullptr) {
            mEditListener->OnEditEnter(mId, mText);
        }
        return true;
    case kKeyHome:
        mCaret = 0;
        return true;
    case kKeyEnd:
        mCaret = static_cast<int>(mText.size());
        return true;
    case kKeyRight:
        mCaret = mAnchor == -1 ? mCaret + 1 : std::max(mCaret, mAnchor);
        return true;
    case kKeyLeft:
        mCaret = mAnchor == -1 ? mCaret - 1 : std::min(mCaret, mAnchor);
        return true;
    case 0:
        return InsertChar(c, clearAnchor, saveUndo);
    default:
        // A key the field does not handle changes nothing.
        return false;
    }
}

void TMyEditWindow::ProcessKey(int key, int c) {
    const TEditState old{mText, mCaret, mAnchor};
    bool clearAnchor = true;
    bool saveUndo = false;
    if (!ApplyKey(key, c, clearAnchor, saveUndo)) {
        return;
    }
    CutToLimits();
    mCaret = std::clamp(mCaret, 0, static_cast<int>(mText.size()));
    if (mCaret != old.caret) {
        mBlinkTime = 0;
        mCaretShown = true;
    }
    ScrollToCaret(true);
    if (clearAnchor || mAnchor == mCaret) {
        mAnchor = -1;
    }
    if (mEditListener != nullptr && !mEditListener->AcceptText(mId, mText)) {
        mText = old.text;
        mCaret = old.caret;
        mAnchor = old.anchor;
    } else if (saveUndo) {
        mUndoText = old.text;
        mUndoCaret = old.caret;
        mUndoAnchor = old.anchor;
    }
}

bool TMyEditWindow::IsWordChar(int c) const {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

void TMyEditWindow::SelectWord() {
    const int length = static_cast<int>(mText.size());
    if (mCaret >= length) {
        return;
    }
    mAnchor = mCaret;
    while (mAnchor > 0 && IsWordChar(mText[static_cast<size_t>(mAnchor - 1)])) {
        --mAnchor;
    }
    while (mCaret < length - 1 && IsWordChar(mText[static_cast<size_t>(mCaret) + 1])) {
        ++mCaret;
    }
    ++mCaret;
}

void TMyEditWindow::SetText(const std::wstring& text, bool fromStart) {
    mText = text;
    mCaret = static_cast<int>(mText.size());
    mAnchor = 0;
    if (fromStart) {
        mFirstVisible = 0;
    } else {
        ScrollToCaret(true);
    }
}

void TMyEditWindow::SetNarrowText(const std::string& text, bool fromStart) {
    SetText(GetTerms()->Widen(text), fromStart);
}

void TMyEditWindow::ScrollToCaret(bool fast) {
    const int step = fast ? 10 : 1;
    while (mCaret < mFirstVisible && mFirstVisible > 0) {
        mFirstVisible = std::max(mFirstVisible - step, 0);
    }
    if (mWidth < 9) {
        return;
    }
    const int last = std::max(static_cast<int>(mText.size()) - 1, 0);
    while (CaretX() >= mWidth - 8 && mFirstVisible < last) {
        mFirstVisible = std::min(mFirstVisible + step, last);
    }
}

int TMyEditWindow::CharIndexAt(int x, int y) {
    const int length = static_cast<int>(mText.size());
    if (mFirstVisible >= length) {
        return length;
    }
    // A point before the middle of the first visible character stays there, not at the text's start.
    int result = mFirstVisible;
    const auto first = static_cast<size_t>(mFirstVisible);
    for (int i = mFirstVisible; i < length; ++i) {
        const int before = TextWidth(mText.substr(first, static_cast<size_t>(i) - first));
        const int through = TextWidth(mText.substr(first, static_cast<size_t>(i) + 1 - first));
        if (x >= (before + through) / 2 + 5) {
            result = i + 1;
        }
    }
    return result;
}

bool TMyEditWindow::OnKeyDown(const TKeyEvent& event) {
    if (!HasFocus()) {
        return false;
    }
    if (mEditListener != nullptr && !mEditListener->AcceptKey(mId, event.key)) {
        return true;
    }
    // Text input never delivers the undo character; Ctrl+Z stands for it.
    const bool undo = event.key == kKeyZ && (event.mods & kCtrlMods) != 0;
    ProcessKey(event.key, undo ? kUndoChar : 0);
    return true;
}

void TMyEditWindow::OnChar(int c) {
    if (!HasFocus()) {
        return;
    }
    if (mEditListener != nullptr && !mEditListener->AcceptChar(mId, c)) {
        return;
    }
    ProcessKey(0, c);
}

void TMyEditWindow::OnMouseDown(const TMouseEvent& event) {
    TMyWindow::OnMouseDown(event);
    mPressOrder = ++gEditPressCount;
    mAnchor = -1;
    mCaret = CharIndexAt(event.x, event.y);
    ScrollToCaret(false);
}

void TMyEditWindow::OnMouseDrag(const TMouseEvent& event) {
    if (mAnchor == -1) {
        mAnchor = mCaret;
    }
    mCaret = CharIndexAt(event.x, event.y);
    ScrollToCaret(false);
}

void TMyEditWindow::OnMouseUp(const TMouseEvent& event) {
    TMyWindow::OnMouseUp(event);
    if (mAnchor == mCaret) {
        mAnchor = -1;
    }
}

void TMyEditWindow::OnMouseEnter() {
    TMyWindow::OnMouseEnter();
    TGameCursors::Get()->Select("text");
}

void TMyEditWindow::OnMouseLeave() {
    TMyWindow::OnMouseLeave();
    TGameCursors::Get()->SetDefault();
}

bool TMyEditWindow::Update(float dt) {
    TMyWindow::Update(dt);
    mBlinkTime += dt;
    if (mBlinkTime >= mBlinkPeriod) {
        mBlinkTime = 0;
        mCaretShown = !mCaretShown;
    }
    return false;
}

void TMyEditWindow::DrawLabel(int x, int y) {
    mLabel->mColor = mColors[kTextColor];
    mLabel->mText = mText.substr(static_cast<size_t>(std::clamp(mFirstVisible, 0, static_cast<int>(mText.size()))));
    mLabel->mDrawOffsetX = x + 4;
    mLabel->mDrawOffsetY = y;
    mLabel->DrawSelf();
    mLabel->mDrawOffsetX = 0;
    mLabel->mDrawOffsetY = 0;
}

void TMyEditWindow::DrawOutline(int x, int y) {
    TRenderer* renderer = GetRenderer();
    const TColor& color = mColors[kOutlineColor];
    if (y > 0) {
        renderer->FillRect(x, y, mWidth, 1, color);
        renderer->FillRect(x, y, 1, mHeight, color);
        renderer->FillRect(x + mWidth, y, 1, mHeight, color);
    }
    if (y + mHeight > 0) {
        renderer->FillRect(x, y + mHeight, mWidth, 1, color);
    }
}

void TMyEditWindow::DrawSelf() {
    TRenderer* renderer = GetRenderer();
    if (!mShown || renderer == nullptr) {
        return;
    }
    const int x = mX + mDrawOffsetX;
    const int y = mY + mDrawOffsetY;
    DrawLabel(mDrawOffsetX, mDrawOffsetY);
    const int caretX = std::max(std::min(CaretX(), mWidth - 8), 0);
    if (mCaretShown && y + 5 > 0) {
        renderer->FillRect(x + 4 + caretX + gScreenOffset.x, y + 5 + gScreenOffset.y, 1, mHeight - 10,
                           mColors[kOutlineColor]);
    }
    // Again, so the glyphs lie over the caret.
    DrawLabel(mDrawOffsetX, mDrawOffsetY);
    if (mDrawOutline) {
        DrawOutline(x + gScreenOffset.x, y + gScreenOffset.y);
    }
}
