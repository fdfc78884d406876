#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// The check word of special-function files, driver files and family C
// images: over the bytes at offsets 7, 14, 21, ... of the whole file, the
// XOR goes to offset 2 and the two's complement of the byte sum to offset 3,
// so that offset 3 and the summed bytes add up to 0 modulo 256.

// The word as it belongs at offset 2 (high byte = XOR); -1 on a read
// failure, else 1.
int ComputeCheckWord(std::FILE* stream, uint16_t& word);
// Computes the word and writes it at offset 2; -1 when either fails, and
// then nothing was written when the computation failed.
int StampCheckWord(std::FILE* stream);

// The same over a file held in memory.
uint16_t CheckWordOf(std::string_view bytes);
// -1 when the bytes are too short to hold the word.
int StampCheckWord(std::string& bytes);
