#pragma once

#include "FwFixture.h"
#include "image/firmware/FirmwareSource.h"
#include "model/project/PrjIntVar.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class CPrjVarList;

// A root whose built-in content comes through the firmware source from a
// firmware file of the fixture's directory, with a character set of the
// root's panel type.
class BuiltinContentFixture : public FwFixture {
public:
    BuiltinContentFixture(const std::string& firmware, const std::string& fileName)
    {
        world.Rewire(WorldPart::CharSet);
        prj.SetFwVarSource(&source);
        workspace.SetFormFile(WriteFw(firmware, fileName));
    }

    void ClearAs(uint16_t devType)
    {
        prj.SetDevType(devType);
        charSet.SetDevType(devType);
        prj.Clear();
    }

    const CPrjIntVar* IntVar(const char* name) const { return dynamic_cast<const CPrjIntVar*>(FindVar(name)); }

    // The names of the list in its own order.
    static std::vector<std::string> Names(const CPrjVarList& list);

    CFirmwareVarSource source{workspace};
};

} // namespace orv
