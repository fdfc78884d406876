#pragma once

#include "Deco043Kit.h"

#include "image/firmware/FirmwareSource.h"
#include "support/Image043_118Builder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Payload bytes and companion files of first images of the panel types 118,
// 163 and 167, as the layout gives them.
namespace deco_b {

// The double-word tails of the scalable option: dword divisor and factor.
std::string BinDwPayload(uint32_t lower, uint32_t upper, uint32_t c, uint32_t b, int64_t d1, int64_t d2);
std::string VbinDwPayload(int32_t lower, int32_t upper, uint32_t c, uint32_t b, int64_t d);
// The clock, date and recipe variables [Z15]..[Z26] that may stand in
// texts: numbers of width 2 (the time [Z23] of 8), the date [Z24] without
// a width, and seven weekday names for [Z21] and [Z22].
std::string Firmware();

} // namespace deco_b

// Decompiles first images built in the test, with the driver file and the
// firmware of the fixture in place.
class Deco118Fixture : public DecoWorld {
public:
    explicit Deco118Fixture(uint16_t devType = 118);

    // Runs the 118 family decompile on the image and gives its error code.
    uint16_t Decompile(const std::string& image);
    uint16_t Decompile(const Image118Builder& b) { return Decompile(b.Finish()); }

    CFirmwareVarSource source{workspace};
};

} // namespace orv
