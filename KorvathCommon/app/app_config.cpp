#include "app/app_config.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {
TAppConfig* gAppConfig = nullptr;
std::string gDataRoot;
} // namespace

std::string GetAppDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.local/share";
    }
    return "";
}

std::string GetExecutableFolder() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) {
        return ".";
    }
    std::string exe(path, static_cast<size_t>(length));
    size_t slash = exe.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::string GetDataRoot() {
    return gDataRoot.empty() ? GetExecutableFolder() : gDataRoot;
}

void SetDataRoot(const std::string& folder) {
    gDataRoot = folder;
}

bool SetWorkingFolderToExe() {
    return chdir(GetDataRoot().c_str()) == 0;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    for (size_t pos = folder.find('/', 1);; pos = folder.find('/', pos + 1)) {
        std::string part = folder.substr(0, pos);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
        if (pos == std::string::npos) {
            break;
        }
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TAppConfig* TAppConfig::Get() {
    if (gAppConfig == nullptr) {
        gAppConfig = new TAppConfig();
    }
    return gAppConfig;
}

void TAppConfig::Release() {
    delete gAppConfig;
}

TAppConfig::~TAppConfig() {
    if (gAppConfig == this) {
        gAppConfig = nullptr;
    }
}

std::string TAppConfig::GetMakerFolder() const {
    return GetAppDataFolder() + "/" + mMakerFolder;
}

std::string TAppConfig::GetUserFolder() const {
    return GetMakerFolder() + "/" + mProductFolder;
}

void TAppConfig::CreateFolders() const {
    // Errors are ignored: the folder may exist already, and a missing folder only means unsaved files.
    MakeFolders(GetUserFolder());
}
