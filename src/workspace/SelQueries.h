// The four start-selection queries: applications, the devices of an
// application, the PLC types of a device type and the drivers of a pair.
#pragma once

#include "workspace/SelDb.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// The text kinds a device type offers, in the order of the device record.
enum class TxtKind : uint8_t {
    Sts, Dft, Op, Msg, Hst, RcpMgr, Rcp, Sys, PrtOp, PrtMsg, PrtRcp, HlpDft,
    HlpMnu, HlpInf, HlpWrn, HlpFlt, HlpMsg, HlpRcp, HlpOp, HlpHst, HlpRcpDlg, HlpPwd, RcpDlg,
};
inline constexpr size_t kTxtKindCount = 23;
// The column of a text kind's flag ("TxtOp" ...).
const char* TxtKindColumn(TxtKind kind);

// The chosen device's row, as the rest of the program reads it.
struct DevRecord {
    std::string name;
    int32_t devId = 0;
    std::string devTyp;
    std::string fntNam;
    std::array<bool, kTxtKindCount> txt{};
    int32_t numDspRows = 0;
    int32_t numDspCols = 0;
    int32_t numSK = 0;
    int32_t dspLft = 0;
    int32_t dspTop = 0;
    int32_t dspWid = 0;
    int32_t dspHei = 0;
    int32_t bmpWid = 0;
    int32_t bmpHei = 0;

    bool Offers(TxtKind kind) const { return txt[static_cast<size_t>(kind)]; }
    // The "ORV 014" row of the shipped database: what views divide by must
    // never be zero before a device row was loaded.
    static DevRecord Fallback();

    bool operator==(const DevRecord&) const = default;
};

// The data-word parameters of the chosen PLC type, or of its driver where
// the type leaves them to the driver.
struct DwParams {
    std::string dwCpt = "DW";
    int32_t dwVonDft = 0;
    bool dwVonDsp = false;
    bool dwVonEdt = false;
    float dwBisDft = 0.0f;
    bool dwBisDsp = false;
    int32_t dwDecNum = 0;
    bool dwDecEdt = false;
    bool dwIsHex = false;
    int32_t dbDft = 0;
    int32_t dwMin = 0;
    int32_t dwMax = 0;
    int32_t dwDifMin = 0;
    int32_t dwDifMax = 0;
    int32_t dwBisMax = 0;
    int32_t dbMin = 0;
    int32_t dbMax = 0;
    bool drvSupplies = false;
};

class CSelQueries;

// One query: its statement's rows, the current row, and what it loads from
// the row of the held key.
class CSelQuery {
public:
    virtual ~CSelQuery() = default;

    // Opens the statement and finds the held key's row: the row to show.
    // An empty result or an unknown key reports and gives 0; an unknown key
    // also selects the first row.
    int Run(CSelQueries& owner);

    int GetRow() const { return m_row; }
    // The Name of every row in query order (the combo's entries).
    std::vector<std::string> Names() const;
    // Name of the current row; "" when there is none.
    std::string CurrentName() const;
    // Name of a row; "" when it does not exist.
    std::string NameAt(int row) const;
    const CSelRecordset& Rows() const { return m_rs; }
    // Positions the rows on one (the combo's choice).
    void PositionOn(int row) { m_rs.SetAbsolutePosition(row); }

protected:
    virtual void Open(const CSelQueries& owner) = 0;
    bool IsEmpty() const { return m_rs.IsEof(); }
    virtual int FindRow(CSelQueries& owner) = 0;
    virtual void SelectFirst(CSelQueries& owner);
    virtual void ReportNotFound(const CSelQueries& owner) const = 0;
    // Loads the current row's values; the application query has none.
    virtual void Load(CSelQueries&) {}

    CSelRecordset m_rs;
    int m_row = 0;
};

class CAppQuery final : public CSelQuery {
protected:
    void Open(const CSelQueries& owner) override;
    int FindRow(CSelQueries& owner) override;
    void ReportNotFound(const CSelQueries& owner) const override;
};

// Devices, PLC types and drivers: found by an id column; a negative held id
// takes the first row and adopts its id.
class CIdQuery : public CSelQuery {
public:
    // The id of a row; -1 when it does not exist.
    int32_t IdAt(int row) const;

protected:
    int FindRow(CSelQueries& owner) override;
    virtual const char* IdColumn() const = 0;
    virtual int32_t& HeldId(CSelQueries& owner) const = 0;
};

class CDevQuery final : public CIdQuery {
public:
    const DevRecord& Record() const { return m_dev; }

protected:
    void Open(const CSelQueries& owner) override;
    void ReportNotFound(const CSelQueries& owner) const override;
    void Load(CSelQueries& owner) override;
    const char* IdColumn() const override { return "DevId"; }
    int32_t& HeldId(CSelQueries& owner) const override;

private:
    DevRecord m_dev = DevRecord::Fallback();
};

class CSpsQuery final : public CIdQuery {
public:
    const DwParams& Params() const { return m_dw; }
    DwParams& Params() { return m_dw; }
    // A new PLC type starts with the caption "DW".
    void ResetCaption() { m_dw.dwCpt = "DW"; }

protected:
    void Open(const CSelQueries& owner) override;
    void ReportNotFound(const CSelQueries& owner) const override;
    void Load(CSelQueries& owner) override;
    const char* IdColumn() const override { return "_SpsID"; }
    int32_t& HeldId(CSelQueries& owner) const override;

private:
    DwParams m_dw;
};

class CDrvQuery final : public CIdQuery {
protected:
    void Open(const CSelQueries& owner) override;
    void ReportNotFound(const CSelQueries& owner) const override;
    // The driver's own data-word parameters replace the PLC type's.
    void Load(CSelQueries& owner) override;
    const char* IdColumn() const override { return "DrvId"; }
    int32_t& HeldId(CSelQueries& owner) const override;
};

// The held keys and the four queries over one database. A plain value: the
// start-selection form works on a copy and hands it back on OK.
class CSelQueries {
public:
    explicit CSelQueries(const CSelDb* db = nullptr) : m_db(db) {}

    const CSelDb* Db() const { return m_db; }
    void SetDb(const CSelDb* db) { m_db = db; }

    std::string appName;
    int32_t devId = -1;
    int32_t spsId = -1;
    int32_t drvId = -1;

    CAppQuery app;
    CDevQuery dev;
    CSpsQuery sps;
    CDrvQuery drv;

    // Each takes its key, resets the row to 0 and runs its query; the row
    // to show is kept in the query.
    void RunApp(const std::string& name);
    void RunDev(int32_t id);
    void RunSps(int32_t id);
    void RunDrv(int32_t id);

    // What reports name a device, PLC type or driver by: its current row's
    // Name, or its held id when the query has no current row.
    std::string DevText() const;
    std::string SpsText() const;
    std::string DrvText() const;

private:
    const CSelDb* m_db;
};

} // namespace orv
