#include "stages.h"

#include <algorithm>
#include <cstdlib>

#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "data/stage_sounds.h"
#include "data/stars.h"
#include "graphics/build_maps_scope.h"

namespace {

const char* const kStagesFile = "stages.xml";

std::unique_ptr<TStageCatalogue>& CatalogueSlot() {
    static std::unique_ptr<TStageCatalogue> catalogue;
    return catalogue;
}

// Logs each key of the level's own groups that names no rule, once; the key keeps its place.
void ReportUnknownStarKeys(const TLevelInfoMosaic& level) {
    std::vector<std::string> reported;
    for (const auto& group : level.mStarKeys) {
        for (const std::string& key : group) {
            if (IsMosaicStarKey(key) || std::find(reported.begin(), reported.end(), key) != reported.end()) {
                continue;
            }
            reported.push_back(key);
            TLogFile::Get()->Printf("%s: level %s has unknown star key %s", kStagesFile, level.mFileName.c_str(),
                                    key.c_str());
        }
    }
}

// The level of a "level" element when the game can play it; null (with a log line) otherwise.
std::unique_ptr<TLevelInfoMosaic> ReadPlayableLevel(const TiXmlElement* element, const std::string& folder) {
    const std::string type = ReadXmlString(element, "type", "");
    const std::string file = ReadXmlString(element, "filename", "");
    if (LevelKindOfType(type) != kLevelKindPuzzle) {
        TLogFile::Get()->Printf("%s: level %s skipped, type %s cannot be played", kStagesFile, file.c_str(),
                                type.c_str());
        return nullptr;
    }
    auto level = std::make_unique<TLevelInfoMosaic>();
    level->mKind = kLevelKindPuzzle;
    level->LoadFromXml(element, folder);
    if (!IsGameTypePlayable(level->mGameType)) {
        TLogFile::Get()->Printf("%s: level %s skipped, game type %d has no board", kStagesFile, file.c_str(),
                                level->mGameType);
        return nullptr;
    }
    ReportUnknownStarKeys(*level);
    return level;
}

void LoadStageList(const TiXmlElement* element, TStageList& list) {
    const std::string folder = ReadXmlString(element, "folder", "");
    std::vector<TiXmlElement*> stages;
    CollectXmlChildren(element, "stage", stages);
    for (const TiXmlElement* stageElement : stages) {
        auto stage = std::make_unique<TStageInfo>();
        stage->LoadFromXml(stageElement, folder);
        list.mStages.push_back(std::move(stage));
    }
}

template <typename Record, typename Read>
void ReadChildren(const TiXmlElement* element, const char* tag, std::vector<Record>& records, Read read) {
    std::vector<TiXmlElement*> children;
    CollectXmlChildren(element, tag, children);
    records.clear();
    for (const TiXmlElement* child : children) {
        records.push_back(read(child));
    }
}

TStageBackground ReadBackground(const TiXmlElement* element) {
    return {ReadXmlString(element, "back", ""), ReadXmlString(element, "hero", "")};
}

TStageReward ReadStageReward(const TiXmlElement* element) {
    return {ReadXmlInt(element, "i", 1) - 1, ReadXmlString(element, "reward", "")};
}

// A reward goes to its level unless the level names its own; one for a level that does not exist is
// dropped.
void AssignRewards(TStageCatalogue& catalogue) {
    TStageList& list = catalogue.mSets[kMainLevelSet];
    std::vector<TStageReward> kept;
    for (const TStageReward& reward : catalogue.mRewards) {
        int stage = 0;
        int level = 0;
        if (!GetStageLevelOfIndex(reward.mLevelIndex, list, stage, level)) {
            TLogFile::Get()->Printf("%s: reward %s dropped, no level %d", kStagesFile, reward.mReward.c_str(),
                                    reward.mLevelIndex + 1);
            continue;
        }
        TLevelInfoMosaic& record = *list.mStages[static_cast<size_t>(stage)]->mLevels[static_cast<size_t>(level)];
        if (record.mReward.empty()) {
            record.mReward = reward.mReward;
        }
        kept.push_back(reward);
    }
    catalogue.mRewards = kept;
}

void LoadStageExtras(const TiXmlElement* element, TStageCatalogue& catalogue) {
    ReadChildren(element, "back", catalogue.mBackgrounds, ReadBackground);
    ReadChildren(element, "tilesets", catalogue.mTilesetDefaults, ReadTilesetDefaults);
    ReadChildren(element, "reward", catalogue.mRewards, ReadStageReward);
    AssignRewards(catalogue);
}

void LoadCatalogue(const TiXmlElement* root, TStageCatalogue& catalogue) {
    ReadChildren(root->FirstChildElement("frames"), "frame", catalogue.mFrames, [](const TiXmlElement* element) {
        TMapFrame frame;
        frame.LoadFromXml(element);
        return frame;
    });
    const TiXmlElement* mainSet = root->FirstChildElement("stages");
    LoadStageList(mainSet, catalogue.mSets[kMainLevelSet]);
    LoadStageList(root->FirstChildElement("stagesusual"), catalogue.mSets[kSecondLevelSet]);
    LoadStageExtras(mainSet, catalogue);
}

const TStageList& ListOf(const TStageCatalogue& catalogue, int levelSet) {
    return catalogue.mSets[levelSet == kMainLevelSet ? kMainLevelSet : kSecondLevelSet];
}

} // namespace

TStageInfo::~TStageInfo() {
    RemoveStageSoundList(mSoundList);
}

void TStageInfo::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    mMapImage = ReadXmlString(element, "mapimage", "");
    mSlideShow = ReadXmlString(element, "slideshow", "");
    mTempleInfo = ReadXmlString(element, "templeinfo", "");
    mSoundList = ReadXmlString(element, "soundlist", "");
    mFrame = ReadXmlString(element, "frame", "");
    AddStageSoundList(mSoundList, element);
    mLevels.clear();
    std::vector<TiXmlElement*> levels;
    CollectXmlChildren(element, "level", levels);
    for (const TiXmlElement* levelElement : levels) {
        if (auto level = ReadPlayableLevel(levelElement, folder)) {
            mLevels.push_back(std::move(level));
        }
    }
}

void TMapFrame::LoadFromXml(const TiXmlElement* element) {
    mX = ReadXmlInt(element, "x", 0);
    mY = ReadXmlInt(element, "y", 0);
    mBackX = ReadXmlInt(element, "xback", 0);
    mBackY = ReadXmlInt(element, "yback", 0);
    mFrameImage.mImageName = ReadXmlString(element, "frame", "");
    mFrameImage.SetPosition(static_cast<float>(mX), static_cast<float>(mY), false);
    mId = ReadXmlString(element, "id", "");
    mBackImage.mImageName = ReadXmlString(element, "back", "");
    mBackImage.SetPosition(static_cast<float>(mBackX), static_cast<float>(mBackY), false);
}

int TStageCatalogue::GetStageCount(int levelSet) const {
    return static_cast<int>(ListOf(*this, levelSet).mStages.size());
}

int TStageCatalogue::GetStageLevelCount(int levelSet, int stage) const {
    const TStageList& list = ListOf(*this, levelSet);
    if (stage < 0 || stage >= static_cast<int>(list.mStages.size())) {
        return 0;
    }
    return static_cast<int>(list.mStages[static_cast<size_t>(stage)]->mLevels.size());
}

void LoadStages() {
    LoadStages(ReadXmlSource(kStagesFile));
}

void LoadStages(const TXmlSource& source) {
    FreeStages();
    auto catalogue = std::make_unique<TStageCatalogue>();
    if (const TiXmlElement* root = ParseXmlRoot(source)) {
        {
            TXmlRootWalk walk;
            LoadCatalogue(root, *catalogue);
        }
        ReleaseXmlRoot();
    }
    CatalogueSlot() = std::move(catalogue);
    SetLevelSetSource(CatalogueSlot().get());
}

void FreeStages() {
    SetLevelSetSource(nullptr);
    CatalogueSlot().reset();
}

const TStageCatalogue& GetStageCatalogue() {
    static const TStageCatalogue empty;
    return CatalogueSlot() ? *CatalogueSlot() : empty;
}

const TStageList& GetStageList(int levelSet) {
    return ListOf(GetStageCatalogue(), levelSet);
}

const TLevelInfoMosaic* GetLevelByIndex(int index, const TStageList& list) {
    int stage = 0;
    int level = 0;
    if (!GetStageLevelOfIndex(index, list, stage, level)) {
        return nullptr;
    }
    return list.mStages[static_cast<size_t>(stage)]->mLevels[static_cast<size_t>(level)].get();
}

int GetGlobalLevelIndex(int stage, int level, const TStageList& list) {
    const int stages = static_cast<int>(list.mStages.size());
    int index = 0;
    for (int i = 0; i < std::min(stage, stages); ++i) {
        index += static_cast<int>(list.mStages[static_cast<size_t>(i)]->mLevels.size());
    }
    return stage < stages ? index + level : index;
}

bool GetStageLevelOfIndex(int index, const TStageList& list, int& stage, int& level) {
    stage = 0;
    level = 0;
    if (index < 0) {
        return false;
    }
    int first = 0;
    for (size_t i = 0; i < list.mStages.size(); ++i) {
        const int count = static_cast<int>(list.mStages[i]->mLevels.size());
        if (index < first + count) {
            stage = static_cast<int>(i);
            level = index - first;
            return true;
        }
        first += count;
    }
    return false;
}

const TTilesetDefaults* FindTilesetDefaults(int gameType) {
    for (const TTilesetDefaults& defaults : GetStageCatalogue().mTilesetDefaults) {
        if (defaults.mGameType == gameType) {
            return &defaults;
        }
    }
    return nullptr;
}

TMapFrame* FindMapFrame(const std::string& id) {
    if (!CatalogueSlot()) {
        return nullptr;
    }
    for (TMapFrame& frame : CatalogueSlot()->mFrames) {
        if (frame.mId == id) {
            return &frame;
        }
    }
    return nullptr;
}

void LoadMapFrameImages() {
    if (!CatalogueSlot()) {
        return;
    }
    for (TMapFrame& frame : CatalogueSlot()->mFrames) {
        LoadMapFrameImages(frame);
    }
}

void LoadMapFrameImages(TMapFrame& frame) {
    // Frames and backs are only drawn, never hit: building their alpha and colour maps (every frame of
    // every board size, at each level start) cost seconds of a frame and bought nothing.
    TBuildMapsScope noMaps(false, false);
    for (StaticImage* image : {&frame.mFrameImage, &frame.mBackImage}) {
        if (!image->mTexture) {
            image->SetImage(image->mImageName);
        }
    }
}

void ReleaseMapFrameImages() {
    if (!CatalogueSlot()) {
        return;
    }
    for (TMapFrame& frame : CatalogueSlot()->mFrames) {
        frame.mFrameImage.mTexture.Reset();
        frame.mBackImage.mTexture.Reset();
    }
}

const TStageBackground* FindBackground(int index) {
    const auto& backgrounds = GetStageCatalogue().mBackgrounds;
    if (backgrounds.empty()) {
        return nullptr;
    }
    // In 64 bits, so the lowest int has an absolute value too.
    const long long magnitude = std::llabs(static_cast<long long>(index));
    return &backgrounds[static_cast<size_t>(magnitude % static_cast<long long>(backgrounds.size()))];
}
