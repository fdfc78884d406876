// Binds the emulator's link library as the program binds the real one and
// resets its panel per test row, so the link code runs against an emulated
// panel, faults included, without sleeping.
#pragma once

#include "PanelEmulator.h"
#include "PanelScenario.h"
#include "link/LinkContext.h"
#include "link/SerLinkBinding.h"
#include "platform/DynLib.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// libserlink-emu.so bound through CSerLinkBinding, its process-wide panel
// reached through orvlink_emu_panel(), and a link context whose sleep is
// recorded and added to the panel's line clock.
class EmuLinkFixture {
public:
    EmuLinkFixture();

    // A fresh panel of the scenario and no recorded sleeps; the context
    // stays, as the program's does.
    void Reset(const panelemu::PanelScenario& scenario = panelemu::PanelScenario());

    panelemu::PanelEmulator& Panel() { return *m_panel; }
    orv::CLinkContext& Context() { return *m_ctx; }
    const orv::SerLinkApi* Api() const { return m_binding.Api(); }
    const std::vector<uint32_t>& Sleeps() const { return m_sleeps; }

    // The panel's log as text: "start 115200", "start 38400", each command
    // as received, "end".
    std::vector<std::string> Log() const;
    // The commands alone.
    std::vector<std::string> Commands() const;
    int Count(const std::string& entry) const;
    // count bytes of the panel's memory from address in bank.
    std::string Memory(uint8_t bank, uint32_t address, size_t count) const;

private:
    orv::CSerLinkBinding m_binding;
    orv::DynLib m_lib;
    panelemu::PanelEmulator* m_panel = nullptr;
    std::unique_ptr<orv::CLinkContext> m_ctx;
    std::vector<uint32_t> m_sleeps;
};

// A scenario of the model; faults are added as the scenario file writes
// them.
panelemu::PanelScenario EmuScenario(uint16_t model, const std::vector<std::string>& faults = {});
