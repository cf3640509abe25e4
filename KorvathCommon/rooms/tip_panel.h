#pragma once
// The tip panel of the hidden-object interface: shows a localised tip, fades it in and out. The panel's
// layout and drawing belong to its host; this is its state, which rooms drive on show.

#include <memory>
#include <string>

#include "graphics/draw_object.h"
#include "graphics/inc_value.h"

class TSimpleTextImage;

class TTipPanel {
public:
    static constexpr int kHidden = 0;
    static constexpr int kShown = 1;
    static constexpr int kHiding = 2;

    virtual ~TTipPanel() = default;

    // The process's panel; null unless a host installs one (the game has none).
    static TTipPanel* GetInstance();
    // Not owned; null removes it.
    static void SetInstance(TTipPanel* panel);

    void ShowTip(const std::string& key, float seconds);
    void HideNow();
    void Hide();
    // The panel's own appearing, over the given fade-in time.
    virtual void Appear(float seconds) {}

    std::string mKey;
    std::string mText;
    bool mTipAsked = false;
    float mFadeOutTime = 0.3f;
    float mFadeInTime = 0.3f;
    int mState = kHidden;
    IncValue mFirstFade;
    IncValue mSecondFade;
    // Not owned; may be null.
    TSimpleTextImage* mLabel = nullptr;
    bool mShown = false;
    std::unique_ptr<DrawObject> mEffect;
    IncValue mDisplay;
};
