#pragma once
// Button descriptions: the plain button and the three kinds built on it. All four take values only
// from a button style.

#include <string>

#include "windows/ui_box.h"

class TUIMyButton : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIMyButton";
    static bool HasKind(int kind) {
        return kind == kUIKindButton || kind == kUIKindRegenerateButton || kind == kUIKindLockInterfButton;
    }

    void LoadFromXml(const TiXmlElement* element) override;
    // Takes nothing (and logs) from a style that is not a button style.
    void ApplyStyle(const TUIStyle& style) override;

    std::string mImage;
    bool mDisabled = false;
    bool mVisible = true;
    TUIButtonStates mStates;
    std::string mText;
    std::string mFont;
    int mDownTextOff = 2;
    bool mTextAsHint = false;
    int mHintX = 0;
    int mHintY = 0;
    int mCaptionOffX = 0;
    int mCaptionOffY = 0;
    TUIRect mTextRect;
    float mMinAlpha = 0.0f;
    bool mCheckbox = false;
    int mVH = 0;
    int mVW = 0;
    int mFlags = 0;
    bool mWrapped = false;
    float mScale = 1.0f;

private:
    void ApplyButtonStyle(const TUIButtonStyle& style);
};

class TUIRegenerateButton2Info : public TUIMyButton {
public:
    static constexpr const char* kClassName = "TUIRegenerateButton2Info";
    static bool HasKind(int kind) { return kind == kUIKindRegenerateButton; }

    void LoadFromXml(const TiXmlElement* element) override;

    int mOffX = 0;
    int mOffY = 0;
    float mTime1 = 5.0f;
    float mTime2 = 30.0f;
};

// Keeps the plain button's kind code, so a classic window makes a plain button from it.
class TRegenerateVideoButton2Info : public TUIMyButton {
public:
    static constexpr const char* kClassName = "TRegenerateVideoButton2Info";
    static bool HasKind(int kind) { return kind == kUIKindButton; }

    void LoadFromXml(const TiXmlElement* element) override;

    std::string mFill;
    std::string mTop;
    std::string mBack;
    std::string mOver2;
    std::string mOver;
    std::string mBlocked;
    int mOver2X = 0;
    int mOver2Y = 0;
    int mOverX = 0;
    int mOverY = 0;
    int mTopX = 0;
    int mTopY = 0;
    int mBackX = 0;
    int mBackY = 0;
    int mBlockedX = 0;
    int mBlockedY = 0;
    float mFillAlpha = 1.0f;
};

class TUILockInterfButton : public TUIMyButton {
public:
    static constexpr const char* kClassName = "TUILockInterfButton";
    static bool HasKind(int kind) { return kind == kUIKindLockInterfButton; }

    void LoadFromXml(const TiXmlElement* element) override;
};
