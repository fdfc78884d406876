// The big-endian primitives at the bottom of the image layer's byte codecs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv {

// Every multi-byte number in the panel-side files is stored high byte first.
// These two primitives are the only places that know it; the image buffer
// and the bounded reader build on them.

// The n (1..4) bytes at p as one number, high byte first.
uint32_t GetBigEndian(const uint8_t* p, size_t n);
// value's low n (1..4) bytes at p, high byte first.
void PutBigEndian(uint8_t* p, size_t n, uint32_t value);

} // namespace orv
