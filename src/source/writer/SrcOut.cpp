// Buffers the writer's records and pushes each to the file layer, so a failed
// write is seen at the record that hit it.
#include "source/writer/SrcOut.h"

#include <cstdarg>
#include <utility>
#include <vector>

namespace orv {

namespace {

// Large enough for any record but a very long description, which is pushed
// in pieces.
constexpr size_t kBufferSize = 64 * 1024;

} // namespace

CSrcOut::CSrcOut(std::string target) : m_replace(std::move(target)) {}

CSrcOut::~CSrcOut()
{
    if (m_file) {
        // What is left in the buffer goes to the temporary file, which the
        // replacement removes unless it was committed.
        std::fclose(m_file);
    }
}

ssize_t CSrcOut::CookieWrite(void* cookie, const char* buf, size_t size)
{
    auto* self = static_cast<CSrcOut*>(cookie);
    if (self->m_failed || !self->m_replace.Write(std::string_view(buf, size))) {
        self->m_failed = true;
        return -1;
    }
    return static_cast<ssize_t>(size);
}

bool CSrcOut::Open()
{
    if (m_file)
        return true;
    if (!m_replace.Write({}))
        return false;
    cookie_io_functions_t io{};
    io.write = &CSrcOut::CookieWrite;
    m_file = fopencookie(this, "wb", io);
    if (!m_file)
        return false;
    std::setvbuf(m_file, nullptr, _IOFBF, kBufferSize);
    return true;
}

bool CSrcOut::Printf(const char* format, ...)
{
    if (!m_file)
        return false;
    va_list args;
    va_start(args, format);
    const int n = std::vfprintf(m_file, format, args);
    va_end(args);
    return n >= 0 && !std::ferror(m_file);
}

bool CSrcOut::Put(std::string_view bytes)
{
    if (!m_file)
        return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size() && !std::ferror(m_file);
}

bool CSrcOut::Flush()
{
    if (!m_file)
        return false;
    return std::fflush(m_file) == 0 && !std::ferror(m_file) && !m_failed;
}

bool CSrcOut::Commit()
{
    if (!Flush())
        return false;
    return m_replace.Commit();
}

} // namespace orv
