// The built-in internal variables that a new project of each panel type
// starts with: the softkey rows, the message and menu numbers, the printer
// settings and, with the servo special functions, the servo data.

#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/project/FktCfg.h"
#include "model/project/FwVarSource.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"

#include <memory>
#include <string_view>

namespace orv {

namespace {

constexpr uint32_t kIntFlags = 0x33FB;
// The panel's own address of the softkey rows.
constexpr int16_t kSoftkeyRowAdr = 26;
constexpr int kSoftkeyTexts = 128;
// The firmware's variables "[Z001]".."[Z100]" are named by catalogue texts
// 639..738.
constexpr unsigned kNamedFwVars = 100;
constexpr uint16_t kFwVarNames = 638;

struct NumDef {
    const char* name;
    uint8_t setpKind;
    int32_t settingValue;
    uint8_t digits;
    int32_t lower;
    int32_t upper;
    uint32_t ref;
    const char* stdName;
};

struct StrDef {
    const char* name;
    uint32_t ref;
    uint8_t width;
    const char* stdName;
};

// Message, menu and rolling numbers of every 043 family panel.
constexpr NumDef kNumbers[] = {
    {"ZP", 1, 0, 3, 0, 127, 0xFD04, "[HINWEISE]"},
    {"ZQ", 1, 0, 3, 0, 127, 0xFD19, "[WARNUNGEN]"},
    {"ZR", 1, 0, 3, 0, 127, 0xFD2E, "[STOERUNGEN]"},
    {"ZT", 1, 0, 3, 1, 127, 0xFD43, "[MENUE_NUMMER]"},
    {"ZV", 2, 0, 2, 1, 60, 0xFD5C, "[ROLLIER_SOLL]"},
    {"ZX", 1, 0, 2, 0, 99, 0xFD71, "[ERR_SCHNITTST]"},
};

constexpr NumDef kPrnTimeout = {"ZA", 2, 1, 3, 0, 999, 0xFD8A, "[PRN_TIMEOUT]"};

// The printer settings of panel 47, chosen from state texts; the 118 family
// names its own printer variables the same way.
constexpr StrDef kPrnSettings[] = {
    {"ZB", 0xFDA3, 5, "[PRN_RS232/TTY]"}, {"ZC", 0xFDC5, 3, "[PRN_HANDSHAKE]"},
    {"ZD", 0xFDEA, 4, "[DRUCKRICHTUNG]"}, {"ZE", 0xFE0C, 5, "[PRN_BAUDRATE]"},
    {"ZF", 0xFE46, 1, "[PRN_DATENBIT]"},  {"ZG", 0xFE60, 1, "[PRN_STOPBIT]"},
    {"ZH", 0xFE7A, 4, "[PRN_PARITAET]"},
};

constexpr StrDef kDriveNo = {"ZI", 0xFEA1, 2, "[ANTRIEB_NR]"};
constexpr int kDriveNoLastState = 14;

constexpr NumDef kServoNumbers[] = {
    {"ZJ", 2, 0, 4, 0, 9999, 0xFEFE, "[WEGLAENGE]"},
    {"ZK", 2, 0, 4, 0, 3000, 0xFF17, "[GESCHW_VOR]"},
    {"ZL", 2, 0, 4, 0, 3000, 0xFF30, "[GESCHW_RUECK]"},
};

struct StdNameDef {
    const char* name;
    const char* stdName;
};

// The clock, date and recipe numbers of the 118 family's firmware.
constexpr StdNameDef k118FamilyClock[] = {
    {"[Z15]", "[UHR_SEKUNDEN]"},   {"[Z16]", "[UHR_MINUTEN]"},    {"[Z17]", "[UHR_STUNDEN]"},
    {"[Z18]", "[DATUM_TAG]"},      {"[Z19]", "[DATUM_MONAT]"},    {"[Z20]", "[DATUM_JAHR]"},
    {"[Z21]", "[WOCHENTAG_SOLL]"}, {"[Z22]", "[WOCHENTAG_IST]"},  {"[Z23]", "[UHRZEIT]"},
    {"[Z24]", "[DATUM]"},          {"[Z25]", "[REZEPTNR_IST]"},   {"[Z26]", "[REZEPTNR_SOLL]"},
};
// The current recipe number is kept at address 0.
constexpr const char* kRcpNumIs = "[Z25]";

// Hands the variable to the list; one the list refuses is freed.
void Insert(CPrjData& prj, std::unique_ptr<CPrjIntVar> var)
{
    CPrjVar* raw = var.get();
    CPrjVarList* list = prj.GetVarList();
    const int index = prj.InsVar(raw);
    if (index >= 0 && list->At(index) == raw)
        var.release();
}

void AddNumber(CPrjData& prj, const NumDef& def)
{
    auto var = std::make_unique<CPrjIntVarNum>(def.name, kIntFlags, def.setpKind, 134, 0, def.settingValue,
                                               def.digits, 0, def.lower, def.upper);
    var->SetAttr32(def.ref);
    var->SetOrigName(def.stdName);
    Insert(prj, std::move(var));
}

std::unique_ptr<CPrjIntVarStr> MakeState(const StrDef& def, uint8_t type)
{
    auto var = std::make_unique<CPrjIntVarStr>(def.name, kIntFlags, 2, type, 0, 0, nullptr);
    var->SetAttr32(def.ref);
    var->SetWidth(def.width);
    var->SetOrigName(def.stdName);
    return var;
}

// A softkey row: 128 blank state texts from the project's pool.
void AddSoftkeyRow(CPrjData& prj, const char* name, const char* stdName, uint8_t width)
{
    auto var = std::make_unique<CPrjIntVarStr>(name, kIntFlags, 1, 144, 0, 0, prj.GetTextPool());
    var->SetAdr(kSoftkeyRowAdr);
    var->SetTxtCount(kSoftkeyTexts - 1);
    for (int i = 0; i < kSoftkeyTexts; ++i)
        var->SetStateTxt(i, " ");
    var->SetWidth(width);
    var->SetOrigName(stdName);
    Insert(prj, std::move(var));
}

} // namespace

void CPrjData::MakeIntVars()
{
    const PanelRow* row = GetPanel().Row();
    if (!row)
        return;
    switch (row->family) {
    case Family::F043:
        Make043FamilyVars();
        break;
    case Family::F118:
        Make118FamilyVars();
        break;
    case Family::F706:
        ReadFwVars();
        NameIntVars();
        break;
    }
}

void CPrjData::AddSoftkeyRows()
{
    const PanelRow& row = *GetPanel().Row();
    const auto rowWidth = static_cast<uint8_t>(row.columns);
    AddSoftkeyRow(*this, "[Z084]", "[SOFTKEYZEILE_1]", rowWidth);
    if (row.softkeyRows > 1)
        AddSoftkeyRow(*this, "[Z085]", "[SOFTKEYZEILE_2]", rowWidth);
}

void CPrjData::Make043FamilyVars()
{
    AddSoftkeyRows();
    if (GetPanel().Row()->printer) {
        AddNumber(*this, kPrnTimeout);
        for (const StrDef& def : kPrnSettings)
            Insert(*this, MakeState(def, 142));
        if (UsesServoFkt())
            MakeServoVars();
    }
    for (const NumDef& def : kNumbers)
        AddNumber(*this, def);
}

void CPrjData::Make118FamilyVars()
{
    AddSoftkeyRows();
    ReadFwVars();
    NameIntVars();
}

bool CPrjData::UsesServoFkt() const
{
    // A 755 is kept as a 47 of variant 1 and has no servo functions.
    const PanelRow* row = GetPanel().Row();
    if (!row || !row->servo || !m_owner || !m_owner->fktCfg)
        return false;
    const CFktCfg& fkt = *m_owner->fktCfg;
    return fkt.IsUsed() != 0 && fkt.GetFile() == "SERVO.FKT";
}

void CPrjData::MakeServoVars()
{
    auto driveNo = MakeState(kDriveNo, 154);
    driveNo->SetTxtCount(kDriveNoLastState);
    Insert(*this, std::move(driveNo));
    for (const NumDef& def : kServoNumbers)
        AddNumber(*this, def);
}

void CPrjData::ReadFwVars()
{
    if (m_fwSource)
        m_fwSource->ReadSysVars(*this);
}

void CPrjData::NameIntVars()
{
    if (!m_vars || !m_fwVars)
        return;
    const PanelRow* row = GetPanel().Row();
    if (!row)
        return;
    switch (row->family) {
    case Family::F706:
        for (unsigned i = 1; i <= kNamedFwVars; ++i) {
            const std::string name = FormatText("[Z%03u]", i);
            CPrjVar* var = m_vars->FindByName(name);
            if (!var)
                var = m_fwVars->FindByName(name);
            if (auto* intVar = dynamic_cast<CPrjIntVar*>(var))
                intVar->SetOrigName(ResourceTXT(static_cast<uint16_t>(kFwVarNames + i)));
        }
        break;
    case Family::F118:
        Name118FamilyVars();
        break;
    case Family::F043:
        break;
    }
}

void CPrjData::Name118FamilyVars()
{
    auto name = [this](const char* shortName, const char* stdName) {
        auto* var = dynamic_cast<CPrjIntVar*>(m_vars->FindByName(shortName));
        if (var)
            var->SetOrigName(stdName);
        return var;
    };
    name("[Z084]", "[SOFTKEYZEILE_1]");
    name("[Z085]", "[SOFTKEYZEILE_2]");
    name(kPrnTimeout.name, kPrnTimeout.stdName);
    for (const StrDef& def : kPrnSettings)
        name(def.name, def.stdName);
    if (UsesServoFkt()) {
        name(kDriveNo.name, kDriveNo.stdName);
        for (const NumDef& def : kServoNumbers)
            name(def.name, def.stdName);
    }
    for (const StdNameDef& def : k118FamilyClock) {
        CPrjIntVar* var = name(def.name, def.stdName);
        if (var && std::string_view(def.name) == kRcpNumIs)
            var->SetAdr(0);
    }
}

} // namespace orv
