#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/log.h"
#include "harness/harness.h"

namespace {

// The log file where the player's data lives, derived from the environment rather than the code under test.
std::string LogPath() {
    return harness::TestDataHome() + "/Korvath Games/Verdanel/log.txt";
}

// Captures what reaches SDL's log output while the fixture lives.
class LogTest : public testing::Test {
protected:
    void SetUp() override {
        SDL_LogGetOutputFunction(&mPreviousOutput, &mPreviousData);
        SDL_LogSetOutputFunction(&Capture, &mSdlLines);
    }
    void TearDown() override { SDL_LogSetOutputFunction(mPreviousOutput, mPreviousData); }

    static void Capture(void* data, int /*category*/, SDL_LogPriority /*priority*/, const char* message) {
        static_cast<std::vector<std::string>*>(data)->push_back(message);
    }

    std::vector<std::string> mSdlLines;

private:
    SDL_LogOutputFunction mPreviousOutput = nullptr;
    void* mPreviousData = nullptr;
};

TEST_F(LogTest, FirstUseEmptiesTheFileInThePerUserFolder) {
    ASSERT_TRUE(harness::WriteFile(LogPath(), "left over from an earlier run\n"));
    TLogFile::Get()->Printf("int start");
    EXPECT_EQ(harness::ReadFile(LogPath()), "int start\n");
}

TEST_F(LogTest, EachCallIsOneLineFlushedAtOnce) {
    TLogFile::Get()->Printf("screen resolution %d %d", 1366, 768);
    TLogFile::Get()->Printf("%s", "second");
    // Read while the log is still open: every line must already be on disk.
    EXPECT_EQ(harness::ReadFile(LogPath()), "screen resolution 1366 768\nsecond\n");
    EXPECT_EQ(mSdlLines, (std::vector<std::string>{"screen resolution 1366 768", "second"}));
}

TEST_F(LogTest, SecondRunKeepsOnlyItsOwnLines) {
    TLogFile::Get()->Printf("first run");
    TLogFile::Release();
    TLogFile::Get()->Printf("second run");
    EXPECT_EQ(harness::ReadFile(LogPath()), "second run\n");
}

TEST_F(LogTest, LongLinesAreCutAtTheLineLimit) {
    const size_t limit = TLogFile::kLineSize - 1;
    struct Case {
        size_t length;
        size_t kept;
    };
    const Case cases[] = {{limit - 1, limit - 1}, {limit, limit}, {limit + 1, limit}, {3 * limit, limit}};
    std::string expected;
    for (const Case& c : cases) {
        std::string text(c.length, 'x');
        text.back() = 'y';
        TLogFile::Get()->Printf("%s", text.c_str());
        expected += text.substr(0, c.kept) + "\n";
    }
    TLogFile::Get()->Printf("after");
    expected += "after\n";
    EXPECT_EQ(harness::ReadFile(LogPath()), expected);
}

TEST_F(LogTest, PercentSignsInDataStayAsTheyAre) {
    const std::string text = "100% done %s %d %n";
    TLogFile::Get()->Printf("%s", text.c_str());
    TLogFile::Get()->Printf("loaded %d%%", 50);
    EXPECT_EQ(harness::ReadFile(LogPath()), text + "\nloaded 50%\n");
    EXPECT_EQ(mSdlLines, (std::vector<std::string>{text, "loaded 50%"}));
}

TEST_F(LogTest, DebugEntryWritesNothing) {
    TLogFile::Get()->Printf("before");
    LogDebug("texture leak %s %d", "button.png", 3);
    LogDebug("plain");
    EXPECT_EQ(harness::ReadFile(LogPath()), "before\n");
    EXPECT_EQ(mSdlLines, (std::vector<std::string>{"before"}));
}

TEST_F(LogTest, UnwritableFolderLeavesTheScreenLog) {
    // A plain file where the maker folder should be: the per-user folder cannot be made.
    ASSERT_TRUE(harness::WriteFile(harness::TestDataHome() + "/Korvath Games", "not a folder"));
    TLogFile::Get()->Printf("still shown");
    EXPECT_FALSE(harness::PathExists(LogPath()));
    EXPECT_EQ(mSdlLines, (std::vector<std::string>{"still shown"}));
}

} // namespace
