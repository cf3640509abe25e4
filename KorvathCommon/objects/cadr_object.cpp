#include "objects/cadr_object.h"

#include <algorithm>

#include "app/xml_reader.h"
#include "graphics/build_maps_scope.h"
#include "media/sound_manager.h"
#include "objects/whole_pixels.h"

namespace {
// Far more frames than any strip has.
constexpr int32_t kMaxFrames = 4096;
} // namespace

TCadrObject::TCadrObject() {
    mActive = true;
}

int32_t TCadrObject::CountFrames(int width, int height, int frameWidth, int frameHeight) {
    if (frameWidth <= 0 || frameHeight <= 0) {
        return 1;
    }
    const int64_t columns = std::max(1, width / frameWidth), rows = std::max(1, height / frameHeight);
    return static_cast<int32_t>(std::min<int64_t>(columns * rows, kMaxFrames));
}

void TCadrObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    const bool userFolder = ReadXmlBool(element, "udf", true);
    const std::string name = (userFolder ? folder : std::string()) + ReadXmlString(element, "anim", "");
    mDescribedFrames = ReadXmlInt(element, "frames", -1);
    const int textureWidth = ReadXmlInt(element, "tw", 0), textureHeight = ReadXmlInt(element, "th", 0);
    const float speed = ReadXmlFloat(element, "speed", 0);
    mAnimationSound = ReadXmlString(element, "anim_sound", "");
    const bool timed = ReadXmlBool(element, "timed", false);
    const bool stayOnLast = ReadXmlBool(element, "stayonlastcadr", false);
    mLoopCount = ReadXmlInt(element, "loop", -1);

    TCadrImage* strip = timed ? new TTimeCadrImage() : new TCadrImage();
    if (timed) {
        static_cast<TTimeCadrImage*>(strip)->LoadTimes(element);
    }
    mAnimation = SharedPtr<TCadrImage>(strip);
    strip->mStayOnLast = stayOnLast;
    strip->mTextureWidth = textureWidth;
    strip->mTextureHeight = textureHeight;
    strip->mImageName = name;
    strip->mImage.mImageName = name;
    const int32_t frames =
        mDescribedFrames > 0 ? mDescribedFrames : CountFrames(textureWidth, textureHeight, GetWidth(), GetHeight());
    strip->SetFrames(speed, frames, GetWidth(), GetHeight());
    PlaceStrip(GetX(), GetY());
    strip->mImage.SetScale(GetScaleX());
}

void TCadrObject::PlaceStrip(float x, float y) {
    if (mAnimation) {
        mAnimation->mImage.SetPosition(static_cast<float>(WholePixels(x)), static_cast<float>(WholePixels(y)), false);
    }
}

// Before the texture is known the frames are laid out over the "tw" width; now over the texture's own.
void TCadrObject::LayOutFrames() {
    TCadrImage& strip = *mAnimation;
    if (mDescribedFrames <= 0 && strip.mImage.mTexture) {
        strip.mFrameCount = CountFrames(strip.mImage.mTexture->GetWidth(), strip.mImage.mTexture->GetHeight(),
                                        strip.mFrameWidth, strip.mFrameHeight);
    }
    strip.BuildFrames(strip.mFrameCount);
    strip.SetFrame(strip.mCurrentFrame < strip.mFrameCount ? strip.mCurrentFrame : 0);
}

void TCadrObject::LoadResources() {
    TObject::LoadResources();
    if (!mAnimation) {
        return;
    }
    {
        TBuildMapsScope maps(!mCheckOnlyBounds);
        mAnimation->mImage.SetImage(mAnimation->mImageName);
    }
    LayOutFrames();
}

void TCadrObject::UnloadResources() {
    TObject::UnloadResources();
    if (mAnimation && mAnimation->mImage.mTexture && !mAnimation->mImageName.empty()) {
        mAnimation->mImage.ReleaseImage();
    }
}

void TCadrObject::Draw(float alpha) {
    if (!mVisible) {
        return;
    }
    TObject::Draw(alpha);
    if (mAnimation) {
        mAnimation->Draw(mAlpha * alpha);
    }
}

bool TCadrObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mAnimation) {
        PlaceStrip(GetX(), GetY());
        mAnimation->Update(seconds);
        mAnimation->SetAngleAboutFrameCentre(mAngle);
    }
    return false;
}

void TCadrObject::SetPosition(float x, float y, bool moveChildren) {
    PlaceStrip(x, y);
    TObject::SetPosition(x, y, moveChildren);
}

void TCadrObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mActive = true;
    if (mAnimation) {
        mAnimation->Play(mLoopCount);
    }
    PlayObjectSound(mAnimationSound);
}

void TCadrObject::Deactivate(int index, int x, int y) {
    TObject::Deactivate(index, x, y);
    mActive = false;
    if (mAnimation) {
        mAnimation->Stop();
    }
    if (!mAnimationSound.empty()) {
        TSoundManager::GetInstance()->StopSound(mAnimationSound);
    }
}

void TCadrObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    if (mAnimation) {
        mAnimation->SaveState(writer);
    }
}

void TCadrObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    if (mAnimation) {
        mAnimation->RestoreState(reader);
    }
}
