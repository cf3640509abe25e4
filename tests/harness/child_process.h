#pragma once
// Child processes of a test: a forked child that runs part of the game, bounded waits, and exit statuses
// told apart, so that a sanitizer report is never taken for the game's own exit code.

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/types.h>

namespace harness {

// The exit code of a sanitizer report in the sanitized trees (ASAN_OPTIONS=exitcode=86); the game's own
// failure is 1.
constexpr int kSanitizerExitCode = 86;

// Forks. The child writes its standard output and error to outputPath, runs body and ends with its
// result; when the leak checker is linked in, leaks found at the end give kSanitizerExitCode instead.
// Returns the child's id, or -1 when fork failed.
pid_t ForkChild(const std::function<int()>& body, const std::string& outputPath);

// The wait status of a child, or -1 when it did not end within the limit: it is killed and reaped then.
int WaitForExit(pid_t pid, std::chrono::milliseconds limit);

// "exit 0", "sanitizer report (exit 86)", "the game's failure (exit 1)", "killed by signal 9", ...
std::string DescribeStatus(int status);

// Success when the child exited normally with the code; otherwise the failure says what happened.
::testing::AssertionResult ExitedWith(int status, int code);

// The processors this process may run on (at least 1).
int UsableProcessorCount();

} // namespace harness
