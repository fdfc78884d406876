// The POSIX serial port under the link protocol.
#pragma once

#include "serlink/CtsWatch.h"
#include "serlink/IClock.h"
#include "serlink/IPort.h"

#include <cstdint>
#include <deque>

namespace orv {

// A serial device on termios and the modem-line ioctls, opened exclusively
// and without blocking reads or writes. Its waits block on the device and
// take their time-outs from the clock, so a signal that interrupts them
// neither stretches nor cuts them.
class PosixPort : public IPort {
public:
    explicit PosixPort(IClock& clock) : m_clock(clock) {}
    ~PosixPort() override;
    PosixPort(const PosixPort&) = delete;
    PosixPort& operator=(const PosixPort&) = delete;

    bool Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }
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
    bool SetModemLine(int line, bool on);
    bool Fail(const char* call);
    WaitResult FailWait(const char* call);
    void RequestLowLatency();
    // Bytes still to leave the transmitter, the one in the shift register
    // included where the driver shows it.
    bool OutputQueued(size_t& queued);
    // Moves what the driver holds into m_received, so that the descriptor
    // polls readable only for bytes that arrive after.
    bool Drain();
    // Whether the CTS watch still runs after the wake-up it gave.
    bool TakeCtsChange();

    IClock& m_clock;
    int m_fd = -1;
    uint64_t m_byteNs = 0;
    bool m_hasModemLines = false;
    CtsWatch m_ctsWatch;
    std::deque<uint8_t> m_received;
    std::string m_error;
};

}  // namespace orv
