// The group of objects that make up one open project, borrowed by every layer
// that reads or writes it.
#pragma once

#include <cstdint>

namespace orv {

class CPrjData;
class CSpsPar;
class CDrvCfg;
class CFktCfg;
class CFrmCfg;
class CCharSet;

// The project manager's group of project objects, in the order the members
// reach each other. The members are borrowed here; the project manager
// creates and destroys them.
struct PrjBundle {
    CPrjData* prjData = nullptr;
    CSpsPar* spsPar = nullptr;
    CDrvCfg* drvCfg = nullptr;
    CFktCfg* fktCfg = nullptr;
    CFrmCfg* frmCfg = nullptr;
    CCharSet* charSet = nullptr;
    // Counted up by the members on a change, cleared with them.
    uint16_t modCount = 0;
    uint8_t flag = 0;

    void Clear() { *this = PrjBundle{}; }
    // Empties the members that exist, keeping the PLC definitions and the
    // chosen driver.
    void Reset();
};

} // namespace orv
