#pragma once
// The fuzz targets over every reader of data and save files, by name. Each target hands its input to the
// reader's entry for bytes in memory, runs what uses the result, then resets everything it touched, so
// one run never depends on the runs before it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TFuzzTarget {
    const char* name;
    void (*run)(const uint8_t* data, size_t size);
};

const std::vector<TFuzzTarget>& GetFuzzTargets();
// Null for an unknown name.
const TFuzzTarget* FindFuzzTarget(const std::string& name);

// What every target needs for as long as it lives: a temporary data root (the working folder) with an
// "assets/" folder and a per-user folder, a hidden window with the software renderer, an OpenAL system
// over a loopback device that nothing plays from, the sound manager without its audio thread, and the
// fixture files the inputs may name ("fuzz/glyphs.png", "fuzz/font.txt", "fuzz/rewards.xml").
class TFuzzEnvironment {
public:
    TFuzzEnvironment();
    ~TFuzzEnvironment();
    TFuzzEnvironment(const TFuzzEnvironment&) = delete;
    TFuzzEnvironment& operator=(const TFuzzEnvironment&) = delete;

    // False when the folders, the window or the renderer could not be made.
    bool IsReady() const { return mReady; }
    const std::string& GetRoot() const { return mRoot; }

private:
    struct TState;

    std::string mRoot;
    std::string mPreviousFolder;
    std::unique_ptr<TState> mState;
    bool mReady = false;
};

// Runs the target over one input, then resets what it touched.
void RunFuzzTarget(const TFuzzTarget& target, const uint8_t* data, size_t size);
