#include "windows/image_control.h"

#include <algorithm>

#include "graphics/build_maps_scope.h"
#include "graphics/texture.h"
#include "windows/game_cursors.h"
#include "windows/image_parts.h"
#include "windows/ui_image_box.h"

TMyImage::TMyImage(TMyWindowContainer* parent) : TMyWindow(parent) {}

TMyImage* TMyImage::Create(TUIMyImage* box, TMyWindow* window) {
    if (box == nullptr) {
        return nullptr;
    }
    auto* image = new TMyImage(window);
    image->ApplyDescription(box);
    return image;
}

void TMyImage::ApplyDescription(TUIMyImage* box) {
    mId = box->mId;
    mName = box->mName;
    mVAlign = box->mVAlign;
    mHAlign = box->mHAlign;
    mMainImage.SetImage(box->mImage);
    mSecondImage.SetImage(box->mImage2);
    mCheckedImage.SetImage(box->mImageChecked);
    mShowChecked = box->mChecked;
    mShowSecond = box->mDraw2;
    const int width = box->mW != 0 ? box->mW : TextureWidth(mMainImage);
    const int height = box->mH != 0 ? box->mH : TextureHeight(mMainImage);
    SetRect(box->mX, box->mY, width, height);
    mHand = box->mDoFinger;
    mDrawMode = box->mDrawMode;
    mCursorName = box->mCursorOver;
    mAlpha = box->mAlpha;
    mKeepAlphaMap = box->mNeedCache;
    mMainImage.SetPosition(static_cast<float>(mX), static_cast<float>(mY), false);
    mMainOffsetX = box->mDraw1X;
    mMainOffsetY = box->mDraw1Y;
    mSecondOffsetX = box->mDraw2X;
    mSecondOffsetY = box->mDraw2Y;
    mCheckedOffsetX = box->mCheckedX;
    mCheckedOffsetY = box->mCheckedY;
    mInteractive = box->mMouseReaction;
}

void TMyImage::SetImage(const std::string& name) {
    TBuildMapsScope maps(mKeepAlphaMap);
    mMainImage.SetImage(name);
}

bool TMyImage::Fit() {
    const TRenderState& main = mMainImage.mRenderState;
    const int imageW = main.srcW > 0 ? static_cast<int>(main.srcW) : TextureWidth(mMainImage);
    const int imageH = main.srcH > 0 ? static_cast<int>(main.srcH) : TextureHeight(mMainImage);
    // Without a main texture there is no factor to fit by.
    if (imageW <= 0 || imageH <= 0) {
        return false;
    }
    const float scale = std::min(static_cast<float>(mWidth) / static_cast<float>(imageW),
                                 static_cast<float>(mHeight) / static_cast<float>(imageH));
    mFitOffsetX = (mWidth - static_cast<int>(static_cast<float>(imageW) * scale)) / 2;
    mFitOffsetY = (mHeight - static_cast<int>(static_cast<float>(imageH) * scale)) / 2;
    for (StaticImage* image : {&mMainImage, &mCheckedImage, &mSecondImage}) {
        if (image == &mMainImage || TextureWidth(*image) != 0) {
            image->SetScale(scale);
        }
    }
    return true;
}

void TMyImage::DrawImage(StaticImage& image, int offsetX, int offsetY, float alpha) {
    image.SetPosition(static_cast<float>(mX + offsetX + mFitOffsetX + mDrawOffsetX),
                      static_cast<float>(mY + offsetY + mFitOffsetY + mDrawOffsetY), false);
    image.Draw(alpha);
}

void TMyImage::DrawSelf() {
    if (!mShown) {
        return;
    }
    if (mDrawMode == kDrawFit) {
        if (!Fit()) {
            return;
        }
    } else {
        mFitOffsetX = 0;
        mFitOffsetY = 0;
        for (StaticImage* image : {&mMainImage, &mCheckedImage, &mSecondImage}) {
            if (image == &mMainImage || TextureWidth(*image) != 0) {
                image->SetScale(1.0f);
            }
        }
    }
    const float alpha = GetParentAlpha() * mAlpha;
    DrawImage(mMainImage, mMainOffsetX, mMainOffsetY, alpha);
    if (mShowChecked && TextureWidth(mCheckedImage) != 0) {
        DrawImage(mCheckedImage, mCheckedOffsetX, mCheckedOffsetY, alpha);
    }
    if (mShowSecond && TextureWidth(mSecondImage) != 0) {
        DrawImage(mSecondImage, mSecondOffsetX, mSecondOffsetY, alpha);
    }
}

void TMyImage::OnMouseEnter() {
    TMyWindow::OnMouseEnter();
    if (mHand) {
        TGameCursors::Get()->Select(mCursorName);
    }
}

void TMyImage::OnMouseLeave() {
    if (mHand) {
        TGameCursors::Get()->SetDefault();
    }
    TMyWindow::OnMouseLeave();
}
