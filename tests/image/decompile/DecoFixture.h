#pragma once

#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "support/FrameFixture.h"
#include "support/SpsParBuilder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orv {

class CPrjVar;

// A frame with a full project bundle for decompiles: a cleared root of the
// panel type, PLC parameters whose data words 0..63 are VAR items and word
// 100 a SYS item, the driver and special-function configurations and a
// character set, all in a temporary directory.
class DecoFixture : public FrameFixture {
public:
    explicit DecoFixture(uint16_t devType = 43);

    // The image file written from bytes; its path.
    std::string WriteImage(const std::string& bytes, const std::string& name = "IMG.BIN") const;
    std::string DrvPath() const { return dir.File("PRJ.DRV"); }
    // Clears the project, the PLC definitions, the counters and the
    // recorded calls before the next decompile on this fixture.
    void ResetForDecompile();
    std::vector<int> BoxIds() const;
    std::vector<std::string> LogLines() const;
    bool Logged(const std::string& line) const;
    // A variable of the project's variable list, else of the firmware's.
    CPrjVar* Var(const std::string& name) const;

    CCharSet charSet{&bundle};
    CPrjData prj{&bundle};
    std::unique_ptr<CSpsPar> sps;
    CDrvCfg drv{&workspace, &bundle};
    CFktCfg fkt{&bundle};
};

} // namespace orv
