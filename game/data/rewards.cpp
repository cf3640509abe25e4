#include "rewards.h"

#include "app/xml_reader.h"

void TReward::Reset() {
    mObtained = false;
    mNew = false;
}

void TReward::SetObtained() {
    mObtained = true;
    mNew = true;
}

void TReward::Read(TBaseBuffer& buffer) {
    mObtained = buffer.ReadByte() != 0;
}

void TReward::LoadFromXml(const TiXmlElement* element) {
    mId = ReadXmlString(element, "id", "");
    mHint = ReadXmlString(element, "hint", "");
    mHintComplete = ReadXmlString(element, "hintcomplete", "");
    mValue = ReadXmlInt(element, "value", 0);
    mImage.mImageName = ReadXmlString(element, "image", "");
    mImageNotGet.mImageName = ReadXmlString(element, "imagenotget", "");
    mSmallImage.mImageName = ReadXmlString(element, "small", "");
    mX = ReadXmlInt(element, "x", 0);
    mY = ReadXmlInt(element, "y", 0);
    mTipX = ReadXmlInt(element, "tipx", 0);
    mTipY = ReadXmlInt(element, "tipy", 0);
}

void TReward::Write(TBaseBuffer& buffer) const {
    buffer.WriteByte(mObtained ? 1 : 0);
}

void TReward::LoadImages() {
    for (StaticImage* image : {&mImage, &mImageNotGet, &mSmallImage}) {
        image->SetImage(image->mImageName);
    }
}

void TReward::FreeImages() {
    for (StaticImage* image : {&mImage, &mImageNotGet, &mSmallImage}) {
        image->ReleaseImage();
    }
}

TRewardList& GetRewardList() {
    static TRewardList rewards;
    return rewards;
}

void LoadRewards(const std::string& name) {
    LoadRewards(ReadXmlSource(name));
}

void LoadRewards(const TXmlSource& source) {
    TiXmlElement* root = ParseXmlRoot(source);
    if (root == nullptr) {
        return;
    }
    const size_t first = GetRewardList().size();
    {
        TXmlRootWalk walk;
        std::vector<TiXmlElement*> elements;
        CollectXmlChildren(root, "reward", elements);
        for (const TiXmlElement* element : elements) {
            auto reward = std::make_unique<TReward>();
            reward->LoadFromXml(element);
            GetRewardList().push_back(std::move(reward));
        }
    }
    ReleaseXmlRoot();
    for (size_t i = first; i < GetRewardList().size(); ++i) {
        GetRewardList()[i]->LoadImages();
    }
}

void ClearRewards() {
    GetRewardList().clear();
}

TReward* FindReward(const std::string& id) {
    for (const auto& reward : GetRewardList()) {
        if (reward->mId == id) {
            return reward.get();
        }
    }
    return nullptr;
}

bool CollectEarnedRewards(const TRewardConnector& counters, std::vector<TReward*>& earned) {
    for (const auto& reward : GetRewardList()) {
        if ((reward->GetKind() & 3) != 0 && reward->IsConditionMet(counters)) {
            earned.push_back(reward.get());
        }
    }
    return !earned.empty();
}

TRewardConnector& TRewardConnector::Get() {
    static TRewardConnector counters;
    return counters;
}

namespace {
// The saved counters in their file order.
constexpr int TRewardConnector::*kSavedCounters[] = {&TRewardConnector::mModeScore,
                                                     &TRewardConnector::mSpare8,
                                                     &TRewardConnector::mLevelsStarred,
                                                     &TRewardConnector::mLevelsWon,
                                                     &TRewardConnector::mLevelsWonWithoutHint,
                                                     &TRewardConnector::mLevelsWithThreeStars,
                                                     &TRewardConnector::mSpare5,
                                                     &TRewardConnector::mHiddenCellsFound,
                                                     &TRewardConnector::mSpare11};
} // namespace

void TRewardConnector::Write(TBaseBuffer& buffer) const {
    for (int TRewardConnector::*counter : kSavedCounters) {
        buffer.WriteInt32(this->*counter);
    }
}

void TRewardConnector::Read(TBaseBuffer& buffer) {
    for (int TRewardConnector::*counter : kSavedCounters) {
        this->*counter = buffer.ReadInt32();
    }
}

void TRewardConnector::ResetSaved() {
    for (int TRewardConnector::*counter : kSavedCounters) {
        this->*counter = 0;
    }
}

void TRewardConnector::ResetPerPlay() {
    mLastScore = 0;
    mSpare7 = 0;
    mLevelsSolvedThisRun = 0;
    mSpare12 = 0;
}
