// Reads the 706 family firmware's id, date and variable entries; every panel
// address is turned into a checked file offset.
#include "image/firmware/Firmware.h"

#include "image/compile/CompParts.h"
#include "image/codec/FileFields.h"
#include "image/drv/HeaderFields.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <unordered_set>

namespace orv {

namespace {

// The header.
constexpr uint64_t kMagicAt = 4;
constexpr uint64_t kNameAt = 6;
// Id at 64, three date bytes at 20.
constexpr CFirmwareFile::HeaderLayout kHeader{64, 20, 3};
constexpr uint64_t kMaskAt = 56;
constexpr uint64_t kFirstEntryAt = 98;

// An entry at E: next address at E, name length at E + 4, the name from
// E + 5; the fields after the name count from P = E + 5 + length.
constexpr uint64_t kNextAt = 0;
constexpr uint64_t kNameLenAt = 4;
constexpr uint64_t kEntryNameAt = 5;
constexpr uint64_t kSetpCodeAt = 1;
constexpr uint64_t kTypeAt = 2;
constexpr uint64_t kVarAdrAt = 4;
constexpr uint64_t kValueAt = 8;
constexpr uint64_t kDataAt = 12;
// The flags word in the variable's block at V.
constexpr uint64_t kFlagsInBlock = 12;
// Type data from P + 12: numbers, state texts.
constexpr uint64_t kDigitsAt = 0;
constexpr uint64_t kDecimalsAt = 1;
constexpr uint64_t kLowerAt = 2;
constexpr uint64_t kUpperAt = 6;
constexpr uint64_t kLastStateAt = 0;
constexpr uint64_t kStateAdrsAt = 2;
constexpr uint64_t kStateAdrStep = 4;

constexpr size_t kMaxNameLen = 16;
constexpr size_t kMaxHexBytes = 40;
constexpr int kCountedHexFeature = 61;
constexpr int kSoftkeyRowLast = 255;
constexpr uint8_t kTimeSwitchWidth = 16;

uint8_t FirmwareSetpKindOf(uint8_t code)
{
    return code == 1 ? 2 : (code == 2 ? 3 : 1);
}

bool IsSoftkeyRow(std::string_view name)
{
    return name == "[Z084]" || name == "[Z085]";
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// Day names and day ranges become the catalogue's texts; "TIMER n" at its
// own index n (0..9) becomes the catalogue's time-switch name with n.
std::string ReplaceStateText(const std::string& text, unsigned index)
{
    struct Subst {
        std::string_view text;
        uint16_t id;
        bool padded; // also with three trailing blanks
    };
    static constexpr Subst kSubsts[] = {
        {"MO", 741, true},     {"DI", 742, true},     {"MI", 743, true},     {"DO", 744, true},
        {"FR", 745, true},     {"SA", 746, true},     {"SO", 747, true},     {"MO-FR", 750, false},
        {"MO-SA", 751, false}, {"SA-SO", 752, false}, {"MO-SO", 749, false},
    };
    for (const Subst& s : kSubsts)
        if (text == s.text || (s.padded && text == std::string(s.text) + "   "))
            return ResourceTXT(s.id);
    if (index <= 9 && Upper(text) == "TIMER " + std::to_string(index))
        return std::string(std::string_view(ResourceTXT(res::kZeitschaltuhr_748)).substr(0, 15)) + std::to_string(index);
    return text;
}

} // namespace

struct CFirmware::Entry {
    uint32_t next = 0;
    std::string name;
    uint8_t setpKind = 1;
    uint16_t type = 0;
    uint32_t varAdr = 0;
    uint32_t value = 0;
    uint16_t flags = 0;
    uint64_t data = 0; // file offset of the type data
};

CFirmware::CFirmware(const std::string& path, PrjBundle* bundle) : CFirmwareFile(path, bundle, kHeader) {}

bool CFirmware::ToOffset(uint32_t adr, uint64_t& offset)
{
    if (adr < kLoadAdr)
        return false;
    offset = adr - kLoadAdr;
    return true;
}

bool CFirmware::IsValid() const
{
    uint16_t magic = 0;
    return CfgReady() && Word(kMagicAt, magic) && magic == kMagic;
}

bool CFirmware::NameMatches() const
{
    std::string stored;
    return CfgReady() && Block(kNameAt, kFileNameField, stored) && CutAtBlank(stored) == Cfg()->FrmFileName();
}

std::string CFirmware::DateText(const std::string& bytes) const
{
    return HexStampText(bytes);
}

void CFirmware::ReadVarChain()
{
    if (!PrjReady())
        return;
    uint32_t adr = 0;
    if (!ReadMask(kMaskAt) || !DWord(kFirstEntryAt, adr))
        return Fail();
    // A damaged image may link its entries into a ring.
    std::unordered_set<uint64_t> visited;
    while (adr != 0) {
        uint64_t at = 0;
        Entry entry;
        if (!ToOffset(adr, at) || !visited.insert(at).second || !ReadEntry(at, entry))
            return Fail();
        bool ok = true;
        auto var = MakeVar(entry, ok);
        if (!ok)
            return Fail();
        Insert(std::move(var), entry.type == 249);
        adr = entry.next;
    }
}

bool CFirmware::ReadEntry(uint64_t at, Entry& e) const
{
    uint8_t nameLen = 0;
    std::string name;
    if (!DWord(at + kNextAt, e.next) || !Byte(at + kNameLenAt, nameLen) || !Block(at + kEntryNameAt, nameLen, name))
        return false;
    e.name = name.substr(0, kMaxNameLen);
    const uint64_t p = at + kEntryNameAt + nameLen;
    uint8_t setpCode = 0;
    if (!Byte(p + kSetpCodeAt, setpCode) || !Word(p + kTypeAt, e.type) || !DWord(p + kVarAdrAt, e.varAdr) ||
        !DWord(p + kValueAt, e.value))
        return false;
    e.setpKind = FirmwareSetpKindOf(setpCode);
    e.data = p + kDataAt;
    if (e.varAdr == 0)
        return true;
    uint64_t block = 0;
    return ToOffset(e.varAdr, block) && Word(block + kFlagsInBlock, e.flags);
}

std::unique_ptr<CPrjVar> CFirmware::MakeVar(const Entry& e, bool& ok) const
{
    const auto first = static_cast<int32_t>(e.varAdr);
    const auto setting = static_cast<int32_t>(e.value);
    const auto type = static_cast<uint8_t>(e.type);
    switch (e.type) {
    case 134:
    case 135: {
        uint8_t digits = 0;
        uint8_t decimals = 0;
        uint32_t lower = 0;
        uint32_t upper = 0;
        ok = Byte(e.data + kDigitsAt, digits) && Byte(e.data + kDecimalsAt, decimals) &&
             DWord(e.data + kLowerAt, lower) && DWord(e.data + kUpperAt, upper);
        return std::make_unique<CPrjIntVarNum>(e.name, e.flags, e.setpKind, type, first, setting, digits, decimals,
                                               static_cast<int32_t>(lower), static_cast<int32_t>(upper));
    }
    case 142:
    case 154:
        return MakeStrVar(e, ok);
    case 249: {
        std::string hex;
        ok = ReadHexText(e.data, hex);
        return std::make_unique<CPrjIntVarHex>(e.name, e.flags, e.setpKind, type, first, setting, hex);
    }
    case 250:
        return std::make_unique<CPrjIntVarW8>(e.name, -1, e.flags, e.setpKind, type, first, setting);
    case 251:
    case 255: {
        uint16_t value = 0;
        ok = Word(e.data, value);
        if (e.type == 251)
            return std::make_unique<CPrjIntVarByte>(e.name, -1, e.flags, e.setpKind, type, first, setting,
                                                    static_cast<uint8_t>(value));
        return std::make_unique<CPrjIntVarW40>(e.name, e.flags, e.setpKind, type, first, setting, value);
    }
    case 252:
    case 253:
    case 254:
        return std::make_unique<CPrjIntVarW17>(e.name, e.flags, e.setpKind, type, first, setting);
    default:
        return nullptr;
    }
}

std::unique_ptr<CPrjVar> CFirmware::MakeStrVar(const Entry& e, bool& ok) const
{
    auto var = std::make_unique<CPrjIntVarStr>(e.name, e.flags, e.setpKind, static_cast<uint8_t>(e.type),
                                               static_cast<int32_t>(e.varAdr), static_cast<int32_t>(e.value),
                                               Prj()->GetTextPool());
    uint16_t last = 0;
    ok = Word(e.data + kLastStateAt, last);
    if (!ok)
        return var;
    if (IsSoftkeyRow(e.name)) {
        var->SetTxtCount(kSoftkeyRowLast);
        for (int i = 0; i <= kSoftkeyRowLast; ++i)
            var->SetStateTxt(i, " ");
        return var;
    }
    var->SetTxtCount(last);
    for (int i = 0; i <= var->MaxStateIdx(); ++i) {
        uint32_t adr = 0;
        ok = DWord(e.data + kStateAdrsAt + kStateAdrStep * static_cast<uint64_t>(i), adr);
        if (!ok)
            return var;
        if (adr == 0)
            continue;
        uint64_t at = 0;
        std::string text;
        ok = ToOffset(adr, at) && CountedText(at, text);
        if (!ok)
            return var;
        var->SetStateTxt(i, ReplaceStateText(text, static_cast<unsigned>(i)).c_str());
    }
    if (e.name == "[Z022]")
        var->SetWidth(kTimeSwitchWidth);
    return var;
}

bool CFirmware::ReadHexText(uint64_t at, std::string& hex) const
{
    std::string bytes;
    if (HasFeature(kCountedHexFeature)) {
        uint8_t count = 0;
        if (!Byte(at, count) || !Block(at + 1, std::min<size_t>(count, kMaxHexBytes), bytes))
            return false;
    } else {
        for (size_t i = 0; i < kMaxHexBytes; ++i) {
            uint8_t b = 0;
            if (!Byte(at + i, b))
                return false;
            if (b == 0)
                break;
            bytes += static_cast<char>(b);
        }
    }
    hex = HexDigits(bytes);
    return true;
}

} // namespace orv
