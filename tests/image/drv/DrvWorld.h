// The driver and special-function file tests' project world.
#pragma once

#include "support/FrameWorld.h"

#include <cstdint>

namespace orv {

// A project world of a 706 panel with root, PLC parameters, driver and
// special-function configuration, all wired, in a temporary directory that
// is also the program directory.
class DrvWorld : public FrameWorld {
public:
    DrvWorld();

    // The PLC window: a word-counting PLC type, the first data word, the
    // number of words and the data block.
    void SetWindow(uint16_t first, uint16_t length, uint16_t db = 0, uint16_t type = 2);
};

} // namespace orv
