#pragma once
// The (colour, shape) pair in which the board passes cell values, and the values a cell can hold.

namespace mosaic {
// Player values of a cell; 1 .. kMaxColours are painted with that colour.
constexpr int kUntouched = 0;
constexpr int kRuledOut = -1;
constexpr int kErrorCross = -2;
// Solution of a visible cell that belongs to no colour.
constexpr int kEmptySolution = -1;
// Cells keep per-colour memories for colour numbers 1 .. kMaxColours.
constexpr int kMaxColours = 15;
} // namespace mosaic

struct TMosaicPair {
    int colour = 0;
    int shape = 0; // always 0 in this game; carried and compared where the rules say so

    bool operator==(const TMosaicPair& other) const = default;
};
