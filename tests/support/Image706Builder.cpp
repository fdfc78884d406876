#include "support/Image706Builder.h"

#include <algorithm>

namespace orv {

namespace {

template <class Item>
int Highest(const std::vector<Item>& items)
{
    int highest = -1;
    for (const Item& item : items)
        highest = std::max(highest, item.num);
    return highest;
}

} // namespace

Image706Builder::Image706Builder(uint16_t devType) : m_devType(devType), m_b(kHeaderSize)
{
    m_b.U16(4, 496);
    m_b.Bytes(46, devType == 473 ? "OG4730000" : devType == 477 ? "OG4770000" : "OG7060000");
    m_b.Bytes(74, "Q32r11000");
    m_b.U16(88, 82);
}

Image706Builder& Image706Builder::MaskBit(int bit)
{
    const size_t at = 56 + 7 - static_cast<size_t>(bit) / 8;
    m_b.U8(at, static_cast<uint8_t>(static_cast<uint8_t>(m_b.Str()[at]) | (1u << (bit % 8))));
    return *this;
}

Image706Builder& Image706Builder::U16(size_t at, uint16_t value)
{
    m_b.U16(at, value);
    return *this;
}

Image706Builder& Image706Builder::U32(size_t at, uint32_t value)
{
    m_b.U32(at, value);
    return *this;
}

std::string Image706Builder::CountedName(const std::string& name)
{
    const size_t count = (name.size() + 1) | 1u;
    std::string bytes(1, static_cast<char>(count));
    bytes += name;
    bytes.resize(1 + count, '\0');
    return bytes;
}

std::string Image706Builder::Row(const std::string& text, const std::vector<Field>& fields)
{
    ByteBuilder r;
    r.U8(0, static_cast<uint8_t>(text.size())).U8(1, static_cast<uint8_t>(fields.size()));
    for (size_t i = 0; i < fields.size(); ++i)
        r.U32(2 + 6 * i, fields[i].var).U16(6 + 6 * i, fields[i].col);
    r.Bytes(r.Size(), text + '\0');
    return r.Str();
}

uint32_t Image706Builder::Here()
{
    if (m_b.Size() % 2 != 0)
        m_b.U8(m_b.Size(), 0);
    return static_cast<uint32_t>(m_b.Size());
}

uint32_t Image706Builder::Raw(const std::string& bytes)
{
    const uint32_t at = Here();
    m_b.Bytes(at, bytes);
    return at;
}

uint32_t Image706Builder::SharedText(const std::string& bytes)
{
    return Raw(std::string(1, static_cast<char>(bytes.size())) + bytes + '\0');
}

uint32_t Image706Builder::AddUserChars(const std::string& table)
{
    const uint32_t at = Raw(std::string("\x01\x00", 2) + table);
    m_b.U32(90, at);
    return at;
}

Image706Builder::VarAt Image706Builder::AddVar(const Var& var)
{
    const uint32_t at = Here();
    const std::string name = CountedName(var.name);
    const uint32_t data = at + 4 + static_cast<uint32_t>(name.size());
    m_b.U32(at, 0).Bytes(at + 4, name);
    m_b.U8(data, var.width).U8(data + 1, var.setp).U16(data + 2, var.type);
    m_b.U32(data + 4, var.value0).U32(data + 8, var.value1).Bytes(data + 12, var.tail);
    m_b.U32(m_lastVar != 0 ? m_lastVar : 94, at);
    m_lastVar = at;
    return {at, data};
}

uint32_t Image706Builder::ListHeader(uint32_t slot, int highest, std::optional<Template> tmpl,
                                   std::optional<uint16_t> count)
{
    const uint32_t head = Here();
    const uint16_t places = count.value_or(static_cast<uint16_t>(highest + 1));
    m_b.U16(head + 16, places);
    m_b.Reserve(head + 18 + 4 * size_t{places});
    if (tmpl)
        m_b.U16(head + 12, tmpl->low).U16(head + 14, tmpl->high);
    m_b.U32(slot, head);
    return head;
}

uint32_t Image706Builder::AddList(uint32_t slot, const std::vector<Entry>& entries, std::optional<Template> tmpl,
                                std::optional<uint16_t> count)
{
    const uint32_t head = ListHeader(slot, Highest(entries), tmpl, count);
    auto addEntry = [this](uint16_t attr, const std::vector<std::string>& rows) {
        const uint32_t e = Here();
        m_b.U16(e, attr).U16(e + 2, static_cast<uint16_t>(rows.size()));
        m_b.Reserve(e + 4 + 4 * rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            if (!rows[i].empty())
                m_b.U32(e + 4 * (i + 1), Raw(rows[i]));
        return e;
    };
    if (tmpl)
        m_b.U32(head + 8, addEntry(tmpl->attr, {}));
    for (const Entry& e : entries)
        m_b.U32(head + 18 + 4 * static_cast<uint32_t>(e.num), addEntry(e.attr, e.rows));
    return head;
}

uint32_t Image706Builder::AddSkTexts(const std::vector<SkTxt>& texts, std::optional<Template> tmpl, uint16_t keyCount)
{
    const uint32_t head = ListHeader(146, Highest(texts), tmpl, std::nullopt);
    auto addEntry = [&](const std::vector<SkKey>& keys) {
        const uint32_t e = Here();
        m_b.U16(e + 2, keyCount);
        m_b.Reserve(e + 4 + 4 * size_t{keyCount});
        for (const SkKey& k : keys) {
            const uint32_t pair = Here();
            m_b.U16(pair, k.press).U16(pair + 2, k.release);
            m_b.U32(e + 4 * static_cast<uint32_t>(k.key), pair);
        }
        return e;
    };
    if (tmpl)
        m_b.U32(head + 8, addEntry({}));
    for (const SkTxt& t : texts)
        m_b.U32(head + 18 + 4 * static_cast<uint32_t>(t.num), addEntry(t.keys));
    return head;
}

uint32_t Image706Builder::NumTable(uint32_t slot, int highest)
{
    const uint32_t table = Here();
    m_b.U16(table, static_cast<uint16_t>(highest + 1));
    m_b.Reserve(table + 2 + 4 * static_cast<size_t>(highest + 1));
    m_b.U32(slot, table);
    return table;
}

uint32_t Image706Builder::AddSkActs(const std::vector<SkAct>& acts)
{
    const uint32_t table = NumTable(142, Highest(acts));
    for (const SkAct& a : acts) {
        ByteBuilder r;
        r.U16(0, static_cast<uint16_t>(a.ops.size()));
        for (size_t k = 0; k < a.ops.size(); ++k)
            r.U32(2 + 8 * k, a.ops[k].adr).U8(6 + 8 * k, a.ops[k].op).U8(7 + 8 * k, a.ops[k].format)
                .U16(8 + 8 * k, a.ops[k].value);
        r.Bytes(r.Size(), a.name + '\0');
        m_b.U32(table + 2 + 4 * static_cast<uint32_t>(a.num), Raw(r.Str()));
    }
    return table;
}

uint32_t Image706Builder::AddMenus(const std::vector<Menu>& menus, std::vector<uint32_t>* firstNodes)
{
    const uint32_t table = NumTable(154, Highest(menus));
    for (const Menu& m : menus) {
        const uint32_t at = Raw(CountedName(m.name));
        m_b.U16(m_b.Size(), m.mask);
        const uint32_t first = static_cast<uint32_t>(m_b.Size());
        auto addressOf = [&](uint16_t num) -> uint32_t {
            for (size_t i = 0; num != 0 && i < m.nodes.size(); ++i)
                if (m.nodes[i].num == num)
                    return first + 24 * static_cast<uint32_t>(i);
            return 0;
        };
        for (size_t i = 0; i < m.nodes.size(); ++i) {
            const uint32_t node = first + 24 * static_cast<uint32_t>(i);
            m_b.U32(node, i + 1 < m.nodes.size() ? node + 24 : 0);
            m_b.U16(node + 4, m.nodes[i].num).U16(node + 6, m.nodes[i].opTxt);
            for (size_t l = 0; l < 4; ++l)
                m_b.U32(node + 8 + 4 * l, addressOf(m.nodes[i].links[l]));
        }
        m_b.U32(table + 2 + 4 * static_cast<uint32_t>(m.num), at);
        if (firstNodes)
            firstNodes->push_back(first);
    }
    return table;
}

uint32_t Image706Builder::AddTimers(const std::vector<Timer>& timers)
{
    const uint32_t table = NumTable(158, Highest(timers));
    for (const Timer& t : timers) {
        std::string bytes = CountedName(t.name);
        bytes += static_cast<char>(t.values.size() >> 8);
        bytes += static_cast<char>(t.values.size() & 0xFF);
        for (const TimeBytes& v : t.values)
            bytes.append(v.begin(), v.end());
        m_b.U32(table + 2 + 4 * static_cast<uint32_t>(t.num), Raw(bytes));
    }
    return table;
}

uint32_t Image706Builder::AddSystem(uint8_t msgMode)
{
    const uint32_t at = Here();
    m_b.U16(at, m_devType == 706 ? 6 : 8).U8(at + 2, msgMode).U8(at + 3, 0).U32(at + 4, at + 8);
    m_b.Bytes(at + 8, std::string("\x00\x0B\x7F\x01\x02\x04\x08\x10\x20\x40\x1F\x3F\x60", 13));
    m_b.U32(162, at);
    return at;
}

uint32_t Image706Builder::AddDescription(const std::string& text)
{
    const uint32_t at = Raw(text + '\0');
    m_b.U32(166, at);
    return at;
}

std::string Image706Builder::Finish() const
{
    ByteBuilder out;
    out.Bytes(0, m_b.Str());
    out.Reserve(out.Size() + out.Size() % 2);
    out.U16(0, static_cast<uint16_t>(out.Size() / 2));
    uint8_t sum = 0;
    uint8_t x = 0;
    for (size_t at = 7; at < out.Size(); at += 7) {
        sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(out.Str()[at]));
        x = static_cast<uint8_t>(x ^ static_cast<uint8_t>(out.Str()[at]));
    }
    out.U8(2, x).U8(3, static_cast<uint8_t>(-sum));
    return out.Str();
}

} // namespace orv
