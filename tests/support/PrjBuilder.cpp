#include "support/PrjBuilder.h"

#include "model/project/CharDef.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TimeVal.h"
#include "model/project/TxtRow.h"
#include "support/SpsParBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace orv {

WorldRecipe LoadedWorld(uint16_t devType)
{
    SpsParBuilder sps;
    for (uint16_t word : {5, 6, 7, 8, 9, 20, 21, 22, 23, 30, 31, 32})
        sps.Var(word);
    sps.Msg(40, 100);
    return World(devType).CharSet().Sps(std::move(sps)).Fkt();
}

const char* TextKindName(TextKind kind)
{
    static constexpr const char* kNames[] = {"Op",   "Msg",  "Rcp",  "Hist", "Hlp0",  "Hlp1",  "Hlp2",
                                             "Hlp3", "Hlp4", "Hlp5", "Hlp6", "OpPrn", "MsgPrn"};
    return kNames[static_cast<int>(kind)];
}

namespace {

template <class Row>
std::unique_ptr<Row> MakeRow(std::string_view text, std::initializer_list<VarAt> vars)
{
    CTxtVarSlots slots;
    int i = 0;
    for (const VarAt& v : vars) {
        slots.SetVar(i, v.var);
        slots.SetCol(i, v.col);
        ++i;
    }
    return std::make_unique<Row>(1, text, &slots);
}

template <class Entry, class Row>
Entry* WithRow(std::unique_ptr<Entry> entry, std::string_view text, std::initializer_list<VarAt> vars)
{
    entry->SetRowCount(1);
    entry->SetRow(MakeRow<Row>(text, vars));
    return entry.release();
}

// Hands the entry to the list and fails the test when it is refused.
template <class Entry>
void Insert(CSortedColl* list, Entry* entry)
{
    const int index = list->Insert(entry);
    ASSERT_TRUE(index >= 0 && list->At(index) == entry) << "entry refused";
}

int HlpKind(TextKind kind)
{
    return static_cast<int>(kind) - static_cast<int>(TextKind::Hlp0);
}

bool IsHlp(TextKind kind)
{
    return kind >= TextKind::Hlp0 && kind <= TextKind::Hlp6;
}

} // namespace

void AddText(CPrjData& prj, TextKind kind, int32_t num, std::string_view text, std::initializer_list<VarAt> vars)
{
    switch (kind) {
    case TextKind::Op:
        Insert(prj.GetOpTxtList(), WithRow<CPrjOpTxt, CPrjTxtRow>(std::make_unique<CPrjOpTxt>(num), text, vars));
        break;
    case TextKind::Msg:
        Insert(prj.GetMsgTxtList(),
               WithRow<CMsgTxt, CPrjTxtRow>(std::make_unique<CMsgTxt>(num, CMsgTxt::PrioInfo, 1, 0), text, vars));
        break;
    case TextKind::Rcp: {
        auto entry = std::make_unique<CPrjRcpTxt>(num);
        int pair = 0;
        for (const VarAt& v : vars)
            entry->GetValList().InsertPair(v.var, pair++);
        Insert(prj.GetRcpTxtList(), WithRow<CPrjRcpTxt, CPrjTxtRow>(std::move(entry), text, vars));
        break;
    }
    case TextKind::Hist:
        Insert(prj.GetHistTxtList(), WithRow<CHistTxt, CPrjTxtRow>(std::make_unique<CHistTxt>(num), text, vars));
        break;
    case TextKind::OpPrn:
        Insert(prj.GetOpPrnTxtList(),
               WithRow<COpPrnTxt, CPrnTxtLin>(std::make_unique<COpPrnTxt>(num), text, vars));
        break;
    case TextKind::MsgPrn:
        Insert(prj.GetMsgPrnTxtList(),
               WithRow<CMsgPrnTxt, CPrnTxtLin>(std::make_unique<CMsgPrnTxt>(num, 0x11), text, vars));
        break;
    default:
        Insert(prj.GetHlpTxtList(HlpKind(kind)),
               WithRow<CKindTxt, CPrjTxtRow>(std::make_unique<CKindTxt>(num), text, vars));
        break;
    }
}

namespace {

template <class List>
const CTxtRowBase* RowIn(const List* list, int32_t num, int rowNum)
{
    const auto* entry = list->FindByNum(num);
    return entry ? entry->GetRow(rowNum) : nullptr;
}

} // namespace

const CTxtRowBase* TextRow(const CPrjData& prj, TextKind kind, int32_t num, int rowNum)
{
    switch (kind) {
    case TextKind::Op: return RowIn(prj.GetOpTxtList(), num, rowNum);
    case TextKind::Msg: return RowIn(prj.GetMsgTxtList(), num, rowNum);
    case TextKind::Rcp: return RowIn(prj.GetRcpTxtList(), num, rowNum);
    case TextKind::Hist: return RowIn(prj.GetHistTxtList(), num, rowNum);
    case TextKind::OpPrn: return RowIn(prj.GetOpPrnTxtList(), num, rowNum);
    case TextKind::MsgPrn: return RowIn(prj.GetMsgPrnTxtList(), num, rowNum);
    default: return IsHlp(kind) ? RowIn(prj.GetHlpTxtList(HlpKind(kind)), num, rowNum) : nullptr;
    }
}

int TextCount(const CPrjData& prj, TextKind kind)
{
    switch (kind) {
    case TextKind::Op: return prj.GetOpTxtList()->GetCount();
    case TextKind::Msg: return prj.GetMsgTxtList()->GetCount();
    case TextKind::Rcp: return prj.GetRcpTxtList()->GetCount();
    case TextKind::Hist: return prj.GetHistTxtList()->GetCount();
    case TextKind::OpPrn: return prj.GetOpPrnTxtList()->GetCount();
    case TextKind::MsgPrn: return prj.GetMsgPrnTxtList()->GetCount();
    default: return prj.GetHlpTxtList(HlpKind(kind))->GetCount();
    }
}

CPrjVar* PrjBuilder::Keep(std::unique_ptr<CPrjVar> var)
{
    CPrjVar* raw = var.get();
    const int index = m_prj.InsVar(raw);
    if (index < 0 || m_prj.GetVarList()->At(index) != raw)
        return nullptr;
    return var.release();
}

CPrjVar* PrjBuilder::AddNumVar(std::string_view name, int16_t adr)
{
    return Keep(std::make_unique<CPrjVarBin>(name, adr, 1, 2, 4, 0, 0, 9999, 0, 0));
}

CPrjVar* PrjBuilder::AddBitVar(std::string_view name, int16_t adr, const char* off, const char* on)
{
    auto var = std::make_unique<CPrjVarBit>(name, adr, 1, 12, 3, m_prj.GetTextPool());
    var->SetStateTxt(0, off);
    var->SetStateTxt(1, on);
    return Keep(std::move(var));
}

void PrjBuilder::Fill()
{
    CPrjVar* level = AddNumVar("Level", 5);
    CPrjVar* pump = AddBitVar("Pump", 6, "Aus", "Ein");
    auto mode = std::make_unique<CPrjVarString>("Mode", 7, 2, 14, m_prj.GetTextPool());
    mode->SetTxtCount(2);
    for (int i = 0; i <= 2; ++i)
        mode->SetStateTxt(i, i == 1 ? "Ein" : (i == 0 ? "Hand" : "Auto"));
    CPrjVar* modeVar = Keep(std::move(mode));
    ASSERT_TRUE(level && pump && modeVar);

    for (TextKind kind : kAllTextKinds) {
        AddText(m_prj, kind, 1, "Level ####  Pump ###", {{level, 6}, {pump, 17}});
        AddText(m_prj, kind, 2, "Mode ####", {{modeVar, 5}});
    }

    // Menu 1 shows operator texts 1 and 2 from its nodes.
    auto menu = std::make_unique<CPrjMnu>(1, "Main", m_prj.GetMnuOptMask());
    const CPrjOpTxtList* opTxts = m_prj.GetOpTxtList();
    auto* op1 = static_cast<CPrjOpTxt*>(opTxts->FindByNum(1));
    auto* op2 = static_cast<CPrjOpTxt*>(opTxts->FindByNum(2));
    ASSERT_TRUE(menu->InsNode(new CPrjMnuNode(1, 0, 2, 0, 0, op1, 1)));
    ASSERT_TRUE(menu->InsNode(new CPrjMnuNode(2, 1, 0, 0, 0, op2, 0)));
    Insert(m_prj.GetMnuList(), menu.release());

    // Softkey text 1 runs action 1 on pressing F1 and action 2 on
    // releasing it, and action 1 again on pressing F2.
    auto act1 = std::make_unique<CPrjSkAct>(1, "Start");
    act1->SetOperation(0, CPrjSkAct::kOpWrite, 5, 1, CPrjSkAct::kFmtDec);
    auto act2 = std::make_unique<CPrjSkAct>(2, nullptr);
    act2->SetOperation(0, CPrjSkAct::kOpOr, 6, 8, CPrjSkAct::kFmtHex);
    CPrjSkAct* a1 = act1.get();
    CPrjSkAct* a2 = act2.get();
    Insert(m_prj.GetSkActList(), act1.release());
    Insert(m_prj.GetSkActList(), act2.release());
    auto skTxt = std::make_unique<CPrjSkTxt>(1);
    skTxt->SetActs(1, a1, a2);
    skTxt->SetActs(2, a1, nullptr);
    Insert(m_prj.GetSkTxtList(), WithRow<CPrjSkTxt, CPrjTxtRow>(std::move(skTxt), "F1 Start", {}));

    auto timer = std::make_unique<CPrjTimer>(1, "Heizung");
    timer->AddTimeVal(new CTimeVal(6 * 3600, 22 * 3600));
    timer->AddTimeVal(new CTimeVal(CTimeVal::kSecondsPerDay + 6 * 3600, CTimeVal::kSecondsPerDay + 20 * 3600));
    Insert(m_prj.GetTimerList(), timer.release());

    Insert(m_prj.GetCharDefColl(), new CCharDef(1, {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F, 0}));
    Insert(m_prj.GetCharDefColl(), new CCharDef(2, {0x04, 0x0E, 0x1F, 0x0E, 0x04, 0, 0, 0}));

    m_prj.MakeDateTimeVars(20, 0);
    m_prj.MakeRcpNumVars(30, 0);

    auto hex = std::make_unique<CPrjIntVarHex>("[Z078]", 0x33FB, 1, 249, 0, 0, "4142");
    Insert(m_prj.GetFwVarList(), hex.release());
}

} // namespace orv
