// The menu and time-switch statements of the project source parser: menus
// with their node grids, time switches with their switching times.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/SkTxt.h"
#include "model/project/TimeVal.h"
#include "source/reader/SrcKeywords.h"

#include <memory>
#include <string>

namespace orv {

namespace {

constexpr uint16_t kMaxTimerNum = 7;
constexpr int kMaxSwitchTimes = 8;
constexpr uint16_t kMaxDay = 10;

} // namespace

StepResult CParsOrv::DoMenu()
{
    if (!ExpectKeyword(kw::kMenu))
        return 0;
    if (!ExpectComma())
        return -1;
    const std::string name = ReadIdent();
    if (name.empty())
        return XError(xerr::kMenuebezeichnerMax16StellenErwartet);
    CPrjMnuList* menus = m_prj->GetMnuList();
    if (menus->FindByName(name) != nullptr)
        return XError(xerr::kEineDefinitionFuerDiesesMenue);
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 1, 127) != 1)
        return XError(xerr::kMenuenummer1127Erwartet_521);
    if (menus->FindByNum(num) != nullptr)
        return XError(xerr::kDieseMenuenummerWirdSchonVerwendet_522);
    // A mask that is not four hex digits leaves the panel's default.
    uint16_t mask = m_prj->GetMnuOptMask();
    const Position afterNum = Tell();
    uint16_t given = 0;
    if (ExpectChar(',') && GetHex16(given, 0, 0xFFFF) == 1)
        mask = given;
    else
        Seek(afterNum);
    ResetContext();
    m_openMnu = menus->Adopt(std::make_unique<CPrjMnu>(static_cast<uint8_t>(num), name, mask));
    return 1;
}

// The closing tests of a menu and a softkey text: each must have got its
// first node or function-key group by the line that follows it.
StepResult CParsOrv::MissingNodeOrKey()
{
    if (m_openMnu != nullptr && m_openMnu->GetSubList() != nullptr && m_openMnu->GetSubList()->GetCount() == 0)
        return XError(xerr::kFuerEinMenueMussMindestens);
    if (m_openSkTxt != nullptr && !m_skKeysRead && !AtKeyGroup())
        return XError(xerr::kEsMussMindestensEineSoftkeyzeile);
    return 0;
}

StepResult CParsOrv::DoNode()
{
    if (!ExpectKeyword(kw::kNode))
        return MissingNodeOrKey();
    if (m_openMnu == nullptr || m_openMnu->GetSubList() == nullptr)
        return XError(xerr::kKnotendefinitionenKoennenNurDirektNach);
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 1, 255) != 1)
        return XError(xerr::kAktuelleKnotennummer1255Erwartet_511);
    if (m_openMnu->GetSubList()->FindByNum(num) != nullptr)
        return XError(xerr::kEineDefinitionFuerDiesenKnoten_512);
    // Left, right, down, up: 0 leads nowhere, the node itself is refused.
    static constexpr uint16_t kLinkErrors[4] = {
        xerr::kNummerDesLinkenKnotens0_513, xerr::kNummerDesRechtenKnotens0_515,
        xerr::kNummerDesUnterenKnotens0_516, xerr::kNummerDesOberenKnotens0_517};
    uint16_t links[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!ExpectComma())
            return -1;
        if (GetNum16(links[i], 0, 255) != 1)
            return XError(kLinkErrors[i]);
        if (links[i] == num)
            return XError(xerr::kAktuellerKnotenKannNichtNachbarknoten_514);
    }
    if (!ExpectComma())
        return -1;
    const bool wide = Cur().InFamily(Family::F706);
    uint16_t textNum = 0;
    if (GetNum16(textNum, 0, MaxNodeTextNum(Cur())) != 1)
        return XError(wide ? xerr::kBedientextnummer0255Erwartet : xerr::kBedientextnummer0127Erwartet_499);
    auto* text = static_cast<CPrjOpTxt*>(m_prj->GetOpTxtList()->FindByNum(textNum));
    if (text == nullptr)
        return XError(xerr::kDerAngegebeneBedientextWurdeNoch_518);
    const uint8_t start = m_openMnu->GetSubList()->GetCount() == 0 ? 1 : 0;
    auto node = std::make_unique<CPrjMnuNode>(static_cast<uint8_t>(num), static_cast<uint8_t>(links[0]),
                                              static_cast<uint8_t>(links[1]), static_cast<uint8_t>(links[2]),
                                              static_cast<uint8_t>(links[3]), text, start);
    if (m_openMnu->InsNode(node.get()))
        node.release();
    return 1;
}

StepResult CParsOrv::DoTimer()
{
    if (!ExpectKeyword(kw::kTimer))
        return 0;
    if (!ExpectComma())
        return -1;
    const std::string name = ReadIdent();
    if (name.empty())
        return XError(xerr::kZeitschaltuhrbezeichnerMax16Stellen);
    CTimerList* timers = m_prj->GetTimerList();
    if (timers->FindByName(name) != nullptr)
        return XError(xerr::kEineDefinitionFuerDieseZeitschaltuhr);
    if (!ExpectComma())
        return -1;
    uint16_t num = 0;
    if (GetNum16(num, 0, kMaxTimerNum) != 1)
        return XError(xerr::kZeitschaltuhrnummer07Erwartet);
    if (timers->FindByNr(num) != nullptr)
        return XError(xerr::kDieseZeitschaltuhrnummerWirdSchon);
    ResetContext();
    auto timer = std::make_unique<CPrjTimer>(num, name);
    CPrjTimer* placed = timer.get();
    if (m_prj->InsTimer(timer.get()) >= 0 && timers->IndexOf(placed) >= 0) {
        timer.release();
        m_openTimer = placed;
    }
    return 1;
}

// hh:mm:ss as seconds of the day; the errors of the minutes and seconds
// follow the one of the hours.
StepResult CParsOrv::ReadClock(uint32_t& seconds, uint16_t hourError)
{
    static constexpr uint16_t kHi[3] = {23, 59, 59};
    static constexpr uint32_t kScale[3] = {3600, 60, 1};
    seconds = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && !ExpectChar(':'))
            return SignError(':');
        uint16_t v = 0;
        if (GetNum16(v, 0, kHi[i]) != 1)
            return XError(static_cast<uint16_t>(hourError + i));
        seconds += v * kScale[i];
    }
    return 1;
}

StepResult CParsOrv::ReadSchedule(bool week)
{
    if (m_openTimer == nullptr)
        return XError(xerr::kSchaltzeitpunkteKoennenNurDirektNach);
    const CTimeValList* times = m_openTimer->GetTimes();
    if (times != nullptr && times->GetCount() >= kMaxSwitchTimes)
        return XError(xerr::kFuerDiesenTimerSindBereits);
    uint32_t value[2] = {0, 0};
    static constexpr uint16_t kDayErrors[2] = {xerr::kTagangabeDesEinschaltzeitpunktesErwartet,
                                               xerr::kTagangabeDesAusschaltzeitpunktesErwartet};
    static constexpr uint16_t kHourErrors[2] = {xerr::kStundenangabeDesEinschaltzeitpunktes,
                                                xerr::kStundenangabeDesAusschaltzeitpunktes};
    for (int i = 0; i < 2; ++i) {
        if (!ExpectComma())
            return -1;
        uint16_t day = 0;
        if (week) {
            if (GetNum16(day, 0, kMaxDay) != 1)
                return XError(kDayErrors[i]);
            if (!ExpectComma())
                return -1;
        }
        uint32_t clock = 0;
        if (ReadClock(clock, kHourErrors[i]) != 1)
            return -1;
        value[i] = day * CTimeVal::kSecondsPerDay + clock;
    }
    // A period that neither starts nor ends switches nothing.
    if (value[0] != 0 || value[1] != 0)
        m_openTimer->AddTimeVal(new CTimeVal(value[0], value[1]));
    return 1;
}

StepResult CParsOrv::DoSchedule()
{
    if (!ExpectKeyword("SCHEDULE"))
        return 0;
    return ReadSchedule(false);
}

StepResult CParsOrv::DoSchedWeek()
{
    if (!ExpectKeyword(kw::kSchedWeek))
        return 0;
    return ReadSchedule(true);
}

} // namespace orv
