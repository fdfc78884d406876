// Hex conversions of the emulator; anything but whole pairs of digits is
// refused.
#include "HexText.h"

namespace panelemu {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string ToHex(const std::vector<uint8_t>& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

std::string ToHex(uint32_t value, int digits) {
    std::string text(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 0x0F];
    return text;
}

bool IsHexText(std::string_view text) {
    for (char c : text)
        if (DigitValue(c) < 0) return false;
    return true;
}

bool ParseHex(std::string_view text, std::vector<uint8_t>& bytes) {
    if (text.size() % 2 != 0 || !IsHexText(text)) return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(DigitValue(text[i]) << 4 | DigitValue(text[i + 1])));
    return true;
}

bool ParseHexNumber(std::string_view text, uint32_t& value) {
    if (text.empty() || text.size() > 8 || !IsHexText(text)) return false;
    value = 0;
    for (char c : text) value = value << 4 | static_cast<uint32_t>(DigitValue(c));
    return true;
}

}  // namespace panelemu
