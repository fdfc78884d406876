// Reads and compares a driver's data range, turning addresses by the driver's
// own counting rule so a stamped file compares equal.
#include "image/drv/DrvRange.h"

#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/core/LangStrings.h"
#include "model/project/SpsPar.h"

#include <algorithm>
#include <iterator>

namespace orv {

namespace {

// The drivers that carry the range, per family; 74 is in both.
constexpr uint16_t kDrivers706[] = {0,  1,  2,  3,  4,  9,  12, 14, 17, 19, 20, 21, 22, 23, 26,
                                                  27, 29, 32, 33, 35, 36, 38, 39, 41, 42, 45, 46, 48, 51, 52,
                                                  53, 56, 58, 61, 62, 63, 65, 68, 72, 74};
constexpr uint16_t kDrivers043[] = {0,  1,  2,  3,  4,  9,  12, 14, 17, 19, 20, 21, 22, 23, 26,
                                                  27, 29, 32, 33, 35, 36, 38, 39, 41, 42, 45, 46, 48, 51, 52,
                                                  53, 56, 58, 62, 63, 65, 68, 69, 72, 74, 77};

constexpr uint16_t kPlcType44 = 44;

// How a driver counts the project's addresses. The driver file holds the
// project's address turned by the rule; the comparison turns it back (or
// turns the project's the same way) so that a stamped file compares equal.
enum class Rule {
    Plain,
    PlusOne,     // driver 3, PLC type 44: +1 unless 0xFFFF
    Minus40000,  // driver 3, other PLC types: 40000..65535 become 0..25535
    DoubleBack,  // driver 4: doubled; the comparison halves the driver's
    Double,      // drivers 48, 51: doubled; the comparison doubles the project's
    Sixteenth,   // drivers 17, 19
    EndPlusOne,  // drivers 20, 21, 22
};

Rule RuleOf(uint16_t drvNo, uint16_t spsType)
{
    switch (drvNo) {
    case 3:
        return spsType == kPlcType44 ? Rule::PlusOne : Rule::Minus40000;
    case 4:
        return Rule::DoubleBack;
    case 48:
    case 51:
        return Rule::Double;
    case 17:
    case 19:
        return Rule::Sixteenth;
    case 20:
    case 21:
    case 22:
        return Rule::EndPlusOne;
    default:
        return Rule::Plain;
    }
}

uint32_t StampAddress(Rule rule, uint32_t v, bool isEnd)
{
    switch (rule) {
    case Rule::PlusOne:
        return v != 0xFFFF ? v + 1 : v;
    case Rule::Minus40000:
        return v >= 40000 ? (v + 25536) & 0xFFFF : v;
    case Rule::DoubleBack:
    case Rule::Double:
        return v * 2;
    case Rule::Sixteenth:
        return v / 16;
    case Rule::EndPlusOne:
        return isEnd ? v + 1 : v;
    case Rule::Plain:
        break;
    }
    return v;
}

// How a driver's range reads in the question that offers to change it.
enum class RangeForm {
    MarkerBits,      // word.bit of both ends
    Register,        // by the PLC type: words, or registers
    Words,
    BlockWords,      // the data block, then the words
    Zone,            // decimal zones
    BlockOrMarkers,  // words of the data block, markers without one
    Blocks,          // from one data block to the next
};

struct RangeRow {
    uint16_t drvNo;
    RangeForm form;
    uint32_t from;  // label before the start
    uint32_t to;    // label before the end
};

// Drivers missing here ask no question.
constexpr RangeRow kRangeRows[] = {
    {0, RangeForm::MarkerBits, msg::kMerkerbereichMW, msg::kBisMW},
    {1, RangeForm::MarkerBits, msg::kMerkerbereichMW, msg::kBisMW},
    {2, RangeForm::MarkerBits, msg::kMerkerbereichMW, msg::kBisMW},
    {3, RangeForm::Register, 0, 0},
    {4, RangeForm::Words, msg::kPD, msg::kBisPD},
    {9, RangeForm::Words, msg::kMerkerbereichMW, msg::kBisMW},
    {12, RangeForm::BlockWords, msg::kWort, msg::kBisWort},
    {14, RangeForm::BlockWords, msg::kDXW, msg::kBisDXW},
    {17, RangeForm::Zone, msg::kZone, msg::kBisZone},
    {19, RangeForm::Zone, msg::kZone, msg::kBisZone},
    {20, RangeForm::Words, msg::kMerkerbereichMW, msg::kBisMW},
    {21, RangeForm::Words, msg::kMerkerbereichMW, msg::kBisMW},
    {22, RangeForm::Words, msg::kMerkerbereichMW, msg::kBisMW},
    {23, RangeForm::Words, msg::kWort, msg::kBisWort},
    {26, RangeForm::Words, msg::kWM, msg::kBisWM},
    {29, RangeForm::Words, msg::kDW, msg::kBisDW},
    {32, RangeForm::Words, msg::kD, msg::kBisD},
    {33, RangeForm::Words, msg::kD, msg::kBisD},
    {35, RangeForm::Words, msg::kDW, msg::kBisDW},
    {36, RangeForm::Words, msg::kD, msg::kBisD},
    {38, RangeForm::Words, msg::kDM, msg::kBisDM},
    {39, RangeForm::Words, msg::kDM, msg::kBisDM},
    {41, RangeForm::Words, msg::kMerkerbereichMW, msg::kBisMW},
    {42, RangeForm::Words, msg::kDW, msg::kBisDW},
    {45, RangeForm::BlockOrMarkers, msg::kDW, msg::kBisDW},
    {46, RangeForm::BlockOrMarkers, msg::kDW, msg::kBisDW},
    {48, RangeForm::Words, msg::kVW, msg::kBisVW},
    {51, RangeForm::Words, msg::kRW, msg::kBisRW},
    {52, RangeForm::Words, msg::kWort, msg::kBisWort},
    {53, RangeForm::Words, msg::kWort, msg::kBisWort},
    {56, RangeForm::Words, msg::kD, msg::kBisD},
    {58, RangeForm::Words, msg::kWM, msg::kBisWM},
    {63, RangeForm::Words, msg::kDBW, msg::kBisDBW},
    {65, RangeForm::Blocks, msg::kDB, msg::kBisDB},
    {69, RangeForm::Words, msg::kMerkerbereichMW, msg::kBisMW},
    {74, RangeForm::Words, msg::kWort, msg::kBisWort},
};

const RangeRow* RangeRowOf(uint16_t drvNo)
{
    const auto* row = std::find_if(std::begin(kRangeRows), std::end(kRangeRows),
                                   [drvNo](const RangeRow& r) { return r.drvNo == drvNo; });
    return row != std::end(kRangeRows) ? row : nullptr;
}

DrvRange ProjectRange(const CSpsPar& sps)
{
    DrvRange r;
    r.db = sps.GetDataBlock();
    r.start = sps.GetSpsAdr(0);
    r.end = sps.GetSpsAdr(static_cast<uint16_t>(sps.GetLength() - 1));
    return r;
}

} // namespace

char RangeParamOf(const std::string& name)
{
    if (name.size() == 2 && name[0] == 'A' && (name[1] == 'K' || name[1] == 'L' || name[1] == 'M'))
        return name[1];
    return 0;
}

bool HasRangeParams(DrvFamily family, uint16_t drvNo)
{
    if (family == DrvFamily::F706)
        return std::find(std::begin(kDrivers706), std::end(kDrivers706), drvNo) != std::end(kDrivers706);
    return std::find(std::begin(kDrivers043), std::end(kDrivers043), drvNo) != std::end(kDrivers043);
}

DrvRange DriverRangeFor(uint16_t drvNo, const CSpsPar& sps)
{
    const Rule rule = RuleOf(drvNo, sps.GetSpsType());
    DrvRange r = ProjectRange(sps);
    r.start = StampAddress(rule, r.start, false);
    r.end = StampAddress(rule, r.end, true);
    return r;
}

bool RangeComparison::Equal() const
{
    return static_cast<uint16_t>(project.db) == static_cast<uint16_t>(driver.db) &&
           static_cast<uint16_t>(project.start) == static_cast<uint16_t>(driver.start) &&
           static_cast<uint16_t>(project.end) == static_cast<uint16_t>(driver.end);
}

RangeComparison CompareRange(uint16_t drvNo, const CSpsPar& sps, const DrvRange& driverValues)
{
    RangeComparison c;
    c.project = ProjectRange(sps);
    c.driver = driverValues;
    DrvRange& p = c.project;
    DrvRange& d = c.driver;
    switch (RuleOf(drvNo, sps.GetSpsType())) {
    case Rule::PlusOne:
        if (d.start != 0 && d.end != 0) {
            d.start = static_cast<uint16_t>(d.start - 1);
            d.end = static_cast<uint16_t>(d.end - 1);
        }
        break;
    case Rule::Minus40000:
        if (d.start <= 25535 && d.end <= 25535) {
            d.start += 40000;
            d.end += 40000;
        }
        break;
    case Rule::DoubleBack:
        d.start /= 2;
        d.end /= 2;
        break;
    case Rule::Double:
    case Rule::Sixteenth:
    case Rule::EndPlusOne:
        p = DriverRangeFor(drvNo, sps);
        break;
    case Rule::Plain:
        break;
    }
    return c;
}

std::string RangeText(uint16_t drvNo, uint16_t spsType, uint16_t db, uint16_t start, uint16_t end)
{
    const RangeRow* row = RangeRowOf(drvNo);
    if (row == nullptr)
        return std::string();
    auto L = [](uint32_t id) { return LoadLangString(id); };
    const int s = start;
    const int e = end;
    const int b = db;
    switch (row->form) {
    case RangeForm::MarkerBits:
        return FormatText("%s %d %s %d %s %d %s %d", L(row->from), s / 16, ".", s % 16, L(row->to), (e + 1) / 16, ".",
                          (e + 1) % 16);
    case RangeForm::Register:
        return spsType == kPlcType44 ? FormatText("%s %d %s %d", L(msg::kWort), s, L(msg::kBisWort), e)
                                     : FormatText("%s %d %s %d", L(msg::kRegisterR), s, L(msg::kBisR), e);
    case RangeForm::Words:
        return FormatText("%s %d %s %d", L(row->from), s, L(row->to), e);
    case RangeForm::BlockWords:
        return FormatText("%s %d %s %d %s %d", L(msg::kDB), b, L(row->from), s, L(row->to), e);
    case RangeForm::Zone:
        return FormatText("%s %d %s %s %d %s", L(row->from), s, L(msg::kDez), L(row->to), e, L(msg::kDez));
    case RangeForm::BlockOrMarkers:
        return db != 0 ? FormatText("%s %d %s %d %s %d", L(msg::kDB), b, L(row->from), s, L(row->to), e)
                       : FormatText("%s %d %s %d", L(msg::kMerkerbereichMW), s, L(msg::kBisMW), e);
    case RangeForm::Blocks:
        return FormatText("%s %d %s  %s %d %s", L(row->from), b, ".000 ", L(row->to), b + 1, ".254 ");
    }
    return std::string();
}

} // namespace orv
