#include "app/log.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "app/app_config.h"
#include "app/log_echo.h"

namespace {
std::mutex gLogInstanceMutex;
TLogFile* gLog = nullptr;

void EchoToStandardError(const char* line) {
    std::fprintf(stderr, "INFO: %s\n", line);
}

std::atomic<TLogEcho> gEcho{EchoToStandardError};
const char* const kName = "user:log.txt";
} // namespace

void SetLogEcho(TLogEcho echo) {
    gEcho.store(echo != nullptr ? echo : EchoToStandardError);
}

TLogFile* TLogFile::Get() {
    std::lock_guard<std::mutex> lock(gLogInstanceMutex);
    if (gLog == nullptr) {
        gLog = new TLogFile();
    }
    return gLog;
}

void TLogFile::Release() {
    std::lock_guard<std::mutex> lock(gLogInstanceMutex);
    delete gLog;
    gLog = nullptr;
}

TLogFile::TLogFile() : mLine{} {
    TAppConfig::Get()->CreateFolders();
    if (!mFile.OpenRaw(kName, true) && mFile.WasRefused()) {
        // Something other than a file under the log's name (a FIFO would block every write): it is set
        // aside as a damaged file is, and a new log begins.
        const std::string path = ResolvePath(kName);
        const std::string bad = path + ".bad";
        // The log is not open yet: the line goes to the echo alone.
        const std::string line = "not a regular file " + path + ", moved to " + bad;
        gEcho.load()(line.c_str());
        if (std::rename(path.c_str(), bad.c_str()) == 0) {
            mFile.OpenRaw(kName, true);
        }
    }
    if (mFile.IsOpen()) {
        mFile.StartCount();
    }
}

TLogFile::~TLogFile() {
    mFile.Close();
}

void TLogFile::Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    VPrintf(format, args);
    va_end(args);
}

void TLogFile::VPrintf(const char* format, va_list args) {
    std::lock_guard<std::mutex> lock(mMutex);
    int length = std::vsnprintf(mLine, sizeof(mLine), format, args);
    if (length < 0) {
        mLine[0] = '\0';
        length = 0;
    } else if (length >= kLineSize) {
        length = kLineSize - 1;
    }
    gEcho.load()(mLine);
    if (mFile.IsOpen()) {
        mLine[length] = '\n';
        mFile.Write(mLine, static_cast<size_t>(length) + 1);
        mLine[length] = '\0';
        std::fflush(mFile.GetFile());
    }
}

void LogDebug(const char* /*format*/, ...) {}
