#include "objects/rotator_object.h"

#include <cmath>

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "windows/messages.h"

namespace {

constexpr const char* kRotatorEffect = "rotator";

} // namespace

TSimpleObject* TSimpleObjectList::Find(const std::string& name) const {
    for (const auto& object : mObjects) {
        if (object->mName == name) {
            return object.get();
        }
    }
    return nullptr;
}

void TSimpleObjectList::Update(float seconds) {
    // An effect may add effects while it updates; only those present before the pass are updated.
    std::vector<TSimpleObject*> pass;
    for (const auto& object : mObjects) {
        pass.push_back(object.get());
    }
    for (TSimpleObject* object : pass) {
        object->Update(seconds);
    }
    std::erase_if(mObjects, [](const std::unique_ptr<TSimpleObject>& object) { return object->mDone; });
}

TRotationEffect::TRotationEffect(const std::string& name, StaticImage* image, float target, float seconds,
                                 TRotationEffectListener* listener)
    : mImage(image), mListener(listener) {
    mName = name;
    mTween.finishAtOnce = true;
    mTween.Set(image != nullptr ? image->mAngle : 0.0f, target, std::fabs(seconds), true);
}

void TRotationEffect::Update(float seconds) {
    mTween.Update(seconds);
    if (mImage != nullptr) {
        mImage->mAngle = mTween.current;
        mImage->UpdateTransform();
    }
    if (!mTween.finished) {
        return;
    }
    mDone = true;
    if (!mMessageName.empty()) {
        TMyMessageManager::Get()->Post(mMessageName, 0);
    }
    if (mListener != nullptr) {
        mListener->OnRotationDone(mName);
    }
}

// ---- rotator ----

void TRotatorObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mTurns = ReadXmlFloat(element, "turns", 0);
    mTime = ReadXmlFloat(element, "time", -1);
    const TiXmlElement* image = element != nullptr ? element->FirstChildElement("img") : nullptr;
    if (image != nullptr) {
        LoadStaticImageFromXml(mRotImage, image, folder);
    }
}

void TRotatorObject::LoadResources() {
    TObject::LoadResources();
    if (!mRotImage.mImageName.empty()) {
        mRotImage.SetImage(mRotImage.mImageName);
    }
}

void TRotatorObject::UnloadResources() {
    TObject::UnloadResources();
    mRotImage.ReleaseImage();
}

void TRotatorObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    if (mEffects.Find(kRotatorEffect) != nullptr) {
        return;
    }
    mEffects.Add(
        std::make_unique<TRotationEffect>(kRotatorEffect, &mRotImage, mRotImage.mAngle + mTurns * kTurn, mTime, this));
}

void TRotatorObject::OnRotationDone(const std::string& name) {
    ApplyAfterEvent(0);
}

bool TRotatorObject::Update(float seconds) {
    TObject::Update(seconds);
    mEffects.Update(seconds);
    if (mDonePending) {
        mDonePending = false;
        ApplyAfterEvent(0);
    }
    return false;
}

void TRotatorObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mVisible) {
        mRotImage.Draw(1.0f);
    }
}

void TRotatorObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    auto* running = dynamic_cast<TRotationEffect*>(mEffects.Find(kRotatorEffect));
    // A turn read back and not yet reported by an update is still running as far as the record goes, so a
    // restored rotator saved again keeps the report it owes.
    WriteFlag(writer, running != nullptr || mDonePending);
    // A running turn is saved as made: the restored rotator reports it on its first update.
    WriteFixed1000(writer, running != nullptr ? running->mTween.to : mRotImage.mAngle);
}

void TRotatorObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mDonePending = ReadFlag(reader);
    const float angle = ReadFixed1000(reader);
    if (!reader.IsFailed()) {
        mRotImage.mAngle = angle;
    }
}
