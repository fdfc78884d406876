#pragma once

#include "serlink/IPort.h"

namespace orv {

// A serial device on termios and the modem-line ioctls, opened exclusively
// and without blocking reads or writes.
class PosixPort : public IPort {
public:
    PosixPort() = default;
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
    bool TransmitEmpty(bool& empty) override;
    bool InputCount(size_t& count) override;
    bool Read(uint8_t* buffer, size_t count, size_t& got) override;
    bool PurgeTransmit() override;
    bool PurgeReceive() override;

    std::string LastError() const override { return m_error; }

private:
    bool SetModemLine(int line, bool on);
    bool Fail(const char* call);
    void RequestLowLatency();

    int m_fd = -1;
    std::string m_error;
};

}  // namespace orv
