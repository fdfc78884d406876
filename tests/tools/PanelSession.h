#pragma once

#include "EmuLink.h"
#include "PanelEmulator.h"

#include <cstdint>
#include <string>
#include <vector>

// The program's side of the panel protocol, written out as the transfer and
// read-back sequences use it, over the emulator's link. Every exchange must
// pass the program's checks: result 0, an answer, no refusal.
class PanelSession {
public:
    explicit PanelSession(panelemu::PanelEmulator& panel, uint16_t panelType)
        : m_link(panel), m_type(panelType) {}

    // Start at 115200 baud and ask for the identification.
    std::string Connect();
    void End();

    std::string Exchange(const std::string& command);
    std::string Read(uint16_t address, uint8_t count);  // hex answer of exactly 2 * count digits
    std::vector<uint8_t> ReadBytes(uint16_t address, uint8_t count);
    uint16_t ReadWord(uint16_t address);
    std::string ReadText(uint16_t address, uint8_t count);  // cut at the first character below '!'
    void SelectBank(uint8_t bank);

    // Centred display lines as the transfer and the read-back build them.
    void ShowTitle(const std::string& text);
    void ShowFileName(const std::string& prefix, const std::string& name);
    void ClearDisplay();
    // "M" from the "X" answer for the 043 and 118 families.
    void SendShortMemoryBlock();
    // "M" from the "X" answer for the 706 family; returns the command.
    std::string SendPatchedMemoryBlock();

    // Writes a file into memory from `start` in the current bank, in commands
    // of at most 51 characters, switching banks at the bank end.
    void SendFile(const std::vector<uint8_t>& file, uint16_t start);
    // Reads `count` bytes from `start` of `bank` in blocks of 32.
    std::vector<uint8_t> ReadToFile(uint8_t bank, uint16_t start, uint32_t count);

    uint8_t Bank() const { return m_bank; }

private:
    bool Family118() const { return m_type == 118 || m_type == 163 || m_type == 167; }
    bool Family043() const { return m_type == 14 || m_type == 36 || m_type == 43 || m_type == 47; }
    uint16_t BankEnd() const { return Family043() || Family118() ? 0x7FFF : 0xFFFF; }
    void ShowLine(const std::string& prefix, size_t width, const std::string& text);

    panelemu::EmuLink m_link;
    uint16_t m_type;
    uint8_t m_bank = 0;
};
