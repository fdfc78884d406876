#pragma once

// The emulator's own readers and writers of panel numbers, most significant
// byte first, so that it checks the program's layouts rather than sharing them.

#include <cstdint>

namespace panelemu {

inline uint16_t GetBe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

inline void PutBe16(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value >> 8);
    p[1] = static_cast<uint8_t>(value);
}

inline uint32_t GetBe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

inline void PutBe32(uint8_t* p, uint32_t value) {
    PutBe16(p, static_cast<uint16_t>(value >> 16));
    PutBe16(p + 2, static_cast<uint16_t>(value));
}

}  // namespace panelemu
