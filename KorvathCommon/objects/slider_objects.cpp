#include "objects/slider_objects.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

// ---- slider ----

void TSliderObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mLength = ReadXmlInt(element, "length", 0);
    if (mLength == 0) {
        // A track of no length has no fraction to give; the thumb then stays at the start.
        TLogFile::Get()->Printf("slider %s: length 0, the thumb stays at the start", mName.c_str());
    }
    mSlideSound = ReadXmlString(element, "slide_sound", "");
    mTrack.mImageName = folder + ReadXmlString(element, "slider", "");
    mThumb.mImageName = folder + ReadXmlString(element, "thumb", "");
    const float x = static_cast<float>(WholePixels(GetX())), y = static_cast<float>(WholePixels(GetY()));
    mTrack.SetPosition(x, y, true);
    mThumb.SetPosition(x, y, true);
    mDefaultValue = ReadXmlFloat(element, "def_val", 0);
    mHorizontal = ReadXmlBool(element, "horiz", true);
    mDragging = false;
    SetValue(ReadXmlFloat(element, "val", 0));
}

void TSliderObject::SetValue(float value) {
    if (!(value >= 0 && value <= 1)) {
        return;
    }
    mValue = value;
    const int offset = WholePixels(static_cast<float>(mLength) * value);
    const int x = WholePixels(GetX()), y = WholePixels(GetY());
    if (mHorizontal) {
        mThumb.SetPosition(static_cast<float>(x + offset), static_cast<float>(y), true);
    } else {
        mThumb.SetPosition(static_cast<float>(x), static_cast<float>(y + offset), true);
    }
}

void TSliderObject::Reset() {
    if (!mDragging) {
        SetValue(mDefaultValue);
    }
}

bool TSliderObject::OnMouseDown(const TMouseEvent& event) {
    const bool taken = TObject::OnMouseDown(event);
    if (event.buttons != TMouseEvent::kLeft) {
        return taken;
    }
    // A hidden slider's thumb is not there to take.
    if (!mDragging && !IsLocked() && mVisible && mThumb.HitTest(event.x, event.y)) {
        mDragging = true;
        const int64_t offset = static_cast<int64_t>(mHorizontal ? event.x : event.y) -
                               WholePixels(mHorizontal ? mThumb.mBaseX : mThumb.mBaseY);
        mGrabOffset = static_cast<int>(std::clamp<int64_t>(offset, INT_MIN, INT_MAX));
    } else {
        mDragging = false;
    }
    return taken;
}

bool TSliderObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    const bool hit = TObject::OnMouseMove(event, firstHover);
    MoveThumb(event);
    return hit;
}

void TSliderObject::MoveThumb(const TMouseEvent& event) {
    if (!mDragging) {
        return;
    }
    if (!mSlideSound.empty()) {
        TSoundManager* sound = TSoundManager::GetInstance();
        if (!sound->IsSoundPlaying(mSlideSound)) {
            sound->PlaySound(mSlideSound);
        }
    }
    // In 64 bits: a track as long as int reaches, or a pointer far from the grab, overflows no sum.
    const int64_t p = static_cast<int64_t>(mHorizontal ? event.x : event.y) - mGrabOffset;
    const int64_t start = WholePixels(mHorizontal ? GetX() : GetY());
    if (p > start + mLength) {
        SetValue(1);
    } else if (p < start || mLength == 0) {
        SetValue(0);
    } else {
        mValue = static_cast<float>(p - start) / static_cast<float>(mLength);
        if (mHorizontal) {
            mThumb.SetPosition(static_cast<float>(p), static_cast<float>(WholePixels(mThumb.mBaseY)), true);
        } else {
            mThumb.SetPosition(static_cast<float>(WholePixels(mThumb.mBaseX)), static_cast<float>(p), true);
        }
    }
}

bool TSliderObject::HitTest(int x, int y, bool respectLock) {
    if (TObject::HitTest(x, y, respectLock)) {
        return true;
    }
    // The track and thumb keep the object's own rules: a hidden or locked slider takes no press through them.
    if ((!mVisible && !mCheckOnlyBounds) || (respectLock && mLocked)) {
        return false;
    }
    return mTrack.HitTest(x, y) || mThumb.HitTest(x, y);
}

void TSliderObject::LoadResources() {
    TObject::LoadResources();
    mTrack.SetImage(mTrack.mImageName);
    mThumb.SetImage(mThumb.mImageName);
}

void TSliderObject::UnloadResources() {
    TObject::UnloadResources();
    mTrack.ReleaseImage();
    mThumb.ReleaseImage();
}

void TSliderObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mVisible) {
        mTrack.Draw(1.0f);
        mThumb.Draw(1.0f);
    }
}

void TSliderObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFixed1000(writer, mValue);
}

void TSliderObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const float value = ReadFixed1000(reader);
    if (!reader.IsFailed()) {
        SetValue(value);
    }
}

// ---- drag slider ----

bool TDragSliderObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    return TObject::OnMouseMove(event, firstHover);
}

bool TDragSliderObject::OnMouseDrag(const TMouseEvent& event) {
    if (!mDragging) {
        return false;
    }
    MoveThumb(event);
    return true;
}

bool TDragSliderObject::OnMouseUp(const TMouseEvent& event) {
    if (!mDragging) {
        return false;
    }
    return TSliderObject::OnMouseDown(event);
}

// ---- springed slider ----

void TSpringedObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TDragSliderObject::LoadFromXml(element, folder);
    mSpringTime = ReadXmlFloat(element, "time", 0.1f);
}

bool TSpringedObject::OnMouseUp(const TMouseEvent& event) {
    const bool released = TDragSliderObject::OnMouseUp(event);
    mSpring.Set(mValue, mDefaultValue, std::fabs(mSpringTime), true);
    return released;
}

bool TSpringedObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mSpring.finished) {
        mSpring.Update(seconds);
        SetValue(mSpring.current);
    }
    return false;
}

void TSpringedObject::SaveState(TBaseBuffer& writer) {
    TDragSliderObject::SaveState(writer);
    mSpring.Write(writer);
}

void TSpringedObject::RestoreState(TBaseBuffer& reader) {
    TDragSliderObject::RestoreState(reader);
    mSpring.Read(reader);
}
