#include <gtest/gtest.h>

#include <SDL.h>
#include <map>
#include <string>
#include <thread>

#include "app/log.h"
#include "harness/harness.h"

namespace {

// SDL's own output is switched off so the test measures only the file and runs quickly.
void Discard(void* /*data*/, int /*category*/, SDL_LogPriority /*priority*/, const char* /*message*/) {}

std::string LineOf(char thread, int index) {
    // Long enough that a line written in several pieces would be caught mixed with the other thread's.
    return std::string(1, thread) + " line " + std::to_string(index) + " " + std::string(200, thread);
}

TEST(LogThreads, TwoThreadsLeaveEveryLineWhole) {
    SDL_LogOutputFunction previous = nullptr;
    void* previousData = nullptr;
    SDL_LogGetOutputFunction(&previous, &previousData);
    SDL_LogSetOutputFunction(&Discard, nullptr);

    constexpr int kLinesEach = 400;
    const auto writer = [](char thread) {
        for (int i = 0; i < kLinesEach; ++i) {
            TLogFile::Get()->Printf("%s", LineOf(thread, i).c_str());
        }
    };
    // Both threads may be the first user of the log.
    std::thread first(writer, 'A');
    std::thread second(writer, 'B');
    first.join();
    second.join();
    SDL_LogSetOutputFunction(previous, previousData);

    std::map<std::string, int> expected;
    for (int i = 0; i < kLinesEach; ++i) {
        expected[LineOf('A', i)] = 1;
        expected[LineOf('B', i)] = 1;
    }
    std::map<std::string, int> seen;
    for (const std::string& line : harness::LogLines()) {
        ++seen[line];
    }
    EXPECT_EQ(seen, expected);
}

} // namespace
