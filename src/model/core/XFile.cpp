// File wrapper of the model; text lines go out with CR LF and every failure is
// traced rather than thrown.
#include "model/core/XFile.h"

#include "model/core/Trace.h"

#include <cstring>
#include <sys/stat.h>

namespace orv {

namespace {

struct timespec ModTime(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return st.st_mtim;
}

bool NotEarlier(const struct timespec& a, const struct timespec& b)
{
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec >= b.tv_nsec;
}

} // namespace

XFile::XFile(const char* path, bool textMode)
    : m_path(path ? path : ""), m_noName(path == nullptr), m_textMode(textMode)
{
}

XFile::XFile(const std::string& path, bool textMode) : m_path(path), m_textMode(textMode) {}

XFile::~XFile()
{
    Close();
}

bool XFile::OpenStream(const char* mode, std::string_view failTrace)
{
    Close();
    if (!m_noName)
        m_stream = std::fopen(m_path.c_str(), mode);
    if (!m_stream) {
        TraceLastError(failTrace);
        return false;
    }
    return true;
}

bool XFile::Close()
{
    if (!m_stream)
        return true;
    const int rc = std::fclose(m_stream);
    m_stream = nullptr;
    if (rc != 0) {
        TraceLastError("fclose failed");
        return false;
    }
    return true;
}

bool XFile::WriteBytes(std::string_view bytes, std::string_view failTrace)
{
    if (!m_stream) {
        TraceLastError(failTrace);
        return false;
    }
    if (bytes.empty())
        return true;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_stream) != bytes.size()) {
        TraceLastError(failTrace);
        return false;
    }
    return true;
}

bool XFile::WriteText(std::string_view text, std::string_view failTrace)
{
    if (!m_textMode)
        return WriteBytes(text, failTrace);
    // Each "\n" goes to disk as CR LF.
    for (;;) {
        const size_t lf = text.find('\n');
        if (lf == std::string_view::npos)
            return WriteBytes(text, failTrace);
        if (!WriteBytes(text.substr(0, lf), failTrace) || !WriteBytes("\r\n", failTrace))
            return false;
        text.remove_prefix(lf + 1);
    }
}

bool XFile::Write(std::string_view text)
{
    return WriteText(text, "fwrite failed");
}

bool XFile::WriteLine(std::string_view text)
{
    // A failed text is not followed by a line end.
    return WriteText(text, "_fputts failed") && WriteBytes("\r\n", "_fputts failed");
}

bool XFile::ReadLine(std::string& line)
{
    line.clear();
    if (!m_stream)
        return false;
    while (line.size() < kMaxLine) {
        int c = std::getc(m_stream);
        if (c == EOF)
            break;
        if (c == '\r' && m_textMode) {
            const int next = std::getc(m_stream);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                std::ungetc(next, m_stream);
        }
        line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    if (std::ferror(m_stream)) {
        TraceLastError("XFile::ReadLine failed");
        line.clear();
        return false;
    }
    return !line.empty();
}

bool XFile::IsEof() const
{
    return !m_stream || std::feof(m_stream) != 0;
}

bool XFile::Exists() const
{
    struct stat st {};
    return !m_noName && ::stat(m_path.c_str(), &st) == 0;
}

uint32_t XFile::GetSize() const
{
    struct stat st {};
    if (m_noName || ::stat(m_path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    if (static_cast<uint64_t>(st.st_size) > UINT32_MAX)
        return UINT32_MAX;
    return static_cast<uint32_t>(st.st_size);
}

bool XFile::IsNewer(const std::string& first, const std::string& second)
{
    return NotEarlier(ModTime(second), ModTime(first));
}

bool XBinFile::Create()
{
    return OpenStream("w+b", "_tfopen() failed");
}

bool XBinFile::Open()
{
    return OpenStream("rb", "XBinFile::Open: _tfopen open for read failed");
}

bool XTxtFile::Create()
{
    return OpenStream("w+b", "_tfopen() failed");
}

bool XTxtFile::Open()
{
    return OpenStream("rb", "_tfopen open for read failed");
}

} // namespace orv
