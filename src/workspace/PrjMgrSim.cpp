// The workspace's simulation control: checks the connected panel and, for the
// 118 family, its data set and memory set-up before the worker takes the
// PLC's part; sets the panel up again when the simulation stops.
#include "workspace/PrjMgr.h"

#include "link/LinkCommands.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/core/UiServices.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "platform/FileLookup.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace orv {

namespace {

// The panel takes a second to settle between the link and the simulation.
constexpr uint32_t kSimSettleMs = 1000;
// The first version digit sits at 5 of the identification.
constexpr size_t kSimIdentChars = 8;
constexpr uint8_t kSimStatusBytes = 16;
constexpr uint16_t kSimTerminalAddress = 0x8040;
constexpr uint8_t kSimChecksumBytes = 2;
constexpr uint16_t kSimNameAddress = 5;
constexpr uint8_t kSimNameBytes = 12;
constexpr uint16_t kSimDriverBank = 0x20;
constexpr uint16_t kSimDriverNameAddress = 0x21;
constexpr uint16_t kSimBiosAddress = 0xA000;
constexpr uint8_t kSimBiosBytes = 15;
// The project file's name the panel keeps.
constexpr size_t kSimNameChars = 12;
// Codes of the log line of a failed step of the memory set-up.
constexpr int kSimStepBios = 9085;
constexpr int kSimStepWord = 9110;
constexpr int kSimStepX = 9135;
constexpr int kSimStepMemory = 9154;

// Data words the library reads at every start and stop.
struct SimPreset {
    uint16_t word;
    uint16_t value;
};
constexpr SimPreset kSimPresets[] = {{4, 0}, {13, 0x0FC8}, {14, 0}};

std::string SimConnectionLine(int step) { return FormatText("SIM ERROR Connection %d", step); }

bool SimStartsWith(const std::string& text, std::string_view prefix) { return text.rfind(prefix, 0) == 0; }

} // namespace

void CPrjMgr::SetSimProcessEnd(std::function<void(int)> processEnd, std::chrono::milliseconds bound)
{
    m_simProcessEnd = std::move(processEnd);
    m_simEndBound = bound;
}

void CPrjMgr::SetSimWord(uint16_t index, uint16_t value) { m_simBridge.SetWord(index, value); }

uint16_t CPrjMgr::GetSimWord(uint16_t index)
{
    if (!m_simActive)
        return 0;
    if (m_simBar)
        m_simBar->SetPos(static_cast<int>(m_simBridge.GetCycle()));
    return m_simBridge.GetWord(index);
}

bool CPrjMgr::SimLinkConnect()
{
    m_simSession = std::make_unique<CSimLinkSession>(LinkContext(), m_ws, GetPanelType(), GetLinkPort());
    if (m_simSession->Connect(kSimIdentChars))
        return true;
    if (m_simSession->GetError() != 0)
        m_lastError = kErrSimLink;
    return false;
}

int CPrjMgr::SimExchange(std::string_view command, size_t minBytes)
{
    return m_simSession ? m_simSession->Exchange(command, minBytes) : -1;
}

int CPrjMgr::SimReadBlock(uint16_t address, uint8_t count)
{
    if (SimExchange(ReadMemoryCommand(address, count), count) > 0)
        return 1;
    LogLine(kLogInfo, "SIM ERROR ReadStatusBlock");
    return -1;
}

bool CPrjMgr::SimReadStatus(std::array<uint8_t, 16>& status)
{
    if (SimExchange("SR", kSimStatusBytes) < 0)
        return SimFail("SIM ERROR ReadStatusBlock");
    const auto bytes = DecodeHexBytes(LinkContext().Answer(), kSimStatusBytes);
    std::copy(bytes->begin(), bytes->end(), status.begin());
    return true;
}

// Every failed step ends the link after its pause and tells the log why.
bool CPrjMgr::SimFail(const std::string& line, uint16_t error)
{
    if (error != 0)
        m_lastError = error;
    if (m_simSession)
        m_simSession->End();
    if (!line.empty())
        LogLine(kLogInfo, "%s", line.c_str());
    return false;
}

bool CPrjMgr::SimCheckPanel()
{
    bool fits = SimLinkConnect() && m_lastError == 0;
    if (!fits)
        SimFail("Simulation Error Connection", kErrSimLink);
    const std::string ident = LinkContext().Answer();
    const uint16_t panelType = GetPanelType();
    const PanelRow* row = FindPanel(panelType);
    const char* firmwareId = row ? FirmwareIdOf043(row->base) : nullptr;
    if (fits && firmwareId && !SimStartsWith(ident, firmwareId))
        fits = SimFail("Simulation errEPROMSign", kErrSimFirmware);
    const bool hasTerminal = row && row->simTerminal;
    if (fits && hasTerminal && !SimStartsWith(ident, "OG014"))
        fits = SimCheckTerminal(ident);
    if (fits && hasTerminal) {
        LogLine(kLogDebug, "fueher startOLDsim ->now ??");
    } else if (fits && row && row->family == Family::F118) {
        LogLine(kLogDebug, "SIM StartNEWSim");
        fits = SimStartNew();
    }
    // Ended in every case: the worker takes the port next.
    m_simSession.reset();
    return fits;
}

bool CPrjMgr::SimCheckTerminal(const std::string& ident)
{
    if (SimExchange(ReadMemoryCommand(kSimTerminalAddress, 1), 1) < 0)
        return SimFail("Simulation Error Connection", kErrSimLink);
    const std::string answer = LinkContext().Answer();
    const uint8_t module = HexPairToByte(answer[0], answer[1]);
    bool fits = false;
    if (SimStartsWith(ident, "OG036") || SimStartsWith(ident, "OG043"))
        fits = (module & 0x80) != 0 || ident[5] < '2';
    else if (SimStartsWith(ident, "OG047"))
        fits = (module & 0x01) != 0;
    return fits || SimFail("Simulation Error Terminal", kErrSimTerminal);
}

bool CPrjMgr::SimStartNew()
{
    std::array<uint8_t, 16> status{};
    if (!SimReadStatus(status))
        return false;
    LogLine(kLogDebug, "SIM ReadStatusBlock");
    if ((status[1] & 0x80) != 0)
        return SimFail("SIM ERROR ReadStatusBlock", kErrSimTerminal);

    const uint16_t page = (status[2] & 0x01) != 0 ? status[7] : static_cast<uint16_t>(status[7] * 2);
    LogLine(kLogDebug, "SIM Monitor aktiviere Page %d", page);
    if (SimExchange(BankCommand(page), 0) < 0)
        return SimFail("SIM ERROR activate Page");

    LogLine(kLogDebug, "SIM Checksum lesen");
    if (SimExchange("CR", kSimChecksumBytes) < 0)
        return SimFail("SIM ERROR Checksum");
    const std::string checksum = LinkContext().Answer().substr(0, 2 * kSimChecksumBytes);
    if (SimReadBlock(0, kSimChecksumBytes) < 0)
        return SimFail("");
    if (LinkContext().Answer().substr(0, 2 * kSimChecksumBytes) != checksum)
        return SimFail("SIM Checksum ERROR", kErrSimChecksum);
    LogLine(kLogDebug, "SIM Checksum OK");

    LogLine(kLogDebug, "SIM Dateiname lesen");
    if (SimReadBlock(kSimNameAddress, kSimNameBytes) < 0)
        return SimFail("");
    const std::string name = PanelText(*DecodeHexBytes(LinkContext().Answer(), kSimNameBytes));
    LogLine(kLogDebug, "SIM Dateiname: %s", name.c_str());

    if (SimExchange(BankCommand(kSimDriverBank), 0) < 0)
        return SimFail("SIM ERROR activate Page");
    LogLine(kLogDebug, "SIM Monitor aktiviere Page 0x20");
    LogLine(kLogDebug, "SIM Orginal-Treibername auslesen");
    if (SimReadBlock(kSimDriverNameAddress, kSimNameBytes) < 0)
        return SimFail("SIM ERROR ReadORVBlock");
    const std::string driver = PanelText(*DecodeHexBytes(LinkContext().Answer(), kSimNameBytes));
    LogLine(kLogDebug, "SIM Orginal-Treibername: %s", driver.c_str());

    if (!SimNameMatches(name)) {
        ShowBox(MsgKind::Warning,
                std::string(LoadLangString(msg::kDatensatzInDerORVBesitzt)) + "\n" +
                    LoadLangString(msg::kDargestellteBelegungDerSPSWorte),
                msg::kDatensatzInDerORVBesitzt);
        return SimFail("");
    }

    if (SimExchange(ReadMemoryCommand(kSimBiosAddress, kSimBiosBytes), kSimBiosBytes) < 0)
        return SimFail(SimConnectionLine(kSimStepBios), kErrSimLink);
    const auto bios = *DecodeHexBytes(LinkContext().Answer(), kSimBiosBytes);
    LogLine(kLogDebug, "BIOS:%s", std::string(bios.begin(), bios.end()).c_str());

    if (SimExchange(kSetupRead043, kSetupRead043Bytes) < 0)
        return SimFail(SimConnectionLine(kSimStepWord), kErrSimLink);
    const uint32_t word = BigEndianValue(*DecodeHexBytes(LinkContext().Answer(), kSetupRead043Bytes));
    if (SimExchange("X", kMinMemoryAnswer043 / 2) < 0)
        return SimFail(SimConnectionLine(kSimStepX), kErrSimLink);
    const uint16_t below = static_cast<uint16_t>(word - 2);
    const auto setup = MemorySetupCommand043(LinkContext().Answer(), FormatText("%02X%02X", below >> 8, below & 0xFF));
    if (!setup || SimExchange(*setup, 0) < 0)
        return SimFail(SimConnectionLine(kSimStepMemory), kErrSimLink);
    m_simSession->End();
    return true;
}

// The panel keeps the project file's name with the source tag, cut to its
// twelve places, in its own spelling.
bool CPrjMgr::SimNameMatches(const std::string& panelName) const
{
    const CPrjData* root = GetPrjData();
    if (root == nullptr || root->GetPath().empty())
        return true;
    const std::string stem = std::filesystem::path(root->GetPath()).stem().string();
    const std::string expected = (stem + "." + m_ws.Tags().source).substr(0, kSimNameChars);
    return EqualNoCase(expected, panelName);
}

bool CPrjMgr::SimResetPanel()
{
    if (m_lastError != 0)
        return true;
    bool ok = SimLinkConnect() && SimExchange(kSetupRead043, kSetupRead043Bytes) > 0;
    const std::string kept = ok ? LinkContext().Answer() : std::string();
    ok = ok && SimExchange("X", kMinMemoryAnswer043 / 2) > 0;
    const auto setup = ok ? MemorySetupCommand043(LinkContext().Answer(), kept) : std::nullopt;
    ok = setup && SimExchange(*setup, 0) > 0;
    if (!ok)
        SimFail("Simulation Connection Error", kErrSimLink);
    m_simSession.reset();
    return ok;
}

void CPrjMgr::ClearSimBar()
{
    if (!m_simBar)
        return;
    m_simBar->SetPos(0);
    m_simBar->Clear();
}

void CPrjMgr::ToggleSimulation()
{
    for (const SimPreset& preset : kSimPresets)
        m_simBridge.SetWord(preset.word, preset.value);
    if (!m_simIdle) {
        SimStopPath();
        return;
    }
    m_simBar = GetUiServices().CreateProgressBar("", 20, 100, false, 0);
    if (m_simBridge.IsRunning())
        return;
    // A stale transfer error must neither block the start nor skip the
    // panel's reset at the next stop.
    m_lastError = 0;
    if (!IsSimDrvBound() && !SimCheckPanel()) {
        ClearSimBar();
        LogLine(kLogInfo, "Simulation failed");
        return;
    }
    LinkContext().Sleep(kSimSettleMs);
    m_simBridge.ClearStop();
    const uint32_t threadId = m_simBridge.StartSimThread(EmulPath(m_ws.GetProgramDir()), GetSimPort());
    LogLine(kLogDebug, "Simulation started ThreadID:%X", threadId);
    m_simActive = true;
    m_simIdle = false;
    m_simBar->SetText(LoadLangString(msg::kSimulationLaeuft));
}

void CPrjMgr::SimStopPath()
{
    StopSimulation();
    m_simIdle = true;
    if (!IsSimDrvBound()) {
        LinkContext().Sleep(kSimSettleMs);
        SimResetPanel();
    }
    // Also with the simulation driver bound: the bar must not keep saying
    // that the simulation runs.
    ClearSimBar();
    LogLine(kLogDebug, "Simulation stopped");
}

void CPrjMgr::StopSimulation()
{
    m_simBridge.RequestStop();
    m_simActive = false;
}

bool CPrjMgr::PollSimulation()
{
    // Read before the notices, so that everything the ended worker queued is
    // shown now.
    const bool workerEnded = !m_simBridge.IsRunning();
    m_simBridge.ShowNotices();
    if (m_simActive && workerEnded) {
        SimStopPath();
        return false;
    }
    return m_simActive;
}

// The block cannot be freed under a running library, and exit handlers must
// not run under it either: a worker that does not end in time ends the
// process at once.
void CPrjMgr::EndApplication()
{
    StopSimulation();
    if (m_simBridge.WaitEnded(m_simEndBound))
        return;
    if (m_simProcessEnd)
        m_simProcessEnd(0);
    else
        std::_Exit(0);
}

} // namespace orv
