#include "model/project/CharDef.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TextPool.h"
#include "model/project/TimeVal.h"
#include "support/FakeFwVarSource.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::vector<std::string> VarNames(const CPrjVarList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.push_back(list.VarAt(i)->GetName());
    return names;
}

void ChangeAllSettings(CPrjData& prj)
{
    prj.SetCycleTime(33);
    prj.SetPrnStatusPos(40);
    prj.SetDateMode(2);
    prj.SetPrnIfc(1);
    prj.SetPrnBaud(0);
    prj.SetPrnParity(2);
    prj.SetPrnDataBits(1);
    prj.SetPrnStopBits(0);
    prj.SetPrnHandshake(0);
    prj.SetPrnDirection(1);
    prj.SetRcpSize(1);
    prj.SetDataSize(1);
    prj.SetPrnTimeout(200);
    prj.SetPrnInit("1B40");
    for (int i = 0; i < 8; ++i)
        prj.SetPrnSubst(i, static_cast<uint8_t>('a' + i));
    prj.SetDWordVars(1);
    prj.SetVarDlgPreset(12);
    prj.SetVarDlgPreset2(3);
    prj.SetMsgMode(1);
    prj.SetVariant(1);
    prj.SetDefDescr("Vorgabe");
    prj.SetDescr("Alt");
    prj.SetPath("/tmp/alt.orv");
    prj.SetModified(true);
}

TEST(PrjDataClear, FilledProjectOnPanel14KeepsOnlyBuiltins)
{
    ProjectWorld fx(LoadedWorld(14));
    CPrjData& prj = *fx.prj;
    prj.Clear();
    const std::vector<std::string> builtins = VarNames(*prj.GetVarList());
    ASSERT_EQ(builtins.size(), 8u);

    PrjBuilder(prj).Fill();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_GT(prj.GetKomVarList()->GetCount(), 0);
    ChangeAllSettings(prj);

    prj.Clear();

    EXPECT_EQ(VarNames(*prj.GetVarList()), builtins);
    EXPECT_EQ(prj.GetKomVarList()->GetCount(), 0);
    EXPECT_EQ(prj.GetFwVarList()->GetCount(), 0);
    for (TextKind kind : kAllTextKinds)
        EXPECT_EQ(TextCount(prj, kind), 0) << TextKindName(kind);
    EXPECT_EQ(prj.GetMnuList()->GetCount(), 0);
    EXPECT_EQ(prj.GetTimerList()->GetCount(), 0);
    EXPECT_EQ(prj.GetCharDefColl()->GetCount(), 0);
    EXPECT_EQ(prj.GetSkActList()->GetCount(), 0);
    EXPECT_EQ(prj.GetSkTxtList()->GetCount(), 0);

    // The two softkey rows hold 128 blanks each.
    const CTextPool& pool = *prj.GetTextPool();
    ASSERT_EQ(pool.GetCount(), 1);
    EXPECT_EQ(pool.StrAt(0)->GetSharedText(), " ");
    EXPECT_EQ(pool.StrAt(0)->GetRefCount(), 256);

    EXPECT_EQ(prj.GetDescr(), "Vorgabe");
    EXPECT_EQ(prj.GetDefDescr(), "Vorgabe");
    EXPECT_EQ(prj.GetPath(), "");
    EXPECT_EQ(prj.GetModCount(), 0);
    EXPECT_EQ(fx.bundle.modCount, 0);
    EXPECT_EQ(prj.GetDevType(), 14);
    EXPECT_EQ(prj.GetVariant(), 1);
    EXPECT_EQ(prj.GetMsgMode(), 1);

    struct Setting {
        const char* name;
        std::function<int(const CPrjData&)> get;
        int expected;
    };
    const Setting restored[] = {
        {"cycle time", &CPrjData::GetCycleTime, 10},  {"printer status", &CPrjData::GetPrnStatusPos, 0},
        {"date mode", &CPrjData::GetDateMode, 0},     {"interface", &CPrjData::GetPrnIfc, 0},
        {"baud", &CPrjData::GetPrnBaud, 3},           {"parity", &CPrjData::GetPrnParity, 1},
        {"data bits", &CPrjData::GetPrnDataBits, 0},  {"stop bits", &CPrjData::GetPrnStopBits, 1},
        {"handshake", &CPrjData::GetPrnHandshake, 2}, {"direction", &CPrjData::GetPrnDirection, 0},
        {"recipe size", &CPrjData::GetRcpSize, 0},    {"data-set size", &CPrjData::GetDataSize, 0},
        {"time-out", &CPrjData::GetPrnTimeout, 1},    {"double words", &CPrjData::GetDWordVars, 0},
        {"address preset", &CPrjData::GetVarDlgPreset, 0}, {"bit preset", &CPrjData::GetVarDlgPreset2, -1},
    };
    for (const Setting& s : restored)
        EXPECT_EQ(s.get(prj), s.expected) << s.name;
    EXPECT_EQ(prj.GetPrnInit(), "0D0A");
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(prj.GetPrnSubst(i), ' ') << i;
}

TEST(PrjDataClear, SecondClearGivesTheSameContent)
{
    ProjectWorld fx(LoadedWorld(47));
    fx.fkt->SetUsed(1);
    fx.fkt->SetFile("SERVO.FKT");
    CPrjData& prj = *fx.prj;
    prj.Clear();
    const std::vector<std::string> first = VarNames(*prj.GetVarList());
    const int poolCount = prj.GetTextPool()->GetCount();
    const int32_t refs = prj.GetTextPool()->StrAt(0)->GetRefCount();

    PrjBuilder(prj).Fill();
    prj.Clear();
    prj.Clear();

    EXPECT_EQ(VarNames(*prj.GetVarList()), first);
    EXPECT_EQ(prj.GetTextPool()->GetCount(), poolCount);
    EXPECT_EQ(prj.GetTextPool()->StrAt(0)->GetRefCount(), refs);
}

TEST(PrjDataClear, SoftkeyTextHoldingActionsForPressAndRelease)
{
    ProjectWorld fx(LoadedWorld(14));
    CPrjData& prj = *fx.prj;
    auto* act = new CPrjSkAct(1, "Start");
    auto* other = new CPrjSkAct(2, "Stop");
    ASSERT_EQ(prj.InsSkAct(act), 0);
    ASSERT_EQ(prj.InsSkAct(other), 1);
    auto* text = new CPrjSkTxt(5);
    text->SetActs(1, act, act);
    text->SetActs(20, other, act);
    ASSERT_EQ(prj.InsSkTxt(text), 0);
    ASSERT_EQ(act->GetUseCount(), 3);

    // Freeing the text releases its actions, which must still be there.
    prj.Clear();
    EXPECT_EQ(prj.GetSkTxtList()->GetCount(), 0);
    EXPECT_EQ(prj.GetSkActList()->GetCount(), 0);
}

TEST(PrjDataClear, MenusReleaseOperatorTextsBeforeTheyGo)
{
    ProjectWorld fx(LoadedWorld(43));
    CPrjData& prj = *fx.prj;
    PrjBuilder(prj).Fill();
    ASSERT_FALSE(HasFatalFailure());
    const auto* node = prj.GetMnuList()->ItemAt(0)->GetSubList()->ItemAt(0);
    ASSERT_NE(node->GetOpTxt(), nullptr);
    EXPECT_EQ(node->GetOpTxt()->GetUseCount(), 1);
    prj.Clear();
    EXPECT_EQ(prj.GetMnuList()->GetCount(), 0);
    EXPECT_EQ(prj.GetOpTxtList()->GetCount(), 0);
}

TEST(PrjDataClear, DestructionOnlyFrees)
{
    FakeFwVarSource source;
    {
        ProjectWorld fx(LoadedWorld(706));
        fx.prj->SetFwVarSource(&source);
        PrjBuilder(*fx.prj).Fill();
        fx.prj.reset();
    }
    EXPECT_TRUE(source.Calls().empty());

    // The workspace deletes the character set before the root.
    ProjectWorld fx(LoadedWorld(14));
    fx.prj->Clear();
    PrjBuilder(*fx.prj).Fill();
    fx.Unwire(WorldPart::CharSet);
    fx.charSet.reset();
    fx.Unwire(WorldPart::Fkt);
    fx.fkt.reset();
    fx.prj.reset();
    EXPECT_EQ(CPrjData::GetCurrent(), nullptr);
}

} // namespace
