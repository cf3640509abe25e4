#pragma once
// Description boxes: what one "object" element of an interface-description file becomes. The base
// box holds what every object has; this file also holds the panel boxes that only serve look-ups.

#include <string>

#include <tinyxml.h>

#include "app/color.h"
#include "windows/ui_style.h"

// Kind codes: windows choose what to make from a box by its code. Several types share a code.
enum TUIKind : int {
    kUIKindButton = 0,
    kUIKindListBox = 4,
    kUIKindToolHolder = 5,
    kUIKindRegenerateButton = 6,
    kUIKindText = 8,
    kUIKindImageText = 9,
    kUIKindTutorialWindow = 10,
    kUIKindTutorial = 11,
    kUIKindClassicWindow = 12,
    kUIKindFlyWindow = 13,
    kUIKindSlider = 14,
    kUIKindEdit = 15,
    kUIKindImage = 16,
    kUIKindRect = 17,
    kUIKindLockInterfButton = 18,
};

class TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIBaseBox";
    // Any box serves where only the common values are needed.
    static bool HasKind(int) { return true; }

    TUIBaseBox() = default;
    virtual ~TUIBaseBox() = default;
    TUIBaseBox(const TUIBaseBox&) = delete;
    TUIBaseBox& operator=(const TUIBaseBox&) = delete;

    // Reads the common attributes and sets the kind code; subclasses read theirs after these.
    virtual void LoadFromXml(const TiXmlElement* element);
    // Size only where the box has none; alignments, colour and sounds wherever the style sets them.
    virtual void ApplyStyle(const TUIStyle& style);

    int mKind = kUIKindRect;
    std::string mName;
    std::string mParam;
    float mFloatParam = 0.0f;
    int mX = 0;
    int mY = 0;
    int mW = 0;
    int mH = 0;
    int mId = 0;
    TColor mColor = kUIClearColor;
    // -1: not set.
    int mVAlign = -1;
    int mHAlign = -1;
    std::string mStyleName;
    std::string mSoundEnter;
    std::string mSoundLeave;
    std::string mSoundDown;
    // A classic window makes a control only from a box whose create flag is set.
    bool mCreate = true;
    bool mMouseReaction = true;

private:
    void ReadRect(const TiXmlElement* element);
};

class TUIListBox : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIListBox";
    static bool HasKind(int kind) { return kind == kUIKindListBox; }

    void LoadFromXml(const TiXmlElement* element) override;

    int mRows = 0;
    int mCols = 0;
    int mTX = 0;
    int mTY = 0;
    float mTime = 1.0f;
    std::string mFont;
};

class TUIToolHolder : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIToolHolder";
    static bool HasKind(int kind) { return kind == kUIKindToolHolder; }

    void LoadFromXml(const TiXmlElement* element) override;

    int mSlotCount = 0;
    int mOffY = 0;
    int mCellW = 0;
    int mCellH = 0;
    int mMaxY = 0;
    TUIRect mActiveBox;
    float mUpTime = 0.25f;
    float mHideTime = 1.5f;
    std::string mFont;
};

// The three panel boxes share the plain rectangle's kind code; only their class tells them apart.
class TUIHintBox : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIHintBox";
    static bool HasKind(int kind) { return kind == kUIKindRect; }

    void LoadFromXml(const TiXmlElement* element) override;

    int mTX = 0;
    int mTY = 0;
    std::string mFont;
};

class TUIBackBox : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUIBackBox";
    static bool HasKind(int kind) { return kind == kUIKindRect; }

    void LoadFromXml(const TiXmlElement* element) override;

    std::string mImage;
};

class TUITaskBox : public TUIBaseBox {
public:
    static constexpr const char* kClassName = "TUITaskBox";
    static bool HasKind(int kind) { return kind == kUIKindRect; }

    void LoadFromXml(const TiXmlElement* element) override;

    std::string mFont;
};
