#pragma once
// One playable sound: an id, an Ogg Vorbis file, a repeat count, a base volume and a start delay,
// played through the OpenAL system. Main thread only.

#include <cstdint>
#include <string>

#include "app/counted_ptr.h"

class TiXmlElement;

class TSoundInfoListener {
public:
    virtual ~TSoundInfoListener() = default;
    // The entry has finished all the plays of its request.
    virtual void OnSoundFinished() {}
};

class TAlSoundInfo {
public:
    static CountedPtr<TAlSoundInfo> Create(const TiXmlElement* element, bool loadNow);

    TAlSoundInfo() = default;
    // Closes the stream.
    virtual ~TAlSoundInfo();
    TAlSoundInfo(const TAlSoundInfo&) = delete;
    TAlSoundInfo& operator=(const TAlSoundInfo&) = delete;

    // "id", "loop", "volume", "delay", "streamed", "name" (the file "assets/" + name + ".ogg").
    void LoadFromXml(const TiXmlElement* element, bool loadNow);
    void Open();
    void Close();

    // A play request: repeats from "loop", after "delay" seconds when it is set.
    void Play();
    // Starts one play at once.
    void PlayNow();
    // Ends the play and any request still waiting for its delay.
    void Stop();
    void Pause(bool pause);
    // v (clamped to 0..1) x the base volume becomes the gain; a playing source takes it at once.
    void SetVolume(float v);
    // Starts the next repeat or reports the end of the request, then advances the delay.
    void Update(float dt);
    bool IsPlaying() const;
    bool IsPaused() const;

    void SetListener(TSoundInfoListener* listener) { mListener = listener; }
    const std::string& GetId() const { return mId; }
    const std::string& GetPath() const { return mPath; }
    uint32_t GetHandle() const { return mHandle; }
    // The source of the current play; 0 when none, or once the audio thread has ended the play.
    uint32_t GetPlayId() const;
    int GetLoop() const { return mLoop; }
    float GetBaseVolume() const { return mBaseVolume; }
    float GetDelay() const { return mDelay; }
    bool IsStreamed() const { return mStreamed; }

private:
    uint32_t mHandle = 0;
    uint32_t mPlayId = 0;
    std::string mId;
    std::string mPath;
    int mLoop = 1;
    int mRepeatsLeft = 1;
    float mGain = 1.0f;
    float mBaseVolume = 1.0f;
    float mDelay = 0.0f;
    // The delay countdown of a request.
    float mDelayElapsed = 0.0f;
    bool mDelayRunning = false;
    TSoundInfoListener* mListener = nullptr;
    bool mStreamed = true;
};

using TSoundInfoPtr = CountedPtr<TAlSoundInfo>;
