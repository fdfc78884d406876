// Hex text as the emulated panel reads and answers it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panelemu {

// Upper-case hex digits, two per byte, as the panel answers.
std::string ToHex(const std::vector<uint8_t>& bytes);
std::string ToHex(uint32_t value, int digits);
bool IsHexText(std::string_view text);
// False unless text is an even number of hex digits.
bool ParseHex(std::string_view text, std::vector<uint8_t>& bytes);
// False unless text is hex digits only, at most 8 of them.
bool ParseHexNumber(std::string_view text, uint32_t& value);

}  // namespace panelemu
