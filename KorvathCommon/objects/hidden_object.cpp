#include "objects/hidden_object.h"

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"

THiddenObject::THiddenObject() {
    mFlash.stopHalfWay = true;
    mPauseTimer.SetValue(0);
}

void THiddenObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mDuration = ReadXmlFloat(element, "speed", 1.0f, "time");
    mMaxAlpha = ReadXmlFloat(element, "maxalpha", 1.0f);
    mMinAlpha = ReadXmlFloat(element, "minalpha", 1.0f);
    const std::string kind = ReadXmlString(element, "animtype", "");
    mKind = kind == "flipflop"      ? kFlipFlop
            : kind == "flash"       ? kFlash
            : kind == "flashrepeat" ? kFlashRepeat
                                    : kFadeOnce;
    mPause = ReadXmlFloat(element, "pause", 0);
    ReadXmlStringList(element, "soundasteps", ',', mStepSounds);
    mAlphaTween.SetValue(mAlpha);
    mFlash.Setup(mAlpha, mAlpha, mAlpha, 0);
    mFlash.finished = true;
    mFlash.state = TValueCycler::kIdle;
    mFlash.active = false;
    mPauseTimer.SetValue(0);
}

void THiddenObject::PlayStepSounds() const {
    for (const std::string& sound : mStepSounds) {
        PlaySpaceSound(sound);
    }
}

void THiddenObject::StartAlphaAnimation(bool keepTarget) {
    if (mDuration != 0) {
        if (IsFlashing()) {
            if (!keepTarget) {
                mTarget = mMaxAlpha - mAlpha;
            }
            mFlash.Setup(mAlpha, mTarget, mAlpha, mDuration);
            PlayStepSounds();
        } else if (mKind == kFlipFlop) {
            if (!keepTarget) {
                mTarget = mAlpha <= mMinAlpha ? mMaxAlpha : mMinAlpha;
            }
            mAlphaTween.Set(mAlpha, mTarget, mDuration, true);
            PlayStepSounds();
        } else {
            if (!keepTarget) {
                mTarget = mMaxAlpha - mAlpha;
            }
            mAlphaTween.Set(mAlpha, mTarget, mDuration, true);
        }
    }
    mAlpha = IsFlashing() ? mFlash.tween.current : mAlphaTween.current;
}

void THiddenObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    if (IsSpent()) {
        return;
    }
    StartAlphaAnimation(false);
    mStarted = true;
    mClickDelayLeft = mClickDelay;
    mActive = true;
}

void THiddenObject::DoClickAction(int clickNumber, int x, int y) {
    if (!mAcceptsClicks || IsSpent()) {
        return;
    }
    StartAlphaAnimation(false);
    mStarted = true;
    PlaySpaceSound(mSound);
}

void THiddenObject::EndRun(bool repeats) {
    if (!repeats) {
        mActive = false;
        ApplyAfterEvent(0);
    } else if (mPause == 0) {
        StartAlphaAnimation(false);
    } else {
        mPauseTimer.Start(mPause);
    }
}

bool THiddenObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mAlphaTween.running && mAlphaTween.Update(seconds)) {
        mAlpha = mAlphaTween.current;
        EndRun(mKind == kFlipFlop);
    }
    if (mFlash.active && mFlash.Update(seconds)) {
        mAlpha = mFlash.tween.current;
        EndRun(mKind == kFlashRepeat);
    }
    if (mPauseTimer.running && mPauseTimer.Update(seconds) && (mKind == kFlipFlop || mKind == kFlashRepeat)) {
        StartAlphaAnimation(false);
    }
    mAlpha = IsFlashing() ? mFlash.tween.current : mAlphaTween.current;
    // The image shows this frame's alpha, not the one before the runs advanced.
    SyncImage();
    return false;
}

void THiddenObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mActive);
    writer.WriteByte(static_cast<uint8_t>(mKind));
    WriteFixed1000(writer, mTarget);
    mFlash.Write(writer);
    mAlphaTween.Write(writer);
}

void THiddenObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mActive = ReadFlag(reader);
    const int kind = reader.ReadByte();
    mKind = kind <= kFlashRepeat ? kind : kFadeOnce;
    mTarget = ReadFixed1000(reader);
    mFlash.Read(reader);
    mAlphaTween.Read(reader);
    // A run that has happened leaves its length in the tween or the flash: a fade-once object that already
    // ran must not run and report again after a reload.
    mStarted = mStarted || mAlphaTween.duration > 0 || mFlash.segmentSeconds > 0;
    if (mActive) {
        StartAlphaAnimation(true);
    }
}

void THiddenObject::ResetState() {
    mKind = kFlipFlop;
    mDuration = 0;
    mAlphaTween.SetValue(0);
    mStarted = false;
    mTarget = 0;
    mMaxAlpha = 1.0f;
    mMinAlpha = 0;
    mPause = 0;
}
