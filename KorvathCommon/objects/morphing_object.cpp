#include "objects/morphing_object.h"

#include <algorithm>
#include <cmath>

#include "app/xml_reader.h"
#include "graphics/build_maps_scope.h"
#include "graphics/texture.h"

namespace {

float ImageWidth(const StaticImage& image) {
    if (image.mRenderState.srcW > 0) {
        return image.mRenderState.srcW;
    }
    return image.mTexture ? static_cast<float>(image.mTexture->GetWidth()) : 0.0f;
}

float ImageHeight(const StaticImage& image) {
    return image.mTexture || image.mRenderState.srcH > 0 ? static_cast<float>(image.GetHeight()) : 0.0f;
}

// The morph images keep their texture's alpha map unless the object is tested by its bounds only.
void LoadImageFor(const TObject& object, StaticImage& image, const std::string& name) {
    TBuildMapsScope maps(!object.mCheckOnlyBounds);
    image.SetImage(name);
}

// A position pair of the description; -1 in either coordinate means the object's draw position.
void PlaceAt(TObject& object, StaticImage& image, int x, int y) {
    if (x == -1 || y == -1) {
        x = static_cast<int>(object.GetX());
        y = static_cast<int>(object.GetY());
    }
    image.SetPosition(static_cast<float>(x), static_cast<float>(y), false);
}

struct TBox {
    float left, top, right, bottom;
};

TBox BoxOf(const StaticImage& image) {
    const float x = static_cast<float>(static_cast<int>(image.mBaseX));
    const float y = static_cast<float>(static_cast<int>(image.mBaseY));
    return {x, y, x + ImageWidth(image), y + ImageHeight(image)};
}

bool InUnion(const TBox& a, const TBox& b, int x, int y) {
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    return px >= std::min(a.left, b.left) && px < std::max(a.right, b.right) && py >= std::min(a.top, b.top) &&
           py < std::max(a.bottom, b.bottom);
}

} // namespace

// ---- TMorphingObject ----

TMorphingObject::TMorphingObject() {
    mActive = true;
}

void TMorphingObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mMorphImage.mImageName = folder + ReadXmlString(element, "mname", "");
    mFadeSeconds = ReadXmlFloat(element, "time", 2.0f);
    mMinAlpha = ReadXmlFloat(element, "min_alpha", 0);
    mMaxAlpha = ReadXmlFloat(element, "max_alpha", 1.0f);
    mPauses[0] = ReadXmlFloat(element, "pause", 0);
    mPauses[1] = ReadXmlFloat(element, "pause2", mPauses[0]);
    mNextPause = 0;
    PlaceAt(*this, mMorphImage, ReadXmlInt(element, "mx", -1), ReadXmlInt(element, "my", -1));
    ResetMorph();
}

void TMorphingObject::ResetMorph() {
    mMorphImage.SetAlpha(mMinAlpha);
}

void TMorphingObject::StartMorph(bool up) {
    if (up) {
        mMorphImage.FadeAlpha(mMinAlpha, mMaxAlpha, mFadeSeconds);
    } else {
        mMorphImage.FadeAlpha(mMaxAlpha, mMinAlpha, mFadeSeconds);
    }
}

void TMorphingObject::Activate(int index, int x, int y) {
    const bool wasActive = mActive;
    TObject::Activate(index, x, y);
    if (!wasActive) {
        StartMorphForward();
    }
}

void TMorphingObject::Draw(float alpha) {
    TObject::Draw(alpha);
    if (mVisible) {
        mMorphImage.Draw(alpha);
    }
}

void TMorphingObject::LoadResources() {
    TObject::LoadResources();
    LoadImageFor(*this, mMorphImage, mMorphImage.mImageName);
    if (mW == 0 && ImageWidth(mMorphImage) > 0) {
        mW = ImageWidth(mMorphImage);
    }
    if (mH == 0 && ImageHeight(mMorphImage) > 0) {
        mH = ImageHeight(mMorphImage);
    }
}

void TMorphingObject::UnloadResources() {
    TObject::UnloadResources();
    mMorphImage.ReleaseImage();
}

bool TMorphingObject::HitTestSelf(int x, int y) {
    if (!mVisible || !(mAlpha > 0)) {
        return false;
    }
    const float left = GetX(), top = GetY();
    return InUnion({left, top, left + mW, top + mH}, BoxOf(mMorphImage), x, y);
}

bool TMorphingObject::Update(float seconds) {
    TObject::Update(seconds);
    UpdateMorph(seconds);
    return false;
}

void TMorphingObject::UpdateMorph(float seconds) {
    if (!mActive) {
        return;
    }
    mMorphImage.SetScaleXY(mScaleX, mScaleY);
    mMorphImage.SetPosition(GetX(), GetY(), false);
    if (!mPauseTimer.IsRunning()) {
        mMorphImage.Update(seconds);
        if (!mMorphImage.IsFinished()) {
            return;
        }
        const float wait = mPauses[static_cast<size_t>(mNextPause)];
        mNextPause ^= 1;
        if (wait > 0) {
            mPauseTimer.Start(wait);
            return;
        }
    } else if (!mPauseTimer.Update(seconds)) {
        return;
    }
    StartMorph(mMorphImage.mAlpha == mMinAlpha);
}

// ---- TDoubleMorphingObject ----

void TDoubleMorphingObject::ResetMorph() {
    TMorphingObject::ResetMorph();
    mOwnImageTween.SetValue(mMaxAlpha);
    if (StaticImage* image = GetImage()) {
        image->mAlpha = mMaxAlpha;
    }
}

void TDoubleMorphingObject::StartMorph(bool up) {
    TMorphingObject::StartMorph(up);
    if (up) {
        mOwnImageTween.Set(mMaxAlpha, mMinAlpha, std::fabs(mFadeSeconds), true);
    } else {
        mOwnImageTween.Set(mMinAlpha, mMaxAlpha, std::fabs(mFadeSeconds), true);
    }
}

bool TDoubleMorphingObject::Update(float seconds) {
    TMorphingObject::Update(seconds);
    mOwnImageTween.Update(seconds);
    if (StaticImage* image = GetImage()) {
        image->mAlpha = mOwnImageTween.current;
    }
    return false;
}

// ---- TMorphingObject2 ----

void TMorphingObject2::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mImageNames[0] = folder + ReadXmlString(element, "mname1", "");
    mImageNames[1] = folder + ReadXmlString(element, "mname2", "");
    mFadeSeconds = ReadXmlFloat(element, "time", 2.0f);
    mPause = ReadXmlFloat(element, "pause", 1.0f);
    mStarted = ReadXmlBool(element, "active", mStarted);
    mImages[0].SetAlpha(1.0f);
    mImages[1].SetAlpha(0.0f);
    PlaceAt(*this, mImages[0], ReadXmlInt(element, "x1", -1), ReadXmlInt(element, "y1", -1));
    PlaceAt(*this, mImages[1], ReadXmlInt(element, "x2", -1), ReadXmlInt(element, "y2", -1));
    if (mStarted) {
        StartMorph(false);
    }
}

void TMorphingObject2::StartMorph(bool up) {
    AlphaStaticImage& current = mImages[static_cast<size_t>(mCurrent)];
    if (up) {
        current.FadeAlpha(0, 1, mFadeSeconds);
        return;
    }
    current.FadeAlpha(1, 0, mFadeSeconds);
    if (mPause > 0) {
        mPauseTimer.Start(mPause);
        return;
    }
    // Without a pause the other image fades in while this one fades out.
    mCurrent ^= 1;
    StartMorph(true);
}

void TMorphingObject2::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mStarted = true;
    StartMorph(false);
}

bool TMorphingObject2::Update(float seconds) {
    TObject::Update(seconds);
    if (mPauseTimer.IsRunning() && mPauseTimer.Update(seconds)) {
        mCurrent ^= 1;
        StartMorph(true);
    }
    for (AlphaStaticImage& image : mImages) {
        if (image.Update(seconds) && image.mAlpha == 1.0f) {
            StartMorph(false);
        }
    }
    return false;
}

void TMorphingObject2::DrawMorph() {
    TObject::Draw(1.0f);
    if (mVisible) {
        for (AlphaStaticImage& image : mImages) {
            image.Draw(1.0f);
        }
    }
}

void TMorphingObject2::LoadResources() {
    TObject::LoadResources();
    for (size_t i = 0; i < mImages.size(); ++i) {
        LoadImageFor(*this, mImages[i], mImageNames[i]);
    }
    mX = static_cast<float>(static_cast<int>(mImages[0].mBaseX));
    mY = static_cast<float>(static_cast<int>(mImages[0].mBaseY));
    mW = ImageWidth(mImages[0]);
    mH = ImageHeight(mImages[0]);
}

void TMorphingObject2::UnloadResources() {
    TObject::UnloadResources();
    for (AlphaStaticImage& image : mImages) {
        image.ReleaseImage();
    }
}

bool TMorphingObject2::HitTestSelf(int x, int y) {
    return mVisible && InUnion(BoxOf(mImages[0]), BoxOf(mImages[1]), x, y);
}
