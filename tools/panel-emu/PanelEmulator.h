// The emulated panel behind the test link library: its side of the command
// protocol, state kept across link starts.
#pragma once

#include "FaultScript.h"
#include "PanelMemory.h"
#include "PanelScenario.h"

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace panelemu {

// What the panel answers, and the link result that comes with it.
struct Reply {
    std::string answer;
    uint16_t result = 0;
};

struct LogEntry {
    enum class Kind { Start, Command, End };
    Kind kind = Kind::Command;
    bool fast = false;        // Start: the rate asked for
    std::string command;      // Command: as received
    std::string answer;
    uint16_t result = 0;
};

// The panel's side of the command protocol: memory banks, status block,
// programming and power states, display lines, and the fault script. Its
// state lives as long as the object, across link ends and starts.
class PanelEmulator {
public:
    explicit PanelEmulator(const PanelScenario& scenario = PanelScenario());

    // A fresh panel of the scenario on this object: memory, state, faults,
    // log and line clock, so that one process can run many panels.
    void Reset(const PanelScenario& scenario);

    // 0, or 21 when the fault script fails the open.
    uint16_t Start(bool fast);
    Reply Command(const std::string& command);
    void End();

    PanelMemory& Memory() { return m_memory; }
    const PanelMemory& Memory() const { return m_memory; }
    uint8_t Bank() const { return m_bank; }
    const std::array<uint8_t, 16>& Status() const { return m_status; }
    uint8_t Flags() const { return m_flags; }
    const std::array<std::string, 4>& Lines() const { return m_lines; }
    const std::string& MemoryBlock() const { return m_memoryBlock; }
    bool Answering() const { return m_answering; }
    const std::vector<LogEntry>& Log() const { return m_log; }
    const PanelScenario& Scenario() const { return m_scenario; }

    // The line clock: what the frames would take on the wire. Every frame
    // adds (command + checksum) + one zero byte + (answer + checksum)
    // characters of 11 bits (start, 8 data, even parity, stop) at the last
    // start's rate and the library's 1 ms; the first frame after a start adds
    // the handshake's 100 ms and its zero byte.
    double ClockUs() const { return m_clockUs; }
    // The part of the clock that callers added with AddWait.
    double CallerWaitUs() const { return m_callerWaitUs; }
    uint64_t CharsSent() const { return m_charsSent; }
    uint64_t CharsReceived() const { return m_charsReceived; }
    uint64_t Frames() const { return m_frames; }
    // A pause of the caller, added to the clock.
    void AddWait(uint32_t ms);
    void ResetClock();

private:
    std::string Execute(const std::string& command);
    std::string ReadMemory(const std::string& command);
    std::string WriteMemory(const std::string& command);
    std::string SelectBank(const std::string& command);
    std::string ShowLine(const std::string& command);
    std::string Status(const std::string& command);
    std::string Sequence(const std::string& command);
    std::string CheckWord(const std::string& command);
    std::string Acknowledge(const std::string& command);
    std::string SetMemoryBlock(const std::string& command);
    std::string Flags(const std::string& command);
    uint16_t BankChecksum(uint8_t bank) const;
    Reply ApplyFault(const FaultRule& rule, const std::string& command);
    void AccountFrame(size_t commandLength, size_t answerLength);

    PanelScenario m_scenario;
    FaultScript m_faults;
    PanelMemory m_memory;
    uint8_t m_bank = 0;
    std::array<uint8_t, 16> m_status{};
    uint8_t m_flags = 0;
    std::array<std::string, 4> m_lines;
    std::string m_memoryBlock;
    bool m_programming = false;
    bool m_powered = false;
    std::optional<uint8_t> m_programmedBank;  // current at the last "EP0"
    std::set<uint8_t> m_banksWritten;  // since the last "EP0"
    bool m_wroteFunctionSize = false;  // bank 5 at 0xA000 since the last "EP0"
    bool m_answering = false;
    std::vector<LogEntry> m_log;
    bool m_fast = true;          // the rate of the last start
    bool m_handshakeDue = false;  // no frame yet since the last start
    double m_clockUs = 0;
    double m_callerWaitUs = 0;
    uint64_t m_charsSent = 0;
    uint64_t m_charsReceived = 0;
    uint64_t m_frames = 0;
};

}  // namespace panelemu
