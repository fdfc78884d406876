// The serial port seam of the link protocol, so the protocol is tested without a
// device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orv {

// The serial port as the link protocol needs it. Every call that can fail
// returns false (or WaitResult::Failed) and leaves its reason in LastError().
// The waits block on the device, so the link runs at the pace of the wire.
class IPort {
public:
    enum class ConfigResult { Ok, ReadFailed, WriteFailed };
    // Failed: the device refused the wait (an unplugged adapter); it is
    // never retried.
    enum class WaitResult { Ready, TimedOut, Failed };

    virtual ~IPort() = default;

    virtual bool Open(const std::string& device) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Raw 8E1 at 115200 (fast) or 38400 baud, no flow control.
    virtual ConfigResult Configure(bool fast) = 0;

    virtual bool SetDtr(bool on) = 0;
    virtual bool SetRts(bool on) = 0;
    virtual bool GetCts(bool& on) = 0;

    virtual bool WriteByte(uint8_t byte) = 0;
    // Blocks until every written byte has left the transmitter, at most
    // timeoutMs.
    virtual WaitResult WaitTransmitEmpty(uint32_t timeoutMs) = 0;
    // Blocks until input arrives or CTS may have changed, at most timeoutMs.
    // Ready does not promise a change: the caller looks at the line again.
    virtual WaitResult WaitLineEvent(uint32_t timeoutMs) = 0;
    virtual bool InputCount(size_t& count) = 0;
    // Reads what is queued, up to count bytes, without waiting.
    virtual bool Read(uint8_t* buffer, size_t count, size_t& got) = 0;
    virtual bool PurgeTransmit() = 0;
    virtual bool PurgeReceive() = 0;

    virtual std::string LastError() const = 0;
};

}  // namespace orv
