#include "harness/harness.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/app_config.h"
#include "app/clock.h"
#include "app/display_modes.h"
#include "app/log.h"
#include "app/renderer.h"
#include "map/logos_window.h"
#include "map/main_menu.h"
#include "shell/main_loop.h"
#include "shell/startup.h"
#include "windows/window_manager.h"

namespace harness {
namespace {
uint32_t gNow = 0;
uint32_t SteppedTicks() {
    return gNow;
}
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

SteppedClock::~SteppedClock() {
    SetTickSource(nullptr);
}

void SteppedClock::Advance(uint32_t ms) {
    gNow += ms;
}

void SteppedClock::Reset(uint32_t ms) {
    gNow = ms;
}

uint32_t SteppedClock::Now() const {
    return gNow;
}

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

std::string UserFolder() {
    return TAppConfig::Get()->GetUserFolder();
}

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

bool PathExists(const std::string& path) {
    return std::filesystem::exists(path);
}

bool WriteImageFile(const std::string& path, int w, int h, const std::function<uint32_t(int, int)>& argb) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return false;
    }
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < w; ++x) {
            row[x] = argb(x, y);
        }
    }
    const bool jpg = path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
    const int saved = jpg ? IMG_SaveJPG(surface, path.c_str(), 100) : IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return saved == 0;
}

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

std::vector<std::string> StartUpProgressLines(bool splash) {
    std::vector<std::string> lines = {
        "int start",
        "load ui/interface.xml complete",
        "load settings complete",
        "load stages complete",
        "load fonts complete",
        "load sounds complete",
        "load rewards complete",
        "load settings complete",
        "load userinfo complete",
        "InitGameToSettings complete",
        "load tilesets complete",
        "LayoutsInit complete",
        "int complete",
        splash ? "run logos window" : "run mainmenu window",
    };
    return lines;
}

std::string FixtureFolder() {
    return VERDANEL_TEST_DATA_DIR;
}

RunningGame::RunningGame(TSplash splash) {
    SetFramePacing(false);
    mStartResult = StartUp();
    mRunning = mStartResult == 0;
    TMyWindowManager* manager = TMyWindowManager::Get();
    if (mRunning && splash == kSkipSplash && manager != nullptr && !manager->GetScreens().empty() &&
        dynamic_cast<TLogosWindow*>(manager->GetScreens().back()) != nullptr) {
        // What start-up shows first without splash images.
        manager->ShowScreen(std::make_unique<TMainMenu>(), true, 0);
    }
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

void RunningGame::StepWithoutDrawing(int frames) {
    SetFrameDrawing(false);
    Step(frames);
    SetFrameDrawing(true);
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

HeadlessRenderer::HeadlessRenderer(int width, int height) {
    mInited = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    mWindow = SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_HIDDEN);
    CreateRenderer(mWindow);
}

HeadlessRenderer::~HeadlessRenderer() {
    DestroyRenderer();
    if (mWindow != nullptr) {
        SDL_DestroyWindow(mWindow);
    }
    if (mInited) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

bool HeadlessRenderer::IsReady() const {
    return GetSDLRenderer() != nullptr;
}

bool WriteSolidPng(const std::string& path, int width, int height, uint32_t argb) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return false;
    }
    SDL_FillRect(surface, nullptr, argb);
    const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

} // namespace harness

namespace harness {

ScopedEnv::ScopedEnv(const char* name, const char* value) : mName(name) {
    if (const char* previous = std::getenv(name)) {
        mPrevious = previous;
        mHadValue = true;
    }
    if (value != nullptr) {
        setenv(name, value, 1);
    } else {
        unsetenv(name);
    }
}

ScopedEnv::~ScopedEnv() {
    if (mHadValue) {
        setenv(mName.c_str(), mPrevious.c_str(), 1);
    } else {
        unsetenv(mName.c_str());
    }
}

} // namespace harness
