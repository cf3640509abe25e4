#include "objects/places_items_objects.h"

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "objects/children_in_order.h"
#include "objects/tool.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

// ---- tool sources ----

void SetToolSource(const std::string& toolId, TObject* source, const std::string& flyImage) {
    TTool* tool = TToolList::GetPlayerTools().FindById(toolId);
    if (tool == nullptr) {
        return;
    }
    tool->mSourceObject = source;
    if (flyImage.empty()) {
        return;
    }
    // The first flying image shows what was handed out; a tool without one gets it.
    if (tool->mFlyImageNames.empty()) {
        tool->mFlyImageNames.push_back(flyImage);
        tool->mFlyImages.emplace_back();
        tool->mCurrentImage = 0;
    } else {
        tool->mFlyImageNames[0] = flyImage;
    }
    if (tool->AreImagesLoaded() && !tool->mFlyImages.empty()) {
        tool->mFlyImages[0].SetImage(flyImage);
    }
}

void ForgetToolSource(const TObject* source) {
    const TToolList& tools = TToolList::GetPlayerTools();
    for (size_t i = 0; i < tools.GetCount(); ++i) {
        if (tools.GetAt(i)->mSourceObject == source) {
            tools.GetAt(i)->mSourceObject = nullptr;
        }
    }
}

TObject* GetToolSource(const TTool* tool) {
    return tool != nullptr ? static_cast<TObject*>(tool->mSourceObject) : nullptr;
}

// ---- slot ----

TPlacesItemsObject::~TPlacesItemsObject() {
    ForgetToolSource(this);
}

void TPlacesItemsObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mLockAfterSet = ReadXmlBool(element, "lock_after_set", false);
    mCorrectIndex = ReadXmlInt(element, "correctindex", 0);
    mIndex = ReadXmlInt(element, "index", 0);
    LoadStaticImageFromXml(mMarker, element, folder);
    // A slot without a marker picture has nothing to load.
    if (ReadXmlString(element, "filename", "").empty() && ReadXmlString(element, "image", "").empty()) {
        mMarker.mImageName.clear();
    }
    mMarker.SetVisible(false);
    mCheckOnlyBounds = true;
    mTakeSound = ReadXmlString(element, "soundtake", "");
}

void TPlacesItemsObject::LoadResources() {
    TObject::LoadResources();
    if (!mMarker.mImageName.empty()) {
        mMarker.SetImage(mMarker.mImageName);
    }
}

void TPlacesItemsObject::UnloadResources() {
    TObject::UnloadResources();
    mMarker.ReleaseImage();
}

void TPlacesItemsObject::SetIndex(int index) {
    mIndex = index;
    const auto& children = GetChildren();
    for (size_t k = 0; k < children.size(); ++k) {
        children[k]->SetVisible(static_cast<int>(k) == index);
    }
    if (index >= 0 && index < static_cast<int>(children.size())) {
        const TObject& shown = *children[static_cast<size_t>(index)];
        mX = shown.mX;
        mY = shown.mY;
        mW = shown.mW;
        mH = shown.mH;
    }
    if (index == mCorrectIndex && !mPlaced) {
        MarkPlaced();
    }
}

void TPlacesItemsObject::MarkPlaced() {
    if (mPlaced) {
        return;
    }
    mPlaced = true;
    if (mLockAfterSet) {
        TObject::Lock();
        ShowMarker();
    }
}

void TPlacesItemsObject::ShowMarker() {
    mMarker.SetVisible(true);
    // Where the slot's own image is drawn; read from the draw position, which is fresh even when the
    // index has just moved the slot.
    mMarker.SetPosition(static_cast<float>(WholePixels(GetX())), static_cast<float>(WholePixels(GetY())),
                        mDrawType == kDrawCentred);
}

TPlacesItemsHandleObject* TPlacesItemsObject::GetOwner() const {
    return mOwner != nullptr && GetParent() == mOwner ? mOwner : nullptr;
}

void TPlacesItemsObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    SetIndex(mIndex);
}

void TPlacesItemsObject::Activate(int index, int x, int y) {
    mDone = true;
}

void TPlacesItemsObject::Unlock() {
    if (!(mPlaced && mLockAfterSet)) {
        mLocked = false;
    }
}

bool TPlacesItemsObject::OnMouseDown(const TMouseEvent& event) {
    if (mLocked || !mVisible) {
        return false;
    }
    auto* other = dynamic_cast<TPlacesItemsObject*>(GetToolSource(event.tool));
    if (event.buttons == TMouseEvent::kLeft && other != nullptr && other != this && HitTestSelf(event.x, event.y)) {
        PlaySpaceSound(mSoundTool);
        const int otherIndex = other->mIndex;
        other->SetIndex(mIndex);
        SetIndex(otherIndex);
        // The content is put down: the same tool cannot exchange the other slot's new content again.
        event.tool->mSourceObject = nullptr;
        if (TPlacesItemsHandleObject* owner = GetOwner()) {
            owner->CheckSolved();
        }
    }
    return TObject::OnMouseDown(event);
}

bool TPlacesItemsObject::GiveTool(int index, std::vector<TGivenTool>& list) {
    if (!TObject::GiveTool(index, list)) {
        return false;
    }
    PlaySpaceSound(mTakeSound);
    const auto& children = GetChildren();
    std::string picture;
    if (mIndex >= 0 && mIndex < static_cast<int>(children.size())) {
        picture = children[static_cast<size_t>(mIndex)]->mImageName;
    }
    SetToolSource(list[static_cast<size_t>(index)].name, this, picture);
    return true;
}

void TPlacesItemsObject::DrawAll() {
    TObject::Draw(1.0f);
    mMarker.Draw(1.0f);
}

void TPlacesItemsObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mPlaced);
    writer.WriteInt32(mIndex);
}

void TPlacesItemsObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const bool placed = ReadFlag(reader);
    const int index = reader.ReadInt32();
    if (reader.IsFailed()) {
        return;
    }
    mPlaced = placed;
    SetIndex(index);
    if (mPlaced && mLockAfterSet) {
        TObject::Lock();
        ShowMarker();
    }
}

// ---- handle ----

void TPlacesItemsHandleObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mAlignToCenter = ReadXmlBool(element, "align_to_center", mAlignToCenter);
}

bool TPlacesItemsHandleObject::OnMouseDown(const TMouseEvent& event) {
    return !mLocked && OfferInOrder(GetChildren(), [&](TObject& child) { return child.OnMouseDown(event); });
}

bool TPlacesItemsHandleObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    return !mLocked &&
           OfferInOrder(GetChildren(), [&](TObject& child) { return child.OnMouseMove(event, firstHover); });
}

bool TPlacesItemsHandleObject::OnMouseUp(const TMouseEvent& event) {
    return !mLocked && OfferInOrder(GetChildren(), [&](TObject& child) { return child.OnMouseUp(event); });
}

void TPlacesItemsHandleObject::OnSpaceFirstShow() {
    TObject::OnSpaceFirstShow();
    if (mAlignToCenter) {
        CentreChildren();
    }
}

// Each child's anchor becomes the centre of its picture, so it is drawn where it was.
void TPlacesItemsHandleObject::CentreChildren() {
    for (const auto& child : GetChildren()) {
        const StaticImage* image = child->GetImage();
        float w = 0, h = 0;
        if (image != nullptr && image->mRenderState.srcW > 0) {
            w = image->mRenderState.srcW;
            h = image->mRenderState.srcH;
        } else if (image != nullptr && image->mTexture) {
            w = static_cast<float>(image->mTexture->GetWidth());
            h = static_cast<float>(image->mTexture->GetHeight());
        }
        child->mDrawType = kDrawCentred;
        child->SetPosition(static_cast<float>(static_cast<int>(child->mX + w * 0.5f)),
                           static_cast<float>(static_cast<int>(child->mY + h * 0.5f)), true);
    }
}

void TPlacesItemsHandleObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    for (const auto& child : GetChildren()) {
        if (auto* slot = dynamic_cast<TPlacesItemsObject*>(child.get())) {
            slot->mOwner = this;
        } else {
            TLogFile::Get()->Printf("places items %s: child %s is not a slot, skipped", mName.c_str(),
                                    child->mName.c_str());
        }
    }
    CheckSolved();
}

bool TPlacesItemsHandleObject::AreAllPlaced() {
    bool all = true;
    for (const auto& child : GetChildren()) {
        auto* slot = dynamic_cast<TPlacesItemsObject*>(child.get());
        if (slot == nullptr) {
            continue;
        }
        if (slot->mIndex == slot->mCorrectIndex || slot->mDone) {
            slot->MarkPlaced();
        } else {
            all = false;
        }
    }
    return all;
}

void TPlacesItemsHandleObject::CheckSolved() {
    if (AreAllPlaced() && !mLocked) {
        ApplyAfterEvent(0);
    }
}

void TPlacesItemsHandleObject::Lock() {
    TObject::Lock();
    for (const auto& child : GetChildren()) {
        child->Lock();
    }
}

void TPlacesItemsHandleObject::Unlock() {
    mLocked = false;
    for (const auto& child : GetChildren()) {
        child->Unlock();
    }
}

void TPlacesItemsHandleObject::DrawAll() {
    TObject::Draw(1.0f);
}
