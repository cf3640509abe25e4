// The real game driven by seeded random input: clicks on the controls of the window in front (so every
// screen and dialog is reached), on the map's plates and the board's cells, clicks and drags anywhere,
// keys, typing, the wheel, focus changes and pauses. A sanitizer report, a crash, a hang (no frame for
// 5 s), an error line in the log or a name the shipped data lacks fails a run and prints its seed and
// input so far, which VERDANEL_MONKEY_REPLAY=<file> replays exactly. Game time is stepped, so it runs
// far ahead of real time. VERDANEL_LONG_TESTS=1 adds many more seeds, each run longer.

#include <cxxabi.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "app/display_modes.h"
#include "data/rewards.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map/reward_place.h"
#include "map_fixture.h"
#include "monkey_input.h"
#include "shell/main_loop.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;

// What a dying run prints: kept outside the fixture, for the sanitizer's death callback and the
// watchdog.
std::string gInputLog;
uint32_t gSeed = 0;
std::atomic<long> gFrames{0};
// Seconds of the game thread's processor time a frame may take before the run counts as hung; start-up
// loads every file, so it gets longer. 0 while nothing is watched.
std::atomic<int> gHangSeconds{0};
// A frame blocked in a call (it uses no processor time) counts as hung after this many real seconds.
constexpr int kBlockedSeconds = 60;

void PrintInput() {
    std::fprintf(stderr, "monkey seed %u failed; its input so far (replay: VERDANEL_MONKEY_REPLAY=<file>):\n%s\n",
                 gSeed, gInputLog.c_str());
    const std::string path =
        (std::filesystem::temp_directory_path() / ("verdanel-monkey-" + std::to_string(gSeed) + ".txt")).string();
    if (FILE* file = std::fopen(path.c_str(), "w")) {
        std::fputs(gInputLog.c_str(), file);
        std::fclose(file);
        std::fprintf(stderr, "monkey input saved as %s\n", path.c_str());
    }
}

void OnAbort(int /*signal*/) {
    PrintInput();
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}

double ClockSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// No frame for the allowed time: the input so far, then the process ends. The limit is on the game
// thread's processor time, so that a machine busy with other work does not pass for a hang; a frame
// blocked in a call is caught by the real-time limit.
class Watchdog {
public:
    Watchdog() {
        pthread_getcpuclockid(pthread_self(), &mGameClock);
        mThread = std::thread([this] { Watch(); });
    }
    ~Watchdog() {
        mRunning = false;
        mThread.join();
    }

private:
    void Watch() {
        long last = gFrames.load();
        double cpuSince = ClockSeconds(mGameClock);
        double wallSince = ClockSeconds(CLOCK_MONOTONIC);
        while (mRunning) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const long now = gFrames.load();
            const int limit = gHangSeconds.load();
            if (now != last || limit == 0) {
                last = now;
                cpuSince = ClockSeconds(mGameClock);
                wallSince = ClockSeconds(CLOCK_MONOTONIC);
                continue;
            }
            const double cpu = ClockSeconds(mGameClock) - cpuSince;
            const double wall = ClockSeconds(CLOCK_MONOTONIC) - wallSince;
            if (cpu > limit || wall > std::max(limit, kBlockedSeconds)) {
                std::fprintf(stderr, "monkey: no frame for %.1f s (%.1f s of processor time)\n", wall, cpu);
                std::abort();
            }
        }
    }

    clockid_t mGameClock{};
    std::atomic<bool> mRunning{true};
    std::thread mThread;
};

std::string TypeName(const TMyWindow& window) {
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(window).name(), nullptr, nullptr, &status);
    std::string result = status == 0 && name != nullptr ? name : typeid(window).name();
    std::free(name);
    return result;
}

void CollectTargets(TMyWindow* window, std::vector<TMyWindow*>& targets) {
    for (TMyWindow* child : window->mChildren) {
        if (!child->mShown || child->mDisabled) {
            continue;
        }
        if (child->mWidth > 0 && child->mHeight > 0 && child->IsInteractive()) {
            targets.push_back(child);
        }
        CollectTargets(child, targets);
    }
}

// Every window's id, place, size and state, folded into one number: two runs that differ anywhere in
// the tree differ here.
void HashTree(const TMyWindow& window, uint64_t& hash) {
    for (const int value : {window.mId, window.mX, window.mY, window.mWidth, window.mHeight,
                            static_cast<int>(window.mShown), static_cast<int>(window.mDisabled)}) {
        hash = (hash ^ static_cast<uint32_t>(value)) * 1099511628211ull;
    }
    for (const TMyWindow* child : window.mChildren) {
        HashTree(*child, hash);
    }
}

bool IsErrorLine(const std::string& line) {
    return line.find("ERROR") != std::string::npos;
}

// What the run's reached set names the map's reward places by.
const char* const kRewardInPlace = "map reward in its place";
const char* const kRewardFlyingIn = "map reward flying in";

// Even seeds play "Monkey"; a quarter of them come back to a profile with won rewards.
bool StartsWithWonRewards(uint32_t seed) {
    return seed % 8 == 0;
}

bool LongTests() {
    const char* value = std::getenv("VERDANEL_LONG_TESTS");
    return value != nullptr && std::string(value) == "1";
}

} // namespace

// One run: what the monkey did and what it saw.
struct TMonkeyRun {
    std::vector<TMonkeyAction> actions;
    // After each action: the screen, the popups and the window tree.
    std::vector<std::string> trace;
    std::set<std::string> reached;
    long frames = 0;
    uint64_t gameMs = 0;
    int starts = 0;
    // The longest frame in real seconds and in the game thread's processor seconds.
    double slowestFrame = 0;
    double slowestFrameCpu = 0;
    // The action during which that frame ran.
    size_t slowestAction = 0;
};

class MonkeyTest : public MapScreensTest {
protected:
    void SetUp() override {
        MapScreensTest::SetUp();
        std::signal(SIGABRT, OnAbort);
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(PrintInput);
#endif
    }

    void TearDown() override {
        gHangSeconds = 0;
        std::signal(SIGABRT, SIG_DFL);
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(nullptr);
#endif
        MapScreensTest::TearDown();
    }

    // Runs the seed for that many actions, each chosen from what is on screen.
    void RunSeed(uint32_t seed, int actionCount, TMonkeyRun& run) {
        Begin(seed, run);
        std::mt19937 random(seed);
        for (int i = 0; i < actionCount && !HasFailure(); ++i) {
            const TMonkeyAction action = Choose(random);
            Perform(action, run);
        }
        End();
    }

    // Performs the actions of an input log from the same beginning as the run that wrote it.
    void Replay(uint32_t seed, const std::vector<TMonkeyAction>& actions, TMonkeyRun& run) {
        Begin(seed, run);
        for (size_t i = 0; i < actions.size() && !HasFailure(); ++i) {
            Perform(actions[i], run);
        }
        End();
    }

    static std::string Summary(uint32_t seed, const TMonkeyRun& run, double wallSeconds) {
        std::string names;
        for (const std::string& name : run.reached) {
            names += "\n  " + name;
        }
        char line[256];
        std::snprintf(line, sizeof line,
                      "monkey seed %u: %zu actions, %ld frames, %.1f s game time, %.1f s real time, %d starts, "
                      "slowest frame %.2f s (%.2f s processor, action %zu), reached %zu:",
                      seed, run.actions.size(), run.frames, static_cast<double>(run.gameMs) / 1000.0, wallSeconds,
                      run.starts, run.slowestFrame, run.slowestFrameCpu, run.slowestAction, run.reached.size());
        const std::string slowest = run.slowestAction < run.trace.size()
                                        ? "\n  slowest frame's action left: " + run.trace[run.slowestAction]
                                        : "";
        return line + slowest + names;
    }

private:
    // Every run starts alike: an empty user folder, the same clock and the same random numbers the game
    // draws. Odd seeds meet the game as a new player (the name window first), even ones as "Monkey".
    // Seeds that 5 divides start at the splash, as a launched game does, also after a quit (an even seed's
    // menu made for "Monkey" replaces it at once). A quarter of the "Monkey" seeds (those 8 divides) come
    // back to a profile that has won rewards: the game saves it, and a new start loads it from the file.
    void Begin(uint32_t seed, TMonkeyRun& run) {
        if (mGame != nullptr) {
            StopGame();
        }
        std::error_code ignored;
        std::filesystem::remove_all(harness::UserFolder(), ignored);
        mClock.Reset(1000);
        std::srand(1);
        gSeed = seed;
        gInputLog = "# seed " + std::to_string(seed) + "\n";
        run = TMonkeyRun();
        mFrameMs = kFrameMs;
        mPending.clear();
        ClearMissingNames();
        mSplash = seed % 5 == 0 ? harness::RunningGame::kKeepSplash : harness::RunningGame::kSkipSplash;
        mWonProfile = StartsWithWonRewards(seed);
        StartGame(run);
        if (seed % 2 == 0 && !HasFailure()) {
            TSettings::Get()->AddUser("Monkey");
            if (mWonProfile) {
                SaveWonProfile();
                CheckLog();
                StopGame();
                StartGame(run);
                ExpectWonProfileLoaded();
            } else {
                FreshMenu();
            }
        }
        Note(run);
    }

    // The first stage's reward still to win: the reward of its first level that names one.
    static const TReward* FirstStageOpenReward() {
        const TStageList& set = GetStageList(kMainLevelSet);
        if (set.mStages.empty()) {
            return nullptr;
        }
        for (const auto& level : set.mStages.front()->mLevels) {
            if (const TReward* reward = FindReward(level->mReward)) {
                return reward;
            }
        }
        return nullptr;
    }

    // A player some way into the first stage: a difficulty chosen, its first three levels starred and
    // every reward won but the first stage's. Written by the game's own profile writer.
    void SaveWonProfile() {
        TUserInfo* profile = TUserInfo::Get();
        SetProfileDifficulty(TMosaicGameSettings::Get().GetPreset(0));
        profile->SetDifficultyChoice(0);
        TModeProgress& record = profile->GetModeProgress(0);
        record.mModePlayed = true;
        record.mStage = 0;
        record.mLevel = kWonLevels - 1;
        for (int i = 0; i < kWonLevels; ++i) {
            TLevelProgress& level = record.mLevels.at(static_cast<size_t>(i));
            level.mBestScore = WonLevelScore(i);
            level.mBestStars = 1 + i % 3;
            record.mScore += level.mBestScore;
        }
        const TReward* open = FirstStageOpenReward();
        ASSERT_NE(open, nullptr) << "the first stage names no reward";
        int won = 0;
        for (const auto& reward : GetRewardList()) {
            reward->mObtained = reward.get() != open;
            won += reward->mObtained ? 1 : 0;
        }
        ASSERT_GT(won, 0) << "no reward besides the first stage's";
        TRewardConnector::Get().mHiddenCellsFound = won;
        TRewardConnector::Get().mLevelsWon = kWonLevels;
        ASSERT_TRUE(TSettings::Get()->SaveProfile());
    }

    // The new start read the profile back: "Monkey" is the player and the won rewards are there.
    static void ExpectWonProfileLoaded() {
        ASSERT_EQ(TSettings::Get()->GetUserName(), "Monkey");
        const TReward* open = FirstStageOpenReward();
        ASSERT_NE(open, nullptr);
        for (const auto& reward : GetRewardList()) {
            EXPECT_EQ(reward->mObtained, reward.get() != open) << reward->mId;
        }
        const TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
        for (int i = 0; i < kWonLevels; ++i) {
            EXPECT_EQ(record.mLevels.at(static_cast<size_t>(i)).mBestScore, WonLevelScore(i)) << "level " << i;
        }
        EXPECT_EQ(TUserInfo::Get()->GetDifficultyChoice(), 0);
    }

    static int WonLevelScore(int level) {
        return 400 + 100 * level;
    }

    void End() {
        CheckLog();
        StopGame();
    }

    void StartGame(TMonkeyRun& run) {
        gHangSeconds = 60;
        Start(mSplash);
        gHangSeconds = 5;
        ++run.starts;
    }

    void StopGame() {
        gHangSeconds = 60;
        mGame.reset();
        ReleaseProcessState();
        GetLoopState() = TLoopState();
        gHangSeconds = 0;
    }

    void CheckLog() {
        for (const std::string& line : harness::LogLines()) {
            if (IsErrorLine(line)) {
                ADD_FAILURE() << "error line in the log: " << line;
                PrintInput();
                return;
            }
        }
        for (const TMissingName& missing : GetMissingNames()) {
            ADD_FAILURE() << missing.kind << " not found " << missing.name;
            PrintInput();
            return;
        }
    }

    static TMyWindow* Front() {
        TMyWindowManager* manager = TMyWindowManager::Get();
        TMyWindow* front = manager->GetTopActivePopup();
        if (front == nullptr && !manager->GetScreens().empty()) {
            front = manager->GetScreens().back();
        }
        return front;
    }

    // The next action, from what the screen shows now.
    TMonkeyAction Choose(std::mt19937& random) {
        if (!mPending.empty()) {
            const TMonkeyAction again = mPending.back();
            mPending.pop_back();
            return again;
        }
        auto pick = [&](int bound) { return static_cast<int>(random() % static_cast<uint32_t>(bound)); };
        auto point = [&](TMonkeyAction::Kind kind) {
            TMonkeyAction action;
            action.kind = kind;
            action.a = pick(kDesignWidth);
            action.b = pick(kDesignHeight);
            return action;
        };
        TMonkeyAction action;
        if (mWonProfile && pick(4) != 0 && RewardLevelStroke(action)) {
            return action;
        }
        const int roll = pick(100);
        if (roll < 40) {
            if (const TMyWindow* play = WonProfilePlay(); play != nullptr && pick(2) == 0) {
                action.kind = TMonkeyAction::kClick;
                CentreOf(*play, action.a, action.b);
                return action;
            }
            std::vector<TMyWindow*> targets;
            if (TMyWindow* front = Front()) {
                CollectTargets(front, targets);
            }
            if (targets.empty()) {
                return point(TMonkeyAction::kClick);
            }
            action.kind = TMonkeyAction::kClick;
            CentreOf(*targets[static_cast<size_t>(pick(static_cast<int>(targets.size())))], action.a, action.b);
            return action;
        }
        // On the board, painting comes first.
        const bool onBoard = Controller() != nullptr && TMyWindowManager::Get()->GetTopActivePopup() == nullptr;
        if (roll < (onBoard ? 70 : 52)) {
            return ChooseOnScreen(random);
        }
        if (roll < 62) {
            return point(TMonkeyAction::kClick);
        }
        if (roll < 64) {
            return point(TMonkeyAction::kRightClick);
        }
        if (roll < 70) {
            action = point(TMonkeyAction::kDrag);
            action.c = pick(kDesignWidth);
            action.d = pick(kDesignHeight);
            return action;
        }
        if (roll < 74) {
            return point(TMonkeyAction::kMove);
        }
        if (roll < 85) {
            static const SDL_Keycode kKeys[] = {SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE, SDLK_BACKSPACE, SDLK_DELETE,
                                                SDLK_LEFT,   SDLK_RIGHT,  SDLK_UP,    SDLK_DOWN,      SDLK_TAB,
                                                SDLK_HOME,   SDLK_END,    SDLK_a,     SDLK_z,         SDLK_1,
                                                SDLK_F1,     SDLK_F4,     SDLK_h};
            action.kind = TMonkeyAction::kKey;
            action.a = static_cast<int>(kKeys[pick(static_cast<int>(std::size(kKeys)))]);
            return action;
        }
        if (roll < 88) {
            static const char* const kTexts[] = {
                "Zoe", "a", "Жора", "%s%n%d", "ÅÄÖ 42", "漢字", "Bartholomew Fitzgerald-Longname the Third"};
            action.kind = TMonkeyAction::kText;
            action.text = kTexts[pick(static_cast<int>(std::size(kTexts)))];
            return action;
        }
        if (roll < 90) {
            action.kind = TMonkeyAction::kWheel;
            action.a = pick(2) == 0 ? 1 : -1;
            return action;
        }
        if (roll < 92) {
            action.kind = TMonkeyAction::kFocus;
            action.a = GetLoopState().mHasFocus ? 0 : 1;
            return action;
        }
        if (roll < 93) {
            // Another pace: every step of a fade or a flight may come at once or in many small steps.
            static const int kFrameLengths[] = {17, 50, 125, 400};
            action.kind = TMonkeyAction::kFrame;
            action.a = kFrameLengths[pick(static_cast<int>(std::size(kFrameLengths)))];
            return action;
        }
        action.kind = TMonkeyAction::kWait;
        action.a = 1 + pick(pick(4) == 0 ? 80 : 12);
        return action;
    }

    // A profile with won rewards is played more than it is changed: on the main menu with no dialog over
    // it, its Play button.
    const TMyWindow* WonProfilePlay() const {
        const TMainMenu* menu = TopScreen<TMainMenu>();
        if (!mWonProfile || menu == nullptr || TMyWindowManager::Get()->GetTopActivePopup() != nullptr) {
            return nullptr;
        }
        const TMyWindow* play = menu->FindChildByName("main_play");
        return play != nullptr && play->mShown && !play->mDisabled ? play : nullptr;
    }

    // On a board in play with nothing over it, whose level adds a reward when won: a right stroke, so
    // that a profile with won rewards wins one more and the map flies it in.
    static bool RewardLevelStroke(TMonkeyAction& action) {
        TBoardMahjong* controller = Controller();
        if (controller == nullptr || controller->GetPlayState() != TBoardMahjong::kStatePlaying ||
            TMyWindowManager::Get()->GetTopActivePopup() != nullptr || controller->GetLevelRecord() == nullptr) {
            return false;
        }
        const TReward* reward = FindReward(controller->GetLevelRecord()->mReward);
        return reward != nullptr && !reward->mObtained && RightStroke(*controller, action);
    }

    // What only this screen has: the map's plates (often clicked twice), the board's cells.
    TMonkeyAction ChooseOnScreen(std::mt19937& random) {
        auto pick = [&](int bound) { return static_cast<int>(random() % static_cast<uint32_t>(bound)); };
        TMonkeyAction action;
        if (TMapWindow* map = TopScreen<TMapWindow>(); map != nullptr && !map->GetPlates().empty()) {
            const auto& plates = map->GetPlates();
            const TMapLevelPlate* plate = plates[static_cast<size_t>(pick(static_cast<int>(plates.size())))].get();
            // A profile with won rewards mostly plays the level whose win adds one, so that it flies in.
            if (mWonProfile && pick(3) != 0) {
                const auto open = std::find_if(plates.begin(), plates.end(),
                                               [](const auto& candidate) { return candidate->hasOpenReward; });
                plate = open != plates.end() ? open->get() : plate;
            }
            action.kind = TMonkeyAction::kClick;
            action.a = plate->x + plate->width / 2;
            action.b = plate->y + plate->height / 2;
            if (pick(3) == 0) {
                mPending.push_back(action);
            }
            return action;
        }
        if (TBoardMahjong* controller = Controller(); controller != nullptr) {
            const TMosaicBoard& board = controller->GetActiveLayout().GetBoard();
            // Half the time a right stroke, so that levels get solved and what follows is reached too.
            if (pick(2) == 0 && RightStroke(*controller, action)) {
                return action;
            }
            if (board.GetRows() > 0 && board.GetCols() > 0) {
                const int row = pick(board.GetRows());
                const int column = pick(board.GetCols());
                const TMosaicCell& first = board.GetCell(row, column);
                // Mostly along a row or a column, as a player paints.
                const int kind = pick(3);
                const TMosaicCell& last = kind == 0   ? board.GetCell(row, pick(board.GetCols()))
                                          : kind == 1 ? board.GetCell(pick(board.GetRows()), column)
                                                      : board.GetCell(pick(board.GetRows()), pick(board.GetCols()));
                action.kind = TMonkeyAction::kDrag;
                action.a = first.x + first.w / 2;
                action.b = first.y + first.h / 2;
                action.c = last.x + last.w / 2;
                action.d = last.y + last.h / 2;
                return action;
            }
        }
        std::vector<TMyWindow*> targets;
        if (!TMyWindowManager::Get()->GetScreens().empty()) {
            CollectTargets(TMyWindowManager::Get()->GetScreens().back(), targets);
        }
        action.kind = TMonkeyAction::kClick;
        if (targets.empty()) {
            action.a = pick(kDesignWidth);
            action.b = pick(kDesignHeight);
        } else {
            CentreOf(*targets[static_cast<size_t>(pick(static_cast<int>(targets.size())))], action.a, action.b);
        }
        return action;
    }

    // A stroke over the first unsolved run of the current colour along a row; with none left, a click on
    // the button of a colour that still has one. False when the board has nothing left to paint.
    static bool RightStroke(TBoardMahjong& controller, TMonkeyAction& action) {
        const TMosaicBoard& board = controller.GetActiveLayout().GetBoard();
        const int colour = board.GetCurrentColourIndex() + 1;
        int otherColour = 0;
        for (int row = 0; row < board.GetRows(); ++row) {
            for (int column = 0; column < board.GetCols(); ++column) {
                const TMosaicCell& cell = board.GetCell(row, column);
                if (!cell.visible || cell.solution <= 0 || cell.IsSolved()) {
                    continue;
                }
                if (cell.solution != colour) {
                    otherColour = otherColour == 0 ? cell.solution : otherColour;
                    continue;
                }
                int last = column;
                while (last + 1 < board.GetCols() && board.GetCell(row, last + 1).solution == colour &&
                       !board.GetCell(row, last + 1).IsSolved()) {
                    ++last;
                }
                const TMosaicCell& end = board.GetCell(row, last);
                action.kind = TMonkeyAction::kDrag;
                action.a = cell.x + cell.w / 2;
                action.b = cell.y + cell.h / 2;
                action.c = end.x + end.w / 2;
                action.d = end.y + end.h / 2;
                return true;
            }
        }
        const auto& buttons = controller.GetColourButtons();
        if (otherColour == 0 || otherColour > static_cast<int>(buttons.size())) {
            return false;
        }
        action.kind = TMonkeyAction::kClick;
        CentreOf(*buttons[static_cast<size_t>(otherColour - 1)], action.a, action.b);
        return true;
    }

    // A design point in the window's pixels, wherever the window and its scale are now.
    static void ToWindow(int x, int y, int& outX, int& outY) {
        const TViewTransform& view = GetDisplay().mView;
        outX = static_cast<int>(view.ToOutputX(static_cast<float>(x) + 0.5f));
        outY = static_cast<int>(view.ToOutputY(static_cast<float>(y) + 0.5f));
    }

    void Pointer(Uint32 buttons, int x, int y) {
        int wx = 0;
        int wy = 0;
        ToWindow(x, y, wx, wy);
        Push(MotionEvent(buttons, wx, wy));
    }

    void Button(Uint32 type, Uint8 button, int x, int y) {
        int wx = 0;
        int wy = 0;
        ToWindow(x, y, wx, wy);
        Push(ButtonEvent(type, button, wx, wy));
    }

    void Step(TMonkeyRun& run, int frames = 1) {
        for (int frame = 0; frame < frames; ++frame) {
            mClock.Advance(static_cast<uint32_t>(mFrameMs));
            const double wall = ClockSeconds(CLOCK_MONOTONIC);
            const double cpu = ClockSeconds(CLOCK_THREAD_CPUTIME_ID);
            mGame->Step();
            run.slowestFrame = std::max(run.slowestFrame, ClockSeconds(CLOCK_MONOTONIC) - wall);
            const double used = ClockSeconds(CLOCK_THREAD_CPUTIME_ID) - cpu;
            if (used > run.slowestFrameCpu) {
                run.slowestFrameCpu = used;
                run.slowestAction = run.actions.size();
            }
            ++gFrames;
            ++run.frames;
            run.gameMs += static_cast<uint64_t>(mFrameMs);
        }
    }

    void Perform(const TMonkeyAction& action, TMonkeyRun& run) {
        run.actions.push_back(action);
        gInputLog += monkey::FormatAction(action) + "\n";
        switch (action.kind) {
        case TMonkeyAction::kFrame:
            mFrameMs = action.a;
            break;
        case TMonkeyAction::kClick:
        case TMonkeyAction::kRightClick: {
            const bool left = action.kind == TMonkeyAction::kClick;
            const Uint8 button = left ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
            Pointer(0, action.a, action.b);
            Button(SDL_MOUSEBUTTONDOWN, button, action.a, action.b);
            Step(run);
            Pointer(left ? SDL_BUTTON_LMASK : SDL_BUTTON_RMASK, action.a, action.b);
            Button(SDL_MOUSEBUTTONUP, button, action.a, action.b);
            Step(run);
            break;
        }
        case TMonkeyAction::kDrag:
            Pointer(0, action.a, action.b);
            Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, action.a, action.b);
            Step(run);
            Pointer(SDL_BUTTON_LMASK, (action.a + action.c) / 2, (action.b + action.d) / 2);
            Step(run);
            Pointer(SDL_BUTTON_LMASK, action.c, action.d);
            Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, action.c, action.d);
            Step(run);
            break;
        case TMonkeyAction::kMove:
            Pointer(0, action.a, action.b);
            Step(run);
            break;
        case TMonkeyAction::kKey:
            Push(KeyEvent(SDL_KEYDOWN, action.a, KMOD_NONE));
            Step(run);
            Push(KeyEvent(SDL_KEYUP, action.a, KMOD_NONE));
            Step(run);
            break;
        case TMonkeyAction::kText:
            Push(TextEvent(action.text.c_str()));
            Step(run);
            break;
        case TMonkeyAction::kWheel: {
            SDL_Event wheel = WheelEvent();
            wheel.wheel.y = action.a;
            Push(wheel);
            Step(run);
            break;
        }
        case TMonkeyAction::kFocus:
            Push(WindowEvent(action.a != 0 ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST));
            Step(run);
            break;
        case TMonkeyAction::kWait:
            Step(run, action.a);
            break;
        }
        // Quit was chosen: the game ends as it would, and the player starts it again.
        if (GetLoopState().mQuitRequested) {
            CheckLog();
            StopGame();
            StartGame(run);
        }
        Note(run);
    }

    void Note(TMonkeyRun& run) {
        TMyWindowManager* manager = TMyWindowManager::Get();
        std::string state;
        uint64_t hash = 14695981039346656037ull;
        for (const TMyWindow* screen : manager->GetScreens()) {
            state += TypeName(*screen) + " " + std::to_string(screen->mId) + "; ";
            HashTree(*screen, hash);
        }
        state += "|";
        for (const TMyWindow* popup : manager->GetPopups()) {
            state += " " + TypeName(*popup) + " " + std::to_string(popup->mId);
            HashTree(*popup, hash);
            run.reached.insert("dialog " + TypeName(*popup) + " " + std::to_string(popup->mId));
        }
        if (!manager->GetScreens().empty()) {
            run.reached.insert("screen " + TypeName(*manager->GetScreens().back()));
        }
        NoteRewardPlaces(run);
        run.trace.push_back(state + " | " + std::to_string(hash));
    }

    // The map's reward places that show a won reward, and those that fly a new one in.
    static void NoteRewardPlaces(TMonkeyRun& run) {
        const TMapWindow* map = TopScreen<TMapWindow>();
        if (map == nullptr) {
            return;
        }
        for (const TMyWindow* child : map->mChildren) {
            const auto* place = dynamic_cast<const TRewardPlace*>(child);
            if (place == nullptr || place->GetReward() == nullptr || !place->GetReward()->mObtained) {
                continue;
            }
            run.reached.insert(place->GetFlight() != nullptr ? kRewardFlyingIn : kRewardInPlace);
        }
    }

    // The first stage's levels the won profile has starred.
    static constexpr int kWonLevels = 3;

    harness::RunningGame::TSplash mSplash = harness::RunningGame::kSkipSplash;
    bool mWonProfile = false;
    int mFrameMs = kFrameMs;
    // A plate's second click, right after the first.
    std::vector<TMonkeyAction> mPending;
};

// The input log's lines read back as the actions that wrote them; a line that is not one is refused
// with its number.
TEST(MonkeyInputTest, ActionsReadBackFromTheirLinesAndBadLinesAreRefused) {
    std::vector<TMonkeyAction> written = {
        {TMonkeyAction::kFrame, 17, 0, 0, 0, ""},
        {TMonkeyAction::kClick, 683, 300, 0, 0, ""},
        {TMonkeyAction::kRightClick, 0, 767, 0, 0, ""},
        {TMonkeyAction::kDrag, 10, 20, 1365, 5, ""},
        {TMonkeyAction::kMove, -3, 900, 0, 0, ""},
        {TMonkeyAction::kKey, SDLK_ESCAPE, 0, 0, 0, ""},
        {TMonkeyAction::kText, 0, 0, 0, 0, "Жора %s two words"},
        {TMonkeyAction::kWheel, -1, 0, 0, 0, ""},
        {TMonkeyAction::kFocus, 0, 0, 0, 0, ""},
        {TMonkeyAction::kWait, 40, 0, 0, 0, ""},
    };
    std::string log = "# seed 7\n\n";
    for (const TMonkeyAction& action : written) {
        log += monkey::FormatAction(action) + "\n";
    }
    std::vector<TMonkeyAction> read;
    std::string error;
    ASSERT_TRUE(monkey::ParseInputLog(log, read, error)) << error;
    EXPECT_EQ(read, written);
    // Saved on Windows or pasted from a terminal: line ends of CR LF read the same.
    std::string crlf;
    for (const char c : log) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    ASSERT_TRUE(monkey::ParseInputLog(crlf, read, error)) << error;
    EXPECT_EQ(read, written);

    struct Bad {
        const char* log;
        const char* error;
    };
    const Bad bad[] = {
        {"click 1 2\njump 3 4\n", "line 2: unknown action"},
        {"click 1\n", "line 1: needs 2 numbers"},
        {"click 1 x\n", "line 1: needs 2 numbers"},
        {"drag 1 2 3 4 5\n", "line 1: more than 4 numbers"},
        {"text\n", "line 1: no text"},
        {"wait 0\n", "line 1: value out of range"},
        {"frame -5\n", "line 1: value out of range"},
        {"focus 2\n", "line 1: value out of range"},
    };
    for (const Bad& entry : bad) {
        EXPECT_FALSE(monkey::ParseInputLog(entry.log, read, error)) << entry.log;
        EXPECT_EQ(error.rfind(entry.error, 0), 0u) << entry.log << " gave " << error;
    }
}

// The log a run writes, replayed from the same beginning, does exactly what the run did: the same
// screens and dialogs with the same window trees after every action. Seed 8 begins from a profile the
// game saved and loads again.
TEST_F(MonkeyTest, AnInputLogReplaysItsRunExactly) {
    Watchdog watchdog;
    for (const uint32_t seed : {4u, 8u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        TMonkeyRun recorded;
        RunSeed(seed, 150, recorded);
        ASSERT_FALSE(HasFailure());
        // A replay of a run that stayed on one screen would prove little.
        ASSERT_GE(recorded.reached.size(), 3u) << Summary(seed, recorded, 0);

        std::vector<TMonkeyAction> actions;
        std::string error;
        ASSERT_TRUE(monkey::ParseInputLog(gInputLog, actions, error)) << error;
        ASSERT_EQ(actions, recorded.actions);
        TMonkeyRun replayed;
        Replay(seed, actions, replayed);
        ASSERT_EQ(replayed.trace.size(), recorded.trace.size());
        for (size_t i = 0; i < recorded.trace.size(); ++i) {
            ASSERT_EQ(replayed.trace[i], recorded.trace[i]) << "after action " << i;
        }
        EXPECT_EQ(replayed.frames, recorded.frames);
        EXPECT_EQ(replayed.reached, recorded.reached);
    }
}

// A saved input log (VERDANEL_MONKEY_REPLAY, VERDANEL_MONKEY_SEED for its beginning) played again.
TEST_F(MonkeyTest, ReplaySavedInput) {
    const char* path = std::getenv("VERDANEL_MONKEY_REPLAY");
    if (path == nullptr) {
        GTEST_SKIP() << "set VERDANEL_MONKEY_REPLAY to a saved input log";
    }
    std::vector<TMonkeyAction> actions;
    std::string error;
    ASSERT_TRUE(monkey::ParseInputLog(harness::ReadFile(path), actions, error)) << path << ": " << error;
    // The seed's parity decides how the run began: it is the log's first remark.
    uint32_t seed = 0;
    std::sscanf(harness::ReadFile(path).c_str(), "# seed %u", &seed);
    Watchdog watchdog;
    TMonkeyRun run;
    const auto start = std::chrono::steady_clock::now();
    Replay(seed, actions, run);
    std::fprintf(
        stderr, "%s\n",
        Summary(seed, run, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()).c_str());
}

class MonkeySeedTest : public MonkeyTest, public testing::WithParamInterface<uint32_t> {};

TEST_P(MonkeySeedTest, RandomInputFindsNoFault) {
    const uint32_t first = GetParam();
    const bool longRun = first >= 1000;
    if (longRun && !LongTests()) {
        GTEST_SKIP() << "the long run needs VERDANEL_LONG_TESTS=1";
    }
    // The short runs stay inside the suite's budget; the long ones cover many seeds and game hours.
    const int seeds = longRun ? 2 : 1;
    const int actions = longRun ? 1500 : 300;
    Watchdog watchdog;
    for (uint32_t seed = first; seed < first + static_cast<uint32_t>(seeds) && !HasFailure(); ++seed) {
        TMonkeyRun run;
        const auto start = std::chrono::steady_clock::now();
        RunSeed(seed, actions, run);
        std::fprintf(stderr, "%s\n",
                     Summary(seed, run, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count())
                         .c_str());
        // A run that came back to won rewards has seen them on the map.
        if (StartsWithWonRewards(seed)) {
            EXPECT_TRUE(run.reached.count(kRewardInPlace) != 0) << "seed " << seed;
        }
    }
}

// A profile with won rewards, read from its file at start-up: the map shows them in their places, and
// the level whose win adds the first stage's reward, once won, flies that reward in. Seed 16 plays that
// level to its end within the short budget.
TEST_F(MonkeyTest, AProfileWithWonRewardsShowsThemOnTheMapAndFliesInTheNextOne) {
    constexpr uint32_t kSeed = 16;
    ASSERT_TRUE(StartsWithWonRewards(kSeed));
    Watchdog watchdog;
    TMonkeyRun run;
    RunSeed(kSeed, 300, run);
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(run.reached.count(kRewardInPlace) != 0) << Summary(kSeed, run, 0);
    EXPECT_TRUE(run.reached.count(kRewardFlyingIn) != 0) << Summary(kSeed, run, 0);
}

INSTANTIATE_TEST_SUITE_P(Short, MonkeySeedTest, testing::Values(11u, 12u, 23u, 24u, 25u));
INSTANTIATE_TEST_SUITE_P(Long, MonkeySeedTest, testing::Range(1000u, 1024u, 2u));
