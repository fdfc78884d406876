// Reads the dialogs' bit-mask and hex texts; malformed input reads as 0, never
// as an error the dialog would have to handle.
#include "model/project/BitHexText.h"

#include <cstdint>

namespace orv {

namespace {

constexpr std::size_t kBitTextLength = 17;
constexpr std::size_t kBitGap = 8;

}  // namespace

int ParseBitString(std::string_view text)
{
    if (text.size() < kBitTextLength) return 0;
    int value = 0;
    for (std::size_t i = 0; i < kBitTextLength; ++i) {
        if (i == kBitGap) continue;
        char c = text[i];
        if (c != '0' && c != '1') return 0;
        value = (value << 1) | (c - '0');
    }
    return value;
}

int ParseHexString(std::string_view text)
{
    std::uint32_t value = 0;
    unsigned shift = 0;
    for (std::size_t i = text.size(); i-- > 0; shift += 4) {
        char c = text[i];
        std::uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else return 0;
        if (shift < 32) value |= digit << shift;
    }
    return static_cast<int>(value);
}

std::string FormatBitString(int value)
{
    std::string text(kBitTextLength, '0');
    text[kBitGap] = ' ';
    if (value < 0 || value > 0xFFFF) return text;
    for (int bit = 0; bit < 16; ++bit) {
        std::size_t pos = bit < 8 ? kBitTextLength - 1 - bit : kBitGap - 1 - (bit - 8);
        if (value & (1 << bit)) text[pos] = '1';
    }
    return text;
}

} // namespace orv
