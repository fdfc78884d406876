#include "support/RecordingTraceSink.h"

namespace orv {

void RecordingTraceSink::LastError(std::string_view text, std::string_view errnoText)
{
    m_entries.push_back(TraceEntry{true, std::string(text), std::string(errnoText)});
}

void RecordingTraceSink::Debug(std::string_view text)
{
    m_entries.push_back(TraceEntry{false, std::string(text), {}});
}

bool RecordingTraceSink::Has(std::string_view text) const
{
    for (const TraceEntry& e : m_entries)
        if (e.text == text)
            return true;
    return false;
}

} // namespace orv
