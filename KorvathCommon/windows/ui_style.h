#pragma once
// Named sets of values that interface-description boxes share: the plain style and the text, button
// and slider styles. A box copies values out of its style once, when its file is loaded.

#include <climits>
#include <string>

#include <tinyxml.h>

#include "app/color.h"

// The value of a style's integer fields that the file did not set.
constexpr int kUIStyleUnset = INT_MAX;

constexpr TColor kUIClearColor{0.0f, 0.0f, 0.0f, 0.0f};

// True when any component differs from 0: only such a colour replaces a box's own.
bool IsUIColorSet(const TColor& color);

// A style's text (a sound, font or image name) replaces a box's own only when it is not empty.
inline void TakeStyleText(std::string& own, const std::string& styled) {
    if (!styled.empty()) {
        own = styled;
    }
}

struct TUIRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool operator==(const TUIRect&) const = default;
};

// Four integers joined by "." read straight into the rectangle: a shorter value sets only the leading
// fields it holds. True when all four were read.
bool ReadUIRect(const TiXmlElement* element, const char* name, TUIRect& rect);

// The state rectangles of a button image (normal, over, down, disabled) and how many states it has.
struct TUIButtonStates {
    enum { kNormal, kOver, kDown, kDisabled, kCount };
    TUIRect rects[kCount];
    int states = 3;

    // "normalrect" first; when complete, the other three follow and a disabled width of 0 or more
    // means four states; otherwise "states" says how many there are.
    void LoadFromXml(const TiXmlElement* element);
};

class TUIStyle {
public:
    TUIStyle() = default;
    virtual ~TUIStyle() = default;
    TUIStyle(const TUIStyle&) = delete;
    TUIStyle& operator=(const TUIStyle&) = delete;

    virtual void LoadFromXml(const TiXmlElement* element);

    int mW = kUIStyleUnset;
    int mH = kUIStyleUnset;
    int mVAlign = kUIStyleUnset;
    int mHAlign = kUIStyleUnset;
    TColor mColor = kUIClearColor;
    std::string mFont;
    int mFlags = 0;
    bool mDoFinger = false;
    std::string mSoundEnter;
    std::string mSoundLeave;
    std::string mSoundDown;
};

class TUITextStyle : public TUIStyle {
public:
    void LoadFromXml(const TiXmlElement* element) override;

    bool mWrapped = false;
    TColor mOverColor = kUIClearColor;
    TColor mSelectedColor = kUIClearColor;
};

class TUIButtonStyle : public TUIStyle {
public:
    void LoadFromXml(const TiXmlElement* element) override;

    std::string mImage;
    TUIButtonStates mStates;
    int mCaptionOffX = 0;
    int mCaptionOffY = 0;
    float mMinAlpha = 0.0f;
    int mDownTextOff = 2;
    // Kept with the style; no box takes it.
    TUIRect mTextRect;
    int mVW = 0;
    int mVH = 0;
    bool mCheckbox = false;
    bool mWrapped = false;
    float mScale = 1.0f;
};

// What a slider looks like: shared by the slider style and the slider box.
struct TUISliderLook {
    std::string image;
    std::string thumb;
    int yOffset = 0;
    int xOffset = 0;
    float value = 0.0f;
    int yThumbOffset = 0;
    int thumbW = 0;
    int thumbH = 0;

    void LoadFromXml(const TiXmlElement* element);
};

class TUISliderStyle : public TUIStyle {
public:
    void LoadFromXml(const TiXmlElement* element) override;

    TUISliderLook mLook;
};
