#include "model/project/BitHexText.h"

#include <gtest/gtest.h>

using namespace orv;


TEST(BitHexText, EdgeCases)
{
    EXPECT_EQ(FormatBitString(5), "00000000 00000101");
    EXPECT_EQ(ParseBitString("00000001 00000010"), 258);
    EXPECT_EQ(ParseHexString("1f"), 0);
    EXPECT_EQ(ParseHexString("1F"), 31);
    EXPECT_EQ(ParseHexString("FFFFFFFF"), -1);
    EXPECT_EQ(ParseHexString("1FFFFFFFF"), -1);  // digits beyond 32 bits do not count
    EXPECT_EQ(ParseHexString(""), 0);
    EXPECT_EQ(ParseHexString(" 1"), 0);
}

TEST(BitHexText, FormatOutOfRangeGivesZeros)
{
    EXPECT_EQ(FormatBitString(-1), "00000000 00000000");
    EXPECT_EQ(FormatBitString(0x10000), "00000000 00000000");
    EXPECT_EQ(FormatBitString(0xFFFF), "11111111 11111111");
}

TEST(BitHexText, ParseRefusesShortAndNonBinaryTexts)
{
    EXPECT_EQ(ParseBitString("00000001 0000001"), 0);   // 16 characters
    EXPECT_EQ(ParseBitString(""), 0);
    EXPECT_EQ(ParseBitString("00000001 00000012"), 0);
    EXPECT_EQ(ParseBitString("0000000a 00000001"), 0);
    EXPECT_EQ(ParseBitString("00000001x00000001"), 257);        // the gap is not read
    EXPECT_EQ(ParseBitString("00000001 00000001 trailing"), 257);  // nor what follows
}

TEST(BitHexText, RoundTripOverAllValues)
{
    for (int v = 0; v <= 0xFFFF; ++v) {
        std::string text = FormatBitString(v);
        ASSERT_EQ(text.size(), 17u);
        ASSERT_EQ(ParseBitString(text), v) << text;
    }
}
