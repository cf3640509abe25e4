// The real start-up, frames and shutdown of the game in-process, over the shipped assets/: what loads,
// what the log says, and what a player keeps from one run to the next.

#include <gtest/gtest.h>

#include <SDL.h>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/missing_names.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "data/game_settings.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/tilesets.h"
#include "data/user_records.h"
#include "game_seams.h"
#include "graphics/preload_list.h"
#include "harness/harness.h"
#include "objects/object_factory.h"
#include "rooms/effector.h"
#include "shell/startup.h"
#include "shell/startup_seams.h"

namespace {

// The calls that still go to subsystems other work is building; every other call is connected.
const std::set<std::string> kRemainingSeams = {};

// Parts of lines that report a file, name or step the data lacks.
const char* const kComplaints[] = {"not found", "failed", "skipped", "cannot", "not loaded", "not built"};

// The name of a seam's "<name> not built yet" line; empty for any other line.
std::string SeamNameOf(const std::string& line) {
    const std::string suffix = " not built yet";
    const bool seam =
        line.size() > suffix.size() && line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0;
    return seam ? line.substr(0, line.size() - suffix.size()) : "";
}

class GameStartUpTest : public testing::Test {
protected:
    void SetUp() override { InstallGame(); }
    void TearDown() override { ReleaseProcessState(); }

    // What main() does before the engine starts.
    static void InstallGame() { SetSeams(std::make_unique<TGameSeams>()); }

    static std::string DifficultyBytes(const TBaseMosaicSettings& settings) {
        TBufferBin buffer;
        settings.Write(buffer);
        return std::string(buffer.GetBytes().begin(), buffer.GetBytes().end());
    }

    harness::SteppedClock mClock;
};

TEST_F(GameStartUpTest, ShippedDataLoadsInOrderWithoutAComplaint) {
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    SDL_Window* window = TAppConfig::Get()->GetWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Verdanel");

    // What the loader filled, beyond its log lines.
    EXPECT_GT(TMosaicGameSettings::Get().GetPresetCount(), 0);
    EXPECT_FALSE(GetStageList(kMainLevelSet).mStages.empty());
    ASSERT_NE(GetCurrentTileset(), nullptr);
    EXPECT_FALSE(GetRewardList().empty());
    ASSERT_NE(TSettings::Get(), nullptr);
    EXPECT_NE(TObjectFactory::GetInstance(), nullptr);
    EXPECT_NE(TRoomFactory::GetInstance(), nullptr);
    EXPECT_NE(TEffectorsFactory::GetInstance(), nullptr);

    // The first tileset's tiles and the images kept for the whole run (the fader's shadow) are read once
    // the first frame is out, before the second.
    const auto preloaded = [] { return GetPreloadList() != nullptr && !GetPreloadList()->mImages.empty(); };
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(GetCurrentTileset()->mLoaded, frame > 1) << "frame " << frame;
        EXPECT_EQ(preloaded(), frame > 1) << "frame " << frame;
        mClock.Advance(16);
        game.Step();
    }
    ASSERT_NE(GetPreloadList(), nullptr);
    ASSERT_EQ(GetPreloadList()->mImages.size(), 1u);
    EXPECT_EQ(GetPreloadList()->mImages[0].mImageName, "textures/gui/sh1");
    EXPECT_TRUE(GetPreloadList()->mImages[0].mTexture);
    game.Shutdown();
    EXPECT_EQ(TSettings::Get(), nullptr);
    EXPECT_EQ(TObjectFactory::GetInstance(), nullptr);
    EXPECT_EQ(TRoomFactory::GetInstance(), nullptr);
    EXPECT_EQ(TEffectorsFactory::GetInstance(), nullptr);
    EXPECT_TRUE(GetRewardList().empty());
    EXPECT_TRUE(GetTilesets().empty());
    EXPECT_TRUE(harness::PathExists(harness::UserFolder() + "/settings.dat"));

    const std::vector<std::string> lines = harness::LogLines();
    // The shipped data holds splash images: they come first.
    EXPECT_TRUE(harness::HasLinesInOrder(lines, harness::StartUpProgressLines(true)));
    std::set<std::string> seams;
    for (const std::string& line : lines) {
        const std::string seam = SeamNameOf(line);
        if (!seam.empty()) {
            seams.insert(seam);
            continue;
        }
        for (const char* complaint : kComplaints) {
            EXPECT_EQ(line.find(complaint), std::string::npos) << line;
        }
    }
    EXPECT_EQ(seams, kRemainingSeams);
    for (const TMissingName& missing : GetMissingNames()) {
        ADD_FAILURE() << missing.kind << " not found " << missing.name;
    }
}

TEST_F(GameStartUpTest, PlayerKeepsRewardsCountersAndSettingsAcrossARestart) {
    std::string presetBytes;
    {
        harness::RunningGame game;
        ASSERT_EQ(game.GetStartResult(), 0);
        ASSERT_FALSE(GetRewardList().empty());
        TSettings* settings = TSettings::Get();
        settings->AddUser("Anna");
        GetRewardList().back()->SetObtained();
        TRewardConnector::Get().mLevelsWon = 4;
        TUserInfo::Get()->AddScore(250);
        ASSERT_GE(TMosaicGameSettings::Get().GetPresetCount(), 3);
        const TBaseMosaicSettings& preset = TMosaicGameSettings::Get().GetPreset(2);
        presetBytes = DifficultyBytes(preset);
        ASSERT_NE(presetBytes, DifficultyBytes(TBaseMosaicSettings())) << "the preset must differ from a new player's";
        SetProfileDifficulty(preset);
        settings->SaveProgress();
        // Only the shutdown saves this one.
        settings->SetCustomCursor(false);
        mClock.Advance(16);
        game.Step();
    }
    ReleaseProcessState();
    // Not saved: a new run must start it at 0 itself.
    TRewardConnector::Get().mLevelsSolvedThisRun = 9;

    InstallGame();
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    const TSettings* settings = TSettings::Get();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->GetUserName(), "Anna");
    EXPECT_FALSE(settings->IsCustomCursor());
    ASSERT_FALSE(GetRewardList().empty());
    EXPECT_TRUE(GetRewardList().back()->mObtained);
    const TRewardConnector& counters = TRewardConnector::Get();
    EXPECT_EQ(counters.mLevelsWon, 4);
    EXPECT_EQ(counters.mModeScore, 250);
    EXPECT_EQ(counters.mLevelsSolvedThisRun, 0);
    EXPECT_EQ(TUserInfo::Get()->GetCurrentModeProgress().mScore, 250);
    EXPECT_EQ(DifficultyBytes(GetProfileDifficulty()), presetBytes);
}

// A save cut short (the process killed) leaves its temporary files beside the saved ones: the next
// start-up removes them, says so, and the player is found as last saved.
TEST_F(GameStartUpTest, StartUpRemovesTheTemporaryFilesOfACutSaveAndKeepsThePlayer) {
    {
        harness::RunningGame game;
        ASSERT_EQ(game.GetStartResult(), 0);
        TSettings::Get()->AddUser("Anna");
        TUserInfo::Get()->AddScore(30);
        TSettings::Get()->SaveProgress();
    }
    ReleaseProcessState();
    const std::string folder = harness::UserFolder() + "/";
    for (const char* name : {"settings.dat.tmp", "user1.tmp"}) {
        ASSERT_TRUE(harness::WriteFile(folder + name, "half a save")) << name;
    }

    InstallGame();
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    for (const char* name : {"settings.dat.tmp", "user1.tmp"}) {
        EXPECT_FALSE(harness::PathExists(folder + name)) << name;
        EXPECT_TRUE(harness::LogContains("stale temporary file " + folder + name + " removed")) << name;
    }
    EXPECT_EQ(TSettings::Get()->GetUserName(), "Anna");
    EXPECT_EQ(TUserInfo::Get()->GetCurrentModeProgress().mScore, 30);
}

// Releasing the process state in the middle of a run saves nothing (the settings file keeps its bytes)
// and forgets the player: the settings, the profile, its records, counters and difficulty, the rewards.
TEST_F(GameStartUpTest, ReleasingTheProcessStateSavesNothingAndForgetsThePlayer) {
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    TSettings::Get()->AddUser("Anna");
    ASSERT_TRUE(TSettings::Get()->SaveSettings());
    const std::string settingsPath = ResolvePath(TMySettings::kFileName);
    const std::string savedBytes = harness::ReadFile(settingsPath);
    // Only a shutdown would save this one.
    TSettings::Get()->SetCustomCursor(false);
    TRewardConnector::Get().mLevelsWon = 4;
    TUserInfo::Get()->AddScore(250);
    ASSERT_GE(TMosaicGameSettings::Get().GetPresetCount(), 3);
    SetProfileDifficulty(TMosaicGameSettings::Get().GetPreset(2));
    ASSERT_FALSE(GetRewardList().empty());

    ReleaseProcessState();
    EXPECT_EQ(harness::ReadFile(settingsPath), savedBytes);
    EXPECT_EQ(TSettings::Get(), nullptr);
    EXPECT_TRUE(GetRewardList().empty());
    EXPECT_EQ(TRewardConnector::Get().mLevelsWon, 0);
    EXPECT_EQ(DifficultyBytes(GetProfileDifficulty()), DifficultyBytes(TBaseMosaicSettings()));
    EXPECT_EQ(TUserInfo::Get()->GetCurrentModeProgress().mScore, 0);
}

// Whether the log says that a save of the file failed.
bool LogReportsFailedSave(const std::string& path) {
    for (const std::string& line : harness::LogLines()) {
        if (line == "save failed " + path + ", old file kept" || line == "cannot write " + path) {
            return true;
        }
    }
    return false;
}

// A full disk while playing and at exit: each failed save is reported, the files keep what was saved
// last, and the next run finds that progress.
TEST_F(GameStartUpTest, FullDiskKeepsTheLastSavedProgressAndSaysSo) {
    const TWriteFault faults[] = {TWriteFault::Open, TWriteFault::Write, TWriteFault::Flush, TWriteFault::Sync};
    int savedScore = 0;
    for (TWriteFault fault : faults) {
        SCOPED_TRACE(static_cast<int>(fault));
        std::string settingsBytes;
        std::string profileBytes;
        {
            harness::RunningGame game;
            ASSERT_EQ(game.GetStartResult(), 0);
            TSettings* settings = TSettings::Get();
            if (settings->GetUserCount() == 0) {
                settings->AddUser("Anna");
            }
            ASSERT_EQ(TUserInfo::Get()->GetCurrentModeProgress().mScore, savedScore);
            TUserInfo::Get()->AddScore(10);
            ASSERT_TRUE(settings->SaveProfile());
            savedScore += 10;
            settingsBytes = harness::ReadFile(harness::UserFolder() + "/settings.dat");
            profileBytes = harness::ReadFile(harness::UserFolder() + "/user1");

            SetWriteFault(fault);
            TUserInfo::Get()->AddScore(5);
            settings->SetCustomCursor(!settings->IsCustomCursor());
            EXPECT_FALSE(settings->SaveProfile());
            settings->SaveProgress();
            mClock.Advance(16);
            game.Step();
            // The exit saves the settings: that fails too, and the game still ends cleanly.
            game.Shutdown();
            SetWriteFault(TWriteFault::None);
        }
        EXPECT_EQ(harness::ReadFile(harness::UserFolder() + "/settings.dat"), settingsBytes);
        EXPECT_EQ(harness::ReadFile(harness::UserFolder() + "/user1"), profileBytes);
        EXPECT_FALSE(harness::PathExists(harness::UserFolder() + "/settings.dat.tmp"));
        EXPECT_FALSE(harness::PathExists(harness::UserFolder() + "/user1.tmp"));
        EXPECT_TRUE(LogReportsFailedSave(harness::UserFolder() + "/settings.dat"));
        EXPECT_TRUE(LogReportsFailedSave(harness::UserFolder() + "/user1"));
        ReleaseProcessState();
        InstallGame();
    }
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    EXPECT_EQ(TUserInfo::Get()->GetCurrentModeProgress().mScore, savedScore);
}

} // namespace
