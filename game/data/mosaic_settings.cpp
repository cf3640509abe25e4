#include "mosaic_settings.h"

#include "app/xml_reader.h"

namespace {
constexpr int kTimeEntryBytes = 8;
constexpr float kDefaultTimeFactor = 5.0f;
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

void TBaseMosaicSettings::LoadFromXml(const TiXmlElement* element) {
    mHintRecharge = ReadXmlInt(element, "hintrecharge", mHintRecharge);
    mUseTimer = ReadXmlBool(element, "usetimer", mUseTimer);
    mShowBonusTime = ReadXmlBool(element, "showbonustime", mShowBonusTime);
    mSetNumbersNow = ReadXmlInt(element, "setnumbersnow", mSetNumbersNow);
    mMaxErrors = ReadXmlInt(element, "maxerrorscount", mMaxErrors);
    std::vector<TiXmlElement*> times;
    CollectXmlChildren(element, "time", times);
    mTimeEntries.clear();
    for (const TiXmlElement* time : times) {
        mTimeEntries.push_back({ReadXmlFloat(time, "time", 0.0f), ReadXmlInt(time, "type", 0)});
    }
}

float TBaseMosaicSettings::GetTimeFactor(int gameType) const {
    for (const TMosaicTimeEntry& entry : mTimeEntries) {
        if (entry.mGameType == gameType) {
            return entry.mSecondsPerItem;
        }
    }
    return kDefaultTimeFactor;
}
