#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/app_config.h"
#include "app/buffer.h"
#include "app/file_object.h"
#include "harness/harness.h"

namespace {

using Bytes = std::vector<uint8_t>;

TBaseBuffer BufferOf(const Bytes& bytes) {
    TBaseBuffer buffer;
    for (uint8_t b : bytes) {
        buffer.WriteByte(b);
    }
    return buffer;
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes Concat(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(Buffer, EveryValueHasItsByteLayout) {
    const std::string text300(300, 's');
    const struct {
        const char* what;
        std::function<void(TBaseBuffer&)> write;
        Bytes bytes;
    } cases[] = {
        {"byte", [](TBaseBuffer& b) { b.WriteByte(0xAB); }, {0xAB}},
        {"int32 1000", [](TBaseBuffer& b) { b.WriteInt32(1000); }, {0xE8, 0x03, 0x00, 0x00}},
        {"int32 -2", [](TBaseBuffer& b) { b.WriteInt32(-2); }, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"int32 min", [](TBaseBuffer& b) { b.WriteInt32(INT32_MIN); }, {0x00, 0x00, 0x00, 0x80}},
        {"int16 0x1234", [](TBaseBuffer& b) { b.WriteInt16(0x1234); }, {0x34, 0x12}},
        {"string", [](TBaseBuffer& b) { b.WriteString("ab"); }, {0x02, 0x00, 'a', 'b'}},
        {"empty string", [](TBaseBuffer& b) { b.WriteString(""); }, {0x00, 0x00}},
        {"string 300", [&](TBaseBuffer& b) { b.WriteString(text300); }, Concat({0x2C, 0x01}, BytesOf(text300))},
        {"blob",
         [](TBaseBuffer& b) {
             b.WriteBlob({1, 2, 3});
         },
         {0x03, 0x00, 0x00, 0x00, 1, 2, 3}},
        {"buffer",
         [](TBaseBuffer& b) {
             b.WriteBuffer(BufferOf({1, 2, 3}));
         },
         {0x03, 0x00, 0x00, 0x00, 1, 2, 3, 0x51, 0x14, 0x69, 0xAC}},
        {"empty buffer", [](TBaseBuffer& b) { b.WriteBuffer(TBaseBuffer()); }, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"float 0.4", [](TBaseBuffer& b) { WriteFixed1000(b, 0.4f); }, {0x90, 0x01, 0x00, 0x00}},
        {"float -1.5", [](TBaseBuffer& b) { WriteFixed1000(b, -1.5f); }, {0x24, 0xFA, 0xFF, 0xFF}},
        {"float 2.5", [](TBaseBuffer& b) { WriteFixed1000(b, 2.5f); }, {0xC4, 0x09, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        TBaseBuffer buffer;
        c.write(buffer);
        EXPECT_EQ(buffer.GetBytes(), c.bytes) << c.what;
    }
}

TEST(Buffer, ValuesReadBackInWriteOrder) {
    TBaseBuffer buffer;
    buffer.WriteInt32(-123456);
    buffer.WriteString("name \xD0\x98");
    buffer.WriteBlob({9, 8});
    buffer.WriteBuffer(BufferOf({5, 6, 7}));
    WriteFixed1000(buffer, -0.25f);
    buffer.WriteInt16(-2);
    buffer.WriteByte(7);

    EXPECT_EQ(buffer.ReadInt32(), -123456);
    EXPECT_EQ(buffer.ReadString(), "name \xD0\x98");
    Bytes blob;
    EXPECT_TRUE(buffer.ReadBlob(blob));
    EXPECT_EQ(blob, (Bytes{9, 8}));
    TBaseBuffer inner;
    buffer.ReadBuffer(inner);
    EXPECT_EQ(inner.GetBytes(), (Bytes{5, 6, 7}));
    EXPECT_FLOAT_EQ(ReadFixed1000(buffer), -0.25f);
    EXPECT_EQ(buffer.ReadInt16(), -2);
    EXPECT_EQ(buffer.ReadByte(), 7);
    EXPECT_TRUE(buffer.IsReadComplete());
    EXPECT_FALSE(buffer.IsFailed());
}

TEST(Buffer, ADamagedInnerBufferIsDroppedAndFailsTheOuterOne) {
    TBaseBuffer outer;
    outer.WriteBuffer(BufferOf({5, 6, 7}));
    outer.WriteByte(42);
    const struct {
        const char* what;
        int flipped; // -1: none
    } cases[] = {{"whole", -1}, {"a payload byte", 5}, {"the first CRC byte", 7}, {"the last CRC byte", 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string line =
            "nested buffer of block \"object states\" ending at byte 7 is damaged (CRC mismatch): dropped";
        const auto countLine = [&line] {
            const std::vector<std::string> lines = harness::LogLines();
            return std::count(lines.begin(), lines.end(), line);
        };
        const auto before = countLine();
        Bytes bytes = outer.GetBytes();
        if (c.flipped >= 0) {
            bytes[static_cast<size_t>(c.flipped)] ^= 0xFF;
        }
        TBaseBuffer read = BufferOf(bytes);
        read.BeginReadBlock("object states");
        TBaseBuffer inner = BufferOf({1});
        read.ReadBuffer(inner);
        const bool damaged = c.flipped >= 0;
        EXPECT_EQ(inner.GetBytes(), damaged ? Bytes{} : (Bytes{5, 6, 7}));
        EXPECT_EQ(read.IsFailed(), damaged);
        EXPECT_EQ(countLine() - before, damaged ? 1 : 0);
        // The values after the block are still where they were.
        EXPECT_EQ(read.ReadByte(), 42);
    }
}

TEST(Buffer, FloatsRoundToNearestAndSurviveRepeatedCycles) {
    const struct {
        float value;
        int32_t stored;
    } cases[] = {{0.7f, 700},   {0.35f, 350},  {0.9f, 900},         {0.01f, 10},
                 {0.251f, 251}, {-0.7f, -700}, {1234.567f, 1234567}};
    for (const auto& c : cases) {
        float value = c.value;
        for (int cycle = 0; cycle < 50; ++cycle) {
            TBaseBuffer buffer;
            WriteFixed1000(buffer, value);
            TBaseBuffer copy = BufferOf(buffer.GetBytes());
            EXPECT_EQ(copy.ReadInt32(), c.stored) << c.value << " cycle " << cycle;
            value = ReadFixed1000(buffer);
        }
        EXPECT_EQ(value, c.value);
    }
}

// A damaged or foreign file may hold any int: what one load makes of it saves the same way ever after.
TEST(Buffer, AnyStoredFloatKeepsItsValueAfterOneCycle) {
    for (int32_t stored : {-27871722, -27871723, 16777217, -16777219, 123456789, INT32_MAX, INT32_MIN}) {
        int32_t written[3] = {stored, 0, 0};
        for (int cycle = 1; cycle < 3; ++cycle) {
            TBaseBuffer in;
            in.WriteInt32(written[cycle - 1]);
            TBaseBuffer out;
            WriteFixed1000(out, ReadFixed1000(in));
            written[cycle] = out.ReadInt32();
        }
        EXPECT_EQ(written[2], written[1]) << stored;
        EXPECT_LE(std::abs(static_cast<int64_t>(written[1]) - stored), 1000) << stored;
    }
}

TEST(Buffer, FloatsOutsideTheIntRangeAreClamped) {
    const struct {
        float value;
        int32_t stored;
    } cases[] = {{1e10f, INT32_MAX}, {-1e10f, INT32_MIN}, {NAN, 0}, {INFINITY, INT32_MAX}};
    for (const auto& c : cases) {
        TBaseBuffer buffer;
        WriteFixed1000(buffer, c.value);
        EXPECT_EQ(buffer.ReadInt32(), c.stored) << c.value;
    }
}

TEST(Buffer, ReadingPastTheEndGivesZerosWithoutMoving) {
    TBaseBuffer buffer = BufferOf({0x11, 0x22});
    EXPECT_EQ(buffer.ReadInt32(), 0x2211);
    EXPECT_EQ(buffer.GetReadPosition(), 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(buffer.ReadByte(), 0);
        EXPECT_EQ(buffer.GetReadPosition(), 2);
    }
    EXPECT_EQ(ReadFixed1000(buffer), 0.0f);
    EXPECT_FALSE(buffer.IsFailed());
}

TEST(Buffer, LengthsBeyondTheBytesLeftFailAndReadNothing) {
    const struct {
        const char* what;
        Bytes bytes;
        std::function<void(TBaseBuffer&)> read;
        int positionAfter;
    } cases[] = {
        {"string longer than data", {0x05, 0x00, 'a', 'b'}, [](TBaseBuffer& b) { EXPECT_EQ(b.ReadString(), ""); }, 2},
        {"string of negative length", {0x00, 0x80, 'a'}, [](TBaseBuffer& b) { EXPECT_EQ(b.ReadString(), ""); }, 2},
        {"huge blob",
         {0xFF, 0xFF, 0xFF, 0x7F, 1},
         [](TBaseBuffer& b) {
             Bytes blob{1};
             EXPECT_FALSE(b.ReadBlob(blob));
             EXPECT_TRUE(blob.empty());
         },
         4},
        {"negative blob",
         {0xFF, 0xFF, 0xFF, 0xFF, 1},
         [](TBaseBuffer& b) {
             Bytes blob;
             EXPECT_FALSE(b.ReadBlob(blob));
         },
         4},
        {"blob one byte short",
         {0x02, 0x00, 0x00, 0x00, 1},
         [](TBaseBuffer& b) {
             Bytes blob;
             EXPECT_FALSE(b.ReadBlob(blob));
         },
         4},
        {"inner buffer too long",
         {0x09, 0x00, 0x00, 0x00, 1, 2, 3, 4, 5},
         [](TBaseBuffer& b) {
             TBaseBuffer inner = BufferOf({7});
             b.ReadBuffer(inner);
             EXPECT_TRUE(inner.GetBytes().empty());
         },
         4},
        {"count of records", {1, 2, 3, 4, 5}, [](TBaseBuffer& b) { EXPECT_FALSE(b.CanRead(3, 2)); }, 0},
        {"negative count", {1, 2}, [](TBaseBuffer& b) { EXPECT_FALSE(b.CanRead(-1, 1)); }, 0},
    };
    for (const auto& c : cases) {
        TBaseBuffer buffer = BufferOf(c.bytes);
        c.read(buffer);
        EXPECT_TRUE(buffer.IsFailed()) << c.what;
        EXPECT_EQ(buffer.GetReadPosition(), c.positionAfter) << c.what;
    }
}

TEST(Buffer, FailedFlagStaysUntilClear) {
    TBaseBuffer buffer = BufferOf({0x05, 0x00, 0x00, 0x00, 1, 'x', 'y'});
    EXPECT_TRUE(buffer.CanRead(7, 1));
    EXPECT_FALSE(buffer.IsFailed());
    Bytes blob;
    EXPECT_FALSE(buffer.ReadBlob(blob));
    // Later reads that fit do not clear it.
    EXPECT_EQ(buffer.ReadByte(), 1);
    EXPECT_TRUE(buffer.CanRead(2, 1));
    EXPECT_TRUE(buffer.IsFailed());
    buffer.Clear();
    EXPECT_FALSE(buffer.IsFailed());
    EXPECT_EQ(buffer.GetSize(), 0);
}

TEST(Buffer, ExactLengthsAreNotFailures) {
    TBaseBuffer buffer = BufferOf({0x02, 0x00, 'o', 'k', 0x01, 0x00, 0x00, 0x00, 9});
    EXPECT_EQ(buffer.ReadString(), "ok");
    Bytes blob;
    EXPECT_TRUE(buffer.ReadBlob(blob));
    EXPECT_EQ(blob, Bytes{9});
    EXPECT_FALSE(buffer.IsFailed());
}

TEST(Buffer, OverlongStringsAreCutWithALogLine) {
    const struct {
        std::string text;
        size_t kept;
    } cases[] = {
        {std::string(32767, 'a'), 32767},
        {std::string(32768, 'b'), 32767},
        {std::string(70000, 'c'), 32767},
        // A two-byte character across the limit is dropped whole.
        {std::string(32766, 'd') + "\xD0\x98" + "tail", 32766},
    };
    for (const auto& c : cases) {
        TBaseBuffer buffer;
        buffer.WriteString(c.text);
        buffer.WriteInt32(77);
        EXPECT_EQ(buffer.ReadString(), c.text.substr(0, c.kept));
        EXPECT_EQ(buffer.ReadInt32(), 77) << "the next value keeps its place";
        EXPECT_FALSE(buffer.IsFailed());
    }
    EXPECT_TRUE(harness::LogContains("string of 32768 bytes saved cut to 32767 bytes"));
    EXPECT_TRUE(harness::LogContains("string of 32772 bytes saved cut to 32766 bytes"));
    EXPECT_FALSE(harness::LogContains("string of 32767"));
}

TEST(Buffer, CrcOfEmptyBufferIsZeroForAnySeed) {
    EXPECT_EQ(TBaseBuffer().Crc(0x12345678u), 0u);
    EXPECT_EQ(BufferOf(BytesOf("123456789")).Crc(0), 0x89A1897Fu);
}

// Save files in a fresh per-user folder; the write seam is switched off again afterwards.
class BufferFileTest : public testing::Test {
protected:
    void SetUp() override { TAppConfig::Get()->CreateFolders(); }
    void TearDown() override { SetWriteFault(TWriteFault::None); }

    static std::string PathOf(const std::string& name) {
        return harness::TestDataHome() + "/Korvath Games/Verdanel/" + name;
    }
    static std::string Raw(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
};

TEST_F(BufferFileTest, SavesCrcThenPayloadAndLoadsItBack) {
    TBufferBin buffer;
    buffer.WriteInt32(1000);
    ASSERT_TRUE(buffer.Save("user:save.dat", true, 0));
    EXPECT_EQ(harness::ReadFile(PathOf("save.dat")), Raw({0x3A, 0x86, 0x9F, 0x66, 0xE8, 0x03, 0x00, 0x00}));

    TBufferBin loaded;
    ASSERT_TRUE(loaded.Load("user:save.dat", true, 0));
    EXPECT_EQ(loaded.GetBytes(), (Bytes{0xE8, 0x03, 0x00, 0x00}));
    EXPECT_EQ(loaded.GetReadPosition(), 0);
    EXPECT_EQ(loaded.ReadInt32(), 1000);
    loaded.WriteByte(5);
    EXPECT_EQ(loaded.GetSize(), 5) << "writes continue after the loaded bytes";
}

TEST_F(BufferFileTest, FramingFollowsTheCrcFlagAndSeed) {
    const struct {
        bool withCrc;
        uint32_t seed;
        std::string file;
    } cases[] = {
        {false, 0, "abc"},
        {true, 0, Raw({0x8C, 0x39, 0x17, 0x2C}) + "abc"},
    };
    for (const auto& c : cases) {
        TBufferBin buffer;
        for (char ch : std::string("abc")) {
            buffer.WriteByte(static_cast<uint8_t>(ch));
        }
        ASSERT_TRUE(buffer.Save("user:f.dat", c.withCrc, c.seed));
        EXPECT_EQ(harness::ReadFile(PathOf("f.dat")), c.file);
        TBufferBin loaded;
        EXPECT_TRUE(loaded.Load("user:f.dat", c.withCrc, c.seed));
        EXPECT_EQ(loaded.GetBytes(), BytesOf("abc"));
    }
    // A different seed on load is a different checksum.
    TBufferBin seeded;
    seeded.WriteByte('a');
    ASSERT_TRUE(seeded.Save("user:s.dat", true, 0xFFFFFFFFu));
    EXPECT_EQ(harness::ReadFile(PathOf("s.dat")), Raw({0x94, 0x64, 0x6C, 0xE6, 'a'}));
    TBufferBin loaded;
    EXPECT_TRUE(loaded.Load("user:s.dat", true, 0xFFFFFFFFu));
    EXPECT_FALSE(loaded.Load("user:s.dat", true, 0));
}

TEST_F(BufferFileTest, EmptyBufferSavesFourZeroBytes) {
    TBufferBin buffer;
    ASSERT_TRUE(buffer.Save("user:empty.dat", true, 0));
    EXPECT_EQ(harness::ReadFile(PathOf("empty.dat")), std::string(4, '\0'));
    TBufferBin loaded;
    loaded.WriteByte(1);
    EXPECT_TRUE(loaded.Load("user:empty.dat", true, 0));
    EXPECT_EQ(loaded.GetSize(), 0);
}

TEST_F(BufferFileTest, DamagedFilesFailAndLeaveTheBufferEmpty) {
    const std::string good = Raw({0x3A, 0x86, 0x9F, 0x66, 0xE8, 0x03, 0x00, 0x00});
    std::string flipped = good;
    flipped[5] ^= 0x01;
    std::string badCrc = good;
    badCrc[0] = static_cast<char>(badCrc[0] ^ 0x40);
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"flipped payload byte", flipped}, {"flipped crc byte", badCrc},       {"truncated", good.substr(0, 7)},
        {"extra byte", good + "x"},        {"three bytes", good.substr(0, 3)}, {"no bytes", ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(harness::WriteFile(PathOf("save.dat"), c.file));
        TBufferBin buffer;
        buffer.WriteInt32(99);
        EXPECT_FALSE(buffer.Load("user:save.dat", true, 0)) << c.what;
        EXPECT_EQ(buffer.GetSize(), 0) << c.what;
        EXPECT_EQ(buffer.ReadByte(), 0) << c.what;
    }
    TBufferBin missing;
    missing.WriteByte(1);
    EXPECT_FALSE(missing.Load("user:missing.dat", true, 0));
    EXPECT_EQ(missing.GetSize(), 0);
}

TEST_F(BufferFileTest, ShortReadFailsTheLoad) {
    // A folder in place of the save file claims a size but yields no bytes; read as zeros it would
    // even pass the checksum.
    ASSERT_TRUE(harness::WriteFile(PathOf("save.dat/inside"), "x"));
    TBufferBin buffer;
    EXPECT_FALSE(buffer.Load("user:save.dat", true, 0));
    EXPECT_EQ(buffer.GetSize(), 0);
}

TEST_F(BufferFileTest, OversizedFileIsRefused) {
    const std::string path = PathOf("huge.dat");
    ASSERT_TRUE(harness::WriteFile(path, ""));
    ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(TBufferBin::kMaxFileBytes) + 1), 0);
    TBufferBin buffer;
    EXPECT_FALSE(buffer.Load("user:huge.dat", false, 0));
    EXPECT_EQ(buffer.GetSize(), 0);
}

TEST_F(BufferFileTest, FailedSaveKeepsTheOldFile) {
    TBufferBin old;
    old.WriteInt32(1);
    ASSERT_TRUE(old.Save("user:save.dat", true, 0));
    const std::string before = harness::ReadFile(PathOf("save.dat"));
    for (TWriteFault fault : {TWriteFault::Open, TWriteFault::Write, TWriteFault::Flush, TWriteFault::Sync,
                              TWriteFault::Close, TWriteFault::Rename}) {
        TBufferBin buffer;
        buffer.WriteInt32(2);
        SetWriteFault(fault);
        EXPECT_FALSE(buffer.Save("user:save.dat", true, 0)) << static_cast<int>(fault);
        SetWriteFault(TWriteFault::None);
        EXPECT_EQ(harness::ReadFile(PathOf("save.dat")), before) << static_cast<int>(fault);
        EXPECT_FALSE(harness::PathExists(PathOf("save.dat.tmp"))) << static_cast<int>(fault);
        EXPECT_EQ(buffer.GetSize(), 4) << "a save leaves the buffer as it was";
    }
    TBufferBin loaded;
    ASSERT_TRUE(loaded.Load("user:save.dat", true, 0));
    EXPECT_EQ(loaded.ReadInt32(), 1);
}

TEST_F(BufferFileTest, SaveIntoAMissingFolderFails) {
    TBufferBin buffer;
    buffer.WriteByte(1);
    EXPECT_FALSE(buffer.Save("user:absent/save.dat", true, 0));
}

} // namespace
