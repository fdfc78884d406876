// The project tree's items, its selection road and the menus of the project.
#include "workspace/ViewTreeCore.h"

#include "model/core/CheckedFormat.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PanelTable.h"
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

using TreeN = TreeNode;

// Menus are kept, compiled and renamed in this range.
constexpr int kTreeMenuLow = 1;
constexpr int kTreeMenuHigh = 127;

// A text item and the list type its selection opens (0: none).
struct TreeTextRow {
    TreeN node;
    int stringId;
    TxtKind kind;
    int listType;
};

constexpr TreeTextRow kTreeTexts[] = {
    {TreeN::StsTxt, 9125, TxtKind::Sts, 0},
    {TreeN::DftTxt, 9126, TxtKind::Dft, 0},
    {TreeN::OpTxt,  9127, TxtKind::Op,  2},
    {TreeN::MsgTxt, 9128, TxtKind::Msg, 3},
    {TreeN::HstTxt, 9129, TxtKind::Hst, 4},
    {TreeN::RcpTxt, 9131, TxtKind::Rcp, 6},
};

constexpr TreeTextRow kTreeHlpTexts[] = {
    {TreeN::HlpDft,    9205, TxtKind::HlpDft,    11},
    {TreeN::HlpMnu,    9206, TxtKind::HlpMnu,    12},
    {TreeN::HlpInf,    9207, TxtKind::HlpInf,    13},
    {TreeN::HlpWrn,    9208, TxtKind::HlpWrn,    14},
    {TreeN::HlpFlt,    9209, TxtKind::HlpFlt,    15},
    {TreeN::HlpMsg,    9210, TxtKind::HlpMsg,    0 },
    {TreeN::HlpRcp,    9211, TxtKind::HlpRcp,    17},
    {TreeN::HlpOp,     9212, TxtKind::HlpOp,     0 },
    {TreeN::HlpHst,    9213, TxtKind::HlpHst,    19},
    {TreeN::HlpRcpDlg, 9214, TxtKind::HlpRcpDlg, 0 },
};

constexpr TreeTextRow kTreePrnTexts[] = {
    {TreeN::PrnOp,  9201, TxtKind::PrtOp,  0},
    {TreeN::PrnMsg, 9202, TxtKind::PrtMsg, 0},
    {TreeN::PrnRcp, 9902, TxtKind::PrtRcp, 0},
};

// The list type a text item opens; 0 for the others.
int TreeListTypeOf(TreeN node)
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
bool TreeIsTextItem(TreeN node)
{
    const auto in = [node](const auto& rows) {
        for (const TreeTextRow& r : rows)
            if (r.node == node)
                return true;
        return false;
    };
    return in(kTreeTexts) || in(kTreeHlpTexts) || node == TreeN::PrnTexts || node == TreeN::Xref;
}

// The dialogs that items open.
struct TreeDlgRow {
    TreeN node;
    DlgId dlg;
};

constexpr TreeDlgRow kTreeDialogs[] = {
    {TreeN::Descr,        DlgId::Descr       },
    {TreeN::Times,        DlgId::Times       },
    {TreeN::AdrRef,       DlgId::AdrRef      },
    {TreeN::PrnPar,       DlgId::PrnPar      },
    {TreeN::MemPartition, DlgId::MemPartition},
    {TreeN::PrjOpt,       DlgId::PrjOpt      },
    {TreeN::TimeSw,       DlgId::TimeSw      },
    {TreeN::Ports,        DlgId::Ports       },
    {TreeN::Lang,         DlgId::Lang        },
    {TreeN::PrgOpt,       DlgId::PrgOpt      },
};

} // namespace

std::vector<TreeItem> BuildTreeItems(const DevRecord& dev, int32_t spsId)
{
    const bool mini = dev.devTyp == "mini";
    const PanelRow* panel = dev.devId >= 0 && dev.devId <= 0xFFFF ? FindPanel(static_cast<uint16_t>(dev.devId)) : nullptr;
    std::vector<TreeItem> items = {
        {TreeN::Root,    TreeN::Root,    0,    "<>",      0},
        {TreeN::Project, TreeN::Root,    0,    "Projekt", 1},
        {TreeN::Descr,   TreeN::Project, 9226, "",        1},
        {TreeN::Times,   TreeN::Project, 9227, "",        1}
    };
    const auto add = [&items](bool shown, TreeItem item) {
        if (shown)
            items.push_back(item);
    };
    add(spsId == 42, {TreeN::AdrRef, TreeN::Project, 0, "Adressverweise", 1});
    add(!mini, {TreeN::Firmware, TreeN::Project, 0, "Firmware", 1});
    // A "mini" device offers the printer only where the panel drives one.
    add(!mini || (panel != nullptr && panel->printer), {TreeN::PrnPar, TreeN::Project, 0, "Drucker-Parameter", 1});
    add(dev.devTyp == "plus", {TreeN::MemPartition, TreeN::Project, 0, "Datensatzgr\xF6sse", 1});
    items.insert(items.end(), {
                                  {TreeN::PrjOpt,  TreeN::Project, 0,    "Projektoptionen", 1},
                                  {TreeN::Vars,    TreeN::Root,    9229, "",                5},
                                  {TreeN::ExtVars, TreeN::Vars,    9230, "",                5},
                                  {TreeN::IntVars, TreeN::Vars,    9231, "",                5},
                                  {TreeN::DrvVars, TreeN::Vars,    0,    "Treibervariable", 5},
                                  {TreeN::Texts,   TreeN::Root,    9925, "",                6}
    });
    for (const TreeTextRow& r : kTreeTexts)
        add(dev.Offers(r.kind), {r.node, TreeN::Texts, r.stringId, "", 6});
    items.push_back({TreeN::HlpTexts, TreeN::Texts, 9204, "", 6});
    for (const TreeTextRow& r : kTreeHlpTexts)
        add(dev.Offers(r.kind), {r.node, TreeN::HlpTexts, r.stringId, "", 6});
    bool anyPrn = false;
    for (const TreeTextRow& r : kTreePrnTexts)
        anyPrn = anyPrn || dev.Offers(r.kind);
    add(anyPrn, {TreeN::PrnTexts, TreeN::Texts, 9200, "", 6});
    for (const TreeTextRow& r : kTreePrnTexts)
        add(dev.Offers(r.kind), {r.node, TreeN::PrnTexts, r.stringId, "", 6});
    items.insert(items.end(), {
                                  {TreeN::Xref,         TreeN::Texts, 9919, "", 6 },
                                  {TreeN::Menus,        TreeN::Root,  9219, "", 7 },
                                  {TreeN::Softkeys,     TreeN::Root,  9221, "", 8 },
                                  {TreeN::SkActions,    TreeN::Root,  9223, "", 9 },
                                  {TreeN::TransferArea, TreeN::Root,  9235, "", 10},
                                  {TreeN::Chars,        TreeN::Root,  9236, "", 11}
    });
    add(panel != nullptr && panel->timeSwitches, {TreeN::TimeSw, TreeN::Root, 0, "Zeitschaltuhren", 13});
    items.insert(items.end(), {
                                  {TreeN::Options, TreeN::Root,    9237, "",                 1 },
                                  {TreeN::Lang,    TreeN::Options, 0,    "Sprachauswahl",    12},
                                  {TreeN::Ports,   TreeN::Options, 0,    "Schnittstellen",   4 },
                                  {TreeN::PrgOpt,  TreeN::Options, 0,    "Programmoptionen", 1 }
    });
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
    case TreeN::Firmware:
        if (m_core.GetPrjMgr())
            m_core.OnFirmware(0);
        break;
    case TreeN::MenuItem:
        MnuSelected(menuIdx);
        break;
    case TreeN::ExtVars:
    case TreeN::IntVars:
    case TreeN::DrvVars:
        m_core.OnVarList(node == TreeN::ExtVars ? 0 : node == TreeN::IntVars ? 1 : 2);
        break;
    case TreeN::Softkeys:
        m_core.OnListMode(IViewLst::kModeSkTexts);
        break;
    case TreeN::SkActions:
        m_core.OnListMode(IViewLst::kModeSkActions);
        break;
    case TreeN::TransferArea:
        ShowTransferArea();
        break;
    case TreeN::Chars:
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
        const bool msgOpt = node == TreeN::MsgTxt && m_core.GetStartSel().GetDevId() == 706 &&
                            dialogs.HasEditDlg(CDlgRunner::EditDlg::MsgTxtOpt);
        const bool rcpAdr = node == TreeN::RcpTxt && dialogs.HasEditDlg(CDlgRunner::EditDlg::RcpAdr);
        return {
            {lstcmd::kNew,     ownNav          },
            {lstcmd::kOptions, msgOpt || rcpAdr}
        };
    }
    switch (node) {
    case TreeN::ExtVars:
        return {
            {lstcmd::kNew, dialogs.HasEditDlg(CDlgRunner::EditDlg::Var)}
        };
    case TreeN::Menus: {
        m_lst.SetListMode(IViewLst::kModeMenuNodes);
        const CPrjData* prj = GetPrjData();
        const bool hasOpTxt = prj && prj->GetOpTxtList() && prj->GetOpTxtList()->GetCount() > 0;
        return {
            {lstcmd::kNew, hasOpTxt}
        };
    }
    case TreeN::MenuItem: {
        const bool known = MenuAt(menuIdx) != nullptr;
        return {
            {lstcmd::kDelete,  known                                                   },
            {lstcmd::kRename,  known && dialogs.IsAvailable(DlgId::Rename)             },
            {lstcmd::kOptions, known && dialogs.HasEditDlg(CDlgRunner::EditDlg::MnuOpt)}
        };
    }
    case TreeN::Softkeys:
    case TreeN::SkActions:
        return {
            {lstcmd::kNew, true}
        };
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
    case TreeN::ExtVars:
        m_lst.NewVar();
        return;
    case TreeN::Menus:
        NewMenu();
        return;
    case TreeN::MenuItem:
        if (id == lstcmd::kDelete)
            DeleteMenu(m_clickedMenu);
        else if (id == lstcmd::kRename)
            RenameMenu(m_clickedMenu);
        else if (CPrjMnu* menu = MenuAt(m_clickedMenu))
            // The dialog marks the project when it changed the menu.
            static_cast<void>(dialogs.RunMnuOpt(*menu));
        return;
    case TreeN::Softkeys:
    case TreeN::SkActions:
        m_lst.RunCommand(lstcmd::kNew);
        return;
    default:
        break;
    }
    if (id == lstcmd::kNew) {
        if (CObjNav* nav = m_core.GetCurNav())
            nav->New();
    } else if (m_clicked == TreeN::MsgTxt) {
        dialogs.RunMsgTxtOpt();
    } else if (m_clicked == TreeN::RcpTxt) {
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
