#include "workspace/forms/ProjectSettingsForms.h"
#include "workspace/forms/SmallProjectForms.h"

#include "model/core/Catalogues.h"
#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/project/DrvParColl.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"
#include "support/ProjectWorld.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orv {

namespace {

constexpr uint32_t kPdfIntFlags = 0x40000000u;

// 5 March 2024, as the panel shows today's date.
std::tm PdfFixedDay()
{
    std::tm t{};
    t.tm_mday = 5;
    t.tm_mon = 2;
    t.tm_year = 124;
    return t;
}

// A project of a panel type whose PLC parameters offer VAR items on the
// words 30..79, a MSG item on 70 and a SYS item on 80, with the firmware's
// block variables "[Z24]" (clock/date on word 40, its interface variables
// placed there) and "[Z25]" (recipe block on word 50) and the printer's
// control sequences "[Z076]".."[Z083]".
struct PdfWorld {
    explicit PdfWorld(uint16_t devType, uint16_t spsType = 33, bool withBlocks = true)
    {
        SpsParBuilder sps;
        sps.Type(spsType);
        for (uint16_t w = 30; w < 80; ++w) {
            if (w != 70)
                sps.Var(w);
        }
        sps.Msg(70, 100).Sys(80);
        world = std::make_unique<ProjectWorld>(World(devType).Sps(sps), f.bundle);
        f.frame.SetLogLevel(3);
        CPrjData& p = prj();
        if (withBlocks) {
            p.InsVar(Block("[Z24]", 40));
            p.InsVar(Block("[Z25]", 50));
            p.MakeDateTimeVars(40, 0);
            p.MakeRcpNumVars(50, 0);
        }
        for (int i = 0; i < 8; ++i)
            p.InsVar(new CPrjIntVarHex(FormatText("[Z%03d]", 76 + i), kPdfIntFlags, 0, 249, 0, 0, "1B"));
        p.SetModCount(0);
    }
    static CPrjVar* Block(const char* name, int16_t word)
    {
        auto* var = new CPrjIntVarNum(name, kPdfIntFlags, 0, 200, 0, 0, 3, 0, 0, 255);
        var->SetAdr(word);
        return var;
    }
    CPrjData& prj() const { return *world->prj; }
    int Adr(const char* name) const
    {
        const CPrjVar* var = prj().GetVarList()->FindByName(std::string_view(name));
        return var != nullptr ? var->GetAdr() : -1;
    }
    int KomAdr(uint16_t resId) const
    {
        const CPrjVar* var = prj().GetKomVarList()->FindByName(std::string_view(ResourceTXT(resId)));
        return var != nullptr ? var->GetAdr() : -1;
    }

    FrameFixture f;
    std::unique_ptr<ProjectWorld> world;
};

CDlgTimesForm TimesOf(PdfWorld& w, std::string devTyp = "plus")
{
    return CDlgTimesForm(&w.prj(), PdfFixedDay, "DW", std::move(devTyp));
}

// --- Address split --------------------------------------------------------

TEST(workspace_times_form, OpeningSplitsTheClockAddressByPlcType)
{
    struct Case {
        uint16_t type;
        AdrParts shown;
        bool highEnabled;
    };
    const Case cases[] = {
        {0, {5, 0}, true},    // byte address 80: block 5, word 0
        {45, {0, 80}, false}, // byte address 80 in one byte
        {24, {0, 80}, false}, // the doubled word
        {33, {0, 40}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        PdfWorld w(14, c.type);
        CDlgTimesForm form = TimesOf(w);
        EXPECT_EQ(form.adr, c.shown);
        EXPECT_EQ(form.HighEnabled(), c.highEnabled);
        EXPECT_EQ(form.LowLabel(), "Von DW");
        // Joining the shown parts gives the word back.
        EXPECT_EQ(WordOfParts(*w.world->sps, form.adr), 40);
    }
}

TEST(workspace_times_form, DateTextsAndEnabling)
{
    PdfWorld w(14);
    CDlgTimesForm form = TimesOf(w);
    EXPECT_EQ(form.DateText(0), "EU  05.03.24");
    EXPECT_EQ(form.DateText(1), "US  03/05/24");
    EXPECT_EQ(form.DateText(2), "MIL 24-03-05");
    EXPECT_TRUE(form.LowEnabled());
    EXPECT_TRUE(form.DateModesEnabled());
    CDlgTimesForm mini = TimesOf(w, "mini");
    EXPECT_FALSE(mini.LowEnabled());
    EXPECT_FALSE(mini.DateModesEnabled());
    PdfWorld w706(706, 3);
    CDlgTimesForm panel706 = TimesOf(w706);
    EXPECT_FALSE(panel706.LowEnabled());
    EXPECT_TRUE(panel706.HighEnabled());
}

TEST(workspace_times_form, ValidateRefusesWhatTheSourceCannotTakeBack)
{
    struct Case {
        const char* name;
        uint16_t type;
        int16_t roll;
        AdrParts adr;
        std::vector<int> boxes;
        CDlgTimesForm::Field failed;
    };
    using F = CDlgTimesForm::Field;
    const Case cases[] = {
        {"roll 0", 33, 0, {0, 40}, {15031}, F::Roll},
        {"roll 1", 33, 1, {0, 40}, {}, F::None},
        {"roll 60", 33, 60, {0, 40}, {}, F::None},
        {"roll 61", 33, 61, {0, 40}, {15031}, F::Roll},
        {"bit type low above 15", 0, 10, {5, 16}, {15031}, F::Low},
        {"last words of the window", 33, 10, {0, 297}, {15031}, F::Low},
        {"odd byte address", 24, 10, {0, 81}, {16300}, F::Low},
        {"index 0 at once", 33, 10, {0, 0}, {}, F::None},
        {"below the block words", 33, 10, {0, 29}, {16301}, F::Low},
        {"above what the source takes", 33, 10, {0, 253}, {15031}, F::Low},
        {"free words", 33, 10, {0, 30}, {}, F::None},
        {"words the block holds itself", 33, 10, {0, 42}, {}, F::None},
        {"the recipe block's words", 33, 10, {0, 48}, {16301}, F::Low},
        {"a message word, then the notice", 33, 10, {0, 68}, {16306}, F::None},
        {"a SYS word", 33, 10, {0, 78}, {16301}, F::Low},
        // Type 45 checks the address it stores: 256 x 1 + 40 lies beyond
        // the window although 40 alone would pass.
        {"type 45 joined address", 45, 10, {1, 80}, {15031}, F::Low},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PdfWorld w(14, c.type);
        // A window longer than the source's positions for type 33.
        w.world->sps->SetLength(c.type == 33 ? 300 : 128);
        CDlgTimesForm form = TimesOf(w);
        form.roll = c.roll;
        form.adr = c.adr;
        EXPECT_EQ(form.Ok(), c.failed == F::None);
        EXPECT_EQ(form.FailedField(), c.failed);
        EXPECT_EQ(w.f.ui.BoxIds(), c.boxes);
    }
}

TEST(workspace_times_form, ClockWordsUsedByOthersAreRefused)
{
    PdfWorld w(14);
    PrjBuilder(w.prj()).AddNumVar("Druck", 46);
    w.world->sps->UseItem(*w.prj().GetVarList()->FindByName(std::string_view("Druck")));
    CDlgTimesForm form = TimesOf(w);
    form.adr = {0, 43};
    EXPECT_FALSE(form.Ok());
    ASSERT_EQ(w.f.ui.BoxIds(), std::vector<int>{16301});
    EXPECT_NE(w.f.ui.Calls().back().text.find("46"), std::string::npos);
    form.adr = {0, 41}; // 41..44: its own words only
    EXPECT_TRUE(form.Ok());
}

TEST(workspace_times_form, ApplyStoresOnlyAChangeAndMovesTheBlock)
{
    PdfWorld w(14);
    CDlgTimesForm form = TimesOf(w);
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(w.prj().GetModCount(), 0);
    EXPECT_TRUE(w.f.ui.HasLogLine("DEBUG-> Zeiten NOT changed !"));

    form.roll = 30;
    form.dateMode = 2;
    form.adr = {0, 30};
    ASSERT_TRUE(form.Ok());
    EXPECT_TRUE(w.f.ui.HasLogLine("DEBUG-> Zeiten changed !"));
    EXPECT_EQ(w.prj().GetModCount(), 1);
    EXPECT_EQ(w.prj().GetCycleTime(), 30);
    EXPECT_EQ(w.prj().GetDateMode(), 2);
    EXPECT_EQ(w.Adr("[Z24]"), 30);
    EXPECT_EQ(w.KomAdr(res::kDatum), 30);
    EXPECT_EQ(w.KomAdr(res::kUhrzeit), 32);
    // The old words are free again.
    EXPECT_FALSE(w.world->sps->GetItems().FindItem(40)->IsUsed());
    EXPECT_TRUE(w.world->sps->GetItems().FindItem(30)->IsUsed());
}

TEST(workspace_times_form, WithoutTheClockVariableTheRestIsStored)
{
    PdfWorld w(14, 33, false);
    CDlgTimesForm form = TimesOf(w);
    form.roll = 20;
    form.adr = {0, 30};
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(w.prj().GetCycleTime(), 20);
    EXPECT_EQ(w.KomAdr(res::kDatum), -1);
    EXPECT_EQ(w.prj().GetModCount(), 1);
}

// --- Printer parameters -----------------------------------------------------

TEST(workspace_prn_par_form, LayoutByPanelType)
{
    struct Case {
        uint16_t dev;
        bool tty;
        bool status;
        bool subst;
        int timeoutLen;
    };
    const Case cases[] = {
        {706, true, false, false, 0},
        {47, true, false, true, 3},
        {473, true, true, false, 0},
        {118, false, false, true, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dev);
        const auto layout = CDlgPrnParForm::LayoutOf(c.dev);
        EXPECT_EQ(layout.ttyEnabled, c.tty);
        EXPECT_EQ(layout.statusShown, c.status);
        EXPECT_EQ(layout.substShown, c.subst);
        EXPECT_EQ(layout.timeoutLen, c.timeoutLen);
        EXPECT_EQ(layout.initLen, 16);
    }
}

TEST(workspace_prn_par_form, RadiosChangeOnlyTheWorkingValuesAndUnchangedOkStoresNothing)
{
    PdfWorld w(473);
    w.prj().SetPrnStatusPos(40);
    w.prj().SetModCount(0);
    {
        CDlgPrnParForm form(&w.prj());
        form.values.baud = 4;
        form.values.ifc = 1;
        EXPECT_EQ(w.prj().GetPrnBaud(), 3);
        EXPECT_EQ(w.prj().GetPrnIfc(), 0);
    } // Cancel
    CDlgPrnParForm form(&w.prj());
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(w.prj().GetModCount(), 0);
    EXPECT_FALSE(w.f.ui.HasLogLine("PrnPar changed"));
}

TEST(workspace_prn_par_form, StatusAddressChecksAndRoundTrip)
{
    struct Case {
        const char* status;
        int box;
    };
    const Case refused[] = {{"255", 15031}, {"20", 15031}, {"x", 15031}};
    for (const Case& c : refused) {
        SCOPED_TRACE(c.status);
        PdfWorld w(473);
        CDlgPrnParForm form(&w.prj());
        form.status = c.status;
        EXPECT_FALSE(form.Ok());
        EXPECT_EQ(form.FailedId(), CDlgPrnParForm::kIdStatus);
        EXPECT_EQ(w.f.ui.BoxIds(), std::vector<int>{c.box});
    }
    for (uint16_t type : {0, 1, 24, 45, 33}) {
        SCOPED_TRACE(type);
        PdfWorld w(473, type);
        w.prj().SetPrnStatusPos(57);
        w.prj().SetModCount(0);
        CDlgPrnParForm form(&w.prj());
        form.values.baud = 1;
        ASSERT_TRUE(form.Ok());
        EXPECT_EQ(w.prj().GetPrnStatusPos(), 57);
        EXPECT_EQ(w.prj().GetPrnBaud(), 1);
        EXPECT_EQ(w.prj().GetModCount(), 1);
        EXPECT_TRUE(w.f.ui.HasLogLine("PrnPar changed"));
    }
}

TEST(workspace_prn_par_form, AChangedStatusMovesThePrinterTextVariables)
{
    PdfWorld w(473);
    CDlgPrnParForm form(&w.prj());
    form.status = "55";
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(w.prj().GetPrnStatusPos(), 55);
    EXPECT_EQ(w.KomAdr(res::kDruckertexteAlt), 55);
    EXPECT_EQ(w.KomAdr(res::kDruckertexteNeu), 56);
    EXPECT_EQ(w.prj().GetModCount(), 1);
}

TEST(workspace_prn_par_form, ReplacementBytesAndControlSequences)
{
    PdfWorld w(47);
    CDlgPrnParForm form(&w.prj());
    form.subst[0] = "ab";
    form.subst[1] = "7";
    form.subst[2] = "";
    form.init = "1b40";
    ASSERT_TRUE(form.Ok());
    EXPECT_EQ(w.prj().GetPrnSubst(0), 0xAB);
    EXPECT_EQ(w.prj().GetPrnSubst(1), 0x07);
    EXPECT_EQ(w.prj().GetPrnSubst(2), 0);
    EXPECT_EQ(w.prj().GetPrnInit(), "1B40");

    PdfWorld w706(706);
    CDlgPrnParForm ctrl(&w706.prj());
    EXPECT_EQ(ctrl.ctrl[0], "1B");
    const uint8_t subst3 = w706.prj().GetPrnSubst(3);
    for (int i = 0; i < 8; ++i)
        ctrl.ctrl[i] = FormatText("1b%02d", i);
    ASSERT_TRUE(ctrl.Ok());
    for (int i = 0; i < 8; ++i) {
        const auto* var = dynamic_cast<const CPrjIntVarHex*>(
            w706.prj().GetVarList()->FindByName(std::string_view(FormatText("[Z%03d]", 76 + i))));
        ASSERT_NE(var, nullptr);
        EXPECT_EQ(var->GetHexText(), FormatText("1B%02d", i));
    }
    // The hidden replacement bytes stay as they were.
    EXPECT_EQ(w706.prj().GetPrnSubst(3), subst3);
    EXPECT_EQ(w706.prj().GetModCount(), 1);
}

// --- Memory partition ---------------------------------------------------------

TEST(workspace_mem_partition_form, RecipeChoiceByPanelType)
{
    PdfWorld w167(167);
    CDlgMemPartitionForm form167(&w167.prj());
    form167.large = true;
    EXPECT_TRUE(form167.RecipeEnabled());
    form167.large = false;
    EXPECT_TRUE(form167.RecipeEnabled());

    PdfWorld w(118);
    w.prj().SetDataSize(1);
    w.prj().SetRcpSize(0);
    CDlgMemPartitionForm form(&w.prj());
    form.Ok();
    EXPECT_EQ(w.prj().GetModCount(), 0);
    EXPECT_TRUE(form.RecipeEnabled());
    form.shared = false;
    form.large = true; // "groß" greys the choice but keeps it
    EXPECT_FALSE(form.RecipeEnabled());
    form.Ok();
    EXPECT_EQ(w.prj().GetDataSize(), 0);
    EXPECT_EQ(w.prj().GetRcpSize(), 1);
    EXPECT_EQ(w.prj().GetModCount(), 1);
}

// --- Menu options -------------------------------------------------------------

TEST(workspace_mnu_opt_form, PackUnpackDefaultAndChange)
{
    struct Case {
        CDlgMnuOptForm::Options options;
        uint16_t word;
    };
    const Case cases[] = {{{0, 3, 0, 0, 0, 3, 3, 3}, 0x303F}, {{0, 3, 0, 0, 3, 3, 3, 3}, 0x30FF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(CDlgMnuOptForm::Pack(c.options), c.word);
        EXPECT_EQ(CDlgMnuOptForm::Unpack(c.word), c.options);
    }
    EXPECT_EQ(CDlgMnuOptForm(nullptr).options, CDlgMnuOptForm::Unpack(0x303F));

    PdfWorld w(706);
    CPrjMnu menu(1, "M", 0xFFFF);
    CDlgMnuOptForm form(&w.prj());
    form.LoadFromMenu(&menu);
    form.Default();
    EXPECT_EQ(form.options, (CDlgMnuOptForm::Options{0, 3, 0, 0, 0, 3, 3, 3}));
    form.LoadFromMenu(&menu); // every option back to its loaded value
    EXPECT_FALSE(form.Ok());
    EXPECT_EQ(menu.GetMnuOpt(), 0xFFFF);
    EXPECT_EQ(w.prj().GetModCount(), 0);
    EXPECT_TRUE(w.f.ui.HasLogLine("DEBUG-> MnuOpt NOT changed !"));
    form.options[7] = 0;
    EXPECT_TRUE(form.Ok());
    EXPECT_EQ(menu.GetMnuOpt(), 0xFFFC);
    EXPECT_EQ(w.prj().GetModCount(), 1);
    EXPECT_TRUE(w.f.ui.HasLogLine("DEBUG-> MnuOpt changed !"));
}

// --- Small project dialogs ----------------------------------------------------

struct PdfMenu {
    explicit PdfMenu(CPrjData& prj) : menu(new CPrjMnu(1, "M", 0x303F))
    {
        prj.InsMnu(menu);
        for (int32_t num : {-1, 0, 3, 7}) {
            auto* text = new CPrjOpTxt(num);
            prj.InsOpTxt(text);
            texts.push_back(text);
        }
        for (uint8_t num : {1, 2, 5}) {
            auto* node = new CPrjMnuNode(num, 0, 0, 0, 0, nullptr, 0);
            menu->InsNode(node);
            nodes.push_back(node);
        }
        nodes[0]->SetRight(5);
        nodes[0]->SetUp(9); // not a node of the menu
        nodes[0]->SetOpTxt(texts[2]);
        prj.SetModCount(0);
    }
    CPrjMnu* menu;
    std::vector<CPrjOpTxt*> texts;
    std::vector<CPrjMnuNode*> nodes;
};

TEST(workspace_small_project_forms, MnuNodeListsAndStore)
{
    PdfWorld w(706);
    PdfMenu m(w.prj());
    CPrjMnuNode& node = *m.nodes[0];
    CDlgMnuNodeForm form(&w.prj(), *m.menu, node);
    EXPECT_EQ(form.LinkEntries(), (std::vector<std::string>{"0", "2", "5"}));
    EXPECT_EQ(form.LinkSelection(), (std::array<int, 4>{0, 2, 0, 0}));
    EXPECT_EQ(form.OpTxtEntries(), (std::vector<std::string>{"0", "3", "7"}));
    EXPECT_EQ(form.OpTxtSelection(), 1);

    EXPECT_FALSE(form.Ok({"0", "5", "0", "9"}, 1));
    EXPECT_EQ(w.prj().GetModCount(), 0);
    ASSERT_TRUE(form.Ok({"2", "5", "0", "0"}, 2));
    EXPECT_EQ(node.GetLinks(), (std::array<uint8_t, 4>{2, 5, 0, 0}));
    EXPECT_EQ(node.GetOpTxt(), m.texts[3]);
    EXPECT_EQ(m.texts[2]->GetUseCount(), 0);
    EXPECT_EQ(m.texts[3]->GetUseCount(), 1);
    EXPECT_EQ(w.prj().GetModCount(), 1);
    // No selection keeps the text.
    ASSERT_TRUE(form.Ok({"0", "0", "0", "0"}, -1));
    EXPECT_EQ(node.GetOpTxt(), m.texts[3]);
}

TEST(workspace_small_project_forms, RcpAdrStoresOnlyAChangeTheSourceTakes)
{
    PdfWorld w(14);
    CDlgRcpAdrForm form(&w.prj());
    EXPECT_EQ(form.text, "50");
    EXPECT_TRUE(form.Ok());
    EXPECT_EQ(w.prj().GetModCount(), 0);
    form.text = "5";
    EXPECT_FALSE(form.Ok());
    EXPECT_EQ(w.f.ui.BoxIds(), std::vector<int>{15031});
    form.text = "54";
    EXPECT_TRUE(form.Ok());
    EXPECT_EQ(w.Adr("[Z25]"), 54);
    EXPECT_EQ(w.KomAdr(res::kRezeptnummerIST), 54);
    EXPECT_EQ(w.prj().GetModCount(), 1);

    PdfWorld none(14, 33, false);
    CDlgRcpAdrForm empty(&none.prj());
    EXPECT_EQ(empty.text, "");
    empty.text = "40";
    EXPECT_TRUE(empty.Ok());
    EXPECT_EQ(none.prj().GetModCount(), 0);
}

TEST(workspace_small_project_forms, DrvVarScalesChecksAndMarksTheDriver)
{
    PdfWorld w(14);
    CDrvCfg& cfg = *w.world->drvCfg;
    auto* timeout = new CPrjIntVarNum("AA", 0, 1, 140, 0, 25, 3, 0, 1, 30);
    ASSERT_TRUE(cfg.AddPar6(timeout));
    auto* choice = new CPrjIntVarStr("AK", 0, 1, 142, 0, 1, cfg.GetParList16());
    choice->SetTxtCount(1);
    choice->SetStateTxt(0, "AUS");
    choice->SetStateTxt(1, "EIN");
    ASSERT_TRUE(cfg.AddPar6(choice));
    cfg.SetModCount(0);

    CDlgDrvVarForm num(cfg, 0);
    EXPECT_FALSE(num.IsChoice());
    EXPECT_EQ(num.text, "250");
    EXPECT_EQ(num.Caption(), "Timeout");
    EXPECT_TRUE(num.Ok(-1));
    EXPECT_EQ(cfg.GetModCount(), 0);
    num.text = "301";
    EXPECT_FALSE(num.Ok(-1));
    EXPECT_EQ(w.f.ui.BoxIds(), std::vector<int>{15031});
    EXPECT_NE(w.f.ui.Calls().back().text.find("300"), std::string::npos);
    num.text = "255";
    EXPECT_TRUE(num.Ok(-1));
    EXPECT_EQ(timeout->GetExtWord1(), 25);
    EXPECT_EQ(cfg.GetModCount(), 0);
    num.text = "100";
    EXPECT_TRUE(num.Ok(-1));
    EXPECT_EQ(timeout->GetExtWord1(), 10);
    EXPECT_EQ(cfg.GetModCount(), 1);

    CDlgDrvVarForm pick(cfg, 1);
    ASSERT_TRUE(pick.IsChoice());
    EXPECT_EQ(pick.Choices(), (std::vector<std::string>{"AUS", "EIN"}));
    EXPECT_EQ(pick.ChoiceIndex(), 1);
    EXPECT_TRUE(pick.Ok(0));
    EXPECT_EQ(choice->GetExtWord1(), 0);
    EXPECT_EQ(cfg.GetModCount(), 2);
    EXPECT_FALSE(CDlgDrvVarForm(cfg, 2).Exists());
}

} // namespace

} // namespace orv
