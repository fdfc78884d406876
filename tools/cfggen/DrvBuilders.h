// Builds PLC driver entries and libraries of both formats at the literal offsets of their layouts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {

// Builders of PLC driver entries and driver libraries as the panel-side
// files hold them. Offsets are written as literals from the file layouts.

// One parameter element.
struct DrvParamSpec {
    enum class Kind { Number, Choice, Raw };

    std::string name;
    Kind kind = Kind::Number;
    // Stored type code of a Raw element (neither number nor choice).
    uint16_t rawType = 0;
    uint8_t cls = 0;    // 706 only
    uint8_t spare = 0;  // 706: the byte after the name; 043: the byte at E+4
    uint32_t first = 0; // 706 only
    uint32_t setting = 0;
    uint8_t digits = 0;
    uint8_t decimals = 0;
    uint32_t lower = 0;
    uint32_t upper = 0;
    std::vector<std::string> texts;
    // The stored highest text index; the count of texts - 1 unless set.
    std::optional<uint16_t> highest;

    static DrvParamSpec Number(std::string name, uint32_t setting, uint32_t lower, uint32_t upper);
    static DrvParamSpec Choice(std::string name, uint32_t setting, std::vector<std::string> texts);
};

// A cross-reference block.
struct DrvXrefLayout {
    char kind = 'P'; // 'S', 'E' or any other letter for a plain table
    std::string signature = "QVL";
    uint16_t count = 0; // N
    std::array<uint16_t, 6> limits{};
    uint16_t recSize = 6;
    std::array<std::array<uint8_t, 4>, 5> defs{}; // kind E: number, address, slot, rack
    std::array<uint16_t, 30> fixed{};             // kind S: the fixed entries
    // Record index and its bytes, at the record area + index x record size.
    std::vector<std::pair<uint16_t, std::string>> records;

    // Start of the record area from the block's start: 28, or 58 for kind E.
    size_t RecordBase() const { return kind == 'E' ? 58 : 28; }
};

// What a builder made, with the places the tests look at.
struct BuiltDrvEntry {
    std::string bytes;
    std::vector<size_t> elementAt;
    // 706: the setting value at 13+n; 043: the value offset V.
    std::vector<size_t> valueAt;
    size_t xrefAt = 0; // 0: none
};

// An entry of the 706 family: header of 112 bytes, the elements, their
// texts, the cross-reference block, then the tail.
struct Drv706Entry {
    static constexpr uint32_t kBase706 = 0x5E000;
    static constexpr uint32_t kBase473 = 0x5B000;

    uint32_t base = kBase706;
    std::string drvFile = "TEST.DRV";
    std::array<uint8_t, 3> dateStamp{}; // at 20..22
    std::string copyName;               // at 26, zero-padded
    std::array<uint8_t, 3> nameStamp{}; // at 40..42
    std::string kind = "KND";           // characters 5..7 of the field at 46
    std::string version = "0000";       // characters 5..8 of the field at 64
    uint16_t magic = 481;
    uint16_t checkWord = 0;
    std::optional<uint16_t> val88; // 20 with a block, 0 without, unless set
    std::vector<DrvParamSpec> params;
    std::optional<DrvXrefLayout> xref;
    std::string tail;
    std::optional<uint16_t> lengthWords; // in place of the true length
    std::optional<uint32_t> paramPtr;    // in place of the first element's address
    bool cyclicChain = false;            // the last element points at the first

    BuiltDrvEntry Build() const;
};

// An entry of the 043 family: header up to 67, the cross-reference offset at
// 68, P = 70, the elements from 71, their values, texts, the block, the tail.
struct Drv043Entry {
    static constexpr size_t kP = 70;
    // The byte after a choice's value byte, carried by readers and writers.
    static constexpr uint8_t kChoiceTrailer = 0x5A;

    std::string copyName; // at 3, blank-padded
    uint16_t dosTime = 0; // at 16
    uint16_t dosDate = 0; // at 18
    std::string kind = "KND";
    std::string drvFile = "TEST.DRV";
    uint16_t dosDate2 = 0; // at 44
    std::string version = "0000";
    uint8_t mark = 0xE1;
    std::vector<DrvParamSpec> params;
    std::optional<uint8_t> count; // in place of the number of elements
    std::optional<DrvXrefLayout> xref;
    std::string tail;
    std::optional<uint16_t> length;
    bool cyclicChain = false;

    BuiltDrvEntry Build() const;
};

// The bytes of a cross-reference block.
std::string BuildXref(const DrvXrefLayout& layout);

// Entries one after the other.
class DrvLibBuilder {
public:
    DrvLibBuilder& Add(const std::string& entry)
    {
        m_bytes += entry;
        return *this;
    }
    const std::string& Str() const { return m_bytes; }

private:
    std::string m_bytes;
};

} // namespace orv
