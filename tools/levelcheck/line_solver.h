#pragma once
// What line logic knows of each cell, and one step of it: a line of one colour narrowed to what every
// placement of its runs that fits the known cells agrees on.

#include <cstdint>
#include <vector>

#include "rules/mosaic_runs.h"

// Bit 0: the cell may be empty; bit c: it may be colour c. One bit left means the cell is proved.
using TCellMask = uint32_t;

constexpr TCellMask kEmptyBit = 1;
constexpr TCellMask ColourBit(int colour) {
    return TCellMask{1} << colour;
}
// Empty or any of the colours 1 .. colours.
constexpr TCellMask AnyValue(int colours) {
    return (TCellMask{1} << (colours + 1)) - 1;
}

enum class TLineOutcome { Unchanged, Narrowed, Contradiction };

// Narrows the cells of the line for one colour whose runs in the line have the given lengths, in order.
// A cell that every fitting placement covers becomes that colour; one that none covers loses the colour.
// Contradiction when no placement fits (the cells are left as they were).
TLineOutcome SolveLine(std::vector<TCellMask>& cells, const TLineView& line, int colour, const std::vector<int>& runs);
