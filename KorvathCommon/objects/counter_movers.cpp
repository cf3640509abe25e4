#include "objects/counter_movers.h"

#include <algorithm>

#include "app/buffer.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"
#include "objects/text_objects.h"

// ---- found-counter mover ----

void TFinderMoverObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TMoverObject::LoadFromXml(element, folder);
    mTextOffsetX = ReadXmlInt(element, "textx", 0);
    mTextOffsetY = ReadXmlInt(element, "texty", 0);
    mTotal = ReadXmlInt(element, "count", 0);
    mCurrent = ReadXmlInt(element, "curcount", 0);
    mOnClick = false;
}

TTextObject* TFinderMoverObject::FindText() const {
    for (const auto& child : GetChildren()) {
        if (auto* text = dynamic_cast<TTextObject*>(child.get())) {
            return text;
        }
    }
    return nullptr;
}

void TFinderMoverObject::ShowCount(bool moveChildren) {
    if (mText == nullptr) {
        return;
    }
    mText->SetText(FormatString("%d/%d", mCurrent, mTotal));
    mText->SetPosition(GetX() + static_cast<float>(mTextOffsetX), GetY() + static_cast<float>(mTextOffsetY),
                       moveChildren);
}

void TFinderMoverObject::OnSpaceFirstShow() {
    TObject::OnSpaceFirstShow();
    mText = FindText();
    ShowCount();
}

bool TFinderMoverObject::Update(float seconds) {
    TMoverObject::Update(seconds);
    // Only a text as the first child travels along; a text further down keeps its place.
    if (!GetChildren().empty()) {
        if (auto* text = dynamic_cast<TTextObject*>(GetChildren().front().get())) {
            text->SetPosition(GetX() + static_cast<float>(mTextOffsetX), GetY() + static_cast<float>(mTextOffsetY),
                              true);
        }
    }
    return false;
}

void TFinderMoverObject::SaveState(TBaseBuffer& writer) {
    TMoverObject::SaveState(writer);
    writer.WriteInt32(mCurrent);
}

void TFinderMoverObject::RestoreState(TBaseBuffer& reader) {
    TMoverObject::RestoreState(reader);
    mCurrent = reader.ReadInt32();
    mText = FindText();
    // The text's children were read back where they stood, moved along with the text already: moved again
    // from the text's loaded place they would land elsewhere, and the state would not read back the same.
    ShowCount(false);
}

// ---- timed frame counter ----

void TDoubleHOCadrObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TCadrObject::LoadFromXml(element, folder);
    mTime = ReadXmlFloat(element, "time", 0);
}

void TDoubleHOCadrObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mActive = true;
    if (mAnimation) {
        mAnimation->Play(mLoopCount);
    }
    if (!mAnimationSound.empty()) {
        TSoundManager::GetInstance()->PlaySound(mAnimationSound);
    }
    // A negative time is no time: the clock does not run.
    mRemaining = std::max(0.0f, mTime);
}

void TDoubleHOCadrObject::Deactivate(int index, int x, int y) {
    TObject::Deactivate(index, x, y);
    mActive = false;
    if (mAnimation) {
        mAnimation->Stop();
    }
    // The tick under way ends by itself.
    if (!mAnimationSound.empty()) {
        TSoundManager::GetInstance()->StopSound(mAnimationSound);
    }
    mRemaining = 0;
}

bool TDoubleHOCadrObject::Update(float seconds) {
    if (mRemaining <= 0) {
        return false;
    }
    TCadrObject::Update(seconds);
    mRemaining = std::max(0.0f, mRemaining - seconds);
    // Kept going, the frame in which the time runs out included; the last tick then ends by itself.
    TSoundManager* sound = TSoundManager::GetInstance();
    if (!sound->IsSoundPlaying(kTickingSound)) {
        sound->PlaySound(kTickingSound);
    }
    return false;
}

void TDoubleHOCadrObject::DrawAll() {
    if (mRemaining == 0 || !mVisible) {
        return;
    }
    TObject::Draw(1.0f);
    if (mAnimation) {
        mAnimation->Draw(mAlpha);
    }
}

void TDoubleHOCadrObject::SaveState(TBaseBuffer& writer) {
    TCadrObject::SaveState(writer);
    WriteFixed1000(writer, mRemaining);
}

void TDoubleHOCadrObject::RestoreState(TBaseBuffer& reader) {
    TCadrObject::RestoreState(reader);
    mRemaining = std::max(0.0f, ReadFixed1000(reader));
}

// ---- path image ----

void TrajectoryMoverCadrImage2Object::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TrajectoryMoverCadrImage2::LoadFromXml(element);
}

bool TrajectoryMoverCadrImage2Object::Update(float seconds) {
    TrajectoryMoverCadrImage2::Update(seconds);
    TObject::Update(seconds);
    return false;
}

void TrajectoryMoverCadrImage2Object::Draw(float alpha) {
    TrajectoryMoverCadrImage2::Draw(alpha);
}
