#include "model/project/MsgTxt.h"
#include "model/project/NumList.h"
#include "model/project/PrjVar.h"

#include "TxtTestVars.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

// A plain list of numbered texts as the views see it.
class TestNumList : public CPrjNumList {
public:
    TestNumList() : CPrjNumList(16, 8) {}

    CPrjNumEntry* Add(int32_t num) { return Adopt(std::make_unique<CPrjNumEntry>(num)); }

    std::vector<int32_t> Numbers() const
    {
        std::vector<int32_t> nums;
        for (int i = 0; i < GetCount(); ++i)
            nums.push_back(ItemAt(i)->GetNum());
        return nums;
    }
};

class NumList : public ::testing::Test {
protected:
    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    TestNumList list;

    // Internal errors of the collections would show as boxes.
    void TearDown() override { EXPECT_TRUE(ui.CallsOf(UiCall::Kind::Box).empty()); }
};

struct FreeNumCase {
    std::vector<int32_t> entries;
    int32_t low;
    int32_t high;
    int32_t expected;
};

std::vector<int32_t> Range(int32_t first, int32_t last)
{
    std::vector<int32_t> nums;
    for (int32_t n = first; n <= last; ++n)
        nums.push_back(n);
    return nums;
}

TEST_F(NumList, FirstFreeNumTakesTheFirstGapWithinTheRange)
{
    const FreeNumCase cases[] = {
        {{}, 0, 255, 0},
        {{}, 1, 127, 1},
        {{0, 1, 2, 4}, 0, 255, 3},
        {Range(0, 255), 0, 255, CPrjNumList::kNoFreeNum},
        {{-1}, 1, 127, 1},
        {{-1, 1, 2}, 1, 127, 3},
        // Entries below low never pull the result below it.
        {{-1, 0, 3}, 1, 127, 1},
        {{0, 1, 2}, 5, 10, 5},
        {{0, 1, 2, 5, 6}, 5, 10, 7},
        {{5, 6}, 5, 6, CPrjNumList::kNoFreeNum},
    };
    for (const FreeNumCase& c : cases) {
        TestNumList nums;
        for (int32_t n : c.entries)
            ASSERT_NE(nums.Add(n), nullptr);
        EXPECT_EQ(nums.FirstFreeNum(c.low, c.high), c.expected)
            << "entries " << c.entries.size() << ", range " << c.low << ".." << c.high;
    }
}

TEST_F(NumList, SetRowCountCapsKeepsAndDestroysRowsWithTheirVariables)
{
    auto var = MakeVar("A", 2, 3);
    CPrjNumEntry entry(1);

    entry.SetRowCount(40);
    EXPECT_EQ(entry.GetRowCount(), 32);

    entry.SetRowCount(5);
    for (uint8_t r = 1; r <= 5; ++r)
        entry.SetRow(MakeRow(r, "abc", {{var.get(), 0}}));
    EXPECT_EQ(var->GetUseCount(), 5);

    entry.SetRowCount(3);
    EXPECT_EQ(entry.GetRowCount(), 3);
    EXPECT_EQ(var->GetUseCount(), 3) << "rows 4 and 5 release their variables";
    EXPECT_EQ(entry.GetRow(4), nullptr);

    CPrjTxtRow* row2 = entry.GetRow(2);
    entry.SetRowCount(3);
    EXPECT_EQ(entry.GetRow(2), row2) << "the same count changes nothing";
    EXPECT_EQ(var->GetUseCount(), 3);

    entry.SetRowCount(0);
    EXPECT_EQ(entry.GetRowCount(), 0);
    EXPECT_EQ(entry.GetRow(1), nullptr);
    EXPECT_EQ(var->GetUseCount(), 0);
}

TEST_F(NumList, SetRowIgnoresPlacesOutsideTheCountAndReplacesReleasing)
{
    auto a = MakeVar("A", 2, 3);
    auto b = MakeVar("B", 2, 3);
    CPrjNumEntry entry(1);
    entry.SetRowCount(2);

    EXPECT_EQ(entry.SetRow(MakeRow(0, "x", {{a.get(), 0}})), nullptr);
    EXPECT_EQ(entry.SetRow(MakeRow(3, "x", {{a.get(), 0}})), nullptr);
    EXPECT_EQ(entry.GetRow(1), nullptr);
    EXPECT_EQ(entry.GetRow(2), nullptr);
    EXPECT_EQ(a->GetUseCount(), 0) << "a refused row counts nothing";

    entry.SetRow(MakeRow(2, "old", {{a.get(), 0}}));
    entry.SetRow(MakeRow(2, "new", {{b.get(), 0}}));
    EXPECT_EQ(entry.GetRow(2)->GetText(), "new");
    EXPECT_EQ(a->GetUseCount(), 0) << "the replaced row released its variable";
    EXPECT_EQ(b->GetUseCount(), 1);
}

TEST_F(NumList, DelEntryKeepsTheCurrentIndexInsideAndReleasesRows)
{
    struct Case {
        int count;
        int cur;
        int deleted;
        int expectedCur;
    };
    const Case cases[] = {
        {3, 2, 2, 1},  // the last entry while current: the new last
        {1, 0, 0, 0},  // the only entry
        {3, 0, 1, 0},
        {3, 1, 0, 1},
        {3, 2, 0, 1},
    };
    for (const Case& c : cases) {
        TestNumList nums;
        for (int n = 0; n < c.count; ++n)
            nums.Add(n * 10);
        nums.SetCurIdx(c.cur);
        nums.DelEntry(nums.ItemAt(c.deleted));
        EXPECT_EQ(nums.GetCount(), c.count - 1);
        EXPECT_EQ(nums.GetCurIdx(), c.expectedCur) << c.count << " entries, current " << c.cur << ", deleted " << c.deleted;
    }

    auto var = MakeVar("A", 2, 3);
    CPrjNumEntry* entry = list.Add(4);
    entry->SetRowCount(1);
    entry->SetRow(MakeRow(1, "abc", {{var.get(), 0}}));
    CPrjNumEntry foreign(4);
    list.DelEntry(nullptr);
    list.DelEntry(&foreign);
    EXPECT_EQ(list.GetCount(), 1);
    list.DelEntry(entry);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(var->GetUseCount(), 0);
}

TEST_F(NumList, GetHighestNeverGivesTheTemplate)
{
    EXPECT_EQ(list.GetHighest(), nullptr);
    list.Add(-1);
    EXPECT_EQ(list.GetHighest(), nullptr);
    EXPECT_EQ(list.GetTemplate()->GetNum(), -1);
    list.Add(7);
    list.Add(3);
    EXPECT_EQ(list.GetHighest()->GetNum(), 7);
}

TEST_F(NumList, RenumberResortsAndRefusesTemplateAndTakenNumbers)
{
    CPrjNumEntry* tmpl = list.Add(-1);
    CPrjNumEntry* one = list.Add(1);
    list.Add(5);
    list.Add(9);

    list.Renumber(one, 7);
    EXPECT_EQ(list.Numbers(), (std::vector<int32_t>{-1, 5, 7, 9}));
    EXPECT_EQ(list.FindByNum(7), one);

    list.Renumber(tmpl, 3);
    list.Renumber(one, -1);
    list.Renumber(one, 9);
    list.Renumber(nullptr, 2);
    EXPECT_EQ(list.Numbers(), (std::vector<int32_t>{-1, 5, 7, 9}));
    EXPECT_EQ(one->GetNum(), 7);
    EXPECT_EQ(tmpl->GetNum(), -1);
}

TEST_F(NumList, NewEntryOnAUsedNumberLeavesListAndCountsAlone)
{
    auto var = MakeVar("A", 2, 3);
    CHistTxtList hist(16, 8);
    CHistTxt source(20);
    source.SetRowCount(2);
    source.SetRow(MakeRow(1, "abc", {{var.get(), 0}}));
    source.SetRow(MakeRow(2, "abc", {{var.get(), 0}}));

    CHistTxt* first = hist.NewEntry(&source, 3);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetRowCount(), 2);
    EXPECT_EQ(var->GetUseCount(), 4);
    hist.SetCurIdx(0);

    EXPECT_EQ(hist.NewEntry(&source, 3), nullptr);
    EXPECT_EQ(hist.NewEntry(nullptr, 4), nullptr);
    EXPECT_EQ(hist.GetCount(), 1);
    EXPECT_EQ(hist.FindByNum(3), first);
    EXPECT_EQ(var->GetUseCount(), 4);

    auto* tmpl = dynamic_cast<CHistTxtRange*>(hist.NewEntry(&source, -1));
    ASSERT_NE(tmpl, nullptr);
    EXPECT_EQ(tmpl->GetLowest(), 0);
    EXPECT_EQ(tmpl->GetHighest(), 1023);
    EXPECT_EQ(hist.GetCurIdx(), 0) << "the new template is current";

    hist.FreeAllEntries();
    EXPECT_EQ(var->GetUseCount(), 2);
    EXPECT_EQ(hist.GetCount(), 0);
}

}  // namespace
