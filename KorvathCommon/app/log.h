#pragma once
// The process-wide text log "log.txt" in the per-user folder, emptied when first used.

#include <cstdarg>
#include <mutex>

#include "app/file_object.h"

#define KORVATH_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))

class TLogFile {
public:
    static constexpr int kLineSize = 10240;

    // The single log, created (and the file emptied) on first use. Safe from any thread.
    static TLogFile* Get();
    // Closes the file and deletes the log; the next Get starts a new one.
    static void Release();

    TLogFile(const TLogFile&) = delete;
    TLogFile& operator=(const TLogFile&) = delete;
    ~TLogFile();

    // One line, printf-style, cut at kLineSize - 1 bytes; written to the echo (SDL_Log in the engine's
    // programs, see log_echo.h) and the file, then flushed.
    void Printf(const char* format, ...) KORVATH_PRINTF(2, 3);
    void VPrintf(const char* format, va_list args);

private:
    TLogFile();

    // The main and the audio thread both log: one line is formatted and written at a time.
    std::mutex mMutex;
    char mLine[kLineSize];
    TFileObject mFile;
};

// The debug log entry: writes nothing.
void LogDebug(const char* format, ...) KORVATH_PRINTF(1, 2);
