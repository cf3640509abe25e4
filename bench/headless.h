#pragma once
// What every benchmark sets before SDL starts: the headless drivers (unless the caller chose others)
// and a temporary folder of its own, so no run touches the player's data.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// A new temporary folder for the run; empty when none could be made.
inline std::string PrepareHeadlessRun() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    std::string pattern = (std::filesystem::temp_directory_path() / "verdanel-bench-XXXXXX").string();
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}
