// Damaged data never stops the game. Every file start-up reads, and the files of each reader a screen
// uses later, is in turn missing, cut to half or replaced by random bytes in a private copy of the data;
// the real game then runs in a forked child: start-up, 60 frames, shutdown. Every run must reach
// "int complete", draw its frames and end cleanly. By default a fixed subset of the files is swept;
// VERDANEL_LONG_TESTS=1 sweeps every shipped file.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <thread>
#include <tinyxml.h>
#include <unistd.h>
#include <vector>

#include "app/app_config.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "board/mosaic_layout.h"
#include "data/rewards.h"
#include "graphics/font_image.h"
#include "graphics/move_obj.h"
#include "graphics/particle_system.h"
#include "graphics/spline_path.h"
#include "graphics/static_image.h"
#include "harness/child_process.h"
#include "harness/game_child.h"
#include "harness/harness.h"
#include "media/sound_manager.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A hang, not a slow start: a start on a machine busy with other builds takes well over 20 s.
constexpr auto kCaseLimit = std::chrono::seconds(60);
constexpr uint32_t kRandomSeed = 20240611;
// Parts of a case's folder: the data root (holding "assets/") and the per-user data home.
const std::string kRootPart = "root/";
const std::string kUserPart = "home/Korvath Games/Verdanel/";

enum class TDamage { Missing, Half, Random };

const char* DamageName(TDamage damage) {
    switch (damage) {
    case TDamage::Missing:
        return "missing";
    case TDamage::Half:
        return "half";
    case TDamage::Random:
        return "random";
    }
    return "";
}

// Names the cases in test listings.
void PrintTo(TDamage damage, std::ostream* out) {
    *out << DamageName(damage);
}

// ---- The readers a screen uses after start-up, each over one file of the data.

class TBoardReader : public harness::TChildReader {
public:
    explicit TBoardReader(std::string file) : mFile(std::move(file)) {}
    void Open() override { mBoard.Load(mFile, false); }
    void Update(float dt) override { mBoard.Update(dt); }
    void Draw() override {
        mBoard.DrawCells();
        mBoard.DrawClues();
    }

private:
    std::string mFile;
    MosaicLayout_t mBoard;
};

class TPathReader : public harness::TChildReader {
public:
    explicit TPathReader(std::string file) : mFile(std::move(file)) {}
    ~TPathReader() override { GetGlobalPathSet().Clear(); }
    void Open() override {
        GetGlobalPathSet().Load(mFile);
        for (uint32_t i = 0; i < GetGlobalPathSet().GetCount(); ++i) {
            mMovers.push_back(std::make_unique<MoveObj_t>(200.0f, GetGlobalPathSet().GetPath(i)));
        }
    }
    void Update(float dt) override {
        for (const auto& mover : mMovers) {
            mover->Update(dt);
        }
    }

private:
    std::string mFile;
    std::vector<std::unique_ptr<MoveObj_t>> mMovers;
};

class TParticleReader : public harness::TChildReader {
public:
    explicit TParticleReader(std::string file) : mFile(std::move(file)) {}
    void Open() override {
        mSystem = std::make_unique<ParticleSystem>(mFile, TTextureHandle());
        mSystem->mStopped = false;
    }
    void Update(float dt) override { mSystem->Update(dt); }
    void Draw() override { mSystem->Draw(1.0f, 0.0f, 0.0f); }

private:
    std::string mFile;
    std::unique_ptr<ParticleSystem> mSystem;
};

// Plays the file as the only track of a music list, as a stage's music would.
class TMusicReader : public harness::TChildReader {
public:
    explicit TMusicReader(std::string file) : mFile(std::move(file)) {}
    ~TMusicReader() override {
        if (TSoundManager* manager = TSoundManager::FindInstance()) {
            manager->StopMusic();
        }
    }
    void Open() override {
        TSoundManager* manager = TSoundManager::FindInstance();
        if (manager == nullptr) {
            return;
        }
        const std::string name = mFile.substr(0, mFile.rfind('.'));
        TiXmlDocument document;
        document.Parse(("<list><music id=\"swept\" name=\"" + name + "\" loop=\"-1\"/></list>").c_str());
        manager->AddMusicList("swept", document.RootElement(), "music");
        manager->StartMusicList("swept", false);
    }

private:
    std::string mFile;
};

// Lays out and draws a line of text with a font description, as every screen does.
class TTextReader : public harness::TChildReader {
public:
    explicit TTextReader(std::string file) : mFile(std::move(file)) {}
    void Open() override { mFont = std::make_unique<ImageFont>(mFile); }
    void Draw() override {
        const std::wstring text = L"Verdanel 0123456789 \u00c4\u00f6\u00df \u0416\u0436 \u4e00";
        mFont->DrawStringAtW(40, 100, text, 0xffffffffu, 0, true);
        mFont->DrawStringAt(40, 200, text, 0xff80ff80u, 0, true);
        mWidth = mFont->GetTextWidthW(text);
    }

private:
    std::string mFile;
    std::unique_ptr<ImageFont> mFont;
    int mWidth = 0;
};

class TImageReader : public harness::TChildReader {
public:
    explicit TImageReader(std::string file) : mFile(std::move(file)) {}
    void Open() override { mImage.SetImage(mFile.substr(0, mFile.rfind('.'))); }
    void Draw() override { mImage.Draw(1.0f); }

private:
    std::string mFile;
    StaticImage mImage;
};

bool HasExtension(const std::string& file, const char* extension) {
    return fs::path(file).extension() == extension;
}

bool InFolder(const std::string& file, const char* folder) {
    return fs::path(file).parent_path() == folder;
}

// A kind of reader, the shipped files it reads, whether one of them stands for it in every sweep, and
// the extension of a file beside it that it reads too (one start-up may have read first).
struct TReaderKind {
    const char* name;
    bool (*reads)(const std::string& assetName);
    std::unique_ptr<harness::TChildReader> (*make)(const std::string& assetName);
    bool sweptByDefault;
    const char* companion = nullptr;
};

template <class T> std::unique_ptr<harness::TChildReader> Make(const std::string& file) {
    return std::make_unique<T>(file);
}

const TReaderKind kReaderKinds[] = {
    {"board", [](const std::string& f) { return InFolder(f, "levels") && HasExtension(f, ".xml"); }, Make<TBoardReader>,
     true},
    {"paths", [](const std::string& f) { return HasExtension(f, ".dat"); }, Make<TPathReader>, true},
    {"particles", [](const std::string& f) { return InFolder(f, "fx") && HasExtension(f, ".ini"); },
     Make<TParticleReader>, true},
    {"music", [](const std::string& f) { return HasExtension(f, ".ogg"); }, Make<TMusicReader>, true},
    {"text", [](const std::string& f) { return InFolder(f, "fonts") && HasExtension(f, ".txt"); }, Make<TTextReader>,
     true, ".png"},
    // Images nothing else reads yet are drawn on their own (long sweep only).
    {"image", [](const std::string& f) { return HasExtension(f, ".png") || HasExtension(f, ".jpg"); },
     Make<TImageReader>, false},
};

// ---- Files, trees and damage.

// Every regular file under a folder, as paths relative to it, sorted.
std::vector<std::string> FilesUnder(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(fs::relative(entry.path(), folder).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A stable hash, so the random bytes of a file are the same on every machine.
uint32_t NameHash(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

std::string Damaged(const std::string& bytes, TDamage damage, const std::string& name) {
    if (damage == TDamage::Half) {
        return bytes.substr(0, bytes.size() / 2);
    }
    std::mt19937 random(kRandomSeed ^ NameHash(name));
    std::string noise(std::max<size_t>(bytes.size(), 16), '\0');
    for (char& c : noise) {
        c = static_cast<char>(random() & 0xff);
    }
    return noise;
}

// A copy of the pristine tree in caseFolder: data files hard-linked (the game never writes them), the
// per-user files copied (the game replaces them), and the target damaged.
void BuildCaseTree(const std::string& pristine, const std::string& caseFolder, const std::string& target,
                   TDamage damage) {
    for (const std::string& file : FilesUnder(pristine)) {
        const fs::path to = fs::path(caseFolder) / file;
        fs::create_directories(to.parent_path());
        const std::string from = pristine + "/" + file;
        if (file == target) {
            if (damage != TDamage::Missing) {
                ASSERT_TRUE(harness::WriteFile(to.string(), Damaged(harness::ReadFile(from), damage, file)));
            }
            continue;
        }
        std::error_code failed;
        if (file.rfind(kRootPart, 0) == 0) {
            fs::create_hard_link(from, to, failed);
        }
        if (file.rfind(kRootPart, 0) != 0 || failed) {
            fs::copy_file(from, to);
        }
    }
    fs::create_directories(caseFolder + "/" + kUserPart);
}

// The file name a case shows: "assets/..." or "user:...".
std::string ShownName(const std::string& file) {
    if (file.rfind(kUserPart, 0) == 0) {
        return "user:" + file.substr(kUserPart.size());
    }
    return file.rfind(kRootPart, 0) == 0 ? file.substr(kRootPart.size()) : file;
}

// ---- Which files a run opens, seen through inotify on every folder of its tree.

class TOpenWatch {
public:
    explicit TOpenWatch(const std::string& caseFolder) : mFolder(caseFolder) {
        mFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (mFd < 0) {
            return;
        }
        Watch(caseFolder);
        for (const auto& entry : fs::recursive_directory_iterator(caseFolder)) {
            if (entry.is_directory()) {
                Watch(entry.path().string());
            }
        }
    }
    ~TOpenWatch() {
        if (mFd >= 0) {
            close(mFd);
        }
    }
    TOpenWatch(const TOpenWatch&) = delete;
    TOpenWatch& operator=(const TOpenWatch&) = delete;

    bool IsWatching() const { return mFd >= 0 && !mFolders.empty(); }
    // Events were lost: the list of opened files is not whole.
    bool Overflowed() const { return mOverflowed; }

    // Files opened since the watch began, relative to the case folder.
    std::set<std::string> OpenedFiles() {
        std::set<std::string> opened;
        alignas(inotify_event) char buffer[16384];
        for (ssize_t length; (length = read(mFd, buffer, sizeof(buffer))) > 0;) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                mOverflowed = mOverflowed || (event->mask & IN_Q_OVERFLOW) != 0;
                if ((event->mask & IN_ISDIR) == 0 && event->len > 0 && mFolders.count(event->wd) != 0) {
                    opened.insert(fs::relative(fs::path(mFolders[event->wd]) / event->name, mFolder).string());
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return opened;
    }

private:
    void Watch(const std::string& folder) {
        const int wd = inotify_add_watch(mFd, folder.c_str(), IN_OPEN);
        if (wd >= 0) {
            mFolders[wd] = folder;
        }
    }

    std::string mFolder;
    int mFd = -1;
    std::map<int, std::string> mFolders;
    bool mOverflowed = false;
};

// ---- The sweep.

struct TSweepCase {
    const TReaderKind* reader = nullptr; // null: start-up only
    std::string readerFile;              // the reader's own file, under assets/
    std::string target;                  // relative to the case folder
    TDamage damage = TDamage::Missing;
    bool intact = false; // no file damaged
};

std::string CaseName(const TSweepCase& test) {
    const std::string reader =
        test.reader != nullptr ? std::string(test.reader->name) + " " + test.readerFile : "start-up";
    if (test.intact) {
        return reader + ", nothing damaged";
    }
    return reader + ", " + ShownName(test.target) + " " + DamageName(test.damage);
}

bool LongSweep() {
    const char* value = std::getenv("VERDANEL_LONG_TESTS");
    return value != nullptr && std::string(value) == "1";
}

class DamagedDataSweep : public testing::TestWithParam<TDamage> {
protected:
    struct TRun {
        TSweepCase test;
        std::string folder;
        harness::TChildGame game;
        std::unique_ptr<TOpenWatch> watch;
        pid_t pid = -1;
        Clock::time_point start;
        int status = -1;
    };

    void SetUp() override {
        mFolder = harness::MakeTempFolder();
        mPristine = mFolder + "/pristine";
        const fs::path shipped = fs::canonical(GetExecutableFolder() + "/assets");
        fs::create_directories(mPristine + "/" + kRootPart);
        fs::copy(shipped, mPristine + "/" + kRootPart + "assets", fs::copy_options::recursive);
        fs::create_directories(mPristine + "/" + kUserPart);
    }

    std::unique_ptr<TRun> Prepare(const TSweepCase& test) {
        auto run = std::make_unique<TRun>();
        run->test = test;
        run->folder = mFolder + "/case" + std::to_string(mCaseCount++);
        BuildCaseTree(mPristine, run->folder, test.intact ? "" : test.target, test.damage);
        run->game.dataRoot = run->folder + "/root";
        run->game.dataHome = run->folder + "/home";
        if (test.reader != nullptr) {
            const TReaderKind* reader = test.reader;
            const std::string file = test.readerFile;
            run->game.makeReader = [reader, file] { return reader->make(file); };
        }
        return run;
    }

    // Runs every prepared case, at most `jobs` at a time, each within its limit.
    void RunAll(std::vector<std::unique_ptr<TRun>>& runs) {
        const size_t jobs = static_cast<size_t>(std::min(harness::UsableProcessorCount(), 3));
        size_t next = 0;
        std::vector<TRun*> running;
        while (next < runs.size() || !running.empty()) {
            while (running.size() < jobs && next < runs.size()) {
                TRun* run = runs[next++].get();
                run->start = Clock::now();
                run->pid = harness::ForkGame(run->game, run->folder + "/output.txt");
                ASSERT_GT(run->pid, 0);
                running.push_back(run);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            std::erase_if(running, [](TRun* run) { return Finished(*run); });
        }
    }

    static bool Finished(TRun& run) {
        int status = 0;
        if (waitpid(run.pid, &status, WNOHANG) == run.pid) {
            run.status = status;
            return true;
        }
        if (Clock::now() - run.start < kCaseLimit) {
            return false;
        }
        kill(run.pid, SIGKILL);
        waitpid(run.pid, &status, 0);
        run.status = -1;
        return true;
    }

    // What went wrong in a finished run; empty when it started, drew its frames and ended cleanly.
    static std::string Fault(const TRun& run) {
        const std::string log = harness::ReadFile(harness::LogPathIn(run.game.dataHome));
        std::string fault;
        if (!harness::ExitedWith(run.status, 0)) {
            fault = harness::DescribeStatus(run.status);
            if (WIFEXITED(run.status) && WEXITSTATUS(run.status) == harness::kChildFramesMissing) {
                fault = "frames were not drawn";
            }
        } else if (log.find("\nint complete\n") == std::string::npos) {
            fault = "no \"int complete\" in the log";
        }
        if (fault.empty()) {
            return "";
        }
        const std::string output = harness::ReadFile(run.folder + "/output.txt");
        return CaseName(run.test) + ": " + fault + "\n--- output (end)\n" +
               output.substr(output.size() - std::min<size_t>(output.size(), 3000)) + "\n--- log (end)\n" +
               log.substr(log.size() - std::min<size_t>(log.size(), 1500));
    }

    // A first run makes the saves a player has: a user with progress and an obtained reward.
    void MakePlayerSaves() {
        TSweepCase seed;
        seed.intact = true;
        std::vector<std::unique_ptr<TRun>> runs;
        runs.push_back(Prepare(seed));
        runs[0]->game.beforeShutdown = [] {
            TSettings::Get()->AddUser("Anna");
            TUserInfo::Get()->AddScore(120);
            if (!GetRewardList().empty()) {
                GetRewardList().front()->SetObtained();
            }
            TSettings::Get()->SaveProgress();
            return 0;
        };
        RunAll(runs);
        const std::string fault = Fault(*runs[0]);
        ASSERT_TRUE(fault.empty()) << fault;
        const std::string saved = runs[0]->folder + "/" + kUserPart;
        for (const std::string& file : FilesUnder(saved)) {
            if (file != "log.txt") {
                fs::copy_file(saved + file, mPristine + "/" + kUserPart + file);
            }
        }
    }

    // The files each reader opens in an undamaged run: start-up's own, then each reader's beyond those.
    void ObserveReaders(const std::vector<TSweepCase>& readers, std::vector<std::set<std::string>>& opened) {
        std::vector<std::unique_ptr<TRun>> runs;
        for (const TSweepCase& reader : readers) {
            runs.push_back(Prepare(reader));
            runs.back()->watch = std::make_unique<TOpenWatch>(runs.back()->folder);
            ASSERT_TRUE(runs.back()->watch->IsWatching()) << "inotify unavailable";
        }
        RunAll(runs);
        const std::vector<std::string> pristine = FilesUnder(mPristine);
        for (const auto& run : runs) {
            const std::string fault = Fault(*run);
            ASSERT_TRUE(fault.empty()) << fault;
            const std::set<std::string> seen = run->watch->OpenedFiles();
            ASSERT_FALSE(run->watch->Overflowed()) << CaseName(run->test) << ": inotify lost events";
            std::set<std::string> files;
            for (const std::string& file : seen) {
                if (std::binary_search(pristine.begin(), pristine.end(), file)) {
                    files.insert(file);
                }
            }
            opened.push_back(files);
        }
    }

    std::string mFolder;
    std::string mPristine;
    int mCaseCount = 0;
};

// The files a default sweep damages: every file at the top of the data and of the per-user folder, and
// the first and the last by name of each other folder's files of one extension.
std::vector<std::string> DefaultSubset(const std::set<std::string>& files) {
    std::map<std::string, std::vector<std::string>> groups;
    std::vector<std::string> chosen;
    for (const std::string& file : files) {
        const fs::path path(file);
        const std::string folder = path.parent_path().string();
        if (folder == kRootPart + "assets" || folder + "/" == kUserPart) {
            chosen.push_back(file);
        } else {
            groups[folder + "*" + path.extension().string()].push_back(file);
        }
    }
    for (const auto& [group, members] : groups) {
        chosen.push_back(members.front());
        if (members.size() > 1) {
            chosen.push_back(members.back());
        }
    }
    return chosen;
}

TEST_P(DamagedDataSweep, GameStartsDrawsItsFramesAndStops) {
    MakePlayerSaves();
    if (HasFatalFailure()) {
        return;
    }
    const std::string assetsPart = kRootPart + "assets/";
    const std::vector<std::string> shipped = FilesUnder(mPristine + "/" + assetsPart);

    // Start-up, and the first shipped file of each reader kind that stands for its reader.
    std::vector<TSweepCase> readers(1);
    readers[0].intact = true;
    for (const TReaderKind& kind : kReaderKinds) {
        auto first = std::find_if(shipped.begin(), shipped.end(), kind.reads);
        if (kind.sweptByDefault && first != shipped.end()) {
            readers.push_back({&kind, *first, "", TDamage::Missing, true});
        }
    }
    std::vector<std::set<std::string>> opened;
    ObserveReaders(readers, opened);
    if (HasFatalFailure()) {
        return;
    }
    for (const char* file : {"ui/interface.xml", "settings.xml", "stages.xml", "fonts.xml", "sounds.xml", "rewards.xml",
                             "resources.xml", "termins.xml", "tilesets/tilesets.xml", "icon.png"}) {
        EXPECT_EQ(opened[0].count(assetsPart + file), 1u) << "start-up did not open " << file;
    }
    EXPECT_EQ(opened[0].count(kUserPart + "settings.dat"), 1u);
    // A reader's files are its own file, its companion and those it opens beyond start-up's.
    for (size_t i = 1; i < readers.size(); ++i) {
        for (const std::string& file : opened[0]) {
            opened[i].erase(file);
        }
        opened[i].insert(assetsPart + readers[i].readerFile);
        if (const char* companion = readers[i].reader->companion) {
            const std::string beside = fs::path(readers[i].readerFile).replace_extension(companion).string();
            if (std::binary_search(shipped.begin(), shipped.end(), beside)) {
                opened[i].insert(assetsPart + beside);
            }
        }
    }

    // Long sweep: every shipped file nothing above opens, by the reader of its kind; a file nothing
    // reads yet is damaged under start-up alone.
    if (LongSweep()) {
        std::set<std::string> covered;
        for (const auto& files : opened) {
            covered.insert(files.begin(), files.end());
        }
        for (const std::string& file : shipped) {
            if (covered.count(assetsPart + file) != 0) {
                continue;
            }
            auto kind = std::find_if(std::begin(kReaderKinds), std::end(kReaderKinds),
                                     [&](const TReaderKind& k) { return k.reads(file); });
            if (kind == std::end(kReaderKinds)) {
                opened[0].insert(assetsPart + file);
                continue;
            }
            readers.push_back({kind, file, "", TDamage::Missing, true});
            opened.push_back({assetsPart + file});
        }
    }

    std::vector<std::unique_ptr<TRun>> runs;
    for (size_t i = 0; i < readers.size(); ++i) {
        const std::vector<std::string> files =
            LongSweep() ? std::vector<std::string>(opened[i].begin(), opened[i].end()) : DefaultSubset(opened[i]);
        for (const std::string& file : files) {
            TSweepCase test = readers[i];
            test.intact = false;
            test.target = file;
            test.damage = GetParam();
            runs.push_back(Prepare(test));
        }
    }
    const auto start = Clock::now();
    RunAll(runs);
    for (const auto& run : runs) {
        const std::string fault = Fault(*run);
        if (!fault.empty()) {
            ADD_FAILURE() << fault;
        }
    }
    std::printf("%zu cases in %.1f s\n", runs.size(), std::chrono::duration<double>(Clock::now() - start).count());
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DamagedDataSweep, testing::Values(TDamage::Missing, TDamage::Half, TDamage::Random),
                         [](const testing::TestParamInfo<TDamage>& info) { return DamageName(info.param); });

} // namespace
