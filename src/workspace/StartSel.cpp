// Holds the program-wide start selection, runs its queries when it is set and
// tells the frame and the project manager what was chosen.
#include "workspace/StartSel.h"

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "platform/FileLookup.h"
#include "workspace/StartSelTarget.h"

#include <array>

namespace orv {

namespace {

struct RangeRow {
    const char* font;
    CharRanges ranges;
};

constexpr std::array<RangeRow, 3> kRanges{{
    {"alt", {8, 127, 8, 15, 16, 31, 33}},
    {"706", {16, 255, 128, 255, 255, 0, 16}},
    {"int", {8, 255, 8, 15, 255, 0, 16}},
}};

} // namespace

CStartSel::CStartSel()
{
    m_sel.q.SetDb(&m_db);
}

CStartSel::~CStartSel() = default;

bool CStartSel::OpenDb(const std::string& dir)
{
    std::string base = dir;
    if (!base.empty() && base.back() != '/')
        base += '/';
    if (const auto found = FindPathNoCase(base, kDbFileName))
        return m_db.Open(*found);
    ShowBox(MsgKind::InternalError, "Could not open database " + base + kDbFileName + ": no such file", 0);
    return false;
}

void CStartSel::CloseDb()
{
    m_db.Close();
}

bool CStartSel::SetOrvVals(const std::string& app, int32_t devId, int32_t spsId, int32_t drvId, int32_t db,
                           int32_t offset, int32_t length)
{
    m_sel.dbNum = db;
    m_sel.firstDw = offset;
    m_sel.lastDw = offset + length - 1;
    m_sel.dwLength = length;
    CSelQueries& q = m_sel.q;
    q.RunApp(app);
    q.RunDev(devId);
    q.RunSps(spsId);
    // Driver 50 serves three offsets under three ids of its own.
    if (drvId == 50)
        drvId = offset == 2000 ? 5002 : offset == 3000 ? 5003 : 5001;
    q.RunDrv(drvId);
    m_sel.valid = true;
    ShowSelInFrame();
    if (m_target)
        m_target->SetIntlDisplay(IsFont706OrInt());
    if (CFrameState* frame = GetMainFrame())
        frame->LoadFon(GetFntNam(), false);
    SetCharRanges();
    return true;
}

std::string CStartSel::GetFntNam() const
{
    if (!m_sel.valid) {
        LogAppend(kLogErrors, kFatalLogLine);
        FatalStartSelNotSet();
        return {};
    }
    return Dev().fntNam;
}

int CStartSel::IsFont706OrInt() const
{
    const std::string& name = Dev().fntNam;
    return name == "int" || name == "706" ? 1 : 0;
}

void CStartSel::SetCharRanges()
{
    for (const RangeRow& row : kRanges)
        if (Dev().fntNam == row.font)
            m_sel.ranges = row.ranges;
}

bool CStartSel::IsDefChar(int code) const
{
    return m_sel.ranges.firstDef <= code && code <= m_sel.ranges.lastDef;
}

bool CStartSel::IsValidChar(int code) const
{
    const CharRanges& r = m_sel.ranges;
    return r.firstValid <= code && code <= r.lastValid && !(r.firstExcl <= code && code <= r.lastExcl);
}

void CStartSel::Commit(const Selection& sel)
{
    m_sel = sel;
    // The copy may have been made before the database was opened again.
    m_sel.q.SetDb(&m_db);
}

void CStartSel::ShowSelInFrame() const
{
    if (CFrameState* frame = GetMainFrame())
        frame->SetSelectionFields(m_sel.q.dev.CurrentName(), m_sel.q.sps.CurrentName(), m_sel.q.drv.CurrentName());
}

void FatalStartSelNotSet()
{
    MsgBoxOk(CStartSel::kFatalNotSet);
}

} // namespace orv
