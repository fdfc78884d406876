// The data-word range rules: every rule shape, the driver-dependent types and
// the ids that change nothing.
#include "workspace/NormalizeDwRange.h"

#include <gtest/gtest.h>

using namespace orv;

using orv::DwRange;

TEST(NormalizeDwRange, EveryRuleShape)
{
    struct Case {
        int sps;
        int drv;
        DwRange in;
        DwRange out;
    };
    const Case cases[] = {
        // Type 0: ×8 with its own end; first word cut to the last start.
        {0, 5, {300, 400, 7}, {2031, 65535, 1}},
        {0, 5, {10, 20, 7}, {80, 65535, 256}},
        // Standard rule, no scale: length cut to C, then to the area end.
        {1, 5, {0, 255, 0}, {0, 255, 256}},
        {1, 5, {250, 300, 0}, {250, 300, 6}},
        {23, 5, {150, 400, 0}, {99, 400, 1}},
        // ×16 and ÷2.
        {3, 5, {2, 5, 0}, {32, 80, 64}},
        {10, 5, {10, 21, 0}, {5, 10, 6}},
        // Type 5: from word 0, half the last word, at most 64.
        {5, 5, {7, 300, 0}, {0, 150, 64}},
        // Type 9 starts at 0 with drivers 11, 13 and 74 only.
        {9, 11, {100, 120, 0}, {0, 120, 121}},
        {9, 5, {100, 120, 0}, {100, 120, 21}},
        // From word 0 (11, 16, 33, 42, 43).
        {11, 5, {40, 300, 0}, {0, 300, 256}},
        {33, 5, {40, 99, 0}, {0, 99, 100}},
        // Type 12 by driver; another driver keeps everything.
        {12, 17, {1, 2, 0}, {16, 32, 32}},
        {12, 23, {2040, 2100, 0}, {2040, 2100, 9}},
        {12, 40, {7, 9, 123}, {7, 9, 123}},
        // Type 15: halves, limits by driver, end 2000.
        {15, 20, {0, 400, 0}, {0, 200, 64}},
        {15, 21, {0, 1000, 0}, {0, 500, 256}},
        {15, 99, {3990, 4100, 0}, {1995, 2050, 5}},
        // Type 25: length by driver 5 or 30, others keep it.
        {25, 5, {32760, 33000, 0}, {32760, 33000, 8}},
        {25, 30, {0, 10, 0}, {0, 10, 256}},
        {25, 99, {0, 10, 42}, {0, 10, 42}},
        // Type 27: drivers 32..34, 36, 37 count; 35 keeps; end 1024.
        {27, 33, {1020, 1100, 0}, {1020, 1100, 4}},
        {27, 35, {5, 10, 17}, {5, 10, 17}},
        // Type 38: always 256.
        {38, 5, {5, 10, 0}, {5, 10, 256}},
        // Type 45: ×256, end 65535, then halved.
        {45, 5, {3, 10, 0}, {384, 65534, 256}},
        {45, 5, {300, 310, 0}, {32767, 65534, 1}},
        // Ids outside 0..48 change nothing.
        {-1, 5, {1, 2, 3}, {1, 2, 3}},
        {49, 5, {1, 2, 3}, {1, 2, 3}},
        // F > L: a length of zero or below passes on.
        {1, 5, {10, 5, 0}, {10, 5, -4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "sps " << c.sps << " drv " << c.drv << " F " << c.in.first);
        DwRange r = c.in;
        orv::NormalizeDwRange(c.sps, c.drv, r);
        EXPECT_EQ(r.first, c.out.first);
        EXPECT_EQ(r.last, c.out.last);
        EXPECT_EQ(r.length, c.out.length);
    }
}

TEST(NormalizeDwRange, LargeWordsDoNotOverflow)
{
    DwRange r{2000000000, 2000000001, 0};
    orv::NormalizeDwRange(45, 5, r);
    EXPECT_EQ(r.first, 32767);
    EXPECT_EQ(r.length, 1);
}
