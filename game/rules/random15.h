#pragma once
// Random numbers of 15 bits, the range the board's choices were worked out for.

#include <functional>
#include <utility>
#include <vector>

// A source of values in 0 .. 32767; tests pass their own to make choices repeatable.
using TRandomSource = std::function<int()>;

// The runtime's rand cut to 15 bits.
int Rand15();

// Uniform shuffle driven by the source (each item swapped with one at or before it).
template <typename T> void ShuffleWith(std::vector<T>& items, const TRandomSource& random);

// A value in 0 .. bound - 1 (bound > 0); two draws when the bound exceeds 15 bits.
int RandomBelow(const TRandomSource& random, int bound);

template <typename T> void ShuffleWith(std::vector<T>& items, const TRandomSource& random) {
    for (int i = static_cast<int>(items.size()) - 1; i > 0; --i) {
        int j = RandomBelow(random, i + 1);
        std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
    }
}
