#include "harness/child_process.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Present only when the leak checker is linked in.
extern "C" int __lsan_do_recoverable_leak_check() __attribute__((weak)); // NOLINT(bugprone-reserved-identifier)

namespace harness {

pid_t ForkChild(const std::function<int()>& body, const std::string& outputPath) {
    // Output buffered before the fork would otherwise be written twice.
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    const int output = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (output >= 0) {
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        close(output);
    }
    // A shell may have started the tests with signals ignored; the child must feel them.
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    int code = body();
    // _exit skips the checks a normal exit runs, so the leak check is asked for here.
    if (__lsan_do_recoverable_leak_check != nullptr && __lsan_do_recoverable_leak_check() != 0) {
        code = kSanitizerExitCode;
    }
    std::fflush(nullptr);
    _exit(code);
}

int WaitForExit(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

std::string DescribeStatus(int status) {
    if (status == -1) {
        return "did not end in time";
    }
    if (WIFSIGNALED(status)) {
        return "killed by signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
    }
    if (!WIFEXITED(status)) {
        return "status " + std::to_string(status);
    }
    const int code = WEXITSTATUS(status);
    if (code == kSanitizerExitCode) {
        return "sanitizer report (exit " + std::to_string(code) + ")";
    }
    if (code == 1) {
        return "the game's failure (exit 1)";
    }
    return "exit " + std::to_string(code);
}

::testing::AssertionResult ExitedWith(int status, int code) {
    if (status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == code) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << DescribeStatus(status) << ", wanted exit " << code;
}

int UsableProcessorCount() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof(set), &set) != 0) {
        return 1;
    }
    return std::max(1, CPU_COUNT(&set));
}

} // namespace harness
