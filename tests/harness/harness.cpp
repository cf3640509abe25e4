#include "harness/harness.h"

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/app_config.h"
#include "app/clock.h"
#include "app/display_modes.h"
#include "app/log.h"
#include "app/main_loop.h"
#include "app/startup.h"

namespace harness {
namespace {
uint32_t gNow = 0;
uint32_t SteppedTicks() { return gNow; }
} // namespace

namespace {
std::vector<std::string>& TempFoldersOfTest() {
    static std::vector<std::string> folders;
    return folders;
}
} // namespace

void RemoveTempFolders() {
    std::error_code ignored;
    for (const std::string& folder : TempFoldersOfTest()) {
        std::filesystem::remove_all(folder, ignored);
    }
    TempFoldersOfTest().clear();
}

SteppedClock::SteppedClock(uint32_t startMs) {
    gNow = startMs;
    SetTickSource(&SteppedTicks);
}

SteppedClock::~SteppedClock() { SetTickSource(nullptr); }

void SteppedClock::Advance(uint32_t ms) { gNow += ms; }

uint32_t SteppedClock::Now() const { return gNow; }

ScopedDataRoot::ScopedDataRoot(const std::string& folder) {
    char cwd[4096];
    if (getcwd(cwd, sizeof(cwd)) != nullptr) {
        mPreviousWorkingFolder = cwd;
    }
    SetDataRoot(folder);
}

ScopedDataRoot::~ScopedDataRoot() {
    SetDataRoot("");
    if (!mPreviousWorkingFolder.empty() && chdir(mPreviousWorkingFolder.c_str()) != 0) {
        std::abort();
    }
}

std::string TestDataHome() {
    const char* home = std::getenv("XDG_DATA_HOME");
    return home != nullptr ? home : "";
}

std::string UserFolder() { return TAppConfig::Get()->GetUserFolder(); }

std::string MakeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "verdanel-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    TempFoldersOfTest().push_back(pattern);
    return pattern;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool PathExists(const std::string& path) { return std::filesystem::exists(path); }

std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(UserFolder() + "/log.txt"));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool LogContains(const std::string& text) {
    for (const std::string& line : LogLines()) {
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

::testing::AssertionResult HasLinesInOrder(const std::vector<std::string>& lines,
                                           const std::vector<std::string>& wanted) {
    size_t at = 0;
    for (const std::string& want : wanted) {
        while (at < lines.size() && lines[at] != want) {
            ++at;
        }
        if (at == lines.size()) {
            return ::testing::AssertionFailure() << "missing or out of order: \"" << want << "\"";
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

std::string FixtureFolder() { return VERDANEL_TEST_DATA_DIR; }

RunningGame::RunningGame() {
    SetFramePacing(false);
    mStartResult = StartUp();
    mRunning = mStartResult == 0;
}

RunningGame::~RunningGame() {
    Shutdown();
    SetFramePacing(true);
}

void RunningGame::Step(int frames) {
    for (int frame = 0; frame < frames && mRunning; ++frame) {
        RunLoopStep();
    }
}

void RunningGame::Shutdown() {
    if (mRunning) {
        mRunning = false;
        ::Shutdown();
    }
}

void UseDesignSizedWindow() {
    TAppConfig::Get()->SetDisplayMode(1366, 768, false);
    // The renderer learns the new size from the window events.
    SDL_PumpEvents();
    RefreshRenderScale();
}

} // namespace harness
