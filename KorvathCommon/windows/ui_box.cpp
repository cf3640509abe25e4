#include "windows/ui_box.h"

#include "app/xml_reader.h"

void TUIBaseBox::ReadRect(const TiXmlElement* element) {
    int rect[4] = {0, 0, 0, 0};
    if (ReadXmlFourInts(element, "rect", ".", rect)) {
        mX = rect[0];
        mY = rect[1];
        mW = rect[2];
        mH = rect[3];
        return;
    }
    // A "rect" with fewer than four integers counts as absent.
    mX = ReadXmlInt(element, "x", 0);
    mY = ReadXmlInt(element, "y", 0);
    mW = ReadXmlInt(element, "w", 0);
    mH = ReadXmlInt(element, "h", 0);
}

void TUIBaseBox::LoadFromXml(const TiXmlElement* element) {
    ReadRect(element);
    mColor = ReadXmlColor(element, "color", mColor);
    mStyleName = ReadXmlString(element, "style", "");
    mId = ReadXmlInt(element, "id", 0);
    mParam = ReadXmlString(element, "param", "");
    mFloatParam = ReadXmlFloat(element, "float_param", 0.0f);
    mSoundEnter = ReadXmlString(element, "soundmouseenter", "btnmouseenter");
    mSoundLeave = ReadXmlString(element, "soundmouseleave", "");
    mSoundDown = ReadXmlString(element, "soundmousedown", "btnmousedown");
    mCreate = ReadXmlBool(element, "create", true);
    mMouseReaction = ReadXmlBool(element, "allowmousereaction", true);
    mVAlign = ReadXmlInt(element, "valign", -1);
    mHAlign = ReadXmlInt(element, "halign", -1);
    mKind = kUIKindRect;
}

void TUIBaseBox::ApplyStyle(const TUIStyle& style) {
    if (style.mW != kUIStyleUnset && mW == 0) {
        mW = style.mW;
    }
    if (style.mH != kUIStyleUnset && mH == 0) {
        mH = style.mH;
    }
    if (style.mVAlign != kUIStyleUnset) {
        mVAlign = style.mVAlign;
    }
    if (style.mHAlign != kUIStyleUnset) {
        mHAlign = style.mHAlign;
    }
    if (IsUIColorSet(style.mColor)) {
        mColor = style.mColor;
    }
    TakeStyleText(mSoundEnter, style.mSoundEnter);
    TakeStyleText(mSoundLeave, style.mSoundLeave);
    TakeStyleText(mSoundDown, style.mSoundDown);
}

void TUIListBox::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mRows = ReadXmlInt(element, "rows", 0);
    mCols = ReadXmlInt(element, "cols", 0);
    mTX = ReadXmlInt(element, "tx", 0);
    mTY = ReadXmlInt(element, "ty", 0);
    mTime = ReadXmlFloat(element, "time", 1.0f);
    mFont = ReadXmlString(element, "font", "");
    mKind = kUIKindListBox;
}

void TUIToolHolder::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mSlotCount = ReadXmlInt(element, "slotcount", 0);
    mOffY = ReadXmlInt(element, "offy", 0);
    mCellW = ReadXmlInt(element, "cellw", 0);
    mCellH = ReadXmlInt(element, "cellh", 0);
    mMaxY = ReadXmlInt(element, "maxy", 0);
    ReadUIRect(element, "activebox", mActiveBox);
    mUpTime = ReadXmlFloat(element, "uptime", 0.25f);
    mHideTime = ReadXmlFloat(element, "hidetime", 1.5f);
    mFont = ReadXmlString(element, "font", "");
    mKind = kUIKindToolHolder;
}

void TUIHintBox::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mTX = ReadXmlInt(element, "tx", 0);
    mTY = ReadXmlInt(element, "ty", 0);
    mFont = ReadXmlString(element, "font", "");
}

void TUIBackBox::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mImage = ReadXmlString(element, "image", "");
}

void TUITaskBox::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mFont = ReadXmlString(element, "font", "");
}
