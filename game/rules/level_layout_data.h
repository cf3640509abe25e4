#pragma once
// What a level layout file says, as the board's rules take it (the file reader fills it).

#include <string>
#include <utility>
#include <vector>

struct TLevelLayoutData {
    std::string path; // named in log lines only
    std::string name;
    int rows = 0;
    int cols = 0;
    int cellWidth = 40;
    int cellHeight = 40;
    // Cells to hide rewards in at random when no pair is listed.
    int rewardsCount = 0;
    // Hidden reward cells as written: 1-based (column, row).
    std::vector<std::pair<int, int>> rewards;
    // One text per row, top row first: "1" to "9" a colour, anything else empty.
    std::vector<std::string> lines;
};
