#pragma once
// Names the data asked for but the shipped data lacks (an image, sound, term or font).
// Each is logged once ("image not found %s", ...) and recorded, so a tour of every screen can fail on it.

#include <string>
#include <vector>

// kind: "image", "sound", "term", "font" (the log line is "<kind> not found <name>").
void ReportMissingName(const char* kind, const std::string& name);

struct TMissingName {
    std::string kind;
    std::string name;
};
// Every distinct name reported since the last clear, in order.
std::vector<TMissingName> GetMissingNames();
void ClearMissingNames();
