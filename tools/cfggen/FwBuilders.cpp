// Lays out firmware headers, feature masks and variable chains, for the shipped placeholders and the tests.
#include "tools/cfggen/FwBuilders.h"

#include <algorithm>

namespace orv {

namespace {

// A text as the firmware stores it: a length byte, then the bytes. Returns
// the offset behind it.
size_t PutCounted(ByteBuilder& b, size_t at, std::string_view text)
{
    b.U8(at, static_cast<uint8_t>(text.size()));
    b.Bytes(at + 1, text);
    return at + 1 + text.size();
}

size_t LastStateOf(const std::vector<FwText>& states, int lastState)
{
    if (lastState >= 0)
        return static_cast<size_t>(lastState);
    return states.empty() ? 0 : states.size() - 1;
}

// Bit n of the 64-bit mask at maskAt, most significant byte first.
void SetMaskBit(ByteBuilder& b, size_t maskAt, int bit)
{
    const size_t at = maskAt + 7 - static_cast<size_t>(bit / 8);
    b.Reserve(maskAt + 8);
    const auto old = static_cast<uint8_t>(b.Str()[at]);
    b.U8(at, static_cast<uint8_t>(old | (1u << (bit % 8))));
}

// Writes the entry at the offset and links it behind the last one added, or
// as the first.
template <class Image, class Entry>
size_t Link(Image& img, std::optional<size_t>& last, size_t at, const Entry& entry)
{
    if (last)
        img.SetNext(*last, Image::Adr(at));
    else
        img.FirstEntry(Image::Adr(at));
    img.Entry(at, 0, entry);
    last = at;
    return at;
}

} // namespace

Fw706Entry Fw706Var(std::string name, uint16_t type)
{
    Fw706Entry e;
    e.name = std::move(name);
    e.type = type;
    return e;
}

Fw118Entry Fw118Var(int number, uint8_t kind)
{
    Fw118Entry e;
    e.number = static_cast<uint8_t>(0x80 + number);
    e.kind = kind;
    return e;
}

Fw706Image::Fw706Image() : m_b(kEntryArea)
{
    Magic(451).Name("ORV706.FRM").Date(0x01, 0x12, 0x24).Version("ORVFW0105").Id("FW7060105");
}

Fw706Image& Fw706Image::Magic(uint16_t magic)
{
    m_b.U16(4, magic);
    return *this;
}

Fw706Image& Fw706Image::Name(std::string_view name)
{
    m_b.Text(6, name, 12);
    return *this;
}

Fw706Image& Fw706Image::Date(uint8_t at20, uint8_t at21, uint8_t at22)
{
    m_b.U8(20, at20).U8(21, at21).U8(22, at22);
    return *this;
}

Fw706Image& Fw706Image::Version(std::string_view text)
{
    m_b.Text(46, text, 9);
    return *this;
}

Fw706Image& Fw706Image::Feature(int bit)
{
    SetMaskBit(m_b, 56, bit);
    return *this;
}

Fw706Image& Fw706Image::Id(std::string_view id)
{
    m_b.Text(64, id, 9);
    return *this;
}

Fw706Image& Fw706Image::FirstEntry(uint32_t adr)
{
    m_b.U32(98, adr);
    return *this;
}

size_t Fw706Image::Add(const Fw706Entry& entry)
{
    return Link(*this, m_last, std::max(m_b.Size(), kEntryArea), entry);
}

size_t Fw706Image::Entry(size_t at, uint32_t next, const Fw706Entry& e)
{
    const size_t len = e.nameLen >= 0 ? static_cast<size_t>(e.nameLen) : e.name.size();
    m_b.U32(at, next).U8(at + 4, static_cast<uint8_t>(len)).Text(at + 5, e.name, len, '\0');
    const size_t p = at + 5 + len;
    m_b.U8(p, 0).U8(p + 1, e.setpCode).U16(p + 2, e.type).U32(p + 4, e.v).U32(p + 8, e.s);
    if (e.v >= kLoadAdr)
        m_b.U16(e.v - kLoadAdr + 12, e.flags);
    const size_t data = p + 12;
    if (!e.raw.empty()) {
        m_b.Bytes(data, e.raw);
        return data + e.raw.size();
    }
    switch (e.type) {
    case 134:
    case 135:
        m_b.U8(data, e.digits).U8(data + 1, e.decimals);
        m_b.U32(data + 2, static_cast<uint32_t>(e.lower)).U32(data + 6, static_cast<uint32_t>(e.upper));
        return data + 10;
    case 142:
    case 154: {
        m_b.U16(data, static_cast<uint16_t>(LastStateOf(e.states, e.lastState)));
        size_t text = data + 2 + 4 * e.states.size();
        for (size_t i = 0; i < e.states.size(); ++i) {
            if (!e.states[i])
                continue;
            m_b.U32(data + 2 + 4 * i, Adr(text));
            text = PutCounted(m_b, text, *e.states[i]);
        }
        return text;
    }
    case 251:
    case 255:
        m_b.U16(data, e.value);
        return data + 2;
    default:
        return data;
    }
}

Fw706Image& Fw706Image::SetNext(size_t entryAt, uint32_t next)
{
    m_b.U32(entryAt, next);
    return *this;
}

Fw118Image::Fw118Image() : m_b(kMinSize)
{
    Id("ORV118A01").Date("241231");
}

Fw118Image& Fw118Image::Id(std::string_view id)
{
    m_b.Text(0x6000, id, 9);
    return *this;
}

Fw118Image& Fw118Image::Date(std::string_view digits)
{
    m_b.Text(0x6009, digits, 6);
    return *this;
}

Fw118Image& Fw118Image::FirstEntry(uint16_t adr)
{
    m_b.U16(0x6132, adr);
    return *this;
}

Fw118Image& Fw118Image::MaskAdr(uint16_t adr)
{
    m_b.U16(0x6136, adr);
    return *this;
}

Fw118Image& Fw118Image::Feature(int bit)
{
    SetMaskBit(m_b, kMaskAt, bit);
    return MaskAdr(Adr(kMaskAt));
}

size_t Fw118Image::Add(const Fw118Entry& entry)
{
    return Link(*this, m_last, std::max(m_b.Size(), kEntryArea) + entry.Before(), entry);
}

size_t Fw118Image::Entry(size_t at, uint16_t next, const Fw118Entry& e)
{
    m_b.U32(at - e.Before(), e.flags);
    m_b.U16(at, next).U8(at + 2, static_cast<uint8_t>(e.letter)).U8(at + 3, e.number).U8(at + 4, e.width);
    m_b.U8(at + 5, static_cast<uint8_t>((e.kind & 0x3F) | (e.top << 6))).U8(at + 6, e.setting);
    if (e.states.empty() && e.lastState < 0) {
        m_b.U8(at + 7, e.digits).U8(at + 8, e.decimals).U8(at + 9, e.lower).U8(at + 10, e.upper);
        return at + 11;
    }
    m_b.U8(at + 7, static_cast<uint8_t>(LastStateOf(e.states, e.lastState)));
    size_t text = at + 8 + 2 * e.states.size();
    for (size_t i = 0; i < e.states.size(); ++i) {
        if (!e.states[i])
            continue;
        m_b.U16(at + 8 + 2 * i, Adr(text));
        text = PutCounted(m_b, text, *e.states[i]);
    }
    return text;
}

Fw118Image& Fw118Image::SetNext(size_t entryAt, uint16_t next)
{
    m_b.U16(entryAt, next);
    return *this;
}

} // namespace orv
