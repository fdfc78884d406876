#include "image/DecoFields.h"

#include "image/BinIo.h"

int64_t DecodeValue48(const uint8_t* bytes)
{
    const uint64_t raw = (uint64_t{GetBigEndian(bytes, 2)} << 32) | GetBigEndian(bytes + 2, 4);
    // Sign-extend from bit 47.
    return static_cast<int64_t>(raw << 16) >> 16;
}

uint32_t DecodeBcd(uint32_t value)
{
    uint32_t result = 0;
    uint32_t place = 1;
    for (int i = 0; i < 8; ++i) {
        result += (value & 0xF) * place;
        value >>= 4;
        place *= 10;
    }
    return result;
}

int64_t DecodeOffsetLimit(uint32_t stored)
{
    return int64_t{stored} - (int64_t{1} << 31);
}

ImgTypeByte DecodeTypeByte(uint8_t byte)
{
    static constexpr uint8_t kSetp[4] = {1, 0, 2, 3};
    return ImgTypeByte{static_cast<uint8_t>(byte & 0x3F), kSetp[byte >> 6]};
}

MsgAttr DecodeMsgAttr(uint8_t byte)
{
    MsgAttr attr;
    switch (byte & 0x07) {
    case 0: attr.prio = 2; break;
    case 2: attr.prio = 3; break;
    case 4: attr.prio = 4; break;
    default: break;
    }
    switch (byte & 0xE0) {
    case 0x00: attr.delMode = 1; break;
    case 0x20: attr.delMode = 2; break;
    case 0x40: attr.delMode = 3; break;
    case 0x80: attr.delMode = 4; break;
    default: break;
    }
    return attr;
}

uint16_t DecodeSkOp(uint8_t byte)
{
    if (byte & 0x02)
        return 1;
    if (byte & 0x04)
        return 2;
    if (byte & 0x08)
        return 3;
    return 0;
}

int DecodeBlankRun(uint8_t byte, bool variant)
{
    if (variant)
        return byte >= 1 && byte <= 7 ? byte : 0;
    return byte & 0x80 ? byte - 127 : 0;
}
