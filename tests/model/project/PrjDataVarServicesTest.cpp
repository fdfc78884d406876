#include "model/project/CharDef.h"
#include "model/project/DrvParColl.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/TimeVal.h"
#include "model/project/TxtRow.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace orv;

namespace {

bool IsDisplayKind(TextKind kind)
{
    return kind != TextKind::OpPrn && kind != TextKind::MsgPrn;
}

TEST(PrjDataVarServices, ReplaceVarInEveryTextList)
{
    for (TextKind kind : kAllTextKinds) {
        SCOPED_TRACE(TextKindName(kind));
        ProjectWorld fx(LoadedWorld(43));
        CPrjData& prj = *fx.prj;
        PrjBuilder builder(prj);
        CPrjVar* oldVar = builder.AddNumVar("Old", 5);
        ASSERT_NE(oldVar, nullptr);
        AddText(prj, kind, 1, "Wert ####", {{oldVar, 5}});
        auto newVar = std::make_unique<CPrjVarBin>("New", 6, 1, 2, 6, 0, 0, 999999, 0, 0);
        newVar->SetMaxWidth(3);

        CPrjVar* newRaw = newVar.release();
        prj.ReplaceVar(oldVar, newRaw);

        const CTxtRowBase* row = TextRow(prj, kind, 1);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetVarSlot(0).var, newRaw);
        EXPECT_EQ(row->GetVarSlot(0).col, 5);
        EXPECT_EQ(row->GetText().size(), 11u);
        EXPECT_EQ(newRaw->GetUseCount(), 1);
        EXPECT_EQ(prj.GetVarList()->FindByName("Old"), nullptr);
        EXPECT_EQ(prj.GetVarList()->FindByName("New"), newRaw);
        EXPECT_EQ(prj.GetVarList()->GetCount(), 1);
        // A display row of 40 leaves 29 characters beside the 11 of its text.
        EXPECT_EQ(newRaw->GetMaxWidth(), IsDisplayKind(kind) ? 35 : 40);
        if (kind == TextKind::Rcp) {
            EXPECT_EQ(prj.GetRcpTxtList()->RcpAt(0)->GetValList().GetAt(0)->GetVar(), newRaw);
        }
    }
}

TEST(PrjDataVarServices, ReplaceVarByItselfKeepsIt)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    CPrjVar* var = PrjBuilder(prj).AddNumVar("Level", 5);
    AddText(prj, TextKind::Msg, 3, "Stand ####", {{var, 6}});
    prj.ReplaceVar(var, var);
    EXPECT_EQ(prj.GetVarList()->FindByName("Level"), var);
    EXPECT_EQ(TextRow(prj, TextKind::Msg, 3)->GetVarSlot(0).var, var);
    EXPECT_EQ(var->GetUseCount(), 1);
}

TEST(PrjDataVarServices, ReplaceVarWithoutCharacterSetChangesNothing)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    CPrjVar* oldVar = PrjBuilder(prj).AddNumVar("Old", 5);
    AddText(prj, TextKind::Op, 1, "Wert ####", {{oldVar, 5}});
    fx.Unwire(WorldPart::CharSet);
    CPrjVarBin newVar("New", 6, 1, 2, 6, 0, 0, 999999, 0, 0);
    prj.ReplaceVar(oldVar, &newVar);
    EXPECT_EQ(prj.GetVarList()->FindByName("Old"), oldVar);
    EXPECT_EQ(TextRow(prj, TextKind::Op, 1)->GetVarSlot(0).var, oldVar);
}

TEST(PrjDataVarServices, IsVarUsedMeansBesideAnotherVariable)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    PrjBuilder builder(prj);
    CPrjVar* level = builder.AddNumVar("Level", 5);
    CPrjVar* pump = builder.AddBitVar("Pump", 6, "Aus", "Ein");
    for (TextKind kind : kAllTextKinds)
        AddText(prj, kind, 1, "Level ####", {{level, 6}});
    EXPECT_FALSE(prj.IsVarUsed(level));
    EXPECT_FALSE(prj.IsVarUsed(pump));
    EXPECT_FALSE(prj.IsVarUsed(nullptr));

    AddText(prj, TextKind::Hlp4, 2, "Level #### Pump ###", {{level, 6}, {pump, 16}});
    EXPECT_TRUE(prj.IsVarUsed(level));
    EXPECT_TRUE(prj.IsVarUsed(pump));
}

TEST(PrjDataVarServices, CalcVarMaxWidths)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    PrjBuilder builder(prj);
    CPrjVar* first = builder.AddNumVar("First", 5);
    CPrjVar* second = builder.AddNumVar("Second", 6);
    CPrjVar* alone = builder.AddNumVar("Alone", 7);
    CPrjVar* unused = builder.AddNumVar("Unused", 8);
    AddText(prj, TextKind::Op, 1, "A ####  B ####", {{first, 2}, {second, 10}});
    AddText(prj, TextKind::Hist, 1, "####", {{alone, 0}});
    for (CPrjVar* var : {first, second, alone, unused})
        var->SetMaxWidth(1);

    prj.CalcVarMaxWidths();

    // 26 characters are left beside the 14 of the row.
    EXPECT_EQ(first->GetMaxWidth(), 30);
    EXPECT_EQ(second->GetMaxWidth(), 30);
    EXPECT_EQ(alone->GetMaxWidth(), 40);
    EXPECT_EQ(unused->GetMaxWidth(), 40);

    prj.SetDevType(14);
    prj.CalcVarMaxWidths();
    EXPECT_EQ(unused->GetMaxWidth(), 20);
    EXPECT_EQ(first->GetMaxWidth(), 10);
}

TEST(PrjDataVarServices, InsTimerNamesTheTimeSwitchState)
{
    ProjectWorld fx(LoadedWorld(706));
    CPrjData& prj = *fx.prj;
    auto* z022 = new CPrjIntVarStr("[Z022]", 0x33FB, 2, 154, 0, 0, prj.GetTextPool());
    z022->SetTxtCount(7);
    prj.InsVar(z022);
    auto* timer = new CPrjTimer(3, "Heizung");
    EXPECT_EQ(prj.InsTimer(timer), 0);
    EXPECT_EQ(prj.GetTimerList()->TimerAt(0), timer);
    EXPECT_STREQ(z022->GetStateTxt(3), "Heizung");
    EXPECT_EQ(z022->GetWidth(), 16);
    EXPECT_EQ(z022->GetStateTxt(2), nullptr);
    EXPECT_EQ(prj.InsTimer(nullptr), 0);
}

TEST(PrjDataVarServices, InsTimerLeavesOtherTypesAlone)
{
    ProjectWorld fx(LoadedWorld(706));
    CPrjData& prj = *fx.prj;
    auto* z022 = new CPrjIntVarStr("[Z022]", 0x33FB, 2, 142, 0, 0, prj.GetTextPool());
    z022->SetTxtCount(7);
    z022->SetWidth(4);
    prj.InsVar(z022);
    prj.InsTimer(new CPrjTimer(3, "Heizung"));
    EXPECT_EQ(z022->GetStateTxt(3), nullptr);
    EXPECT_EQ(z022->GetWidth(), 4);
}

TEST(PrjDataVarServices, BindVarItemsDropsWordsNoLongerUsed)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    CPrjVar* var = PrjBuilder(prj).AddNumVar("Level", 7);
    const auto* item = dynamic_cast<const CDrvParVarItem*>(fx.sps->GetItems().FindItem(7));
    ASSERT_NE(item, nullptr);

    prj.BindVarItems();
    EXPECT_NE(item->GetMask(), 0);

    prj.GetVarList()->Delete(var);
    prj.BindVarItems();
    EXPECT_EQ(item->GetMask(), 0);
}

TEST(PrjDataVarServices, BindMsgItemsDropsMessagesNoLongerThere)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    // Message 400 is bit 0 of the message word 40 on this panel.
    auto* msg = new CMsgTxt(400, CMsgTxt::PrioWarning, 1, 0);
    ASSERT_EQ(prj.InsMsgTxt(msg), 0);
    const auto* item = dynamic_cast<const CDrvParMsgItem*>(fx.sps->GetItems().FindItem(40));
    ASSERT_NE(item, nullptr);

    prj.BindMsgItems();
    EXPECT_NE(item->GetBitsA() | item->GetBitsB(), 0);

    prj.GetMsgTxtList()->DelEntry(msg);
    prj.BindMsgItems();
    EXPECT_EQ(item->GetBitsA() | item->GetBitsB(), 0);
}

TEST(PrjDataVarServices, DelHistTxtAndDelCharDefActOnlyOnTheirOwn)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    auto* hist = new CHistTxt(4);
    prj.InsHistTxt(hist);
    CHistTxt stranger(4);
    prj.DelHistTxt(&stranger);
    prj.DelHistTxt(nullptr);
    EXPECT_EQ(prj.GetHistTxtList()->GetCount(), 1);
    prj.DelHistTxt(hist);
    EXPECT_EQ(prj.GetHistTxtList()->GetCount(), 0);

    auto* def = new CCharDef(3, {1, 2, 3, 4, 5, 6, 7, 8});
    prj.InsCharDef(def);
    CCharDef twin(3, {});
    prj.DelCharDef(&twin);
    prj.DelCharDef(nullptr);
    EXPECT_EQ(prj.GetCharDefColl()->GetCount(), 1);
    prj.DelCharDef(def);
    EXPECT_EQ(prj.GetCharDefColl()->GetCount(), 0);
}

} // namespace
