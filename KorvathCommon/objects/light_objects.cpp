#include "objects/light_objects.h"

#include <cmath>

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "graphics/random15.h"
#include "graphics/saved_flags.h"

namespace {

// In [0, 1).
float RandomUnit() {
    return static_cast<float>(Rand15() % 32767) / 32767.0f;
}

} // namespace

void TLightObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mStep = ReadXmlFloat(element, "da", 0.2f);
    mMinAlpha = ReadXmlFloat(element, "mina", 0);
    mMaxAlpha = ReadXmlFloat(element, "maxa", 1.0f);
    mMinTime = ReadXmlFloat(element, "mint", 0.5f);
    mMaxTime = ReadXmlFloat(element, "maxt", 1.0f);
    NextFlicker();
}

void TLightObject::NextFlicker() {
    const float alpha = mAlpha;
    // Above the middle of the range it goes down into the low band, else up into the high band.
    const float r1 = RandomUnit();
    mTargetAlpha = alpha > (mMaxAlpha + mMinAlpha) * 0.5f ? mMinAlpha + r1 * mStep : mMaxAlpha - mStep + r1 * mStep;
    mDuration = mMinTime + RandomUnit() * (mMaxTime - mMinTime);
    const float k = 3.0f + 2.0f * RandomUnit();
    mStartAlpha = mCurrentAlpha = alpha;
    mElapsed = 0;
    if (mDuration > 0) {
        mStartSpeed = 2.0f * (mTargetAlpha - alpha) / ((k + 1.0f) * mDuration);
        mAcceleration = mStartSpeed * (k - 1.0f) / mDuration;
    } else {
        // A segment of no time is a jump; the speeds would divide by zero.
        mStartSpeed = mAcceleration = 0;
    }
    mRunning = true;
}

bool TLightObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mRunning) {
        return false;
    }
    mElapsed += seconds;
    const bool ended = mElapsed >= mDuration;
    mCurrentAlpha =
        ended ? mTargetAlpha : mStartAlpha + mStartSpeed * mElapsed + mAcceleration * mElapsed * mElapsed / 2.0f;
    SetAlpha(mCurrentAlpha);
    if (ended) {
        NextFlicker();
    }
    return false;
}

// ---- focuser ----

void TFocuserObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mFullAlpha = mAlpha;
    mAlpha = 0;
    mAlphaTween.SetValue(0);
    mTime = ReadXmlFloat(element, "time", 1.0f);
}

void TFocuserObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mAlphaTween.Set(mAlphaTween.current, mFadeInNext ? mFullAlpha : 0.0f, std::fabs(mTime), true);
}

bool TFocuserObject::Update(float seconds) {
    if (mAlphaTween.running) {
        mAlphaTween.Update(seconds);
        SetAlpha(mAlphaTween.current);
        if (mAlphaTween.finished) {
            mFadeInNext = !mFadeInNext;
        }
    }
    TObject::Update(seconds);
    return false;
}

bool TFocuserObject::HitTestSelf(int x, int y) {
    return mAlpha > 0;
}

void TFocuserObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFixed1000(writer, mAlphaTween.current);
    WriteFlag(writer, mFadeInNext);
    WriteFlag(writer, mAlphaTween.running);
}

void TFocuserObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mAlphaTween.SetValue(ReadFixed1000(reader));
    mFadeInNext = ReadFlag(reader);
    if (ReadFlag(reader)) {
        ActivateDefault();
    }
}
