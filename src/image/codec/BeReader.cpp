// The bounded reader every decoder of a panel-side file reads through.
#include "image/codec/BeReader.h"

#include "image/codec/BinIo.h"

#include <cstring>

namespace orv {

uint64_t BeReader::Number(uint64_t offset, size_t width)
{
    const uint8_t* p = Bytes(offset, width);
    if (p == nullptr)
        return 0;
    if (width <= 4)
        return GetBigEndian(p, width);
    return uint64_t{GetBigEndian(p, width - 4)} << 32 | GetBigEndian(p + width - 4, 4);
}

int64_t BeReader::S48(uint64_t offset)
{
    return static_cast<int64_t>(U48(offset) << 16) >> 16;
}

const uint8_t* BeReader::Bytes(uint64_t offset, size_t n)
{
    if (!Holds(offset, n)) {
        m_ok = false;
        return nullptr;
    }
    return m_data + offset;
}

bool BeReader::Block(uint64_t offset, void* dest, size_t n)
{
    if (n == 0)
        return true;
    const uint8_t* p = Bytes(offset, n);
    if (p == nullptr) {
        std::memset(dest, 0, n);
        return false;
    }
    std::memcpy(dest, p, n);
    return true;
}

std::string BeReader::String(uint64_t offset, size_t max)
{
    if (offset > m_size) {
        m_ok = false;
        return {};
    }
    const size_t room = m_size - static_cast<size_t>(offset);
    const size_t span = max < room ? max : room;
    const auto* start = reinterpret_cast<const char*>(m_data + offset);
    const void* nul = span == 0 ? nullptr : std::memchr(start, 0, span);
    if (nul != nullptr)
        return std::string(start, static_cast<const char*>(nul));
    if (span < max)
        m_ok = false;
    return std::string(start, span);
}

BeReader BeReader::Sub(uint64_t offset, uint64_t length)
{
    if (!Holds(offset, length)) {
        m_ok = false;
        BeReader failed;
        failed.m_ok = false;
        return failed;
    }
    return BeReader(m_data + offset, static_cast<size_t>(length));
}

} // namespace orv
