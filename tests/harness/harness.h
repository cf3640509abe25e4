#pragma once
// Shared helpers of the tests: the stepped clock, the per-test user folder, files and the log.

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct SDL_Window;

namespace harness {

// The game's clock under test control: installed, it returns exactly what the test set.
class SteppedClock {
public:
    explicit SteppedClock(uint32_t startMs = 1000);
    ~SteppedClock();
    SteppedClock(const SteppedClock&) = delete;
    SteppedClock& operator=(const SteppedClock&) = delete;

    void Advance(uint32_t ms);
    uint32_t Now() const;
};

// Points the data root at a folder for the lifetime of the object, then restores the default.
class ScopedDataRoot {
public:
    explicit ScopedDataRoot(const std::string& folder);
    ~ScopedDataRoot();
    ScopedDataRoot(const ScopedDataRoot&) = delete;
    ScopedDataRoot& operator=(const ScopedDataRoot&) = delete;

private:
    std::string mPreviousWorkingFolder;
};

// Sets an environment variable (null unsets it) for the lifetime of the object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string mName;
    std::string mPrevious;
    bool mHadValue = false;
};

// The fresh $XDG_DATA_HOME of the running test, and the game's per-user folder inside it.
std::string TestDataHome();
std::string UserFolder();

// A new empty temporary folder, removed when the running test ends.
std::string MakeTempFolder();

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);
// An image file whose pixels are ARGB values: a JPG when the path ends in ".jpg", else a PNG. Folders
// are made as needed; false (SDL's error set) when it cannot be written.
bool WriteImageFile(const std::string& path, int w, int h, const std::function<uint32_t(int, int)>& argb);

// "log.txt" of the per-user folder, one entry per line (without the line feed).
std::vector<std::string> LogLines();
bool LogContains(const std::string& text);
// Whether every wanted line appears whole among the lines, in this order (others may come between).
::testing::AssertionResult HasLinesInOrder(const std::vector<std::string>& lines,
                                           const std::vector<std::string>& wanted);

// The start-up loader's progress lines in order, ending with the first screen it runs.
std::vector<std::string> StartUpProgressLines(bool splash = false);

// Removes the folders MakeTempFolder made (the shared main calls it after each test).
void RemoveTempFolders();

// Folder of the committed test fixtures (tests/data).
std::string FixtureFolder();

// The real game started in-process (StartUp) from the data root the test set, with the wait between
// frames turned off. Shut down when the object goes, unless the test shut it down itself.
class RunningGame {
public:
    // The shipped data holds splash images. The splash has tests of its own; every other test starts
    // where the player lands after it, so the splash is replaced by the main menu at once unless kept.
    enum TSplash { kSkipSplash, kKeepSplash };
    explicit RunningGame(TSplash splash = kSkipSplash);
    ~RunningGame();
    RunningGame(const RunningGame&) = delete;
    RunningGame& operator=(const RunningGame&) = delete;

    // StartUp's result: 0 when the game runs.
    int GetStartResult() const { return mStartResult; }
    // Runs loop steps.
    void Step(int frames = 1);
    // Runs loop steps without drawing: events and updates only.
    void StepWithoutDrawing(int frames = 1);
    void Shutdown();

private:
    int mStartResult = 1;
    bool mRunning = false;
};

// After start-up: the window 1366 x 768 windowed with render scale 1, so design and window
// coordinates are equal.
void UseDesignSizedWindow();

// A hidden window with the process renderer, for tests that load textures without the whole game.
// Whatever holds textures must let them go before this object does.
class HeadlessRenderer {
public:
    explicit HeadlessRenderer(int width = 64, int height = 32);
    ~HeadlessRenderer();
    HeadlessRenderer(const HeadlessRenderer&) = delete;
    HeadlessRenderer& operator=(const HeadlessRenderer&) = delete;

    bool IsReady() const;
    SDL_Window* GetWindow() const { return mWindow; }

private:
    bool mInited = false;
    SDL_Window* mWindow = nullptr;
};

// Writes a PNG of one opaque colour (ARGB), creating its folder.
bool WriteSolidPng(const std::string& path, int width, int height, uint32_t argb);

} // namespace harness
