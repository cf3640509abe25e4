#pragma once
// Byte buffers of the save files: values written and read byte by byte, least significant byte first.

#include <cstdint>
#include <string>
#include <vector>

class TBaseBuffer {
public:
    // Longest string a record can hold: its length is a signed 16-bit number.
    static constexpr int kMaxStringBytes = 32767;

    TBaseBuffer() = default;
    virtual ~TBaseBuffer() = default;

    virtual bool Save(const std::string& path, bool withCrc, uint32_t seed);
    virtual bool Load(const std::string& path, bool withCrc, uint32_t seed);
    // Labels around groups of values; they never reach the bytes. The read label names the block in
    // the log when a nested buffer in it is damaged.
    virtual void BeginWriteBlock(const char* label) {}
    virtual void BeginReadBlock(const char* label) { mReadBlock = label != nullptr ? label : ""; }
    virtual void EndBlock() {}
    virtual void Clear();
    virtual void WriteByte(uint8_t value);
    // The other buffer's bytes as a blob, then its CRC (seed 0).
    virtual void WriteBuffer(const TBaseBuffer& other);
    // 0 without moving when the read position is at the end.
    virtual uint8_t ReadByte();
    // A blob into the other buffer's bytes, checked against the 4 CRC bytes after it. On a mismatch
    // the other buffer is emptied, this one is marked failed and one log line names the block.
    virtual void ReadBuffer(TBaseBuffer& other);
    virtual uint32_t Crc(uint32_t seed) const;

    void WriteInt16(int value);
    void WriteInt32(int32_t value);
    // A 16-bit length and the bytes; a longer text is cut to kMaxStringBytes with a log line.
    void WriteString(const std::string& text);
    void WriteBlob(const std::vector<uint8_t>& bytes);

    int16_t ReadInt16();
    int32_t ReadInt32();
    std::string ReadString();
    // False (array empty, buffer failed) when the stored length exceeds the bytes left.
    bool ReadBlob(std::vector<uint8_t>& bytes);

    // Checks that count records of at least bytesEach bytes can still be read; sets the failed flag if not.
    bool CanRead(int64_t count, int64_t bytesEach);

    // Sticky: a length or count beyond the bytes left was met. Cleared only by Clear.
    bool IsFailed() const { return mFailed; }
    void SetFailed() { mFailed = true; }
    // Sticky: a read met the end and yielded 0 (a record shorter than its reader). Cleared only by Clear.
    bool HasReadPastEnd() const { return mReadPastEnd; }

    int GetSize() const { return static_cast<int>(mBytes.size()); }
    int GetReadPosition() const { return static_cast<int>(mReadPos); }
    int GetBytesLeft() const { return static_cast<int>(mBytes.size() - mReadPos); }
    bool IsReadComplete() const { return mReadPos >= mBytes.size(); }
    const std::vector<uint8_t>& GetBytes() const { return mBytes; }

protected:
    std::vector<uint8_t> mBytes;
    size_t mReadPos = 0;
    size_t mWritePos = 0;
    bool mFailed = false;
    bool mReadPastEnd = false;
    std::string mReadBlock;
};

// The buffer of save files: saved as a CRC-32 of the payload followed by the payload.
class TBufferBin : public TBaseBuffer {
public:
    // Save files are a few kilobytes; anything far larger is not one of ours.
    static constexpr size_t kMaxFileBytes = 16 * 1024 * 1024;

    ~TBufferBin() override = default;
    // Written through the atomic save of the file layer: the old file survives any failure.
    bool Save(const std::string& path, bool withCrc, uint32_t seed) override;
    // A missing, short, oversized or damaged file fails and leaves the buffer empty.
    bool Load(const std::string& path, bool withCrc, uint32_t seed) override;
    // The same from a file's bytes in memory.
    bool LoadBytes(const std::string& file, bool withCrc, uint32_t seed);
};

// Floats in records: the nearest integer of value x 1000, so a value survives any number of cycles.
void WriteFixed1000(TBaseBuffer& buffer, float value);
float ReadFixed1000(TBaseBuffer& buffer);
