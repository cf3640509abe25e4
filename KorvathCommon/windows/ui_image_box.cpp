#include "windows/ui_image_box.h"

#include "app/xml_reader.h"

void TUIMyImage::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mImage = ReadXmlString(element, "image", "");
    mImage2 = ReadXmlString(element, "image2", "");
    mDoFinger = ReadXmlBool(element, "dofinger", false);
    mCursorOver = ReadXmlString(element, "cursorover", "handspot");
    mDrawMode = ReadXmlInt(element, "drawmode", 0);
    mAlpha = ReadXmlFloat(element, "a", 1.0f);
    mNeedCache = ReadXmlBool(element, "needcache", false);
    mImageChecked = ReadXmlString(element, "imagechecked", "");
    mCheckedX = ReadXmlInt(element, "checkedx", 0);
    mCheckedY = ReadXmlInt(element, "checkedy", 0);
    mDraw2X = ReadXmlInt(element, "draw2x", 0);
    mDraw2Y = ReadXmlInt(element, "draw2y", 0);
    mDraw1X = ReadXmlInt(element, "draw1x", 0);
    mDraw1Y = ReadXmlInt(element, "draw1y", 0);
    mChecked = ReadXmlBool(element, "checked", false);
    mDraw2 = ReadXmlBool(element, "draw2", false);
    mKind = kUIKindImage;
}

void TUIBaseSlider::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mLook.LoadFromXml(element);
    mKind = kUIKindSlider;
}

void TUIBaseSlider::ApplyStyle(const TUIStyle& style) {
    const auto* sliderStyle = dynamic_cast<const TUISliderStyle*>(&style);
    if (sliderStyle == nullptr) {
        return;
    }
    // The images only where the style has them; the offsets, thumb size and value always.
    const TUISliderLook& styled = sliderStyle->mLook;
    TakeStyleText(mLook.image, styled.image);
    TakeStyleText(mLook.thumb, styled.thumb);
    mLook.yOffset = styled.yOffset;
    mLook.xOffset = styled.xOffset;
    mLook.yThumbOffset = styled.yThumbOffset;
    mLook.thumbW = styled.thumbW;
    mLook.thumbH = styled.thumbH;
    mLook.value = styled.value;
}
