// The checks and mappings of the project's settings dialogs; every stored
// value stays inside what the project source takes back.
#include "workspace/forms/ProjectSettingsForms.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvParColl.h"
#include "model/project/Mnu.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "workspace/forms/ValueCodec.h"
#include "workspace/forms/VarAddress.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <cstdio>

namespace orv {

namespace {

// The first data word the panel may place a variable block on; below it lie
// the driver's own words.
constexpr uint16_t kFirstBlockWord = 30;
// The last first word of the clock/date block the project source takes.
constexpr uint16_t kLastDateTimeWord = 252;
constexpr uint16_t kLastPrnStatusWord = 254;
constexpr uint16_t kPrnStatusShownMax = 254;
constexpr int kDateTimeWords = 4;

bool IsBitBlockType(uint16_t t) { return t == 0 || t == 1 || t == 3 || t == 4; }
bool IsDoubledType(uint16_t t) { return t == 24 || t == 35 || t == 36 || t == 39; }

const CSpsPar* SpsOf(const CPrjData* prj)
{
    return prj != nullptr && prj->GetOwner() != nullptr ? prj->GetOwner()->spsPar : nullptr;
}

// The variable occupies the data word.
bool VarOnWord(const CPrjVar& var, int word)
{
    return var.GetAdr() <= word && word < var.GetAdr() + var.WordCount();
}

// Every variable on the word, in the variable and the interface list, is
// one of the clock/date variables, and there is at least one.
bool OnlyClockVarsOn(const CPrjData& prj, int word)
{
    const std::string_view allowed[] = {"[Z24]", ResourceTXT(res::kDatum), ResourceTXT(res::kUhrzeit)};
    int found = 0;
    const std::array<const CPrjVarList*, 2> lists{prj.GetVarList(), prj.GetKomVarList()};
    for (const CPrjVarList* list : lists) {
        for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
            const CPrjVar* var = list->VarAt(i);
            if (!VarOnWord(*var, word))
                continue;
            if (std::find(std::begin(allowed), std::end(allowed), var->GetName()) == std::end(allowed))
                return false;
            ++found;
        }
    }
    return found > 0;
}

// A replacement byte of up to two hexadecimal digits in either case; an
// empty field holds 0.
uint8_t SubstByteOf(std::string_view text)
{
    unsigned value = 0;
    for (char c : text.substr(0, 2)) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) != 0 ? c - '0'
                          : std::isxdigit(static_cast<unsigned char>(c)) != 0
                              ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                              : -1;
        if (digit < 0)
            return 0;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<uint8_t>(value);
}

std::string UpperHex(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string CtrlVarName(int i) { return FormatText("[Z%03d]", CDlgPrnParForm::kCtrlVarFirst + i); }

CPrjIntVarHex* CtrlVar(const CPrjData& prj, int i)
{
    return dynamic_cast<CPrjIntVarHex*>(prj.GetVarList()->FindByName(CtrlVarName(i)));
}

} // namespace

// --- Address split --------------------------------------------------------

AdrParts SplitWordNo(const CSpsPar& sps, uint16_t wordNo)
{
    const VarTypedAdr typed = CVarAddress::Typed(sps, wordNo, -1);
    return {static_cast<uint16_t>(typed.block), static_cast<uint16_t>(typed.word)};
}

int64_t WordOfParts(const CSpsPar& sps, AdrParts parts)
{
    return CVarAddress::WordNo(sps, CVarAddress::JoinAdr(sps.GetSpsType(), parts.high, parts.low));
}

std::string AdrText(const CSpsPar& sps, uint16_t wordNo)
{
    return CVarAddress::AdrText(sps.GetSpsType(), CVarAddress::SpsAdr(sps, wordNo));
}

uint16_t BlockWordOf(const CPrjVar& blockVar)
{
    return blockVar.GetAdr() > 0 ? static_cast<uint16_t>(blockVar.GetAdr()) : 0;
}

void MoveIfcBlock(CPrjData& prj, CPrjVar& blockVar, uint16_t word, bool dateTime)
{
    const uint16_t groupName = dateTime ? res::kDatum : res::kRezeptnummerIST;
    const CPrjVar* group = prj.GetKomVarList()->FindByName(std::string_view(ResourceTXT(groupName)));
    const auto oldFirst = static_cast<uint16_t>(group != nullptr ? group->GetAdr() : 0);
    blockVar.SetAdr(static_cast<int16_t>(word));
    if (dateTime)
        prj.MakeDateTimeVars(word, oldFirst);
    else
        prj.MakeRcpNumVars(word, oldFirst);
}

// --- Times ------------------------------------------------------------------

CDlgTimesForm::CDlgTimesForm(CPrjData* prj, std::function<std::tm()> clock, std::string dwCaption,
                             std::string devTyp)
    : m_prj(prj), m_clock(std::move(clock)), m_dwCaption(std::move(dwCaption)), m_devTyp(std::move(devTyp))
{
    Load();
}

const CSpsPar* CDlgTimesForm::Sps() const { return SpsOf(m_prj); }

uint16_t CDlgTimesForm::SpsType() const { return Sps() != nullptr ? Sps()->GetSpsType() : 0; }

void CDlgTimesForm::Load()
{
    if (m_prj != nullptr) {
        roll = static_cast<int16_t>(m_prj->GetCycleTime());
        dateMode = m_prj->GetDateMode();
        const CPrjVar* clockVar = m_prj->GetVarList()->FindByName(std::string_view("[Z24]"));
        if (clockVar != nullptr && Sps() != nullptr)
            adr = SplitWordNo(*Sps(), BlockWordOf(*clockVar));
    }
    m_roll0 = roll;
    m_adr0 = adr;
    m_dateMode0 = dateMode;
    m_failed = Field::None;
}

std::string CDlgTimesForm::DateText(int mode) const
{
    const std::tm now = m_clock ? m_clock() : std::tm{};
    const int day = now.tm_mday;
    const int month = now.tm_mon + 1;
    const int year = now.tm_year % 100;
    switch (mode) {
    case 1:
        return FormatText("US  %02d/%02d/%02d", month, day, year);
    case 2:
        return FormatText("MIL %02d-%02d-%02d", year, month, day);
    default:
        return FormatText("EU  %02d.%02d.%02d", day, month, year);
    }
}

bool CDlgTimesForm::HighEnabled() const { return IsBitBlockType(SpsType()); }

bool CDlgTimesForm::LowEnabled() const
{
    return m_devTyp != "mini" && (m_prj == nullptr || m_prj->GetDevType() != 706);
}

bool CDlgTimesForm::DateModesEnabled() const { return m_devTyp != "mini"; }

bool CDlgTimesForm::Ok()
{
    if (!Validate())
        return false;
    LogAppend(kLogDebug, Apply() ? "DEBUG-> Zeiten changed !" : "DEBUG-> Zeiten NOT changed !");
    return true;
}

bool CDlgTimesForm::Validate()
{
    m_failed = Field::None;
    if (roll < 1 || roll > 60) {
        m_failed = Field::Roll;
        ShowMessage(msg::kEingabewertMussZwischenUndLiegen, 1, 60);
        return false;
    }
    const CSpsPar* sps = Sps();
    if (sps == nullptr)
        return true;
    const uint16_t t = sps->GetSpsType();
    const int first = sps->GetFirstAdr();
    const int last = sps->GetLastAdr();
    int lo = first;
    int hi = last - 3;
    if (IsBitBlockType(t)) {
        lo = 0;
        hi = 15;
    } else if (t == 18 || t == 34) {
        hi = last - 4;
    } else if (t == 20 || t == 37) {
        hi = last - 1;
    } else if (IsDoubledType(t)) {
        lo = 2 * first;
        hi = 2 * last - 6;
    }
    // Type 45 stores low + 256 x high: the range holds for that address, not
    // for the low part alone.
    const int64_t checked = t == 45 ? CVarAddress::JoinAdr(t, adr.high, adr.low) : adr.low;
    if (checked < lo || checked > hi) {
        LogAppend(kLogDebug, "CDlgTimes Range Not VALID !");
        m_failed = Field::Low;
        ShowMessage(msg::kEingabewertMussZwischenUndLiegen, lo, hi);
        return false;
    }
    LogAppend(kLogDebug, "CDlgTimes Range VALID !");
    if (IsDoubledType(t) && adr.low % 2 != 0) {
        m_failed = Field::Low;
        ShowMessage(msg::kVariableDiesesFormatsNurAuf);
        return false;
    }
    const int64_t index = WordOfParts(*sps, adr);
    if (index == 0)
        return true;
    if (index < kFirstBlockWord) {
        m_failed = Field::Low;
        ShowMessage(msg::kAddresseStehtNichtFuerVariable, std::to_string(adr.low));
        return false;
    }
    if (index > kLastDateTimeWord) {
        m_failed = Field::Low;
        ShowMessage(msg::kEingabewertMussZwischenUndLiegen, kFirstBlockWord, kLastDateTimeWord);
        return false;
    }
    return CheckWords(static_cast<uint16_t>(index));
}

bool CDlgTimesForm::CheckWords(uint16_t first)
{
    const CSpsPar& sps = *Sps();
    bool msgWord = false;
    for (int k = 0; k < kDateTimeWords; ++k) {
        const auto word = static_cast<uint16_t>(first + k);
        const CDrvParItem* item = sps.GetItems().FindItem(word);
        bool free = item != nullptr;
        if (item != nullptr && item->GetKind() == CDrvParItem::KindMsg)
            msgWord = true;
        else if (item != nullptr && item->IsUsed())
            free = OnlyClockVarsOn(*m_prj, word);
        if (!free) {
            m_failed = Field::Low;
            ShowMessage(msg::kAddresseStehtNichtFuerVariable, AdrText(sps, word));
            return false;
        }
    }
    if (msgWord)
        ShowMessage(msg::kAngelegteVariableBenutztMeldewort);
    return true;
}

bool CDlgTimesForm::Apply()
{
    if (m_prj == nullptr || (roll == m_roll0 && dateMode == m_dateMode0 && adr == m_adr0))
        return false;
    m_prj->SetCycleTime(static_cast<uint16_t>(roll));
    m_prj->SetDateMode(dateMode);
    CPrjVar* clockVar = m_prj->GetVarList()->FindByName(std::string_view("[Z24]"));
    if (clockVar != nullptr && Sps() != nullptr && !(adr == m_adr0)) {
        MoveIfcBlock(*m_prj, *clockVar, static_cast<uint16_t>(WordOfParts(*Sps(), adr)), true);
    }
    m_prj->SetModified(true);
    m_roll0 = roll;
    m_adr0 = adr;
    m_dateMode0 = dateMode;
    return true;
}

// --- Printer parameters -------------------------------------------------------

CDlgPrnParForm::Layout CDlgPrnParForm::LayoutOf(uint16_t devType)
{
    Layout layout;
    layout.ttyEnabled = devType != 118 && devType != 163 && devType != 167;
    layout.statusShown = devType == 473 || devType == 477;
    layout.substShown = devType == 47 || devType == 118 || devType == 163 || devType == 167 || devType == 755;
    layout.timeoutLen = layout.substShown ? 3 : 0;
    return layout;
}

CDlgPrnParForm::CDlgPrnParForm(CPrjData* prj) : m_prj(prj)
{
    Load();
}

void CDlgPrnParForm::Load()
{
    m_layout = LayoutOf(m_prj != nullptr ? m_prj->GetDevType() : 0);
    if (m_prj != nullptr) {
        const CPrjData& p = *m_prj;
        values = {p.GetPrnIfc(), p.GetPrnHandshake(), p.GetPrnBaud(),     p.GetPrnParity(),
                  p.GetPrnDataBits(), p.GetPrnStopBits(), p.GetPrnDirection()};
        m_statusWord0 = p.GetPrnStatusPos();
        const CSpsPar* sps = SpsOf(m_prj);
        m_statusAdr0 = sps != nullptr ? SplitWordNo(*sps, m_statusWord0) : AdrParts{0, m_statusWord0};
        status = std::to_string(m_statusAdr0.low);
        timeout = std::to_string(p.GetPrnTimeout());
        init = p.GetPrnInit().substr(0, CPrjData::kPrnInitMax);
        // Both hidden groups hold the project's values, so that storing them
        // changes nothing.
        for (int i = 0; i < 8; ++i) {
            subst[i] = FormatText("%02X", p.GetPrnSubst(i));
            const CPrjIntVarHex* var = CtrlVar(p, i);
            ctrl[i] = var != nullptr ? var->GetHexText() : "";
        }
    }
    m_values0 = values;
    m_status0 = status;
    m_timeout0 = timeout;
    m_init0 = init;
    m_subst0 = subst;
    m_ctrl0 = ctrl;
    m_failed = 0;
}

bool CDlgPrnParForm::Changed() const
{
    return !(values == m_values0) || status != m_status0 || timeout != m_timeout0 || init != m_init0 ||
           subst != m_subst0 || ctrl != m_ctrl0;
}

bool CDlgPrnParForm::Ok()
{
    m_failed = 0;
    const CSpsPar* sps = SpsOf(m_prj);
    if (m_prj == nullptr || sps == nullptr)
        return true;
    // The status address is only checked where its edit is shown; a hidden
    // field keeps the project's value and never blocks OK.
    uint16_t statusWord = m_statusWord0;
    if (m_layout.statusShown && status != m_status0) {
        const std::optional<int> shown = ReadValue(ValueFmt::Dec, status);
        if (!shown || *shown < 0 || *shown > kPrnStatusShownMax) {
            m_failed = kIdStatus;
            ShowMessage(msg::kEingabewertMussZwischenUndLiegen, 0, kPrnStatusShownMax);
            return false;
        }
        const int64_t word = WordOfParts(*sps, {m_statusAdr0.high, static_cast<uint16_t>(*shown)});
        if (word != 0 && (word < kFirstBlockWord || word > kLastPrnStatusWord)) {
            m_failed = kIdStatus;
            ShowMessage(msg::kEingabewertMussZwischenUndLiegen, kFirstBlockWord, kLastPrnStatusWord);
            return false;
        }
        statusWord = static_cast<uint16_t>(word);
    }
    const std::optional<int> time = ReadValue(ValueFmt::Dec, timeout);
    if (!time || *time < kWordValueMin || *time > kWordValueMax) {
        m_failed = kIdTimeout;
        ShowMessage(msg::kEingabewertMussZwischenUndLiegen, kWordValueMin, kWordValueMax);
        return false;
    }
    if (!Changed())
        return true;
    Store(statusWord, static_cast<uint16_t>(*time));
    LogAppend(kLogDebug, "PrnPar changed");
    return true;
}

void CDlgPrnParForm::Store(uint16_t statusWord, uint16_t time)
{
    CPrjData& p = *m_prj;
    if (statusWord != m_statusWord0) {
        p.SetPrnStatusPos(statusWord);
        p.MakePrnTxtVars(statusWord, m_statusWord0);
    }
    p.SetPrnIfc(static_cast<uint8_t>(values.ifc));
    p.SetPrnHandshake(static_cast<uint8_t>(values.handshake));
    p.SetPrnBaud(static_cast<uint8_t>(values.baud));
    p.SetPrnParity(static_cast<uint8_t>(values.parity));
    p.SetPrnDataBits(static_cast<uint8_t>(values.dataBits));
    p.SetPrnStopBits(static_cast<uint8_t>(values.stopBits));
    p.SetPrnDirection(static_cast<uint8_t>(values.direction));
    p.SetPrnTimeout(time);
    p.SetPrnInit(UpperHex(std::string_view(init).substr(0, CPrjData::kPrnInitMax)));
    for (int i = 0; i < 8; ++i) {
        p.SetPrnSubst(i, SubstByteOf(subst[i]));
        if (CPrjIntVarHex* var = CtrlVar(p, i))
            var->SetHexText(UpperHex(ctrl[i]));
    }
    p.SetModified(true);
    Load();
}

// --- Memory partition -------------------------------------------------------

CDlgMemPartitionForm::CDlgMemPartitionForm(CPrjData* prj) : m_prj(prj)
{
    Load();
}

void CDlgMemPartitionForm::Load()
{
    if (m_prj == nullptr)
        return;
    large = m_prj->GetDataSize() == 0;
    shared = m_prj->GetRcpSize() == 0;
}

bool CDlgMemPartitionForm::RecipeEnabled() const
{
    return !large || (m_prj != nullptr && m_prj->GetDevType() == 167);
}

void CDlgMemPartitionForm::Ok()
{
    if (m_prj == nullptr)
        return;
    const uint16_t dataSize = large ? 0 : 1;
    const uint16_t rcpSize = shared ? 0 : 1;
    if (dataSize == m_prj->GetDataSize() && rcpSize == m_prj->GetRcpSize())
        return;
    m_prj->SetDataSize(dataSize);
    m_prj->SetRcpSize(rcpSize);
    m_prj->SetModified(true);
}

// --- Menu options -----------------------------------------------------------

CDlgMnuOptForm::Options CDlgMnuOptForm::Unpack(uint16_t word)
{
    Options options{};
    for (int o = 0; o < kOptions; ++o)
        options[o] = static_cast<uint16_t>((word >> (14 - 2 * o)) & 3);
    return options;
}

uint16_t CDlgMnuOptForm::Pack(const Options& options)
{
    unsigned word = 0;
    for (int o = 0; o < kOptions; ++o)
        word |= (options[o] & 3u) << (14 - 2 * o);
    return static_cast<uint16_t>(word);
}

CDlgMnuOptForm::CDlgMnuOptForm(CPrjData* prj) : m_prj(prj)
{
    options = Unpack(Mask());
    m_loaded = options;
}

uint16_t CDlgMnuOptForm::Mask() const
{
    constexpr uint16_t kMaskWithoutProject = 0x303F;
    return m_prj != nullptr ? m_prj->GetMnuOptMask() : kMaskWithoutProject;
}

void CDlgMnuOptForm::LoadFromMenu(CPrjMnu* menu)
{
    m_menu = menu;
    if (m_menu != nullptr)
        options = Unpack(m_menu->GetMnuOpt());
    m_loaded = options;
}

void CDlgMnuOptForm::Default() { options = Unpack(Mask()); }

bool CDlgMnuOptForm::Ok()
{
    const bool changed = m_menu != nullptr && options != m_loaded;
    if (changed) {
        m_menu->SetMnuOpt(Pack(options));
        if (m_prj != nullptr)
            m_prj->SetModified(true);
        m_loaded = options;
    }
    LogAppend(kLogDebug, changed ? "DEBUG-> MnuOpt changed !" : "DEBUG-> MnuOpt NOT changed !");
    return changed;
}

} // namespace orv
