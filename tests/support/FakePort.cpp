#include "support/FakePort.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace orv {

namespace {

constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
constexpr uint64_t kNsPerSecond = 1000000000;

}  // namespace

bool FakePort::Fails(Call call) {
    ++m_calls[call];
    const auto it = m_failAfter.find(call);
    if (it == m_failAfter.end()) return false;
    if (it->second > 0) {
        --it->second;
        return false;
    }
    m_error = "Input/output error";
    return true;
}

int FakePort::Calls(Call call) const {
    const auto it = m_calls.find(call);
    return it == m_calls.end() ? 0 : it->second;
}

uint64_t FakePort::Sync() {
    const uint64_t now = m_clock.NowNs();
    while (!m_outbound.empty() && m_outbound.front().arrives <= now) {
        const Outbound byte = m_outbound.front();
        m_outbound.pop_front();
        m_panel.Byte(byte.byte, byte.arrives);
    }
    return now;
}

void FakePort::AdvanceTo(uint64_t ns) {
    m_clock.AdvanceTo(ns);
    Sync();
}

void FakePort::Pump() {
    for (char c : m_panel.Arrived(Sync())) m_input.push_back(static_cast<uint8_t>(c));
}

std::string FakePort::Wire() const {
    std::string text;
    for (const auto& [byte, rts] : m_wire) {
        char token[8];
        std::snprintf(token, sizeof token, "%s%c%02X", text.empty() ? "" : " ", rts ? '+' : '-', byte);
        text += token;
    }
    return text;
}

bool FakePort::Open(const std::string& device) {
    if (m_open) {
        m_error = "Device or resource busy";
        return false;
    }
    if (Fails(Call::Open)) return false;
    m_device = device;
    m_open = true;
    ++m_opens;
    // As on Linux: opening raises both modem lines.
    m_dtr = m_rts = true;
    m_panel.Dtr(true, Sync());
    m_panel.Rts(true, Sync());
    return true;
}

void FakePort::Close() {
    if (!m_open) return;
    m_open = false;
    m_input.clear();
    m_outbound.clear();
}

orv::IPort::ConfigResult FakePort::Configure(bool fast) {
    if (Fails(Call::Configure)) return ConfigResult::WriteFailed;
    if (m_pace == Pace::Wire) {
        const uint64_t baud = fast ? 115200 : 38400;
        // Rounded up: the fake line is never faster than the real one.
        m_byteNs = (kBitsPerByte * kNsPerSecond + baud - 1) / baud;
        m_panel.byteNs = m_byteNs;
    }
    return configureResult;
}

bool FakePort::SetDtr(bool on) {
    if (!m_open || Fails(Call::Dtr)) return false;
    m_dtr = on;
    m_panel.Dtr(on, Sync());
    return true;
}

bool FakePort::SetRts(bool on) {
    if (!m_open || Fails(Call::Rts)) return false;
    m_rts = on;
    m_panel.Rts(on, Sync());
    return true;
}

bool FakePort::GetCts(bool& on) {
    if (!m_open || Fails(Call::Cts)) return false;
    on = m_panel.Cts(Sync());
    return true;
}

bool FakePort::WriteByte(uint8_t byte) {
    if (!m_open || Fails(Call::Write)) return false;
    const uint64_t now = Sync();
    m_wire.emplace_back(byte, m_rts);
    if (m_pace == Pace::Still) {
        m_panel.Byte(byte, now);
        return true;
    }
    m_txFree = std::max(now, m_txFree) + m_byteNs;
    m_outbound.push_back({byte, m_txFree});
    return true;
}

orv::IPort::WaitResult FakePort::WaitTransmitEmpty(uint32_t timeoutMs) {
    if (!m_open || Fails(Call::TxEmpty)) return WaitResult::Failed;
    const uint64_t now = Sync();
    const uint64_t deadline = now + timeoutMs * VirtualClock::kNsPerMs;
    const uint64_t empty = transmitEmpties ? std::max(now, m_txFree) : kNever;
    if (empty > deadline) {
        AdvanceTo(deadline);
        return WaitResult::TimedOut;
    }
    AdvanceTo(empty);
    return WaitResult::Ready;
}

orv::IPort::WaitResult FakePort::WaitLineEvent(uint32_t timeoutMs) {
    if (!m_open || Fails(Call::Wait)) return WaitResult::Failed;
    if (m_pace == Pace::Still) {
        m_clock.SleepMs(std::min<uint32_t>(timeoutMs, 1));
        return WaitResult::Ready;
    }
    const uint64_t deadline = Sync() + timeoutMs * VirtualClock::kNsPerMs;
    for (;;) {
        // A byte reaching the panel is not seen by the PC, but may make the
        // panel answer.
        const uint64_t panelNext = m_panel.NextEvent().value_or(kNever);
        const uint64_t outboundNext = m_outbound.empty() ? kNever : m_outbound.front().arrives;
        const uint64_t next = std::min(panelNext, outboundNext);
        if (next > deadline) {
            AdvanceTo(deadline);
            return WaitResult::TimedOut;
        }
        AdvanceTo(next);
        if (panelNext == next) return WaitResult::Ready;
    }
}

bool FakePort::InputCount(size_t& count) {
    if (!m_open || Fails(Call::InputCount)) return false;
    Pump();
    count = m_input.size();
    return true;
}

bool FakePort::Read(uint8_t* buffer, size_t count, size_t& got) {
    if (!m_open || Fails(Call::Read)) return false;
    Pump();
    got = 0;
    while (got < count && !m_input.empty()) {
        buffer[got++] = m_input.front();
        m_input.pop_front();
    }
    return true;
}

bool FakePort::PurgeTransmit() { return m_open && !Fails(Call::PurgeTx); }

bool FakePort::PurgeReceive() {
    if (!m_open || Fails(Call::PurgeRx)) return false;
    Pump();
    m_input.clear();
    return true;
}

} // namespace orv
