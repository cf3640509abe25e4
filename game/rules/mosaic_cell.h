#pragma once
// One cell of a board as the rules see it: solution, player value and the per-colour memories.

#include <array>

#include "rules/mosaic_pair.h"

struct TMosaicCell {
    int column = 0;
    int row = 0;
    // Rectangle in design pixels.
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    // Inside the shown part of the grid.
    bool visible = false;
    // 0 untouched, 1 .. 15 painted, -1 ruled out, -2 error cross.
    int player = mosaic::kUntouched;
    // The value whose tile the current colour's view shows; differs from the player value only for an
    // error cross of another colour, which keeps player -2 while it looks open or ruled out.
    int shown = mosaic::kUntouched;
    // -1 empty, 1 .. 9 a colour (0 while loading and for cells outside the shown part).
    int solution = 0;
    // The last value set with commit.
    TMosaicPair committed;
    // Entry c - 1: the pair judged wrong here for colour c.
    std::array<TMosaicPair, mosaic::kMaxColours> wrongPairs{};
    // Entry c - 1: -1 when the cell was ruled out for colour c.
    std::array<int, mosaic::kMaxColours> ruledOut{};
    bool hiddenReward = false;
    // The pointer passed over it during the current press.
    bool visited = false;
    // Number shown on the stroke line while a button is held, 0 for none.
    int dragNumber = 0;

    bool IsSolved() const { return solution != mosaic::kEmptySolution && player == solution; }
    // A hidden reward cell painted right: its reward shows and waits to be collected.
    bool IsRewardUncovered() const {
        return hiddenReward && player != mosaic::kUntouched && committed.colour != 0 && IsSolved();
    }
};
