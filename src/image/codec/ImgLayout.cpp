// Encoders and decoders of the data-set image's shared fields, per family, with
// the firmware facts taken from the panel table.
#include "image/codec/ImgLayout.h"

#include "image/codec/ImageBuffer.h"
#include "model/project/PanelTable.h"
#include "model/project/VarType.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace orv {

namespace imglayout {

bool HasATextSlot(int32_t num) { return num >= 0 && num <= kATextNumMax; }
bool HasAMnuSlot(int32_t num) { return num >= kAMnuNumMin && num <= kAMnuNumMax; }
bool HasAUserCharSlot(int32_t code) { return code >= 0 && code <= kAUserCharMax; }

uint32_t AHlpSlot(int list)
{
    const int slot = list == 6 ? 0 : list;
    return kAHlpSlots + 2u * static_cast<uint32_t>(slot);
}

uint64_t ReservedLength(uint64_t length, uint32_t n, BlockRule rule)
{
    length += length & 1u;
    if (length / rule.block == (length + n + rule.margin) / rule.block)
        return length;
    length = (length / rule.block + 1) * rule.block;
    return length + (length & 1u);
}

void SetFlagBit4(std::array<uint8_t, 4>& flags, unsigned bit)
{
    if (bit < 32)
        flags[3 - bit / 8] = static_cast<uint8_t>(flags[3 - bit / 8] | (1u << (bit % 8)));
}

void SetFlagBit8(std::array<uint8_t, 8>& flags, unsigned bit)
{
    if (bit < 64)
        flags[7 - bit / 8] = static_cast<uint8_t>(flags[7 - bit / 8] | (1u << (bit % 8)));
}

uint32_t OffsetBinary32::Encode(int32_t value)
{
    return static_cast<uint32_t>(static_cast<int64_t>(value) + 0x80000000LL);
}

int32_t OffsetBinary32::Decode(uint32_t stored)
{
    return static_cast<int32_t>(static_cast<int64_t>(stored) - 0x80000000LL);
}

uint32_t Bcd::Encode(int64_t value)
{
    if (value < 0)
        return 0;
    uint32_t bcd = 0;
    for (int digit = 0; digit < 8; ++digit) {
        bcd |= static_cast<uint32_t>(value % 10) << (4 * digit);
        value /= 10;
    }
    return bcd;
}

uint16_t Bcd::EncodeWord(int64_t value) { return static_cast<uint16_t>(Encode(value)); }

uint32_t Bcd::Decode(uint32_t bcd)
{
    uint32_t value = 0;
    uint32_t place = 1;
    for (int digit = 0; digit < 8; ++digit) {
        value += ((bcd >> (4 * digit)) & 0xF) * place;
        place *= 10;
    }
    return value;
}

uint16_t BcdMask::Encode(uint8_t digits)
{
    switch (digits) {
    case 1: return 15;
    case 2: return 255;
    case 3: return 4095;
    case 4: return 65535;
    default: return 0;
    }
}

std::array<uint16_t, 2> BcdMaskPair::Encode(uint8_t digits)
{
    if (digits >= 1 && digits <= 4)
        return {0, BcdMask::Encode(digits)};
    if (digits >= 5 && digits <= 8)
        return {BcdMask::Encode(static_cast<uint8_t>(digits - 4)), 65535};
    return {0, 0};
}

uint32_t BitMaskWord::Decode(uint16_t mask)
{
    uint32_t bit = 16;
    for (uint32_t n = 0; n < 16; ++n)
        if (mask == (1u << n))
            bit = n;
    return bit;
}

std::optional<uint8_t> ImageTypeByte::CodeOf(uint8_t type, uint8_t firstTypeByte)
{
    if ((type >= 2 && type <= 9) || type == 12 || type == 14 || type == 16 || (type >= 18 && type <= 26) ||
        type == 28 || type == 30 || type == 34)
        return type;
    switch (type) {
    case vartype::kBcd1:
    case vartype::kIntW8:
    case vartype::kIntByte:
        return 0;
    case vartype::kWordPlain:
    case vartype::kWord:
    {
        static constexpr uint8_t kForms[] = {kWordKm, kWordKh, kWordKy};
        if (firstTypeByte < 3)
            return kForms[firstTypeByte];
        return std::nullopt;
    }
    case vartype::kTimer:
        return kTimer;
    case vartype::kIntSString:
        return kStateSelect;
    default:
        return std::nullopt;
    }
}

uint8_t ImageTypeByte::Encode(uint8_t setpKind, uint8_t code)
{
    uint8_t bits = 0;
    if (setpKind == 2)
        bits = 128;
    else if (setpKind == 3)
        bits = 192;
    return static_cast<uint8_t>(bits | code);
}

ImageTypeByte::Decoded ImageTypeByte::Decode(uint8_t byte)
{
    static constexpr uint8_t kSetpKinds[4] = {1, 0, 2, 3};
    return Decoded{kSetpKinds[byte >> 6], static_cast<uint8_t>(byte & 0x3F)};
}

uint8_t MsgAttrByte::Encode(uint8_t prio, uint8_t delMode)
{
    uint8_t attr = 0;
    if (prio == 3)
        attr = 2;
    else if (prio == 4)
        attr = 4;
    if (delMode == 2)
        attr |= 32;
    else if (delMode == 3)
        attr |= 64;
    else if (delMode == 4)
        attr |= 128;
    return attr;
}

MsgAttrByte::Decoded MsgAttrByte::Decode(uint8_t attr)
{
    Decoded d;
    switch (attr & 0x07) {
    case 0: d.prio = 2; break;
    case 2: d.prio = 3; break;
    case 4: d.prio = 4; break;
    default: break;
    }
    switch (attr & 0xE0) {
    case 0x00: d.delMode = 1; break;
    case 0x20: d.delMode = 2; break;
    case 0x40: d.delMode = 3; break;
    case 0x80: d.delMode = 4; break;
    default: break;
    }
    return d;
}

uint8_t SkOpByte::Encode(uint16_t op)
{
    switch (op) {
    case 1: return 2;
    case 2: return 4;
    case 3: return 8;
    default: return 0;
    }
}

uint16_t SkOpByte::Decode(uint8_t byte)
{
    if (byte & 2)
        return 1;
    if (byte & 4)
        return 2;
    if (byte & 8)
        return 3;
    return 0;
}

uint8_t SkFmtByte::Encode(uint16_t format) { return format >= 1 && format <= 3 ? static_cast<uint8_t>(format) : 1; }

std::string SkOpRecord::Encode(const SkOpRecord& rec, bool wideAdr)
{
    ImageBuffer bytes;
    if (wideAdr)
        bytes.Put4(rec.adr);
    else
        bytes.Put2(static_cast<uint16_t>(rec.adr));
    bytes.Put1(SkOpByte::Encode(rec.op));
    bytes.Put1(SkFmtByte::Encode(rec.format));
    bytes.Put2(rec.value);
    return std::string(bytes.Bytes());
}

SkOpRecord SkOpRecord::Decode(BeReader& in, uint64_t at, bool wideAdr)
{
    const uint64_t adrSize = wideAdr ? 4 : 2;
    SkOpRecord rec;
    rec.adr = wideAdr ? in.U32(at) : in.U16(at);
    rec.op = SkOpByte::Decode(in.U8(at + adrSize));
    rec.format = in.U8(at + adrSize + 1);
    rec.value = in.U16(at + adrSize + 2);
    return rec;
}

std::string RowVarRef::Encode(uint16_t address)
{
    ImageBuffer bytes;
    bytes.Put1(kFieldMark);
    bytes.Put2(address);
    return std::string(bytes.Bytes());
}

bool RowVarRef::Decode(BeReader row, uint64_t at, uint16_t& address)
{
    return row.Holds(at, kSize) && row.Get(at + 1, address);
}

void BlankRun::Encode(std::string& out, size_t blanks, bool countCoding)
{
    if (blanks == 0)
        return;
    if (!countCoding) {
        out.push_back(static_cast<char>(127 + std::min<size_t>(blanks, 128)));
        return;
    }
    while (blanks > 0) {
        const size_t count = std::min<size_t>(blanks, 7);
        out.push_back(static_cast<char>(count));
        blanks -= count;
    }
}

int BlankRun::Decode(uint8_t byte, bool countCoding)
{
    if (countCoding)
        return byte >= 1 && byte <= 7 ? byte : 0;
    return byte >= 128 ? byte - 127 : 0;
}

namespace {

uint8_t BcdByte(int value)
{
    value = std::clamp(value, 0, 99);
    return static_cast<uint8_t>(((value / 10) << 4) | (value % 10));
}

}  // namespace

ChangeStamp::Bytes ChangeStamp::Encode(const std::tm& local)
{
    return {BcdByte(local.tm_year % 100), BcdByte(local.tm_mon + 1), BcdByte(local.tm_mday),
            BcdByte(local.tm_hour),       BcdByte(local.tm_min),     BcdByte(std::min(local.tm_sec, 60))};
}

std::optional<std::string> WordHeaderFirmwareId(uint16_t devType)
{
    const PanelRow* row = FindPanel(devType);
    if (!row)
        return std::nullopt;
    switch (row->family) {
    case Family::F706:
        return "OG" + std::to_string(devType) + "0000";
    case Family::F118:
        return FirmwareId(devType, 201);
    case Family::F043:
        break;
    }
    return std::nullopt;
}

namespace {

struct FwEntry {
    uint16_t type;
    uint16_t level;
};

constexpr FwEntry kFirmware[] = {
    {14, 0},   {14, 203},  {36, 0},   {43, 0},   {43, 202},  {43, 204},  {43, 205},
    {43, 206}, {47, 0},    {47, 202}, {47, 204}, {47, 405},  {47, 406},  {47, 407},
    {47, 427}, {118, 201}, {163, 201}, {167, 201},
};

}  // namespace

std::optional<std::string> FirmwareId(uint16_t devType, uint16_t level)
{
    // A variant runs the firmware of its base.
    devType = HeldPanelOf(devType).code;
    for (const FwEntry& entry : kFirmware) {
        if (entry.type == devType && entry.level == level) {
            char id[16];
            std::snprintf(id, sizeof id, "OG%03u%03u", unsigned{devType}, unsigned{level});
            return std::string(id);
        }
    }
    return std::nullopt;
}

// ===========================================================================
// 118 family
// ===========================================================================

uint32_t BHlpSlot(int list)
{
    const int k = list <= 4 ? list : list - 1;
    return kBHlpTables + 2u * static_cast<uint32_t>(k);
}

uint32_t BVarReserve(uint8_t type, int k)
{
    switch (type) {
    case vartype::kBcd1:
    case vartype::kBcd01: return 14;
    case vartype::kBit: return 13;
    case vartype::kString:
    case vartype::kCString:
    case vartype::kSString:
    case vartype::kIntString:
    case vartype::kIntSString:
    case vartype::kIntCString: return 2u * static_cast<uint32_t>(k) + 9;
    case vartype::kBcd2:
    case vartype::kBcd02: return 20;
    case vartype::kTimer: return 15;
    default: break;
    }
    if (type >= 2 && type <= 5)
        return 33;
    if (type >= 6 && type <= 9)
        return 37;
    if (type >= 18 && type <= 21)
        return 27;
    if (type >= 22 && type <= 25)
        return 31;
    return 7;
}

std::string BWeekdaySlot::Encode(std::string_view text)
{
    const std::string_view kept = text.substr(0, kChars);
    std::string out(1, static_cast<char>(kept.size()));
    out.append(kept);
    out.push_back('\0');
    return out;
}

std::string BFrmName::Encode(std::string_view name)
{
    std::string out(name.substr(0, kBFrmNameChars));
    out.resize(kBFrmNameChars, ' ');
    out.push_back('\0');
    return out;
}

bool FitsValue48(__int128 value, bool isSigned)
{
    constexpr __int128 k48 = __int128{1} << 48;
    return isSigned ? value >= -k48 / 2 && value < k48 / 2 : value >= 0 && value < k48;
}

// === 706 family records =====================================================

std::string CountedName::Encode(std::string_view name)
{
    const size_t length = std::min<size_t>(name.size(), 253);
    const size_t count = (length + 1) | 1u;
    std::string out(1, static_cast<char>(count));
    out.append(name.substr(0, length));
    out.resize(1 + count, '\0');
    return out;
}

uint8_t SetpCode706::Encode(uint8_t setpKind) { return setpKind >= 1 && setpKind <= 3 ? setpKind - 1 : 0; }

uint8_t SetpCode706::Decode(uint8_t code) { return code == 1 || code == 2 ? code + 1 : 1; }

uint16_t MsgAttrWord::Encode(uint8_t prio, uint8_t delMode, bool alarm)
{
    const unsigned high = prio >= 2 && prio <= 4 ? prio - 2u : 0u;
    return static_cast<uint16_t>((alarm ? 0x8000u : 0u) | high << 8 | delMode);
}

MsgAttrWord::Decoded MsgAttrWord::Decode(uint16_t word)
{
    const unsigned prio = word >> 8 & 3u;
    return {static_cast<uint8_t>(prio == 1 || prio == 2 ? prio + 2 : 2), static_cast<uint8_t>(word & 0xFF),
            (word & 0x8000u) != 0};
}

uint16_t FormWord706::Encode(uint8_t form) { return form == 1 || form == 2 ? form : 0; }

uint8_t FormWord706::Decode(uint16_t word) { return word == 1 || word == 2 ? static_cast<uint8_t>(word) : 0; }

namespace {

// (byte, bit) of the pixel in row r, column k (0 leftmost) of a 706 user
// character.
struct PixelPos {
    uint8_t byte;
    uint8_t bit;
};
constexpr PixelPos kPixels706[7][5] = {
    {{1, 1}, {1, 0}, {0, 7}, {0, 6}, {0, 5}},
    {{0, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0}},
    {{2, 3}, {2, 2}, {2, 1}, {2, 0}, {1, 7}},
    {{1, 6}, {1, 5}, {1, 4}, {1, 3}, {1, 2}},
    {{3, 5}, {3, 4}, {3, 3}, {3, 2}, {3, 1}},
    {{3, 0}, {2, 7}, {2, 6}, {2, 5}, {2, 4}},
    {{4, 7}, {4, 6}, {4, 5}, {4, 4}, {4, 3}},
};

}  // namespace

UserChar706::Bytes UserChar706::Encode(const std::array<uint8_t, 8>& rows)
{
    Bytes out{};
    for (int r = 0; r < 7; ++r)
        for (int k = 0; k < 5; ++k)
            if (rows[static_cast<size_t>(r)] & (0x10u >> k)) {
                const PixelPos p = kPixels706[r][k];
                out[p.byte] = static_cast<uint8_t>(out[p.byte] | 1u << p.bit);
            }
    return out;
}

std::array<uint8_t, 8> UserChar706::Decode(const uint8_t* bytes)
{
    std::array<uint8_t, 8> rows{};
    for (int r = 0; r < 7; ++r)
        for (int k = 0; k < 5; ++k) {
            const PixelPos p = kPixels706[r][k];
            if (bytes[p.byte] & (1u << p.bit))
                rows[static_cast<size_t>(r)] = static_cast<uint8_t>(rows[static_cast<size_t>(r)] | 0x10u >> k);
        }
    return rows;
}

void BlankCount706::Add(std::string& out, bool& countOpen, uint8_t maxCount)
{
    if (countOpen && !out.empty() && static_cast<uint8_t>(out.back()) < maxCount) {
        out.back() = static_cast<char>(out.back() + 1);
        return;
    }
    out.push_back(1);
    countOpen = true;
}

int BlankCount706::Decode(uint8_t byte, uint8_t maxCount) { return byte >= 1 && byte <= maxCount ? byte : 0; }

std::optional<ReducedSpans> ReducedSpans::Encode(int64_t dspSpan, int64_t plcSpan)
{
    if (dspSpan <= 0 || plcSpan < 0)
        return std::nullopt;
    const int64_t divisor = std::gcd(dspSpan, plcSpan);
    dspSpan /= divisor;
    plcSpan /= divisor;
    if (dspSpan > UINT16_MAX || plcSpan > UINT16_MAX)
        return std::nullopt;
    return ReducedSpans{static_cast<uint16_t>(dspSpan), static_cast<uint16_t>(plcSpan)};
}

uint32_t VarReserve706(uint8_t type, size_t nameLength, int highestState)
{
    const auto name = static_cast<uint32_t>(nameLength);
    using namespace vartype;
    switch (type) {
    case kBcd1: case kBin2: case kBin02: case kBinB: case kBin0B: case kBit: case kBcd2: case kVbin2: case kVbin02:
    case kVbinB: case kVbin0B: case kBcd01: case kBcd02: case kIntBin2: case kIntBin02:
        return name + 27;
    case kBin1: case kBin01: case kBinA: case kBin0A: case kVbin1: case kVbin01: case kVbinA: case kVbin0A:
        return name + 37;
    case kString: case kCString: case kIntString: case kIntCString:
        return name + 4u * static_cast<uint32_t>(std::max(highestState, 0)) + 23;
    case kWordPlain: case kAscii: case kIntW8: case kIntW17A: case kIntW17B: case kIntW17C:
        return name + 17;
    case kWord: case kTimer: case kIntByte: case kIntW40:
        return name + 33;
    default:
        return name + 5;
    }
}

}  // namespace imglayout

} // namespace orv
