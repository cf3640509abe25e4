#pragma once
// "stages.xml", the level catalogue: the two level sets (stages holding levels), the map frames and,
// read with the main set, the backgrounds, the tileset defaults by game type and the reward assignments.
// Only levels the game can play are kept, so every running index counts playable levels only.

#include <memory>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "app/xml_reader.h"

#include "app/level_sets.h"
#include "data/level_info.h"
#include "graphics/static_image.h"

// Level set 0 "stages" (the main set), 1 "stagesusual".
constexpr int kMainLevelSet = 0;
constexpr int kSecondLevelSet = 1;

class TStageInfo {
public:
    TStageInfo() = default;
    // Releases the stage's sound list.
    ~TStageInfo();
    TStageInfo(const TStageInfo&) = delete;
    TStageInfo& operator=(const TStageInfo&) = delete;

    // The stage's texts, its sound list and its playable levels; the others are skipped with a log line.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder);

    std::vector<std::unique_ptr<TLevelInfoMosaic>> mLevels;
    std::string mMapImage;
    std::string mSlideShow;
    std::string mTempleInfo;
    std::string mSoundList;
    std::string mFrame;
};

struct TStageList {
    std::vector<std::unique_ptr<TStageInfo>> mStages;
};

struct TStageBackground {
    std::string mBack;
    std::string mHero;
};

struct TTilesetDefaults {
    int mGameType = 0;
    bool mCanChange = false;
    bool mNeedReshuffle = false;
    std::vector<std::string> mTilesets;
};

struct TStageReward {
    int mLevelIndex = 0; // running index in the main set
    std::string mReward;
};

// A map frame: the frame image placed at (x, y) and the back image at (back x, back y), named when read
// and loaded by LoadMapFrameImages.
struct TMapFrame {
    void LoadFromXml(const TiXmlElement* element);

    int mX = 0;
    int mY = 0;
    int mBackX = 0;
    int mBackY = 0;
    StaticImage mFrameImage;
    std::string mId;
    StaticImage mBackImage;
};

// The whole catalogue. It tells the profile the shape of both level sets.
class TStageCatalogue : public TLevelSetSource {
public:
    int GetStageCount(int levelSet) const override;
    int GetStageLevelCount(int levelSet, int stage) const override;

    TStageList mSets[kLevelSetCount];
    std::vector<TMapFrame> mFrames;
    std::vector<TStageBackground> mBackgrounds;
    std::vector<TTilesetDefaults> mTilesetDefaults;
    std::vector<TStageReward> mRewards;
};

// One "tilesets" element of the main set.
TTilesetDefaults ReadTilesetDefaults(const TiXmlElement* element);

// Reads "stages.xml" (replacing a catalogue read before) and installs it as the profile's level-set
// source. A file that cannot be read leaves an empty catalogue.
void LoadStages();
// The same from a catalogue in memory.
void LoadStages(const TXmlSource& source);
void FreeStages();
// The catalogue; an empty one before LoadStages.
const TStageCatalogue& GetStageCatalogue();
// The list of a level set (0 main, else the second).
const TStageList& GetStageList(int levelSet);

// The level at a running index over all stages, or null.
const TLevelInfoMosaic* GetLevelByIndex(int index, const TStageList& list);
// The levels of the stages before the stage, plus the level; the total for a stage beyond the last.
int GetGlobalLevelIndex(int stage, int level, const TStageList& list);
// Stage and level of a running index; false (and 0, 0) when no level has that index.
bool GetStageLevelOfIndex(int index, const TStageList& list, int& stage, int& level);
const TTilesetDefaults* FindTilesetDefaults(int gameType);
// Drawers take the frame's images from it, so it is not const.
TMapFrame* FindMapFrame(const std::string& id);
// Loads the frame and back image of every map frame by their names.
void LoadMapFrameImages();
// The same for one frame (images it holds already are kept).
void LoadMapFrameImages(TMapFrame& frame);
// Every map frame lets go of its images; copies a drawer took keep theirs alive.
void ReleaseMapFrameImages();
// The background for an index: its absolute value modulo the number of backgrounds; null when the
// catalogue has none.
const TStageBackground* FindBackground(int index);
