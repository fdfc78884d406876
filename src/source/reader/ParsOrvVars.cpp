// The variable statements of the project source parser: VAR, STATE and
// INTERN_VAR.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "source/reader/SrcKeywords.h"

#include <array>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string_view>

namespace orv {

namespace {

enum : uint8_t {
    TypeBit = 12,
    TypeString = 14,
    TypeCString = 26,
    TypeSString = 42,
    TypeTimer = 36,
    TypeWord = 33,
    TypeAscii = 34,
    TypeIntStr = 142,
    TypeIntStr144 = 144,
    TypeIntStr154 = 154,
    TypeIntHex = 249,
};

bool IsBcd(uint8_t t)
{
    return t == 0 || t == 28 || t == 16 || t == 30;
}

bool IsBin(uint8_t t)
{
    return t >= 2 && t <= 9;
}

bool IsVbin(uint8_t t)
{
    return t >= 18 && t <= 25;
}

bool IsStringType(uint8_t t)
{
    return t == TypeString || t == TypeCString || t == TypeSString;
}

bool IsIntStrType(uint8_t t)
{
    return t == TypeIntStr || t == TypeIntStr144 || t == TypeIntStr154;
}

uint64_t Pow10(int n)
{
    uint64_t v = 1;
    for (int i = 0; i < n; ++i)
        v *= 10;
    return v;
}

// Display span and PLC span, reduced, must each fit a data word.
bool RatioFits(uint64_t dspSpan, uint64_t plcSpan)
{
    const uint64_t g = std::gcd(dspSpan, plcSpan);
    if (g == 0)
        return false;
    return dspSpan / g <= 65535 && plcSpan / g <= 65535;
}

bool NameIn(std::string_view name, std::initializer_list<std::string_view> names)
{
    for (const auto n : names)
        if (name == n)
            return true;
    return false;
}

bool IsSkRowName(std::string_view name)
{
    return name == "[Z084]" || name == "[Z085]";
}

} // namespace

// A further data word of a variable: it needs an item that is not reserved
// for the panel's system tasks.
StepResult CParsOrv::VarNextWord(uint16_t adr)
{
    const CDrvParItem* item = m_sps->GetItems().FindItem(adr);
    if (item == nullptr)
        return XError(xerr::kEineVonDerVariableBenutzte_465);
    if (item->GetKind() == CDrvParItem::KindSys)
        return XError(xerr::kEineMitgenutzteFolgeadresseDWWird_464);
    return 1;
}

StepResult CParsOrv::ReadShownLimits(uint32_t top, uint32_t& lower, uint32_t& upper)
{
    if (!ExpectComma())
        return -1;
    if (GetNum32(lower, 0, top - 1) != 1)
        return XError(xerr::kDarstellbarerMinimalwertEntspr_469);
    if (!ExpectComma())
        return -1;
    if (GetNum32(upper, 1, top) != 1)
        return XError(xerr::kDarstellbarerMaximalwertEntspr_470);
    if (lower >= upper)
        return XError(xerr::kAngegebenerMaximalwertMussGroesserAls_471);
    return 1;
}

StepResult CParsOrv::ReadVarFormat(uint8_t& type)
{
    for (const auto& f : kSrcFormatKeywords) {
        if (ExpectKeyword(f.keyword)) {
            type = f.type;
            return 1;
        }
    }
    return XError(xerr::kVariablenformatBITSTRINGCSTRINGOder_462);
}

StepResult CParsOrv::DoVar()
{
    if (!ExpectKeyword(kw::kVar))
        return 0;
    if (!ExpectComma())
        return -1;
    const std::string name = ReadIdent();
    if (name.empty())
        return XError(xerr::kVariablenbezeichnerMax16StellenErwartet);
    if (const CPrjVar* old = m_prj->GetVarList()->FindByName(std::string_view(name)))
        return XError(old->IsInternal() ? xerr::kInterneVariableKannNichtNeu_454
                                        : xerr::kEineDefinitionFuerDieseVariable_455);
    if (m_prj->GetFwVarList() != nullptr && m_prj->GetFwVarList()->FindByName(std::string_view(name)) != nullptr)
        return XError(xerr::kInterneVariableKannNichtNeu_454);

    if (!ExpectComma())
        return -1;
    uint16_t adr = 0;
    if (GetNum16(adr, 0, 65535) != 1)
        return XError(xerr::kAdresseDatenwortnummerErwartet_456);
    const CDrvParItem* item = m_sps->GetItems().FindItem(adr);
    if (item == nullptr)
        return XError(xerr::kAngegebeneAdresseDatenwortExistiertNicht_458);
    if (item->GetKind() == CDrvParItem::KindSys)
        return XError(xerr::kDieseAdresseDatenwortWirdFuer_457);

    if (!ExpectComma())
        return -1;
    uint8_t setpKind = 0;
    if (ExpectKeyword(kw::kActual))
        setpKind = 1;
    else if (ExpectKeyword(kw::kNominalSec))
        setpKind = 3;
    else if (ExpectKeyword(kw::kNominal))
        setpKind = 2;
    else
        return XError(xerr::kVariablenklasseACTUALNOMINALOderNOMINAL);
    if (setpKind == 1 && (item->GetDirection() & CDrvParItem::DirToPanel) == 0)
        return XError(xerr::kDieAngegebeneAdresseDatenwortIst_460);
    if (setpKind != 1 && (item->GetDirection() & CDrvParItem::DirToPlc) == 0)
        return XError(xerr::kDieAngegebeneAdresseDatenwortIst_461);

    if (!ExpectComma())
        return -1;
    uint8_t type = 0;
    if (ReadVarFormat(type) != 1)
        return -1;

    const auto sadr = static_cast<int16_t>(adr);
    CTextPool* pool = m_prj->GetTextPool();
    std::unique_ptr<CPrjVar> var;
    if (type == TypeBit) {
        if (!ExpectComma())
            return -1;
        uint16_t bit = 0;
        if (GetNum16(bit, 0, 15) != 1)
            return XError(xerr::kBitnummerErwartet_463);
        var = std::make_unique<CPrjVarBit>(name, sadr, setpKind, type, bit, pool);
    } else if (IsStringType(type)) {
        auto str = std::make_unique<CPrjVarString>(name, sadr, setpKind, type, pool);
        str->SetTxtCount(CPrjVarString::kMaxStateIdx);
        var = std::move(str);
    } else if (type == TypeTimer) {
        var = std::make_unique<CPrjVarTimer>(name, sadr, setpKind, type, pool);
    } else if (IsBcd(type)) {
        const bool twoWords = type == 16 || type == 30;
        if (twoWords && VarNextWord(static_cast<uint16_t>(adr + 1)) != 1)
            return -1;
        if (!ExpectComma())
            return -1;
        uint16_t digits = 0;
        if (GetNum16(digits, 1, twoWords ? 8 : 4) != 1)
            return XError(twoWords ? xerr::kStellenzahl18Erwartet_467 : xerr::kStellenzahl14Erwartet_466);
        const auto top = static_cast<uint32_t>(Pow10(digits) - 1);
        uint32_t lower = 0;
        uint32_t upper = 0;
        if (const int read = ReadShownLimits(top, lower, upper); read != 1)
            return read;
        uint16_t flag = 0;
        if (ExpectChar(',') && GetNum16(flag, 0, 1) != 1)
            return XError(xerr::kStellenzahl01Erwartet);
        var = std::make_unique<CPrjVarBcd>(name, sadr, setpKind, type, static_cast<uint8_t>(digits),
                                           static_cast<int32_t>(lower), static_cast<int32_t>(upper),
                                           static_cast<uint8_t>(flag));
    } else if (IsBin(type) || IsVbin(type)) {
        const bool twoWords = IsBin(type) ? type >= 6 : type >= 22;
        if (twoWords && VarNextWord(static_cast<uint16_t>(adr + 1)) != 1)
            return -1;
        uint16_t digits = 0;
        uint16_t decimals = 0;
        if (!ExpectComma())
            return -1;
        if (GetNum16(digits, 1, 10) != 1)
            return XError(xerr::kAngabeDerVorkommastellen110_472);
        if (!ExpectComma())
            return -1;
        if (GetNum16(decimals, 0, 9) != 1)
            return XError(xerr::kAngabeDerNachkommastellen09_473);
        if (digits + decimals > 10)
            return XError(xerr::kGesamtzahlAusVorUndNachkommastellen_474);
        const uint64_t full = Pow10(digits + decimals) - 1;
        std::array<int32_t, 4> values{};
        if (IsBin(type)) {
            const auto m = static_cast<uint32_t>(std::min<uint64_t>(full, UINT32_MAX));
            uint32_t lower = 0;
            uint32_t upper = 0;
            if (const int read = ReadShownLimits(m, lower, upper); read != 1)
                return read;
            uint32_t plcLower = 0;
            uint32_t plcUpper = 0;
            const bool needPlc = !twoWords;
            if (needPlc || ExpectChar(',')) {
                if (needPlc && !ExpectComma())
                    return -1;
                if (GetNum32(plcLower, 0, needPlc ? 65534 : UINT32_MAX - 1) != 1)
                    return XError(xerr::kMinimumDesSPSWertesErwartet_475);
                if (!ExpectComma())
                    return -1;
                if (GetNum32(plcUpper, 1, needPlc ? 65535 : UINT32_MAX) != 1)
                    return XError(xerr::kMaximumDesSPSWertesErwartet_476);
                if (plcLower >= plcUpper)
                    return XError(xerr::kAngegebenerMaximalwertMussGroesserAls_471);
                if (needPlc && !RatioFits(upper - lower, plcUpper - plcLower))
                    return XError(xerr::kAngegebeneSkalierungNichtMoeglich_477);
                if (!needPlc)
                    m_prj->SetDWordVars(1);
            }
            values = {static_cast<int32_t>(lower), static_cast<int32_t>(upper), static_cast<int32_t>(plcLower),
                      static_cast<int32_t>(plcUpper)};
            var = std::make_unique<CPrjVarBin>(name, sadr, setpKind, type, static_cast<uint8_t>(digits),
                                               static_cast<uint8_t>(decimals), values[0], values[1], values[2],
                                               values[3]);
        } else {
            int32_t m = 0;
            int32_t o = 0;
            if (full > 2147483647u) {
                m = INT32_MAX;
                o = INT32_MIN;
            } else {
                m = static_cast<int32_t>(full);
                o = -m;
            }
            int32_t lower = 0;
            int32_t upper = 0;
            if (!ExpectComma())
                return -1;
            if (GetLong(lower, o, m - 1) != 1)
                return XError(xerr::kDarstellbarerMinimalwertEntspr_469);
            if (!ExpectComma())
                return -1;
            if (GetLong(upper, o + 1, m) != 1)
                return XError(xerr::kDarstellbarerMaximalwertEntspr_470);
            if (lower >= upper)
                return XError(xerr::kAngegebenerMaximalwertMussGroesserAls_471);
            int32_t plcLower = 0;
            int32_t plcUpper = 0;
            if (!twoWords) {
                if (!ExpectComma())
                    return -1;
                if (GetLong(plcLower, -32768, 32766) != 1)
                    return XError(xerr::kMinimumDesSPSWertesErwartet_475);
                if (!ExpectComma())
                    return -1;
                if (GetLong(plcUpper, -32767, 32767) != 1)
                    return XError(xerr::kMaximumDesSPSWertesErwartet_476);
                if (plcLower >= plcUpper)
                    return XError(xerr::kAngegebenerMaximalwertMussGroesserAls_471);
                const auto dspSpan = static_cast<uint64_t>(static_cast<int64_t>(upper) - lower);
                const auto plcSpan = static_cast<uint64_t>(static_cast<int64_t>(plcUpper) - plcLower);
                if (!RatioFits(dspSpan, plcSpan))
                    return XError(xerr::kAngegebeneSkalierungNichtMoeglich_477);
            }
            var = std::make_unique<CPrjVarVbin>(name, sadr, setpKind, type, static_cast<uint8_t>(digits),
                                                static_cast<uint8_t>(decimals), lower, upper, plcLower, plcUpper);
        }
    } else if (type == TypeWord) {
        uint8_t form = 0;
        if (ExpectChar(',')) {
            if (ExpectKeyword("KH"))
                form = 1;
            else if (ExpectKeyword("KY"))
                form = 2;
        }
        var = std::make_unique<CPrjVarWord>(name, sadr, setpKind, type, form);
    } else {
        const bool wide = Cur().InFamily(Family::F706);
        if (!ExpectComma())
            return -1;
        uint16_t words = 0;
        if (GetNum16(words, 1, wide ? 16 : 8) != 1)
            return XError(wide ? xerr::kAnzahlDerVonDerASCII_479 : xerr::kAnzahlDerVonDerASCII_478);
        for (uint16_t i = 1; i < words; ++i)
            if (VarNextWord(static_cast<uint16_t>(adr + i)) != 1)
                return -1;
        var = std::make_unique<CPrjVarAscii>(name, sadr, setpKind, type, static_cast<uint8_t>(words));
    }

    const bool opensStates = type == TypeBit || IsStringType(type) || type == TypeTimer;
    if (opensStates)
        ResetContext();
    CPrjVar* placed = var.get();
    m_prj->InsVar(var.release());
    m_sps->UseItem(*placed);
    if (opensStates) {
        m_openVar = placed;
        m_nextState = 0;
    }
    return 1;
}

StepResult CParsOrv::DoState()
{
    if (!ExpectKeyword(kw::kState))
        return m_openVar != nullptr ? EndOfStates() : StepResult{0};
    if (m_openVar == nullptr)
        return XError(xerr::kVorDieserAuspraegungWurdeKeine_445);
    if (!ExpectComma())
        return -1;
    const uint8_t type = m_openVar->GetType();
    uint16_t hi = 255;
    uint16_t rangeError = 450;
    if (type == TypeBit) {
        hi = 1;
        rangeError = 447;
    } else if (type == TypeTimer) {
        hi = 3;
        rangeError = 451;
    } else if (type == TypeIntStr144) {
        hi = 127;
    }
    uint16_t n = 0;
    if (GetNum16(n, 0, hi) != 1)
        return XError(rangeError);
    if (m_openVar->GetStateTxt(n) != nullptr)
        return XError(xerr::kFuerDiesenVariablenzustandWurdeBereits);
    if (n > m_nextState)
        return XError(xerr::kEsDuerfenKeineAuspraegungenAusgelassen);
    if (!ExpectComma())
        return -1;
    std::string text;
    if (ReadQuoted(text, static_cast<size_t>(DspWidth()), false) != 1)
        return -1;
    const PanelType cur = Cur();
    if (type == TypeTimer && text.empty() && (cur.InFamily(Family::F043) || cur.InFamily(Family::F118)))
        text = " ";
    // The highest index follows the number first: the variable keeps no
    // text above it.
    auto* intStr = dynamic_cast<CPrjIntVarStr*>(m_openVar);
    if (intStr != nullptr && !IsSkRowName(m_openVar->GetName()))
        intStr->SetTxtCount(n);
    m_openVar->SetStateTxt(n, text.c_str());
    m_nextState = static_cast<uint16_t>(n + 1);
    return 1;
}

StepResult CParsOrv::EndOfStates()
{
    CPrjVar* var = m_openVar;
    const int n = m_nextState;
    const uint8_t type = var->GetType();
    const std::string& name = var->GetName();
    const auto setLast = [var](int last) {
        if (auto* str = dynamic_cast<CPrjVarString*>(var))
            str->SetTxtCount(last);
        else if (auto* intStr = dynamic_cast<CPrjIntVarStr*>(var))
            intStr->SetTxtCount(last);
    };
    // The common rule of state-text lists: three states at least.
    const auto plainList = [&]() -> int {
        if (n < 3)
            return XError(xerr::kFuerEineCSTRINGVariable_439);
        setLast(n - 1);
        if (var->GetWidth() == 0)
            return XError(xerr::kEineSTRINGVariableMussMindestens_440);
        return 0;
    };
    int result = 0;
    if (type == TypeBit) {
        if (var->GetStateTxt(1) == nullptr)
            result = XError(xerr::kFuerEineBITVariableMuessen_437);
        else if (var->GetWidth() == 0)
            result = XError(xerr::kEineBITVariableMussMindestens_438);
    } else if (type == TypeString || type == TypeCString) {
        result = plainList();
    } else if (type == TypeSString) {
        if (n < 1)
            result = XError(xerr::kEsDuerfenKeineAuspraegungenAusgelassen);
        else
            setLast(n - 1);
    } else if (type == TypeTimer) {
        if (var->GetStateTxt(3) == nullptr)
            result = XError(xerr::kFuerEineTIMERVariableMuessen);
        else if (var->GetWidth() == 3)
            result = XError(xerr::kAuspraegungMussMindestensEinZeichen);
    } else if (IsIntStrType(type)) {
        if (IsSkRowName(name)) {
            if (n < 1)
                result = XError(xerr::kEsDuerfenKeineAuspraegungenAusgelassen);
            else
                setLast(n - 1);
        } else if (type != TypeIntStr144 && NameIn(name, {"[Z018]", "[Z019]", "[Z21]", "[Z22]"})) {
            if (n != 7)
                result = XError(xerr::kFuerInterneWochentagVariableMuessen);
            else
                setLast(7);
        } else if (type != TypeIntStr144 && NameIn(name, {"[Z098]", "[Z099]"})) {
            if (n != 11)
                result = XError(xerr::kFuerInterneZeitschaltuhrVariableMuessen);
            else {
                setLast(10);
                if (var->GetWidth() == 0)
                    result = XError(xerr::kEineSTRINGVariableMussMindestens_440);
            }
        } else {
            result = plainList();
        }
    }
    m_openVar = nullptr;
    return result;
}

StepResult CParsOrv::DoInternVar()
{
    const Position start = Tell();
    if (!ExpectKeyword(kw::kInternVar))
        return 0;
    if (!ExpectComma())
        return -1;
    const std::string name = ReadIdent();
    const PanelType cur = Cur();
    if (cur.InFamily(Family::F706)) {
        bool known = NameIn(name, {"[Z018]", "[Z019]", "[Z098]", "[Z099]", "[Z21]", "[Z22]"});
        for (int i = 76; i <= 85 && !known; ++i)
            known = name == "[Z0" + std::to_string(i) + "]";
        if (!known)
            return XError(xerr::kInternerBezeichnerZ018Z019Oder);
    } else {
        const bool known = cur.InFamily(Family::F118) ? NameIn(name, {"[Z084]", "[Z085]", "[Z21]", "[Z22]"})
                                             : IsSkRowName(name);
        if (!known) {
            // No statement of this panel: the line is not a statement at all.
            Seek(start);
            return 0;
        }
    }
    CPrjVar* var = m_prj->GetVarList()->FindByName(std::string_view(name));
    if (var == nullptr && m_prj->GetFwVarList() != nullptr)
        var = m_prj->GetFwVarList()->FindByName(std::string_view(name));
    if (var == nullptr)
        return XError(xerr::kInternerBezeichnerZ018Z019Oder);

    ResetContext();
    const uint8_t type = var->GetType();
    if (IsIntStrType(type)) {
        auto* str = dynamic_cast<CPrjIntVarStr*>(var);
        if (str == nullptr)
            return XError(xerr::kInternerBezeichnerZ018Z019Oder);
        str->FreeTxts();
        int last = 6;
        if (NameIn(name, {"[Z098]", "[Z099]"}))
            last = 10;
        else if (IsSkRowName(name))
            last = cur.InFamily(Family::F706) ? 255 : 127;
        str->SetTxtCount(last);
        m_openVar = var;
        m_nextState = 0;
        return 1;
    }
    if (type == TypeIntHex && ExpectChar(',')) {
        std::string hex;
        // The hex text of these variables holds up to 40 data bytes.
        if (ReadHexQuoted(hex, 40) != 1)
            return -1;
        if (auto* hexVar = dynamic_cast<CPrjIntVarHex*>(var))
            hexVar->SetHexText(hex);
    }
    return 1;
}

} // namespace orv
