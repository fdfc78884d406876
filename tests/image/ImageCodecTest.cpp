#include "image/ImageBuffer.h"
#include "image/ImgLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace imglayout;

namespace {

TEST(ImageCodec, OffsetBinaryLimits)
{
    for (int32_t v : {std::numeric_limits<int32_t>::min(), -500, -1, 0, 1, std::numeric_limits<int32_t>::max()})
        EXPECT_EQ(OffsetBinary32::Decode(OffsetBinary32::Encode(v)), v) << v;
}

TEST(ImageCodec, Value48)
{
    const int64_t top = int64_t{1} << 47;
    for (int64_t v : {-top, -top + 1, int64_t{-300}, int64_t{-1}, int64_t{0}, int64_t{1}, int64_t{1} << 40, top - 1}) {
        ImageBuffer bytes;
        bytes.Put6(static_cast<uint64_t>(v));
        EXPECT_EQ(Value48::Decode(reinterpret_cast<const uint8_t*>(bytes.Bytes().data())), v) << v;
    }
}

TEST(ImageCodec, Bcd)
{
    for (int64_t v : {0, 1, 9, 10, 99, 1234, 9999, 12345678, 99999999})
        EXPECT_EQ(Bcd::Decode(Bcd::Encode(v)), static_cast<uint32_t>(v)) << v;
    EXPECT_EQ(Bcd::Decode(Bcd::EncodeWord(12345)), 2345u);
}

TEST(ImageCodec, TypeByteKeepsSetpointKindAndCode)
{
    for (uint8_t setp : {1, 2, 3})
        for (uint8_t code : {0, 2, 18, 30, 36, 42}) {
            const auto d = ImageTypeByte::Decode(ImageTypeByte::Encode(setp, code));
            EXPECT_EQ(d.setpKind, setp);
            EXPECT_EQ(d.code, code);
        }
    EXPECT_EQ(ImageTypeByte::Decode(0x42).setpKind, 0);
}

TEST(ImageCodec, MessageAttributes)
{
    for (uint8_t prio : {2, 3, 4})
        for (uint8_t del : {1, 2, 3, 4}) {
            const auto d = MsgAttrByte::Decode(MsgAttrByte::Encode(prio, del));
            EXPECT_EQ(d.prio, prio);
            EXPECT_EQ(d.delMode, del);
        }
}

TEST(ImageCodec, SoftkeyOperations)
{
    for (uint16_t op : {0, 1, 2, 3})
        EXPECT_EQ(SkOpByte::Decode(SkOpByte::Encode(op)), op);
}

TEST(ImageCodec, BlankRuns)
{
    for (bool counts : {false, true})
        for (size_t blanks : {1u, 7u, 8u, 40u}) {
            std::string out;
            BlankRun::Encode(out, blanks, counts);
            size_t decoded = 0;
            for (char c : out)
                decoded += static_cast<size_t>(BlankRun::Decode(static_cast<uint8_t>(c), counts));
            EXPECT_EQ(decoded, blanks) << blanks << (counts ? " counts" : "");
        }
}

} // namespace
