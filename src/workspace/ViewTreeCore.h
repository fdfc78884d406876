// The project tree without a window: which items the selected panel offers,
// what selecting and right-clicking an item does, and the menus of the
// project with their new, rename, renumber and delete. The Qt tree mirrors
// the items and forwards the mouse here.
#pragma once

#include "workspace/FrameViews.h"
#include "workspace/SelQueries.h"
#include "workspace/ViewLstCore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class CFrameCore;
class CPrjMnu;

// The items the tree may show; a menu's item is a MenuItem with its index.
enum class TreeNode : int {
    Root,
    Project,
    Descr,
    Times,
    AdrRef,
    Firmware,
    PrnPar,
    MemPartition,
    PrjOpt,
    Vars,
    ExtVars,
    IntVars,
    DrvVars,
    Texts,
    StsTxt,
    DftTxt,
    OpTxt,
    MsgTxt,
    HstTxt,
    RcpTxt,
    HlpTexts,
    HlpDft,
    HlpMnu,
    HlpInf,
    HlpWrn,
    HlpFlt,
    HlpMsg,
    HlpRcp,
    HlpOp,
    HlpHst,
    HlpRcpDlg,
    PrnTexts,
    PrnOp,
    PrnMsg,
    PrnRcp,
    Xref,
    Menus,
    Softkeys,
    SkActions,
    TransferArea,
    Chars,
    TimeSw,
    Options,
    Lang,
    Ports,
    PrgOpt,
    MenuItem,
};

// One item in insertion order: under its parent, text from a string id
// (0: the literal), and its image.
struct TreeItem {
    TreeNode node = TreeNode::Root;
    TreeNode parent = TreeNode::Root;
    int stringId = 0;
    const char* literal = "";
    int image = 0;
};

// The items a device record and PLC type offer, parents before children.
std::vector<TreeItem> BuildTreeItems(const DevRecord& dev, int32_t spsId);

class CViewTreeCore : public IViewTree {
public:
    static constexpr int kMenuImage = 7;

    CViewTreeCore(CFrameCore& core, CViewLstCore& lst);

    // IViewTree
    void BuildTree() override;
    void RebuildTree(const std::string& rootText) override;
    void FillMenus() override;
    void MnuSelectedFirst() override;
    void ShowTransferArea() override;

    const std::vector<TreeItem>& Items() const { return m_items; }
    // "<>" until a project's file name is set.
    const std::string& RootText() const { return m_rootText; }
    // "%d: %s" of each menu, in the menu list's order.
    const std::vector<std::string>& MenuTexts() const { return m_menuTexts; }

    // The selection road of a mouse click; menuIdx for a menu's item.
    void Select(TreeNode node, int menuIdx = -1);
    void MnuSelected(int menuIdx);
    // A right click on the item: selected, the road run, and the menu it
    // then offers (empty: none is shown).
    std::vector<LstMenuItem> RightClick(TreeNode node, int menuIdx = -1);
    // A choice of the menu of the item right-clicked last.
    void RunCommand(uint32_t id);

    void NewMenu();
    void DeleteMenu(int menuIdx);
    void RenameMenu(int menuIdx);

protected:
    // The window mirrors the items (after BuildTree) and the menu items.
    virtual void ItemsChanged() {}
    virtual void MenusChanged() {}

private:
    std::vector<LstMenuItem> MenuOf(TreeNode node, int menuIdx);
    CPrjMnu* MenuAt(int menuIdx) const;

    CFrameCore& m_core;
    CViewLstCore& m_lst;
    std::vector<TreeItem> m_items;
    std::string m_rootText = "<>";
    std::vector<std::string> m_menuTexts;
    TreeNode m_clicked = TreeNode::Root;
    int m_clickedMenu = -1;
};

} // namespace orv
