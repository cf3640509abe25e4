#include "app/file_object.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "app/app_config.h"
#include "app/log.h"

namespace {
std::string gLanguageName;
TWriteFault gWriteFault = TWriteFault::None;

bool Faulted(TWriteFault step) {
    if (gWriteFault != step) {
        return false;
    }
    errno = EIO;
    return true;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename durable: the folder entry is synced too.
void SyncFolder(const std::string& path) {
    int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// Opens only a regular file. A FIFO, device, socket or folder is refused (refused set) before it is
// opened, and the open itself does not wait, so a FIFO swapped in after the check cannot block either.
FILE* OpenRegular(const std::string& path, bool write, bool& refused) {
    refused = false;
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        refused = true;
        return nullptr;
    }
    const int flags = (write ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY) | O_NONBLOCK | O_CLOEXEC;
    const int fd = open(path.c_str(), flags, 0644);
    if (fd < 0) {
        refused = errno == ENXIO;
        return nullptr;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        refused = true;
        close(fd);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = fdopen(fd, write ? "wb" : "rb");
    if (file == nullptr) {
        close(fd);
    }
    return file;
}
} // namespace

bool IsRegularFileOrMissing(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

std::string ResolvePath(const std::string& name) {
    static const std::string kUserPrefix = "user:";
    if (name.compare(0, kUserPrefix.size(), kUserPrefix) == 0) {
        return TAppConfig::Get()->GetUserFolder() + "/" + name.substr(kUserPrefix.size());
    }
    if (name.find("assets/") != std::string::npos) {
        return name;
    }
    return "assets/" + name;
}

bool FileExists(const std::string& name) {
    // Nothing is opened: a FIFO or a device must not be touched, and a folder cannot be read.
    const std::string path = ResolvePath(name);
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), R_OK) == 0;
}

void SetLanguageName(const std::string& name) {
    gLanguageName = name;
}

const std::string& GetLanguageName() {
    return gLanguageName;
}

std::string GetLanguageCode() {
    return gLanguageName.substr(0, gLanguageName.find('_')).substr(0, 3);
}

TFileObject::TFileObject(const char* name, const char* mode) {
    Open(name != nullptr ? name : "", mode == nullptr || mode[0] != 'r');
}

TFileObject::TFileObject(const TFileObject& other)
    : mFile(other.mFile), mOpenCount(other.mOpenCount), mPath(other.mPath), mWrite(other.mWrite) {
    if (mFile != nullptr && mOpenCount) {
        ++*mOpenCount;
    }
}

TFileObject& TFileObject::operator=(const TFileObject& other) {
    if (this == &other || (mFile != nullptr && mFile == other.mFile)) {
        return *this;
    }
    Close();
    mFile = other.mFile;
    mOpenCount = other.mOpenCount;
    mPath = other.mPath;
    mWrite = other.mWrite;
    if (mFile != nullptr && mOpenCount) {
        ++*mOpenCount;
    }
    return *this;
}

TFileObject::~TFileObject() {
    Close();
}

bool TFileObject::Open(const std::string& name, bool write) {
    if (OpenRaw(name, write)) {
        StartCount();
    } else if (mRefused) {
        TLogFile::Get()->Printf("not a regular file %s, not opened", ResolvePath(name).c_str());
    }
    return IsOpen();
}

bool TFileObject::OpenRaw(const std::string& name, bool write) {
    // A file still held would otherwise stay open under the new path.
    Close();
    mRefused = false;
    mWrite = write;
    mPath = ResolvePath(name);
    if (!write && !GetLanguageCode().empty()) {
        mFile = OpenLocalized(mPath);
    }
    if (mFile == nullptr) {
        mFile = OpenRegular(mPath, write, mRefused);
    }
    if (mFile == nullptr) {
        mPath.clear();
    }
    return IsOpen();
}

FILE* TFileObject::OpenLocalized(const std::string& resolvedPath) {
    size_t slash = resolvedPath.find('/');
    if (slash == std::string::npos || slash == 0) {
        return nullptr;
    }
    std::string localized =
        resolvedPath.substr(0, slash + 1) + GetLanguageCode() + "/" + resolvedPath.substr(slash + 1);
    bool refused = false;
    FILE* file = OpenRegular(localized, false, refused);
    if (file != nullptr) {
        mPath = localized;
    }
    return file;
}

void TFileObject::StartCount() {
    mOpenCount.Reset(new int(1));
}

long TFileObject::GetSize() const {
    if (mFile == nullptr) {
        return -1;
    }
    struct stat info {};
    if (fstat(fileno(mFile), &info) != 0) {
        return -1;
    }
    return static_cast<long>(info.st_size);
}

int TFileObject::Read(void* buffer, size_t count) {
    if (mFile == nullptr) {
        return -1;
    }
    return static_cast<int>(std::fread(buffer, count, 1, mFile));
}

size_t TFileObject::ReadSome(void* buffer, size_t count) {
    return mFile == nullptr ? 0 : std::fread(buffer, 1, count, mFile);
}

bool TFileObject::Write(const void* data, size_t count) {
    return mFile != nullptr && std::fwrite(data, 1, count, mFile) == count;
}

void TFileObject::Close() {
    if (mFile != nullptr) {
        if (!mOpenCount || *mOpenCount <= 1) {
            std::fclose(mFile);
        } else {
            --*mOpenCount;
        }
    }
    mFile = nullptr;
    mPath.clear();
    mOpenCount.Release();
}

bool ReadOpenFile(TFileObject& file, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    long size = file.GetSize();
    if (size < 0 || static_cast<unsigned long>(size) > maxBytes) {
        TLogFile::Get()->Printf("file too large %s", file.GetPath().c_str());
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    if (file.ReadSome(bytes.data(), bytes.size()) != bytes.size()) {
        TLogFile::Get()->Printf("short read %s", file.GetPath().c_str());
        bytes.clear();
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& name, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    TFileObject file;
    return file.Open(name, false) && ReadOpenFile(file, bytes, maxBytes);
}

bool WriteFileAtomically(const std::string& name, const void* data, size_t size) {
    const std::string path = ResolvePath(name);
    const std::string temp = path + ".tmp";
    const std::string backup = path + ".bak";

    // A temporary file left by a killed save, or anything else under its name, is replaced: the new one
    // is created exclusively, so it is always a fresh regular file.
    std::remove(temp.c_str());
    FILE* file = nullptr;
    if (!Faulted(TWriteFault::Open)) {
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
        if (fd >= 0 && file == nullptr) {
            close(fd);
        }
    }
    if (file == nullptr) {
        TLogFile::Get()->Printf("cannot write %s", path.c_str());
        return false;
    }
    bool ok = !Faulted(TWriteFault::Write) && std::fwrite(data, 1, size, file) == size;
    ok = ok && !Faulted(TWriteFault::Flush) && std::fflush(file) == 0;
    ok = ok && !Faulted(TWriteFault::Sync) && fsync(fileno(file)) == 0;
    bool closed = std::fclose(file) == 0 && !Faulted(TWriteFault::Close);
    ok = ok && closed;
    // Only a regular file is kept as the backup; anything else under the name is simply replaced.
    if (ok && PathExists(path) && IsRegularFileOrMissing(path)) {
        // The old file stays reachable under the backup name at every moment.
        std::remove(backup.c_str());
        if (link(path.c_str(), backup.c_str()) != 0) {
            std::rename(path.c_str(), backup.c_str());
        }
    }
    ok = ok && !Faulted(TWriteFault::Rename) && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temp.c_str());
        if (!PathExists(path) && PathExists(backup)) {
            std::rename(backup.c_str(), path.c_str());
        }
        TLogFile::Get()->Printf("save failed %s, old file kept", path.c_str());
        return false;
    }
    SyncFolder(path);
    return true;
}

void SetWriteFault(TWriteFault fault) {
    gWriteFault = fault;
}

int RemoveStaleTempFiles(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    static const std::string kSuffix = ".tmp";
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > kSuffix.size() && name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0) {
            stale.push_back(folder + "/" + name);
        }
    }
    closedir(dir);
    int removed = 0;
    for (const std::string& path : stale) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
            continue;
        }
        if (unlink(path.c_str()) == 0) {
            TLogFile::Get()->Printf("stale temporary file %s removed", path.c_str());
            ++removed;
        }
    }
    return removed;
}
