#pragma once
// Flags in saved records: one byte, 0 or 1; any non-zero byte reads as true.

#include "app/buffer.h"

inline void WriteFlag(TBaseBuffer& buffer, bool value) {
    buffer.WriteByte(value ? 1 : 0);
}
inline bool ReadFlag(TBaseBuffer& buffer) {
    return buffer.ReadByte() != 0;
}
