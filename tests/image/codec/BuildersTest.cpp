// The fixture builders against bytes written by hand from the layouts, so
// that every other test can trust them.
#include "tools/cfggen/ByteBuilder.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/FktBuilders.h"
#include "support/Image706Builder.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv;

namespace {

std::string Z(size_t n)
{
    return std::string(n, '\0');
}

std::string B(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

TEST(Builders, ByteBuilderIsHighByteFirst)
{
    ByteBuilder b;
    b.U16(0, 466).U32(2, 0x01020304).Text(6, "ab", 3);
    EXPECT_EQ(b.Str(), B({0x01, 0xD2, 1, 2, 3, 4, 'a', 'b', ' '}));
    EXPECT_EQ(BeWord(b.Str(), 0), 466);
    EXPECT_EQ(BeDWord(b.Str(), 2), 0x01020304u);
}

TEST(Builders, Minimal706Entry)
{
    const std::string expected = B({0x00, 0x38, 0x00, 0x00, 0x01, 0xE1}) // length 56 words, check, magic 481
                                 + "TEST.DRV    " + Z(2)                 // 6
                                 + Z(6)                                  // stamp at 20
                                 + Z(12) + Z(2)                          // copy name at 26
                                 + Z(6)                                  // stamp at 40
                                 + "KIND:KND " + Z(9)                    // 46
                                 + "VERS:0000 " + Z(14)                  // 64
                                 + Z(2) + Z(8)                           // 88
                                 + Z(4) + Z(10);                         // 98
    EXPECT_EQ(Drv706Entry{}.Build().bytes, expected);
}

TEST(Builders, Minimal043Entry)
{
    const std::string expected = B({0x00, 0x47, 0xE1}) // length 71, mark
                                 + std::string(12, ' ') + Z(1)  // copy name at 3
                                 + Z(4)                         // DOS time and date at 16
                                 + "KIND:KND "                  // 20
                                 + "TEST.DRV    " + Z(1)        // 29
                                 + Z(4)                         // 42
                                 + "VERS:0000" + Z(10)          // 46
                                 + B({0x00, 0x46}) + Z(1)       // P = 70 at 65
                                 + Z(2) + Z(1);                 // block offset at 68, count at 70
    EXPECT_EQ(Drv043Entry{}.Build().bytes, expected);
}

TEST(Builders, KindEBlock)
{
    DrvXrefLayout x;
    x.kind = 'E';
    x.count = 1;
    x.limits = {1, 2, 3, 4, 5, 6};
    x.defs[0] = {1, 2, 3, 4};
    x.records = {{0, B({7, 1, 0, 5, 0, 6})}};
    const std::string expected = Z(2) + "QVLE" + B({0, 1}) + B({0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6}) + Z(2) +
                                 B({0, 6}) + Z(6) + B({1, 2, 3, 4}) + Z(16) + Z(8) + B({7, 1, 0, 5, 0, 6});
    EXPECT_EQ(BuildXref(x), expected);
}

TEST(Builders, Minimal706SpecialFunctionFile)
{
    const std::string expected = B({0x00, 0x25}) + Z(2) + B({0x01, 0xD2}) // 37 words, check word, magic 466
                                 + "STD706.FKT  " + Z(2)        // 6
                                 + Z(6)                         // 20
                                 + std::string(12, ' ') + Z(2)  // 26
                                 + Z(6) + Z(18)                 // 40
                                 + "VERS:0000 ";                // 64
    EXPECT_EQ(Fkt706File{}.Build(), expected);
}

TEST(Builders, MinimalDosSpecialFunctionFile)
{
    const std::string expected = Z(3) + std::string(12, ' ') + Z(3) // copy name at 3
                                 + Z(2) + Z(9)                       // DOS date at 18
                                 + "STD043.FKT  " + Z(3)             // 29
                                 + Z(2)                              // DOS date at 44
                                 + "VERS:0000";                      // 46
    EXPECT_EQ(FktDosFile{}.Build(), expected);
}

TEST(Builders, Family706ImageRecords)
{
    Image706Builder b(473);
    const Image706Builder::VarAt v = b.AddVar({"AB", 5, 1, 33, 0, 7, B({0, 2})});
    b.AddList(98, {{1, 0, {Image706Builder::Row("x\x03y", {{v.data, 4}})}}});
    b.AddSystem(2);
    const std::string header = B({0, 0x82, 0x95, 0x85, 0x01, 0xF0}) + Z(40) // length, check word, magic
                               + "OG4730000" + Z(19)                        // 46
                               + "Q32r11000" + Z(5)                         // 74
                               + B({0, 82}) + Z(4) + B({0, 0, 0, 0xAA})     // 88, 90, 94
                               + B({0, 0, 0, 0xC0}) + Z(60)                 // 98
                               + B({0, 0, 0, 0xEE}) + Z(4);                 // 162
    const std::string records = Z(4) + B({3}) + "AB" + Z(1)                     // 170: chain, name
                                + B({5, 1, 0, 33}) + Z(7) + B({7}) + B({0, 2}) // 178: data part
                                + Z(16) + B({0, 2}) + Z(4) + B({0, 0, 0, 0xDA}) // 192: list header
                                + B({0, 0, 0, 1}) + B({0, 0, 0, 0xE2})         // 218: entry
                                + B({3, 1, 0, 0, 0, 0xB2, 0, 4}) + "x\x03y" + Z(1) // 226: row
                                + B({0, 8, 2, 0, 0, 0, 0, 0xF6})               // 238: system block
                                + B({0, 11, 127, 1, 2, 4, 8, 16, 32, 64, 31, 63, 96}) + Z(1);
    EXPECT_EQ(b.Finish(), header + records);
}

} // namespace
