// File copy and touch for the model; a copy goes through a replacement file so
// a failure never leaves the target half written.
#include "model/core/FileUtils.h"

#include "model/core/Log.h"
#include "platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

int HexDigit(char c, bool lowerToo)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (lowerToo && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

} // namespace

int copyfile(const std::string& source, const std::string& target)
{
    // The target is replaced rather than removed first; its absence is still
    // noted where the removal used to fail.
    if (::access(target.c_str(), F_OK) != 0)
        LogLine(kLogDebug, "unlink in copyfile failed !");
    std::string bytes;
    if (!orv::ReadWholeFile(source, bytes))
        return -1;
    return orv::WriteFileReplacing(target, bytes) ? 1 : -1;
}

int TouchFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int rc = ::futimens(fd, nullptr);
    ::close(fd);
    return rc == 0 ? 1 : -1;
}

int HexToInt(std::string_view text, int len)
{
    unsigned value = 0;
    for (int i = 0; i < len; ++i) {
        const char c = static_cast<size_t>(i) < text.size() ? text[static_cast<size_t>(i)] : '\0';
        value = (value << 4) + static_cast<unsigned>(HexDigit(c, true));
    }
    return static_cast<int>(value);
}

uint8_t HexByte(std::string_view text)
{
    const int high = text.size() > 0 ? HexDigit(text[0], false) : 0;
    const int low = text.size() > 1 ? HexDigit(text[1], false) : 0;
    return static_cast<uint8_t>(high * 16 + low);
}

void ReduceFraction(uint32_t& numerator, uint32_t& denominator)
{
    if (numerator == 0 && denominator == 0)
        return;
    uint32_t a = numerator > denominator ? numerator : denominator;
    uint32_t b = numerator > denominator ? denominator : numerator;
    while (b != 0) {
        const uint32_t r = a % b;
        a = b;
        b = r;
    }
    numerator /= a;
    denominator /= a;
}

} // namespace orv
