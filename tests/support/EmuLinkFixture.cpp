// Binds the emulator's link library once per process and hands each test a
// fresh panel and a context that records its pauses.
#include "support/EmuLinkFixture.h"

#include "FaultScript.h"

#include <gtest/gtest.h>

namespace {

using PanelFn = panelemu::PanelEmulator* (*)();

} // namespace

EmuLinkFixture::EmuLinkFixture()
{
    EXPECT_TRUE(m_binding.Bind(ORV_SERLINK_EMU));
    EXPECT_TRUE(m_lib.Open(ORV_SERLINK_EMU));
    if (auto panel = reinterpret_cast<PanelFn>(m_lib.Symbol("orvlink_emu_panel")))
        m_panel = panel();
    EXPECT_NE(m_panel, nullptr);
    m_ctx = std::make_unique<orv::CLinkContext>(m_binding.Api(), [this](uint32_t ms) {
        m_sleeps.push_back(ms);
        if (m_panel)
            m_panel->AddWait(ms);
    });
    Reset();
}

void EmuLinkFixture::Reset(const panelemu::PanelScenario& scenario)
{
    if (m_panel)
        m_panel->Reset(scenario);
    m_sleeps.clear();
}

std::vector<std::string> EmuLinkFixture::Log() const
{
    std::vector<std::string> log;
    for (const panelemu::LogEntry& e : m_panel->Log()) {
        switch (e.kind) {
        case panelemu::LogEntry::Kind::Start: log.push_back(e.fast ? "start 115200" : "start 38400"); break;
        case panelemu::LogEntry::Kind::End: log.push_back("end"); break;
        case panelemu::LogEntry::Kind::Command: log.push_back(e.command); break;
        }
    }
    return log;
}

std::vector<std::string> EmuLinkFixture::Commands() const
{
    std::vector<std::string> commands;
    for (const panelemu::LogEntry& e : m_panel->Log())
        if (e.kind == panelemu::LogEntry::Kind::Command)
            commands.push_back(e.command);
    return commands;
}

int EmuLinkFixture::Count(const std::string& entry) const
{
    int n = 0;
    for (const std::string& e : Log())
        n += e == entry;
    return n;
}

std::string EmuLinkFixture::Memory(uint8_t bank, uint32_t address, size_t count) const
{
    std::string bytes;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t at = address + static_cast<uint32_t>(i);
        bytes += static_cast<char>(m_panel->Memory().Read(static_cast<uint8_t>(bank + (at >> 16)),
                                                          static_cast<uint16_t>(at)));
    }
    return bytes;
}

panelemu::PanelScenario EmuScenario(uint16_t model, const std::vector<std::string>& faults)
{
    panelemu::PanelScenario scenario;
    scenario.model = model;
    for (const std::string& text : faults) {
        panelemu::FaultRule rule;
        std::string error;
        EXPECT_TRUE(panelemu::ParseFaultRule(text, rule, error)) << error;
        scenario.faults.push_back(rule);
    }
    return scenario;
}
