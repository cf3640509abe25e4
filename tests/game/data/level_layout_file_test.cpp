#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/app_config.h"
#include "data/level_layout_file.h"
#include "harness/harness.h"

namespace {

// A data root holding one level file at "assets/levels/<name>".
class LevelFolder {
public:
    LevelFolder() : mFolder(harness::MakeTempFolder()), mRoot(mFolder) { SetWorkingFolderToExe(); }

    std::string Write(const std::string& name, const std::string& text) {
        EXPECT_TRUE(harness::WriteFile(mFolder + "/assets/levels/" + name, text));
        return "levels/" + name;
    }

private:
    std::string mFolder;
    harness::ScopedDataRoot mRoot;
};

class ResetDefaultRewards {
public:
    explicit ResetDefaultRewards(int count) { DefaultRewardCellCount = count; }
    ~ResetDefaultRewards() { DefaultRewardCellCount = 0; }
};

TEST(LevelLayoutFile, ReadsInfoAndLinesIntoTheRecord) {
    struct Case {
        const char* name;
        std::string xml;
        int defaultRewards;
        TLevelLayoutData expected; // path is filled in by the test
    };
    TLevelLayoutData full;
    full.name = "Harbour";
    full.rows = 2;
    full.cols = 12;
    full.cellWidth = 30;
    full.cellHeight = 24;
    full.rewardsCount = 3;
    full.rewards = {{1, 1}, {3, 2}};
    full.lines = {"1120", "0x22"};
    TLevelLayoutData defaults;
    defaults.rows = 1;
    defaults.cols = 2;
    defaults.rewardsCount = 1;
    defaults.lines = {"11", ""};
    const Case cases[] = {
        {"every attribute",
         "<level><info name=\"Harbour\" items=\"99\" rows=\"2\" cols=\"10+2\" collwidth=\"30\" collheight=\"24\" "
         "rewardscount=\"3\" rewards=\"1,1;3,2\"/><line line=\"1120\"/><object/><line line=\"0x22\"/></level>",
         0, full},
        {"defaults, and the reward count the controller set",
         "<x><line line=\"11\"/><info rows=\"1\" cols=\"2\"/><line/></x>", 1, defaults},
    };
    LevelFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDefaultRewards rewards(c.defaultRewards);
        const std::string path = folder.Write("level.xml", c.xml);
        TLevelLayoutData data;
        ASSERT_TRUE(ReadLevelLayoutFile(path, data));
        EXPECT_EQ(data.path, path);
        EXPECT_EQ(data.name, c.expected.name);
        EXPECT_EQ(data.rows, c.expected.rows);
        EXPECT_EQ(data.cols, c.expected.cols);
        EXPECT_EQ(data.cellWidth, c.expected.cellWidth);
        EXPECT_EQ(data.cellHeight, c.expected.cellHeight);
        EXPECT_EQ(data.rewardsCount, c.expected.rewardsCount);
        EXPECT_EQ(data.rewards, c.expected.rewards);
        EXPECT_EQ(data.lines, c.expected.lines);
    }
}

TEST(LevelLayoutFile, FailsWithoutInfoOrReadableXml) {
    struct Case {
        const char* name;
        const char* xml; // null: no file at all
        const char* logged;
    };
    const Case cases[] = {
        {"no info", "<level><line line=\"11\"/></level>", "Layout levels/bad.xml has no info"},
        {"not XML", "<level><info rows=\"1\"", "File not found levels/bad.xml"},
        {"missing file", nullptr, "File not found levels/missing.xml"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LevelFolder folder;
        const std::string path = c.xml != nullptr ? folder.Write("bad.xml", c.xml) : "levels/missing.xml";
        TMosaicBoard board;
        EXPECT_FALSE(LoadLevelLayout(board, path, false));
        EXPECT_TRUE(board.GetCells().empty());
        EXPECT_TRUE(harness::LogContains(c.logged));
    }
}

TEST(LevelLayoutFile, LoadsTheBoardAndLogsWhatItSkips) {
    LevelFolder folder;
    const std::string path =
        folder.Write("wide.xml", "<level><info name=\"Wide\" rows=\"2\" cols=\"17\" rewards=\"1,1;5;40,1\"/>"
                                 "<line line=\"10101010101010101\"/><line line=\"11111111111111111\"/></level>");
    TMosaicBoard board;
    ConnectBoardLog(board);
    ASSERT_TRUE(LoadLevelLayout(board, path, false));
    EXPECT_EQ(board.GetName(), "Wide");
    EXPECT_EQ(board.GetItems(), 26);
    EXPECT_TRUE(board.GetCell(0, 0).hiddenReward);
    EXPECT_EQ(board.CountHiddenCells(), 1);
    EXPECT_TRUE(harness::LogContains("Too many rows in levels/wide.xml  col=1 rowscount= 9  color count 1"));
    EXPECT_TRUE(harness::LogContains("Layout levels/wide.xml: reward 40,1 outside the grid, dropped"));
    EXPECT_TRUE(harness::LogContains("pair skipped \"5\" in rewards"));
}

TEST(LevelLayoutFile, RefusedLevelLeavesTheBoardAndSaysWhy) {
    LevelFolder folder;
    TMosaicBoard board;
    ConnectBoardLog(board);
    ASSERT_TRUE(LoadLevelLayout(
        board, folder.Write("good.xml", "<l><info rows=\"1\" cols=\"2\"/><line line=\"12\"/></l>"), false));
    EXPECT_FALSE(LoadLevelLayout(
        board, folder.Write("gap.xml", "<l><info rows=\"1\" cols=\"2\"/><line line=\"13\"/></l>"), false));
    EXPECT_EQ(board.GetPath(), "levels/good.xml");
    EXPECT_TRUE(harness::LogContains("Layout levels/gap.xml refused: colour 2 missing below colour 3"));
    // As a single-colour board the same file is fine.
    EXPECT_TRUE(LoadLevelLayout(board, "levels/gap.xml", true));
    EXPECT_EQ(board.GetColourRecords().size(), 1u);
}

} // namespace
