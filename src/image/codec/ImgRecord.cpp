// Appends numbers and bytes to a pending image record, big-endian through the
// image buffer.
#include "image/codec/ImgRecord.h"

namespace orv {

ImgRecord& ImgRecord::Byte(uint8_t value)
{
    m_bytes.Put1(value);
    return *this;
}

ImgRecord& ImgRecord::Word(uint16_t value)
{
    m_bytes.Put2(value);
    return *this;
}

ImgRecord& ImgRecord::DWord(uint32_t value)
{
    m_bytes.Put4(value);
    return *this;
}

ImgRecord& ImgRecord::Value48(int64_t value)
{
    m_bytes.Put6(static_cast<uint64_t>(value));
    return *this;
}

ImgRecord& ImgRecord::Bytes(std::string_view bytes)
{
    m_bytes.Append(bytes);
    return *this;
}

} // namespace orv
