#include "objects/object.h"

#include "app/log.h"
#include "app/renderer.h"
#include "graphics/build_maps_scope.h"
#include "graphics/texture.h"
#include "media/sound_manager.h"
#include "objects/hint_effects.h"
#include "objects/object_services.h"
#include "objects/object_space.h"
#include "objects/scoped_clip.h"
#include "objects/whole_pixels.h"

TObject::TObject() = default;

TObject::~TObject() {
    ReleaseAll();
}

// ---- drawing position ----

float TObject::GetImageWidth() const {
    if (!mImage) {
        return static_cast<float>(GetWidth());
    }
    if (mImage->mRenderState.srcW > 0) {
        return mImage->mRenderState.srcW;
    }
    return mImage->mTexture ? static_cast<float>(mImage->mTexture->GetWidth()) : 0.0f;
}

float TObject::GetImageHeight() const {
    if (!mImage) {
        return static_cast<float>(GetHeight());
    }
    if (mImage->mRenderState.srcH > 0) {
        return mImage->mRenderState.srcH;
    }
    return mImage->mTexture ? static_cast<float>(mImage->mTexture->GetHeight()) : 0.0f;
}

float TObject::GetX() {
    float x = mX;
    if (mDrawType == 1 || mDrawType == 4) {
        x = mX - mScaleX * GetImageWidth() * 0.5f;
    } else if (mDrawType == 2) {
        x = mX + static_cast<float>(GetWidth()) - mScaleX * static_cast<float>(GetWidth());
    }
    if (mCentreOffsetX != 0 || mCentreOffsetY != 0) {
        x += static_cast<float>(mCentreOffsetX);
    }
    return x + GetOwnerOffsetX();
}

float TObject::GetY() {
    float y = mY;
    if (mDrawType == 1) {
        y = mY - mH * 0.5f;
    } else if (mDrawType == 2 || mDrawType == 4) {
        y = mY - mScaleY * GetImageHeight();
    }
    if (mCentreOffsetX != 0 || mCentreOffsetY != 0) {
        y += static_cast<float>(mCentreOffsetY);
    }
    return y + GetOwnerOffsetY();
}

float TObject::GetOwnerOffsetX() const {
    return mSpace != nullptr && !mSkipOwnerOffset ? mSpace->mDrawOffsetX : 0.0f;
}

float TObject::GetOwnerOffsetY() const {
    return mSpace != nullptr && !mSkipOwnerOffset ? mSpace->mDrawOffsetY : 0.0f;
}

int TObject::GetCenterX() const {
    return SizeToInt(mDrawType == kDrawCentred ? mX : mX + mW * 0.5f);
}

int TObject::GetCenterY() const {
    return SizeToInt(mDrawType == kDrawCentred ? mY : mY + mH * 0.5f);
}

void TObject::GetRect(float rect[4]) {
    rect[0] = GetX();
    rect[1] = GetY();
    rect[2] = mW;
    rect[3] = mH;
}

void TObject::RefreshCachedDrawPosition() {
    mCachedDrawX = SizeToInt(GetX());
    mCachedDrawY = SizeToInt(GetY());
}

void TObject::MakeCentred() {
    if (mDrawType == kDrawCentred) {
        return;
    }
    mDrawType = kDrawCentred;
    mCentreOffsetX = 0;
    mCentreOffsetY = 0;
    mX += mW * 0.5f;
    mY += mH * 0.5f;
}

// Children keep their own anchors: each moves its logical position by the same delta, and so does its subtree.
void TObject::SetPosition(float x, float y, bool moveChildren) {
    const float dx = x - mX;
    const float dy = y - mY;
    mX = x;
    mY = y;
    if (mImage) {
        mImage->SetPosition(GetX(), GetY(), false);
    }
    if (moveChildren) {
        for (const auto& child : mChildren) {
            child->SetPosition(child->mX + dx, child->mY + dy, true);
        }
    }
}

void TObject::MoveBy(int dx, int dy) {
    mX += static_cast<float>(dx);
    mY += static_cast<float>(dy);
    RefreshCachedDrawPosition();
    if (mImage) {
        // Placed as SyncImage places it: the draw position already holds the anchor.
        mImage->SetPosition(static_cast<float>(mCachedDrawX), static_cast<float>(mCachedDrawY), false);
    }
    for (const auto& child : mChildren) {
        child->MoveBy(dx, dy);
    }
}

// ---- image ----

void TObject::ApplyFrameToImage() {
    if (!mImage || !IsUsingFrames()) {
        return;
    }
    const TFrameBounds& frame = mFrames[static_cast<size_t>(mCurrentFrame)];
    TRenderState& state = mImage->mRenderState;
    state.srcX = static_cast<float>(frame.left);
    state.srcY = static_cast<float>(frame.top);
    state.srcW = static_cast<float>(frame.right - frame.left);
    state.srcH = static_cast<float>(frame.bottom - frame.top);
    state.flags |= TRenderState::kSourceRect;
}

void TObject::SyncImage() {
    if (mDummy || !mImage) {
        return;
    }
    if (mCentreOffsetX != 0 || mCentreOffsetY != 0) {
        mImage->mRenderState.centreX = static_cast<float>(mCentreOffsetX);
        mImage->mRenderState.centreY = static_cast<float>(mCentreOffsetY);
        mImage->mRenderState.flags |= TRenderState::kCentre;
        mImage->mCustomCentre = true;
    }
    mImage->mRenderState.blend = mBlendMode;
    mImage->SetScaleXY(mScaleX, mScaleY);
    mImage->mAlpha = mAlpha;
    mImage->mAngle = mAngle;
    mImage->SetPosition(GetX(), GetY(), false);
    ApplyFrameToImage();
}

void TObject::LoadResources() {
    mImage = std::make_unique<StaticImage>();
    {
        TBuildMapsScope maps(!mCheckOnlyBounds, mCacheColor);
        mImage->SetImage(mImageName);
    }
    if (mW == 0) {
        const float width = GetImageWidth();
        if (width > 0) {
            mW = width;
        }
    }
    if (mH == 0) {
        const float height = GetImageHeight();
        if (height > 0) {
            mH = height;
        }
    }
    ApplyFrameToImage();
    for (const auto& child : mChildren) {
        child->LoadResources();
    }
    SyncImage();
    for (const auto& child : mChildren) {
        child->SyncImage();
    }
}

void TObject::UnloadResources() {
    mImage.reset();
    for (const auto& child : mChildren) {
        child->UnloadResources();
    }
}

void TObject::ReleaseAll() {
    mHintEffect.reset();
    mImage.reset();
    mHitChild = nullptr;
    mChildren.clear();
}

void TObject::SetAlpha(float alpha) {
    if (!(alpha >= 0.0f && alpha <= 1.0f)) {
        return;
    }
    mAlpha = alpha;
    if (mImage) {
        mImage->mAlpha = alpha;
    }
}

void TObject::SetVisible(bool visible) {
    mVisible = visible;
    if (!visible) {
        mHintEffect.reset();
    }
}

void TObject::Lock() {
    mHintEffect.reset();
    mLocked = true;
}

// ---- update and draw ----

bool TObject::Update(float seconds) {
    if (mClickDelayLeft > 0) {
        mClickDelayLeft -= seconds;
    }
    if (ShouldShowXoHint()) {
        CreateXoHintEffect();
    }
    UpdateHintBlink(seconds);
    if (mHintEffect) {
        mHintEffect->Update(seconds);
        if (mHintEffect->IsFinished()) {
            mHintEffect.reset();
        }
    }
    if (mClickExecuter != nullptr) {
        mClickExecuter->Update(this, seconds);
    }
    if (mEffector != nullptr) {
        mEffector->Update(seconds);
    }
    UpdateFrames(seconds);
    SyncImage();
    for (const auto& child : mChildren) {
        child->Update(seconds);
    }
    return false;
}

void TObject::UpdateHintBlink(float seconds) {
    const THopaBaseUserInfo* profile = GetHopaUserInfo();
    if (profile == nullptr || profile->mHintBlinkSeconds < 1 || mSpace == nullptr || !mVisible || mLocked ||
        !mTargets[kTargetRoomXo].empty()) {
        return;
    }
    const TObjectSpace* root = GetRootSpace();
    if (root == nullptr || root->GetKindFlags() != TObjectSpace::kKindRoom || !IsHintable()) {
        return;
    }
    mHintBlinkTimer += seconds;
    if (mHintBlinkTimer >= static_cast<float>(profile->mHintBlinkSeconds) && !mHintEffect) {
        mHintBlinkTimer = 0;
        const int x = mBlinkOffsetX != 0 ? WholePixels(mX) + mBlinkOffsetX : GetCenterX();
        const int y = mBlinkOffsetY != 0 ? WholePixels(mY) + mBlinkOffsetY : GetCenterY();
        mHintEffect = std::make_unique<EffectBlink>(x, y, 2.0f, "textures/effect/single_particle", 5.0f);
    }
}

void TObject::UpdateFrames(float seconds) {
    if (!IsUsingFrames()) {
        return;
    }
    mFrameTimer += seconds;
    if (mFrameTimer < mFrameDelay) {
        return;
    }
    mFrameTimer = 0;
    ++mCurrentFrame;
    if (mCurrentFrame >= static_cast<int>(mFrames.size())) {
        mCurrentFrame = mAnimMode == kAnimLoop ? 0 : static_cast<int>(mFrames.size()) - 1;
    }
}

void TObject::Draw(float alpha) {
    if (!mVisible) {
        return;
    }
    if (mDebugOutline) {
        DrawDebugBounds();
    }
    if (mDrawChildrenFirst) {
        for (const auto& child : mChildren) {
            child->Draw(alpha);
        }
        DrawSelf(alpha);
        return;
    }
    DrawSelf(alpha);
    for (const auto& child : mChildren) {
        child->Draw(alpha);
    }
}

void TObject::DrawSelf(float alpha) {
    TScopedClip clip(mClipRect);
    if (!mDummy && mImage) {
        mImage->Draw(alpha);
    }
    if (mDebugOutline) {
        DrawDebugBounds();
    }
    if (mHintEffect) {
        mHintEffect->Draw(1.0f);
    }
}

void TObject::DrawDebugBounds() {
    DrawRectFrame(static_cast<int>(mX + GetOwnerOffsetX()), static_cast<int>(mY + GetOwnerOffsetY()),
                  static_cast<int>(mW), static_cast<int>(mH), TColor{1, 0, 0, 1});
    DrawRectFrame(WholePixels(GetX()), WholePixels(GetY()), static_cast<int>(mW), static_cast<int>(mH),
                  TColor{0, 0, 1, 1});
}

// ---- life cycle ----

void TObject::OnSpaceFirstShow() {
    for (const auto& child : mChildren) {
        child->OnSpaceFirstShow();
    }
    if (mActive) {
        Activate(0, 0, 0);
    }
}

void TObject::OnSpaceShow() {
    SyncImage();
    if (ShouldShowXoHint()) {
        CreateXoHintEffect();
    }
    for (const auto& child : mChildren) {
        child->OnSpaceShow();
    }
}

void TObject::OnSpaceHide() {
    for (const auto& child : mChildren) {
        child->OnSpaceHide();
    }
}

void TObject::PropagateSignalA(int value) {
    for (const auto& child : mChildren) {
        child->PropagateSignalA(value);
    }
}

void TObject::PropagateSignalB(int value) {
    for (const auto& child : mChildren) {
        child->PropagateSignalB(value);
    }
}

void TObject::PropagateSignalC(int value) {
    for (const auto& child : mChildren) {
        child->PropagateSignalC(value);
    }
}

void TObject::PropagateSignalD(int value) {
    for (const auto& child : mChildren) {
        child->PropagateSignalD(value);
    }
}

void TObject::StartEffector() {
    if (mEffector != nullptr) {
        mEffector->Start();
    }
}

void TObject::StopEffector() {
    if (mEffector != nullptr) {
        mEffector->Stop();
    }
}

// ---- the tree ----

bool TObject::AddChild(TObject* object) {
    bool refused = object == nullptr || object == this || object->mParent != nullptr || ContainsChild(object);
    for (const TObject* ancestor = mParent; ancestor != nullptr && !refused; ancestor = ancestor->mParent) {
        refused = ancestor == object;
    }
    if (refused) {
        TLogFile::Get()->Printf("object %s: child %s refused", mName.c_str(),
                                object != nullptr ? object->mName.c_str() : "(none)");
        return false;
    }
    object->mParent = this;
    mChildren.emplace_back(object);
    return true;
}

bool TObject::RemoveChild(TObject* object) {
    for (auto it = mChildren.begin(); it != mChildren.end(); ++it) {
        if (it->get() == object) {
            static_cast<void>(it->release());
            mChildren.erase(it);
            object->mParent = nullptr;
            if (mHitChild == object) {
                mHitChild = nullptr;
            }
            return true;
        }
    }
    for (const auto& child : mChildren) {
        if (child->RemoveChild(object)) {
            return true;
        }
    }
    return false;
}

bool TObject::ContainsChild(const TObject* object) const {
    for (const auto& child : mChildren) {
        if (child.get() == object || child->ContainsChild(object)) {
            return true;
        }
    }
    return false;
}

TObject* TObject::FindParentOf(const TObject* object) {
    for (const auto& child : mChildren) {
        if (child.get() == object) {
            return this;
        }
    }
    for (const auto& child : mChildren) {
        if (TObject* parent = child->FindParentOf(object)) {
            return parent;
        }
    }
    return nullptr;
}

TObject* TObject::FindChildById(const std::string& id) {
    for (const auto& child : mChildren) {
        if (child->mName == id) {
            return child.get();
        }
        if (TObject* found = child->FindChildById(id)) {
            return found;
        }
    }
    return nullptr;
}

void TObject::SetListener(TObjectListener* listener) {
    mListener = listener;
    for (const auto& child : mChildren) {
        child->SetListener(listener);
    }
}

bool TObject::AttachEffector(TObjectEffector* effector) {
    if (effector == nullptr) {
        return false;
    }
    if (!mEffectorName.empty() && effector->GetName() == mEffectorName) {
        mEffector = effector;
        effector->SetOwner(this);
        return true;
    }
    for (const auto& child : mChildren) {
        if (child->AttachEffector(effector)) {
            return true;
        }
    }
    return false;
}

std::string TObject::BuildSaveKey() const {
    std::string key = mName;
    for (const TObjectSpace* space = mSpace; space != nullptr; space = space->mParent) {
        key = space->mName + "." + key;
    }
    return key;
}

TObjectSpace* TObject::GetRootSpace() const {
    TObjectSpace* space = mSpace;
    while (space != nullptr && space->mParent != nullptr) {
        space = space->mParent;
    }
    return space;
}

void TObject::PlaySpaceSound(const std::string& name) const {
    TObjectSpace* root = GetRootSpace();
    if (!name.empty() && root != nullptr) {
        root->GetSoundPlayer()->PlaySound(name);
    }
}

void TObject::PlayObjectSound(const std::string& name) const {
    if (GetRootSpace() != nullptr) {
        PlaySpaceSound(name);
    } else if (!name.empty()) {
        TSoundManager::GetInstance()->PlaySound(name);
    }
}
