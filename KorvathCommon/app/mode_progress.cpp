#include "app/mode_progress.h"

#include "app/level_sets.h"

namespace {

void WriteFlag(TBaseBuffer& buffer, bool flag) {
    buffer.WriteByte(flag ? 1 : 0);
}

bool ReadFlag(TBaseBuffer& buffer) {
    return buffer.ReadByte() != 0;
}

} // namespace

void TModeProgress::Reset(int levelSet) {
    *this = TModeProgress();
    mLevels.assign(static_cast<size_t>(GetLevelSetTotal(levelSet)), TLevelProgress());
}

void TModeProgress::Write(TBaseBuffer& buffer) const {
    buffer.WriteInt32(mStage);
    buffer.WriteInt32(mLevel);
    buffer.WriteInt32(mLevelScore);
    buffer.WriteInt32(mScore);
    buffer.WriteInt32(mFifthValue);
    WriteFlag(buffer, mStateByte4);
    WriteFlag(buffer, mStateByte5);
    WriteFlag(buffer, mModePlayed);
    WriteFlag(buffer, mLevelRunning);
    WriteFlag(buffer, mStateByte2);
    for (bool shown : mHelpShown) {
        WriteFlag(buffer, shown);
    }
    for (bool flag : mSpareFlags) {
        WriteFlag(buffer, flag);
    }
    buffer.WriteInt32(static_cast<int32_t>(mLevels.size()));
    for (const TLevelProgress& level : mLevels) {
        buffer.WriteInt32(level.mLastTime);
        buffer.WriteInt32(level.mBestScore);
        buffer.WriteInt32(level.mBestStars);
    }
}

void TModeProgress::Read(TBaseBuffer& buffer, int levelSet) {
    mStage = buffer.ReadInt32();
    mLevel = buffer.ReadInt32();
    mLevelScore = buffer.ReadInt32();
    mScore = buffer.ReadInt32();
    mFifthValue = buffer.ReadInt32();
    mStateByte4 = ReadFlag(buffer);
    mStateByte5 = ReadFlag(buffer);
    mModePlayed = ReadFlag(buffer);
    mLevelRunning = ReadFlag(buffer);
    mStateByte2 = ReadFlag(buffer);
    for (bool& shown : mHelpShown) {
        shown = ReadFlag(buffer);
    }
    for (bool& flag : mSpareFlags) {
        flag = ReadFlag(buffer);
    }
    const int32_t count = buffer.ReadInt32();
    if (!buffer.CanRead(count, 12)) {
        return;
    }
    mLevels.assign(static_cast<size_t>(GetLevelSetTotal(levelSet)), TLevelProgress());
    for (int32_t i = 0; i < count; ++i) {
        TLevelProgress level;
        level.mLastTime = buffer.ReadInt32();
        level.mBestScore = buffer.ReadInt32();
        level.mBestStars = buffer.ReadInt32();
        if (static_cast<size_t>(i) < mLevels.size()) {
            mLevels[static_cast<size_t>(i)] = level;
        }
    }
}

int TModeProgress::CountFirstStageLevels(bool secondSet, bool (*done)(int bestScore)) const {
    const int levels = GetLevelSetStageLevels(secondSet ? 1 : 0, 0);
    int count = 0;
    for (int i = 0; i < levels && static_cast<size_t>(i) < mLevels.size(); ++i) {
        if (done(mLevels[static_cast<size_t>(i)].mBestScore)) {
            ++count;
        }
    }
    return count;
}

bool TModeProgress::IsFirstStageDone(bool secondSet) const {
    const int scored = CountFirstStageLevels(secondSet, [](int bestScore) { return bestScore != 0; });
    return scored == GetLevelSetStageLevels(secondSet ? 1 : 0, 0);
}

bool TModeProgress::HasFiveLevelsDone(bool secondSet) const {
    return CountFirstStageLevels(secondSet, [](int bestScore) { return bestScore > 0; }) >= 5;
}
