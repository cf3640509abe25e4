#include "objects/button_objects.h"

#include <algorithm>

#include "app/log.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "objects/object_services.h"
#include "windows/mouse_event.h"

// ---- button sequence ----

void TButtonSequenceControlObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mRightSequence.clear();
    ReadXmlStringList(element, "right_seq", ',', mRightSequence);
    mUnlockTime = ReadXmlFloat(element, "unlock_time", 0.5f);
    mHintKey = ReadXmlString(element, "ehint", "");
    mWrongSound = ReadXmlString(element, "wrongsound", "");
    mGameStateKey = ReadXmlString(element, "hasgamestate", "");
}

bool TButtonSequenceControlObject::OnMouseDown(const TMouseEvent& event) {
    if (mLocked || !mVisible) {
        return false;
    }
    RestartIfPending();
    TObject::OnMouseDown(event);
    TObject* pressed = nullptr;
    for (const auto& child : GetChildren()) {
        if (child->OnMouseDown(event)) {
            pressed = child.get();
            break;
        }
    }
    if (pressed == nullptr) {
        return false;
    }
    mEnteredSequence.push_back(pressed->mName);
    pressed->Lock();
    if (IsSequenceRight()) {
        // Marked in the record, so a restored control is not played again.
        mSolved = true;
        ApplyAfterEvent(0);
    } else if (AreAllChildrenLocked()) {
        OnWrongSequence();
    }
    return true;
}

void TButtonSequenceControlObject::OnWrongSequence() {
    ShowRoomTip(mHintKey);
    PlayObjectSound(mWrongSound);
    if (mUnlockTime > 0) {
        mUnlockTimer.Start(mUnlockTime);
    }
}

bool TButtonSequenceControlObject::IsSequenceRight() const {
    if (mGameStateKey.empty()) {
        return mEnteredSequence == mRightSequence;
    }
    if (mEnteredSequence.size() < GetChildren().size()) {
        return false;
    }
    const THopaBaseUserInfo* profile = GetHopaUserInfo();
    return profile != nullptr && profile->HasPair(mGameStateKey, "true");
}

void TButtonSequenceControlObject::ResetSequence() {
    for (const auto& child : GetChildren()) {
        child->Unlock();
    }
    mEnteredSequence.clear();
}

void TButtonSequenceControlObject::Unlock() {
    mLocked = false;
    ResetSequence();
}

bool TButtonSequenceControlObject::Update(float seconds) {
    TObject::Update(seconds);
    RestartIfPending();
    if (!mUnlockTimer.IsRunning()) {
        return false;
    }
    mUnlockTimer.Update(seconds);
    if (!mUnlockTimer.IsRunning()) {
        ResetSequence();
        mClickCounter = 0;
        OnClick(TMouseEvent());
    }
    return false;
}

bool TButtonSequenceControlObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    TObject* hitChild = nullptr;
    for (const auto& child : GetChildren()) {
        if (child->OnMouseMove(event, firstHover)) {
            hitChild = child.get();
            break;
        }
    }
    const bool own = TObject::OnMouseMove(event, firstHover);
    if (hitChild != nullptr) {
        mHitChild = hitChild;
    }
    return own || hitChild != nullptr;
}

bool TButtonSequenceControlObject::HitTestSelf(int x, int y) {
    for (const auto& child : GetChildren()) {
        if (child->HitTestSelf(x, y)) {
            return true;
        }
    }
    return TObject::HitTestSelf(x, y);
}

void TButtonSequenceControlObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mEnteredSequence.clear();
    const bool heldWrong = AreAllChildrenLocked() && !(mUnlockTime > 0);
    // Started again at the next update or press, so the restored record itself reads back unchanged.
    mRestartPending = !mSolved && IsAnyChildLocked() && !heldWrong;
}

void TButtonSequenceControlObject::RestartIfPending() {
    if (!mRestartPending) {
        return;
    }
    mRestartPending = false;
    TLogFile::Get()->Printf("button sequence %s: restored attempt started again", mName.c_str());
    ResetSequence();
}

void TButtonSequenceControlObject::DrawAll() {
    if (mVisible) {
        TObject::Draw(1.0f);
    }
}

bool TButtonSequenceControlObject::AreAllChildrenLocked() const {
    const auto& children = GetChildren();
    return std::all_of(children.begin(), children.end(), [](const auto& child) { return child->IsLocked(); });
}

bool TButtonSequenceControlObject::IsAnyChildLocked() const {
    const auto& children = GetChildren();
    return std::any_of(children.begin(), children.end(), [](const auto& child) { return child->IsLocked(); });
}

// ---- click button ----

void TClickButtonObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    std::vector<TiXmlElement*> images;
    CollectXmlChildren(element, "img", images);
    if (images.size() < 2) {
        // A missing image stays empty: it draws nothing and is never hit.
        TLogFile::Get()->Printf("click button %s: %d img elements, 2 expected", mName.c_str(),
                                static_cast<int>(images.size()));
    }
    if (!images.empty()) {
        LoadStaticImageFromXml(mNormalImage, images[0], folder);
    }
    if (images.size() >= 2) {
        LoadStaticImageFromXml(mPressedImage, images[1], folder);
    }
}

bool TClickButtonObject::OnMouseDown(const TMouseEvent& event) {
    mPressed = false;
    const bool taken = TObject::OnMouseDown(event);
    mPressed = taken;
    return taken;
}

bool TClickButtonObject::OnMouseUp(const TMouseEvent& event) {
    mPressed = false;
    return TObject::OnMouseUp(event);
}

bool TClickButtonObject::HitTestSelf(int x, int y) {
    return TObject::HitTestSelf(x, y) || ShownImage().HitTest(x, y);
}

void TClickButtonObject::LoadResources() {
    TObject::LoadResources();
    for (StaticImage* image : {&mNormalImage, &mPressedImage}) {
        if (!image->mImageName.empty()) {
            image->SetImage(image->mImageName);
        }
    }
}

void TClickButtonObject::UnloadResources() {
    TObject::UnloadResources();
    mNormalImage.ReleaseImage();
    mPressedImage.ReleaseImage();
}

void TClickButtonObject::DrawAll() {
    TObject::Draw(1.0f);
    // A hidden button shows neither of its images.
    if (mVisible) {
        ShownImage().Draw(1.0f);
    }
}
