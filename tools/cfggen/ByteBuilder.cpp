// Writes and reads big-endian fields at literal offsets, growing the buffer as needed.
#include "tools/cfggen/ByteBuilder.h"

namespace orv {

ByteBuilder& ByteBuilder::Reserve(size_t size)
{
    if (m_bytes.size() < size)
        m_bytes.resize(size, '\0');
    return *this;
}

ByteBuilder& ByteBuilder::U8(size_t at, uint8_t value)
{
    Reserve(at + 1);
    m_bytes[at] = static_cast<char>(value);
    return *this;
}

ByteBuilder& ByteBuilder::U16(size_t at, uint16_t value)
{
    U8(at, static_cast<uint8_t>(value >> 8));
    return U8(at + 1, static_cast<uint8_t>(value));
}

ByteBuilder& ByteBuilder::U32(size_t at, uint32_t value)
{
    U16(at, static_cast<uint16_t>(value >> 16));
    return U16(at + 2, static_cast<uint16_t>(value));
}

ByteBuilder& ByteBuilder::Bytes(size_t at, std::string_view bytes)
{
    Reserve(at + bytes.size());
    m_bytes.replace(at, bytes.size(), bytes);
    return *this;
}

ByteBuilder& ByteBuilder::Text(size_t at, std::string_view text, size_t width, char pad)
{
    std::string field(text.substr(0, width));
    field.resize(width, pad);
    return Bytes(at, field);
}

uint16_t BeWord(std::string_view bytes, size_t at)
{
    return static_cast<uint16_t>((static_cast<uint8_t>(bytes.at(at)) << 8) | static_cast<uint8_t>(bytes.at(at + 1)));
}

uint32_t BeDWord(std::string_view bytes, size_t at)
{
    return (static_cast<uint32_t>(BeWord(bytes, at)) << 16) | BeWord(bytes, at + 2);
}

} // namespace orv
