#include "objects/fading_objects.h"

#include <cmath>

#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/terms.h"
#include "objects/collection_objects.h"
#include "windows/text_label.h"

// ---- blending object ----

void TBlendingObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mOnShow = ReadXmlBool(element, "onshow", false);
    mTime = ReadXmlFloat(element, "time", 2.0f);
    if (ReadXmlBool(element, "active", false)) {
        Activate(0, 0, 0);
    }
    TObject::SetAlpha(0);
}

void TBlendingObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mCycler.cycleLimit = 1;
    mCycler.Setup(0, 0.5f, 1.0f, mTime);
}

bool TBlendingObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mCycler.finished) {
        const bool ended = mCycler.Update(seconds);
        TObject::SetAlpha(mCycler.tween.current);
        if (ended) {
            ApplyAfterEvent(0);
        }
    }
    return false;
}

void TBlendingObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    if (mOnShow) {
        Activate(0, 0, 0);
    }
}

void TBlendingObject::OnSpaceHide() {
    TObject::OnSpaceHide();
    if (mOnShow) {
        TObject::SetAlpha(0);
    }
}

// ---- note collection item ----

TNoteCollectionItemObject::TNoteCollectionItemObject() : mLabel(std::make_unique<TSimpleTextImage>()) {
    mLabel->SetFont("default");
    mLabel->mWidth = 100;
    mLabel->mHeight = 20;
    mLabel->mColor = TColor{0, 0, 0, 1};
    mLabel->mAlignment = 0;
    mLabel->SetAlpha(0);
}

TNoteCollectionItemObject::~TNoteCollectionItemObject() = default;

TCollectionItem* TNoteCollectionItemObject::FindItem() const {
    TCollectionsRegistry* registry = TCollectionsRegistry::GetInstance();
    return registry != nullptr ? registry->FindItem(mName) : nullptr;
}

void TNoteCollectionItemObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mGivenAlpha = mAlpha;
    mFadeTime = ReadXmlFloat(element, "text_alpha_time", 0.2f);
    mLabel->SetPosition(ReadXmlInt(element, "tx", 0), ReadXmlInt(element, "ty", 0));
    const TCollectionItem* item = FindItem();
    if (item == nullptr) {
        // Without its item the object would turn invisible: it shows its own picture at its own alpha.
        mAlphaFactor = 1.0f;
        TLogFile::Get()->Printf("note_collection_item %s: no collection item of that id, shown as it is",
                                mName.c_str());
        return;
    }
    mImageName = item->pictureName;
    mAlphaFactor = item->collected ? 1.0f : kUncollectedFactor;
    mLabel->mText = FromUtf8(FormatString("%d ", item->number)) + GetTerms()->GetWideText("points");
}

void TNoteCollectionItemObject::SetAlpha(float alpha) {
    const float value = mAlphaFactor * alpha;
    if (value >= 0.0f && value <= 1.0f) {
        mGivenAlpha = alpha;
        TObject::SetAlpha(value);
    }
}

// From the alpha last given, not the dimmed one: loading the pictures again must not dim them further.
void TNoteCollectionItemObject::LoadResources() {
    TObject::LoadResources();
    SetAlpha(mGivenAlpha);
}

void TNoteCollectionItemObject::OnMouseEnter(int x, int y) {
    const TCollectionItem* item = FindItem();
    if (item != nullptr && item->collected) {
        const float c = mLabelTween.current;
        mLabelTween.Set(c, 1.0f, std::fabs((1.0f - c) * mFadeTime), true);
    }
}

void TNoteCollectionItemObject::OnMouseLeave(int x, int y) {
    const float c = mLabelTween.current;
    mLabelTween.Set(c, 0.0f, std::fabs(c * mFadeTime), true);
}

bool TNoteCollectionItemObject::Update(float seconds) {
    TObject::Update(seconds);
    mLabelTween.Update(seconds);
    mLabel->SetAlpha(mLabelTween.current);
    return false;
}

void TNoteCollectionItemObject::DrawAll() {
    TObject::Draw(1.0f);
    mLabel->DrawSelf();
}
