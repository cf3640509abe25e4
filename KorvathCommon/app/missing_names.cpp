#include "app/missing_names.h"

#include <mutex>
#include <set>
#include <utility>

#include "app/log.h"

namespace {
std::mutex gMutex;
std::vector<TMissingName> gMissing;
std::set<std::pair<std::string, std::string>> gSeen;
} // namespace

void ReportMissingName(const char* kind, const std::string& name) {
    {
        std::lock_guard<std::mutex> lock(gMutex);
        if (!gSeen.insert({kind, name}).second) {
            return;
        }
        gMissing.push_back({kind, name});
    }
    TLogFile::Get()->Printf("%s not found %s", kind, name.c_str());
}

std::vector<TMissingName> GetMissingNames() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gMissing;
}

void ClearMissingNames() {
    std::lock_guard<std::mutex> lock(gMutex);
    gMissing.clear();
    gSeen.clear();
}
