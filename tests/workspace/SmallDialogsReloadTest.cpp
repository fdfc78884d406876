#include "workspace/forms/OptionForms.h"
#include "workspace/forms/RcpDataForm.h"
#include "workspace/forms/SkActionForm.h"
#include "workspace/forms/SoftkeysForm.h"

#include "model/project/MsgTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/VarValList.h"
#include "support/PrjBuilder.h"
#include "support/SourceRoundTrip.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {

namespace {

template <class Var>
CPrjVar* AddReloadVar(CPrjData& prj, Var* var, uint8_t width)
{
    var->SetWidth(width);
    prj.InsVar(var);
    return var;
}

// Builds a recipe over six kinds, a softkey action on a softkey text and a
// message text, then edits each through its dialog's form.
void BuildAndEdit(CPrjData& prj)
{
    CTextPool* pool = prj.GetTextPool();
    CPrjVar* bcd = AddReloadVar(prj, new CPrjVarBcd("Menge", 30, 2, 16, 8, 0, 99999999, 0), 8);
    CPrjVar* vbin = AddReloadVar(prj, new CPrjVarVbin("Temp", 32, 2, 18, 4, 0, -999, 999, -999, 999), 5);
    CPrjVar* word = AddReloadVar(prj, new CPrjVarWord("Wort", 33, 2, 32, 1), 4);
    CPrjVar* ascii = AddReloadVar(prj, new CPrjVarAscii("Name", 34, 2, 34, 2), 4);
    auto* bit = new CPrjVarBit("Pumpe", 36, 2, 12, 0, pool);
    bit->SetStateTxt(0, "Aus");
    bit->SetStateTxt(1, "Ein");
    AddReloadVar(prj, bit, 3);
    auto* timer = new CPrjVarTimer("Zeit", 37, 2, 36, pool);
    for (int i = 0; i < 4; ++i)
        timer->SetStateTxt(i, "s");
    AddReloadVar(prj, timer, 5);
    // A recipe row holds 20 characters on this panel, and an ASCII field
    // stands alone in its row.
    AddText(prj, TextKind::Rcp, 1, "######## ##### ####", {{bcd, 0}, {vbin, 9}, {word, 15}});
    AddText(prj, TextKind::Rcp, 2, "####", {{ascii, 0}});
    AddText(prj, TextKind::Rcp, 3, "### #####", {{bit, 0}, {timer, 4}});

    auto* act = new CPrjSkAct(1, "Start");
    prj.InsSkAct(act);
    auto* skTxt = new CPrjSkTxt(0);
    prj.InsSkTxt(skTxt);
    AddText(prj, TextKind::Msg, 4, "Pumpe aus", {});
    CMsgTxt* msg = prj.GetMsgTxtList()->MsgAt(0);

    {
        CDlgRcpDataForm numbers(prj.GetRcpTxtList()->RcpAt(0)->GetValList(), &prj);
        const char* typed[] = {"99999999", "-999", "48879"};
        for (int i = 0; i < 3; ++i) {
            numbers.Select(i);
            numbers.EditChanged(typed[i]);
            EXPECT_TRUE(numbers.LeaveEdit());
        }
    }
    {
        CDlgRcpDataForm text(prj.GetRcpTxtList()->RcpAt(1)->GetValList(), &prj);
        text.EditChanged("abcdef");
    }
    {
        CDlgRcpDataForm states(prj.GetRcpTxtList()->RcpAt(2)->GetValList(), &prj);
        states.ChooseState(1);
        states.Select(1);
        states.ChooseState(3);
    }
    CDlgSkActionForm action(*act, &prj);
    action.SetComment("Pumpe an");
    action.SetCmd(0, CPrjSkAct::kOpOr);
    action.SetAdr(0, "40");
    action.SetFormat(0, 1);
    action.SetValue(0, "ffff");
    ASSERT_EQ(action.Ok(), 0);
    CDlgSoftkeysForm keys(*skTxt, *prj.GetSkActList(), 8, &prj);
    keys.SetPressSel(3, 1);
    keys.SetReleaseSel(3, 1);
    keys.Ok();
    CDlgMsgOptForm options(*msg, &prj, "midi");
    options.Ok(CDlgMsgOptForm::kIdFault, CDlgMsgOptForm::kIdDelMode1 + 2, false);
}

TEST(workspace_small_dialogs_reload, EditsSurviveSaveAndLoad)
{
    RoundTripProject built(118);
    BuildAndEdit(built.Prj());
    ASSERT_FALSE(testing::Test::HasFailure());
    const Agreement a = CheckAgreement(built);
    EXPECT_EQ(a.leftOut, 0) << a.w1;
    ASSERT_TRUE(a.read);
    const CPrjData& prj = a.read->Prj();

    ASSERT_EQ(prj.GetRcpTxtList()->GetCount(), 3);
    const CPrjVarValList& numbers = prj.GetRcpTxtList()->RcpAt(0)->GetValList();
    ASSERT_EQ(numbers.GetCount(), 3);
    EXPECT_EQ(numbers.GetAt(0)->GetValue(), 99999999u);
    EXPECT_EQ(static_cast<int32_t>(numbers.GetAt(1)->GetValue()), -999);
    EXPECT_EQ(numbers.GetAt(2)->GetValue(), 48879u);
    const CPrjVarValList& text = prj.GetRcpTxtList()->RcpAt(1)->GetValList();
    ASSERT_EQ(text.GetCount(), 1);
    ASSERT_NE(text.GetAt(0)->GetText(), nullptr);
    EXPECT_STREQ(text.GetAt(0)->GetText(), "abcd");
    const CPrjVarValList& states = prj.GetRcpTxtList()->RcpAt(2)->GetValList();
    ASSERT_EQ(states.GetCount(), 2);
    EXPECT_EQ(states.GetAt(0)->GetValue(), 1u);
    EXPECT_EQ(states.GetAt(1)->GetValue(), 3u);

    const CPrjSkAct* act = prj.GetSkActList()->FindByNum(1);
    ASSERT_NE(act, nullptr);
    EXPECT_STREQ(act->GetName(), "Pumpe an");
    EXPECT_EQ(act->GetOp(0), CPrjSkAct::kOpOr);
    EXPECT_EQ(act->GetAdr(0), 40);
    EXPECT_EQ(act->GetValue(0), 65535);
    EXPECT_EQ(act->GetFormat(0), CPrjSkAct::kFmtHex);

    ASSERT_EQ(prj.GetSkTxtList()->GetCount(), 1);
    const CPrjSkTxt* keys = prj.GetSkTxtList()->SkTxtAt(0);
    EXPECT_EQ(keys->GetPressAct(3), act);
    EXPECT_EQ(keys->GetReleaseAct(3), act);

    ASSERT_EQ(prj.GetMsgTxtList()->GetCount(), 1);
    const CMsgTxt* msg = prj.GetMsgTxtList()->MsgAt(0);
    EXPECT_EQ(msg->GetPrio(), CMsgTxt::PrioFault);
    EXPECT_EQ(msg->GetDelMode(), 3);
}

} // namespace

} // namespace orv
