// One image record gathered in memory before it is placed, so its full size is
// known to the boundary rule.
#pragma once

#include "image/codec/ImageBuffer.h"

#include <cstdint>
#include <string_view>

namespace orv {

// The bytes of one image record, gathered before the record is placed, so
// that its whole size is known to the boundary rule. Numbers go in high
// byte first, through the same buffer as the image.
class ImgRecord {
public:
    ImgRecord& Byte(uint8_t value);
    ImgRecord& Word(uint16_t value);
    ImgRecord& DWord(uint32_t value);
    // The 6-byte values: a signed value as its two's complement.
    ImgRecord& Value48(int64_t value);
    ImgRecord& Bytes(std::string_view bytes);

    std::string_view Data() const { return m_bytes.Bytes(); }
    uint32_t Size() const { return static_cast<uint32_t>(m_bytes.Size()); }

private:
    ImageBuffer m_bytes;
};

} // namespace orv
