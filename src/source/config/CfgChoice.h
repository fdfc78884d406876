// The panel, PLC and driver choice as the tool configuration file keeps it,
// handed between the configuration reader and writer.
#pragma once

#include <cstdint>

namespace orv {

// The panel, PLC and driver choice and the PLC window that the tool
// configuration file keeps in its CONFIGURATION section. A panel type 47
// with the project's variant 1 is kept as "ORV0755".
struct CfgChoice {
    uint16_t devType = 14;
    uint16_t spsType = 33;
    uint16_t drvNo = 5;
    uint16_t offset = 0;
    uint16_t length = 256;
    // 0: none.
    uint16_t db = 0;

    bool operator==(const CfgChoice&) const = default;
};

} // namespace orv
