// The type codes of the project's variables, as the source text, the panel
// images and the variable kinds carry them; codes below 128 live in the PLC.
#pragma once

#include <cstdint>

namespace orv {

namespace vartype {

// BCD, unsigned binary and signed binary kinds; the "0" forms show leading
// zeros, the "2" and "B" forms take two data words.
inline constexpr uint8_t kBcd1 = 0;
inline constexpr uint8_t kBin1 = 2;
inline constexpr uint8_t kBin01 = 3;
inline constexpr uint8_t kBinA = 4;
inline constexpr uint8_t kBin0A = 5;
inline constexpr uint8_t kBin2 = 6;
inline constexpr uint8_t kBin02 = 7;
inline constexpr uint8_t kBinB = 8;
inline constexpr uint8_t kBin0B = 9;
inline constexpr uint8_t kBit = 12;
inline constexpr uint8_t kString = 14;
inline constexpr uint8_t kBcd2 = 16;
inline constexpr uint8_t kVbin1 = 18;
inline constexpr uint8_t kVbin01 = 19;
inline constexpr uint8_t kVbinA = 20;
inline constexpr uint8_t kVbin0A = 21;
inline constexpr uint8_t kVbin2 = 22;
inline constexpr uint8_t kVbin02 = 23;
inline constexpr uint8_t kVbinB = 24;
inline constexpr uint8_t kVbin0B = 25;
inline constexpr uint8_t kCString = 26;
inline constexpr uint8_t kBcd01 = 28;
inline constexpr uint8_t kBcd02 = 30;
// A word without a display form of its own; "WORD" reads as kWord.
inline constexpr uint8_t kWordPlain = 32;
inline constexpr uint8_t kWord = 33;
inline constexpr uint8_t kAscii = 34;
inline constexpr uint8_t kTimer = 36;
inline constexpr uint8_t kSString = 42;

// Internal variables, kept in the panel.
inline constexpr uint8_t kIntBin2 = 134;
inline constexpr uint8_t kIntBin02 = 135;
inline constexpr uint8_t kIntString = 142;
inline constexpr uint8_t kIntSString = 144;
inline constexpr uint8_t kIntCString = 154;
inline constexpr uint8_t kIntHex = 249;
inline constexpr uint8_t kIntW8 = 250;
inline constexpr uint8_t kIntByte = 251;
// The three 17-column kinds.
inline constexpr uint8_t kIntW17A = 252;
inline constexpr uint8_t kIntW17B = 253;
inline constexpr uint8_t kIntW17C = 254;
inline constexpr uint8_t kIntW40 = 255;

} // namespace vartype

} // namespace orv
