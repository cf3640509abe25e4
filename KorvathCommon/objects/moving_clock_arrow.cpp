#include "objects/moving_clock_arrow.h"

#include <cmath>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "media/sound_manager.h"

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;

} // namespace

void TMovingClockArrowObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mStart = ReadXmlInt(element, "start_count", 0);
    mDivisions = ReadXmlInt(element, "div_num", kDefaultDivisions);
    if (mDivisions <= 0) {
        TLogFile::Get()->Printf("moving_clock_arrow %s: div_num %d refused, %d kept", mName.c_str(), mDivisions,
                                kDefaultDivisions);
        mDivisions = kDefaultDivisions;
    }
    // The same division of the dial, counted from 0 up: the saved division is always one a restore keeps.
    mStart = ((mStart % mDivisions) + mDivisions) % mDivisions;
    mCurrent = mStart;
    // A whole circle shared out exactly, so the last division ends where the first began.
    mAnglePerDivision = 360.0f / static_cast<float>(mDivisions) * kRadiansPerDegree;
    mTimePerDivision = ReadXmlFloat(element, "time_per_div", 1.0f);
    mTickTime = ReadXmlFloat(element, "time_tick", 0);
    mTackTime = ReadXmlFloat(element, "time_tack", 0);
    mTickSound = ReadXmlString(element, "tick_sound", "");
    if (mTickTime == 0 && mTackTime == 0) {
        mTickTime = mTimePerDivision / 3;
        mTackTime = mTimePerDivision - mTickTime;
    } else if (mTickTime == 0) {
        mTickTime = mTimePerDivision - mTackTime;
    } else {
        mTackTime = mTimePerDivision - mTickTime;
    }
}

float TMovingClockArrowObject::GetHandAngle() const {
    return GetImage() != nullptr ? GetImage()->mAngle : mAngle;
}

void TMovingClockArrowObject::SetHandAngle(float radians) {
    mAngle = radians;
    if (StaticImage* image = GetImage()) {
        image->mAngle = radians;
        image->UpdateTransform();
    }
}

void TMovingClockArrowObject::LoadResources() {
    TObject::LoadResources();
    SetHandAngle(static_cast<float>(mCurrent) * mAnglePerDivision);
    Restart();
}

void TMovingClockArrowObject::Restart() {
    StartStep();
}

void TMovingClockArrowObject::Reset() {
    mPhase = kPhaseIdle;
    mCurrent = mStart;
    SetHandAngle(static_cast<float>(mCurrent) * mAnglePerDivision);
}

void TMovingClockArrowObject::StartStep() {
    if (TSoundManager* sounds = TSoundManager::GetInstance()) {
        sounds->PlaySound(mTickSound);
    }
    mStepTween.Set(static_cast<float>(mCurrent) * mAnglePerDivision,
                   static_cast<float>(mCurrent + 1) * mAnglePerDivision, std::fabs(mTickTime), true);
    mPhase = kPhaseStepping;
    mCurrent = (mCurrent + 1) % mDivisions;
}

void TMovingClockArrowObject::StartPause() {
    if (mTackTime > 0) {
        mPauseTimer.Start(mTackTime);
    }
    mPhase = kPhasePausing;
}

bool TMovingClockArrowObject::Update(float seconds) {
    if (mLocked) {
        return false;
    }
    if (mPhase == kPhaseStepping) {
        mStepTween.Update(seconds);
        SetHandAngle(mStepTween.current);
        if (mStepTween.finished) {
            StartPause();
        }
    } else if (mPhase == kPhasePausing) {
        // A pause that never started (no tack time) is over at once.
        if (mPauseTimer.Update(seconds)) {
            StartStep();
        }
    }
    return false;
}

void TMovingClockArrowObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteByte(static_cast<uint8_t>(mPhase));
    writer.WriteInt32(mCurrent);
    mStepTween.Write(writer);
    mPauseTimer.Write(writer);
}

void TMovingClockArrowObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int phase = reader.ReadByte();
    const int current = reader.ReadInt32();
    IncValue tween;
    tween.Read(reader);
    TTimer timer;
    timer.Read(reader);
    if (reader.IsFailed()) {
        return;
    }
    if (phase > kPhasePausing) {
        TLogFile::Get()->Printf("moving_clock_arrow %s: saved phase %d refused", mName.c_str(), phase);
        return;
    }
    mPhase = phase;
    // Kept inside the dial whatever the record says, so the next step starts from a division of it.
    mCurrent = ((current % mDivisions) + mDivisions) % mDivisions;
    mStepTween = tween;
    mPauseTimer = timer;
    // The hand shows where the step had brought it.
    SetHandAngle(mStepTween.current);
}
