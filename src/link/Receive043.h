// The read-back of a panel of the 043 family (14, 36, 43, 47, 755) into the
// data-set image, and of the 118 family (118, 163, 167) into image, recipe
// and driver files, from the record the user picks.
#pragma once

#include "link/Receive.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Checks the panel, its record and its data area against the project, then
// reads the files; the whole read-back runs in the constructor.
class CReceive043 : public CReceive {
public:
    static constexpr size_t kStatusSize = 16;
    using StatusBlock = std::array<uint8_t, kStatusSize>;

    CReceive043(CLinkContext& ctx, CWorkspaceState& workspace, CPrjData* project, const CDrvCfg* drvCfg,
                const CSpsPar* spsPar, uint16_t panelType, uint16_t port, uint8_t traceFlag);

    // True when read back; then the project's path becomes the panel's
    // project name.
    bool ReportResult();
    // "SR" into the block; false after a failed exchange.
    bool ReadStatusBlock(StatusBlock& block);
    // The record choice of the kept form over the entries; false when
    // cancelled.
    bool SelectDataSet(const std::vector<std::string>& entries);

    uint16_t GetChosenDataSet() const { return m_chosen; }

private:
    void ReadBinary();
    void ReadWithRecipes();
    bool TakeIdentification();
    // The panel's project name, checked before it becomes a file name.
    bool ReadProjectName();
    void FillDataArea(uint16_t size);
    bool CheckDataArea();
    void ReadVariableAreaEntries(uint16_t size);
    bool CheckProjectPanel(bool family118);
    bool ShowReadingAndSetUp();
    std::string ProjectFile(const std::string& tag) const;
    void RemoveFile(const std::string& path) const;

    uint8_t m_dataSetChoice = 0;
    uint16_t m_chosen = 0;
    char m_versionDigit = 0;
};

} // namespace orv
