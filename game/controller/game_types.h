#pragma once
// Plain records the board, the game controller and the game's windows pass between them.

#include <string>

// The cell value pair is the board rules' own.
#include "rules/mosaic_pair.h"

// What the star rules judge at the end of a level.
struct TLevelStatistics {
    int mHintsUsed = 0;
    int mMistakes = 0;
    float mTimeSpent = 0.0f;   // seconds
    float mTimeAllowed = 0.0f; // seconds
};

// One played level as the results window shows it.
struct TLevelResult {
    bool mWon = true;
    int mScore = 0;
    int mTime = 0;  // whole seconds of play
    int mItems = 0; // cells with a colour
    int mGameType = 0;
    int mStars = 0;
    bool mNewBest = false;
    std::string mTimeText; // the level's "time"
    int mPreviewType = 1;
};
