#include "image/codec/BinIo.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

TEST(BinIoMemory, GetAndPutAreHighByteFirst)
{
    uint8_t bytes[4] = {};
    PutBigEndian(bytes, 2, 466);
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0xD2);
    EXPECT_EQ(GetBigEndian(bytes, 2), 466u);
    PutBigEndian(bytes, 4, 0x89ABCDEF);
    EXPECT_EQ(bytes[0], 0x89);
    EXPECT_EQ(bytes[3], 0xEF);
    EXPECT_EQ(GetBigEndian(bytes, 4), 0x89ABCDEFu);
}

} // namespace
