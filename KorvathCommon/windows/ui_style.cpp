#include "windows/ui_style.h"

#include "app/xml_reader.h"

bool IsUIColorSet(const TColor& color) {
    return color.r != 0.0f || color.g != 0.0f || color.b != 0.0f || color.a != 0.0f;
}

bool ReadUIRect(const TiXmlElement* element, const char* name, TUIRect& rect) {
    int values[4] = {rect.x, rect.y, rect.w, rect.h};
    bool complete = ReadXmlFourInts(element, name, ".", values);
    rect = TUIRect{values[0], values[1], values[2], values[3]};
    return complete;
}

void TUIButtonStates::LoadFromXml(const TiXmlElement* element) {
    if (!ReadUIRect(element, "normalrect", rects[kNormal])) {
        states = ReadXmlInt(element, "states", 3);
        return;
    }
    ReadUIRect(element, "overrect", rects[kOver]);
    ReadUIRect(element, "downrect", rects[kDown]);
    ReadUIRect(element, "disabledrect", rects[kDisabled]);
    states = rects[kDisabled].w >= 0 ? 4 : 3;
}

void TUIStyle::LoadFromXml(const TiXmlElement* element) {
    mW = ReadXmlInt(element, "w", 0);
    mH = ReadXmlInt(element, "h", 0);
    mColor = ReadXmlColor(element, "color", kUIClearColor);
    mDoFinger = ReadXmlBool(element, "dofinger", false);
    mFont = ReadXmlString(element, "font", "");
    mFlags = ReadXmlInt(element, "flags", 0);
    mSoundEnter = ReadXmlString(element, "soundmouseenter", "");
    mSoundLeave = ReadXmlString(element, "soundmouseleave", "");
    mSoundDown = ReadXmlString(element, "soundmousedown", "");
    mVAlign = ReadXmlInt(element, "valign", kUIStyleUnset);
    mHAlign = ReadXmlInt(element, "halign", kUIStyleUnset);
}

void TUITextStyle::LoadFromXml(const TiXmlElement* element) {
    TUIStyle::LoadFromXml(element);
    mWrapped = ReadXmlBool(element, "wrapped", false);
    mOverColor = ReadXmlColor(element, "overcolor", mColor);
    mSelectedColor = ReadXmlColor(element, "selectedcolor", mColor);
}

void TUIButtonStyle::LoadFromXml(const TiXmlElement* element) {
    TUIStyle::LoadFromXml(element);
    mImage = ReadXmlString(element, "image", "");
    mStates.LoadFromXml(element);
    mCaptionOffX = ReadXmlInt(element, "captionoffx", 0);
    mCaptionOffY = ReadXmlInt(element, "captionoffy", 0);
    ReadUIRect(element, "textrect", mTextRect);
    mMinAlpha = ReadXmlFloat(element, "minalpha", 0.0f);
    mVH = ReadXmlInt(element, "vh", 0);
    mVW = ReadXmlInt(element, "vw", 0);
    mDownTextOff = ReadXmlInt(element, "downtextoff", 2);
    mCheckbox = ReadXmlBool(element, "checkbox", false);
    mWrapped = ReadXmlBool(element, "wrapped", false);
    mScale = ReadXmlFloat(element, "scale", 1.0f);
}

void TUISliderLook::LoadFromXml(const TiXmlElement* element) {
    image = ReadXmlString(element, "image", "");
    thumb = ReadXmlString(element, "tumb", "");
    yOffset = ReadXmlInt(element, "yoffset", 0);
    xOffset = ReadXmlInt(element, "xoffset", 0);
    value = ReadXmlFloat(element, "value", 0.0f);
    yThumbOffset = ReadXmlInt(element, "ytumboffset", 0);
    thumbW = ReadXmlInt(element, "tumbw", 0);
    thumbH = ReadXmlInt(element, "tumbh", 0);
}

void TUISliderStyle::LoadFromXml(const TiXmlElement* element) {
    TUIStyle::LoadFromXml(element);
    mLook.LoadFromXml(element);
}
