// Answers the link commands from the emulated panel's memory and state; a
// malformed command is refused as the panel would.
#include "PanelEmulator.h"

#include "BigEndian.h"
#include "HexText.h"

namespace panelemu {

namespace {

const std::string kAck = "OK";
const std::string kUnknown = "?01";
const std::string kBadLength = "?02";
const std::string kNotHex = "?03";
const std::string kBadValue = "?04";
const std::string kNotProgramming = "?11";

constexpr uint8_t kFlagsAlwaysSet = 0x0C;
constexpr uint8_t kFlagDataSetBank6 = 0x01;
constexpr uint8_t kFlagFunctionFile = 0x10;
constexpr uint8_t kDataSetBank = 6;
constexpr uint8_t kFunctionBank = 5;
constexpr uint16_t kFunctionSizeAddress = 0xA000;
constexpr uint8_t kTransferEnd = 0x81;
constexpr uint16_t kChecksumFirst = 0x0002;
constexpr uint16_t kChecksumLast = 0x7FFF;
constexpr size_t kLineWidth = 40;
constexpr size_t kStatusCommandLength = 2 + 4 + 32;
constexpr double kBitsPerChar = 11;  // start, 8 data, even parity, stop
constexpr double kFrameWaitUs = 1000;
constexpr double kHandshakeUs = 100000;

// Parses the hex digits after a fixed command word into one number.
bool HexField(const std::string& command, size_t from, size_t digits, uint32_t& value, std::string& refusal) {
    if (command.size() != from + digits) {
        refusal = kBadLength;
        return false;
    }
    if (!ParseHexNumber(command.substr(from), value)) {
        refusal = kNotHex;
        return false;
    }
    return true;
}

}  // namespace

PanelEmulator::PanelEmulator(const PanelScenario& scenario)
    : m_scenario(scenario), m_status(scenario.status), m_flags(scenario.dataSetFlags) {
    for (const FaultRule& rule : scenario.faults) m_faults.Add(rule);
    m_memory.SetPresets(scenario.terminalModule, scenario.presetWord);
    for (const PanelScenario::Preload& preload : scenario.preloads) {
        uint8_t bank = preload.bank;
        uint16_t address = preload.address;
        for (uint8_t byte : preload.bytes) {
            m_memory.Write(bank, address, byte);
            if (++address == 0) ++bank;
        }
    }
}

void PanelEmulator::Reset(const PanelScenario& scenario) { *this = PanelEmulator(scenario); }

void PanelEmulator::AddWait(uint32_t ms) {
    m_clockUs += ms * 1000.0;
    m_callerWaitUs += ms * 1000.0;
}

void PanelEmulator::ResetClock() {
    m_clockUs = 0;
    m_callerWaitUs = 0;
    m_charsSent = 0;
    m_charsReceived = 0;
    m_frames = 0;
}

void PanelEmulator::AccountFrame(size_t commandLength, size_t answerLength) {
    uint64_t sent = commandLength + 1 + 1;  // checksum, then the zero byte that asks for the answer
    const uint64_t received = answerLength + 1;
    double waitUs = kFrameWaitUs;
    if (m_handshakeDue) {
        ++sent;
        waitUs += kHandshakeUs;
        m_handshakeDue = false;
    }
    const double rate = m_fast ? 115200.0 : 38400.0;
    m_clockUs += static_cast<double>(sent + received) * kBitsPerChar * 1e6 / rate + waitUs;
    m_charsSent += sent;
    m_charsReceived += received;
    ++m_frames;
}

uint16_t PanelEmulator::Start(bool fast) {
    LogEntry entry;
    entry.kind = LogEntry::Kind::Start;
    entry.fast = fast;
    m_fast = fast;
    m_handshakeDue = true;
    m_answering = fast ? m_scenario.runs115200 : m_scenario.runs38400;
    if (const auto fault = m_faults.TakeStart()) {
        m_answering = false;
        if (fault->action == FaultRule::Action::FailOpen) entry.result = 21;
    }
    m_log.push_back(entry);
    return entry.result;
}

void PanelEmulator::End() {
    m_answering = false;
    LogEntry entry;
    entry.kind = LogEntry::Kind::End;
    m_log.push_back(entry);
}

Reply PanelEmulator::Command(const std::string& command) {
    Reply reply;
    if (m_answering) {
        if (const auto fault = m_faults.TakeCommand(command)) reply = ApplyFault(*fault, command);
        else reply.answer = Execute(command);
    }
    AccountFrame(command.size(), reply.answer.size());
    m_log.push_back({LogEntry::Kind::Command, false, command, reply.answer, reply.result});
    return reply;
}

Reply PanelEmulator::ApplyFault(const FaultRule& rule, const std::string& command) {
    Reply reply;
    switch (rule.action) {
    case FaultRule::Action::Refuse:
        reply.answer = rule.refusal;
        break;
    case FaultRule::Action::Empty:
        Execute(command);
        break;
    case FaultRule::Action::Cut:
        reply.answer = Execute(command).substr(0, rule.cut);
        break;
    case FaultRule::Action::Answer:
        Execute(command);
        reply.answer = rule.answer;
        break;
    case FaultRule::Action::Result:
        reply.result = rule.result;
        // Faults on the way back: the panel has acted on the command. A wrong
        // checksum leaves the text in the buffer, as the library does.
        if (rule.result == 28 || rule.result == 30 || rule.result == 31 || rule.result == 32) {
            const std::string answer = Execute(command);
            if (rule.result == 31) reply.answer = answer;
        }
        break;
    case FaultRule::Action::RefuseRate:
    case FaultRule::Action::FailOpen:
        break;
    }
    return reply;
}

std::string PanelEmulator::Execute(const std::string& command) {
    if (command.empty()) return kUnknown;
    switch (command[0]) {
    case 'V': return command.size() == 1 ? m_scenario.Identification() : kBadLength;
    case 'X': return command.size() == 1 ? m_scenario.xAnswer : kBadLength;
    case 'R': return ReadMemory(command);
    case 'W': return WriteMemory(command);
    case 'B': return SelectBank(command);
    case 'D': return ShowLine(command);
    case 'S': return Status(command);
    case 'E':
    case 'P': return Sequence(command);
    case 'A': return Acknowledge(command);
    case 'M': return SetMemoryBlock(command);
    case 'C': return command.size() == 1 ? Flags(command) : CheckWord(command);
    default: return kUnknown;
    }
}

std::string PanelEmulator::ReadMemory(const std::string& command) {
    uint32_t field = 0;
    std::string refusal;
    if (!HexField(command, 1, 6, field, refusal)) return refusal;
    auto address = static_cast<uint16_t>(field >> 8);
    const uint32_t count = field & 0xFF;
    std::vector<uint8_t> bytes;
    for (uint32_t i = 0; i < count; ++i) bytes.push_back(m_memory.Read(m_bank, address++));
    return ToHex(bytes);
}

std::string PanelEmulator::WriteMemory(const std::string& command) {
    std::vector<uint8_t> bytes;
    uint32_t address = 0;
    if (command.size() < 7 || command.size() % 2 == 0) return kBadLength;
    if (!ParseHexNumber(command.substr(1, 4), address) || !ParseHex(command.substr(5), bytes)) return kNotHex;
    if (!m_programming || !m_powered) return kNotProgramming;
    auto at = static_cast<uint16_t>(address);
    for (uint8_t byte : bytes) {
        if (m_bank == kFunctionBank && at == kFunctionSizeAddress) m_wroteFunctionSize = true;
        m_memory.Write(m_bank, at++, byte);
    }
    m_banksWritten.insert(m_bank);
    return kAck;
}

std::string PanelEmulator::SelectBank(const std::string& command) {
    uint32_t bank = 0;
    std::string refusal;
    if (!HexField(command, 1, 2, bank, refusal)) return refusal;
    m_bank = static_cast<uint8_t>(bank);
    return kAck;
}

std::string PanelEmulator::ShowLine(const std::string& command) {
    if (command.size() < 2) return kBadLength;
    const char line = command[1];
    if (line < '1' || line > '4') return kBadValue;
    if (command.size() > 2 + kLineWidth) return kBadLength;
    m_lines[static_cast<size_t>(line - '1')] = command.substr(2);
    return kAck;
}

std::string PanelEmulator::Status(const std::string& command) {
    if (command == "SR") return ToHex(std::vector<uint8_t>(m_status.begin(), m_status.end()));
    if (command.substr(0, 2) == "SR") return kBadLength;
    if (command.substr(0, 2) != "SW") return kUnknown;
    if (command.size() != kStatusCommandLength) return kBadLength;
    std::vector<uint8_t> block;
    for (size_t i = 2; i < 6; ++i)
        if (command[i] < '0' || command[i] > '9') return kNotHex;
    if (!ParseHex(command.substr(6), block)) return kNotHex;
    if (command.substr(2, 4) != "0000") return kBadValue;
    std::copy(block.begin(), block.end(), m_status.begin());
    return kAck;
}

std::string PanelEmulator::Sequence(const std::string& command) {
    const std::string word = command.substr(0, 2);
    if (word != "EP" && word != "PO") return kUnknown;
    if (command.size() != 3) return kBadLength;
    if (command == "EP0") {
        m_programming = true;
        m_programmedBank = m_bank;
        m_banksWritten.clear();
        m_wroteFunctionSize = false;
    } else if (command == "EP1") {
        m_programming = false;
    } else if (command == "PON") {
        m_powered = true;
    } else if (command == "POF") {
        m_powered = false;
    } else {
        return kBadValue;
    }
    return kAck;
}

std::string PanelEmulator::Acknowledge(const std::string& command) {
    uint32_t code = 0;
    std::string refusal;
    if (!HexField(command, 1, 2, code, refusal)) return refusal;
    // The end of a data-set transfer marks the data set, and the
    // special-function file with it when its size word was written.
    if (code == kTransferEnd && m_banksWritten.count(kDataSetBank)) {
        m_flags |= kFlagDataSetBank6;
        m_flags = m_wroteFunctionSize ? (m_flags | kFlagFunctionFile) : (m_flags & ~kFlagFunctionFile);
    }
    return kAck;
}

std::string PanelEmulator::SetMemoryBlock(const std::string& command) {
    std::vector<uint8_t> block;
    if (command.size() < 3 || command.size() % 2 == 0) return kBadLength;
    if (!ParseHex(command.substr(1), block)) return kNotHex;
    m_memoryBlock = command.substr(1);
    return kAck;
}

std::string PanelEmulator::Flags(const std::string&) {
    return ToHex(std::vector<uint8_t>{static_cast<uint8_t>(m_flags | kFlagsAlwaysSet), 0x00, 0x00,
                                      m_scenario.moduleCode});
}

std::string PanelEmulator::CheckWord(const std::string& command) {
    if (command.substr(0, 2) != "CW" && command.substr(0, 2) != "CR") return kUnknown;
    if (command.size() != 2) return kBadLength;
    if (command == "CR") return ToHex(BankChecksum(m_bank), 4);
    // A data set that ran over into the next bank is stamped in the bank it
    // began in, so that its bytes in the next bank stay as written.
    const uint8_t bank = m_programmedBank.value_or(m_bank);
    uint8_t word[2];
    PutBe16(word, BankChecksum(bank));
    m_memory.Write(bank, 0, word[0]);
    m_memory.Write(bank, 1, word[1]);
    return kAck;
}

uint16_t PanelEmulator::BankChecksum(uint8_t bank) const {
    uint32_t sum = 0;
    for (uint32_t a = kChecksumFirst; a <= kChecksumLast; ++a) sum += m_memory.Read(bank, static_cast<uint16_t>(a));
    return static_cast<uint16_t>(sum);
}

}  // namespace panelemu
