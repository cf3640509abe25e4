#pragma once
// Boxes that describe a window itself: the classic window and the fly window.

#include <string>

#include "windows/ui_box.h"

class TUIClassicWindow : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIClassicWindow";
    static bool HasKind(int kind) { return kind == kUIKindClassicWindow || kind == kUIKindFlyWindow; }

    void LoadFromXml(const TiXmlElement* element) override;

    bool mFade = false;
    std::string mImage;
    float mAlphaTime = 0.0f;
};

class TUIFlyWindow : public TUIClassicWindow {
public:
    static constexpr const char* kClassName = "TUIFlyWindow";
    static bool HasKind(int kind) { return kind == kUIKindFlyWindow; }
    // A rest coordinate of this value means the centre of the game screen on that axis.
    static constexpr int kCentred = -1;

    void LoadFromXml(const TiXmlElement* element) override;

    int mX1 = 0;
    int mY1 = 0;
    int mX2 = 0;
    int mY2 = 0;
    int mRestX = kCentred;
    int mRestY = kCentred;
    float mTime = 0.0f;
    float mStay = 0.0f;
    std::string mFlyInSound;
    std::string mFlyOutSound;
};
