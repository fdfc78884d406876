#pragma once

#include "serlink/IPort.h"
#include "support/LinePanel.h"
#include "support/VirtualClock.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace orv {

// A serial port whose line ends at a LinePanel and whose time is a
// VirtualClock. Records every byte put on the wire with the RTS state of the
// moment; any call can be made to fail.
//
// Still (the default): time stands still but for the sleeps of the code under
// test; a written byte reaches the panel at once, and a wait for the line
// moves the clock by one millisecond. Wire: a byte occupies the line for 11
// bit times at the configured rate (8 data bits, even parity, one stop bit)
// in both directions, and the waits move the clock to the moment the line
// delivers, or to the end of their time-out.
class FakePort : public orv::IPort {
public:
    enum class Call { Open, Configure, Dtr, Rts, Cts, Write, TxEmpty, Wait, InputCount, Read, PurgeTx, PurgeRx };
    enum class Pace { Still, Wire };

    static constexpr uint32_t kBitsPerByte = 11;

    FakePort(VirtualClock& clock, LinePanel& panel, Pace pace = Pace::Still)
        : m_clock(clock), m_panel(panel), m_pace(pace) {}

    // The call fails once `after` more of its kind have succeeded, and from
    // then on (an unplugged adapter).
    void FailAfter(Call call, int after = 0) { m_failAfter[call] = after; }
    // How often the call was made, failed or not.
    int Calls(Call call) const;
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
    // Nanoseconds one byte takes on the line at the configured rate; 0 when still.
    uint64_t ByteNs() const { return m_byteNs; }

    bool Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return m_open; }
    ConfigResult Configure(bool fast) override;
    bool SetDtr(bool on) override;
    bool SetRts(bool on) override;
    bool GetCts(bool& on) override;
    bool WriteByte(uint8_t byte) override;
    WaitResult WaitTransmitEmpty(uint32_t timeoutMs) override;
    WaitResult WaitLineEvent(uint32_t timeoutMs) override;
    bool InputCount(size_t& count) override;
    bool Read(uint8_t* buffer, size_t count, size_t& got) override;
    bool PurgeTransmit() override;
    bool PurgeReceive() override;
    std::string LastError() const override { return m_error; }

private:
    struct Outbound {
        uint8_t byte;
        uint64_t arrives;
    };

    bool Fails(Call call);
    // Hands the panel every byte that has reached it by now; the time.
    uint64_t Sync();
    void AdvanceTo(uint64_t ns);
    void Pump();

    VirtualClock& m_clock;
    LinePanel& m_panel;
    Pace m_pace;
    uint64_t m_byteNs = 0;
    uint64_t m_txFree = 0;
    std::deque<Outbound> m_outbound;
    std::map<Call, int> m_failAfter;
    std::map<Call, int> m_calls;
    std::deque<uint8_t> m_input;
    std::vector<std::pair<uint8_t, bool>> m_wire;
    std::string m_device;
    std::string m_error;
    int m_opens = 0;
    bool m_open = false;
    bool m_dtr = false;
    bool m_rts = false;
};

} // namespace orv
