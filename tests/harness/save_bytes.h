#pragma once
// Test helpers for the save files: expected bytes written out by hand, and level sets of a fixed shape.

#include <cstdint>
#include <string>
#include <vector>

#include "app/crc32.h"
#include "app/level_sets.h"

namespace harness {

// Little-endian bytes built value by value, independently of the game's buffer.
class SaveBytes {
public:
    SaveBytes& I32(int64_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            mBytes.push_back(static_cast<char>((value >> shift) & 0xFF));
        }
        return *this;
    }
    SaveBytes& I16(int value) {
        mBytes.push_back(static_cast<char>(value & 0xFF));
        mBytes.push_back(static_cast<char>((value >> 8) & 0xFF));
        return *this;
    }
    SaveBytes& U8(int value) {
        mBytes.push_back(static_cast<char>(value & 0xFF));
        return *this;
    }
    SaveBytes& Str(const std::string& text) {
        I16(static_cast<int>(text.size()));
        mBytes += text;
        return *this;
    }
    SaveBytes& Raw(const std::string& bytes) {
        mBytes += bytes;
        return *this;
    }
    const std::string& Payload() const { return mBytes; }
    // The file: the CRC-32 (seed 0) of the payload, then the payload.
    std::string File() const { return WithCrc(mBytes); }

    static std::string WithCrc(const std::string& payload) {
        const uint32_t crc =
            UpdateCrc32(0, reinterpret_cast<const uint8_t*>(payload.data()), static_cast<int>(payload.size()));
        return SaveBytes().I32(crc).Payload() + payload;
    }

private:
    std::string mBytes;
};

// Level sets given as the level count of each stage; installed for the lifetime of the object.
class FixedLevelSets : public TLevelSetSource {
public:
    FixedLevelSets(std::vector<int> mainSet, std::vector<int> secondSet) : mSets{mainSet, secondSet} {
        SetLevelSetSource(this);
    }
    ~FixedLevelSets() override { SetLevelSetSource(nullptr); }
    FixedLevelSets(const FixedLevelSets&) = delete;
    FixedLevelSets& operator=(const FixedLevelSets&) = delete;

    void Set(int levelSet, std::vector<int> stages) { mSets[levelSet] = std::move(stages); }
    int GetStageCount(int levelSet) const override { return static_cast<int>(mSets[levelSet].size()); }
    int GetStageLevelCount(int levelSet, int stage) const override { return mSets[levelSet][stage]; }

private:
    std::vector<int> mSets[kLevelSetCount];
};

} // namespace harness
