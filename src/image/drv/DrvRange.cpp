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
    auto L = [](uint32_t id) { return LoadLangString(id); };
    const int s = start;
    const int e = end;
    const int b = db;
    switch (drvNo) {
    case 0:
    case 1:
    case 2:
        return FormatText("%s %d %s %d %s %d %s %d", L(msg::kMerkerbereichMW), s / 16, ".", s % 16, L(msg::kBisMW), (e + 1) / 16, ".",
                          (e + 1) % 16);
    case 3:
        return spsType == kPlcType44 ? FormatText("%s %d %s %d", L(msg::kWort), s, L(msg::kBisWort), e)
                                     : FormatText("%s %d %s %d", L(msg::kRegisterR), s, L(msg::kBisR), e);
    case 4:
        return FormatText("%s %d %s %d", L(msg::kPD), s, L(msg::kBisPD), e);
    case 9:
    case 20:
    case 21:
    case 22:
    case 41:
    case 69:
        return FormatText("%s %d %s %d", L(msg::kMerkerbereichMW), s, L(msg::kBisMW), e);
    case 12:
        return FormatText("%s %d %s %d %s %d", L(msg::kDB), b, L(msg::kWort), s, L(msg::kBisWort), e);
    case 14:
        return FormatText("%s %d %s %d %s %d", L(msg::kDB), b, L(msg::kDXW), s, L(msg::kBisDXW), e);
    case 17:
    case 19:
        return FormatText("%s %d %s %s %d %s", L(msg::kZone), s, L(msg::kDez), L(msg::kBisZone), e, L(msg::kDez));
    case 23:
    case 52:
    case 53:
    case 74:
        return FormatText("%s %d %s %d", L(msg::kWort), s, L(msg::kBisWort), e);
    case 26:
    case 58:
        return FormatText("%s %d %s %d", L(msg::kWM), s, L(msg::kBisWM), e);
    case 29:
    case 35:
    case 42:
        return FormatText("%s %d %s %d", L(msg::kDW), s, L(msg::kBisDW), e);
    case 32:
    case 33:
    case 36:
    case 56:
        return FormatText("%s %d %s %d", L(msg::kD), s, L(msg::kBisD), e);
    case 38:
    case 39:
        return FormatText("%s %d %s %d", L(msg::kDM), s, L(msg::kBisDM), e);
    case 45:
    case 46:
        return db != 0 ? FormatText("%s %d %s %d %s %d", L(msg::kDB), b, L(msg::kDW), s, L(msg::kBisDW), e)
                       : FormatText("%s %d %s %d", L(msg::kMerkerbereichMW), s, L(msg::kBisMW), e);
    case 48:
        return FormatText("%s %d %s %d", L(msg::kVW), s, L(msg::kBisVW), e);
    case 51:
        return FormatText("%s %d %s %d", L(msg::kRW), s, L(msg::kBisRW), e);
    case 63:
        return FormatText("%s %d %s %d", L(msg::kDBW), s, L(msg::kBisDBW), e);
    case 65:
        return FormatText("%s %d %s  %s %d %s", L(msg::kDB), b, ".000 ", L(msg::kBisDB), b + 1, ".254 ");
    default:
        return std::string();
    }
}

} // namespace orv
