#include "support/Image043_118Builder.h"

#include <algorithm>

namespace orv {

Image043Builder::Image043Builder(size_t headerSize) : m_b(headerSize)
{
    m_b.U8(4, 240);
    Version("Q32r11000");
}

Image043Builder& Image043Builder::SourceName(const std::string& name)
{
    m_b.Bytes(5, name + '\0');
    return *this;
}

Image043Builder& Image043Builder::Version(const std::string& text)
{
    m_b.Text(31, text, 9, '\0');
    m_b.U8(40, 0);
    return *this;
}

Image043Builder& Image043Builder::Mask(uint32_t bits)
{
    m_b.U32(131, bits);
    return *this;
}

Image043Builder& Image043Builder::CycleTime(uint8_t value)
{
    m_b.U8(135, value);
    return *this;
}

Image043Builder& Image043Builder::UserChar(uint8_t code, const std::array<uint8_t, 8>& rows)
{
    for (size_t r = 0; r < rows.size(); ++r)
        m_b.U8(41 + 8 * size_t{code} + r, rows[r]);
    return *this;
}

Image043Builder& Image043Builder::U8(size_t at, uint8_t value)
{
    m_b.U8(at, value);
    return *this;
}

Image043Builder& Image043Builder::U16(size_t at, uint16_t value)
{
    m_b.U16(at, value);
    return *this;
}

uint16_t Image043Builder::Here()
{
    if (m_b.Size() % 2 != 0)
        m_b.U8(m_b.Size(), 0);
    return static_cast<uint16_t>(m_b.Size());
}

uint16_t Image043Builder::Raw(const std::string& bytes)
{
    const uint16_t at = Here();
    m_b.Bytes(at, bytes);
    return at;
}

uint16_t Image043Builder::Counted(const std::string& text)
{
    return Raw(std::string(1, static_cast<char>(text.size())) + text);
}

uint16_t Image043Builder::AddVar(const Var& var)
{
    const uint16_t at = Here();
    m_b.U16(at, var.next.value_or(m_lastVar));
    m_b.U16(at + 2u, var.namePtr);
    m_b.U8(at + 4u, var.width);
    m_b.U8(at + 5u, var.typeByte);
    m_b.U8(at + 6u, var.adr);
    m_b.Bytes(at + 7u, var.payload);
    m_lastVar = at;
    m_b.U16(136, at);
    return at;
}

uint16_t Image043Builder::AddName(uint16_t varAt, const std::string& name)
{
    const uint16_t at = Here();
    m_b.Text(at, name, 16, '\0');
    m_b.U16(varAt + 2u, at);
    return at;
}

std::string Image043Builder::Field(uint16_t varAt)
{
    return std::string{'\0', static_cast<char>(varAt >> 8), static_cast<char>(varAt & 0xFF)};
}

uint16_t Image043Builder::AddRows(uint8_t count, const std::vector<std::string>& rows)
{
    std::string bytes(1, static_cast<char>(count));
    for (const std::string& row : rows)
        bytes += std::string(1, static_cast<char>(row.size())) + row;
    return Raw(bytes);
}

uint16_t Image043Builder::AddOpText(int n, const std::vector<std::string>& rows)
{
    const uint16_t at = AddRows(static_cast<uint8_t>(rows.size()), rows);
    m_b.U16(394 + 2 * static_cast<size_t>(n), at);
    return at;
}

uint16_t Image043Builder::AddMsgText(int n, uint8_t attr, const std::vector<std::string>& rows)
{
    const uint16_t at = AddRows(static_cast<uint8_t>(rows.size()), rows);
    m_b.U16(138 + 2 * static_cast<size_t>(n), at);
    m_b.U8(660 + static_cast<size_t>(n), attr);
    return at;
}

uint16_t Image043Builder::AddHelpText(int slot, const std::vector<std::string>& rows)
{
    const uint16_t at = AddRows(static_cast<uint8_t>(rows.size()), rows);
    m_b.U16(650 + 2 * static_cast<size_t>(slot), at);
    return at;
}

uint16_t Image043Builder::AddSkActs(const std::vector<SkAct>& acts)
{
    uint16_t highest = 0;
    for (const SkAct& a : acts)
        highest = std::max(highest, a.num);
    const uint16_t table = Here();
    m_b.U16(table, static_cast<uint16_t>(highest + 1));
    m_b.Reserve(table + 2u + 2u * (highest + 1u));
    for (const SkAct& a : acts) {
        ByteBuilder r;
        r.U16(0, static_cast<uint16_t>(a.ops.size()));
        for (size_t k = 0; k < a.ops.size(); ++k) {
            r.U16(2 + 6 * k, a.ops[k].adr);
            r.U8(4 + 6 * k, a.ops[k].op);
            r.U8(5 + 6 * k, a.ops[k].format);
            r.U16(6 + 6 * k, a.ops[k].value);
        }
        r.Bytes(r.Size(), a.name ? *a.name + '\0' : std::string(1, '\0'));
        const uint16_t at = Raw(r.Str());
        m_b.U16(table + 2u + 2u * a.num, at);
    }
    m_b.U16(119, table);
    return table;
}

uint16_t Image043Builder::AddSkTexts(const std::vector<SkTxt>& texts, uint16_t keyCount,
                                   std::optional<std::pair<uint16_t, uint16_t>> range)
{
    uint16_t highest = 0;
    for (const SkTxt& t : texts)
        highest = std::max(highest, t.num);
    const uint16_t table = Here();
    m_b.U16(table + 10u, static_cast<uint16_t>(highest + 1));
    m_b.Reserve(table + 12u + 2u * (highest + 1u));
    auto addEntry = [&](const std::vector<SkKey>& keys) {
        const uint16_t e = Here();
        m_b.U16(e + 2u, keyCount);
        m_b.Reserve(e + 4u + 2u * keyCount);
        AddKeyPairs(e + 2u, keys);
        return e;
    };
    if (range)
        SetTemplate(table, addEntry({}), range->first, range->second);
    for (const SkTxt& t : texts)
        m_b.U16(table + 12u + 2u * t.num, addEntry(t.keys));
    m_b.U16(121, table);
    return table;
}

void Image043Builder::AddKeyPairs(uint16_t keysAt, const std::vector<SkKey>& keys)
{
    for (const SkKey& k : keys) {
        const uint16_t pair = Here();
        m_b.U16(pair, k.press);
        m_b.U16(pair + 2u, k.release);
        m_b.U16(keysAt + 2u * static_cast<unsigned>(k.key), pair);
    }
}

void Image043Builder::SetTemplate(uint16_t table, uint16_t entry, uint16_t lo, uint16_t hi)
{
    m_b.U16(table + 4u, entry);
    m_b.U16(table + 6u, lo);
    m_b.U16(table + 8u, hi);
}

uint16_t Image043Builder::AddMenu(int m, uint16_t mask, const std::vector<Node>& nodes)
{
    const uint16_t maskAt = Here();
    m_b.U16(maskAt, mask);
    const uint16_t first = static_cast<uint16_t>(maskAt + 2);
    AddNodes(first, nodes);
    m_b.U16(786 + 2 * static_cast<size_t>(m), first);
    return first;
}

void Image043Builder::AddNodes(uint16_t first, const std::vector<Node>& nodes)
{
    for (size_t i = 0; i < nodes.size(); ++i) {
        const size_t at = first + 8 * i;
        m_b.U16(at, i + 1 < nodes.size() ? static_cast<uint16_t>(at + 8) : 0);
        const Node& n = nodes[i];
        m_b.Bytes(at + 2, std::string{static_cast<char>(n.num), static_cast<char>(n.left),
                                      static_cast<char>(n.right), static_cast<char>(n.down),
                                      static_cast<char>(n.up), static_cast<char>(n.opTxt)});
    }
}

uint16_t Image043Builder::AddMenuNames(const std::vector<std::string>& names)
{
    const uint16_t at = Here();
    for (size_t i = 0; i < names.size(); ++i)
        m_b.Text(at + 16 * i, names[i], 16, '\0');
    m_b.U16(111, at);
    return at;
}

uint16_t Image043Builder::AddDescription(const std::string& text)
{
    const uint16_t at = Raw(text + '\0');
    m_b.U16(113, at);
    return at;
}

uint16_t Image043Builder::AddPrinter(const Printer& printer)
{
    const uint16_t at = Here();
    for (size_t i = 0; i < printer.words.size(); ++i)
        m_b.U16(at + 2 * i, printer.words[i]);
    m_b.U8(at + 16u, printer.initCount);
    for (size_t i = 0; i < printer.init.size(); ++i)
        m_b.U8(at + 17 + i, printer.init[i]);
    for (size_t i = 0; i < printer.table.size(); ++i)
        m_b.U8(at + 25 + i, printer.table[i]);
    m_b.U16(at + 153u, 0);
    m_b.U16(115, at);
    return at;
}

std::string Image043Builder::Finish(const std::string& driver, const std::string& fkt, bool closingWord) const
{
    ByteBuilder out;
    out.Bytes(0, m_b.Str());
    out.U16(2, static_cast<uint16_t>(m_b.Size() - 2));
    out.Bytes(out.Size(), driver);
    out.Bytes(out.Size(), fkt);
    if (closingWord)
        out.U16(out.Size(), 0);
    return out.Str();
}

uint16_t Image118Builder::AddTable(size_t slot, const std::vector<int>& nums)
{
    int highest = -1;
    for (int n : nums)
        highest = std::max(highest, n);
    const uint16_t table = Here();
    m_b.U16(table + 10u, static_cast<uint16_t>(highest + 1));
    m_b.Reserve(table + 12u + 2u * static_cast<size_t>(highest + 1));
    m_b.U16(slot, table);
    return table;
}

uint16_t Image118Builder::AddEntry(const Entry& entry)
{
    const uint16_t e = Here();
    m_b.U8(e, entry.kind);
    m_b.U8(e + 1u, static_cast<uint8_t>(entry.rows.size()));
    m_b.Reserve(e + 2u + 2u * entry.rows.size());
    for (size_t i = 0; i < entry.rows.size(); ++i)
        if (entry.rows[i])
            m_b.U16(e + 2u + 2u * i, Counted(*entry.rows[i]));
    return e;
}

uint16_t Image118Builder::AddList(size_t slot, const std::vector<Entry>& entries, const std::optional<Range>& range)
{
    std::vector<int> nums;
    for (const Entry& e : entries)
        nums.push_back(e.num);
    const uint16_t table = AddTable(slot, nums);
    if (range)
        SetTemplate(table, AddEntry(range->text), range->lo, range->hi);
    for (const Entry& e : entries)
        m_b.U16(table + 12u + 2u * static_cast<size_t>(e.num), AddEntry(e));
    return table;
}

uint16_t Image118Builder::AddSkTexts(const std::vector<SkTxt>& texts, uint8_t keyCount,
                                   std::optional<std::pair<uint16_t, uint16_t>> range)
{
    std::vector<int> nums;
    for (const SkTxt& t : texts)
        nums.push_back(t.num);
    const uint16_t table = AddTable(kSkTexts, nums);
    auto addEntry = [&](const std::vector<SkKey>& keys) {
        const uint16_t e = Here();
        m_b.U8(e + 1u, keyCount);
        m_b.Reserve(e + 2u + 2u * keyCount);
        AddKeyPairs(e, keys);
        return e;
    };
    if (range)
        SetTemplate(table, addEntry({}), range->first, range->second);
    for (const SkTxt& t : texts)
        m_b.U16(table + 12u + 2u * t.num, addEntry(t.keys));
    return table;
}

uint16_t Image118Builder::AddMenus(const std::vector<Menu>& menus)
{
    std::vector<int> nums;
    for (const Menu& m : menus)
        nums.push_back(m.num);
    const uint16_t table = AddTable(kMenus, nums);
    for (const Menu& m : menus) {
        const uint16_t first = static_cast<uint16_t>(Here() + 2);
        m_b.U16(first - 2u, m.mask);
        AddNodes(first, m.nodes);
        m_b.U16(table + 12u + 2u * static_cast<size_t>(m.num), first);
    }
    return table;
}

Image118Builder& Image118Builder::Weekdays(const std::vector<std::string>& z21, const std::vector<std::string>& z22)
{
    for (size_t i = 0; i < z21.size(); ++i)
        m_b.U8(174 + 3 * i, static_cast<uint8_t>(z21[i].size())).Bytes(175 + 3 * i, z21[i] + '\0');
    for (size_t i = 0; i < z22.size(); ++i)
        m_b.U8(195 + 3 * i, static_cast<uint8_t>(z22[i].size())).Bytes(196 + 3 * i, z22[i] + '\0');
    return *this;
}

uint16_t Image118Builder::AddDateTime(uint16_t word, uint16_t mode)
{
    const uint16_t at = Raw(ByteBuilder().U16(0, word).U16(2, mode).U16(4, 999).Str());
    m_b.U16(172, at);
    return at;
}

uint16_t Image118Builder::AddRecipeBlock(uint16_t word)
{
    const uint16_t at = Here();
    m_b.U16(at, word).U16(at + 2u, static_cast<uint16_t>(at + 4)).U16(at + 4u, 257);
    m_b.U16(216, at);
    return at;
}

RecipeImageBuilder::RecipeImageBuilder() : m_b(kHeaderSize)
{
    m_b.U16(4, 436);
    m_b.Bytes(74, std::string("Q32r11000") + '\0');
    m_b.U16(88, 18);
}

RecipeImageBuilder& RecipeImageBuilder::SourceName(const std::string& name)
{
    m_b.Bytes(6, name + '\0');
    return *this;
}

RecipeImageBuilder& RecipeImageBuilder::FirmwareIds(const std::string& id, const std::string& name)
{
    m_b.Bytes(46, id + '\0');
    m_b.Bytes(64, name + '\0');
    return *this;
}

uint16_t RecipeImageBuilder::Here()
{
    if (m_b.Size() % 2 != 0)
        m_b.U8(m_b.Size(), 0);
    return static_cast<uint16_t>(m_b.Size());
}

void RecipeImageBuilder::AddRecipes(uint16_t checkWord, const std::vector<Recipe>& recipes)
{
    const uint16_t block = Here();
    m_b.U16(block, checkWord).U16(block + 2u, 199).U16(block + 4u, 0).U32(block + 6u, 0);
    m_b.U16(90, block);
    int highest = -1;
    for (const Recipe& r : recipes)
        highest = std::max(highest, r.num);
    const uint16_t table = Here();
    m_b.U16(table, static_cast<uint16_t>(highest + 1));
    m_b.Reserve(table + 2u + 2u * static_cast<size_t>(highest + 1));
    m_b.U16(92, table);
    for (const Recipe& r : recipes) {
        const uint16_t at = Here();
        m_b.U16(at, 1).U16(at + 2u, r.widthWords).U16(at + 4u, 0).Bytes(at + 6u, r.values);
        m_b.U16(table + 2u + 2u * static_cast<size_t>(r.num), at);
    }
}

std::string RecipeImageBuilder::Finish() const
{
    ByteBuilder out;
    out.Bytes(0, m_b.Str());
    out.U16(0, static_cast<uint16_t>(out.Size()));
    return out.Str();
}

} // namespace orv
