// Decodes the 043 and 118 family variable records into the project's variable list;
// chains are walked with a guard against loops.
#include "image/decompile/Deco043_118.h"
#include "image/codec/ImgLayout.h"

#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "model/project/VarType.h"

#include <cstring>
#include <set>

namespace orv {

namespace {

// The project type, word count and word display form of a panel type code.
struct TypeMap {
    bool known = false;
    uint8_t type = 0;
    uint8_t words = 0;
    uint8_t form = 0;
};

TypeMap MapType(uint8_t code)
{
    if (code == 0 || (code >= 2 && code <= 5) || code == 12 || code == 14 || (code >= 18 && code <= 21) ||
        code == 26 || code == 28 || code == 34)
        return {true, code, 1, 0};
    if ((code >= 6 && code <= 9) || code == 16 || (code >= 22 && code <= 25) || code == 30)
        return {true, code, 2, 0};
    switch (code) {
    case imglayout::ImageTypeByte::kWordKm: return {true, vartype::kWord, 1, 0};
    case imglayout::ImageTypeByte::kWordKh: return {true, vartype::kWord, 1, 1};
    case imglayout::ImageTypeByte::kWordKy: return {true, vartype::kWord, 1, 2};
    case imglayout::ImageTypeByte::kTimer: return {true, vartype::kTimer, 1, 0};
    case imglayout::ImageTypeByte::kStateSelect: return {true, vartype::kIntSString, 0, 0};
    default: return {};
    }
}

constexpr uint16_t kLastRecord = 0x9FFF;
constexpr size_t kNameWidth = imglayout::kVarNameSize;
constexpr int kMaxSuffix = 99;
constexpr uint32_t kIntVarFlags = 0x33FB;
// The PLC range that 118 family gives double-word kinds without scaling.
constexpr int64_t kBinPlcUpper = 0xFFFF;
constexpr int64_t kVbinPlcUpper = 0x7FFF;

} // namespace

StepResult CDeco043_118::DecodeVars()
{
    uint16_t rec = 0;
    if (ReadWord(imglayout::kHdrVarChain, rec) != 1)
        return -1;
    int nameMode = HasSignature() ? 1 : 0;
    std::set<uint16_t> seen;
    while (rec != 0 && rec <= kLastRecord) {
        // A chain that comes back to a record would never end.
        if (!seen.insert(rec).second)
            return -1;
        uint16_t next = 0;
        if (DecodeVar(rec, nameMode, next) != 1)
            return -1;
        rec = next;
    }
    return 1;
}

StepResult CDeco043_118::DecodeVar(uint32_t rec, int& nameMode, uint16_t& next)
{
    uint8_t h[7];
    if (ReadBlock(rec, h, sizeof h) != 1)
        return -1;
    BeReader fields(h, sizeof h);
    next = fields.U16(0);
    const uint16_t namePtr = fields.U16(2);
    const auto tb = imglayout::ImageTypeByte::Decode(h[5]);
    const TypeMap map = MapType(tb.code);
    if (tb.setpKind == 0 || !map.known)
        return -1;
    VarHead head;
    head.attr = h[4];
    head.adr = h[6];
    head.setpKind = tb.setpKind;
    head.type = map.type;
    head.form = map.form;
    if (CheckWordAddrs(head.adr, map.words) != 1)
        return -1;
    if (ReadVarName(namePtr, h + 2, nameMode, head.name) != 1)
        return -1;
    if (head.name != "[Z084]" && head.name != "[Z085]" && UniqueName(head.name) != 1)
        return -1;

    const uint32_t payload = rec + 7;
    CPrjVar* reused = nullptr;
    std::unique_ptr<CPrjVar> var;
    const int built = head.type == 144 ? ReuseOrBuildIntVar(payload, head, reused, var)
                                       : BuildVar(payload, head, var);
    if (built != 1) {
        DiscardVar(var);
        return -1;
    }
    CPrjVar* target = reused ? reused : var.get();
    target->SetSetpKind(head.setpKind);
    target->SetType(head.type);
    if (var && InsertVar(var) != 1)
        return -1;
    m_sps->UseItem(*target);
    target->SetAttr32(rec);
    Count(DecoKind::Vars);
    return 1;
}

StepResult CDeco043_118::ReadVarName(uint16_t namePtr, const uint8_t* nameBytes, int& nameMode, std::string& name)
{
    if (nameMode == 0 && namePtr == 0)
        nameMode = 2;
    if (nameMode == 1) {
        name.assign(reinterpret_cast<const char*>(nameBytes), 2);
        return 1;
    }
    if (nameMode == 2) {
        NameLetterCounter();
        name = GeneratedName();
        return 1;
    }
    char bytes[kNameWidth];
    if (ReadBlock(namePtr, bytes, kNameWidth) != 1)
        return -1;
    name.assign(bytes, strnlen(bytes, kNameWidth));
    return 1;
}

StepResult CDeco043_118::UniqueName(std::string& name) const
{
    const CPrjVarList* list = m_prj->GetVarList();
    if (list == nullptr || list->FindByName(std::string_view(name)) == nullptr)
        return 1;
    for (int j = 1; j <= kMaxSuffix; ++j) {
        const std::string number = std::to_string(j);
        const std::string candidate = name.size() + number.size() > kNameWidth
                                          ? name.substr(0, kNameWidth - number.size()) + number
                                          : name + number;
        if (list->FindByName(std::string_view(candidate)) == nullptr) {
            name = candidate;
            return 1;
        }
    }
    // Every candidate is taken: the list would refuse the variable.
    return -1;
}

StepResult CDeco043_118::BuildVar(uint32_t p, const VarHead& head, std::unique_ptr<CPrjVar>& var)
{
    CTextPool* pool = m_prj->GetTextPool();
    const auto adr = static_cast<int16_t>(head.adr);
    switch (head.type) {
    case vartype::kBcd1:
    case vartype::kBcd01:
    case vartype::kBcd2:
    case vartype::kBcd02: {
        const bool wide = head.type == 16 || head.type == 30;
        uint32_t lower = 0;
        uint32_t upper = 0;
        uint8_t flag = 0;
        if (wide) {
            if (ReadDWord(p + 4, lower) != 1 || ReadDWord(p + 8, upper) != 1)
                return -1;
        } else {
            uint16_t lo = 0;
            uint16_t hi = 0;
            if (ReadWord(p + 2, lo) != 1 || ReadWord(p + 4, hi) != 1)
                return -1;
            lower = lo;
            upper = hi;
        }
        if (BitTest(0) && ReadByte(p + (wide ? 12 : 6), flag) != 1)
            return -1;
        var = std::make_unique<CPrjVarBcd>(head.name, adr, head.setpKind, head.type, head.attr,
                                           static_cast<int32_t>(HexDigitsAsDecimal(lower)),
                                           static_cast<int32_t>(HexDigitsAsDecimal(upper)), flag);
        return 1;
    }
    case vartype::kBit: {
        uint16_t mask = 0;
        if (ReadWord(p, mask) != 1)
            return -1;
        var = std::make_unique<CPrjVarBit>(head.name, adr, head.setpKind, head.type,
                                           imglayout::BitMaskWord::Decode(mask), pool);
        return ReadStateTexts(*var, p + 2, 2);
    }
    case vartype::kString:
    case vartype::kCString: {
        uint8_t highest = 0;
        if (ReadByte(p, highest) != 1)
            return -1;
        auto str = std::make_unique<CPrjVarString>(head.name, adr, head.setpKind, head.type, pool);
        str->SetTxtCount(highest);
        var = std::move(str);
        return ReadStateTexts(*var, p + 1, highest + 1);
    }
    case vartype::kWord:
        var = std::make_unique<CPrjVarWord>(head.name, adr, head.setpKind, head.type, head.form);
        return 1;
    case vartype::kAscii: {
        const auto words = static_cast<uint8_t>(head.attr / 2);
        if (CheckWordAddrs(head.adr, words) != 1)
            return -1;
        var = std::make_unique<CPrjVarAscii>(head.name, adr, head.setpKind, head.type, words);
        return 1;
    }
    case vartype::kTimer:
        var = std::make_unique<CPrjVarTimer>(head.name, adr, head.setpKind, head.type, pool);
        return ReadStateTexts(*var, p, 4);
    default:
        return BuildScaled(p, head, var);
    }
}

StepResult CDeco043_118::BuildScaled(uint32_t p, const VarHead& head, std::unique_ptr<CPrjVar>& var)
{
    const uint8_t t = head.type;
    const bool vbin = t >= 18;
    const bool twoWords = (t >= 6 && t <= 9) || t >= 22;
    uint8_t digits = 0;
    uint8_t decimals = 0;
    uint32_t lo = 0;
    uint32_t hi = 0;
    if (ReadByte(p, digits) != 1 || ReadByte(p + 1, decimals) != 1 || ReadDWord(p + 2, lo) != 1 ||
        ReadDWord(p + 6, hi) != 1)
        return -1;
    // Unsigned kinds keep their limits as 32-bit unsigned numbers, as the
    // scaling terms were computed from them.
    const int64_t lower = vbin ? int64_t{imglayout::OffsetBinary32::Decode(lo)} : int64_t{lo};
    const int64_t upper = vbin ? int64_t{imglayout::OffsetBinary32::Decode(hi)} : int64_t{hi};
    int64_t plcLower = 0;
    int64_t plcUpper = 0;
    if (!twoWords) {
        if (ReadPlcLimits(p, vbin, true, lower, upper, plcLower, plcUpper) != 1)
            return -1;
        plcLower = vbin ? int64_t{static_cast<int16_t>(plcLower)} : int64_t{static_cast<uint16_t>(plcLower)};
        plcUpper = vbin ? int64_t{static_cast<int16_t>(plcUpper)} : int64_t{static_cast<uint16_t>(plcUpper)};
    } else if (Is118Family() && m_prj->GetDWordVars() != 0) {
        // The PLC range of the double-word kinds is 32 bits wide.
        if (ReadPlcLimits(p, vbin, false, lower, upper, plcLower, plcUpper) != 1)
            return -1;
    } else if (Is118Family()) {
        plcUpper = vbin ? kVbinPlcUpper : kBinPlcUpper;
    }
    const auto adr = static_cast<int16_t>(head.adr);
    const auto i32 = [](int64_t v) { return static_cast<int32_t>(v); };
    if (vbin)
        var = std::make_unique<CPrjVarVbin>(head.name, adr, head.setpKind, t, digits, decimals, i32(lower), i32(upper),
                                            i32(plcLower), i32(plcUpper));
    else
        var = std::make_unique<CPrjVarBin>(head.name, adr, head.setpKind, t, digits, decimals, i32(lower), i32(upper),
                                           i32(plcLower), i32(plcUpper));
    return 1;
}

StepResult CDeco043_118::ReadPlcLimits(uint32_t p, bool isSigned, bool words, int64_t lower, int64_t upper, int64_t& plcLower,
                           int64_t& plcUpper)
{
    uint32_t c = 0;
    uint32_t b = 0;
    uint32_t d = p + 14;
    if (words) {
        uint16_t c16 = 0;
        uint16_t b16 = 0;
        if (ReadWord(p + 10, c16) != 1 || ReadWord(p + 12, b16) != 1)
            return -1;
        c = c16;
        b = b16;
    } else {
        if (ReadDWord(p + 10, c) != 1 || ReadDWord(p + 14, b) != 1)
            return -1;
        d = p + 18;
    }
    // Dword spans make products beyond 64 bits.
    __int128 sub = 0;
    __int128 add = 0;
    if (isSigned) {
        int64_t value = 0;
        if (ReadSigned48(d, value) != 1)
            return -1;
        sub = value;
    } else {
        uint8_t terms[12];
        if (ReadBlock(d, terms, sizeof terms) != 1)
            return -1;
        BeReader values(terms, sizeof terms);
        sub = values.U48(0);
        add = values.U48(6);
    }
    if (c == 0)
        return -1;
    plcLower = static_cast<int64_t>((add + __int128{b} * lower - sub) / c);
    plcUpper = static_cast<int64_t>((add + __int128{b} * upper - sub) / c);
    return 1;
}

StepResult CDeco043_118::ReuseOrBuildIntVar(uint32_t p, const VarHead& head, CPrjVar*& reused,
                                 std::unique_ptr<CPrjVar>& var)
{
    CPrjIntVarStr* target = nullptr;
    if (CPrjVar* existing = m_prj->GetVarList()->FindByName(std::string_view(head.name))) {
        target = dynamic_cast<CPrjIntVarStr*>(existing);
        // A name taken by another kind cannot carry the texts.
        if (target == nullptr)
            return -1;
        reused = existing;
    } else {
        auto fresh = std::make_unique<CPrjIntVarStr>(head.name, kIntVarFlags, 1, 144, 0, 0, m_prj->GetTextPool());
        fresh->SetAdr(-1);
        target = fresh.get();
        var = std::move(fresh);
    }
    uint8_t highest = 0;
    if (ReadByte(p, highest) != 1)
        return -1;
    target->SetTxtCount(highest);
    target->SetMaxWidth(head.attr);
    if (ReadStateTexts(*target, p + 1, highest + 1) != 1)
        return -1;
    // The texts set the width to their own; the record keeps the one shown.
    target->SetWidth(head.attr);
    return 1;
}

StepResult CDeco043_118::ReadStateTexts(CPrjVar& var, uint32_t table, int count)
{
    for (int i = 0; i < count; ++i) {
        uint16_t at = 0;
        std::string text;
        if (ReadWord(table + 2 * static_cast<uint32_t>(i), at) != 1 || ReadCounted(at, text) != 1)
            return -1;
        var.SetStateTxt(i, text.c_str());
        Count(DecoKind::VarTexts);
    }
    return 1;
}

StepResult CDeco043_118::ReadCounted(uint32_t at, std::string& text)
{
    uint8_t n = 0;
    char bytes[255];
    if (ReadByte(at, n) != 1 || ReadBlock(at + 1, bytes, n) != 1)
        return -1;
    text.clear();
    for (uint8_t i = 0; i < n; ++i)
        text += static_cast<char>(PanelChar(static_cast<uint8_t>(bytes[i])));
    return 1;
}

} // namespace orv
