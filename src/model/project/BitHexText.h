// Bit-mask and hex texts as the dialogs type them, read into numbers at the model's
// foot so that no dialog parses them on its own.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// Bit masks and hexadecimal fields of the dialogs.

// "bbbbbbbb bbbbbbbb", bit 15 first; character 8 is skipped and characters
// after the 17th are ignored. A shorter text or a bit character other than
// '0' or '1' gives 0.
int ParseBitString(std::string_view text);

// Upper-case hexadecimal digits only; anything else, and "", gives 0.
// Digits beyond the eighth from the right do not count.
int ParseHexString(std::string_view text);

// The 16 low bits in the form ParseBitString reads; a negative value or one
// of 0x10000 or more gives "00000000 00000000".
std::string FormatBitString(int value);

} // namespace orv
