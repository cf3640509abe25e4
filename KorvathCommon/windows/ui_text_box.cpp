#include "windows/ui_text_box.h"

#include "app/xml_reader.h"

void TUIText::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mFont = ReadXmlString(element, "font", "");
    mFlags = ReadXmlInt(element, "flags", 0);
    mText = ReadXmlString(element, "text", "");
    mDoFinger = ReadXmlBool(element, "dofinger", false);
    mKind = kUIKindText;
}

void TUIText::ApplyStyle(const TUIStyle& style) {
    TUIBaseBox::ApplyStyle(style);
    TakeStyleText(mFont, style.mFont);
    if (style.mFlags != 0 && mFlags == 0) {
        mFlags = style.mFlags;
    }
    if (style.mDoFinger) {
        mDoFinger = true;
    }
}

void TUIImageText::LoadFromXml(const TiXmlElement* element) {
    TUIText::LoadFromXml(element);
    mWrapped = ReadXmlBool(element, "wrapped", false);
    mOverColor = ReadXmlColor(element, "overcolor", mColor);
    mSelectedColor = ReadXmlColor(element, "selectedcolor", mColor);
    mKind = kUIKindImageText;
}

void TUIImageText::ApplyStyle(const TUIStyle& style) {
    TUIText::ApplyStyle(style);
    // Another style class has no wrapping or colours to give.
    const auto* textStyle = dynamic_cast<const TUITextStyle*>(&style);
    if (textStyle == nullptr) {
        return;
    }
    mWrapped = textStyle->mWrapped;
    if (IsUIColorSet(textStyle->mOverColor)) {
        mOverColor = textStyle->mOverColor;
    }
    if (IsUIColorSet(textStyle->mSelectedColor)) {
        mSelectedColor = textStyle->mSelectedColor;
    }
}

void TUIEdit::LoadFromXml(const TiXmlElement* element) {
    TUIText::LoadFromXml(element);
    mBackColor = ReadXmlColor(element, "backcolor", kUIClearColor);
    mOutlineColor = ReadXmlColor(element, "outlinecolor", kUIClearColor);
    mTextColor = mColor;
    mHiliteColor = ReadXmlColor(element, "hilitecolor", kUIClearColor);
    mHiliteTextColor = ReadXmlColor(element, "hilitetextcolor", kUIClearColor);
    mDrawOutline = ReadXmlBool(element, "drawoutline", true);
    mKind = kUIKindEdit;
}
