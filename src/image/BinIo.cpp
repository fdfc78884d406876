#include "image/BinIo.h"

#include <array>

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

namespace {

bool SeekTo(std::FILE* stream, int32_t offset)
{
    return stream && offset >= 0 && std::fseek(stream, offset, SEEK_SET) == 0;
}

bool SeekEnd(std::FILE* stream)
{
    return stream && std::fseek(stream, 0, SEEK_END) == 0;
}

int ReadExact(std::FILE* stream, int32_t offset, void* buffer, size_t length)
{
    if (!SeekTo(stream, offset) || (!buffer && length != 0))
        return -1;
    if (length == 0)
        return 1;
    return std::fread(buffer, 1, length, stream) == length ? 1 : -1;
}

int WriteExact(std::FILE* stream, const void* buffer, size_t length)
{
    if (length == 0)
        return 1;
    if (!buffer)
        return -1;
    // A read may precede on the same stream; the seek before this call
    // already switched the stream's direction.
    return std::fwrite(buffer, 1, length, stream) == length ? 1 : -1;
}

template <size_t N>
int ReadNumber(std::FILE* stream, int32_t offset, uint32_t& value)
{
    std::array<uint8_t, N> bytes{};
    if (ReadExact(stream, offset, bytes.data(), N) != 1)
        return -1;
    value = GetBigEndian(bytes.data(), N);
    return 1;
}

template <size_t N>
int WriteNumberAt(std::FILE* stream, int32_t offset, uint32_t value)
{
    std::array<uint8_t, N> bytes{};
    PutBigEndian(bytes.data(), N, value);
    return SeekTo(stream, offset) ? WriteExact(stream, bytes.data(), N) : -1;
}

template <size_t N>
int AppendNumber(std::FILE* stream, uint32_t value)
{
    std::array<uint8_t, N> bytes{};
    PutBigEndian(bytes.data(), N, value);
    return SeekEnd(stream) ? WriteExact(stream, bytes.data(), N) : -1;
}

} // namespace

int ReadByteAt(std::FILE* stream, int32_t offset, uint8_t& value)
{
    uint32_t v = 0;
    if (ReadNumber<1>(stream, offset, v) != 1)
        return -1;
    value = static_cast<uint8_t>(v);
    return 1;
}

int ReadWordAt(std::FILE* stream, int32_t offset, uint16_t& value)
{
    uint32_t v = 0;
    if (ReadNumber<2>(stream, offset, v) != 1)
        return -1;
    value = static_cast<uint16_t>(v);
    return 1;
}

int ReadDWordAt(std::FILE* stream, int32_t offset, uint32_t& value)
{
    return ReadNumber<4>(stream, offset, value);
}

int ReadBlockAt(std::FILE* stream, int32_t offset, void* buffer, uint16_t length)
{
    return ReadExact(stream, offset, buffer, length);
}

int WriteByteAt(std::FILE* stream, int32_t offset, uint8_t value)
{
    return WriteNumberAt<1>(stream, offset, value);
}

int WriteWordAt(std::FILE* stream, int32_t offset, uint16_t value)
{
    return WriteNumberAt<2>(stream, offset, value);
}

int WriteDWordAt(std::FILE* stream, int32_t offset, uint32_t value)
{
    return WriteNumberAt<4>(stream, offset, value);
}

int WriteBlockAt(std::FILE* stream, int32_t offset, const void* buffer, uint16_t length)
{
    return SeekTo(stream, offset) ? WriteExact(stream, buffer, length) : -1;
}

int AppendByte(std::FILE* stream, uint8_t value)
{
    return AppendNumber<1>(stream, value);
}

int AppendWord(std::FILE* stream, uint16_t value)
{
    return AppendNumber<2>(stream, value);
}

int AppendDWord(std::FILE* stream, uint32_t value)
{
    return AppendNumber<4>(stream, value);
}

int AppendBlock(std::FILE* stream, const void* buffer, uint16_t length)
{
    return SeekEnd(stream) ? WriteExact(stream, buffer, length) : -1;
}

int32_t StreamSize(std::FILE* stream)
{
    if (!SeekEnd(stream))
        return -1;
    const long size = std::ftell(stream);
    return size < 0 || size > INT32_MAX ? -1 : static_cast<int32_t>(size);
}
