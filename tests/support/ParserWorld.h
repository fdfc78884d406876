// The parser's tests' project and the firmware variables they read.
#pragma once

#include "model/project/PrjData.h"
#include "support/ProjectWorld.h"

#include <cstdint>

namespace orv {

// The project the source parser reads into: a character set of the panel
// with zeroed font buffers, a cleared root of the panel type, PLC parameters
// with driver items, driver 5 with all flags clear, empty tables and no PLC
// definitions, and a scripted UI registered for the world's lifetime (let a
// world go before building the next). The source file names the panel
// itself; Src() names another. Panel 755 is set up as 47 with the variant,
// as the start selection does. Default PLC items: VAR items on words 10..19
// (both directions), word 20 SYS, word 21 only to the panel, word 22 only to
// the PLC, a MSG item on word 30 for messages 0..15; no item on other words.
WorldRecipe ParserWorld(uint16_t devType);

// The internal variables that the firmware of the 706 and 118 families
// defines and the parser's tests need (state texts, and the hex text
// "[Z078]" in the firmware list on the 706 family); without a firmware
// image the root has none of them but the softkey rows it makes itself on
// the 118 family, which are kept.
void AddFirmwareStateVars(CPrjData& prj);

} // namespace orv
