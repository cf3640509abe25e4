#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/app_config.h"
#include "levelcheck/check_run.h"
#include "levelcheck_test_util.h"

namespace {

using namespace levelchecktest;

const std::vector<std::string> kPlus = {"010", "111", "010"};
const std::vector<std::string> kTwoSolutions = {"10", "01"};

struct RunResult {
    int code;
    std::string output;
};

RunResult RunChecker(const std::vector<std::string>& args) {
    std::ostringstream out;
    const int code = RunLevelCheck(args, out);
    return {code, out.str()};
}

std::string CurrentFolder() {
    char folder[4096];
    return getcwd(folder, sizeof(folder)) != nullptr ? folder : "";
}

TEST(LevelCheckRun, ChecksEveryPuzzleLevelTheCatalogueLists) {
    DataRoot root;
    root.Write("levels/plus.xml", LevelXml("Plus", kPlus));
    root.Write("levels/pair.xml", LevelXml("Pair", kTwoSolutions));
    // 27 columns leave the screen from the default origin, not from x 40.
    root.Write("levels/wide.xml", LevelXml("Wide", {std::string(27, '1')}));
    root.Write("extra/plus.xml", LevelXml("Plus again", kPlus));
    root.WriteGameData();
    root.WriteAtlases(27, 3, 40, 27);
    root.WriteMarks(6);
    root.Write("stages.xml",
               "<catalogue><frames/>"
               "<stages folder=\"levels/\">"
               "<stage><level filename=\" plus.xml\" name=\"Plus\" stars=\"complete\"/>"
               "<level type=\"xo\" filename=\"board.xml\"/><level filename=\"pair.xml\"/></stage>"
               "<stage><level type=\"mahjong\" filename=\"wide.xml\" startx=\"40\"/></stage>"
               "<tilesets gametype=\"0\" tilesets=\"base\"/></stages>"
               "<stagesusual folder=\"extra/\"><stage><level filename=\"plus.xml\"/></stage></stagesusual>"
               "</catalogue>");
    const std::string before = CurrentFolder();
    const RunResult result = RunChecker({"--root", root.Folder()});
    EXPECT_EQ(result.code, kSomeFailed);
    EXPECT_EQ(
        result.output,
        "stages 1-1: levels/plus.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): PASS\n"
        "stages 1-2: levels/board.xml: SKIP (type \"xo\" is not a puzzle level)\n"
        "stages 1-3: levels/pair.xml \"Pair\" 2 x 2, 1 colour, difficulty 0.0 (0 sweeps, 0% by one line): FAIL: "
        "2 of 2 coloured cells not proved by line logic (first: row 1, column 1)\n"
        "stages 2-1: levels/wide.xml \"Wide\" 27 x 1, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): PASS\n"
        "stagesusual 1-1: extra/plus.xml \"Plus again\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one "
        "line): PASS\n"
        "4 levels checked: 3 passed, 1 failed, 1 skipped (not puzzle levels)\n"
        "stages stage 1: mean difficulty 0.50 over 2 levels\n"
        "stages stage 2: mean difficulty 1.00 over 1 levels\n");
    EXPECT_EQ(CurrentFolder(), before) << "the checker returns to the folder it started in";
}

struct CatalogueCase {
    const char* name;
    std::string stages; // empty: no stages.xml
    std::vector<std::string> extraArgs;
    int code;
    std::string output;   // "ROOT" stands for the data root
    bool gameData = true; // settings, help and tilesets written beside the catalogue
};

TEST(LevelCheckRun, ReportsHonestlyWhatACatalogueHolds) {
    const CatalogueCase cases[] = {
        {"every level passes",
         "<c><stages folder=\"levels/\"><tilesets tilesets=\"base\"/><stage><level filename=\"plus.xml\"/></stage>"
         "</stages></c>",
         {},
         kAllPassed,
         "stages 1-1: levels/plus.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): PASS\n"
         "1 levels checked: 1 passed, 0 failed\nstages stage 1: mean difficulty 1.00 over 1 levels\n"},
        {"the game's other data files cannot be read",
         "<c><stages folder=\"levels/\"><tilesets tilesets=\"base\"/><stage><level filename=\"plus.xml\"/></stage>"
         "</stages></c>",
         {},
         kSomeFailed,
         "stages 1-1: levels/plus.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): PASS\n"
         "1 levels checked: 1 passed, 0 failed\nstages stage 1: mean difficulty 1.00 over 1 levels\n"
         "levelcheck: settings.xml cannot be read: time entries not checked\n"
         "levelcheck: help.xml cannot be read: help pages not checked\n"
         "levelcheck: tilesets/tilesets.xml cannot be read: tilesets not checked\n",
         false},
        {"a game type the data does not provide for, and an unknown star key",
         "<c><stages folder=\"levels/\"><stage><level filename=\"plus.xml\" laytype=\"3\" tileset=\"base\" "
         "stars=\"complete;complete,7hint\"/></stage></stages></c>",
         {},
         kSomeFailed,
         "stages 1-1: levels/plus.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): FAIL: star "
         "key 7hint of difficulty 1 names no star rule; difficulty preset 0 has no time entry for game type 3; "
         "difficulty preset 1 has no time entry for game type 3; difficulty preset 2 has no time entry for game type "
         "3; difficulty preset 3 has no time entry for game type 3\n"
         "1 levels checked: 0 passed, 1 failed\nstages stage 1: mean difficulty 1.00 over 1 levels\n"},
        {"a later stage easier than the one before",
         "<c><stages folder=\"levels/\"><tilesets tilesets=\"base\"/><stage><level filename=\"stairs.xml\"/></stage>"
         "<stage><level filename=\"plus.xml\"/></stage></stages></c>",
         {},
         kSomeFailed,
         "stages 1-1: levels/stairs.xml \"Stairs\" 4 x 2, 1 colour, difficulty 2.8 (2 sweeps, 60% by one line): PASS\n"
         "stages 2-1: levels/plus.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): PASS\n"
         "2 levels checked: 2 passed, 0 failed\n"
         "stages stage 1: mean difficulty 2.80 over 1 levels\nstages stage 2: mean difficulty 1.00 over 1 levels\n"
         "levelcheck: stage 2's mean difficulty 1.00 is not above stage 1's 2.80\n"},
        {"no catalogue yet, allowed",
         "",
         {"--allow-no-stages"},
         kAllPassed,
         "0 levels checked: ROOT has no assets/stages.xml yet\n"},
        {"no catalogue", "", {}, kCannotRun, "levelcheck: ROOT has no assets/stages.xml\n"},
        {"a catalogue without puzzle levels fails even when allowed",
         "<c><stages><stage><level type=\"m3\" filename=\"a.xml\"/></stage></stages></c>",
         {"--allow-no-stages"},
         kSomeFailed,
         "stages 1-1: a.xml: SKIP (type \"m3\" is not a puzzle level)\n"
         "0 levels checked: 0 passed, 0 failed, 1 skipped (not puzzle levels)\n"
         "levelcheck: stages.xml lists no puzzle level\n"},
        {"a listed file that is missing",
         "<c><stages><tilesets tilesets=\"base\"/><stage><level filename=\"gone.xml\"/></stage></stages></c>",
         {},
         kSomeFailed,
         "stages 1-1: gone.xml \"\" 0 x 0, 0 colours: FAIL: cannot be read as a level file\n"
         "1 levels checked: 0 passed, 1 failed\n"},
        {"a catalogue that is not XML",
         "<c><stages>",
         {},
         kCannotRun,
         "levelcheck: ROOT/assets/stages.xml cannot be read\n"},
    };
    for (const CatalogueCase& c : cases) {
        SCOPED_TRACE(c.name);
        DataRoot root;
        root.Write("levels/plus.xml", LevelXml("Plus", kPlus));
        root.Write("levels/stairs.xml", LevelXml("Stairs", {"1110", "0011"}));
        if (c.gameData) {
            root.WriteGameData();
        }
        root.WriteAtlases(4, 3, 40, 4);
        root.WriteMarks(6);
        if (!c.stages.empty()) {
            root.Write("stages.xml", c.stages);
        }
        std::vector<std::string> args = {"--root", root.Folder()};
        args.insert(args.end(), c.extraArgs.begin(), c.extraArgs.end());
        const RunResult result = RunChecker(args);
        EXPECT_EQ(result.code, c.code);
        std::string expected = c.output;
        for (size_t at = expected.find("ROOT"); at != std::string::npos; at = expected.find("ROOT")) {
            expected.replace(at, 4, root.Folder());
        }
        EXPECT_EQ(result.output, expected);
    }
}

TEST(LevelCheckRun, FailsShippedLevelsWhoseNumbersTheAtlasesCannotDraw) {
    // One row of four cells: a row clue 4, four column clues 1, strokes of up to 4 cells.
    struct Case {
        const char* name;
        std::string extraInfo;
        int rowFrames, columnFrames, columnWidth, strokeFrames;
        std::string faults; // empty: PASS
    };
    const Case cases[] = {
        {"every atlas just large enough", "", 4, 1, 40, 4, ""},
        {"wider cells than the column frames", "collwidth=\"50\"", 4, 1, 40, 4,
         "the atlas basenumbers (40 x 20) cannot draw numbers up to 1 in frames 50 wide"},
        {"a run beyond the row frames", "", 3, 1, 40, 4,
         "the atlas basenumberslines (28 x 60) cannot draw numbers up to 4 in frames 28 wide"},
        {"a line beyond the stroke frames", "", 4, 1, 40, 3,
         "the atlas overnumbers (40 x 60) cannot draw numbers up to 4 in frames 40 wide"},
        {"no atlases at all", "", 0, 0, 0, 0,
         "the atlas basenumberslines (0 x 0) cannot draw numbers up to 4 in frames 28 wide; the atlas basenumbers "
         "(0 x 0) cannot draw numbers up to 1 in frames 40 wide; the atlas overnumbers (0 x 0) cannot draw numbers "
         "up to 4 in frames 40 wide"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataRoot root;
        root.Write("levels/row.xml", LevelXml("Row", {"1111"}, c.extraInfo));
        if (c.rowFrames > 0) {
            root.WriteAtlases(c.rowFrames, c.columnFrames, c.columnWidth, c.strokeFrames);
        }
        root.WriteGameData();
        root.WriteMarks(6);
        root.Write("stages.xml", "<c><stages folder=\"levels/\"><tilesets tilesets=\"base\"/><stage><level "
                                 "filename=\"row.xml\"/></stage></stages></c>");
        const RunResult result = RunChecker({"--root", root.Folder()});
        EXPECT_EQ(result.code, c.faults.empty() ? kAllPassed : kSomeFailed);
        EXPECT_EQ(result.output,
                  "stages 1-1: levels/row.xml \"Row\" 4 x 1, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): " +
                      (c.faults.empty() ? std::string("PASS") : "FAIL: " + c.faults) + "\n" +
                      (c.faults.empty() ? "1 levels checked: 1 passed, 0 failed\n"
                                        : "1 levels checked: 0 passed, 1 failed\n") +
                      "stages stage 1: mean difficulty 1.00 over 1 levels\n");
    }
}

TEST(LevelCheckRun, FailsShippedLevelsWhoseLastMistakeHasNoMark) {
    struct Case {
        const char* name;
        const char* levelMaximum; // "" plays the difficulty's
        int marks, errorsMax;
        std::string fault; // empty: PASS
    };
    const Case cases[] = {
        {"the largest difficulty maximum and one more", "", 6, 5, ""},
        {"a difficulty allows as many mistakes as there are marks", "", 6, 6,
         "6 mistakes allowed by a difficulty need 7 mistake marks, the game screen has 6"},
        {"the level's own maximum below the difficulties'", "2", 3, 5, ""},
        {"the level's own maximum", "6", 6, 5, "6 mistakes allowed need 7 mistake marks, the game screen has 6"},
        {"no marks at all", "", 0, 5, "5 mistakes allowed by a difficulty need 6 mistake marks, the game screen has 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataRoot root;
        root.Write("levels/plus.xml", LevelXml("Plus", kPlus));
        root.WriteGameData();
        root.WriteAtlases(3, 3, 40, 3);
        root.WriteMistakeMarks(c.marks, c.errorsMax);
        root.Write("stages.xml", std::string("<c><stages folder=\"levels/\"><tilesets tilesets=\"base\"/><stage>"
                                             "<level filename=\"plus.xml\" maxerrors=\"") +
                                     c.levelMaximum + "\"/></stage></stages></c>");
        const RunResult result = RunChecker({"--root", root.Folder()});
        EXPECT_EQ(result.output,
                  "stages 1-1: levels/plus.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): " +
                      (c.fault.empty() ? std::string("PASS") : "FAIL: " + c.fault) + "\n" +
                      (c.fault.empty() ? "1 levels checked: 1 passed, 0 failed\n"
                                       : "1 levels checked: 0 passed, 1 failed\n") +
                      "stages stage 1: mean difficulty 1.00 over 1 levels\n");
    }
}

TEST(LevelCheckRun, ChecksLevelFilesNamedOnTheCommandLine) {
    DataRoot root;
    root.Write("levels/plus.xml", LevelXml("Plus", kPlus));
    root.Write("levels/pair.xml", LevelXml("Pair", kTwoSolutions));
    // Files named on the command line are checked alone: no catalogue, no other data files.
    const std::string report = "levels/plus.xml \"Plus\" 3 x 3, 1 colour, difficulty 1.0 (1 sweep, 100% by one line): "
                               "PASS\n"
                               "levels/pair.xml \"Pair\" 2 x 2, 1 colour, difficulty 0.0 (0 sweeps, 0% by one line): "
                               "FAIL: 2 of 2 coloured cells not proved by line logic (first: row 1, column 1)\n"
                               "2 levels checked: 1 passed, 1 failed\n";
    // From the data root given, and from the current folder when none is given.
    EXPECT_EQ(RunChecker({"--root", root.Folder(), "levels/plus.xml", "levels/pair.xml"}).output, report);
    harness::ScopedDataRoot scoped(root.Folder());
    ASSERT_TRUE(SetWorkingFolderToExe());
    const RunResult result = RunChecker({"levels/plus.xml", "levels/pair.xml"});
    EXPECT_EQ(result.code, kSomeFailed);
    EXPECT_EQ(result.output, report);
    EXPECT_EQ(RunChecker({"levels/plus.xml"}).code, kAllPassed);
}

TEST(LevelCheckRun, RefusesAnUnknownOptionOrRoot) {
    const RunResult option = RunChecker({"--fast"});
    EXPECT_EQ(option.code, kCannotRun);
    EXPECT_EQ(option.output, "usage: levelcheck [--root DATA_ROOT] [--allow-no-stages] [LEVEL_FILE...]\n");
    const std::string missing = harness::MakeTempFolder() + "/nothing";
    const RunResult root = RunChecker({"--root", missing});
    EXPECT_EQ(root.code, kCannotRun);
    EXPECT_EQ(root.output, "levelcheck: cannot enter the data root " + missing + "\n");
}

} // namespace
