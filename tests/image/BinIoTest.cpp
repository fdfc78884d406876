#include "image/BinIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <ostream>
#include <string>

namespace {

// One call on a file opened "r+b" holding `before`; `seen` is what a read
// delivered, in hex, so that an untouched destination shows.
struct IoCase {
    const char* name;
    std::string before;
    std::function<int(std::FILE*, std::string& seen)> call;
    int result;
    std::string after;
    std::string seen;
};

void PrintTo(const IoCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string Hex(uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", v);
    return text;
}

const std::string kFile("\x01\xD2\x03\x04\x05", 5);

const IoCase kCases[] = {
    {"ReadByte", kFile, [](std::FILE* f, std::string& s) { uint8_t v = 0xEE; int r = ReadByteAt(f, 1, v); s = Hex(v); return r; }, 1, kFile, "D2"},
    {"ReadWordIsHighByteFirst", kFile, [](std::FILE* f, std::string& s) { uint16_t v = 0xEEEE; int r = ReadWordAt(f, 0, v); s = std::to_string(v); return r; }, 1, kFile, "466"},
    {"ReadDWordIsHighByteFirst", kFile, [](std::FILE* f, std::string& s) { uint32_t v = 0xEEEEEEEE; int r = ReadDWordAt(f, 1, v); s = Hex(v); return r; }, 1, kFile, "D2030405"},
    {"ReadBlock", kFile, [](std::FILE* f, std::string& s) { char b[3] = {}; int r = ReadBlockAt(f, 2, b, 3); s.assign(b, 3); return r; }, 1, kFile, "\x03\x04\x05"},
    {"ReadWordAtLastByteFailsAndKeepsDestination", kFile, [](std::FILE* f, std::string& s) { uint16_t v = 0xEEEE; int r = ReadWordAt(f, 4, v); s = Hex(v); return r; }, -1, kFile, "EEEE"},
    {"ReadDWordThreeBeforeEndFailsAndKeepsDestination", kFile, [](std::FILE* f, std::string& s) { uint32_t v = 0xEEEEEEEE; int r = ReadDWordAt(f, 2, v); s = Hex(v); return r; }, -1, kFile, "EEEEEEEE"},
    {"ReadByteBeyondEndFails", kFile, [](std::FILE* f, std::string& s) { uint8_t v = 0xEE; int r = ReadByteAt(f, 5, v); s = Hex(v); return r; }, -1, kFile, "EE"},
    {"ReadBlockShortFails", kFile, [](std::FILE* f, std::string&) { char b[4]; return ReadBlockAt(f, 3, b, 4); }, -1, kFile, ""},
    {"ReadAtNegativeOffsetFails", kFile, [](std::FILE* f, std::string&) { uint8_t v = 0; return ReadByteAt(f, -1, v); }, -1, kFile, ""},
    {"EmptyBlockBeyondEndReads", kFile, [](std::FILE* f, std::string&) { return ReadBlockAt(f, 100, nullptr, 0); }, 1, kFile, ""},
    {"EmptyBlockBeyondEndWrites", kFile, [](std::FILE* f, std::string&) { return WriteBlockAt(f, 100, nullptr, 0); }, 1, kFile, ""},
    {"WriteByte", kFile, [](std::FILE* f, std::string&) { return WriteByteAt(f, 4, 0xAA); }, 1, std::string("\x01\xD2\x03\x04\xAA", 5), ""},
    {"WriteWordIsHighByteFirst", "", [](std::FILE* f, std::string&) { return WriteWordAt(f, 0, 466); }, 1, "\x01\xD2", ""},
    {"WriteDWordIsHighByteFirst", kFile, [](std::FILE* f, std::string&) { return WriteDWordAt(f, 1, 0x11223344); }, 1, std::string("\x01\x11\x22\x33\x44", 5), ""},
    {"WriteBlock", kFile, [](std::FILE* f, std::string&) { return WriteBlockAt(f, 3, "xyz", 3); }, 1, std::string("\x01\xD2\x03xyz", 6), ""},
    {"AppendByte", kFile, [](std::FILE* f, std::string&) { return AppendByte(f, 0x7F); }, 1, kFile + "\x7F", ""},
    {"AppendWordAfterReadElsewhere", kFile, [](std::FILE* f, std::string&) { uint8_t v; ReadByteAt(f, 0, v); return AppendWord(f, 466); }, 1, kFile + "\x01\xD2", ""},
    {"AppendDWord", kFile, [](std::FILE* f, std::string&) { return AppendDWord(f, 0x0A0B0C0D); }, 1, kFile + "\x0A\x0B\x0C\x0D", ""},
    {"AppendBlockAfterWriteElsewhere", kFile, [](std::FILE* f, std::string&) { WriteByteAt(f, 0, 0x09); return AppendBlock(f, "ab", 2); }, 1, std::string("\x09\xD2\x03\x04\x05" "ab", 7), ""},
};

class BinIo : public ::testing::TestWithParam<IoCase> {
protected:
    TempDir dir;
};

TEST_P(BinIo, CallGivesResultBytesAndValue)
{
    const IoCase& c = GetParam();
    dir.Write("f.bin", c.before);
    std::FILE* f = std::fopen(dir.File("f.bin").c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    std::string seen;
    EXPECT_EQ(c.call(f, seen), c.result);
    std::fclose(f);
    EXPECT_EQ(dir.Read("f.bin"), c.after);
    if (!c.seen.empty()) {
        EXPECT_EQ(seen, c.seen);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BinIo, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<IoCase>& i) { return std::string(i.param.name); });

TEST(BinIoNull, NullStreamFailsForEveryFunction)
{
    uint8_t b = 1;
    uint16_t w = 2;
    uint32_t d = 3;
    char block[2] = {'a', 'b'};
    EXPECT_EQ(ReadByteAt(nullptr, 0, b), -1);
    EXPECT_EQ(ReadWordAt(nullptr, 0, w), -1);
    EXPECT_EQ(ReadDWordAt(nullptr, 0, d), -1);
    EXPECT_EQ(ReadBlockAt(nullptr, 0, block, 2), -1);
    EXPECT_EQ(WriteByteAt(nullptr, 0, 1), -1);
    EXPECT_EQ(WriteWordAt(nullptr, 0, 1), -1);
    EXPECT_EQ(WriteDWordAt(nullptr, 0, 1), -1);
    EXPECT_EQ(WriteBlockAt(nullptr, 0, block, 2), -1);
    EXPECT_EQ(AppendByte(nullptr, 1), -1);
    EXPECT_EQ(AppendWord(nullptr, 1), -1);
    EXPECT_EQ(AppendDWord(nullptr, 1), -1);
    EXPECT_EQ(AppendBlock(nullptr, block, 2), -1);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(d, 3u);
}

TEST(BinIoMemory, GetAndPutAreHighByteFirst)
{
    uint8_t bytes[4] = {};
    PutBigEndian(bytes, 2, 466);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0xD2);
    EXPECT_EQ(GetBigEndian(bytes, 2), 466u);
    PutBigEndian(bytes, 4, 0x89ABCDEF);
    EXPECT_EQ(bytes[0], 0x89);
    EXPECT_EQ(bytes[3], 0xEF);
    EXPECT_EQ(GetBigEndian(bytes, 4), 0x89ABCDEFu);
}

} // namespace
