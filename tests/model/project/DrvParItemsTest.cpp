#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/core/Catalogues.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/core/UiServices.h"
#include "support/ScriptedUi.h"

using namespace orv;

namespace {

TEST(DrvParItems, SysTextComesFromCatalogueAndRefreshReloadsIt) {
    CDrvParSysItem item(7, 1, 3);
    EXPECT_EQ(item.GetKind(), CDrvParItem::KindSys);
    EXPECT_EQ(item.GetText(), ResourceTXT(1173));
    EXPECT_TRUE(item.IsUsed());
    item.SetText("changed");
    item.Refresh();
    EXPECT_EQ(item.GetText(), ResourceTXT(1173));
}

TEST(DrvParItems, FreeVarItemIsFoundUntilOneMaskBitIsSet) {
    CDrvParColl items(256, 2);
    items.Add(new CDrvParSysItem(1, 1, 1));
    items.Add(new CDrvParMsgItem(2, 1, 100, 40));
    auto* var = new CDrvParVarItem(9, 3);
    items.Add(var);
    EXPECT_EQ(items.FirstFreeVar(), var);
    var->SetMaskBit(4, true);
    EXPECT_TRUE(var->IsUsed());
    EXPECT_EQ(items.FirstFreeVar(), nullptr);
    var->SetMaskBit(4, false);
    EXPECT_EQ(items.FirstFreeVar(), var);
    var->UseBy("PUMPE");
    EXPECT_EQ(items.FirstFreeVar(), nullptr);
}

TEST(DrvParItems, NonZeroMaskFreesTextOnlyWithoutUsers) {
    CDrvParVarItem unused(3, 3);
    unused.SetName("NAME");
    unused.SetMask(0);
    EXPECT_TRUE(unused.HasText()) << "a zero mask keeps the text";
    unused.SetMask(0x10);
    EXPECT_FALSE(unused.HasText());

    CDrvParVarItem used(4, 3);
    used.UseBy("PUMPE");
    used.SetMask(0x10);
    EXPECT_EQ(used.GetText(), "PUMPE");
    used.SetMaskBit(2, true);
    EXPECT_EQ(used.GetText(), "PUMPE");
    EXPECT_EQ(used.GetMask(), 0x14);
}

TEST(DrvParItems, ResetRestoresDefaultsAndSetsMark) {
    CDrvParVarItem var(3, 1);
    var.UseBy("A");
    var.SetMask(5);
    var.SetDirection(1);
    var.SetKind(1);
    var.Reset();
    EXPECT_EQ(var.GetDirection(), 3);
    EXPECT_EQ(var.GetKind(), CDrvParItem::KindVar);
    EXPECT_EQ(var.GetUseCount(), 0);
    EXPECT_EQ(var.GetMask(), 0);
    EXPECT_FALSE(var.HasText());
    EXPECT_EQ(var.GetMark(), CDrvParItem::kResetMark);

    CDrvParMsgItem msg(4, 1, 100, 40);
    msg.SetDirection(2);
    msg.SetKind(2);
    msg.SetBitKind(3, 4);
    msg.UseBy("M");
    msg.Reset();
    EXPECT_EQ(msg.GetDirection(), 3);
    EXPECT_EQ(msg.GetKind(), CDrvParItem::KindMsg);
    EXPECT_EQ(msg.GetBitsA(), 0);
    EXPECT_EQ(msg.GetBitsB(), 0);
    EXPECT_EQ(msg.GetText(), msg.RangeText());

    // A zero default leaves the field alone.
    var.SetDefKind(0);
    var.SetKind(1);
    var.Reset();
    EXPECT_EQ(var.GetKind(), 1);
}

TEST(DrvParItems, MsgRangeTextAndRefreshWhileUnused) {
    CDrvParMsgItem msg(12, 1, 100, 40);
    const std::string letter(1, ResourceTXT(1210)[0]);
    EXPECT_EQ(letter, "H");
    const std::string range = letter + " 115 .. " + letter + " 100";
    EXPECT_EQ(msg.GetText(), range);
    EXPECT_TRUE(msg.IsUsed());

    msg.UseBy("MELD");
    msg.Refresh();
    EXPECT_EQ(msg.GetText(), "MELD") << "used: Refresh keeps the name";

    CDrvParMsgItem masked(13, 1, 100, 40);
    masked.SetMaskBit(0, true);
    EXPECT_FALSE(masked.HasText());
    masked.Refresh();
    EXPECT_FALSE(masked.HasText()) << "masked: Refresh leaves the text";
    masked.ClearMask();
    EXPECT_EQ(masked.GetText(), range) << "ClearMask refreshes";

    CDrvParMsgItem big(14, 1, 65530, 41);
    EXPECT_EQ(big.GetText(), "W65545 .. W65530") << "start + 15 is not cut to 16 bits";
}

TEST(DrvParItems, SetBitKindAndClearBits) {
    struct Case {
        unsigned bit;
        int kind;
        uint16_t a;
        uint16_t b;
    };
    // Each row starts from bit 5 set in both masks.
    const Case cases[] = {
        {5, 2, 0x0020, 0x0000}, {5, 3, 0x0000, 0x0020}, {5, 4, 0x0020, 0x0020},
        {5, 1, 0x0000, 0x0000}, {5, 0, 0x0000, 0x0000}, {0, 2, 0x0021, 0x0020},
        {15, 3, 0x0020, 0x8020}, {16, 2, 0x0020, 0x0020}, {40, 0, 0x0020, 0x0020},
    };
    for (const Case& c : cases) {
        CDrvParMsgItem msg(1, 1, 0, 40);
        msg.SetBitKind(5, 4);
        msg.SetBitKind(c.bit, c.kind);
        EXPECT_EQ(msg.GetBitsA(), c.a) << c.bit << "/" << c.kind;
        EXPECT_EQ(msg.GetBitsB(), c.b) << c.bit << "/" << c.kind;
        msg.ClearBits();
        EXPECT_EQ(msg.GetBitsA(), 0);
        EXPECT_EQ(msg.GetBitsB(), 0);
    }
}

TEST(DrvParItems, SubUseStopsAtZero) {
    CDrvParVarItem var(1, 3);
    var.SubUse();
    EXPECT_EQ(var.GetUseCount(), 0);
    var.AddUse();
    var.AddUse();
    var.SubUse();
    EXPECT_EQ(var.GetUseCount(), 1);
}

TEST(DrvParItems, CollectionKeepsUnsignedOrderAndRefusesSecondItemOnWord) {
    ScriptedUi ui;
    ScopedUiServices scope(ui);
    CDrvParColl items(256, 2);
    for (uint16_t n : {300, 5, 40000, 0, 65535, 20}) items.Add(new CDrvParVarItem(n, 3));
    const uint16_t order[] = {0, 5, 20, 300, 40000, 65535};
    ASSERT_EQ(items.GetCount(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(items.ItemAt(i)->GetNumber(), order[i]);

    auto second = std::make_unique<CDrvParSysItem>(20, 1, 1);
    const int index = items.Add(second.get());
    EXPECT_EQ(index, 2);
    EXPECT_NE(items.ItemAt(index), second.get());
    EXPECT_EQ(items.GetCount(), 6);
    EXPECT_EQ(items.FindItem(20)->GetKind(), CDrvParItem::KindVar);

    EXPECT_EQ(items.FindItem(40000)->GetNumber(), 40000);
    EXPECT_EQ(items.FindItem(21), nullptr);
    EXPECT_TRUE(ui.Calls().empty()) << "no internal error";
}

TEST(DrvParItems, SetMaskBitOutsideTheWordChangesNothing) {
    const std::pair<unsigned, uint16_t> cases[] = {
        {15, 0x8000}, {16, 0}, {31, 0}, {32, 0}, {200, 0}};
    for (const auto& [bit, mask] : cases) {
        CDrvParVarItem var(1, 3);
        var.SetName("KEEP");
        var.SetMaskBit(bit, true);
        EXPECT_EQ(var.GetMask(), mask) << bit;
        EXPECT_EQ(var.HasText(), mask == 0) << bit;
        var.SetMaskBit(bit, false);
        EXPECT_EQ(var.GetMask(), 0) << bit;
    }
}

TEST(DrvParItems, AllOperationsReachEveryItem) {
    CDrvParColl items(256, 2);
    auto* var = new CDrvParVarItem(1, 3);
    auto* msg = new CDrvParMsgItem(2, 1, 0, 40);
    items.Add(var);
    items.Add(msg);
    var->SetMask(3);
    msg->SetMask(3);
    msg->SetBitKind(1, 4);
    items.ClearBitsAll();
    EXPECT_EQ(msg->GetBitsA(), 0);
    items.ClearMaskAll();
    EXPECT_EQ(var->GetMask(), 0);
    EXPECT_EQ(msg->GetMask(), 0);
    EXPECT_EQ(msg->GetText(), msg->RangeText());
    var->UseBy("X");
    items.ResetAll();
    EXPECT_EQ(var->GetUseCount(), 0);
    EXPECT_FALSE(var->HasText());
}

}  // namespace
