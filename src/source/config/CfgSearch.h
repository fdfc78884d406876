// Finds the driver parameter items of a panel, PLC and driver in the
// start-selection configuration file, for a new or re-configured project.
#pragma once

#include "source/reader/Parser.h"

#include <cstdint>

namespace orv {

class CPrjData;
class CSpsPar;
class CWorkspaceState;
struct PrjBundle;

// Builds the driver parameter items of the chosen panel, PLC type and
// driver from the ADR lines of their section in the start-selection
// configuration file.
class CCfgSearch : public CParser {
public:
    static constexpr uint16_t kErrOpen = 4;
    static constexpr uint16_t kErrCombination = 17;

    CCfgSearch(const CWorkspaceState& workspace, const PrjBundle& bundle);

    // Items created before a faulty line stay with the PLC parameters.
    void LoadCombination(uint16_t devType, uint16_t spsType, uint16_t drvNo);

    // Shows the message of the error, clears it and returns false; true
    // without an error.
    bool CheckError() override;

private:
    // The rest of an ADR line after the keyword; false when a part is
    // missing or out of range.
    [[nodiscard]] bool ReadAdrLine();
    // Inserts one item per data word; a word that has an item keeps it.
    void CreateItems(uint8_t kind, int first, int last, uint8_t direction, uint16_t msgNo, uint16_t textNo);

    CPrjData* m_root;
    CSpsPar* m_sps;
};

} // namespace orv
