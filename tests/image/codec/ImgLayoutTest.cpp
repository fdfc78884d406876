#include "image/codec/ImageBuffer.h"
#include "image/codec/ImgLayout.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv;

using namespace imglayout;

namespace {

std::string Hex48(int64_t v)
{
    std::string out;
    char buf[4];
    ImageBuffer bytes;
    bytes.Put6(static_cast<uint64_t>(v));
    for (unsigned char b : bytes.Bytes()) {
        std::snprintf(buf, sizeof buf, "%02X", unsigned{b});
        out += buf;
    }
    return out;
}

TEST(ImgLayoutCodecs, Value48IsTheTwosComplementOfSixBytes)
{
    struct Case {
        int64_t value;
        const char* bytes;
    } const cases[] = {
        {0, "000000000000"},
        {1, "000000000001"},
        {-1, "FFFFFFFFFFFF"},
        {1LL << 40, "010000000000"},
        {-(1LL << 47), "800000000000"},
        {-300, "FFFFFFFFFED4"},
        {(1LL << 47) - 1, "7FFFFFFFFFFF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex48(c.value), c.bytes) << c.value;
}

TEST(ImgLayoutCodecs, BcdPacksDecimalDigits)
{
    struct Case {
        int64_t value;
        uint32_t dword;
        uint16_t word;
    } const cases[] = {
        {0, 0, 0},
        {9, 0x9, 0x9},
        {1234, 0x1234, 0x1234},
        {12345, 0x12345, 0x2345},
        {99999999, 0x99999999, 0x9999},
        {123456789, 0x23456789, 0x6789},
        {-5, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Bcd::Encode(c.value), c.dword) << c.value;
        EXPECT_EQ(Bcd::EncodeWord(c.value), c.word) << c.value;
    }
}

TEST(ImgLayoutCodecs, SignedLimitsAreOffsetBinary)
{
    EXPECT_EQ(OffsetBinary32::Encode(0), 0x80000000u);
    EXPECT_EQ(OffsetBinary32::Encode(-1), 0x7FFFFFFFu);
    EXPECT_EQ(OffsetBinary32::Encode(INT32_MIN), 0u);
    EXPECT_EQ(OffsetBinary32::Encode(INT32_MAX), 0xFFFFFFFFu);
    EXPECT_EQ(OffsetBinary32::Encode(-300), 0x80000000u - 300);
}

TEST(ImgLayoutRules, BoundaryRuleMovesRecordsThatReachTheMargin)
{
    struct Case {
        BlockRule rule;
        uint64_t length;
        uint32_t n;
        uint64_t expect;
    } const cases[] = {
        {kBlocks043_118, 1042, 100, 1042},     // no move
        {kBlocks043_118, 4096 - 32 - 10, 9, 4054},  // last length that stays: 4054 + 9 + 32 = 4095
        {kBlocks043_118, 4054, 10, 4096},      // first that moves
        {kBlocks043_118, 4053, 9, 4054},       // odd: padded first, then stays
        {kBlocks043_118, 4055, 9, 4096},       // odd: padded to 4056, which moves
        {kBlocks043_118, 4064, 0, 4096},       // zero bytes still need the margin
        {kBlocks706, 65536 - 64 - 2, 2, 65536},
        {kBlocks706, 65536 - 64 - 2, 1, 65470},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReservedLength(c.length, c.n, c.rule), c.expect) << c.length << " + " << c.n;
}

TEST(ImgLayoutRules, BitSetsCountFromTheLastByte)
{
    std::array<uint8_t, 4> a{};
    SetFlagBit4(a, 0);
    SetFlagBit4(a, 9);
    SetFlagBit4(a, 31);
    SetFlagBit4(a, 32);
    EXPECT_EQ(a, (std::array<uint8_t, 4>{0x80, 0x00, 0x02, 0x01}));

    std::array<uint8_t, 8> c{};
    SetFlagBit8(c, 59);
    SetFlagBit8(c, 63);
    SetFlagBit8(c, 64);
    EXPECT_EQ(c, (std::array<uint8_t, 8>{0x88, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ImgLayoutCodecs, ByteCodes)
{
    // priority x delete mode
    EXPECT_EQ(MsgAttrByte::Encode(2, 1), 0);
    EXPECT_EQ(MsgAttrByte::Encode(3, 2), 2 + 32);
    EXPECT_EQ(MsgAttrByte::Encode(4, 3), 4 + 64);
    EXPECT_EQ(MsgAttrByte::Encode(0, 4), 128);
    EXPECT_EQ(MsgAttrByte::Encode(4, 5), 4);

    EXPECT_EQ(SkOpByte::Encode(1), 2);
    EXPECT_EQ(SkOpByte::Encode(2), 4);
    EXPECT_EQ(SkOpByte::Encode(3), 8);
    EXPECT_EQ(SkOpByte::Encode(4), 0);
    EXPECT_EQ(SkFmtByte::Encode(3), 3);
    EXPECT_EQ(SkFmtByte::Encode(0), 1);

    EXPECT_EQ(ImageTypeByte::Encode(1, 2), 2);
    EXPECT_EQ(ImageTypeByte::Encode(2, 2), 130);
    EXPECT_EQ(ImageTypeByte::Encode(3, 12), 192 + 12);
    EXPECT_EQ(ImageTypeByte::CodeOf(33, 0), 32);
    EXPECT_EQ(ImageTypeByte::CodeOf(33, 1), 36);
    EXPECT_EQ(ImageTypeByte::CodeOf(32, 2), 38);
    EXPECT_EQ(ImageTypeByte::CodeOf(36, 0), 40);
    EXPECT_EQ(ImageTypeByte::CodeOf(144, 0), 42);
    EXPECT_EQ(ImageTypeByte::CodeOf(28, 0), 28);
    EXPECT_EQ(ImageTypeByte::CodeOf(0, 0), 0);
    EXPECT_FALSE(ImageTypeByte::CodeOf(42, 0));
    EXPECT_FALSE(ImageTypeByte::CodeOf(33, 3));
}

TEST(ImgLayoutCodecs, BlankRuns)
{
    struct Case {
        size_t blanks;
        bool counts;
        std::string bytes;
    } const cases[] = {
        {1, false, "\x80"},
        {3, false, "\x82"},
        {40, false, "\xA7"},
        {1, true, "\x01"},
        {7, true, "\x07"},
        {9, true, "\x07\x02"},
        {14, true, "\x07\x07"},
    };
    for (const Case& c : cases) {
        std::string out;
        BlankRun::Encode(out, c.blanks, c.counts);
        EXPECT_EQ(out, c.bytes) << c.blanks;
    }
}

TEST(ImgLayoutRules, HeaderSlots)
{
    EXPECT_EQ(AHlpSlot(0), 650u);
    EXPECT_EQ(AHlpSlot(6), 650u);
    EXPECT_EQ(AHlpSlot(5), 660u);
    EXPECT_EQ(AMnuSlot(127), 786u + 254u);
    EXPECT_EQ(UserCharRow(7, 7), 41u + 63u);
    EXPECT_FALSE(HasATextSlot(-1));
    EXPECT_FALSE(HasATextSlot(128));
    EXPECT_FALSE(HasAMnuSlot(0));
    EXPECT_FALSE(HasAUserCharSlot(8));
}

TEST(ImgLayoutRules, FirmwareIds)
{
    EXPECT_EQ(FirmwareId(14, 203), "OG014203");
    EXPECT_EQ(FirmwareId(755, 427), "OG047427");
    EXPECT_EQ(FirmwareId(167, 201), "OG167201");
    EXPECT_FALSE(FirmwareId(36, 202));
    EXPECT_FALSE(FirmwareId(14, 206));
}

TEST(ImgLayoutRules, WordHeaderFirmwareIds)
{
    struct Case {
        uint16_t devType;
        const char* id; // "-": none
    } const cases[] = {
        {473, "OG4730000"}, {477, "OG4770000"}, {706, "OG7060000"}, {118, "OG118201"},
        {163, "OG163201"},  {167, "OG167201"},  {43, "-"},          {755, "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WordHeaderFirmwareId(c.devType).value_or("-"), c.id) << c.devType;
}

TEST(ImgLayoutRules, WordHeaderSlots)
{
    EXPECT_EQ(kHdrWBlockSize706, 82);
    EXPECT_EQ(kHdrWBlockSizeRcpImage, 18);
    // The help list pointers run up to the printer list pointer, and the
    // description pointer is the header's last field.
    EXPECT_EQ(CHlpTxtSlot(0), 110u);
    EXPECT_EQ(CHlpTxtSlot(kCHlpLists - 1) + 4, kCOpPrnTxts);
    EXPECT_EQ(kCDescr + 4, kHeaderSize706);
    // The file name and its NUL end before the stamp.
    EXPECT_LE(kHdrWName + kHdrWNameMax + 1, kHdrWStamp);
}

TEST(ImgLayoutCodecs, ChangeStampIsBcd)
{
    struct Case {
        int year, month, day, hour, minute, second;
        ChangeStamp::Bytes bytes;
    } const cases[] = {
        {2024, 12, 31, 23, 59, 58, {0x24, 0x12, 0x31, 0x23, 0x59, 0x58}},
        {1999, 1, 2, 3, 4, 5, {0x99, 0x01, 0x02, 0x03, 0x04, 0x05}},
        {2000, 6, 30, 0, 0, 60, {0x00, 0x06, 0x30, 0x00, 0x00, 0x60}},
        {2105, 7, 9, 10, 11, 61, {0x05, 0x07, 0x09, 0x10, 0x11, 0x60}},
    };
    for (const Case& c : cases) {
        std::tm local{};
        local.tm_year = c.year - 1900;
        local.tm_mon = c.month - 1;
        local.tm_mday = c.day;
        local.tm_hour = c.hour;
        local.tm_min = c.minute;
        local.tm_sec = c.second;
        EXPECT_EQ(ChangeStamp::Encode(local), c.bytes) << c.year;
    }
}

}  // namespace
