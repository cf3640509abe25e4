#pragma once
// Text descriptions: the plain text record, the text label ("imagetext") and the edit field.

#include <string>

#include "windows/ui_box.h"

class TUIText : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIText";
    static bool HasKind(int kind) { return kind == kUIKindText || kind == kUIKindImageText || kind == kUIKindEdit; }

    void LoadFromXml(const TiXmlElement* element) override;
    // The common rules, then the style's font, its flags where the box has none, and its hand cursor.
    void ApplyStyle(const TUIStyle& style) override;

    // Font id of the font registry.
    std::string mFont;
    int mFlags = 0;
    // Key of the localised terms.
    std::string mText;
    bool mDoFinger = false;
};

class TUIImageText : public TUIText {
public:
    static constexpr const char* kClassName = "TUIImageText";
    static bool HasKind(int kind) { return kind == kUIKindImageText; }

    void LoadFromXml(const TiXmlElement* element) override;
    // The text rules; a text style also gives its wrapping and whichever of its two colours it sets.
    void ApplyStyle(const TUIStyle& style) override;

    bool mWrapped = false;
    TColor mOverColor = kUIClearColor;
    TColor mSelectedColor = kUIClearColor;
};

class TUIEdit : public TUIText {
public:
    static constexpr const char* kClassName = "TUIEdit";
    static bool HasKind(int kind) { return kind == kUIKindEdit; }

    void LoadFromXml(const TiXmlElement* element) override;

    TColor mBackColor = kUIClearColor;
    TColor mOutlineColor = kUIClearColor;
    // The element's own "color", copied while reading: a style colour never reaches it.
    TColor mTextColor = kUIClearColor;
    TColor mHiliteColor = kUIClearColor;
    TColor mHiliteTextColor = kUIClearColor;
    bool mDrawOutline = true;
};
