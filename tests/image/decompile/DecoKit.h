// Kits every decompiler family's tests share: payload bytes of variable
// records, expected variable fields, damaged images and byte mutations.
#pragma once

#include "tools/cfggen/ByteBuilder.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orv {

class CPrjVar;

// Payload bytes of the image's variable records, as the layout gives them.
namespace deco_kit {

constexpr uint8_t kNominal = 0x80;
constexpr uint8_t kSecondary = 0xC0;

// A counted text per state at the builder's end; the table of their
// addresses. Any image builder with Counted will do.
template <class Builder>
std::string TextTable(Builder& b, const std::vector<std::string>& texts)
{
    ByteBuilder table;
    for (size_t i = 0; i < texts.size(); ++i)
        table.U16(2 * i, b.Counted(texts[i]));
    return table.Str();
}
// Six bytes of a value48.
std::string Value48(int64_t value);
std::string BinPayload(uint32_t lower, uint32_t upper, uint16_t c, uint16_t b, int64_t d1, int64_t d2);
std::string VbinPayload(int32_t lower, int32_t upper, uint16_t c, uint16_t b, int64_t d);
// The driver entry appended to every image.
std::string DriverEntry();

// What a decoded variable record must give.
struct VarExpect {
    uint8_t type = 0;
    uint8_t setpKind = 0;
    std::array<int32_t, 4> ext{}; // ExtWord1..4: limits, then PLC limits
    std::array<uint8_t, 2> bytes{}; // ExtByte0, ExtByte1
};
// The variable exists with the PLC word adr, the record address rec and
// the expected fields.
void ExpectVar(const CPrjVar* var, int16_t adr, uint32_t rec, const VarExpect& expect, const char* what);

// A damaged image and the error its decompile must give.
struct Malformed {
    const char* what;
    std::function<std::string()> image;
    uint16_t code;
};
// The image with the byte at changed: kind 0 to 0x00, 1 to 0xFF, 2 by XOR
// 0x80.
std::string Mutated(std::string image, size_t at, int kind);

} // namespace deco_kit

} // namespace orv
