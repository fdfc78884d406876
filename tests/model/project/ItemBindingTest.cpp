#include "model/project/DrvParColl.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "support/ProjectWorld.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr uint32_t kItemBindingFlags = 0x33FB;

struct ItemBinding : ::testing::Test {
    std::unique_ptr<ProjectWorld> b = World()
                                        .Sps(SpsParBuilder().Sys(5).Var(20).Var(21).Msg(40, 100).Var(0xFFFF))
                                        .Build();
    CDrvParColl& items = b->sps->GetItems();
    CPrjVarList& vars = *b->prj->GetVarList();
    CPrjKomVarList& kom = *b->prj->GetKomVarList();

    CDrvParItem& Item(uint16_t number) { return *items.FindItem(number); }
    CPrjVar* AddPlcVar(const char* name, int16_t adr)
    {
        auto* var = new CPrjVarWord(name, adr, 1, 32, 0);
        vars.Add(var);
        return var;
    }
    CPrjVar* AddIntVar(CPrjVarList& list, const char* name, int16_t adr, uint8_t setpKind = 4)
    {
        auto* var = new CPrjIntVarByte(name, adr, kItemBindingFlags, setpKind, 251, 0, 0, 1);
        list.Add(var);
        return var;
    }
    static std::string TextOf(const CDrvParItem& item) { return item.HasText() ? item.GetText() : "<none>"; }
};

TEST_F(ItemBinding, UseItemTakesVarAndMsgItemsOnly)
{
    const std::string sysText = TextOf(Item(5));
    CPrjVarWord onVar("Motor", 20, 1, 32, 0);
    CPrjVarWord onMsg("Meldung", 40, 1, 32, 0);
    CPrjVarWord onSys("System", 5, 1, 32, 0);
    CPrjVarWord nowhere("Leer", 30, 1, 32, 0);
    CPrjIntVarW17 internal("ZW", kItemBindingFlags, 1, 252, 0, 0);

    for (const CPrjVar* var : std::vector<const CPrjVar*>{&onVar, &onMsg, &onSys, &nowhere, &internal})
        items.UseItem(*var);
    EXPECT_EQ(TextOf(Item(20)), "Motor");
    EXPECT_EQ(Item(20).GetUseCount(), 1);
    EXPECT_EQ(TextOf(Item(40)), "Meldung");
    EXPECT_EQ(Item(40).GetUseCount(), 1);
    EXPECT_EQ(TextOf(Item(5)), sysText);
    EXPECT_EQ(Item(5).GetUseCount(), 0);
    EXPECT_EQ(Item(0xFFFF).GetUseCount(), 0) << "an internal variable has no data word";

    CPrjVarWord renamed("Pumpe", 20, 1, 32, 0);
    items.SetItemName(renamed);
    items.SetItemName(internal);
    EXPECT_EQ(TextOf(Item(20)), "Pumpe");
    EXPECT_EQ(Item(20).GetUseCount(), 1);
    EXPECT_FALSE(Item(0xFFFF).HasText());
}

TEST_F(ItemBinding, ReleaseNamesItemAfterWhatRemains)
{
    struct Case {
        const char* what;
        uint16_t word;
        int usersBefore;
        std::vector<const char*> plcVars;
        const char* intVar;
        const char* komVar;
        bool withLists;
        int usersAfter;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"two users, one left", 20, 2, {"Rest"}, nullptr, nullptr, true, 1, "Rest"},
        {"last user of a VAR item", 20, 1, {}, nullptr, nullptr, true, 0, "<none>"},
        {"last user of a MSG item", 40, 1, {}, nullptr, nullptr, true, 0, "H 115 .. H 100"},
        {"MSG item with an internal variable on it", 40, 1, {}, "Intern", nullptr, true, 0, "<none>"},
        {"interface name while users remain", 21, 2, {}, nullptr, "Datum", true, 1, "Datum"},
        {"interface variable, no user left", 21, 1, {}, nullptr, "Datum", true, 0, "<none>"},
        {"PLC name before interface name", 21, 2, {"Motor"}, nullptr, "Datum", true, 1, "Motor"},
        {"without the lists", 20, 2, {"Rest"}, nullptr, nullptr, false, 1, "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        b = World().Sps(SpsParBuilder().Var(20).Var(21).Msg(40, 100)).Build();
        CDrvParColl& its = b->sps->GetItems();
        CPrjVarList& vl = *b->prj->GetVarList();
        CPrjKomVarList& kl = *b->prj->GetKomVarList();
        auto* item = dynamic_cast<CDrvParVarItem*>(its.FindItem(c.word));
        ASSERT_NE(item, nullptr);
        for (int i = 0; i < c.usersBefore; ++i)
            item->UseBy("alt" + std::to_string(i));
        for (const char* name : c.plcVars)
            vl.Add(new CPrjVarWord(name, static_cast<int16_t>(c.word), 1, 32, 0));
        if (c.intVar)
            AddIntVar(vl, c.intVar, static_cast<int16_t>(c.word));
        if (c.komVar)
            AddIntVar(kl, c.komVar, static_cast<int16_t>(c.word));

        its.ReleaseItem(c.word, c.withLists ? &vl : nullptr, &kl);
        EXPECT_EQ(item->GetUseCount(), c.usersAfter);
        EXPECT_EQ(TextOf(*item), c.text);
    }
}

// A flagged item left with at most one user goes the way of the interface
// variable on its word.
TEST_F(ItemBinding, ReleaseDirectionFollowsInterfaceVariable)
{
    struct Case {
        int setpKind;
        bool flag;
        int usersBefore;
        int direction;
    };
    const Case cases[] = {
        {1, true, 1, 1}, {2, true, 1, 2}, {3, true, 1, 2}, {4, true, 2, 3},
        {5, true, 1, 0}, {1, false, 1, 0}, {1, true, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("setpoint kind " + std::to_string(c.setpKind) + (c.flag ? " flagged" : "") + ", users " +
                     std::to_string(c.usersBefore));
        b = World().Sps(SpsParBuilder().Var(20)).Build();
        auto& item = dynamic_cast<CDrvParVarItem&>(*b->sps->GetItems().FindItem(20));
        item.SetDirection(0);
        item.SetFlag(c.flag ? 1 : 0);
        for (int i = 0; i < c.usersBefore; ++i)
            item.UseBy("x");
        AddIntVar(*b->prj->GetKomVarList(), "Datum", 20, static_cast<uint8_t>(c.setpKind));
        b->sps->ReleaseItem(20);
        EXPECT_EQ(item.GetDirection(), c.direction);
    }
}

TEST_F(ItemBinding, MoveItemUse)
{
    CPrjVar* motor = AddPlcVar("Motor", 20);
    items.UseItem(*motor);
    motor->SetAdr(21);
    b->sps->MoveItemUse(20, *motor);
    EXPECT_EQ(Item(20).GetUseCount(), 0);
    EXPECT_FALSE(Item(20).HasText());
    EXPECT_EQ(Item(21).GetUseCount(), 1);
    EXPECT_EQ(TextOf(Item(21)), "Motor");
}

TEST_F(ItemBinding, ForwardsWithoutRootDoNothing)
{
    PrjBundle rootless;  // a bundle with nothing in it, as no bundle at all
    for (PrjBundle* bundle : {static_cast<PrjBundle*>(nullptr), &rootless}) {
        auto sps = SpsParBuilder().Var(20).Var(21).Build(bundle);
        CPrjVarWord motor("Motor", 21, 1, 32, 0);
        sps->UseItem(CPrjVarWord("Alt", 20, 1, 32, 0));
        sps->ReleaseItem(20);
        sps->MoveItemUse(20, motor);
        EXPECT_EQ(sps->GetItems().FindItem(20)->GetUseCount(), 1);
        EXPECT_EQ(sps->GetItems().FindItem(21)->GetUseCount(), 0);
    }
}

TEST_F(ItemBinding, MarkPlcBits)
{
    b = World()
            .Sps(SpsParBuilder()
                     .Var(20).Var(21).Var(22).Var(23).Msg(30, 200)
                     .Var(40).Var(41).Var(42).Var(43).Var(44).Var(45).Var(46).Var(47).Var(48).Var(49).Var(50)
                     .Var(60).Var(61).Var(62))
            .Build();
    CDrvParColl& its = b->sps->GetItems();
    CPrjVarList& vl = *b->prj->GetVarList();
    its.FindItem(23)->SetKind(CDrvParItem::KindSys);
    vl.Add(new CPrjVarBit("Bit3", 20, 1, 12, 3, &b->pool));
    vl.Add(new CPrjVarBit("Bit15", 30, 1, 12, 15, &b->pool));
    vl.Add(new CPrjVarWord("Wort", 21, 1, 32, 1));
    vl.Add(new CPrjIntVarByte("Intern", 22, kItemBindingFlags, 4, 251, 0, 0, 1));
    vl.Add(new CPrjVarWord("SysWort", 23, 1, 32, 1));
    vl.Add(new CPrjVarAscii("Text", 40, 1, 34, 10));
    vl.Add(new CPrjVarBin("Doppel", 60, 1, 6, 6, 0, 0, 0, 0, 0));
    vl.Add(new CPrjVarWord("Ohne", 70, 1, 32, 1));

    vl.MarkPlcBits(&its);
    vl.MarkPlcBits(nullptr);

    auto mask = [&](uint16_t n) { return dynamic_cast<CDrvParVarItem&>(*its.FindItem(n)).GetMask(); };
    EXPECT_EQ(mask(20), 0x0008);
    EXPECT_EQ(mask(30), 0x8000);
    EXPECT_EQ(mask(21), 0xFFFF);
    EXPECT_EQ(mask(22), 0) << "internal variables mark nothing";
    EXPECT_EQ(mask(23), 0) << "an item of kind 1 is skipped";
    for (uint16_t n = 40; n <= 49; ++n)
        EXPECT_EQ(mask(n), 0xFFFF) << n;
    EXPECT_EQ(mask(50), 0);
    EXPECT_EQ(mask(60), 0xFFFF);
    EXPECT_EQ(mask(61), 0xFFFF);
    EXPECT_EQ(mask(62), 0);
}

} // namespace
