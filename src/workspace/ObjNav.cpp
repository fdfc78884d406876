// The navigators over the project's numbered text lists: one table row per list
// type, and code of their own only where a list has a check or a dialog.
#include "workspace/ObjNav.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/core/FrameState.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/RcpTxt.h"
#include "model/project/VarFmt.h"
#include "workspace/DlgRunner.h"
#include "workspace/FrameCore.h"
#include "workspace/FrameViews.h"

#include <algorithm>
#include <array>

namespace orv {

namespace {

// The display editor's panel picture and character cells.
constexpr int kNavRedrawAll = 3;
// The renumber dialog offers a free number below this bound.
constexpr int32_t kNavFreeSearchBound = 32767;

template <class Entry>
std::unique_ptr<CPrjNumEntry> NavMake(int32_t num)
{
    return std::make_unique<Entry>(num);
}

std::unique_ptr<CPrjNumEntry> NavMakeMsg(int32_t num)
{
    // A new message is information, shown while its bit is set.
    return std::make_unique<CMsgTxt>(num, CMsgTxt::PrioInfo, 1, 0);
}

CPrjNumList* NavOpList(const CPrjData& prj) { return prj.GetOpTxtList(); }
CPrjNumList* NavMsgList(const CPrjData& prj) { return prj.GetMsgTxtList(); }
CPrjNumList* NavHistList(const CPrjData& prj) { return prj.GetHistTxtList(); }
CPrjNumList* NavRcpList(const CPrjData& prj) { return prj.GetRcpTxtList(); }
template <int Kind>
CPrjNumList* NavHlpList(const CPrjData& prj)
{
    return prj.GetHlpTxtList(Kind);
}

CPrjNumEntry* NavCopyOp(CPrjNumList& list, const CPrjNumEntry& source, int32_t num)
{
    return static_cast<CPrjOpTxtList&>(list).CopyOpTxt(&source, num);
}
CPrjNumEntry* NavCopyMsg(CPrjNumList& list, const CPrjNumEntry& source, int32_t num)
{
    return static_cast<CMsgTxtList&>(list).NewEntry(static_cast<const CMsgTxt*>(&source), num);
}
CPrjNumEntry* NavCopyHist(CPrjNumList& list, const CPrjNumEntry& source, int32_t num)
{
    return static_cast<CHistTxtList&>(list).NewEntry(&source, num);
}
CPrjNumEntry* NavCopyRcp(CPrjNumList& list, const CPrjNumEntry& source, int32_t num)
{
    return static_cast<CPrjRcpTxtList&>(list).CopyRcpTxt(static_cast<const CPrjRcpTxt*>(&source), num);
}
CPrjNumEntry* NavCopyHlp(CPrjNumList& list, const CPrjNumEntry& source, int32_t num)
{
    return static_cast<CKindTxtList&>(list).NewEntry(&source, num);
}

// The single help texts: one element at most, never renumbered.
constexpr NavRow NavHlpSingle(int listType, CPrjNumList* (*list)(const CPrjData&))
{
    return {listType, list, NavMake<CKindTxt>, 0, 32000, 0, 255, NavCopyHlp, 32, 1, false};
}

constexpr std::array<NavRow, 11> kNavRows = {{
    {2, NavOpList, NavMake<CPrjOpTxt>, 0, 32000, 0, 255, NavCopyOp, 0, 255, true},
    {3, NavMsgList, NavMakeMsg, 0, 32000, 0, 255, NavCopyMsg, 32, 255, true},
    {4, NavHistList, NavMake<CHistTxt>, 0, 32000, 0, 255, NavCopyHist, 32, 255, true},
    {6, NavRcpList, NavMake<CPrjRcpTxt>, 1, 127, 1, 127, NavCopyRcp, 32, 255, true},
    NavHlpSingle(11, NavHlpList<0>),
    {12, NavHlpList<1>, NavMake<CKindTxt>, 0, 32000, 0, 255, NavCopyHlp, 32, 255, true},
    NavHlpSingle(13, NavHlpList<2>),
    NavHlpSingle(14, NavHlpList<3>),
    NavHlpSingle(15, NavHlpList<4>),
    NavHlpSingle(17, NavHlpList<6>),
    NavHlpSingle(19, NavHlpList<5>),
}};

} // namespace

const NavRow* FindNavRow(int listType)
{
    for (const NavRow& row : kNavRows)
        if (row.listType == listType)
            return &row;
    return nullptr;
}

CObjNav::CObjNav(CFrameCore& core, const NavRow& row) : m_core(&core), m_row(&row) {}

CPrjNumList* CObjNav::GetList() const
{
    const CPrjData* prj = GetPrjData();
    return m_row && prj ? m_row->list(*prj) : nullptr;
}

int CObjNav::Count() const
{
    const CPrjNumList* list = GetList();
    return list ? list->GetCount() : 0;
}

CPrjNumEntry* CObjNav::At(int i) const
{
    const CPrjNumList* list = GetList();
    return list && i >= 0 && i < list->GetCount() ? list->ItemAt(i) : nullptr;
}

int CObjNav::RowsPerEntry() const
{
    if (!m_row)
        return 0;
    if (m_row->rowsPerEntry > 0)
        return m_row->rowsPerEntry;
    // The operator texts fill the panel's screen.
    return m_core ? m_core->GetStartSel().Dev().numDspRows : 0;
}

void CObjNav::SaveRows() const
{
    if (IViewDc* dc = m_core ? m_core->GetViewDc() : nullptr)
        dc->SavTxtRows();
}

void CObjNav::MarkModified() const
{
    if (CPrjData* prj = GetPrjData())
        prj->SetModified(true);
}

void CObjNav::SetActive(int index, bool rowsSaved)
{
    if (!m_core)
        return;
    IViewDc* dc = m_core->GetViewDc();
    if (!rowsSaved && dc)
        dc->SavTxtRows();
    m_activeIdx = index;
    if (index >= 0) {
        m_current = Current();
        if (dc) {
            dc->SetPage(1);
            dc->RstTxtRows();
        }
    } else {
        m_current = nullptr;
    }
    // No element at the index is no element active.
    if (!m_current)
        m_activeIdx = -1;
    if (dc)
        dc->RedrawParts(kNavRedrawAll);
    const CObjNav* shown = m_core->GetCurNav();
    if (shown && shown->GetCurrent())
        ShowStatusText("Aktive Text-Nr: %d", shown->GetCurrent()->GetNum());
    else
        ShowStatusText("Aktive Text-Nr: ---");
}

void CObjNav::Prev()
{
    if (m_activeIdx <= 0) {
        LogLine(kLogInfo, "erster Text erreicht");
        return;
    }
    SetActive(m_activeIdx - 1, false);
}

void CObjNav::Next()
{
    if (m_activeIdx < 0 || m_activeIdx >= Count() - 1) {
        LogLine(kLogInfo, "letzer Text erreicht");
        return;
    }
    SetActive(m_activeIdx + 1, false);
}

int32_t CObjNav::FreeNum(int32_t low, int32_t high) const
{
    // A full list refuses without a word.
    if (Count() >= MaxCount())
        return CPrjNumList::kNoFreeNum;
    const CPrjNumList* list = GetList();
    const int32_t num = list ? list->FirstFreeNum(low, high) : CPrjNumList::kNoFreeNum;
    // Going on would make an element outside the range, which the compile
    // leaves out or takes for the template.
    if (num == CPrjNumList::kNoFreeNum)
        LogLine(kLogInfo, "Keine freie Nummer zwischen %d und %d", low, high);
    return num;
}

void CObjNav::New()
{
    CPrjNumList* list = GetList();
    if (!list)
        return;
    if (m_activeIdx >= 0)
        SaveRows();
    const int32_t num = FreeNum(m_row->newLow, m_row->newHigh);
    if (num == CPrjNumList::kNoFreeNum)
        return;
    std::unique_ptr<CPrjNumEntry> entry = m_row->make(num);
    const int rows = RowsPerEntry();
    entry->SetRowCount(rows);
    CTxtVarSlots slots;
    for (int i = 1; i <= entry->GetRowCount(); ++i)
        entry->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(i), "", &slots));
    CPrjNumEntry* added = list->Adopt(std::move(entry));
    if (!added)
        return;
    m_current = added;
    ShowChange();
}

void CObjNav::CopyEntry()
{
    CPrjNumList* list = GetList();
    if (!list || !m_current)
        return;
    // The copy takes what the user typed.
    SaveRows();
    const int32_t num = FreeNum(m_row->copyLow, m_row->copyHigh);
    if (num == CPrjNumList::kNoFreeNum)
        return;
    if (!m_row->copy(*list, *m_current, num))
        return;
    ShowChange();
}

bool CObjNav::TargetInRange(int32_t num) const
{
    if (num >= m_row->newLow && num <= m_row->newHigh)
        return true;
    // A number outside drops the text out of the compile; -2 and below
    // would make it a template.
    ShowMessage(msg::kEingabewertMussZwischenUndLiegen, m_row->newLow, m_row->newHigh);
    return false;
}

bool CObjNav::RenumberEntry(CPrjNumEntry* entry, int32_t num)
{
    CPrjNumList* list = GetList();
    if (!list || !entry || !m_row->renumbers || entry->GetNum() == num || list->IndexOf(entry) < 0)
        return false;
    if (!TargetInRange(num))
        return false;
    if (list->FindByNum(num)) {
        ShowMessageText("Ziel-Nummer bereits von Text belegt");
        return false;
    }
    list->Renumber(entry, num);
    if (entry->GetNum() != num)
        return false;
    MarkModified();
    Reindex();
    return true;
}

void CObjNav::Renumber()
{
    if (!m_core || MaxCount() <= 1 || Count() == 0)
        return;
    SaveRows();
    CDlgRunner::RenumberNums start;
    if (m_current) {
        start.from = start.to = m_current->GetNum();
        const int32_t free = GetList()->FirstFreeNum(m_row->newLow, std::min(m_row->newHigh, kNavFreeSearchBound));
        start.target = free == CPrjNumList::kNoFreeNum ? m_current->GetNum() : free;
    }
    const auto nums = m_core->GetDlgRunner().RunRenumber(CDlgRunner::kRenumberTexts, start);
    if (nums && nums->target != nums->from) {
        const int64_t shift = static_cast<int64_t>(nums->target) - nums->from;
        const auto inRange = [&](const CPrjNumEntry* e) {
            return e->GetNum() != -1 && e->GetNum() >= nums->from && e->GetNum() <= nums->to;
        };
        // Every target is checked before the first element moves, so that
        // a refused range leaves the list as it was.
        bool allInRange = true;
        for (int i = 0; i < Count() && allInRange; ++i) {
            const CPrjNumEntry* e = At(i);
            const int64_t target = e->GetNum() + shift;
            if (inRange(e) && (target < m_row->newLow || target > m_row->newHigh))
                allInRange = false;
        }
        if (!allInRange) {
            ShowMessage(msg::kEingabewertMussZwischenUndLiegen, m_row->newLow, m_row->newHigh);
        } else if (shift < 0) {
            // The list is sorted: moving down walks upwards, so that a moved
            // element is never visited again.
            for (int i = 0; i < Count(); ++i)
                if (inRange(At(i)))
                    RenumberEntry(At(i), static_cast<int32_t>(At(i)->GetNum() + shift));
        } else {
            for (int i = Count() - 1; i >= 0; --i)
                if (inRange(At(i)))
                    RenumberEntry(At(i), static_cast<int32_t>(At(i)->GetNum() + shift));
        }
    }
    Reindex();
    ShowList();
}

bool CObjNav::MayDelete(const CPrjNumEntry&) const
{
    return true;
}

void CObjNav::Delete()
{
    CPrjNumList* list = GetList();
    if (!m_core || !list || !m_current)
        return;
    if (!AskYesNoText("Soll der Text wirklich gel\xF6scht werden?"))
        return;
    if (!MayDelete(*m_current))
        return;
    // The editor's rows point into the element: they go unwritten.
    if (IViewDc* dc = m_core->GetViewDc())
        dc->Unload();
    CPrjNumEntry* gone = m_current;
    m_current = nullptr;
    list->DelEntry(gone);
    MarkModified();
    if (Count() == 0) {
        // Later commands find no navigator until a list is opened again;
        // this one lives until the running command returned.
        if (m_core->GetCurNav() == this)
            m_core->DropCurNav();
        m_activeIdx = -1;
    } else if (m_activeIdx >= Count()) {
        m_activeIdx = Count() - 1;
    }
    // The texts provider shows the list again, in whatever mode the list
    // view is.
    RefillTexts(false);
    SetActive(m_activeIdx, true);
}

void CObjNav::ShowVarInfo(const CPrjVar* var)
{
    if (!var)
        return;
    LogLine(kLogErrors, "Variable: %s DW %d %s %s", var->GetName().c_str(), static_cast<int>(var->GetAdr()),
            CVarFmt(var->GetType()).GetName().c_str(), CSollKind(var->GetSetpKind()).GetName().c_str());
}

void CObjNav::FillList(const RowAdder& add) const
{
    for (int i = 0; i < Count(); ++i)
        add(*At(i), i);
}

void CObjNav::Reindex()
{
    const CPrjNumList* list = GetList();
    m_activeIdx = list && m_current ? list->IndexOf(m_current) : -1;
}

void CObjNav::ShowChange()
{
    MarkModified();
    Reindex();
    ShowList();
}

void CObjNav::ShowList()
{
    RefillTexts(true);
    SetActive(m_activeIdx, true);
}

void CObjNav::RefillTexts(bool toTextMode) const
{
    IViewLst* lst = m_core ? m_core->GetViewLst() : nullptr;
    if (!lst)
        return;
    if (toTextMode)
        lst->SetListMode(IViewLst::kModeTexts);
    lst->DeactivateProvider(IViewLst::kModeTexts);
    lst->ActivateProvider(IViewLst::kModeTexts);
}

bool CObjNavOpTxt::MayDelete(const CPrjNumEntry& entry) const
{
    // Menu nodes point at the text.
    if (static_cast<const CPrjOpTxt&>(entry).GetUseCount() > 0) {
        ShowMessageText("Bedientext wird in Menue verwendet");
        return false;
    }
    return true;
}

CObjNavMsgTxt::CObjNavMsgTxt(CFrameCore& core, const NavRow& row) : CObjNav(core, row)
{
    SetHas(true, false);
}

void CObjNavMsgTxt::EditOptions()
{
    if (CPrjNumEntry* cur = GetCurrent())
        Core()->GetDlgRunner().RunMsgOptions(static_cast<CMsgTxt&>(*cur));
}

CObjNavHlpMenu::CObjNavHlpMenu(CFrameCore& core, const NavRow& row) : CObjNav(core, row)
{
    SetHas(true, false);
}

void CObjNavHlpMenu::EditOptions()
{
    if (CPrjNumEntry* cur = GetCurrent())
        Core()->GetDlgRunner().RunHlpOptions(*cur);
}

CObjNavRcpTxt::CObjNavRcpTxt(CFrameCore& core, const NavRow& row) : CObjNav(core, row)
{
    SetHas(false, true);
}

void CObjNavRcpTxt::EditForm()
{
    auto* cur = static_cast<CPrjRcpTxt*>(GetCurrent());
    if (!cur)
        return;
    if (cur->CountExtVars() <= 0) {
        ShowMessageText("Keine externe Variable im Rezept-Text");
        return;
    }
    // The dialog stores the values while the user edits them.
    if (Core()->GetDlgRunner().RunRcpData(*cur))
        MarkModified();
}

std::unique_ptr<CObjNav> MakeObjNav(int listType, CFrameCore& core)
{
    const NavRow* row = FindNavRow(listType);
    if (!row)
        return nullptr;
    switch (listType) {
    case 2:
        return std::make_unique<CObjNavOpTxt>(core, *row);
    case 3:
        return std::make_unique<CObjNavMsgTxt>(core, *row);
    case 6:
        return std::make_unique<CObjNavRcpTxt>(core, *row);
    case 12:
        return std::make_unique<CObjNavHlpMenu>(core, *row);
    default:
        return std::make_unique<CObjNav>(core, *row);
    }
}

} // namespace orv
