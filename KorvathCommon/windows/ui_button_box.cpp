#include "windows/ui_button_box.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/log.h"
#include "app/xml_reader.h"

void TUIMyButton::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mImage = ReadXmlString(element, "image", "");
    mDisabled = ReadXmlBool(element, "disabled", false);
    mVisible = ReadXmlBool(element, "visible", true);
    mStates.LoadFromXml(element);
    mText = ReadXmlString(element, "text", "");
    mFont = ReadXmlString(element, "font", "");
    mDownTextOff = ReadXmlInt(element, "downtextoff", 2);
    mCheckbox = ReadXmlBool(element, "checkbox", false);
    ReadUIRect(element, "textrect", mTextRect);
    mTextAsHint = ReadXmlBool(element, "textashint", false);
    mHintX = ReadXmlInt(element, "hintx", 0);
    mHintY = ReadXmlInt(element, "hinty", 0);
    mCaptionOffX = ReadXmlInt(element, "captionoffx", 0);
    mCaptionOffY = ReadXmlInt(element, "captionoffy", 0);
    mMinAlpha = ReadXmlFloat(element, "minalpha", 0.0f);
    mVH = ReadXmlInt(element, "vh", 0);
    mVW = ReadXmlInt(element, "vw", 0);
    mFlags = ReadXmlInt(element, "flags", 0);
    mWrapped = ReadXmlBool(element, "wrapped", false);
    mScale = ReadXmlFloat(element, "scale", 1.0f);
    mKind = kUIKindButton;
}

void TUIMyButton::ApplyStyle(const TUIStyle& style) {
    const auto* buttonStyle = dynamic_cast<const TUIButtonStyle*>(&style);
    if (buttonStyle == nullptr) {
        TLogFile::Get()->Printf("TUIMyButton  wrong style conversion");
        return;
    }
    TUIBaseBox::ApplyStyle(style);
    ApplyButtonStyle(*buttonStyle);
}

// The style's font, image and rectangles only where it has them; its states, alpha, check box,
// flags, wrapping, scale and pressed offset always; caption offsets and hit box where set.
void TUIMyButton::ApplyButtonStyle(const TUIButtonStyle& style) {
    TakeStyleText(mFont, style.mFont);
    mDownTextOff = style.mDownTextOff;
    TakeStyleText(mImage, style.mImage);
    if (style.mStates.rects[TUIButtonStates::kNormal].w != 0) {
        std::copy(std::begin(style.mStates.rects), std::end(style.mStates.rects), std::begin(mStates.rects));
    }
    mStates.states = style.mStates.states;
    if (style.mCaptionOffX != 0) {
        mCaptionOffX = style.mCaptionOffX;
    }
    if (style.mCaptionOffY != 0) {
        mCaptionOffY = style.mCaptionOffY;
    }
    mMinAlpha = style.mMinAlpha;
    if (mVH == 0) {
        mVH = style.mVH;
    }
    if (mVW == 0) {
        mVW = style.mVW;
    }
    mCheckbox = style.mCheckbox;
    mFlags = style.mFlags;
    mWrapped = style.mWrapped;
    mScale = style.mScale;
}

void TUIRegenerateButton2Info::LoadFromXml(const TiXmlElement* element) {
    TUIMyButton::LoadFromXml(element);
    mOffX = ReadXmlInt(element, "offx", 0);
    mOffY = ReadXmlInt(element, "offy", 0);
    // Both times come from the one attribute: a given "time1" sets both.
    mTime1 = ReadXmlFloat(element, "time1", 5.0f);
    mTime2 = ReadXmlFloat(element, "time1", 30.0f);
    mKind = kUIKindRegenerateButton;
}

void TRegenerateVideoButton2Info::LoadFromXml(const TiXmlElement* element) {
    TUIMyButton::LoadFromXml(element);
    const std::pair<std::string*, const char*> images[] = {{&mFill, "fill"}, {&mTop, "top"},
                                                           {&mBack, "back"}, {&mOver2, "over2"},
                                                           {&mOver, "over"}, {&mBlocked, "blocked"}};
    for (const auto& [field, name] : images) {
        *field = ReadXmlString(element, name, "");
    }
    const std::pair<int*, const char*> offsets[] = {
        {&mOver2X, "over2x"},     {&mOver2Y, "over2y"},    {&mOverX, "overx"}, {&mOverY, "overy"},
        {&mTopX, "topx"},         {&mTopY, "topy"},        {&mBackX, "backx"}, {&mBackY, "backy"},
        {&mBlockedX, "blockedx"}, {&mBlockedY, "blockedy"}};
    for (const auto& [field, name] : offsets) {
        *field = ReadXmlInt(element, name, 0);
    }
    mFillAlpha = ReadXmlFloat(element, "fillalpha", 1.0f);
}

void TUILockInterfButton::LoadFromXml(const TiXmlElement* element) {
    TUIMyButton::LoadFromXml(element);
    mKind = kUIKindLockInterfButton;
}
