#pragma once
// The game screen's background: two pictures that cross-fade over the whole screen when a level with a
// different background starts, each with an optional overlay that fades in and out on its own clock.

#include <string>

#include "graphics/static_image.h"

struct TStageBackground;

class TBoardBackground {
public:
    static constexpr int kStateNone = 0;
    static constexpr int kStateA = 1;
    static constexpr int kStateB = 3;
    static constexpr float kFadeTime = 10.0f;
    static constexpr float kOverlayFadeTime = 10.0f;

    TBoardBackground();

    // Loads the entry's picture into the hidden pair; nothing when it names the current picture.
    void SetBackground(const TStageBackground& entry, const std::string& overlay);
    // The timings the controller sets before each level.
    void SetTimings(float unused, float overlayHold, float overlayStart);
    // Asks for the cross-fade at the next update, but only when a new picture has loaded since the last
    // switch: a level that keeps the previous background must not bring back the older one.
    void RequestSwitch();
    // Both pictures dropped and the cross-fade back at its start; the next level's picture loads anew.
    void Reset();
    // Off the game screen: lets go of what the screen can make again, the composed cross-fade and a
    // picture faded out for good (the next picture loads over it before it can show again).
    void ReleaseUnseen();
    void Update(float dt);
    void Draw();

    int GetState() const { return mState; }
    const std::string& GetName() const { return mName; }
    bool IsSwitchPending() const { return mSwitchPending; }
    // The picture that is (or is becoming) the visible one.
    const AlphaStaticImage& GetMain(bool pairB) const { return pairB ? mMainB : mMainA; }

private:
    void UpdateOverlay(AlphaStaticImage& overlay);
    void Switch();
    bool DrawComposed();

    int mState = kStateNone;
    AlphaStaticImage mMainA;
    AlphaStaticImage mMainB;
    AlphaStaticImage mOverlayA;
    AlphaStaticImage mOverlayB;
    float mUnusedTiming = 0;
    float mOverlayHold = 0;
    float mOverlayStart = 0;
    bool mOverlayOn = true;
    float mTimer = 0;
    float mOverlayTimer = 0;
    std::string mName;
    int mPairIndex = -1;
    bool mSwitchPending = false;
    bool mNewPicture = false;
    // The two main pictures as the cross-fade shows them, composed at the alphas in mComposedAlphas.
    TTextureHandle mComposed;
    const TTexture* mComposedFrom[2] = {nullptr, nullptr};
    int mComposedAlphas[2] = {-1, -1};
};
