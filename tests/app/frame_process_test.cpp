#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/app_config.h"
#include "harness/child_process.h"
#include "harness/harness.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The environment of this test with another per-user data folder, so the game's log is its own.
std::vector<std::string> ChildEnvironment(const std::string& dataHome) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("XDG_DATA_HOME=", 0) != 0) {
            entries.emplace_back(*entry);
        }
    }
    entries.push_back("XDG_DATA_HOME=" + dataHome);
    return entries;
}

pid_t StartGame(const std::string& exe, const std::vector<std::string>& environment) {
    std::vector<char*> envp;
    for (const std::string& entry : environment) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // A shell may have started the tests with SIGINT ignored; the game must see it.
        signal(SIGINT, SIG_DFL);
        char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
        execve(exe.c_str(), argv, envp.data());
        _exit(127);
    }
    return pid;
}

bool WaitForLogLine(const std::string& logPath, const std::string& line, std::chrono::seconds limit) {
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (harness::ReadFile(logPath).find(line + "\n") != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(FrameProcess, GameStartsHeadlessAndStopsOnSigint) {
    const std::string folder = harness::MakeTempFolder();
    const std::string exe = folder + "/verdanel";
    std::filesystem::copy_file(GetExecutableFolder() + "/verdanel", exe);
    ASSERT_TRUE(harness::WriteFile(folder + "/assets/ui/interface.xml", "<interface/>"));
    ASSERT_TRUE(harness::WriteFile(folder + "/assets/main.xml", "<main/>"));
    const std::string dataHome = harness::MakeTempFolder();
    const std::string logPath = dataHome + "/Korvath Games/Verdanel/log.txt";

    const pid_t pid = StartGame(exe, ChildEnvironment(dataHome));
    ASSERT_GT(pid, 0);
    const bool started = WaitForLogLine(logPath, "int complete", std::chrono::seconds(60));
    kill(pid, SIGINT);
    const int status = harness::WaitForExit(pid, std::chrono::seconds(60));
    ASSERT_TRUE(started) << harness::ReadFile(logPath);
    ASSERT_NE(status, -1) << "the game did not stop after SIGINT";
    // A sanitizer report exits with its own code, so it cannot pass for either of the game's.
    ASSERT_TRUE(harness::ExitedWith(status, 0));
    // The shutdown ran: it saves the settings first.
    EXPECT_TRUE(harness::PathExists(dataHome + "/Korvath Games/Verdanel/settings.dat"));
    EXPECT_TRUE(harness::HasLinesInOrder(SplitLines(harness::ReadFile(logPath)), harness::StartUpProgressLines()));
}

} // namespace
