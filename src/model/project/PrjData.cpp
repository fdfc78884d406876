// The project root: builds a project's lists and built-in content and answers
// its panel constants; the newest live root is the current project.
#include "model/project/PrjData.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/CharDef.h"
#include "model/project/MsgTxt.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/SpsPar.h"
#include "model/project/TextPool.h"
#include "model/project/TimeVal.h"
#include "model/project/TxtRow.h"

#include <algorithm>
#include <vector>

namespace orv {

namespace {

constexpr uint16_t kCountMax = 0xFFFF;

// Roots alive, oldest first; the last one is the current project.
std::vector<CPrjData*>& LiveRoots()
{
    static std::vector<CPrjData*> roots;
    return roots;
}

// The labels of the company, customer, project, author, date and remarks,
// each with room below it to fill in.
std::string MakeDefaultDescr()
{
    const char* const nl = "\r\n";
    std::string text = nl;
    text += ResourceTXT(res::kFirma);
    for (int i = 0; i < 5; ++i)
        text += nl;
    for (uint16_t label = 13; label <= 17; ++label) {
        text += ResourceTXT(label);
        text += nl;
        text += nl;
    }
    return text;
}

uint16_t CountUp(uint16_t count)
{
    return count < kCountMax ? static_cast<uint16_t>(count + 1) : kCountMax;
}

template <class List, class Entry>
int InsertInto(List* list, Entry* entry)
{
    return list && entry ? list->Insert(entry) : 0;
}

} // namespace

CPrjData::CPrjData(PrjBundle* owner)
    : m_owner(owner),
      m_prnInit("0D0A"),
      m_defDescr(MakeDefaultDescr()),
      m_textPool(std::make_unique<CTextPool>(16, 8)),
      m_vars(std::make_unique<CPrjVarList>(16, 4)),
      m_komVars(std::make_unique<CPrjKomVarList>(4, 1)),
      m_fwVars(std::make_unique<CPrjVarList>(8, 2)),
      m_opTxts(std::make_unique<CPrjOpTxtList>(16, 8)),
      m_mnus(std::make_unique<CPrjMnuList>(4, 2)),
      m_msgTxts(std::make_unique<CMsgTxtList>(16, 8)),
      m_rcpTxts(std::make_unique<CPrjRcpTxtList>(16, 8)),
      m_histTxts(std::make_unique<CHistTxtList>(16, 8)),
      m_opPrnTxts(std::make_unique<COpPrnTxtList>(16, 8)),
      m_msgPrnTxts(std::make_unique<CMsgPrnTxtList>(16, 8)),
      m_timers(std::make_unique<CTimerList>(4, 2)),
      m_charDefs(std::make_unique<CCharDefColl>(8, 4)),
      m_skActs(std::make_unique<CPrjSkActList>(8, 4)),
      m_skTxts(std::make_unique<CPrjSkTxtList>(8, 4))
{
    m_prnSubst.fill(' ');
    for (int kind = 0; kind < kHlpKinds; ++kind)
        m_hlpTxts[static_cast<size_t>(kind)] = std::make_unique<CKindTxtList>(kind, 4, 8);
    LiveRoots().push_back(this);
}

CPrjData::~CPrjData()
{
    FreeContent();
    auto& roots = LiveRoots();
    roots.erase(std::remove(roots.begin(), roots.end(), this), roots.end());
}

CPrjData* CPrjData::GetCurrent()
{
    const auto& roots = LiveRoots();
    return roots.empty() ? nullptr : roots.back();
}

void CPrjData::Clear()
{
    FreeContent();
    ResetDescr();
    MakeIntVars();
    if (const PanelRow* row = HeldRow(); row && row->highUserChars)
        MakeDefChars();
    if (GetSysHistTxtNr() != 0)
        MakeSysHistTxt();
    RestoreSettings();
    SetModified(false);
    SetPath("");
}

void CPrjData::FreeContent()
{
    // Menu nodes count their operator texts and text rows their variables,
    // so the users go before what they use.
    m_mnus->FreeAllMnus();
    m_opTxts->FreeAllEntries();
    m_msgTxts->FreeAllEntries();
    m_rcpTxts->FreeAllEntries();
    m_histTxts->FreeAllEntries();
    for (auto& list : m_hlpTxts)
        list->FreeAllEntries();
    m_opPrnTxts->FreeAllEntries();
    m_msgPrnTxts->FreeAllEntries();
    m_timers->FreeAll();
    m_charDefs->FreeAll();
    // A softkey text releases the actions of its keys when it goes.
    m_skTxts->FreeAllSkTxt();
    m_skActs->FreeAllActs();
    m_vars->FreeAll();
    m_komVars->FreeAll();
    m_fwVars->FreeAll();
    m_textPool->FreeAll();
}

void CPrjData::RestoreSettings()
{
    SetCycleTime(10);
    SetPrnStatusPos(0);
    SetDateMode(0);
    SetPrnIfc(0);
    SetPrnBaud(3);
    SetPrnParity(1);
    SetPrnDataBits(0);
    SetPrnStopBits(1);
    SetPrnHandshake(2);
    SetPrnDirection(0);
    SetRcpSize(0);
    SetDataSize(0);
    SetPrnTimeout(1);
    SetPrnInit("0D0A");
    for (int i = 0; i < kPrnSubsts; ++i)
        SetPrnSubst(i, ' ');
    SetDWordVars(0);
    SetVarDlgPreset(0);
    SetVarDlgPreset2(-1);
}

int CPrjData::SetPath(std::string_view path)
{
    m_path = path;
    return static_cast<int>(m_path.size()) + 1;
}

void CPrjData::SetCycleTime(uint16_t v)
{
    m_cycleTime = v;
    m_vars->SetCycleVars(v);
}

void CPrjData::SetPrnStatusPos(uint16_t v)
{
    m_prnStatusPos = v;
    m_vars->SetPrnStatusVar(v);
}

void CPrjData::SetDateMode(uint16_t v)
{
    m_dateMode = v;
    m_vars->SetDateModeVars(v);
}

void CPrjData::SetPrnIfc(uint8_t v)
{
    m_prnIfc = v;
    m_vars->SetPrnIfcVar(v);
}

void CPrjData::SetPrnBaud(uint8_t v)
{
    m_prnBaud = v;
    m_vars->SetPrnBaudVar(v);
}

void CPrjData::SetPrnParity(uint8_t v)
{
    m_prnParity = v;
    m_vars->SetPrnParityVar(v);
}

void CPrjData::SetPrnDataBits(uint8_t v)
{
    m_prnDataBits = v;
    m_vars->SetPrnDataBitsVar(v);
}

void CPrjData::SetPrnStopBits(uint8_t v)
{
    m_prnStopBits = v;
    m_vars->SetPrnStopBitsVar(v);
}

void CPrjData::SetPrnInit(std::string_view text)
{
    m_prnInit = text.substr(0, kPrnInitMax);
}

void CPrjData::SetPrnSubst(int i, uint8_t c)
{
    if (i >= 0 && i < kPrnSubsts)
        m_prnSubst[static_cast<size_t>(i)] = c;
}

uint8_t CPrjData::GetPrnSubst(int i) const
{
    return i >= 0 && i < kPrnSubsts ? m_prnSubst[static_cast<size_t>(i)] : ' ';
}

int CPrjData::SetModified(bool modified)
{
    if (modified) {
        m_modCount = CountUp(m_modCount);
        if (m_owner)
            m_owner->modCount = CountUp(m_owner->modCount);
    } else if (m_modCount != 0) {
        m_modCount = 0;
        if (m_owner)
            m_owner->modCount = 0;
    }
    return 0;
}

const PanelRow* CPrjData::HeldRow() const
{
    const PanelRow* own = FindPanel(m_devType);
    return own && own->variant == 0 ? GetPanel().Row() : nullptr;
}

int CPrjData::GetTxtRows() const
{
    const PanelRow* row = HeldRow();
    return row ? row->rows : 2;
}

int CPrjData::GetDspWidth() const
{
    const PanelRow* row = HeldRow();
    return row ? row->columns : 40;
}

int CPrjData::GetCharRows() const
{
    const PanelRow* row = HeldRow();
    return row ? row->charRows : 8;
}

int CPrjData::GetMaxVarsPerRow() const
{
    const PanelRow* row = HeldRow();
    return row ? row->varsPerRow : 4;
}

int CPrjData::GetSysHistTxtNr() const
{
    const PanelRow* row = HeldRow();
    return row ? row->sysHistText : 0;
}

uint16_t CPrjData::GetMnuOptMask() const
{
    const PanelRow* row = HeldRow();
    return row ? row->menuOptions : 0x303F;
}

int CPrjData::GetMaxSkTxtNr() const
{
    const PanelRow* row = HeldRow();
    return row ? row->maxSoftkeyText : 127;
}

const char* CPrjData::DevIdOf(uint16_t type)
{
    const PanelRow* row = FindPanel(type);
    return row ? row->configId : "";
}

CKindTxtList* CPrjData::GetHlpTxtList(int kind) const
{
    return kind >= 0 && kind < kHlpKinds ? m_hlpTxts[static_cast<size_t>(kind)].get() : nullptr;
}

int CPrjData::InsVar(CPrjVar* var) { return InsertInto(m_vars.get(), var); }
int CPrjData::InsFwVar(CPrjVar* var) { return InsertInto(m_fwVars.get(), var); }
int CPrjData::InsOpTxt(CPrjOpTxt* entry) { return InsertInto(m_opTxts.get(), entry); }
int CPrjData::InsMnu(CPrjMnu* menu) { return InsertInto(m_mnus.get(), menu); }
int CPrjData::InsMsgTxt(CMsgTxt* entry) { return InsertInto(m_msgTxts.get(), entry); }
int CPrjData::InsHistTxt(CHistTxt* entry) { return InsertInto(m_histTxts.get(), entry); }
int CPrjData::InsHlpTxt(int kind, CKindTxt* entry) { return InsertInto(GetHlpTxtList(kind), entry); }
int CPrjData::InsOpPrnTxt(COpPrnTxt* entry) { return InsertInto(m_opPrnTxts.get(), entry); }
int CPrjData::InsMsgPrnTxt(CMsgPrnTxt* entry) { return InsertInto(m_msgPrnTxts.get(), entry); }
int CPrjData::InsCharDef(CCharDef* def) { return InsertInto(m_charDefs.get(), def); }
int CPrjData::InsSkAct(CPrjSkAct* act) { return InsertInto(m_skActs.get(), act); }
int CPrjData::InsSkTxt(CPrjSkTxt* entry) { return InsertInto(m_skTxts.get(), entry); }

int CPrjData::InsTimer(CPrjTimer* timer)
{
    if (!timer)
        return 0;
    const int index = m_timers->Insert(timer);
    CPrjVar* var = m_vars->FindByName("[Z022]");
    if (var && var->GetType() == 154) {
        var->SetStateTxt(timer->GetNr(), timer->GetName().c_str());
        var->SetWidth(16);
    }
    return index;
}

void CPrjData::DelHistTxt(CHistTxt* entry)
{
    m_histTxts->DelEntry(entry);
}

void CPrjData::DelCharDef(CCharDef* def)
{
    m_charDefs->Delete(def);
}

template <class Fn>
void CPrjData::ForEachTextList(Fn fn) const
{
    // Stops at the first list for which fn gives true.
    (void)(fn(*m_opTxts) || fn(*m_msgTxts) || fn(*m_rcpTxts) || fn(*m_histTxts) ||
           std::any_of(m_hlpTxts.begin(), m_hlpTxts.end(), [&fn](const auto& list) { return fn(*list); }) ||
           fn(*m_opPrnTxts) || fn(*m_msgPrnTxts));
}

void CPrjData::ReplaceVar(CPrjVar* oldVar, CPrjVar* newVar)
{
    // Without the frame characters the rows would keep the old variable,
    // which is freed below.
    if (!oldVar || !newVar || !m_owner || !m_owner->charSet)
        return;
    const VarReplaceReq req{oldVar, newVar, m_owner->charSet};
    ForEachTextList([&req](auto& list) {
        list.ReplaceVar(req);
        return false;
    });
    if (oldVar != newVar) {
        m_vars->Delete(oldVar);
        m_vars->Insert(newVar);
    }
    CalcVarMaxWidths();
}

bool CPrjData::IsVarUsed(const CPrjVar* var) const
{
    if (!var)
        return false;
    bool used = false;
    ForEachTextList([var, &used](const auto& list) {
        used = list.HasVarWithOthers(var);
        return used;
    });
    return used;
}

void CPrjData::CalcVarMaxWidths()
{
    m_vars->SetMaxWidths(static_cast<uint8_t>(GetDspWidth()));
    ForEachTextList([](auto& list) {
        list.FitVarWidths();
        return false;
    });
}

void CPrjData::SetCurVar(std::string_view name)
{
    m_vars->SetCurByName(name);
}

void CPrjData::BindVarItems()
{
    if (!m_owner || !m_owner->spsPar)
        return;
    m_owner->spsPar->ClearItemMasks();
    m_vars->MarkPlcBits(&m_owner->spsPar->GetItems());
}

void CPrjData::BindMsgItems()
{
    if (!m_owner || !m_owner->spsPar)
        return;
    m_owner->spsPar->ClearItemBits();
    m_msgTxts->MarkMsgBits(MsgBitReq{this, m_owner->spsPar});
}

} // namespace orv
