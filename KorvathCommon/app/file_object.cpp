#include "app/file_object.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
} // namespace

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
    FILE* file = std::fopen(ResolvePath(name).c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    // On Linux a folder opens for reading too, but nothing can be read from it.
    struct stat info {};
    bool isFolder = fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
    std::fclose(file);
    return !isFolder;
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
    }
    return IsOpen();
}

bool TFileObject::OpenRaw(const std::string& name, bool write) {
    // A file still held would otherwise stay open under the new path.
    Close();
    mWrite = write;
    mPath = ResolvePath(name);
    if (!write && !GetLanguageCode().empty()) {
        mFile = OpenLocalized(mPath);
    }
    if (mFile == nullptr) {
        mFile = std::fopen(mPath.c_str(), write ? "wb" : "rb");
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
    FILE* file = std::fopen(localized.c_str(), "rb");
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

    FILE* file = Faulted(TWriteFault::Open) ? nullptr : std::fopen(temp.c_str(), "wb");
    if (file == nullptr) {
        TLogFile::Get()->Printf("cannot write %s", path.c_str());
        return false;
    }
    bool ok = !Faulted(TWriteFault::Write) && std::fwrite(data, 1, size, file) == size;
    ok = ok && !Faulted(TWriteFault::Flush) && std::fflush(file) == 0;
    ok = ok && !Faulted(TWriteFault::Sync) && fsync(fileno(file)) == 0;
    bool closed = std::fclose(file) == 0 && !Faulted(TWriteFault::Close);
    ok = ok && closed;
    if (ok && PathExists(path)) {
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
