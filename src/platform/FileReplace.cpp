// Writes through a temporary file beside the target and renames it over only
// when complete; the old file survives any failure.
#include "platform/FileReplace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

std::string MakeTempPathBeside(const std::string& target)
{
    // A short fixed-form name, so a long target name cannot push it past the
    // file-name limit.
    static std::atomic<unsigned> counter{0};
    const std::string dir = DirectoryOf(target);
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, ".orv%ld_%u.tmp", static_cast<long>(::getpid()),
                      counter.fetch_add(1));
        std::string candidate = dir + name;
        // Free, or the directory itself is unusable and creating the file
        // will say so.
        struct stat st;
        if (::lstat(candidate.c_str(), &st) != 0)
            return candidate;
    }
}

bool RenameOver(const std::string& tempPath, const std::string& target)
{
    if (std::rename(tempPath.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(tempPath.c_str());
    return false;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes)
{
    mode_t mode = 0666;
    struct stat old;
    const bool hadOld = ::stat(path.c_str(), &old) == 0;
    if (hadOld)
        mode = old.st_mode & 07777;

    const std::string temp = MakeTempPathBeside(path);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;

    bool ok = WriteAll(fd, bytes);
    if (ok && hadOld)
        ok = ::fchmod(fd, mode) == 0;
    if (ok)
        ok = ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    return RenameOver(temp, path);
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok)
        bytes.clear();
    return ok;
}

}  // namespace orv
