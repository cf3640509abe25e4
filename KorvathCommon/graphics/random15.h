#pragma once
// The runtime's random numbers kept to 15 bits (0 to 32767), the range the engine's arithmetic assumes.

#include <cstdlib>

inline int Rand15() {
    return std::rand() & 0x7FFF;
}
