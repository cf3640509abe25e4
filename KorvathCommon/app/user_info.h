#pragma once
// The player's profile: volumes, key/value pairs, progress through both game modes and the game's
// records, saved to "user:user%d".

#include "app/weak_ref.h"
#include <memory>
#include <string>
#include <vector>

#include "app/buffer.h"
#include "app/mode_progress.h"

class TBaseUserInfoListener : public TWeakTarget {
public:
    virtual ~TBaseUserInfoListener() = default;
    virtual void OnKeyAdded(const std::string& key, const std::string& value) {}
    virtual void OnKeyChanged(const std::string& key, const std::string& value) {}
    virtual void OnSettingsChanged() {}
};

struct TUserPair {
    std::string mKey;
    std::string mValue;
};

// The engine part of the profile: volumes, pairs, the listener and the file.
class TBaseUserInfo {
public:
    // Group 0 sound effects, 1 voices, 2 a group no sound list uses (kept in memory only).
    static constexpr int kVolumeGroups = 3;
    static constexpr float kDefaultMusicVolume = 0.4f;
    static constexpr float kDefaultGroupVolume = 0.5f;

    TBaseUserInfo() = default;
    virtual ~TBaseUserInfo() = default;
    TBaseUserInfo(const TBaseUserInfo&) = delete;
    TBaseUserInfo& operator=(const TBaseUserInfo&) = delete;

    // True only for a whole file read exactly. A file that ends early still gives its values (false);
    // a damaged one is set aside, its backup is tried, and without a usable file nothing changes.
    virtual bool Load(const std::string& name);
    // The same from a save file's bytes in memory (no backup is tried).
    bool LoadBytes(const std::string& bytes);
    // The real result of the atomic save.
    virtual bool Save(const std::string& name);
    virtual bool HasKey(const std::string& key) const;
    virtual bool HasPair(const std::string& key, const std::string& value) const;
    virtual void SetValue(const std::string& key, const std::string& value);
    virtual void AddPair(const std::string& key, const std::string& value);
    virtual void Init();
    virtual void Reset();
    virtual void AddToCounter(int delta);
    virtual void SetFlag();
    virtual void ReadBase(TBaseBuffer& buffer);
    virtual void WriteBase(TBaseBuffer& buffer) const;
    virtual void Read(TBaseBuffer& buffer) {}
    virtual void Write(TBaseBuffer& buffer) const {}

    TBaseUserInfoListener* GetListener() const { return mListener; }
    void SetListener(TBaseUserInfoListener* listener) { mListener = listener; }

    float GetMusicVolume() const { return mMusicVolume; }
    void SetMusicVolume(float volume) { mMusicVolume = volume; }
    // 0 for a group that does not exist.
    float GetGroupVolume(int group) const;
    void SetGroupVolume(int group, float volume);

    int GetCounter() const { return mCounter; }
    uint8_t GetFlag() const { return mFlag; }
    const std::vector<TUserPair>& GetPairs() const { return mPairs; }

private:
    bool ReadFile(TBaseBuffer& buffer);

    uint8_t mFlag = 0;
    TWeakRef<TBaseUserInfoListener> mListener;
    std::vector<TUserPair> mPairs;
    float mMusicVolume = kDefaultMusicVolume;
    float mGroupVolumes[kVolumeGroups] = {kDefaultGroupVolume, kDefaultGroupVolume, kDefaultGroupVolume};
    uint8_t mSecondFlag = 0;
    int mCounter = 0;
};

// The game's records kept at the end of the profile: one byte per reward, the reward counters and the
// player's difficulty settings. The profile fixes where they stand; the game installs what they hold.
class TUserInfoRecords {
public:
    virtual ~TUserInfoRecords() = default;
    virtual void WriteRewards(TBaseBuffer& buffer) const = 0;
    virtual void ReadRewards(TBaseBuffer& buffer) = 0;
    virtual void WriteCounters(TBaseBuffer& buffer) const = 0;
    virtual void ReadCounters(TBaseBuffer& buffer) = 0;
    virtual void WriteDifficulty(TBaseBuffer& buffer) const = 0;
    // The difficulty record is the profile's last: it may take every byte left.
    virtual void ReadDifficulty(TBaseBuffer& buffer) = 0;
    // A new player's values: no reward obtained, counters 0, the default difficulty.
    virtual void Reset() = 0;
    // The current mode's total score changed.
    virtual void SetModeScore(int total) = 0;
};

// The records stay owned by the caller; without any the profile stores none.
void SetUserInfoRecords(TUserInfoRecords* records);

// The profile with the game part: the progress of both modes and the game's records.
class TUserInfo : public TBaseUserInfo {
public:
    static constexpr int kModeCount = 2;
    static constexpr int kDifficultyNotChosen = 4;

    // The single profile, created (and reset) on first use.
    static TUserInfo* Get();
    // Deletes it; the next Get makes a fresh one.
    static void Release();

    void Reset() override;
    void Read(TBaseBuffer& buffer) override;
    void Write(TBaseBuffer& buffer) const override;

    // After a solved level of the current mode: 1 when the level was not the last of its stage
    // (nothing changes); else the next stage of the mode's set with level -1 and 0, or, after the last
    // stage, stage 0 with level -1 and 2.
    int AdvanceStage();
    // The current mode's score, never below 0; the game's counters are told the new total.
    void AddScore(int delta);
    // Tells the listener that the difficulty settings were replaced (the game copies them in).
    void NotifySettingsChanged();

    // Mode 0 is the main set's record, any other mode the second one's.
    TModeProgress& GetModeProgress(int mode);
    TModeProgress& GetCurrentModeProgress() { return GetModeProgress(mCurrentMode); }
    int GetCurrentMode() const { return mCurrentMode; }
    void SetCurrentMode(int mode) { mCurrentMode = mode; }
    // 0 casual, 1 normal, 2 expert, 3 custom, 4 not chosen yet.
    int GetDifficultyChoice() const { return mDifficultyChoice; }
    void SetDifficultyChoice(int choice) { mDifficultyChoice = choice; }

private:
    void MendOutOfRange();
    TUserInfo() = default;

    TModeProgress mProgress[kModeCount];
    int mCurrentMode = 0;
    int mDifficultyChoice = kDifficultyNotChosen;
};

// The current profile's record of its current mode.
TModeProgress& GetCurrentModeProgress();
