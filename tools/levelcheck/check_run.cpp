#include "levelcheck/check_run.h"

#include <unistd.h>

#include <utility>

#include "app/app_config.h"
#include "app/file_object.h"
#include "app/string_utils.h"
#include "levelcheck/game_data_rules.h"
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

    void Count(const TLevelVerdict& verdict, const std::string& prefix, std::ostream& out) {
        (verdict.Passed() ? passed : failed) += 1;
        out << prefix << FormatVerdict(verdict) << "\n";
    }
    void Check(const TLevelEntry& entry, const std::string& prefix, std::ostream& out) {
        Count(CheckLevel(entry, screen), prefix, out);
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

// The mean difficulty of each stage of the main set, over its levels that could be measured.
class TStageMeans {
public:
    void Add(const TCatalogueLevel& level, const TLevelVerdict& verdict) {
        if (level.set != "stages" || !verdict.measured) {
            return;
        }
        if (static_cast<int>(mSums.size()) < level.stage) {
            mSums.resize(static_cast<size_t>(level.stage), 0.0);
            mCounts.resize(static_cast<size_t>(level.stage), 0);
        }
        mSums[static_cast<size_t>(level.stage - 1)] += verdict.difficulty.Score();
        ++mCounts[static_cast<size_t>(level.stage - 1)];
    }
    std::vector<double> Means(std::ostream& out) const {
        std::vector<double> means;
        for (size_t stage = 0; stage < mSums.size(); ++stage) {
            means.push_back(mCounts[stage] > 0 ? mSums[stage] / mCounts[stage] : 0.0);
            out << FormatString("stages stage %d: mean difficulty %.2f over %d levels\n", static_cast<int>(stage) + 1,
                                means.back(), mCounts[stage]);
        }
        return means;
    }

private:
    std::vector<double> mSums;
    std::vector<int> mCounts;
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
    TCatalogueExtras extras;
    if (!ReadLevelCatalogue(kCatalogue, levels, &extras)) {
        out << "levelcheck: " << root << "/assets/" << kCatalogue << " cannot be read\n";
        return kCannotRun;
    }
    const TGameData data = ReadGameData(extras);
    TTally tally;
    TStageMeans stageMeans;
    // Every shipped level's numbers and mistakes must show on the shipped game screen.
    const TGameScreenData screen = ReadGameScreenData();
    tally.screen = &screen;
    for (const TCatalogueLevel& level : levels) {
        const std::string prefix = FormatString("%s %d-%d: ", level.set.c_str(), level.stage, level.level);
        if (!level.IsPuzzle()) {
            ++tally.skipped;
            out << prefix << level.entry.path << ": SKIP (type \"" << level.type << "\" is not a puzzle level)\n";
            continue;
        }
        TLevelVerdict verdict = CheckLevel(level.entry, &screen);
        for (std::string& fault : CheckLevelData(level.info, verdict.colours, data)) {
            verdict.faults.push_back(std::move(fault));
        }
        stageMeans.Add(level, verdict);
        tally.Count(verdict, prefix, out);
    }
    int code = tally.Report(out);
    for (const std::string& fault : CheckStageOrder(stageMeans.Means(out))) {
        out << "levelcheck: " << fault << "\n";
        code = kSomeFailed;
    }
    for (const std::string& text : data.unreadable) {
        out << "levelcheck: " << text << "\n";
        code = kSomeFailed;
    }
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
