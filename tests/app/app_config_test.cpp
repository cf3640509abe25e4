#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

#include "app/app_config.h"
#include "harness/harness.h"

namespace {

std::optional<std::string> GetEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void SetEnv(const char* name, const std::optional<std::string>& value) {
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}

std::string WorkingFolder() {
    return std::filesystem::current_path().string();
}

// Changes the two variables the folders come from, and puts them back afterwards.
class AppFolderTest : public testing::Test {
protected:
    void SetUp() override {
        mXdg = GetEnv("XDG_DATA_HOME");
        mHome = GetEnv("HOME");
    }
    void TearDown() override {
        SetEnv("XDG_DATA_HOME", mXdg);
        SetEnv("HOME", mHome);
    }

private:
    std::optional<std::string> mXdg;
    std::optional<std::string> mHome;
};

TEST_F(AppFolderTest, DataFolderComesFromXdgThenHome) {
    const struct {
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        std::string folder;
    } cases[] = {
        {"/x/data", "/home/u", "/x/data"},
        {"relative/data", "/home/u", "/home/u/.local/share"},
        {std::nullopt, "/home/u", "/home/u/.local/share"},
        {"", "/home/u", "/home/u/.local/share"},
        {"/x/data", std::nullopt, "/x/data"},
        {std::nullopt, std::nullopt, ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SetEnv("XDG_DATA_HOME", c.xdg);
        SetEnv("HOME", c.home);
        EXPECT_EQ(GetAppDataFolder(), c.folder) << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
        EXPECT_EQ(TAppConfig::Get()->GetUserFolder(), c.folder + "/Korvath Games/Verdanel");
    }
}

TEST_F(AppFolderTest, CreateFoldersMakesEveryMissingParent) {
    const std::string data = harness::MakeTempFolder() + "/not/yet";
    SetEnv("XDG_DATA_HOME", data);
    TAppConfig::Get()->CreateFolders();
    EXPECT_TRUE(std::filesystem::is_directory(data + "/Korvath Games/Verdanel"));
    // Existing folders are no error.
    TAppConfig::Get()->CreateFolders();
    EXPECT_TRUE(std::filesystem::is_directory(data + "/Korvath Games/Verdanel"));
}

TEST_F(AppFolderTest, ConfigurationIsFreshAfterRelease) {
    TAppConfig::Get()->SetProductFolderName("Other");
    TAppConfig::Release();
    EXPECT_EQ(TAppConfig::Get()->GetUserFolder(), harness::TestDataHome() + "/Korvath Games/Verdanel");
}

TEST(WorkingFolder, BecomesTheDataRoot) {
    const std::string folder = std::filesystem::canonical(harness::MakeTempFolder()).string();
    {
        harness::ScopedDataRoot root(folder);
        ASSERT_TRUE(SetWorkingFolderToExe());
        EXPECT_EQ(WorkingFolder(), folder);
    }
    {
        harness::ScopedDataRoot root("");
        ASSERT_TRUE(SetWorkingFolderToExe());
        EXPECT_EQ(WorkingFolder(), std::filesystem::canonical("/proc/self/exe").parent_path().string());
    }
    const std::string before = WorkingFolder();
    {
        harness::ScopedDataRoot root(folder + "/missing");
        EXPECT_FALSE(SetWorkingFolderToExe());
        EXPECT_EQ(WorkingFolder(), before);
    }
}

} // namespace
