#pragma once
// Plain records the board, the game controller and the game's windows pass between them.

#include <string>

// A cell value as the board passes it. Player values: 0 untouched, 1 to 15 painted with that colour,
// -1 ruled out, -2 error cross. Solutions: -1 empty, 1 to 15 a colour. The shape is always 0.
struct TMosaicPair {
    int mColor = 0;
    int mShape = 0;

    bool operator==(const TMosaicPair&) const = default;
};

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
