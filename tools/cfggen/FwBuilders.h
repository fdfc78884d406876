// Builds panel firmware images of both forms at the literal offsets of their layouts.
#pragma once

#include "tools/cfggen/ByteBuilder.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Builders of panel firmware images. Every field is written at the literal
// offset of the image layouts; nothing is shared with the readers.

// A state text of a firmware entry; none gives the text address 0.
using FwText = std::optional<std::string>;

// One built-in variable entry of the 473/477/706 form.
struct Fw706Entry {
    std::string name;
    // The name length byte; -1: the name's length.
    int nameLen = -1;
    uint8_t setpCode = 0;
    uint16_t type = 134;
    // The variable's panel address V; the flags word is written at file
    // offset V - 0x40000 + 12 unless V lies below 0x40000.
    uint32_t v = 0;
    uint16_t flags = 0;
    uint32_t s = 0;
    // 134, 135
    uint8_t digits = 0;
    uint8_t decimals = 0;
    int32_t lower = 0;
    int32_t upper = 0;
    // 142, 154: the texts, one address each; the highest index is written
    // as lastState, or (when -1) as the number of texts less one.
    std::vector<FwText> states;
    int lastState = -1;
    // 251, 255
    uint16_t value = 0;
    // When set, written at P + 12 in place of the typed data above (hex
    // data of 249, unknown types).
    std::string raw;
};

// An entry of the name and type code, its other fields left as they are.
Fw706Entry Fw706Var(std::string name, uint16_t type);

// A firmware image of panel types 473, 477 and 706: loaded at panel address
// 0x40000. The header is filled with a valid 706 image; entries and their
// texts go from offset 0x1000 on, so that variable blocks (V) may use the
// offsets 0x100..0xFFF.
class Fw706Image {
public:
    static constexpr uint32_t kLoadAdr = 0x40000;
    static constexpr size_t kEntryArea = 0x1000;

    Fw706Image();

    static uint32_t Adr(size_t offset) { return kLoadAdr + static_cast<uint32_t>(offset); }

    Fw706Image& Magic(uint16_t magic);                        // at 4
    Fw706Image& Name(std::string_view name);                  // at 6, 12 blank-padded
    Fw706Image& Date(uint8_t at20, uint8_t at21, uint8_t at22);
    Fw706Image& Version(std::string_view text);               // at 46, 9 bytes
    Fw706Image& Feature(int bit);                             // byte 63 - bit / 8, bit % 8
    Fw706Image& Id(std::string_view id);                      // at 64, 9 bytes
    Fw706Image& FirstEntry(uint32_t adr);                     // dword at 98

    // Appends the entry behind everything written so far and links it to
    // the chain (the previous entry's next address, or the first-entry
    // address); its texts follow it. Returns the entry's file offset.
    size_t Add(const Fw706Entry& entry);
    // Writes the entry at the offset with the given next address and its
    // texts behind it; returns the offset behind all of it.
    size_t Entry(size_t at, uint32_t next, const Fw706Entry& entry);
    // The next address of the entry at the offset.
    Fw706Image& SetNext(size_t entryAt, uint32_t next);

    ByteBuilder& Bytes() { return m_b; }
    std::string Build() const { return m_b.Str(); }

private:
    ByteBuilder m_b;
    std::optional<size_t> m_last;
};

// One built-in variable entry of the 118/163/167 form.
struct Fw118Entry {
    char letter = 'Z';
    // Bit 7 set: the name is "[%c%02d]" with the number less 128.
    uint8_t number = 0x80;
    uint8_t width = 0;
    // The flags byte: kind in the low 6 bits, the size and setpoint code in
    // the top two (0, 1: 8 bytes before the entry; 2, 3: 12 bytes).
    uint8_t kind = 2;
    uint8_t top = 0;
    // The 32-bit word at the start of the bytes before the entry.
    uint32_t flags = 0;
    uint8_t setting = 0;     // E + 6
    uint8_t digits = 0;      // E + 7
    uint8_t decimals = 0;    // E + 8
    uint8_t lower = 0;       // E + 9
    uint8_t upper = 0;       // E + 10
    // Kind 14: highest index at E + 7 (-1: the number of texts less one)
    // and text addresses from E + 8.
    std::vector<FwText> states;
    int lastState = -1;

    size_t Before() const { return top >= 2 ? 12 : 8; }
};

// An entry named "[Z%02d]" with the number, of the kind.
Fw118Entry Fw118Var(int number, uint8_t kind);

// A firmware image of panel types 118, 163 and 167: 16-bit panel address A
// at file offset (A - 0x4000) mod 65536. The file is 0x6140 bytes at least;
// entries and texts go from 0x6200 on.
class Fw118Image {
public:
    static constexpr size_t kMinSize = 0x6140;
    static constexpr size_t kEntryArea = 0x6200;
    static constexpr size_t kMaskAt = 0x6180;

    Fw118Image();

    static uint16_t Adr(size_t offset) { return static_cast<uint16_t>(offset + 0x4000); }

    Fw118Image& Id(std::string_view id);                  // at 0x6000, 9 bytes
    Fw118Image& Date(std::string_view digits);            // at 0x6009, 6 bytes
    Fw118Image& FirstEntry(uint16_t adr);                 // word at 0x6132
    Fw118Image& MaskAdr(uint16_t adr);                    // word at 0x6136
    // Sets a feature bit in the 8 bytes at 0x6180 and points the mask
    // address at them.
    Fw118Image& Feature(int bit);

    size_t Add(const Fw118Entry& entry);
    // Writes the entry at E = at with its flags before it; returns the
    // offset behind the entry and its texts.
    size_t Entry(size_t at, uint16_t next, const Fw118Entry& entry);
    Fw118Image& SetNext(size_t entryAt, uint16_t next);

    ByteBuilder& Bytes() { return m_b; }
    std::string Build() const { return m_b.Str(); }

private:
    ByteBuilder m_b;
    std::optional<size_t> m_last;
};

} // namespace orv
