#pragma once

#include "tools/cfggen/ByteBuilder.h"
#include "support/Image043_118Builder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// Builds data-set images of the panel types 473, 477 and 706 byte by byte,
// with the offsets of the image layout written here as literals, so that a
// wrong production constant cannot hide behind shared code. Records are
// appended at the end, each at an even address, and every Add returns the
// record's address (a variable: both its record and its data part). Raw
// writes (U16, U32) make cycles, bad pointers and other damage;
// truncating is cutting the finished string.
class Image706Builder {
public:
    static constexpr size_t kHeaderSize = 170;

    struct Var {
        std::string name;
        uint8_t width = 4;
        uint8_t setp = 0; // 0, 1, 2 for the setpoint kinds 1, 2, 3
        uint16_t type = 0;
        uint32_t value0 = 0; // data + 4
        uint32_t value1 = 0; // data + 8: PLC data word, or an internal setting
        std::string tail;    // from data + 12
    };
    struct VarAt {
        uint32_t record;
        uint32_t data; // the variable's reference
    };
    // A variable field of a row.
    struct Field {
        uint32_t var; // the data part of its record
        uint16_t col;
    };
    // A text entry; an empty row string leaves that row's pointer 0.
    struct Entry {
        int num = 0;
        uint16_t attr = 0;
        std::vector<std::string> rows;
    };
    // The template entry with the words at header + 12 and + 14.
    struct Template {
        uint16_t low = 0;
        uint16_t high = 0;
        uint16_t attr = 0;
    };
    // Keys 1..20 here.
    using SkKey = Image043Builder::SkKey;
    struct SkTxt {
        int num = 0;
        std::vector<SkKey> keys;
    };
    struct SkOp {
        uint32_t adr = 0;
        uint8_t op = 0; // bit 1, 2 or 3
        uint8_t format = 1;
        uint16_t value = 0;
    };
    struct SkAct {
        int num = 0;
        std::vector<SkOp> ops;
        std::string name;
    };
    // Links are node numbers of the same menu, written as the addresses of
    // those nodes (0 when the menu has no such node).
    struct Node {
        uint16_t num = 0;
        uint16_t opTxt = 0;
        std::array<uint16_t, 4> links{}; // left, right, down, up
    };
    struct Menu {
        int num = 0;
        std::string name;
        uint16_t mask = 0;
        std::vector<Node> nodes; // the start node first
    };
    // Start day, hour, minute, second, end day, hour, minute, second.
    using TimeBytes = std::array<uint8_t, 8>;
    struct Timer {
        int num = 0;
        std::string name;
        std::vector<TimeBytes> values;
    };

    // Magic 496, the firmware id of the panel type, the tool version and
    // the header block size 82.
    explicit Image706Builder(uint16_t devType = 706);

    // The 64-bit section mask at 56: bit n in byte 7 − n / 8.
    Image706Builder& MaskBit(int bit);
    Image706Builder& U16(size_t at, uint16_t value);
    Image706Builder& U32(size_t at, uint32_t value);

    // Byte n, byte m, m fields, the n text bytes as given, byte 0.
    static std::string Row(const std::string& text, const std::vector<Field>& fields = {});

    // Length byte, the (packed) bytes, NUL.
    uint32_t SharedText(const std::string& bytes);
    // The counted empty name and the table (8 × 8 or 128 × 5 bytes).
    uint32_t AddUserChars(const std::string& table);
    // Chained behind the variable added before; the first one into 94.
    VarAt AddVar(const Var& var);
    // A numbered text list whose header pointer is at slot; count in place
    // of highest + 1 when given.
    uint32_t AddList(uint32_t slot, const std::vector<Entry>& entries, std::optional<Template> tmpl = std::nullopt,
                     std::optional<uint16_t> count = std::nullopt);
    uint32_t AddSkTexts(const std::vector<SkTxt>& texts, std::optional<Template> tmpl = std::nullopt,
                        uint16_t keyCount = 20);
    uint32_t AddSkActs(const std::vector<SkAct>& acts);
    // Gives the address of each menu's first node through firstNodes.
    uint32_t AddMenus(const std::vector<Menu>& menus, std::vector<uint32_t>* firstNodes = nullptr);
    uint32_t AddTimers(const std::vector<Timer>& timers);
    // Word 6 (706) or 8, the message mode, the constant table.
    uint32_t AddSystem(uint8_t msgMode);
    uint32_t AddDescription(const std::string& text);

    // Padded to even, the length in words at 0 and the check word at 2.
    std::string Finish() const;

private:
    // The count byte (name length + 1 raised to odd) and the name padded
    // with NUL.
    static std::string CountedName(const std::string& name);
    uint32_t Here();
    uint32_t Raw(const std::string& bytes);
    // Word highest + 1, a dword per number; the table's address into slot.
    uint32_t NumTable(uint32_t slot, int highest);
    // The list header with its template and number table; its address.
    uint32_t ListHeader(uint32_t slot, int highest, std::optional<Template> tmpl, std::optional<uint16_t> count);

    uint16_t m_devType;
    ByteBuilder m_b;
    uint32_t m_lastVar = 0;
};

} // namespace orv
