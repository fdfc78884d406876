// The project tree: its items by device record, the selection road, the
// right-click menus and the menus of the project.

#include "ViewKit.h"

#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "workspace/ObjNav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace orv {
namespace {

using PtNode = TreeNode;

DevRecord PtDev(int32_t devId, const char* devTyp, std::initializer_list<TxtKind> kinds = {})
{
    DevRecord dev;
    dev.devId = devId;
    dev.devTyp = devTyp;
    for (TxtKind kind : kinds)
        dev.txt[static_cast<size_t>(kind)] = true;
    return dev;
}

const TreeItem* PtFind(const std::vector<TreeItem>& items, PtNode node)
{
    const auto it = std::find_if(items.begin(), items.end(), [node](const TreeItem& i) { return i.node == node; });
    return it == items.end() ? nullptr : &*it;
}

class workspace_project_tree : public testing::Test {
protected:
    LvWorld& Fresh()
    {
        world.reset();
        world = std::make_unique<LvWorld>();
        return *world;
    }
    CPrjMnuList& Menus() { return *world->Prj().GetMnuList(); }
    void AddMenu(int num, const char* name)
    {
        auto menu = std::make_unique<CPrjMnu>(static_cast<uint8_t>(num), name, 0);
        ASSERT_GE(world->Prj().InsMnu(menu.get()), 0);
        menu.release();
    }
    std::vector<int> MenuNums()
    {
        std::vector<int> nums;
        for (int i = 0; i < Menus().GetCount(); ++i)
            nums.push_back(Menus().ItemAt(i)->GetNum());
        return nums;
    }
    std::vector<std::string> Boxes() const { return world->kit.Boxes(); }

    std::unique_ptr<LvWorld> world = std::make_unique<LvWorld>();
};

TEST_F(workspace_project_tree, ItemsFollowTheDeviceRecord)
{
    struct Case {
        const char* name;
        DevRecord dev;
        int32_t spsId;
        std::vector<PtNode> shown;
        std::vector<PtNode> hidden;
    };
    const Case cases[] = {
        {"mini 43",
         PtDev(43, "mini"),
         33,
         {PtNode::Descr, PtNode::Times, PtNode::PrjOpt},
         {PtNode::Firmware, PtNode::PrnPar, PtNode::AdrRef, PtNode::MemPartition, PtNode::TimeSw}},
        {"mini 47", PtDev(47, "mini"), 33, {PtNode::PrnPar}, {PtNode::Firmware}},
        {"mini 755", PtDev(755, "mini"), 33, {PtNode::PrnPar}, {PtNode::Firmware}},
        {"midi 706",
         PtDev(706, "midi"),
         33,
         {PtNode::Firmware, PtNode::PrnPar, PtNode::TimeSw},
         {PtNode::MemPartition}},
        {"plus",
         PtDev(44, "plus"),
         42,
         {PtNode::Firmware, PtNode::PrnPar, PtNode::MemPartition, PtNode::AdrRef},
         {PtNode::TimeSw}},
        {"no texts",
         PtDev(43, "mini"),
         33,
         {PtNode::Texts, PtNode::HlpTexts, PtNode::Xref},
         {PtNode::OpTxt, PtNode::PrnTexts, PtNode::HlpDft}},
        {"printer texts by one flag",
         PtDev(43, "mini", {TxtKind::PrtRcp}),
         33,
         {PtNode::PrnTexts, PtNode::PrnRcp},
         {PtNode::PrnOp, PtNode::PrnMsg}},
        {"printer texts by another",
         PtDev(43, "mini", {TxtKind::PrtOp}),
         33,
         {PtNode::PrnTexts, PtNode::PrnOp},
         {PtNode::PrnRcp}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<TreeItem> items = BuildTreeItems(c.dev, c.spsId);
        for (PtNode node : c.shown)
            EXPECT_NE(PtFind(items, node), nullptr) << static_cast<int>(node);
        for (PtNode node : c.hidden)
            EXPECT_EQ(PtFind(items, node), nullptr) << static_cast<int>(node);
    }

    // Each text flag adds its item under its branch.
    struct Flag {
        TxtKind kind;
        PtNode node;
        PtNode parent;
        int stringId;
    };
    const Flag flags[] = {
        {TxtKind::Sts, PtNode::StsTxt, PtNode::Texts, 9125},
        {TxtKind::Dft, PtNode::DftTxt, PtNode::Texts, 9126},
        {TxtKind::Op, PtNode::OpTxt, PtNode::Texts, 9127},
        {TxtKind::Msg, PtNode::MsgTxt, PtNode::Texts, 9128},
        {TxtKind::Hst, PtNode::HstTxt, PtNode::Texts, 9129},
        {TxtKind::Rcp, PtNode::RcpTxt, PtNode::Texts, 9131},
        {TxtKind::HlpDft, PtNode::HlpDft, PtNode::HlpTexts, 9205},
        {TxtKind::HlpRcpDlg, PtNode::HlpRcpDlg, PtNode::HlpTexts, 9214},
        {TxtKind::PrtMsg, PtNode::PrnMsg, PtNode::PrnTexts, 9202},
    };
    for (const Flag& f : flags) {
        SCOPED_TRACE(f.stringId);
        const std::vector<TreeItem> items = BuildTreeItems(PtDev(43, "mini", {f.kind}), 33);
        const TreeItem* item = PtFind(items, f.node);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->parent, f.parent);
        EXPECT_EQ(item->stringId, f.stringId);
        EXPECT_EQ(item->image, 6);
    }

    // Parents come before their children; the images of the branches.
    const std::vector<TreeItem> all = BuildTreeItems(PtDev(706, "plus"), 42);
    for (size_t i = 1; i < all.size(); ++i) {
        const auto parent = std::find_if(all.begin(), all.begin() + static_cast<long>(i),
                                         [&](const TreeItem& p) { return p.node == all[i].parent; });
        EXPECT_NE(parent, all.begin() + static_cast<long>(i)) << i;
    }
    const std::pair<PtNode, int> images[] = {{PtNode::Root, 0},     {PtNode::Vars, 5},      {PtNode::Menus, 7},
                                             {PtNode::Softkeys, 8}, {PtNode::SkActions, 9}, {PtNode::TransferArea, 10},
                                             {PtNode::Chars, 11},   {PtNode::TimeSw, 13},   {PtNode::Lang, 12},
                                             {PtNode::Ports, 4},    {PtNode::DrvVars, 5}};
    for (const auto& [node, image] : images)
        EXPECT_EQ(PtFind(all, node)->image, image) << static_cast<int>(node);
    EXPECT_STREQ(PtFind(all, PtNode::MemPartition)->literal, "Datensatzgr\xF6sse");
}

TEST_F(workspace_project_tree, SelectionRoadOpensListsAndDialogs)
{
    struct Case {
        const char* name;
        PtNode node;
        int mode;
        int listType;
        int varKind;
        std::vector<DlgId> dialogs;
    };
    const Case cases[] = {
        {"Meldetexte", PtNode::MsgTxt, 1, 3, 0, {}},
        {"Bedientexte", PtNode::OpTxt, 1, 2, 0, {}},
        {"Rezepttexte", PtNode::RcpTxt, 1, 6, 0, {}},
        {"Historytext help", PtNode::HlpHst, 1, 19, 0, {}},
        {"Ruhetext help", PtNode::HlpDft, 1, 11, 0, {}},
        {"Meldetext help opens nothing", PtNode::HlpMsg, 4, 0, 0, {}},
        {"Statustexte open nothing", PtNode::StsTxt, 4, 0, 0, {}},
        {"interne Variable", PtNode::IntVars, 0, 0, 1, {}},
        {"Treibervariable", PtNode::DrvVars, 0, 0, 2, {}},
        {"Softkeys", PtNode::Softkeys, 4, 0, 0, {}},
        {"Softkeyaktionen", PtNode::SkActions, 3, 0, 0, {}},
        {"Übergabebereich", PtNode::TransferArea, 5, 0, 0, {}},
        {"Zeichen", PtNode::Chars, 6, 0, 0, {}},
        {"Zeiten", PtNode::Times, 4, 0, 0, {DlgId::Times}},
        {"Beschreibung", PtNode::Descr, 4, 0, 0, {DlgId::Descr}},
        {"Zeitschaltuhren", PtNode::TimeSw, 4, 0, 0, {DlgId::TimeSw}},
        {"Sprachauswahl", PtNode::Lang, 4, 0, 0, {DlgId::Lang}},
        {"Datensatzgrösse", PtNode::MemPartition, 4, 0, 0, {DlgId::MemPartition}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LvWorld& w = Fresh();
        // Starts on the softkey texts, which the items without a road keep.
        w.kit.core.OnListMode(IViewLst::kModeSkTexts);
        w.tree.Select(c.node);
        EXPECT_EQ(w.view.GetListMode(), c.mode);
        EXPECT_EQ(w.kit.core.GetListType(), c.listType);
        EXPECT_EQ(w.view.GetVarKind(), c.varKind);
        EXPECT_EQ(w.kit.dialogs.dlgRuns, c.dialogs);
        EXPECT_TRUE(w.view.Provider(c.mode)->IsActive());
    }
}

TEST_F(workspace_project_tree, RightClickMenus)
{
    struct Case {
        const char* name;
        PtNode node;
        std::function<void(LvWorld&)> setup;
        const char* menu;
        int mode;
    };
    const auto none = [](LvWorld&) {};
    const auto opText = [](LvWorld& w) { w.kit.AddTexts(2, {1}); };
    const auto dev706 = [](LvWorld& w) {
        ASSERT_TRUE(w.kit.core.GetStartSel().SetOrvVals("ORVPRO", 706, 33, 5, 10, 0, 64));
    };
    const Case cases[] = {
        {"externe Variable", PtNode::ExtVars, none, "9100+", 0},
        {"Bedientexte", PtNode::OpTxt, opText, "9100+ 9237-", 1},
        {"Meldetexte", PtNode::MsgTxt, none, "9100+ 9237-", 1},
        {"Meldetexte on 706", PtNode::MsgTxt, dev706, "9100+ 9237+", 1},
        {"Rezepttexte", PtNode::RcpTxt, none, "9100+ 9237+", 1},
        {"Statustexte after operator texts", PtNode::StsTxt, opText, "9100- 9237-", 4},
        {"Meldetext help", PtNode::HlpMsg, none, "9100- 9237-", 4},
        {"Querverweis-Liste", PtNode::Xref, none, "9100- 9237-", 4},
        {"Druckertexte", PtNode::PrnTexts, none, "9100- 9237-", 4},
        {"Hilfstexte", PtNode::HlpTexts, none, "", 4},
        {"Menüs without operator text", PtNode::Menus, none, "9100-", 2},
        {"Menüs", PtNode::Menus, opText, "9100+", 2},
        {"Softkeys", PtNode::Softkeys, none, "9100+", 4},
        {"Softkeyaktionen", PtNode::SkActions, none, "9100+", 3},
        {"Zeiten", PtNode::Times, none, "", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LvWorld& w = Fresh();
        c.setup(w);
        // A text list opened before must not lend "Neu" its navigator.
        w.kit.core.OnTextList(2);
        w.kit.core.OnListMode(IViewLst::kModeSkTexts);
        EXPECT_EQ(LvMenuText(w.tree.RightClick(c.node)), c.menu);
        EXPECT_EQ(w.view.GetListMode(), c.mode);
    }
    // Right-clicking "Zeiten" runs its dialog.
    EXPECT_EQ(world->kit.dialogs.dlgRuns, std::vector<DlgId>{DlgId::Times});

    // A menu's item offers its commands.
    LvWorld& w = Fresh();
    AddMenu(1, "Haupt");
    w.tree.FillMenus();
    EXPECT_EQ(LvMenuText(w.tree.RightClick(PtNode::MenuItem, 0)), "9103+ 9104+ 9237+");
    EXPECT_EQ(w.view.GetListMode(), IViewLst::kModeMenuNodes);
    w.tree.RunCommand(lstcmd::kOptions);
    EXPECT_EQ(w.kit.dialogs.runs, std::vector<std::string>{"mnuopt 1"});
}

TEST_F(workspace_project_tree, NewMenuTakesTheLowestFreeNumberAndItsPlace)
{
    LvWorld& w = *world;
    w.kit.AddTexts(2, {4});
    AddMenu(1, "Eins");
    AddMenu(3, "Drei");
    w.tree.RebuildTree("demo.prj");
    const uint16_t mods = w.kit.ModCount();

    ASSERT_EQ(LvMenuText(w.tree.RightClick(PtNode::Menus)), "9100+");
    w.tree.RunCommand(lstcmd::kNew);
    ASSERT_EQ(MenuNums(), (std::vector<int>{1, 2, 3}));
    const CPrjMnu& menu = *Menus().ItemAt(1);
    EXPECT_EQ(menu.GetName(), "002");
    EXPECT_EQ(menu.GetMnuOpt(), w.Prj().GetMnuOptMask());
    ASSERT_EQ(menu.GetSubList()->GetCount(), 1);
    const CPrjMnuNode& node = *menu.GetSubList()->ItemAt(0);
    EXPECT_EQ(node.GetNum(), 1);
    EXPECT_EQ(node.GetLinks(), (std::array<uint8_t, 4>{0, 0, 0, 0}));
    EXPECT_EQ(node.IsStart(), 1);
    EXPECT_EQ(node.GetOpTxt(), w.Prj().GetOpTxtList()->OpTxtAt(0));
    EXPECT_EQ(w.tree.MenuTexts(), (std::vector<std::string>{"1: Eins", "2: 002", "3: Drei"}));
    EXPECT_EQ(w.kit.ModCount(), mods + 1);

    // Item 1 is menu 2: deleting it deletes that menu.
    w.kit.fw.ui.AnswerQuestionText("Men\xFC wirklich l\xF6schen?", true);
    w.tree.RightClick(PtNode::MenuItem, 1);
    w.tree.RunCommand(lstcmd::kDelete);
    EXPECT_EQ(MenuNums(), (std::vector<int>{1, 3}));
    EXPECT_EQ(w.tree.MenuTexts(), (std::vector<std::string>{"1: Eins", "3: Drei"}));
    EXPECT_EQ(w.kit.ModCount(), mods + 2);
}

TEST_F(workspace_project_tree, NoNewMenuWhenEveryNumberIsTaken)
{
    LvWorld& w = *world;
    w.kit.AddTexts(2, {4});
    for (int num = 1; num <= 127; ++num)
        AddMenu(num, std::to_string(num).c_str());
    w.tree.FillMenus();
    const uint16_t mods = w.kit.ModCount();
    w.tree.NewMenu();
    EXPECT_EQ(Menus().GetCount(), 127);
    EXPECT_EQ(w.tree.MenuTexts().size(), 127u);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Failed to insert new menu"});
    EXPECT_EQ(w.kit.ModCount(), mods);
}

TEST_F(workspace_project_tree, RenameChecksNumberAndName)
{
    struct Case {
        const char* name;
        std::optional<CDlgRunner::RenameResult> answer;
        const char* text;
        const char* box;
    };
    const Case cases[] = {
        {"full stop", CDlgRunner::RenameResult{1, "Haupt.1"}, "1: Haupt", nullptr},
        {"past 127", CDlgRunner::RenameResult{128, "Alt"}, "1: Alt", "Men\xFC-Nummer muss zwischen 1 und 127 liegen"},
        {"zero", CDlgRunner::RenameResult{0, "Alt"}, "1: Alt", "Men\xFC-Nummer muss zwischen 1 und 127 liegen"},
        {"taken number", CDlgRunner::RenameResult{3, "Alt"}, "1: Alt", "Men\xFC-Nummer schon vergeben: 3"},
        {"free number", CDlgRunner::RenameResult{5, "Alt"}, "5: Alt", nullptr},
        {"unchanged", CDlgRunner::RenameResult{1, "Alt"}, "1: Alt", nullptr},
        {"taken name", CDlgRunner::RenameResult{1, "Neben"}, "1: Alt", "Men\xFC-Name schon vergeben: Neben"},
        {"17 characters", CDlgRunner::RenameResult{1, "ABCDEFGHIJKLMNOPQ"}, "1: ABCDEFGHIJKLMNOP", nullptr},
        {"cancelled", std::nullopt, "1: Alt", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LvWorld& w = Fresh();
        AddMenu(1, "Alt");
        AddMenu(3, "Neben");
        w.tree.FillMenus();
        const uint16_t mods = w.kit.ModCount();
        w.kit.dialogs.renames.push_back(c.answer);
        w.tree.RightClick(PtNode::MenuItem, 0);
        w.tree.RunCommand(lstcmd::kRename);
        EXPECT_EQ(w.kit.dialogs.runs, std::vector<std::string>{"rename 1 Alt"});
        const bool changed = std::string(c.text) != "1: Alt";
        EXPECT_EQ(std::count(w.tree.MenuTexts().begin(), w.tree.MenuTexts().end(), c.text), 1);
        EXPECT_EQ(Boxes(), c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        EXPECT_EQ(w.kit.ModCount(), changed ? mods + 1 : mods);
    }
}

TEST_F(workspace_project_tree, DeleteAsksFirstAndForgetsTheShownNodes)
{
    LvWorld& w = *world;
    w.kit.AddTexts(2, {4});
    AddMenu(1, "Eins");
    AddMenu(2, "Zwei");
    w.tree.FillMenus();
    const uint16_t mods = w.kit.ModCount();

    w.kit.fw.ui.AnswerQuestionText("Men\xFC wirklich l\xF6schen?", false);
    w.tree.RightClick(PtNode::MenuItem, 1);
    w.tree.RunCommand(lstcmd::kDelete);
    EXPECT_EQ(MenuNums(), (std::vector<int>{1, 2}));
    EXPECT_EQ(w.kit.ModCount(), mods);

    // The list view shows the menu's nodes, which go with it.
    w.tree.MnuSelected(1);
    w.view.RunCommand(lstcmd::kNewNode);
    ASSERT_EQ(w.view.Table().GetRowCount(), 1);
    const uint16_t afterNode = w.kit.ModCount();
    w.kit.fw.ui.AnswerQuestionText("Men\xFC wirklich l\xF6schen?", true);
    w.tree.RightClick(PtNode::MenuItem, 1);
    w.tree.RunCommand(lstcmd::kDelete);
    EXPECT_EQ(MenuNums(), std::vector<int>{1});
    EXPECT_EQ(w.tree.MenuTexts(), std::vector<std::string>{"1: Eins"});
    EXPECT_EQ(w.view.Table().GetRowCount(), 0);
    EXPECT_EQ(w.kit.ModCount(), afterNode + 1);
}

TEST_F(workspace_project_tree, MenuIndexPastTheMenus)
{
    LvWorld& w = *world;
    AddMenu(1, "Eins");
    AddMenu(2, "Zwei");
    w.tree.FillMenus();
    w.tree.MnuSelected(5);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Idx=5, Max=1, MnuIdx out of bounds"});
    EXPECT_EQ(w.view.GetListMode(), IViewLst::kModeMenuNodes);
    EXPECT_EQ(w.view.Table().GetRowCount(), 0);

    w.tree.MnuSelectedFirst();
    EXPECT_TRUE(w.view.Provider(IViewLst::kModeMenuNodes)->IsActive());
    w.tree.ShowTransferArea();
    EXPECT_EQ(w.view.GetListMode(), IViewLst::kModePlcArea);
    EXPECT_TRUE(w.view.Provider(IViewLst::kModePlcArea)->IsActive());
}

} // namespace
} // namespace orv
