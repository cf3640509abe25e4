#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/display_modes.h"
#include "app/file_object.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "harness/harness.h"
#include "harness/save_bytes.h"

namespace {

using harness::SaveBytes;

struct User {
    int id;
    std::string name;
    bool operator==(const User&) const = default;
};

void PrintTo(const User& user, std::ostream* out) {
    *out << user.id << ":" << user.name;
}

// "user:settings.dat" written out by hand: the stored bytes, the three flags, the user list.
SaveBytes SettingsBytes(bool fullScreen, bool wideOff, bool cursor, int current, int lastId,
                        const std::vector<User>& users) {
    SaveBytes bytes;
    bytes.I32(1000).U8(0).U8(0).U8(fullScreen).U8(wideOff).U8(cursor);
    bytes.I16(current).I16(lastId).I16(static_cast<int>(users.size()));
    for (const User& user : users) {
        bytes.I16(user.id).Str(user.name);
    }
    return bytes;
}

std::vector<User> UsersOf(const TSettings& settings) {
    std::vector<User> users;
    const auto& entries = static_cast<const TMySettings&>(settings).GetUsers();
    for (const TUserListEntry& entry : entries) {
        users.push_back({entry.mId, entry.mName});
    }
    return users;
}

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        TAppConfig::Get()->CreateFolders();
        TUserInfo::Release();
    }
    void TearDown() override {
        TSettings::Release();
        TUserInfo::Release();
        SetWriteFault(TWriteFault::None);
    }

    static std::string PathOf(const std::string& file) { return harness::UserFolder() + "/" + file; }

    // A settings object as start-up makes it, after its file was read.
    static TSettings* Restart() {
        TUserInfo::Release();
        TSettings* settings = CreateSettings("mysettings");
        settings->LoadSettings();
        return settings;
    }

    harness::FixedLevelSets mSets{{2}, {1}};
};

TEST_F(SettingsTest, FileHasTheLayoutAndReadsBack) {
    TSettings* settings = CreateSettings("mysettings");
    settings->AddUser("a");
    settings->AddUser("b");
    EXPECT_EQ(harness::ReadFile(PathOf("settings.dat")),
              SettingsBytes(true, false, true, 1, 2, {{1, "a"}, {2, "b"}}).File());

    settings->AddUser("Вера");
    settings->SetCustomCursor(false);
    settings->SelectUser(0);
    ASSERT_TRUE(settings->SaveSettings());
    const std::string expected = SettingsBytes(true, false, false, 0, 3, {{1, "a"}, {2, "b"}, {3, "Вера"}}).File();
    ASSERT_EQ(harness::ReadFile(PathOf("settings.dat")), expected);

    TSettings* again = Restart();
    EXPECT_EQ(again->GetUserCount(), 3);
    EXPECT_EQ(again->GetCurrentUser(), 0);
    EXPECT_EQ(again->GetUserNameAt(2), "Вера");
    EXPECT_FALSE(again->IsCustomCursor());
    ASSERT_TRUE(again->SaveSettings());
    EXPECT_EQ(harness::ReadFile(PathOf("settings.dat")), expected);
}

TEST_F(SettingsTest, UsersAreAddedSelectedRenamedAndDeleted) {
    TSettings* settings = CreateSettings("mysettings");
    for (const char* name : {"anna", "boris", "clara", "dmitri", "eva", "fedor", "gleb"}) {
        settings->AddUser(name);
    }
    // No limit here: the profiles window is what shows six.
    EXPECT_EQ(settings->GetUserCount(), 7);
    EXPECT_EQ(settings->GetCurrentUser(), 6);
    EXPECT_TRUE(harness::PathExists(PathOf("user7")));

    settings->SelectUser(1);
    settings->RenameUser("bob");
    EXPECT_EQ(settings->GetUserName(), "bob");

    struct Step {
        int deleteIndex;
        int currentAfter;
    };
    // Deleting before the current user shifts it down; deleting it leaves none; out of range does nothing.
    const Step steps[] = {{0, 0}, {3, 0}, {9, 0}, {-1, 0}, {0, -1}, {2, -1}};
    for (const Step& step : steps) {
        settings->DeleteUser(step.deleteIndex);
        EXPECT_EQ(settings->GetCurrentUser(), step.currentAfter) << "delete " << step.deleteIndex;
    }
    EXPECT_EQ(UsersOf(*settings), (std::vector<User>{{3, "clara"}, {4, "dmitri"}, {7, "gleb"}}));
    EXPECT_EQ(settings->GetUserName(), "");
    EXPECT_EQ(settings->GetUserNameAt(3), "");

    // The list on disk is the list in memory.
    EXPECT_EQ(harness::ReadFile(PathOf("settings.dat")),
              SettingsBytes(true, false, true, -1, 7, {{3, "clara"}, {4, "dmitri"}, {7, "gleb"}}).File());
    // Ids are never reused.
    settings->AddUser("hanna");
    EXPECT_EQ(UsersOf(*settings).back().id, 8);
}

TEST_F(SettingsTest, DeletingAUserRemovesAllItsFiles) {
    TSettings* settings = CreateSettings("mysettings");
    settings->AddUser("a");
    settings->AddUser("b");
    const std::vector<std::string> files = {"user1", "user1_main", "user1_bonus", "user1.bak", "user1_main.bak"};
    for (const std::string& file : files) {
        ASSERT_TRUE(harness::WriteFile(PathOf(file), "x"));
    }
    settings->DeleteUser(0);
    for (const std::string& file : files) {
        EXPECT_FALSE(harness::PathExists(PathOf(file))) << file;
    }
    EXPECT_TRUE(harness::PathExists(PathOf("user2")));
}

TEST_F(SettingsTest, DeletingTheCurrentUserLeavesNoProfileInMemory) {
    TSettings* settings = CreateSettings("mysettings");
    settings->AddUser("a");
    settings->AddUser("b");
    TUserInfo::Get()->AddPair("tip", "true");
    TUserInfo::Get()->GetModeProgress(0).mModePlayed = true;
    settings->DeleteUser(0);
    EXPECT_TRUE(TUserInfo::Get()->HasPair("tip", "true")) << "deleting another user keeps the profile";
    settings->DeleteUser(0);
    EXPECT_FALSE(TUserInfo::Get()->HasPair("tip", "true"));
    EXPECT_FALSE(TUserInfo::Get()->GetModeProgress(0).mModePlayed);
}

TEST_F(SettingsTest, NamesCompareWithoutLetterCase) {
    struct Case {
        const char* stored;
        const char* asked;
        bool found;
    };
    const Case cases[] = {
        {"anna", "ANNA", true}, {"Anna", "anna", true}, {"anna", "anna ", false},
        {"анна", "АННА", true}, {"Ёлка", "ёлка", true}, {"anna", "anne", false},
    };
    for (const Case& c : cases) {
        TSettings* settings = CreateSettings("mysettings");
        settings->AddUser(c.stored);
        EXPECT_EQ(settings->HasUserNamed(c.asked), c.found) << c.stored << " / " << c.asked;
        settings->DeleteUser(0);
    }
}

TEST_F(SettingsTest, SelectingAUserLoadsItsProfileFromDisk) {
    TSettings* settings = CreateSettings("mysettings");
    settings->AddUser("a");
    TUserInfo::Get()->AddPair("saved", "1");
    ASSERT_TRUE(settings->SaveProfile());
    settings->AddUser("b");
    EXPECT_FALSE(TUserInfo::Get()->HasPair("saved", "1")) << "a new user starts from a reset profile";

    settings->SelectUser(0);
    EXPECT_TRUE(TUserInfo::Get()->HasPair("saved", "1"));
    // Selecting the current user again drops what was never saved.
    TUserInfo::Get()->AddPair("unsaved", "1");
    settings->SelectUser(0);
    EXPECT_FALSE(TUserInfo::Get()->HasPair("unsaved", "1"));
    EXPECT_TRUE(TUserInfo::Get()->HasPair("saved", "1"));

    // Out of range: nothing happens.
    settings->SelectUser(5);
    EXPECT_EQ(settings->GetCurrentUser(), 0);
    EXPECT_TRUE(TUserInfo::Get()->HasPair("saved", "1"));
}

// Offsets in the payload: the user count, the first user's name length.
constexpr size_t kUserCountAt = 13;
constexpr size_t kFirstNameAt = 17;

std::vector<harness::FileDamage> Damages() {
    std::vector<harness::FileDamage> damages = harness::FrameDamages();
    damages.push_back(harness::PatchedAt("header not 1000", 0, SaveBytes().I32(1001)));
    damages.push_back(harness::PatchedAt("user count beyond the bytes", kUserCountAt, SaveBytes().I16(40)));
    damages.push_back(harness::PatchedAt("name length beyond the bytes", kFirstNameAt, SaveBytes().I16(3000)));
    return damages;
}

TEST_F(SettingsTest, DamagedFileIsSetAsideAndItsBackupLoaded) {
    for (const harness::FileDamage& damage : Damages()) {
        SCOPED_TRACE(damage.name);
        TSettings* settings = CreateSettings("mysettings");
        settings->AddUser("a"); // the backup holds "a"
        settings->AddUser("b"); // the file holds "a" and "b"
        const std::string damaged = damage.make(harness::ReadFile(PathOf("settings.dat")));
        ASSERT_TRUE(harness::WriteFile(PathOf("settings.dat"), damaged));

        TSettings* again = Restart();
        EXPECT_EQ(UsersOf(*again), (std::vector<User>{{1, "a"}}));
        EXPECT_EQ(again->GetCurrentUser(), 0);
        EXPECT_EQ(harness::ReadFile(PathOf("settings.dat.bad")), damaged);
        EXPECT_TRUE(harness::LogContains("damaged file " + PathOf("settings.dat")));
        EXPECT_TRUE(harness::LogContains("loaded backup " + PathOf("settings.dat.bak")));
        for (const char* file : {"settings.dat.bad", "settings.dat.bak", "user1", "user1.bak", "user2"}) {
            std::remove(PathOf(file).c_str());
        }
    }
}

TEST_F(SettingsTest, WithoutUsableSettingsTheProfilesOnDiskStayAndKeepTheirIds) {
    for (const harness::FileDamage& damage : Damages()) {
        SCOPED_TRACE(damage.name);
        TSettings* settings = CreateSettings("mysettings");
        settings->AddUser("a");
        settings->AddUser("b");
        settings->AddUser("c");
        settings->DeleteUser(1);
        const std::string damaged = damage.make(harness::ReadFile(PathOf("settings.dat")));
        ASSERT_TRUE(harness::WriteFile(PathOf("settings.dat"), damaged));
        std::remove(PathOf("settings.dat.bak").c_str());
        const std::string profile1 = harness::ReadFile(PathOf("user1"));
        const std::string profile3 = harness::ReadFile(PathOf("user3"));

        TUserInfo::Release();
        TSettings* again = CreateSettings("mysettings");
        EXPECT_FALSE(again->LoadSettings());
        EXPECT_EQ(again->GetUserCount(), 0);
        EXPECT_EQ(again->GetCurrentUser(), -1);
        EXPECT_TRUE(again->IsFullscreen());
        EXPECT_TRUE(again->IsCustomCursor());
        ASSERT_TRUE(again->SaveSettings());
        again->AddUser("new");
        again->AddUser("newer");
        // Id 2 is free again (its user was deleted); ids 1 and 3 still have their files.
        EXPECT_EQ(UsersOf(*again), (std::vector<User>{{2, "new"}, {4, "newer"}}));
        EXPECT_EQ(harness::ReadFile(PathOf("user1")), profile1);
        EXPECT_EQ(harness::ReadFile(PathOf("user3")), profile3);
        for (const char* file : {"settings.dat", "settings.dat.bad", "settings.dat.bak", "user1", "user1.bak", "user2",
                                 "user2.bak", "user3", "user3.bak", "user4", "user4.bak"}) {
            std::remove(PathOf(file).c_str());
        }
    }
}

TEST_F(SettingsTest, CrcValidContentsAreSettled) {
    struct Case {
        const char* name;
        SaveBytes file;
        int current;
        std::vector<User> users;
        int nextId;
    };
    const Case cases[] = {
        {"current beyond the list",
         SettingsBytes(true, false, true, 5, 2, {{1, "a"}, {2, "b"}}),
         -1,
         {{1, "a"}, {2, "b"}},
         3},
        {"negative count", SaveBytes().I32(1000).U8(0).U8(0).U8(1).U8(0).U8(1).I16(0).I16(2).I16(-4), -1, {}, 3},
        {"id used twice",
         SettingsBytes(true, false, true, 2, 4, {{4, "a"}, {4, "b"}, {1, "c"}}),
         1,
         {{4, "a"}, {1, "c"}},
         5},
        {"id not positive", SettingsBytes(true, false, true, 1, 0, {{0, "a"}, {-3, "b"}, {6, "c"}}), -1, {{6, "c"}}, 7},
        {"last id behind the list", SettingsBytes(true, false, true, 0, 1, {{9, "a"}}), 0, {{9, "a"}}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(harness::WriteFile(PathOf("settings.dat"), c.file.File()));
        TSettings* settings = Restart();
        EXPECT_EQ(settings->GetCurrentUser(), c.current);
        EXPECT_EQ(UsersOf(*settings), c.users);
        settings->AddUser("next");
        EXPECT_EQ(UsersOf(*settings).back().id, c.nextId);
        for (const User& user : UsersOf(*settings)) {
            std::remove(PathOf("user" + std::to_string(user.id)).c_str());
        }
        std::remove(PathOf("settings.dat.bak").c_str());
    }
}

TEST_F(SettingsTest, FileThatEndsEarlyLoadsWhatItHas) {
    // Header and the first two flags only: the rest reads as zeros.
    ASSERT_TRUE(harness::WriteFile(PathOf("settings.dat"), SaveBytes().I32(1000).U8(1).U8(1).File()));
    TSettings* settings = CreateSettings("mysettings");
    EXPECT_TRUE(settings->LoadSettings());
    EXPECT_FALSE(settings->IsFullscreen());
    EXPECT_FALSE(settings->IsCustomCursor());
    EXPECT_EQ(settings->GetCurrentUser(), -1) << "index 0 of an empty list is no user";
    EXPECT_EQ(settings->GetUserCount(), 0);
}

TEST_F(SettingsTest, FailedSaveIsReportedAndKeepsTheOldFiles) {
    TSettings* settings = CreateSettings("mysettings");
    settings->AddUser("a");
    const std::string oldSettings = harness::ReadFile(PathOf("settings.dat"));
    const std::string oldProfile = harness::ReadFile(PathOf("user1"));
    TUserInfo::Get()->AddToCounter(3);
    for (TWriteFault fault : {TWriteFault::Open, TWriteFault::Sync, TWriteFault::Rename}) {
        SetWriteFault(fault);
        settings->RenameUser("renamed");
        EXPECT_FALSE(settings->SaveSettings());
        EXPECT_FALSE(settings->SaveProfile());
        SetWriteFault(TWriteFault::None);
        EXPECT_EQ(harness::ReadFile(PathOf("settings.dat")), oldSettings);
        EXPECT_EQ(harness::ReadFile(PathOf("user1")), oldProfile);
    }
    EXPECT_TRUE(harness::LogContains("save failed " + PathOf("settings.dat")));
    EXPECT_TRUE(settings->SaveSettings());
    EXPECT_TRUE(settings->SaveProfile());
}

TEST_F(SettingsTest, SettingsKindsAndDefaults) {
    TSettings* dummy = CreateSettings("other");
    EXPECT_EQ(dummy->GetUserName(), "cheater");
    EXPECT_EQ(dummy->GetUserCount(), 1);
    EXPECT_TRUE(dummy->IsFullscreen());
    EXPECT_TRUE(dummy->SaveSettings());
    EXPECT_FALSE(harness::PathExists(PathOf("settings.dat")));

    TSettings* mine = CreateSettings("mysettings");
    EXPECT_EQ(TSettings::Get(), mine);
    EXPECT_EQ(mine->GetCurrentUser(), -1);
    EXPECT_EQ(mine->GetUserCount(), 0);
    EXPECT_FALSE(mine->IsWideScreenOff());
    EXPECT_FALSE(mine->SaveProfile()) << "no current user: nothing to save";
    EXPECT_FALSE(mine->LoadSettings()) << "no file yet";
}

// The display half of the settings on a real (hidden) window of the dummy desktop: 1024 x 768 with that
// one mode, so the windowed size is the 800 x 600 fallback.
class SettingsDisplayTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_NE(mScreen.GetWindow(), nullptr);
        // A hidden window keeps its size when it goes full screen.
        SDL_ShowWindow(mScreen.GetWindow());
        TAppConfig::Get()->SetWindow(mScreen.GetWindow());
        GetDisplay().mDesignWidth = 1366;
        GetDisplay().mDesignHeight = 768;
    }
    void TearDown() override {
        TAppConfig::Get()->SetWindow(nullptr);
        SettingsTest::TearDown();
    }

    harness::HeadlessRenderer mScreen;
};

TEST_F(SettingsDisplayTest, DisplayChangesSwitchTheWindowAndTheFlagFollowsIt) {
    struct Step {
        const char* name;
        std::function<void(TSettings&)> act;
        bool fullscreen; // the window's state, and what the settings report
        int width;
        int height;
    };
    const Step steps[] = {
        {"update full screen", [](TSettings& s) { s.UpdateDisplay(true, true); }, true, 1024, 768},
        {"toggle", [](TSettings& s) { s.ToggleFullscreen(); }, false, 800, 600},
        {"toggle back", [](TSettings& s) { s.ToggleFullscreen(); }, true, 1024, 768},
        {"update windowed", [](TSettings& s) { s.UpdateDisplay(false, true); }, false, 800, 600},
        {"design size", [](TSettings& s) { s.RestoreDesignSize(); }, false, 1366, 768},
        // Without apply only the sizes are chosen: the window stays as it is.
        {"update without apply", [](TSettings& s) { s.UpdateDisplay(true, false); }, false, 1366, 768},
    };
    TSettings* settings = CreateSettings("mysettings");
    for (const Step& step : steps) {
        step.act(*settings);
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(mScreen.GetWindow(), &width, &height);
        EXPECT_EQ(IsWindowFullscreen(), step.fullscreen) << step.name;
        EXPECT_EQ(settings->IsFullscreen(), step.fullscreen) << step.name;
        EXPECT_EQ(width, step.width) << step.name;
        EXPECT_EQ(height, step.height) << step.name;
    }
}

TEST_F(SettingsDisplayTest, DummySettingsApplyTheRealResolutionWindowed) {
    TSettings* settings = CreateSettings("mysettings");
    settings->UpdateDisplay(true, true);
    ASSERT_TRUE(IsWindowFullscreen());
    // Windowed on this small desktop the real resolution is 1024 x 600.
    settings->UpdateDisplay(false, false);
    CreateSettings("other")->Apply();
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(mScreen.GetWindow(), &width, &height);
    EXPECT_FALSE(IsWindowFullscreen());
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 600);
}

} // namespace
