#include "PtyPair.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

PtyPair::PtyPair() {
    const int fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    const char* name = grantpt(fd) == 0 && unlockpt(fd) == 0 ? ptsname(fd) : nullptr;
    if (!name) {
        close(fd);
        return;
    }
    m_master = fd;
    m_slave = name;
}

PtyPair::~PtyPair() {
    if (m_master >= 0) close(m_master);
}

void PtyPair::CloseMaster() {
    if (m_master >= 0) close(m_master);
    m_master = -1;
}
