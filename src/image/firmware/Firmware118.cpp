// Reads the 118 family firmware's id, date and variable entries; overlapping
// fields are read from one table, each read bounded.
#include "image/firmware/Firmware118.h"

#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/VarType.h"

#include <cstdlib>
#include <unordered_set>

namespace orv {

namespace {

// The header.
// Id at 0x6000, six date digits at 0x6009.
constexpr CFirmwareFile::HeaderLayout kFirmware118Header{0x6000, 0x6009, 6};
constexpr uint64_t kFirmware118FirstEntryAt = 0x6132;
constexpr uint64_t kMaskAdrAt = 0x6136;

// The fields of an entry at E, one table for the reader: the type data
// overlap in one-byte steps from E + 7, so every overlapping field is read
// as one byte (setting, digits, decimals, lower and upper limit, highest
// state index); state text addresses are words from E + 8.
struct EntryLayout {
    uint64_t next = 0;
    uint64_t letter = 2;
    uint64_t number = 3;
    uint64_t width = 4;
    uint64_t kindByte = 5;
    uint64_t setting = 6;
    uint64_t digits = 7;
    uint64_t decimals = 8;
    uint64_t lower = 9;
    uint64_t upper = 10;
    uint64_t lastState = 7;
    uint64_t stateAdrs = 8;
    uint64_t stateAdrStep = 2;
};
constexpr EntryLayout kEntry;

constexpr uint16_t kAdrBase = 0x4000;
constexpr uint8_t kNumberedName = 0x80;
constexpr uint8_t kKindMask = 0x3F;
constexpr uint8_t kWidthKind = 28;
constexpr int kFirmware118SoftkeyRowLast = 255;
constexpr int kDayTexts = 7;
constexpr uint16_t kFirstDayText = 741;

// The type code an entry's kind stands for; other kinds make no variable.
struct KindType {
    uint8_t kind;
    uint8_t type;
};
constexpr KindType kKindTypes[] = {
    {2, vartype::kIntBin2},
    {4, vartype::kIntBin2},
    {6, vartype::kIntBin2},
    {kWidthKind, vartype::kIntBin2},
    {14, vartype::kIntString},
    {44, vartype::kIntW8},
    {46, vartype::kIntByte},
};

uint8_t TypeOfKind(uint8_t kind)
{
    for (const KindType& k : kKindTypes)
        if (k.kind == kind)
            return k.type;
    return 0;
}

int TwoDigits(const std::string& text, size_t at)
{
    return static_cast<int>(std::strtol(text.substr(at, 2).c_str(), nullptr, 10));
}

} // namespace

struct CFirmware118::Entry {
    uint16_t adr = 0;
    uint64_t at = 0;
    uint16_t next = 0;
    std::string name;
    char letter = 0;
    // The number less 128 of a numbered name, else -1.
    int number = -1;
    uint8_t width = 0;
    uint8_t kind = 0;
    uint8_t setpKind = 1;
    uint32_t flags = 0;
    uint8_t setting = 0;
};

CFirmware118::CFirmware118(const std::string& path, PrjBundle* bundle) : CFirmwareFile(path, bundle, kFirmware118Header) {}

uint64_t CFirmware118::ToOffset(uint16_t adr)
{
    return static_cast<uint16_t>(adr - kAdrBase);
}

std::string CFirmware118::DateText(const std::string& digits) const
{
    return FormatText("%02d.%02d.%02d", TwoDigits(digits, 0), TwoDigits(digits, 2), TwoDigits(digits, 4));
}

void CFirmware118::ReadVarChain()
{
    if (!PrjReady())
        return;
    uint16_t maskAdr = 0;
    uint16_t adr = 0;
    if (!Word(kMaskAdrAt, maskAdr) || (maskAdr != 0 && !ReadMask(ToOffset(maskAdr))) || !Word(kFirmware118FirstEntryAt, adr))
        return Fail();
    // The chain ends at address 0; a damaged image may link a ring.
    std::unordered_set<uint16_t> visited;
    while (adr != 0) {
        Entry entry;
        entry.adr = adr;
        if (!visited.insert(adr).second || !ReadEntry(ToOffset(adr), entry))
            return Fail();
        bool ok = true;
        auto var = MakeVar(entry, ok);
        if (!ok)
            return Fail();
        if (var) {
            var->SetAttr32(adr);
            Insert(std::move(var));
        }
        adr = entry.next;
    }
}

bool CFirmware118::ReadEntry(uint64_t at, Entry& e) const
{
    uint8_t letter = 0;
    uint8_t number = 0;
    uint8_t kindByte = 0;
    if (!Word(at + kEntry.next, e.next) || !Byte(at + kEntry.letter, letter) || !Byte(at + kEntry.number, number) ||
        !Byte(at + kEntry.width, e.width) || !Byte(at + kEntry.kindByte, kindByte) ||
        !Byte(at + kEntry.setting, e.setting))
        return false;
    e.at = at;
    e.letter = static_cast<char>(letter);
    e.kind = kindByte & kKindMask;
    const unsigned top = kindByte >> 6;
    e.setpKind = top == 2 ? 2 : (top == 3 ? 3 : 1);
    const uint64_t before = top >= 2 ? 12 : 8;
    // The flags lie before the entry; an entry that close to the file start
    // has none.
    if (at < before || !DWord(at - before, e.flags))
        return false;
    if (number & kNumberedName) {
        e.number = number - kNumberedName;
        e.name = FormatText("[%c%02d]", static_cast<char>(letter), e.number);
    } else {
        e.name = FormatText("%c%c", static_cast<char>(letter), static_cast<char>(number));
    }
    return true;
}

std::unique_ptr<CPrjVar> CFirmware118::MakeVar(const Entry& e, bool& ok) const
{
    const uint8_t type = TypeOfKind(e.kind);
    switch (type) {
    case vartype::kIntBin2: {
        uint8_t digits = 0;
        uint8_t decimals = 0;
        uint8_t lower = 0;
        uint8_t upper = 0;
        ok = Byte(e.at + kEntry.digits, digits) && Byte(e.at + kEntry.decimals, decimals) &&
             Byte(e.at + kEntry.lower, lower) && Byte(e.at + kEntry.upper, upper);
        auto var = std::make_unique<CPrjIntVarNum>(e.name, e.flags, e.setpKind, type, 0, e.setting, digits,
                                                   decimals, lower, upper);
        if (e.kind == kWidthKind) {
            var->SetWidth(e.width);
            var->SetMaxWidth(e.width);
        }
        return var;
    }
    case vartype::kIntString: {
        auto var = std::make_unique<CPrjIntVarStr>(e.name, e.flags, e.setpKind, type, 0, e.setting,
                                                   Prj()->GetTextPool());
        ok = ReadStateTexts(e, *var);
        return var;
    }
    case vartype::kIntW8:
        return std::make_unique<CPrjIntVarW8>(e.name, 0, e.flags, e.setpKind, type, 0, e.setting);
    case vartype::kIntByte:
        return std::make_unique<CPrjIntVarByte>(e.name, 0, e.flags, e.setpKind, type, 0, e.setting, 1);
    default:
        return nullptr;
    }
}

bool CFirmware118::ReadStateTexts(const Entry& e, CPrjIntVarStr& var) const
{
    uint8_t last = 0;
    if (!Byte(e.at + kEntry.lastState, last))
        return false;
    // The softkey rows ("[Z84]", "[Z85]") and the weekdays carry no texts of
    // their own.
    if (e.letter == 'Z' && (e.number == 84 || e.number == 85)) {
        var.SetTxtCount(kFirmware118SoftkeyRowLast);
        for (int i = 0; i <= kFirmware118SoftkeyRowLast; ++i)
            var.SetStateTxt(i, " ");
        return true;
    }
    var.SetTxtCount(last);
    if (e.number == 21 || e.number == 22) {
        for (int i = 0; i < kDayTexts; ++i)
            var.SetStateTxt(i, ResourceTXT(static_cast<uint16_t>(kFirstDayText + i)));
        return true;
    }
    for (int i = 0; i <= last; ++i) {
        uint16_t adr = 0;
        if (!Word(e.at + kEntry.stateAdrs + kEntry.stateAdrStep * static_cast<uint64_t>(i), adr))
            return false;
        std::string text;
        if (adr == 0)
            continue;
        if (!CountedText(ToOffset(adr), text))
            return false;
        var.SetStateTxt(i, text.c_str());
    }
    return true;
}

} // namespace orv
