#pragma once
// The installation's settings: the window mode, the cursor choice and the list of players, saved to
// "user:settings.dat". The current player's profile is loaded and saved through them.

#include <string>
#include <vector>

struct TUserListEntry {
    int mId = 0; // the number in the user's profile file name
    std::string mName;
};

// Every operation has an empty or constant default.
class TSettings {
public:
    virtual ~TSettings() = default;

    virtual void Apply() {}
    virtual void AddUser(const std::string& name) {}
    virtual void ResetAndSaveProfile();
    virtual void ResetProfile();
    virtual void RenameUser(const std::string& name) {}
    virtual std::string GetUserName() const { return ""; }
    virtual std::string GetUserNameAt(int index) const { return ""; }
    virtual void SelectUser(int index) {}
    virtual int GetCurrentUser() const { return 0; }
    virtual int GetUserCount() const { return 0; }
    virtual void DeleteUser(int index) {}
    virtual bool HasUserNamed(const std::string& name) const { return false; }
    virtual void ClearProfile() {}
    virtual bool IsFullscreen() const { return true; }
    virtual void ReadFullscreen() {}
    virtual bool ToggleFullscreen() { return true; }
    virtual bool IsWideScreenOff() const { return true; }
    virtual bool RestoreDesignSize() { return true; }
    virtual bool IsCustomCursor() const { return true; }
    virtual void SetCustomCursor(bool custom) {}
    virtual bool LoadProfile() { return true; }
    virtual bool LoadSettings() { return true; }
    virtual bool SaveProfile() { return true; }
    virtual bool SaveSettings() { return true; }
    virtual void SaveProgress() {}
    virtual void UpdateDisplay(bool fullScreen, bool apply) {}

    // The single settings object; null until CreateSettings.
    static TSettings* Get();
    // Deletes it without saving (shutdown saves first).
    static void Release();
};

// Makes the single settings object, deleting one made before: TMySettings for "mysettings",
// TDummySettings for any other kind.
TSettings* CreateSettings(const std::string& kind);

// Gives the listening sound manager (see profile_volumes.h) the current profile's volumes; nothing
// without one.
void ApplyProfileVolumes();

class TMySettings : public TSettings {
public:
    static constexpr const char* kFileName = "user:settings.dat";
    // Ids are saved in signed 16 bits.
    static constexpr int kMaxUserId = 32767;

    void Apply() override;
    // The new user takes the next id that no user and no file on disk holds.
    void AddUser(const std::string& name) override;
    void ResetAndSaveProfile() override;
    void RenameUser(const std::string& name) override;
    std::string GetUserName() const override;
    std::string GetUserNameAt(int index) const override;
    void SelectUser(int index) override;
    int GetCurrentUser() const override { return mCurrentUser; }
    int GetUserCount() const override { return static_cast<int>(mUsers.size()); }
    // Removes the user's files; deleting the current user also resets the profile in memory.
    void DeleteUser(int index) override;
    // Letter case is ignored (Latin, Greek and Cyrillic).
    bool HasUserNamed(const std::string& name) const override;
    void ClearProfile() override;
    bool IsFullscreen() const override { return mFullScreen; }
    void ReadFullscreen() override;
    bool ToggleFullscreen() override;
    bool IsWideScreenOff() const override { return mWideScreenOff; }
    bool RestoreDesignSize() override;
    bool IsCustomCursor() const override { return mCustomCursor; }
    void SetCustomCursor(bool custom) override { mCustomCursor = custom; }
    bool LoadProfile() override;
    // A damaged file is set aside and its backup used; without a usable file nothing changes.
    bool LoadSettings() override;
    // The same from the file's bytes in memory (no backup is tried).
    bool LoadSettingsBytes(const std::string& bytes);
    bool SaveProfile() override;
    bool SaveSettings() override;
    void SaveProgress() override;
    void UpdateDisplay(bool fullScreen, bool apply) override;

    // The profile of the user at index; false for an index out of range or a failed load or save.
    bool LoadProfileAt(int index);
    bool SaveProfileAt(int index);

    const std::vector<TUserListEntry>& GetUsers() const { return mUsers; }

private:
    struct TFileContents;

    bool IsValidIndex(int index) const { return index >= 0 && index < GetUserCount(); }
    bool IsIdFree(int id) const;
    int NextFreeUserId() const;
    void TakeFileContents(TFileContents& contents);

    bool mStoredByte1 = false;
    bool mStoredByte2 = false;
    bool mFullScreen = true;
    bool mWideScreenOff = false;
    bool mCustomCursor = true;
    std::vector<TUserListEntry> mUsers;
    int mCurrentUser = -1; // -1: none
    int mLastUserId = 0;
};

// One fixed user and the defaults.
class TDummySettings : public TSettings {
public:
    void Apply() override;
    std::string GetUserName() const override { return "cheater"; }
    int GetUserCount() const override { return 1; }
};

// "user:user%d" of an id.
std::string ProfileFileName(int id);
