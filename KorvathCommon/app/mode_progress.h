#pragma once
// The player's progress through one game mode, with one result per level of the mode's level set.

#include <vector>

#include "app/buffer.h"

struct TLevelProgress {
    int mScratch = 0;   // not saved
    int mLastTime = 0;  // seconds
    int mBestScore = 0; // above 0: the level is done
    int mBestStars = 0;
};

struct TModeProgress {
    static constexpr int kHelpPages = 4;
    static constexpr int kSpareFlags = 3;

    int mStage = 0;
    int mLevel = -1; // -1: none yet
    int mLevelScore = 0;
    int mScore = 0; // never below 0
    int mFifthValue = 0;
    bool mLevelRunning = false; // set when a level starts, cleared when it is solved
    bool mStateByte2 = true;
    bool mModePlayed = false; // set when a level starts, cleared only by a reset
    bool mStateByte4 = false;
    bool mStateByte5 = false;
    bool mHelpShown[kHelpPages] = {};
    bool mSpareFlags[kSpareFlags] = {};
    // Indexed by the running level number over all stages of the set.
    std::vector<TLevelProgress> mLevels;

    // The reset values, with one zeroed level record per level of the set.
    void Reset(int levelSet);
    void Write(TBaseBuffer& buffer) const;
    // The levels stay sized to the set whatever the record holds: extra ones are skipped, missing ones
    // stay zeroed. A level count beyond the bytes left fails the buffer and keeps the old levels.
    void Read(TBaseBuffer& buffer, int levelSet);

    // Every level of the first stage of the main set (or the second) has a best score other than 0;
    // true for a stage without levels.
    bool IsFirstStageDone(bool secondSet) const;
    // At least five levels of that first stage have a best score above 0.
    bool HasFiveLevelsDone(bool secondSet) const;

private:
    int CountFirstStageLevels(bool secondSet, bool (*done)(int bestScore)) const;
};
