#include "level_info.h"

#include <algorithm>

#include "app/string_utils.h"
#include "app/xml_reader.h"

TLevelKind LevelKindOfType(const std::string& type) {
    if (type.empty() || type == "mahjong") {
        return kLevelKindPuzzle;
    }
    if (type == "xo") {
        return kLevelKindXo;
    }
    if (type == "click") {
        return kLevelKindClick;
    }
    if (type == "m3") {
        return kLevelKindMatch3;
    }
    return kLevelKindUnknown;
}

bool IsGameTypePlayable(int /*gameType*/) {
    // Picture levels have their board; every other game type plays on the mosaic board.
    return true;
}

int HelpPageOfGameType(int gameType) {
    static constexpr int kPageOfType[] = {1, 0, 2, 3};
    return gameType >= 0 && gameType < 4 ? kPageOfType[gameType] : 0;
}

void TLevelInfo::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    const std::string file = ReadXmlString(element, "filename", "");
    const size_t first = file.find_first_not_of(" \t");
    mFileName = folder + (first == std::string::npos ? "" : file.substr(first));
    mBackIndex = ReadXmlInt(element, "backidx", -1);
    mReward = ReadXmlString(element, "reward", "");
}

void TLevelInfoMosaic::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TLevelInfo::LoadFromXml(element, folder);
    mGameType = ReadXmlInt(element, "laytype", 0);
    mName = ReadXmlString(element, "name", "");
    mTime = ReadXmlFloat(element, "time", 20.0f);
    mTileset = ReadXmlString(element, "tileset", "");
    mMaxErrors = ReadXmlInt(element, "maxerrors", 0);
    mSound = ReadXmlString(element, "sound", "");
    mFrame = ReadXmlString(element, "frame", "");
    mStartX = ReadXmlInt(element, "startx", 0);
    mStartY = ReadXmlInt(element, "starty", 0);
    mPreviewType = ReadXmlInt(element, "previewtype", 1);
    mHiddenCells = ReadXmlInt(element, "hiddencells", 0);
    mBaseName = GetBaseName(mFileName);
    mStarKeys = ReadStarKeys(ReadXmlString(element, "stars", ""));
}

const std::vector<std::string>& TLevelInfoMosaic::GetStarKeys(int difficulty) const {
    if (difficulty < 0 || difficulty >= static_cast<int>(mStarKeys.size())) {
        return mStarKeys.front();
    }
    return mStarKeys[static_cast<size_t>(difficulty)];
}

std::vector<std::vector<std::string>> ReadStarKeys(const std::string& text) {
    std::vector<std::string> groupTexts;
    SplitString(text.c_str(), ';', groupTexts);
    std::vector<std::vector<std::string>> groups(
        std::max<size_t>(groupTexts.size(), TLevelInfoMosaic::kDifficultyGroups));
    for (size_t i = 0; i < groupTexts.size(); ++i) {
        SplitString(groupTexts[i].c_str(), ',', groups[i]);
    }
    for (size_t i = 1; i < groups.size(); ++i) {
        if (groups[i].empty()) {
            groups[i] = groups[0];
        }
    }
    return groups;
}
