// The firmware image builders against bytes written by hand from the
// layouts, so that the reader tests can trust them.
#include "tools/cfggen/FwBuilders.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv;

namespace {

std::string FwBuildersB(std::initializer_list<int> bytes)
{
    std::string s;
    for (int b : bytes)
        s += static_cast<char>(b);
    return s;
}

TEST(FwBuilders, Image706HeaderAndEntry)
{
    Fw706Image img;
    img.Feature(61).Feature(0);
    Fw706Entry e;
    e.name = "AB";
    e.setpCode = 1;
    e.v = 0x40100;
    e.flags = 0x1234;
    e.s = 7;
    e.digits = 3;
    e.decimals = 1;
    e.lower = -1;
    e.upper = 999;
    EXPECT_EQ(img.Add(e), 0x1000u);
    const std::string s = img.Build();

    EXPECT_EQ(s.substr(4, 14), FwBuildersB({0x01, 0xC3}) + "ORV706.FRM  ");
    EXPECT_EQ(s.substr(56, 8), FwBuildersB({0x20, 0, 0, 0, 0, 0, 0, 0x01}));
    EXPECT_EQ(s.substr(98, 4), FwBuildersB({0x00, 0x04, 0x10, 0x00}));
    EXPECT_EQ(s.substr(0x10C, 2), FwBuildersB({0x12, 0x34}));
    EXPECT_EQ(s.substr(0x1000), FwBuildersB({0, 0, 0, 0, 2, 'A', 'B', 0, 1, 0x00, 0x86, 0x00, 0x04, 0x01, 0x00, 0, 0, 0, 7,
                                   3, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0x03, 0xE7}));
}

TEST(FwBuilders, Image706StateTextsAndLinks)
{
    Fw706Image img;
    Fw706Entry e;
    e.name = "S";
    e.type = 142;
    e.states = {"X", std::nullopt};
    const size_t first = img.Add(e);
    const size_t second = img.Add(e);
    const std::string s = img.Build();
    // Texts follow the entry: n, two addresses (the second 0), one text.
    const size_t data = first + 5 + 1 + 12;
    EXPECT_EQ(s.substr(data, 12), FwBuildersB({0, 1, 0, 4, 0x10, 0x1C, 0, 0, 0, 0, 1, 'X'}));
    EXPECT_EQ(second, data + 12);
    EXPECT_EQ(BeDWord(s, first), Fw706Image::Adr(second));
}

TEST(FwBuilders, Image118HeaderAndEntry)
{
    Fw118Image img;
    Fw118Entry e;
    e.number = 0x80 + 21;
    e.kind = 14;
    e.top = 2;
    e.flags = 0xAABBCCDD;
    e.setting = 5;
    e.states = {"MO"};
    EXPECT_EQ(img.Add(e), 0x620Cu);
    const std::string s = img.Build();

    EXPECT_EQ(s.size(), 0x6219u);
    EXPECT_EQ(s.substr(0x6000, 15), "ORV118A01241231");
    EXPECT_EQ(s.substr(0x6132, 6), FwBuildersB({0xA2, 0x0C, 0, 0, 0, 0}));
    EXPECT_EQ(s.substr(0x6200, 12), FwBuildersB({0xAA, 0xBB, 0xCC, 0xDD}) + std::string(8, '\0'));
    EXPECT_EQ(s.substr(0x620C), FwBuildersB({0, 0, 'Z', 0x95, 0, 0x8E, 5, 0, 0xA2, 0x16, 2, 'M', 'O'}));

    img.Feature(63).Feature(1);
    EXPECT_EQ(BeWord(img.Build(), 0x6136), 0xA180);
    EXPECT_EQ(img.Build().substr(0x6180, 8), FwBuildersB({0x80, 0, 0, 0, 0, 0, 0, 0x02}));
}

} // namespace
