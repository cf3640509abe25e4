// Frame costs of the real game: started the way the player starts it, with the shipped data, in a
// 1366 x 768 window on SDL's software renderer, every frame one loop step (events, update, draw,
// present) on the stepped clock. Prints start-up to the first presented frame, the median and 99th
// percentile frame cost on the main menu, the map and the game screen during the play script, the
// cost of loading the level, the peak resident memory and the machine it ran on.
//
//   taskset -c 0 build-release/bin/game_bench           the full run
//   game_bench --benchmark_min_time=0 (or --smoke)       a few frames of each phase, to prove it runs

#include <SDL.h>
#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/renderer.h"
#include "app/startup_seams.h"
#include "app/string_utils.h"
#include "app/user_info.h"
#include "game/growth/play_script.h"
#include "game_seams.h"
#include "harness/harness.h"
#include "headless.h"
#include "screen_openers.h"
#include "user_records.h"
#include "windows/window_manager.h"

namespace {

using TSteady = std::chrono::steady_clock;

double MillisecondsSince(TSteady::time_point start) {
    return std::chrono::duration<double, std::milli>(TSteady::now() - start).count();
}

struct TPhaseFrames {
    int warmUp = 60;
    int measured = 1200;
};

class TFrameRunner {
public:
    TFrameRunner(harness::RunningGame& game, harness::SteppedClock& clock) : mGame(game), mClock(clock) {}

    // One loop step 1/60 s after the last (16 or 17 ms on the stepped clock); its wall time in ms.
    double Step(const std::function<void()>& beforeFrame = {}) {
        ++mFrame;
        mClock.Advance(static_cast<uint32_t>(mFrame * 1000 / 60 - (mFrame - 1) * 1000 / 60));
        if (beforeFrame) {
            beforeFrame();
        }
        const TSteady::time_point start = TSteady::now();
        mGame.Step();
        return MillisecondsSince(start);
    }

    std::vector<double> Run(int frames, const std::function<void()>& beforeFrame = {}) {
        std::vector<double> costs;
        for (int i = 0; i < frames; ++i) {
            costs.push_back(Step(beforeFrame));
        }
        return costs;
    }

private:
    harness::RunningGame& mGame;
    harness::SteppedClock& mClock;
    long mFrame = 0;
};

// The value below which the given share of the samples lie (nearest rank).
double Percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(values.size())));
    return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

void PrintFrames(const char* phase, const std::vector<double>& costs, const std::string& note) {
    std::printf("%-28s median %6.2f ms   p99 %6.2f ms   (%zu frames%s%s)\n", phase, Percentile(costs, 0.5),
                Percentile(costs, 0.99), costs.size(), note.empty() ? "" : "; ", note.c_str());
}

// What the top screen is, and any popup over it, so a phase whose screen is not there says so.
std::string TopScreenNote() {
    const TMyWindowManager* manager = TMyWindowManager::FindInstance();
    if (manager == nullptr || manager->GetScreens().empty()) {
        return "no screen shown: not built yet";
    }
    std::string note = "screen id " + std::to_string(manager->GetScreens().back()->mId);
    for (const TMyWindow* popup : manager->GetPopups()) {
        note += ", popup id " + std::to_string(popup->mId);
    }
    return note;
}

bool IsWindowShown(int id) {
    const TMyWindowManager* manager = TMyWindowManager::FindInstance();
    return manager != nullptr && manager->FindById(id) != nullptr;
}

// Which screen the play script ran on.
std::string GameScreenNote() {
    return IsWindowShown(kGameScreenId) ? "screen id " + std::to_string(kGameScreenId) : "no game screen shown";
}

std::string FirstLineOf(const std::string& command) {
    std::string line;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        if (std::fgets(buffer, sizeof(buffer), pipe) != nullptr) {
            line = buffer;
        }
        pclose(pipe);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.pop_back();
    }
    return line;
}

std::string CpuModel() {
    std::ifstream info("/proc/cpuinfo");
    for (std::string line; std::getline(info, line);) {
        if (line.rfind("model name", 0) == 0 && line.find(':') != std::string::npos) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "unknown";
}

int UsableCores() {
    cpu_set_t set;
    return sched_getaffinity(0, sizeof(set), &set) == 0 ? CPU_COUNT(&set) : 0;
}

std::string BuildType() {
    std::string type = VERDANEL_BUILD_TYPE;
    if (type.empty()) {
        type = "none";
    }
#if defined(__SANITIZE_ADDRESS__)
    type += ", AddressSanitizer";
#endif
    return type;
}

std::string Commit() {
    const std::string git = "git -C '" + std::string(VERDANEL_SOURCE_DIR) + "' ";
    std::string commit = FirstLineOf(git + "rev-parse --short HEAD 2>/dev/null");
    if (commit.empty()) {
        return "unknown";
    }
    if (!FirstLineOf(git + "status --porcelain --untracked-files=no 2>/dev/null").empty()) {
        commit += " with uncommitted changes";
    }
    return commit;
}

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Headless, with a fresh per-user folder: never the player's own.
bool PrepareEnvironment() {
    const std::string folder = PrepareHeadlessRun();
    return !folder.empty() && setenv("XDG_DATA_HOME", folder.c_str(), 1) == 0;
}

bool IsSmokeRun(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0 || std::strcmp(argv[i], "--benchmark_min_time=0") == 0) {
            return true;
        }
    }
    return false;
}

// The screen through its opener, a fade's worth of frames to settle, then the measured frames.
void MeasureScreen(TFrameRunner& runner, const char* phase, void (*open)(), const TPhaseFrames& frames) {
    open();
    runner.Run(frames.warmUp);
    const std::string note = TopScreenNote();
    PrintFrames(phase, runner.Run(frames.measured), note);
}

int RunBenchmark(bool smoke) {
    const TPhaseFrames screenFrames = smoke ? TPhaseFrames{2, 5} : TPhaseFrames{};
    const int gameFrames = smoke ? 60 : playscript::TPlayScript::kCycleFrames;
    const int loads = smoke ? 1 : 20;

    SetSeams(std::make_unique<TGameSeams>());
    harness::SteppedClock clock;
    const TSteady::time_point startUp = TSteady::now();
    harness::RunningGame game;
    if (game.GetStartResult() != 0) {
        std::printf("the game did not start\n");
        return 1;
    }
    harness::UseDesignSizedWindow();
    TFrameRunner runner(game, clock);
    runner.Step();
    const double startUpMs = MillisecondsSince(startUp);

    SDL_RendererInfo renderer{};
    SDL_GetRendererInfo(GetSDLRenderer(), &renderer);
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(GetSDLRenderer(), &width, &height);
    std::printf("Verdanel frame benchmark\n");
    std::printf("cpu: %s, %u cores, %d usable by this process\n", CpuModel().c_str(),
                std::thread::hardware_concurrency(), UsableCores());
    std::printf("build: %s, commit %s\n", BuildType().c_str(), Commit().c_str());
    std::printf("window: %d x %d, renderer %s%s\n", width, height, renderer.name, smoke ? ", smoke run" : "");
    std::printf("%-28s %8.1f ms\n", "start-up to first frame", startUpMs);

    // A returning player: the menus do not stop to ask for a name.
    playscript::EnsurePlayer();
    MeasureScreen(runner, "main menu frame", &ShowMainMenuScreen, screenFrames);
    MeasureScreen(runner, "map frame", &ShowMapScreen, screenFrames);

    playscript::TPlayScript script;
    const playscript::TLevelChoice level = playscript::FindLargestLevel();
    if (!script.Open(level)) {
        std::printf("the largest level did not open\n");
        return 1;
    }
    const std::vector<double> gameCosts = runner.Run(gameFrames, [&script] { script.BeforeFrame(); });
    PrintFrames("game screen frame", gameCosts,
                FormatString("level %s, %d strokes, %d hint%s, %s, %s", level.name.c_str(), script.GetStrokesMade(),
                             script.GetHintsTaken(), script.GetHintsTaken() == 1 ? "" : "s",
                             IsWindowShown(kResultsWindowId) ? "solved" : "not solved", GameScreenNote().c_str()));

    // A level loaded as a replay loads it: the board, its tiles and the level intro, which goes again
    // at once so the intros do not pile up.
    std::vector<double> loadCosts;
    for (int i = 0; i < loads; ++i) {
        const TSteady::time_point start = TSteady::now();
        script.GetController().StartLevel(level.stage, level.level);
        loadCosts.push_back(MillisecondsSince(start));
        delete TMyWindowManager::Get()->CloseById(kLevelIntroId);
    }
    std::printf("%-28s median %6.2f ms   first %6.2f ms   (%zu loads, %d cells)\n", "level load",
                Percentile(loadCosts, 0.5), loadCosts.front(), loadCosts.size(), level.cells);
    game.Shutdown();
    std::printf("%-28s %8.1f MB\n", "peak resident memory", PeakResidentMegabytes());
    SetSeams(nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (!PrepareEnvironment()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    const std::string userData = std::getenv("XDG_DATA_HOME");
    const int result = RunBenchmark(IsSmokeRun(argc, argv));
    TUserInfo::Release();
    RemoveUserRecords();
    std::error_code ignored;
    std::filesystem::remove_all(userData, ignored);
    return result;
}
