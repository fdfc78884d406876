#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/TextPool.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr uint32_t kFlags = 0x33FB;

std::unique_ptr<CPrjIntVarStr> StrVar(const char* name, CTextPool* pool, uint8_t type = 142)
{
    return std::make_unique<CPrjIntVarStr>(name, kFlags, 2, type, 0, 0, pool);
}

TEST(IntVarKinds, NamesAndValues)
{
    CPrjIntVar var("ZB", -1, kFlags, 2, 250, 0x4ABCD, 7);
    EXPECT_EQ(var.GetOrigName(), "ZB");
    var.SetOrigName("[PRN_RS232/TTY]");
    EXPECT_EQ(var.GetOrigName(), "[PRN_RS232/TTY]");
    EXPECT_EQ(var.GetName(), "ZB");
    EXPECT_EQ(var.GetExtWord0(), 0x4ABCD) << "the first value is held as 32 bits";
    EXPECT_EQ(var.GetExtWord1(), 7);
    var.SetExtWord1(3);
    EXPECT_EQ(var.GetExtWord1(), 3);
    EXPECT_EQ(var.GetFlags(), kFlags);
    EXPECT_TRUE(var.IsInternal());

    const auto clone = var.Clone("ZZ");
    EXPECT_EQ(dynamic_cast<CPrjIntVar*>(clone.get()), nullptr) << "internal kinds clone as a plain variable";
    EXPECT_EQ(clone->GetType(), 250);
    EXPECT_EQ(clone->GetFlags(), kFlags);
}

TEST(IntVarKinds, FlagBit31OnlyForTheListedStateTextNames)
{
    const std::vector<std::pair<const char*, bool>> cases = {
        {"[Z020]", true},  {"[Z018]", true},  {"[Z019]", true},  {"[Z084]", true}, {"[Z085]", true},
        {"[Z098]", true},  {"[Z099]", true},  {"[Z021]", false}, {"[Z027]", false}, {"[z084]", false},
        {"[Z084", false},  {"ZB", false},
    };
    for (const auto& [name, flagged] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ((StrVar(name, nullptr)->GetFlags() & 0x80000000u) != 0, flagged);
        EXPECT_EQ(StrVar(name, nullptr)->GetFlags() & 0x7FFFFFFFu, kFlags);
    }
}

TEST(IntVarKinds, StateTextsWithinHighestIndex)
{
    CTextPool pool(16, 8);
    auto var = StrVar("ZE", &pool);
    var->SetStateTxt(0, "1200");
    EXPECT_EQ(pool.GetCount(), 0) << "no slots yet";

    var->SetTxtCount(2);
    var->SetStateTxt(0, "1200");
    var->SetStateTxt(1, "19200");
    var->SetStateTxt(3, "above n");
    EXPECT_EQ(var->GetWidth(), 5);
    EXPECT_EQ(var->GetStateTxt(3), nullptr);
    var->SetStateTxt(1, "96");
    EXPECT_EQ(var->GetWidth(), 4) << "the longest remaining text";
    EXPECT_EQ(var->MaxStateIdx(), 2);
    EXPECT_EQ(var->GetExtByte12(), 2);
    EXPECT_EQ(pool.GetCount(), 2);

    auto bare = StrVar("ZF", nullptr);
    bare->SetTxtCount(1);
    bare->SetStateTxt(0, "7");
    EXPECT_EQ(bare->GetStateTxt(0), nullptr);
    EXPECT_EQ(bare->GetWidth(), 0);

    var->SetTxtCount(300);
    EXPECT_EQ(var->MaxStateIdx(), 255);

    // A single state: highest index 0 still gives its slot.
    auto single = StrVar("ZG", &pool);
    single->SetTxtCount(0);
    single->SetStateTxt(0, "Ein");
    EXPECT_STREQ(single->GetStateTxt(0), "Ein");
}

TEST(IntVarKinds, WidthsOfTheValueKinds)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CPrjVar>()> make;
        int width;
        int16_t adr;
    };
    const std::vector<Case> cases = {
        {"Num 3/0", [] { return std::make_unique<CPrjIntVarNum>("ZP", kFlags, 1, 134, 0, 0, 3, 0, 0, 127); }, 3, -1},
        {"Num 4/2", [] { return std::make_unique<CPrjIntVarNum>("ZQ", kFlags, 1, 135, 0, 0, 4, 2, 0, 99); }, 7, -1},
        {"Byte", [] { return std::make_unique<CPrjIntVarByte>("D", 20, kFlags, 4, 251, 0, 0, 1); }, 8, 20},
        {"W8", [] { return std::make_unique<CPrjIntVarW8>("U", 22, kFlags, 4, 250, 0, 0); }, 8, 22},
        {"W17", [] { return std::make_unique<CPrjIntVarW17>("W", kFlags, 1, 252, 0, 0); }, 17, -1},
        {"W40", [] { return std::make_unique<CPrjIntVarW40>("X", kFlags, 1, 255, 0, 0, 9); }, 40, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.make()->GetWidth(), c.width);
        EXPECT_EQ(c.make()->GetAdr(), c.adr);
    }

    const CPrjIntVarNum num("ZP", kFlags, 1, 134, 0, 0, 3, 1, -5, 127);
    EXPECT_EQ(num.GetExtByte12(), 3);
    EXPECT_EQ(num.GetDecimals(), 1);
    EXPECT_EQ(num.GetExtWord4(), -5);
    EXPECT_EQ(num.GetExtWord5(), 127);
    CPrjIntVarByte date("D", 20, kFlags, 4, 251, 0, 0, 1);
    date.SetValue(2);
    EXPECT_EQ(date.GetExtByte12(), 2);

    for (const auto& [name, width] : std::vector<std::pair<const char*, int>>{
             {"[Z078]", 4}, {"[Z079]", 4}, {"[Z077]", 5}, {"[Z080]", 5}}) {
        SCOPED_TRACE(name);
        CPrjIntVarHex hex(name, kFlags, 1, 249, 0, 0, "1B45");
        EXPECT_EQ(hex.GetWidth(), width);
        EXPECT_EQ(hex.GetMaxWidth(), width);
        EXPECT_EQ(hex.GetHexText(), "1B45");
        hex.SetHexText("0D0A");
        EXPECT_EQ(hex.GetHexText(), "0D0A");
    }
}

TEST(IntVarKinds, SoftkeyRowIndexSetsHighestIndex)
{
    CTextPool pool(16, 8);
    auto row = StrVar("[Z084]", &pool, 144);
    row->SetTxtCount(127);
    row->SetStateTxt(5, "F1");
    EXPECT_EQ(row->MaxStateIdx(), 5);
    EXPECT_STREQ(row->GetStateTxt(5), "F1");
    row->SetStateTxt(9, "F2");
    EXPECT_EQ(row->MaxStateIdx(), 9) << "larger as well as smaller";
}

// The reader accepts indexes up to 255 for the softkey rows, which may have
// fewer slots: the slots grow rather than being written past, and every
// slot, also above a lowered index, is released when the variable goes.
TEST(IntVarKinds, SoftkeyRowBeyondItsSlots)
{
    CTextPool pool(16, 8);
    CPrjVarList list(16, 4);
    auto owned = StrVar("[Z084]", &pool, 144);
    CPrjIntVarStr* row = owned.get();
    list.Add(owned.release());

    row->SetTxtCount(127);
    for (int i = 0; i <= 127; ++i)
        row->SetStateTxt(i, " ");
    EXPECT_EQ(row->GetSlotCount(), 128u);

    row->SetStateTxt(200, "weit");
    EXPECT_EQ(row->MaxStateIdx(), 200);
    EXPECT_STREQ(row->GetStateTxt(200), "weit");
    EXPECT_EQ(row->GetStateTxt(150), nullptr);
    EXPECT_EQ(row->GetSlotCount(), 201u);
    row->SetStateTxt(256, "x");
    EXPECT_EQ(row->MaxStateIdx(), 200) << "no index above 255";

    row->SetStateTxt(3, "F3");
    EXPECT_EQ(row->MaxStateIdx(), 3);
    EXPECT_EQ(row->GetStateTxt(200), nullptr) << "above the highest index";
    EXPECT_EQ(pool.GetCount(), 3);

    list.Delete(row);
    EXPECT_EQ(pool.GetCount(), 0);
}

TEST(IntVarKinds, SoftkeyRowTextCountReleasesStaleSlots)
{
    CTextPool pool(16, 8);
    auto row = StrVar("[Z085]", &pool, 144);
    row->SetTxtCount(9);
    row->SetStateTxt(9, "neun");
    row->SetStateTxt(2, "zwei");
    ASSERT_EQ(row->MaxStateIdx(), 2);
    row->SetTxtCount(12);
    EXPECT_EQ(row->GetStateTxt(9), nullptr) << "a slot above the old index is not carried over";
    EXPECT_EQ(pool.FindText("neun"), nullptr);
    EXPECT_STREQ(row->GetStateTxt(2), "zwei");
    row->FreeTxts();
    EXPECT_EQ(pool.GetCount(), 0);
}

} // namespace
