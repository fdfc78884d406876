// The read-back of a panel of the 706 family (473, 477, 706): data set, PLC
// driver and special-function file into NAME.BIN, NAME.DRV and NAME.FKT.
#pragma once

#include "link/Receive.h"

namespace orv {

// Checks that panel, driver and PLC data area fit the project, then reads
// the files; the whole read-back runs in the constructor.
class CReceive706 : public CReceive {
public:
    // The walk over the driver's parameter entries ends after this many.
    static constexpr int kMaxAreaEntries = 1024;

    CReceive706(CLinkContext& ctx, CWorkspaceState& workspace, CPrjData* project, const CDrvCfg* drvCfg,
                const CSpsPar* spsPar, uint16_t panelType, uint16_t port, uint8_t traceFlag);

    void ReadBack();
    // Replaces the data area by the panel driver's "AK", "AL" and "AM"
    // entries of type 134.
    void ReadDriverAreaEntries();
    // True when read back; then the project's path becomes the panel's
    // project name.
    bool ReportResult();

private:
    uint16_t DriverBase() const;
    bool ReadNames();
    void TakeProjectArea();
    bool CheckProject();
    bool SetUpMemory();
    bool ShowReading();
    void ReadFiles();

    uint16_t m_curBank = 0;
    uint16_t m_dataSetBank = 6;
    uint8_t m_flags = 0;
};

} // namespace orv
