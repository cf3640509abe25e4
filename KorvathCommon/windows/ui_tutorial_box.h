#pragma once
// Tutorial descriptions: one step of the interactive help with its pointer arrows, and the
// tutorial-window record.

#include <string>
#include <vector>

#include "windows/ui_box.h"

// One pointer arrow of a tutorial step. A pulse range of -1 is not set.
struct TUITutorialArrow {
    // A rotation-centre coordinate of this value means the arrow has no centre.
    static constexpr int kNoCenter = -1;

    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    int angle = 0;
    float scale = 1.0f;
    float scaleMin = -1.0f;
    float scaleMax = -1.0f;
    float scaleTime = 0.2f;
    float alphaMin = -1.0f;
    float alphaMax = -1.0f;
    float alphaTime = 0.2f;
    std::string image;

    void LoadFromXml(const TiXmlElement* element);
    bool HasCenter() const { return cx != kNoCenter && cy != kNoCenter; }
};

class TUITutorial : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUITutorial";
    static bool HasKind(int kind) { return kind == kUIKindTutorial; }

    // The common attributes, the step's own, then its direct "arrow" children in document order.
    void LoadFromXml(const TiXmlElement* element) override;

    std::string mStateStr;
    std::string mText1;
    std::string mText2;
    bool mClickToContinue = true;
    bool mShowSkipButton = true;
    bool mFinalize = false;
    bool mHideFast = false;
    bool mScale = false;
    std::vector<TUITutorialArrow> mArrows;
};

// Reads none of the common attributes, so it keeps the initial rectangle and never has a style.
class TUITutorialWindow : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUITutorialWindow";
    static bool HasKind(int kind) { return kind == kUIKindTutorialWindow; }

    void LoadFromXml(const TiXmlElement* element) override;

    int mX1 = 0;
    int mY1 = 0;
    int mW1 = 0;
    int mH1 = 0;
    int mX2 = 0;
    int mY2 = 0;
    int mW2 = 0;
    int mH2 = 0;
    std::string mFont;
    int mFs1 = 0;
    int mFs2 = 0;
};
