#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

// Inserts definitions with the given numbers; the addresses are 10 × number.
void Fill(CSpsDefList& list, const std::vector<uint8_t>& nums)
{
    for (uint8_t n : nums)
        list.Insert(new CSpsDef(n, static_cast<uint16_t>(n * 10), 0, 0, nullptr));
}

TEST(SpsDef, FirstFreeNumTakesTheLowestGap)
{
    struct Case {
        std::vector<uint8_t> nums;
        int expected;
    };
    const Case cases[] = {
        {{}, 1},
        {{1, 2, 4}, 3},
        {{2}, 1},
        {{1, 2, 3, 4, 5}, 0},
        // Five definitions fill the list even when a number is left over.
        {{1, 2, 3, 4, 7}, 0},
    };
    for (const Case& c : cases) {
        CSpsDefList list(7, 1);
        Fill(list, c.nums);
        EXPECT_EQ(list.FirstFreeNum(), c.expected) << "definitions: " << c.nums.size();
    }
}

TEST(SpsDef, ListKeepsOneDefinitionPerNumber)
{
    CSpsDefList list(7, 1);
    Fill(list, {4, 2, 1});
    CSpsDef second(2, 99, 0, 0, "other");
    list.Insert(&second);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.ItemAt(0)->GetNum(), 1);
    EXPECT_EQ(list.ItemAt(1)->GetNum(), 2);
    EXPECT_EQ(list.ItemAt(1)->GetAdr(), 20);
    EXPECT_EQ(list.ItemAt(2)->GetNum(), 4);
    EXPECT_NE(list.ItemAt(1), &second);
}

TEST(SpsDef, LookupsByAddressAndNumber)
{
    CSpsDefList list(7, 1);
    Fill(list, {1, 2});
    ASSERT_NE(list.FindByAdr(20), nullptr);
    EXPECT_EQ(list.FindByAdr(20)->GetNum(), 2);
    EXPECT_EQ(list.FindByAdr(10)->GetNum(), 1);
    EXPECT_EQ(list.FindByAdr(30), nullptr);

    ASSERT_NE(list.FindByNum(258), nullptr);  // low byte 2
    EXPECT_EQ(list.FindByNum(258)->GetNum(), 2);
    EXPECT_EQ(list.FindByNum(3), nullptr);
}

TEST(SpsDef, AssignCopiesFieldsAndName)
{
    CSpsDef source(3, 17, 2, 1, "SPS3");
    CSpsDef target(1, 5, 0, 0, nullptr);
    target.Assign(source);
    EXPECT_EQ(target.GetNum(), 3);
    EXPECT_EQ(target.GetAdr(), 17);
    EXPECT_EQ(target.GetSlot(), 2);
    EXPECT_EQ(target.GetRack(), 1);
    ASSERT_NE(target.GetName(), nullptr);
    EXPECT_STREQ(target.GetName(), "SPS3");
    EXPECT_NE(target.GetName(), source.GetName());  // a copy of its own

    source.FreeName();
    EXPECT_EQ(source.GetName(), nullptr);
    EXPECT_STREQ(target.GetName(), "SPS3");

    target.Assign(target);
    EXPECT_EQ(target.GetNum(), 3);
    EXPECT_STREQ(target.GetName(), "SPS3");

    target.Assign(source);  // a source without a name leaves none
    EXPECT_EQ(target.GetName(), nullptr);
}

TEST(SpsDef, DriverTablesSortKeysUnsigned)
{
    const uint16_t keys[] = {0x8001, 0x0001, 0x7FFF, 0xFFFF};
    CDrvTab5List tab5(256, 2);
    CDrvTab6List tab6(256, 2);
    for (uint16_t k : keys) {
        tab5.Insert(new CDrvTabEntry5(1, k, 2, 3, 4));
        tab6.Insert(new CDrvTabEntry6(k, 1, 2, 3, 4, 5));
    }
    const uint16_t sorted[] = {0x0001, 0x7FFF, 0x8001, 0xFFFF};
    ASSERT_EQ(tab5.GetCount(), 4);
    ASSERT_EQ(tab6.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tab5.ItemAt(i)->GetKey(), sorted[i]);
        EXPECT_EQ(tab6.ItemAt(i)->GetKey(), sorted[i]);
    }

    CDrvTabEntry5 again(9, 0x7FFF, 0, 0, 0);
    tab5.Insert(&again);
    EXPECT_EQ(tab5.GetCount(), 4);
    EXPECT_EQ(tab5.ItemAt(1)->GetByte(), 1);
}

TEST(SpsDef, DriverRecordsKeepTheirFieldsInOrder)
{
    const CDrvTabEntry5 e5(0xAB, 0x1234, 0x1111, 0x2222, 0x3333);
    EXPECT_EQ(e5.GetByte(), 0xAB);
    EXPECT_EQ(e5.GetKey(), 0x1234);
    EXPECT_EQ(e5.GetVal1(), 0x1111);
    EXPECT_EQ(e5.GetVal2(), 0x2222);
    EXPECT_EQ(e5.GetVal3(), 0x3333);

    const CDrvTabEntry6 e6(0x4321, 0xCD, 0x5555, 0xEF, 0x6666, 0x7777);
    EXPECT_EQ(e6.GetKey(), 0x4321);
    EXPECT_EQ(e6.GetByte1(), 0xCD);
    EXPECT_EQ(e6.GetWord1(), 0x5555);
    EXPECT_EQ(e6.GetByte2(), 0xEF);
    EXPECT_EQ(e6.GetVal1(), 0x6666);
    EXPECT_EQ(e6.GetVal2(), 0x7777);
}

} // namespace
