#pragma once

#include "serlink/IClock.h"

#include <cstdint>

// Time that moves only when the code under test sleeps.
class VirtualClock : public orv::IClock {
public:
    uint64_t NowMs() override { return m_now; }
    void SleepMs(uint32_t ms) override { m_now += ms; }
    bool FineResolution() override { return fineResolution; }

    bool fineResolution = true;

private:
    uint64_t m_now = 0;
};
