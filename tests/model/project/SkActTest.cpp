#include "model/project/SkAct.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

std::vector<int32_t> Numbers(const CPrjSkActList& list)
{
    std::vector<int32_t> nums;
    for (int i = 0; i < list.GetCount(); ++i)
        nums.push_back(list.ItemAt(i)->GetNum());
    return nums;
}

TEST(SkAct, NewActionHasEightUnusedOperations)
{
    CPrjSkAct act(4, "Start");
    EXPECT_EQ(act.GetNum(), 4);
    EXPECT_STREQ(act.GetName(), "Start");
    EXPECT_EQ(act.GetUseCount(), 0);
    for (int i = 0; i < CPrjSkAct::kOps; ++i) {
        EXPECT_EQ(act.GetOp(i), 0);
        EXPECT_EQ(act.GetAdr(i), 10);
        EXPECT_EQ(act.GetValue(i), 0);
        EXPECT_EQ(act.GetFormat(i), 0);
        EXPECT_EQ(act.IsOpUsed(i), 0);
    }
    EXPECT_EQ(CPrjSkAct(5, nullptr).GetName(), nullptr);
    act.SetName(nullptr);
    EXPECT_EQ(act.GetName(), nullptr);
}

TEST(SkAct, SetOpKeepsTheFieldsAndSetOperationResetsThem)
{
    CPrjSkAct act(1, nullptr);
    act.SetOperation(2, CPrjSkAct::kOpOr, 40, 0x00F0, CPrjSkAct::kFmtHex);
    EXPECT_EQ(act.IsOpUsed(2), 1);

    act.SetOp(2, 0);
    EXPECT_EQ(act.GetOp(2), 0);
    EXPECT_EQ(act.IsOpUsed(2), 0);
    EXPECT_EQ(act.GetAdr(2), 40);
    EXPECT_EQ(act.GetValue(2), 0x00F0);
    EXPECT_EQ(act.GetFormat(2), CPrjSkAct::kFmtHex);
    act.SetOp(2, CPrjSkAct::kOpAnd);
    EXPECT_EQ(act.IsOpUsed(2), 1);

    act.SetOperation(2, 0, 41, 5, 1);
    EXPECT_EQ(act.GetOp(2), 0);
    EXPECT_EQ(act.GetAdr(2), 10);
    EXPECT_EQ(act.GetValue(2), 0);
    EXPECT_EQ(act.GetFormat(2), 0);
    EXPECT_EQ(act.IsOpUsed(2), 0);
}

TEST(SkAct, OperationsOutsideTheEightAreIgnored)
{
    CPrjSkAct act(1, nullptr);
    for (int i : {-1, 8}) {
        act.SetOperation(i, 1, 50, 7, 1);
        act.SetOp(i, 1);
        act.SetAdr(i, 50);
        act.SetValue(i, 7);
        act.SetFormat(i, 1);
        EXPECT_EQ(act.GetOp(i), 0);
        EXPECT_EQ(act.GetAdr(i), 0);
        EXPECT_EQ(act.GetValue(i), 0);
        EXPECT_EQ(act.GetFormat(i), 0);
        EXPECT_EQ(act.IsOpUsed(i), 0);
    }
    for (int i = 0; i < CPrjSkAct::kOps; ++i)
        EXPECT_EQ(act.GetAdr(i), 10) << i;
}

TEST(SkAct, UseCountNeverGoesBelowZero)
{
    CPrjSkAct act(1, nullptr);
    act.AddUse();
    act.AddUse();
    EXPECT_EQ(act.ReleaseUse(), 1);
    EXPECT_EQ(act.ReleaseUse(), 0);
    EXPECT_EQ(act.ReleaseUse(), 0);
}

TEST(SkAct, ListKeysOnTheLowByteAndFindsByTheWholeNumber)
{
    CPrjSkActList list(8, 4);
    list.Insert(new CPrjSkAct(1, nullptr));
    CPrjSkAct clash(257, nullptr);
    list.Insert(&clash);
    EXPECT_EQ(Numbers(list), std::vector<int32_t>{1});
    EXPECT_EQ(list.FindByNum(257), nullptr);
    ASSERT_NE(list.FindByNum(1), nullptr);

    list.Insert(new CPrjSkAct(300, nullptr));  // key 44
    list.Insert(new CPrjSkAct(200, nullptr));
    EXPECT_EQ(Numbers(list), (std::vector<int32_t>{1, 300, 200}));
}

TEST(SkAct, FindHighestSkipsActionZero)
{
    CPrjSkActList list(8, 4);
    EXPECT_EQ(list.FindHighest(), nullptr);
    list.Insert(new CPrjSkAct(0, nullptr));
    EXPECT_EQ(list.FindHighest(), nullptr);
    list.Insert(new CPrjSkAct(7, nullptr));
    list.Insert(new CPrjSkAct(3, nullptr));
    ASSERT_NE(list.FindHighest(), nullptr);
    EXPECT_EQ(list.FindHighest()->GetNum(), 7);
}

TEST(SkAct, CopyActCopiesNameAndOperationsWithoutUse)
{
    CPrjSkActList list(8, 4);
    auto* source = new CPrjSkAct(3, "Pump");
    source->SetOperation(0, CPrjSkAct::kOpWrite, 20, 1234, CPrjSkAct::kFmtDec);
    source->SetOperation(7, CPrjSkAct::kOpAnd, 21, 0x8001, CPrjSkAct::kFmtBin);
    source->SetAdr(4, 99);  // an unused operation's fields come along
    source->AddUse();
    list.Insert(source);
    list.SetCurIdx(0);

    CPrjSkAct* copy = list.CopyAct(source, 4);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetNum(), 4);
    ASSERT_NE(copy->GetName(), nullptr);
    EXPECT_STREQ(copy->GetName(), "Pump");
    EXPECT_NE(copy->GetName(), source->GetName());
    EXPECT_EQ(copy->GetUseCount(), 0);
    for (int i = 0; i < CPrjSkAct::kOps; ++i) {
        EXPECT_EQ(copy->GetOp(i), source->GetOp(i)) << i;
        EXPECT_EQ(copy->GetAdr(i), source->GetAdr(i)) << i;
        EXPECT_EQ(copy->GetValue(i), source->GetValue(i)) << i;
        EXPECT_EQ(copy->GetFormat(i), source->GetFormat(i)) << i;
        EXPECT_EQ(copy->IsOpUsed(i), source->IsOpUsed(i)) << i;
    }
    EXPECT_EQ(Numbers(list), (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(list.GetCurIdx(), 0);
    EXPECT_EQ(list.CopyAct(nullptr, 5), nullptr);
}

TEST(SkAct, CopyActOntoATakenKeyGivesNothing)
{
    // As the list view copies to "highest + 1": 255 + 1 collides with 0.
    CPrjSkActList list(8, 4);
    list.Insert(new CPrjSkAct(0, "zero"));
    auto* top = new CPrjSkAct(255, "top");
    list.Insert(top);
    EXPECT_EQ(list.CopyAct(top, list.FindHighest()->GetNum() + 1), nullptr);
    EXPECT_EQ(Numbers(list), (std::vector<int32_t>{0, 255}));
    EXPECT_STREQ(list.ItemAt(0)->GetName(), "zero");
}

TEST(SkAct, RenumberResortsAndRefusesATakenKey)
{
    CPrjSkActList list(8, 4);
    auto* a = new CPrjSkAct(1, nullptr);
    list.Insert(a);
    list.Insert(new CPrjSkAct(5, nullptr));
    EXPECT_TRUE(list.Renumber(a, 9));
    EXPECT_EQ(Numbers(list), (std::vector<int32_t>{5, 9}));
    EXPECT_FALSE(list.Renumber(a, 261));  // key 5
    EXPECT_EQ(Numbers(list), (std::vector<int32_t>{5, 9}));
    EXPECT_TRUE(list.Renumber(a, 265));  // its own key
    EXPECT_EQ(Numbers(list), (std::vector<int32_t>{5, 265}));

    CPrjSkAct stranger(2, nullptr);
    EXPECT_FALSE(list.Renumber(&stranger, 3));
    EXPECT_EQ(stranger.GetNum(), 2);
}

TEST(SkAct, DeletingKeepsTheCurrentIndexInsideTheList)
{
    CPrjSkActList list(8, 4);
    for (int32_t n : {1, 2, 3})
        list.Insert(new CPrjSkAct(n, "name"));
    list.SetCurIdx(2);
    list.DelAct(list.ItemAt(2));
    EXPECT_EQ(list.GetCurIdx(), 1);
    list.SetCurIdx(0);
    list.DelAct(list.ItemAt(1));
    EXPECT_EQ(list.GetCurIdx(), 0);
    EXPECT_EQ(Numbers(list), std::vector<int32_t>{1});
    EXPECT_FALSE(list.DelAct(nullptr));
    CPrjSkAct* used = list.ItemAt(0);
    used->AddUse();
    EXPECT_FALSE(list.DelAct(used));  // a softkey text still runs it
    EXPECT_EQ(list.GetCount(), 1);
    used->ReleaseUse();
    EXPECT_TRUE(list.DelAct(used));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurIdx(), 0);

    for (int32_t n : {4, 5})
        list.Insert(new CPrjSkAct(n, nullptr));
    list.SetCurIdx(1);
    list.FreeAllActs();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurIdx(), 0);
}

} // namespace
