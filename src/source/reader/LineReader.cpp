// Reads lines under fgets rules; a read error ends the file so no reader spins
// on a failing medium.
#include "source/reader/LineReader.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace orv {

CLineReader::~CLineReader()
{
    Close();
}

bool CLineReader::Open(const std::string& path)
{
    Close();
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return m_fd >= 0;
}

void CLineReader::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_eof = false;
    m_pos = m_len = 0;
}

bool CLineReader::Rewind()
{
    if (m_fd < 0 || ::lseek(m_fd, 0, SEEK_SET) != 0)
        return false;
    m_eof = false;
    m_pos = m_len = 0;
    return true;
}

bool CLineReader::NextByte(char& c)
{
    if (m_pos == m_len) {
        if (m_fd < 0) {
            m_eof = true;
            return false;
        }
        ssize_t n;
        do {
            n = ::read(m_fd, m_buffer.data(), m_buffer.size());
        } while (n < 0 && errno == EINTR);
        // A read error ends the file: a reader looping to the end must
        // never spin on a medium that keeps failing.
        if (n <= 0) {
            m_eof = true;
            return false;
        }
        m_pos = 0;
        m_len = static_cast<size_t>(n);
    }
    c = m_buffer[m_pos++];
    return true;
}

bool CLineReader::Read(std::string& line, size_t limit)
{
    line.clear();
    char c;
    while (line.size() < limit && NextByte(c)) {
        line.push_back(c);
        if (c == '\n')
            break;
    }
    return !line.empty();
}

} // namespace orv
