#pragma once

#include "tools/cfggen/ByteBuilder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// Builds data-set images of the panel types 14, 36, 43 and 47 byte by byte,
// with the offsets of the image layout written here as literals, so that a
// wrong production constant cannot hide behind shared code. Records are
// appended at the end, each at an even address; every Add returns the
// record's address. Raw writes (U8, U16) make cycles, bad pointers and other
// damage; truncating is cutting the finished string.
class Image043Builder {
public:
    static constexpr size_t kHeaderSize = 1042;

    // A variable record: next is the record written before unless set.
    struct Var {
        uint8_t width = 0;
        uint8_t typeByte = 0; // setpoint bits and panel type code
        uint8_t adr = 0;
        std::string payload;
        uint16_t namePtr = 0;
        std::optional<uint16_t> next;
    };
    // One operation of a softkey action.
    struct SkOp {
        uint16_t adr = 0;
        uint8_t op = 0; // 2, 4 or 8
        uint8_t format = 1;
        uint16_t value = 0;
    };
    struct SkAct {
        uint16_t num = 0;
        std::vector<SkOp> ops;
        std::optional<std::string> name;
    };
    // A softkey text: per key (1-based) its press and release action.
    struct SkKey {
        int key = 1;
        uint16_t press = 0;
        uint16_t release = 0;
    };
    struct SkTxt {
        uint16_t num = 0;
        std::vector<SkKey> keys;
    };
    struct Node {
        uint8_t num = 0;
        uint8_t left = 0;
        uint8_t right = 0;
        uint8_t down = 0;
        uint8_t up = 0;
        uint8_t opTxt = 0;
    };
    struct Printer {
        std::array<uint16_t, 8> words{}; // time-out .. parity
        uint8_t initCount = 0;
        std::array<uint8_t, 8> init{};
        std::array<uint8_t, 128> table{};
    };

    Image043Builder() : Image043Builder(kHeaderSize) {}

    // Header fields.
    Image043Builder& SourceName(const std::string& name);
    // The 9-byte version field at 31 (written as given, then a NUL).
    Image043Builder& Version(const std::string& text);
    Image043Builder& Mask(uint32_t bits);
    Image043Builder& CycleTime(uint8_t value);
    Image043Builder& UserChar(uint8_t code, const std::array<uint8_t, 8>& rows);
    Image043Builder& U8(size_t at, uint8_t value);
    Image043Builder& U16(size_t at, uint16_t value);

    // Records.
    uint16_t Raw(const std::string& bytes);
    // A counted text: length byte and bytes.
    uint16_t Counted(const std::string& text);
    uint16_t AddVar(const Var& var);
    // 16 bytes of the name padded with NUL; the record's name word points
    // at them.
    uint16_t AddName(uint16_t varAt, const std::string& name);
    // A row's bytes for a variable field.
    static std::string Field(uint16_t varAt);
    // Row count byte and the counted rows; the text's slot points at it.
    uint16_t AddOpText(int n, const std::vector<std::string>& rows);
    uint16_t AddMsgText(int n, uint8_t attr, const std::vector<std::string>& rows);
    // Help slots 650 + 2 × slot (slot 0..5).
    uint16_t AddHelpText(int slot, const std::vector<std::string>& rows);
    uint16_t AddSkActs(const std::vector<SkAct>& acts);
    // keyCount keys per text; a range entry (lo, hi) when given.
    uint16_t AddSkTexts(const std::vector<SkTxt>& texts, uint16_t keyCount,
                        std::optional<std::pair<uint16_t, uint16_t>> range = std::nullopt);
    // The mask word, then the nodes chained in order; slot 786 + 2m holds
    // the first node. Returns the first node's address.
    uint16_t AddMenu(int m, uint16_t mask, const std::vector<Node>& nodes);
    uint16_t AddMenuNames(const std::vector<std::string>& names);
    uint16_t AddDescription(const std::string& text);
    uint16_t AddPrinter(const Printer& printer);

    uint16_t LastVar() const { return m_lastVar; }
    size_t Size() const { return m_b.Size(); }
    const std::string& DataSet() const { return m_b.Str(); }

    // The word at 2 (data-set length − 2), the driver entry, the
    // special-function bytes and the closing word.
    std::string Finish(const std::string& driver, const std::string& fkt = {}, bool closingWord = true) const;

protected:
    explicit Image043Builder(size_t headerSize);
    // Pads to even; the address of the next record.
    uint16_t Here();
    // The node records from first on, 8 bytes each, chained in order.
    void AddNodes(uint16_t first, const std::vector<Node>& nodes);
    // A press and release word pair per key; key j's word at keysAt + 2j
    // points at its pair.
    void AddKeyPairs(uint16_t keysAt, const std::vector<SkKey>& keys);
    // The list table's template entry and the range it stands for.
    void SetTemplate(uint16_t table, uint16_t entry, uint16_t lo, uint16_t hi);

    ByteBuilder m_b;

private:
    uint16_t AddRows(uint8_t count, const std::vector<std::string>& rows);

    uint16_t m_lastVar = 0;
};

// Builds first images of the panel types 118, 163 and 167 the same way: the
// 250-byte header, the records shared with the family above, and the
// family's own numbered list tables (dword 0, word template entry, words
// lowest and highest, word number of places, then a word per place), whose
// entries are in byte form: byte kind, byte row count, a word per row.
class Image118Builder : private Image043Builder {
public:
    static constexpr size_t kHeaderSize = 250;
    // Header slots of the list tables.
    static constexpr size_t kOpTexts = 138;
    static constexpr size_t kMsgTexts = 140;
    static constexpr size_t kRcpTexts = 142;
    static constexpr size_t kSkTexts = 121;
    static constexpr size_t kMenus = 168;
    // Help list slot k (0..5) at 150 + 2k.
    static constexpr size_t HelpSlot(int k) { return 150 + 2 * static_cast<size_t>(k); }

    using Image043Builder::Node;
    using Image043Builder::Printer;
    using Image043Builder::SkAct;
    using Image043Builder::SkKey;
    using Image043Builder::SkOp;
    using Image043Builder::SkTxt;
    using Image043Builder::Var;

    using Image043Builder::AddDescription;
    using Image043Builder::AddMenuNames;
    using Image043Builder::AddName;
    using Image043Builder::AddPrinter;
    using Image043Builder::AddSkActs;
    using Image043Builder::AddVar;
    using Image043Builder::Counted;
    using Image043Builder::CycleTime;
    using Image043Builder::DataSet;
    using Image043Builder::Field;
    using Image043Builder::LastVar;
    using Image043Builder::Mask;
    using Image043Builder::Raw;
    using Image043Builder::Size;
    using Image043Builder::SourceName;
    using Image043Builder::U16;
    using Image043Builder::U8;
    using Image043Builder::UserChar;
    using Image043Builder::Version;

    // A numbered text: its kind byte and rows 1, 2, …; a row left out is
    // stored as address 0.
    struct Entry {
        int num = 0;
        uint8_t kind = 0;
        std::vector<std::optional<std::string>> rows;
    };
    // The template entry with the range the table keeps for it.
    struct Range {
        uint16_t lo = 0;
        uint16_t hi = 0;
        Entry text;
    };
    struct Menu {
        int num = 0;
        uint16_t mask = 0;
        std::vector<Node> nodes;
    };

    Image118Builder() : Image043Builder(kHeaderSize) {}

    // Entries of texts at their numbers; the header slot points at the
    // table. Returns the table's address.
    uint16_t AddList(size_t slot, const std::vector<Entry>& entries, const std::optional<Range>& range = std::nullopt);
    // keyCount key words per text; key j's word at entry + 2j.
    uint16_t AddSkTexts(const std::vector<SkTxt>& texts, uint8_t keyCount,
                        std::optional<std::pair<uint16_t, uint16_t>> range = std::nullopt);
    // Menu m's place holds its first node; its mask word lies right before.
    uint16_t AddMenus(const std::vector<Menu>& menus);
    // Length byte, text and NUL of entry i at 174 + 3i and 195 + 3i, written
    // in order, so that a later slot overwrites the NUL of the one before.
    Image118Builder& Weekdays(const std::vector<std::string>& z21, const std::vector<std::string>& z22);
    // Word data word, word date mode, word 999; header 172.
    uint16_t AddDateTime(uint16_t word, uint16_t mode);
    // Word data word, word address of the block + 4, word 257; header 216.
    uint16_t AddRecipeBlock(uint16_t word);

    // The word at 2 and the closing word 0.
    std::string Finish() const { return Image043Builder::Finish({}); }

private:
    uint16_t AddEntry(const Entry& entry);
    uint16_t AddTable(size_t slot, const std::vector<int>& nums);
};

// Builds second images (the recipe memory of the panel types 118, 163 and
// 167): the 106-byte header, the 10-byte block with the recipe check word,
// the recipe table and a record per recipe.
class RecipeImageBuilder {
public:
    static constexpr size_t kHeaderSize = 106;

    struct Recipe {
        int num = 0;
        uint16_t widthWords = 0;
        std::string values;
    };

    RecipeImageBuilder();

    RecipeImageBuilder& SourceName(const std::string& name);
    // The firmware id at 46 and the firmware name at 64.
    RecipeImageBuilder& FirmwareIds(const std::string& id, const std::string& name);

    // The 10-byte block (header 90), then the recipe table (header 92) and
    // the records in the order given.
    void AddRecipes(uint16_t checkWord, const std::vector<Recipe>& recipes);

    // The length word at 0.
    std::string Finish() const;

private:
    uint16_t Here();

    ByteBuilder m_b;
};

} // namespace orv
