#pragma once
// The shape of the game's two level sets (stages holding levels) as the profile needs it: how many
// stages a set has and how many levels each stage holds. The stage catalogue installs its source when
// it loads; until then every set is empty.

// Level set 0 is the main set, 1 the second one.
constexpr int kLevelSetCount = 2;

class TLevelSetSource {
public:
    virtual ~TLevelSetSource() = default;
    virtual int GetStageCount(int levelSet) const = 0;
    virtual int GetStageLevelCount(int levelSet, int stage) const = 0;
};

// The source stays owned by the caller; null removes it.
void SetLevelSetSource(const TLevelSetSource* source);

// Mode 0 plays the main set, any other mode the second one.
int LevelSetOfMode(int mode);

int GetLevelSetStageCount(int levelSet);
// 0 for a stage that does not exist.
int GetLevelSetStageLevels(int levelSet, int stage);
// The levels of all stages of the set.
int GetLevelSetTotal(int levelSet);
