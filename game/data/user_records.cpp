#include "user_records.h"

#include "app/settings.h"
#include "app/user_info.h"
#include "data/rewards.h"

namespace {

class TGameUserRecords : public TUserInfoRecords {
public:
    void WriteRewards(TBaseBuffer& buffer) const override {
        for (const auto& reward : GetRewardList()) {
            reward->Write(buffer);
        }
    }

    void ReadRewards(TBaseBuffer& buffer) override {
        for (const auto& reward : GetRewardList()) {
            reward->Read(buffer);
        }
    }

    void WriteCounters(TBaseBuffer& buffer) const override { TRewardConnector::Get().Write(buffer); }
    void ReadCounters(TBaseBuffer& buffer) override { TRewardConnector::Get().Read(buffer); }
    void WriteDifficulty(TBaseBuffer& buffer) const override { mDifficulty.Write(buffer); }
    void ReadDifficulty(TBaseBuffer& buffer) override { mDifficulty.Read(buffer); }

    void Reset() override {
        for (const auto& reward : GetRewardList()) {
            reward->Reset();
        }
        TRewardConnector::Get().ResetSaved();
        mDifficulty = TBaseMosaicSettings();
    }

    void SetModeScore(int total) override { TRewardConnector::Get().mModeScore = total; }

    TBaseMosaicSettings mDifficulty;
};

TGameUserRecords& GetRecords() {
    static TGameUserRecords records;
    return records;
}

} // namespace

void InstallUserRecords() {
    SetUserInfoRecords(&GetRecords());
}

void RemoveUserRecords() {
    SetUserInfoRecords(nullptr);
}

TBaseMosaicSettings& GetProfileDifficulty() {
    return GetRecords().mDifficulty;
}

void SetProfileDifficulty(const TBaseMosaicSettings& settings) {
    GetRecords().mDifficulty = settings;
    TUserInfo::Get()->NotifySettingsChanged();
}

void LoadRewardsAndProfile(const std::string& name) {
    LoadRewards(name);
    if (TSettings* settings = TSettings::Get()) {
        settings->LoadProfile();
    }
}
