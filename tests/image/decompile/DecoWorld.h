// The decompilers' tests' project world.
#pragma once

#include "support/FrameWorld.h"

#include <cstdint>
#include <string>

namespace orv {

// A project world for decompiles: a cleared root of the panel type, PLC
// parameters whose data words 0..63 are VAR items and word 100 a SYS item,
// the driver and special-function configurations and a character set, all
// in a temporary directory.
class DecoWorld : public FrameWorld {
public:
    explicit DecoWorld(uint16_t devType = 43);

    // The image file written from bytes; its path.
    std::string WriteImage(const std::string& bytes, const std::string& name = "IMG.BIN") const;
    std::string DrvPath() const { return dir.File("PRJ.DRV"); }
    // Clears the project, the PLC definitions, the counters and the
    // recorded calls before the next decompile on this world.
    void ResetForDecompile();
};

} // namespace orv
