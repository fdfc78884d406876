#pragma once

// Byte layout of the panel font files: an MZ executable with a new-executable
// header whose resource table holds one font resource in the 2.0 font format.
// Every number in them is little-endian; they are read and written only
// through the helpers here, never by casting structs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

inline constexpr size_t kMzHeaderSize = 64;
inline constexpr size_t kMzRelocOffset = 24;   // 16-bit relocation-table offset
inline constexpr size_t kMzNeOffset = 60;      // 32-bit offset of the NE header
inline constexpr size_t kNeHeaderSize = 64;
inline constexpr size_t kNeResTableOffset = 36;   // 16-bit, from the NE header
inline constexpr size_t kNeResNameOffset = 38;    // 16-bit, from the NE header
inline constexpr uint16_t kRtFont = 0x8008;
inline constexpr uint16_t kMaxAlignShift = 15;
inline constexpr size_t kResTypeSize = 8;      // type id, count, reserved
inline constexpr size_t kResEntrySize = 12;    // offset, length, flags, id, reserved
inline constexpr size_t kFonHeaderSize = 118;
inline constexpr size_t kCharEntrySize = 4;    // width, offset
inline constexpr uint16_t kFonVersion2 = 0x0200;
inline constexpr int kMaxGlyphRows = 20;
inline constexpr int kMaxGlyphWidth = 16;
inline constexpr int kGlyphTableSize = 258;

// File offsets of the font header fields that fixtures and checks address.
inline constexpr size_t kFonVersionAt = 0;
inline constexpr size_t kFonTypeAt = 66;
inline constexpr size_t kFonPixHeightAt = 88;
inline constexpr size_t kFonFirstCharAt = 95;
inline constexpr size_t kFonLastCharAt = 96;
inline constexpr size_t kFonDeviceAt = 101;
inline constexpr size_t kFonFaceAt = 105;

// Appends little-endian numbers.
void PutLe8(std::string& out, uint8_t v);
void PutLe16(std::string& out, uint16_t v);
void PutLe32(std::string& out, uint32_t v);
// Overwrites little-endian numbers in place; the caller keeps at + size inside.
void SetLe16(std::string& bytes, size_t at, uint16_t v);
void SetLe32(std::string& bytes, size_t at, uint32_t v);

// Reads little-endian numbers from a byte range, checking every read against
// its end. A read past the end yields 0 and leaves the reader failed for good.
class LeReader {
public:
    explicit LeReader(std::string_view bytes, size_t pos = 0) : m_bytes(bytes), m_pos(pos) {}

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    // Copies n bytes into dest (zeroes on failure).
    void Bytes(void* dest, size_t n);
    void Skip(size_t n);
    void Seek(size_t pos);

    size_t Pos() const { return m_pos; }
    bool Ok() const { return m_ok; }
    // True when n more bytes lie inside the range.
    bool Has(size_t n) const { return m_ok && m_pos <= m_bytes.size() && n <= m_bytes.size() - m_pos; }

private:
    const unsigned char* Take(size_t n);

    std::string_view m_bytes;
    size_t m_pos;
    bool m_ok = true;
};

// The 2.0 font header, fields in file order.
struct FonHeader {
    uint16_t dfVersion = 0;
    uint32_t dfSize = 0;
    std::array<char, 60> dfCopyright{};
    uint16_t dfType = 0;
    uint16_t dfPoints = 0;
    uint16_t dfVertRes = 0;
    uint16_t dfHorizRes = 0;
    uint16_t dfAscent = 0;
    uint16_t dfInternalLeading = 0;
    uint16_t dfExternalLeading = 0;
    uint8_t dfItalic = 0;
    uint8_t dfUnderline = 0;
    uint8_t dfStrikeOut = 0;
    uint16_t dfWeight = 0;
    uint8_t dfCharSet = 0;
    uint16_t dfPixWidth = 0;
    uint16_t dfPixHeight = 0;
    uint8_t dfPitchAndFamily = 0;
    uint16_t dfAvgWidth = 0;
    uint16_t dfMaxWidth = 0;
    uint8_t dfFirstChar = 0;
    uint8_t dfLastChar = 0;
    uint8_t dfDefaultChar = 0;
    uint8_t dfBreakChar = 0;
    uint16_t dfWidthBytes = 0;
    uint32_t dfDevice = 0;
    uint32_t dfFace = 0;
    uint32_t dfBitsPointer = 0;
    uint32_t dfBitsOffset = 0;
    uint8_t dfReserved = 0;

    bool operator==(const FonHeader&) const = default;
};

// Reads the 118 header bytes field by field; false when they do not fit.
bool ReadFonHeader(LeReader& in, FonHeader& header);
// Appends the 118 header bytes field by field.
void WriteFonHeader(std::string& out, const FonHeader& header);

// Byte columns a glyph row takes: the width of glyph 0 decides for all glyphs.
inline int FonColumns(uint16_t widthOfGlyph0) { return widthOfGlyph0 > 8 ? 2 : 1; }

// Zero bytes that end a saved file: up to the next multiple of 16, at least one.
inline size_t FonPadding(size_t size) { return 16 - size % 16; }

} // namespace orv
