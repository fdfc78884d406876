// The driver statements of the project source parser: the address-reference
// list of the PLC driver and the definitions of further PLCs.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTab.h"
#include "model/core/MessageBoxes.h"
#include "model/project/SpsDef.h"
#include "source/reader/SrcKeywords.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

namespace {

constexpr uint16_t kMax16 = 0xFFFF;
constexpr int kPlcListLimit = 7;

// The attributes of an address reference in the order they are tried; DW
// stands for a data word of the block named before it.
enum class RefAttr { None, Db, Dw, Fw, Iw, Qw, Tw };

struct AttrKeyword {
    std::string_view keyword;
    RefAttr attr;
};

constexpr std::array<AttrKeyword, 6> kAttrs{{
    {"DB", RefAttr::Db},
    {"DW", RefAttr::Dw},
    {"FW", RefAttr::Fw},
    {"IW", RefAttr::Iw},
    {"QW", RefAttr::Qw},
    {"TW", RefAttr::Tw},
}};

// The class an attribute is stored with and the driver limit of its number.
struct AttrRule {
    uint16_t cls;
    CDrvCfg::AdrLimit limit;
};

AttrRule RuleOf(RefAttr attr)
{
    switch (attr) {
    case RefAttr::Fw:
        return {kRefFw, CDrvCfg::kLimitFw};
    case RefAttr::Iw:
        return {kRefIw, CDrvCfg::kLimitIw};
    case RefAttr::Qw:
        return {kRefQw, CDrvCfg::kLimitQw};
    case RefAttr::Tw:
        return {kRefTw, CDrvCfg::kLimitTw};
    default:
        return {kRefDb, CDrvCfg::kLimitDw};
    }
}

template <class List, class Entry>
void ReplaceByKey(List* list, uint16_t key, Entry* fresh)
{
    for (int i = 0; i < list->GetCount(); ++i) {
        if (list->ItemAt(i)->GetKey() == key) {
            list->Delete(list->ItemAt(i));
            break;
        }
    }
    list->Adopt(std::unique_ptr<Entry>(fresh));
}

} // namespace

int CParsOrv::RangeError(uint16_t piece, uint32_t lo, uint32_t hi)
{
    return TextError(std::string(resError2(piece)) + " " + std::to_string(lo) + ".." + std::to_string(hi) + " " +
                     resError2(err2::kErwartet));
}

StepResult CParsOrv::ReadRefNum(uint16_t& value, uint32_t lo, uint32_t hi, uint16_t piece)
{
    if (GetNum16(value, static_cast<uint16_t>(lo), static_cast<uint16_t>(hi)) == 1)
        return 1;
    return RangeError(piece, lo, hi);
}

StepResult CParsOrv::DoComList()
{
    if (!ExpectKeyword("COM_LIST"))
        return 0;
    Rewind();
    // Another driver's key that merely begins with this one's is another
    // driver's list.
    if (m_drvCfg != nullptr && ExpectWord(ComListKeyword(m_drvCfg->GetDrvNo()))) {
        m_adrRef = true;
        return 1;
    }
    Consume(Rest().size());
    const bool listDriver = m_drvCfg != nullptr && m_drvCfg->GetFlag(CDrvCfg::kFlagXref) != 0;
    if (listDriver && AskYesNo(msg::kQuerverweislisteFuerAnderenTreiberSoll)) {
        m_adrRef = true;
        return 1;
    }
    if (listDriver)
        ResetContext();
    m_adrRef = false;
    return 1;
}

StepResult CParsOrv::DoWord()
{
    if (!ExpectKeyword(kw::kWord))
        return 0;
    if (!m_adrRef || m_drvCfg == nullptr) {
        Consume(Rest().size());
        return 1;
    }
    // The driver's table and limits are known only once a driver with a
    // list was read; before that the fields are checked for their form.
    const bool known = m_drvCfg->GetFlag(CDrvCfg::kFlagXref) != 0;
    const bool indexed = m_drvCfg->GetDrvNo() == kDrvIndexedRefs;
    const uint32_t entries = static_cast<uint32_t>(indexed ? m_drvCfg->GetParItems2()->GetCount()
                                                           : m_drvCfg->GetParItems()->GetCount());
    const uint32_t words = indexed ? IndexedRefWordCount(entries) : entries;
    uint16_t word = 0;
    if (known) {
        if (words == 0) {
            SkipBelow(33);
            Mark();
            return RangeError(err2::kWortnummer, 0, 0);
        }
        if (ReadRefNum(word, 0, std::min<uint32_t>(words - 1, kMax16), err2::kWortnummer) != 1)
            return -1;
    } else if (ReadRefNum(word, 0, kMax16, err2::kWortnummer) != 1) {
        return -1;
    }
    if (indexed && word >= 30 && word % 2 != 0)
        return TextError(resError2(err2::kEsSindNurGeradzahligeAdressen));
    if (!ExpectComma())
        return -1;
    return indexed ? ReadIndexedRef(word) : ReadWordRef(word);
}

StepResult CParsOrv::ReadIndexedRef(uint16_t word)
{
    uint16_t attr = 0;
    uint16_t value = 0;
    uint16_t kind = 0;
    uint16_t sub = 0;
    uint16_t extra = 0;
    if (ReadRefNum(attr, 0, 255, err2::kWertebereich) != 1)
        return -1;
    if (!IsIndexedRefAttr(attr))
        return RangeError(err2::kWertebereich, 0, 99);
    if (!ExpectComma() || ReadRefNum(value, 0, kMax16, err2::kWertebereich) != 1)
        return -1;
    if (!ExpectComma() || ReadRefNum(kind, 0, kIndexedRefKindMax, err2::kWertebereich) != 1)
        return -1;
    if (!ExpectComma() || ReadRefNum(sub, 0, kMax16, err2::kWertebereich) != 1)
        return -1;
    if (!ExpectComma() || ReadRefNum(extra, 0, kMax16, err2::kWertebereich) != 1)
        return -1;
    const uint16_t key = IndexedRefIndexOfWord(word);
    ReplaceByKey(m_drvCfg->GetParItems2(), key,
                 new CDrvTabEntry6(key, static_cast<uint8_t>(attr), value, static_cast<uint8_t>(kind), sub, extra));
    return 1;
}

StepResult CParsOrv::ReadWordRef(uint16_t word)
{
    const bool known = m_drvCfg->GetFlag(CDrvCfg::kFlagXref) != 0;
    const auto limit = [&](CDrvCfg::AdrLimit which) {
        return known ? m_drvCfg->GetAdrLimit(which) : kMax16;
    };
    // One attribute with its number, read directly after a blank.
    const auto readAttr = [this]() {
        SkipBelow(33);
        Mark();
        for (const AttrKeyword& a : kAttrs)
            if (ExpectWord(a.keyword))
                return a.attr;
        return RefAttr::None;
    };
    const auto missing = [this]() {
        const std::string_view rest = Rest();
        const bool bareZero = !rest.empty() && rest[0] == '0' && !IsKeywordChar(rest.size() > 1 ? static_cast<unsigned char>(rest[1]) : 0);
        return TextError(resError2(bareZero ? err2::kKeinGueltigesSchluesselwort : err2::kAdressverweisattributErwartet));
    };
    const auto readEven = [this](uint16_t& value, uint16_t hi, bool evenOnly) {
        if (ReadRefNum(value, 0, hi, err2::kWertebereich) != 1)
            return -1;
        if (evenOnly && value % 2 != 0)
            return TextError(resError2(err2::kEsSindNurGeradzahligeAdressen));
        return 1;
    };

    RefAttr attr = readAttr();
    if (attr == RefAttr::None)
        return missing();
    if (attr == RefAttr::Dw)
        return TextError(resError2(err2::kAdresszuweisungNichtZulaessig));
    uint16_t block = 0;
    if (attr == RefAttr::Db) {
        if (ReadRefNum(block, 1, limit(CDrvCfg::kLimitDb), err2::kWertebereich) != 1)
            return -1;
        if (!ExpectComma())
            return -1;
        attr = readAttr();
        if (attr == RefAttr::None)
            return missing();
        if (attr != RefAttr::Dw)
            return TextError(resError2(err2::kAdresszuweisungNichtZulaessig));
    }
    const AttrRule rule = RuleOf(attr);
    uint16_t adr = 0;
    if (readEven(adr, limit(rule.limit), attr != RefAttr::Tw) != 1)
        return -1;
    uint8_t plc = 1;
    if (m_drvCfg->GetFlag(CDrvCfg::kFlagMultiPlc) != 0 && ReadPlcNum(plc) != 1)
        return -1;
    ReplaceByKey(m_drvCfg->GetParItems(), word, new CDrvTabEntry5(plc, word, rule.cls, block, adr));
    return 1;
}

// ", PLC n" naming a PLC definition of the driver; without it PLC 1.
StepResult CParsOrv::ReadPlcNum(uint8_t& plc)
{
    plc = 1;
    const Position before = Tell();
    if (!ExpectChar(',')) {
        Seek(before);
        return 1;
    }
    if (!ExpectWord("PLC"))
        return KeywordError("PLC");
    uint16_t num = 0;
    if (ReadRefNum(num, kPlcNumRange.lo, kPlcNumRange.hi, err2::kWertebereich) != 1)
        return -1;
    const CSpsDefList* defs = m_drvCfg->GetParItems3();
    if (defs == nullptr || defs->FindByNum(num) == nullptr)
        return TextError(resError2(err2::kFuerDiesenEintragWurdeKeine));
    plc = static_cast<uint8_t>(num);
    return 1;
}

StepResult CParsOrv::DoMultiExt()
{
    if (!ExpectKeyword("MULTI_EXT"))
        return 0;
    if (m_plcDefs == nullptr)
        m_plcDefs = std::make_unique<CSpsDefList>(kPlcListLimit, 1);
    m_plcCollect = true;
    return 1;
}

StepResult CParsOrv::HandOverPlcDefs()
{
    m_plcCollect = false;
    const std::unique_ptr<CSpsDefList> defs = std::move(m_plcDefs);
    // One stray line after MULTI_EXT must not wipe the driver's PLCs.
    if (defs == nullptr || defs->GetCount() == 0)
        return TextError(resError2(err2::kFuerMULTIEXTMussMindestens));
    if (m_drvCfg == nullptr || m_drvCfg->GetParItems3() == nullptr)
        return 0;
    m_drvCfg->GetParItems3()->DeleteAll();
    for (int i = 0; i < defs->GetCount(); ++i) {
        const CSpsDef& d = *defs->ItemAt(i);
        m_drvCfg->AddParItem3(new CSpsDef(d.GetNum(), d.GetAdr(), d.GetSlot(), d.GetRack(), d.GetName()));
    }
    return 0;
}

StepResult CParsOrv::DoPlc()
{
    if (!ExpectKeyword("PLC"))
        return m_plcCollect ? HandOverPlcDefs() : StepResult{0};
    const bool multi = m_drvCfg != nullptr && m_drvCfg->GetFlag(CDrvCfg::kFlagMultiPlc) != 0;
    if (!m_plcCollect && !multi)
        return TextError(resError2(err2::kVorDieserAuspraegungWurdeKein));
    if (m_plcDefs == nullptr)
        m_plcDefs = std::make_unique<CSpsDefList>(kPlcListLimit, 1);
    m_plcCollect = true;
    uint16_t num = 0;
    if (ReadRefNum(num, kPlcNumRange.lo, kPlcNumRange.hi, err2::kWertebereich) != 1)
        return -1;
    if (m_plcDefs->FindByNum(num) != nullptr)
        return TextError(std::string(resError2(err2::kSteuerungMitNummer)) + " " + std::to_string(num) + " " +
                         resError2(err2::kExistiertBereits));
    uint16_t adr = 0;
    uint16_t slot = 0;
    uint16_t rack = 0;
    if (!ExpectComma() || ReadRefNum(adr, kPlcAdrRange.lo, kPlcAdrRange.hi, err2::kWertebereich) != 1)
        return -1;
    if (m_plcDefs->FindByAdr(adr) != nullptr)
        return TextError(resError2(err2::kEintragMitGleicherAdresseIst));
    if (!ExpectComma() || ReadRefNum(slot, kPlcSlotRange.lo, kPlcSlotRange.hi, err2::kWertebereich) != 1)
        return -1;
    if (!ExpectComma() || ReadRefNum(rack, kPlcRackRange.lo, kPlcRackRange.hi, err2::kWertebereich) != 1)
        return -1;
    const std::string name = std::string(ResourceTXT(res::kSPS_1128)) + std::to_string(num);
    m_plcDefs->Adopt(std::make_unique<CSpsDef>(static_cast<uint8_t>(num), adr, slot, rack, name.c_str()));
    return 1;
}

} // namespace orv
