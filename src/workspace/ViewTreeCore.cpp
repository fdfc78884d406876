// The project tree's items, its selection road and the menus of the project.
#include "workspace/ViewTreeCore.h"

#include "model/core/CheckedFormat.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "workspace/DlgRunner.h"
#include "workspace/FrameCore.h"
#include "workspace/ObjNav.h"
#include "workspace/PrjMgr.h"
#include "workspace/StartSel.h"
#include "workspace/TypedName.h"

#include <memory>

namespace orv {

namespace {

using N = TreeNode;

// Menus are kept, compiled and renamed in this range.
constexpr int kTreeMenuLow = 1;
constexpr int kTreeMenuHigh = 127;

// A text item and the list type its selection opens (0: none).
struct TreeTextRow {
    N node;
    int stringId;
    TxtKind kind;
    int listType;
};

constexpr TreeTextRow kTreeTexts[] = {
    {N::StsTxt, 9125, TxtKind::Sts, 0}, {N::DftTxt, 9126, TxtKind::Dft, 0}, {N::OpTxt, 9127, TxtKind::Op, 2},
    {N::MsgTxt, 9128, TxtKind::Msg, 3}, {N::HstTxt, 9129, TxtKind::Hst, 4}, {N::RcpTxt, 9131, TxtKind::Rcp, 6},
};

constexpr TreeTextRow kTreeHlpTexts[] = {
    {N::HlpDft, 9205, TxtKind::HlpDft, 11},   {N::HlpMnu, 9206, TxtKind::HlpMnu, 12},
    {N::HlpInf, 9207, TxtKind::HlpInf, 13},   {N::HlpWrn, 9208, TxtKind::HlpWrn, 14},
    {N::HlpFlt, 9209, TxtKind::HlpFlt, 15},   {N::HlpMsg, 9210, TxtKind::HlpMsg, 0},
    {N::HlpRcp, 9211, TxtKind::HlpRcp, 17},   {N::HlpOp, 9212, TxtKind::HlpOp, 0},
    {N::HlpHst, 9213, TxtKind::HlpHst, 19},   {N::HlpRcpDlg, 9214, TxtKind::HlpRcpDlg, 0},
};

constexpr TreeTextRow kTreePrnTexts[] = {
    {N::PrnOp, 9201, TxtKind::PrtOp, 0}, {N::PrnMsg, 9202, TxtKind::PrtMsg, 0}, {N::PrnRcp, 9902, TxtKind::PrtRcp, 0},
};

// The list type a text item opens; 0 for the others.
int TreeListTypeOf(N node)
{
    for (const TreeTextRow& r : kTreeTexts)
        if (r.node == node)
            return r.listType;
    for (const TreeTextRow& r : kTreeHlpTexts)
        if (r.node == node)
            return r.listType;
    return 0;
}

// An item under Texte or Hilfstexte, which offers new texts.
bool TreeIsTextItem(N node)
{
    const auto in = [node](const auto& rows) {
        for (const TreeTextRow& r : rows)
            if (r.node == node)
                return true;
        return false;
    };
    return in(kTreeTexts) || in(kTreeHlpTexts) || node == N::PrnTexts || node == N::Xref;
}

// The dialogs that items open.
struct TreeDlgRow {
    N node;
    DlgId dlg;
};

constexpr TreeDlgRow kTreeDialogs[] = {
    {N::Descr, DlgId::Descr},   {N::Times, DlgId::Times},        {N::AdrRef, DlgId::AdrRef},
    {N::PrnPar, DlgId::PrnPar}, {N::MemPartition, DlgId::MemPartition}, {N::PrjOpt, DlgId::PrjOpt},
    {N::TimeSw, DlgId::TimeSw}, {N::Ports, DlgId::Ports},        {N::Lang, DlgId::Lang},
    {N::PrgOpt, DlgId::PrgOpt},
};

} // namespace

std::vector<TreeItem> BuildTreeItems(const DevRecord& dev, int32_t spsId)
{
    const bool mini = dev.devTyp == "mini";
    std::vector<TreeItem> items = {{N::Root, N::Root, 0, "<>", 0},
                                   {N::Project, N::Root, 0, "Projekt", 1},
                                   {N::Descr, N::Project, 9226, "", 1},
                                   {N::Times, N::Project, 9227, "", 1}};
    const auto add = [&items](bool shown, TreeItem item) {
        if (shown)
            items.push_back(item);
    };
    add(spsId == 42, {N::AdrRef, N::Project, 0, "Adressverweise", 1});
    add(!mini, {N::Firmware, N::Project, 0, "Firmware", 1});
    add(!mini || dev.devId == 47 || dev.devId == 755, {N::PrnPar, N::Project, 0, "Drucker-Parameter", 1});
    add(dev.devTyp == "plus", {N::MemPartition, N::Project, 0, "Datensatzgr\xF6sse", 1});
    items.insert(items.end(), {{N::PrjOpt, N::Project, 0, "Projektoptionen", 1},
                               {N::Vars, N::Root, 9229, "", 5},
                               {N::ExtVars, N::Vars, 9230, "", 5},
                               {N::IntVars, N::Vars, 9231, "", 5},
                               {N::DrvVars, N::Vars, 0, "Treibervariable", 5},
                               {N::Texts, N::Root, 9925, "", 6}});
    for (const TreeTextRow& r : kTreeTexts)
        add(dev.Offers(r.kind), {r.node, N::Texts, r.stringId, "", 6});
    items.push_back({N::HlpTexts, N::Texts, 9204, "", 6});
    for (const TreeTextRow& r : kTreeHlpTexts)
        add(dev.Offers(r.kind), {r.node, N::HlpTexts, r.stringId, "", 6});
    bool anyPrn = false;
    for (const TreeTextRow& r : kTreePrnTexts)
        anyPrn = anyPrn || dev.Offers(r.kind);
    add(anyPrn, {N::PrnTexts, N::Texts, 9200, "", 6});
    for (const TreeTextRow& r : kTreePrnTexts)
        add(dev.Offers(r.kind), {r.node, N::PrnTexts, r.stringId, "", 6});
    items.insert(items.end(), {{N::Xref, N::Texts, 9919, "", 6},
                               {N::Menus, N::Root, 9219, "", 7},
                               {N::Softkeys, N::Root, 9221, "", 8},
                               {N::SkActions, N::Root, 9223, "", 9},
                               {N::TransferArea, N::Root, 9235, "", 10},
                               {N::Chars, N::Root, 9236, "", 11}});
    add(dev.devId == 706, {N::TimeSw, N::Root, 0, "Zeitschaltuhren", 13});
    items.insert(items.end(), {{N::Options, N::Root, 9237, "", 1},
                               {N::Lang, N::Options, 0, "Sprachauswahl", 12},
                               {N::Ports, N::Options, 0, "Schnittstellen", 4},
                               {N::PrgOpt, N::Options, 0, "Programmoptionen", 1}});
    return items;
}

CViewTreeCore::CViewTreeCore(CFrameCore& core, CViewLstCore& lst) : m_core(core), m_lst(lst) {}

void CViewTreeCore::BuildTree()
{
    m_items = BuildTreeItems(m_core.GetStartSel().Dev(), m_core.GetStartSel().GetSpsId());
    m_rootText = "<>";
    m_menuTexts.clear();
    ItemsChanged();
}

void CViewTreeCore::RebuildTree(const std::string& rootText)
{
    BuildTree();
    m_rootText = rootText;
    ItemsChanged();
    FillMenus();
}

void CViewTreeCore::FillMenus()
{
    m_menuTexts.clear();
    const CPrjData* prj = GetPrjData();
    const CPrjMnuList* menus = prj ? prj->GetMnuList() : nullptr;
    for (int i = 0; menus && i < menus->GetCount(); ++i) {
        const CPrjMnu& menu = *menus->ItemAt(i);
        m_menuTexts.push_back(FormatText("%d: %s", menu.GetNum(), menu.GetName().c_str()));
        LogLine(kLogDebug, "Bez=%s, Size=%d", m_menuTexts.back().c_str(), static_cast<int>(m_menuTexts.size()));
    }
    MenusChanged();
}

void CViewTreeCore::MnuSelectedFirst()
{
    if (!m_menuTexts.empty())
        MnuSelected(0);
}

void CViewTreeCore::ShowTransferArea()
{
    m_lst.SetListMode(IViewLst::kModePlcArea);
    m_lst.ActivateProvider(IViewLst::kModePlcArea);
}

CPrjMnu* CViewTreeCore::MenuAt(int menuIdx) const
{
    const CPrjData* prj = GetPrjData();
    const CPrjMnuList* menus = prj ? prj->GetMnuList() : nullptr;
    return menus && menuIdx >= 0 && menuIdx < menus->GetCount() ? menus->ItemAt(menuIdx) : nullptr;
}

void CViewTreeCore::MnuSelected(int menuIdx)
{
    m_lst.SetListMode(IViewLst::kModeMenuNodes);
    const CPrjData* prj = GetPrjData();
    const int count = prj && prj->GetMnuList() ? prj->GetMnuList()->GetCount() : 0;
    if (menuIdx < 0 || menuIdx >= count) {
        ShowInternalErrorText("Idx=%d, Max=%d, MnuIdx out of bounds", menuIdx, count - 1);
        return;
    }
    LogLine(kLogDebug, "Idx=%d, Max=%d", menuIdx, count - 1);
    m_lst.ShowMenuNodes(MenuAt(menuIdx));
}

void CViewTreeCore::Select(TreeNode node, int menuIdx)
{
    for (const TreeDlgRow& row : kTreeDialogs)
        if (row.node == node) {
            m_core.GetDlgRunner().Run(row.dlg);
            return;
        }
    if (const int listType = TreeListTypeOf(node); listType != 0) {
        m_core.OnTextList(listType);
        return;
    }
    switch (node) {
    case N::Firmware:
        if (m_core.GetPrjMgr())
            m_core.OnFirmware(0);
        break;
    case N::MenuItem:
        MnuSelected(menuIdx);
        break;
    case N::ExtVars:
    case N::IntVars:
    case N::DrvVars:
        m_core.OnVarList(node == N::ExtVars ? 0 : node == N::IntVars ? 1 : 2);
        break;
    case N::Softkeys:
        m_core.OnListMode(IViewLst::kModeSkTexts);
        break;
    case N::SkActions:
        m_core.OnListMode(IViewLst::kModeSkActions);
        break;
    case N::TransferArea:
        ShowTransferArea();
        break;
    case N::Chars:
        m_core.OnListMode(IViewLst::kModeChars);
        break;
    default:
        break;
    }
}

std::vector<LstMenuItem> CViewTreeCore::RightClick(TreeNode node, int menuIdx)
{
    Select(node, menuIdx);
    m_clicked = node;
    m_clickedMenu = menuIdx;
    return MenuOf(node, menuIdx);
}

std::vector<LstMenuItem> CViewTreeCore::MenuOf(TreeNode node, int menuIdx)
{
    const CDlgRunner& dialogs = m_core.GetDlgRunner();
    const bool isText = TreeIsTextItem(node);
    if (isText) {
        // A text is made only in the list that the item itself opened.
        const CObjNav* nav = m_core.GetCurNav();
        const int listType = TreeListTypeOf(node);
        const bool ownNav = listType != 0 && nav && nav->GetListType() == listType;
        const bool msgOpt = node == N::MsgTxt && m_core.GetStartSel().GetDevId() == 706 &&
                            dialogs.HasEditDlg(CDlgRunner::EditDlg::MsgTxtOpt);
        const bool rcpAdr = node == N::RcpTxt && dialogs.HasEditDlg(CDlgRunner::EditDlg::RcpAdr);
        return {{lstcmd::kNew, ownNav}, {lstcmd::kOptions, msgOpt || rcpAdr}};
    }
    switch (node) {
    case N::ExtVars:
        return {{lstcmd::kNew, dialogs.HasEditDlg(CDlgRunner::EditDlg::Var)}};
    case N::Menus: {
        m_lst.SetListMode(IViewLst::kModeMenuNodes);
        const CPrjData* prj = GetPrjData();
        const bool hasOpTxt = prj && prj->GetOpTxtList() && prj->GetOpTxtList()->GetCount() > 0;
        return {{lstcmd::kNew, hasOpTxt}};
    }
    case N::MenuItem: {
        const bool known = MenuAt(menuIdx) != nullptr;
        return {{lstcmd::kDelete, known},
                {lstcmd::kRename, known && dialogs.IsAvailable(DlgId::Rename)},
                {lstcmd::kOptions, known && dialogs.HasEditDlg(CDlgRunner::EditDlg::MnuOpt)}};
    }
    case N::Softkeys:
    case N::SkActions:
        return {{lstcmd::kNew, true}};
    default:
        return {};
    }
}

void CViewTreeCore::RunCommand(uint32_t id)
{
    bool enabled = false;
    for (const LstMenuItem& item : MenuOf(m_clicked, m_clickedMenu))
        enabled = enabled || (item.id == id && item.enabled);
    if (!enabled)
        return;
    CDlgRunner& dialogs = m_core.GetDlgRunner();
    switch (m_clicked) {
    case N::ExtVars:
        m_lst.NewVar();
        return;
    case N::Menus:
        NewMenu();
        return;
    case N::MenuItem:
        if (id == lstcmd::kDelete)
            DeleteMenu(m_clickedMenu);
        else if (id == lstcmd::kRename)
            RenameMenu(m_clickedMenu);
        else if (CPrjMnu* menu = MenuAt(m_clickedMenu); menu && dialogs.RunMnuOpt(*menu))
            if (CPrjData* prj = GetPrjData())
                prj->SetModified(true);
        return;
    case N::Softkeys:
    case N::SkActions:
        m_lst.RunCommand(lstcmd::kNew);
        return;
    default:
        break;
    }
    if (id == lstcmd::kNew) {
        if (CObjNav* nav = m_core.GetCurNav())
            nav->New();
    } else if (m_clicked == N::MsgTxt) {
        dialogs.RunMsgTxtOpt();
    } else if (m_clicked == N::RcpTxt) {
        dialogs.RunRcpAdr();
    }
}

void CViewTreeCore::NewMenu()
{
    CPrjData* prj = GetPrjData();
    CPrjMnuList* menus = prj ? prj->GetMnuList() : nullptr;
    const CPrjOpTxtList* texts = prj ? prj->GetOpTxtList() : nullptr;
    if (!menus || !texts || texts->GetCount() == 0)
        return;
    int num = kTreeMenuLow;
    while (num <= kTreeMenuHigh && menus->FindByNum(num))
        ++num;
    if (num > kTreeMenuHigh) {
        ShowInternalErrorText("Failed to insert new menu");
        return;
    }
    auto menu = std::make_unique<CPrjMnu>(static_cast<uint8_t>(num), FormatText("%03d", num), prj->GetMnuOptMask());
    auto node = std::make_unique<CPrjMnuNode>(1, 0, 0, 0, 0, texts->OpTxtAt(0), 1);
    if (menu->InsNode(node.get()))
        node.release();
    const int count = menus->GetCount();
    prj->InsMnu(menu.get());
    if (menus->GetCount() == count) {
        ShowInternalErrorText("Failed to insert new menu");
        return;
    }
    menu.release();
    prj->SetModified(true);
    // The menu lands at its number's place: the items are made anew, so
    // that item i stays menu i.
    FillMenus();
}

void CViewTreeCore::DeleteMenu(int menuIdx)
{
    CPrjMnu* menu = MenuAt(menuIdx);
    if (!menu || !AskYesNoText("Men\xFC wirklich l\xF6schen?"))
        return;
    m_lst.ForgetMenu(menu);
    GetPrjData()->GetMnuList()->DelMnu(menu);
    GetPrjData()->SetModified(true);
    FillMenus();
}

void CViewTreeCore::RenameMenu(int menuIdx)
{
    CPrjMnu* menu = MenuAt(menuIdx);
    if (!menu)
        return;
    const std::optional<CDlgRunner::RenameResult> answer =
        m_core.GetDlgRunner().RunRename(menu->GetNum(), menu->GetName());
    if (!answer)
        return;
    CPrjData& prj = *GetPrjData();
    CPrjMnuList& menus = *prj.GetMnuList();
    if (answer->number != menu->GetNum()) {
        if (answer->number < kTreeMenuLow || answer->number > kTreeMenuHigh)
            ShowMessageText("Men\xFC-Nummer muss zwischen 1 und 127 liegen");
        else if (!menus.Renumber(menu, static_cast<uint8_t>(answer->number)))
            ShowMessageText("Men\xFC-Nummer schon vergeben: %d", static_cast<int>(answer->number));
        else
            prj.SetModified(true);
    }
    const std::string name = FilterTypedNameBytes(answer->name);
    if (!name.empty() && name != menu->GetName()) {
        if (!menus.Rename(menu, name))
            ShowMessageText("Men\xFC-Name schon vergeben: %s", name.c_str());
        else
            prj.SetModified(true);
    }
    FillMenus();
}

} // namespace orv
