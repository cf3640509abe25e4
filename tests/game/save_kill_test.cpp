// Saves survive the process being killed at any moment. The real game, in a forked child, saves the
// profile and the settings again and again until the test kills it with SIGKILL after a delay drawn
// from a fixed seed; the next run's start-up must find the player with either the last progress it
// reported saved or the one it was saving, never reset, damaged or set aside.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/app_config.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "data/rewards.h"
#include "harness/child_process.h"
#include "harness/game_child.h"
#include "harness/harness.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kKills = 40;
constexpr uint32_t kDelaySeed = 9031;
constexpr int kMaxDelayMs = 120;
constexpr auto kReportLimit = std::chrono::seconds(20);
constexpr int kSaveFailed = 4;

void Report(int fd, const std::string& line) {
    const std::string text = line + "\n";
    // One short write on a pipe is never split.
    if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        _exit(kSaveFailed);
    }
}

// The child's work after start-up: says what the profile holds, then saves one more point of progress
// at a time, the score and a reward counter together, for ever unless this is the last run.
int SaveAgainAndAgain(int fd, bool lastRun) {
    TSettings* settings = TSettings::Get();
    if (settings->GetUserCount() == 0) {
        Report(fd, "no player");
        settings->AddUser("Anna");
    }
    const int score = TUserInfo::Get()->GetCurrentModeProgress().mScore;
    Report(fd, "loaded " + std::to_string(score) + " " + std::to_string(TRewardConnector::Get().mLevelsWon) + " " +
                   std::to_string(settings->GetUserCount()) + " " + settings->GetUserName());
    if (lastRun) {
        return 0;
    }
    for (int next = score + 1;; ++next) {
        TUserInfo::Get()->AddScore(1);
        TRewardConnector::Get().mLevelsWon = next;
        if (!settings->SaveProfile() || !settings->SaveSettings()) {
            return kSaveFailed;
        }
        Report(fd, "saved " + std::to_string(next));
    }
}

// Lines from the child's pipe.
class TReportReader {
public:
    explicit TReportReader(int fd) : mFd(fd) {}

    // The next line, or "" at the end of the pipe or after the limit.
    std::string NextLine(std::chrono::milliseconds limit) {
        const auto end = Clock::now() + limit;
        while (mPending.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            pollfd entry{mFd, POLLIN, 0};
            if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
                return "";
            }
            char buffer[4096];
            const ssize_t length = read(mFd, buffer, sizeof(buffer));
            if (length <= 0) {
                return "";
            }
            mPending.append(buffer, static_cast<size_t>(length));
        }
        const size_t end_of_line = mPending.find('\n');
        std::string line = mPending.substr(0, end_of_line);
        mPending.erase(0, end_of_line + 1);
        return line;
    }

private:
    int mFd;
    std::string mPending;
};

struct TLoaded {
    int score = -1;
    int levelsWon = -1;
    int users = -1;
    char name[64] = {};
};

bool ParseLoaded(const std::string& line, TLoaded& loaded) {
    return std::sscanf(line.c_str(), "loaded %d %d %d %63s", &loaded.score, &loaded.levelsWon, &loaded.users,
                       loaded.name) == 4;
}

class SaveKillTest : public testing::Test {
protected:
    struct TRound {
        pid_t pid = -1;
        int fd = -1;
    };

    TRound Start(bool lastRun) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            return {};
        }
        mGame.beforeShutdown = [fds, lastRun] {
            close(fds[0]);
            return SaveAgainAndAgain(fds[1], lastRun);
        };
        const pid_t pid = harness::ForkGame(mGame, mFolder + "/output.txt");
        close(fds[1]);
        return {pid, fds[0]};
    }

    // Files the loader set aside as damaged.
    std::vector<std::string> SetAsideFiles() const {
        std::vector<std::string> bad;
        for (const auto& entry : std::filesystem::directory_iterator(harness::UserFolderIn(mGame.dataHome))) {
            if (entry.path().extension() == ".bad") {
                bad.push_back(entry.path().filename().string());
            }
        }
        return bad;
    }

    std::string mFolder = harness::MakeTempFolder();
    harness::TChildGame mGame{GetExecutableFolder(), mFolder + "/home", 1, nullptr, nullptr};
};

TEST_F(SaveKillTest, EveryKillLeavesTheOldOrTheNewProgress) {
    std::mt19937 random(kDelaySeed);
    std::uniform_int_distribution<int> delays(0, kMaxDelayMs);
    int lastSaved = 0;
    int savesSeen = 0;
    for (int round = 0; round <= kKills; ++round) {
        SCOPED_TRACE("run " + std::to_string(round));
        const bool lastRun = round == kKills;
        const TRound child = Start(lastRun);
        ASSERT_GT(child.pid, 0);
        TReportReader reports(child.fd);
        std::string line = reports.NextLine(kReportLimit);
        // Only the first run, in an empty folder, may find no player.
        const bool noPlayer = line == "no player";
        EXPECT_EQ(noPlayer, round == 0) << "the settings lost the player";
        if (noPlayer) {
            line = reports.NextLine(kReportLimit);
        }
        TLoaded loaded;
        const bool parsed = ParseLoaded(line, loaded);
        if (!lastRun) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delays(random)));
            kill(child.pid, SIGKILL);
        }
        const int status = harness::WaitForExit(child.pid, kReportLimit);
        int saved = lastSaved;
        // The child is gone: the pipe ends after what it wrote.
        for (line = reports.NextLine(kReportLimit); !line.empty(); line = reports.NextLine(kReportLimit)) {
            ASSERT_EQ(std::sscanf(line.c_str(), "saved %d", &saved), 1) << line;
            ++savesSeen;
        }
        close(child.fd);
        ASSERT_TRUE(parsed) << "no progress reported: " << line << "\n" << harness::ReadFile(mFolder + "/output.txt");
        if (lastRun) {
            EXPECT_TRUE(harness::ExitedWith(status, 0)) << harness::ReadFile(mFolder + "/output.txt");
        } else {
            ASSERT_TRUE(status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
                << harness::DescribeStatus(status) << "\n"
                << harness::ReadFile(mFolder + "/output.txt");
        }
        // Old or new, both halves of the profile alike, the player still there, nothing damaged.
        EXPECT_TRUE(loaded.score == lastSaved || loaded.score == lastSaved + 1)
            << "loaded " << loaded.score << " after saving " << lastSaved;
        EXPECT_EQ(loaded.levelsWon, loaded.score);
        EXPECT_EQ(loaded.users, 1);
        EXPECT_STREQ(loaded.name, "Anna");
        EXPECT_EQ(SetAsideFiles(), std::vector<std::string>());
        lastSaved = std::max(saved, loaded.score);
    }
    // The kills fell among the saves, not only before them.
    EXPECT_GT(savesSeen, kKills);
}

} // namespace
