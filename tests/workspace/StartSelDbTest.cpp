// The start-selection queries over real SQLite databases: found and unknown
// keys, damaged and missing databases, column names and text bytes.
#include "StartSelFixture.h"

#include "workspace/SelQueries.h"

#include <gtest/gtest.h>

using namespace orv;

using orv::CSelQueries;

namespace {

const std::string k9007 = "Invalid combination (no DB-entry): App ORVPRO, Console 999";

} // namespace

class StartSelDb : public StartSelFixture, public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(Open());
    }
    CSelQueries Queries() const { return CSelQueries(&sel.Db()); }
};

TEST_F(StartSelDb, NegativeIdTakesFirstRowAndAdoptsItsId)
{
    CSelQueries q = Queries();
    q.RunApp("ORVPRO");
    EXPECT_EQ(q.app.GetRow(), 1);
    q.RunDev(-1);
    EXPECT_EQ(q.devId, 14);
    EXPECT_EQ(q.dev.Record().numDspCols, 20);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(StartSelDb, UnknownDeviceReportsByNumberAndKeepsHeldId)
{
    CSelQueries q = Queries();
    q.RunApp("ORVPRO");
    q.RunDev(755);
    q.RunDev(999);
    EXPECT_EQ(Boxes(), std::vector<std::string>{k9007});
    EXPECT_EQ(q.dev.GetRow(), 0);
    EXPECT_EQ(q.devId, 999);
    EXPECT_EQ(q.dev.Record().devId, 14);
}

TEST_F(StartSelDb, ApplicationWithoutDevicesKeepsPreviousDevice)
{
    CSelQueries q = Queries();
    q.RunApp("ORVPRO");
    q.RunDev(755);
    q.RunApp("TEQPRO");
    q.RunDev(755);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Invalid combination (no DB-entry): App TEQPRO, Console 755"});
    EXPECT_EQ(q.dev.GetRow(), 0);
    EXPECT_EQ(q.dev.Record().devId, 755);
}

TEST_F(StartSelDb, QuoteInApplicationNameIsAValueNotSql)
{
    CSelQueries q = Queries();
    q.RunApp("O'Brien");
    q.RunDev(-1);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Invalid Application (no DB-entry): O'Brien",
                                                 "Invalid combination (no DB-entry): App O'Brien, Console -1"}));
}

TEST_F(StartSelDb, PlcTypeWithThreeDriversListedOnceAndNamesOrderedWithoutCase)
{
    CSelQueries q = Queries();
    q.RunApp("ORVPRO");
    q.RunDev(14);
    q.RunSps(9);
    EXPECT_EQ(q.sps.Names(), (std::vector<std::string>{"S09", "S20", "S33"}));
    EXPECT_EQ(q.sps.GetRow(), 0);
    q.RunDrv(-1);
    EXPECT_EQ(q.drv.Names(), (std::vector<std::string>{"A13", "b11", "c74"}));
    EXPECT_EQ(q.drvId, 13);
}

TEST_F(StartSelDb, DriverSuppliesParametersButKeepsCaptionWhenItsIsEmpty)
{
    // A second database: the PLC type leaves its words to the driver.
    TempDir other;
    {
        orv::CSelDb fill;
        StartSelRows rows(fill, other.File("startsel.db"));
        rows.App("ORVPRO").DevTyp("ORVPRO", "mini").Device({});
        StartSelSpsRow sps{4, "S4", StartSelSpsRow::Neutral()};
        sps.dw.dwCpt = "MW";
        sps.dw.dwVonDft = -1;
        rows.Sps(sps).Driver(8, "D8").Pair("mini", 4, 8);
        orv::DwParams dw = StartSelSpsRow::Neutral();
        dw.dwCpt = "";
        dw.dwVonDft = 12;
        dw.dwMax = 99;
        rows.DrvPar("ORVPRO", 4, 8, dw);
    }
    orv::CStartSel s;
    ASSERT_TRUE(s.OpenDb(other.Path()));
    CSelQueries q(&s.Db());
    q.RunApp("ORVPRO");
    q.RunDev(-1);
    q.RunSps(4);
    q.RunDrv(8);
    EXPECT_EQ(q.sps.Params().dwCpt, "MW");
    EXPECT_EQ(q.sps.Params().dwVonDft, 12);
    EXPECT_EQ(q.sps.Params().dwMax, 99);
}

TEST(StartSelDbFile, DamagedAndMissingDatabases)
{
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    TempDir dir;
    {
        // A PLC-type table missing: one message with the statement, no crash.
        orv::CSelDb fill;
        StartSelRows rows(fill, dir.File("STARTSEL.DB"));
        rows.App("ORVPRO").DevTyp("ORVPRO", "mini").Device({}).Exec("DROP TABLE SPSTyps");
    }
    orv::CStartSel sel;
    ASSERT_TRUE(sel.OpenDb(dir.Path()));  // found without regard to case
    CSelQueries q(&sel.Db());
    q.RunApp("ORVPRO");
    q.RunDev(-1);
    ui.ClearCalls();
    q.RunSps(33);
    const auto boxes = ui.TextsOf(UiCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rfind("Invalid query:SELECT DISTINCT", 0), 0u) << boxes[0];
    EXPECT_TRUE(q.sps.Names().empty());

    // No file: one message with the path; every query empty; the record is
    // the fallback, so nothing divides by zero.
    ui.ClearCalls();
    TempDir empty;
    orv::CStartSel none;
    EXPECT_FALSE(none.OpenDb(empty.Path()));
    const auto open = ui.TextsOf(UiCall::Kind::Box);
    ASSERT_EQ(open.size(), 1u);
    EXPECT_NE(open[0].find("Could not open database " + empty.Path() + "startsel.db"), std::string::npos);
    CSelQueries n(&none.Db());
    n.RunApp("ORVPRO");
    n.RunDev(14);
    EXPECT_TRUE(n.app.Names().empty());
    EXPECT_EQ(n.dev.Record(), orv::DevRecord::Fallback());
    EXPECT_GT(n.dev.Record().numDspRows, 0);
    EXPECT_GT(n.dev.Record().numDspCols, 0);
}

TEST(StartSelDbFile, ColumnCaseAndCp1252Text)
{
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    TempDir dir;
    {
        // A database whose PLC-type id column is spelt _SpsId: read by name
        // without regard to case.
        orv::CSelDb fill;
        StartSelRows rows(fill, dir.File("startsel.db"));
        rows.App("ORVPRO").DevTyp("ORVPRO", "mini").Device({});
        rows.Sps({12, "S\xC3\xBC" "d", StartSelSpsRow::Neutral()}).Driver(5, "x").Pair("mini", 12, 5);
    }
    orv::CSelDb db;
    ASSERT_TRUE(db.Open(dir.File("startsel.db")));
    const orv::CSelRecordset rs = db.Query("SELECT spsID AS _SpsId, Name, DwCpt AS DWCpt FROM SPSTyps", {});
    EXPECT_EQ(rs.GetFieldLong("_SpsID"), 12);
    EXPECT_EQ(rs.GetFieldStr("dwcpt"), "DW");
    EXPECT_EQ(rs.GetFieldStr("Name"), "S\xFC" "d");
    // Read-only: nothing writes the shipped file.
    EXPECT_FALSE(db.ExecScript("DELETE FROM Apps"));
    EXPECT_TRUE(ui.TextsOf(UiCall::Kind::Box).empty());
}
