#include "workspace/forms/DlgAdrRefForm.h"

#include "support/PlcFormWorld.h"

#include "image/drv/DrvXref.h"
#include "model/project/DrvTab.h"
#include "support/FrameFakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {

namespace {

using AdrForm = CDlgAdrRefForm;

DrvXrefSetup AdrRefDrv(bool multi, int entries = 256)
{
    return PlcDrv({{1, 10, 0, 0}, {2, 20, 0, 0}, {3, 30, 0, 0}}, multi, entries);
}

class workspace_adr_ref_form : public ::testing::Test {
protected:
    void Make(const DrvXrefSetup& setup)
    {
        // The old world's registrations go before the new one's are made.
        form.reset();
        w.reset();
        w = std::make_unique<PlcFormWorld>(setup);
        form = std::make_unique<AdrForm>(runner);
    }
    CDrvTabEntry5& Entry(int i) const { return *w->Drv().GetParItems()->ItemAt(i); }
    void Set(int i, int plc, int area, int block, int word) const
    {
        Entry(i).SetByte(static_cast<uint8_t>(plc));
        Entry(i).SetVal1(static_cast<uint16_t>(area));
        Entry(i).SetVal2(static_cast<uint16_t>(block));
        Entry(i).SetVal3(static_cast<uint16_t>(word));
    }
    std::vector<int> Fields(int i) const
    {
        return {Entry(i).GetByte(), Entry(i).GetVal1(), Entry(i).GetVal2(), Entry(i).GetVal3()};
    }
    // Every entry's fields, to see that a refusal wrote nothing.
    std::vector<std::vector<int>> AllFields() const
    {
        std::vector<std::vector<int>> all;
        for (int i = 0; i < w->Drv().GetParItems()->GetCount(); ++i)
            all.push_back(Fields(i));
        return all;
    }

    FakeDlgRunner runner;
    std::unique_ptr<PlcFormWorld> w;
    std::unique_ptr<AdrForm> form;
};

TEST_F(workspace_adr_ref_form, OpensOnEntryZeroWithItsLineSelected)
{
    Make(AdrRefDrv(false));
    Set(0, 0, AdrForm::kAreaDb, 5, 12);
    Set(1, 0, AdrForm::kAreaMw, 0, 40);
    form->Open(&w->Drv());
    EXPECT_EQ(form->Selected(), 0);
    EXPECT_EQ(form->CurEntry(), &Entry(0));
    EXPECT_EQ(form->Area(), AdrForm::kAreaDb);
    EXPECT_EQ(form->EditText(AdrForm::kEditDb), "5");
    EXPECT_EQ(form->EditText(AdrForm::kEditDbw), "12");
    EXPECT_TRUE(form->EditShown(AdrForm::kEditDb));
    EXPECT_FALSE(form->EditShown(AdrForm::kEditMw));
    EXPECT_EQ(form->DbLabel(), "DBW");
    EXPECT_EQ(form->Lines().size(), 256u);

    // A line shows its area; an entry without one leaves the controls.
    form->OnSelect(1);
    EXPECT_EQ(form->Area(), AdrForm::kAreaMw);
    EXPECT_EQ(form->EditText(AdrForm::kEditMw), "40");
    EXPECT_FALSE(form->EditShown(AdrForm::kEditDb));
    EXPECT_EQ(form->DbLabel(), "    ");
    form->OnSelect(2);
    EXPECT_EQ(form->Selected(), 2);
    EXPECT_EQ(form->Area(), AdrForm::kAreaMw);
    // A radio shows the remembered values and focuses its first edit.
    form->OnArea(AdrForm::kAreaDb);
    EXPECT_EQ(form->EditText(AdrForm::kEditDb), "5");
    EXPECT_EQ(form->Focus(), AdrForm::kEditDb);
    form->OnArea(AdrForm::kAreaTw);
    EXPECT_EQ(form->EditText(AdrForm::kEditTw), "0");
    EXPECT_EQ(form->Focus(), AdrForm::kEditTw);
}

TEST_F(workspace_adr_ref_form, LinesFollowTheAreaAndTheBusKind)
{
    struct Case {
        int area;
        bool multi;
        bool taken;
        const char* line;
    };
    const Case cases[] = {
        {1, false, false, "007   |   DB 05 , DBW 12"},
        {1, false, true, "007  |  DB 05 , DBW 12"},
        {1, true, false, "3  |  007  |  DB 05 , DBW 12"},
        {1, true, true, "3  |  007  |  DB 05 , DBW 12"},
        {3, false, false, "007  |  MW 12"},
        {3, true, true, "3  |  007  |  MW 12"},
        {4, false, true, "007  |  EW 12"},
        {4, true, false, "3  |  007  |  EW 12"},
        {5, false, false, "007  |  AW 12"},
        {5, true, false, "3  |  007  |  AW 12"},
        {6, false, true, "007  |  TW 12"},
        {6, true, false, "3  |  007  |  TW 12"},
        {2, false, false, "   "},
        {2, true, true, "   "},
        {0, true, false, "   "},
        {9, false, false, "   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.area) + (c.multi ? " multi" : "") + (c.taken ? " taken" : ""));
        const CDrvTabEntry5 entry(3, 7, static_cast<uint16_t>(c.area), 5, 12);
        EXPECT_EQ(AdrForm::LineOf(7, entry, c.multi, c.taken), c.line);
    }
}

TEST_F(workspace_adr_ref_form, TheBusKindSetsHeadingsAndThePlcControls)
{
    Make(AdrRefDrv(false));
    form->Open(&w->Drv());
    EXPECT_FALSE(form->SpsDefShown());
    EXPECT_FALSE(form->PlcCheckEnabled());
    EXPECT_EQ(form->HeadLeft(), "DW");
    EXPECT_EQ(form->HeadRight(), "        Adressverweise");
    EXPECT_TRUE(w->Ui().HasLogLine("Not Multiaccess"));

    Make(AdrRefDrv(true));
    Set(0, 3, AdrForm::kAreaMw, 0, 2);
    Set(1, 1, AdrForm::kAreaMw, 0, 4);
    Set(2, 2, AdrForm::kAreaMw, 0, 6);
    form->Open(&w->Drv());
    EXPECT_TRUE(form->SpsDefShown());
    EXPECT_TRUE(form->PlcCheckEnabled());
    EXPECT_EQ(form->HeadLeft(), "SPS");
    EXPECT_EQ(form->HeadRight(), "DW       Adressverweise");
    EXPECT_TRUE(w->Ui().HasLogLine("Multiaccess"));
    EXPECT_EQ(std::vector<std::string>(form->Lines().begin(), form->Lines().begin() + 3),
              (std::vector<std::string>{"3  |  000  |  MW 02", "1  |  001  |  MW 04", "2  |  002  |  MW 06"}));
}

TEST_F(workspace_adr_ref_form, EveryCheckRefusesWithItsMessageAndFieldAndWritesNothing)
{
    struct Case {
        const char* name;
        int area;
        std::vector<std::pair<int, std::string>> typed;
        int box;
        std::string named;  // what the box text holds
        int focus;
    };
    const Case cases[] = {
        {"DB block 0", AdrForm::kAreaDb, {{AdrForm::kEditDb, "0"}, {AdrForm::kEditDbw, "2"}}, 15031, " 1 und 4095 ",
         AdrForm::kEditDb},
        {"DB block 4096", AdrForm::kAreaDb, {{AdrForm::kEditDb, "4096"}, {AdrForm::kEditDbw, "2"}}, 15031, " 1 und 4095 ",
         AdrForm::kEditDb},
        {"DB word 65535", AdrForm::kAreaDb, {{AdrForm::kEditDb, "1"}, {AdrForm::kEditDbw, "65535"}}, 15031,
         " 0 und 65534 ", AdrForm::kEditDbw},
        {"DB word 13", AdrForm::kAreaDb, {{AdrForm::kEditDb, "1"}, {AdrForm::kEditDbw, "13"}}, 16400, "geradzahlige",
         AdrForm::kEditDbw},
        {"MW 2047", AdrForm::kAreaMw, {{AdrForm::kEditMw, "2047"}}, 15031, " 0 und 2046 ", AdrForm::kEditMw},
        {"MW 13", AdrForm::kAreaMw, {{AdrForm::kEditMw, "13"}}, 16400, "geradzahlige", AdrForm::kEditMw},
        {"MW empty", AdrForm::kAreaMw, {{AdrForm::kEditMw, ""}}, 15031, " 0 und 2046 ", AdrForm::kEditMw},
        {"EW 16383", AdrForm::kAreaEw, {{AdrForm::kEditEw, "16383"}}, 15031, " 0 und 16382 ", AdrForm::kEditEw},
        {"AW 16383", AdrForm::kAreaAw, {{AdrForm::kEditAw, "16383"}}, 15031, " 0 und 16382 ", AdrForm::kEditAw},
        {"TW 512", AdrForm::kAreaTw, {{AdrForm::kEditTw, "512"}}, 15031, " 0 und 511 ", AdrForm::kEditTw},
        {"undefined PLC", AdrForm::kAreaTw, {{AdrForm::kEditTw, "7"}, {AdrForm::kEditPlc, "4"}}, 16401, "Nummer 4 ",
         AdrForm::kEditPlc},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make(AdrRefDrv(true));
        Set(0, 2, AdrForm::kAreaMw, 0, 8);
        form->Open(&w->Drv());
        form->OnArea(c.area);
        if (c.box == 16401)
            form->OnPlcCheck(true);
        for (const auto& [id, text] : c.typed)
            form->SetEditText(id, text);
        const auto before = AllFields();
        form->OnTake();
        const auto boxes = w->Ui().CallsOf(UiCall::Kind::Box);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].id, c.box);
        EXPECT_NE(boxes[0].text.find(c.named), std::string::npos) << boxes[0].text;
        EXPECT_EQ(form->Focus(), c.focus);
        EXPECT_EQ(AllFields(), before);
        EXPECT_EQ(w->Drv().GetModCount(), 0);
    }
}

TEST_F(workspace_adr_ref_form, TimerWordsMayBeOdd)
{
    Make(AdrRefDrv(false));
    form->Open(&w->Drv());
    form->OnArea(AdrForm::kAreaTw);
    form->SetEditText(AdrForm::kEditTw, "7");
    form->OnTake();
    EXPECT_TRUE(w->Ui().BoxIds().empty());
    EXPECT_EQ(Fields(0), (std::vector<int>{0, AdrForm::kAreaTw, 0, 7}));
    EXPECT_EQ(form->Lines()[0], "000  |  TW 07");
    EXPECT_EQ(w->Drv().GetModCount(), 1);
}

TEST_F(workspace_adr_ref_form, SequentialRunsWriteFollowingEntriesOrNothing)
{
    Make(AdrRefDrv(true));
    form->Open(&w->Drv());
    form->OnSelect(5);
    form->OnArea(AdrForm::kAreaDb);
    form->OnWordsCheck(true);
    form->SetEditText(AdrForm::kEditDb, "10");
    form->SetEditText(AdrForm::kEditDbw, "20");
    form->SetEditText(AdrForm::kEditWords, "3");
    form->OnTake();
    EXPECT_TRUE(w->Ui().BoxIds().empty());
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(Fields(5 + k), (std::vector<int>{0, AdrForm::kAreaDb, 10, 20 + 2 * k})) << k;
    EXPECT_EQ(Fields(4), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(Fields(9), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(form->Lines()[8], "0  |  008  |  DB 10 , DBW 26");
    EXPECT_EQ(w->Drv().GetModCount(), 1);

    // Past the driver's largest data-block word (100): neither the words
    // nor the PLC numbers are written.
    form->OnSelect(20);
    form->OnArea(AdrForm::kAreaDb);
    form->OnPlcCheck(true);
    form->SetEditText(AdrForm::kEditDb, "10");
    form->SetEditText(AdrForm::kEditDbw, "96");
    form->SetEditText(AdrForm::kEditWords, "3");
    form->SetEditText(AdrForm::kEditPlc, "2");
    form->SetEditText(AdrForm::kEditPlcCount, "3");
    auto before = AllFields();
    form->OnTake();
    EXPECT_EQ(w->Ui().BoxIds(), (std::vector<int>{16403}));
    EXPECT_NE(w->Ui().CallsOf(UiCall::Kind::Box).back().text.find("100"), std::string::npos);
    EXPECT_EQ(form->Focus(), AdrForm::kEditDbw);
    EXPECT_EQ(AllFields(), before);

    // The PLC-number run alone writes its numbers.
    form->OnWordsCheck(false);
    form->SetEditText(AdrForm::kEditDbw, "94");
    form->SetEditText(AdrForm::kEditPlc, "2");
    form->SetEditText(AdrForm::kEditPlcCount, "2");
    form->OnTake();
    EXPECT_EQ(Fields(20), (std::vector<int>{2, AdrForm::kAreaDb, 10, 94}));
    EXPECT_EQ(Fields(21), (std::vector<int>{2, 0, 0, 0}));
    EXPECT_EQ(Fields(22), (std::vector<int>{2, 0, 0, 0}));
    EXPECT_EQ(Fields(23), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(form->Lines()[21], "   ");
    EXPECT_EQ(w->Drv().GetModCount(), 2);
}

TEST_F(workspace_adr_ref_form, RunsStopAtTheLastEntryTheDriverBrings)
{
    struct Case {
        const char* name;
        bool plcRun;
    };
    for (const Case c : {Case{"address run", false}, Case{"PLC-number run", true}}) {
        SCOPED_TRACE(c.name);
        Make(AdrRefDrv(true, 10));
        form->Open(&w->Drv());
        form->OnSelect(8);
        form->OnArea(AdrForm::kAreaMw);
        form->SetEditText(AdrForm::kEditMw, "2");
        if (c.plcRun) {
            form->OnPlcCheck(true);
            form->SetEditText(AdrForm::kEditPlc, "1");
            form->SetEditText(AdrForm::kEditPlcCount, "3");
        } else {
            form->OnWordsCheck(true);
            form->SetEditText(AdrForm::kEditWords, "3");
        }
        const auto before = AllFields();
        form->OnTake();
        const auto boxes = w->Ui().CallsOf(UiCall::Kind::Box);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].id, 16402);
        EXPECT_NE(boxes[0].text.find(" nur 1\n"), std::string::npos) << boxes[0].text;
        EXPECT_EQ(form->Focus(), c.plcRun ? AdrForm::kEditPlcCount : AdrForm::kEditWords);
        EXPECT_EQ(AllFields(), before);
    }
}

TEST_F(workspace_adr_ref_form, TheCounterRisesOnlyWhenAnEntryChanged)
{
    Make(AdrRefDrv(false));
    Set(3, 0, AdrForm::kAreaEw, 0, 30);
    form->Open(&w->Drv());
    form->OnSelect(3);
    form->OnTake();
    EXPECT_EQ(w->Drv().GetModCount(), 0);
    EXPECT_EQ(form->Lines()[3], "003  |  EW 30");
    form->SetEditText(AdrForm::kEditEw, "32");
    form->OnTake();
    EXPECT_EQ(w->Drv().GetModCount(), 1);
    EXPECT_EQ(Fields(3), (std::vector<int>{0, AdrForm::kAreaEw, 0, 32}));
}

TEST_F(workspace_adr_ref_form, WithoutAnAreaNothingIsWrittenAndTheFaultIsLogged)
{
    Make(AdrRefDrv(false));
    form->Open(&w->Drv());
    ASSERT_EQ(form->Area(), 0);
    form->OnTake();
    EXPECT_EQ(AllFields()[0], (std::vector<int>{0, 0, 0, 0}));
    const auto logs = w->Ui().TextsOf(UiCall::Kind::LogAppend);
    bool logged = false;
    for (const std::string& line : logs)
        logged = logged || line.rfind("internal Error ", 0) == 0;
    EXPECT_TRUE(logged);
    EXPECT_EQ(w->Drv().GetModCount(), 0);
}

TEST_F(workspace_adr_ref_form, SpsDefGetsTheCurrentEntry)
{
    Make(AdrRefDrv(true));
    form->Open(&w->Drv());
    form->OnSelect(4);
    form->OnSpsDef();
    EXPECT_EQ(runner.spsDefEntries, (std::vector<const CDrvTabEntry5*>{&Entry(4)}));
}

TEST_F(workspace_adr_ref_form, AWrittenEntryEncodesAsTheDriverFileTakesIt)
{
    Make(AdrRefDrv(true));
    form->Open(&w->Drv());
    form->OnSelect(2);
    form->OnArea(AdrForm::kAreaDb);
    form->OnPlcCheck(true);
    form->SetEditText(AdrForm::kEditDb, "300");
    form->SetEditText(AdrForm::kEditDbw, "1000");
    form->SetEditText(AdrForm::kEditPlc, "3");
    form->SetEditText(AdrForm::kEditPlcCount, "0");
    form->OnTake();
    ASSERT_TRUE(w->Ui().BoxIds().empty());
    const DrvTab5Record record = Tab5RecordOf(Entry(2));
    EXPECT_EQ(record.plc, 3);
    EXPECT_EQ(record.area, AdrForm::kAreaDb);
    EXPECT_EQ(record.db, 300);
    EXPECT_EQ(record.word, 1000);
}

} // namespace

} // namespace orv
