// The one writer of panel-side bytes: every number a compiler or a file
// writer stores passes through here, high byte first.
#include "image/codec/ImageBuffer.h"

#include "image/codec/BinIo.h"

#include <array>

namespace orv {

namespace {

// Widths above 4 are split into a high and a low part, so that the 32-bit
// helpers stay the only code that orders bytes.
std::array<uint8_t, 8> Encoded(uint64_t value, size_t width)
{
    std::array<uint8_t, 8> bytes{};
    if (width > 4) {
        PutBigEndian(bytes.data(), width - 4, static_cast<uint32_t>(value >> 32));
        PutBigEndian(bytes.data() + width - 4, 4, static_cast<uint32_t>(value));
    } else {
        PutBigEndian(bytes.data(), width, static_cast<uint32_t>(value));
    }
    return bytes;
}

uint64_t Decoded(const uint8_t* bytes, size_t width)
{
    if (width <= 4)
        return GetBigEndian(bytes, width);
    return uint64_t{GetBigEndian(bytes, width - 4)} << 32 | GetBigEndian(bytes + width - 4, 4);
}

std::string_view View(const std::array<uint8_t, 8>& bytes, size_t width)
{
    return {reinterpret_cast<const char*>(bytes.data()), width};
}

}  // namespace

bool ImageBuffer::Fail(Failure failure)
{
    if (m_failure == Failure::None)
        m_failure = failure;
    return false;
}

bool ImageBuffer::Grows(size_t n)
{
    if (!Ok())
        return false;
    return m_bytes.size() <= m_limit && n <= m_limit - m_bytes.size() ? true : Fail(Failure::Limit);
}

bool ImageBuffer::Holds(size_t at, size_t n)
{
    if (!Ok())
        return false;
    return at <= m_bytes.size() && n <= m_bytes.size() - at ? true : Fail(Failure::Range);
}

bool ImageBuffer::Append(std::string_view bytes)
{
    if (!Grows(bytes.size()))
        return false;
    m_bytes.append(bytes);
    return true;
}

bool ImageBuffer::AppendZeros(size_t count)
{
    if (!Grows(count))
        return false;
    m_bytes.append(count, '\0');
    return true;
}

bool ImageBuffer::PatchBytes(size_t at, std::string_view bytes)
{
    if (!Holds(at, bytes.size()))
        return false;
    m_bytes.replace(at, bytes.size(), bytes);
    return true;
}

bool ImageBuffer::Put(uint64_t value, size_t width) { return Append(View(Encoded(value, width), width)); }

bool ImageBuffer::Patch(size_t at, uint64_t value, size_t width)
{
    return PatchBytes(at, View(Encoded(value, width), width));
}

uint64_t ImageBuffer::Get(size_t at, size_t width)
{
    if (!Holds(at, width))
        return 0;
    return Decoded(reinterpret_cast<const uint8_t*>(m_bytes.data()) + at, width);
}

} // namespace orv
