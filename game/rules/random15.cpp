#include "rules/random15.h"

#include <cstdlib>

int Rand15() {
    return std::rand() & 0x7FFF;
}

int RandomBelow(const TRandomSource& random, int bound) {
    // Values are kept to 15 bits whatever the source returns, so a stray value cannot leave the range.
    long long value = random() & 0x7FFF;
    if (bound > 0x8000) {
        value = value * 0x8000 + (random() & 0x7FFF);
    }
    return static_cast<int>(value % bound);
}
