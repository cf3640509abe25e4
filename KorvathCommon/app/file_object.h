#pragma once
// The file object every reader and writer uses, and the rules that turn data names into paths.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/counted_ptr.h"

// "user:name" -> per-user folder + "/name"; names containing "assets/" stay; others get "assets/" in front.
std::string ResolvePath(const std::string& name);

// Whether the resolved name is a readable regular file (the localised copy is not tried); nothing is
// opened.
bool FileExists(const std::string& name);
// Whether the path (already resolved) is a regular file or nothing at all: not a FIFO, device, socket or
// folder.
bool IsRegularFileOrMissing(const std::string& path);
// Removes the temporary files a save that was cut short left in the folder (logged); returns how many.
int RemoveStaleTempFiles(const std::string& folder);

// The language name; its code (cut at the first "_", at most 3 characters) selects localised copies.
void SetLanguageName(const std::string& name);
const std::string& GetLanguageName();
std::string GetLanguageCode();

class TFileObject {
public:
    TFileObject() = default;
    // Opens for writing when the mode does not begin with "r", else for reading.
    TFileObject(const char* name, const char* mode);
    // Copies share the FILE* and its open count; the last holder to close closes the file.
    TFileObject(const TFileObject& other);
    TFileObject& operator=(const TFileObject& other);
    ~TFileObject();

    // Both close any file held first.
    bool Open(const std::string& name, bool write);
    // Opens without starting the open count; callers that use it directly call StartCount.
    bool OpenRaw(const std::string& name, bool write);
    FILE* OpenLocalized(const std::string& resolvedPath);
    void StartCount();

    bool IsOpen() const { return mFile != nullptr; }
    // Size in bytes of the open file, measured on the open handle; -1 when nothing is open.
    long GetSize() const;
    // One read of count bytes: 1 when all were read, 0 otherwise, -1 when nothing is open.
    int Read(void* buffer, size_t count);
    // Bytes actually read (0 when nothing is open), for callers that must detect a short read.
    size_t ReadSome(void* buffer, size_t count);
    // True when all bytes were written.
    bool Write(const void* data, size_t count);
    void Close();

    FILE* GetFile() const { return mFile; }
    const std::string& GetPath() const { return mPath; }
    bool IsWrite() const { return mWrite; }
    // The last open found something other than a regular file under the name and left it alone.
    bool WasRefused() const { return mRefused; }

private:
    FILE* mFile = nullptr;
    CountedPtr<int> mOpenCount;
    std::string mPath;
    bool mWrite = false;
    bool mRefused = false;
};

// Reads a whole file (path rules apply). False when it does not open, is larger than maxBytes,
// or a read comes up short (both logged with the path); bytes is empty then.
bool ReadWholeFile(const std::string& name, std::string& bytes, size_t maxBytes);
// The same for a file just opened for reading.
bool ReadOpenFile(TFileObject& file, std::string& bytes, size_t maxBytes);

// Writes a whole file safely: a temporary file in the same folder is written, flushed and synced,
// the old file is kept as name + ".bak", then the temporary file takes the name. On any failure the
// temporary file is removed and the old file stays. Path rules apply.
bool WriteFileAtomically(const std::string& name, const void* data, size_t size);

// Test seam: makes one step of the next atomic writes fail.
enum class TWriteFault { None, Open, Write, Flush, Sync, Close, Rename };
void SetWriteFault(TWriteFault fault);
