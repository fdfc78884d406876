// Writes to a temporary file beside the target and renames it over only on
// commit; tests can arm a write failure.
#include "source/writer/ReplaceFile.h"

#include "platform/FileReplace.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace orv {

namespace {

// Writes left until the injected failure; 0 while none is armed.
int g_writesToFault = 0;

bool InjectedFault()
{
    return g_writesToFault > 0 && --g_writesToFault == 0;
}

} // namespace

CReplaceFile::CReplaceFile(std::string target) : m_target(std::move(target)) {}

CReplaceFile::~CReplaceFile()
{
    Abandon();
}

bool CReplaceFile::Write(std::string_view bytes)
{
    if (m_failed)
        return false;
    if (m_fd < 0) {
        m_temp = orv::MakeTempPathBeside(m_target);
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0) {
            m_temp.clear();
            m_failed = true;
            return false;
        }
    }
    if (InjectedFault()) {
        m_failed = true;
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_failed = true;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool CReplaceFile::Commit()
{
    if (m_failed || (m_fd < 0 && !Write({})))
        return false;
    struct stat old;
    bool ok = true;
    if (::stat(m_target.c_str(), &old) == 0)
        ok = ::fchmod(m_fd, old.st_mode & 07777) == 0;
    ok = ::fsync(m_fd) == 0 && ok;
    ok = ::close(m_fd) == 0 && ok;
    m_fd = -1;
    if (ok && orv::RenameOver(m_temp, m_target)) {
        m_temp.clear();
        return true;
    }
    m_failed = true;
    Abandon();
    return false;
}

void CReplaceFile::Abandon()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
}

ScopedWriteFault::ScopedWriteFault(int failingWrite)
{
    g_writesToFault = failingWrite;
}

ScopedWriteFault::~ScopedWriteFault()
{
    g_writesToFault = 0;
}

} // namespace orv
