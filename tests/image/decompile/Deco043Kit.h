// The 043 family decompiler's test world.
#pragma once

#include "DecoKit.h"
#include "DecoWorld.h"

#include "tools/cfggen/ByteBuilder.h"
#include "support/Image043_118Builder.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orv {

class CPrjVar;


// Decompiles images built in the test.
class Deco043Fixture : public DecoWorld {
public:
    explicit Deco043Fixture(uint16_t devType = 43) : DecoWorld(devType) {}

    // Runs the 043 family decompile on the image and gives its error code.
    uint16_t Decompile(const std::string& image, const std::string& fktPath = "");
    // Builds the image with the standard driver entry and decompiles it.
    uint16_t Decompile(const Image043Builder& b) { return Decompile(b.Finish(deco_kit::DriverEntry())); }
};

} // namespace orv
