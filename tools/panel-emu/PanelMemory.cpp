// Banked panel memory allocated on first write, with the preset bytes a fresh
// panel shows.
#include "PanelMemory.h"

#include "BigEndian.h"

namespace panelemu {

void PanelMemory::SetPresets(uint8_t terminalModule, uint16_t word) {
    m_terminalModule = terminalModule;
    PutBe16(m_word, word);
}

uint8_t PanelMemory::Preset(uint16_t address, bool& isPreset) const {
    isPreset = true;
    if (address == kTerminalModuleAddress) return m_terminalModule;
    if (address == kPresetWordAddress) return m_word[0];
    if (address == kPresetWordAddress + 1) return m_word[1];
    isPreset = false;
    return 0xFF;
}

uint8_t PanelMemory::Read(uint8_t bank, uint16_t address) const {
    if (const auto& page = m_banks[bank]) return (*page)[address];
    bool isPreset = false;
    return Preset(address, isPreset);
}

void PanelMemory::Write(uint8_t bank, uint16_t address, uint8_t value) {
    auto& page = m_banks[bank];
    if (!page) {
        page = std::make_unique<std::vector<uint8_t>>(kBankSize, 0xFF);
        bool isPreset = false;
        for (uint16_t a : {kTerminalModuleAddress, kPresetWordAddress, uint16_t(kPresetWordAddress + 1)})
            (*page)[a] = Preset(a, isPreset);
    }
    (*page)[address] = value;
}

}  // namespace panelemu
