#include "NavKit.h"

#include "model/core/CatalogueIds.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/SpsPar.h"
#include "workspace/LstProv.h"
#include "workspace/ObjNav.h"

#include <gtest/gtest.h>

#include <functional>

namespace orv {
namespace {

using ProvTexts = std::vector<std::string>;

class workspace_list_providers : public testing::Test {
protected:
    // The texts of a column, row by row.
    ProvTexts ColumnTexts(int column) const
    {
        ProvTexts texts;
        for (int r = 0; r < table.GetRowCount(); ++r)
            texts.push_back(table.Text(r, column));
        return texts;
    }
    ProvTexts Labels() const { return ColumnTexts(0); }
    ProvTexts RowTexts(int row) const
    {
        ProvTexts texts;
        for (const LstCell& cell : table.Row(row).cells)
            texts.push_back(cell.text);
        return texts;
    }
    CPrjMnu& AddMenu()
    {
        auto menu = std::make_unique<CPrjMnu>(1, "Haupt", 0);
        CPrjMnu* raw = menu.get();
        EXPECT_GE(kit.fw.prj.InsMnu(raw), 0);
        menu.release();
        return *raw;
    }
    CPrjMnuNode* AddNode(CPrjMnu& menu, uint8_t num, uint8_t left = 0, uint8_t right = 0, uint8_t start = 0)
    {
        auto node = std::make_unique<CPrjMnuNode>(num, left, right, 0, 0, FirstOpTxt(), start);
        if (!menu.InsNode(node.get()))
            return nullptr;
        return node.release();
    }
    CPrjOpTxt* FirstOpTxt() const
    {
        const CPrjOpTxtList& texts = *kit.fw.prj.GetOpTxtList();
        return texts.GetCount() > 0 ? texts.OpTxtAt(0) : nullptr;
    }
    CPrjSkAct* AddAct(int32_t num)
    {
        return kit.fw.prj.GetSkActList()->Adopt(std::make_unique<CPrjSkAct>(num, "A"));
    }
    CPrjSkTxt* AddSkTxt(int32_t num)
    {
        return static_cast<CPrjSkTxt*>(kit.fw.prj.GetSkTxtList()->Adopt(std::make_unique<CPrjSkTxt>(num)));
    }
    template <class List>
    static std::vector<int32_t> NumsOf(const List& list)
    {
        std::vector<int32_t> nums;
        for (int i = 0; i < list.GetCount(); ++i)
            nums.push_back(list.ItemAt(i)->GetNum());
        return nums;
    }
    std::vector<int32_t> ActNums() const { return NumsOf(*kit.fw.prj.GetSkActList()); }
    std::vector<int32_t> SkTxtNums() const { return NumsOf(*kit.fw.prj.GetSkTxtList()); }

    NavKit kit;
    CLstTable table;
};

TEST_F(workspace_list_providers, EveryProviderSetsUpItsColumns)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CLstProv>()> make;
        ProvTexts columns;
    };
    const Case cases[] = {
        {"variables", [&] { return std::make_unique<CLstProvVar>(kit.core, table, 0); },
         {"Bezeichner 150 L", "Format 80 L", "Klasse 80 L", "SPS Rel Adr 80 R", "Laenge 80 R", "Max Laenge 80 R",
          "Verwendungen 80 R"}},
        {"driver codes", [&] { return std::make_unique<CLstProvDrvCode>(kit.core, table); },
         {"Code 50 L", "Text 150 L"}},
        {"texts", [&] { return std::make_unique<CLstProvTxt>(kit.core, table); },
         {"Nummer 100 L", "1. Zeile 300 L", "2. Zeile 300 L"}},
        {"menu nodes", [&] { return std::make_unique<CLstProvMnuNode>(kit.core, table); },
         {"Knoten 100 L", "links 100 R", "rechts 100 R", "unten 100 R", "oben 100 R", "Text-Nr 100 R",
          "Start 50 L"}},
        {"softkey actions", [&] { return std::make_unique<CLstProvSkAct>(kit.core, table); },
         {"Nr 100 L", "Kommentar 300 L"}},
        {"softkey texts", [&] { return std::make_unique<CLstProvSkTxt>(kit.core, table); },
         {"Nr 50 L", "1+ 50 L", "1- 50 L", "2+ 50 L", "2- 50 L", "3+ 50 L", "3- 50 L", "4+ 50 L", "4- 50 L"}},
        {"transfer area", [&] { return std::make_unique<CLstProvWordBits>(kit.core, table); },
         {"Wort 120 L", "Kom 100 L", "15.....8 7......0 200 L", "Belegung 300 L", "Vorbelegung 100 L",
          "Darstellung 100 L"}},
        {"characters", [&] { return std::make_unique<CLstProvChr>(kit.core, table); },
         {"Chr 50 L", "Dec 50 L", "Hex 50 L"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto prov = c.make();
        prov->ActivateListProvider();
        ProvTexts columns;
        for (int i = 0; i < table.GetColumnCount(); ++i) {
            const LstColumn& col = table.Column(i);
            columns.push_back(col.header + " " + std::to_string(col.width) + " " +
                              (col.align == LstColumn::Align::Right ? "R" : "L"));
        }
        EXPECT_EQ(columns, c.columns);
        prov->Deactivate();
        EXPECT_EQ(table.GetColumnCount(), 0);
        EXPECT_EQ(table.GetRowCount(), 0);
    }
}

TEST_F(workspace_list_providers, ActivationFillsOnceAndSelectsTheActiveText)
{
    kit.AddTexts(3, {4, 5, 6});
    kit.Open(3, 1);
    kit.lst.SetListMode(IViewLst::kModeTexts);
    CLstProvTxt prov(kit.core, table);
    prov.ActivateListProvider();
    prov.ActivateListProvider();
    EXPECT_EQ(Labels(), (ProvTexts{"4", "5", "6"}));
    EXPECT_EQ(table.GetSelected(), 1);
    EXPECT_EQ(table.GetFont(), CLstTable::Font::Console);
    EXPECT_EQ(table.GetStyle(), CLstTable::Style::Report);
    // Cells of texts are the panel's bytes.
    EXPECT_EQ(table.Row(0).cells[1], PanelCell("T4"));
    prov.Deactivate();
    prov.Deactivate();
    EXPECT_FALSE(prov.IsActive());
    EXPECT_EQ(table.GetRowCount(), 0);

    // Outside text mode the selection is left alone.
    kit.lst.SetListMode(IViewLst::kModeVars);
    prov.ActivateListProvider();
    EXPECT_EQ(table.GetSelected(), -1);
}

TEST_F(workspace_list_providers, TextsShowTheTemplateAndMissingRows)
{
    CPrjNumList& list = kit.List(2);
    auto templ = std::make_unique<CPrjOpTxtRange>(0, 255);
    templ->SetRowCount(1);
    templ->SetRow(std::make_unique<CPrjTxtRow>(1, "Vorlage", nullptr));
    ASSERT_NE(list.Adopt(std::move(templ)), nullptr);
    kit.AddTexts(2, {7});
    kit.Open(2);
    CLstProvTxt prov(kit.core, table);
    prov.ActivateListProvider();
    ASSERT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(RowTexts(0), (ProvTexts{"DEF", "Vorlage", ""}));
    EXPECT_EQ(RowTexts(1), (ProvTexts{"7", "T7", ""}));
}

TEST_F(workspace_list_providers, VariablesOfAKindWithTheirIndexes)
{
    CPrjVarList& vars = *kit.fw.prj.GetVarList();
    vars.FreeAll();
    struct Case {
        const char* name;
        uint8_t type;
        uint8_t setpKind;
    };
    const Case cases[] = {{"Ist1", 2, 1}, {"Soll1", 3, 2}, {"Int1", 134, 4}, {"SollP", 4, 3}};
    for (const Case& c : cases) {
        std::unique_ptr<CPrjVar> var;
        if (c.type >= CPrjVar::kFirstIntType) {
            auto intVar = std::make_unique<CPrjIntVar>(c.name, -2, 0, c.setpKind, c.type, 0, 0);
            intVar->SetOrigName("[Z001]");
            var = std::move(intVar);
        } else {
            var = std::make_unique<CPrjVar>(c.name, -2, 0, c.setpKind, c.type);
        }
        var->SetWidth(4);
        ASSERT_GE(kit.fw.prj.InsVar(var.get()), 0);
        var.release();
    }
    CLstProvVar plc(kit.core, table, 0);
    plc.ActivateListProvider();
    ASSERT_EQ(table.GetRowCount(), 3);
    EXPECT_EQ(Labels(), (ProvTexts{"Ist1", "Soll1", "SollP"}));
    EXPECT_EQ(ColumnTexts(2), (ProvTexts{"Ist", "Soll", "Soll-P"}));
    // The word is unsigned.
    EXPECT_EQ(ColumnTexts(3), (ProvTexts{"65534", "65534", "65534"}));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(vars.VarAt(table.RowToIndex(r))->GetName(), table.Text(r, 0));
    EXPECT_EQ(table.Row(0).cells[0].cp, LstCodePage::Cp437);

    vars.VarAt(table.RowToIndex(1))->IncUse();
    plc.RefreshRow(table.RowToIndex(1), 1);
    EXPECT_EQ(table.Text(1, 6), "1");
    EXPECT_EQ(table.Text(1, 0), "Soll1");
    plc.Deactivate();

    CLstProvVar internal(kit.core, table, 1);
    internal.ActivateListProvider();
    ASSERT_EQ(table.GetRowCount(), 1);
    EXPECT_EQ(RowTexts(0)[0], "[Z001]");
    EXPECT_EQ(RowTexts(0)[2], "") << "kind 4 has no name";
    EXPECT_EQ(vars.VarAt(table.RowToIndex(0))->GetName(), "Int1");
}

TEST_F(workspace_list_providers, DriverCodesShowTheirCaptions)
{
    for (const char* code : {"AA", "BZ", "XY"})
        ASSERT_TRUE(kit.fw.drv.AddPar6(new CPrjVar(code, 0, 0, 1, 32)));
    CLstProvDrvCode prov(kit.core, table);
    prov.ActivateListProvider();
    EXPECT_EQ(Labels(), (ProvTexts{"AA", "BZ", "XY"}));
    EXPECT_EQ(ColumnTexts(1), (ProvTexts{"Timeout", "BZ", ""}));
    EXPECT_EQ(table.Row(0).cells[1].cp, LstCodePage::Cp1252);
    EXPECT_EQ(table.RowToIndex(2), 2);
}

TEST_F(workspace_list_providers, MenuNodesGetTheLowestFreeNumber)
{
    kit.AddTexts(2, {3});
    CPrjMnu& menu = AddMenu();
    CLstProvMnuNode prov(kit.core, table);
    prov.SetMenu(&menu);
    for (int n = 1; n <= 254; ++n)
        ASSERT_NE(AddNode(menu, static_cast<uint8_t>(n)), nullptr);
    prov.ActivateListProvider();
    prov.OnNew();
    ASSERT_EQ(table.GetRowCount(), 255);
    EXPECT_EQ(RowTexts(254), (ProvTexts{"255", "0", "0", "0", "0", "3", "  "}));

    prov.OnNew();
    EXPECT_EQ(kit.Boxes(), (ProvTexts{"Bereits 255 Men\xFC-Knoten in diesem Men\xFC definiert"}));
    EXPECT_EQ(menu.GetSubList()->GetCount(), 255);
}

TEST_F(workspace_list_providers, AMenuNodeNeedsAnOperatorText)
{
    CPrjMnu& menu = AddMenu();
    CLstProvMnuNode prov(kit.core, table);
    prov.SetMenu(&menu);
    prov.OnNew();
    const auto boxes = kit.fw.ui.CallsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Kein Bedientext definiert");
    EXPECT_EQ(boxes[0].box, MsgKind::InternalError);
    EXPECT_EQ(menu.GetSubList()->GetCount(), 0);
}

TEST_F(workspace_list_providers, DeletingANodeClearsEveryRowsLinkToIt)
{
    kit.AddTexts(2, {0});
    CPrjMnu& menu = AddMenu();
    AddNode(menu, 1, 2, 2, 1);
    AddNode(menu, 2, 1, 3);
    AddNode(menu, 3, 2, 1);
    CLstProvMnuNode prov(kit.core, table);
    prov.SetMenu(&menu);
    prov.ActivateListProvider();
    kit.fw.ui.AnswerQuestion(msg::kMenueknotenNrLoeschen, false);
    prov.OnDelete(1);
    EXPECT_EQ(table.GetRowCount(), 3);
    kit.fw.ui.AnswerQuestion(msg::kMenueknotenNrLoeschen, true);
    prov.OnDelete(1);
    EXPECT_EQ(kit.fw.ui.TextsOf(UiCall::Kind::Question), (ProvTexts(2, "Men\xFCknoten Nr 2 l\xF6schen ?")));
    ASSERT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(RowTexts(0), (ProvTexts{"1", "0", "0", "0", "0", "0", "<-"}));
    EXPECT_EQ(RowTexts(1), (ProvTexts{"3", "0", "1", "0", "0", "0", "  "}));
}

TEST_F(workspace_list_providers, RenumberingANode)
{
    struct Case {
        const char* name;
        int num;
        ProvTexts labels;
        ProvTexts boxes;
    };
    const Case cases[] = {
        {"same", 2, {"2", "5"}, {}},
        {"zero", 0, {"2", "5"}, {"Nummer muss zwischen 1 und 255 liegen"}},
        {"256", 256, {"2", "5"}, {"Nummer muss zwischen 1 und 255 liegen"}},
        {"taken", 5, {"2", "5"}, {"Nummer 5 ist bereits vergeben. Operation abgebrochen."}},
        {"free", 9, {"5", "9"}, {}},
    };
    kit.AddTexts(2, {0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kit.fw.prj.GetMnuList()->FreeAllMnus();
        kit.fw.ui.ClearCalls();
        CPrjMnu& menu = AddMenu();
        AddNode(menu, 2);
        AddNode(menu, 5, 2);
        CLstProvMnuNode prov(kit.core, table);
        prov.SetMenu(&menu);
        prov.ActivateListProvider();
        prov.OnRenumber(0, c.num);
        EXPECT_EQ(Labels(), c.labels);
        EXPECT_EQ(kit.Boxes(), c.boxes);
        // The link follows the node.
        EXPECT_EQ(menu.GetSubList()->FindByNum(5)->GetLeft(), c.num == 9 ? 9 : 2);
        prov.Deactivate();
    }
}

TEST_F(workspace_list_providers, OneStartNode)
{
    kit.AddTexts(2, {0});
    CPrjMnu& menu = AddMenu();
    AddNode(menu, 1, 0, 0, 1);
    AddNode(menu, 2, 0, 0, 1);
    AddNode(menu, 3);
    CLstProvMnuNode prov(kit.core, table);
    prov.SetMenu(&menu);
    prov.ActivateListProvider();
    prov.OnMakeStart(2);
    EXPECT_EQ(ColumnTexts(6), (ProvTexts{"  ", "  ", "<-"}));
    EXPECT_EQ(menu.GetSubList()->FindStart()->GetNum(), 3);
}

TEST_F(workspace_list_providers, NewAndCopiedSoftkeyActions)
{
    for (int32_t n : {1, 2, 7})
        AddAct(n);
    CLstProvSkAct prov(kit.core, table);
    prov.ActivateListProvider();
    prov.OnNew();
    EXPECT_EQ(Labels(), (ProvTexts{"1", "2", "7", "8"}));
    EXPECT_EQ(table.Text(3, 1), "008");
    prov.OnCopy(1);
    EXPECT_EQ(table.Text(4, 0), "9");
    EXPECT_EQ(table.Text(4, 1), "Kopie von Nr 2");
    EXPECT_TRUE(kit.Boxes().empty());

    // Past 255 the key would alias action 0.
    AddAct(255);
    prov.Refresh();
    prov.OnNew();
    prov.OnCopy(0);
    EXPECT_EQ(ActNums(), (std::vector<int32_t>{1, 2, 7, 8, 9, 255}));
    EXPECT_EQ(kit.Boxes(), (ProvTexts(2, "Nummer muss zwischen 1 und 255 liegen")));
}

TEST_F(workspace_list_providers, ASoftkeyActionInUseStays)
{
    CPrjSkAct* act = AddAct(3);
    CPrjSkTxt* text = AddSkTxt(0);
    text->SetPressAct(1, act);
    CLstProvSkAct prov(kit.core, table);
    prov.ActivateListProvider();
    kit.fw.ui.AnswerQuestionText("Softkey-Aktion wirklich l\xF6schen?", true);
    prov.OnDelete(0);
    EXPECT_EQ(kit.Boxes(), (ProvTexts{"Diese Softkeyaktion wird in mind. einem Softkeytext verwendet, und kann daher "
                                  "nicht gel\xF6scht werden"}));
    EXPECT_EQ(ActNums(), (std::vector<int32_t>{3}));

    text->SetPressAct(1, nullptr);
    kit.fw.ui.AnswerQuestionText("Softkey-Aktion wirklich l\xF6schen?", true);
    prov.OnDelete(0);
    EXPECT_TRUE(ActNums().empty());
    EXPECT_EQ(table.GetRowCount(), 0);
}

TEST_F(workspace_list_providers, RenumberingASoftkeyAction)
{
    struct Case {
        const char* name;
        int num;
        std::vector<int32_t> nums;
        ProvTexts boxes;
    };
    const Case cases[] = {
        {"same", 2, {2, 4}, {}},
        {"zero", 0, {2, 4}, {"Nummer muss zwischen 1 und 255 liegen"}},
        {"256 aliases 0", 256, {2, 4}, {"Nummer muss zwischen 1 und 255 liegen"}},
        {"taken", 4, {2, 4}, {"Nummer 4 ist bereits vergeben. Operation abgebrochen."}},
        {"free", 9, {4, 9}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kit.fw.prj.GetSkActList()->FreeAllActs();
        kit.fw.ui.ClearCalls();
        AddAct(2);
        AddAct(4);
        CLstProvSkAct prov(kit.core, table);
        prov.ActivateListProvider();
        prov.OnRenumber(0, c.num);
        EXPECT_EQ(ActNums(), c.nums);
        EXPECT_EQ(kit.Boxes(), c.boxes);
        prov.Deactivate();
    }
}

TEST_F(workspace_list_providers, NewSoftkeyTextsStayInTheirRange)
{
    AddSkTxt(0);
    AddSkTxt(2);
    CLstProvSkTxt prov(kit.core, table);
    prov.ActivateListProvider();
    prov.OnNew();
    prov.OnCopy(0);
    EXPECT_EQ(SkTxtNums(), (std::vector<int32_t>{0, 2, 3})) << "2 is taken; the copy takes count + 1";
    EXPECT_TRUE(kit.Boxes().empty());

    kit.fw.prj.GetSkTxtList()->FreeAllSkTxt();
    for (int32_t n = 0; n <= 127; ++n)
        AddSkTxt(n);
    prov.Refresh();
    prov.OnNew();
    prov.OnCopy(0);
    EXPECT_EQ(kit.fw.prj.GetSkTxtList()->GetCount(), 128);
    EXPECT_EQ(kit.Boxes(), (ProvTexts(2, "Nummer muss zwischen 0 und 127 (255) liegen")));
}

TEST_F(workspace_list_providers, SoftkeyTextsShowTheirActionsAndRefuseBadNumbers)
{
    CPrjSkAct* act = AddAct(12);
    CPrjSkTxt* first = AddSkTxt(0);
    AddSkTxt(1);
    first->SetPressAct(2, act);
    first->SetReleaseAct(4, act);
    CLstProvSkTxt prov(kit.core, table);
    prov.ActivateListProvider();
    EXPECT_EQ(RowTexts(0), (ProvTexts{"0", "<>", "<>", "12", "<>", "<>", "<>", "<>", "12"}));

    prov.OnRenumber(0, 128);
    prov.OnRenumber(0, 1);
    EXPECT_EQ(SkTxtNums(), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(kit.Boxes(), (ProvTexts{"Nummer muss zwischen 0 und 127 (255) liegen",
                                  "Nummer 1 ist bereits vergeben. Operation abgebrochen."}));

    EXPECT_EQ(act->GetUseCount(), 2);
    kit.fw.ui.AnswerQuestionText("Softkeytext wirklich l\xF6schen?", true);
    prov.OnDelete(0);
    EXPECT_EQ(SkTxtNums(), (std::vector<int32_t>{1}));
    EXPECT_EQ(act->GetUseCount(), 0);
}

TEST_F(workspace_list_providers, TransferAreaShowsEachItemInItsFormat)
{
    struct Case {
        uint8_t direction;
        uint8_t fmt;
        uint16_t value;
        ProvTexts cells;  // "Kom", value, "Darstellung"
    };
    const Case cases[] = {
        {1, 1, 5, {"<-", "00000000 00000101", "BIN"}},
        {2, 2, 0xAB, {"->", "00AB", "HEX"}},
        {3, 4, 1234, {"<->", "1234", "DEC"}},
        {0, 8, 77, {"", "77", ""}},
    };
    CDrvParColl& items = kit.fw.sps.GetItems();
    ASSERT_GE(items.GetCount(), 4);
    for (size_t i = 0; i < std::size(cases); ++i) {
        CDrvParItem& item = *items.ItemAt(static_cast<int>(i));
        item.SetDirection(cases[i].direction);
        item.SetSimFmt(cases[i].fmt);
        item.SetValue(cases[i].value);
        item.SetSimValue(static_cast<uint16_t>(100 + i));
    }
    CLstProvWordBits prov(kit.core, table);
    prov.ActivateListProvider();
    ASSERT_EQ(table.GetRowCount(), items.GetCount());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const int row = static_cast<int>(i);
        const CDrvParItem& item = *items.ItemAt(row);
        EXPECT_EQ(table.Text(row, 0), kit.fw.sps.FmtAdr(kit.fw.sps.GetSpsAdr(item.GetNumber()), &item));
        EXPECT_EQ((ProvTexts{table.Text(row, 1), table.Text(row, 2), table.Text(row, 5)}), cases[i].cells);
        EXPECT_EQ(table.Text(row, 4), std::to_string(100 + i));
    }

    // A used item is named after its variables, an unused one by the
    // catalogue.
    CDrvParItem& used = *items.ItemAt(0);
    used.SetText("Pumpe");
    used.AddUse();
    used.SetValue(6);
    prov.RefreshRow(0);
    EXPECT_EQ(table.Row(0).cells[3], PanelCell("Pumpe"));
    EXPECT_EQ(table.Text(0, 2), "00000000 00000110");
    EXPECT_EQ(table.Row(1).cells[3].cp, LstCodePage::Cp1252);
    EXPECT_EQ(table.GetRowCount(), items.GetCount());
}

TEST_F(workspace_list_providers, CharactersByTheCharacterSet)
{
    CLstProvChr prov(kit.core, table);
    prov.ActivateListProvider();
    ASSERT_EQ(table.GetRowCount(), 128) << "\"alt\" ends at 127";
    EXPECT_EQ(table.GetStyle(), CLstTable::Style::List);
    EXPECT_EQ(table.GetIconSpacing(), 10);
    EXPECT_EQ(table.GetFont(), CLstTable::Font::Console);
    struct Case {
        int code;
        int image;
    };
    for (const Case& c : {Case{0, 2}, Case{7, 2}, Case{8, 1}, Case{15, 1}, Case{16, 2}, Case{31, 2}, Case{32, 0}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(table.Row(c.code).image, c.image);
    }
    EXPECT_EQ(RowTexts(0), (ProvTexts{"", "0", "0"}));
    EXPECT_EQ(RowTexts(65), (ProvTexts{"A", "65", "41"}));
    EXPECT_EQ(table.Row(65).cells[0].cp, LstCodePage::Cp437);
    prov.Deactivate();

    for (int devId : {755, 706}) {
        SCOPED_TRACE(devId);
        ASSERT_TRUE(kit.core.GetStartSel().SetOrvVals("ORVPRO", devId, 33, 5, 10, 0, 64));
        prov.Refresh();
        ASSERT_EQ(table.GetRowCount(), 256);
        EXPECT_EQ(table.Text(171, 2), "ab");
    }
}

// Row positions from a view may be stale: the table clamps or ignores them,
// and the selection stays on the row it was on.
TEST_F(workspace_list_providers, TheTableKeepsItsSelectionOnItsRow)
{
    table.InsertRow(0, SystemCell("a"));
    table.InsertRow(1, SystemCell("c"));
    table.SetSelected(1);
    EXPECT_EQ(table.InsertRow(1, SystemCell("b")), 1);
    EXPECT_EQ(table.GetSelected(), 2);
    EXPECT_EQ(table.InsertRow(99, SystemCell("d")), 3);
    table.SetCell(7, 1, SystemCell("x"));
    table.DeleteRow(-1);
    EXPECT_EQ(Labels(), (ProvTexts{"a", "b", "c", "d"}));
    table.DeleteRow(0);
    EXPECT_EQ(table.GetSelected(), 1);
    table.DeleteRow(1);
    EXPECT_EQ(table.GetSelected(), -1);
    table.SetSelected(5);
    EXPECT_EQ(table.GetSelected(), -1);
    EXPECT_EQ(table.RowToIndex(0), -1);
    EXPECT_EQ(table.Text(0, 9), "");
}

} // namespace
} // namespace orv
