// Writes the link's debug trace; a trace that failed to open is silently
// absent, since the user never sees it.
#include "link/LinkTrace.h"

#include "model/core/Log.h"

#include <cstdarg>

namespace orv {

CLinkTrace::~CLinkTrace() { Close(); }

bool CLinkTrace::Create(const std::string& path)
{
    Close();
    std::remove(path.c_str());
    LogLine(kLogDebug, "Delete %s", path.c_str());
    m_file = std::fopen(path.c_str(), "wb+");
    return m_file != nullptr;
}

void CLinkTrace::Write(const char* format, ...)
{
    if (!m_file)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(m_file, format, args);
    va_end(args);
}

void CLinkTrace::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

} // namespace orv
