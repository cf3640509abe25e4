#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "data/rewards.h"
#include "data/user_records.h"
#include "harness/harness.h"
#include "harness/save_bytes.h"

namespace {

using harness::SaveBytes;

const char* const kRewardsXml = R"(<rewards>
  <reward id="cup"/><reward id="key"/><reward id="map"/><reward id="coin"/>
</rewards>)";

// Length of the profile's engine part for a fresh profile: 26 bytes up to the current mode, then a
// mode record of 36 bytes plus 12 per level (two levels in the main set, one in the second).
constexpr size_t kEnginePartBytes = 26 + (36 + 2 * 12) + (36 + 1 * 12);

TBaseMosaicSettings ExpertPreset() {
    TBaseMosaicSettings preset;
    preset.mHintRecharge = 90;
    preset.mUseTimer = true;
    preset.mShowBonusTime = false;
    preset.mSetNumbersNow = 2;
    preset.mMaxErrors = 1;
    preset.mTimeEntries = {{2.5f, 0}, {1.75f, 9}};
    return preset;
}

SaveBytes ExpertPresetBytes() {
    return SaveBytes().I32(90).U8(1).U8(0).I32(2).I32(1).I32(2500).I32(0).I32(1750).I32(9);
}

SaveBytes DefaultDifficultyBytes() {
    return SaveBytes().I32(30).U8(0).U8(1).I32(1).I32(3);
}

struct SettingsListener : TBaseUserInfoListener {
    void OnSettingsChanged() override { ++changes; }
    int changes = 0;
};

class UserRecordsTest : public testing::Test {
protected:
    void SetUp() override {
        SetWorkingFolderToExe();
        TAppConfig::Get()->CreateFolders();
        ASSERT_TRUE(harness::WriteFile(mFolder + "/assets/rewards.xml", kRewardsXml));
        InstallUserRecords();
        TUserInfo::Release();
    }
    void TearDown() override {
        ForgetGameState();
        RemoveUserRecords();
        SetWriteFault(TWriteFault::None);
    }

    // What a process exit takes away.
    static void ForgetGameState() {
        TSettings::Release();
        TUserInfo::Release();
        ClearRewards();
        TRewardConnector::Get() = TRewardConnector();
        GetProfileDifficulty() = TBaseMosaicSettings();
    }

    // The order start-up reads things in: the settings and the profile before the reward list exists.
    static TSettings* StartUp() {
        TSettings* settings = CreateSettings("mysettings");
        settings->LoadSettings();
        settings->LoadProfile();
        LoadRewardsAndProfile("rewards.xml");
        TRewardConnector::Get().ResetPerPlay();
        return settings;
    }

    // A first user "ann" who has played: two rewards, counters, a difficulty and progress, saved.
    static TSettings* PlayedUser() {
        LoadRewards("rewards.xml");
        TSettings* settings = CreateSettings("mysettings");
        settings->AddUser("ann");
        GetRewardList()[0]->SetObtained();
        GetRewardList()[2]->SetObtained();
        TRewardConnector& counters = TRewardConnector::Get();
        counters.mLevelsWon = 6;
        counters.mHiddenCellsFound = 2;
        counters.mLevelsWithThreeStars = 1;
        counters.mLastScore = 500; // not saved
        SetProfileDifficulty(ExpertPreset());
        TUserInfo* profile = TUserInfo::Get();
        profile->SetDifficultyChoice(2);
        profile->GetModeProgress(0).mModePlayed = true;
        profile->GetModeProgress(0).mLevels[1].mBestScore = 400;
        profile->AddScore(400);
        settings->SaveProgress();
        return settings;
    }

    static std::string PathOf(const std::string& file) { return harness::UserFolder() + "/" + file; }

    std::string mFolder = harness::MakeTempFolder();
    harness::ScopedDataRoot mRoot{mFolder};
    harness::FixedLevelSets mSets{{2}, {1}};
};

TEST_F(UserRecordsTest, GameRecordsCloseTheProfileFile) {
    PlayedUser();

    const std::string payload = harness::ReadFile(PathOf("user1")).substr(4);
    const SaveBytes tail =
        SaveBytes().U8(1).U8(0).U8(1).U8(0).I32(400).I32(0).I32(0).I32(6).I32(0).I32(1).I32(0).I32(2).I32(0).Raw(
            ExpertPresetBytes().Payload());
    ASSERT_GT(payload.size(), kEnginePartBytes);
    EXPECT_EQ(payload.substr(kEnginePartBytes), tail.Payload());
}

TEST_F(UserRecordsTest, RestartKeepsRewardsCountersAndDifficulty) {
    TSettings* settings = PlayedUser();
    const std::string saved = harness::ReadFile(PathOf("user1"));

    ForgetGameState();
    settings = StartUp();
    std::vector<bool> obtained;
    for (const auto& reward : GetRewardList()) {
        obtained.push_back(reward->mObtained);
    }
    EXPECT_EQ(obtained, (std::vector<bool>{true, false, true, false}));
    const TRewardConnector& counters = TRewardConnector::Get();
    EXPECT_EQ(counters.mModeScore, 400);
    EXPECT_EQ(counters.mLevelsWon, 6);
    EXPECT_EQ(counters.mHiddenCellsFound, 2);
    EXPECT_EQ(counters.mLevelsWithThreeStars, 1);
    EXPECT_EQ(counters.mLastScore, 0);
    EXPECT_EQ(GetProfileDifficulty().mTimeEntries.size(), 2u);
    EXPECT_TRUE(TUserInfo::Get()->GetModeProgress(0).mModePlayed);

    // Saving again after the restart writes the same bytes: nothing was lost or shifted.
    EXPECT_TRUE(TUserInfo::Get()->Load("user:user1")) << "the file is read exactly";
    settings->SaveProgress();
    EXPECT_EQ(harness::ReadFile(PathOf("user1")), saved);
}

TEST_F(UserRecordsTest, DifficultyTimeEntriesSurviveSaveAndReload) {
    LoadRewards("rewards.xml");
    TSettings* settings = CreateSettings("mysettings");
    settings->AddUser("ann");
    SetProfileDifficulty(ExpertPreset());
    ASSERT_TRUE(settings->SaveProfile());

    GetProfileDifficulty() = TBaseMosaicSettings();
    ASSERT_TRUE(settings->LoadProfile());
    const TBaseMosaicSettings& loaded = GetProfileDifficulty();
    ASSERT_EQ(loaded.mTimeEntries.size(), 2u);
    EXPECT_FLOAT_EQ(loaded.mTimeEntries[0].mSecondsPerItem, 2.5f);
    EXPECT_EQ(loaded.mTimeEntries[1].mGameType, 9);
    EXPECT_FLOAT_EQ(loaded.mTimeEntries[1].mSecondsPerItem, 1.75f);
    EXPECT_EQ(loaded.mHintRecharge, 90);
    EXPECT_EQ(loaded.mMaxErrors, 1);
}

TEST_F(UserRecordsTest, SetDifficultyCopiesThePresetAndTellsTheListener) {
    SettingsListener listener;
    TUserInfo::Get()->SetListener(&listener);
    const TBaseMosaicSettings preset = ExpertPreset();
    SetProfileDifficulty(preset);
    EXPECT_EQ(listener.changes, 1);
    TBufferBin bytes;
    GetProfileDifficulty().Write(bytes);
    EXPECT_EQ(std::string(bytes.GetBytes().begin(), bytes.GetBytes().end()), ExpertPresetBytes().Payload());
    TUserInfo::Get()->SetListener(nullptr);
}

TEST_F(UserRecordsTest, NewPlayerInheritsNothingFromTheOneBefore) {
    TSettings* settings = PlayedUser();
    const std::string freshTail = SaveBytes()
                                      .U8(0)
                                      .U8(0)
                                      .U8(0)
                                      .U8(0)
                                      .Raw(std::string(36, '\0'))
                                      .Raw(DefaultDifficultyBytes().Payload())
                                      .Payload();

    settings->AddUser("boris");
    EXPECT_EQ(harness::ReadFile(PathOf("user2")).substr(4 + kEnginePartBytes), freshTail);

    // A selected player whose file is gone starts fresh too, not with the last player's records.
    settings->SelectUser(0);
    ASSERT_TRUE(GetRewardList()[0]->mObtained);
    std::remove(PathOf("user2").c_str());
    std::remove(PathOf("user2.bak").c_str());
    settings->SelectUser(1);
    EXPECT_FALSE(GetRewardList()[0]->mObtained);
    EXPECT_EQ(TRewardConnector::Get().mLevelsWon, 0);
    EXPECT_TRUE(GetProfileDifficulty().mTimeEntries.empty());
    EXPECT_EQ(GetProfileDifficulty().mHintRecharge, 30);
}

TEST_F(UserRecordsTest, ProfileShorterThanItsRecordsLoadsWhatItHas) {
    TSettings* settings = PlayedUser();
    const std::string payload = harness::ReadFile(PathOf("user1")).substr(4);
    ASSERT_TRUE(harness::WriteFile(PathOf("user1"), SaveBytes::WithCrc(payload.substr(0, payload.size() - 1))));

    ForgetGameState();
    LoadRewards("rewards.xml");
    settings = CreateSettings("mysettings");
    ASSERT_TRUE(settings->LoadSettings());
    EXPECT_FALSE(settings->LoadProfile());
    EXPECT_TRUE(GetRewardList()[2]->mObtained);
    EXPECT_EQ(TRewardConnector::Get().mLevelsWon, 6);
    ASSERT_EQ(GetProfileDifficulty().mTimeEntries.size(), 1u) << "the cut last entry is dropped";
    EXPECT_FLOAT_EQ(GetProfileDifficulty().mTimeEntries[0].mSecondsPerItem, 2.5f);
    EXPECT_FALSE(harness::PathExists(PathOf("user1.bad")));
}

} // namespace
