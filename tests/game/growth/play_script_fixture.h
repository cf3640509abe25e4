#pragma once
// The fixture of the tests that run the play script over the real game: the game's own seams while a
// test runs, and the profile, its records, the reward counters and the player's difficulty given back
// after it.

#include <gtest/gtest.h>

#include <memory>

#include "app/user_info.h"
#include "data/rewards.h"
#include "data/user_records.h"
#include "game_seams.h"
#include "shell/startup_seams.h"

class PlayScriptTest : public testing::Test {
protected:
    void SetUp() override { SetSeams(std::make_unique<TGameSeams>()); }
    void TearDown() override {
        TUserInfo::Release();
        RemoveUserRecords();
        TRewardConnector::Get() = TRewardConnector();
        GetProfileDifficulty() = TBaseMosaicSettings();
        SetSeams(nullptr);
    }
};
