#include "platform/MonoClock.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(MonoClock, NeverGoesBackwards)
{
    uint64_t last = MonoMs64();
    for (int i = 0; i < 100000; ++i) {
        const uint64_t now = MonoMs64();
        ASSERT_GE(now, last);
        last = now;
    }
}

TEST(MonoClock, SleepLastsAtLeastItsTime)
{
    const uint64_t start64 = MonoMs64();
    const uint32_t start32 = MonoMs();
    SleepMs(20);
    EXPECT_GE(MonoMs64() - start64, 20u);
    EXPECT_GE(static_cast<uint32_t>(MonoMs() - start32), 20u);
}
