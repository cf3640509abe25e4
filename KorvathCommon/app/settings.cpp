#include "app/settings.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>

#include "app/app_config.h"
#include "app/display_modes.h"
#include "app/file_object.h"
#include "app/log.h"
#include "app/profile_volumes.h"
#include "app/saved_file.h"
#include "app/string_utils.h"
#include "app/user_info.h"

namespace {

std::unique_ptr<TSettings> gSettings;
TProfileVolumeListener* gVolumeListener = nullptr;

// Counts are saved in signed 16 bits.
constexpr size_t kMaxUsers = 32767;
// A user entry is at least its 16-bit id and its 16-bit name length.
constexpr int kMinUserBytes = 4;

void WriteFlag(TBaseBuffer& buffer, bool flag) {
    buffer.WriteByte(flag ? 1 : 0);
}

bool ReadFlag(TBaseBuffer& buffer) {
    return buffer.ReadByte() != 0;
}

// Every file a user owns, with the backups the atomic save keeps.
std::vector<std::string> UserFileNames(int id) {
    std::vector<std::string> names;
    for (const char* suffix : {"", "_main", "_bonus"}) {
        const std::string name = ProfileFileName(id) + suffix;
        names.push_back(name);
        names.push_back(BackupNameOf(name));
    }
    return names;
}

bool IsWindowFullscreen(bool fallback) {
    SDL_Window* window = TAppConfig::Get()->GetWindow();
    if (window == nullptr) {
        return fallback;
    }
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
}

} // namespace

struct TMySettings::TFileContents {
    bool mFlags[5] = {};
    int mCurrentUser = -1;
    int mLastUserId = 0;
    std::vector<TUserListEntry> mUsers;

    // False for damaged bytes: a wrong header, or a count or length beyond the data.
    bool Read(TBaseBuffer& buffer) {
        if (buffer.ReadInt32() != kSaveFileHeader) {
            return false;
        }
        for (bool& flag : mFlags) {
            flag = ReadFlag(buffer);
        }
        buffer.BeginReadBlock("userslist");
        mCurrentUser = buffer.ReadInt16();
        mLastUserId = buffer.ReadInt16();
        const int count = buffer.ReadInt16();
        if (count > 0 && !buffer.CanRead(count, kMinUserBytes)) {
            return false;
        }
        for (int i = 0; i < count && !buffer.IsFailed(); ++i) {
            TUserListEntry entry;
            entry.mId = buffer.ReadInt16();
            entry.mName = buffer.ReadString();
            mUsers.push_back(std::move(entry));
        }
        return !buffer.IsFailed();
    }
};

TSettings* TSettings::Get() {
    return gSettings.get();
}

void TSettings::Release() {
    gSettings.reset();
}

void TSettings::ResetAndSaveProfile() {
    TUserInfo::Get()->Reset();
}

void TSettings::ResetProfile() {
    TUserInfo::Get()->Reset();
}

TSettings* CreateSettings(const std::string& kind) {
    gSettings.reset();
    if (kind == "mysettings") {
        gSettings = std::make_unique<TMySettings>();
    } else {
        gSettings = std::make_unique<TDummySettings>();
    }
    return gSettings.get();
}

void SetProfileVolumeListener(TProfileVolumeListener* listener) {
    gVolumeListener = listener;
}

TProfileVolumeListener* GetProfileVolumeListener() {
    return gVolumeListener;
}

void ApplyProfileVolumes() {
    if (gVolumeListener == nullptr) {
        return;
    }
    const TUserInfo* profile = TUserInfo::Get();
    gVolumeListener->OnProfileVolumes(profile->GetMusicVolume(), profile->GetGroupVolume(0),
                                      profile->GetGroupVolume(1));
}

std::string ProfileFileName(int id) {
    return FormatString("user:user%d", id);
}

void TMySettings::Apply() {
    UpdateDisplay(mFullScreen, true);
    ApplyProfileVolumes();
}

void TMySettings::AddUser(const std::string& name) {
    ClearProfile();
    const int id = NextFreeUserId();
    if (id == 0) {
        TLogFile::Get()->Printf("no free user id, user %s not added", name.c_str());
        return;
    }
    mUsers.push_back({id, name});
    mLastUserId = id;
    mCurrentUser = GetUserCount() - 1;
    SaveSettings();
    ResetAndSaveProfile();
}

void TMySettings::ResetAndSaveProfile() {
    TUserInfo::Get()->Reset();
    SaveProfile();
}

void TMySettings::RenameUser(const std::string& name) {
    if (IsValidIndex(mCurrentUser)) {
        mUsers[static_cast<size_t>(mCurrentUser)].mName = name;
        SaveSettings();
    }
}

std::string TMySettings::GetUserName() const {
    return GetUserNameAt(mCurrentUser);
}

std::string TMySettings::GetUserNameAt(int index) const {
    return IsValidIndex(index) ? mUsers[static_cast<size_t>(index)].mName : "";
}

void TMySettings::SelectUser(int index) {
    if (!IsValidIndex(index)) {
        return;
    }
    ClearProfile();
    mCurrentUser = index;
    LoadProfileAt(index);
    ApplyProfileVolumes();
    SaveSettings();
}

void TMySettings::DeleteUser(int index) {
    if (!IsValidIndex(index)) {
        return;
    }
    const bool wasCurrent = index == mCurrentUser;
    if (wasCurrent) {
        mCurrentUser = -1;
    } else if (mCurrentUser > index) {
        --mCurrentUser;
    }
    for (const std::string& name : UserFileNames(mUsers[static_cast<size_t>(index)].mId)) {
        std::remove(ResolvePath(name).c_str());
    }
    mUsers.erase(mUsers.begin() + index);
    if (wasCurrent) {
        ClearProfile();
    }
    SaveSettings();
}

bool TMySettings::HasUserNamed(const std::string& name) const {
    const std::wstring wanted = ToLowerWide(FromUtf8(name));
    return std::any_of(mUsers.begin(), mUsers.end(),
                       [&](const TUserListEntry& user) { return ToLowerWide(FromUtf8(user.mName)) == wanted; });
}

void TMySettings::ClearProfile() {
    TUserInfo::Get()->Reset();
}

void TMySettings::ReadFullscreen() {
    mFullScreen = IsWindowFullscreen(mFullScreen);
}

bool TMySettings::ToggleFullscreen() {
    UpdateDisplay(!IsWindowFullscreen(mFullScreen), true);
    return true;
}

bool TMySettings::RestoreDesignSize() {
    // The render scale follows the new output size at the next frame.
    const TDisplayValues& display = GetDisplay();
    TAppConfig::Get()->SetDisplayMode(display.mDesignWidth, display.mDesignHeight, IsWindowFullscreen(mFullScreen));
    mWideScreenOff = false;
    return true;
}

bool TMySettings::LoadProfile() {
    return LoadProfileAt(mCurrentUser);
}

bool TMySettings::LoadSettings() {
    // The start-up read: what a save cut short left behind goes before anything is read or written.
    RemoveStaleTempFiles(TAppConfig::Get()->GetUserFolder());
    TSaveFileBuffer buffer;
    TFileContents contents;
    const bool loaded = LoadSaveFile(kFileName, buffer, [&] {
        contents = TFileContents(); // a refused file may have left entries behind
        return contents.Read(buffer);
    });
    if (!loaded) {
        return false;
    }
    TakeFileContents(contents);
    return true;
}

bool TMySettings::LoadSettingsBytes(const std::string& bytes) {
    TSaveFileBuffer buffer;
    TFileContents contents;
    if (!ParseSaveBytes(bytes, buffer, [&] { return contents.Read(buffer); })) {
        return false;
    }
    TakeFileContents(contents);
    return true;
}

bool TMySettings::SaveProfile() {
    return SaveProfileAt(mCurrentUser);
}

bool TMySettings::SaveSettings() {
    TBufferBin buffer;
    buffer.WriteInt32(kSaveFileHeader);
    for (bool flag : {mStoredByte1, mStoredByte2, mFullScreen, mWideScreenOff, mCustomCursor}) {
        WriteFlag(buffer, flag);
    }
    buffer.BeginWriteBlock("userslist");
    buffer.WriteInt16(mCurrentUser);
    buffer.WriteInt16(mLastUserId);
    const size_t count = std::min(mUsers.size(), kMaxUsers);
    buffer.WriteInt16(static_cast<int>(count));
    for (size_t i = 0; i < count; ++i) {
        buffer.WriteInt16(mUsers[i].mId);
        buffer.WriteString(mUsers[i].mName);
    }
    return buffer.Save(kFileName, true, 0);
}

void TMySettings::SaveProgress() {
    SaveProfile();
}

void TMySettings::UpdateDisplay(bool fullScreen, bool apply) {
    ::UpdateDisplay(fullScreen, apply);
    if (apply) {
        ReadFullscreen();
    }
}

bool TMySettings::LoadProfileAt(int index) {
    return IsValidIndex(index) && TUserInfo::Get()->Load(ProfileFileName(mUsers[static_cast<size_t>(index)].mId));
}

bool TMySettings::SaveProfileAt(int index) {
    return IsValidIndex(index) && TUserInfo::Get()->Save(ProfileFileName(mUsers[static_cast<size_t>(index)].mId));
}

bool TMySettings::IsIdFree(int id) const {
    if (std::any_of(mUsers.begin(), mUsers.end(), [&](const TUserListEntry& user) { return user.mId == id; })) {
        return false;
    }
    const std::vector<std::string> names = UserFileNames(id);
    return std::none_of(names.begin(), names.end(), [](const std::string& name) { return FileExists(name); });
}

// After the last id given, wrapping round to 1; 0 when every id is taken.
int TMySettings::NextFreeUserId() const {
    for (int step = 1; step <= kMaxUserId; ++step) {
        const int id = (std::max(mLastUserId, 0) + step - 1) % kMaxUserId + 1;
        if (IsIdFree(id)) {
            return id;
        }
    }
    return 0;
}

// Settles what the file says: a current index out of range means none, an entry whose id is not
// positive or is held by an earlier entry is dropped (two users would share one profile file).
void TMySettings::TakeFileContents(TFileContents& contents) {
    mStoredByte1 = contents.mFlags[0];
    mStoredByte2 = contents.mFlags[1];
    mFullScreen = contents.mFlags[2];
    mWideScreenOff = contents.mFlags[3];
    mCustomCursor = contents.mFlags[4];
    mUsers.clear();
    mCurrentUser = -1;
    mLastUserId = contents.mLastUserId;
    std::set<int> ids;
    for (size_t i = 0; i < contents.mUsers.size(); ++i) {
        TUserListEntry& entry = contents.mUsers[i];
        if (entry.mId <= 0 || !ids.insert(entry.mId).second) {
            TLogFile::Get()->Printf("settings: user %s with id %d skipped", entry.mName.c_str(), entry.mId);
            continue;
        }
        if (static_cast<int>(i) == contents.mCurrentUser) {
            mCurrentUser = GetUserCount();
        }
        mLastUserId = std::max(mLastUserId, entry.mId);
        mUsers.push_back(std::move(entry));
    }
}

void TDummySettings::Apply() {
    const TDisplayValues& display = GetDisplay();
    TAppConfig::Get()->SetDisplayMode(display.mRealResolutionWidth, display.mRealResolutionHeight, false);
}
