// Decodes the 706 family variable records; a chain that loops or leaves the image
// is an error, never an endless walk.
#include "image/decompile/Deco706.h"
#include "image/codec/BinIo.h"
#include "image/compile/CompParts.h"
#include "image/codec/ImgLayout.h"

#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "model/project/VarType.h"

#include <set>

namespace orv {

using namespace imglayout;

namespace {

// Offsets in a variable record's data part.
constexpr uint32_t kFormat = 0;
constexpr uint32_t kSetpCode = 1;
constexpr uint32_t kType = 2;
constexpr uint32_t kValue = 8;
constexpr uint32_t kTail = 12;

constexpr uint32_t kReplacesTexts = 0x80000000u;  // flag of an internal variable
constexpr size_t kHexMax = 40;

// The PLC data words a type of ordinary variable uses; 0 for types the
// panel does not know.
int WordsOf(uint16_t type)
{
    using namespace vartype;
    switch (type) {
    case kBcd1: case kBin1: case kBin01: case kBinA: case kBin0A: case kBit: case kString: case kVbin1: case kVbin01:
    case kVbinA: case kVbin0A: case kCString: case kBcd01: case kWordPlain: case kWord: case kAscii: case kTimer:
        return 1;
    case kBin2: case kBin02: case kBinB: case kBin0B: case kBcd2: case kVbin2: case kVbin02: case kVbinB: case kVbin0B:
    case kBcd02:
        return 2;
    default:
        return 0;
    }
}

} // namespace

StepResult CDeco706::DecodeVars()
{
    uint32_t rec = 0;
    if (ReadPointer(kCVarFirst, rec) != 1)
        return -1;
    std::set<uint32_t> seen;
    while (rec != 0) {
        // A chain that comes back to a record would never end.
        if (!seen.insert(rec).second)
            return -1;
        uint32_t next = 0;
        if (DecodeVar(rec, next) != 1)
            return -1;
        rec = next;
    }
    return 1;
}

StepResult CDeco706::DecodeVar(uint32_t rec, uint32_t& next)
{
    VarHead head;
    uint8_t b[kTail];
    if (ReadDWord(rec, next) != 1 || ReadCountedName(rec + 4, head.name, head.q) != 1 ||
        ReadBlock(head.q, b, sizeof b) != 1)
        return -1;
    head.format = b[kFormat];
    head.setpKind = SetpCode706::Decode(b[kSetpCode]);
    head.type = static_cast<uint16_t>(GetBigEndian(b + kType, 2));
    head.value = GetBigEndian(b + kValue, 4);
    if (head.type >= CPrjVar::kFirstIntType)
        return ApplyIntVar(head);
    const int words = WordsOf(head.type);
    if (words == 0) {
        Count(DecoKind::Vars);
        return 1;
    }
    // A PLC data word beyond a word cannot be set up.
    if (head.value > 0xFFFF)
        return -1;
    if (CheckWordAddrs(static_cast<uint16_t>(head.value), static_cast<uint16_t>(words)) != 1)
        return -1;
    std::unique_ptr<CPrjVar> var;
    if (BuildVar(head, var) != 1) {
        DiscardVar(var);
        return -1;
    }
    var->SetAttr32(head.q);
    CPrjVar* built = var.get();
    if (InsertVar(var) != 1)
        return -1;
    m_sps->UseItem(*built);
    Count(DecoKind::Vars);
    return 1;
}

StepResult CDeco706::BuildVar(const VarHead& head, std::unique_ptr<CPrjVar>& var)
{
    CTextPool* pool = m_prj->GetTextPool();
    const auto adr = static_cast<int16_t>(head.value);
    const uint32_t p = head.q + kTail;
    const auto type = static_cast<uint8_t>(head.type);
    switch (type) {
    case vartype::kBcd1:
    case vartype::kBcd2:
    case vartype::kBcd01:
    case vartype::kBcd02: {
        uint8_t digits = 0;
        uint32_t lower = 0;
        uint32_t upper = 0;
        if (ReadByte(p, digits) != 1 || ReadDWord(p + 2, lower) != 1 || ReadDWord(p + 6, upper) != 1)
            return -1;
        var = std::make_unique<CPrjVarBcd>(head.name, adr, head.setpKind, type, digits,
                                           static_cast<int32_t>(lower), static_cast<int32_t>(upper), 0);
        return 1;
    }
    case vartype::kBit: {
        uint16_t mask = 0;
        if (ReadWord(p, mask) != 1)
            return -1;
        var = std::make_unique<CPrjVarBit>(head.name, adr, head.setpKind, type, BitMaskWord::Decode(mask), pool);
        return ReadStateTexts(*var, p + 2, 2);
    }
    case vartype::kString:
    case vartype::kCString: {
        uint16_t highest = 0;
        if (ReadWord(p, highest) != 1)
            return -1;
        auto str = std::make_unique<CPrjVarString>(head.name, adr, head.setpKind, type, pool);
        // A fresh variable has no text slots yet, not even for a highest
        // index of 0.
        str->SetTxtCount(CPrjVarString::kMaxStateIdx);
        str->SetTxtCount(highest);
        // More texts than the variable holds cannot come from a project.
        if (str->MaxStateIdx() != highest)
            return -1;
        var = std::move(str);
        return ReadStateTexts(*var, p + 2, highest + 1);
    }
    case vartype::kWordPlain:
    case vartype::kWord: {
        uint16_t form = 0;
        if (type == vartype::kWord && ReadWord(p, form) != 1)
            return -1;
        var = std::make_unique<CPrjVarWord>(head.name, adr, head.setpKind, vartype::kWord, FormWord706::Decode(form));
        return 1;
    }
    case vartype::kAscii: {
        const auto words = static_cast<uint8_t>(head.format / 2);
        if (CheckWordAddrs(static_cast<uint16_t>(head.value), words) != 1)
            return -1;
        var = std::make_unique<CPrjVarAscii>(head.name, adr, head.setpKind, type, words);
        return 1;
    }
    case vartype::kTimer:
        var = std::make_unique<CPrjVarTimer>(head.name, adr, head.setpKind, type, pool);
        return ReadStateTexts(*var, p, 4);
    default:
        return BuildScaled(head, var);
    }
}

StepResult CDeco706::BuildScaled(const VarHead& head, std::unique_ptr<CPrjVar>& var)
{
    const auto t = static_cast<uint8_t>(head.type);
    const bool vbin = t >= 18;
    const bool scaled = (t >= 2 && t <= 5) || (t >= 18 && t <= 21);
    const uint32_t p = head.q + kTail;
    uint8_t digits = 0;
    uint8_t decimals = 0;
    uint32_t lo = 0;
    uint32_t hi = 0;
    if (ReadByte(p, digits) != 1 || ReadByte(p + 1, decimals) != 1 || ReadDWord(p + 2, lo) != 1 ||
        ReadDWord(p + 6, hi) != 1)
        return -1;
    const int64_t lower = vbin ? int64_t{OffsetBinary32::Decode(lo)} : int64_t{lo};
    const int64_t upper = vbin ? int64_t{OffsetBinary32::Decode(hi)} : int64_t{hi};
    int64_t plcLower = 0;
    int64_t plcUpper = 0;
    // The double-word kinds carry no PLC range in this image.
    if (scaled) {
        uint16_t c = 0;
        uint16_t b = 0;
        int64_t d = 0;
        if (ReadWord(p + 10, c) != 1 || ReadWord(p + 12, b) != 1 || ReadSigned48(p + 14, d) != 1)
            return -1;
        if (c == 0)
            return -1;
        plcLower = (int64_t{b} * lower - d) / c;
        plcUpper = (int64_t{b} * upper - d) / c;
        if (!vbin) {
            plcLower = static_cast<uint16_t>(plcLower);
            plcUpper = static_cast<uint16_t>(plcUpper);
        }
    }
    const auto adr = static_cast<int16_t>(head.value);
    if (vbin)
        var = std::make_unique<CPrjVarVbin>(head.name, adr, head.setpKind, t, digits, decimals,
                                            static_cast<int32_t>(lower), static_cast<int32_t>(upper),
                                            static_cast<int32_t>(plcLower), static_cast<int32_t>(plcUpper));
    else
        var = std::make_unique<CPrjVarBin>(head.name, adr, head.setpKind, t, digits, decimals,
                                           static_cast<int32_t>(lower), static_cast<int32_t>(upper),
                                           static_cast<int32_t>(plcLower), static_cast<int32_t>(plcUpper));
    return 1;
}

StepResult CDeco706::ApplyIntVar(const VarHead& head)
{
    CPrjVar* var = FindVar(head.name);
    if (var == nullptr) {
        SetErrName(head.name);
        SetError(kErrIntVar);
        return -1;
    }
    var->SetAttr32(head.q);
    Count(DecoKind::Vars);
    if (var->GetType() != head.type)
        return 1;
    const auto value = static_cast<int32_t>(head.value);
    const uint32_t p = head.q + kTail;
    const std::string& name = head.name;
    switch (head.type) {
    case 134:
    case 135:
        if (value < var->GetExtWord4() || value > var->GetExtWord5())
            return 1;
        if (name == "[Z005]" || name == "[Z006]") {
            m_prj->SetCycleTime(static_cast<uint16_t>(value));
            return 1;
        }
        var->SetExtWord1(value);
        if (name == "[Z100]")
            m_prj->SetPrnStatusPos(static_cast<uint16_t>(value));
        return 1;
    case 142:
    case 154: {
        if (head.value <= static_cast<uint32_t>(var->MaxStateIdx())) {
            const auto v = static_cast<uint8_t>(value);
            if (name == "[Z027]")
                m_prj->SetPrnBaud(v);
            else if (name == "[Z028]")
                m_prj->SetPrnParity(v);
            else if (name == "[Z029]")
                m_prj->SetPrnDataBits(v);
            else if (name == "[Z030]")
                m_prj->SetPrnStopBits(v);
            else if (name == "[Z031]")
                m_prj->SetPrnIfc(v);
            else
                var->SetExtWord1(value);
        }
        if ((var->GetFlags() & kReplacesTexts) == 0)
            return 1;
        uint16_t highest = 0;
        if (ReadWord(p, highest) != 1)
            return -1;
        return ReadStateTexts(*var, p + 2, std::min<int>(highest, var->MaxStateIdx()) + 1);
    }
    case 249: {
        auto* hex = dynamic_cast<CPrjIntVarHex*>(var);
        if (hex == nullptr)
            return 1;
        uint32_t at = p;
        uint8_t count = kHexMax;
        if (BitTest(kFeatHexVars)) {
            std::string skipped;
            if (ReadString(at, kHexMax, false, skipped) != 1)
                return -1;
            at += static_cast<uint32_t>(skipped.size()) + 1;
            if (ReadByte(at++, count) != 1)
                return -1;
            count = std::min<uint8_t>(count, kHexMax);
        }
        std::string bytes;
        for (uint8_t i = 0; i < count; ++i) {
            uint8_t byte = 0;
            if (ReadByte(at + i, byte) != 1)
                return -1;
            if (byte == 0 && !BitTest(kFeatHexVars))
                break;
            bytes += static_cast<char>(byte);
        }
        hex->SetHexText(HexDigits(bytes));
        return 1;
    }
    case 251: {
        uint16_t mode = 0;
        if (ReadWord(p, mode) != 1)
            return -1;
        m_prj->SetDateMode(FormWord706::Decode(mode));
        return 1;
    }
    default:
        return 1;
    }
}

StepResult CDeco706::ReadStateTexts(CPrjVar& var, uint32_t table, int count)
{
    for (int i = 0; i < count; ++i) {
        uint32_t at = 0;
        if (ReadPointer(table + 4 * static_cast<uint32_t>(i), at) != 1)
            return -1;
        if (at == 0)
            continue;
        std::string text;
        if (ReadVarText(at, text) != 1)
            return -1;
        var.SetStateTxt(i, text.c_str());
        Count(DecoKind::VarTexts);
    }
    return 1;
}

StepResult CDeco706::ReadVarText(uint32_t at, std::string& text)
{
    uint8_t n = 0;
    uint8_t bytes[kTextMax];
    if (ReadByte(at, n) != 1)
        return -1;
    n = std::min<uint8_t>(n, kTextMax);
    if (ReadBlock(at + 1, bytes, n) != 1)
        return -1;
    text = PanelText(bytes, n);
    return 1;
}

std::string CDeco706::PanelText(const uint8_t* bytes, size_t n) const
{
    std::string text;
    for (size_t i = 0; i < n; ++i) {
        if (const int blanks = BlankCount706::Decode(bytes[i], MaxBlankCount()))
            text.append(static_cast<size_t>(blanks), ' ');
        else
            text += static_cast<char>(PanelChar(bytes[i]));
    }
    return text;
}

} // namespace orv
