#pragma once
// The difficulty settings record: the presets hold several, the player's profile keeps its own copy.

#include <vector>

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
    virtual void Write(TBaseBuffer& buffer) const;

    bool mShowBonusTime = true;
    bool mUseTimer = false;
    int mHintRecharge = 30; // seconds
    int mSetNumbersNow = 1; // 1: a clue number is crossed when its run is done, else when its line is
    std::vector<TMosaicTimeEntry> mTimeEntries;
    int mMaxErrors = 3;
};
