#pragma once
// The monkey's input as text, one action a line, so that a failing run's input can be printed, saved and
// replayed exactly. Points are design coordinates. Lines starting with '#' are remarks.
//   frame MS            milliseconds of game time per frame from here on
//   click X Y           left press and release, a frame each
//   rclick X Y          the same with the right button
//   drag X0 Y0 X1 Y1    left press, a move half-way, release at the end
//   move X Y            the pointer moved, no button
//   key CODE            an SDL key code pressed and released
//   text UTF8           typed text (the rest of the line)
//   wheel D             the wheel turned by D
//   focus 0|1           the window lost or got the focus
//   wait N              N frames with no input

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

struct TMonkeyAction {
    enum Kind { kFrame, kClick, kRightClick, kDrag, kMove, kKey, kText, kWheel, kFocus, kWait };
    Kind kind = kWait;
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
    std::string text;

    bool operator==(const TMonkeyAction&) const = default;
};

namespace monkey {

struct TKindName {
    TMonkeyAction::Kind kind;
    const char* name;
    int numbers;
};

inline const TKindName kKindNames[] = {
    {TMonkeyAction::kFrame, "frame", 1}, {TMonkeyAction::kClick, "click", 2}, {TMonkeyAction::kRightClick, "rclick", 2},
    {TMonkeyAction::kDrag, "drag", 4},   {TMonkeyAction::kMove, "move", 2},   {TMonkeyAction::kKey, "key", 1},
    {TMonkeyAction::kText, "text", 0},   {TMonkeyAction::kWheel, "wheel", 1}, {TMonkeyAction::kFocus, "focus", 1},
    {TMonkeyAction::kWait, "wait", 1},
};

inline std::string FormatAction(const TMonkeyAction& action) {
    for (const TKindName& entry : kKindNames) {
        if (entry.kind != action.kind) {
            continue;
        }
        std::string line = entry.name;
        if (action.kind == TMonkeyAction::kText) {
            return line + " " + action.text;
        }
        const int values[] = {action.a, action.b, action.c, action.d};
        for (int i = 0; i < entry.numbers; ++i) {
            line += " " + std::to_string(values[i]);
        }
        return line;
    }
    return "# unknown action";
}

// The actions of an input log; false with the line's number and text in error when a line is not one.
inline bool ParseInputLog(const std::string& log, std::vector<TMonkeyAction>& actions, std::string& error) {
    actions.clear();
    std::istringstream lines(log);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t space = line.find(' ');
        const std::string word = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        const TKindName* entry = nullptr;
        for (const TKindName& candidate : kKindNames) {
            entry = word == candidate.name ? &candidate : entry;
        }
        if (entry == nullptr) {
            error = "line " + std::to_string(number) + ": unknown action: " + line;
            return false;
        }
        TMonkeyAction action;
        action.kind = entry->kind;
        if (action.kind == TMonkeyAction::kText) {
            action.text = rest;
            if (rest.empty()) {
                error = "line " + std::to_string(number) + ": no text: " + line;
                return false;
            }
            actions.push_back(action);
            continue;
        }
        int* values[] = {&action.a, &action.b, &action.c, &action.d};
        std::istringstream numbers(rest);
        for (int i = 0; i < entry->numbers; ++i) {
            if (!(numbers >> *values[i])) {
                error = "line " + std::to_string(number) + ": needs " + std::to_string(entry->numbers) +
                        " numbers: " + line;
                return false;
            }
        }
        std::string extra;
        if (numbers >> extra) {
            error = "line " + std::to_string(number) + ": more than " + std::to_string(entry->numbers) +
                    " numbers: " + line;
            return false;
        }
        const bool badCount = (action.kind == TMonkeyAction::kWait || action.kind == TMonkeyAction::kFrame) &&
                              (action.a < 1 || action.a > 100000);
        const bool badFocus = action.kind == TMonkeyAction::kFocus && action.a != 0 && action.a != 1;
        if (badCount || badFocus) {
            error = "line " + std::to_string(number) + ": value out of range: " + line;
            return false;
        }
        actions.push_back(action);
    }
    return true;
}

} // namespace monkey
