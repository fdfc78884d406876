// The serial link library's production clock, on the platform's monotonic clock.
#pragma once

#include "serlink/IClock.h"

namespace orv {

// The monotonic clock of the platform layer.
class SystemClock : public IClock {
public:
    uint64_t NowMs() override;
    void SleepMs(uint32_t ms) override;
    bool FineResolution() override;
};

}  // namespace orv
