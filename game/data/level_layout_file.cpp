#include "level_layout_file.h"

#include <vector>

#include "app/log.h"
#include "app/xml_reader.h"
#include "rules/screen_fit.h"

int DefaultRewardCellCount = 0;

namespace {

void ReadInfo(const TiXmlElement* info, TLevelLayoutData& data) {
    data.name = ReadXmlString(info, "name", "");
    data.rows = ReadXmlInt(info, "rows", 0);
    data.cols = ReadXmlInt(info, "cols", 0);
    data.cellHeight = ReadXmlInt(info, "collheight", 40);
    data.cellWidth = ReadXmlInt(info, "collwidth", 40);
    data.rewardsCount = ReadXmlInt(info, "rewardscount", DefaultRewardCellCount);
    data.rewards.clear();
    ReadXmlIntPairs(info, "rewards", data.rewards);
}

} // namespace

bool ReadLevelLayoutFile(const std::string& path, TLevelLayoutData& data) {
    return ReadLevelLayout(ReadXmlSource(path), data);
}

bool ReadLevelLayout(const TXmlSource& source, TLevelLayoutData& data) {
    const std::string& path = source.mName;
    TiXmlElement* root = ParseXmlRoot(source);
    if (root == nullptr) {
        return false;
    }
    TXmlRootWalk walk;
    const TiXmlElement* info = root->FirstChildElement("info");
    if (info == nullptr) {
        TLogFile::Get()->Printf("Layout %s has no info", path.c_str());
        return false;
    }
    data = TLevelLayoutData{};
    data.path = path;
    ReadInfo(info, data);
    std::vector<TiXmlElement*> lines;
    CollectXmlChildren(root, "line", lines);
    for (const TiXmlElement* line : lines) {
        data.lines.push_back(ReadXmlString(line, "line", ""));
    }
    return true;
}

void ConnectBoardLog(TMosaicBoard& board) {
    board.SetLog([](const std::string& line) { TLogFile::Get()->Printf("%s", line.c_str()); });
}

bool LoadLevelLayout(TMosaicBoard& board, const std::string& path, bool singleColour) {
    return LoadLevelLayout(board, ReadXmlSource(path), singleColour);
}

bool LoadLevelLayout(TMosaicBoard& board, const TXmlSource& source, bool singleColour) {
    TLevelLayoutData data;
    bool read = ReadLevelLayout(source, data);
    ReleaseXmlRoot();
    return read && board.Load(data, singleColour);
}

bool FitsTheScreen(const TMosaicBoard& board) {
    const std::vector<std::string> offScreen = FindOffScreenParts(board);
    if (offScreen.empty()) {
        return true;
    }
    const TGridGeometry& geometry = board.GetGeometry();
    TLogFile::Get()->Printf("level %s \"%s\" %d x %d (%d x %d pixels at %d, %d) does not fit the %d x %d screen: %s",
                            board.GetPath().c_str(), board.GetName().c_str(), board.GetCols(), board.GetRows(),
                            board.GetPixelWidth(), board.GetPixelHeight(), geometry.originX, geometry.originY,
                            kDesignWidth, kDesignHeight, offScreen.front().c_str());
    return false;
}
