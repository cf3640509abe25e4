#pragma once
// Descriptions of the image control and the slider.

#include <string>

#include "windows/ui_box.h"

class TUIMyImage : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIMyImage";
    static bool HasKind(int kind) { return kind == kUIKindImage; }

    void LoadFromXml(const TiXmlElement* element) override;

    std::string mImage;
    std::string mImage2;
    bool mDoFinger = false;
    // Name of the game cursor shown while the pointer is over the image.
    std::string mCursorOver;
    int mDrawMode = 0;
    float mAlpha = 1.0f;
    bool mNeedCache = false;
    std::string mImageChecked;
    int mCheckedX = 0;
    int mCheckedY = 0;
    int mDraw2X = 0;
    int mDraw2Y = 0;
    int mDraw1X = 0;
    int mDraw1Y = 0;
    bool mChecked = false;
    bool mDraw2 = false;
};

class TUIBaseSlider : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIBaseSlider";
    static bool HasKind(int kind) { return kind == kUIKindSlider; }

    void LoadFromXml(const TiXmlElement* element) override;
    // Replaces the common rules: only a slider style gives anything, and never a size, alignment,
    // colour or sound.
    void ApplyStyle(const TUIStyle& style) override;

    TUISliderLook mLook;
};
