// The emulated panel's banked memory.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace panelemu {

// 256 banks of 64 KiB, erased to 0xFF and allocated on first write. Every bank
// shows the terminal-module byte at 0x8040 and the word at 0xFFFE until those
// bytes are written in it.
class PanelMemory {
public:
    static constexpr size_t kBanks = 256;
    static constexpr size_t kBankSize = 0x10000;
    static constexpr uint16_t kTerminalModuleAddress = 0x8040;
    static constexpr uint16_t kPresetWordAddress = 0xFFFE;

    void SetPresets(uint8_t terminalModule, uint16_t word);
    uint8_t Read(uint8_t bank, uint16_t address) const;
    void Write(uint8_t bank, uint16_t address, uint8_t value);
    bool Allocated(uint8_t bank) const { return m_banks[bank] != nullptr; }

private:
    uint8_t Preset(uint16_t address, bool& isPreset) const;

    std::array<std::unique_ptr<std::vector<uint8_t>>, kBanks> m_banks;
    uint8_t m_terminalModule = 0xFF;
    uint8_t m_word[2] = {0xFF, 0xFF};
};

}  // namespace panelemu
