// The list view's decisions: menus, label edits, drags and the variable
// commands, each on the selected row of the current list mode.
#include "workspace/ViewLstCore.h"

#include "model/core/CheckedFormat.h"
#include "model/core/FrameState.h"
#include "model/core/HelpPage.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/SpsPar.h"
#include "workspace/DlgRunner.h"
#include "workspace/FrameCore.h"
#include "workspace/ObjNav.h"
#include "workspace/PrjMgr.h"
#include "workspace/StartSel.h"
#include "workspace/TypedName.h"

namespace orv {

namespace {

constexpr LstMenuItem kLstSeparator{0, false};
constexpr uint32_t kLstIntVarEditable = 0x80000000u;

CPrjVarList* LstVars()
{
    CPrjData* prj = GetPrjData();
    return prj ? prj->GetVarList() : nullptr;
}

// The lowest n from 1 for which no variable is named the prefix and n in
// three digits.
std::string LstFreeVarName(const CPrjVarList& vars, const std::string& prefix)
{
    for (int n = 1;; ++n) {
        std::string name = prefix + FormatText("%03d", n);
        if (vars.FindByName(std::string_view(name)) == nullptr)
            return name;
    }
}

} // namespace

std::vector<LstMenuItem> LstContextMenu(const LstMenuFacts& f)
{
    const bool sel = f.rowSelected;
    switch (f.mode) {
    case IViewLst::kModeVars: {
        const bool own = f.kind == 0;
        const bool editable = (sel && f.kind == 0 && f.varDlg) || (sel && f.kind == 2 && f.drvVarDlg) ||
                              (sel && f.kind == 1 && f.intVarEditable && f.varDlg);
        return {
            {lstcmd::kNew,    own && f.varDlg},
            {lstcmd::kEdit,   editable       },
            kLstSeparator, {lstcmd::kCopy,   sel && own     },
            {lstcmd::kDelete, sel && own     },
            {lstcmd::kRename, sel && own     },
            kLstSeparator, {lstcmd::kUsage,  false          }
        };
    }
    case IViewLst::kModeTexts:
        return {
            {lstcmd::kNew,      true                                      },
            {lstcmd::kEdit,     sel                                       },
            {lstcmd::kCopy,     sel                                       },
            {lstcmd::kDelete,   sel && !(f.listType == 2 && f.opTxtInMenu)},
            kLstSeparator,
            {lstcmd::kOptions,  sel && f.listType == 3                    },
            {lstcmd::kRenumber, sel && f.curNumValid                      }
        };
    case IViewLst::kModeMenuNodes:
        return {
            {lstcmd::kAssignTexts, true},
            kLstSeparator,           {lstcmd::kEdit,        true},
            {lstcmd::kNewNode,     true},
            {lstcmd::kDelete,      true},
            {lstcmd::kRenumber,    true},
            {lstcmd::kMakeStart,   true}
        };
    case IViewLst::kModeSkActions:
        return {
            {lstcmd::kNew,      true},
            {lstcmd::kEdit,     sel },
            {lstcmd::kDelete,   sel },
            {lstcmd::kCopy,     sel },
            {lstcmd::kRenumber, sel }
        };
    case IViewLst::kModeSkTexts:
        return {
            {lstcmd::kNew,      true },
            {lstcmd::kEdit,     sel  },
            {lstcmd::kDelete,   sel  },
            {lstcmd::kCopy,     sel  },
            {lstcmd::kDefault,  false},
            {lstcmd::kRenumber, sel  }
        };
    case IViewLst::kModePlcArea:
        return {
            {lstcmd::kChangeValue, f.simRunning && f.valueDlg},
            {lstcmd::kAddBits,     false                     },
            {lstcmd::kRemoveBits,  false                     },
            kLstSeparator,
            {lstcmd::kHelp,        true                      }
        };
    case IViewLst::kModeChars:
        return {
            {lstcmd::kEdit,   sel && f.defChar && f.charEditDlg},
            {lstcmd::kInsert, sel && f.validChar               }
        };
    default:
        return {};
    }
}

CViewLstCore::CViewLstCore(CFrameCore& core)
    : m_core(core), m_var(std::make_unique<CLstProvVar>(core, m_table, 0)),
      m_mnuNode(std::make_unique<CLstProvMnuNode>(core, m_table)), m_txt(std::make_unique<CLstProvTxt>(core, m_table)),
      m_skTxt(std::make_unique<CLstProvSkTxt>(core, m_table)), m_skAct(std::make_unique<CLstProvSkAct>(core, m_table)),
      m_wordBits(std::make_unique<CLstProvWordBits>(core, m_table)), m_chr(std::make_unique<CLstProvChr>(core, m_table))
{
}

CViewLstCore::~CViewLstCore() = default;

CLstProv* CViewLstCore::Provider(int mode) const
{
    switch (mode) {
    case kModeVars:
        return m_var.get();
    case kModeTexts:
        return m_txt.get();
    case kModeMenuNodes:
        return m_mnuNode.get();
    case kModeSkActions:
        return m_skAct.get();
    case kModeSkTexts:
        return m_skTxt.get();
    case kModePlcArea:
        return m_wordBits.get();
    case kModeChars:
        return m_chr.get();
    default:
        return nullptr;
    }
}

int CViewLstCore::GetVarKind() const
{
    return m_var->GetKind();
}

void CViewLstCore::Sync()
{
    if (m_table.GetRevision() == m_seenRevision)
        return;
    m_seenRevision = m_table.GetRevision();
    if (m_selRow >= m_table.GetRowCount())
        m_selRow = -1;
    TableChanged();
}

void CViewLstCore::SetListMode(int mode)
{
    if (CLstProv* prov = Provider(m_mode))
        prov->Deactivate();
    m_table.DeleteAllRows();
    m_selRow = -1;
    if (mode >= 0 && mode < kModeCount)
        m_mode = mode;
    Sync();
}

void CViewLstCore::SetVarProvider(int kind)
{
    // The slot's provider goes with the rows it filled.
    if (m_mode == kModeVars)
        m_var->Deactivate();
    if (kind == 2)
        m_var = std::make_unique<CLstProvDrvCode>(m_core, m_table);
    else
        m_var = std::make_unique<CLstProvVar>(m_core, m_table, kind == 1 ? 1 : 0);
    Sync();
}

void CViewLstCore::ActivateProvider(int mode)
{
    if (CLstProv* prov = Provider(mode)) {
        prov->ActivateListProvider();
        m_selRow = m_table.GetSelected();
    }
    Sync();
}

void CViewLstCore::DeactivateProvider(int mode)
{
    if (CLstProv* prov = Provider(mode))
        prov->Deactivate();
    Sync();
}

void CViewLstCore::RefreshRow(int mode, int row)
{
    if (mode == kModePlcArea)
        m_wordBits->RefreshRow(row);
    else if (mode == kModeMenuNodes)
        m_mnuNode->RefreshRow(row);
    else if (mode == kModeVars && m_var->GetKind() != 2)
        m_var->RefreshRow(m_table.RowToIndex(row), row);
    Sync();
}

void CViewLstCore::SetStyle(int style)
{
    if (style < kStyleIcon || style > kStyleReport || style == m_style)
        return;
    m_style = style;
    StyleChanged();
}

int CViewLstCore::GetSelIndex() const
{
    return m_selRow >= 0 ? m_table.RowToIndex(m_selRow) : -1;
}

CPrjVar* CViewLstCore::SelVar() const
{
    if (m_mode != kModeVars || m_var->GetKind() == 2)
        return nullptr;
    const CPrjVarList* vars = LstVars();
    const int index = GetSelIndex();
    return vars && index >= 0 && index < vars->GetCount() ? vars->VarAt(index) : nullptr;
}

LstMenuFacts CViewLstCore::MenuFacts() const
{
    const CDlgRunner& dialogs = m_core.GetDlgRunner();
    LstMenuFacts f;
    f.mode = m_mode;
    f.kind = m_var->GetKind();
    f.rowSelected = m_selRow >= 0 && m_selRow < m_table.GetRowCount();
    if (const CPrjVar* var = SelVar())
        f.intVarEditable = (var->GetFlags() & kLstIntVarEditable) != 0;
    f.listType = m_core.GetListType();
    if (const CObjNav* nav = m_core.GetCurNav(); nav && nav->GetCurrent()) {
        const CPrjNumEntry* cur = nav->GetCurrent();
        f.curNumValid = cur->GetNum() >= 0;
        if (nav->GetListType() == 2)
            f.opTxtInMenu = static_cast<const CPrjOpTxt*>(cur)->GetUseCount() > 0;
    }
    f.simRunning = SimRunning();
    if (m_mode == kModeChars && f.rowSelected) {
        f.defChar = m_core.GetStartSel().IsDefChar(m_selRow);
        f.validChar = m_core.GetStartSel().IsValidChar(m_selRow);
    }
    f.varDlg = dialogs.HasEditDlg(CDlgRunner::EditDlg::Var);
    f.drvVarDlg = dialogs.HasEditDlg(CDlgRunner::EditDlg::DrvVar);
    f.valueDlg = dialogs.HasEditDlg(CDlgRunner::EditDlg::Value);
    f.charEditDlg = dialogs.HasEditDlg(CDlgRunner::EditDlg::CharEdit);
    return f;
}

void CViewLstCore::RunCommand(uint32_t id)
{
    bool enabled = false;
    for (const LstMenuItem& item : ContextMenu())
        enabled = enabled || (item.id == id && item.enabled);
    if (!enabled)
        return;
    CObjNav* nav = m_core.GetCurNav();
    IViewDc* dc = m_core.GetViewDc();
    switch (m_mode * 100000 + static_cast<int>(id)) {
    case kModeVars * 100000 + lstcmd::kNew:
        NewVar();
        break;
    case kModeVars * 100000 + lstcmd::kEdit:
        EditVar();
        break;
    case kModeVars * 100000 + lstcmd::kCopy:
        CopyVar();
        break;
    case kModeVars * 100000 + lstcmd::kDelete:
        DeleteVar();
        break;
    case kModeVars * 100000 + lstcmd::kRename:
    case kModeMenuNodes * 100000 + lstcmd::kRenumber:
    case kModeSkActions * 100000 + lstcmd::kRenumber:
    case kModeSkTexts * 100000 + lstcmd::kRenumber:
        BeginLabelEdit(m_selRow);
        break;
    case kModeTexts * 100000 + lstcmd::kNew:
        if (nav)
            nav->New();
        break;
    case kModeTexts * 100000 + lstcmd::kEdit:
        if (nav && dc)
            dc->CaretHome();
        break;
    case kModeTexts * 100000 + lstcmd::kCopy:
        if (nav && dc)
            dc->CopyCurTxt();
        break;
    case kModeTexts * 100000 + lstcmd::kDelete:
        if (nav)
            nav->Delete();
        break;
    case kModeTexts * 100000 + lstcmd::kOptions:
        if (nav)
            nav->EditOptions();
        break;
    case kModeTexts * 100000 + lstcmd::kRenumber:
        if (nav)
            nav->Renumber();
        break;
    case kModeMenuNodes * 100000 + lstcmd::kAssignTexts:
        SetListMode(kModeTexts);
        ActivateProvider(kModeTexts);
        break;
    case kModeMenuNodes * 100000 + lstcmd::kEdit:
        m_mnuNode->OnEdit(m_selRow);
        break;
    case kModeMenuNodes * 100000 + lstcmd::kNewNode:
        m_mnuNode->OnNew();
        break;
    case kModeMenuNodes * 100000 + lstcmd::kDelete:
        m_mnuNode->OnDelete(m_selRow);
        break;
    case kModeMenuNodes * 100000 + lstcmd::kMakeStart:
        m_mnuNode->OnMakeStart(m_selRow);
        break;
    case kModeSkActions * 100000 + lstcmd::kNew:
        m_skAct->OnNew();
        break;
    case kModeSkActions * 100000 + lstcmd::kEdit:
        m_skAct->OnEdit(m_selRow);
        break;
    case kModeSkActions * 100000 + lstcmd::kDelete:
        m_skAct->OnDelete(m_selRow);
        break;
    case kModeSkActions * 100000 + lstcmd::kCopy:
        m_skAct->OnCopy(m_selRow);
        break;
    case kModeSkTexts * 100000 + lstcmd::kNew:
        m_skTxt->OnNew();
        break;
    case kModeSkTexts * 100000 + lstcmd::kEdit:
        m_skTxt->OnEdit(m_selRow);
        break;
    case kModeSkTexts * 100000 + lstcmd::kDelete:
        m_skTxt->OnDelete(m_selRow);
        break;
    case kModeSkTexts * 100000 + lstcmd::kCopy:
        m_skTxt->OnCopy(m_selRow);
        break;
    case kModePlcArea * 100000 + lstcmd::kChangeValue:
        ChangeValue();
        break;
    case kModePlcArea * 100000 + lstcmd::kHelp:
        ShowHelpPage(1, 0);
        break;
    case kModeChars * 100000 + lstcmd::kEdit:
        m_core.GetDlgRunner().RunCharEdit(static_cast<uint16_t>(m_selRow));
        break;
    case kModeChars * 100000 + lstcmd::kInsert:
        if (dc)
            dc->InsChrAtCaret(m_selRow);
        break;
    default:
        break;
    }
    Sync();
}

void CViewLstCore::SelectRow(int row)
{
    m_selRow = row >= 0 && row < m_table.GetRowCount() ? row : -1;
    m_table.SetSelected(m_selRow);
}

void CViewLstCore::ItemChanged(int row)
{
    if (row == m_selRow || row < 0 || row >= m_table.GetRowCount())
        return;
    SelectRow(row);
    if (m_mode == kModeTexts) {
        if (CObjNav* nav = m_core.GetCurNav())
            nav->SetActive(row, false);
    } else if (m_mode == kModeChars) {
        ShowStatusText("Dec %d, Hex %x", row, static_cast<unsigned>(row));
    }
    Sync();
}

void CViewLstCore::DoubleClick(int row)
{
    if (row < 0 || row >= m_table.GetRowCount())
        return;
    SelectRow(row);
    switch (m_mode) {
    case kModeVars:
        EditVar();
        break;
    case kModeMenuNodes:
        m_mnuNode->OnEdit(row);
        break;
    case kModeSkActions:
        m_skAct->OnEdit(row);
        break;
    case kModeSkTexts:
        m_skTxt->OnEdit(row);
        break;
    case kModeChars:
        if (IViewDc* dc = m_core.GetViewDc())
            dc->InsChrAtCaret(row);
        break;
    default:
        break;
    }
    Sync();
}

bool CViewLstCore::MayEditLabel(int row) const
{
    if (row < 0 || row >= m_table.GetRowCount())
        return false;
    // Internal variables keep the firmware's names, and driver codes are
    // no variables at all.
    if (m_mode == kModeVars)
        return m_var->GetKind() == 0;
    return m_mode >= kModeTexts && m_mode <= kModeSkTexts;
}

void CViewLstCore::EndLabelEdit(std::u32string_view typed)
{
    if (!MayEditLabel(m_selRow))
        return;
    if (m_mode == kModeVars) {
        RenameVar(FilterTypedName(typed));
        Sync();
        return;
    }
    std::string digits;
    for (char32_t c : typed)
        digits.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    int num = 0;
    if (!LeadingNumber(digits, num))
        return;
    if (m_mode == kModeTexts) {
        CObjNav* nav = m_core.GetCurNav();
        if (nav && nav->RenumberEntry(nav->GetCurrent(), num)) {
            SetListMode(kModeTexts);
            ActivateProvider(kModeTexts);
        }
    } else if (m_mode == kModeMenuNodes) {
        m_mnuNode->OnRenumber(m_selRow, num);
    } else if (m_mode == kModeSkActions) {
        m_skAct->OnRenumber(m_selRow, num);
    } else {
        m_skTxt->OnRenumber(m_selRow, num);
    }
    Sync();
}

void CViewLstCore::RenameVar(const std::string& name)
{
    CPrjVar* var = SelVar();
    CPrjVarList* vars = LstVars();
    if (name.empty() || !var || !vars || name == var->GetName())
        return;
    if (!vars->Rename(var, name)) {
        ShowMessageText("Variablen-Name schon vergeben: %s", name.c_str());
        return;
    }
    GetPrjData()->SetModified(true);
    m_var->Refresh();
    // The display editor labels the variable's box with its name.
    if (IViewDc* dc = m_core.GetViewDc())
        dc->RedrawParts(3);
}

LstDrag CViewLstCore::DragOf(int row) const
{
    const CObjNav* nav = m_core.GetCurNav();
    if (!nav || !nav->GetCurrent() || row < 0 || row >= m_table.GetRowCount())
        return {};
    // Driver codes index the driver's records, not the variables.
    if (m_mode == kModeVars && m_var->GetKind() != 2)
        return {LstDrag::Kind::Var, m_table.RowToIndex(row)};
    if (m_mode == kModeChars && m_core.GetStartSel().IsValidChar(row))
        return {LstDrag::Kind::Chr, row};
    return {};
}

void CViewLstCore::Activated()
{
    if (IViewDc* dc = m_core.GetViewDc()) {
        dc->SavTxtRows();
        dc->RstTxtRows();
    }
}

void CViewLstCore::ShowMenuNodes(CPrjMnu* menu)
{
    m_mnuNode->Deactivate();
    m_mnuNode->SetMenu(menu);
    if (m_mode == kModeMenuNodes)
        m_mnuNode->ActivateListProvider();
    Sync();
}

void CViewLstCore::ForgetMenu(const CPrjMnu* menu)
{
    if (m_mnuNode->GetMenu() != menu)
        return;
    m_mnuNode->Deactivate();
    m_mnuNode->SetMenu(nullptr);
    Sync();
}

void CViewLstCore::NewVar()
{
    CPrjData* prj = GetPrjData();
    CPrjVarList* vars = LstVars();
    const CSpsPar* sps = GetSpsPar();
    if (!prj || !vars || m_var->GetKind() != 0)
        return;
    const std::string name = LstFreeVarName(*vars, "");
    const auto adr = static_cast<int16_t>(sps ? sps->GetFreeItemNo() : 0);
    // The dialog inserts a variable of its own; the template stays ours.
    CPrjVarBit var(name, adr, 2, 12, 2, prj->GetTextPool());
    if (m_core.GetDlgRunner().RunVar(var, CDlgRunner::kVarNew))
        m_var->Refresh();
    var.FreeKindData();
    Sync();
}

void CViewLstCore::CopyVar()
{
    CPrjData* prj = GetPrjData();
    CPrjVarList* vars = LstVars();
    const CPrjVar* var = SelVar();
    if (!prj || !vars || !var || m_var->GetKind() != 0)
        return;
    std::unique_ptr<CPrjVar> copy = var->Clone(LstFreeVarName(*vars, "Kopie_"));
    CPrjVar* raw = copy.get();
    const int index = prj->InsVar(raw);
    if (index < 0 || vars->VarAt(index) != raw) {
        // Refused: it stays ours and goes with its data.
        raw->FreeKindData();
        return;
    }
    copy.release();
    prj->SetModified(true);
    m_var->Refresh();
    Sync();
}

void CViewLstCore::DeleteVar()
{
    CPrjVar* var = SelVar();
    CPrjVarList* vars = LstVars();
    const CPrjData* prj = GetPrjData();
    if (!var || !vars || m_var->GetKind() != 0)
        return;
    // Text rows and recipe values point at the variable: it stays.
    const CPrjRcpTxtList* rcps = prj->GetRcpTxtList();
    if (var->GetUseCount() > 0 || (rcps && rcps->UsesVar(var))) {
        ShowMessageText("Diese Variable wird in mind. einem Text verwendet, und kann daher nicht gel\xF6scht werden");
        return;
    }
    vars->Delete(var);
    GetPrjData()->SetModified(true);
    m_var->Refresh();
    Sync();
}

void CViewLstCore::EditVar()
{
    CDlgRunner& dialogs = m_core.GetDlgRunner();
    if (m_mode != kModeVars || m_selRow < 0)
        return;
    if (m_var->GetKind() == 2) {
        dialogs.RunDrvVar(GetSelIndex());
        return;
    }
    CPrjVar* var = SelVar();
    if (!var)
        return;
    if (m_var->GetKind() == 1 && (var->GetFlags() & kLstIntVarEditable) == 0) {
        MsgBoxOk("Diese interne Variable kann nicht editiert werden");
        return;
    }
    if (dialogs.RunVar(*var, CDlgRunner::kVarExisting))
        m_var->RefreshRow(GetSelIndex(), m_selRow);
    Sync();
}

void CViewLstCore::ChangeValue()
{
    CSpsPar* sps = GetSpsPar();
    if (m_mode != kModePlcArea || !sps || m_selRow < 0 || m_selRow >= sps->GetItems().GetCount())
        return;
    CDrvParItem& item = *sps->GetItems().ItemAt(m_selRow);
    const std::optional<uint16_t> value = m_core.GetDlgRunner().RunValue(item);
    if (!value || *value == item.GetValue())
        return;
    WriteSimWord(item.GetNumber(), *value);
    item.SetValue(*value);
    m_wordBits->RefreshRow(m_selRow);
    Sync();
}

bool CViewLstCore::SimRunning() const
{
    const CPrjMgr* mgr = m_core.GetPrjMgr();
    return mgr && mgr->IsSimRunning();
}

void CViewLstCore::WriteSimWord(uint16_t wordNo, uint16_t value)
{
    if (CPrjMgr* mgr = m_core.GetPrjMgr())
        mgr->SetSimWord(wordNo, value);
}

} // namespace orv
