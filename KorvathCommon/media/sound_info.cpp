#include "media/sound_info.h"

#include "app/log.h"
#include "app/xml_reader.h"
#include "media/openal_system.h"

TSoundInfoPtr TAlSoundInfo::Create(const TiXmlElement* element, bool loadNow) {
    TSoundInfoPtr entry(new TAlSoundInfo());
    entry->LoadFromXml(element, loadNow);
    return entry;
}

TAlSoundInfo::~TAlSoundInfo() {
    Close();
}

void TAlSoundInfo::LoadFromXml(const TiXmlElement* element, bool loadNow) {
    mId = ReadXmlString(element, "id", "");
    mLoop = ReadXmlInt(element, "loop", 1);
    mRepeatsLeft = mLoop;
    mBaseVolume = ReadXmlFloat(element, "volume", 1.0f);
    mDelay = ReadXmlFloat(element, "delay", 0.0f);
    mStreamed = ReadXmlBool(element, "streamed", true);
    mPath = "assets/" + ReadXmlString(element, "name", "") + ".ogg";
    if (loadNow) {
        Open();
    }
}

void TAlSoundInfo::Open() {
    if (mHandle == 0) {
        mHandle = TOpenAlSystem::GetInstance()->OpenStream(mPath);
    }
}

void TAlSoundInfo::Close() {
    // Without the system every stream is closed already.
    if (mHandle != 0 && TOpenAlSystem::HasInstance()) {
        TOpenAlSystem::GetInstance()->CloseStream(mHandle);
    }
    mHandle = 0;
    mPlayId = 0;
    mDelayRunning = false;
}

uint32_t TAlSoundInfo::GetPlayId() const {
    // The audio thread frees the source of a finished play, and the next play of another sound
    // may get the same name; only the source our stream still holds is ours.
    if (mPlayId == 0 || TOpenAlSystem::GetInstance()->GetSource(mHandle) != mPlayId) {
        return 0;
    }
    return mPlayId;
}

void TAlSoundInfo::Play() {
    if (mHandle == 0) {
        LogDebug("Cannot play sound %s", mId.c_str());
        return;
    }
    mRepeatsLeft = mLoop;
    if (mDelay > 0.0f) {
        mDelayElapsed = 0.0f;
        mDelayRunning = true;
        return;
    }
    PlayNow();
}

void TAlSoundInfo::PlayNow() {
    mPlayId = TOpenAlSystem::GetInstance()->Play(mHandle, mLoop == -1, mGain);
    if (mRepeatsLeft > 0) {
        --mRepeatsLeft;
    }
}

void TAlSoundInfo::Stop() {
    TOpenAlSystem::GetInstance()->Stop(GetPlayId());
    mPlayId = 0;
    // A stopped request must not start later when its delay runs out.
    mDelayRunning = false;
}

void TAlSoundInfo::Pause(bool pause) {
    TOpenAlSystem::GetInstance()->Pause(GetPlayId(), pause);
}

void TAlSoundInfo::SetVolume(float v) {
    if (v < 0.0f || v > 1.0f) {
        LogDebug("Wrong volume value(%f) on sound %s", static_cast<double>(v), mId.c_str());
        v = v < 0.0f ? 0.0f : 1.0f;
    }
    mGain = mBaseVolume * v;
    if (IsPlaying()) {
        TOpenAlSystem::GetInstance()->SetGain(GetPlayId(), mGain);
    }
}

void TAlSoundInfo::Update(float dt) {
    if (mPlayId != 0 && !IsPlaying() && !IsPaused()) {
        if (mRepeatsLeft != 0) {
            PlayNow();
        } else {
            mPlayId = 0;
            if (mListener != nullptr) {
                mListener->OnSoundFinished();
            }
        }
    }
    if (mDelayRunning) {
        mDelayElapsed += dt;
        if (mDelayElapsed >= mDelay) {
            mDelayRunning = false;
            PlayNow();
        }
    }
}

bool TAlSoundInfo::IsPlaying() const {
    return TOpenAlSystem::GetInstance()->IsPlaying(GetPlayId());
}

bool TAlSoundInfo::IsPaused() const {
    return TOpenAlSystem::GetInstance()->IsPaused(GetPlayId());
}
