// Whole-file helpers of the model: copy and touch, each reporting failure as a
// result rather than leaving a half-written target.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// Copies source over target: 1 on success, -1 on failure. The copy is
// written beside the target and renamed over it only when complete, so a
// failure leaves the target as it was.
int copyfile(const std::string& source, const std::string& target);

// Gives an existing file a new modification time without changing its
// bytes: 1, or -1 when it cannot be opened for reading and writing (a
// missing file is not created).
int TouchFile(const std::string& path);

// The first len characters as hexadecimal digits; any other character, and
// a position past the text's end, counts as the digit 0.
int HexToInt(std::string_view text, int len);

// The first two characters as high and low digit; only '0'..'9' and
// 'A'..'F' count, anything else (and a missing character) as 0.
uint8_t HexByte(std::string_view text);

// Divides both by their greatest common divisor. With one of them 0 the other
// becomes 1; with both 0 nothing changes.
void ReduceFraction(uint32_t& numerator, uint32_t& denominator);

} // namespace orv
