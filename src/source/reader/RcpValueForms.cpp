// Reads and writes recipe values by their variable's form; where no value
// stands, the pair keeps its own and the read position goes back.
#include "model/project/VarType.h"
#include "source/reader/RcpValueForms.h"

#include "model/core/CheckedFormat.h"
#include "model/project/PrjVar.h"
#include "model/project/VarValList.h"
#include "source/reader/Parser.h"

#include <cstdint>

namespace orv {

namespace {

// Two numbers joined by '.', each within its range; the position goes back
// to the start when either is missing.
int ReadDotted(CParser& p, uint16_t hi1, uint16_t hi2, uint16_t& a, uint16_t& b)
{
    const CParser::Position start = p.Tell();
    if (p.GetNum16(a, 0, hi1) == 1 && p.ExpectChar('.') && p.GetNum16(b, 0, hi2) == 1)
        return 1;
    p.Seek(start);
    p.Mark();
    return -1;
}

bool RcpIsWideBcd(const CPrjVar& var)
{
    return var.GetType() == 16 || var.GetType() == 30;
}

int ReadBcd(CParser& p, const CPrjVar& var, CVarValPair& pair)
{
    const RcpValueRange range = *RcpNumberRange(var);
    uint32_t v = 0;
    if (p.GetNum32(v, static_cast<uint32_t>(range.lo), static_cast<uint32_t>(range.hi)) != 1)
        return -1;
    pair.SetValue(v);
    return 1;
}

int ReadBin(CParser& p, const CPrjVar& var, CVarValPair& pair)
{
    const RcpValueRange range = *RcpNumberRange(var);
    uint32_t v = 0;
    if (p.GetNum32(v, static_cast<uint32_t>(range.lo), static_cast<uint32_t>(range.hi)) != 1)
        return -1;
    pair.SetValue(v);
    return 1;
}

int ReadVbin(CParser& p, const CPrjVar& var, CVarValPair& pair)
{
    const RcpValueRange range = *RcpNumberRange(var);
    int32_t v = 0;
    if (p.GetLong(v, static_cast<int32_t>(range.lo), static_cast<int32_t>(range.hi)) != 1)
        return -1;
    pair.SetValue(static_cast<uint32_t>(v));
    return 1;
}

int ReadBit(CParser& p, const CPrjVar&, CVarValPair& pair)
{
    uint16_t v = 0;
    if (p.GetNum16(v, 0, 1) != 1)
        return -1;
    pair.SetValue(v);
    return 1;
}

int ReadState(CParser& p, const CPrjVar& var, CVarValPair& pair)
{
    uint16_t v = 0;
    if (p.GetNum16(v, 0, static_cast<uint16_t>(var.MaxStateIdx())) != 1)
        return -1;
    pair.SetValue(v);
    return 1;
}

int ReadKm(CParser& p, const CPrjVar&, CVarValPair& pair)
{
    const CParser::Position start = p.Tell();
    if (!p.ExpectChar('b')) {
        // Without a value the pair keeps its own.
        const unsigned char c = p.NextChar();
        p.Rewind();
        return c == ',' || c == 0 ? 1 : -1;
    }
    std::string digits;
    uint32_t v = 0;
    if (p.ReadDigits(digits, 16) == 1 && digits.size() == 16) {
        bool binary = true;
        for (const char d : digits) {
            binary = binary && (d == '0' || d == '1');
            v = v * 2 + static_cast<uint32_t>(d == '1');
        }
        if (binary) {
            pair.SetValue(v);
            return 1;
        }
    }
    p.Seek(start);
    p.Mark();
    return -1;
}

int ReadKh(CParser& p, const CPrjVar&, CVarValPair& pair)
{
    const CParser::Position start = p.Tell();
    uint16_t v = 0;
    if (p.ExpectChar('$') && p.GetHex16(v, 0, 0xFFFF) == 1) {
        pair.SetValue(v);
        return 1;
    }
    p.Seek(start);
    p.Mark();
    return -1;
}

int ReadKy(CParser& p, const CPrjVar&, CVarValPair& pair)
{
    uint16_t hi = 0;
    uint16_t lo = 0;
    if (ReadDotted(p, 255, 255, hi, lo) != 1)
        return -1;
    pair.SetValue(static_cast<uint32_t>(hi) * 256 + lo);
    return 1;
}

int ReadTimer(CParser& p, const CPrjVar&, CVarValPair& pair)
{
    uint16_t value = 0;
    uint16_t base = 0;
    if (ReadDotted(p, 999, 3, value, base) != 1)
        return -1;
    pair.SetValue(static_cast<uint32_t>(value) * 10 + base);
    return 1;
}

std::string WriteBcd(const CPrjVar& var, const CVarValPair& pair, bool lineStart)
{
    if (lineStart)
        return FormatText("%u", pair.GetValue());
    return RcpIsWideBcd(var) ? FormatText(", %8u", pair.GetValue()) : FormatText(", %4u", pair.GetValue());
}

std::string WriteBin(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    return lineStart ? FormatText("%u", pair.GetValue()) : FormatText(", %8u", pair.GetValue());
}

std::string WriteVbin(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    const auto v = static_cast<int32_t>(pair.GetValue());
    return lineStart ? FormatText("%d", v) : FormatText(", %8d", v);
}

std::string WriteBit(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    const unsigned v = pair.GetValue() & 0xFFFFu;
    return lineStart ? FormatText("%u", v) : FormatText(", %u", v);
}

std::string WriteState(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    const unsigned v = pair.GetValue() & 0xFFFFu;
    return lineStart ? FormatText("%u", v) : FormatText(", %3u", v);
}

std::string WriteKm(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    std::string bits;
    for (int i = 15; i >= 0; --i)
        bits.push_back(((pair.GetValue() >> i) & 1u) != 0 ? '1' : '0');
    return (lineStart ? "b" : ", b") + bits;
}

std::string WriteKh(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    const unsigned v = pair.GetValue() & 0xFFFFu;
    return lineStart ? FormatText("$%04X", v) : FormatText(", $%04X", v);
}

std::string WriteKy(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    const unsigned hi = (pair.GetValue() >> 8) & 0xFFu;
    const unsigned lo = pair.GetValue() & 0xFFu;
    return lineStart ? FormatText("%u.%3u", hi, lo) : FormatText(", %3u.%3u", hi, lo);
}

std::string WriteTimer(const CPrjVar&, const CVarValPair& pair, bool lineStart)
{
    const int v = static_cast<int>(pair.GetValue() & 0xFFFFu);
    return lineStart ? FormatText("%d.%d", v / 10, v % 10) : FormatText(", % 03d.%d", v / 10, v % 10);
}

constexpr RcpValueCodec kBcd{ReadBcd, WriteBcd, false};
constexpr RcpValueCodec kBin{ReadBin, WriteBin, false};
constexpr RcpValueCodec kVbin{ReadVbin, WriteVbin, false};
constexpr RcpValueCodec kBit{ReadBit, WriteBit, false};
constexpr RcpValueCodec kState{ReadState, WriteState, false};
constexpr RcpValueCodec kKm{ReadKm, WriteKm, false};
constexpr RcpValueCodec kKh{ReadKh, WriteKh, false};
constexpr RcpValueCodec kKy{ReadKy, WriteKy, false};
constexpr RcpValueCodec kAscii{nullptr, nullptr, true};
constexpr RcpValueCodec kTimer{ReadTimer, WriteTimer, false};

} // namespace

std::optional<RcpValueRange> RcpNumberRange(const CPrjVar& var)
{
    const uint8_t t = var.GetType();
    if (t == 0 || t == 28 || t == 16 || t == 30)
        return RcpValueRange{0, RcpIsWideBcd(var) ? 99999999 : 9999};
    if (t >= 2 && t <= 9)
        return RcpValueRange{static_cast<uint32_t>(var.GetExtWord1()), static_cast<uint32_t>(var.GetExtWord2())};
    if (t >= 18 && t <= 25)
        return RcpValueRange{var.GetExtWord1(), var.GetExtWord2()};
    if (t == vartype::kWordPlain || t == vartype::kWord)
        return RcpValueRange{0, 0xFFFF};
    return std::nullopt;
}

const RcpValueCodec* FindRcpValueCodec(const CPrjVar& var)
{
    const uint8_t t = var.GetType();
    if (t == 0 || t == 28 || t == 16 || t == 30)
        return &kBcd;
    if (t >= 2 && t <= 9)
        return &kBin;
    if (t >= 18 && t <= 25)
        return &kVbin;
    switch (t) {
    case vartype::kBit:
        return &kBit;
    case vartype::kString:
    case vartype::kCString:
    // A selection of states is a state index like the other string kinds.
    case vartype::kSString:
        return &kState;
    case vartype::kWordPlain:
    case vartype::kWord:
        switch (var.GetExtByte0()) {
        case 0:
            return &kKm;
        case 1:
            return &kKh;
        case 2:
            return &kKy;
        default:
            return nullptr;
        }
    case vartype::kAscii:
        return var.WordCount() <= 16 ? &kAscii : nullptr;
    case vartype::kTimer:
        return &kTimer;
    default:
        return nullptr;
    }
}

const RcpValueCodec* FindRcpValueCodecToWrite(const CPrjVar& var)
{
    const RcpValueCodec* codec = FindRcpValueCodec(var);
    if (codec == nullptr && (var.GetType() == 32 || var.GetType() == 33))
        return &kKm;
    return codec;
}

} // namespace orv
