// A big-endian byte layout of its own for the file builders, apart from the production helpers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The tests' own big-endian byte layout, kept apart from the production
// helpers so that a byte-order fault cannot hide behind shared code. Writes
// beyond the end grow the buffer with zero bytes.
class ByteBuilder {
public:
    explicit ByteBuilder(size_t size = 0) : m_bytes(size, '\0') {}

    ByteBuilder& U8(size_t at, uint8_t value);
    ByteBuilder& U16(size_t at, uint16_t value);
    ByteBuilder& U32(size_t at, uint32_t value);
    ByteBuilder& Bytes(size_t at, std::string_view bytes);
    // The text cut or filled with pad to width bytes.
    ByteBuilder& Text(size_t at, std::string_view text, size_t width, char pad = ' ');
    // Grows (with zero bytes) to at least size.
    ByteBuilder& Reserve(size_t size);

    size_t Size() const { return m_bytes.size(); }
    const std::string& Str() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Reads high byte first from a byte string; the tests' counterpart of the
// builder.
uint16_t BeWord(std::string_view bytes, size_t at);
uint32_t BeDWord(std::string_view bytes, size_t at);

} // namespace orv
