#include "support/FileSizeCap.h"

namespace orv {

FileSizeCap::FileSizeCap(size_t bytes)
{
    // The signal would end the test run; the failed write is the point.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &m_oldAction);
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit capped = m_old;
    capped.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &capped);
}

FileSizeCap::~FileSizeCap()
{
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::sigaction(SIGXFSZ, &m_oldAction, nullptr);
}

} // namespace orv
