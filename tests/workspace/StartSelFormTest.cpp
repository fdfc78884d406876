// The start-selection dialog's model: cascade, control state, codec, range
// checks and the hand-over on OK.
#include "StartSelFixture.h"

#include "workspace/StartSelForm.h"

#include <gtest/gtest.h>

using namespace orv;

using orv::CStartSelForm;

class StartSelForm : public StartSelFixture, public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(Open());
        sel.SetOrvVals("ORVPRO", 14, 33, 5, 50, 0, 256);
        log.clear();
        target.ClearCalls();
        ui.ClearCalls();
    }
};

TEST_F(StartSelForm, CascadeRestartsBelowAndShowsControls)
{
    CStartSelForm form(sel);
    ASSERT_TRUE(form.Init());
    // PLC type 33 runs last: the DB edit shows although DbDft is 0.
    EXPECT_TRUE(form.Controls().dbEditShown);
    form.OnSpsChanged(1);  // S20: hex, DbDft 7, 15.5
    EXPECT_EQ(form.Working().q.spsId, 20);
    EXPECT_EQ(form.DrvRow(), 0);
    const auto& c = form.Controls();
    EXPECT_TRUE(c.dbEditShown);
    EXPECT_EQ(c.dbText, "7");
    EXPECT_EQ(c.vonText, "0000");
    EXPECT_EQ(c.bisText, "000F");
    EXPECT_EQ(c.bisDecText, "500");
    EXPECT_TRUE(c.bisDecShown);
    form.OnDevChanged(2);  // the 706: its type offers 33 only
    EXPECT_EQ(form.Working().q.devId, 706);
    EXPECT_EQ(form.Working().q.spsId, 33);
    EXPECT_EQ(form.SpsRow(), 0);
    EXPECT_FALSE(form.Controls().dbEditShown);  // the driver's DbDft 0 decides last
    // Closed without OK: the held selection is as it was.
    EXPECT_EQ(sel.GetDevId(), 14);
    EXPECT_TRUE(target.Calls().empty());
}

TEST(StartSelCodec, HexAndDecimal)
{
    EXPECT_EQ(orv::FormatDwEdit(255, true), "00FF");
    EXPECT_EQ(orv::FormatDwEdit(0x12345, true), "12345");
    EXPECT_EQ(orv::ParseDwEdit("00ff", true), 255);
    EXPECT_EQ(orv::ParseDwEdit("00FF", true), 255);
    EXPECT_EQ(orv::ParseDwEdit("00FG", true), std::nullopt);
    EXPECT_EQ(orv::ParseDwEdit("", true), std::nullopt);
    EXPECT_EQ(orv::ParseDwEdit("1O", false), std::nullopt);
    EXPECT_EQ(orv::ParseDwEdit("-5", false), -5);
}

TEST_F(StartSelForm, ChecksReportOnceUntilOk)
{
    struct Case {
        const char* db;
        const char* von;
        const char* bis;
        std::string message;
        std::string db2, von2, bis2;  // the suggested value where set
    };
    // S20: DbDft 7 so DB is checked; DwMax 1023, DwDifMax 255, DwBisMax 1023.
    const Case cases[] = {
        {"0", "0000", "0010", "Wert 'DB' muss zwischen 1 und 255 liegen", "1", "", ""},
        {"x", "0000", "0010", "Wert 'DB' muss zwischen 1 und 255 liegen", "1", "", ""},
        {"256", "0000", "0010", "Wert 'DB' muss zwischen 1 und 255 liegen", "255", "", ""},
        {"5", "zz", "0010", "Wert 'DW von' muss zwischen 0 und 1023 liegen", "", "0000", ""},
        {"5", "0400", "0410", "Wert 'DW von' muss zwischen 0 und 1023 liegen", "", "03FF", ""},
        {"5", "0010", "0005", "Wert 'DW Bis' muss zwischen 16 und 271 liegen", "", "", "010F"},
        {"5", "0300", "0400", "Wert 'DW Bis' muss zwischen 768 und 1023 liegen", "", "", "03FF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ui.ClearCalls();
        CStartSelForm form(sel);
        ASSERT_TRUE(form.Init());
        form.OnSpsChanged(1);
        form.SetDbText(c.db);
        form.SetVonText(c.von);
        form.SetBisText(c.bis);
        EXPECT_FALSE(form.OnOK());
        EXPECT_EQ(ui.TextsOf(UiCall::Kind::Box), std::vector<std::string>{c.message});
        if (!c.db2.empty()) {
            EXPECT_EQ(form.Controls().dbText, c.db2);
        }
        if (!c.von2.empty()) {
            EXPECT_EQ(form.Controls().vonText, c.von2);
        }
        if (!c.bis2.empty()) {
            EXPECT_EQ(form.Controls().bisText, c.bis2);
        }
        // The flag is cleared: leaving an edit reports nothing more.
        form.SetVonText("zz");
        form.LeaveVon();
        form.LeaveBis();
        EXPECT_EQ(ui.TextsOf(UiCall::Kind::Box).size(), 1u);
    }
    EXPECT_TRUE(target.Calls().empty());
    EXPECT_EQ(sel.GetSpsId(), 33);
}

TEST_F(StartSelForm, OkHandsOverInOrderAndCommits)
{
    sel.SetOrvVals("ORVPRO", 755, 33, 50, 0, 2000, 16);
    target.ClearCalls();
    target.AnswerStartselection(false);
    CStartSelForm form(sel);
    ASSERT_TRUE(form.Init());
    form.SetDbText("12");
    form.SetVonText("40");
    form.SetBisText("99");
    form.SetSimDrv(true);
    EXPECT_FALSE(form.OnOK());  // the project manager refused: stays open
    EXPECT_EQ(target.Calls(), (std::vector<std::string>{"SetPanelType 47", "SetPlcType 33", "SetDrvNum 50",
                                                        "SetIntlDisplay 1", "SetSimDrvBound 1", "SetDbNum 12",
                                                        "SetDwOffset 0", "SetDwLength 100", "Startselection"}));
    // Committed although Startselection failed.
    EXPECT_EQ(sel.GetSelection().dbNum, 12);
    EXPECT_EQ(sel.GetSelection().dwLength, 100);
    EXPECT_TRUE(sel.GetSimDrv());
    const auto logs = ui.TextsOf(UiCall::Kind::LogAppend);
    EXPECT_NE(std::find(logs.begin(), logs.end(), "DlgStartSel: Dev=755, Sps=33, Drv=5002, DB#=12, Offset=0, Len=100"),
              logs.end());
    log.clear();
    EXPECT_TRUE(form.OnOK());
    EXPECT_EQ(log.back(), "LoadFon");
}
