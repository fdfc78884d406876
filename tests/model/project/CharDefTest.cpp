#include "model/project/CharDef.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

CCharDef* Def(uint8_t code)
{
    return new CCharDef(code, {code, 1, 2, 3, 4, 5, 6, 7});
}

TEST(CharDef, CollectionKeepsCodeOrderAndOneDefinitionPerCode)
{
    CCharDefColl coll(8, 4);
    coll.Insert(Def(5));
    coll.Insert(Def(1));
    coll.Insert(Def(3));
    ASSERT_EQ(coll.GetCount(), 3);
    EXPECT_EQ(coll.ItemAt(0)->GetCode(), 1);
    EXPECT_EQ(coll.ItemAt(1)->GetCode(), 3);
    EXPECT_EQ(coll.ItemAt(2)->GetCode(), 5);

    CCharDef duplicate(3, {});
    coll.Insert(&duplicate);
    EXPECT_EQ(coll.GetCount(), 3);
    EXPECT_EQ(coll.ItemAt(1)->GetRow(0), 3);  // the first definition stays
}

TEST(CharDef, FindByCodeComparesTheWholeCode)
{
    CCharDefColl coll(8, 4);
    coll.Insert(Def(200));
    coll.Insert(Def(210));
    ASSERT_NE(coll.FindByCode(210), nullptr);
    EXPECT_EQ(coll.FindByCode(210)->GetCode(), 210);
    EXPECT_EQ(coll.FindByCode(456), nullptr);  // low byte 200
    EXPECT_EQ(coll.FindByCode(7), nullptr);
}

TEST(CharDef, FreeAllEmptiesAndKeepsTheCurrentIndex)
{
    CCharDefColl coll(8, 4);
    for (uint8_t code = 128; code < 140; ++code)
        coll.Insert(Def(code));
    EXPECT_EQ(coll.GetCount(), 12);  // grew past its first limit
    coll.SetCurIdx(7);
    coll.FreeAll();
    EXPECT_EQ(coll.GetCount(), 0);
    EXPECT_EQ(coll.FindByCode(130), nullptr);
    EXPECT_EQ(coll.GetCurIdx(), 7);
}

TEST(CharDef, RowsOutsideTheCharacterAreIgnored)
{
    CCharDef def(4, {1, 2, 3, 4, 5, 6, 7, 8});
    def.SetRow(0, 0x1F);
    def.SetRow(7, 0x11);
    def.SetRow(-1, 0xFF);
    def.SetRow(8, 0xFF);
    const CCharDef::Rows expected = {0x1F, 2, 3, 4, 5, 6, 7, 0x11};
    EXPECT_EQ(def.GetRows(), expected);
    EXPECT_EQ(def.GetRow(0), 0x1F);
    EXPECT_EQ(def.GetRow(-1), 0);
    EXPECT_EQ(def.GetRow(8), 0);
}

} // namespace
