// Big-endian number primitives; the buffer and the bounded reader check bounds
// before they call these.
#include "image/codec/BinIo.h"

namespace orv {

uint32_t GetBigEndian(const uint8_t* p, size_t n)
{
    uint32_t value = 0;
    for (size_t i = 0; i < n; ++i)
        value = (value << 8) | p[i];
    return value;
}

void PutBigEndian(uint8_t* p, size_t n, uint32_t value)
{
    for (size_t i = n; i > 0; --i) {
        p[i - 1] = static_cast<uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

} // namespace orv
