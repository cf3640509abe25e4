#include "windows/button.h"

#include <algorithm>

#include "windows/game_cursors.h"
#include "windows/image_parts.h"
#include "windows/ui_button_box.h"

TMyButton::TMyButton(TMyWindowContainer* parent) : TMyWindow(parent) {
    mId = 0;
    mHand = true;
}

TMyButton* TMyButton::Create(TUIMyButton* box, TMyWindow* window) {
    auto* button = new TMyButton(window);
    button->ApplyDescription(box);
    return button;
}

void TMyButton::ApplyDescription(TUIMyButton* box) {
    if (box == nullptr) {
        return;
    }
    mImage.SetImage(box->mImage);
    mVAlign = box->mVAlign;
    mHAlign = box->mHAlign;
    const int states = std::max(box->mStates.states, 1);
    if (box->mW == 0) {
        box->mW = TextureWidth(mImage);
    }
    if (box->mH == 0) {
        box->mH = TextureHeight(mImage) / states;
    }
    SetupFrames(box->mX, box->mY, box->mW, box->mH, box->mStates.states);
    mMover.SetPosition(mX, mY);
    if (box->mStates.rects[TUIButtonStates::kNormal].w != 0) {
        for (int state = 0; state < kStateCount; ++state) {
            const TUIRect& rect = box->mStates.rects[state];
            mStateRects[state] = {rect.x, rect.y, rect.w, rect.h};
        }
    }
    mDisabled = box->mDisabled;
    mCheckbox = box->mCheckbox;
    mId = box->mId;
    mName = box->mName;
    mTextAsHint = box->mTextAsHint;
    mHintX = box->mHintX;
    mHintY = box->mHintY;
    mCaptionOffX = box->mCaptionOffX;
    mCaptionOffY = box->mCaptionOffY;
    mSoundDown = box->mSoundDown;
    mSoundEnter = box->mSoundEnter;
    mSoundLeave = box->mSoundLeave;
    mTextRect = {box->mTextRect.x, box->mTextRect.y, box->mTextRect.w, box->mTextRect.h};
    mCaptionFlags = box->mFlags;
    mMinAlpha = box->mMinAlpha;
    mHitHeight = box->mVH;
    mHitWidth = box->mVW;
    mShown = box->mVisible;
    mScale = box->mScale;
    mInteractive = box->mMouseReaction;
    CreateCaption(box);
}

void TMyButton::SetupFrames(int x, int y, int w, int h, int states) {
    mHomeX = x;
    mHomeY = y;
    SetRect(x, y, w, h);
    const int overY = states < 2 ? 0 : h;
    const int downY = states > 2 ? 2 * h : overY;
    const int disabledY = states >= 4 ? 3 * h : downY;
    mStateRects[kNormal] = {0, 0, w, h};
    mStateRects[kOver] = {0, overY, w, h};
    mStateRects[kDown] = {0, downY, w, h};
    mStateRects[kDisabled] = {0, disabledY, w, h};
}

void TMyButton::CreateCaption(TUIMyButton* box) {
    if (box->mText.empty()) {
        return;
    }
    mCaption = std::make_unique<TSimpleTextImage>();
    mCaption->SetFont(box->mFont);
    mCaption->SetTextKey(box->mText);
    if (mTextRect.w != 0) {
        mCaption->SetRect(0, 0, mTextRect.w, mTextRect.h);
    } else {
        mCaption->SetRect(0, 0, mWidth, mHeight);
    }
    mCaption->mAlignment = mCaptionFlags;
    mCaption->mWrapped = box->mWrapped;
    mCaption->mColor = box->mColor;
    mPressedTextOffset = box->mDownTextOff;
}

int TMyButton::ParentId() const {
    return mParent != nullptr ? mParent->mId : -1;
}

bool TMyButton::IsPressedInside() const {
    return mPressed && mMouseOver && !mDisabled;
}

int TMyButton::GetVisualState() {
    int imposed = 0;
    if (mButtonListener != nullptr && mButtonListener->GetButtonState(this, imposed)) {
        return imposed;
    }
    if (mChecked || mForcedDown || IsPressedInside()) {
        return kDown;
    }
    if (mDisabled) {
        return kDisabled;
    }
    return mMouseOver || mPressed ? kOver : kNormal;
}

void TMyButton::DrawFrame(int state, int widthOverride) {
    const int textureHeight = TextureHeight(mImage);
    TWindowRect frame = mStateRects[kNormal];
    if (state >= 0 && state < kStateCount && mStateRects[state].y < textureHeight) {
        frame = mStateRects[state];
        if (widthOverride != 0) {
            frame.w = widthOverride;
        }
    }
    mImage.SetScale(mScale);
    mImage.SetPosition(static_cast<float>(mX + mDrawOffsetX), static_cast<float>(mY + mDrawOffsetY), false);
    SetSourceRect(mImage, frame);
    mImage.Draw(GetParentAlpha() * mAlpha);
}

void TMyButton::PlaceCaption() {
    int x = mX + mDrawOffsetX;
    int y = mY + mDrawOffsetY;
    if (mTextAsHint) {
        x += mHintX;
        y += mHintY;
    } else {
        x += mTextRect.w != 0 ? mTextRect.x : mCaptionOffX;
        y += mTextRect.w != 0 ? mTextRect.y : mCaptionOffY;
        if (mPressed) {
            x += mPressedTextOffset;
            y += mPressedTextOffset;
        }
    }
    mCaption->mX = x;
    mCaption->mY = y;
}

void TMyButton::DrawSelf() {
    if (!mShown) {
        return;
    }
    DrawFrame(GetVisualState(), 0);
    if (!mCaption || (mTextAsHint && !mMouseOver)) {
        return;
    }
    PlaceCaption();
    mCaption->SetAlpha(GetParentAlpha() * mAlpha);
    mCaption->DrawSelf();
}

void TMyButton::OnMouseEnter() {
    TMyWindow::OnMouseEnter();
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonEnter(ParentId(), GetParentWindow(), mId, this);
    }
    TGameCursors::Get()->Select("handspot");
}

void TMyButton::OnMouseLeave() {
    TGameCursors::Get()->SetDefault();
    TMyWindow::OnMouseLeave();
    mPressed = false;
    mMouseOver = false;
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonLeave(ParentId(), GetParentWindow(), mId, this);
    }
}

void TMyButton::OnMouseMove(const TMouseEvent& event) {
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonRawMove(this);
    }
    bool ignore = false;
    if (mDisabled) {
        ignore = mButtonListener == nullptr ||
                 mButtonListener->IgnoreMoveWhenDisabled(ParentId(), GetParentWindow(), mId, this);
    }
    if (!mShown || ignore) {
        return;
    }
    if (!mMouseOver) {
        OnMouseEnter();
        mMouseOver = true;
    }
    TMyWindow::OnMouseMove(event);
}

void TMyButton::OnMouseDown(const TMouseEvent& event) {
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonRawDown(this);
    }
    if (!mShown || mDisabled) {
        return;
    }
    TMyWindow::OnMouseDown(event);
    mPressed = true;
    mMouseOver = true;
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonDown(ParentId(), GetParentWindow(), mId, this);
    }
}

void TMyButton::OnMouseUp(const TMouseEvent& event) {
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonRawUp(this);
    }
    if (!mShown || !mPressed) {
        return;
    }
    TMyWindow::OnMouseUp(event);
    if (!mMouseOver) {
        return;
    }
    if (mDisabled) {
        if (mButtonListener != nullptr) {
            mButtonListener->OnDisabledButtonClick(ParentId(), GetParentWindow(), mId, this);
        }
        return;
    }
    bool mayClick = true;
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonMayClick(ParentId(), GetParentWindow(), mId, this, mayClick);
    }
    if (!mayClick) {
        mPressed = false;
        return;
    }
    if (mCheckbox) {
        mChecked = !mChecked;
    }
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonClick(ParentId(), GetParentWindow(), mId, this);
    }
    mPressed = false;
}

bool TMyButton::ContainsPoint(int px, int py) {
    int left = mX;
    int top = mY;
    int width = mWidth;
    int height = mHeight;
    if (mHitWidth != 0 || mHitHeight != 0) {
        const int dx = std::max(mHitWidth - mWidth, 0) / 2;
        const int dy = std::max(mHitHeight - mHeight, 0) / 2;
        left -= dx;
        top -= dy;
        width += 2 * dx;
        height += 2 * dy;
    }
    width = static_cast<int>(static_cast<float>(width) * mScale);
    height = static_cast<int>(static_cast<float>(height) * mScale);
    return left <= px && px < left + width && top <= py && py < top + height;
}

bool TMyButton::AcceptsPoint(int lx, int ly) {
    if (mMinAlpha == 0) {
        return true;
    }
    if (!mImage.mTexture || mScale <= 0) {
        return false;
    }
    // The image is drawn scaled from the top-left corner; points of the hit box beyond it are not sampled.
    const int x = static_cast<int>(static_cast<float>(lx) / mScale);
    const int y = static_cast<int>(static_cast<float>(ly) / mScale);
    if (lx < 0 || ly < 0 || x >= mWidth || y >= mHeight) {
        return true;
    }
    return mImage.IsOpaqueAt(x, y, static_cast<int>(mMinAlpha * 255));
}

bool TMyButton::Update(float dt) {
    const bool finished = mMover.Update(dt);
    if (mMover.moving || finished) {
        ApplyMovePosition();
    }
    if (finished && mButtonListener != nullptr) {
        mButtonListener->OnButtonMoveFinished(this);
    }
    return false;
}

void TMyButton::StartMove(int x, int y, float seconds) {
    mMover.MoveTo(mX, mY, x, y, seconds);
    if (mButtonListener != nullptr) {
        mButtonListener->OnButtonMoveStarted(this);
    }
}

void TMyButton::StartMoveHome(float seconds) {
    mMover.MoveTo(mX, mY, mHomeX, mHomeY, seconds);
}

void TMyButton::ApplyMovePosition() {
    SetPosition(static_cast<int>(mMover.currentX), static_cast<int>(mMover.currentY));
}

void TMyButton::ReleaseTextures() {
    mImage.ReleaseImage();
}
