// The checks and mappings of the small option and editing dialogs.
#include "workspace/forms/OptionForms.h"

#include "model/core/CheckedFormat.h"
#include "model/core/FrameState.h"
#include "model/core/LangStrings.h"
#include "model/core/MessageBoxes.h"
#include "model/core/ProgramIni.h"
#include "model/core/UiServices.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjData.h"
#include "workspace/FrameViews.h"
#include "workspace/FrameWindow.h"
#include "workspace/PrjMgr.h"
#include "workspace/forms/ValueCodec.h"

#include <array>
#include <filesystem>

namespace orv {

namespace {

constexpr ValueFmt kValueFmts[] = {ValueFmt::Bin, ValueFmt::Hex, ValueFmt::Dec};

// A number typed into a dialog, within its range; nothing after the range
// message.
std::optional<int> ReadTypedNumber(std::string_view text, int lo, int hi)
{
    const std::optional<int> value = ReadValue(ValueFmt::Dec, text);
    if (!value || *value < lo || *value > hi) {
        ShowMessage(kMsgInputRange, lo, hi);
        return std::nullopt;
    }
    return value;
}

// Priority and its radio.
struct PrioRadioRow {
    uint8_t prio;
    int radio;
};
constexpr std::array<PrioRadioRow, 3> kPrioRadios{{
    {CMsgTxt::PrioInfo, CDlgMsgOptForm::kIdInfo},
    {CMsgTxt::PrioWarning, CDlgMsgOptForm::kIdWarning},
    {CMsgTxt::PrioFault, CDlgMsgOptForm::kIdFault},
}};

// Catalogue texts of the language dialog: caption and the three radios.
constexpr uint32_t kLangTextCaption = 10700;
constexpr uint32_t kLangTextGerman = 10701;

} // namespace

// --- Value ----------------------------------------------------------------

int CDlgValueForm::IndexOfSimFmt(uint8_t flags)
{
    if ((flags & 1) != 0)
        return 0;
    if ((flags & 2) != 0)
        return 1;
    return 2;
}

CDlgValueForm::CDlgValueForm(uint16_t value, uint8_t simFmt)
    : m_fmt(IndexOfSimFmt(simFmt)), m_text(FormatValue(kValueFmts[m_fmt], value))
{
}

void CDlgValueForm::SetFormat(int index)
{
    if (index == m_fmt || index < 0 || index > 2)
        return;
    m_text = ConvertValueText(kValueFmts[m_fmt], kValueFmts[index], m_text);
    m_fmt = index;
}

std::optional<uint16_t> CDlgValueForm::Ok() const
{
    const std::optional<int> value = ReadValue(kValueFmts[m_fmt], m_text);
    if (!value || *value < kWordValueMin || *value > kWordValueMax) {
        ShowMessage(kMsgInputRange, kWordValueMin, kWordValueMax);
        return std::nullopt;
    }
    return static_cast<uint16_t>(*value);
}

// --- Serial ports ---------------------------------------------------------

int CPrjMgrPorts::GetLinkPort() const { return m_mgr.GetLinkPort(); }
int CPrjMgrPorts::GetSimPort() const { return m_mgr.GetSimPort(); }
void CPrjMgrPorts::SetLinkPort(int index) { m_mgr.SetLinkPort(static_cast<uint16_t>(index)); }
void CPrjMgrPorts::SetSimPort(int index) { m_mgr.SetSimPort(static_cast<int16_t>(index)); }

CDlgComPortsForm::CDlgComPortsForm(IComPorts* ports) : m_ports(ports)
{
    if (m_ports != nullptr) {
        m_link = m_ports->GetLinkPort();
        m_sim = m_ports->GetSimPort();
    }
}

void CDlgComPortsForm::Ok()
{
    if (m_ports == nullptr)
        return;
    m_ports->SetLinkPort(m_link);
    m_ports->SetSimPort(m_sim);
}

// --- Language -------------------------------------------------------------

CDlgLangForm::CDlgLangForm(CFrameState& frame, IFrameWindow* window, IViewTree* tree)
    : m_frame(frame), m_window(window), m_tree(tree)
{
}

bool CDlgLangForm::HasAction(int id)
{
    return id == kIdGerman || id == kIdEnglish || id == kIdFrench;
}

int CDlgLangForm::CheckedId() const
{
    switch (m_frame.GetLangId()) {
    case kLangEnglish:
        return kIdEnglish;
    case kLangFrench:
        return kIdFrench;
    default:
        return kIdGerman;
    }
}

std::string CDlgLangForm::Caption() const
{
    const char* text = FindLangText(kLangTextCaption, m_frame.GetLangId());
    return text != nullptr ? text : "";
}

std::string CDlgLangForm::RadioText(int id) const
{
    const int slot = id == kIdGerman ? 0 : id == kIdEnglish ? 1 : id == kIdFrench ? 2 : -1;
    if (slot < 0)
        return "";
    const char* text = FindLangText(kLangTextGerman + static_cast<uint32_t>(slot), m_frame.GetLangId());
    return text != nullptr ? text : "";
}

void CDlgLangForm::Choose(int id)
{
    if (id == kIdFrench) {
        // The menus have no French texts; they stay as they are.
        m_frame.SetLangId(kLangFrench);
        return;
    }
    if (id != kIdGerman && id != kIdEnglish)
        return;
    m_frame.SetLangId(id == kIdGerman ? kLangGerman : kLangEnglish);
    if (m_window != nullptr) {
        m_window->RebuildMenuTexts();
        m_window->UpdateTitle();
    }
    // In source-edit mode the log view holds the project source, which the
    // next save writes back: emptying it would empty the source.
    if (!m_frame.IsSourceEditMode())
        GetUiServices().ClearLog();
    if (m_tree == nullptr)
        return;
    // A loaded project keeps its file name on the root and its menus.
    if ((m_frame.GetStateFlags() & CFrameState::kStateProjectLoaded) != 0)
        m_tree->RebuildTree(std::filesystem::path(m_frame.GetPrjPath()).filename().string());
    else
        m_tree->BuildTree();
}

// --- Program and project options -----------------------------------------

bool CDlgPrgOptForm::Ticked() const
{
    return ReadGuiKey(GuiKey::FifoWarn) == 1;
}

void CDlgPrgOptForm::Ok(bool ticked) const
{
    WriteGuiKey(GuiKey::FifoWarn, ticked ? 1 : 0);
}

CDlgPrjOptForm::CDlgPrjOptForm(CPrjData& prj, std::string_view devTyp) : m_prj(prj), m_enabled(devTyp == "plus") {}

bool CDlgPrjOptForm::Ticked() const
{
    return m_prj.GetDWordVars() == 1;
}

void CDlgPrjOptForm::Ok(bool ticked)
{
    const uint8_t value = ticked ? 1 : 0;
    if (!m_enabled || value == m_prj.GetDWordVars())
        return;
    m_prj.SetDWordVars(value);
    m_prj.SetModified(true);
}

// --- Message text options -------------------------------------------------

CDlgMsgOptForm::CDlgMsgOptForm(CMsgTxt& text, CPrjData* prj, std::string_view devTyp)
    : m_text(text), m_prj(prj), m_midi(devTyp == "midi")
{
}

int CDlgMsgOptForm::PrioRadio() const
{
    for (const PrioRadioRow& row : kPrioRadios) {
        if (row.prio == m_text.GetPrio())
            return row.radio;
    }
    return 0;
}

int CDlgMsgOptForm::DelModeRadio() const
{
    const int mode = m_text.GetDelMode();
    return mode >= 1 && mode <= kDelModes ? kIdDelMode1 + mode - 1 : 0;
}

bool CDlgMsgOptForm::Alarm() const
{
    return m_text.IsAlarm() != 0;
}

bool CDlgMsgOptForm::DelModeEnabled(int mode) const
{
    if (mode < 1 || mode > kDelModes)
        return false;
    return mode < kDelModes || m_midi || m_text.GetNum() < 0;
}

void CDlgMsgOptForm::Ok(int prioRadio, int delModeRadio, bool alarm)
{
    uint8_t prio = m_text.GetPrio();
    for (const PrioRadioRow& row : kPrioRadios) {
        if (row.radio == prioRadio)
            prio = row.prio;
    }
    uint8_t mode = m_text.GetDelMode();
    const int modeOfRadio = delModeRadio - kIdDelMode1 + 1;
    if (DelModeEnabled(modeOfRadio))
        mode = static_cast<uint8_t>(modeOfRadio);
    // The box is greyed on other panels, where it cannot change the flag.
    const uint8_t alarmFlag = m_midi ? (alarm ? 1 : 0) : m_text.IsAlarm();
    if (prio == m_text.GetPrio() && mode == m_text.GetDelMode() && alarmFlag == m_text.IsAlarm())
        return;
    m_text.SetPrio(prio);
    m_text.SetDelMode(mode);
    m_text.SetAlarm(alarmFlag);
    if (m_prj != nullptr)
        m_prj->SetModified(true);
}

// --- Renumber and rename --------------------------------------------------

CDlgRenumberForm::CDlgRenumberForm(int mode, std::optional<Nums> start) : m_mode(mode)
{
    if (mode == CDlgRunner::kRenumberTexts && start) {
        from = FormatText("%d", start->from);
        to = FormatText("%d", start->to);
        target = FormatText("%d", start->target);
    }
}

const char* CDlgRenumberForm::Caption() const
{
    return m_mode == CDlgRunner::kRenumberCopyRow ? "Kopieren" : "Umnummerieren";
}

std::optional<CDlgRenumberForm::Nums> CDlgRenumberForm::Ok() const
{
    // The callers check each number against their own list's range.
    constexpr int kLo = -32768;
    constexpr int kHi = 32767;
    const auto f = ReadTypedNumber(from, kLo, kHi);
    if (!f)
        return std::nullopt;
    const auto t = ReadTypedNumber(to, kLo, kHi);
    if (!t)
        return std::nullopt;
    const auto g = ReadTypedNumber(target, kLo, kHi);
    if (!g)
        return std::nullopt;
    return Nums{*f, *t, *g};
}

CDlgRenameForm::CDlgRenameForm(uint16_t num, std::string_view nm)
    : number(FormatText("%u", static_cast<unsigned>(num))), name(nm)
{
}

std::optional<CDlgRenameForm::Result> CDlgRenameForm::Ok() const
{
    const auto n = ReadTypedNumber(number, 0, 65535);
    if (!n)
        return std::nullopt;
    return Result{static_cast<uint16_t>(*n), name};
}

} // namespace orv
