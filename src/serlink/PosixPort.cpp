// A serial device on termios and modem-line ioctls; waits take their time-outs
// from the clock so signals neither stretch nor cut them.
#include "serlink/PosixPort.h"

#include "serlink/PortSettings.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr uint64_t kNsPerMs = 1000000;
constexpr uint64_t kNsPerSecond = 1000000000;
// 8 data bits, even parity, one stop bit and the start bit.
constexpr uint64_t kBitsPerByte = 11;
// As the input queue the link asks for; beyond it bytes are lost, as on an
// overrun.
constexpr size_t kInputQueue = 1024;
// Where the driver cannot wait for a modem-line change, how often CTS is
// looked at while waiting for input.
constexpr int kModemPollMs = 1;

bool HungUp(short revents) { return (revents & (POLLERR | POLLHUP | POLLNVAL)) != 0; }

constexpr uint64_t ByteNs(uint64_t baud) { return (kBitsPerByte * kNsPerSecond + baud - 1) / baud; }

timespec ToTimespec(uint64_t ns) {
    return {static_cast<time_t>(ns / kNsPerSecond), static_cast<long>(ns % kNsPerSecond)};
}

}  // namespace

PosixPort::~PosixPort() { Close(); }

bool PosixPort::Fail(const char* call) {
    m_error = std::string(call) + ": " + std::strerror(errno);
    return false;
}

IPort::WaitResult PosixPort::FailWait(const char* call) {
    Fail(call);
    return WaitResult::Failed;
}

bool PosixPort::Open(const std::string& device) {
    Close();
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = std::strerror(errno);
        return false;
    }
    // TIOCEXCL keeps other users out; flock holds against root as well.
    if (::ioctl(m_fd, TIOCEXCL) != 0 || ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_error = errno == EWOULDBLOCK ? "device is in use" : std::strerror(errno);
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_byteNs = ByteNs(38400);
    int status = 0;
    m_hasModemLines = ::ioctl(m_fd, TIOCMGET, &status) == 0;
    if (m_hasModemLines) m_ctsWatch.Start(m_fd);
    return true;
}

void PosixPort::Close() {
    if (m_fd < 0) return;
    m_ctsWatch.Stop();
    ::close(m_fd);
    m_fd = -1;
    m_received.clear();
}

IPort::ConfigResult PosixPort::Configure(bool fast) {
    termios current{};
    if (::tcgetattr(m_fd, &current) != 0) {
        Fail("tcgetattr");
        return ConfigResult::ReadFailed;
    }
    const termios wanted = BuildPortState(current, fast);
    if (::tcsetattr(m_fd, TCSANOW, &wanted) != 0) {
        Fail("tcsetattr");
        return ConfigResult::WriteFailed;
    }
    // tcsetattr succeeds when any part of the request was taken.
    termios actual{};
    if (::tcgetattr(m_fd, &actual) != 0) {
        Fail("tcgetattr");
        return ConfigResult::WriteFailed;
    }
    if (cfgetospeed(&actual) != PortSpeed(fast) || cfgetispeed(&actual) != PortSpeed(fast) ||
        (actual.c_cflag & CSIZE) != CS8) {
        m_error = "the device did not take the line settings";
        return ConfigResult::WriteFailed;
    }
    m_byteNs = ByteNs(fast ? 115200 : 38400);
    RequestLowLatency();
    return ConfigResult::Ok;
}

void PosixPort::RequestLowLatency() {
    serial_struct serial{};
    if (::ioctl(m_fd, TIOCGSERIAL, &serial) != 0) return;
    serial.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(m_fd, TIOCSSERIAL, &serial);
}

bool PosixPort::SetModemLine(int line, bool on) {
    int status = 0;
    if (::ioctl(m_fd, TIOCMGET, &status) != 0) return Fail("TIOCMGET");
    status = on ? (status | line) : (status & ~line);
    if (::ioctl(m_fd, TIOCMSET, &status) != 0) return Fail("TIOCMSET");
    return true;
}

bool PosixPort::SetDtr(bool on) { return SetModemLine(TIOCM_DTR, on); }

bool PosixPort::SetRts(bool on) { return SetModemLine(TIOCM_RTS, on); }

bool PosixPort::GetCts(bool& on) {
    int status = 0;
    if (::ioctl(m_fd, TIOCMGET, &status) != 0) return Fail("TIOCMGET");
    on = (status & TIOCM_CTS) != 0;
    return true;
}

bool PosixPort::WriteByte(uint8_t byte) {
    for (;;) {
        const ssize_t n = ::write(m_fd, &byte, 1);
        if (n == 1) return true;
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        return Fail("write");
    }
}

bool PosixPort::OutputQueued(size_t& queued) {
    int count = 0;
    if (::ioctl(m_fd, TIOCOUTQ, &count) != 0) return Fail("TIOCOUTQ");
    queued = count > 0 ? static_cast<size_t>(count) : 0;
    if (queued > 0) return true;
    // The queue count leaves out the byte still in the shift register.
    int lineStatus = 0;
    if (::ioctl(m_fd, TIOCSERGETLSR, &lineStatus) == 0) {
        if ((lineStatus & TIOCSER_TEMT) == 0) queued = 1;
    } else if (!ModemCallNotOffered(errno)) {
        return Fail("TIOCSERGETLSR");
    }
    return true;
}

// The line-status register, not tcdrain: tcdrain has no time-out, so a stalled
// adapter would hold the caller past its window, and a UART driver sleeps at
// least a scheduler tick inside it whenever the shift register is busy. Between
// looks the port sleeps as long as the line needs for what is still queued;
// the descriptor is watched meanwhile, so a hang-up ends the wait at once.
IPort::WaitResult PosixPort::WaitTransmitEmpty(uint32_t timeoutMs) {
    const uint64_t deadline = m_clock.NowMs() + timeoutMs;
    for (;;) {
        size_t queued = 0;
        if (!OutputQueued(queued)) return WaitResult::Failed;
        if (queued == 0) return WaitResult::Ready;
        const uint64_t now = m_clock.NowMs();
        if (now >= deadline) return WaitResult::TimedOut;
        const timespec pause = ToTimespec(std::min(queued * m_byteNs, (deadline - now) * kNsPerMs));
        pollfd device{m_fd, 0, 0};
        if (::ppoll(&device, 1, &pause, nullptr) < 0 && errno != EINTR) return FailWait("ppoll");
        if (HungUp(device.revents)) {
            errno = EIO;
            return FailWait("ppoll");
        }
    }
}

// Input and CTS changes wake the wait alike. Where the driver cannot wait for
// a modem-line change, CTS is looked at every millisecond instead; input
// still wakes the wait at once.
IPort::WaitResult PosixPort::WaitLineEvent(uint32_t timeoutMs) {
    const uint64_t deadline = m_clock.NowMs() + timeoutMs;
    for (;;) {
        const uint64_t now = m_clock.NowMs();
        if (now >= deadline) return WaitResult::TimedOut;
        const bool lookAtCts = m_hasModemLines && !m_ctsWatch.Running();
        const int wait = static_cast<int>(std::min<uint64_t>(deadline - now, lookAtCts ? kModemPollMs : timeoutMs));
        pollfd fds[] = {{m_fd, POLLIN, 0}, {m_ctsWatch.Fd(), POLLIN, 0}};
        const int ready = ::poll(fds, m_ctsWatch.Running() ? 2 : 1, wait);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return FailWait("poll");
        }
        if (HungUp(fds[0].revents)) {
            errno = EIO;
            return FailWait("poll");
        }
        if (ready == 0) return lookAtCts ? WaitResult::Ready : WaitResult::TimedOut;
        if ((fds[1].revents & POLLIN) != 0 && !TakeCtsChange()) return WaitResult::Failed;
        if ((fds[0].revents & POLLIN) != 0 && !Drain()) return WaitResult::Failed;
        return WaitResult::Ready;
    }
}

bool PosixPort::TakeCtsChange() {
    int error = 0;
    switch (m_ctsWatch.Take(error)) {
    case CtsWatch::State::Watching: return true;
    case CtsWatch::State::NotOffered:
        m_ctsWatch.Stop();
        return true;
    case CtsWatch::State::Failed: break;
    }
    m_ctsWatch.Stop();
    errno = error;
    return Fail("TIOCMIWAIT");
}

bool PosixPort::Drain() {
    uint8_t chunk[256];
    for (;;) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n > 0) {
            const size_t room = kInputQueue - std::min(kInputQueue, m_received.size());
            m_received.insert(m_received.end(), chunk, chunk + std::min(room, static_cast<size_t>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 || errno == EAGAIN) return true;
        return Fail("read");
    }
}

bool PosixPort::InputCount(size_t& count) {
    if (!Drain()) return false;
    count = m_received.size();
    return true;
}

bool PosixPort::Read(uint8_t* buffer, size_t count, size_t& got) {
    if (!Drain()) return false;
    got = std::min(count, m_received.size());
    std::copy_n(m_received.begin(), got, buffer);
    m_received.erase(m_received.begin(), m_received.begin() + static_cast<std::ptrdiff_t>(got));
    return true;
}

bool PosixPort::PurgeTransmit() { return ::tcflush(m_fd, TCOFLUSH) == 0 || Fail("tcflush"); }

bool PosixPort::PurgeReceive() {
    m_received.clear();
    return ::tcflush(m_fd, TCIFLUSH) == 0 || Fail("tcflush");
}

}  // namespace orv
