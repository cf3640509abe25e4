#include "app/user_info.h"

#include <algorithm>
#include <climits>

#include "app/level_sets.h"
#include "app/log.h"
#include "app/saved_file.h"

namespace {

std::unique_ptr<TUserInfo> gProfile;
TUserInfoRecords* gRecords = nullptr;

constexpr int kSoundGroup = 0;
constexpr int kVoiceGroup = 1;
// Pairs and strings are counted in signed 16 bits.
constexpr size_t kMaxPairs = 32767;
// A pair is at least its two 16-bit lengths.
constexpr int kMinPairBytes = 4;

int ClampedSum(int value, int delta) {
    const long long sum = static_cast<long long>(value) + delta;
    return static_cast<int>(std::clamp(sum, 0LL, static_cast<long long>(INT_MAX)));
}

} // namespace

bool TBaseUserInfo::Load(const std::string& name) {
    TSaveFileBuffer buffer;
    const bool loaded = LoadSaveFile(name, buffer, [&] { return ReadFile(buffer); });
    return loaded && buffer.IsReadExact();
}

bool TBaseUserInfo::LoadBytes(const std::string& bytes) {
    TSaveFileBuffer buffer;
    return ParseSaveBytes(bytes, buffer, [&] { return ReadFile(buffer); }) && buffer.IsReadExact();
}

// Damaged bytes (a wrong header, a count or length beyond the data) leave the profile as it was.
bool TBaseUserInfo::ReadFile(TBaseBuffer& buffer) {
    if (buffer.ReadInt32() != kSaveFileHeader) {
        return false;
    }
    TBufferBin before;
    WriteBase(before);
    Write(before);
    ReadBase(buffer);
    Read(buffer);
    if (!buffer.IsFailed()) {
        return true;
    }
    ReadBase(before);
    Read(before);
    return false;
}

bool TBaseUserInfo::Save(const std::string& name) {
    TBufferBin buffer;
    buffer.WriteInt32(kSaveFileHeader);
    WriteBase(buffer);
    Write(buffer);
    return buffer.Save(name, true, 0);
}

bool TBaseUserInfo::HasKey(const std::string& key) const {
    return std::any_of(mPairs.begin(), mPairs.end(), [&](const TUserPair& pair) { return pair.mKey == key; });
}

bool TBaseUserInfo::HasPair(const std::string& key, const std::string& value) const {
    return std::any_of(mPairs.begin(), mPairs.end(),
                       [&](const TUserPair& pair) { return pair.mKey == key && pair.mValue == value; });
}

void TBaseUserInfo::SetValue(const std::string& key, const std::string& value) {
    auto found = std::find_if(mPairs.begin(), mPairs.end(), [&](const TUserPair& pair) { return pair.mKey == key; });
    if (found == mPairs.end()) {
        AddPair(key, value);
        return;
    }
    if (found->mValue == value) {
        return;
    }
    found->mValue = value;
    if (mListener != nullptr) {
        mListener->OnKeyChanged(key, value);
    }
}

void TBaseUserInfo::AddPair(const std::string& key, const std::string& value) {
    if (HasPair(key, value)) {
        return;
    }
    mPairs.push_back({key, value});
    if (mListener != nullptr) {
        mListener->OnKeyAdded(key, value);
    }
}

void TBaseUserInfo::Init() {
    Reset();
}

void TBaseUserInfo::Reset() {
    mFlag = 0;
    mPairs.clear();
    mMusicVolume = kDefaultMusicVolume;
    std::fill(std::begin(mGroupVolumes), std::end(mGroupVolumes), kDefaultGroupVolume);
    mSecondFlag = 0;
    mCounter = 0;
}

void TBaseUserInfo::AddToCounter(int delta) {
    mCounter = ClampedSum(mCounter, delta);
}

void TBaseUserInfo::SetFlag() {
    mFlag = 1;
}

void TBaseUserInfo::ReadBase(TBaseBuffer& buffer) {
    mMusicVolume = ReadFixed1000(buffer);
    mGroupVolumes[kVoiceGroup] = ReadFixed1000(buffer);
    mGroupVolumes[kSoundGroup] = ReadFixed1000(buffer);
    mCounter = buffer.ReadInt32();
    mFlag = buffer.ReadByte();
    mSecondFlag = buffer.ReadByte();
    mPairs.clear();
    const int count = buffer.ReadInt16();
    if (!buffer.CanRead(count, kMinPairBytes)) {
        return;
    }
    for (int i = 0; i < count && !buffer.IsFailed(); ++i) {
        buffer.BeginReadBlock("pair");
        TUserPair pair;
        pair.mKey = buffer.ReadString();
        pair.mValue = buffer.ReadString();
        mPairs.push_back(std::move(pair));
    }
}

void TBaseUserInfo::WriteBase(TBaseBuffer& buffer) const {
    WriteFixed1000(buffer, mMusicVolume);
    WriteFixed1000(buffer, mGroupVolumes[kVoiceGroup]);
    WriteFixed1000(buffer, mGroupVolumes[kSoundGroup]);
    buffer.WriteInt32(mCounter);
    buffer.WriteByte(mFlag);
    buffer.WriteByte(mSecondFlag);
    const size_t count = std::min(mPairs.size(), kMaxPairs);
    buffer.WriteInt16(static_cast<int>(count));
    for (size_t i = 0; i < count; ++i) {
        buffer.BeginWriteBlock((mPairs[i].mKey + "." + mPairs[i].mValue).c_str());
        buffer.WriteString(mPairs[i].mKey);
        buffer.WriteString(mPairs[i].mValue);
    }
}

float TBaseUserInfo::GetGroupVolume(int group) const {
    return group >= 0 && group < kVolumeGroups ? mGroupVolumes[group] : 0.0f;
}

void TBaseUserInfo::SetGroupVolume(int group, float volume) {
    if (group >= 0 && group < kVolumeGroups) {
        mGroupVolumes[group] = volume;
    }
}

void SetUserInfoRecords(TUserInfoRecords* records) {
    gRecords = records;
}

TUserInfo* TUserInfo::Get() {
    if (!gProfile) {
        gProfile.reset(new TUserInfo());
        gProfile->Reset();
    }
    return gProfile.get();
}

void TUserInfo::Release() {
    gProfile.reset();
}

void TUserInfo::Reset() {
    TBaseUserInfo::Reset();
    mDifficultyChoice = kDifficultyNotChosen;
    mCurrentMode = 0;
    for (int mode = 0; mode < kModeCount; ++mode) {
        mProgress[mode].Reset(LevelSetOfMode(mode));
    }
    // A new player inherits nothing from the one before.
    if (gRecords != nullptr) {
        gRecords->Reset();
    }
}

void TUserInfo::Read(TBaseBuffer& buffer) {
    mDifficultyChoice = buffer.ReadByte();
    mCurrentMode = buffer.ReadByte();
    for (int mode = 0; mode < kModeCount; ++mode) {
        mProgress[mode].Read(buffer, LevelSetOfMode(mode));
    }
    if (!buffer.IsFailed()) {
        MendOutOfRange();
    }
    if (gRecords == nullptr || buffer.IsFailed()) {
        return;
    }
    gRecords->ReadRewards(buffer);
    gRecords->ReadCounters(buffer);
    gRecords->ReadDifficulty(buffer);
}

// A value no level or mode has is damage in that field alone: it takes its default, the rest is kept.
void TUserInfo::MendOutOfRange() {
    if (mCurrentMode < 0 || mCurrentMode >= kModeCount) {
        TLogFile::Get()->Printf("profile: mode %d out of range, 0 used", mCurrentMode);
        mCurrentMode = 0;
    }
    for (int mode = 0; mode < kModeCount; ++mode) {
        const int levelSet = LevelSetOfMode(mode);
        const int stages = GetLevelSetStageCount(levelSet);
        // Without the catalogue nothing can be judged.
        if (stages <= 0) {
            continue;
        }
        TModeProgress& progress = mProgress[mode];
        const TModeProgress defaults;
        if (progress.mStage < -1 || progress.mStage >= stages) {
            TLogFile::Get()->Printf("profile: stage %d of mode %d out of range, %d used", progress.mStage, mode,
                                    defaults.mStage);
            progress.mStage = defaults.mStage;
        }
        // Stage -1 (none chosen yet) starts at the first stage.
        const int levels = GetLevelSetStageLevels(levelSet, std::max(progress.mStage, 0));
        if (progress.mLevel < -1 || progress.mLevel >= levels) {
            TLogFile::Get()->Printf("profile: level %d of mode %d out of range, %d used", progress.mLevel, mode,
                                    defaults.mLevel);
            progress.mLevel = defaults.mLevel;
        }
    }
}

void TUserInfo::Write(TBaseBuffer& buffer) const {
    buffer.WriteByte(static_cast<uint8_t>(mDifficultyChoice));
    buffer.WriteByte(static_cast<uint8_t>(mCurrentMode));
    for (const TModeProgress& progress : mProgress) {
        progress.Write(buffer);
    }
    if (gRecords == nullptr) {
        return;
    }
    gRecords->WriteRewards(buffer);
    gRecords->WriteCounters(buffer);
    gRecords->WriteDifficulty(buffer);
}

int TUserInfo::AdvanceStage() {
    const int levelSet = LevelSetOfMode(mCurrentMode);
    TModeProgress& progress = GetCurrentModeProgress();
    if (progress.mLevel < GetLevelSetStageLevels(levelSet, progress.mStage) - 1) {
        return 1;
    }
    progress.mLevel = -1;
    // Compared without adding to the stage: a damaged profile may hold any int there.
    if (progress.mStage >= 0 && progress.mStage < GetLevelSetStageCount(levelSet) - 1) {
        ++progress.mStage;
        return 0;
    }
    progress.mStage = 0;
    return 2;
}

void TUserInfo::AddScore(int delta) {
    TModeProgress& progress = GetCurrentModeProgress();
    progress.mScore = ClampedSum(progress.mScore, delta);
    if (gRecords != nullptr) {
        gRecords->SetModeScore(progress.mScore);
    }
}

void TUserInfo::NotifySettingsChanged() {
    if (GetListener() != nullptr) {
        GetListener()->OnSettingsChanged();
    }
}

TModeProgress& TUserInfo::GetModeProgress(int mode) {
    return mProgress[LevelSetOfMode(mode)];
}

TModeProgress& GetCurrentModeProgress() {
    return TUserInfo::Get()->GetCurrentModeProgress();
}
