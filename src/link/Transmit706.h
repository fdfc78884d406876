// The transfer of a compiled data set with its firmware, PLC driver and
// special-function file to a panel of the 706 family (473, 477, 706).
#pragma once

#include "link/Transmit.h"

namespace orv {

// Checks that data set, firmware and panel fit together, then writes the
// files into the panel; the whole transfer runs in the constructor.
class CTransmit706 : public CTransmit {
public:
    CTransmit706(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port, uint8_t traceSel,
                 const std::string& projectPath, const CPrjData* project);

    // True when the transfer went through; otherwise shows the message.
    bool ReportResult();
    uint16_t GetFeatureCode() const { return m_featureCode; }

private:
    void Run();
    bool CheckFeatures();
    bool CheckFirmwareId();
    bool ReadVersions();
    bool CheckPanel();
    bool CheckFieldbus(const std::string& answer);
    void SetUpMemory();
    void SendFiles();

    uint16_t m_featureCode = 0;
};

} // namespace orv
