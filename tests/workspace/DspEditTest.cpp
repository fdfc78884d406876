#include "DspKit.h"
#include "NavKit.h"

#include "model/core/FrameState.h"
#include "model/project/NumList.h"
#include "workspace/DspFrameHost.h"
#include "workspace/ObjNav.h"
#include "model/project/CharSet.h"
#include "model/project/PrjVar.h"
#include "model/project/TxtRow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace orv {

namespace {

const std::string kMsgNoDrop = "Variable kann hier nicht gedropped werden.";
const std::string kMsgOverVar = "Variable kann nicht \xFC" "ber andere Variable geschoben werden";
const std::string kMsgOneAscii = "Nur 1 ASCII-Variable pro Zeile erlaubt";

class workspace_dsp_edit : public ::testing::Test {
protected:
    std::string F(int width) const { return kit.F(width); }
    std::string OpRow1() const { return "AB  " + F(3) + "CD   " + F(6) + " " + F(1); }
    void Caret(int row, int col) { kit.Caret(row, col); }
    void Type(const std::string& text) { kit.Type(text); }
    void Click(int row, int col) { kit.Click(row, col); }
    void MoveTo(int row, int col) { kit.MoveTo(row, col); }
    void DropVar(const char* name, int row, int col) { kit.DropVar(name, row, col); }
    std::vector<std::string> Boxes() const { return kit.fx.ui.TextsOf(UiCall::Kind::Box); }

    DspKit kit;
};

TEST_F(workspace_dsp_edit, RowsAreLoadedPaddedAndSavedWithoutTrailingBlankRows)
{
    kit.Show(kit.op, 2, 4);
    EXPECT_EQ(4, kit.op->GetRowCount());
    ASSERT_NE(nullptr, kit.op->GetRow(4));
    EXPECT_EQ(kit.op->GetRow(1), kit.edit.RowObject(1));
    EXPECT_EQ(OpRow1() + std::string(20, ' '), kit.edit.RowText(1));
    EXPECT_EQ(std::string(40, ' '), kit.edit.RowText(4));
    EXPECT_EQ("", kit.edit.RowText(5));

    Caret(3, 2);
    Type("x");
    kit.edit.SavTxtRows();
    EXPECT_EQ(3, kit.op->GetRowCount());
    EXPECT_EQ(" x", kit.op->GetRow(3)->GetText());
    EXPECT_EQ("", kit.op->GetRow(2)->GetText());
    EXPECT_EQ(OpRow1(), kit.op->GetRow(1)->GetText());
    // The widths every variable may take follow the rows as saved.
    EXPECT_EQ(kit.Var("Tmp")->GetWidth() + 0, 3);
    EXPECT_GE(kit.Var("Tmp")->GetMaxWidth(), 3);

    CPrjOpTxt blank{9};
    blank.SetRowCount(2);
    kit.Show(&blank, 2, 4);
    kit.edit.SavTxtRows();
    EXPECT_EQ(0, blank.GetRowCount());
    kit.edit.Unload();
}

TEST_F(workspace_dsp_edit, KeysMoveTheCaretPageAndDelete)
{
    struct Case {
        const char* name;
        bool recipe;
        int page;
        int row;
        int col;
        const char* typed;
        std::vector<DspKey> keys;
        int wantPage;
        int wantRow;
        int wantCol;
        int checkRow;        // absolute row whose text is checked, 0 none
        std::string wantText;
    };
    const std::string row1 = "AB  " + F(3) + "CD   " + F(6) + " " + F(1);
    const Case cases[] = {
        {"Right jumps over a variable", false, 1, 1, 4, "", {DspKey::Right}, 1, 1, 8, 0, ""},
        {"Left jumps over it back", false, 1, 1, 8, "", {DspKey::Left}, 1, 1, 4, 0, ""},
        {"Right before a variable in the last column stays", false, 1, 1, 19, "", {DspKey::Right}, 1, 1, 19, 0, ""},
        {"Down on an operator text's last row", false, 1, 4, 3, "", {DspKey::Down}, 1, 4, 3, 0, ""},
        {"Down on the last row of the last page", true, 8, 4, 3, "", {DspKey::Down}, 8, 4, 3, 0, ""},
        {"Down on the last row of page 1", true, 1, 4, 3, "", {DspKey::Down}, 2, 1, 1, 0, ""},
        {"Up at row 1 of page 2", true, 2, 1, 5, "", {DspKey::Up}, 1, 1, 1, 0, ""},
        {"Backspace at column 1", false, 1, 1, 1, "", {DspKey::Backspace}, 1, 1, 1, 1, row1},
        {"Backspace on page 2", true, 2, 1, 1, "XY", {DspKey::Backspace}, 2, 1, 2, 5, "X"},
        {"End and Home", false, 1, 2, 3, "", {DspKey::End}, 1, 2, 20, 0, ""},
        {"Home", false, 1, 2, 9, "", {DspKey::Home}, 1, 2, 1, 0, ""},
        {"Enter", false, 1, 2, 9, "", {DspKey::Enter}, 1, 3, 1, 0, ""},
        {"Esc keeps the column", false, 1, 2, 9, "", {DspKey::Esc}, 1, 0, 9, 0, ""},
        {"Delete takes the variable at the caret", false, 1, 1, 6, "", {DspKey::Delete}, 1, 1, 6, 1,
         "AB  CD   " + F(6) + " " + F(1)},
        {"Delete takes a character", false, 1, 1, 1, "", {DspKey::Delete}, 1, 1, 1, 1,
         "B  " + F(3) + "CD   " + F(6) + " " + F(1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.recipe)
            kit.Show(kit.rcp, 6, 32);
        else
            kit.Show(kit.op, 2, 4);
        kit.edit.SetPage(c.page);
        Caret(c.row, 1);
        if (c.name == std::string("Delete takes the variable at the caret")) {
            Click(c.row, c.col);
            kit.edit.OnLButtonUp();
        } else {
            while (kit.edit.CaretCol() < c.col)
                kit.edit.OnKey(DspKey::Right, false);
        }
        ASSERT_EQ(c.col, kit.edit.CaretCol());
        Type(c.typed);
        for (DspKey key : c.keys)
            kit.edit.OnKey(key, false);
        EXPECT_EQ(c.wantPage, kit.edit.Page());
        EXPECT_EQ(c.wantRow, kit.edit.CaretRow());
        EXPECT_EQ(c.wantCol, kit.edit.CaretCol());
        if (c.checkRow > 0) {
            EXPECT_EQ(c.wantText, kit.Row(c.checkRow));
        }
        kit.edit.Unload();
        kit.op->GetRow(1)->SetText(row1);
    }
}

TEST_F(workspace_dsp_edit, TypedCharactersByModeAndCode)
{
    kit.Show(kit.op, 2, 4);
    // Overwrite at the last column replaces it and the caret stays.
    Caret(2, 1);
    kit.edit.OnKey(DspKey::End, false);
    Type("Z");
    EXPECT_EQ(std::string(19, ' ') + "Z", kit.Row(2));
    EXPECT_EQ(20, kit.edit.CaretCol());

    // Insert mode on a full row.
    Caret(3, 1);
    Type("abcdefghijklmnopqrst");
    kit.fx.frame.SetInsertMode(true);
    kit.edit.CaretHome();
    Caret(3, 5);
    Type("!");
    EXPECT_TRUE(kit.Logged("Kein Platz mehr zum Einf\xFCgen. Col=5"));
    EXPECT_EQ("abcdefghijklmnopqrst", kit.Row(3));
    kit.fx.frame.SetInsertMode(false);

    // What code page 437 cannot hold, and what the panel refuses.
    Caret(4, 1);
    kit.edit.OnChar(0x20AC, std::nullopt);
    kit.edit.OnChar(0x7F, 0x7F);
    kit.edit.OnChar(0x0A, 0x0A);
    EXPECT_TRUE(kit.Logged("illegal character for this console. code=8364"));
    EXPECT_TRUE(kit.Logged("illegal character for this console. code=127"));
    EXPECT_EQ("", kit.Row(4));
    EXPECT_EQ(1, kit.edit.CaretCol());

    // Ctrl+F3 puts user character 10, except on the 706 set.
    kit.edit.OnKey(DspKey::F3, true);
    EXPECT_EQ("\x0A", kit.Row(4));
    kit.host.dev = Dsp706Record();
    kit.fx.startSel.dspWidth = 40;
    kit.edit.CaretHome();
    kit.edit.OnKey(DspKey::F3, true);
    EXPECT_EQ("\x0A", kit.Row(4).substr(0, 1));
    EXPECT_EQ(1, kit.edit.CaretCol());
    EXPECT_TRUE(kit.Logged("Strg-key pressed"));
}

TEST_F(workspace_dsp_edit, DroppedVariablesMustFitAndMustNotLandOnAnother)
{
    kit.Show(kit.op, 2, 4);
    DropVar("Pos", 2, 16);
    EXPECT_TRUE(kit.Logged(kMsgNoDrop));
    EXPECT_EQ("", kit.Row(2));
    DropVar("Pos", 2, 15);
    EXPECT_EQ(std::string(14, ' ') + F(6), kit.Row(2));
    EXPECT_EQ(kit.Var("Pos"), kit.op->GetRow(2)->GetVarSlot(0).var);
    EXPECT_EQ(14, kit.op->GetRow(2)->GetVarSlot(0).col);

    kit.fx.ui.ClearCalls();
    DropVar("Lvl", 1, 6);
    const std::vector<std::string> logs = kit.Logs();
    EXPECT_EQ(1, std::count(logs.begin(), logs.end(), kMsgNoDrop));
    EXPECT_EQ(OpRow1(), kit.Row(1));

    // A refusal of the row rules shows its message, then the trace.
    kit.fx.ui.ClearCalls();
    DropVar("Name", 3, 1);
    DropVar("Name", 1, 10);
    EXPECT_EQ(std::vector<std::string>{kMsgOneAscii}, Boxes());
    const auto& calls = kit.fx.ui.Calls();
    const auto box = std::find_if(calls.begin(), calls.end(), [](const UiCall& c) { return c.kind == UiCall::Kind::Box; });
    ASSERT_NE(box, calls.end());
    ASSERT_NE(box + 1, calls.end());
    EXPECT_EQ("CViewDc::DrpVar called CPrjTxtLin::VarIns which failed.", (box + 1)->text);
    EXPECT_EQ(F(5), kit.Row(3));
}

TEST_F(workspace_dsp_edit, DragsMoveAColumnAtATimeAndStopAtAnotherVariable)
{
    kit.Show(kit.op, 2, 4);
    // A character beside Pos travels round it as it moves three columns.
    Caret(1, 12);
    Type("X");
    Click(1, 18);
    ASSERT_TRUE(kit.edit.IsDragging());
    EXPECT_EQ(std::vector<const CPrjVar*>{kit.Var("Pos")}, kit.host.reported);
    MoveTo(1, 15);
    EXPECT_EQ("AB  " + F(3) + "CD" + F(6) + "  X " + F(1), kit.Row(1));
    EXPECT_EQ(15, kit.edit.CaretCol());
    kit.edit.OnLButtonUp();
    EXPECT_FALSE(kit.edit.IsDragging());

    // The first step onto another variable is refused: nothing changes.
    DropVar("Tmp", 2, 1);
    DropVar("Lvl", 2, 4);
    const std::string row2 = kit.Row(2);
    kit.fx.ui.ClearCalls();
    Click(2, 1);
    MoveTo(2, 2);
    EXPECT_EQ(std::vector<std::string>{kMsgOverVar}, Boxes());
    EXPECT_FALSE(kit.edit.IsDragging());
    EXPECT_EQ(row2, kit.Row(2));
    EXPECT_EQ(0, kit.op->GetRow(2)->GetVarSlot(0).col);
}

TEST_F(workspace_dsp_edit, ARecipeVariableDraggedToAnotherRowKeepsItsValue)
{
    kit.Show(kit.rcp, 6, 32);
    Click(1, 3);
    ASSERT_TRUE(kit.edit.IsDragging());
    MoveTo(2, 3);
    EXPECT_FALSE(kit.edit.IsDragging());
    EXPECT_EQ("S=", kit.Row(1));
    EXPECT_EQ("  " + F(3), kit.Row(2));
    ASSERT_EQ(1, kit.rcp->GetValList().GetCount());
    EXPECT_EQ(kit.Var("Set"), kit.rcp->GetValList().GetAt(0)->GetVar());
    EXPECT_EQ(77u, kit.rcp->GetValList().GetAt(0)->GetValue());
    EXPECT_EQ(2, kit.edit.CaretRow());
}

TEST_F(workspace_dsp_edit, DroppedCharactersLandOnlyInFreeCells)
{
    kit.Show(kit.op, 2, 4);
    const uint16_t before = kit.ModCount();
    kit.edit.DrpChr(kit.Geo(), 'Q', 0, 0);
    const DspPoint onVar = kit.CellPoint(1, 6);
    kit.edit.DrpChr(kit.Geo(), 'Q', onVar.x, onVar.y);
    EXPECT_EQ(OpRow1(), kit.Row(1));
    EXPECT_EQ(before, kit.ModCount());
    const DspPoint free = kit.CellPoint(2, 3);
    kit.edit.DrpChr(kit.Geo(), 'Q', free.x, free.y);
    EXPECT_EQ("  Q", kit.Row(2));
    EXPECT_NE(before, kit.ModCount());
}

TEST_F(workspace_dsp_edit, RowsBelongToTheTextTheyCameFrom)
{
    kit.Show(kit.op, 2, 4);
    Caret(2, 1);
    Type("typed");
    // The navigator was replaced by one without a text before the flush.
    kit.host.text = nullptr;
    kit.host.listType = 6;
    kit.edit.SavTxtRows();
    EXPECT_EQ("typed", kit.op->GetRow(2)->GetText());

    // A text freed after the editor let go of it is never touched again.
    auto gone = std::make_unique<CPrjOpTxt>(5);
    kit.Show(gone.get(), 2, 4);
    Caret(1, 3);
    kit.edit.Unload();
    gone.reset();
    kit.edit.OnKey(DspKey::Delete, false);
    kit.edit.OnKey(DspKey::Backspace, false);
    kit.edit.InsChrAtCaret('A');
    kit.edit.SavTxtRows();
    EXPECT_EQ("", kit.edit.RowText(1));

    // Without a caret row the commands do nothing.
    kit.Show(kit.op, 2, 4);
    Caret(1, 3);
    kit.edit.OnKey(DspKey::Esc, false);
    kit.edit.OnKey(DspKey::Delete, false);
    kit.edit.OnKey(DspKey::Backspace, false);
    kit.edit.InsChrAtCaret('A');
    EXPECT_EQ(OpRow1(), kit.Row(1));

    // A click on the display's left edge, which rounds to column 0.
    const CDspGeometry geo = kit.Geo();
    kit.edit.OnLButtonDown(geo, static_cast<int>(geo.OrgX()), kit.CellPoint(2, 1).y);
    EXPECT_EQ(2, kit.edit.CaretRow());
    EXPECT_EQ(1, kit.edit.CaretCol());
}

TEST(workspace_dsp_edit_marks, EveryChangeMarksTheProjectAndNoRefusalDoes)
{
    struct Case {
        const char* name;
        std::function<void(DspKit&)> act;
        bool modifies;
    };
    const Case cases[] = {
        {"typed character", [](DspKit& k) { k.Caret(2, 1); k.Type("a"); }, true},
        {"refused character", [](DspKit& k) { k.Click(1, 6); k.edit.OnLButtonUp(); k.Type("a"); }, false},
        {"Delete", [](DspKit& k) { k.Caret(1, 1); k.edit.OnKey(DspKey::Delete, false); }, true},
        {"Delete without a caret", [](DspKit& k) { k.edit.OnKey(DspKey::Delete, false); }, false},
        {"Backspace", [](DspKit& k) { k.Caret(1, 2); k.edit.OnKey(DspKey::Backspace, false); }, true},
        {"Backspace at column 1", [](DspKit& k) { k.Caret(1, 1); k.edit.OnKey(DspKey::Backspace, false); }, false},
        {"dropped variable", [](DspKit& k) { k.DropVar("Tmp", 3, 1); }, true},
        {"refused variable", [](DspKit& k) { k.DropVar("Pos", 3, 16); }, false},
        {"dropped character", [](DspKit& k) { k.DropChr('c', 3, 3); }, true},
        {"character onto a variable", [](DspKit& k) { k.DropChr('c', 1, 5); }, false},
        {"drag step", [](DspKit& k) { k.Click(1, 5); k.MoveTo(1, 6); }, true},
        {"refused drag step", [](DspKit& k) { k.DropVar("Tmp", 2, 1); k.DropVar("Lvl", 2, 4); k.Prj().SetModified(false); k.Click(2, 1); k.MoveTo(2, 2); }, false},
        {"variable dragged to another row", [](DspKit& k) { k.Click(1, 5); k.MoveTo(2, 5); }, true},
        {"copied row", [](DspKit& k) { k.host.copyRowAnswer = 3; k.Caret(1, 1); k.edit.OnMenuCommand(CDspEdit::kCmdCopyRow); }, true},
        {"refused row copy", [](DspKit& k) { k.host.copyRowAnswer = 0; k.Caret(1, 1); k.edit.OnMenuCommand(CDspEdit::kCmdCopyRow); }, false},
        {"cancelled row copy", [](DspKit& k) { k.Caret(1, 1); k.edit.OnMenuCommand(CDspEdit::kCmdCopyRow); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DspKit kit;
        kit.Show(kit.op, 2, 4);
        kit.Prj().SetModified(false);
        c.act(kit);
        EXPECT_EQ(c.modifies, kit.ModCount() != 0);
    }
}

TEST_F(workspace_dsp_edit, CopyOfTheTextIsMadeOfTheTypedRows)
{
    kit.Show(kit.rcp, 6, 32);
    Caret(3, 1);
    Type("new");
    kit.host.commands.clear();
    kit.edit.CopyCurTxt();
    EXPECT_EQ(std::vector<int>{CDspEdit::kCmdCopyText}, kit.host.commands);
    ASSERT_NE(nullptr, kit.rcp->GetRow(3));
    EXPECT_EQ("new", kit.rcp->GetRow(3)->GetText());
}

TEST_F(workspace_dsp_edit, CopiedRowHoldsTheTypingAndIsTheEditRowsNewObject)
{
    kit.Show(kit.op, 2, 4);
    Caret(1, 10);
    Type("Z");
    kit.host.copyRowAnswer = 3;
    kit.edit.OnMenuCommand(CDspEdit::kCmdCopyRow);
    const CPrjTxtRow* copy = kit.op->GetRow(3);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ("AB  " + F(3) + "CDZ  " + F(6) + " " + F(1), copy->GetText());
    EXPECT_EQ(copy, kit.edit.RowObject(3));
    EXPECT_EQ(3, copy->GetFilledCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(kit.op->GetRow(1)->GetVarSlot(i).col, copy->GetVarSlot(i).col) << i;
    EXPECT_EQ(kit.Row(1), kit.Row(3));

    struct Case {
        int number;
    };
    for (const Case c : {Case{0}, Case{33}, Case{5}}) {
        SCOPED_TRACE(c.number);
        kit.fx.ui.ClearCalls();
        kit.host.copyRowAnswer = c.number;
        kit.edit.OnMenuCommand(CDspEdit::kCmdCopyRow);
        EXPECT_EQ(std::vector<int>{15031}, kit.fx.ui.BoxIds());
        EXPECT_EQ(std::vector<std::string>{"Eingabewert mu\xDF zwischen 1 und 4 liegen !"}, Boxes());
    }
}

TEST_F(workspace_dsp_edit, ContextMenuItemsFollowTheCaret)
{
    using M = CDspEdit;
    const std::vector<DspMenuItem> noCaret = {{M::kCmdNewText}, {M::kCmdEdit}, {0}, {M::kCmdCopyText},
                                              {M::kCmdDelText}, {M::kCmdRenumber}, {0}, {M::kCmdNextText},
                                              {M::kCmdPrevText}};
    auto inRow = [](bool onVar, bool form) {
        return std::vector<DspMenuItem>{{M::kCmdInsVar},       {M::kCmdDelVar, onVar}, {M::kCmdInsChr, false},
                                        {0},                   {M::kCmdCopyRow},       {M::kCmdInsRow, false},
                                        {M::kCmdDelRow, false}, {M::kCmdCenterRow, false}, {0},
                                        {M::kCmdForm, form},   {0},                    {M::kCmdNextText},
                                        {M::kCmdPrevText}};
    };
    struct Case {
        const char* name;
        bool recipe;
        int row;
        int col;
        std::vector<DspMenuItem> items;
    };
    const Case cases[] = {
        {"no caret", false, 0, 0, noCaret},
        {"caret in a row", false, 1, 2, inRow(false, false)},
        {"caret on a variable", false, 1, 6, inRow(true, false)},
        {"recipe text", true, 2, 2, inRow(false, true)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        kit.edit.Unload();
        if (c.recipe)
            kit.Show(kit.rcp, 6, 32);
        else
            kit.Show(kit.op, 2, 4);
        if (c.row > 0)
            Click(c.row, c.col);
        kit.edit.OnLButtonUp();
        EXPECT_EQ(c.items, kit.edit.MenuItems());
    }
    kit.edit.Unload();
    EXPECT_TRUE(kit.edit.MenuItems().empty());
    kit.Show(kit.op, 2, 4);
    kit.edit.OnMenuCommand(M::kCmdInsVar);
    kit.edit.OnMenuCommand(M::kCmdForm);
    EXPECT_EQ((std::vector<int>{M::kCmdInsVar, M::kCmdForm}), kit.host.commands);
}

} // namespace

} // namespace orv

namespace orv {

namespace {

// The editor bound to a frame core and its real navigators.
class workspace_dsp_edit_frame : public ::testing::Test {
protected:
    workspace_dsp_edit_frame()
    {
        kit.core.SetViewDc(&edit);
        kit.fw.ui.ClearCalls();
    }
    ~workspace_dsp_edit_frame() override { kit.core.SetViewDc(nullptr); }

    NavKit kit;
    CDspFrameHost host{kit.core};
    CDspEdit edit{host};
};

TEST_F(workspace_dsp_edit_frame, CopiesOfRecipeTextsTakeTheirRangeAndTheTyping)
{
    kit.AddTexts(6, {1, 2});
    kit.Open(6, 0);
    ASSERT_EQ(kit.Nav()->GetCurrent(), edit.LoadedText());
    edit.CaretHome();
    edit.OnChar('Q', 'Q');
    edit.CopyCurTxt();
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), kit.Nums(6));
    EXPECT_EQ("Q1", kit.List(6).ItemAt(2)->GetRow(1)->GetText());
    kit.Open(6, 1);
    edit.CopyCurTxt();
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 4}), kit.Nums(6));
}

TEST_F(workspace_dsp_edit_frame, MenuCommandsReachTheListViewAndTheCopyDialog)
{
    kit.AddTexts(2, {1});
    kit.Open(2, 0);
    edit.OnMenuCommand(CDspEdit::kCmdInsVar);
    EXPECT_NE(std::find(kit.journal.begin(), kit.journal.end(), "lst SetVarProvider 0"), kit.journal.end());
    edit.OnMenuCommand(CDspEdit::kCmdInsChr);
    EXPECT_NE(std::find(kit.journal.begin(), kit.journal.end(), "lst SetListMode 6"), kit.journal.end());

    // "Zeile kopieren": the renumber dialog in mode 2, its target the row.
    edit.CaretHome();
    kit.dialogs.renumbers.push_back(CDlgRunner::RenumberNums{0, 0, 2});
    edit.OnMenuCommand(CDspEdit::kCmdCopyRow);
    EXPECT_EQ(std::vector<std::string>{"renumber 2 -"}, kit.dialogs.runs);
    ASSERT_NE(nullptr, kit.List(2).ItemAt(0)->GetRow(2));
    EXPECT_EQ("T1", kit.List(2).ItemAt(0)->GetRow(2)->GetText());
    EXPECT_EQ(kit.List(2).ItemAt(0)->GetRow(2), edit.RowObject(2));
}

TEST_F(workspace_dsp_edit_frame, TypingStaysWithItsTextAcrossListChanges)
{
    kit.AddTexts(2, {1});
    kit.Open(2, 0);
    edit.CaretHome();
    edit.OnChar('Z', 'Z');
    kit.core.SetListType(6, 0);
    EXPECT_EQ("Z1", kit.List(2).ItemAt(0)->GetRow(1)->GetText());
    // The project goes: the editor lets go of its rows.
    kit.core.ResetViews();
    EXPECT_EQ(nullptr, edit.LoadedText());
    edit.OnKey(DspKey::Delete, false);
    edit.InsChrAtCaret('A');
    EXPECT_EQ("", edit.RowText(1));
}

} // namespace

} // namespace orv
