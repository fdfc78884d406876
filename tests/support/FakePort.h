#pragma once

#include "serlink/IPort.h"
#include "support/LinePanel.h"
#include "support/VirtualClock.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// A serial port whose line ends at a LinePanel and whose time is a
// VirtualClock. Records every byte put on the wire with the RTS state of the
// moment; any call can be made to fail.
class FakePort : public orv::IPort {
public:
    enum class Call { Open, Configure, Dtr, Rts, Cts, Write, TxEmpty, InputCount, Read, PurgeTx, PurgeRx };

    FakePort(VirtualClock& clock, LinePanel& panel) : m_clock(clock), m_panel(panel) {}

    // The call fails once `after` more of its kind have succeeded, and from
    // then on (an unplugged adapter).
    void FailAfter(Call call, int after = 0) { m_failAfter[call] = after; }
    // Configure reports this result instead of succeeding.
    ConfigResult configureResult = ConfigResult::Ok;
    // False: the transmitter never reports empty.
    bool transmitEmpties = true;

    // "-56" for a byte sent with RTS low, "+00" with RTS high, space separated.
    std::string Wire() const;
    void ClearWire() { m_wire.clear(); }
    const std::string& Device() const { return m_device; }
    int Opens() const { return m_opens; }
    bool Dtr() const { return m_dtr; }
    bool Rts() const { return m_rts; }

    bool Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    ConfigResult Configure(bool fast) override;
    bool SetDtr(bool on) override;
    bool SetRts(bool on) override;
    bool GetCts(bool& on) override;
    bool WriteByte(uint8_t byte) override;
    bool TransmitEmpty(bool& empty) override;
    bool InputCount(size_t& count) override;
    bool Read(uint8_t* buffer, size_t count, size_t& got) override;
    bool PurgeTransmit() override;
    bool PurgeReceive() override;
    std::string LastError() const override { return m_error; }

private:
    bool Fails(Call call);
    void Pump();

    VirtualClock& m_clock;
    LinePanel& m_panel;
    std::map<Call, int> m_failAfter;
    std::deque<uint8_t> m_input;
    std::vector<std::pair<uint8_t, bool>> m_wire;
    std::string m_device;
    std::string m_error;
    int m_opens = 0;
    bool m_open = false;
    bool m_dtr = false;
    bool m_rts = false;
};
