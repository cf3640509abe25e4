#pragma once
// The single front end of sound: sound and music lists by name, the volumes of sound effects,
// music and voice, and the audio thread. The game's lists come from "sounds.xml"; stages and rooms
// add lists of their own. Main thread only.

#include <map>
#include <memory>
#include <string>

#include "app/profile_volumes.h"
#include "app/xml_reader.h"
#include "media/music_play_list.h"
#include "media/openal_system.h"
#include "media/play_list.h"

class TSoundManager : public TProfileVolumeListener {
public:
    // The single manager; the first call opens the OpenAL system, then starts the audio thread.
    static TSoundManager* GetInstance();
    // Test seam: a new manager over the existing (or default) OpenAL system; without the audio
    // thread the caller runs TOpenAlSystem::Update itself.
    static TSoundManager* CreateInstance(bool withAudioThread);
    // Stops and joins the audio thread, releases every list, then closes the OpenAL system.
    static void DestroyInstance();
    // The manager when one exists, without creating it (for shutdown paths).
    static TSoundManager* FindInstance();

    ~TSoundManager() override;
    TSoundManager(const TSoundManager&) = delete;
    TSoundManager& operator=(const TSoundManager&) = delete;

    // Reads the lists "music", "music1", "sound" and "voice" of the file; a missing file loads nothing.
    void Load(const std::string& file);
    // The same from a document in memory.
    void Load(const TXmlSource& source);
    // A list of a stage or room. The names of the game's own lists are refused, and an empty name
    // does nothing; a list stored under the name before is released.
    void AddSoundList(const std::string& name, const TiXmlElement* element, const char* tag, bool loadNow,
                      TSoundGroup group);
    void AddMusicList(const std::string& name, const TiXmlElement* element, const char* tag);
    TSoundPlayList* FindSoundList(const std::string& name) const;
    TMusicPlayList* FindMusicList(const std::string& name) const;

    void PlaySound(const std::string& id);
    void StopSound(const std::string& id);
    bool IsSoundPlaying(const std::string& id) const;
    void PlayMusic(const std::string& id);
    void StartMusicList(const std::string& name, bool random);
    void StopMusic();
    bool IsMusicPlaying(const std::string& id) const;
    bool IsAnyMusicPlaying() const;

    // Volumes are clamped to 0..1 for the lists and remembered as given for lists added later.
    void SetGroupVolume(float volume, TSoundGroup group);
    void SetMusicVolume(float volume);
    // A profile's volumes: music, then the sound and voice groups.
    void OnProfileVolumes(float music, float sounds, float voices) override;
    void PauseAll(bool pause);
    void Update(float dt);

private:
    explicit TSoundManager(bool withAudioThread);

    void StoreSoundList(const std::string& name, const TiXmlElement* element, const char* tag, bool loadNow,
                        TSoundGroup group);
    void StoreMusicList(const std::string& name, const TiXmlElement* element, const char* tag);
    bool HasSoundEntry(const std::string& id) const;

    std::map<std::string, std::unique_ptr<TSoundPlayList>> mSoundLists;
    std::map<std::string, std::unique_ptr<TMusicPlayList>> mMusicLists;
    float mSoundVolume = 1.0f;
    float mMusicVolume = 1.0f;
    float mVoiceVolume = 1.0f;
    std::unique_ptr<TAudioThread> mAudioThread;
};

// Plays the sound of that id through the sound manager.
void PlaySoundByName(const std::string& name);
// The same, for a name that may be empty.
void PlaySoundIfNamed(const std::string& name);
