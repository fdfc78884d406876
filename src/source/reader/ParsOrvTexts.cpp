// The text statements of the project source parser: the text entries, their
// rows with variables and the conversion between 20- and 40-column rows.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/CharSet.h"
#include "model/core/CheckedFormat.h"
#include "model/project/MsgTxt.h"
#include "model/project/NumEntry.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/RcpTxt.h"
#include "model/project/TxtRow.h"
#include "model/project/VarValList.h"
#include "source/reader/RcpValueForms.h"
#include "source/reader/SrcKeywords.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>
#include <utility>

namespace orv {

namespace {

constexpr int kEntryRows = 32;
constexpr uint8_t kTypeAscii = 34;
constexpr uint8_t kTypeIntHex = 249;

// Usage masks of the text kinds.
constexpr uint32_t kMaskOpTxt = 1;
constexpr uint32_t kMaskMsgTxt = 2;
constexpr uint32_t kMaskHistRow = 4;
constexpr std::array<uint32_t, 7> kMaskHlpKind{8, 16, 32, 64, 128, 256, 4096};
constexpr uint32_t kMaskRcpTxt = 8192;
constexpr uint32_t kMaskOpPrn = 512;
constexpr uint32_t kMaskMsgPrn = 1024;

constexpr int kPrnRowLen = static_cast<int>(kPrnRowPositions);
constexpr int kPrnMaxVars = 8;
constexpr int kPrnMaxRows = 126;

// Letters, digits, '-', the umlauts and 'ß' belong to a word; so do the
// places of variables, which are never cut.
bool IsWordChar(unsigned char c, const CCharSet* cs)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
        return true;
    switch (c) {
    case 129:
    case 132:
    case 142:
    case 148:
    case 153:
    case 154:
    case 225:
        return true;
    default:
        break;
    }
    if (cs != nullptr)
        for (int k = 1; k <= 4; ++k)
            if (c == cs->GetFrameChar(k))
                return true;
    return false;
}

void TrimRight(std::string& text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
}

// The bytes of a hex-pair text.
std::string HexBytes(std::string_view hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(CParser::HexToInt(hex.substr(i), 2)));
    return bytes;
}

bool HasAscii(const CTxtVarSlots& slots)
{
    for (int i = 0; i < CTxtVarSlots::kCount; ++i)
        if (slots.GetVar(i) != nullptr && slots.GetVar(i)->GetType() == kTypeAscii)
            return true;
    return false;
}

// A missing help kind: the keyword of the kind, its number.
struct KindKeyword {
    std::string_view keyword;
    uint16_t kind;
};

} // namespace

// --- Row reading ------------------------------------------------------------

StepResult CParsOrv::ReadVarRow(const RowSpec& shape, ReadRow& row)
{
    row.text.clear();
    row.slots.Reset();
    row.count = 0;
    if (!ExpectChar('"'))
        return SignError('"');
    for (;;) {
        uint8_t c = 0;
        bool isAt = false;
        const int r = ReadQuotedChar(c, shape.printer, isAt);
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        if (!isAt) {
            if (row.text.size() >= shape.rowLen)
                return XError(shape.printer ? xerr::kDruckertextzeileUeberschreitetMaximale
                                           : xerr::kZeileUeberschreitetMaximaleZeilenlaenge_616);
            row.text.push_back(static_cast<char>(c));
            continue;
        }
        const Position at = Tell();
        const std::string name = ReadIdent();
        if (!ExpectChar('@')) {
            Seek(at);
            Mark();
            return XError(xerr::kZeichenAlsAbschlussDes);
        }
        CPrjVar* var = m_prj->GetVarList()->FindByName(std::string_view(name));
        if (var == nullptr && shape.printer && m_prj->GetFwVarList() != nullptr)
            var = m_prj->GetFwVarList()->FindByName(std::string_view(name));
        Seek(at);
        Mark();
        if (var == nullptr)
            return XError(xerr::kBezeichnerEinerDefiniertenVariable);
        if ((var->GetFlags() & shape.mask) == 0) {
            if (shape.printer)
                return XError(var->IsInternal() ? xerr::kDieseInterneVariableIstIm_611
                                                : xerr::kDieseVariableIstImAktuellen_612);
            return XError(var->IsInternal() ? xerr::kDieseInterneVariableIstIm_607
                                            : xerr::kDieseVariableIstImAktuellen_608);
        }
        if (shape.printer) {
            if (row.count >= kPrnMaxVars)
                return XError(xerr::kDruckertextzeileDarfMaximal8Variable_613);
        } else if (Cur().InFamily(Family::F706)) {
            if (row.count >= CTxtVarSlots::kCount)
                return XError(xerr::kEineTextzeileDarfMaximal8_610);
        } else {
            const bool ascii = var->GetType() == kTypeAscii || HasAscii(row.slots);
            if (row.count >= m_prj->GetMaxVarsPerRow() || (ascii && row.count > 0))
                return XError(xerr::kEineTextzeileDarfMax4_609);
        }
        const size_t width = var->GetWidth();
        if (row.text.size() + width > shape.rowLen)
            return XError(xerr::kEingefuegteVariableUeberschreitetDas_614);
        ReadIdent();
        // Found before the seek back, so it is there.
        static_cast<void>(ExpectChar('@'));
        const auto col = static_cast<uint8_t>(row.text.size());
        if (shape.printer && var->GetType() == kTypeIntHex) {
            std::string own;
            if (const auto* hex = dynamic_cast<const CPrjIntVarHex*>(var))
                own = HexBytes(hex->GetHexText());
            own.resize(width, ' ');
            row.text += own;
        } else {
            const auto frame = [this](int k) {
                return static_cast<char>(m_charSet != nullptr ? m_charSet->GetFrameChar(k) : ' ');
            };
            if (width == 1) {
                row.text.push_back(frame(1));
            } else if (width > 1) {
                row.text.push_back(frame(2));
                row.text.append(width - 2, frame(3));
                row.text.push_back(frame(4));
            }
        }
        row.slots.SetVar(row.count, var);
        row.slots.SetCol(row.count, col);
        ++row.count;
    }
    TrimRight(row.text);
    return 1;
}

// --- Text entries -------------------------------------------------------------

// The refusal of a statement by the current panel type: the first matching
// code gives its xerror.
int CParsOrv::RefusedOn(std::initializer_list<std::pair<uint16_t, uint16_t>> table)
{
    const PanelType cur = Cur();
    for (const auto& [code, xerror] : table) {
        // 118 family shares its refusals, so one of its panels stands for all.
        const PanelRow* row = FindPanel(code);
        if (row && row->family == Family::F118 ? cur.InFamily(Family::F118) : cur.Is(code))
            return xerror;
    }
    return 0;
}

StepResult CParsOrv::ReadRange(int32_t& lowest, int32_t& highest, uint32_t hi, uint16_t rangeError)
{
    uint32_t lo = 0;
    uint32_t up = 0;
    if (!ExpectComma())
        return -1;
    if (GetNum32(lo, 0, hi) != 1)
        return XError(rangeError);
    if (!ExpectComma())
        return -1;
    if (GetNum32(up, 0, hi) != 1)
        return XError(rangeError);
    if (up < lo)
        return XError(xerr::kAngegebeneBereichsobergrenzeIstKleiner_501);
    lowest = static_cast<int32_t>(lo);
    highest = static_cast<int32_t>(up);
    return 1;
}

int CParsOrv::RcpRangeError()
{
    return TextError(CheckedFormat(resErrorText(xerr::kRezepttextnummer1Erwartet), 127));
}

StepResult CParsOrv::DoOpText()
{
    if (!ExpectKeyword(kw::kOpText))
        return 0;
    if (!ExpectComma())
        return -1;
    const bool wide = Cur().InFamily(Family::F706);
    uint16_t num = 0;
    if (GetNum16(num, 0, wide ? 255 : 127) != 1)
        return XError(wide ? xerr::kBedientextnummer0255Erwartet : xerr::kBedientextnummer0127Erwartet_499);
    if (m_prj->GetOpTxtList()->FindByNum(num) != nullptr)
        return XError(xerr::kDieserBedientextWurdeBereitsDefiniert);
    ResetContext();
    auto entry = std::make_unique<CPrjOpTxt>(num);
    entry->SetRowCount(kEntryRows);
    m_openOpTxt = entry.get();
    m_prj->InsOpTxt(entry.release());
    return 1;
}

StepResult CParsOrv::DoDefOpText()
{
    if (!ExpectKeyword(kw::kDefOpText))
        return 0;
    if (const int refused = RefusedOn({
            {14, xerr::kFuerORV014KeineDEFAULT_503}, {36, xerr::kFuerORVlightKeineDEFAULTTexte_504},
            {43, xerr::kFuerORV043KeineDEFAULT_505}, {755, xerr::kFuerORV0472Keine_507},
            {47, xerr::kFuerORV047KeineDEFAULT_506}, {118, xerr::kFuerORVplusKeineDEFAULTTexte}
        }))
        return XError(static_cast<uint16_t>(refused));
    int32_t lowest = 0;
    int32_t highest = 0;
    if (ReadRange(lowest, highest, 255, xerr::kBedientextnummer0255Erwartet) != 1)
        return -1;
    if (m_prj->GetOpTxtList()->GetTemplate() != nullptr)
        return XError(xerr::kDEFAULTBedientextWurdeBereitsDefiniert);
    ResetContext();
    auto entry = std::make_unique<CPrjOpTxtRange>(lowest, highest);
    entry->SetRowCount(kEntryRows);
    m_openOpTxt = entry.get();
    m_prj->InsOpTxt(entry.release());
    return 1;
}

StepResult CParsOrv::ReadMsgAttrs(uint8_t& prio, uint8_t& delMode, uint8_t& alarm, bool isTemplate)
{
    if (!ExpectComma())
        return -1;
    if (ExpectKeyword(kw::kInfo))
        prio = CMsgTxt::PrioInfo;
    else if (ExpectKeyword(kw::kWarning))
        prio = CMsgTxt::PrioWarning;
    else if (ExpectKeyword(kw::kFault))
        prio = CMsgTxt::PrioFault;
    else
        return XError(xerr::kMeldetextprioritaetINFOWARNINGOderFAULT);
    if (!ExpectComma())
        return -1;
    const bool five = isTemplate || Cur().InFamily(Family::F706);
    uint16_t mode = 0;
    if (GetNum16(mode, 1, five ? 5 : 4) != 1)
        return XError(five ? xerr::kLoeschverhalten15Erwartet : xerr::kLoeschverhalten14Erwartet_529);
    delMode = static_cast<uint8_t>(mode);
    alarm = 0;
    if (five) {
        const Position before = Tell();
        if (ExpectChar(',')) {
            if (ExpectKeyword("ALARM"))
                alarm = 1;
            else
                Seek(before);
        }
    }
    return 1;
}

StepResult CParsOrv::DoMsgText()
{
    if (!ExpectKeyword(kw::kMsgText))
        return 0;
    if (!ExpectComma())
        return -1;
    const bool wide = Cur().InFamily(Family::F706) || Cur().InFamily(Family::F118);
    uint16_t num = 0;
    if (GetNum16(num, 0, wide ? 1023 : 127) != 1)
        return XError(wide ? xerr::kMeldetextnummer01023Erwartet : xerr::kMeldetextnummer0127Erwartet_523);
    if (m_prj->GetMsgTxtList()->FindByNum(num) != nullptr)
        return XError(xerr::kDieserMeldetextWurdeBereitsDefiniert);
    uint8_t prio = 0;
    uint8_t delMode = 0;
    uint8_t alarm = 0;
    if (ReadMsgAttrs(prio, delMode, alarm, false) != 1)
        return -1;
    ResetContext();
    auto entry = std::make_unique<CMsgTxt>(num, prio, delMode, alarm);
    entry->SetRowCount(kEntryRows);
    m_openMsgTxt = entry.get();
    m_prj->InsMsgTxt(entry.release());
    return 1;
}

StepResult CParsOrv::DoDefMsgText()
{
    if (!ExpectKeyword(kw::kDefMsgText))
        return 0;
    if (const int refused = RefusedOn({
            {14, xerr::kFuerORV014KeineDEFAULT_503}, {36, xerr::kFuerORVlightKeineDEFAULTTexte_504},
            {43, xerr::kFuerORV043KeineDEFAULT_505}, {47, xerr::kFuerORV047KeineDEFAULT_506},
            {118, xerr::kFuerORVplusKeineDEFAULTTexte}
        }))
        return XError(static_cast<uint16_t>(refused));
    int32_t lowest = 0;
    int32_t highest = 0;
    if (ReadRange(lowest, highest, 1023, xerr::kMeldetextnummer01023Erwartet) != 1)
        return -1;
    if (m_prj->GetMsgTxtList()->GetTemplate() != nullptr)
        return XError(xerr::kDEFAULTMeldetextWurdeBereitsDefiniert);
    uint8_t prio = 0;
    uint8_t delMode = 0;
    uint8_t alarm = 0;
    if (ReadMsgAttrs(prio, delMode, alarm, true) != 1)
        return -1;
    ResetContext();
    auto entry = std::make_unique<CMsgTxtRange>(lowest, highest, prio, delMode, alarm);
    entry->SetRowCount(kEntryRows);
    m_openMsgTxt = entry.get();
    m_prj->InsMsgTxt(entry.release());
    return 1;
}

StepResult CParsOrv::DoRecText()
{
    if (!ExpectKeyword("REC_TEXT"))
        return 0;
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 1, static_cast<uint16_t>(m_prj->GetMaxRcpTxtNr())) != 1)
        return RcpRangeError();
    if (m_prj->GetRcpTxtList()->FindByNum(num) != nullptr)
        return XError(xerr::kDieserRezepttextWurdeBereitsDefiniert);
    ResetContext();
    auto entry = std::make_unique<CPrjRcpTxt>(num);
    entry->SetRowCount(kEntryRows);
    m_openRcpTxt = entry.get();
    if (m_prj->GetRcpTxtList()->Adopt(std::move(entry)) == nullptr)
        m_openRcpTxt = nullptr;
    return 1;
}

StepResult CParsOrv::DoDefRecText()
{
    if (!ExpectKeyword("DEF_REC_TEXT"))
        return 0;
    if (const int refused = RefusedOn({
            {14, xerr::kFuerORV014KeineDEFAULT_503}, {36, xerr::kFuerORVlightKeineDEFAULTTexte_504},
            {43, xerr::kFuerORV043KeineDEFAULT_505}, {47, xerr::kFuerORV047KeineDEFAULT_506},
            {118, xerr::kFuerORVplusKeineDEFAULTTexte}
        }))
        return XError(static_cast<uint16_t>(refused));
    uint32_t lo = 0;
    uint32_t up = 0;
    if (!ExpectComma())
        return -1;
    if (GetNum32(lo, 0, 127) != 1)
        return RcpRangeError();
    if (!ExpectComma())
        return -1;
    if (GetNum32(up, 0, 127) != 1)
        return RcpRangeError();
    if (up < lo)
        return XError(xerr::kAngegebeneBereichsobergrenzeIstKleiner_501);
    if (m_prj->GetRcpTxtList()->GetTemplate() != nullptr)
        return XError(xerr::kDEFAULTRezepttextWurdeBereitsDefiniert);
    ResetContext();
    auto entry = std::make_unique<CPrjRcpTxtRange>(static_cast<int32_t>(lo), static_cast<int32_t>(up));
    entry->SetRowCount(kEntryRows);
    m_openRcpTxt = entry.get();
    if (m_prj->GetRcpTxtList()->Adopt(std::move(entry)) == nullptr)
        m_openRcpTxt = nullptr;
    return 1;
}

int CParsOrv::HistRefusal()
{
    return RefusedOn({
            {14, xerr::kFuerORV014KeineHistorytexte}, {36, xerr::kFuerORVlightKeineHistorytexteMoeglich},
            {43, xerr::kFuerORV043KeineHistorytexte}, {47, xerr::kFuerORV047KeineHistorytexte},
            {118, xerr::kFuerKeineHistorytexteMoeglich}, {473, xerr::kFuerORV473KeineHistorytexte},
            {477, xerr::kFuerORV473KeineHistorytexte}
        });
}

StepResult CParsOrv::DoHistText()
{
    if (!ExpectKeyword(kw::kHistText))
        return 0;
    if (const int refused = HistRefusal())
        return XError(static_cast<uint16_t>(refused));
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 0, 1023) != 1)
        return XError(xerr::kHistorytextnummer01023Erwartet);
    if (m_prj->GetHistTxtList()->FindByNum(num) != nullptr)
        return XError(xerr::kDerHistorytextWurdeBereitsDefiniert);
    ResetContext();
    auto entry = std::make_unique<CHistTxt>(num);
    entry->SetRowCount(kEntryRows);
    m_openHistTxt = entry.get();
    m_prj->InsHistTxt(entry.release());
    return 1;
}

StepResult CParsOrv::DoDefHistText()
{
    if (!ExpectKeyword(kw::kDefHistText))
        return 0;
    if (const int refused = HistRefusal())
        return XError(static_cast<uint16_t>(refused));
    int32_t lowest = 0;
    int32_t highest = 0;
    if (ReadRange(lowest, highest, 1023, xerr::kHistorytextnummer01023Erwartet) != 1)
        return -1;
    if (DefHistSeen())
        return XError(xerr::kDEFAULTHistorytextWurdeBereitsDefiniert);
    SetDefHistSeen();
    ResetContext();
    // The first template of a file replaces one the project has built in.
    if (auto* old = static_cast<CHistTxt*>(m_prj->GetHistTxtList()->GetTemplate()))
        m_prj->DelHistTxt(old);
    auto entry = std::make_unique<CHistTxtRange>(lowest, highest);
    entry->SetRowCount(kEntryRows);
    m_openHistTxt = entry.get();
    m_prj->InsHistTxt(entry.release());
    return 1;
}

StepResult CParsOrv::OpenHlpTemplate(uint16_t kind, uint16_t dupError)
{
    CKindTxtList* list = m_prj->GetHlpTxtList(kind);
    if (list == nullptr)
        return XError(dupError);
    if (list->GetTemplate() != nullptr)
        return XError(dupError);
    ResetContext();
    auto entry = std::make_unique<CKindTxtRange>(0, 65535);
    entry->SetRowCount(kEntryRows);
    m_openHlpTxt = entry.get();
    m_hlpKind = kind;
    m_prj->InsHlpTxt(kind, entry.release());
    return 1;
}

StepResult CParsOrv::ReadHlpKind(uint16_t& kind, bool withRecipe, bool withHistory, uint16_t error)
{
    static constexpr std::array<KindKeyword, 7> kKinds{{
        {kw::kDefault, 0},
        {kw::kMenu, 1},
        {kw::kInfo, 2},
        {kw::kWarning, 3},
        {kw::kFault, 4},
        {"HISTORY", 5},
        {"RECIPE", 6},
    }};
    for (const auto& k : kKinds) {
        if ((k.kind == 5 && !withHistory) || (k.kind == 6 && !withRecipe))
            continue;
        if (ExpectKeyword(k.keyword)) {
            kind = k.kind;
            return 1;
        }
    }
    return XError(error);
}

StepResult CParsOrv::DoHlpText()
{
    if (!ExpectKeyword(kw::kHlpText))
        return 0;
    const PanelType src = Src();
    if (src.InFamily(Family::F043) || src.InFamily(Family::F118)) {
        if (!ExpectComma())
            return -1;
        uint16_t kind = 0;
        if (ReadHlpKind(kind, false, false, xerr::kPrioritaetDEFAULTMENUINFOWARNING) != 1)
            return -1;
        if (!ExpectComma())
            return -1;
        uint16_t num = 0;
        if (GetNum16(num, 0, 0) != 1)
            return XError(xerr::kHilfstextnummer0Erwartet);
        return OpenHlpTemplate(kind, xerr::kDieserHilfstextWurdeBereitsDefiniert);
    }
    if (src.InFamily(Family::F706)) {
        if (!ExpectComma())
            return -1;
        if (!ExpectKeyword(kw::kMenu))
            return KeywordError(kw::kMenu);
        if (!ExpectComma())
            return -1;
        uint16_t num = 0;
        if (GetNum16(num, 0, 255) != 1)
            return XError(xerr::kHilfstextnummer0255Erwartet);
        CKindTxtList* list = m_prj->GetHlpTxtList(1);
        if (list == nullptr || list->FindByNum(num) != nullptr)
            return XError(xerr::kDieserHilfstextWurdeBereitsDefiniert);
        ResetContext();
        auto entry = std::make_unique<CKindTxt>(num);
        entry->SetRowCount(kEntryRows);
        m_openHlpTxt = entry.get();
        m_hlpKind = 1;
        m_prj->InsHlpTxt(1, entry.release());
        return 1;
    }
    // Other files carry no help texts that this project could hold.
    ResetContext();
    Consume(Rest().size());
    return 1;
}

StepResult CParsOrv::DoDefHlpText()
{
    if (!ExpectKeyword(kw::kDefHlpText))
        return 0;
    const PanelType cur = Cur();
    uint16_t kind = 0;
    if (cur.InFamily(Family::F043) || cur.InFamily(Family::F118)) {
        if (!ExpectComma())
            return -1;
        if (ReadHlpKind(kind, true, false, xerr::kPrioritaetDEFAULTMENUINFOWARNING) != 1)
            return -1;
    } else if (cur.InFamily(Family::F706)) {
        if (!ExpectComma())
            return -1;
        if (ReadHlpKind(kind, false, true, xerr::kDEFAULTMENUINFOWARNINGFAULT) != 1)
            return -1;
    }
    return OpenHlpTemplate(kind, xerr::kDEFAULTHilfstextWurdeBereitsDefiniert);
}

int CParsOrv::PrnRefusal()
{
    return RefusedOn({
            {14, xerr::kFuerORV014KeineDruckertexte_550}, {36, xerr::kFuerORVlightKeineDruckertexteMoeglich_551},
            {43, xerr::kFuerORV043KeineDruckertexte_552}, {47, xerr::kFuerORV047KeineDruckertexte_553},
            {118, xerr::kFuerORVKeineDruckertexteMoeglich}
        });
}

StepResult CParsOrv::DoOpPrnText()
{
    if (!ExpectKeyword(kw::kOpPrnText))
        return 0;
    if (const int refused = PrnRefusal())
        return XError(static_cast<uint16_t>(refused));
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 1, 255) != 1)
        return XError(xerr::kBediendruckertextnummer1255Erwartet_556);
    if (m_prj->GetOpPrnTxtList()->FindByNum(num) != nullptr)
        return XError(xerr::kDieserBediendruckertextWurdeBereits);
    ResetContext();
    auto entry = std::make_unique<COpPrnTxt>(num);
    entry->SetRowCount(kPrnMaxRows);
    m_openOpPrnTxt = entry.get();
    m_prj->InsOpPrnTxt(entry.release());
    return 1;
}

StepResult CParsOrv::DoDefOpPrnText()
{
    if (!ExpectKeyword(kw::kDefOpPrnText))
        return 0;
    if (const int refused = PrnRefusal())
        return XError(static_cast<uint16_t>(refused));
    uint32_t lo = 0;
    uint32_t up = 0;
    if (!ExpectComma())
        return -1;
    if (GetNum32(lo, 1, 255) != 1)
        return XError(xerr::kBediendruckertextnummer1255Erwartet_556);
    if (!ExpectComma())
        return -1;
    if (GetNum32(up, 1, 255) != 1)
        return XError(xerr::kBediendruckertextnummer1255Erwartet_556);
    if (up < lo)
        return XError(xerr::kAngegebeneBereichsobergrenzeIstKleiner_501);
    if (m_prj->GetOpPrnTxtList()->GetTemplate() != nullptr)
        return XError(xerr::kDEFAULTBediendruckertextWurdeBereits);
    ResetContext();
    auto entry = std::make_unique<COpPrnTxtRange>(static_cast<int32_t>(lo), static_cast<int32_t>(up));
    entry->SetRowCount(kPrnMaxRows);
    m_openOpPrnTxt = entry.get();
    m_prj->InsOpPrnTxt(entry.release());
    return 1;
}

StepResult CParsOrv::ReadOutputTimes(uint8_t& value)
{
    if (!ExpectComma())
        return -1;
    if (GetHexByte(value, 0, 7) != 1)
        return XError(xerr::kAusgabezeitpunkte000701Kommt);
    return 1;
}

StepResult CParsOrv::DoMsgPrnText()
{
    if (!ExpectKeyword(kw::kMsgPrnText))
        return 0;
    if (const int refused = PrnRefusal())
        return XError(static_cast<uint16_t>(refused));
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 0, 1023) != 1)
        return XError(xerr::kMeldedruckertextnummer01023Erwartet);
    if (m_prj->GetMsgPrnTxtList()->FindByNum(num) != nullptr)
        return XError(xerr::kDieserMeldedruckertextWurdeBereits);
    uint8_t times = 0;
    if (ReadOutputTimes(times) != 1)
        return -1;
    ResetContext();
    auto entry = std::make_unique<CMsgPrnTxt>(num, times);
    entry->SetRowCount(kPrnMaxRows);
    m_openMsgPrnTxt = entry.get();
    m_prj->InsMsgPrnTxt(entry.release());
    return 1;
}

StepResult CParsOrv::DoDefMsgPrnText()
{
    if (!ExpectKeyword(kw::kDefMsgPrnText))
        return 0;
    if (const int refused = PrnRefusal())
        return XError(static_cast<uint16_t>(refused));
    int32_t lowest = 0;
    int32_t highest = 0;
    if (ReadRange(lowest, highest, 1023, xerr::kMeldedruckertextnummer01023Erwartet) != 1)
        return -1;
    if (m_prj->GetMsgPrnTxtList()->GetTemplate() != nullptr)
        return XError(xerr::kDEFAULTMeldedruckertextWurdeBereits);
    uint8_t times = 0;
    if (ReadOutputTimes(times) != 1)
        return -1;
    ResetContext();
    auto entry = std::make_unique<CMsgPrnTxtRange>(lowest, highest, times);
    entry->SetRowCount(kPrnMaxRows);
    m_openMsgPrnTxt = entry.get();
    m_prj->InsMsgPrnTxt(entry.release());
    return 1;
}

// --- Rows -----------------------------------------------------------------------

CPrjNumEntry* CParsOrv::OpenDisplayEntry(uint32_t& mask, int& maxRows, uint16_t& limitError) const
{
    if (m_openOpTxt != nullptr) {
        mask = kMaskOpTxt;
        const PanelType cur = Cur();
        const bool fourRows = cur.Row() && cur.Row()->rows == 4;
        maxRows = fourRows ? 4 : 2;
        limitError = fourRows ? 486 : 485;
        return m_openOpTxt;
    }
    maxRows = kEntryRows;
    if (m_openMsgTxt != nullptr) {
        mask = kMaskMsgTxt;
        limitError = 487;
        return m_openMsgTxt;
    }
    if (m_openRcpTxt != nullptr) {
        mask = kMaskRcpTxt;
        limitError = 488;
        return m_openRcpTxt;
    }
    if (m_openHlpTxt != nullptr) {
        mask = m_hlpKind < kMaskHlpKind.size() ? kMaskHlpKind[m_hlpKind] : 0;
        limitError = 489;
        return m_openHlpTxt;
    }
    return nullptr;
}

StepResult CParsOrv::MissingRowText()
{
    if (m_openOpTxt != nullptr && m_openOpTxt->GetRow(1) == nullptr)
        return XError(xerr::kFuerEinenBedientextMussMindestens);
    if (m_openMsgTxt != nullptr && m_openMsgTxt->GetRow(1) == nullptr)
        return XError(xerr::kFuerEinenMeldetextMussMindestens);
    if (m_openRcpTxt != nullptr && m_openRcpTxt->GetRow(1) == nullptr)
        return XError(xerr::kFuerEinenRezepttextMussMindestens);
    if (m_openHlpTxt != nullptr && m_openHlpTxt->GetRow(1) == nullptr)
        return XError(xerr::kFuerEinenHilfstextMussMindestens);
    return 0;
}

void CParsOrv::StoreDisplayRow(CPrjNumEntry* entry, int num, const std::string& text, const CTxtVarSlots& slots)
{
    entry->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(num), text, &slots));
    if (entry != m_openRcpTxt)
        return;
    // A recipe holds one value for every PLC variable it shows, in the
    // order of the rows and their slots.
    CPrjVarValList& values = m_openRcpTxt->GetValList();
    for (int i = 0; i < CTxtVarSlots::kCount; ++i) {
        CPrjVar* var = slots.GetVar(i);
        if (var != nullptr && !var->IsInternal())
            values.InsertPair(var, values.GetCount());
    }
}

StepResult CParsOrv::DoText()
{
    if (!ExpectKeyword(kw::kText))
        return MissingRowText();
    uint32_t mask = 0;
    int maxRows = 0;
    uint16_t limitError = 0;
    CPrjNumEntry* entry = OpenDisplayEntry(mask, maxRows, limitError);
    if (entry == nullptr)
        return XError(xerr::kTextzeilenKoennenNurDirektNach);
    if (!ExpectComma())
        return -1;
    SkipBelow(33);
    const Position rowStart = Tell();
    const PanelType cur = Cur();
    const PanelType src = Src();
    const bool split = cur.IsNarrow() && !src.IsNarrow();
    const bool join = !cur.IsNarrow() && src.IsNarrow() && src.InFamily(Family::F043);
    const int width = DspWidth();
    RowSpec shape{static_cast<size_t>(split ? 40 : width), mask, false};
    ReadRow row;
    if (ReadVarRow(shape, row) != 1)
        return -1;

    if (split && row.text.size() > static_cast<size_t>(width))
        return SplitRow(entry, row, maxRows, limitError, rowStart);

    if (join && !m_joinedRow && m_rowCount >= 1) {
        if (JoinRow(entry, row))
            return 1;
    }
    if (m_rowCount + 1 > maxRows) {
        Seek(rowStart);
        Mark();
        return XError(limitError);
    }
    ++m_rowCount;
    m_joinedRow = false;
    StoreDisplayRow(entry, m_rowCount, row.text, row.slots);
    return 1;
}

bool CParsOrv::JoinRow(CPrjNumEntry* entry, const ReadRow& row)
{
    const CPrjTxtRow* prev = entry->GetRow(m_rowCount);
    if (prev == nullptr)
        return false;
    const int width = DspWidth();
    const std::string& first = prev->GetText();
    if (first.size() + row.text.size() > static_cast<size_t>(width))
        return false;
    const int prevCount = prev->GetFilledCount();
    const int maxVars = Cur().InFamily(Family::F706) ? CTxtVarSlots::kCount : m_prj->GetMaxVarsPerRow();
    if (prevCount + row.count > maxVars)
        return false;
    CTxtVarSlots slots;
    int n = 0;
    bool ascii = HasAscii(row.slots);
    for (int i = 0; i < prev->GetVarCount(); ++i) {
        const TxtVarSlot s = prev->GetVarSlot(i);
        if (s.var == nullptr)
            continue;
        ascii = ascii || s.var->GetType() == kTypeAscii;
        slots.SetVar(n, s.var);
        slots.SetCol(n, s.col);
        ++n;
    }
    if (ascii && !Cur().InFamily(Family::F706))
        return false;
    std::string text = first;
    if (first.size() + 1 + row.text.size() <= static_cast<size_t>(width))
        text.push_back(' ');
    const auto shift = static_cast<uint8_t>(text.size());
    text += row.text;
    for (int i = 0; i < row.count; ++i) {
        slots.SetVar(n, row.slots.GetVar(i));
        slots.SetCol(n, static_cast<uint8_t>(row.slots.GetCol(i) + shift));
        ++n;
    }
    entry->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(m_rowCount), text, &slots));
    if (entry == m_openRcpTxt) {
        CPrjVarValList& values = m_openRcpTxt->GetValList();
        for (int i = 0; i < row.count; ++i)
            if (!row.slots.GetVar(i)->IsInternal())
                values.InsertPair(row.slots.GetVar(i), values.GetCount());
    }
    m_joinedRow = true;
    NoteRowsJoined();
    return true;
}

StepResult CParsOrv::SplitRow(CPrjNumEntry* entry, const ReadRow& row, int maxRows, uint16_t limitError,
                       Position rowStart)
{
    constexpr size_t kNarrow = 20;
    const std::string& text = row.text;
    size_t cut = kNarrow;
    for (size_t p = kNarrow; p > 0; --p) {
        const bool wordBefore = IsWordChar(static_cast<unsigned char>(text[p - 1]), m_charSet);
        const bool wordAfter = p < text.size() && IsWordChar(static_cast<unsigned char>(text[p]), m_charSet);
        if (!(wordBefore && wordAfter)) {
            cut = p;
            break;
        }
    }
    std::string first = text.substr(0, cut);
    TrimRight(first);
    size_t restStart = cut;
    while (restStart < text.size() && text[restStart] == ' ')
        ++restStart;
    std::string rest = text.substr(restStart);
    const size_t restCut = std::min(rest.size(), kNarrow);
    rest.resize(restCut);
    TrimRight(rest);

    CTxtVarSlots slots1;
    CTxtVarSlots slots2;
    int n1 = 0;
    int n2 = 0;
    for (int i = 0; i < row.count; ++i) {
        CPrjVar* var = row.slots.GetVar(i);
        const size_t col = row.slots.GetCol(i);
        const size_t end = col + var->GetWidth();
        if (col < cut) {
            if (end > cut)
                return SplitError(rowStart);
            slots1.SetVar(n1, var);
            slots1.SetCol(n1, static_cast<uint8_t>(col));
            ++n1;
        } else {
            if (col < restStart || end > restStart + restCut)
                return SplitError(rowStart);
            slots2.SetVar(n2, var);
            slots2.SetCol(n2, static_cast<uint8_t>(col - restStart));
            ++n2;
        }
    }
    const int rows = rest.empty() && n2 == 0 ? 1 : 2;
    if (m_rowCount + rows > maxRows) {
        Seek(rowStart);
        Mark();
        return XError(limitError);
    }
    StoreDisplayRow(entry, ++m_rowCount, first, slots1);
    if (rows == 2)
        StoreDisplayRow(entry, ++m_rowCount, rest, slots2);
    m_joinedRow = false;
    NoteRowsSplit();
    return 1;
}

int CParsOrv::SplitError(Position rowStart)
{
    Seek(rowStart);
    Mark();
    return XError(xerr::kZeileKannWegenEnthaltenerVariable);
}

StepResult CParsOrv::MissingRowHText()
{
    if (m_openHistTxt != nullptr && m_openHistTxt->GetRow(1) == nullptr)
        return XError(xerr::kFuerEinenHistorytextMussMindestens);
    return 0;
}

StepResult CParsOrv::DoHText()
{
    if (!ExpectKeyword("HTEXT"))
        return MissingRowHText();
    if (const int refused = RefusedOn({{14, 539},
                                       {36, 540},
                                       {43, 541},
                                       {755, 543},
                                       {47, 542},
                                       {118, 546},
                                       {473, 544},
                                       {477, 545}}))
        return XError(static_cast<uint16_t>(refused));
    if (m_openHistTxt == nullptr)
        return XError(xerr::kHistorytextzeilenKoennenNurDirektNach);
    if (!ExpectComma())
        return -1;
    SkipBelow(33);
    const Position rowStart = Tell();
    RowSpec shape{static_cast<size_t>(DspWidth()), kMaskHistRow, false};
    ReadRow row;
    if (ReadVarRow(shape, row) != 1)
        return -1;
    if (m_rowCount + 1 > kEntryRows) {
        Seek(rowStart);
        Mark();
        return XError(xerr::kFuerDiesenHistorytextSindBereits);
    }
    ++m_rowCount;
    m_openHistTxt->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(m_rowCount), row.text, &row.slots));
    return 1;
}

StepResult CParsOrv::MissingRowPrnText()
{
    CPrnTxt* open = m_openOpPrnTxt != nullptr ? static_cast<CPrnTxt*>(m_openOpPrnTxt) : m_openMsgPrnTxt;
    if (open != nullptr && open->GetRow(1) == nullptr)
        return XError(xerr::kFuerEinenDruckertextMussMindestens);
    return 0;
}

StepResult CParsOrv::DoPrnText()
{
    if (!ExpectKeyword("PRNTEXT"))
        return MissingRowPrnText();
    ExtendLine(kPrnTextLineMax);
    CPrnTxt* open = m_openOpPrnTxt != nullptr ? static_cast<CPrnTxt*>(m_openOpPrnTxt) : m_openMsgPrnTxt;
    if (open == nullptr)
        return XError(xerr::kDruckertextzeilenKoennenNurDirektNach);
    if (!ExpectComma())
        return -1;
    SkipBelow(33);
    const Position rowStart = Tell();
    RowSpec shape{kPrnRowLen, m_openOpPrnTxt != nullptr ? kMaskOpPrn : kMaskMsgPrn, true};
    ReadRow row;
    if (ReadVarRow(shape, row) != 1)
        return -1;
    if (m_rowCount + 1 > kPrnMaxRows) {
        Seek(rowStart);
        Mark();
        return XError(xerr::kFuerDiesenDruckertextSindBereits_495);
    }
    ++m_rowCount;
    open->SetRow(std::make_unique<CPrnTxtLin>(static_cast<uint8_t>(m_rowCount), row.text, &row.slots));
    return 1;
}

// --- Context ----------------------------------------------------------------------

void CParsOrv::ResetContext()
{
    const auto close = [this](auto*& entry) {
        if (entry != nullptr)
            entry->SetRowCount(m_rowCount);
        entry = nullptr;
    };
    m_openVar = nullptr;
    m_nextState = 0;
    m_openMnu = nullptr;
    m_openTimer = nullptr;
    m_openSkAct = nullptr;
    m_skOpCount = 0;
    m_openSkTxt = nullptr;
    m_skKeysRead = false;
    close(m_openOpTxt);
    close(m_openMsgTxt);
    close(m_openHistTxt);
    close(m_openHlpTxt);
    close(m_openRcpTxt);
    close(m_openOpPrnTxt);
    close(m_openMsgPrnTxt);
    m_hlpKind = 0;
    m_adrRef = false;
    m_plcCollect = false;
    m_rowCount = 0;
    m_joinedRow = false;
}

// --- Recipe values ------------------------------------------------------------------

StepResult CParsOrv::DoFormular()
{
    if (!ExpectKeyword("FORMULAR"))
        return 0;
    const PanelType cur = Cur();
    if (cur.InFamily(Family::F043) || cur.InFamily(Family::F706))
        return XError(xerr::kFuerDieEingestellteORVSind_623);
    if (m_openRcpTxt == nullptr)
        return XError(xerr::kFormulareSindNurInRezepttexten);
    uint16_t form = 0;
    if (GetNum16(form, 1, 1) != 1)
        return XError(xerr::kFormularnummer11Erwartet);
    const CPrjVarValList& values = m_openRcpTxt->GetValList();
    for (int i = 0; i < values.GetCount(); ++i) {
        CVarValPair* pair = values.GetAt(i);
        if (pair == nullptr || pair->GetVar() == nullptr)
            continue;
        if (!ExpectComma())
            return -1;
        // ", /" continues the values at the start of the next line.
        if (ExpectChar('/')) {
            ReadLine();
            if (m_cancelled)
                return -1;
        }
        const CPrjVar& var = *pair->GetVar();
        const RcpValueCodec* codec = FindRcpValueCodec(var);
        if (codec == nullptr) {
            NextChar();
            Rewind();
            return XError(xerr::kFormularnutzdatenErwartet);
        }
        if (codec->quoted) {
            std::string text;
            if (ReadQuoted(text, kRcpAsciiMax, false) != 1)
                return -1;
            pair->SetText(text);
        } else if (codec->read(*this, var, *pair) != 1) {
            return XError(xerr::kFormularnutzdatenErwartet);
        }
    }
    return 1;
}

} // namespace orv
