// Runs the link protocol; its pauses are fixed by the panel's timing, not polls,
// and a second start never reopens a held device.
#include "serlink/LinkProtocol.h"

#include "serlink/orvlink.h"

#include <cstring>

namespace orv {

namespace {

// Fixed pauses of the protocol, not polls: the panel's settle time once DTR
// and RTS have risen, and the millisecond the panel is given to take a byte
// before the PC looks at CTS or raises RTS.
constexpr uint32_t kHandshakeSettleMs = 100;
constexpr uint32_t kByteSettleMs = 1;
constexpr int kExtraHandshakeZeros = 15;

uint8_t XorOf(const char* text, size_t length) {
    uint8_t sum = 0;
    for (size_t i = 0; i < length; ++i) sum ^= static_cast<uint8_t>(text[i]);
    return sum;
}

}  // namespace

LinkProtocol::LinkProtocol(IPort& port, IClock& clock, Sink sink)
    : m_port(port), m_clock(clock), m_sink(std::move(sink)) {}

bool LinkProtocol::ReportTimer() {
    if (!m_clock.FineResolution()) {
        m_sink("Timer period out of range\n");
        return false;
    }
    m_sink("Timer period OK\n");
    return true;
}

void LinkProtocol::CloseHeld() {
    m_port.SetDtr(false);
    m_port.Close();
}

uint16_t LinkProtocol::Start(const std::string& device, bool fast) {
    // A second start would otherwise open the device over the held handle,
    // which the exclusive open refuses.
    if (m_port.IsOpen()) CloseHeld();
    m_connected = false;
    if (!ReportTimer()) return ORVLINK_TIMER;

    if (!m_port.Open(device)) {
        m_sink("Cannot open " + device + ": " + m_port.LastError() + "\n");
        return ORVLINK_NO_PORT;
    }
    switch (m_port.Configure(fast)) {
    case IPort::ConfigResult::ReadFailed: return ORVLINK_GET_STATE;
    case IPort::ConfigResult::WriteFailed: return ORVLINK_SET_STATE;
    case IPort::ConfigResult::Ok: break;
    }
    // The system raises both lines on open; the panel expects them low.
    if (!m_port.SetDtr(false) || !m_port.SetRts(false)) return ORVLINK_SET_STATE;
    return ORVLINK_OK;
}

uint16_t LinkProtocol::End() {
    if (!m_port.IsOpen()) return ORVLINK_NO_PORT;
    CloseHeld();
    return ReportTimer() ? ORVLINK_OK : ORVLINK_TIMER;
}

uint16_t LinkProtocol::Rec(char* command, char* answer) {
    if (!m_port.IsOpen()) return ORVLINK_NO_PORT;

    answer[0] = '\0';
    const size_t length = std::strlen(command);
    command[length] = static_cast<char>(XorOf(command, length));
    command[length + 1] = '\0';

    if (!m_connected) {
        m_sink("1. Verbindungsaufnahme\n");
        const uint16_t result = Handshake();
        if (result == ORVLINK_CTS_NOT_ON) m_sink("1. Verbindungsaufbau CTS did not go high\n");
        if (result == ORVLINK_CTS_NOT_OFF) m_sink("1. Verbindungsaufbau CTS did not go low\n");
        if (result != ORVLINK_OK) return result;
    }

    if (!m_port.PurgeTransmit() || !m_port.SetRts(false)) return ORVLINK_WAIT;
    if (const uint16_t r = WaitCts(true, ORVLINK_CTS_NOT_ON)) return r;
    if (const uint16_t r = SendFrame(command, length + 1)) return r;

    m_clock.SleepMs(kByteSettleMs);
    if (!m_port.SetRts(true) || !m_port.WriteByte(0) || !m_port.PurgeReceive()) return ORVLINK_WAIT;
    return CollectAnswer(answer);
}

uint16_t LinkProtocol::Handshake() {
    if (!m_port.PurgeTransmit() || !m_port.SetDtr(true) || !m_port.SetRts(true)) return ORVLINK_WAIT;
    m_clock.SleepMs(kHandshakeSettleMs);
    if (const uint16_t r = WaitCts(false, ORVLINK_CTS_NOT_OFF)) return r;
    if (!m_port.SetRts(false)) return ORVLINK_WAIT;
    if (const uint16_t r = WaitCts(true, ORVLINK_CTS_NOT_ON)) return r;
    if (!m_port.SetRts(true)) return ORVLINK_WAIT;

    // Zero bytes until the panel drops CTS; a panel that keeps it on after the
    // last of them is taken as connected all the same.
    bool cts = true;
    for (int sent = 0; cts && sent <= kExtraHandshakeZeros; ++sent) {
        if (!m_port.WriteByte(0)) return ORVLINK_WAIT;
        if (WaitTransmitEmpty() == ORVLINK_WAIT) return ORVLINK_WAIT;
        m_clock.SleepMs(kByteSettleMs);
        if (!m_port.GetCts(cts)) return ORVLINK_WAIT;
    }
    m_connected = true;
    m_sink("Verbindung aufgebaut\n");
    return ORVLINK_OK;
}

uint16_t LinkProtocol::SendFrame(const char* frame, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (!m_port.WriteByte(static_cast<uint8_t>(frame[i]))) return ORVLINK_WAIT;
        if (const uint16_t r = WaitTransmitEmpty()) return r;
    }
    return ORVLINK_OK;
}

uint16_t LinkProtocol::CollectAnswer(char* answer) {
    // Every answer byte is paid for with one more zero byte, and renews the
    // window; the panel ends its frame by dropping CTS. The panel clocks its
    // answer byte by byte against the zero bytes: no byte comes before the
    // zero byte that asks for it, so a wake-up that finds new bytes is one
    // received-character event, and the limit of 100 events holds as it did
    // for a port that reported each character.
    uint64_t windowStart = m_clock.NowMs();
    size_t seen = 0;
    int events = 0;
    for (;;) {
        if (Elapsed(windowStart)) return ORVLINK_CTS_LEFT_ON;
        bool cts = false;
        if (!m_port.GetCts(cts)) return ORVLINK_WAIT;
        if (!cts) break;
        size_t queued = 0;
        if (!m_port.InputCount(queued)) return ORVLINK_WAIT;
        if (queued > seen) {
            seen = queued;
            if (++events > kMaxAnswerEvents) return ORVLINK_TOO_MANY_EVENTS;
            if (!m_port.WriteByte(0)) return ORVLINK_WAIT;
            windowStart = m_clock.NowMs();
            continue;
        }
        if (m_port.WaitLineEvent(Remaining(windowStart)) == IPort::WaitResult::Failed) return ORVLINK_WAIT;
    }
    return ReadAnswer(answer);
}

uint16_t LinkProtocol::ReadAnswer(char* answer) {
    size_t queued = 0;
    if (!m_port.InputCount(queued)) return ORVLINK_WAIT;
    if (queued == 0) return ORVLINK_OK;
    if (queued > kAnswerBufferSize) {
        // The frame cannot fit the caller's buffer: none of it is kept.
        return m_port.PurgeReceive() ? ORVLINK_ANSWER_TOO_LONG : ORVLINK_WAIT;
    }
    auto* bytes = reinterpret_cast<uint8_t*>(answer);
    size_t got = 0;
    if (!m_port.Read(bytes, queued, got) || got != queued) {
        answer[0] = '\0';
        return ORVLINK_READ;
    }
    const uint8_t sum = XorOf(answer, got);
    answer[got - 1] = '\0';
    return sum == 0 ? ORVLINK_OK : ORVLINK_CHECKSUM;
}

uint16_t LinkProtocol::WaitCts(bool on, uint16_t timeoutResult) {
    const uint64_t start = m_clock.NowMs();
    for (;;) {
        bool cts = false;
        if (!m_port.GetCts(cts)) return ORVLINK_WAIT;
        if (cts == on) return ORVLINK_OK;
        if (Elapsed(start)) return timeoutResult;
        if (m_port.WaitLineEvent(Remaining(start)) == IPort::WaitResult::Failed) return ORVLINK_WAIT;
    }
}

uint16_t LinkProtocol::WaitTransmitEmpty() {
    switch (m_port.WaitTransmitEmpty(kWindowMs)) {
    case IPort::WaitResult::Ready: return ORVLINK_OK;
    case IPort::WaitResult::TimedOut: return ORVLINK_NO_TX_EMPTY;
    case IPort::WaitResult::Failed: break;
    }
    return ORVLINK_WAIT;
}

uint32_t LinkProtocol::Remaining(uint64_t since) {
    const uint64_t spent = m_clock.NowMs() - since;
    return spent >= kWindowMs ? 0 : static_cast<uint32_t>(kWindowMs - spent);
}

}  // namespace orv
