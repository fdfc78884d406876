// A driver configuration as a driver file with a cross-reference block would
// have set it up: flags, the six address limits, the entries and the PLC
// definitions.
#pragma once

#include "model/project/DrvCfg.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orv {

class ProjectWorld;

// A PLC definition named "SPS" and its number, as a driver brings it.
struct PlcDefRow {
    uint8_t num = 1;
    uint16_t adr = 0;
    uint16_t slot = 0;
    uint16_t rack = 0;
};

struct DrvXrefSetup {
    uint16_t drvNo = CDrvCfg::kDefaultDrv;
    bool listFlag = true;
    bool multi = false;
    // Entries of the reference list ("S") instead of the address table.
    bool indexed = false;
    // Entries 0..entries-1, every field 0.
    int entries = 40;
    std::array<uint16_t, CDrvCfg::kLimitCount> limits{20, 100, 200, 300, 400, 500};
    // Definitions named "old" at address number x 10, slot and rack 0.
    std::vector<uint8_t> plcs;
    std::vector<PlcDefRow> defs;

    void Apply(CDrvCfg& drv) const;
    void operator()(ProjectWorld& pp) const;
};

} // namespace orv
