#pragma once

#include <cstdint>

// Decoders of the image fields that the decompiler reads. Each belongs
// beside its encoder, so that both sides share one codec per field.

// Six bytes, high byte first, as a two's-complement number.
int64_t DecodeValue48(const uint8_t* bytes);
// The hexadecimal digits of value read as decimal digits; a nibble above 9
// counts with its own value (0x1A gives 20).
uint32_t DecodeBcd(uint32_t value);
// A signed limit stored in offset binary (value + 2^31).
int64_t DecodeOffsetLimit(uint32_t stored);

// The image type byte: panel type code in the low 6 bits, setpoint kind in
// the top two (00 actual, 10 nominal, 11 secondary nominal).
struct ImgTypeByte {
    uint8_t code = 0;
    // 1, 2 or 3; 0 for the bits 01, which no variable carries.
    uint8_t setpKind = 0;
};
ImgTypeByte DecodeTypeByte(uint8_t byte);

// The attribute byte of a message: priority 2, 3 or 4 (0 for an unknown
// code) and delete mode 1..4 (0 for an unknown code).
struct MsgAttr {
    uint8_t prio = 0;
    uint8_t delMode = 0;
};
MsgAttr DecodeMsgAttr(uint8_t byte);

// The operation byte of a softkey action operation: WRITE 1, AND 2, OR 3,
// or 0.
uint16_t DecodeSkOp(uint8_t byte);

// The number of blanks a row byte stands for, or 0 when it is no blank run:
// counts 1..7 in the variant coding, 128 + n − 1 otherwise.
int DecodeBlankRun(uint8_t byte, bool variant);
