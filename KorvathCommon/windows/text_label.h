#pragma once
// The text control: one line of localised text, or a block wrapped to the label's width, in one image
// font, aligned left, centred or right and centred vertically, in its normal, pointer-over or selected
// colour. Buttons use one as their caption and the edit field as its text.

#include <string>

#include "app/color.h"
#include "windows/window.h"

class ImageFont;
class TUIImageText;

class TSimpleTextImage : public TMyWindow {
public:
    explicit TSimpleTextImage(TMyWindowContainer* parent = nullptr);

    // A new label, made a child of the window when one is given, configured by the box.
    static TSimpleTextImage* Create(TUIImageText* box, TMyWindow* window);

    int GetType() const override { return kWindowKindLabel; }
    void DrawSelf() override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    // The text becomes the term of the key (the key itself when there is no such term).
    void RefreshText() override;

    void ApplyDescription(TUIImageText* box);
    // The registry's font of exactly that id; none (the label draws nothing) when there is no such font.
    void SetFont(const std::string& id);
    void SetTextKey(const std::string& key);
    void ClearText();
    // Shows UTF-8 text as it is, until the next RefreshText.
    void SetText(const std::string& text);
    // Height in pixels of the text wrapped to the width.
    int MeasureWrapped(int width, const std::wstring& text);

    ImageFont* GetFont() const { return mFont; }

    std::string mTextKey;
    std::wstring mText;
    TColor mColor{1, 1, 1, 1};
    TColor mOverColor{1, 1, 1, 1};
    TColor mSelectedColor{0, 0, 0, 0};
    bool mSelected = false;
    // 0 centred, 1 right, any other value left.
    int mAlignment = 0;
    bool mWrapped = false;

private:
    // Lays out (and with draw set, draws) the text wrapped into the rectangle; returns the height used.
    int LayOutWrapped(const TWindowRect& rect, const std::wstring& text, uint32_t color, bool draw);
    // A line wider than the width is cut, with "..." when that fits.
    void DrawLine(int x, int y, int width, const std::wstring& line, uint32_t color);
    int AlignedOffset(int width, int lineWidth) const;
    std::wstring CutToWidth(const std::wstring& line, int width);
    uint32_t PackedColor() const;

    ImageFont* mFont = nullptr;
};
