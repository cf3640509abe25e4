// Frame costs of the real game: started the way the player starts it, with the shipped data, in a
// 1366 x 768 window on SDL's software renderer, every frame one loop step (events, update, draw,
// present) on the stepped clock. Prints start-up to the first presented frame (the median of five new
// processes), the median and 99th percentile frame cost on the main menu, the map and the game screen
// during the play script with the draw calls and blended pixels of their frames, the cost of loading
// the level, the processor share of the game idling in the menu on the real clock (at the design size
// and at a scaled output), the peak resident memory and the machine it ran on.
//
//   taskset -c 0 build-release/bin/game_bench           the full run
//   game_bench --benchmark_min_time=0 (or --smoke)       a few frames of each phase, to prove it runs
//   game_bench --first-frame                             one start-up, its time printed alone
//   game_bench --record-baseline                         the screens drawn the plain way, their SDL calls
//                                                        written to bench/frame_baseline.txt
//
// Each screen's frames are followed by the baseline's calls for that screen replayed straight into SDL
// (no game code runs), the same number of frames: the ratio of the two medians is what the game's frame
// costs against the plain drawing it replaced.

#include <SDL.h>
#include <malloc.h>
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

#include "app/clock.h"
#include "app/frame_clear.h"
#include "app/renderer.h"
#include "app/string_utils.h"
#include "app/user_info.h"
#include "data/user_records.h"
#include "game/growth/play_script.h"
#include "game_seams.h"
#include "harness/harness.h"
#include "harness/screen_checks.h"
#include "headless.h"
#include "screens/screen_openers.h"
#include "sdl_calls.h"
#include "shell/startup_seams.h"
#include "windows/window_manager.h"

// From app/main_loop.h, which cannot come in beside the game's headers: both name the pause window's id.
void SetFramePacing(bool enabled);

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
        TakeOwnMilliseconds();
        mGame.Step();
        return MillisecondsSince(start) - TakeOwnMilliseconds();
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

std::string TopScreenNote();
std::string FirstLineOf(const std::string& command);

// What the frames since the last reset drew, per frame.
void PrintDrawCounts() {
    const TDrawCounts& counts = GetDrawCounts();
    const double frames = static_cast<double>(std::max(1L, counts.frames));
    std::printf("%-28s %6.1f draw calls   %5.2f Mpx blended   clear left out in %3.0f%% of frames\n", "",
                static_cast<double>(counts.calls) / frames, counts.blendedPixels / frames / 1e6,
                100.0 * static_cast<double>(counts.clearsLeftOut) / frames);
    GetDrawCounts() = TDrawCounts();
}

// Recording the baseline, or the baseline to replay after each screen.
bool gRecordingBaseline = false;
std::vector<TSdlRecording> gBaseline;
constexpr int kRecordedFramesPerScreen = 30;

std::string BaselinePath() {
    return std::string(VERDANEL_SOURCE_DIR) + "/bench/frame_baseline.txt";
}

// Every so many frames of the measured ones, so the recorded frames spread over the whole phase.
std::function<void()> RecordSome(const char* screen, int measured, const std::function<void()>& beforeFrame = {}) {
    if (!gRecordingBaseline) {
        return beforeFrame;
    }
    gBaseline.push_back(TSdlRecording{screen, {}, {}});
    const int stride = std::max(1, measured / kRecordedFramesPerScreen);
    return [stride, beforeFrame, frame = 0]() mutable {
        if (beforeFrame) {
            beforeFrame();
        }
        if (frame++ % stride == 0 && static_cast<int>(gBaseline.back().frames.size()) < kRecordedFramesPerScreen) {
            RecordNextFrame(&gBaseline.back());
        }
    };
}

void NoteGamePeak();
void ForgetReplayPeak();

// The screen's baseline calls replayed for as many frames as the game drew, against the game's median.
void PrintBaseline(const char* screen, const std::vector<double>& gameCosts) {
    if (gRecordingBaseline) {
        StopRecording();
        return;
    }
    // Read for each replay and let go after it, so the game's memory is measured without it.
    NoteGamePeak();
    std::vector<TSdlRecording> recordings;
    LoadRecordings(BaselinePath(), recordings);
    const auto found = std::find_if(recordings.begin(), recordings.end(),
                                    [screen](const TSdlRecording& recording) { return recording.screen == screen; });
    if (found == recordings.end()) {
        std::printf("%-28s none recorded for %s\n", "baseline", screen);
        return;
    }
    const TReplayResult replay = Replay(*found, static_cast<int>(gameCosts.size()));
    const size_t recordedFrames = found->frames.size();
    recordings.clear();
    recordings.shrink_to_fit();
    ForgetReplayPeak();
    const double baseline = Percentile(replay.frameMs, 0.5);
    std::string note;
    if (replay.texturesBySize > 0) {
        note += FormatString("; %d textures matched by size only", replay.texturesBySize);
    }
    if (replay.texturesMissing > 0) {
        note +=
            FormatString("; %d textures not found, %ld calls left out", replay.texturesMissing, replay.callsLeftOut);
    }
    std::printf("%-28s median %6.2f ms   p99 %6.2f ms   (%zu recorded frames replayed, %.1f draw calls a frame%s)\n",
                "  baseline replayed", baseline, Percentile(replay.frameMs, 0.99), recordedFrames, replay.callsPerFrame,
                note.c_str());
    std::printf("%-28s %6.2f   (game median / baseline median; target at most 0.60)\n", "  ratio",
                baseline > 0 ? Percentile(gameCosts, 0.5) / baseline : 0.0);
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The real clock, going on from where the stepped clock stood so the game sees no jump back.
uint32_t gIdleClockBase = 0;
uint32_t gIdleClockStart = 0;
uint32_t IdleTicks() {
    return gIdleClockBase + (SDL_GetTicks() - gIdleClockStart);
}

// The game as the player leaves it: the loop on the real clock with its own frame pacing, nothing
// touched, for the given seconds. Prints the processor time of the whole process over the wall time.
void MeasureIdle(harness::RunningGame& game, const char* phase, double seconds) {
    gIdleClockBase = GetTicks();
    gIdleClockStart = SDL_GetTicks();
    SetTickSource(&IdleTicks);
    SetFramePacing(true);
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(GetSDLRenderer(), &width, &height);
    const double cpuAtStart = ProcessCpuSeconds();
    const TSteady::time_point start = TSteady::now();
    long frames = 0;
    while (MillisecondsSince(start) < seconds * 1000.0) {
        game.Step();
        ++frames;
    }
    const double wall = MillisecondsSince(start) / 1000.0;
    const double cpu = ProcessCpuSeconds() - cpuAtStart;
    SetFramePacing(false);
    std::printf("%-28s %5.1f%% of a core   (%d x %d, %.1f s, %ld frames, %s)\n", phase, 100.0 * cpu / wall, width,
                height, wall, frames, TopScreenNote().c_str());
}

// Start-up to the first presented frame in a new process of this program, as many times; the median.
// Each run starts from main with nothing loaded, as the player's start does.
double MedianFirstFrame(const char* self, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const std::string line = FirstLineOf(FormatString("'%s' --first-frame 2>/dev/null", self));
        if (!line.empty()) {
            times.push_back(std::atof(line.c_str()));
        }
    }
    return times.size() == static_cast<size_t>(runs) ? Percentile(times, 0.5) : -1.0;
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

// The process's peak resident memory so far (VmHWM), in MB; 0 when it cannot be read.
double HighWaterMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024.0;
        }
    }
    return 0;
}

// The game's own peak: the replays' memory (the baseline, the textures' pixels read back) is left out by
// taking the peak before each replay and starting the count again after it.
double gGamePeakMegabytes = 0;
void NoteGamePeak() {
    gGamePeakMegabytes = std::max(gGamePeakMegabytes, HighWaterMegabytes());
}
void ForgetReplayPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakResidentMegabytes() {
    NoteGamePeak();
    if (gGamePeakMegabytes > 0) {
        return gGamePeakMegabytes;
    }
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
// The screen's name in the baseline, when the phase has one.
void MeasureScreen(TFrameRunner& runner, const char* phase, void (*open)(), const TPhaseFrames& frames,
                   const char* screen = nullptr) {
    open();
    runner.Run(frames.warmUp);
    const std::string note = TopScreenNote();
    GetDrawCounts() = TDrawCounts();
    const std::vector<double> costs =
        runner.Run(frames.measured, screen != nullptr ? RecordSome(screen, frames.measured) : std::function<void()>{});
    PrintFrames(phase, costs, note);
    PrintDrawCounts();
    if (screen != nullptr) {
        PrintBaseline(screen, costs);
    }
}

// One start-up to its first presented frame, in ms; negative when the game did not start.
double FirstFrameOnly() {
    SetSeams(std::make_unique<TGameSeams>());
    harness::SteppedClock clock;
    const TSteady::time_point startUp = TSteady::now();
    harness::RunningGame game;
    if (game.GetStartResult() != 0) {
        return -1;
    }
    harness::UseDesignSizedWindow();
    TFrameRunner runner(game, clock);
    runner.Step();
    const double startUpMs = MillisecondsSince(startUp);
    game.Shutdown();
    SetSeams(nullptr);
    return startUpMs;
}

int RunBenchmark(bool smoke, const char* self) {
    // The baseline is the frames drawn the plain way: the output cleared whole, every layer from its images.
    if (gRecordingBaseline) {
        SetDrawShortcuts(false);
    }
    const bool baselineRead = !gRecordingBaseline && std::filesystem::exists(BaselinePath());
    const TPhaseFrames screenFrames = smoke ? TPhaseFrames{2, 5} : TPhaseFrames{};
    const int gameFrames = smoke ? 60 : playscript::TPlayScript::kCycleFrames;
    const int loads = smoke ? 1 : 20;

    // Every texture drawn from, so the baseline's replay finds the ones of the same pixels, also those
    // the game lets go of before the replay.
    WatchTextures(true);
    if (baselineRead) {
        std::vector<TSdlRecording> recordings;
        LoadRecordings(BaselinePath(), recordings);
        WantTextures(recordings);
        recordings.clear();
        recordings.shrink_to_fit();
        // The recordings read here are not the game's memory.
        ForgetReplayPeak();
    }
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
    if (!gRecordingBaseline && !baselineRead) {
        std::printf("no baseline in %s\n", BaselinePath().c_str());
    }
    std::printf("%-28s %8.1f ms   (this run)\n", "start-up to first frame", startUpMs);
    const int startRuns = smoke ? 1 : 5;
    std::printf("%-28s %8.1f ms   (median of %d new processes)\n", "start-up to first frame",
                MedianFirstFrame(self, startRuns), startRuns);

    // A returning player: the menus do not stop to ask for a name.
    playscript::EnsurePlayer();
    MeasureScreen(runner, "main menu frame", &ShowMainMenuScreen, screenFrames, "menu");
    MeasureScreen(runner, "map frame", &ShowMapScreen, screenFrames, "map");

    playscript::TPlayScript script;
    const playscript::TLevelChoice level = playscript::FindLargestLevel();
    if (!script.Open(level)) {
        std::printf("the largest level did not open\n");
        return 1;
    }
    GetDrawCounts() = TDrawCounts();
    const std::vector<double> gameCosts =
        runner.Run(gameFrames, RecordSome("game", gameFrames, [&script] { script.BeforeFrame(); }));
    PrintFrames("game screen frame", gameCosts,
                FormatString("level %s, %d strokes, %d hint%s, %s, %s", level.name.c_str(), script.GetStrokesMade(),
                             script.GetHintsTaken(), script.GetHintsTaken() == 1 ? "" : "s",
                             IsWindowShown(kResultsWindowId) ? "solved" : "not solved", GameScreenNote().c_str()));
    PrintDrawCounts();
    PrintBaseline("game", gameCosts);
    if (gRecordingBaseline) {
        game.Shutdown();
        SetSeams(nullptr);
        const bool saved = !smoke && SaveRecordings(BaselinePath(), gBaseline);
        std::printf("%s %s\n", saved ? "baseline written to" : "baseline not written:", BaselinePath().c_str());
        return saved ? 0 : 1;
    }

    // A level loaded as a replay loads it: the board, its tiles and the level intro, which goes again
    // at once so the intros do not pile up.
    std::vector<double> loadCosts;
    for (int i = 0; i < loads; ++i) {
        const TSteady::time_point start = TSteady::now();
        script.GetController().StartLevel(level.stage, level.level);
        loadCosts.push_back(MillisecondsSince(start));
        TMyWindowManager::Get()->CloseById(kLevelIntroId);
    }
    std::printf("%-28s median %6.2f ms   first %6.2f ms   (%zu loads, %d cells)\n", "level load",
                Percentile(loadCosts, 0.5), loadCosts.front(), loadCosts.size(), level.cells);

    // The results of the last level are not part of the menus measured below.
    TMyWindowManager::Get()->CloseById(kResultsWindowId);

    // A scaled output (the dummy display's 1024 x 768) drawn both ways: every image scaled as it is
    // drawn, and the frame drawn at the design size into a texture scaled once.
    harness::UseWindowSized(1024, 768);
    const bool throughTarget = IsScaledThroughTarget();
    for (const bool target : {false, true}) {
        SetScaledThroughTarget(target);
        MeasureScreen(runner, target ? "menu 1024x768, one scaling" : "menu 1024x768, each scaled", &ShowMainMenuScreen,
                      screenFrames);
    }
    SetScaledThroughTarget(throughTarget);
    harness::UseDesignSizedWindow();

    // The menu left alone, as a player leaves it: at the design size, then at the dummy display's
    // 1024 x 768, where the picture is scaled.
    const double idleSeconds = smoke ? 0.3 : 20.0;
    ShowMainMenuScreen();
    runner.Run(screenFrames.warmUp);
    MeasureIdle(game, "menu idle, processor", idleSeconds);
    harness::UseWindowSized(1024, 768);
    MeasureIdle(game, "menu idle scaled, processor", idleSeconds);
    game.Shutdown();
    std::printf("%-28s %8.1f MB   (the game's; the replays left out)\n", "peak resident memory",
                PeakResidentMegabytes());
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
    const bool firstFrameOnly = argc > 1 && std::strcmp(argv[1], "--first-frame") == 0;
    int result = 0;
    if (firstFrameOnly) {
        const double ms = FirstFrameOnly();
        std::printf("%.3f\n", ms);
        result = ms < 0 ? 1 : 0;
    } else {
        std::error_code error;
        const std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
        gRecordingBaseline = argc > 1 && std::strcmp(argv[1], "--record-baseline") == 0;
        result = RunBenchmark(IsSmokeRun(argc, argv), error ? argv[0] : self.c_str());
    }
    TUserInfo::Release();
    RemoveUserRecords();
    std::error_code ignored;
    std::filesystem::remove_all(userData, ignored);
    return result;
}
