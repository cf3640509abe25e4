#include "objects/flexible_objects.h"

#include <cmath>

#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "objects/whole_pixels.h"

void TFlexibleObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mTime = ReadXmlFloat(element, "time", 0.1f);
}

void TFlexibleObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    // The logical position, not the drawn one: an owner offset or centring would otherwise be added again
    // at every stretch. Whole pixels within reach of int, so a broken file cannot overflow the bottom edge.
    mBaseRect = {WholePixels(mX), WholePixels(mY), WholePixels(GetImageWidth()), WholePixels(GetImageHeight())};
    mCurrentRect = mBaseRect;
    mFactor = 1.0f;
}

void TFlexibleObject::SetScaleXY(float target, float seconds) {
    const float duration = seconds < 0 ? mTime : seconds;
    mStretch.Set(mFactor, target, std::fabs(duration), true);
}

bool TFlexibleObject::Update(float seconds) {
    if (mStretch.running) {
        mStretch.Update(seconds);
        ApplyStretch(mStretch.current);
    }
    return false;
}

void TUDFlexibleObject::ApplyStretch(float factor) {
    if (GetImage() == nullptr) {
        return;
    }
    mFactor = factor;
    const int height = StretchedSize();
    mScaleX = 1.0f;
    mScaleY = factor;
    const int x = mBaseRect.x, y = mBaseRect.y + mBaseRect.h - height;
    SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    SyncImage();
    mCurrentRect = {x, y, WholePixels(GetImageWidth()), height};
}

int TUDFlexibleObject::StretchedSize() {
    return WholePixels(static_cast<float>(mBaseRect.h) * mFactor);
}

// The inverse of StretchedSize: the size over the unstretched height.
float TUDFlexibleObject::FactorForSize(int size) {
    if (mBaseRect.h == 0) {
        TLogFile::Get()->Printf("flexible %s: no height to stretch to %d", mName.c_str(), size);
        return 1.0f;
    }
    return static_cast<float>(size) / static_cast<float>(mBaseRect.h);
}

// ---- asterisk ----

void TAsterixObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mTurnTime = ReadXmlFloat(element, "rot_time", 3.0f);
    mClockwise = ReadXmlBool(element, "clockwise", true);
}

void TAsterixObject::LoadResources() {
    TObject::LoadResources();
    MakeCentred();
}

void TAsterixObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mStarted = true;
    Restart();
}

void TAsterixObject::Restart() {
    mTurn.Set(0.0f, 360.0f, std::fabs(mTurnTime), true);
}

bool TAsterixObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mTurn.running) {
        mTurn.Update(seconds);
        const float degrees = mClockwise ? mTurn.current : 360.0f - mTurn.current;
        mAngle = degrees * 0.017453292f;
        SyncImage();
        if (mTurn.finished) {
            Restart();
        }
    }
    return false;
}

void TAsterixObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mStarted);
}

void TAsterixObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mStarted = ReadFlag(reader);
    if (mStarted) {
        Activate(0, 0, 0);
    }
}
