#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/app_config.h"
#include "app/file_object.h"
#include "harness/harness.h"

namespace {

std::string UserPath(const std::string& name) {
    return harness::TestDataHome() + "/Korvath Games/Verdanel/" + name;
}

bool DescriptorOpen(int fd) {
    return fcntl(fd, F_GETFD) != -1;
}

std::string ReadAll(TFileObject& file) {
    std::string bytes(static_cast<size_t>(file.GetSize()), '\0');
    EXPECT_EQ(file.Read(bytes.data(), bytes.size()), 1);
    return bytes;
}

// Works in a fresh data folder (the working folder) and undoes the global switches a test sets.
class FileObjectTest : public testing::Test {
protected:
    void SetUp() override {
        mRoot = harness::MakeTempFolder();
        mDataRoot = std::make_unique<harness::ScopedDataRoot>(mRoot);
        ASSERT_TRUE(SetWorkingFolderToExe());
        TAppConfig::Get()->CreateFolders();
    }
    void TearDown() override {
        SetLanguageName("");
        SetWriteFault(TWriteFault::None);
        mDataRoot.reset();
    }
    void WriteData(const std::string& relative, const std::string& bytes) {
        ASSERT_TRUE(harness::WriteFile(mRoot + "/" + relative, bytes));
    }

    std::string mRoot;
    std::unique_ptr<harness::ScopedDataRoot> mDataRoot;
};

TEST_F(FileObjectTest, NamesResolveByThePathRules) {
    const std::string user = harness::TestDataHome() + "/Korvath Games/Verdanel";
    const struct {
        const char* name;
        std::string path;
    } cases[] = {
        {"user:settings.dat", user + "/settings.dat"},   {"user:assets/x.png", user + "/assets/x.png"},
        {"ui/interface.xml", "assets/ui/interface.xml"}, {"assets/x.png", "assets/x.png"},
        {"data/assets/x.png", "data/assets/x.png"},      {"user", "assets/user"},
        {"fonts\\a.fnt", "assets/fonts\\a.fnt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolvePath(c.name), c.path) << c.name;
    }
}

TEST_F(FileObjectTest, LanguageCodeIsTheNameCutAtUnderscoreAndThreeLetters) {
    const struct {
        const char* name;
        const char* code;
    } cases[] = {{"", ""}, {"de_DE", "de"}, {"russian", "rus"}, {"pt_BR_x", "pt"}, {"_de", ""}, {"fra", "fra"}};
    for (const auto& c : cases) {
        SetLanguageName(c.name);
        EXPECT_EQ(GetLanguageCode(), c.code) << c.name;
    }
}

TEST_F(FileObjectTest, ReadsTryTheLocalisedCopyFirst) {
    WriteData("assets/ui/pause.xml", "plain");
    WriteData("assets/de/ui/pause.xml", "german");
    WriteData("assets/ui/menu.xml", "plain menu");
    WriteData("assets/de/only.xml", "german only");
    const struct {
        const char* language;
        const char* name;
        const char* content;
        const char* path;
    } cases[] = {
        {"de_DE", "ui/pause.xml", "german", "assets/de/ui/pause.xml"},
        {"de_DE", "ui/menu.xml", "plain menu", "assets/ui/menu.xml"},
        {"", "ui/pause.xml", "plain", "assets/ui/pause.xml"},
        {"fr", "ui/pause.xml", "plain", "assets/ui/pause.xml"},
        {"de", "only.xml", "german only", "assets/de/only.xml"},
    };
    for (const auto& c : cases) {
        SetLanguageName(c.language);
        TFileObject file(c.name, "rb");
        ASSERT_TRUE(file.IsOpen()) << c.language << " " << c.name;
        EXPECT_EQ(file.GetPath(), c.path);
        EXPECT_EQ(ReadAll(file), c.content) << c.language << " " << c.name;
    }
}

TEST_F(FileObjectTest, WritesAndExistenceChecksIgnoreTheLanguage) {
    WriteData("assets/de/only.xml", "german only");
    WriteData("assets/de/ui/pause.xml", "german");
    WriteData("assets/ui/pause.xml", "plain");
    SetLanguageName("de");
    EXPECT_FALSE(FileExists("only.xml"));
    TFileObject out("ui/pause.xml", "wb");
    ASSERT_TRUE(out.IsOpen());
    EXPECT_EQ(out.GetPath(), "assets/ui/pause.xml");
    EXPECT_TRUE(out.Write("new", 3));
    out.Close();
    EXPECT_EQ(harness::ReadFile(mRoot + "/assets/ui/pause.xml"), "new");
    EXPECT_EQ(harness::ReadFile(mRoot + "/assets/de/ui/pause.xml"), "german");
}

TEST_F(FileObjectTest, CopiesShareOneHandleAndCloseItOnce) {
    WriteData("assets/a.txt", "shared");
    TFileObject first("a.txt", "rb");
    ASSERT_TRUE(first.IsOpen());
    const int fd = fileno(first.GetFile());
    {
        TFileObject second(first);
        TFileObject third;
        third = second;
        EXPECT_EQ(second.GetFile(), first.GetFile());
        EXPECT_EQ(third.GetFile(), first.GetFile());
        first.Close();
        EXPECT_FALSE(first.IsOpen());
        second.Close();
        EXPECT_TRUE(DescriptorOpen(fd));
        char bytes[6] = {};
        EXPECT_EQ(third.Read(bytes, sizeof(bytes)), 1);
        EXPECT_EQ(std::string(bytes, sizeof(bytes)), "shared");
    }
    // The last holder went out of scope.
    EXPECT_FALSE(DescriptorOpen(fd));
}

TEST_F(FileObjectTest, AssigningOverAnOpenFileReleasesIt) {
    WriteData("assets/a.txt", "a");
    WriteData("assets/b.txt", "b");
    TFileObject a("a.txt", "rb");
    TFileObject b("b.txt", "rb");
    const int fdA = fileno(a.GetFile());
    a = b;
    EXPECT_FALSE(DescriptorOpen(fdA));
    b.Close();
    EXPECT_EQ(ReadAll(a), "b");
}

TEST_F(FileObjectTest, OpeningAgainSwitchesToTheNewFile) {
    WriteData("assets/a.txt", "first");
    WriteData("assets/b.txt", "second");
    TFileObject file("a.txt", "rb");
    ASSERT_TRUE(file.OpenRaw("b.txt", false));
    file.StartCount();
    EXPECT_EQ(file.GetPath(), "assets/b.txt");
    EXPECT_EQ(ReadAll(file), "second");
    ASSERT_TRUE(file.Open("a.txt", false));
    EXPECT_EQ(ReadAll(file), "first");
}

TEST_F(FileObjectTest, ClosedOrFailedObjectsReportMinusOne) {
    TFileObject never;
    TFileObject missing("missing.txt", "rb");
    char byte = 0;
    for (TFileObject* file : {&never, &missing}) {
        EXPECT_FALSE(file->IsOpen());
        EXPECT_EQ(file->GetSize(), -1);
        EXPECT_EQ(file->Read(&byte, 1), -1);
        EXPECT_FALSE(file->Write(&byte, 1));
        EXPECT_EQ(file->GetPath(), "");
    }
    EXPECT_FALSE(missing.Open("missing.txt", false));
}

TEST_F(FileObjectTest, FileExistsOnlyForReadableFiles) {
    WriteData("assets/ui/w.xml", "");
    WriteData("assets/branding/splash1.jpg/inside", "x");
    WriteData("user.txt", "outside assets");
    ASSERT_TRUE(harness::WriteFile(UserPath("settings.dat"), "s"));
    const struct {
        const char* name;
        bool exists;
    } cases[] = {
        {"ui/w.xml", true}, {"assets/ui/w.xml", true},       {"user:settings.dat", true}, {"ui/missing.xml", false},
        {"ui", false},      {"branding/splash1.jpg", false}, {"user.txt", false},         {"user:", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(c.name), c.exists) << c.name;
    }
}

TEST_F(FileObjectTest, ReadIsAllOrNothing) {
    WriteData("assets/a.txt", "abc");
    TFileObject file("a.txt", "rb");
    char bytes[8] = {};
    EXPECT_EQ(file.Read(bytes, 8), 0);
}

TEST_F(FileObjectTest, ReadWholeFileRefusesOversizedAndShortFiles) {
    WriteData("assets/ten.bin", "0123456789");
    std::string bytes = "stale";
    EXPECT_TRUE(ReadWholeFile("ten.bin", bytes, 10));
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_FALSE(ReadWholeFile("ten.bin", bytes, 9));
    EXPECT_EQ(bytes, "");
    EXPECT_TRUE(harness::LogContains("file too large assets/ten.bin"));
    EXPECT_FALSE(ReadWholeFile("missing.bin", bytes, 10));

    // A folder claims a size but holds no bytes: it is refused without being opened.
    WriteData("assets/folder.bin/inside", "x");
    struct stat info {};
    ASSERT_EQ(stat((mRoot + "/assets/folder.bin").c_str(), &info), 0);
    ASSERT_GT(info.st_size, 0);
    EXPECT_FALSE(ReadWholeFile("folder.bin", bytes, 1 << 20));
    EXPECT_EQ(bytes, "");
    EXPECT_TRUE(harness::LogContains("not a regular file assets/folder.bin, not opened"));
}

TEST_F(FileObjectTest, AtomicWriteKeepsTheOldFileAsBackup) {
    EXPECT_TRUE(WriteFileAtomically("user:save.dat", "one", 3));
    EXPECT_EQ(harness::ReadFile(UserPath("save.dat")), "one");
    EXPECT_FALSE(harness::PathExists(UserPath("save.dat.bak")));
    EXPECT_TRUE(WriteFileAtomically("user:save.dat", "two!", 4));
    EXPECT_EQ(harness::ReadFile(UserPath("save.dat")), "two!");
    EXPECT_EQ(harness::ReadFile(UserPath("save.dat.bak")), "one");
    EXPECT_FALSE(harness::PathExists(UserPath("save.dat.tmp")));
}

TEST_F(FileObjectTest, FailedAtomicWriteLeavesTheOldFile) {
    for (TWriteFault fault : {TWriteFault::Open, TWriteFault::Write, TWriteFault::Flush, TWriteFault::Sync,
                              TWriteFault::Close, TWriteFault::Rename}) {
        SCOPED_TRACE(static_cast<int>(fault));
        ASSERT_TRUE(harness::WriteFile(UserPath("save.dat"), "old"));
        SetWriteFault(fault);
        EXPECT_FALSE(WriteFileAtomically("user:save.dat", "new data", 8));
        SetWriteFault(TWriteFault::None);
        EXPECT_EQ(harness::ReadFile(UserPath("save.dat")), "old");
        EXPECT_FALSE(harness::PathExists(UserPath("save.dat.tmp")));
        // A file that never existed is not created half-written either.
        SetWriteFault(fault);
        EXPECT_FALSE(WriteFileAtomically("user:fresh.dat", "new data", 8));
        SetWriteFault(TWriteFault::None);
        EXPECT_FALSE(harness::PathExists(UserPath("fresh.dat")));
        EXPECT_FALSE(harness::PathExists(UserPath("fresh.dat.tmp")));
    }
    EXPECT_TRUE(harness::LogContains("save failed"));
}

TEST_F(FileObjectTest, AtomicWriteIntoAMissingFolderFails) {
    EXPECT_FALSE(WriteFileAtomically("user:no/such/folder.dat", "x", 1));
    EXPECT_FALSE(harness::PathExists(UserPath("no")));
}

} // namespace
