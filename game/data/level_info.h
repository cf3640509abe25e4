#pragma once
// One level of the catalogue as a "level" element of "stages.xml" describes it.

#include <string>
#include <vector>

#include <tinyxml.h>

// Level kinds by the element's "type".
enum TLevelKind {
    kLevelKindMatch3 = 0,  // "m3"
    kLevelKindXo = 1,      // "xo"
    kLevelKindClick = 2,   // "click"
    kLevelKindPuzzle = 3,  // absent, "" or "mahjong"
    kLevelKindUnknown = -1 // any other text
};

TLevelKind LevelKindOfType(const std::string& type);

// The picture board's game type.
constexpr int kPictureGameType = 9;
// Whether the game has a board for the game type.
bool IsGameTypePlayable(int gameType);
// The help book's page that explains a game type, shown once at the start of its first level.
int HelpPageOfGameType(int gameType);

class TLevelInfo {
public:
    virtual ~TLevelInfo() = default;
    // File name (with the list's folder in front), background index and reward id.
    virtual void LoadFromXml(const TiXmlElement* element, const std::string& folder);

    int mKind = kLevelKindPuzzle;
    std::string mFileName;
    std::string mName;
    std::string mTileset;
    int mBackIndex = -1; // -1: chosen by the level index
    std::string mReward;
};

class TLevelInfoMosaic : public TLevelInfo {
public:
    static constexpr int kDifficultyGroups = 4;

    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;

    // The star keys of a difficulty; a difficulty without its own group (such as "not chosen yet") takes
    // the first group.
    const std::vector<std::string>& GetStarKeys(int difficulty) const;

    int mGameType = 0;
    float mTime = 20.0f;
    int mStartX = 0; // 0: the board's default
    int mStartY = 0;
    int mMaxErrors = 0; // 0: the difficulty's
    std::string mBaseName;
    std::string mSound;
    std::string mFrame; // empty: the stage's frame
    int mPreviewType = 1;
    int mHiddenCells = 0;
    // At least one group per difficulty; a group after the first that is empty is a copy of the first.
    std::vector<std::vector<std::string>> mStarKeys{kDifficultyGroups};
};

// "stars": groups split at ";", keys at ","; padded to four groups.
std::vector<std::vector<std::string>> ReadStarKeys(const std::string& text);
