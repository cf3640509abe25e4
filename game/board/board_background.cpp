#include "board_background.h"

#include <SDL.h>
#include <cmath>

#include "app/frame_clear.h"
#include "app/renderer.h"
#include "data/stages.h"

namespace {

// The alpha modulation a draw at this alpha gets (the texture's draw truncates the same way).
int AlphaByte(float alpha) {
    const float scaled = alpha * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 255.0f ? 255 : static_cast<int>(scaled);
}

// A picture drawn whole at its texture's size from the origin, so it covers what the other covers.
bool IsWholeAtOrigin(const AlphaStaticImage& image) {
    const TRenderState& state = image.mRenderState;
    return image.mTexture && image.mVisible && image.mBaseX == 0.0f && image.mBaseY == 0.0f && image.mOffsetX == 0.0f &&
           image.mOffsetY == 0.0f && image.mScaleX == 1.0f && image.mScaleY == 1.0f && image.mAngle == 0.0f &&
           (state.flags & (TRenderState::kSourceRect | TRenderState::kFlipHorizontal | TRenderState::kFlipVertical)) ==
               0;
}

} // namespace

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
    ReleaseUnseen();
}

void TBoardBackground::ReleaseUnseen() {
    mComposed.Reset();
    mComposedFrom[0] = mComposedFrom[1] = nullptr;
    mComposedAlphas[0] = mComposedAlphas[1] = -1;
    // A picture just loaded waits hidden for its switch; one mid-fade is still seen.
    if (mNewPicture || mSwitchPending) {
        return;
    }
    for (AlphaStaticImage* image : {&mMainA, &mMainB}) {
        if (image->mAlphaTween.finished && AlphaByte(image->mAlpha) == 0) {
            image->ReleaseImage();
        }
    }
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

// While the pictures cross-fade both blend over the whole screen, yet their alphas take a new step only
// every two or three frames: the pair is composed into a texture at each step, and every frame copies
// that texture, the pixels the two draws would give.
bool TBoardBackground::DrawComposed() {
    const int alphas[2] = {AlphaByte(mMainA.mAlpha), AlphaByte(mMainB.mAlpha)};
    const bool blending = (alphas[0] > 0 && alphas[0] < 255) || (alphas[1] > 0 && alphas[1] < 255);
    SDL_Renderer* renderer = GetSDLRenderer();
    if (!AreDrawShortcutsOn() || !blending || renderer == nullptr || !IsWholeAtOrigin(mMainA) ||
        !IsWholeAtOrigin(mMainB)) {
        return false;
    }
    const int width = mMainA.mTexture->GetWidth();
    const int height = mMainA.mTexture->GetHeight();
    if (mMainB.mTexture->GetWidth() != width || mMainB.mTexture->GetHeight() != height) {
        return false;
    }
    if (!mComposed || mComposed->GetWidth() != width || mComposed->GetHeight() != height) {
        mComposed = CreateBlankTexture(width, height, TTexture::kAccessTarget);
        mComposedAlphas[0] = mComposedAlphas[1] = -1;
    }
    if (!mComposed) {
        return false;
    }
    const TTexture* from[2] = {mMainA.mTexture.Get(), mMainB.mTexture.Get()};
    if (from[0] != mComposedFrom[0] || from[1] != mComposedFrom[1] || alphas[0] != mComposedAlphas[0] ||
        alphas[1] != mComposedAlphas[1]) {
        SDL_Texture* frameTarget = SDL_GetRenderTarget(renderer);
        SDL_SetRenderTarget(renderer, mComposed->GetSDLTexture());
        Uint8 r = 0, g = 0, b = 0, a = 0;
        SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        SDL_SetRenderDrawColor(renderer, r, g, b, a);
        mMainA.Draw(1.0f);
        mMainB.Draw(1.0f);
        SDL_SetRenderTarget(renderer, frameTarget);
        mComposed->NoteContentChanged();
        mComposedFrom[0] = from[0];
        mComposedFrom[1] = from[1];
        mComposedAlphas[0] = alphas[0];
        mComposedAlphas[1] = alphas[1];
    }
    TRenderState copy;
    copy.Init(0.0f, 0.0f, 1.0f, 1.0f, 0);
    copy.blend = 0;
    mComposed->Draw(copy);
    return true;
}

void TBoardBackground::Draw() {
    if (!DrawComposed()) {
        mMainA.Draw(1.0f);
        mMainB.Draw(1.0f);
    }
    if (mOverlayOn) {
        mOverlayA.Draw(1.0f);
        mOverlayB.Draw(1.0f);
    }
}
