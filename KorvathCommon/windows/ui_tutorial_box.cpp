#include "windows/ui_tutorial_box.h"

#include "app/xml_reader.h"

void TUITutorialArrow::LoadFromXml(const TiXmlElement* element) {
    x = ReadXmlInt(element, "x", 0);
    y = ReadXmlInt(element, "y", 0);
    cx = ReadXmlInt(element, "cx", 0);
    cy = ReadXmlInt(element, "cy", 0);
    angle = ReadXmlInt(element, "a", 0);
    scale = ReadXmlFloat(element, "scale", 1.0f);
    scaleMin = ReadXmlFloat(element, "scalemin", -1.0f);
    scaleMax = ReadXmlFloat(element, "scalemax", -1.0f);
    scaleTime = ReadXmlFloat(element, "scaletime", 0.2f);
    alphaMin = ReadXmlFloat(element, "alphamin", -1.0f);
    alphaMax = ReadXmlFloat(element, "alphamax", -1.0f);
    alphaTime = ReadXmlFloat(element, "alphatime", 0.2f);
    image = ReadXmlString(element, "image", "");
}

void TUITutorial::LoadFromXml(const TiXmlElement* element) {
    TUIBaseBox::LoadFromXml(element);
    mStateStr = ReadXmlString(element, "statestr", "");
    mText1 = ReadXmlString(element, "text1", "");
    mText2 = ReadXmlString(element, "text2", "");
    mClickToContinue = ReadXmlBool(element, "clicktocontinue", true);
    mShowSkipButton = ReadXmlBool(element, "showskipbtn", true);
    mFinalize = ReadXmlBool(element, "finalize", false);
    mHideFast = ReadXmlBool(element, "hide_fast", false);
    mScale = ReadXmlBool(element, "scale", false);
    std::vector<TiXmlElement*> arrows;
    CollectXmlChildren(element, "arrow", arrows);
    mArrows.assign(arrows.size(), TUITutorialArrow{});
    for (size_t i = 0; i < arrows.size(); ++i) {
        mArrows[i].LoadFromXml(arrows[i]);
    }
    mKind = kUIKindTutorial;
}

void TUITutorialWindow::LoadFromXml(const TiXmlElement* element) {
    mX1 = ReadXmlInt(element, "x1", 0);
    mY1 = ReadXmlInt(element, "y1", 0);
    // Both sizes come from the one pair "w2", "h2", so they are always equal.
    mW1 = ReadXmlInt(element, "w2", 0);
    mH1 = ReadXmlInt(element, "h2", 0);
    mX2 = ReadXmlInt(element, "x2", 0);
    mY2 = ReadXmlInt(element, "y2", 0);
    mW2 = ReadXmlInt(element, "w2", 0);
    mH2 = ReadXmlInt(element, "h2", 0);
    mFont = ReadXmlString(element, "font", "");
    mFs1 = ReadXmlInt(element, "fs1", 0);
    mFs2 = ReadXmlInt(element, "fs2", 0);
    mKind = kUIKindTutorialWindow;
}
