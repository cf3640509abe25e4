#include "app/crc32.h"

#include <array>

namespace {
constexpr std::array<uint32_t, 256> InitCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t x = i << 24;
        for (int bit = 0; bit < 8; ++bit) {
            x = (x & 0x80000000u) != 0 ? (x << 1) ^ 0x04C11DB7u : x << 1;
        }
        table[i] = x;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = InitCrcTable();
} // namespace

uint32_t UpdateCrc32(uint32_t crc, const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        crc = (crc << 8) ^ kCrcTable[((crc >> 24) ^ bytes[i]) & 0xFF];
    }
    return crc;
}
