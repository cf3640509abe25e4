#include "mosaic_settings.h"

namespace {
constexpr int kTimeEntryBytes = 8;
} // namespace

void TBaseMosaicSettings::Read(TBaseBuffer& buffer) {
    mHintRecharge = buffer.ReadInt32();
    mUseTimer = buffer.ReadByte() != 0;
    mShowBonusTime = buffer.ReadByte() != 0;
    mSetNumbersNow = buffer.ReadInt32();
    mMaxErrors = buffer.ReadInt32();
    mTimeEntries.clear();
    while (buffer.GetBytesLeft() >= kTimeEntryBytes) {
        TMosaicTimeEntry entry;
        entry.mSecondsPerItem = ReadFixed1000(buffer);
        entry.mGameType = buffer.ReadInt32();
        mTimeEntries.push_back(entry);
    }
}

void TBaseMosaicSettings::Write(TBaseBuffer& buffer) const {
    buffer.WriteInt32(mHintRecharge);
    buffer.WriteByte(mUseTimer ? 1 : 0);
    buffer.WriteByte(mShowBonusTime ? 1 : 0);
    buffer.WriteInt32(mSetNumbersNow);
    buffer.WriteInt32(mMaxErrors);
    for (const TMosaicTimeEntry& entry : mTimeEntries) {
        WriteFixed1000(buffer, entry.mSecondsPerItem);
        buffer.WriteInt32(entry.mGameType);
    }
}
