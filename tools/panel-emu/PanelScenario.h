// What makes one emulated panel differ from another, loaded from a scenario
// file.
#pragma once

#include "FaultScript.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace panelemu {

// Everything that makes one emulated panel differ from another.
struct PanelScenario {
    struct Preload {
        uint8_t bank = 0;
        uint16_t address = 0;
        std::vector<uint8_t> bytes;  // continue into the next bank past 0xFFFF
    };

    uint16_t model = 706;
    char variant = '1';     // second version digit and character 8 of the 047 panel
    uint8_t fieldbus = 0;   // characters 28-29 of the 473 and 477 identification
    std::string identification;  // when set, the "V" answer as it stands
    bool runs115200 = true;
    bool runs38400 = true;
    std::array<uint8_t, 16> status{};
    std::string xAnswer = "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF";
    uint8_t terminalModule = 0x81;
    uint16_t presetWord = 0x0100;
    uint8_t moduleCode = 0;
    uint8_t dataSetFlags = 0;  // "C" flags held before any transfer (bits 0, 1, 4)
    std::vector<Preload> preloads;
    std::vector<FaultRule> faults;

    std::string Identification() const;
};

bool KnownModel(uint16_t model);
// "OG" and the model in three digits, three version digits, a sub-version,
// a free text and the fieldbus pair at 28-29.
std::string DefaultIdentification(uint16_t model, char variant, uint8_t fieldbus);

// ScenarioFile.cpp. Reads section "Panel" of a scenario INI file; preload files are taken
// relative to the scenario's directory. False with a reason.
bool LoadScenario(const std::string& iniFile, PanelScenario& scenario, std::string& error);

}  // namespace panelemu
