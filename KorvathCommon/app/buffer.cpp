#include "app/buffer.h"

#include <cmath>

#include "app/crc32.h"
#include "app/file_object.h"
#include "app/log.h"

bool TBaseBuffer::Save(const std::string& /*path*/, bool /*withCrc*/, uint32_t /*seed*/) {
    return false;
}

bool TBaseBuffer::Load(const std::string& /*path*/, bool /*withCrc*/, uint32_t /*seed*/) {
    return false;
}

void TBaseBuffer::Clear() {
    mBytes.clear();
    mReadPos = 0;
    mWritePos = 0;
    mFailed = false;
    mReadPastEnd = false;
}

void TBaseBuffer::WriteByte(uint8_t value) {
    if (mWritePos < mBytes.size()) {
        mBytes[mWritePos] = value;
    } else {
        mBytes.push_back(value);
    }
    ++mWritePos;
}

void TBaseBuffer::WriteBuffer(const TBaseBuffer& other) {
    WriteBlob(other.mBytes);
    WriteInt32(static_cast<int32_t>(other.Crc(0)));
}

uint8_t TBaseBuffer::ReadByte() {
    if (mReadPos >= mBytes.size()) {
        mReadPastEnd = true;
        return 0;
    }
    return mBytes[mReadPos++];
}

void TBaseBuffer::ReadBuffer(TBaseBuffer& other) {
    std::vector<uint8_t> bytes;
    bool read = ReadBlob(bytes);
    other.mBytes = std::move(bytes);
    if (!read) {
        return;
    }
    const size_t blobEnd = mReadPos;
    const bool crcPresent = GetBytesLeft() >= 4;
    const auto stored = static_cast<uint32_t>(ReadInt32());
    if (!crcPresent || stored != other.Crc(0)) {
        TLogFile::Get()->Printf("nested buffer of block \"%s\" ending at byte %d is damaged (CRC mismatch): dropped",
                                mReadBlock.c_str(), static_cast<int>(blobEnd));
        other.Clear();
        mFailed = true;
    }
}

uint32_t TBaseBuffer::Crc(uint32_t seed) const {
    if (mBytes.empty()) {
        return 0;
    }
    return UpdateCrc32(seed, mBytes.data(), static_cast<int>(mBytes.size()));
}

void TBaseBuffer::WriteInt16(int value) {
    WriteByte(static_cast<uint8_t>(value & 0xFF));
    WriteByte(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void TBaseBuffer::WriteInt32(int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        WriteByte(static_cast<uint8_t>((bits >> shift) & 0xFF));
    }
}

void TBaseBuffer::WriteString(const std::string& text) {
    size_t length = text.size();
    if (length > static_cast<size_t>(kMaxStringBytes)) {
        length = kMaxStringBytes;
        // Never split a UTF-8 character.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            --length;
        }
        TLogFile::Get()->Printf("string of %zu bytes saved cut to %zu bytes", text.size(), length);
    }
    WriteInt16(static_cast<int>(length));
    for (size_t i = 0; i < length; ++i) {
        WriteByte(static_cast<uint8_t>(text[i]));
    }
}

void TBaseBuffer::WriteBlob(const std::vector<uint8_t>& bytes) {
    WriteInt32(static_cast<int32_t>(bytes.size()));
    for (uint8_t b : bytes) {
        WriteByte(b);
    }
}

int16_t TBaseBuffer::ReadInt16() {
    uint16_t low = ReadByte();
    uint16_t high = ReadByte();
    return static_cast<int16_t>(low | (high << 8));
}

int32_t TBaseBuffer::ReadInt32() {
    uint32_t bits = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        bits |= static_cast<uint32_t>(ReadByte()) << shift;
    }
    return static_cast<int32_t>(bits);
}

std::string TBaseBuffer::ReadString() {
    int length = ReadInt16();
    if (length == 0) {
        return "";
    }
    // A negative length was never written by us: damaged data.
    if (length < 0 || !CanRead(length, 1)) {
        mFailed = true;
        return "";
    }
    std::string text(mBytes.begin() + static_cast<std::ptrdiff_t>(mReadPos),
                     mBytes.begin() + static_cast<std::ptrdiff_t>(mReadPos) + length);
    mReadPos += static_cast<size_t>(length);
    return text;
}

bool TBaseBuffer::ReadBlob(std::vector<uint8_t>& bytes) {
    bytes.clear();
    int32_t length = ReadInt32();
    if (length < 0 || !CanRead(length, 1)) {
        mFailed = true;
        return false;
    }
    bytes.assign(mBytes.begin() + static_cast<std::ptrdiff_t>(mReadPos),
                 mBytes.begin() + static_cast<std::ptrdiff_t>(mReadPos) + length);
    mReadPos += static_cast<size_t>(length);
    return true;
}

bool TBaseBuffer::CanRead(int64_t count, int64_t bytesEach) {
    if (count < 0 || bytesEach < 0 || count * bytesEach > GetBytesLeft()) {
        mFailed = true;
        return false;
    }
    return true;
}

bool TBufferBin::Save(const std::string& path, bool withCrc, uint32_t seed) {
    std::vector<uint8_t> file;
    file.reserve(mBytes.size() + 4);
    if (withCrc) {
        uint32_t crc = Crc(seed);
        for (int shift = 0; shift < 32; shift += 8) {
            file.push_back(static_cast<uint8_t>((crc >> shift) & 0xFF));
        }
    }
    file.insert(file.end(), mBytes.begin(), mBytes.end());
    return WriteFileAtomically(path, file.data(), file.size());
}

bool TBufferBin::Load(const std::string& path, bool withCrc, uint32_t seed) {
    Clear();
    std::string file;
    if (!ReadWholeFile(path, file, kMaxFileBytes)) {
        return false;
    }
    return LoadBytes(file, withCrc, seed);
}

bool TBufferBin::LoadBytes(const std::string& file, bool withCrc, uint32_t seed) {
    Clear();
    size_t offset = withCrc ? 4 : 0;
    if (file.size() < offset) {
        return false;
    }
    uint32_t stored = 0;
    for (size_t i = 0; i < offset; ++i) {
        stored |= static_cast<uint32_t>(static_cast<unsigned char>(file[i])) << (8 * i);
    }
    for (size_t i = offset; i < file.size(); ++i) {
        WriteByte(static_cast<uint8_t>(file[i]));
    }
    if (withCrc && stored != Crc(seed)) {
        Clear();
        return false;
    }
    return true;
}

void WriteFixed1000(TBaseBuffer& buffer, float value) {
    double scaled = std::round(static_cast<double>(value) * 1000.0);
    if (!(scaled >= -2147483648.0)) { // also NaN
        scaled = std::isnan(scaled) ? 0.0 : -2147483648.0;
    } else if (scaled > 2147483647.0) {
        scaled = 2147483647.0;
    }
    buffer.WriteInt32(static_cast<int32_t>(scaled));
}

float ReadFixed1000(TBaseBuffer& buffer) {
    // Divided in double: an int beyond float precision rounded to float first would come back as another
    // value from every save.
    return static_cast<float>(static_cast<double>(buffer.ReadInt32()) / 1000.0);
}
