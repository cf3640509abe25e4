#include "windows/text_label.h"

#include "app/string_utils.h"
#include "graphics/font_registry.h"
#include "graphics/render_state.h"
#include "graphics/terms.h"
#include "windows/game_cursors.h"
#include "windows/ui_text_box.h"

TSimpleTextImage::TSimpleTextImage(TMyWindowContainer* parent) : TMyWindow(parent) {
    mWidth = 300;
    mHeight = 30;
}

TSimpleTextImage* TSimpleTextImage::Create(TUIImageText* box, TMyWindow* window) {
    auto* label = new TSimpleTextImage(window);
    label->ApplyDescription(box);
    return label;
}

void TSimpleTextImage::ApplyDescription(TUIImageText* box) {
    if (box == nullptr) {
        return;
    }
    mVAlign = box->mVAlign;
    mHAlign = box->mHAlign;
    mWidth = box->mW;
    mHeight = box->mH;
    SetPosition(box->mX, box->mY);
    SetFont(box->mFont);
    mAlignment = box->mFlags;
    mColor = box->mColor;
    mOverColor = box->mOverColor;
    mSelectedColor = box->mSelectedColor;
    mTextKey = box->mText;
    RefreshText();
    mWrapped = box->mWrapped;
    mId = box->mId;
    mName = box->mName;
    mHand = box->mDoFinger;
}

void TSimpleTextImage::SetFont(const std::string& id) {
    mFont = TFontRegistry::GetInstance()->FindFont(id);
}

void TSimpleTextImage::SetTextKey(const std::string& key) {
    mTextKey = key;
    RefreshText();
}

void TSimpleTextImage::ClearText() {
    SetTextKey("");
}

void TSimpleTextImage::SetText(const std::string& text) {
    mText = FromUtf8(text);
}

void TSimpleTextImage::RefreshText() {
    mText = mTextKey.empty() ? std::wstring() : GetTerms()->GetWideText(mTextKey);
}

void TSimpleTextImage::OnMouseEnter() {
    TMyWindow::OnMouseEnter();
    if (mHand) {
        TGameCursors::Get()->Select("handspot");
    }
}

void TSimpleTextImage::OnMouseLeave() {
    if (mHand) {
        TGameCursors::Get()->SetDefault();
    }
    TMyWindow::OnMouseLeave();
}

uint32_t TSimpleTextImage::PackedColor() const {
    const int alpha = static_cast<int>(GetParentAlpha() * mAlpha * 255);
    const TColor& color = mSelected ? mSelectedColor : mMouseOver ? mOverColor : mColor;
    return TColorArgb(static_cast<int>(color.r * 255), static_cast<int>(color.g * 255), static_cast<int>(color.b * 255),
                      alpha)
        .value;
}

void TSimpleTextImage::DrawSelf() {
    if (mText.empty() || mFont == nullptr || !mShown) {
        return;
    }
    const uint32_t color = PackedColor();
    const int left = mDrawOffsetX + mX;
    const int top = mDrawOffsetY + mY;
    if (mWrapped) {
        const int used = MeasureWrapped(mWidth, mText);
        LayOutWrapped({left, top + (mHeight - used) / 2 - 1, mWidth, mHeight}, mText, color, true);
        return;
    }
    // The ascent is centred in the label.
    const int baseline = (mFont->GetAscent() + mHeight) / 2 - 1;
    DrawLine(left, top + baseline, mWidth, mText, color);
}

void TSimpleTextImage::DrawLine(int x, int y, int width, const std::wstring& line, uint32_t color) {
    const int lineWidth = mFont->GetTextWidthW(line);
    if (lineWidth > width && width > 0 && line.size() > 1) {
        // Text longer than its box (a long player name) is cut where it is drawn; the text itself stays.
        const std::wstring cut = CutToWidth(line, width);
        mFont->DrawStringAtW(x + AlignedOffset(width, mFont->GetTextWidthW(cut)), y, cut, color, 0, true);
        return;
    }
    mFont->DrawStringAtW(x + AlignedOffset(width, lineWidth), y, line, color, 0, true);
}

int TSimpleTextImage::AlignedOffset(int width, int lineWidth) const {
    if (mAlignment == 0) {
        return (width - lineWidth) / 2;
    }
    return mAlignment == 1 ? width - lineWidth : 0;
}

std::wstring TSimpleTextImage::CutToWidth(const std::wstring& line, int width) {
    static const std::wstring kEllipsis = L"...";
    const int markWidth = mFont->GetTextWidthW(kEllipsis);
    const bool marked = markWidth < width;
    const int room = marked ? width - markWidth : width;
    int used = 0;
    size_t kept = 0;
    while (kept < line.size()) {
        const int advance = mFont->GetCharAdvanceW(line[kept], kept > 0 ? line[kept - 1] : 0);
        if (used + advance > room) {
            break;
        }
        used += advance;
        ++kept;
    }
    const auto make = [&] { return marked ? line.substr(0, kept) + kEllipsis : line.substr(0, kept); };
    // Spacing between glyphs can make the whole a little wider than the sum of the advances.
    while (kept > 0 && mFont->GetTextWidthW(make()) > width) {
        --kept;
    }
    return make();
}

int TSimpleTextImage::MeasureWrapped(int width, const std::wstring& text) {
    if (mFont == nullptr) {
        return 0;
    }
    return LayOutWrapped({0, 0, width, 0}, text, 0, false);
}

int TSimpleTextImage::LayOutWrapped(const TWindowRect& rect, const std::wstring& text, uint32_t color, bool draw) {
    const int step = mFont->GetLineHeight();
    int lineY = mFont->GetAscent() - mFont->GetAscentPadding();
    const auto emit = [&](size_t from, size_t to) {
        if (draw) {
            DrawLine(rect.x, rect.y + lineY, rect.w, text.substr(from, to - from), color);
        }
        lineY += step;
    };
    size_t start = 0;
    size_t index = 0;
    // The last space or line break of the line, if any.
    size_t lineBreak = std::wstring::npos;
    int width = 0;
    wchar_t previous = 0;
    while (index < text.size()) {
        const wchar_t c = text[index];
        bool overflow = false;
        if (c == L'\n') {
            lineBreak = index;
            overflow = true;
        } else {
            if (c == L' ') {
                lineBreak = index;
            }
            width += mFont->GetCharAdvanceW(c, previous);
            previous = c;
            overflow = width > rect.w;
        }
        if (!overflow) {
            ++index;
            continue;
        }
        if (lineBreak == std::wstring::npos) {
            // No break in the line: it ends before the overflowing character, which starts the next one,
            // unless it is the line's first character and has to stand alone.
            const size_t end = index == start ? index + 1 : index;
            emit(start, end);
            start = end;
        } else {
            emit(start, lineBreak);
            start = lineBreak + 1;
            if (text[lineBreak] == L' ') {
                while (start < text.size() && text[start] == L' ') {
                    ++start;
                }
            }
        }
        index = start;
        width = 0;
        previous = 0;
        lineBreak = std::wstring::npos;
    }
    if (start < text.size()) {
        emit(start, text.size());
    }
    return mFont->GetDescent() + lineY - step;
}
