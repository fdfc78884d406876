#include "support/FakePort.h"

#include <cstdio>

bool FakePort::Fails(Call call) {
    const auto it = m_failAfter.find(call);
    if (it == m_failAfter.end()) return false;
    if (it->second > 0) {
        --it->second;
        return false;
    }
    m_error = "Input/output error";
    return true;
}

void FakePort::Pump() {
    for (char c : m_panel.Arrived(m_clock.NowMs())) m_input.push_back(static_cast<uint8_t>(c));
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
    m_panel.Dtr(true, m_clock.NowMs());
    m_panel.Rts(true, m_clock.NowMs());
    return true;
}

void FakePort::Close() {
    if (!m_open) return;
    m_open = false;
    m_input.clear();
}

orv::IPort::ConfigResult FakePort::Configure(bool) {
    if (Fails(Call::Configure)) return ConfigResult::WriteFailed;
    return configureResult;
}

bool FakePort::SetDtr(bool on) {
    if (!m_open || Fails(Call::Dtr)) return false;
    m_dtr = on;
    m_panel.Dtr(on, m_clock.NowMs());
    return true;
}

bool FakePort::SetRts(bool on) {
    if (!m_open || Fails(Call::Rts)) return false;
    m_rts = on;
    m_panel.Rts(on, m_clock.NowMs());
    return true;
}

bool FakePort::GetCts(bool& on) {
    if (!m_open || Fails(Call::Cts)) return false;
    on = m_panel.Cts(m_clock.NowMs());
    return true;
}

bool FakePort::WriteByte(uint8_t byte) {
    if (!m_open || Fails(Call::Write)) return false;
    m_wire.emplace_back(byte, m_rts);
    m_panel.Byte(byte, m_clock.NowMs());
    return true;
}

bool FakePort::TransmitEmpty(bool& empty) {
    if (!m_open || Fails(Call::TxEmpty)) return false;
    empty = transmitEmpties;
    return true;
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
