#pragma once
// A list of music tracks of which one plays at a time: every new track fades in, and a request for
// another track fades the current one out before the next starts. Main thread only.

#include "media/play_list.h"

// The linear fade factor of a music list. A fade whose two ends are equal still runs for its
// whole duration, so a fade-out from 0 ends through Update like any other.
struct TMusicFade {
    float from = 0.0f;
    float to = 0.0f;
    float current = 0.0f;
    float duration = 0.0f;
    float elapsed = 0.0f;
    bool running = false;

    void Start(float fromValue, float toValue, float seconds);
    // Advances the fade; true when it ended in this call.
    bool Update(float dt);
    // Stops the fade where it is and parks it at v.
    void Park(float v);
};

class TMusicPlayList : public TPlayList {
public:
    static constexpr float kFadeSeconds = 5.0f;

    // Every entry is opened at once.
    TMusicPlayList(const TiXmlElement* element, const char* tag);

    // The current track finished: the track queued by a request follows, else the next of the list.
    void OnSoundFinished() override;
    bool Play(const std::string& id) override;
    void Pause(bool pause) override;
    // Fades the current track out with no successor.
    void Stop() override;
    bool IsPlaying(const std::string& id) override;
    void Update(float dt) override;
    void SetVolume(float v) override;
    // The first track, or with random set, one of the tracks before the last.
    virtual bool PlayFirstOrRandom(bool random);

    bool PlayTrack(const std::string& id);
    void StartTrack(const TSoundInfoPtr& entry);
    void FadeOut();

    float GetFadeFactor() const { return mFade.current; }
    const TSoundInfoPtr& GetCurrent() const { return mCurrent; }
    const TSoundInfoPtr& GetQueued() const { return mQueued; }

private:
    bool IsFadingOut() const { return mFade.running && mFade.to == 0.0f; }

    TMusicFade mFade;
    bool mPaused = false;
    TSoundInfoPtr mCurrent;
    TSoundInfoPtr mQueued;
};
