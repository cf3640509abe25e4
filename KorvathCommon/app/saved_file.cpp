#include "app/saved_file.h"

#include <cstdio>

#include "app/file_object.h"
#include "app/log.h"

namespace {

enum class TLoadResult { Missing, Damaged, Loaded };

void SetAside(const std::string& name) {
    const std::string path = ResolvePath(name);
    const std::string bad = path + ".bad";
    if (std::rename(path.c_str(), bad.c_str()) != 0) {
        TLogFile::Get()->Printf("damaged file %s could not be moved", path.c_str());
        return;
    }
    TLogFile::Get()->Printf("damaged file %s moved to %s", path.c_str(), bad.c_str());
}

TLoadResult LoadOne(const std::string& name, TSaveFileBuffer& buffer, const std::function<bool()>& parse) {
    // A FIFO, device, socket or folder under the name is never opened: it would block or read nothing.
    if (!IsRegularFileOrMissing(ResolvePath(name))) {
        TLogFile::Get()->Printf("not a regular file %s", ResolvePath(name).c_str());
        SetAside(name);
        return TLoadResult::Damaged;
    }
    if (!FileExists(name)) {
        return TLoadResult::Missing;
    }
    std::string bytes;
    if (ReadWholeFile(name, bytes, TBufferBin::kMaxFileBytes) && ParseSaveBytes(bytes, buffer, parse)) {
        return TLoadResult::Loaded;
    }
    SetAside(name);
    return TLoadResult::Damaged;
}

} // namespace

uint8_t TSaveFileBuffer::ReadByte() {
    if (IsReadComplete()) {
        mReadPastEnd = true;
    }
    return TBufferBin::ReadByte();
}

void TSaveFileBuffer::Clear() {
    TBufferBin::Clear();
    mReadPastEnd = false;
}

bool ParseSaveBytes(const std::string& bytes, TSaveFileBuffer& buffer, const std::function<bool()>& parse) {
    return buffer.LoadBytes(bytes, true, 0) && parse();
}

bool LoadSaveFile(const std::string& name, TSaveFileBuffer& buffer, const std::function<bool()>& parse) {
    if (LoadOne(name, buffer, parse) == TLoadResult::Loaded) {
        return true;
    }
    const std::string backup = BackupNameOf(name);
    if (LoadOne(backup, buffer, parse) != TLoadResult::Loaded) {
        buffer.Clear();
        return false;
    }
    TLogFile::Get()->Printf("loaded backup %s", ResolvePath(backup).c_str());
    return true;
}

std::string BackupNameOf(const std::string& name) {
    return name + ".bak";
}
