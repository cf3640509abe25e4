// The object state record: position (movable objects only), flags, alpha, draw type, the click and
// tool-click counters, the given flags of the handed-out tools, then the records of the children.

#include <cstdint>

#include "app/buffer.h"
#include "app/log.h"
#include "graphics/saved_flags.h"
#include "objects/object.h"
#include "objects/object_services.h"

namespace {

// The 16-bit stand-in of a counter that has used up an unlimited maximum.
constexpr int kUsedUpMarker = 9999;

// A counter that does not fit 16 bits is saved as the largest value, or as used up when it is, never wrapped.
int EncodeCounter(const TObject& object, const char* what, int counter, int maximum) {
    if (maximum == TObject::kUnlimited && counter == TObject::kUnlimited) {
        return kUsedUpMarker;
    }
    if (counter >= INT16_MIN && counter <= INT16_MAX) {
        return counter;
    }
    const bool usedUp = static_cast<int64_t>(counter) >= static_cast<int64_t>(maximum) - 1;
    const int saved = usedUp ? kUsedUpMarker : INT16_MAX;
    TLogFile::Get()->Printf("object %s: %s counter %d saved as %d", object.mName.c_str(), what, counter, saved);
    return saved;
}

// The marker means used up only where it can: for an unlimited maximum, or one beyond 16 bits.
int DecodeCounter(int saved, int maximum) {
    if (saved == kUsedUpMarker && maximum == TObject::kUnlimited) {
        return TObject::kUnlimited;
    }
    if (saved == kUsedUpMarker && maximum > INT16_MAX) {
        return maximum;
    }
    return saved;
}

} // namespace

void TObject::SaveState(TBaseBuffer& writer) {
    if (mSaveKey.empty()) {
        mSaveKey = BuildSaveKey();
    }
    writer.BeginWriteBlock(mSaveKey.c_str());
    if (IsMovable()) {
        WriteFixed1000(writer, mX);
        WriteFixed1000(writer, mY);
    }
    WriteFlag(writer, mVisible && !(mEffector != nullptr && mEffector->HidesOwnerAtEnd()));
    WriteFixed1000(writer, mAlpha);
    WriteFlag(writer, mLocked);
    WriteFlag(writer, mSolved);
    WriteFlag(writer, mToolApplied);
    writer.WriteInt32(mDrawType);
    writer.WriteInt16(EncodeCounter(*this, "click", mClickCounter, mMaxClicks));
    writer.WriteInt16(EncodeCounter(*this, "tool-click", mToolClickCounter, mMaxToolClicks));
    WriteFlag(writer, mActive);
    writer.WriteInt16(mReserved[0]);
    writer.WriteInt16(mReserved[1]);
    for (const auto* tools : {&mGivenTools, &mGivenToolsAfterEvent}) {
        for (const TGivenTool& tool : *tools) {
            WriteFlag(writer, tool.given);
        }
    }
    for (const auto& child : mChildren) {
        child->SaveState(writer);
    }
    writer.EndBlock();
}

void TObject::RestoreState(TBaseBuffer& reader) {
    if (mSaveKey.empty()) {
        mSaveKey = BuildSaveKey();
    }
    reader.BeginReadBlock(mSaveKey.c_str());
    if (IsMovable()) {
        mX = ReadFixed1000(reader);
        mY = ReadFixed1000(reader);
    }
    mVisible = ReadFlag(reader);
    mAlpha = ReadFixed1000(reader);
    mLocked = ReadFlag(reader);
    mSolved = ReadFlag(reader);
    mToolApplied = ReadFlag(reader);
    mDrawType = reader.ReadInt32();
    mClickCounter = DecodeCounter(reader.ReadInt16(), mMaxClicks);
    mToolClickCounter = DecodeCounter(reader.ReadInt16(), mMaxToolClicks);
    mActive = ReadFlag(reader);
    mReserved[0] = reader.ReadInt16();
    mReserved[1] = reader.ReadInt16();
    for (auto* tools : {&mGivenTools, &mGivenToolsAfterEvent}) {
        for (TGivenTool& tool : *tools) {
            tool.given = ReadFlag(reader);
        }
    }
    for (const auto& child : mChildren) {
        child->RestoreState(reader);
    }
    reader.EndBlock();
}

// A record is taken when the object reads it exactly: nothing failed, nothing read past its end, nothing
// left over. Records of kinds that keep names or lists differ in size from one save to the next, so the
// record cannot be judged by its size alone; a record that does not fit puts back what the object held.
bool RestoreObjectState(TObject& object, TBaseBuffer& record) {
    TBaseBuffer before;
    object.SaveState(before);
    const int size = record.GetBytesLeft();
    if (!record.IsFailed()) {
        object.RestoreState(record);
        if (!record.IsFailed() && !record.HasReadPastEnd() && record.GetBytesLeft() == 0) {
            return true;
        }
    }
    TLogFile::Get()->Printf("object state of %s refused: %d bytes, %d expected", object.mSaveKey.c_str(), size,
                            before.GetSize());
    object.RestoreState(before);
    return false;
}
