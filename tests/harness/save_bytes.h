#pragma once
// Test helpers for the save files: expected bytes written out by hand, and level sets of a fixed shape.

#include <cstdint>
#include <functional>
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

    // A file whose payload has bytes replaced at an offset, with its CRC made right again.
    static std::string Patched(const std::string& file, size_t offset, const std::string& bytes) {
        std::string payload = file.substr(4);
        payload.replace(offset, bytes.size(), bytes);
        return WithCrc(payload);
    }

    static std::string WithCrc(const std::string& payload) {
        const uint32_t crc =
            UpdateCrc32(0, reinterpret_cast<const uint8_t*>(payload.data()), static_cast<int>(payload.size()));
        return SaveBytes().I32(crc).Payload() + payload;
    }

private:
    std::string mBytes;
};

// One way a save file gets damaged: its damaged bytes made from its good ones.
struct FileDamage {
    const char* name;
    std::function<std::string(const std::string& file)> make;
};

// A payload value replaced, with the CRC made right again: damage only the reader can see.
inline FileDamage PatchedAt(const char* name, size_t offset, const SaveBytes& bytes) {
    return {name,
            [offset, bytes](const std::string& file) { return SaveBytes::Patched(file, offset, bytes.Payload()); }};
}

// Damage the CRC check catches, and the zero-filled files it cannot.
inline std::vector<FileDamage> FrameDamages() {
    return {
        {"flipped byte",
         [](const std::string& file) {
             std::string bytes = file;
             bytes.back() = static_cast<char>(bytes.back() ^ 0x01);
             return bytes;
         }},
        {"truncated", [](const std::string& file) { return file.substr(0, file.size() - 2); }},
        {"shorter than its crc", [](const std::string& file) { return file.substr(0, 3); }},
        {"zero-filled", [](const std::string& file) { return std::string(file.size(), '\0'); }},
        {"only a zero crc", [](const std::string&) { return std::string(4, '\0'); }},
    };
}

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
