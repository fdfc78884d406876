#include "NavKit.h"

#include "model/core/CatalogueIds.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVar.h"
#include "model/project/RcpTxt.h"
#include "support/PrjBuilder.h"
#include "model/project/Mnu.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "workspace/LstProv.h"
#include "workspace/ObjNav.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace orv {
namespace {

using NavNums = std::vector<int32_t>;
using RenumberNums = CDlgRunner::RenumberNums;

constexpr int kOpTexts = 2;
constexpr int kMsgTexts = 3;
constexpr int kRcpTexts = 6;
constexpr int kHlpDefault = 11;
constexpr int kHlpMenu = 12;

class workspace_navigators : public testing::Test {
protected:
    bool Has(const std::string& entry) const
    {
        return std::find(kit.journal.begin(), kit.journal.end(), entry) != kit.journal.end();
    }
    size_t IndexOf(const std::string& entry) const
    {
        return static_cast<size_t>(std::find(kit.journal.begin(), kit.journal.end(), entry) - kit.journal.begin());
    }

    NavKit kit;
};

TEST_F(workspace_navigators, EveryListTypeServesItsListAndMakesItsFirstElement)
{
    struct Case {
        int listType;
        CPrjNumList* list;
        int32_t firstNum;
        int rows;
        bool single;
    };
    CPrjData& prj = kit.fw.prj;
    const Case cases[] = {
        {2, prj.GetOpTxtList(), 0, 4, false},         {3, prj.GetMsgTxtList(), 0, 32, false},
        {4, prj.GetHistTxtList(), 0, 32, false},      {6, prj.GetRcpTxtList(), 1, 32, false},
        {11, prj.GetHlpTxtList(0), 0, 32, true},      {12, prj.GetHlpTxtList(1), 0, 32, false},
        {13, prj.GetHlpTxtList(2), 0, 32, true},      {14, prj.GetHlpTxtList(3), 0, 32, true},
        {15, prj.GetHlpTxtList(4), 0, 32, true},      {17, prj.GetHlpTxtList(6), 0, 32, true},
        {19, prj.GetHlpTxtList(5), 0, 32, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listType);
        c.list->FreeAllEntries();
        CObjNav& nav = kit.Open(c.listType);
        EXPECT_EQ(nav.GetList(), c.list);
        nav.New();
        ASSERT_EQ(c.list->GetCount(), 1);
        const CPrjNumEntry* made = c.list->ItemAt(0);
        EXPECT_EQ(made->GetNum(), c.firstNum);
        EXPECT_EQ(nav.GetCurrent(), made);
        EXPECT_EQ(nav.GetActiveIdx(), 0);
        ASSERT_EQ(made->GetRowCount(), c.rows);
        for (int r = 1; r <= c.rows; ++r) {
            const CPrjTxtRow* row = made->GetRow(r);
            ASSERT_NE(row, nullptr) << r;
            EXPECT_EQ(row->GetNum(), r);
            EXPECT_EQ(row->GetText(), "");
            EXPECT_EQ(row->GetFilledCount(), 0);
        }
        if (c.list == prj.GetMsgTxtList()) {
            const auto* msg = static_cast<const CMsgTxt*>(made);
            EXPECT_EQ(msg->GetPrio(), CMsgTxt::PrioInfo);
            EXPECT_EQ(msg->GetDelMode(), 1);
            EXPECT_EQ(msg->IsAlarm(), 0);
        }
        // A single help text stays single, and is never renumbered.
        kit.fw.ui.ClearCalls();
        nav.New();
        nav.Renumber();
        EXPECT_EQ(c.list->GetCount(), c.single ? 1 : 2);
        EXPECT_TRUE(kit.Boxes().empty());
        c.list->FreeAllEntries();
        kit.Open(c.listType, -1);
    }
    EXPECT_EQ(kit.dialogs.runs.size(), 5u) << "only the lists that renumber open the dialog";
}

TEST_F(workspace_navigators, SetActiveSavesThenLoadsAndShowsTheNumber)
{
    kit.AddTexts(kOpTexts, {3, 5});
    CObjNav& nav = kit.Open(kOpTexts);
    kit.dc.onSave = [&] { EXPECT_EQ(nav.GetActiveIdx(), 0) << "the rows go back before the index changes"; };
    nav.SetActive(1, false);
    EXPECT_EQ(kit.journal, (Journal{"dc SavTxtRows", "dc SetPage 1", "dc RstTxtRows", "dc RedrawParts 3"}));
    EXPECT_EQ(kit.LastStatus(), "Aktive Text-Nr: 5");
    EXPECT_EQ(nav.GetCurrent()->GetNum(), 5);

    kit.journal.clear();
    nav.SetActive(-1, true);
    EXPECT_EQ(kit.journal, (Journal{"dc RedrawParts 3"}));
    EXPECT_EQ(kit.LastStatus(), "Aktive Text-Nr: ---");
    EXPECT_EQ(nav.GetCurrent(), nullptr);
}

TEST_F(workspace_navigators, PrevAndNextStopAtTheEnds)
{
    kit.AddTexts(kOpTexts, {1, 2});
    CObjNav& nav = kit.Open(kOpTexts);
    nav.Prev();
    EXPECT_EQ(kit.Logs(), (std::vector<std::string>{"erster Text erreicht"}));
    EXPECT_TRUE(kit.journal.empty());
    nav.Next();
    EXPECT_EQ(nav.GetCurrent()->GetNum(), 2);
    kit.journal.clear();
    nav.Next();
    EXPECT_EQ(kit.Logs().back(), "letzer Text erreicht");
    EXPECT_TRUE(kit.journal.empty());
    EXPECT_EQ(nav.GetActiveIdx(), 1);
    nav.Prev();
    EXPECT_EQ(nav.GetCurrent()->GetNum(), 1);
}

TEST_F(workspace_navigators, RenumberMovesTheRangeOrRefusesIt)
{
    struct Case {
        const char* name;
        int listType;
        NavNums before;
        std::optional<RenumberNums> answer;
        NavNums after;
        std::vector<std::string> boxes;
    };
    const std::string taken = "Ziel-Nummer bereits von Text belegt";
    const Case cases[] = {
        {"down", kOpTexts, {1, 5, 6}, RenumberNums{5, 6, 2}, {1, 2, 3}, {}},
        {"down onto a taken number", kOpTexts, {3, 5, 6}, RenumberNums{5, 6, 3}, {3, 4, 5}, {taken}},
        {"up walks downwards", kOpTexts, {1, 2, 3}, RenumberNums{1, 2, 5}, {3, 5, 6}, {}},
        {"to itself", kOpTexts, {1, 2}, RenumberNums{1, 2, 1}, {1, 2}, {}},
        {"recipe to 0", kRcpTexts, {1, 2}, RenumberNums{1, 2, 0}, {1, 2}, {"Eingabewert mu\xDF zwischen 1 und 127 liegen !"}},
        {"recipe past 127", kRcpTexts, {1, 2}, RenumberNums{1, 2, 127}, {1, 2}, {"Eingabewert mu\xDF zwischen 1 und 127 liegen !"}},
        {"operator text to -2", kOpTexts, {0, 4}, RenumberNums{0, 0, -2}, {0, 4}, {"Eingabewert mu\xDF zwischen 0 und 32000 liegen !"}},
        {"cancel", kOpTexts, {1, 2}, std::nullopt, {1, 2}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kit.List(c.listType).FreeAllEntries();
        for (int32_t n : c.before)
            kit.AddTexts(c.listType, {n});
        CObjNav& nav = kit.Open(c.listType);
        kit.fw.ui.ClearCalls();
        kit.dialogs.renumbers = {c.answer};
        const uint16_t mods = kit.ModCount();
        nav.Renumber();
        EXPECT_EQ(kit.Nums(c.listType), c.after);
        EXPECT_EQ(kit.Boxes(), c.boxes);
        EXPECT_EQ(kit.ModCount() > mods, c.after != c.before);
        // Whatever the answer, the texts are shown again.
        EXPECT_TRUE(Has("lst Activate 1"));
    }
    EXPECT_EQ(kit.dialogs.runs.front(), "renumber 1 1..1->0") << "the current number twice and a free one";
}

TEST_F(workspace_navigators, TheActiveTextStaysActiveThroughRenumberAndCopy)
{
    kit.AddTexts(kOpTexts, {10, 20, 30});
    CObjNav& nav = kit.Open(kOpTexts, 1);
    CPrjNumEntry* edited = nav.GetCurrent();
    kit.dialogs.renumbers = {RenumberNums{20, 20, 40}};
    nav.Renumber();
    EXPECT_EQ(nav.GetCurrent(), edited);
    EXPECT_EQ(nav.GetActiveIdx(), 2);
    EXPECT_EQ(kit.LastStatus(), "Aktive Text-Nr: 40");

    // The copy takes number 0, below the active text.
    nav.CopyEntry();
    EXPECT_EQ(kit.Nums(kOpTexts), (NavNums{0, 10, 30, 40}));
    EXPECT_EQ(nav.GetCurrent(), edited);
    EXPECT_EQ(nav.GetActiveIdx(), 3);
    EXPECT_EQ(kit.List(kOpTexts).ItemAt(0)->GetRow(1)->GetText(), "T20");

    // A number typed into the row's label.
    EXPECT_TRUE(nav.RenumberEntry(edited, 5));
    EXPECT_EQ(nav.GetActiveIdx(), 1);
    EXPECT_FALSE(nav.RenumberEntry(edited, 5)) << "the same number";
    EXPECT_FALSE(nav.RenumberEntry(edited, 10));
    EXPECT_EQ(kit.Boxes(), (std::vector<std::string>{"Ziel-Nummer bereits von Text belegt"}));
}

TEST_F(workspace_navigators, DeleteAsksAndKeepsTheIndexInsideTheList)
{
    kit.AddTexts(kMsgTexts, {1, 2, 3});
    CObjNav& nav = kit.Open(kMsgTexts, 1);
    kit.fw.ui.AnswerQuestionText("Soll der Text wirklich gel\xF6scht werden?", false);
    nav.Delete();
    EXPECT_EQ(kit.Nums(kMsgTexts), (NavNums{1, 2, 3}));
    EXPECT_TRUE(kit.journal.empty());

    kit.fw.ui.AnswerQuestionText("Soll der Text wirklich gel\xF6scht werden?", true);
    nav.Delete();
    EXPECT_EQ(kit.Nums(kMsgTexts), (NavNums{1, 3}));
    EXPECT_EQ(kit.journal.front(), "dc Unload") << "the editor lets go first";
    EXPECT_FALSE(Has("dc SavTxtRows"));
    EXPECT_EQ(nav.GetCurrent()->GetNum(), 3);

    kit.fw.ui.AnswerQuestionText("Soll der Text wirklich gel\xF6scht werden?", true);
    nav.Delete();
    EXPECT_EQ(nav.GetActiveIdx(), 0);
    EXPECT_EQ(nav.GetCurrent()->GetNum(), 1);

    kit.fw.ui.AnswerQuestionText("Soll der Text wirklich gel\xF6scht werden?", true);
    nav.Delete();
    EXPECT_EQ(kit.core.GetCurNav(), nullptr);
    EXPECT_EQ(nav.GetActiveIdx(), -1) << "the navigator lives until the command returned";
    EXPECT_EQ(kit.LastStatus(), "Aktive Text-Nr: ---");
}

TEST_F(workspace_navigators, AnOperatorTextThatAMenuShowsStays)
{
    kit.AddTexts(kOpTexts, {1});
    CObjNav& nav = kit.Open(kOpTexts);
    static_cast<CPrjOpTxt*>(nav.GetCurrent())->AddUse();
    kit.fw.ui.AnswerQuestionText("Soll der Text wirklich gel\xF6scht werden?", true);
    const uint16_t mods = kit.ModCount();
    nav.Delete();
    EXPECT_EQ(kit.Boxes(), (std::vector<std::string>{"Bedientext wird in Menue verwendet"}));
    EXPECT_EQ(kit.Nums(kOpTexts), (NavNums{1}));
    EXPECT_TRUE(kit.journal.empty()) << "the editor keeps its rows";
    EXPECT_EQ(kit.ModCount(), mods);
}

TEST_F(workspace_navigators, AFullRecipeRangeMakesNothing)
{
    for (int32_t n = 1; n <= 127; ++n)
        kit.AddTexts(kRcpTexts, {n});
    CObjNav& nav = kit.Open(kRcpTexts, 5);
    const uint16_t mods = kit.ModCount();
    kit.journal.clear();
    nav.New();
    nav.CopyEntry();
    EXPECT_EQ(kit.List(kRcpTexts).GetCount(), 127);
    EXPECT_EQ(kit.Logs(), (std::vector<std::string>(2, "Keine freie Nummer zwischen 1 und 127")));
    EXPECT_EQ(nav.GetActiveIdx(), 5);
    EXPECT_EQ(kit.ModCount(), mods);
    EXPECT_FALSE(Has("lst Activate 1"));
}

TEST_F(workspace_navigators, ACopiedRecipeTextStaysInItsRange)
{
    kit.AddTexts(kRcpTexts, {1, 2});
    CObjNav& nav = kit.Open(kRcpTexts);
    nav.CopyEntry();
    EXPECT_EQ(kit.Nums(kRcpTexts), (NavNums{1, 2, 3}));
}

TEST_F(workspace_navigators, TheRecipeFormNeedsAPlcVariable)
{
    kit.AddTexts(kRcpTexts, {1});
    CObjNav& nav = kit.Open(kRcpTexts);
    EXPECT_TRUE(nav.HasForm());
    nav.EditForm();
    EXPECT_EQ(kit.Boxes(), (std::vector<std::string>{"Keine externe Variable im Rezept-Text"}));
    EXPECT_TRUE(kit.dialogs.runs.empty());

    PrjBuilder builder(kit.fw.prj);
    CPrjVar* var = builder.AddNumVar("VAR1", 20);
    ASSERT_NE(var, nullptr);
    nav.GetCurrent()->GetRow(1)->SetVarSlot(0, var, 0);
    nav.EditForm();
    EXPECT_EQ(kit.dialogs.runs, (std::vector<std::string>{"rcpdata 1"}));
    EXPECT_EQ(kit.dialogs.handed.back(), nav.GetCurrent());
}

TEST_F(workspace_navigators, OptionsGoToTheCurrentElement)
{
    struct Case {
        int listType;
        const char* run;
    };
    for (const Case& c : {Case{kMsgTexts, "msgopt 7"}, Case{kHlpMenu, "hlpopt 7"}, Case{kHlpDefault, nullptr}}) {
        SCOPED_TRACE(c.listType);
        kit.dialogs.runs.clear();
        kit.AddTexts(c.listType, {6, 7});
        CObjNav& nav = kit.Open(c.listType, 1);
        EXPECT_EQ(nav.HasOptions(), c.run != nullptr);
        nav.EditOptions();
        if (c.run) {
            EXPECT_EQ(kit.dialogs.runs, (std::vector<std::string>{c.run}));
            EXPECT_EQ(kit.dialogs.handed.back(), nav.GetCurrent());
        } else {
            EXPECT_TRUE(kit.dialogs.runs.empty());
        }
    }
}

TEST_F(workspace_navigators, ShowVarInfoNamesTheVariable)
{
    CPrjVar* var = PrjBuilder(kit.fw.prj).AddNumVar("TEMP", 21);
    ASSERT_NE(var, nullptr);
    var->SetSetpKind(2);
    CObjNav::ShowVarInfo(var);
    CObjNav::ShowVarInfo(nullptr);
    EXPECT_EQ(kit.Logs(), (std::vector<std::string>{"Variable: TEMP DW 21 BIN-1 Soll"}));
}

// Every command of the navigators and providers marks the project modified
// exactly when it changed it.
TEST_F(workspace_navigators, OnlyAChangeMarksTheProject)
{
    CLstTable table;
    CPrjData& prj = kit.fw.prj;
    const std::string askText = "Soll der Text wirklich gel\xF6scht werden?";
    const auto texts = [&](int listType, std::initializer_list<int32_t> nums) -> CObjNav& {
        kit.List(listType).FreeAllEntries();
        kit.AddTexts(listType, nums);
        return kit.Open(listType);
    };
    // A menu with nodes 1 (start) and 2 showing operator text 0.
    const auto menu = [&] {
        prj.GetMnuList()->FreeAllMnus();
        if (kit.List(kOpTexts).GetCount() == 0)
            kit.AddTexts(kOpTexts, {0});
        auto owned = std::make_unique<CPrjMnu>(1, "M", 0);
        CPrjMnu* raw = owned.get();
        EXPECT_GE(prj.InsMnu(owned.release()), 0);
        for (uint8_t n : {1, 2})
            raw->InsNode(new CPrjMnuNode(n, 0, 0, 0, 0, static_cast<CPrjOpTxt*>(kit.List(kOpTexts).ItemAt(0)), n == 1));
        auto prov = std::make_shared<CLstProvMnuNode>(kit.core, table);
        prov->SetMenu(raw);
        return prov;
    };
    // Actions 1 and 2, action 1 run by softkey text 0; softkey texts 0 and 1.
    const auto softkeys = [&] {
        prj.GetSkTxtList()->FreeAllSkTxt();
        prj.GetSkActList()->FreeAllActs();
        for (int32_t n : {1, 2})
            prj.GetSkActList()->Adopt(std::make_unique<CPrjSkAct>(n, "A"));
        for (int32_t n : {0, 1})
            prj.GetSkTxtList()->Adopt(std::make_unique<CPrjSkTxt>(n));
        static_cast<CPrjSkTxt*>(prj.GetSkTxtList()->ItemAt(0))->SetPressAct(1, prj.GetSkActList()->ItemAt(0));
    };
    const auto acts = [&] {
        softkeys();
        return std::make_shared<CLstProvSkAct>(kit.core, table);
    };
    const auto skTxts = [&] {
        softkeys();
        return std::make_shared<CLstProvSkTxt>(kit.core, table);
    };
    const auto ask = [&](const std::string& text, bool yes) { kit.fw.ui.AnswerQuestionText(text, yes); };
    CPrjVar* rcpVar = PrjBuilder(prj).AddNumVar("RCPVAR", 20);
    ASSERT_NE(rcpVar, nullptr);

    struct Case {
        const char* name;
        // Sets the list up and gives the command.
        std::function<std::function<void()>()> prepare;
        bool changes;
    };
    const Case cases[] = {
        {"new", [&] { CObjNav& nav = texts(kMsgTexts, {1}); return std::function<void()>([&nav] { nav.New(); }); }, true},
        {"new on a full single list", [&] { CObjNav& nav = texts(kHlpDefault, {0}); return std::function<void()>([&nav] { nav.New(); }); }, false},
        {"copy", [&] { CObjNav& nav = texts(kMsgTexts, {1}); return std::function<void()>([&nav] { nav.CopyEntry(); }); }, true},
        {"renumber", [&] { CObjNav& nav = texts(kOpTexts, {1}); kit.dialogs.renumbers = {RenumberNums{1, 1, 4}}; return std::function<void()>([&nav] { nav.Renumber(); }); }, true},
        {"renumber cancelled", [&] { CObjNav& nav = texts(kOpTexts, {1}); kit.dialogs.renumbers = {std::nullopt}; return std::function<void()>([&nav] { nav.Renumber(); }); }, false},
        {"renumber out of range", [&] { CObjNav& nav = texts(kRcpTexts, {1}); kit.dialogs.renumbers = {RenumberNums{1, 1, 200}}; return std::function<void()>([&nav] { nav.Renumber(); }); }, false},
        {"renumber onto a taken number", [&] { CObjNav& nav = texts(kOpTexts, {1, 2}); return std::function<void()>([&nav] { nav.RenumberEntry(nav.GetCurrent(), 2); }); }, false},
        {"delete", [&] { CObjNav& nav = texts(kMsgTexts, {1, 2}); ask(askText, true); return std::function<void()>([&nav] { nav.Delete(); }); }, true},
        {"delete answered No", [&] { CObjNav& nav = texts(kMsgTexts, {1}); ask(askText, false); return std::function<void()>([&nav] { nav.Delete(); }); }, false},
        {"recipe data", [&] { CObjNav& nav = texts(kRcpTexts, {1}); nav.GetCurrent()->GetRow(1)->SetVarSlot(0, rcpVar, 0); kit.dialogs.answerOk = true; return std::function<void()>([&nav] { nav.EditForm(); }); }, true},
        {"recipe form without a PLC variable", [&] { CObjNav& nav = texts(kRcpTexts, {1}); return std::function<void()>([&nav] { nav.EditForm(); }); }, false},
        {"operator text in a menu kept", [&] { CObjNav& nav = texts(kOpTexts, {1}); static_cast<CPrjOpTxt*>(nav.GetCurrent())->AddUse(); ask(askText, true); return std::function<void()>([&nav] { nav.Delete(); }); }, false},
        {"prev and next", [&] { CObjNav& nav = texts(kMsgTexts, {1, 2}); return std::function<void()>([&nav] { nav.Next(); nav.Prev(); }); }, false},
        {"node new", [&] { auto p = menu(); return std::function<void()>([p] { p->OnNew(); }); }, true},
        {"node edited", [&] { auto p = menu(); kit.dialogs.answerOk = true; return std::function<void()>([p] { p->OnEdit(0); }); }, true},
        {"node edit cancelled", [&] { auto p = menu(); kit.dialogs.answerOk = false; return std::function<void()>([p] { p->OnEdit(0); }); }, false},
        {"node deleted", [&] { auto p = menu(); kit.fw.ui.AnswerQuestion(msg::kMenueknotenNrLoeschen, true); return std::function<void()>([p] { p->OnDelete(1); }); }, true},
        {"node delete answered No", [&] { auto p = menu(); kit.fw.ui.AnswerQuestion(msg::kMenueknotenNrLoeschen, false); return std::function<void()>([p] { p->OnDelete(1); }); }, false},
        {"node renumbered", [&] { auto p = menu(); return std::function<void()>([p] { p->OnRenumber(1, 7); }); }, true},
        {"node renumber onto a taken number", [&] { auto p = menu(); return std::function<void()>([p] { p->OnRenumber(1, 1); }); }, false},
        {"start moved", [&] { auto p = menu(); return std::function<void()>([p] { p->OnMakeStart(1); }); }, true},
        {"start kept", [&] { auto p = menu(); return std::function<void()>([p] { p->OnMakeStart(0); }); }, false},
        {"action new", [&] { auto p = acts(); return std::function<void()>([p] { p->OnNew(); }); }, true},
        {"action copied", [&] { auto p = acts(); return std::function<void()>([p] { p->OnCopy(0); }); }, true},
        {"action edited", [&] { auto p = acts(); kit.dialogs.answerOk = true; return std::function<void()>([p] { p->OnEdit(0); }); }, true},
        {"action edit cancelled", [&] { auto p = acts(); kit.dialogs.answerOk = false; return std::function<void()>([p] { p->OnEdit(0); }); }, false},
        {"action deleted", [&] { auto p = acts(); ask("Softkey-Aktion wirklich l\xF6schen?", true); return std::function<void()>([p] { p->OnDelete(1); }); }, true},
        {"action in use kept", [&] { auto p = acts(); ask("Softkey-Aktion wirklich l\xF6schen?", true); return std::function<void()>([p] { p->OnDelete(0); }); }, false},
        {"action renumbered", [&] { auto p = acts(); return std::function<void()>([p] { p->OnRenumber(1, 9); }); }, true},
        {"action renumber to itself", [&] { auto p = acts(); return std::function<void()>([p] { p->OnRenumber(1, 2); }); }, false},
        {"softkey text new", [&] { auto p = skTxts(); return std::function<void()>([p] { p->OnNew(); }); }, true},
        {"softkey text copied", [&] { auto p = skTxts(); return std::function<void()>([p] { p->OnCopy(0); }); }, true},
        {"softkeys edited", [&] { auto p = skTxts(); kit.dialogs.answerOk = true; return std::function<void()>([p] { p->OnEdit(0); }); }, true},
        {"softkey text deleted", [&] { auto p = skTxts(); ask("Softkeytext wirklich l\xF6schen?", true); return std::function<void()>([p] { p->OnDelete(0); }); }, true},
        {"softkey text delete answered No", [&] { auto p = skTxts(); ask("Softkeytext wirklich l\xF6schen?", false); return std::function<void()>([p] { p->OnDelete(0); }); }, false},
        {"softkey text renumbered", [&] { auto p = skTxts(); return std::function<void()>([p] { p->OnRenumber(1, 5); }); }, true},
        {"softkey text renumber past 127", [&] { auto p = skTxts(); return std::function<void()>([p] { p->OnRenumber(1, 128); }); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::function<void()> command = c.prepare();
        const uint16_t before = kit.ModCount();
        command();
        EXPECT_EQ(kit.ModCount() > before, c.changes);
        EXPECT_GE(kit.ModCount(), before);
    }
}

} // namespace
} // namespace orv
