// The start-selection dialog's logic: the combo cascade, the data-word
// controls and codec, the six range checks and the hand-over on OK.
#include "workspace/StartSelForm.h"

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PanelTable.h"
#include "workspace/NormalizeDwRange.h"
#include "workspace/StartSelTarget.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace orv {

namespace {

std::string Unsigned(int64_t value)
{
    return std::to_string(static_cast<uint32_t>(value));
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Digits only; longer texts than an int32 could come from are refused too.
std::optional<int64_t> ParseDigits(const std::string& digits, int base)
{
    if (digits.empty() || digits.size() > 10)
        return std::nullopt;
    int64_t value = 0;
    for (const char c : digits) {
        const auto u = static_cast<unsigned char>(c);
        int digit;
        if (std::isdigit(u))
            digit = c - '0';
        else if (base == 16 && std::isxdigit(u))
            digit = std::toupper(u) - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

} // namespace

std::string FormatDwEdit(int64_t value, bool hex)
{
    if (!hex)
        return Unsigned(value);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%-4.4X", static_cast<uint32_t>(value));
    return buf;
}

std::optional<int64_t> ParseDwEdit(const std::string& text, bool hex)
{
    const std::string t = Trimmed(text);
    if (hex)
        return ParseDigits(t, 16);
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        const auto v = ParseDigits(t.substr(1), 10);
        return v && t[0] == '-' ? std::optional<int64_t>(-*v) : v;
    }
    return ParseDigits(t, 10);
}

CStartSelForm::CStartSelForm(CStartSel& model) : m_model(model), m_work(model.GetSelection())
{
}

bool CStartSelForm::Init()
{
    if (!m_work.valid) {
        FatalStartSelNotSet();
        return false;
    }
    m_checkRunning = true;
    ShowDwControls();
    m_ctl.simDrv = m_work.simDrv;
    m_ctl.keepSettings = m_work.keepSettings;
    EnableIntlDisplay();
    ShowDbControls();
    return true;
}

void CStartSelForm::OnAppChanged(int row)
{
    m_work.q.app.PositionOn(row);
    m_work.q.RunApp(m_work.q.app.NameAt(row));
    SelectDev(-1);
    EnableIntlDisplay();
}

void CStartSelForm::OnDevChanged(int row)
{
    m_work.q.dev.PositionOn(row);
    SelectDev(m_work.q.dev.IdAt(row));
}

void CStartSelForm::OnSpsChanged(int row)
{
    m_work.q.sps.PositionOn(row);
    SelectSps(m_work.q.sps.IdAt(row));
}

void CStartSelForm::OnDrvChanged(int row)
{
    m_work.q.drv.PositionOn(row);
    SelectDrv(m_work.q.drv.IdAt(row));
}

void CStartSelForm::SelectDev(int32_t id)
{
    m_work.q.RunDev(id);
    SelectSps(-1);
}

void CStartSelForm::SelectSps(int32_t id)
{
    m_work.q.RunSps(id);
    ShowDbControls();
    SelectDrv(-1);
}

void CStartSelForm::SelectDrv(int32_t id)
{
    m_work.q.RunDrv(id);
    ShowDwControls();
}

void CStartSelForm::ShowDwControls()
{
    const DwParams& dw = Dw();
    m_ctl.dbLabelShown = dw.dbDft > 0;
    m_ctl.dbText = Unsigned(dw.dbDft);
    m_ctl.dbEditShown = dw.dbDft > 0;

    m_ctl.dwCaption = dw.dwCpt;
    m_ctl.vonLabelShown = dw.dwVonDsp;
    m_ctl.vonShown = dw.dwVonDsp;
    m_ctl.vonEnabled = dw.dwVonEdt;
    m_ctl.vonText = FormatDwEdit(dw.dwVonDft, dw.dwIsHex);

    m_ctl.vonDecLabelShown = dw.dwDecNum > 0;
    m_ctl.vonDecShown = dw.dwVonDsp && dw.dwDecNum > 0;
    m_ctl.vonDecEnabled = dw.dwDecEdt;

    // The float is narrowed first, so 15.5 gives 15 and 500 (0.5 x 1001).
    const float bis = dw.dwBisDft;
    const double whole = std::trunc(static_cast<double>(bis));
    m_ctl.bisLabelShown = dw.dwBisDsp;
    m_ctl.bisText = FormatDwEdit(static_cast<int64_t>(whole), dw.dwIsHex);
    m_ctl.bisShown = dw.dwBisDsp;
    const double fraction = static_cast<double>(bis) - whole;
    m_ctl.bisDecText = Unsigned(static_cast<int64_t>(fraction * 1001.0));
    m_ctl.bisDecLabelShown = dw.dwBisDsp && dw.dwDecNum > 0;
    m_ctl.bisDecShown = m_ctl.bisDecLabelShown;
    m_ctl.bisDecEnabled = dw.dwDecEdt;
}

void CStartSelForm::ShowDbControls()
{
    m_ctl.dbLabelShown = m_work.q.spsId == 33;
    m_ctl.dbEditShown = m_work.q.spsId == 33;
}

void CStartSelForm::EnableIntlDisplay()
{
    m_ctl.intlEnabled = m_work.q.appName == "TEQPRO";
}

CStartSelForm::Entered CStartSelForm::ReadEdits() const
{
    return {ParseDwEdit(m_ctl.dbText, false), ParseDwEdit(m_ctl.vonText, Dw().dwIsHex),
            ParseDwEdit(m_ctl.bisText, Dw().dwIsHex)};
}

bool CStartSelForm::Report(const char* name, int64_t lower, int64_t upper)
{
    m_checkRunning = false;
    ShowMessageText(kRangeFormat, name, static_cast<int>(lower), static_cast<int>(upper));
    return true;
}

bool CStartSelForm::CheckDb(const Entered& in, bool upper)
{
    const DwParams& dw = Dw();
    if (!m_checkRunning || dw.dbDft <= 0)
        return false;
    const bool fires = upper ? in.db && *in.db > dw.dbMax : !in.db || *in.db < dw.dbMin;
    if (!fires)
        return false;
    Report("DB", dw.dbMin, dw.dbMax);
    m_failedControl = 1903;
    m_ctl.dbText = Unsigned(upper ? dw.dbMax : dw.dbMin);
    return true;
}

bool CStartSelForm::CheckVon(const Entered& in, bool upper)
{
    const DwParams& dw = Dw();
    if (!m_checkRunning)
        return false;
    const bool fires = upper ? in.von && *in.von > dw.dwMax : !in.von || *in.von < dw.dwMin;
    if (!fires)
        return false;
    Report("DW von", dw.dwMin, dw.dwMax);
    m_failedControl = 1926;
    m_ctl.vonText = FormatDwEdit(upper ? dw.dwMax : dw.dwMin, dw.dwIsHex);
    return true;
}

bool CStartSelForm::CheckBis(const Entered& in, bool upper)
{
    const DwParams& dw = Dw();
    if (!m_checkRunning)
        return false;
    const int64_t first = in.von.value_or(0);
    int64_t u = first + dw.dwDifMax;
    if (dw.dwBisMax > 0 && u > dw.dwBisMax)
        u = dw.dwBisMax;
    bool fires;
    if (!upper)
        fires = !in.bis || *in.bis - first < dw.dwDifMin;
    else
        fires = in.bis && (*in.bis - first > dw.dwDifMax || (dw.dwBisMax > 0 && *in.bis > dw.dwBisMax));
    if (!fires)
        return false;
    Report("DW Bis", first + dw.dwDifMin, u);
    m_failedControl = 1902;
    m_ctl.bisText = FormatDwEdit(u, dw.dwIsHex);
    return true;
}

bool CStartSelForm::CheckRanges(const Entered& in)
{
    if (!m_checkRunning)
        return false;
    return !(CheckDb(in, false) || CheckDb(in, true) || CheckVon(in, false) || CheckVon(in, true) ||
             CheckBis(in, false) || CheckBis(in, true));
}

void CStartSelForm::LeaveVon()
{
    const Entered in = ReadEdits();
    if (!CheckVon(in, false))
        CheckVon(in, true);
}

void CStartSelForm::LeaveBis()
{
    const Entered in = ReadEdits();
    if (!CheckBis(in, false))
        CheckBis(in, true);
}

bool CStartSelForm::OnOK()
{
    const Entered in = ReadEdits();
    m_work.simDrv = m_ctl.simDrv;
    m_work.keepSettings = m_ctl.keepSettings;
    m_checkRunning = true;
    if (!CheckRanges(in))
        return false;
    // The checks passed, so the words are numbers; a hidden DB edit may
    // still hold no number and counts as 0.
    auto narrow = [](int64_t v) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    };
    m_work.dbNum = narrow(in.db.value_or(0));
    m_work.firstDw = narrow(in.von.value_or(0));
    m_work.lastDw = narrow(in.bis.value_or(0));
    m_model.Commit(m_work);
    m_model.ShowSelInFrame();
    m_model.SetCharRanges();
    m_work = m_model.GetSelection();

    const CSelQueries& q = m_work.q;
    CStartSelTarget* target = m_model.GetTarget();
    if (target) {
        const HeldPanel held = HeldPanelOf(static_cast<uint16_t>(q.devId));
        target->SetPanelType(held.variant ? held.code : q.devId);
        target->SetPlcType(q.spsId);
        target->SetDrvNum(q.drvId >= 1000 ? q.drvId / 100 : q.drvId);
        target->SetIntlDisplay(m_model.IsFont706OrInt());
        target->SetSimDrvBound(m_work.simDrv);
    }
    DwRange range{m_work.firstDw, m_work.lastDw, m_work.dwLength};
    NormalizeDwRange(q.spsId, q.drvId, range);
    m_work.firstDw = range.first;
    m_work.lastDw = range.last;
    m_work.dwLength = range.length;
    m_model.Commit(m_work);
    if (target) {
        target->SetDbNum(m_work.dbNum);
        target->SetDwOffset(m_work.firstDw);
        target->SetDwLength(m_work.dwLength);
    }
    LogLine(kLogInfo, "DlgStartSel: Dev=%d, Sps=%d, Drv=%d, DB#=%d, Offset=%d, Len=%d", q.devId, q.spsId, q.drvId,
            m_work.dbNum, m_work.firstDw, m_work.dwLength);
    if (target && !target->Startselection())
        return false;
    if (CFrameState* frame = GetMainFrame())
        frame->LoadFon(m_model.GetFntNam(), false);
    return true;
}

} // namespace orv
