#pragma once

#include "model/core/Trace.h"

#include <string>
#include <string_view>
#include <vector>

namespace orv {

struct TraceEntry {
    bool lastError = false; // TraceLastError, else DbgTrace
    std::string text;
    std::string errnoText;  // TraceLastError only
};

// Keeps every trace in order. Register it with ScopedTraceSink.
class RecordingTraceSink : public TraceSink {
public:
    void LastError(std::string_view text, std::string_view errnoText) override;
    void Debug(std::string_view text) override;

    const std::vector<TraceEntry>& Entries() const { return m_entries; }
    // True when a trace of either kind has exactly this text.
    bool Has(std::string_view text) const;
    void Clear() { m_entries.clear(); }

private:
    std::vector<TraceEntry> m_entries;
};

} // namespace orv
