#include "serlink/PosixPort.h"

#include "serlink/PortSettings.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace orv {

namespace {

// Drivers that have no line-status register answer these.
bool NotOffered(int error) { return error == ENOTTY || error == EINVAL || error == ENOSYS; }

}  // namespace

PosixPort::~PosixPort() { Close(); }

bool PosixPort::Fail(const char* call) {
    m_error = std::string(call) + ": " + std::strerror(errno);
    return false;
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
    return true;
}

void PosixPort::Close() {
    if (m_fd < 0) return;
    ::close(m_fd);
    m_fd = -1;
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

bool PosixPort::TransmitEmpty(bool& empty) {
    int queued = 0;
    if (::ioctl(m_fd, TIOCOUTQ, &queued) != 0) return Fail("TIOCOUTQ");
    empty = queued == 0;
    if (!empty) return true;
    // The queue count leaves out the byte still in the shift register.
    int lineStatus = 0;
    if (::ioctl(m_fd, TIOCSERGETLSR, &lineStatus) == 0) {
        empty = (lineStatus & TIOCSER_TEMT) != 0;
    } else if (!NotOffered(errno)) {
        return Fail("TIOCSERGETLSR");
    }
    return true;
}

bool PosixPort::InputCount(size_t& count) {
    int queued = 0;
    if (::ioctl(m_fd, FIONREAD, &queued) != 0) return Fail("FIONREAD");
    count = queued > 0 ? static_cast<size_t>(queued) : 0;
    return true;
}

bool PosixPort::Read(uint8_t* buffer, size_t count, size_t& got) {
    got = 0;
    while (got < count) {
        const ssize_t n = ::read(m_fd, buffer + got, count - got);
        if (n > 0) {
            got += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n == 0 || errno == EAGAIN) return true;
        return Fail("read");
    }
    return true;
}

bool PosixPort::PurgeTransmit() { return ::tcflush(m_fd, TCOFLUSH) == 0 || Fail("tcflush"); }

bool PosixPort::PurgeReceive() { return ::tcflush(m_fd, TCIFLUSH) == 0 || Fail("tcflush"); }

}  // namespace orv
