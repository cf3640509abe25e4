#include "levelcheck/line_solver.h"

#include <cstddef>
#include <utility>

namespace {

// Line positions are ints; the tables are indexed through this.
size_t At(int i) {
    return static_cast<size_t>(i);
}

// The placements of a colour's runs over one line, counted from both ends: Before(j, i) says whether
// the cells before i can hold exactly runs 0 .. j-1, After(j, i) whether the cells from i on can hold
// exactly runs j .. m-1. Runs of one colour need at least one other cell between them.
class TPlacements {
public:
    TPlacements(std::vector<uint8_t> canBe, std::vector<uint8_t> canBeOther, const std::vector<int>& runs);

    bool AnyFits() const { return Before(Runs(), Length()); }
    // Per cell: some fitting placement covers it with a run; some leaves it another value.
    void Collect(std::vector<uint8_t>& covered, std::vector<uint8_t>& uncovered) const;

private:
    int Length() const { return static_cast<int>(mCanBe.size()); }
    int Runs() const { return static_cast<int>(mRuns.size()); }
    int RunLength(int j) const { return mRuns[At(j)]; }
    bool CanBeOther(int k) const { return mCanBeOther[At(k)] != 0; }
    // Every cell of [from, to) can take the colour / another value.
    bool AllColour(int from, int to) const { return mNotColour[At(to)] == mNotColour[At(from)]; }
    bool AllOther(int from, int to) const { return mNotOther[At(to)] == mNotOther[At(from)]; }
    size_t Index(int j, int i) const { return At(j * (Length() + 1) + i); }
    bool Before(int j, int i) const { return mBefore[Index(j, i)] != 0; }
    bool After(int j, int i) const { return mAfter[Index(j, i)] != 0; }

    // Run j on the cells [start, end) fits with everything before / after it.
    bool FitsBeforeRun(int j, int start) const;
    bool FitsAfterRun(int j, int end) const;
    bool Fits(int j, int start) const;
    void CountBefore();
    void CountAfter();

    std::vector<uint8_t> mCanBe;
    std::vector<uint8_t> mCanBeOther;
    std::vector<int> mRuns;
    // Prefix counts of the cells that cannot take the colour / another value.
    std::vector<int> mNotColour;
    std::vector<int> mNotOther;
    std::vector<uint8_t> mBefore;
    std::vector<uint8_t> mAfter;
};

TPlacements::TPlacements(std::vector<uint8_t> canBe, std::vector<uint8_t> canBeOther, const std::vector<int>& runs)
    : mCanBe(std::move(canBe)), mCanBeOther(std::move(canBeOther)), mRuns(runs) {
    mNotColour.assign(mCanBe.size() + 1, 0);
    mNotOther.assign(mCanBe.size() + 1, 0);
    for (int k = 0; k < Length(); ++k) {
        mNotColour[At(k + 1)] = mNotColour[At(k)] + (mCanBe[At(k)] ? 0 : 1);
        mNotOther[At(k + 1)] = mNotOther[At(k)] + (mCanBeOther[At(k)] ? 0 : 1);
    }
    CountBefore();
    CountAfter();
}

bool TPlacements::FitsBeforeRun(int j, int start) const {
    if (j == 0) {
        return AllOther(0, start);
    }
    return start >= 1 && CanBeOther(start - 1) && Before(j, start - 1);
}

bool TPlacements::FitsAfterRun(int j, int end) const {
    if (j == Runs() - 1) {
        return AllOther(end, Length());
    }
    return end < Length() && CanBeOther(end) && After(j + 1, end + 1);
}

bool TPlacements::Fits(int j, int start) const {
    const int end = start + RunLength(j);
    return start >= 0 && end <= Length() && AllColour(start, end) && FitsBeforeRun(j, start) && FitsAfterRun(j, end);
}

void TPlacements::CountBefore() {
    mBefore.assign(Index(Runs(), Length()) + 1, 0);
    for (int i = 0; i <= Length(); ++i) {
        mBefore[Index(0, i)] = AllOther(0, i);
    }
    for (int j = 1; j <= Runs(); ++j) {
        for (int i = 1; i <= Length(); ++i) {
            const int start = i - RunLength(j - 1);
            const bool lastIsOther = CanBeOther(i - 1) && Before(j, i - 1);
            const bool runEndsHere = start >= 0 && AllColour(start, i) && FitsBeforeRun(j - 1, start);
            mBefore[Index(j, i)] = lastIsOther || runEndsHere;
        }
    }
}

void TPlacements::CountAfter() {
    mAfter.assign(Index(Runs(), Length()) + 1, 0);
    for (int i = 0; i <= Length(); ++i) {
        mAfter[Index(Runs(), i)] = AllOther(i, Length());
    }
    for (int j = Runs() - 1; j >= 0; --j) {
        for (int i = Length() - 1; i >= 0; --i) {
            const int end = i + RunLength(j);
            const bool firstIsOther = CanBeOther(i) && After(j, i + 1);
            const bool runStartsHere = end <= Length() && AllColour(i, end) && FitsAfterRun(j, end);
            mAfter[Index(j, i)] = firstIsOther || runStartsHere;
        }
    }
}

void TPlacements::Collect(std::vector<uint8_t>& covered, std::vector<uint8_t>& uncovered) const {
    // Every fitting placement of a run adds one over its cells: +1 at its start, -1 past its end.
    std::vector<int> edges(At(Length() + 1), 0);
    for (int j = 0; j < Runs(); ++j) {
        for (int start = 0; start + RunLength(j) <= Length(); ++start) {
            if (Fits(j, start)) {
                ++edges[At(start)];
                --edges[At(start + RunLength(j))];
            }
        }
    }
    covered.assign(At(Length()), 0);
    uncovered.assign(At(Length()), 0);
    int open = 0;
    for (int k = 0; k < Length(); ++k) {
        open += edges[At(k)];
        covered[At(k)] = open > 0;
        // Another value here lies between run j - 1 and run j for some j.
        for (int j = 0; j <= Runs() && CanBeOther(k) && !uncovered[At(k)]; ++j) {
            uncovered[At(k)] = Before(j, k) && After(j, k + 1);
        }
    }
}

} // namespace

TLineOutcome SolveLine(std::vector<TCellMask>& cells, const TLineView& line, int colour, const std::vector<int>& runs) {
    const TCellMask bit = ColourBit(colour);
    std::vector<uint8_t> canBe(At(line.length));
    std::vector<uint8_t> canBeOther(At(line.length));
    for (int k = 0; k < line.length; ++k) {
        const TCellMask mask = cells[At(line.At(k))];
        canBe[At(k)] = (mask & bit) != 0;
        canBeOther[At(k)] = (mask & ~bit) != 0;
    }
    const TPlacements placements(std::move(canBe), std::move(canBeOther), runs);
    if (!placements.AnyFits()) {
        return TLineOutcome::Contradiction;
    }
    std::vector<uint8_t> covered;
    std::vector<uint8_t> uncovered;
    placements.Collect(covered, uncovered);
    TLineOutcome outcome = TLineOutcome::Unchanged;
    for (int k = 0; k < line.length; ++k) {
        TCellMask& mask = cells[At(line.At(k))];
        TCellMask narrowed = mask;
        if (!uncovered[At(k)]) {
            narrowed = bit;
        } else if (!covered[At(k)]) {
            narrowed = mask & ~bit;
        }
        if (narrowed != mask) {
            mask = narrowed;
            outcome = TLineOutcome::Narrowed;
        }
    }
    return outcome;
}
