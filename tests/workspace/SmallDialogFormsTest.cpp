#include "workspace/forms/OptionForms.h"
#include "workspace/forms/RcpDataForm.h"
#include "workspace/forms/SoftkeysForm.h"

#include "model/core/ProgramIni.h"
#include "model/project/DrvParItem.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/VarValList.h"
#include "support/FrameFakes.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv {

namespace {

// --- Value ----------------------------------------------------------------

TEST(workspace_small_dialog_forms, ValueFormatComesFromTheFlagBits)
{
    FrameFixture f;
    struct Case {
        uint8_t flags;
        int index; // 0 BIN, 1 HEX, 2 DEC
        const char* text;
    };
    const Case cases[] = {
        {1, 0, "00000000 00000101"}, {2, 1, "0005"}, {4, 2, "5"}, {8, 2, "5"},
        {0x41, 0, "00000000 00000101"}, {16, 2, "5"}, {0, 2, "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.flags));
        CDrvParVarItem item(20, 3);
        item.SetValue(5);
        item.SetSimFmt(c.flags);
        CDlgValueForm form(item.GetValue(), item.GetSimFmt());
        EXPECT_EQ(form.FormatIndex(), c.index);
        EXPECT_EQ(form.Text(), c.text);
        EXPECT_EQ(form.Ok(), std::optional<uint16_t>(5));
        EXPECT_EQ(item.GetSimFmt(), c.flags);
    }
}

TEST(workspace_small_dialog_forms, ValueSwitchesFormatsAndRefusesWhatDoesNotRead)
{
    FrameFixture f;
    CDlgValueForm form(5, 1);
    form.SetFormat(1);
    EXPECT_EQ(form.Text(), "0005");
    form.SetText("ffff");
    EXPECT_EQ(form.Ok(), std::optional<uint16_t>(65535));
    form.SetFormat(2);
    form.SetText("65536");
    EXPECT_EQ(form.Ok(), std::nullopt);
    form.SetText("12x");
    EXPECT_EQ(form.Ok(), std::nullopt);
    EXPECT_EQ(f.ui.BoxIds(), (std::vector<int>{15031, 15031}));
}

// --- Serial ports ---------------------------------------------------------

class RecordingPorts final : public IComPorts {
public:
    int GetLinkPort() const override { return link; }
    int GetSimPort() const override { return sim; }
    void SetLinkPort(int index) override { calls.push_back("link " + std::to_string(index)); }
    void SetSimPort(int index) override { calls.push_back("sim " + std::to_string(index)); }
    int link = 1;
    int sim = 0;
    std::vector<std::string> calls;
};

TEST(workspace_small_dialog_forms, ComPortsHandBothIndexesToTheManager)
{
    CDlgComPortsForm none(nullptr);
    EXPECT_EQ(none.LinkIndex(), 0);
    EXPECT_EQ(none.SimIndex(), 0);
    none.SetLinkIndex(1);
    none.Ok();

    RecordingPorts ports;
    CDlgComPortsForm form(&ports);
    EXPECT_EQ(form.LinkIndex(), 1);
    EXPECT_EQ(form.SimIndex(), 0);
    form.SetSimIndex(1);
    form.Ok();
    EXPECT_EQ(ports.calls, (std::vector<std::string>{"link 1", "sim 1"}));
}

// --- Language -------------------------------------------------------------

struct LangWorld {
    std::vector<std::string> Steps() const
    {
        std::vector<std::string> steps = journal;
        if (!f.ui.CallsOf(UiCall::Kind::LogClear).empty())
            steps.insert(steps.begin() + 2, "log cleared");
        return steps;
    }

    FrameFixture f;
    // The program's INI file goes to the fixture's directory.
    ScopedEnv home{"ORVTOOL_HOME", f.dir.Path().c_str()};
    Journal journal;
    FakeFrameWindow window{journal};
    FakeViewTree tree{journal};
};

TEST(workspace_small_dialog_forms, GermanAndEnglishSwitchMenusTitleLogAndTree)
{
    LangWorld w;
    CDlgLangForm form(w.f.frame, &w.window, &w.tree);
    EXPECT_EQ(form.CheckedId(), CDlgLangForm::kIdGerman);
    EXPECT_EQ(form.Caption(), "Optionen Sprachauswahl");
    form.Choose(CDlgLangForm::kIdEnglish);
    EXPECT_EQ(w.f.frame.GetLangId(), 1);
    EXPECT_EQ(ReadIniInt("LangId", -1), 1);
    EXPECT_EQ(w.Steps(), (std::vector<std::string>{"window RebuildMenuTexts", "window UpdateTitle", "log cleared",
                                                  "tree BuildTree"}));
    EXPECT_EQ(form.CheckedId(), CDlgLangForm::kIdEnglish);
    EXPECT_EQ(form.Caption(), "Options Language");
    EXPECT_EQ(form.RadioText(CDlgLangForm::kIdFrench), "French");

    form.Choose(CDlgLangForm::kIdGerman);
    EXPECT_EQ(ReadIniInt("LangId", -1), 0);
    EXPECT_EQ(form.RadioText(CDlgLangForm::kIdGerman), "Deutsch");

    // With a project loaded the tree keeps its file name and its menus.
    w.f.frame.SetPrjPath("/p/demo043.orv");
    w.f.frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    w.journal.clear();
    form.Choose(CDlgLangForm::kIdEnglish);
    EXPECT_EQ(w.journal.back(), "tree RebuildTree demo043.orv");
}

TEST(workspace_small_dialog_forms, FrenchSetsTheIdAndLeavesTheMenus)
{
    LangWorld w;
    CDlgLangForm form(w.f.frame, &w.window, &w.tree);
    form.Choose(CDlgLangForm::kIdFrench);
    EXPECT_EQ(w.f.frame.GetLangId(), 2);
    EXPECT_EQ(form.CheckedId(), CDlgLangForm::kIdFrench);
    EXPECT_TRUE(w.journal.empty());
    EXPECT_TRUE(w.f.ui.CallsOf(UiCall::Kind::LogClear).empty());
    // French has no catalogue texts of its own.
    EXPECT_EQ(form.Caption(), "Optionen Sprachauswahl");
    EXPECT_FALSE(CDlgLangForm::HasAction(1906));
    EXPECT_TRUE(CDlgLangForm::HasAction(1907));
}

TEST(workspace_small_dialog_forms, SourceEditModeKeepsTheLogAndNoTreeIsSkipped)
{
    LangWorld w;
    w.f.frame.SetSourceEditMode(true);
    CDlgLangForm form(w.f.frame, &w.window, nullptr);
    form.Choose(CDlgLangForm::kIdEnglish);
    EXPECT_TRUE(w.f.ui.CallsOf(UiCall::Kind::LogClear).empty());
    EXPECT_EQ(w.journal, (std::vector<std::string>{"window RebuildMenuTexts", "window UpdateTitle"}));
}

// --- Program and project options -----------------------------------------

TEST(workspace_small_dialog_forms, FifoWarningTickedWithoutKeyAndWrittenOnOk)
{
    FrameFixture f;
    ScopedEnv home("ORVTOOL_HOME", f.dir.Path().c_str());
    CDlgPrgOptForm form;
    EXPECT_TRUE(form.Ticked());
    form.Ok(false);
    EXPECT_EQ(ReadIniInt("FifoWarn", 7), 0);
    EXPECT_FALSE(form.Ticked());
}

TEST(workspace_small_dialog_forms, ProjectOptionOnPlusPanelsOnly)
{
    FrameFixture f;
    ProjectWorld world(World(118), f.bundle);
    CDlgPrjOptForm midi(*world.prj, "midi");
    EXPECT_FALSE(midi.Enabled());
    midi.Ok(true);
    EXPECT_EQ(world.prj->GetDWordVars(), 0);

    CDlgPrjOptForm plus(*world.prj, "plus");
    EXPECT_TRUE(plus.Enabled());
    EXPECT_FALSE(plus.Ticked());
    plus.Ok(true);
    EXPECT_EQ(world.prj->GetDWordVars(), 1);
}

// --- Message options ------------------------------------------------------

TEST(workspace_small_dialog_forms, MessageOptionsMapRadiosBothWays)
{
    struct Case {
        uint8_t prio;
        int prioRadio;
    };
    const Case prios[] = {{2, 1949}, {3, 1951}, {4, 1950}, {7, 0}};
    for (const Case& c : prios) {
        SCOPED_TRACE(static_cast<int>(c.prio));
        CMsgTxt text(1, c.prio, 1, 0);
        CDlgMsgOptForm form(text, nullptr, "midi");
        EXPECT_EQ(form.PrioRadio(), c.prioRadio);
        if (c.prioRadio != 0) {
            CMsgTxt other(2, 0, 1, 0);
            CDlgMsgOptForm back(other, nullptr, "midi");
            back.Ok(c.prioRadio, 0, false);
            EXPECT_EQ(other.GetPrio(), c.prio);
        }
    }
    for (int mode = 1; mode <= 5; ++mode) {
        SCOPED_TRACE(mode);
        CMsgTxt text(1, 2, static_cast<uint8_t>(mode), 0);
        CDlgMsgOptForm form(text, nullptr, "midi");
        EXPECT_EQ(form.DelModeRadio(), 1952 + mode);
        CMsgTxt other(2, 2, 1, 0);
        CDlgMsgOptForm back(other, nullptr, "midi");
        back.Ok(1949, 1952 + mode, true);
        EXPECT_EQ(other.GetDelMode(), mode);
        EXPECT_EQ(other.IsAlarm(), 1);
    }
}

TEST(workspace_small_dialog_forms, AlarmAndDeleteModeFiveOnlyWhereThePanelTakesThem)
{
    CMsgTxt text(3, 2, 1, 0);
    CDlgMsgOptForm mini(text, nullptr, "mini");
    EXPECT_FALSE(mini.AlarmEnabled());
    EXPECT_TRUE(mini.DelModeEnabled(4));
    EXPECT_FALSE(mini.DelModeEnabled(5));
    mini.Ok(1949, 1957, true);
    EXPECT_EQ(text.GetDelMode(), 1);
    EXPECT_EQ(text.IsAlarm(), 0);

    CMsgTxt templ(-1, 2, 1, 0);
    CDlgMsgOptForm forTemplate(templ, nullptr, "mini");
    EXPECT_TRUE(forTemplate.DelModeEnabled(5));

    CDlgMsgOptForm midi(text, nullptr, "midi");
    EXPECT_TRUE(midi.AlarmEnabled());
    EXPECT_TRUE(midi.DelModeEnabled(5));
}

// --- Recipe data ----------------------------------------------------------

// A recipe's values over a BCD-2, a BCD-1, a VBIN-1, a Word, an ASCII, a Bit
// and a Timer variable.
struct RcpWorld {
    RcpWorld()
    {
        vars.push_back(std::make_unique<CPrjVarBcd>("Bcd2", 30, 1, 16, 8, 0, 99999999, 0));
        vars.push_back(std::make_unique<CPrjVarBcd>("Bcd1", 31, 1, 0, 4, 0, 9999, 0));
        vars.push_back(std::make_unique<CPrjVarVbin>("Vbin", 32, 1, 18, 4, 0, -100, 100, -100, 100));
        vars.push_back(std::make_unique<CPrjVarWord>("Wort", 33, 1, 33, 1));
        vars.push_back(std::make_unique<CPrjVarAscii>("Text", 34, 1, 34, 2));
        auto bit = std::make_unique<CPrjVarBit>("Bit", 35, 1, 12, 0, world.prj->GetTextPool());
        bit->SetStateTxt(0, "Aus");
        bit->SetStateTxt(1, "Ein");
        vars.push_back(std::move(bit));
        vars.push_back(std::make_unique<CPrjVarTimer>("Zeit", 36, 1, 36, world.prj->GetTextPool()));
        for (auto& var : vars)
            values.InsertPair(var.get(), values.GetCount());
        values.GetAt(kTimer)->SetValue(123 * 10 + 2);
        world.prj->SetModified(false);
    }

    enum { kBcd2, kBcd1, kVbin, kWord, kAscii, kBit, kTimer };

    FrameFixture f;
    ProjectWorld world{World(118), f.bundle};
    std::vector<std::unique_ptr<CPrjVar>> vars;
    CPrjVarValList values{20, 4};
};

TEST(workspace_small_dialog_forms, EachKindShowsItsControl)
{
    RcpWorld w;
    using Shown = CDlgRcpDataForm::Shown;
    CDlgRcpDataForm form(w.values, w.world.prj.get());
    EXPECT_EQ(form.Current(), 0);
    EXPECT_EQ(form.VarNames().size(), 7u);
    const Shown shown[] = {Shown::Edit, Shown::Edit, Shown::Edit, Shown::Edit, Shown::Edit, Shown::States,
                           Shown::States};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(form.VarNames()[static_cast<size_t>(i)]);
        form.Select(i);
        EXPECT_EQ(form.GetShown(), shown[i]);
    }
    form.Select(RcpWorld::kBit);
    EXPECT_EQ(form.States(), (std::vector<std::string>{"Aus", "Ein"}));
    form.Select(RcpWorld::kTimer);
    EXPECT_EQ(form.States().size(), 4u);
    EXPECT_EQ(form.StateIndex(), 2);
}

TEST(workspace_small_dialog_forms, StoresOnlyValuesTheSourceTakesBack)
{
    RcpWorld w;
    struct Case {
        int entry;
        const char* text;
        bool accepted;
        uint32_t stored; // the entry's value afterwards
    };
    const Case cases[] = {
        {RcpWorld::kBcd2, "99999999", true, 99999999u},
        {RcpWorld::kBcd2, "100000000", false, 99999999u},
        {RcpWorld::kBcd1, "10000", false, 0},
        {RcpWorld::kBcd1, "9999", true, 9999},
        {RcpWorld::kVbin, "-100", true, static_cast<uint32_t>(-100)},
        {RcpWorld::kVbin, "-101", false, static_cast<uint32_t>(-100)},
        {RcpWorld::kVbin, "100", true, 100},
        {RcpWorld::kWord, "65535", true, 65535},
        {RcpWorld::kWord, "65536", false, 65535},
        {RcpWorld::kWord, "12x", false, 65535},
    };
    CDlgRcpDataForm form(w.values, w.world.prj.get());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " on " + w.vars[static_cast<size_t>(c.entry)]->GetName());
        w.f.ui.ClearCalls();
        form.Select(c.entry);
        form.EditChanged(c.text);
        EXPECT_EQ(form.LeaveEdit(), c.accepted);
        EXPECT_EQ(w.values.GetAt(c.entry)->GetValue(), c.stored);
        if (!c.accepted) {
            EXPECT_EQ(w.f.ui.BoxIds(), std::vector<int>{15031});
            EXPECT_EQ(form.EditText(), std::to_string(static_cast<int32_t>(c.stored)));
        }
    }
}

TEST(workspace_small_dialog_forms, AsciiTextIsCutToTwiceTheWords)
{
    RcpWorld w;
    CDlgRcpDataForm form(w.values, w.world.prj.get());
    form.Select(RcpWorld::kAscii);
    EXPECT_EQ(form.EditMaxLength(), 4u);
    form.EditChanged("abcdef");
    EXPECT_STREQ(w.values.GetAt(RcpWorld::kAscii)->GetText(), "abcd");
    EXPECT_TRUE(form.LeaveEdit());
}

TEST(workspace_small_dialog_forms, TimerBaseKeepsTheTimeAndStatesStoreTheIndex)
{
    RcpWorld w;
    {
        CDlgRcpDataForm form(w.values, w.world.prj.get());
        form.Select(RcpWorld::kTimer);
        form.ChooseState(3);
        EXPECT_EQ(w.values.GetAt(RcpWorld::kTimer)->GetValue(), 1233u);
        form.Select(RcpWorld::kBit);
        form.ChooseState(1);
        EXPECT_EQ(w.values.GetAt(RcpWorld::kBit)->GetValue(), 1u);
        EXPECT_EQ(w.world.prj->GetModCount(), 0);
    }
    // Marked once, when the dialog goes.
    EXPECT_EQ(w.world.prj->GetModCount(), 1);
}

// --- Renumber and rename --------------------------------------------------

// What the current navigator offers a renumber: its element twice and a
// free number.
struct FakeRenumberNav {
    int32_t current = 12;
    int32_t freeNum = 40;
    CDlgRunner::RenumberNums Start() const { return {current, current, freeNum}; }
};

TEST(workspace_small_dialog_forms, RenumberStartsFromTheNavigatorOrEmpty)
{
    FrameFixture f;
    const FakeRenumberNav nav;
    CDlgRenumberForm texts(CDlgRunner::kRenumberTexts, nav.Start());
    EXPECT_STREQ(texts.Caption(), "Umnummerieren");
    EXPECT_EQ(texts.from, "12");
    EXPECT_EQ(texts.to, "12");
    EXPECT_EQ(texts.target, "40");

    CDlgRenumberForm copy(CDlgRunner::kRenumberCopyRow, nav.Start());
    EXPECT_STREQ(copy.Caption(), "Kopieren");
    EXPECT_EQ(copy.from + copy.to + copy.target, "");
    EXPECT_EQ(copy.Ok(), std::nullopt);
    EXPECT_EQ(f.ui.BoxIds(), std::vector<int>{15031});

    copy.from = "3";
    copy.to = "-4";
    copy.target = "9";
    const auto nums = copy.Ok();
    ASSERT_TRUE(nums);
    EXPECT_EQ(nums->from, 3);
    EXPECT_EQ(nums->to, -4);
    EXPECT_EQ(nums->target, 9);
}

TEST(workspace_small_dialog_forms, RenameHandsNumberAndNameBack)
{
    FrameFixture f;
    CDlgRenameForm form(7, "Haupt");
    EXPECT_EQ(form.number, "7");
    form.number = "8";
    form.name = "Neu";
    const auto result = form.Ok();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->number, 8);
    EXPECT_EQ(result->name, "Neu");
    form.number = "65536";
    EXPECT_EQ(form.Ok(), std::nullopt);
}

// --- Softkeys -------------------------------------------------------------

struct SoftkeysWorld {
    SoftkeysWorld()
    {
        for (int num : {1, 2, 7}) {
            auto* act = new CPrjSkAct(num, nullptr);
            world.prj->InsSkAct(act);
        }
        text->SetPressAct(1, Act(0));
        text->SetPressAct(9, Act(1));
        text->SetReleaseAct(12, Act(2));
        world.prj->InsSkTxt(text);
        world.prj->SetModified(false);
    }

    CPrjSkAct* Act(int index) const { return world.prj->GetSkActList()->ItemAt(index); }

    FrameFixture f;
    ProjectWorld world{World(118), f.bundle};
    CPrjSkTxt* text = new CPrjSkTxt(3);
};

TEST(workspace_small_dialog_forms, EightKeysKeepTheUpperKeysAndHideTheirLabels)
{
    SoftkeysWorld w;
    CDlgSoftkeysForm form(*w.text, *w.world.prj->GetSkActList(), 8, w.world.prj.get());
    EXPECT_EQ(form.Entries(), (std::vector<std::string>{"<>", "1", "2", "7"}));
    EXPECT_TRUE(form.KeyShown(8));
    EXPECT_FALSE(form.KeyShown(9));
    EXPECT_FALSE(form.UpperLabelsShown());
    EXPECT_EQ(form.PressSel(1), 1);

    form.SetPressSel(1, 0);
    form.SetReleaseSel(2, 3);
    form.SetPressSel(9, 0);
    form.Ok();
    EXPECT_EQ(w.text->GetPressAct(1), nullptr);
    EXPECT_EQ(w.text->GetReleaseAct(2), w.Act(2));
    EXPECT_EQ(w.text->GetPressAct(9), w.Act(1));
    EXPECT_EQ(w.text->GetReleaseAct(12), w.Act(2));
    EXPECT_EQ(w.Act(0)->GetUseCount(), 0);
    EXPECT_EQ(w.Act(2)->GetUseCount(), 2);

    CDlgSoftkeysForm twenty(*w.text, *w.world.prj->GetSkActList(), 20, w.world.prj.get());
    EXPECT_TRUE(twenty.UpperLabelsShown());
    EXPECT_EQ(twenty.ReleaseSel(12), 3);
}

// --- Change counter over every editing dialog -----------------------------

TEST(workspace_small_dialog_forms, EveryEditingDialogMarksExactlyARealChange)
{
    struct Case {
        const char* name;
        std::function<void(ProjectWorld&, bool change)> run;
    };
    const Case cases[] = {
        {"message options",
         [](ProjectWorld& w, bool change) {
             auto* text = new CMsgTxt(5, 2, 1, 0);
             w.prj->InsMsgTxt(text);
             w.prj->SetModified(false);
             CDlgMsgOptForm form(*text, w.prj.get(), "midi");
             form.Ok(change ? 1950 : form.PrioRadio(), form.DelModeRadio(), form.Alarm());
         }},
        {"project options",
         [](ProjectWorld& w, bool change) {
             CDlgPrjOptForm form(*w.prj, "plus");
             form.Ok(change != form.Ticked());
         }},
        {"softkeys",
         [](ProjectWorld& w, bool change) {
             auto* act = new CPrjSkAct(1, nullptr);
             w.prj->InsSkAct(act);
             auto* text = new CPrjSkTxt(0);
             w.prj->InsSkTxt(text);
             w.prj->SetModified(false);
             CDlgSoftkeysForm form(*text, *w.prj->GetSkActList(), 4, w.prj.get());
             if (change)
                 form.SetPressSel(2, 1);
             form.Ok();
         }},
        {"recipe data",
         [](ProjectWorld& w, bool change) {
             CPrjVarBcd var("Bcd", 30, 1, 0, 4, 0, 9999, 0);
             CPrjVarValList values(4, 4);
             values.InsertPair(&var, 0);
             CDlgRcpDataForm form(values, w.prj.get());
             form.EditChanged(change ? "17" : "0");
             form.LeaveEdit();
         }},
    };
    for (const Case& c : cases) {
        for (const bool change : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (change ? " changed" : " unchanged"));
            FrameFixture f;
            ProjectWorld world(World(118), f.bundle);
            world.prj->SetModified(false);
            c.run(world, change);
            EXPECT_EQ(world.prj->GetModCount(), change ? 1 : 0);
        }
    }
}

} // namespace

} // namespace orv
