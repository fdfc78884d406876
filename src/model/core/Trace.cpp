// Sends traces to the registered sink with the errno text, leaving errno as it
// was for the caller.
#include "model/core/Trace.h"

#include <cerrno>
#include <cstring>

namespace orv {

namespace {

TraceSink* g_sink = nullptr;

} // namespace

void TraceLastError(std::string_view text)
{
    const int err = errno;
    if (g_sink) {
        char buffer[256];
        // The GNU form returns the text, which need not be in the buffer.
        const char* errnoText = strerror_r(err, buffer, sizeof buffer);
        g_sink->LastError(text, errnoText);
    }
    errno = err;
}

void DbgTrace(std::string_view text)
{
    if (g_sink)
        g_sink->Debug(text);
}

ScopedTraceSink::ScopedTraceSink(TraceSink& sink) : m_previous(g_sink)
{
    g_sink = &sink;
}

ScopedTraceSink::~ScopedTraceSink()
{
    g_sink = m_previous;
}

} // namespace orv
