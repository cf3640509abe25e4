#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/user_info.h"
#include "harness/harness.h"
#include "harness/save_bytes.h"

namespace {

using harness::SaveBytes;

// One mode record as the file holds it.
struct ModeBytes {
    int stage = 0;
    int level = -1;
    int levelScore = 0;
    int score = 0;
    int fifth = 0;
    int state4 = 0;
    int state5 = 0;
    int state3 = 0;
    int running = 0;
    int state2 = 1;
    std::array<int, 7> flags{};
    std::vector<std::array<int, 3>> levels; // last time, best score, best stars
};

void AppendMode(SaveBytes& bytes, const ModeBytes& mode) {
    bytes.I32(mode.stage).I32(mode.level).I32(mode.levelScore).I32(mode.score).I32(mode.fifth);
    bytes.U8(mode.state4).U8(mode.state5).U8(mode.state3).U8(mode.running).U8(mode.state2);
    for (int flag : mode.flags) {
        bytes.U8(flag);
    }
    bytes.I32(static_cast<int>(mode.levels.size()));
    for (const auto& level : mode.levels) {
        bytes.I32(level[0]).I32(level[1]).I32(level[2]);
    }
}

ModeBytes UnplayedMode(int levels) {
    ModeBytes mode;
    mode.levels.assign(static_cast<size_t>(levels), {0, 0, 0});
    return mode;
}

// The payload of a profile nobody has touched: volumes 0.4, 0.5, 0.5, no pairs, difficulty not chosen.
SaveBytes NewProfileBytes(int mainLevels, int secondLevels) {
    SaveBytes bytes;
    bytes.I32(1000).I32(400).I32(500).I32(500).I32(0).U8(0).U8(0).I16(0).U8(4).U8(0);
    AppendMode(bytes, UnplayedMode(mainLevels));
    AppendMode(bytes, UnplayedMode(secondLevels));
    return bytes;
}

struct RecordingListener : TBaseUserInfoListener {
    void OnKeyAdded(const std::string& key, const std::string& value) override {
        calls.push_back("added " + key + "=" + value);
    }
    void OnKeyChanged(const std::string& key, const std::string& value) override {
        calls.push_back("changed " + key + "=" + value);
    }
    void OnSettingsChanged() override { calls.push_back("settings"); }
    std::vector<std::string> calls;
};

// Records that only note what the profile asks of them.
struct NotingRecords : TUserInfoRecords {
    void WriteRewards(TBaseBuffer&) const override {}
    void ReadRewards(TBaseBuffer&) override {}
    void WriteCounters(TBaseBuffer&) const override {}
    void ReadCounters(TBaseBuffer&) override {}
    void WriteDifficulty(TBaseBuffer&) const override {}
    void ReadDifficulty(TBaseBuffer&) override {}
    void Reset() override { ++resets; }
    void SetModeScore(int total) override { modeScore = total; }
    int resets = 0;
    int modeScore = -1;
};

class UserInfoTest : public testing::Test {
protected:
    void SetUp() override {
        TAppConfig::Get()->CreateFolders();
        TUserInfo::Release();
    }
    void TearDown() override {
        TUserInfo::Release();
        SetUserInfoRecords(nullptr);
        SetWriteFault(TWriteFault::None);
    }

    static std::string PathOf(const std::string& file) { return harness::UserFolder() + "/" + file; }

    // Main set: stages of 2 and 1 levels; second set: one stage of 4.
    harness::FixedLevelSets mSets{{2, 1}, {4}};
};

TEST_F(UserInfoTest, NewProfileSavesTheResetLayout) {
    ASSERT_TRUE(TUserInfo::Get()->Save("user:user1"));
    EXPECT_EQ(harness::ReadFile(PathOf("user1")), NewProfileBytes(3, 4).File());
}

TEST_F(UserInfoTest, ProgressOfBothModesHasTheFileLayoutAndReadsBack) {
    TUserInfo* profile = TUserInfo::Get();
    profile->SetMusicVolume(0.7f);
    profile->SetGroupVolume(0, 0.35f);
    profile->SetGroupVolume(1, 0.9f);
    profile->SetGroupVolume(2, 0.1f);
    profile->AddToCounter(12);
    profile->SetFlag();
    profile->AddPair("tip.map", "true");
    profile->AddPair("NewGame", "yes");
    profile->SetDifficultyChoice(2);
    profile->SetCurrentMode(1);
    TModeProgress& main = profile->GetModeProgress(0);
    main.mStage = 1;
    main.mLevel = 0;
    main.mLevelScore = 150;
    main.mScore = 900;
    main.mFifthValue = 7;
    main.mLevelRunning = true;
    main.mModePlayed = true;
    main.mHelpShown[2] = true;
    main.mSpareFlags[1] = true;
    main.mLevels[0] = {99, 61, 300, 3};
    main.mLevels[2] = {0, 45, 120, 1};
    TModeProgress& second = profile->GetModeProgress(1);
    second.mLevel = 3;
    second.mScore = 40;
    second.mStateByte2 = false;
    second.mStateByte4 = true;
    second.mStateByte5 = true;
    second.mHelpShown[0] = true;
    second.mLevels[3] = {0, 200, 75, 2};
    ASSERT_TRUE(profile->Save("user:user1"));

    SaveBytes expected;
    expected.I32(1000).I32(700).I32(900).I32(350).I32(12).U8(1).U8(0).I16(2);
    expected.Str("tip.map").Str("true").Str("NewGame").Str("yes").U8(2).U8(1);
    ModeBytes mainBytes{
        1, 0, 150, 900, 7, 0, 0, 1, 1, 1, {0, 0, 1, 0, 0, 1, 0}, {{61, 300, 3}, {0, 0, 0}, {45, 120, 1}}};
    ModeBytes secondBytes{
        0, 3, 0, 40, 0, 1, 1, 0, 0, 0, {1, 0, 0, 0, 0, 0, 0}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {200, 75, 2}}};
    AppendMode(expected, mainBytes);
    AppendMode(expected, secondBytes);
    ASSERT_EQ(harness::ReadFile(PathOf("user1")), expected.File());

    TUserInfo::Release();
    ASSERT_TRUE(TUserInfo::Get()->Load("user:user1"));
    ASSERT_TRUE(TUserInfo::Get()->Save("user:user2"));
    EXPECT_EQ(harness::ReadFile(PathOf("user2")), expected.File());
    EXPECT_FLOAT_EQ(TUserInfo::Get()->GetGroupVolume(0), 0.35f);
    // The third group is not saved: it comes back at its default.
    EXPECT_FLOAT_EQ(TUserInfo::Get()->GetGroupVolume(2), 0.5f);
    EXPECT_EQ(TUserInfo::Get()->GetModeProgress(0).mLevels[0].mScratch, 0);
}

TEST_F(UserInfoTest, PairsTellTheListenerOnlyOfRealChanges) {
    struct Step {
        bool set; // SetValue, else AddPair
        const char* key;
        const char* value;
        const char* call; // "" when the listener hears nothing
    };
    const Step steps[] = {
        {false, "tip", "true", "added tip=true"},
        {false, "tip", "true", ""},
        {false, "tip", "false", "added tip=false"},
        {true, "tip", "false", "changed tip=false"},
        {true, "tip", "false", ""},
        {true, "Tip", "true", "added Tip=true"},
        {true, "level", "3", "added level=3"},
    };
    RecordingListener listener;
    TUserInfo* profile = TUserInfo::Get();
    profile->SetListener(&listener);
    for (const Step& step : steps) {
        listener.calls.clear();
        if (step.set) {
            profile->SetValue(step.key, step.value);
        } else {
            profile->AddPair(step.key, step.value);
        }
        std::vector<std::string> expected;
        if (step.call[0] != '\0') {
            expected.push_back(step.call);
        }
        EXPECT_EQ(listener.calls, expected) << (step.set ? "set " : "add ") << step.key << "=" << step.value;
    }
    // SetValue changed the first pair of its key only; keys compare with their letter case.
    std::vector<std::string> pairs;
    for (const TUserPair& pair : profile->GetPairs()) {
        pairs.push_back(pair.mKey + "=" + pair.mValue);
    }
    EXPECT_EQ(pairs, (std::vector<std::string>{"tip=false", "tip=false", "Tip=true", "level=3"}));
    EXPECT_TRUE(profile->HasPair("Tip", "true"));
    EXPECT_FALSE(profile->HasPair("tip", "true"));
    EXPECT_FALSE(profile->HasKey("TIP"));
    profile->SetListener(nullptr);
}

TEST_F(UserInfoTest, CounterAndScoreNeverGoBelowZero) {
    struct Case {
        int start;
        int delta;
        int expected;
    };
    const Case cases[] = {{3, -5, 0}, {3, 4, 7}, {0, -1, 0}, {INT_MAX - 1, 5, INT_MAX}, {10, INT_MIN, 0}};
    NotingRecords records;
    SetUserInfoRecords(&records);
    TUserInfo* profile = TUserInfo::Get();
    for (const Case& c : cases) {
        profile->Reset();
        profile->AddToCounter(c.start);
        profile->AddToCounter(c.delta);
        EXPECT_EQ(profile->GetCounter(), c.expected) << c.start << " + " << c.delta;

        profile->SetCurrentMode(1);
        profile->AddScore(c.start);
        profile->AddScore(c.delta);
        EXPECT_EQ(profile->GetModeProgress(1).mScore, c.expected) << c.start << " + " << c.delta;
        EXPECT_EQ(profile->GetModeProgress(0).mScore, 0);
        EXPECT_EQ(records.modeScore, c.expected);
    }
}

TEST_F(UserInfoTest, AdvanceStageWalksTheCurrentModesOwnLevelSet) {
    struct Case {
        int mode;
        int stage;
        int level;
        int result;
        int stageAfter;
        int levelAfter;
    };
    // Main set: stages of 2 and 1 levels; second set: one stage of 4 levels. A damaged profile's stage is any int.
    const Case cases[] = {
        {0, 0, 0, 1, 0, 0},  {0, 0, 1, 0, 1, -1},       {0, 1, 0, 2, 0, -1},       {0, 0, -1, 1, 0, -1},
        {1, 0, 1, 1, 0, 1},  {1, 0, 2, 1, 0, 2},        {1, 0, 3, 2, 0, -1},       {0, -3, 0, 2, 0, -1},
        {0, 7, 0, 2, 0, -1}, {0, INT_MAX, 0, 2, 0, -1}, {0, INT_MIN, 0, 2, 0, -1},
    };
    TUserInfo* profile = TUserInfo::Get();
    for (const Case& c : cases) {
        profile->Reset();
        profile->SetCurrentMode(c.mode);
        TModeProgress& progress = profile->GetCurrentModeProgress();
        progress.mStage = c.stage;
        progress.mLevel = c.level;
        EXPECT_EQ(profile->AdvanceStage(), c.result) << c.mode << " " << c.stage << " " << c.level;
        EXPECT_EQ(progress.mStage, c.stageAfter) << c.mode << " " << c.stage << " " << c.level;
        EXPECT_EQ(progress.mLevel, c.levelAfter) << c.mode << " " << c.stage << " " << c.level;
    }
}

TEST_F(UserInfoTest, AnyModeOtherThanZeroUsesTheSecondRecord) {
    TUserInfo* profile = TUserInfo::Get();
    for (int mode : {1, 5, 255, -1}) {
        profile->SetCurrentMode(mode);
        EXPECT_EQ(&GetCurrentModeProgress(), &profile->GetModeProgress(1)) << mode;
    }
    profile->SetCurrentMode(0);
    EXPECT_NE(&GetCurrentModeProgress(), &profile->GetModeProgress(1));
}

TEST_F(UserInfoTest, FirstStageChecksCountItsLevels) {
    struct Case {
        std::vector<int> scores; // best scores of the first levels of the record
        bool secondSet;
        bool done;
        bool five;
    };
    mSets.Set(0, {6, 2});
    mSets.Set(1, {0, 3});
    const Case cases[] = {
        {{5, 5, 5, 5, 5, 5}, false, true, true},   {{5, 5, 5, 5, 5, 0}, false, false, true},
        {{5, 5, 5, 5, 0, 0}, false, false, false}, {{0, 0, 0, 0, 0, 0}, true, true, false},
        {{5, 5, 5, 5, 5, -2}, false, true, true},
    };
    TUserInfo* profile = TUserInfo::Get();
    for (const Case& c : cases) {
        profile->Reset();
        TModeProgress& progress = profile->GetModeProgress(0);
        for (size_t i = 0; i < c.scores.size(); ++i) {
            progress.mLevels[i].mBestScore = c.scores[i];
        }
        EXPECT_EQ(progress.IsFirstStageDone(c.secondSet), c.done) << testing::PrintToString(c.scores);
        EXPECT_EQ(progress.HasFiveLevelsDone(c.secondSet), c.five) << testing::PrintToString(c.scores);
    }
}

TEST_F(UserInfoTest, LevelRecordsFollowTheCurrentLevelSetsWhateverTheFileHolds) {
    TUserInfo* profile = TUserInfo::Get();
    for (size_t i = 0; i < 3; ++i) {
        profile->GetModeProgress(0).mLevels[i].mBestScore = 10 + static_cast<int>(i);
    }
    for (size_t i = 0; i < 4; ++i) {
        profile->GetModeProgress(1).mLevels[i].mBestStars = 1 + static_cast<int>(i);
    }
    ASSERT_TRUE(profile->Save("user:user1"));

    mSets.Set(0, {1});
    mSets.Set(1, {3, 3});
    TUserInfo::Release();
    ASSERT_TRUE(TUserInfo::Get()->Load("user:user1"));
    const std::vector<TLevelProgress>& main = TUserInfo::Get()->GetModeProgress(0).mLevels;
    const std::vector<TLevelProgress>& second = TUserInfo::Get()->GetModeProgress(1).mLevels;
    ASSERT_EQ(main.size(), 1u);
    EXPECT_EQ(main[0].mBestScore, 10);
    ASSERT_EQ(second.size(), 6u);
    for (size_t i = 0; i < second.size(); ++i) {
        EXPECT_EQ(second[i].mBestStars, i < 4 ? static_cast<int>(i) + 1 : 0) << i;
    }
}

TEST_F(UserInfoTest, ResetMakesAPlayedProfileLookNew) {
    NotingRecords records;
    SetUserInfoRecords(&records);
    RecordingListener listener;
    TUserInfo* profile = TUserInfo::Get();
    profile->SetListener(&listener);
    profile->SetMusicVolume(0.9f);
    profile->SetGroupVolume(2, 0.2f);
    profile->AddToCounter(4);
    profile->SetFlag();
    profile->AddPair("help0", "true");
    profile->SetDifficultyChoice(1);
    profile->SetCurrentMode(1);
    for (int mode = 0; mode < TUserInfo::kModeCount; ++mode) {
        TModeProgress& progress = profile->GetModeProgress(mode);
        progress.mStage = 1;
        progress.mLevel = 2;
        progress.mScore = 50;
        progress.mLevelRunning = true;
        progress.mModePlayed = true;
        progress.mStateByte2 = false;
        progress.mHelpShown[3] = true;
        progress.mLevels.assign(9, {1, 2, 3, 4});
    }
    records.resets = 0;

    profile->Reset();
    ASSERT_TRUE(profile->Save("user:user1"));
    EXPECT_EQ(harness::ReadFile(PathOf("user1")), NewProfileBytes(3, 4).File());
    EXPECT_FLOAT_EQ(profile->GetGroupVolume(2), 0.5f);
    EXPECT_EQ(records.resets, 1);
    EXPECT_EQ(profile->GetListener(), &listener);
    profile->SetListener(nullptr);
}

// Offsets in the payload of a profile without pairs.
constexpr size_t kPairCountAt = 22;
constexpr size_t kMainLevelCountAt = 26 + 32;

std::vector<harness::FileDamage> Damages() {
    std::vector<harness::FileDamage> damages = harness::FrameDamages();
    damages.push_back(harness::PatchedAt("header not 1000", 0, SaveBytes().I32(999)));
    damages.push_back(harness::PatchedAt("pair count beyond the bytes", kPairCountAt, SaveBytes().I16(500)));
    damages.push_back(harness::PatchedAt("negative pair count", kPairCountAt, SaveBytes().I16(-1)));
    damages.push_back(harness::PatchedAt("level count beyond the bytes", kMainLevelCountAt, SaveBytes().I32(1000000)));
    damages.push_back(harness::PatchedAt("negative level count", kMainLevelCountAt, SaveBytes().I32(-1)));
    return damages;
}

TEST_F(UserInfoTest, DamagedFileIsSetAsideAndItsBackupLoaded) {
    for (const harness::FileDamage& damage : Damages()) {
        SCOPED_TRACE(damage.name);
        TUserInfo* profile = TUserInfo::Get();
        profile->Reset();
        profile->AddToCounter(5);
        ASSERT_TRUE(profile->Save("user:user1")); // becomes the backup
        profile->AddToCounter(4);
        ASSERT_TRUE(profile->Save("user:user1"));
        const std::string good = harness::ReadFile(PathOf("user1"));
        const std::string damaged = damage.make(good);
        ASSERT_TRUE(harness::WriteFile(PathOf("user1"), damaged));

        profile->Reset();
        profile->AddToCounter(77);
        EXPECT_TRUE(profile->Load("user:user1"));
        EXPECT_EQ(profile->GetCounter(), 5);
        EXPECT_EQ(harness::ReadFile(PathOf("user1.bad")), damaged);
        EXPECT_FALSE(harness::PathExists(PathOf("user1")));
        EXPECT_TRUE(harness::LogContains("damaged file " + PathOf("user1")));
        std::remove(PathOf("user1.bad").c_str());
        std::remove(PathOf("user1.bak").c_str());
    }
}

// A save file's bytes in memory load as the file does; damaged bytes change nothing.
TEST_F(UserInfoTest, SaveFileBytesInMemoryLoadAsTheFile) {
    TUserInfo* profile = TUserInfo::Get();
    profile->Reset();
    profile->AddToCounter(12);
    profile->GetModeProgress(1).mLevels[2].mBestScore = 31;
    ASSERT_TRUE(profile->Save("user:user1"));
    const std::string good = harness::ReadFile(PathOf("user1"));
    for (const harness::FileDamage& damage : Damages()) {
        SCOPED_TRACE(damage.name);
        profile->Reset();
        profile->AddToCounter(77);
        EXPECT_FALSE(profile->LoadBytes(damage.make(good)));
        EXPECT_EQ(profile->GetCounter(), 77);
        EXPECT_EQ(profile->GetModeProgress(1).mLevels[2].mBestScore, 0);
    }
    profile->Reset();
    EXPECT_TRUE(profile->LoadBytes(good));
    EXPECT_EQ(profile->GetCounter(), 12);
    EXPECT_EQ(profile->GetModeProgress(1).mLevels[2].mBestScore, 31);
    ASSERT_TRUE(profile->Save("user:user2"));
    EXPECT_EQ(harness::ReadFile(PathOf("user2")), good);
}

TEST_F(UserInfoTest, AModeStageOrLevelNoSetHasTakesItsDefaultAndIsLogged) {
    struct Case {
        const char* what;
        int mode, stage, level;
        int modeAfter, stageAfter, levelAfter;
        const char* line;
    };
    // Main set: stages of 2 and 1 levels. The second mode's record stays whole.
    const Case cases[] = {
        {"all in range", 0, 1, 0, 0, 1, 0, nullptr},
        {"no level yet", 1, -1, -1, 1, -1, -1, nullptr},
        {"mode 255", 255, 0, 1, 0, 0, 1, "profile: mode 255 out of range, 0 used"},
        {"stage past the set", 0, 2, 0, 0, 0, 0, "profile: stage 2 of mode 0 out of range, 0 used"},
        {"negative stage", 0, -7, 0, 0, 0, 0, "profile: stage -7 of mode 0 out of range, 0 used"},
        {"level past its stage", 0, 1, 1, 0, 1, -1, "profile: level 1 of mode 0 out of range, -1 used"},
        {"huge level", 0, 0, 1 << 30, 0, 0, -1, "profile: level 1073741824 of mode 0 out of range, -1 used"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SaveBytes bytes;
        bytes.I32(1000).I32(400).I32(500).I32(500).I32(0).U8(0).U8(0).I16(0).U8(1).U8(c.mode);
        ModeBytes main = UnplayedMode(3);
        main.stage = c.stage;
        main.level = c.level;
        AppendMode(bytes, main);
        ModeBytes second = UnplayedMode(4);
        second.level = 2;
        AppendMode(bytes, second);
        ASSERT_TRUE(harness::WriteFile(PathOf("odd"), bytes.File()));
        TUserInfo* profile = TUserInfo::Get();
        profile->Reset();
        const size_t before = harness::LogLines().size();
        profile->Load("user:odd");
        EXPECT_EQ(profile->GetCurrentMode(), c.modeAfter);
        EXPECT_EQ(profile->GetModeProgress(0).mStage, c.stageAfter);
        EXPECT_EQ(profile->GetModeProgress(0).mLevel, c.levelAfter);
        EXPECT_EQ(profile->GetModeProgress(1).mLevel, 2);
        EXPECT_EQ(profile->GetDifficultyChoice(), 1);
        const std::vector<std::string> lines = harness::LogLines();
        const std::vector<std::string> added(lines.begin() + static_cast<long>(before), lines.end());
        EXPECT_EQ(added, c.line != nullptr ? std::vector<std::string>{c.line} : std::vector<std::string>{});
    }
}

TEST_F(UserInfoTest, DamagedFileWithoutBackupChangesNothing) {
    for (const harness::FileDamage& damage : Damages()) {
        SCOPED_TRACE(damage.name);
        TUserInfo* profile = TUserInfo::Get();
        profile->Reset();
        profile->AddToCounter(9);
        ASSERT_TRUE(profile->Save("user:user1"));
        const std::string good = harness::ReadFile(PathOf("user1"));
        const std::string damaged = damage.make(good);
        ASSERT_TRUE(harness::WriteFile(PathOf("user1"), damaged));
        std::remove(PathOf("user1.bak").c_str());

        profile->Reset();
        profile->AddToCounter(77);
        profile->AddPair("kept", "yes");
        profile->GetModeProgress(1).mLevels[2].mBestScore = 31;
        EXPECT_FALSE(profile->Load("user:user1"));
        EXPECT_EQ(profile->GetCounter(), 77);
        EXPECT_TRUE(profile->HasPair("kept", "yes"));
        EXPECT_EQ(profile->GetModeProgress(1).mLevels.size(), 4u);
        EXPECT_EQ(profile->GetModeProgress(1).mLevels[2].mBestScore, 31);
        EXPECT_EQ(harness::ReadFile(PathOf("user1.bad")), damaged);
        std::remove(PathOf("user1.bad").c_str());
    }
}

TEST_F(UserInfoTest, FileThatEndsEarlyGivesWhatItHas) {
    TUserInfo* profile = TUserInfo::Get();
    profile->SetMusicVolume(0.25f);
    profile->AddPair("tip", "true");
    profile->SetDifficultyChoice(1);
    profile->SetCurrentMode(1);
    ASSERT_TRUE(profile->Save("user:user1"));
    const std::string payload = harness::ReadFile(PathOf("user1")).substr(4);
    // Cut right after the difficulty choice: the current mode and both mode records are missing.
    const size_t choiceEnd = 24 + 2 + 3 + 2 + 4 + 1;
    ASSERT_TRUE(harness::WriteFile(PathOf("user1"), SaveBytes::WithCrc(payload.substr(0, choiceEnd))));

    TUserInfo::Release();
    TUserInfo* loaded = TUserInfo::Get();
    loaded->AddToCounter(3);
    EXPECT_FALSE(loaded->Load("user:user1"));
    EXPECT_FLOAT_EQ(loaded->GetMusicVolume(), 0.25f);
    EXPECT_TRUE(loaded->HasPair("tip", "true"));
    EXPECT_EQ(loaded->GetDifficultyChoice(), 1);
    EXPECT_EQ(loaded->GetCounter(), 0);
    EXPECT_EQ(loaded->GetCurrentMode(), 0);
    // Missing records read as zeros, but the levels stay sized to their sets.
    EXPECT_EQ(loaded->GetModeProgress(0).mLevels.size(), 3u);
    EXPECT_EQ(loaded->GetModeProgress(1).mLevels.size(), 4u);
    EXPECT_FALSE(harness::PathExists(PathOf("user1.bad")));
}

TEST_F(UserInfoTest, TrailingBytesLoadButAreReported) {
    ASSERT_TRUE(TUserInfo::Get()->Save("user:user1"));
    const std::string payload = harness::ReadFile(PathOf("user1")).substr(4);
    ASSERT_TRUE(harness::WriteFile(PathOf("user1"), SaveBytes::WithCrc(payload + "xyz")));
    EXPECT_FALSE(TUserInfo::Get()->Load("user:user1"));
    EXPECT_FALSE(harness::PathExists(PathOf("user1.bad")));
}

TEST_F(UserInfoTest, MissingFileChangesNothing) {
    TUserInfo::Get()->AddToCounter(6);
    EXPECT_FALSE(TUserInfo::Get()->Load("user:user9"));
    EXPECT_EQ(TUserInfo::Get()->GetCounter(), 6);
}

TEST_F(UserInfoTest, FailedSaveIsReportedAndKeepsTheOldFile) {
    const TWriteFault faults[] = {TWriteFault::Open, TWriteFault::Write, TWriteFault::Flush,
                                  TWriteFault::Sync, TWriteFault::Close, TWriteFault::Rename};
    TUserInfo* profile = TUserInfo::Get();
    ASSERT_TRUE(profile->Save("user:user1"));
    const std::string old = harness::ReadFile(PathOf("user1"));
    profile->AddToCounter(8);
    for (TWriteFault fault : faults) {
        SCOPED_TRACE(static_cast<int>(fault));
        SetWriteFault(fault);
        EXPECT_FALSE(profile->Save("user:user1"));
        SetWriteFault(TWriteFault::None);
        EXPECT_EQ(harness::ReadFile(PathOf("user1")), old);
    }
    EXPECT_TRUE(harness::LogContains("save failed " + PathOf("user1")));
}

} // namespace
