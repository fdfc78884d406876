#pragma once

#include "../drv/DrvWorld.h"
#include "model/project/PrjVarList.h"

#include <string>

namespace orv {

class CPrjVar;

// The image fixture with a firmware configuration in the bundle, and the
// firmware files the tests write into its directory.
class FwFixture : public DrvWorld {
public:
    FwFixture() { world.Rewire(WorldPart::Frm); }

    // Writes the bytes as a file of that name and returns its path.
    std::string WriteFw(const std::string& bytes, const std::string& name = "FW.FRM") const
    {
        dir.Write(name, bytes);
        return dir.File(name);
    }

    // A variable of the variable list, else of the firmware variable list.
    CPrjVar* FindVar(const char* name) const;
    int VarCount() const;
    int FwVarCount() const;
};

} // namespace orv
