#include "media/music_play_list.h"

#include <cstdlib>

void TMusicFade::Start(float fromValue, float toValue, float seconds) {
    from = fromValue;
    current = fromValue;
    to = toValue;
    duration = seconds < 0.0f ? -seconds : seconds;
    elapsed = 0.0f;
    running = true;
}

bool TMusicFade::Update(float dt) {
    if (!running) {
        return false;
    }
    elapsed += dt;
    if (elapsed > duration) {
        elapsed = duration;
    }
    float ratio = duration == 0.0f ? 1.0f : elapsed / duration;
    current = (to - from) * ratio + from;
    if (elapsed < duration) {
        return false;
    }
    current = to;
    running = false;
    return true;
}

void TMusicFade::Park(float v) {
    from = v;
    to = v;
    current = v;
    elapsed = 0.0f;
    running = false;
}

TMusicPlayList::TMusicPlayList(const TiXmlElement* element, const char* tag) {
    LoadFromXml(element, tag, true);
}

void TMusicPlayList::OnSoundFinished() {
    if (!mCurrent) {
        return;
    }
    size_t index = 0;
    for (size_t i = 0; i < mEntries.size(); ++i) {
        if (mEntries[i].Get() == mCurrent.Get()) {
            index = i;
            break;
        }
    }
    bool fadingOut = IsFadingOut();
    mCurrent.Release();
    if (fadingOut) {
        // A request was fading this track out: it, not the list order, decides what follows.
        mFade.Park(0.0f);
        if (mQueued) {
            TSoundInfoPtr next = mQueued;
            mQueued.Release();
            StartTrack(next);
        }
        return;
    }
    size_t next = index + 1 < mEntries.size() ? index + 1 : 0;
    PlayTrack(mEntries[next]->GetId());
}

bool TMusicPlayList::Play(const std::string& id) {
    return PlayTrack(id);
}

void TMusicPlayList::Pause(bool pause) {
    if (!mCurrent) {
        return;
    }
    mPaused = pause;
    mCurrent->Pause(pause);
}

void TMusicPlayList::Stop() {
    if (!mCurrent) {
        return;
    }
    mQueued.Release();
    FadeOut();
}

bool TMusicPlayList::IsPlaying(const std::string& id) {
    return mCurrent && mCurrent->GetId() == id && mCurrent->IsPlaying();
}

void TMusicPlayList::Update(float dt) {
    if (mPaused) {
        return;
    }
    if (mFade.Update(dt) && mFade.current == 0.0f) {
        if (mCurrent) {
            mCurrent->Stop();
            mCurrent.Release();
        }
        if (mQueued) {
            TSoundInfoPtr next = mQueued;
            mQueued.Release();
            StartTrack(next);
        }
    }
    if (mCurrent) {
        // The track may hand over to another one inside its own update.
        TSoundInfoPtr track = mCurrent;
        track->SetVolume(mVolume * mFade.current);
        track->Update(dt);
    }
}

void TMusicPlayList::SetVolume(float v) {
    mVolume = v;
    if (mCurrent) {
        mCurrent->SetVolume(mFade.current * v);
    }
}

bool TMusicPlayList::PlayFirstOrRandom(bool random) {
    if (mEntries.empty()) {
        return false;
    }
    size_t index = 0;
    if (random && mEntries.size() >= 2) {
        // One of the tracks before the last: the last is never the random pick.
        index = static_cast<size_t>(std::rand()) % (mEntries.size() - 1);
    }
    return PlayTrack(mEntries[index]->GetId());
}

bool TMusicPlayList::PlayTrack(const std::string& id) {
    TSoundInfoPtr entry = FindById(id);
    if (!entry) {
        return false;
    }
    if (entry.Get() == mCurrent.Get()) {
        mQueued.Release();
        float rest = 1.0f - mFade.current;
        mFade.Start(mFade.current, 1.0f, rest != 0.0f ? rest * kFadeSeconds : 0.1f);
        return true;
    }
    if (mCurrent) {
        if (mQueued.Get() != entry.Get()) {
            mQueued = entry;
        }
        FadeOut();
        return true;
    }
    StartTrack(entry);
    return true;
}

void TMusicPlayList::StartTrack(const TSoundInfoPtr& entry) {
    mCurrent = entry;
    // Silent before the play starts, so the first mixed samples do not come at the old gain.
    entry->SetVolume(0.0f);
    entry->Play();
    mFade.Start(0.0f, 1.0f, kFadeSeconds);
}

void TMusicPlayList::FadeOut() {
    float f = mFade.current;
    mFade.Start(f, 0.0f, f != 0.0f ? f * kFadeSeconds : 0.1f);
}
