// The monotonic millisecond clock and sleep of the platform layer.
#pragma once

#include <cstdint>

namespace orv {

// Milliseconds of a clock that never goes backwards; the 32-bit count wraps,
// so callers compare differences, never absolute values.
uint32_t MonoMs();
uint64_t MonoMs64();

// Sleeps at least ms milliseconds, also when a signal interrupts it.
void SleepMs(uint32_t ms);

}  // namespace orv
