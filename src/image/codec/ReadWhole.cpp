// The one place a panel-side file is taken into memory: its size is
// checked on the open file before a byte is read.
#include "image/codec/ReadWhole.h"

#include "model/core/Log.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

bool ReadWholeInput(const std::string& path, std::string& bytes, const char* module)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
              static_cast<uint64_t>(info.st_size) <= kMaxInputFileSize;
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
    LogLine(kLogDebug, "Open %s %s OK", module, path.c_str());
    return true;
}

} // namespace orv
