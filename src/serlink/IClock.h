// The clock seam of the serial link protocol, so tests can drive its timing.
#pragma once

#include <cstdint>

namespace orv {

// Monotonic time for the link's windows and pauses.
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint64_t NowMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // The link's pacing needs a clock that resolves one millisecond.
    virtual bool FineResolution() = 0;
};

}  // namespace orv
