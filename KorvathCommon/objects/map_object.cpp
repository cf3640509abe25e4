#include "objects/map_object.h"

#include "app/xml_reader.h"
#include "objects/object_services.h"
#include "objects/object_space.h"
#include "objects/whole_pixels.h"
#include "windows/text_label.h"

TMapObject::TMapObject() : mLabel(std::make_unique<TSimpleTextImage>()) {
    mLabel->SetFont("maproomname");
    mLabel->mWidth = 174;
    mLabel->mHeight = 20;
    mLabel->mColor = TColor{1, 1, 1, 1};
    mLabel->mAlignment = 0;
    mLabel->mWrapped = true;
    mLabel->SetAlpha(0);
}

TMapObject::~TMapObject() = default;

void TMapObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mSoundMouseEnter = ReadXmlString(element, "soundmouseenter", "mapmouseenter");
    const std::pair<const char*, StaticImage*> images[] = {{"cur_img", &mCurrentImage},
                                                           {"task_img", &mTaskImage},
                                                           {"unav_img", &mUnavailableImage},
                                                           {"out_img", &mOutImage},
                                                           {"prev_img", &mPreviousImage}};
    for (const auto& [name, image] : images) {
        LoadStaticImageFromXml(*image, element != nullptr ? element->FirstChildElement(name) : nullptr, folder);
    }
    // Held within reach of int, so the label's offset cannot overflow on a broken file.
    mPreviousX = WholePixels(mPreviousImage.GetX());
    mPreviousY = WholePixels(mPreviousImage.GetY());
    mLabel->SetTextKey("room" + mName);
    mLabel->SetPosition(mPreviousX + kLabelOffsetX, mPreviousY + kLabelOffsetY);
}

void TMapObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    TObjectSpace* space = FindObjectSpace(mName);
    mRoom = space != nullptr && space->IsRoom() ? space : nullptr;
    if (mRoom != nullptr) {
        mCurrent = FindObjectSpace("") == mRoom;
        mHasTask = mRoom->HasSomethingToDo();
        // Nothing in a room marks it closed: a room the game knows can be entered.
        mUnavailable = false;
    }
    mHidden = false;
    mOutImage.SetAlpha(0);
    mPreviousImage.SetAlpha(0);
    mLabel->SetAlpha(0);
}

void TMapObject::OnSpaceHide() {
    TObject::OnSpaceHide();
    mHidden = true;
    mOutImage.SetAlpha(0);
    mPreviousImage.SetAlpha(0);
    mLabel->SetAlpha(0);
}

bool TMapObject::OnMouseDown(const TMouseEvent& event) {
    if (!mUnavailable && mRoom != nullptr && HitTest(event.x, event.y, false)) {
        // The map would be hidden here, but window 6 is this game's level map: it stays.
        mTargets[kTargetRoom] = mCurrent ? "" : mName;
    }
    return TObject::OnMouseDown(event);
}

bool TMapObject::Update(float seconds) {
    TObject::Update(seconds);
    mOutImage.Update(seconds);
    mPreviousImage.Update(seconds);
    mLabel->SetAlpha(mPreviousImage.mAlpha);
    return false;
}

void TMapObject::SetAlpha(float alpha) {
    if (alpha >= 0.0f && alpha <= 1.0f) {
        TObject::SetAlpha(alpha);
    }
    for (StaticImage* image : {&mCurrentImage, &mTaskImage, &mUnavailableImage}) {
        image->mAlpha = alpha;
    }
    if (mHidden) {
        mOutImage.mAlpha *= alpha;
        mPreviousImage.mAlpha *= alpha;
    }
}

void TMapObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mUnavailable) {
        mUnavailableImage.Draw(1.0f);
        return;
    }
    mOutImage.Draw(1.0f);
    if (mCurrent) {
        mCurrentImage.Draw(1.0f);
    }
}

void TMapObject::DrawOverlay() {
    const THopaBaseUserInfo* profile = GetHopaUserInfo();
    if (mHasTask && !mUnavailable && profile != nullptr && profile->mXoHint) {
        mTaskImage.Draw(1.0f);
    }
}

void TMapObject::LoadResources() {
    TObject::LoadResources();
    for (StaticImage* image : {&mCurrentImage, &mTaskImage, &mUnavailableImage, static_cast<StaticImage*>(&mOutImage),
                               static_cast<StaticImage*>(&mPreviousImage)}) {
        if (!image->mImageName.empty()) {
            image->SetImage(image->mImageName);
        }
    }
}

void TMapObject::UnloadResources() {
    TObject::UnloadResources();
    for (StaticImage* image : {&mCurrentImage, &mTaskImage, &mUnavailableImage, static_cast<StaticImage*>(&mOutImage),
                               static_cast<StaticImage*>(&mPreviousImage)}) {
        image->ReleaseImage();
    }
}
