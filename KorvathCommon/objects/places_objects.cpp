#include "objects/places_objects.h"

#include <cmath>
#include <utility>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/build_maps_scope.h"
#include "graphics/saved_flags.h"
#include "media/sound_manager.h"
#include "objects/children_in_order.h"
#include "objects/places_items_objects.h"
#include "objects/tool.h"
#include "windows/mouse_event.h"

namespace {

constexpr float kDefaultMovingTime = 0.001f;

float Truncated(float value) {
    return static_cast<float>(static_cast<int>(value));
}

} // namespace

// ---- place ----

TPlacesObject::~TPlacesObject() {
    ForgetToolSource(this);
}

void TPlacesObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mNeededImage = folder + ReadXmlString(element, "needed_image", "");
    mLockAfterSet = ReadXmlBool(element, "lock_after_set", false);
    mTakeSound = ReadXmlString(element, "soundtake", "");
    LoadStaticImageFromXml(mOverlay, element, folder);
    // A place without an overlay picture has nothing to load.
    if (ReadXmlString(element, "filename", "").empty() && ReadXmlString(element, "image", "").empty()) {
        mOverlay.mImageName.clear();
    }
    mOverlay.SetVisible(false);
}

void TPlacesObject::LoadResources() {
    TObject::LoadResources();
    if (!mOverlay.mImageName.empty()) {
        mOverlay.SetImage(mOverlay.mImageName);
    }
}

void TPlacesObject::UnloadResources() {
    TObject::UnloadResources();
    mOverlay.ReleaseImage();
}

TPlacesHandleObject* TPlacesObject::GetHandle() const {
    return mHandle != nullptr && GetParent() == mHandle ? mHandle : nullptr;
}

float TPlacesObject::GetMovingTime() const {
    const TPlacesHandleObject* handle = GetHandle();
    return handle != nullptr ? handle->mMovingTime : kDefaultMovingTime;
}

bool TPlacesObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mMover.moving) {
        return false;
    }
    const bool finished = mMover.Update(seconds);
    if (StaticImage* image = GetImage()) {
        image->SetPosition(mMover.currentX, mMover.currentY, false);
    }
    if (finished) {
        if (TPlacesHandleObject* handle = GetHandle()) {
            handle->CheckSolved();
        }
    }
    return false;
}

bool TPlacesObject::OnMouseDown(const TMouseEvent& event) {
    if (mLocked) {
        return false;
    }
    if (event.buttons == TMouseEvent::kLeft && event.tool != nullptr && HitTestSelf(event.x, event.y)) {
        TSoundManager::GetInstance()->PlaySound(mSoundTool);
        if (auto* source = dynamic_cast<TPlacesObject*>(GetToolSource(event.tool))) {
            SwapWith(*source);
            // The piece is put down: the same tool cannot swap the source's new piece away again.
            event.tool->mSourceObject = nullptr;
        }
    }
    return TObject::OnMouseDown(event);
}

void TPlacesObject::SwapWith(TPlacesObject& source) {
    StaticImage* mine = GetImage();
    StaticImage* theirs = source.GetImage();
    if (mine != nullptr && theirs != nullptr) {
        std::swap(*mine, *theirs);
    }
    std::swap(mImageName, source.mImageName);
    if (mine != nullptr) {
        mine->SetPosition(Truncated(GetX()), Truncated(GetY()), false);
    }
    // The piece that goes back slides from where it was shown to its new place.
    const float fromX = theirs != nullptr ? theirs->mBaseX : GetX();
    const float fromY = theirs != nullptr ? theirs->mBaseY : GetY();
    const float toX = Truncated(source.GetX()), toY = Truncated(source.GetY());
    const int distance = static_cast<int>(std::sqrt((toX - fromX) * (toX - fromX) + (toY - fromY) * (toY - fromY)));
    // A new slide replaces one still running, rather than queueing behind it.
    source.mMover.queue.clear();
    source.mMover.MoveTo(static_cast<int>(fromX), static_cast<int>(fromY), static_cast<int>(toX), static_cast<int>(toY),
                         static_cast<float>(distance) * source.GetMovingTime());
    source.mGiven = false;
}

void TPlacesObject::MarkSet() {
    if (mSet) {
        return;
    }
    mSet = true;
    if (mLockAfterSet) {
        TObject::Lock();
        ShowOverlay();
    }
}

void TPlacesObject::ShowOverlay() {
    mOverlay.SetVisible(true);
    const StaticImage* image = GetImage();
    mOverlay.SetPosition(image != nullptr ? image->mBaseX : GetX(), image != nullptr ? image->mBaseY : GetY(), false);
}

void TPlacesObject::Activate(int index, int x, int y) {
    mActivated = true;
}

void TPlacesObject::Unlock() {
    if (!(mSet && mLockAfterSet)) {
        mLocked = false;
    }
}

bool TPlacesObject::GiveTool(int index, std::vector<TGivenTool>& list) {
    if (!TObject::GiveTool(index, list)) {
        return false;
    }
    PlaySpaceSound(mTakeSound);
    SetToolSource(list[static_cast<size_t>(index)].name, this, mImageName);
    mGiven = true;
    return true;
}

void TPlacesObject::DrawAll() {
    TObject::Draw(1.0f);
    mOverlay.Draw(1.0f);
}

void TPlacesObject::SaveState(TBaseBuffer& writer) {
    // A piece out as a tool is back in its place, shown, once the record is read; it is written back already,
    // in the object's record too, so the record read and written again stays the same.
    const bool visible = mVisible;
    mVisible = visible || mGiven;
    TObject::SaveState(writer);
    mVisible = visible;
    writer.WriteString(mImageName);
    WriteFlag(writer, mActivated);
    WriteFlag(writer, mSet);
    WriteFlag(writer, visible || mGiven);
    WriteFlag(writer, false);
}

void TPlacesObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const std::string picture = reader.ReadString();
    const bool activated = ReadFlag(reader);
    const bool set = ReadFlag(reader);
    const bool visible = ReadFlag(reader);
    const bool given = ReadFlag(reader);
    if (reader.IsFailed()) {
        return;
    }
    if (picture != mImageName && GetImage() != nullptr) {
        TBuildMapsScope maps(!mCheckOnlyBounds, mCacheColor);
        GetImage()->SetImage(picture);
    }
    mImageName = picture;
    mActivated = activated;
    mSet = set;
    mVisible = visible;
    mGiven = given;
    SyncImage();
    if (mSet && mLockAfterSet) {
        TObject::Lock();
        ShowOverlay();
    }
    if (mGiven) {
        mVisible = true;
        mGiven = false;
    }
}

// ---- handle ----

void TPlacesHandleObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mMovingTime = ReadXmlFloat(element, "moving_time", mMovingTime);
    mAlignToCenter = ReadXmlBool(element, "align_to_center", mAlignToCenter);
}

bool TPlacesHandleObject::OnMouseDown(const TMouseEvent& event) {
    return !mLocked && OfferInOrder(GetChildren(), [&](TObject& child) { return child.OnMouseDown(event); });
}

bool TPlacesHandleObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    return !mLocked &&
           OfferInOrder(GetChildren(), [&](TObject& child) { return child.OnMouseMove(event, firstHover); });
}

bool TPlacesHandleObject::OnMouseUp(const TMouseEvent& event) {
    return !mLocked && OfferInOrder(GetChildren(), [&](TObject& child) { return child.OnMouseUp(event); });
}

void TPlacesHandleObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    for (const auto& child : GetChildren()) {
        if (auto* place = dynamic_cast<TPlacesObject*>(child.get())) {
            place->mHandle = this;
        } else {
            TLogFile::Get()->Printf("places %s: child %s is not a place, skipped", mName.c_str(), child->mName.c_str());
        }
    }
    CheckSolved();
}

bool TPlacesHandleObject::CheckAll() {
    bool all = true;
    for (const auto& child : GetChildren()) {
        auto* place = dynamic_cast<TPlacesObject*>(child.get());
        if (place == nullptr) {
            continue;
        }
        if (place->IsCorrect()) {
            place->MarkSet();
        } else {
            all = false;
        }
    }
    return all;
}

void TPlacesHandleObject::CheckSolved() {
    if (CheckAll() && !mLocked) {
        ApplyAfterEvent(0);
    }
}

void TPlacesHandleObject::Lock() {
    TObject::Lock();
    for (const auto& child : GetChildren()) {
        child->Lock();
    }
}

void TPlacesHandleObject::Unlock() {
    mLocked = false;
    for (const auto& child : GetChildren()) {
        child->Unlock();
    }
}

void TPlacesHandleObject::DrawAll() {
    TObject::Draw(1.0f);
    for (const auto& child : GetChildren()) {
        auto* place = dynamic_cast<TPlacesObject*>(child.get());
        if (place != nullptr && place->IsSliding()) {
            place->DrawAll();
        }
    }
}
