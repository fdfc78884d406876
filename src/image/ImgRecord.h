#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The bytes of one image record, gathered before the record is placed, so
// that its whole size is known to the boundary rule. Numbers go in high
// byte first.
class ImgRecord {
public:
    ImgRecord& Byte(uint8_t value);
    ImgRecord& Word(uint16_t value);
    ImgRecord& DWord(uint32_t value);
    ImgRecord& Value48(int64_t value);
    ImgRecord& Bytes(std::string_view bytes);

    const std::string& Data() const { return m_bytes; }
    uint32_t Size() const { return static_cast<uint32_t>(m_bytes.size()); }

private:
    ImgRecord& Number(uint32_t value, size_t width);

    std::string m_bytes;
};
