// Start-selection database fixtures: the shipped schema with rows added one
// call each, every column not given neutral.
#pragma once

#include "workspace/SelDb.h"
#include "workspace/SelQueries.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace orv {

// A device row; the device type's flags are given with the type.
struct StartSelDevRow {
    std::string app = "ORVPRO";
    std::string name = "Panel";
    int zeroBasedId = 0;
    int devId = 14;
    std::string typ = "mini";
    int numDspRows = 2;
    int numDspCols = 40;
    int numSK = 8;
    std::string fntNam = "alt";
    // The display area on the panel picture and the picture's size.
    int dspLft = 0;
    int dspTop = 0;
    int dspWid = 0;
    int dspHei = 0;
    int bmpWid = 0;
    int bmpHei = 0;
};

// A PLC type row with its data-word parameters (or a driver's, with
// StartSelRows::DrvPar).
struct StartSelSpsRow {
    int id = 0;
    std::string name = "PLC";
    orv::DwParams dw = Neutral();

    static orv::DwParams Neutral();
};

// The display editor's synthetic panels: 400 × 600 with the display at
// (50, 80) of 300 × 120, 4 rows of 20 on "alt"; and 2 rows of 40 on "706".
orv::DevRecord DspAltRecord();
orv::DevRecord Dsp706Record();
// The device row of a record, geometry included.
StartSelDevRow DevRowOf(const orv::DevRecord& dev, int zeroBasedId = 0, int devId = 14);

// Fills a database with the shipped schema (or leaves it out) and rows.
class StartSelRows {
public:
    // Creates the tables in a fresh database at path (":memory:" by default).
    explicit StartSelRows(orv::CSelDb& db, const std::string& path = ":memory:", bool withSchema = true);

    StartSelRows& App(const std::string& name);
    StartSelRows& DevTyp(const std::string& app, const std::string& name,
                         std::initializer_list<orv::TxtKind> flags = {});
    StartSelRows& Device(const StartSelDevRow& row);
    StartSelRows& Sps(const StartSelSpsRow& row);
    StartSelRows& Driver(int id, const std::string& name);
    StartSelRows& Pair(const std::string& devTyp, int spsId, int drvId);
    StartSelRows& DrvPar(const std::string& app, int spsId, int drvId, const orv::DwParams& dw);
    // Any statement, for damaged databases.
    StartSelRows& Exec(const std::string& sql);

private:
    orv::CSelDb& m_db;
};

} // namespace orv
