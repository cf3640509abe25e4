#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <tinyxml.h>

#include "levelcheck/game_data_rules.h"

namespace {

// The level as the game reads a "level" element.
TLevelInfoMosaic LevelOf(const std::string& element) {
    TiXmlDocument document;
    document.Parse(element.c_str());
    TLevelInfoMosaic level;
    level.LoadFromXml(document.RootElement(), "levels/");
    return level;
}

// Four presets with time entries for game types 0 and 1; four help pages; the tileset "base" with two
// colours; game type 0 defaults to it; two backgrounds.
TGameData SmallGameData() {
    TGameData data;
    for (int preset = 0; preset < 4; ++preset) {
        TBaseMosaicSettings settings;
        settings.mTimeEntries = {{6.0f, 0}, {5.0f, 1}};
        data.presets.push_back(settings);
    }
    data.helpPages = 4;
    data.tilesets.push_back({"base", {0, 1, 2, 0, 0}});
    TTilesetDefaults defaults;
    defaults.mTilesets = {"base"};
    data.catalogue.tilesets.push_back(defaults);
    data.catalogue.backgrounds = 2;
    return data;
}

struct RuleCase {
    const char* name;
    std::string element;
    int colours;
    std::vector<std::string> faults;
};

TEST(LevelCheckGameData, FindsWhatALevelNeedsFromTheOtherDataFiles) {
    const RuleCase cases[] = {
        {"a level of the default tileset", "<level filename=\"a.xml\" stars=\"complete,0hint;complete\"/>", 2, {}},
        {"its own tileset and the last background", "<level tileset=\"base\" laytype=\"1\" backidx=\"1\"/>", 2, {}},
        {"a picture level whose game type the difficulty presets do not time",
         "<level tileset=\"base\" laytype=\"9\"/>",
         1,
         {"difficulty preset 0 has no time entry for game type 9",
          "difficulty preset 1 has no time entry for game type 9",
          "difficulty preset 2 has no time entry for game type 9",
          "difficulty preset 3 has no time entry for game type 9"}},
        {"a star key of one difficulty that no rule has",
         "<level stars=\"complete;complete,7hint\"/>",
         1,
         {"star key 7hint of difficulty 1 names no star rule"}},
        {"a key differing only in case",
         "<level stars=\"Complete\"/>",
         1,
         {"star key Complete of difficulty 0 names no star rule",
          "star key Complete of difficulty 1 names no star rule",
          "star key Complete of difficulty 2 names no star rule",
          "star key Complete of difficulty 3 names no star rule"}},
        {"a game type without its default tileset",
         "<level laytype=\"1\"/>",
         1,
         {"no tileset: the level names none and game type 1 has no default"}},
        {"a tileset the catalogue lacks",
         "<level tileset=\"sea\"/>",
         1,
         {"tileset sea is not in tilesets/tilesets.xml"}},
        {"more colours than the tileset has tiles", "<level/>", 3, {"tileset base has no tile for colour 3"}},
        {"a background past the last", "<level backidx=\"2\"/>", 1, {"backidx 2 but the catalogue has 2 backgrounds"}},
    };
    const TGameData data = SmallGameData();
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckLevelData(LevelOf(c.element), c.colours, data), c.faults);
    }
}

TEST(LevelCheckGameData, EachGameTypeNeedsItsHelpPageAndItsTimeEntries) {
    TGameData data = SmallGameData();
    data.helpPages = 3;
    for (TBaseMosaicSettings& preset : data.presets) {
        preset.mTimeEntries.push_back({4.0f, 3});
    }
    data.presets[2].mTimeEntries.push_back({4.0f, 4});
    // Game type 0 explains itself on page 1, 3 on page 3; the others share page 0.
    EXPECT_EQ(CheckLevelData(LevelOf("<level tileset=\"base\"/>"), 1, data), std::vector<std::string>{});
    EXPECT_EQ(CheckLevelData(LevelOf("<level tileset=\"base\" laytype=\"3\"/>"), 1, data),
              std::vector<std::string>{"help.xml has no page 3 for game type 3"});
    EXPECT_EQ(CheckLevelData(LevelOf("<level tileset=\"base\" laytype=\"4\"/>"), 1, data),
              (std::vector<std::string>{"difficulty preset 0 has no time entry for game type 4",
                                        "difficulty preset 1 has no time entry for game type 4",
                                        "difficulty preset 3 has no time entry for game type 4"}));
}

TEST(LevelCheckGameData, StagesMustGrowHarder) {
    EXPECT_EQ(CheckStageOrder({1.0, 2.5, 3.0}), std::vector<std::string>{});
    EXPECT_EQ(CheckStageOrder({}), std::vector<std::string>{});
    EXPECT_EQ(CheckStageOrder({1.0, 3.0, 2.0, 2.0}),
              (std::vector<std::string>{"stage 3's mean difficulty 2.00 is not above stage 2's 3.00",
                                        "stage 4's mean difficulty 2.00 is not above stage 3's 2.00"}));
}

} // namespace
