// Walks the parameter chain of a driver entry in the 043/118 or 706 family
// layout, every step inside the entry.
#include "image/drv/DrvChain.h"

#include "image/drv/DrvLayout.h"

#include <set>

namespace orv {

namespace {

constexpr size_t kMaxText = 40;

// The 706 layout: next address (4), name length n, name, a byte carried as
// read, class, type (2), first value (4), setting (4), then the details.
StepResult ReadElement706(const DrvEntry& entry, int32_t at, DrvElement& el, uint32_t& next)
{
    uint8_t n = 0;
    std::string name;
    uint8_t cls = 0;
    uint16_t type = 0;
    if (entry.DWord(at, next) != 1 || entry.Byte(at + 4, n) != 1 || entry.Text(at + 5, n, name) != 1 ||
        entry.Byte(at + 6 + n, cls) != 1 || entry.Word(at + 7 + n, type) != 1)
        return -1;
    el.at = at;
    el.name = std::move(name);
    el.type = type;
    el.cls = cls;
    el.firstAt = at + 9 + n;
    el.valueAt = at + 13 + n;
    el.valueSize = 4;
    el.detailAt = at + 17 + n;
    return 1;
}

// The 043 layout: next offset (2), two-letter name, a byte, type code (6
// number, 14 choice), value offset V (2), then the details.
StepResult ReadElement043(const DrvEntry& entry, int32_t at, DrvElement& el, uint16_t& next)
{
    std::string name;
    uint8_t code = 0;
    uint16_t v = 0;
    if (entry.Word(at, next) != 1 || entry.Text(at + 2, 2, name) != 1 || entry.Byte(at + 5, code) != 1 ||
        entry.Word(at + 6, v) != 1)
        return -1;
    el.at = at;
    el.name = std::move(name);
    el.type = code == 6 ? DrvElement::kNumber : code == 14 ? DrvElement::kChoice : code;
    el.cls = 0;
    el.firstAt = -1;
    el.valueAt = v;
    el.valueSize = el.type == DrvElement::kChoice ? 1 : 4;
    el.detailAt = at + 8;
    return 1;
}

StepResult Walk706(const DrvEntry& entry, const std::function<bool(const DrvElement&)>& visit)
{
    uint32_t address = 0;
    if (entry.DWord(drvlayout::k706Chain, address) != 1)
        return -1;
    // 0, and the address of the entry's own start, mean no chain.
    if (address == 0 || entry.OffsetOfAddress(address) == 0)
        return 1;
    std::set<int32_t> seen;
    while (address != 0) {
        const int32_t at = entry.OffsetOfAddress(address);
        if (at < 0 || !seen.insert(at).second)
            return -1;
        DrvElement el;
        if (ReadElement706(entry, at, el, address) != 1)
            return -1;
        if (!visit(el))
            return 1;
    }
    return 1;
}

StepResult Walk043(const DrvEntry& entry, const std::function<bool(const DrvElement&)>& visit)
{
    uint16_t p = 0;
    uint8_t count = 0;
    if (entry.Word(drvlayout::k043ParPtr, p) != 1 || entry.Byte(p, count) != 1)
        return -1;
    std::set<int32_t> seen;
    int32_t at = p + 1;
    for (int i = 0; i < count; ++i) {
        if (!seen.insert(at).second)
            return -1;
        DrvElement el;
        uint16_t next = 0;
        if (ReadElement043(entry, at, el, next) != 1)
            return -1;
        if (!visit(el) || next == 0)
            return 1;
        at = next;
    }
    return 1;
}

} // namespace

StepResult WalkDrvChain(const DrvEntry& entry, const std::function<bool(const DrvElement&)>& visit)
{
    return entry.Family() == DrvFamily::F706 ? Walk706(entry, visit) : Walk043(entry, visit);
}

StepResult ReadDrvSetting(const DrvEntry& entry, const DrvElement& element, uint32_t& value)
{
    if (element.valueSize == 1) {
        uint8_t b = 0;
        if (entry.Byte(element.valueAt, b) != 1)
            return -1;
        value = b;
        return 1;
    }
    return entry.DWord(element.valueAt, value);
}

StepResult WriteDrvSetting(const DrvEntry& entry, const DrvElement& element, uint32_t value)
{
    if (element.valueSize == 1)
        return entry.PutByte(element.valueAt, static_cast<uint8_t>(value));
    return entry.PutDWord(element.valueAt, value);
}

StepResult ReadDrvNumber(const DrvEntry& entry, const DrvElement& element, DrvNumber& number)
{
    DrvNumber n;
    if ((element.firstAt >= 0 && entry.DWord(element.firstAt, n.first) != 1) ||
        entry.Byte(element.detailAt, n.digits) != 1 || entry.Byte(element.detailAt + 1, n.decimals) != 1 ||
        entry.DWord(element.detailAt + 2, n.lower) != 1 || entry.DWord(element.detailAt + 6, n.upper) != 1)
        return -1;
    number = n;
    return 1;
}

StepResult ReadDrvHighest(const DrvEntry& entry, const DrvElement& element, uint16_t& highest)
{
    if (entry.Family() == DrvFamily::F706)
        return entry.Word(element.detailAt, highest);
    uint8_t t = 0;
    if (entry.Byte(element.detailAt, t) != 1)
        return -1;
    highest = t;
    return 1;
}

StepResult ReadDrvChoiceText(const DrvEntry& entry, const DrvElement& element, int i, std::string& text)
{
    int32_t at = -1;
    if (entry.Family() == DrvFamily::F706) {
        uint32_t address = 0;
        if (entry.DWord(element.detailAt + 2 + 4 * i, address) != 1)
            return -1;
        at = entry.OffsetOfAddress(address);
    } else {
        uint16_t offset = 0;
        if (entry.Word(element.detailAt + 1 + 2 * i, offset) != 1)
            return -1;
        at = offset;
    }
    uint8_t length = 0;
    std::string bytes;
    if (at < 0 || entry.Byte(at, length) != 1 || entry.Text(at + 1, length, bytes) != 1)
        return -1;
    text = bytes.substr(0, kMaxText);
    return 1;
}

} // namespace orv
