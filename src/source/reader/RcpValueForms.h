// The forms a recipe value takes in the project source, one codec per form so
// reader and writer cannot disagree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

class CParser;
class CPrjVar;
class CVarValPair;

// How a recipe value stands in the project source, by the type code of its
// variable: one codec per form, shared by the reader and the writer.
struct RcpValueCodec {
    // Reads the value at the read position into the pair: 1, or -1 when no
    // value of the form stands there. Null for the ASCII form, whose value
    // is a quoted text that the reader takes itself.
    int (*read)(CParser& parser, const CPrjVar& var, CVarValPair& pair);
    // The value as written: after ", " when the line already holds values,
    // alone at the start of a continuation line. Null for the ASCII form,
    // whose characters the writer puts through the character set.
    std::string (*write)(const CPrjVar& var, const CVarValPair& pair, bool lineStart);
    bool quoted;
};

// The codec of the variable's form; null for a type that holds no recipe
// value in the source.
const RcpValueCodec* FindRcpValueCodec(const CPrjVar& var);
// The codec by which a value is written: a WORD of a form that the source
// cannot name goes as KM, as its VAR line does.
const RcpValueCodec* FindRcpValueCodecToWrite(const CPrjVar& var);

// The range a numeric recipe value lies in for the source to take it back:
// BCD by its digits, BIN unsigned and VBIN signed within the variable's
// limits, a WORD within 16 bits. Nothing for the other forms.
struct RcpValueRange {
    int64_t lo = 0;
    int64_t hi = 0;
};
std::optional<RcpValueRange> RcpNumberRange(const CPrjVar& var);

// Longest ASCII value the source holds.
inline constexpr size_t kRcpAsciiMax = 35;

} // namespace orv
