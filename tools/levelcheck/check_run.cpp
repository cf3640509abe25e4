#include "levelcheck/check_run.h"

#include <unistd.h>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/string_utils.h"
#include "levelcheck/level_catalogue.h"

namespace {

constexpr const char* kCatalogue = "stages.xml";
constexpr const char* kUsage = "usage: levelcheck [--root DATA_ROOT] [--allow-no-stages] [LEVEL_FILE...]";

struct TOptions {
    std::string root;
    bool allowNoStages = false;
    std::vector<std::string> files;
};

bool ParseOptions(const std::vector<std::string>& args, TOptions& options, std::ostream& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--root" && i + 1 < args.size()) {
            options.root = args[++i];
        } else if (args[i] == "--allow-no-stages") {
            options.allowNoStages = true;
        } else if (args[i].empty() || args[i][0] == '-') {
            out << kUsage << "\n";
            return false;
        } else {
            options.files.push_back(args[i]);
        }
    }
    return true;
}

// Works in the data root, as the game does, and returns to the folder it started in.
class TWorkingFolder {
public:
    bool Enter(const std::string& folder) {
        char current[4096];
        if (getcwd(current, sizeof(current)) == nullptr) {
            return false;
        }
        mPrevious = current;
        return chdir(folder.c_str()) == 0;
    }
    ~TWorkingFolder() {
        if (!mPrevious.empty() && chdir(mPrevious.c_str()) != 0) {
            mPrevious.clear();
        }
    }

private:
    std::string mPrevious;
};

struct TTally {
    int passed = 0;
    int failed = 0;
    int skipped = 0;
    // The shipped game screen; none when single files are checked.
    const TGameScreenData* screen = nullptr;

    void Check(const TLevelEntry& entry, const std::string& prefix, std::ostream& out) {
        const TLevelVerdict verdict = CheckLevel(entry, screen);
        (verdict.Passed() ? passed : failed) += 1;
        out << prefix << FormatVerdict(verdict) << "\n";
    }
    int Report(std::ostream& out) const {
        out << FormatString("%d levels checked: %d passed, %d failed", passed + failed, passed, failed);
        if (skipped > 0) {
            out << FormatString(", %d skipped (not puzzle levels)", skipped);
        }
        out << "\n";
        return failed > 0 ? kSomeFailed : kAllPassed;
    }
};

int CheckFiles(const std::vector<std::string>& files, std::ostream& out) {
    TTally tally;
    for (const std::string& file : files) {
        tally.Check({file, 0, 0}, "", out);
    }
    return tally.Report(out);
}

int CheckCatalogue(const std::string& root, bool allowNoStages, std::ostream& out) {
    if (!FileExists(kCatalogue)) {
        if (allowNoStages) {
            out << "0 levels checked: " << root << " has no assets/" << kCatalogue << " yet\n";
            return kAllPassed;
        }
        out << "levelcheck: " << root << " has no assets/" << kCatalogue << "\n";
        return kCannotRun;
    }
    std::vector<TCatalogueLevel> levels;
    if (!ReadLevelCatalogue(kCatalogue, levels)) {
        out << "levelcheck: " << root << "/assets/" << kCatalogue << " cannot be read\n";
        return kCannotRun;
    }
    // Every shipped level's numbers and mistakes must show on the shipped game screen.
    const TGameScreenData screen = ReadGameScreenData();
    TTally tally;
    tally.screen = &screen;
    for (const TCatalogueLevel& level : levels) {
        const std::string prefix = FormatString("%s %d-%d: ", level.set.c_str(), level.stage, level.level);
        if (!level.IsPuzzle()) {
            ++tally.skipped;
            out << prefix << level.entry.path << ": SKIP (type \"" << level.type << "\" is not a puzzle level)\n";
            continue;
        }
        tally.Check(level.entry, prefix, out);
    }
    const int code = tally.Report(out);
    if (tally.passed + tally.failed == 0) {
        out << "levelcheck: " << kCatalogue << " lists no puzzle level\n";
        return kSomeFailed;
    }
    return code;
}

} // namespace

int RunLevelCheck(const std::vector<std::string>& args, std::ostream& out) {
    TOptions options;
    if (!ParseOptions(args, options, out)) {
        return kCannotRun;
    }
    const bool fromCurrentFolder = options.root.empty() && !options.files.empty();
    const std::string root = options.root.empty() ? GetDataRoot() : options.root;
    TWorkingFolder folder;
    if (!fromCurrentFolder && !folder.Enter(root)) {
        out << "levelcheck: cannot enter the data root " << root << "\n";
        return kCannotRun;
    }
    return options.files.empty() ? CheckCatalogue(root, options.allowNoStages, out) : CheckFiles(options.files, out);
}
