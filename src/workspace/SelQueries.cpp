// The statements of the start selection and how each query finds, loads and
// reports its row. Every value is bound, never pasted into the statement.
#include "workspace/SelQueries.h"

#include "model/core/CatalogueIds.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PanelTable.h"

#include <cmath>

namespace orv {

namespace {

constexpr std::array<const char*, kTxtKindCount> kTxtColumns{
    "TxtSts", "TxtDft", "TxtOp", "TxtMsg", "TxtHst", "TxtRcpMgr", "TxtRcp", "TxtSys",
    "TxtPrtOp", "TxtPrtMsg", "TxtPrtRcp", "TxtHlpDft", "TxtHlpMnu", "TxtHlpInf", "TxtHlpWrn", "TxtHlpFlt",
    "TxtHlpMsg", "TxtHlpRcp", "TxtHlpOp", "TxtHlpHst", "TxtHlpRcpDlg", "TxtHlpPwd", "TxtRcpDlg",
};

const std::string kAppStatement = "SELECT Name FROM Apps ORDER BY rowid";

std::string DevStatement()
{
    std::string sql =
        "SELECT Devices.Name,\tDevices.ZeroBasedId,\tDevices.DevId,\tDevices.NumDspRows,\tDevices.NumDspCols,"
        "\tDevices.NumSK,\tDevices.DspLft,\tDevices.DspTop,\tDevices.DspWid,\tDevices.DspHei,\tDevices.BmpWid,"
        "\tDevices.BmpHei,\tDevices.FntNam,\tDevTyps.Name AS DevTyp";
    for (const char* column : kTxtColumns)
        sql += std::string(",\tDevTyps.") + column + " AS " + column;
    sql += " FROM DevTyps INNER JOIN Devices ON DevTyps.App = Devices.App AND DevTyps.Name = Devices.Typ"
           " WHERE Devices.App = ? ORDER BY Devices.ZeroBasedId";
    return sql;
}

// The data-word columns that a PLC type and a driver row share.
constexpr std::array<const char*, 16> kDwColumns{
    "DwVonDft", "DwVonDsp", "DwVonEdt", "DwBisDft", "DwBisDsp", "DwDecNum", "DwDecEdt", "DwIsHex",
    "DbDft", "DwMin", "DwMax", "DwDifMin", "DwDifMax", "DwBisMax", "DbMin", "DbMax",
};

// SQLite has no First(): DISTINCT drops the rows of a PLC type that a device
// type pairs with several drivers.
std::string SpsStatement()
{
    std::string sql = "SELECT DISTINCT SPSDrvOfDevTyps.spsID AS _SpsID, SPSTyps.Name, SPSTyps.DwCpt";
    for (const char* column : kDwColumns)
        sql += std::string(", SPSTyps.") + column;
    sql += " FROM SPSTyps INNER JOIN SPSDrvOfDevTyps ON SPSTyps.spsID = SPSDrvOfDevTyps.spsID"
           " WHERE SPSDrvOfDevTyps.DevTyp = ? ORDER BY SPSTyps.Name COLLATE NOCASE, _SpsID";
    return sql;
}

const std::string kDrvStatement =
    "SELECT DISTINCT SPSDrvOfDevTyps.DrvId, Drivers.Name FROM Drivers INNER JOIN SPSDrvOfDevTyps"
    " ON Drivers.drvID = SPSDrvOfDevTyps.DrvId WHERE SPSDrvOfDevTyps.DevTyp = ? AND SPSDrvOfDevTyps.SpsId = ?"
    " ORDER BY Drivers.Name COLLATE NOCASE, SPSDrvOfDevTyps.DrvId";

const std::string kDrvParStatement =
    "SELECT * FROM DrvOfSpsTyps WHERE DrvOfSpsTyps.App = ? AND DrvOfSpsTyps.SpsId = ? AND DrvOfSpsTyps.DrvId = ?";

CSelRecordset Query(const CSelQueries& owner, const std::string& sql, const std::vector<SelParam>& params)
{
    return owner.Db() ? owner.Db()->Query(sql, params) : CSelRecordset();
}

// The data-word parameters of a PLC type or driver row.
void LoadDw(const CSelRecordset& rs, DwParams& dw)
{
    dw.dwVonDft = rs.GetFieldLong("DwVonDft");
    dw.dwVonDsp = rs.GetFieldBool("DwVonDsp");
    dw.dwVonEdt = rs.GetFieldBool("DwVonEdt");
    dw.dwBisDft = rs.GetFieldFloat("DwBisDft");
    dw.dwBisDsp = rs.GetFieldBool("DwBisDsp");
    dw.dwDecNum = rs.GetFieldLong("DwDecNum");
    dw.dwDecEdt = rs.GetFieldBool("DwDecEdt");
    dw.dwIsHex = rs.GetFieldBool("DwIsHex");
    dw.dbDft = rs.GetFieldLong("DbDft");
    dw.dwMin = rs.GetFieldLong("DwMin");
    dw.dwMax = rs.GetFieldLong("DwMax");
    dw.dwDifMin = rs.GetFieldLong("DwDifMin");
    dw.dwDifMax = rs.GetFieldLong("DwDifMax");
    dw.dwBisMax = rs.GetFieldLong("DwBisMax");
    dw.dbMin = rs.GetFieldLong("DbMin");
    dw.dbMax = rs.GetFieldLong("DbMax");
}

} // namespace

const char* TxtKindColumn(TxtKind kind)
{
    return kTxtColumns[static_cast<size_t>(kind)];
}

DevRecord DevRecord::Fallback()
{
    // Kept equal to the shipped "ORV 014" row; a test compares the two.
    DevRecord dev;
    dev.name = "ORV 014";
    dev.devId = 14;
    dev.devTyp = "mini";
    dev.fntNam = "alt";
    for (TxtKind kind : {TxtKind::Op, TxtKind::Msg, TxtKind::Rcp, TxtKind::HlpDft, TxtKind::HlpMnu,
                         TxtKind::HlpInf, TxtKind::HlpWrn, TxtKind::HlpFlt, TxtKind::HlpRcp})
        dev.txt[static_cast<size_t>(kind)] = true;
    dev.numDspRows = 4;
    dev.numDspCols = 20;
    dev.numSK = 8;
    dev.dspLft = 80;
    dev.dspTop = 90;
    dev.dspWid = 240;
    dev.dspHei = 60;
    dev.bmpWid = 400;
    dev.bmpHei = 600;
    return dev;
}

int CSelQuery::Run(CSelQueries& owner)
{
    m_row = 0;
    Open(owner);
    if (IsEmpty()) {
        ReportNotFound(owner);
        return 0;
    }
    m_row = FindRow(owner);
    if (m_row >= 0)
        return m_row;
    ReportNotFound(owner);
    SelectFirst(owner);
    return 0;
}

void CSelQuery::SelectFirst(CSelQueries& owner)
{
    m_row = 0;
    m_rs.SetAbsolutePosition(0);
    if (!m_rs.IsEof())
        Load(owner);
}

std::vector<std::string> CSelQuery::Names() const
{
    CSelRecordset rs = m_rs;
    std::vector<std::string> names;
    for (rs.MoveFirst(); !rs.IsEof(); rs.MoveNext())
        names.push_back(rs.GetFieldStr("Name"));
    return names;
}

std::string CSelQuery::CurrentName() const
{
    return m_rs.GetFieldStr("Name");
}

std::string CSelQuery::NameAt(int row) const
{
    CSelRecordset rs = m_rs;
    rs.SetAbsolutePosition(row);
    return rs.GetFieldStr("Name");
}

void CAppQuery::Open(const CSelQueries& owner)
{
    m_rs = Query(owner, kAppStatement, {});
}

int CAppQuery::FindRow(CSelQueries& owner)
{
    for (m_rs.MoveFirst(); !m_rs.IsEof(); m_rs.MoveNext())
        if (m_rs.GetFieldStr("Name") == owner.appName)
            return m_rs.GetAbsolutePosition();
    return -1;
}

void CAppQuery::ReportNotFound(const CSelQueries& owner) const
{
    ShowInternalError(msg::kUngueltigeApplikationKeinDBEintrag, owner.appName);
}

int CIdQuery::FindRow(CSelQueries& owner)
{
    int32_t& held = HeldId(owner);
    m_rs.MoveFirst();
    if (held < 0) {
        held = m_rs.GetFieldLong(IdColumn());
        Load(owner);
        return 0;
    }
    for (; !m_rs.IsEof(); m_rs.MoveNext()) {
        if (m_rs.GetFieldLong(IdColumn()) == held) {
            Load(owner);
            return m_rs.GetAbsolutePosition();
        }
    }
    return -1;
}

int32_t CIdQuery::IdAt(int row) const
{
    CSelRecordset rs = m_rs;
    rs.SetAbsolutePosition(row);
    return rs.IsEof() ? -1 : rs.GetFieldLong(IdColumn());
}

void CDevQuery::Open(const CSelQueries& owner)
{
    static const std::string statement = DevStatement();
    m_rs = Query(owner, statement, {owner.appName});
}

void CDevQuery::ReportNotFound(const CSelQueries& owner) const
{
    ShowInternalError(msg::kUngueltigeKombinationKeinDBEintrag_9007, owner.appName, owner.DevText());
}

void CDevQuery::Load(CSelQueries&)
{
    m_dev.name = m_rs.GetFieldStr("Name");
    m_dev.devId = m_rs.GetFieldLong("DevId");
    m_dev.devTyp = m_rs.GetFieldStr("DevTyp");
    m_dev.fntNam = m_rs.GetFieldStr("FntNam");
    for (size_t i = 0; i < kTxtKindCount; ++i)
        m_dev.txt[i] = m_rs.GetFieldBool(kTxtColumns[i]);
    // The 706 family's type offers history texts, which only the 706 reads.
    const PanelRow* row = FindPanel(static_cast<uint16_t>(m_dev.devId));
    if (!row || !row->histTexts)
        m_dev.txt[static_cast<size_t>(TxtKind::Hst)] = false;
    m_dev.numDspRows = m_rs.GetFieldLong("NumDspRows");
    m_dev.numDspCols = m_rs.GetFieldLong("NumDspCols");
    m_dev.numSK = m_rs.GetFieldLong("NumSK");
    m_dev.dspLft = m_rs.GetFieldLong("DspLft");
    m_dev.dspTop = m_rs.GetFieldLong("DspTop");
    m_dev.dspWid = m_rs.GetFieldLong("DspWid");
    m_dev.dspHei = m_rs.GetFieldLong("DspHei");
    m_dev.bmpWid = m_rs.GetFieldLong("BmpWid");
    m_dev.bmpHei = m_rs.GetFieldLong("BmpHei");
}

int32_t& CDevQuery::HeldId(CSelQueries& owner) const
{
    return owner.devId;
}

void CSpsQuery::Open(const CSelQueries& owner)
{
    static const std::string statement = SpsStatement();
    m_rs = Query(owner, statement, {owner.dev.Record().devTyp});
}

void CSpsQuery::ReportNotFound(const CSelQueries& owner) const
{
    ShowInternalError(msg::kUngueltigeKombinationKeinDBEintrag_9008, owner.appName, owner.DevText(),
                      owner.SpsText());
}

void CSpsQuery::Load(CSelQueries&)
{
    m_dw.dwCpt = m_rs.GetFieldStr("DWCpt");
    LoadDw(m_rs, m_dw);
    m_dw.drvSupplies = m_dw.dwVonDft < 0;
}

int32_t& CSpsQuery::HeldId(CSelQueries& owner) const
{
    return owner.spsId;
}

void CDrvQuery::Open(const CSelQueries& owner)
{
    m_rs = Query(owner, kDrvStatement, {owner.dev.Record().devTyp, int64_t{owner.spsId}});
}

void CDrvQuery::ReportNotFound(const CSelQueries& owner) const
{
    ShowInternalError(msg::kUngueltigeKombinationKeinDBEintrag_9009, owner.appName, owner.DevText(),
                      owner.SpsText(), owner.DrvText());
}

void CDrvQuery::Load(CSelQueries& owner)
{
    DwParams& dw = owner.sps.Params();
    if (!dw.drvSupplies)
        return;
    const CSelRecordset par = Query(owner, kDrvParStatement,
                                    {owner.appName, int64_t{owner.spsId}, int64_t{m_rs.GetFieldLong("DrvId")}});
    if (par.IsEof())
        return;
    LoadDw(par, dw);
    if (std::string caption = par.GetFieldStr("DwCpt"); !caption.empty())
        dw.dwCpt = std::move(caption);
}

int32_t& CDrvQuery::HeldId(CSelQueries& owner) const
{
    return owner.drvId;
}

void CSelQueries::RunApp(const std::string& name)
{
    appName = name;
    app.Run(*this);
}

void CSelQueries::RunDev(int32_t id)
{
    devId = id;
    dev.Run(*this);
}

void CSelQueries::RunSps(int32_t id)
{
    spsId = id;
    sps.ResetCaption();
    sps.Run(*this);
}

void CSelQueries::RunDrv(int32_t id)
{
    drvId = id;
    drv.Run(*this);
}

namespace {

std::string NameOrId(const CSelQuery& query, int32_t id)
{
    return query.Rows().IsEof() ? std::to_string(id) : query.CurrentName();
}

} // namespace

std::string CSelQueries::DevText() const
{
    return NameOrId(dev, devId);
}

std::string CSelQueries::SpsText() const
{
    return NameOrId(sps, spsId);
}

std::string CSelQueries::DrvText() const
{
    return NameOrId(drv, drvId);
}

} // namespace orv
