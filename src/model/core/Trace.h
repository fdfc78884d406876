// The trace of the file wrappers' failures and successes, for diagnosis only;
// the user never sees it.
#pragma once

#include <string_view>

namespace orv {

// Receives the wrappers' failure and success traces. Nothing is shown to the
// user; without a registered sink the traces go nowhere.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    // errnoText is the system's text for the errno met by the failure.
    virtual void LastError(std::string_view text, std::string_view errnoText) = 0;
    virtual void Debug(std::string_view text) = 0;
};

// Passes a failure text together with the text of the current errno; errno
// itself is left as it was.
void TraceLastError(std::string_view text);
void DbgTrace(std::string_view text);

class ScopedTraceSink {
public:
    explicit ScopedTraceSink(TraceSink& sink);
    ~ScopedTraceSink();
    ScopedTraceSink(const ScopedTraceSink&) = delete;
    ScopedTraceSink& operator=(const ScopedTraceSink&) = delete;

private:
    TraceSink* m_previous;
};

} // namespace orv
