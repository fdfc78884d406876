// The list view's decisions over a loaded project: the mode switch, the
// context menus, label edits, drags and the variable commands.

#include "ViewKit.h"

#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/SpsPar.h"
#include "support/PrjBuilder.h"
#include "workspace/ObjNav.h"
#include "workspace/ViewLstCore.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <memory>

namespace orv {
namespace {

class workspace_list_view : public testing::Test {
protected:
    // A fresh world per case of a table.
    LvWorld& Fresh()
    {
        // One project root at a time: the old one goes first.
        world.reset();
        world = std::make_unique<LvWorld>();
        return *world;
    }

    std::unique_ptr<LvWorld> world = std::make_unique<LvWorld>();
};

TEST_F(workspace_list_view, SetListModeDropsTheRowsAndTheVariablesSlotTakesTheKindsProvider)
{
    LvWorld& w = *world;
    ASSERT_NE(w.AddVar("Alt", 10), nullptr);
    w.ShowVars(0);
    ASSERT_GT(w.view.Table().GetRowCount(), 0);
    EXPECT_EQ(w.view.Table().GetRowIndexCount(), w.view.Table().GetRowCount());
    w.view.SelectRow(0);

    w.view.SetListMode(IViewLst::kModeChars);
    EXPECT_FALSE(w.view.Provider(IViewLst::kModeVars)->IsActive());
    EXPECT_EQ(w.view.Table().GetRowCount(), 0);
    EXPECT_EQ(w.view.Table().GetRowIndexCount(), 0);
    EXPECT_EQ(w.view.GetSelRow(), -1);
    EXPECT_EQ(w.view.GetListMode(), IViewLst::kModeChars);

    w.view.SetVarProvider(2);
    EXPECT_NE(dynamic_cast<CLstProvDrvCode*>(w.view.Provider(IViewLst::kModeVars)), nullptr);
    EXPECT_EQ(w.view.GetVarKind(), 2);
    w.view.SetVarProvider(1);
    EXPECT_EQ(dynamic_cast<CLstProvDrvCode*>(w.view.Provider(IViewLst::kModeVars)), nullptr);
    EXPECT_EQ(w.view.GetVarKind(), 1);
}

TEST_F(workspace_list_view, ContextMenusFollowModeKindSelectionAndFlags)
{
    struct Case {
        const char* name;
        LstMenuFacts facts;
        const char* menu;
    };
    const auto f = [](int mode, int kind, bool sel) {
        LstMenuFacts facts;
        facts.mode = mode;
        facts.kind = kind;
        facts.rowSelected = sel;
        facts.varDlg = facts.drvVarDlg = facts.valueDlg = facts.charEditDlg = true;
        return facts;
    };
    const auto with = [](LstMenuFacts facts, const std::function<void(LstMenuFacts&)>& change) {
        change(facts);
        return facts;
    };
    const Case cases[] = {
        {"variables, nothing selected", f(0, 0, false), "9100+ 9101- | 9102- 9103- 9104- | 9106-"},
        {"variables, selected", f(0, 0, true), "9100+ 9101+ | 9102+ 9103+ 9104+ | 9106-"},
        {"without the variable dialog", with(f(0, 0, true), [](auto& x) { x.varDlg = false; }),
         "9100- 9101- | 9102+ 9103+ 9104+ | 9106-"},
        {"internal variable with bit 31", with(f(0, 1, true), [](auto& x) { x.intVarEditable = true; }),
         "9100- 9101+ | 9102- 9103- 9104- | 9106-"},
        {"internal variable without bit 31", f(0, 1, true), "9100- 9101- | 9102- 9103- 9104- | 9106-"},
        {"driver code", f(0, 2, true), "9100- 9101+ | 9102- 9103- 9104- | 9106-"},
        {"driver code without its dialog", with(f(0, 2, true), [](auto& x) { x.drvVarDlg = false; }),
         "9100- 9101- | 9102- 9103- 9104- | 9106-"},
        {"texts, nothing selected", f(1, 0, false), "9100+ 9101- 9102- 9103- | 9237- 9105-"},
        {"operator text used in a menu", with(f(1, 0, true), [](auto& x) {
             x.listType = 2;
             x.opTxtInMenu = true;
             x.curNumValid = true;
         }),
         "9100+ 9101+ 9102+ 9103- | 9237- 9105+"},
        {"message text", with(f(1, 0, true), [](auto& x) {
             x.listType = 3;
             x.opTxtInMenu = true;
             x.curNumValid = true;
         }),
         "9100+ 9101+ 9102+ 9103+ | 9237+ 9105+"},
        {"DEF", with(f(1, 0, true), [](auto& x) { x.listType = 2; }), "9100+ 9101+ 9102+ 9103+ | 9237- 9105-"},
        {"menu nodes", f(2, 0, false), "9118+ | 9101+ 9119+ 9103+ 9105+ 9120+"},
        {"softkey actions", f(3, 0, false), "9100+ 9101- 9103- 9102- 9105-"},
        {"softkey actions, selected", f(3, 0, true), "9100+ 9101+ 9103+ 9102+ 9105+"},
        {"softkey texts, selected", f(4, 0, true), "9100+ 9101+ 9103+ 9102+ 9240- 9105+"},
        {"transfer area without simulation", f(5, 0, true), "9121- 9122- 9123- | 9124+"},
        {"transfer area in simulation", with(f(5, 0, true), [](auto& x) { x.simRunning = true; }),
         "9121+ 9122- 9123- | 9124+"},
        {"user character", with(f(6, 0, true), [](auto& x) { x.defChar = x.validChar = true; }), "9101+ 9300+"},
        {"fixed character", with(f(6, 0, true), [](auto& x) { x.validChar = true; }), "9101- 9300+"},
        {"character the panel lacks", f(6, 0, true), "9101- 9300-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LvMenuText(LstContextMenu(c.facts)), c.menu);
    }
}

TEST_F(workspace_list_view, MenuFactsAreReadFromTheSelectedRowAndTheNavigator)
{
    LvWorld& w = *world;
    ASSERT_NE(w.AddIntVar("[A01]", 0x80000000u), nullptr);
    ASSERT_NE(w.AddIntVar("[A02]", 0), nullptr);
    w.ShowVars(1);
    w.SelectVar("[A01]");
    EXPECT_TRUE(w.view.MenuFacts().intVarEditable);
    w.SelectVar("[A02]");
    EXPECT_FALSE(w.view.MenuFacts().intVarEditable);

    // The template of the operator texts has a negative number.
    w.kit.AddTexts(2, {-1, 4});
    w.kit.core.OnTextList(2);
    EXPECT_EQ(w.view.GetSelRow(), 0);
    EXPECT_FALSE(w.view.MenuFacts().curNumValid);
    w.view.ItemChanged(1);
    EXPECT_TRUE(w.view.MenuFacts().curNumValid);
}

TEST_F(workspace_list_view, VariableLabelsPassTheNameFilter)
{
    struct Case {
        const char32_t* typed;
        const char* name;
        const char* box;
    };
    const Case cases[] = {
        {U"Motor.1", "Motor", nullptr},
        {U".x", "Alt", nullptr},
        {U"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP", nullptr},
        {U"a\u00A7b", "a", nullptr},
        {U"\u20ACx", "Alt", nullptr},
        // Only what a project source holds in a name: a blank or an accent
        // would make the saved project fail to load.
        {U"Neu Name", "Neu", nullptr},
        {U"Caf\u00E9", "Caf", nullptr},
        {U"M\u00FCller_[2]", "M\x81ller_", nullptr},
        {U"Alt", "Alt", nullptr},
        {U"Belegt", "Alt", "Variablen-Name schon vergeben: Belegt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        LvWorld& w = Fresh();
        CPrjVar* var = w.AddVar("Alt", 10);
        ASSERT_NE(w.AddVar("Belegt", 11), nullptr);
        w.ShowVars(0);
        w.SelectVar("Alt");
        ASSERT_TRUE(w.view.MayEditLabel(w.view.GetSelRow()));
        const uint16_t mods = w.kit.ModCount();
        w.kit.journal.clear();
        w.view.EndLabelEdit(c.typed);
        EXPECT_EQ(var->GetName(), c.name);
        const bool renamed = std::string(c.name) != "Alt";
        EXPECT_EQ(w.kit.ModCount(), renamed ? mods + 1 : mods);
        // The display editor shows the new name on the variable's box.
        const bool redrawn = std::find(w.kit.journal.begin(), w.kit.journal.end(), "dc RedrawParts 3") != w.kit.journal.end();
        EXPECT_EQ(redrawn, renamed);
        EXPECT_EQ(w.RowOf(c.name) >= 0, true);
        EXPECT_EQ(w.kit.Boxes(), c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
    }
}

TEST_F(workspace_list_view, InternalVariablesAndDriverCodesKeepTheirLabels)
{
    LvWorld& w = *world;
    ASSERT_NE(w.AddIntVar("[A01]", 0x80000000u), nullptr);
    w.AddDrvCode("AB");
    w.ShowVars(1);
    ASSERT_GT(w.view.Table().GetRowCount(), 0);
    EXPECT_FALSE(w.view.MayEditLabel(0));
    w.ShowVars(2);
    ASSERT_GT(w.view.Table().GetRowCount(), 0);
    EXPECT_FALSE(w.view.MayEditLabel(0));
    // Even a label edit that reaches the view renames nothing.
    w.view.SelectRow(0);
    const std::string code = w.view.Table().Text(0, 0);
    w.view.EndLabelEdit(U"Motor");
    EXPECT_FALSE(w.HasVar("Motor"));
    EXPECT_EQ(w.view.Table().Text(0, 0), code);
}

TEST_F(workspace_list_view, TextLabelsRenumberOnlyByLeadingDigits)
{
    struct Case {
        const char32_t* typed;
        std::vector<int32_t> nums;
    };
    const Case cases[] = {
        {U"12abc", {7, 12}},
        {U"abc", {5, 7}},
        {U"5", {5, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.nums));
        LvWorld& w = Fresh();
        w.kit.AddTexts(2, {5, 7});
        w.kit.core.OnTextList(2);
        ASSERT_EQ(w.view.GetSelRow(), 0);
        ASSERT_TRUE(w.view.MayEditLabel(0));
        w.view.EndLabelEdit(c.typed);
        EXPECT_EQ(w.kit.Nums(2), c.nums);
        EXPECT_EQ(w.view.GetListMode(), IViewLst::kModeTexts);
        EXPECT_EQ(w.view.Table().GetRowCount(), 2);
    }
}

TEST_F(workspace_list_view, SoftkeyLabelsReachTheProvidersRenumber)
{
    struct Case {
        const char* name;
        int mode;
        std::function<void(CPrjData&)> add;
        std::function<std::vector<int32_t>(CPrjData&)> nums;
    };
    const auto numsOf = [](const auto& list) {
        std::vector<int32_t> nums;
        for (int i = 0; i < list.GetCount(); ++i)
            nums.push_back(list.ItemAt(i)->GetNum());
        return nums;
    };
    const Case cases[] = {
        {"softkey actions", IViewLst::kModeSkActions,
         [](CPrjData& prj) {
             for (int32_t n : {1, 2})
                 prj.GetSkActList()->Adopt(std::make_unique<CPrjSkAct>(n, "A"));
         },
         [&](CPrjData& prj) { return numsOf(*prj.GetSkActList()); }},
        {"softkey texts", IViewLst::kModeSkTexts,
         [](CPrjData& prj) {
             for (int32_t n : {1, 2})
                 prj.GetSkTxtList()->Adopt(std::make_unique<CPrjSkTxt>(n));
         },
         [&](CPrjData& prj) { return numsOf(*prj.GetSkTxtList()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LvWorld& w = Fresh();
        c.add(w.Prj());
        w.kit.core.OnListMode(c.mode);
        w.view.SelectRow(0);
        ASSERT_TRUE(w.view.MayEditLabel(0));
        w.view.EndLabelEdit(U"abc");
        EXPECT_EQ(c.nums(w.Prj()), (std::vector<int32_t>{1, 2}));
        w.view.SelectRow(0);
        w.view.EndLabelEdit(U"9x");
        EXPECT_EQ(c.nums(w.Prj()), (std::vector<int32_t>{2, 9}));
    }
}

TEST_F(workspace_list_view, DragsCarryVariablesAndShowableCharacters)
{
    LvWorld& w = *world;
    ASSERT_NE(w.AddVar("Alt", 10), nullptr);
    ASSERT_NE(w.AddIntVar("[A01]", 0), nullptr);
    w.AddDrvCode("AB");
    const CStartSel& sel = w.kit.core.GetStartSel();
    int valid = -1;
    int invalid = -1;
    for (int code = 1; code < 128; ++code) {
        int& first = sel.IsValidChar(code) ? valid : invalid;
        if (first < 0)
            first = code;
    }
    ASSERT_GE(valid, 0);
    ASSERT_GE(invalid, 0);

    struct Case {
        const char* name;
        std::function<void()> show;
        int row;
        LstDrag drag;
    };
    const auto vars = [&w](int kind) { return [&w, kind] { w.ShowVars(kind); }; };
    const auto chars = [&w] { w.kit.core.OnListMode(IViewLst::kModeChars); };
    // No drag without a current text.
    w.ShowVars(0);
    EXPECT_EQ(w.view.DragOf(w.RowOf("Alt")), LstDrag{});

    w.kit.AddTexts(2, {1});
    w.kit.Open(2);
    const Case cases[] = {
        {"external variable", vars(0), -1, {LstDrag::Kind::Var, w.Vars().IndexOf(w.Vars().FindByName("Alt"))}},
        {"internal variable", vars(1), -2, {LstDrag::Kind::Var, w.Vars().IndexOf(w.Vars().FindByName("[A01]"))}},
        {"driver code", vars(2), 0, {}},
        {"showable character", chars, valid, {LstDrag::Kind::Chr, valid}},
        {"character the panel lacks", chars, invalid, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.show();
        const int row = c.row == -1 ? w.RowOf("Alt") : c.row == -2 ? w.RowOf("[A01]") : c.row;
        EXPECT_EQ(w.view.DragOf(row), c.drag);
    }
}

TEST_F(workspace_list_view, NewVariableHandsTheDialogABitVariableAndFreesIt)
{
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        LvWorld& w = Fresh();
        ASSERT_NE(w.AddVar("001", 10), nullptr);
        w.ShowVars(0);
        const int rows = w.view.Table().GetRowCount();
        w.kit.dialogs.answerOk = ok;
        std::string handed;
        w.kit.dialogs.onVar = [&](const CPrjVar& var, int mode) {
            handed = var.GetName() + " type " + std::to_string(var.GetType()) + " bit " +
                     std::to_string(var.GetExtByte0()) + " setp " + std::to_string(var.GetSetpKind()) + " adr " +
                     std::to_string(var.GetAdr()) + " mode " + std::to_string(mode);
            // The dialog inserts a variable of its own on OK.
            if (ok) {
                ASSERT_GE(w.Prj().InsVar(var.Clone(var.GetName()).release()), 0);
            }
        };
        w.view.RunCommand(lstcmd::kNew);
        EXPECT_EQ(handed, "002 type 12 bit 2 setp 2 adr " + std::to_string(w.kit.fw.sps.GetFreeItemNo()) + " mode 1");
        EXPECT_EQ(w.HasVar("002"), ok);
        EXPECT_EQ(w.view.Table().GetRowCount(), ok ? rows + 1 : rows);
    }
}

TEST_F(workspace_list_view, RenameAndRenumberStartTheLabelEditor)
{
    LvWorld& w = *world;
    ASSERT_NE(w.AddVar("Alt", 10), nullptr);
    w.ShowVars(0);
    w.view.RunCommand(lstcmd::kRename);
    EXPECT_TRUE(w.view.labelEdits.empty()) << "no row selected";
    w.SelectVar("Alt");
    const int altRow = w.view.GetSelRow();
    w.view.RunCommand(lstcmd::kRename);
    w.Prj().GetSkActList()->Adopt(std::make_unique<CPrjSkAct>(1, "A"));
    w.kit.core.OnListMode(IViewLst::kModeSkActions);
    w.view.SelectRow(0);
    w.view.RunCommand(lstcmd::kRenumber);
    EXPECT_EQ(w.view.labelEdits, (std::vector<int>{altRow, 0}));
}

TEST_F(workspace_list_view, CopyTakesTheNextFreeCopyName)
{
    LvWorld& w = *world;
    for (const char* name : {"Alt", "Kopie_001", "Kopie_002"})
        ASSERT_NE(w.AddVar(name, 10), nullptr);
    w.ShowVars(0);
    w.SelectVar("Alt");
    const uint16_t mods = w.kit.ModCount();
    w.view.RunCommand(lstcmd::kCopy);
    const CPrjVar* copy = w.Vars().FindByName(std::string_view("Kopie_003"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetAdr(), 10);
    EXPECT_GE(w.RowOf("Kopie_003"), 0);
    EXPECT_EQ(w.kit.ModCount(), mods + 1);
}

TEST_F(workspace_list_view, DeleteRefusesAUsedVariable)
{
    LvWorld& w = *world;
    CPrjVar* used = w.AddVar("Belegt", 10);
    ASSERT_NE(used, nullptr);
    used->IncUse();
    ASSERT_NE(w.AddVar("Frei", 11), nullptr);
    w.ShowVars(0);
    const int rows = w.view.Table().GetRowCount();
    const uint16_t mods = w.kit.ModCount();

    w.SelectVar("Belegt");
    w.view.RunCommand(lstcmd::kDelete);
    EXPECT_TRUE(w.HasVar("Belegt"));
    EXPECT_EQ(w.kit.Boxes(), std::vector<std::string>{"Diese Variable wird in mind. einem Text verwendet, und kann "
                                                      "daher nicht gel\xF6scht werden"});
    EXPECT_EQ(w.kit.ModCount(), mods);

    w.SelectVar("Frei");
    w.view.RunCommand(lstcmd::kDelete);
    EXPECT_FALSE(w.HasVar("Frei"));
    EXPECT_EQ(w.view.Table().GetRowCount(), rows - 1);
    EXPECT_EQ(w.RowOf("Frei"), -1);
    EXPECT_EQ(w.kit.ModCount(), mods + 1);
}

TEST_F(workspace_list_view, EditVariableByKind)
{
    LvWorld& w = *world;
    ASSERT_NE(w.AddIntVar("[A01]", 0), nullptr);
    ASSERT_NE(w.AddIntVar("[A02]", 0x80000000u), nullptr);
    w.AddDrvCode("AB");
    w.ShowVars(1);
    w.SelectVar("[A01]");
    w.view.EditVar();
    EXPECT_EQ(w.kit.Boxes(), std::vector<std::string>{"Diese interne Variable kann nicht editiert werden"});
    EXPECT_TRUE(w.kit.dialogs.runs.empty());
    w.SelectVar("[A02]");
    w.view.EditVar();
    EXPECT_EQ(w.kit.dialogs.runs, std::vector<std::string>{"var [A02] 0"});

    w.ShowVars(2);
    w.view.SelectRow(0);
    w.view.EditVar();
    EXPECT_EQ(w.kit.dialogs.runs.back(), "drvvar 0");
}

TEST_F(workspace_list_view, ChangeValueWritesTheSimulatedWord)
{
    struct Case {
        const char* name;
        std::optional<uint16_t> answer;
        bool written;
    };
    const Case cases[] = {{"changed", 77, true}, {"unchanged", 5, false}, {"cancelled", std::nullopt, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LvWorld& w = Fresh();
        CDrvParItem& item = *w.kit.fw.sps.GetItems().ItemAt(1);
        item.SetSimFmt(4);
        item.SetValue(5);
        w.view.sim = true;
        w.kit.core.OnListMode(IViewLst::kModePlcArea);
        w.view.SelectRow(1);
        w.kit.dialogs.values.push_back(c.answer);
        w.view.RunCommand(lstcmd::kChangeValue);
        EXPECT_EQ(w.kit.dialogs.runs.size(), 1u);
        if (c.written) {
            EXPECT_EQ(w.view.simWrites, (std::vector<std::pair<uint16_t, uint16_t>>{{item.GetNumber(), 77}}));
            EXPECT_EQ(item.GetValue(), 77);
            EXPECT_EQ(w.view.Table().Text(1, 2), "77");
        } else {
            EXPECT_TRUE(w.view.simWrites.empty());
            EXPECT_EQ(item.GetValue(), 5);
        }
    }
    // Without a simulation the command is greyed and runs nothing.
    LvWorld& w = Fresh();
    w.kit.core.OnListMode(IViewLst::kModePlcArea);
    w.view.SelectRow(0);
    w.view.RunCommand(lstcmd::kChangeValue);
    EXPECT_TRUE(w.kit.dialogs.runs.empty());
}

TEST_F(workspace_list_view, DoubleClickActsByMode)
{
    struct Case {
        const char* name;
        int mode;
        int row;
        std::vector<std::string> runs;
        std::vector<std::string> journal;
    };
    const Case cases[] = {
        {"variables", IViewLst::kModeVars, 0, {"var Alt 0"}, {}},
        {"texts", IViewLst::kModeTexts, 0, {}, {}},
        {"transfer area", IViewLst::kModePlcArea, 0, {}, {}},
        {"characters", IViewLst::kModeChars, 65, {}, {"dc InsChrAtCaret 65"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LvWorld& w = Fresh();
        ASSERT_NE(w.AddVar("Alt", 10), nullptr);
        w.kit.AddTexts(2, {1, 2});
        if (c.mode == IViewLst::kModeVars)
            w.ShowVars(0);
        else if (c.mode == IViewLst::kModeTexts)
            w.kit.core.OnTextList(2);
        else
            w.kit.core.OnListMode(c.mode);
        w.kit.journal.clear();
        const uint16_t mods = w.kit.ModCount();
        w.view.DoubleClick(c.row);
        EXPECT_EQ(w.view.GetSelRow(), c.row);
        EXPECT_EQ(w.kit.dialogs.runs, c.runs);
        EXPECT_EQ(w.kit.journal, c.journal);
        EXPECT_EQ(w.kit.ModCount(), mods);
    }
}

TEST_F(workspace_list_view, ItemChangeActivatesTheTextOrShowsTheCode)
{
    LvWorld& w = *world;
    w.kit.AddTexts(2, {1, 2, 3});
    w.kit.core.OnTextList(2);
    w.kit.journal.clear();
    w.view.ItemChanged(2);
    EXPECT_EQ(w.kit.Nav()->GetActiveIdx(), 2);

    w.kit.core.OnListMode(IViewLst::kModeChars);
    w.view.ItemChanged(65);
    EXPECT_EQ(w.kit.LastStatus(), "Dec 65, Hex 41");
}

TEST_F(workspace_list_view, HelpPageAndActivation)
{
    LvWorld& w = *world;
    for (int mode = 0; mode < CViewLstCore::kModeCount; ++mode) {
        w.view.SetListMode(mode);
        EXPECT_EQ(w.view.HelpPage(), mode == IViewLst::kModePlcArea ? 1 : 0) << mode;
    }
    w.kit.journal.clear();
    w.view.Activated();
    EXPECT_EQ(w.kit.journal, (std::vector<std::string>{"dc SavTxtRows", "dc RstTxtRows"}));
}

} // namespace
} // namespace orv
