// The bounded reader every decoder of a panel-side file reads through, and
// the one place a panel-side file is taken into memory.
#include "image/BeReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

uint64_t BeReader::Number(uint64_t offset, size_t width)
{
    const uint8_t* p = Bytes(offset, width);
    uint64_t value = 0;
    for (size_t i = 0; p != nullptr && i < width; ++i)
        value = value << 8 | p[i];
    return value;
}

int64_t BeReader::S48(uint64_t offset)
{
    return static_cast<int64_t>(U48(offset) << 16) >> 16;
}

const uint8_t* BeReader::Bytes(uint64_t offset, size_t n)
{
    if (!Holds(offset, n)) {
        m_ok = false;
        return nullptr;
    }
    return m_data + offset;
}

bool BeReader::Block(uint64_t offset, void* dest, size_t n)
{
    if (n == 0)
        return true;
    const uint8_t* p = Bytes(offset, n);
    if (p == nullptr) {
        std::memset(dest, 0, n);
        return false;
    }
    std::memcpy(dest, p, n);
    return true;
}

std::string BeReader::String(uint64_t offset, size_t max)
{
    if (offset > m_size) {
        m_ok = false;
        return {};
    }
    const size_t room = m_size - static_cast<size_t>(offset);
    const size_t span = max < room ? max : room;
    const auto* start = reinterpret_cast<const char*>(m_data + offset);
    const void* nul = span == 0 ? nullptr : std::memchr(start, 0, span);
    if (nul != nullptr)
        return std::string(start, static_cast<const char*>(nul));
    if (span < max)
        m_ok = false;
    return std::string(start, span);
}

BeReader BeReader::Sub(uint64_t offset, uint64_t length)
{
    if (!Holds(offset, length)) {
        m_ok = false;
        BeReader failed;
        failed.m_ok = false;
        return failed;
    }
    return BeReader(m_data + offset, static_cast<size_t>(length));
}

bool ReadPanelFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
              static_cast<uint64_t>(info.st_size) <= kMaxPanelFileSize;
    try {
        if (ok)
            bytes.resize(static_cast<size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    // The size may change under the read: take what is there, up to the cap.
    size_t got = 0;
    while (ok && got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
        return false;
    }
    bytes.resize(got);
    return true;
}
