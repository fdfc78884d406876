// The link's clock; it reports whether the system clock resolves a millisecond,
// which the protocol's pacing needs.
#include "serlink/SystemClock.h"

#include "platform/MonoClock.h"

#include <time.h>

namespace orv {

uint64_t SystemClock::NowMs() { return MonoMs64(); }

void SystemClock::SleepMs(uint32_t ms) { orv::SleepMs(ms); }

bool SystemClock::FineResolution() {
    timespec resolution{};
    if (::clock_getres(CLOCK_MONOTONIC, &resolution) != 0) return false;
    return resolution.tv_sec == 0 && resolution.tv_nsec <= 1000000;
}

}  // namespace orv
