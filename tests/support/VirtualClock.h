#pragma once

#include "serlink/IClock.h"

#include <cstdint>

namespace orv {

// Time that moves only when the code under test sleeps or a fake device makes
// it wait. Kept in nanoseconds, since a byte at 115,200 baud lasts 95 us.
class VirtualClock : public orv::IClock {
public:
    static constexpr uint64_t kNsPerMs = 1000000;

    uint64_t NowMs() override { return m_nowNs / kNsPerMs; }
    void SleepMs(uint32_t ms) override { m_nowNs += ms * kNsPerMs; }
    bool FineResolution() override { return fineResolution; }

    uint64_t NowNs() const { return m_nowNs; }
    // Never backwards.
    void AdvanceTo(uint64_t ns) {
        if (ns > m_nowNs) m_nowNs = ns;
    }

    // Moves on to the next whole millisecond, so that a count of milliseconds
    // from here is not a fraction off.
    void AlignToMs() { AdvanceTo((m_nowNs + kNsPerMs - 1) / kNsPerMs * kNsPerMs); }

    bool fineResolution = true;

private:
    uint64_t m_nowNs = 0;
};

} // namespace orv
