#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/project/DrvParItem.h"
#include "model/project/SpsPar.h"

using namespace orv;

namespace {

TEST(SpsParAddressing, WordNumberRoundTripsAndByteTypesStepByTwo) {
    const std::set<uint16_t> byteTypes = {0, 1, 5, 10, 15, 18, 34, 45};
    for (uint16_t type = 0; type < CSpsPar::kTypeCount; ++type) {
        for (uint16_t offset : {0, 1, 10, 255, 1000}) {
            CSpsPar sps(nullptr);
            sps.SetSpsType(type);
            sps.SetOffset(offset);
            const unsigned step = byteTypes.count(type) ? 2 : 1;
            for (unsigned n = 0; (offset + n + 1) * step <= 0xFFFF; n += 7) {
                const auto word = static_cast<uint16_t>(n);
                const uint16_t adr = sps.GetSpsAdr(word);
                ASSERT_EQ(sps.GetWordNo(adr), word) << "type " << type << " offset " << offset;
                ASSERT_EQ(unsigned(sps.GetSpsAdr(static_cast<uint16_t>(n + 1)) - adr), step)
                    << "type " << type;
            }
        }
    }
}

TEST(SpsParAddressing, OddAddressesRefusedForByteTypesButNot45) {
    for (uint16_t type = 0; type < 52; ++type) {
        CSpsPar sps(nullptr);
        sps.SetSpsType(type);
        const bool expected = type == 0 || type == 1 || type == 5 || type == 10 || type == 15 ||
                              type == 18 || type == 34;
        EXPECT_EQ(sps.IsByteAdr(), expected) << type;
    }
}

TEST(SpsParAddressing, EdgeCases) {
    CSpsPar dw(nullptr);
    dw.SetSpsType(33);
    dw.SetOffset(10);
    EXPECT_EQ(dw.GetSpsAdr(5), 15);
    EXPECT_EQ(dw.GetWordNo(15), 5);
    EXPECT_EQ(dw.GetWordNo(10), 0);
    EXPECT_EQ(dw.GetWordNo(3), 0);
    EXPECT_EQ(dw.GetFirstAdr(), 10);
    EXPECT_EQ(dw.GetLastAdr(), 265);
    dw.SetLength(0);
    EXPECT_EQ(dw.GetLastAdr(), 0);

    CSpsPar mb(nullptr);
    mb.SetSpsType(34);
    mb.SetOffset(10);
    EXPECT_EQ(mb.GetSpsAdr(5), 30);
    EXPECT_EQ(mb.GetWordNo(30), 5);
    EXPECT_EQ(mb.GetWordNo(31), 5);
    EXPECT_EQ(mb.GetWordNo(21), 0);
    EXPECT_EQ(mb.GetFirstAdr(), 20);
    mb.SetLength(1);
    EXPECT_EQ(mb.GetLastAdr(), 20);
}

TEST(SpsParAddressing, FmtAdrOneRowPerNotation) {
    struct Case {
        uint16_t type;
        uint16_t offset;
        uint16_t address;
        int itemNo;  // -1: no item
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 35, -1, "  2.03-04"},
        {1, 0, 35, -1, " 2.03  2.04"},
        {3, 0, 35, -1, "   2.03"},
        {4, 0, 16, -1, "   1.00"},
        {5, 0, 30, -1, " 30,  31"},
        {18, 0, 7, -1, "  7,   8"},
        {34, 0, 1000, -1, "1000, 1001"},
        {10, 0, 30, -1, "  30,   31"},
        {15, 0, 30, -1, "  30,   31"},
        {20, 0, 255, -1, "00FF"},
        {37, 0, 0xABC, -1, "0ABC"},
        {24, 0, 21, -1, "   42"},
        {35, 0, 21, -1, "  42"},
        {36, 0, 21, -1, "  42"},
        {39, 0, 21, -1, "  42"},
        {32, 0, 7, -1, "  [7]"},
        {32, 0, 12345, -1, "[12345]"},
        {38, 0, 21, 3, "P  63_P  48"},
        {38, 10, 21, 3, "P  73_P  58"},
        {38, 0, 21, 48, "21"},
        {38, 0, 21, -1, "21"},
        {45, 0, 258, -1, "001.002"},
        {33, 0, 7, -1, "  7"},
        {7, 0, 7, -1, "   7"},
        {6, 0, 7, -1, "    7"},
        {50, 0, 7, -1, "7"},
    };
    for (const Case& c : cases) {
        CSpsPar sps(nullptr);
        sps.SetSpsType(c.type);
        sps.SetOffset(c.offset);
        CDrvParVarItem item(static_cast<uint16_t>(c.itemNo < 0 ? 0 : c.itemNo), 3);
        EXPECT_EQ(sps.FmtAdr(c.address, c.itemNo < 0 ? nullptr : &item), c.text)
            << "type " << c.type << " address " << c.address;
    }
}

}  // namespace
