// Save files replaced by things that are not files: a FIFO, a folder, a socket, a link to a device. None
// may block the game or be read; each is set aside as a damaged file is and the backup used. Also the
// temporary files a killed save leaves behind, and the log's own file.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/app_config.h"
#include "app/buffer.h"
#include "app/file_object.h"
#include "app/log.h"
#include "app/saved_file.h"
#include "harness/harness.h"

namespace {

std::string UserPath(const std::string& name) {
    return harness::TestDataHome() + "/Korvath Games/Verdanel/" + name;
}

bool IsFifo(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool IsRegular(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool MakeSocket(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    path.copy(address.sun_path, path.size());
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    close(fd);
    return bound;
}

struct StrangeKind {
    const char* what;
    std::function<bool(const std::string&)> make;
};

const StrangeKind kKinds[] = {
    {"fifo", [](const std::string& path) { return mkfifo(path.c_str(), 0644) == 0; }},
    {"folder", [](const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }},
    {"socket", MakeSocket},
    {"link to a device", [](const std::string& path) { return symlink("/dev/zero", path.c_str()) == 0; }},
    {"link to a fifo",
     [](const std::string& path) {
         return mkfifo((path + ".target").c_str(), 0644) == 0 && symlink((path + ".target").c_str(), path.c_str()) == 0;
     }},
};

class StrangeFilesTest : public testing::Test {
protected:
    void SetUp() override {
        mRoot = harness::MakeTempFolder();
        mDataRoot = std::make_unique<harness::ScopedDataRoot>(mRoot);
        ASSERT_TRUE(SetWorkingFolderToExe());
        TAppConfig::Get()->CreateFolders();
        // A test that blocks is cut off rather than hanging the suite.
        alarm(20);
    }

    void TearDown() override {
        alarm(0);
        mDataRoot.reset();
    }

    static bool SaveGood(const std::string& name, int value) {
        TBufferBin buffer;
        buffer.WriteInt32(kSaveFileHeader);
        buffer.WriteInt32(value);
        return buffer.Save(name, true, 0);
    }

    // The value of the save file, or -1 when none could be loaded.
    static int Load(const std::string& name) {
        TSaveFileBuffer buffer;
        int value = -1;
        const bool loaded = LoadSaveFile(name, buffer, [&] {
            if (buffer.ReadInt32() != kSaveFileHeader) {
                return false;
            }
            value = buffer.ReadInt32();
            return !buffer.IsFailed();
        });
        return loaded ? value : -1;
    }

    std::string mRoot;
    std::unique_ptr<harness::ScopedDataRoot> mDataRoot;
};

TEST_F(StrangeFilesTest, NeitherTheFileNorItsBackupIsReadWhenItIsNotARegularFile) {
    for (const StrangeKind& kind : kKinds) {
        SCOPED_TRACE(kind.what);
        for (const bool backupIsStrange : {false, true}) {
            SCOPED_TRACE(backupIsStrange ? "in place of the backup" : "in place of the file");
            const std::string name = std::string("save-") + (backupIsStrange ? "b-" : "f-") + kind.what + ".dat";
            const std::string path = UserPath(name);
            const std::string strange = backupIsStrange ? path + ".bak" : path;
            if (backupIsStrange) {
                ASSERT_TRUE(kind.make(strange));
                EXPECT_EQ(Load("user:" + name), -1);
            } else {
                // The backup holds the previous save; the file itself is then replaced.
                ASSERT_TRUE(SaveGood("user:" + name, 7));
                ASSERT_TRUE(SaveGood("user:" + name, 8));
                ASSERT_EQ(unlink(path.c_str()), 0);
                ASSERT_TRUE(kind.make(strange));
                EXPECT_EQ(Load("user:" + name), 7);
            }
            EXPECT_TRUE(harness::LogContains("not a regular file " + strange));
            EXPECT_TRUE(harness::LogContains("damaged file " + strange + " moved to " + strange + ".bad"));
            struct stat info {};
            EXPECT_NE(lstat(strange.c_str(), &info), 0) << "still under its name";
            EXPECT_EQ(lstat((strange + ".bad").c_str(), &info), 0);
        }
    }
}

TEST_F(StrangeFilesTest, ASaveOverAFifoReplacesItWithoutBlockingOrKeepingItAsTheBackup) {
    const std::string path = UserPath("settings.dat");
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    ASSERT_TRUE(SaveGood("user:settings.dat", 3));
    EXPECT_TRUE(IsRegular(path));
    EXPECT_FALSE(IsFifo(path + ".bak"));
    EXPECT_EQ(Load("user:settings.dat"), 3);
    // A FIFO under the temporary name is no obstacle either.
    ASSERT_EQ(mkfifo((path + ".tmp").c_str(), 0644), 0);
    ASSERT_TRUE(SaveGood("user:settings.dat", 4));
    EXPECT_EQ(Load("user:settings.dat"), 4);
    EXPECT_TRUE(IsRegular(path + ".bak"));
}

TEST_F(StrangeFilesTest, AFifoAsTheLogIsSetAsideAndANewLogBegins) {
    TLogFile::Release();
    const std::string path = UserPath("log.txt");
    ASSERT_EQ(unlink(path.c_str()) == 0 || errno == ENOENT, true);
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    TLogFile::Get()->Printf("after the fifo");
    EXPECT_TRUE(IsRegular(path));
    EXPECT_TRUE(IsFifo(path + ".bad"));
    EXPECT_TRUE(harness::LogContains("after the fifo"));
}

TEST_F(StrangeFilesTest, TemporaryFilesOfACutSaveAreRemovedButFoldersAndOtherFilesStay) {
    const std::string folder = UserPath("");
    ASSERT_TRUE(harness::WriteFile(folder + "settings.dat.tmp", "half"));
    ASSERT_TRUE(harness::WriteFile(folder + "1.dat.tmp", "half"));
    ASSERT_EQ(mkfifo((folder + "2.dat.tmp").c_str(), 0644), 0);
    ASSERT_EQ(mkdir((folder + "kept.tmp").c_str(), 0755), 0);
    ASSERT_TRUE(harness::WriteFile(folder + "settings.dat", "whole"));
    ASSERT_TRUE(harness::WriteFile(folder + "tmp", "whole"));
    EXPECT_EQ(RemoveStaleTempFiles(folder.substr(0, folder.size() - 1)), 3);
    for (const char* gone : {"settings.dat.tmp", "1.dat.tmp", "2.dat.tmp"}) {
        EXPECT_FALSE(harness::PathExists(folder + gone)) << gone;
    }
    for (const char* kept : {"kept.tmp", "settings.dat", "tmp"}) {
        EXPECT_TRUE(harness::PathExists(folder + kept)) << kept;
    }
    EXPECT_TRUE(harness::LogContains("stale temporary file " + folder + "settings.dat.tmp removed"));
}

} // namespace
