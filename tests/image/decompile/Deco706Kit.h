#pragma once

#include "DecoWorld.h"

#include "support/Image706Builder.h"

#include <cstdint>
#include <string>

namespace orv {

// Decompiles 706 family images built in the test, with the project's driver
// file beside the image.
class Deco706Fixture : public DecoWorld {
public:
    explicit Deco706Fixture(uint16_t devType = 706);

    // Writes the driver file (unless drvBytes is empty) and runs the
    // decompile on the image; its error code.
    uint16_t Decompile(const std::string& image, const std::string& fktPath = "");
    uint16_t Decompile(const Image706Builder& b) { return Decompile(b.Finish()); }
    std::string FktPath() const { return dir.File("PRJ.FKT"); }

    // A driver without parameter block for the panel type.
    std::string drvBytes;
};

} // namespace orv
