#include "image/ImgRecord.h"

#include "image/BinIo.h"
#include "image/ImgLayout.h"

ImgRecord& ImgRecord::Number(uint32_t value, size_t width)
{
    uint8_t bytes[4];
    PutBigEndian(bytes, width, value);
    m_bytes.append(reinterpret_cast<const char*>(bytes), width);
    return *this;
}

ImgRecord& ImgRecord::Byte(uint8_t value) { return Number(value, 1); }
ImgRecord& ImgRecord::Word(uint16_t value) { return Number(value, 2); }
ImgRecord& ImgRecord::DWord(uint32_t value) { return Number(value, 4); }

ImgRecord& ImgRecord::Value48(int64_t value)
{
    const imglayout::Value48::Bytes bytes = imglayout::Value48::Encode(value);
    m_bytes.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return *this;
}

ImgRecord& ImgRecord::Bytes(std::string_view bytes)
{
    m_bytes.append(bytes);
    return *this;
}
