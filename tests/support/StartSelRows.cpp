// Builds start-selection databases for tests from the shipped schema, one
// bound insert per row.
#include "support/StartSelRows.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sstream>
#include <variant>
#include <vector>

namespace orv {

namespace {

using Value = std::variant<int64_t, double, std::string>;

void StartSelRowsInsert(orv::CSelDb& db, const std::string& table, const std::vector<std::pair<std::string, Value>>& cols)
{
    std::string names;
    std::string marks;
    for (const auto& [name, value] : cols) {
        names += (names.empty() ? "" : ", ") + name;
        marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &stmt, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db.Handle());
    int i = 1;
    for (const auto& [name, value] : cols) {
        if (const auto* n = std::get_if<int64_t>(&value))
            sqlite3_bind_int64(stmt, i, *n);
        else if (const auto* d = std::get_if<double>(&value))
            sqlite3_bind_double(stmt, i, *d);
        else
            sqlite3_bind_text(stmt, i, std::get<std::string>(value).c_str(), -1, SQLITE_TRANSIENT);
        ++i;
    }
    EXPECT_EQ(sqlite3_step(stmt), SQLITE_DONE) << sqlite3_errmsg(db.Handle());
    sqlite3_finalize(stmt);
}

std::vector<std::pair<std::string, Value>> DwColumns(const orv::DwParams& dw)
{
    return {{"DwCpt", dw.dwCpt},
            {"DwVonDft", int64_t{dw.dwVonDft}},
            {"DwVonDsp", int64_t{dw.dwVonDsp}},
            {"DwVonEdt", int64_t{dw.dwVonEdt}},
            {"DwBisDft", double{dw.dwBisDft}},
            {"DwBisDsp", int64_t{dw.dwBisDsp}},
            {"DwDecNum", int64_t{dw.dwDecNum}},
            {"DwDecEdt", int64_t{dw.dwDecEdt}},
            {"DwIsHex", int64_t{dw.dwIsHex}},
            {"DbDft", int64_t{dw.dbDft}},
            {"DwMin", int64_t{dw.dwMin}},
            {"DwMax", int64_t{dw.dwMax}},
            {"DwDifMin", int64_t{dw.dwDifMin}},
            {"DwDifMax", int64_t{dw.dwDifMax}},
            {"DwBisMax", int64_t{dw.dwBisMax}},
            {"DbMin", int64_t{dw.dbMin}},
            {"DbMax", int64_t{dw.dbMax}}};
}

} // namespace

orv::DwParams StartSelSpsRow::Neutral()
{
    orv::DwParams dw;
    dw.dwCpt = "DW";
    dw.dwVonDsp = dw.dwVonEdt = dw.dwBisDsp = true;
    dw.dwBisDft = 255.0f;
    dw.dwMax = 65535;
    dw.dwDifMax = 65535;
    dw.dbMin = 1;
    dw.dbMax = 255;
    return dw;
}

StartSelRows::StartSelRows(orv::CSelDb& db, const std::string& path, bool withSchema) : m_db(db)
{
    EXPECT_TRUE(m_db.Create(path));
    if (!withSchema)
        return;
    std::ifstream in(ORV_STARTSEL_SCHEMA);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    EXPECT_TRUE(m_db.ExecScript(text.str(), &error)) << error;
}

StartSelRows& StartSelRows::App(const std::string& name)
{
    StartSelRowsInsert(m_db, "Apps", {{"Name", name}});
    return *this;
}

StartSelRows& StartSelRows::DevTyp(const std::string& app, const std::string& name,
                                   std::initializer_list<orv::TxtKind> flags)
{
    std::vector<std::pair<std::string, Value>> cols{{"App", app}, {"Name", name}};
    for (orv::TxtKind kind : flags)
        cols.emplace_back(orv::TxtKindColumn(kind), int64_t{1});
    StartSelRowsInsert(m_db, "DevTyps", cols);
    return *this;
}

DevRecord DspAltRecord()
{
    DevRecord dev;
    dev.name = "Alt 4x20";
    dev.devTyp = "mini";
    dev.fntNam = "alt";
    dev.numDspRows = 4;
    dev.numDspCols = 20;
    dev.numSK = 4;
    dev.dspLft = 50;
    dev.dspTop = 80;
    dev.dspWid = 300;
    dev.dspHei = 120;
    dev.bmpWid = 400;
    dev.bmpHei = 600;
    return dev;
}

DevRecord Dsp706Record()
{
    DevRecord dev = DspAltRecord();
    dev.name = "706 2x40";
    dev.fntNam = "706";
    dev.numDspRows = 2;
    dev.numDspCols = 40;
    return dev;
}

StartSelDevRow DevRowOf(const DevRecord& dev, int zeroBasedId, int devId)
{
    StartSelDevRow row{"ORVPRO", dev.name, zeroBasedId, devId, dev.devTyp, dev.numDspRows, dev.numDspCols,
                       dev.numSK, dev.fntNam};
    row.dspLft = dev.dspLft;
    row.dspTop = dev.dspTop;
    row.dspWid = dev.dspWid;
    row.dspHei = dev.dspHei;
    row.bmpWid = dev.bmpWid;
    row.bmpHei = dev.bmpHei;
    return row;
}

StartSelRows& StartSelRows::Device(const StartSelDevRow& row)
{
    StartSelRowsInsert(m_db, "Devices",
           {{"App", row.app},
            {"Name", row.name},
            {"ZeroBasedId", int64_t{row.zeroBasedId}},
            {"DevId", int64_t{row.devId}},
            {"Typ", row.typ},
            {"NumDspRows", int64_t{row.numDspRows}},
            {"NumDspCols", int64_t{row.numDspCols}},
            {"NumSK", int64_t{row.numSK}},
            {"FntNam", row.fntNam},
            {"DspLft", int64_t{row.dspLft}},
            {"DspTop", int64_t{row.dspTop}},
            {"DspWid", int64_t{row.dspWid}},
            {"DspHei", int64_t{row.dspHei}},
            {"BmpWid", int64_t{row.bmpWid}},
            {"BmpHei", int64_t{row.bmpHei}}});
    return *this;
}

StartSelRows& StartSelRows::Sps(const StartSelSpsRow& row)
{
    auto cols = DwColumns(row.dw);
    cols.insert(cols.begin(), {{"spsID", int64_t{row.id}}, {"Name", row.name}});
    StartSelRowsInsert(m_db, "SPSTyps", cols);
    return *this;
}

StartSelRows& StartSelRows::Driver(int id, const std::string& name)
{
    StartSelRowsInsert(m_db, "Drivers", {{"drvID", int64_t{id}}, {"Name", name}});
    return *this;
}

StartSelRows& StartSelRows::Pair(const std::string& devTyp, int spsId, int drvId)
{
    StartSelRowsInsert(m_db, "SPSDrvOfDevTyps", {{"DevTyp", devTyp}, {"spsID", int64_t{spsId}}, {"DrvId", int64_t{drvId}}});
    return *this;
}

StartSelRows& StartSelRows::DrvPar(const std::string& app, int spsId, int drvId, const orv::DwParams& dw)
{
    auto cols = DwColumns(dw);
    cols.insert(cols.begin(), {{"App", app}, {"SpsId", int64_t{spsId}}, {"DrvId", int64_t{drvId}}});
    StartSelRowsInsert(m_db, "DrvOfSpsTyps", cols);
    return *this;
}

StartSelRows& StartSelRows::Exec(const std::string& sql)
{
    std::string error;
    EXPECT_TRUE(m_db.ExecScript(sql, &error)) << error;
    return *this;
}

} // namespace orv
