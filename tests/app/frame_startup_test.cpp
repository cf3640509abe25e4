#include <algorithm>
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/frame_events.h"
#include "app/frame_stand_ins.h"
#include "harness/harness.h"
#include "shell/main_loop.h"
#include "shell/startup.h"

namespace {

using Files = std::map<std::string, std::string>;

// A data root whose "assets/" holds the given files.
std::string MakeDataRoot(const Files& files) {
    const std::string root = harness::MakeTempFolder();
    harness::WriteFile(root + "/assets/.keep", "");
    for (const auto& [name, text] : files) {
        harness::WriteFile(root + "/assets/" + name, text);
    }
    return root;
}

// The display lines before the window, then the loader's.
std::vector<std::string> StartLines() {
    std::vector<std::string> lines = {
        "mWidthBeforeStart =  1024  mHeightBeforeStart = 768",
        "screen resolution 1024 768",
        "mRealResolutionWidth =  1024  mRealResolutionHeight = 768",
        "screen resolution 1024 768",
        "mRealResolutionWidth =  1024  mRealResolutionHeight = 768",
        "mWidthBeforeStart 1024  mHeightBeforeStart 768",
        "update display fullscreen = 0 mRealResolutionWidth =  1024  mRealResolutionHeight = 600  "
        "mWindowedResolutionWidth =  800  mWindowedResolutionHeight = 600 offsetx = 0  offsety = 0",
        "scalex=1.000000 scaley=1.000000",
        "mRealResolutionWidth =  1024  mRealResolutionHeight = 600",
        "create window mRealResolutionWidth =  1024  mRealResolutionHeight = 600",
    };
    const std::vector<std::string>& progress = harness::StartUpProgressLines();
    lines.insert(lines.end(), progress.begin(), progress.end());
    return lines;
}

TEST(FrameStartUp, LoadsInOrderAndSkipsMissingFiles) {
    struct Case {
        const char* name;
        Files files;
        std::vector<std::string> readers;
        std::vector<std::string> notFound;
    };
    const Case cases[] = {
        {"data present",
         {{"ui/interface.xml", "<interface/>"},
          {"settings.xml", "<settings/>"},
          {"fonts.xml", "<fonts/>"},
          {"main.xml", "<main/>"}},
         {"LoadInterfaceDescription:interface", "LoadGameSettings:settings", "LoadColorTable:settings",
          "LoadFonts:fonts"},
         {}},
        {"data missing or broken",
         {{"settings.xml", "<settings>"}, {"fonts.xml", ""}},
         {},
         {"File not found ui/interface.xml ", "File not found settings.xml ", "File not found main.xml ",
          "File not found fonts.xml "}},
    };
    for (const Case& c : cases) {
        harness::ScopedDataRoot root(MakeDataRoot(c.files));
        StandInSeams* seams = InstallStandIns();
        harness::RunningGame game;
        ASSERT_EQ(game.GetStartResult(), 0) << c.name;
        const std::vector<std::string> lines = harness::LogLines();
        std::vector<std::string> start = StartLines();
        if (c.readers.empty()) {
            // Without the description start-up says so, and goes on.
            std::replace(start.begin(), start.end(), std::string("load ui/interface.xml complete"),
                         std::string("load ui/interface.xml failed"));
        }
        EXPECT_TRUE(harness::HasLinesInOrder(lines, start)) << c.name;
        EXPECT_TRUE(harness::HasLinesInOrder(lines, c.notFound)) << c.name;

        std::vector<std::string> expected = {"LoadTerms", "CreateSettings", "TSettings::UpdateDisplay", "GetTermText"};
        const auto reader = [&](const std::string& name) {
            for (const std::string& call : c.readers) {
                if (call.rfind(name + ":", 0) == 0) {
                    expected.push_back(call);
                }
            }
        };
        reader("LoadInterfaceDescription");
        expected.emplace_back("AddScreenFader");
        reader("LoadGameSettings");
        reader("LoadColorTable");
        expected.insert(expected.end(), {"CreateStars", "LoadStages"});
        reader("LoadFonts");
        expected.insert(expected.end(),
                        {"LoadSplinePaths", "CreateFactories", "LoadSounds", "LoadRewards", "LoadSettings",
                         "LoadProfile", "ApplySettings", "LoadCursors", "TSettings::IsCustomCursor", "SetCustomCursors",
                         "LoadTilesets", "ResetRewardCounters", "ShowFirstScreen"});
        EXPECT_EQ(seams->calls, expected) << c.name;

        SDL_Window* window = TAppConfig::Get()->GetWindow();
        ASSERT_NE(window, nullptr) << c.name;
        // No terms yet: a missing term gives its key.
        EXPECT_STREQ(SDL_GetWindowTitle(window), "GameName") << c.name;
    }
}

// What the first frame does not show is read at the start of the second step, once, whether the steps
// draw or not.
TEST(FrameStartUp, LoadsWhatTheFirstFrameLeftOutBeforeTheSecond) {
    const std::vector<std::string> later = {"LoadPreloadList", "LoadTilesetTextures"};
    const auto laterCalls = [&later](const StandInSeams& seams) {
        std::vector<std::string> calls;
        for (const std::string& call : seams.calls) {
            if (std::find(later.begin(), later.end(), call) != later.end()) {
                calls.push_back(call);
            }
        }
        return calls;
    };
    for (const bool drawing : {true, false}) {
        SCOPED_TRACE(drawing ? "drawn steps" : "steps without drawing");
        harness::ScopedDataRoot root(MakeDataRoot({}));
        StandInSeams* seams = InstallStandIns();
        harness::RunningGame game;
        ASSERT_EQ(game.GetStartResult(), 0);
        const auto step = [&game, drawing] { drawing ? game.Step() : game.StepWithoutDrawing(); };
        step();
        EXPECT_TRUE(laterCalls(*seams).empty()) << "the first step reads nothing more";
        EXPECT_FALSE(harness::LogContains("load after first frame complete"));
        step();
        EXPECT_EQ(laterCalls(*seams), later);
        EXPECT_TRUE(harness::LogContains("load after first frame complete"));
        step();
        EXPECT_EQ(laterCalls(*seams), later) << "read once";
    }
}

TEST(FrameStartUp, FirstScreenIsTheSplashWhenItsFirstImageExists) {
    struct Case {
        const char* name;
        Files files;
        bool splash;
    };
    const Case cases[] = {
        {"no splash image", {}, false},
        {"jpg", {{"branding/splash1.jpg", "x"}}, true},
        {"png", {{"branding/splash1.png", "x"}}, true},
        {"both", {{"branding/splash1.jpg", "x"}, {"branding/splash1.png", "x"}}, true},
        {"only a later image", {{"branding/splash2.png", "x"}}, false},
    };
    for (const Case& c : cases) {
        harness::ScopedDataRoot root(MakeDataRoot(c.files));
        StandInSeams* seams = InstallStandIns();
        harness::RunningGame game;
        ASSERT_EQ(game.GetStartResult(), 0) << c.name;
        EXPECT_EQ(seams->firstScreens, std::vector<bool>{c.splash}) << c.name;
        const std::vector<std::string> lines = harness::LogLines();
        EXPECT_TRUE(
            harness::HasLinesInOrder(lines, {"int complete", c.splash ? "run logos window" : "run mainmenu window"}))
            << c.name;
    }
}

TEST(FrameStartUp, QuitOnTheFirstFrameStillReleasesEverythingInOrder) {
    harness::ScopedDataRoot root(MakeDataRoot({}));
    StandInSeams* seams = InstallStandIns();
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    seams->calls.clear();
    SDL_Event quit = QuitEvent();
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    // Bounded, so a quit that is not honoured fails here instead of hanging.
    for (int step = 0; step < 100 && !GetLoopState().mQuitRequested; ++step) {
        RunLoopStep();
    }
    ASSERT_TRUE(GetLoopState().mQuitRequested);
    game.Shutdown();
    const std::vector<std::string> expected = {
        "SaveAndDeleteSettings", "DeleteMessageManager", "ReleasePreloadList",  "DeleteCursors",
        "DestroyTerms",          "ClearRewards",         "DeleteController",    "DeleteFactories",
        "DestroyGameSettings",   "DestroyFonts",         "DeleteWindowManager", "DestroySound",
    };
    // The quitting step neither updates nor draws: shutdown's calls are the only ones.
    EXPECT_EQ(seams->calls, expected);
    EXPECT_EQ(TAppConfig::Get()->GetWindow(), nullptr);
}

TEST(FrameStartUp, FirstStepCountsTimeFromTheEndOfStartUp) {
    harness::SteppedClock clock(5000);
    harness::ScopedDataRoot root(MakeDataRoot({}));
    StandInSeams* seams = InstallStandIns();
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    clock.Advance(20);
    game.Step();
    ASSERT_EQ(seams->soundUpdates.size(), 1u);
    EXPECT_FLOAT_EQ(seams->soundUpdates[0], 0.020f);
}

TEST(FrameStartUp, FailsWithExitCodeOneWhenSdlCannotStart) {
    harness::ScopedDataRoot root(MakeDataRoot({}));
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    const int result = StartUp();
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(TAppConfig::Get()->GetWindow(), nullptr);
    EXPECT_TRUE(harness::LogContains("SDL_Init failed"));
    EXPECT_FALSE(harness::LogContains("int start"));
}

} // namespace
