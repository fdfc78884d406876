// The transfer of a data set to a panel of the 043 family (14, 36, 43, 47,
// 755), and of data set, recipes, driver and firmware to the record the user
// picks on a panel of the 118 family (118, 163, 167).
#pragma once

#include "link/Transmit.h"

#include <array>
#include <cstdint>
#include <memory>

namespace orv {

// Checks that the data set fits the panel, then writes it; the whole
// transfer runs in the constructor.
class CTransmit043 : public CTransmit {
public:
    CTransmit043(CLinkContext& ctx, CWorkspaceState& workspace, uint16_t panelType, uint16_t port, uint8_t traceSel,
                 const std::string& projectPath, const CPrjData* project);
    ~CTransmit043();

    // True when the transfer went through; otherwise shows the message.
    bool ReportResult();
    // The record choice of the kept form; false when cancelled.
    bool SelectRecord();

    uint32_t GetSelectedRecord() const { return m_record; }
    uint8_t GetRecipeOption() const { return m_recipeOption; }

private:
    using StatusBlock = std::array<uint8_t, kStatusSize>;

    void RunDataSet();
    bool ReadImageVersions();
    bool CheckPanel();
    bool CheckTerminalModule(bool bit7Rule);
    bool CheckDigits();
    // Set-up, the bank when asked, programming, the display and the image
    // from the start address, up to "POF"; false on a failure.
    bool WriteImage(bool selectBank, uint16_t start);

    void RezepteTxRX();
    bool MarkDriverFile();
    bool CheckInterface();
    bool CompareRecipes(StatusBlock& status);
    void WriteRecords(StatusBlock& status);
    // The bank command, "EP0" under the command trace value, the file's
    // name and "PON"; false on a failed exchange.
    bool OpenBank(uint16_t bank, int fileIndex);
    // The display's clearing, its resend and the title.
    bool ShowTitleLine(uint32_t textId);
    bool SetUpMemory();

    std::unique_ptr<StatusBlock> m_recipeBuffer;
    uint8_t m_recordSelection = 0;
    uint32_t m_record = 0;
    uint8_t m_recipeOption = 0;
};

} // namespace orv
