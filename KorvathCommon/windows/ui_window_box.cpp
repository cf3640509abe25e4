#include "windows/ui_window_box.h"

#include "app/xml_reader.h"

void TUIClassicWindow::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mFade = ReadXmlBool(element, "fade", false);
    mImage = ReadXmlString(element, "image", "");
    mAlphaTime = ReadXmlFloat(element, "alphatime", 0.0f);
    mKind = kUIKindClassicWindow;
}

void TUIFlyWindow::LoadFromXml(const TiXmlElement* element) {
    TUIClassicWindow::LoadFromXml(element);
    mX1 = ReadXmlInt(element, "x1", 0);
    mY1 = ReadXmlInt(element, "y1", 0);
    mX2 = ReadXmlInt(element, "x2", 0);
    mY2 = ReadXmlInt(element, "y2", 0);
    // "x" and "y" once more: the rectangle defaults them to 0, the rest position to the centre.
    mRestX = ReadXmlInt(element, "x", kCentred);
    mRestY = ReadXmlInt(element, "y", kCentred);
    mTime = ReadXmlFloat(element, "time", 0.0f);
    mStay = ReadXmlFloat(element, "stay", 0.0f);
    mFlyInSound = ReadXmlString(element, "flyinsound", "flywindow");
    mFlyOutSound = ReadXmlString(element, "flyoutsound", "flywindow");
    mKind = kUIKindFlyWindow;
}
