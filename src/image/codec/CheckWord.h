// The check word that special-function files, driver files and 706 family images
// carry, computed in one place for every writer.
#pragma once

namespace orv {

class ImageBuffer;

// The check word of special-function files, driver files and 706 family
// images: over the bytes at offsets 7, 14, 21, ... of the whole file, the
// XOR goes to offset 2 and the two's complement of the byte sum to offset 3,
// so that offset 3 and the summed bytes add up to 0 modulo 256.

// Computes the word and patches it in at offset 2; false (and the buffer
// failed) when the buffer is shorter than 4 bytes.
bool StampCheckWord(ImageBuffer& buffer);

} // namespace orv
