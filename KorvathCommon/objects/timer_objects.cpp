#include "objects/timer_objects.h"

#include <cstdlib>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "media/sound_manager.h"
#include "windows/mouse_event.h"

// ---- timer ----

void TTimerObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mWait = ReadXmlFloat(element, "time", 0);
    mMaxActivations = ReadXmlInt(element, "maxactive", 1);
}

void TTimerObject::Activate(int index, int x, int y) {
    const bool wasWaiting = mActive;
    TObject::Activate(index, x, y);
    if (wasWaiting) {
        return;
    }
    // "maxactive" starts, not one more; a refused start must not leave the timer waiting either.
    if (mActivations >= mMaxActivations) {
        mActive = false;
        return;
    }
    mActive = true;
    mElapsed = 0;
    ++mActivations;
    LogDebug("activate timerobject %s", mName.c_str());
}

bool TTimerObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mActive) {
        return false;
    }
    mElapsed += seconds;
    if (mElapsed >= mWait && static_cast<int64_t>(mClickCounter) < static_cast<int64_t>(mMaxClicks) - 1) {
        ++mClickCounter;
        mElapsed = 0;
        mActive = false;
        TObject::OnClick(TMouseEvent());
        GiveTool(0, mGivenTools);
        LogDebug("timerobject ready %s", mName.c_str());
    }
    return false;
}

void TTimerObject::ResetState() {
    mActive = false;
    mWait = 0;
    mElapsed = 0;
    mActivations = 0;
    mMaxActivations = 1;
}

void TTimerObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mActive);
    WriteFixed1000(writer, mElapsed);
    writer.WriteInt32(mActivations);
}

void TTimerObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mActive = ReadFlag(reader);
    mElapsed = ReadFixed1000(reader);
    mActivations = reader.ReadInt32();
}

// ---- counter ----

void TActivateCounter::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mCount = ReadXmlInt(element, "count", 1);
}

void TActivateCounter::Activate(int index, int x, int y) {
    --mCount;
    if (mCount == 0) {
        ApplyAfterEvent(0);
        GiveTool(0, mGivenTools);
    }
}

void TActivateCounter::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt32(mCount);
}

void TActivateCounter::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mCount = reader.ReadInt32();
}

// ---- sound object ----

void TSoundObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    if (!mLocked) {
        TSoundManager::GetInstance()->PlaySound(mName);
    }
}

void TSoundObject::OnSpaceHide() {
    TObject::OnSpaceHide();
    TSoundManager::GetInstance()->StopSound(mName);
}

void TSoundObject::Lock() {
    TObject::Lock();
    TSoundManager::GetInstance()->StopSound(mName);
}

void TSoundObject::Unlock() {
    TObject::Unlock();
    TSoundManager::GetInstance()->PlaySound(mName);
}

// ---- delayed-loop sound ----

TDelayLoopsSoundObject::TDelayLoopsSoundObject() {
    mTimer.SetListener(this);
}

void TDelayLoopsSoundObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mLoop = ReadXmlInt(element, "loop", 1);
    mSoundName = ReadXmlString(element, "sound", "");
    std::vector<std::string> delays;
    ReadXmlStringList(element, "delays", ',', delays);
    mDelays.clear();
    for (const std::string& delay : delays) {
        mDelays.push_back(static_cast<float>(std::atof(delay.c_str())));
    }
    if (mDelays.empty()) {
        TLogFile::Get()->Printf("delay loops sound %s: no delays, it stays silent", mName.c_str());
    }
}

void TDelayLoopsSoundObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    Restart();
}

void TDelayLoopsSoundObject::Restart() {
    if (mDelays.empty()) {
        return;
    }
    mNextDelay = 1;
    if (mDelays[0] > 0) {
        mTimer.Start(mDelays[0]);
    }
}

bool TDelayLoopsSoundObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mTimer.IsRunning()) {
        mTimer.Update(seconds);
    }
    return false;
}

void TDelayLoopsSoundObject::OnTimerDone() {
    TSoundManager::GetInstance()->PlaySound(mSoundName);
    if (mNextDelay >= mDelays.size()) {
        if (mLoop == -1) {
            Restart();
        } else {
            ApplyAfterEvent(0);
        }
        return;
    }
    const float delay = mDelays[mNextDelay++];
    if (delay > 0) {
        mTimer.Start(delay);
    }
}
