#pragma once
// What ends with the process beyond what the game's shutdown deletes: the profile and the game's records.
// Tests that start the game more than once in one process forget it between starts.

#include "app/user_info.h"
#include "rewards.h"
#include "user_records.h"

inline void ForgetGameProcessState() {
    TUserInfo::Release();
    RemoveUserRecords();
    TRewardConnector::Get() = TRewardConnector();
    GetProfileDifficulty() = TBaseMosaicSettings();
}
