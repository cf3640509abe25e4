// The level checker: proves every shipped level can be solved by line logic and fits the screen.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/sanitizer_exit_code.h"
#include "levelcheck/check_run.h"

int main(int argc, char** argv) {
    // The readers log like the game; the checker keeps that log out of the player's own folder.
    std::string logHome = (std::filesystem::temp_directory_path() / "levelcheck-XXXXXX").string();
    const bool ownLogHome = mkdtemp(logHome.data()) != nullptr;
    if (ownLogHome) {
        setenv("XDG_DATA_HOME", logHome.c_str(), 1);
    }
    const int code = RunLevelCheck(std::vector<std::string>(argv + 1, argv + argc), std::cout);
    if (ownLogHome) {
        std::error_code ignored;
        std::filesystem::remove_all(logHome, ignored);
    }
    return code;
}
