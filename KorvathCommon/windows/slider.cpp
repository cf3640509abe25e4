#include "windows/slider.h"

#include <algorithm>

#include "windows/game_cursors.h"
#include "windows/image_parts.h"
#include "windows/ui_image_box.h"

TBaseSlider::TBaseSlider(TMyWindowContainer* parent) : TMyWindow(parent) {}

TBaseSlider* TBaseSlider::Create(TUIBaseSlider* box, TMyWindow* window) {
    auto* slider = new TBaseSlider(window);
    slider->ApplyDescription(box);
    return slider;
}

void TBaseSlider::ApplyDescription(TUIBaseSlider* box) {
    if (box == nullptr) {
        return;
    }
    const TUISliderLook& look = box->mLook;
    mId = box->mId;
    mName = box->mName;
    mValue = look.value;
    mTrackOffsetY = look.yOffset;
    mMargin = look.xOffset;
    mThumbOffsetY = look.yThumbOffset;
    mTrack.SetImage(look.image);
    mThumb.SetImage(look.thumb);
    mX = box->mX;
    mY = box->mY;
    const TRenderState& track = mTrack.mRenderState;
    mWidth = track.srcW > 0 ? static_cast<int>(track.srcW) : TextureWidth(mTrack);
    mHeight = track.srcH > 0 ? static_cast<int>(track.srcH) : TextureHeight(mTrack);
    mThumbWidth = look.thumbW;
    mThumbHeight = look.thumbH;
    if (mThumbWidth > 0) {
        SetSourceRect(mThumb, {0, 0, mThumbWidth, mThumbHeight});
    }
}

void TBaseSlider::SetValue(float value) {
    mValue = std::clamp(value, 0.0f, 1.0f);
}

float TBaseSlider::GetReportedValue() const {
    if (mRangeMin == mRangeMax) {
        return mValue;
    }
    return mRangeMin + (mRangeMax - mRangeMin) * mValue;
}

int TBaseSlider::UsableTrack() const {
    return mWidth - 2 * mMargin;
}

int TBaseSlider::ThumbTravel() const {
    return static_cast<int>(static_cast<float>(UsableTrack()) * mValue);
}

int TBaseSlider::ThumbDrawnWidth() const {
    return mThumb.mRenderState.srcW > 0 ? static_cast<int>(mThumb.mRenderState.srcW) : TextureWidth(mThumb);
}

bool TBaseSlider::IsOverThumb(int x, int y) const {
    const int width = ThumbDrawnWidth();
    const int height =
        mThumb.mRenderState.srcH > 0 ? static_cast<int>(mThumb.mRenderState.srcH) : TextureHeight(mThumb);
    const int left = mMargin + ThumbTravel() - width / 2;
    return left <= x && x < left + width && mThumbOffsetY <= y && y < mThumbOffsetY + height;
}

float TBaseSlider::ValueAt(int x) const {
    return static_cast<float>(x - mMargin) / static_cast<float>(UsableTrack());
}

void TBaseSlider::DrawSelf() {
    const float alpha = GetParentAlpha() * mAlpha;
    const int left = mX + mDrawOffsetX;
    const int top = mY + mDrawOffsetY;
    mTrack.SetPosition(static_cast<float>(left), static_cast<float>(top + mTrackOffsetY), false);
    mTrack.Draw(alpha);
    const int thumbLeft = left + mMargin + ThumbTravel() - ThumbDrawnWidth() / 2;
    mThumb.SetPosition(static_cast<float>(thumbLeft), static_cast<float>(top + mThumbOffsetY), false);
    mThumb.Draw(alpha);
}

void TBaseSlider::OnMouseDown(const TMouseEvent& event) {
    if (UsableTrack() <= 0) {
        return;
    }
    if (IsOverThumb(event.x, event.y)) {
        mGrabbed = true;
        return;
    }
    SetValue(ValueAt(event.x));
}

void TBaseSlider::OnMouseDrag(const TMouseEvent& event) {
    if (UsableTrack() <= 0) {
        return;
    }
    const float before = mValue;
    SetValue(ValueAt(event.x));
    if (mValue != before && mSliderListener != nullptr) {
        mSliderListener->OnSliderChanged(mId, GetReportedValue(), this);
    }
}

void TBaseSlider::OnMouseUp(const TMouseEvent& event) {
    mGrabbed = false;
    TGameCursors::Get()->SetDefault();
    if (mSliderListener != nullptr) {
        mSliderListener->OnSliderChanged(mId, GetReportedValue(), this);
        mSliderListener->OnSliderReleased(mId, GetReportedValue(), this);
    }
}

void TBaseSlider::OnMouseMove(const TMouseEvent& event) {
    if (IsOverThumb(event.x, event.y)) {
        TGameCursors::Get()->Select("drag");
    } else {
        TGameCursors::Get()->SetDefault();
    }
}

void TBaseSlider::OnMouseLeave() {
    if (!mGrabbed) {
        TGameCursors::Get()->SetDefault();
    }
}
