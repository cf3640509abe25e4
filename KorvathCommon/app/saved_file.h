#pragma once
// Loading the save files so that nothing is lost: a damaged file is set aside and its backup is used.

#include <cstdint>
#include <functional>
#include <string>

#include "app/buffer.h"

// Every save file's payload starts with this int32.
constexpr int32_t kSaveFileHeader = 1000;

// The buffer of a save file being read: it notes a read past the end, so a record that ends early is
// told apart from a whole one.
class TSaveFileBuffer : public TBufferBin {
public:
    uint8_t ReadByte() override;
    void Clear() override;

    // Every byte was read, none past the end, no length or count beyond the bytes.
    bool IsReadExact() const { return !mReadPastEnd && IsReadComplete() && !IsFailed(); }

private:
    bool mReadPastEnd = false;
};

// Loads name (CRC, seed 0) into buffer and calls parse, which answers false for damaged bytes and then
// must leave everything as it was. A file that fails its CRC or its parse is moved to its name + ".bad"
// (logged) and name + ".bak" is tried the same way. False when neither gave a usable file.
// A save file's bytes in memory (CRC, seed 0) into buffer, then parse; false when either fails.
bool ParseSaveBytes(const std::string& bytes, TSaveFileBuffer& buffer, const std::function<bool()>& parse);
bool LoadSaveFile(const std::string& name, TSaveFileBuffer& buffer, const std::function<bool()>& parse);

// The backup the atomic save keeps beside a file.
std::string BackupNameOf(const std::string& name);
