#pragma once
// The difficulty settings record: the presets hold several, the player's profile keeps its own copy.

#include <vector>

#include <tinyxml.h>

#include "app/buffer.h"

struct TMosaicTimeEntry {
    float mSecondsPerItem = 0.0f;
    int mGameType = 0;
};

class TBaseMosaicSettings {
public:
    virtual ~TBaseMosaicSettings() = default;

    // The fixed fields, then every whole 8-byte time entry left in the buffer: the record is always the
    // last of its buffer and stores no entry count.
    virtual void Read(TBaseBuffer& buffer);
    // The five attributes of a "settings" element (a missing one keeps its value), then one time entry
    // per "time" child, replacing the entries held.
    virtual void LoadFromXml(const TiXmlElement* element);
    virtual void Write(TBaseBuffer& buffer) const;

    // Seconds allowed per coloured cell: the first entry of the game type, else 5.
    float GetTimeFactor(int gameType) const;

    bool mShowBonusTime = true;
    bool mUseTimer = false;
    int mHintRecharge = 30; // seconds
    int mSetNumbersNow = 1; // 1: a clue number is crossed when its run is done, else when its line is
    std::vector<TMosaicTimeEntry> mTimeEntries;
    int mMaxErrors = 3;
};
