#pragma once
// The checker's command line: which levels to check, one line per level and a summary, and the exit code.

#include <ostream>
#include <string>
#include <vector>

// Exit codes.
constexpr int kAllPassed = 0;
constexpr int kSomeFailed = 1;
constexpr int kCannotRun = 2;

// args: the command line without the program name.
//   [--root DATA_ROOT] [--allow-no-stages] [LEVEL_FILE...]
// Level files are named as the game names its data, from the data root when one is given, else from
// the current folder. Without level files the data root's "assets/stages.xml" lists the levels (default
// root: the executable's folder); --allow-no-stages lets a root without it pass with 0 levels.
int RunLevelCheck(const std::vector<std::string>& args, std::ostream& out);
