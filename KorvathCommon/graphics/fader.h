#pragma once
// Full-screen darkening overlays drawn with the image "textures/gui/sh1": the screen-transition fader that
// the window manager drives, and the shadow screens put behind popups.

#include "graphics/inc_value.h"
#include "graphics/static_image.h"

class TFader;

// Implemented by the window manager, which swaps screens when the screen is covered.
class TFaderListener {
public:
    virtual ~TFaderListener() = default;
    virtual void OnFaderStart(TFader* fader) {}
    // The screen is fully covered.
    virtual void OnFaderMiddle(TFader* fader) {}
    virtual void OnFaderEnd(TFader* fader) {}
};

class TFader {
public:
    virtual ~TFader() = default;
    virtual void Update(float seconds) {}
    // Draws over everything.
    virtual void Draw() {}
    virtual void Hold(bool hold) {}
    virtual void Start() {}
    virtual void Stop() {}
    // Loads the fader's image again.
    virtual void ReloadTexture() {}
};

// Covers the screen, reports the middle, uncovers, waits a little and reports the end. Its picture is
// loaded when the first fade starts, not when the fader is made.
class TFaderShadow : public TFader {
public:
    static constexpr int kCovering = 0;
    static constexpr int kUncovering = 1;
    static constexpr int kWaiting = 2;
    static constexpr int kIdle = 3;

    TFaderShadow();

    void Update(float seconds) override;
    void Draw() override;
    // Covers in half the fade time.
    void Start() override;
    void ReloadTexture() override;
    // Fades from one alpha to another; with hold set it darkens to a fixed level and stays.
    void StartFromTo(float from, float to, float seconds);

    TFaderListener* mListener = nullptr;
    StaticImage mImage;
    int mState = kIdle;
    IncValue mAlpha;
    // Pause after uncovering.
    float mWaitTime = 0.2f;
    // The whole cover-and-uncover time.
    float mFadeTime = 1.0f;
    // Stay covered once covering has finished.
    bool mHold = false;
    float mWaitCountdown = 0.2f;

private:
    void End();
    // Loads the shadow picture unless the image holds it.
    void TakeImage();
};

class TShadowListener {
public:
    virtual ~TShadowListener() = default;
    // The shadow reached its maximum alpha.
    virtual void OnShadowShown() {}
    // The shadow has faded out.
    virtual void OnShadowHidden() {}
};

// Rises to a maximum alpha over its time and, unless told to hold, falls back.
class TShadow {
public:
    static constexpr int kRising = 0;
    static constexpr int kFalling = 1;
    static constexpr int kDone = 2;

    TShadow();
    virtual ~TShadow() = default;
    virtual void Update(float seconds);
    virtual void Draw();

    void Show();
    void Hide();

    TShadowListener* mListener = nullptr;
    // Stay at the maximum until Hide.
    bool mHold = false;
    StaticImage mImage;
    bool mFinished = false;
    int mState = kRising;
    float mCurrentAlpha = 0;
    float mMaxAlpha = 1.0f;
    // Seconds of a rise and of a fall.
    float mTime = 1.0f;
    IncValue mAlpha;
};
