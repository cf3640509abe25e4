#include "objects/light_button_objects.h"

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "graphics/build_maps_scope.h"
#include "graphics/saved_flags.h"
#include "windows/mouse_event.h"

#include <tinyxml.h>

void TLightCheckButtonObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    if (element == nullptr) {
        return;
    }
    if (const TiXmlElement* normal = element->FirstChildElement("normal_image")) {
        LoadStaticImageFromXml(mNormalImage, normal, folder);
    }
    if (const TiXmlElement* pushed = element->FirstChildElement("pushed_image")) {
        LoadStaticImageFromXml(mPushedImage, pushed, folder);
    }
    mPushed = ReadXmlBool(element, "pushed", false);
    mUnpushTime = ReadXmlFloat(element, "unpushtime", 0);
}

void TLightCheckButtonObject::LoadResources() {
    TObject::LoadResources();
    // Presses are tested against the state images' pixels.
    TBuildMapsScope maps(true);
    for (StaticImage* image : {&mNormalImage, &mPushedImage}) {
        if (!image->mImageName.empty()) {
            image->SetImage(image->mImageName);
        }
    }
}

void TLightCheckButtonObject::UnloadResources() {
    TObject::UnloadResources();
    mNormalImage.ReleaseImage();
    mPushedImage.ReleaseImage();
}

void TLightCheckButtonObject::Reset() {
    mPushed = false;
    // A released button has no spring-back left to report.
    mUnpushTween.running = false;
    mUnpushTween.finished = true;
}

bool TLightCheckButtonObject::OnMouseDown(const TMouseEvent& event) {
    if (mLocked || !GetStateImage()->HitTest(event.x, event.y)) {
        return false;
    }
    if (mPushed) {
        // Released by the player: the spring-back is over and reports nothing.
        Reset();
    } else {
        // The object's click is judged on the light that was pressed, before the pushed light (which may
        // be smaller) takes its place.
        TObject::OnMouseDown(event);
        mPushed = true;
    }
    PlaySpaceSound(mSound);
    if (mPushed && mUnpushTime > 0) {
        mUnpushTween.Start(mUnpushTime);
    }
    return true;
}

bool TLightCheckButtonObject::Update(float seconds) {
    if (mUnpushTween.running && mUnpushTween.Update(seconds)) {
        Reset();
        ApplyAfterEvent(0);
    }
    return TObject::Update(seconds);
}

bool TLightCheckButtonObject::HitTestSelf(int x, int y) {
    StaticImage* image = GetStateImage();
    const TRenderState& state = image->mRenderState;
    float w = state.srcW, h = state.srcH;
    if (!(w > 0) || !(h > 0)) {
        w = image->mTexture ? static_cast<float>(image->mTexture->GetWidth()) : 0.0f;
        h = image->mTexture ? static_cast<float>(image->mTexture->GetHeight()) : 0.0f;
    }
    const float left = image->GetX(), top = image->GetY();
    const auto px = static_cast<float>(x), py = static_cast<float>(y);
    return left <= px && px < left + w && top <= py && py < top + h;
}

void TLightCheckButtonObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mVisible) {
        GetStateImage()->Draw(1.0f);
    }
}

void TLightCheckButtonObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mPushed);
    mUnpushTween.Write(writer);
}

void TLightCheckButtonObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const bool pushed = ReadFlag(reader);
    IncValue tween;
    tween.Read(reader);
    if (reader.IsFailed()) {
        return;
    }
    mPushed = pushed;
    mUnpushTween = tween;
}

void TLCBResetOnUnlockObject::Unlock() {
    mLocked = false;
    Reset();
}
