#include "image/CheckWord.h"

#include "image/BinIo.h"

#include <array>

namespace {

constexpr int32_t kStep = 7;
constexpr int32_t kOffset = 2;
constexpr uint16_t kChunk = 7 * 1024;

} // namespace

int ComputeCheckWord(std::FILE* stream, uint16_t& word)
{
    const int32_t size = StreamSize(stream);
    if (size < 0)
        return -1;
    uint8_t sum = 0;
    uint8_t x = 0;
    // Chunks are multiples of the step, so the counted bytes sit at the
    // same place in every chunk.
    std::array<uint8_t, kChunk> buffer{};
    for (int32_t start = 0; start < size; start += kChunk) {
        const int32_t rest = size - start;
        const uint16_t length = rest < kChunk ? static_cast<uint16_t>(rest) : kChunk;
        if (ReadBlockAt(stream, start, buffer.data(), length) != 1)
            return -1;
        for (int32_t k = start == 0 ? kStep : 0; k < length; k += kStep) {
            sum = static_cast<uint8_t>(sum + buffer[static_cast<size_t>(k)]);
            x = static_cast<uint8_t>(x ^ buffer[static_cast<size_t>(k)]);
        }
    }
    word = static_cast<uint16_t>((x << 8) | static_cast<uint8_t>(0x100 - sum));
    return 1;
}

uint16_t CheckWordOf(std::string_view bytes)
{
    uint8_t sum = 0;
    uint8_t x = 0;
    for (size_t k = kStep; k < bytes.size(); k += kStep) {
        const auto b = static_cast<uint8_t>(bytes[k]);
        sum = static_cast<uint8_t>(sum + b);
        x = static_cast<uint8_t>(x ^ b);
    }
    uint8_t word[2] = {x, static_cast<uint8_t>(0x100 - sum)};
    return static_cast<uint16_t>(GetBigEndian(word, 2));
}

int StampCheckWord(std::string& bytes)
{
    if (bytes.size() < static_cast<size_t>(kOffset) + 2)
        return -1;
    PutBigEndian(reinterpret_cast<uint8_t*>(bytes.data() + kOffset), 2, CheckWordOf(bytes));
    return 1;
}

int StampCheckWord(std::FILE* stream)
{
    uint16_t word = 0;
    if (ComputeCheckWord(stream, word) != 1)
        return -1;
    return WriteWordAt(stream, kOffset, word);
}
