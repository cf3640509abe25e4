#pragma once
// The rewards of "rewards.xml" in one process-wide list, and the process-wide reward counters. The
// profile keeps the obtained flags and the saved counters.

#include <memory>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "app/xml_reader.h"

#include "app/buffer.h"
#include "graphics/static_image.h"

class TRewardConnector;

class TReward {
public:
    virtual ~TReward() = default;
    virtual void Reset();
    // No counter condition obtains a reward of this kind: only a found hidden cell does.
    virtual bool IsConditionMet(const TRewardConnector& counters) const { return false; }
    virtual void SetObtained();
    virtual int GetKind() const { return 1; }
    // One byte: whether it is obtained. The new flag is not saved.
    virtual void Read(TBaseBuffer& buffer);
    virtual void LoadFromXml(const TiXmlElement* element);
    virtual void Write(TBaseBuffer& buffer) const;
    // Loads the three pictures by their stored names, or lets go of them; the names stay.
    virtual void LoadImages();
    virtual void FreeImages();

    bool mObtained = false;
    bool mNew = false; // obtained and not yet seen on the map
    std::string mId;
    std::string mHint;         // term key of the hint text
    std::string mHintComplete; // term key of the text once obtained
    int mValue = 0;
    // Pictures: when obtained, while not obtained, and small; named when read.
    StaticImage mImage;
    StaticImage mImageNotGet;
    StaticImage mSmallImage;
    int mX = 0;
    int mY = 0;
    int mTipX = 0;
    int mTipY = 0;
};

using TRewardList = std::vector<std::unique_ptr<TReward>>;

TRewardList& GetRewardList();
// Appends one reward per "reward" child of the file's root and loads their pictures; a missing file
// leaves the list as it is.
void LoadRewards(const std::string& name);
// The same from a document in memory.
void LoadRewards(const TXmlSource& source);
void ClearRewards();
// The first reward of exactly that id, or null.
TReward* FindReward(const std::string& id);
// Appends every reward of kind bit 0 or 1 whose condition the counters meet; true when the list holds any.
bool CollectEarnedRewards(const TRewardConnector& counters, std::vector<TReward*>& earned);

class TRewardConnector {
public:
    // The single counters object.
    static TRewardConnector& Get();

    virtual ~TRewardConnector() = default;
    // The nine saved counters, int32 each.
    virtual void Write(TBaseBuffer& buffer) const;
    virtual void Read(TBaseBuffer& buffer);

    // A new player: the nine saved counters to 0.
    void ResetSaved();
    // The four counters of one run or play that are never saved, to 0.
    void ResetPerPlay();

    int mLastScore = 0; // not saved
    int mModeScore = 0; // mirrors the current mode's total score
    int mLevelsWon = 0;
    int mLevelsWonWithoutHint = 0;
    int mSpare5 = 0;
    int mHiddenCellsFound = 0;
    int mSpare7 = 0; // not saved
    int mSpare8 = 0;
    int mLevelsSolvedThisRun = 0; // not saved
    int mLevelsStarred = 0;
    int mSpare11 = 0;
    int mSpare12 = 0; // not saved
    int mLevelsWithThreeStars = 0;
};
