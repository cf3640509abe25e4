#include "board_background.h"

#include <cmath>

#include "stages.h"

TBoardBackground::TBoardBackground() {
    Reset();
}

void TBoardBackground::Reset() {
    for (AlphaStaticImage* image : {&mMainA, &mMainB, &mOverlayA, &mOverlayB}) {
        image->ReleaseImage();
        image->mImageName.clear();
        image->SetAlpha(0.0f);
    }
    mState = kStateNone;
    mName.clear();
    mPairIndex = -1;
    mTimer = mOverlayTimer = 0;
    mSwitchPending = mNewPicture = false;
}

void TBoardBackground::SetTimings(float unused, float overlayHold, float overlayStart) {
    mUnusedTiming = unused;
    mOverlayHold = overlayHold;
    mOverlayStart = overlayStart;
}

void TBoardBackground::SetBackground(const TStageBackground& entry, const std::string& overlay) {
    if (entry.mBack == mName) {
        return;
    }
    mName = entry.mBack;
    if (mPairIndex == -1) {
        mMainA.SetAlpha(1.0f);
        mMainB.SetAlpha(0.0f);
        mOverlayA.SetAlpha(0.0f);
        mOverlayB.SetAlpha(0.0f);
        mPairIndex = 0;
    }
    AlphaStaticImage& main = mPairIndex == 0 ? mMainA : mMainB;
    AlphaStaticImage& over = mPairIndex == 0 ? mOverlayA : mOverlayB;
    main.SetImage(entry.mBack);
    over.ReleaseImage();
    if (!overlay.empty()) {
        over.SetImage(overlay);
    }
    mPairIndex = 1 - mPairIndex;
    for (AlphaStaticImage* image : {&mMainA, &mMainB, &mOverlayA, &mOverlayB}) {
        image->SetPosition(0, 0, false);
    }
    if (mState == kStateNone) {
        mState = kStateA;
    }
    mTimer = mOverlayTimer = 0;
    mNewPicture = static_cast<bool>(main.mTexture);
}

void TBoardBackground::RequestSwitch() {
    // The very first picture is shown without a fade: the other pair is still empty then.
    if (mNewPicture && mMainA.mTexture && mMainB.mTexture) {
        mSwitchPending = true;
    }
    mNewPicture = false;
}

void TBoardBackground::Switch() {
    mSwitchPending = false;
    if (mState == kStateA) {
        mMainB.FadeAlpha(0.0f, 1.0f, kFadeTime);
        mMainA.FadeAlpha(1.0f, 0.0f, kFadeTime);
        mState = kStateB;
    } else if (mState == kStateB) {
        mMainB.FadeAlpha(1.0f, 0.0f, kFadeTime);
        mMainA.FadeAlpha(0.0f, 1.0f, kFadeTime);
        mState = kStateA;
    }
    mTimer = mOverlayTimer = -kFadeTime;
}

void TBoardBackground::UpdateOverlay(AlphaStaticImage& overlay) {
    if (overlay.mAlphaTween.current <= 0.0f && std::fabs(mTimer - mOverlayStart) <= 0.5f) {
        overlay.FadeAlpha(0.0f, 1.0f, kOverlayFadeTime);
        mOverlayTimer = 0;
    } else if (overlay.mAlphaTween.current >= 1.0f && mOverlayTimer >= mOverlayHold) {
        overlay.FadeAlpha(1.0f, 0.0f, kOverlayFadeTime);
    }
}

void TBoardBackground::Update(float dt) {
    mTimer += dt;
    mOverlayTimer += dt;
    if (mSwitchPending) {
        Switch();
    }
    if (mOverlayOn && mState != kStateNone) {
        UpdateOverlay(mState == kStateA ? mOverlayA : mOverlayB);
    }
    for (AlphaStaticImage* image : {&mMainA, &mMainB, &mOverlayA, &mOverlayB}) {
        image->Update(dt);
    }
}

void TBoardBackground::Draw() {
    mMainA.Draw(1.0f);
    mMainB.Draw(1.0f);
    if (mOverlayOn) {
        mOverlayA.Draw(1.0f);
        mOverlayB.Draw(1.0f);
    }
}
