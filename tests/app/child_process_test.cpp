// Exit statuses of forked children: a sanitizer report must end with its own code, never with the
// game's failure code 1, so a test that expects either cannot be fooled by the other.

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/wait.h>

#include "harness/child_process.h"
#include "harness/harness.h"

namespace {

int UseAfterFree() {
    auto* values = new int[4]{1, 2, 3, 4};
    // Read back through a copy the optimiser cannot follow, so it does not refuse the stale read.
    int* volatile stale = values;
    delete[] values;
    return stale[2];
}

int SignedOverflow() {
    volatile int big = INT_MAX;
    volatile int sum = big + 1;
    return sum < 0 ? 2 : 3;
}

int* volatile gLost = nullptr;

__attribute__((noinline)) void LoseMemory() {
    gLost = new int[16];
    gLost = nullptr;
}

int Leak() {
    LoseMemory();
    return 0;
}

struct TChildCase {
    const char* what;
    std::function<int()> body;
    bool needsSanitizers;
    // The exit code wanted, or a signal when exitCode is -1.
    int exitCode;
    int signal;
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

TEST(ChildProcess, SanitizerReportsEndWithTheirOwnCode) {
    const TChildCase cases[] = {
        {"clean run", [] { return 0; }, false, 0, 0},
        {"the game's failure", [] { return 1; }, false, 1, 0},
        {"abort", []() -> int { std::abort(); }, false, -1, SIGABRT},
        {"use after free", UseAfterFree, true, harness::kSanitizerExitCode, 0},
        {"signed overflow", SignedOverflow, true, harness::kSanitizerExitCode, 0},
        {"leak", Leak, true, harness::kSanitizerExitCode, 0},
    };
    const std::string folder = harness::MakeTempFolder();
    for (const TChildCase& test : cases) {
        SCOPED_TRACE(test.what);
        if (test.needsSanitizers && !kSanitized) {
            continue;
        }
        const std::string output = folder + "/output.txt";
        const pid_t pid = harness::ForkChild(test.body, output);
        ASSERT_GT(pid, 0);
        const int status = harness::WaitForExit(pid, std::chrono::seconds(60));
        if (test.exitCode >= 0) {
            EXPECT_TRUE(harness::ExitedWith(status, test.exitCode)) << harness::ReadFile(output);
        } else {
            ASSERT_NE(status, -1);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == test.signal) << harness::DescribeStatus(status);
        }
    }
}

} // namespace
