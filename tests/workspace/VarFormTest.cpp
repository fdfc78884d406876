#include "workspace/forms/DlgVarForm.h"

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/project/DrvParColl.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "model/project/TxtRow.h"
#include "support/PrjBuilder.h"
#include "support/ProjectWorld.h"
#include "support/SpsParBuilder.h"
#include "workspace/FrameViews.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using F = CDlgVarForm;

struct VfRedraws : IViewDc {
    void SavTxtRows() override {}
    void RstTxtRows() override {}
    void Unload() override {}
    void SetPage(int) override {}
    void RedrawParts(int parts) override { calls.push_back(parts); }
    void CaretHome() override {}
    void CopyCurTxt() override {}
    void InsChrAtCaret(int) override {}
    std::vector<int> calls;
};

// A loaded project (VAR items on words 5..9, 20..23, 30..32, MSG on 40) under
// a frame that logs debug lines, and a form over it.
class workspace_var_form : public ::testing::Test {
public:
    workspace_var_form() : w(LoadedWorld(14).OwnUi().Build()) { frame.SetLogLevel(kLogDebug); }
    // Another project; what belonged to the old one goes first.
    void Rebuild(const WorldRecipe& recipe)
    {
        form.reset();
        handed.reset();
        w.reset();
        w = WorldRecipe(recipe).OwnUi().Build();
    }
    // Opens the form on a variable of the project, or on a name it lacks.
    F& Open(const CPrjVar& var)
    {
        form = std::make_unique<F>();
        form->SetVar(&var, 0);
        form->SetView(&view);
        form->Open(&w->bundle, "DW-Caption");
        return *form;
    }
    F& OpenNew(const char* name)
    {
        handed = std::make_unique<CPrjVarBit>(name, 0, 1, 12, 0, &w->pool);
        return Open(*handed);
    }
    template <class Var, class... Args>
    CPrjVar* Add(Args&&... args)
    {
        auto var = std::make_unique<Var>(std::forward<Args>(args)...);
        CPrjVar* raw = var.get();
        EXPECT_GE(w->prj->InsVar(var.release()), 0);
        w->sps->UseItem(*raw);
        return raw;
    }
    CPrjVar* Find(const char* name) const { return w->prj->GetVarList()->FindByName(std::string_view(name)); }
    int Uses(uint16_t word) const { return w->sps->GetItems().FindItem(word)->GetUseCount(); }

    CFrameState frame;
    ScopedMainFrame frameScope{frame};
    std::unique_ptr<ProjectWorld> w;
    PrjBuilder B() const { return PrjBuilder(*w->prj); }
    VfRedraws view;
    std::unique_ptr<CPrjVar> handed;
    std::unique_ptr<F> form;
};

TEST_F(workspace_var_form, OpensEachKindOnItsPage)
{
    struct Case {
        const char* name;
        std::function<CPrjVar*(workspace_var_form&)> make;
        bool dwordOption;
        int page;
        std::vector<int> checked;
        std::vector<std::pair<int, std::string>> texts;
        std::vector<int> disabled;
    };
    auto pool = [](workspace_var_form& f) { return f.w->prj->GetTextPool(); };
    const Case cases[] = {
        {"BCD 30", [](auto& f) { return f.template Add<CPrjVarBcd>("B", 20, 1, 30, 6, 1, 99999, 1); }, false, 4,
         {F::kFmtBcd, F::kBcdDouble, F::kBcdZeros, F::kBcdHidden, F::kIst},
         {{F::kBcdDigits, "6"}, {F::kBcdMin, "1"}, {F::kBcdMax, "99999"}, {F::kWord, "20"}}, {}},
        {"Binaer 3", [](auto& f) { return f.template Add<CPrjVarBin>("N", 21, 2, 3, 4, 1, 0, 999, 0, 999); }, false, 2,
         {F::kFmtBin, F::kBinZeros, F::kBinCalc, F::kSoll},
         {{F::kBinInt, "4"}, {F::kBinDec, "1"}, {F::kBinOrvMax, "999"}, {F::kBinPlcMax, "999"}}, {}},
        {"Binaer 23, option off", [](auto& f) { return f.template Add<CPrjVarVbin>("V", 21, 3, 23, 6, 0, -5, 5, 0, 0); },
         false, 2, {F::kFmtBin, F::kBinDouble, F::kBinSign, F::kBinZeros, F::kBinCalc, F::kSollP},
         {{F::kBinOrvMin, "-5"}, {F::kBinPlcMin, "-32768"}}, {F::kBinPlcMin, F::kBinPlcMax}},
        {"Binaer 23, option on",
         [](auto& f) { return f.template Add<CPrjVarVbin>("V", 21, 1, 23, 6, 0, -5, 5, -50, 50); }, true, 2,
         {F::kFmtBin, F::kBinDouble, F::kBinSign}, {{F::kBinPlcMin, "-50"}, {F::kBinPlcMax, "50"}}, {}},
        {"Bit", [](auto& f) { return f.B().AddBitVar("Bt", 20, "aus", "ein"); }, false, 0, {F::kFmtBit},
         {{F::kWord, "20"}, {F::kBitNo, "3"}}, {}},
        {"String 26",
         [pool](auto& f) {
             auto* s = f.template Add<CPrjVarString>("S", 22, 1, 26, pool(f));
             static_cast<CPrjVarString*>(s)->SetTxtCount(3);
             s->SetStateTxt(3, "drei");
             return s;
         },
         false, 1, {F::kFmtString, F::kStrCstring}, {{F::kStrCount, "3"}}, {}},
        {"Timer", [pool](auto& f) { return f.template Add<CPrjVarTimer>("T", 22, 1, 36, pool(f)); }, false, 3,
         {F::kFmtTimer}, {}, {}},
        {"Word 33", [](auto& f) { return f.template Add<CPrjVarWord>("W", 22, 1, 33, 1); }, false, 6,
         {F::kFmtWord, F::kWordKh}, {}, {}},
        {"ASCII", [](auto& f) { return f.template Add<CPrjVarAscii>("A", 5, 1, 34, 4); }, false, 5, {F::kFmtAscii},
         {{F::kAsciiLen, "8"}}, {}},
        {"type 251", [](auto& f) { return f.template Add<CPrjVar>("M", 22, 0u, 1, 251); }, false, F::kNoPage, {F::kIst},
         {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rebuild(LoadedWorld(14));
        w->prj->SetDWordVars(c.dwordOption ? 1 : 0);
        CPrjVar* var = c.make(*this);
        ASSERT_NE(var, nullptr);
        Open(*var);
        EXPECT_EQ(form->Page(), c.page);
        EXPECT_EQ(form->Text(F::kGrpAdr), "DW-Caption");
        for (int id : c.checked) EXPECT_TRUE(form->Checked(id)) << id;
        for (const auto& [id, text] : c.texts) EXPECT_EQ(form->Text(id), text) << id;
        for (int id : c.disabled) EXPECT_FALSE(form->Enabled(id)) << id;
        for (int radio = F::kFmtBit; radio <= F::kFmtMc5; ++radio)
            EXPECT_EQ(form->Checked(radio), c.page != F::kNoPage && radio == F::kFmtBit + c.page) << radio;
        // Only the shown page's controls are visible.
        EXPECT_EQ(form->Shown(1500), c.page == 4);
        EXPECT_EQ(form->Shown(1403), c.page == 0);
    }
}

TEST_F(workspace_var_form, NewNameGetsPendingStringAndTheProposal)
{
    w->prj->SetVarDlgPreset(21);
    OpenNew("Neu");
    EXPECT_EQ(form->Edited(), nullptr);
    EXPECT_TRUE(form->Checked(F::kIst));
    EXPECT_EQ(form->Page(), 0);
    EXPECT_EQ(form->Text(F::kWord), "21");
    EXPECT_EQ(form->Lines(F::kBitList), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(w->prj->GetVarDlgPreset(), 0);

    // A "new" name that exists opens as that variable.
    CPrjVar* bit = B().AddBitVar("Da", 20, "a", "b");
    OpenNew("Da");
    EXPECT_EQ(form->Edited(), bit);
    EXPECT_EQ(form->Lines(F::kBitList), (std::vector<std::string>{"a", "b"}));
}

TEST_F(workspace_var_form, RecipeUseDisablesTheFormat)
{
    CPrjVar* num = B().AddNumVar("R", 20);
    AddText(*w->prj, TextKind::Rcp, 1, "Wert ####", {{num, 5}});
    Open(*num);
    for (int radio = F::kFmtBit; radio <= F::kFmtMc5; ++radio) EXPECT_FALSE(form->Enabled(radio));
    EXPECT_FALSE(form->Enabled(F::kBinDouble));
    EXPECT_EQ(w->ui.BoxIds(), std::vector<int>{16322});
}

TEST_F(workspace_var_form, PageSetUpAndLineButtons)
{
    struct Case {
        int radio, page;
        std::vector<std::pair<int, std::string>> texts;
        std::vector<int> shownButtons;
        int charTarget;
    };
    const Case cases[] = {
        {F::kFmtBit, 0, {{F::kBitNo, "0"}}, {F::kChar}, F::kBitList},
        {F::kFmtString, 1, {}, {F::kChar, F::kCopy, F::kInsert, F::kRemove}, F::kStrList},
        {F::kFmtBin, 2, {{F::kBinOrvMin, "0"}, {F::kBinOrvMax, "65535"}, {F::kBinPlcMax, "65535"}, {F::kBinInt, "5"},
                        {F::kBinDec, "0"}}, {}, 0},
        {F::kFmtTimer, 3, {}, {F::kChar, F::kCopy}, F::kTimerList},
        {F::kFmtBcd, 4, {{F::kBcdDigits, "4"}, {F::kBcdMin, "0"}, {F::kBcdMax, "9999"}}, {}, 0},
        {F::kFmtAscii, 5, {{F::kAsciiLen, "16"}}, {}, 0},
        {F::kFmtWord, 6, {}, {}, 0},
        {F::kFmtMc5, 7, {}, {F::kChar, F::kCopy, F::kInsert, F::kRemove}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        OpenNew("Neu");
        form->OnFormat(c.radio);
        EXPECT_EQ(form->Page(), c.page);
        for (const auto& [id, text] : c.texts) EXPECT_EQ(form->Text(id), text) << id;
        for (int id : {F::kChar, F::kCopy, F::kInsert, F::kRemove})
            EXPECT_EQ(form->Shown(id), std::count(c.shownButtons.begin(), c.shownButtons.end(), id) == 1) << id;
        EXPECT_FALSE(form->Enabled(F::kCopy));
        EXPECT_FALSE(form->Enabled(F::kFmtMc5));
        EXPECT_EQ(form->CharTarget(), c.charTarget);
    }
    form->OnFormat(F::kFmtTimer);
    EXPECT_EQ(form->Lines(F::kTimerList), (std::vector<std::string>{".0", ".1", ".2", ".3"}));
    form->OnFormat(F::kFmtString);
    EXPECT_EQ(form->Lines(F::kStrList).size(), 3u);
    form->OnFormat(F::kFmtWord);
    EXPECT_TRUE(form->Checked(F::kWordKm));
}

TEST_F(workspace_var_form, SignAndDoubleWordSetTheLimitEdits)
{
    struct Case {
        bool option, sign;
        const char *plcMin, *plcMax;
    };
    const Case cases[] = {
        {false, true, "-32768", "32767"},
        {true, true, "-2147483648", "2147483647"},
        {false, false, "0", "65535"},
        {true, false, "0", "65535"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " sign " << c.sign);
        w->prj->SetDWordVars(c.option ? 1 : 0);
        OpenNew("Neu");
        form->OnFormat(F::kFmtBin);
        form->OnCheck(F::kBinSign, c.sign);
        EXPECT_EQ(form->Text(F::kBinOrvMin), c.sign ? "-32768" : "0");
        EXPECT_EQ(form->Text(F::kBinPlcMin), c.plcMin);
        EXPECT_EQ(form->Text(F::kBinPlcMax), c.plcMax);
        EXPECT_EQ(form->Control(F::kBinOrvMin).signedNum, c.sign);
        form->OnCheck(F::kBinDouble, true);
        EXPECT_EQ(form->Enabled(F::kBinPlcMin), c.option);
        EXPECT_EQ(form->Enabled(F::kBinPlcMax), c.option);
        form->OnCheck(F::kBinDouble, false);
        EXPECT_TRUE(form->Enabled(F::kBinPlcMax));
        // The pair that checking Vorzeichen writes passes OK; the whole
        // signed range of a double word scales against the same ORV range.
        form->SetText(F::kWord, "20");
        form->OnCheck(F::kBinDouble, c.option);
        if (c.option && c.sign) {
            form->SetText(F::kBinInt, "10");
            form->SetText(F::kBinOrvMin, "-2147483648");
            form->SetText(F::kBinOrvMax, "2147483647");
        }
        EXPECT_TRUE(form->OnOk()) << form->Focus() << " " << testing::PrintToString(w->ui.BoxIds());
    }
}

TEST_F(workspace_var_form, CountEditClampsGrowsAndAsksBeforeShrinking)
{
    OpenNew("Neu");
    form->OnFormat(F::kFmtString);
    form->SetText(F::kStrCount, "1");
    form->OnLeave(F::kStrCount);
    EXPECT_EQ(form->Text(F::kStrCount), "2");
    form->SetText(F::kStrCount, "10");
    form->OnLeave(F::kStrCount);
    EXPECT_EQ(form->Lines(F::kStrList).size(), 11u);

    w->ui.AnswerQuestion(15614, false);
    form->SetText(F::kStrCount, "5");
    form->OnLeave(F::kStrCount);
    EXPECT_EQ(form->Text(F::kStrCount), "10");
    EXPECT_EQ(form->Lines(F::kStrList).size(), 11u);
    const auto questions = w->ui.CallsOf(UiCall::Kind::Question);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "Auspraegungen 6 bis 10 werden gel\xf6scht");

    w->ui.AnswerQuestion(15614, true);
    form->OnLeave(F::kStrCount);
    form->SetText(F::kStrCount, "5");
    form->OnLeave(F::kStrCount);
    EXPECT_EQ(form->Lines(F::kStrList).size(), 6u);

    form->SetText(F::kStrCount, "300");
    form->OnLeave(F::kStrCount);
    EXPECT_EQ(form->Text(F::kStrCount), "255");
    form->OnInsertLine();
    EXPECT_EQ(form->Lines(F::kStrList).size(), 256u);
    for (int i = 0; i < 300; ++i) form->OnRemoveLine();
    EXPECT_EQ(form->Lines(F::kStrList).size(), 3u);
    EXPECT_EQ(form->Text(F::kStrCount), "2");
    EXPECT_FALSE(form->Enabled(F::kRemove));
    form->OnInsertLine();
    EXPECT_EQ(form->Text(F::kStrCount), "3");
    EXPECT_TRUE(form->Enabled(F::kRemove));

    // Lines go in before and out at the selected line.
    form->SetLines(F::kStrList, {"a", "b", "c", "d"});
    form->SelectLine(F::kStrList, 1);
    form->OnInsertLine();
    EXPECT_EQ(form->Lines(F::kStrList), (std::vector<std::string>{"a", "", "b", "c", "d"}));
    form->SelectLine(F::kStrList, 3);
    form->OnRemoveLine();
    EXPECT_EQ(form->Lines(F::kStrList), (std::vector<std::string>{"a", "", "b", "d"}));
    EXPECT_EQ(form->Text(F::kStrCount), "3");
}

TEST_F(workspace_var_form, OkRefusesEachBadInputAtItsField)
{
    struct Case {
        const char* name;
        int radio;
        std::vector<std::pair<int, std::string>> texts;
        std::vector<int> checks;
        int msg, focus;
        int cls = F::kIst;
    };
    const Case cases[] = {
        {"ASCII 18", F::kFmtAscii, {{F::kAsciiLen, "18"}}, {}, 15031, F::kAsciiLen},
        {"ASCII 7", F::kFmtAscii, {{F::kAsciiLen, "7"}}, {}, 16320, F::kAsciiLen},
        {"BCD digits 9", F::kFmtBcd, {{F::kBcdDigits, "9"}}, {F::kBcdDouble}, 15031, F::kBcdDigits},
        {"Vorkomma 0", F::kFmtBin, {{F::kBinInt, "0"}}, {}, 15031, F::kBinInt},
        {"Nachkomma 10", F::kFmtBin, {{F::kBinDec, "10"}}, {}, 15031, F::kBinDec},
        {"bit 16", F::kFmtBit, {{F::kBitNo, "16"}, {F::kWord, "20"}}, {}, 15031, F::kBitNo},
        {"PLC max 70000 on BIN-1", F::kFmtBin, {{F::kBinPlcMax, "70000"}}, {}, 15031, F::kBinPlcMax},
        {"signed PLC min", F::kFmtBin, {{F::kBinPlcMin, "-40000"}}, {F::kBinSign}, 15031, F::kBinPlcMin},
        {"no item", F::kFmtBcd, {{F::kWord, "50"}}, {}, 16301, F::kWord},
        {"MSG for IST is fine, SOLL not", F::kFmtBcd, {{F::kWord, "40"}}, {}, 16302, F::kWord, F::kSoll},
        {"empty bit texts", F::kFmtBit, {{F::kWord, "20"}}, {}, 16304, F::kBitList},
        {"BCD 5 digits single word", F::kFmtBcd, {{F::kBcdDigits, "5"}}, {}, 16308, F::kBcdDigits},
        {"BCD min", F::kFmtBcd, {{F::kBcdMin, "10000"}}, {}, 16309, F::kBcdMin},
        {"BCD max", F::kFmtBcd, {{F::kBcdMax, "-1"}}, {}, 16310, F::kBcdMax},
        {"BCD min >= max", F::kFmtBcd, {{F::kBcdMin, "9"}, {F::kBcdMax, "9"}}, {}, 16311, F::kBcdMax},
        {"Binaer 6 + 5", F::kFmtBin, {{F::kBinInt, "6"}, {F::kBinDec, "5"}}, {}, 16312, F::kBinInt},
        {"ORV min", F::kFmtBin, {{F::kBinInt, "2"}, {F::kBinOrvMax, "99"}, {F::kBinOrvMin, "100"}}, {}, 16313,
         F::kBinOrvMin},
        {"ORV max", F::kFmtBin, {{F::kBinInt, "2"}, {F::kBinOrvMax, "100"}}, {}, 16314, F::kBinOrvMax},
        {"ORV min >= max", F::kFmtBin, {{F::kBinOrvMin, "7"}, {F::kBinOrvMax, "7"}}, {}, 16316, F::kBinOrvMax},
        {"PLC min >= max", F::kFmtBin, {{F::kBinPlcMin, "7"}, {F::kBinPlcMax, "7"}}, {}, 16317, F::kBinPlcMax},
        {"scaling", F::kFmtBin, {{F::kBinOrvMax, "99999"}, {F::kBinPlcMax, "65533"}}, {}, 16318, 0},
        {"timer empty", F::kFmtTimer, {}, {}, 16321, F::kTimerList},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->prj->SetDevType(33); // no blank stands in for an empty time base
        OpenNew("Neu");
        w->ui.ClearCalls();
        form->OnFormat(c.radio);
        form->SetText(F::kWord, "20");
        if (c.radio == F::kFmtTimer) form->SetLines(F::kTimerList, {"", "", "", ""});
        for (int id : c.checks) form->OnCheck(id, true);
        for (const auto& [id, text] : c.texts) form->SetText(id, text);
        form->OnClass(c.cls);
        const int count = w->prj->GetVarList()->GetCount();
        EXPECT_FALSE(form->OnOk());
        EXPECT_EQ(w->ui.BoxIds(), std::vector<int>{c.msg});
        EXPECT_EQ(form->Focus(), c.focus);
        EXPECT_EQ(w->prj->GetVarList()->GetCount(), count);
    }
}

TEST_F(workspace_var_form, OkAcceptsTheEdgesOfEachRange)
{
    struct Case {
        const char* name;
        int radio;
        std::vector<std::pair<int, std::string>> texts;
        std::vector<int> checks;
        std::vector<int> boxes;
    };
    const Case cases[] = {
        {"Binaer 6 + 4", F::kFmtBin, {{F::kBinInt, "6"}, {F::kBinDec, "4"}}, {}, {}},
        {"signed 10 digits, full 32 bits", F::kFmtBin,
         {{F::kBinInt, "10"}, {F::kBinOrvMin, "-2147483648"}, {F::kBinOrvMax, "2147483647"}},
         {F::kBinSign, F::kBinDouble}, {}},
        {"BCD 5 digits with Doppelwort", F::kFmtBcd, {{F::kBcdDigits, "5"}, {F::kBcdMax, "99999"}}, {F::kBcdDouble},
         {}},
        {"message word", F::kFmtBcd, {{F::kWord, "40"}}, {}, {16306}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenNew("Neu");
        w->ui.ClearCalls();
        form->OnFormat(c.radio);
        form->SetText(F::kWord, "20");
        for (int id : c.checks) form->OnCheck(id, true);
        for (const auto& [id, text] : c.texts) form->SetText(id, text);
        EXPECT_TRUE(form->OnOk()) << form->Focus();
        EXPECT_EQ(w->ui.BoxIds(), c.boxes);
        w->prj->GetVarList()->Delete(Find("Neu"));
    }
}

TEST_F(workspace_var_form, AddressAndRowRefusalsAtOk)
{
    // An odd doubled word address.
    Rebuild(LoadedWorld(14).Sps(SpsParBuilder().Type(24).Var(10).Var(11, 2)));
    OpenNew("Neu");
    form->OnFormat(F::kFmtBcd);
    form->SetText(F::kWord, "21");
    EXPECT_FALSE(form->OnOk());
    EXPECT_EQ(w->ui.BoxIds(), std::vector<int>{16300});
    EXPECT_EQ(form->Focus(), F::kWord);
    // An actual value on a word that only takes setpoints.
    w->ui.ClearCalls();
    form->SetText(F::kWord, "22");
    EXPECT_FALSE(form->OnOk());
    EXPECT_EQ(w->ui.BoxIds(), std::vector<int>{16303});
    w->ui.ClearCalls();
    form->OnClass(F::kSoll);
    EXPECT_TRUE(form->OnOk());

    // ASCII beside another variable in a row, on a panel whose ASCII fields
    // stand alone.
    Rebuild(LoadedWorld(14));
    CPrjVar* text = Add<CPrjVarAscii>("A", 20, 1, 34, 2);
    CPrjVar* other = B().AddNumVar("N", 21);
    AddText(*w->prj, TextKind::Op, 1, "#### ####", {{text, 0}, {other, 5}});
    Open(*text);
    EXPECT_FALSE(form->OnOk());
    EXPECT_EQ(w->ui.BoxIds(), std::vector<int>{16319});
}

TEST_F(workspace_var_form, WidthBeyondAnExistingUseRefused)
{
    CPrjVar* bcd = Add<CPrjVarBcd>("B", 20, 1, 0, 4, 0, 9999, 0);
    bcd->SetMaxWidth(5);
    Open(*bcd);
    form->OnCheck(F::kBcdDouble, true);
    form->SetText(F::kBcdDigits, "6");
    EXPECT_FALSE(form->OnOk());
    EXPECT_EQ(w->ui.BoxIds(), std::vector<int>{16305});
    form->SetText(F::kBcdDigits, "5");
    EXPECT_TRUE(form->OnOk());
}

TEST_F(workspace_var_form, StringCountAboveTheEditRefusesSilently)
{
    OpenNew("Neu");
    form->OnFormat(F::kFmtString);
    form->SetText(F::kStrCount, "256");
    EXPECT_FALSE(form->OnOk());
    EXPECT_EQ(form->Text(F::kStrCount), "255");
    EXPECT_EQ(form->Focus(), F::kStrCount);
    EXPECT_TRUE(w->ui.BoxIds().empty());
}

TEST_F(workspace_var_form, TypeCodeFromPageAndOptions)
{
    struct Case {
        int radio;
        std::vector<int> checks;
        int code;
    };
    const Case cases[] = {
        {F::kFmtBit, {}, 12},
        {F::kFmtString, {}, 14},
        {F::kFmtString, {F::kStrCstring}, 26},
        {F::kFmtBin, {}, 4},
        {F::kFmtBin, {F::kBinCalc}, 2},
        {F::kFmtBin, {F::kBinCalc, F::kBinZeros, F::kBinDouble, F::kBinSign}, 23},
        {F::kFmtBin, {F::kBinSign}, 20},
        {F::kFmtTimer, {}, 36},
        {F::kFmtBcd, {}, 0},
        {F::kFmtBcd, {F::kBcdZeros}, 28},
        {F::kFmtBcd, {F::kBcdDouble}, 16},
        {F::kFmtBcd, {F::kBcdDouble, F::kBcdZeros}, 30},
        {F::kFmtAscii, {}, 34},
        {F::kFmtWord, {}, 33},
        {F::kFmtMc5, {}, 251},
    };
    OpenNew("Neu");
    for (const Case& c : cases) {
        form->OnFormat(c.radio);
        for (int id : {F::kStrCstring, F::kBinCalc, F::kBinZeros, F::kBinDouble, F::kBinSign, F::kBcdZeros,
                       F::kBcdDouble})
            form->OnCheck(id, std::count(c.checks.begin(), c.checks.end(), id) == 1);
        EXPECT_EQ(form->TypeCode(), c.code) << c.radio;
    }
}

TEST_F(workspace_var_form, NewVariableIsInsertedOnceAndUsesItsItem)
{
    OpenNew("Neu");
    form->SetText(F::kWord, "21");
    form->SetText(F::kBitNo, "4");
    form->SetLines(F::kBitList, {"aus", "ein"});
    const uint16_t before = w->bundle.modCount;
    (void)before;
    ASSERT_TRUE(form->OnOk());
    EXPECT_TRUE(form->Changed());
    CPrjVar* made = Find("Neu");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetType(), 12);
    EXPECT_EQ(made->GetAdr(), 21);
    EXPECT_EQ(static_cast<CPrjVarBit*>(made)->GetBitNr(), 4u);
    EXPECT_STREQ(made->GetStateTxt(1), "ein");
    EXPECT_EQ(Uses(21), 1);
    EXPECT_EQ(view.calls, std::vector<int>{2});
    EXPECT_TRUE(w->ui.HasLogLine("Neue Variable wurde bearbeitet"));
    EXPECT_TRUE(w->ui.HasLogLine("CDlgVar Vardata changed !"));

    // A new String takes the pending object.
    OpenNew("Str");
    form->OnFormat(F::kFmtString);
    form->SetText(F::kWord, "22");
    form->SetLines(F::kStrList, {"null", "eins", "zwei"});
    ASSERT_TRUE(form->OnOk());
    EXPECT_EQ(Find("Str")->GetType(), 14);
    EXPECT_STREQ(Find("Str")->GetStateTxt(2), "zwei");
}

TEST_F(workspace_var_form, BitEditedInPlaceOrReplacedInEveryRow)
{
    CPrjVar* bit = B().AddBitVar("Bt", 20, "aus", "ein");
    w->sps->UseItem(*bit);
    AddText(*w->prj, TextKind::Op, 1, "Zustand ###", {{bit, 8}});
    AddText(*w->prj, TextKind::Msg, 2, "Meldung ###", {{bit, 8}});

    Open(*bit);
    form->SetLines(F::kBitList, {"off", "ein"});
    ASSERT_TRUE(form->OnOk()) << form->Focus() << " " << testing::PrintToString(w->ui.BoxIds());
    EXPECT_EQ(Find("Bt"), bit);
    EXPECT_STREQ(bit->GetStateTxt(0), "off");

    Open(*bit);
    form->SetLines(F::kBitList, {"ausgeschalt", "ein"});
    form->SetText(F::kWord, "21");
    ASSERT_TRUE(form->OnOk()) << form->Focus() << " " << testing::PrintToString(w->ui.BoxIds()) << " "
                              << int(bit->GetMaxWidth());
    CPrjVar* now = Find("Bt");
    ASSERT_NE(now, nullptr);
    EXPECT_NE(now, bit);
    EXPECT_STREQ(now->GetStateTxt(0), "ausgeschalt");
    for (TextKind kind : {TextKind::Op, TextKind::Msg}) {
        const CTxtRowBase* row = TextRow(*w->prj, kind, kind == TextKind::Op ? 1 : 2);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetVarSlot(0).var, now);
    }
    EXPECT_EQ(Uses(20), 0);
    EXPECT_EQ(Uses(21), 1);
}

TEST_F(workspace_var_form, BinTwoInPlaceWithTheOptionKeepsThePlcLimits)
{
    w->prj->SetDWordVars(1);
    CPrjVar* bin = Add<CPrjVarBin>("D", 20, 1, 8, 5, 0, 0, 1000, 0, 100);
    Open(*bin);
    form->SetText(F::kBinPlcMax, "200");
    ASSERT_TRUE(form->OnOk()) << form->Focus();
    EXPECT_EQ(Find("D"), bin);
    EXPECT_EQ(bin->GetExtWord4(), 200);

    w->prj->SetDWordVars(0);
    Open(*bin);
    ASSERT_TRUE(form->OnOk());
    EXPECT_EQ(bin->GetExtWord4(), 0);
}

TEST_F(workspace_var_form, NothingChangesWithoutApply)
{
    Rebuild(LoadedWorld(14).Sps(SpsParBuilder().Var(20, 2).Flag(20).Var(21, 2)));
    CPrjVar* num = Add<CPrjVarBin>("N", 21, 2, 4, 4, 0, 0, 9999, 0, 9999);
    const int count = w->prj->GetVarList()->GetCount();
    // Cancel: the form goes without OK.
    Open(*num);
    form->SetText(F::kWord, "20");
    form.reset();
    // A failed check after a recorded widening.
    Open(*num);
    form->SetText(F::kWord, "20");
    form->SetText(F::kBinOrvMax, "0");
    EXPECT_FALSE(form->OnOk());
    EXPECT_EQ(w->sps->GetItems().FindItem(20)->GetDirection(), 2);
    EXPECT_EQ(w->prj->GetVarList()->GetCount(), count);
    EXPECT_EQ(num->GetAdr(), 21);
    // OK applies the widening.
    form->SetText(F::kBinOrvMax, "9999");
    form->OnClass(F::kIst);
    ASSERT_TRUE(form->OnOk());
    EXPECT_EQ(w->sps->GetItems().FindItem(20)->GetDirection(), 3);
    EXPECT_EQ(num->GetAdr(), 20);
}

TEST_F(workspace_var_form, UnusedPendingAndRefusedObjectsAreFreed)
{
    // Without the character set a replacement is not built.
    Rebuild(World(14).Sps(SpsParBuilder().Var(20).Var(21)));
    CPrjVar* bit = Add<CPrjVarBit>("Bt", 20, 1, 12, 0, w->prj->GetTextPool());
    bit->SetStateTxt(0, "a");
    Open(*bit);
    form->SetLines(F::kBitList, {"sehr lang", "b"});
    ASSERT_TRUE(form->OnOk());
    EXPECT_FALSE(form->Changed());
    EXPECT_EQ(Find("Bt"), bit);
    EXPECT_TRUE(w->ui.HasLogLine("CDlgVar Vardata NOT changed !"));
    EXPECT_TRUE(view.calls.empty());
    // A pending String that OK never used goes with the form (the
    // sanitizer build sees a leak otherwise).
    OpenNew("Neu");
    form.reset();

    // The list refuses a new variable whose cut name another one holds.
    Rebuild(LoadedWorld(14));
    CPrjVar* held = B().AddNumVar("Sechzehn_Zeichen", 20);
    OpenNew("Sechzehn_Zeichen_und_mehr");
    EXPECT_EQ(form->Edited(), nullptr);
    form->OnFormat(F::kFmtString);
    form->SetText(F::kWord, "21");
    form->SetLines(F::kStrList, {"a", "b", "c"});
    const int count = w->prj->GetVarList()->GetCount();
    ASSERT_TRUE(form->OnOk());
    EXPECT_FALSE(form->Changed());
    EXPECT_EQ(w->prj->GetVarList()->GetCount(), count);
    EXPECT_EQ(Find("Sechzehn_Zeichen"), held);
    EXPECT_EQ(Uses(21), 0);
}

TEST_F(workspace_var_form, ApplyUpdatesInPlaceReplacesOrLeavesAlone)
{
    enum class Result { InPlace, Replaced, Unchanged };
    struct Case {
        const char* name;
        std::function<CPrjVar*(workspace_var_form&)> make;
        std::function<void(F&)> edit;
        Result result;
        int newType;
    };
    const Case cases[] = {
        {"BCD, other maximum", [](auto& f) { return f.template Add<CPrjVarBcd>("X", 20, 1, 0, 4, 0, 9999, 0); },
         [](F& form) { form.SetText(F::kBcdMax, "99"); }, Result::InPlace, 0},
        {"BCD, other digits", [](auto& f) { return f.template Add<CPrjVarBcd>("X", 20, 1, 0, 4, 0, 9999, 0); },
         [](F& form) {
             form.OnCheck(F::kBcdDouble, true);
             form.SetText(F::kBcdDigits, "5");
         },
         Result::Replaced, 16},
        {"BIN-1 to leading zeros",
         [](auto& f) { return f.template Add<CPrjVarBin>("X", 20, 1, 4, 5, 0, 0, 65535, 0, 65535); },
         [](F& form) { form.OnCheck(F::kBinZeros, true); }, Result::InPlace, 5},
        {"BIN-1 to signed",
         [](auto& f) { return f.template Add<CPrjVarBin>("X", 20, 1, 4, 5, 0, 0, 65535, 0, 65535); },
         [](F& form) { form.OnCheck(F::kBinSign, true); }, Result::Replaced, 20},
        {"Word, same form", [](auto& f) { return f.template Add<CPrjVarWord>("X", 20, 1, 33, 1); }, [](F&) {},
         Result::Unchanged, 33},
        {"Word, other form", [](auto& f) { return f.template Add<CPrjVarWord>("X", 20, 1, 33, 1); },
         [](F& form) { form.OnWordForm(F::kWordKy); }, Result::Replaced, 33},
        {"Word 32", [](auto& f) { return f.template Add<CPrjVarWord>("X", 20, 1, 32, 0); }, [](F&) {},
         Result::Replaced, 33},
        {"ASCII, other class", [](auto& f) { return f.template Add<CPrjVarAscii>("X", 20, 1, 34, 2); },
         [](F& form) { form.OnClass(F::kSoll); }, Result::InPlace, 34},
        {"ASCII, other length", [](auto& f) { return f.template Add<CPrjVarAscii>("X", 20, 1, 34, 2); },
         [](F& form) { form.SetText(F::kAsciiLen, "2"); }, Result::Replaced, 34},
        {"old type 42",
         [](auto& f) {
             auto* v = f.template Add<CPrjVarString>("X", 20, 1, 42, f.w->prj->GetTextPool());
             static_cast<CPrjVarString*>(v)->SetTxtCount(2);
             v->SetStateTxt(0, "a");
             return v;
         },
         [](F& form) { form.SetLines(F::kStrList, {"anders", "", ""}); }, Result::Unchanged, 42},
        {"MC5 251, internal: its class stays", [](auto& f) { return f.template Add<CPrjVar>("X", 20, 0u, 1, 251); },
         [](F& form) { form.OnClass(F::kSoll); }, Result::Unchanged, 251},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rebuild(LoadedWorld(14));
        CPrjVar* var = c.make(*this);
        Open(*var);
        c.edit(*form);
        const uint16_t count = w->prj->GetModCount();
        ASSERT_TRUE(form->OnOk()) << form->Focus() << " " << testing::PrintToString(w->ui.BoxIds());
        CPrjVar* now = Find("X");
        ASSERT_NE(now, nullptr);
        EXPECT_EQ(now == var, c.result != Result::Replaced);
        EXPECT_EQ(now->GetType(), c.newType);
        EXPECT_EQ(form->Changed(), c.result != Result::Unchanged);
        EXPECT_EQ(w->prj->GetModCount(), count + (c.result != Result::Unchanged ? 1 : 0));
        EXPECT_EQ(view.calls.size(), c.result != Result::Unchanged ? 1u : 0u);
        EXPECT_TRUE(w->ui.HasLogLine("Vorhandene Variable wurde bearbeitet"));
        EXPECT_TRUE(w->ui.HasLogLine(c.result != Result::Unchanged ? "CDlgVar Vardata changed !"
                                                                   : "CDlgVar Vardata NOT changed !"));
        EXPECT_EQ(Uses(20), 1);
        view.calls.clear();
    }
}

TEST_F(workspace_var_form, InternalStateTextsKeepWhatTheFirmwareOwns)
{
    auto* z = new CPrjIntVarStr("[Z022]", 0x33FB, 2, 154, 7, 9, w->prj->GetTextPool());
    z->SetOrigName("Sprache");
    z->SetAttr32(0x1234);
    z->SetMaxWidth(20);
    z->SetTxtCount(2);
    for (int i = 0; i < 3; ++i) z->SetStateTxt(i, i == 0 ? "de" : i == 1 ? "en" : "fr");
    ASSERT_GE(w->prj->InsVar(z), 0);
    Open(*z);
    EXPECT_EQ(form->Page(), 1);
    EXPECT_EQ(form->Text(F::kGrpAdr), "intern");
    EXPECT_EQ(form->Text(F::kStrCstring), "");
    for (int id : {F::kWord, F::kBlock, F::kStrCstring, F::kInsert, F::kRemove}) EXPECT_FALSE(form->Shown(id)) << id;
    for (int id : {F::kStrCount, F::kFmtBit, F::kFmtBcd, F::kSoll}) EXPECT_FALSE(form->Enabled(id)) << id;
    EXPECT_TRUE(form->Checked(F::kStrCstring));

    form->SetLines(F::kStrList, {"deutsch", "en", "fr"});
    ASSERT_TRUE(form->OnOk()) << form->Focus();
    const auto* now = dynamic_cast<const CPrjIntVarStr*>(Find("[Z022]"));
    ASSERT_NE(now, nullptr);
    EXPECT_NE(now, z);
    EXPECT_EQ(now->GetType(), 154);
    EXPECT_EQ(now->GetFlags(), 0x33FBu);
    EXPECT_EQ(now->GetSetpKind(), 2);
    EXPECT_EQ(now->GetOrigName(), "Sprache");
    EXPECT_EQ(now->GetAttr32(), 0x1234u);
    EXPECT_EQ(now->GetExtWord0(), 7);
    EXPECT_EQ(now->GetExtWord1(), 9);
    EXPECT_STREQ(now->GetStateTxt(0), "deutsch");
    EXPECT_EQ(now->MaxStateIdx(), 2);
}

} // namespace
} // namespace orv
