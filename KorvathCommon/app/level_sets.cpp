#include "app/level_sets.h"

#include <algorithm>

namespace {
const TLevelSetSource* gSource = nullptr;
} // namespace

void SetLevelSetSource(const TLevelSetSource* source) {
    gSource = source;
}

int LevelSetOfMode(int mode) {
    return mode == 0 ? 0 : 1;
}

int GetLevelSetStageCount(int levelSet) {
    return gSource == nullptr ? 0 : std::max(0, gSource->GetStageCount(levelSet));
}

int GetLevelSetStageLevels(int levelSet, int stage) {
    if (gSource == nullptr || stage < 0 || stage >= GetLevelSetStageCount(levelSet)) {
        return 0;
    }
    return std::max(0, gSource->GetStageLevelCount(levelSet, stage));
}

int GetLevelSetTotal(int levelSet) {
    int total = 0;
    for (int stage = 0; stage < GetLevelSetStageCount(levelSet); ++stage) {
        total += GetLevelSetStageLevels(levelSet, stage);
    }
    return total;
}
