#include <gtest/gtest.h>

#include <string>

#include "app/crc32.h"

namespace {

uint32_t CrcOf(const std::string& text, uint32_t seed = 0) {
    return UpdateCrc32(seed, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

// Expected values computed independently (bitwise CRC-32/MPEG-2 polynomial, MSB first, no final XOR).
TEST(Crc32, MatchesIndependentValues) {
    struct Case {
        std::string input;
        uint32_t seed;
        uint32_t expected;
    };
    const Case cases[] = {
        {"123456789", 0, 0x89A1897Fu},
        {"abc", 0, 0x2C17398Cu},
        {"", 0, 0x00000000u},
        {"", 0x12345678u, 0x12345678u},
        {std::string(1, '\0'), 0, 0x00000000u},
        {"123456789", 0xFFFFFFFFu, 0x0376E6E7u},
        // One set bit at the bottom gives the polynomial itself: bits are taken most significant first.
        {std::string(1, '\x01'), 0, 0x04C11DB7u},
        {std::string(1, '\x80'), 0, 0x690CE0EEu},
        {std::string(4, '\0'), 0x1234u, 0x77951E50u},
        {AllByteValues(), 0, 0xAC148725u},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CrcOf(c.input, c.seed), c.expected) << c.input << " seed " << c.seed;
    }
}

TEST(Crc32, NonPositiveCountLeavesCrc) {
    const uint8_t byte = 0x41;
    EXPECT_EQ(UpdateCrc32(0xDEADBEEFu, &byte, 0), 0xDEADBEEFu);
    EXPECT_EQ(UpdateCrc32(0xDEADBEEFu, &byte, -3), 0xDEADBEEFu);
}

TEST(Crc32, SplitInputChainsThroughSeed) {
    EXPECT_EQ(CrcOf("456789", CrcOf("123")), CrcOf("123456789"));
}

} // namespace
