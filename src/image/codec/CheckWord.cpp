// Computes and stores the check word of a finished file buffer.
#include "image/codec/CheckWord.h"

#include "image/codec/ImageBuffer.h"

#include <cstdint>
#include <string_view>

namespace orv {

namespace {

constexpr size_t kStep = 7;
constexpr size_t kOffset = 2;

} // namespace

bool StampCheckWord(ImageBuffer& buffer)
{
    const std::string_view bytes = buffer.Bytes();
    uint8_t sum = 0;
    uint8_t x = 0;
    for (size_t k = kStep; k < bytes.size(); k += kStep) {
        const auto b = static_cast<uint8_t>(bytes[k]);
        sum = static_cast<uint8_t>(sum + b);
        x = static_cast<uint8_t>(x ^ b);
    }
    // The XOR byte, then the sum's complement: both or neither.
    const char word[] = {static_cast<char>(x), static_cast<char>(0x100 - sum)};
    return buffer.PatchBytes(kOffset, std::string_view(word, sizeof word));
}

} // namespace orv
