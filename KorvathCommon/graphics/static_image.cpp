#include "graphics/static_image.h"

#include <SDL.h>
#include <cmath>

#include "app/renderer.h"
#include "graphics/texture_cache.h"

StaticImage::StaticImage() {
    mRenderState.Init(0, 0, 1, 1, 0);
}

void StaticImage::Draw(float parentAlpha) {
    if (!mTexture || mTexture->GetWidth() == 0 || !mVisible) {
        return;
    }
    UpdateTransform();
    mRenderState.alpha = mAlpha * parentAlpha;
    mTexture->Draw(mRenderState);
}

void StaticImage::SetPosition(float x, float y, bool centred) {
    mBaseX = x;
    mBaseY = y;
    mCentred = centred;
}

float StaticImage::GetX() {
    return mCentred && mRenderState.srcW != 0 ? mBaseX + mRenderState.srcW * 0.5f : mBaseX;
}

float StaticImage::GetY() {
    return mCentred && mRenderState.srcH != 0 ? mBaseY + mRenderState.srcH * 0.5f : mBaseY;
}

void StaticImage::SetImage(const std::string& name) {
    ReleaseImage();
    if (name.empty()) {
        return;
    }
    mImageName = name;
    mTexture = FindMaskedTexture(name, name, true);
    if (!mTexture) {
        mTexture = GetTexture(name);
    }
}

void StaticImage::ReleaseImage() {
    if (mTexture && !mImageName.empty()) {
        mTexture.Reset();
    }
}

void StaticImage::CopyTexture(const StaticImage& other) {
    mTexture = other.mTexture;
}

int StaticImage::GetHeight() const {
    if (mRenderState.srcH > 0) {
        return static_cast<int>(mRenderState.srcH);
    }
    return mTexture ? mTexture->GetHeight() : 0;
}

bool StaticImage::IsOpaqueAt(int x, int y, int minAlpha) const {
    if (!mTexture || x < 0 || y < 0 || x > mTexture->GetWidth() - 1 || y > mTexture->GetHeight() - 1) {
        return false;
    }
    return mTexture->GetAlphaAt(x, y) >= minAlpha;
}

void StaticImage::UpdateTransform() {
    TRenderState& state = mRenderState;
    state.SetScale(mScaleX, mScaleY);
    state.angle = mAngle;
    float x = mOffsetX + mBaseX + static_cast<float>(gScreenOffset.x);
    float y = mOffsetY + mBaseY + static_cast<float>(gScreenOffset.y);
    if (mCentred) {
        if ((state.flags & TRenderState::kSourceRect) != 0) {
            state.centreX = state.srcW * 0.5f;
            state.centreY = state.srcH * 0.5f;
        } else if (mTexture && !mCustomCentre) {
            state.centreX = static_cast<float>(mTexture->GetWidth()) * 0.5f;
            state.centreY = static_cast<float>(mTexture->GetHeight()) * 0.5f;
            state.flags |= TRenderState::kCentre;
        }
        x -= state.centreX * mScaleX;
        y -= state.centreY * mScaleY;
    } else if (!mCustomCentre) {
        state.centreX = 0;
        state.centreY = 0;
        state.flags &= ~TRenderState::kCentre;
    } else {
        x -= (state.centreX - state.srcX) * mScaleX;
        y -= (state.centreY - state.srcY) * mScaleY;
    }
    state.SetTranslation(x, y);
}

// Takes a design point back through the draw: translation, rotation about the drawn pivot, then scale.
// The result is in source pixels from the source rectangle's corner.
bool StaticImage::LocalPoint(int x, int y, float& localX, float& localY) {
    UpdateTransform();
    const TRenderState& state = mRenderState;
    const float scaleX = state.GetScaleX(), scaleY = state.GetScaleY();
    if (!(scaleX > 0 && scaleY > 0)) {
        return false;
    }
    float pivotX = 0, pivotY = 0;
    if ((state.flags & TRenderState::kCentre) != 0) {
        pivotX = state.centreX * scaleX;
        pivotY = state.centreY * scaleY;
    }
    // The pixel's centre, as the renderer decides which pixels a drawn quad covers.
    const double dx = x + 0.5 - (state.GetTranslationX() - static_cast<float>(gScreenOffset.x)) - pivotX;
    const double dy = y + 0.5 - (state.GetTranslationY() - static_cast<float>(gScreenOffset.y)) - pivotY;
    const double cosA = std::cos(state.angle), sinA = std::sin(state.angle);
    localX = static_cast<float>((dx * cosA + dy * sinA + pivotX) / scaleX);
    localY = static_cast<float>((-dx * sinA + dy * cosA + pivotY) / scaleY);
    return true;
}

bool StaticImage::HitTest(int x, int y, int minAlpha) {
    float localX = 0, localY = 0;
    if (!mTexture || !LocalPoint(x, y, localX, localY)) {
        return false;
    }
    const TRenderState& state = mRenderState;
    const bool useSource = (state.flags & TRenderState::kSourceRect) != 0;
    const int w = useSource && state.srcW > 0 ? static_cast<int>(state.srcW) : mTexture->GetWidth();
    const int h = useSource && state.srcH > 0 ? static_cast<int>(state.srcH) : mTexture->GetHeight();
    if (!(localX >= 0 && localY >= 0 && localX < static_cast<float>(w) && localY < static_cast<float>(h))) {
        return false;
    }
    int column = static_cast<int>(localX), row = static_cast<int>(localY);
    if ((state.flags & TRenderState::kFlipHorizontal) != 0) {
        column = w - 1 - column;
    }
    if ((state.flags & TRenderState::kFlipVertical) != 0) {
        row = h - 1 - row;
    }
    if (useSource) {
        column += static_cast<int>(state.srcX);
        row += static_cast<int>(state.srcY);
    }
    return IsOpaqueAt(column, row, minAlpha);
}

AlphaStaticImage::AlphaStaticImage() {
    mAlphaTween.SetValue(0);
}

bool AlphaStaticImage::Update(float seconds) {
    if (IsFinished()) {
        return true;
    }
    if (mDelay > 0) {
        mDelay -= seconds;
        if (mDelay <= 0 && mListener != nullptr) {
            mListener->OnDelayOver();
        }
        return false;
    }
    bool justFinished = false;
    if (mAlphaTween.running) {
        justFinished = mAlphaTween.Update(seconds);
    }
    mAlpha = mAlphaTween.current;
    if (mMode == kPingPong && justFinished && (mListener == nullptr || !mListener->OnFadeDone(mAlphaTween.current))) {
        mAlphaTween.Set(mAlphaTween.current, mAlphaTween.from, mAlphaTween.duration, true);
    }
    return IsFinished();
}

void AlphaStaticImage::SetAlpha(float a) {
    mMode = kFadeOnce;
    mAlphaTween.SetValue(a);
    mAlpha = a;
}

void AlphaStaticImage::FadeAlpha(float from, float to, float seconds) {
    mAlphaTween.Set(from, to, seconds, true);
    mAlpha = from;
}

void TClippingImage::DrawClipped() {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer == nullptr || (mClipX == 0 && mClipY == 0 && mClipW == 0 && mClipH == 0)) {
        Draw(1.0f);
        return;
    }
    const SDL_Rect clip{mClipX, mClipY, mClipW, mClipH};
    SDL_RenderSetClipRect(renderer, &clip);
    Draw(1.0f);
    SDL_RenderSetClipRect(renderer, nullptr);
}
