#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orv {

// Builders of special-function files. Offsets are written as literals from
// the header layouts.

// The 706 header (74 bytes), then the body. The word at 0 is the file's
// size in 16-bit words, which the panel reads back to know how much to send.
struct Fkt706File {
    uint16_t checkWord = 0;             // at 2
    uint16_t magic = 466;               // at 4
    std::string name = "STD706.FKT";    // at 6, blank-padded
    std::array<uint8_t, 3> dateStamp{}; // at 20..22
    std::string copyName;               // at 26, blank-padded
    std::array<uint8_t, 3> nameStamp{}; // at 40..42
    std::string version = "0000";       // characters 5..8 of the field at 64
    std::string body;

    std::string Build() const;
};

// The header of families 14, 43 and 47 (55 bytes), then the body.
struct FktDosFile {
    std::string copyName;            // at 3, blank-padded
    uint16_t dosDate = 0;            // at 18
    std::string name = "STD043.FKT"; // at 29, blank-padded
    uint16_t dosDate2 = 0;           // at 44
    std::string version = "0000";    // characters 5..8 of the field at 46
    std::string body;

    std::string Build() const;
};

} // namespace orv
