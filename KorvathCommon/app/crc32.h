#pragma once
// CRC-32 of the save files: polynomial 0x04C11DB7, most significant bit first, the caller's
// initial value, no final XOR.

#include <cstdint>

uint32_t UpdateCrc32(uint32_t crc, const uint8_t* bytes, int count);
