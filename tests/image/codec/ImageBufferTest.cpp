#include "../compile/CompWorld.h"
#include "image/codec/ImageBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace orv;

namespace {

// The bytes as upper-case hexadecimal pairs.
std::string HexOf(const ImageBuffer& b)
{
    return Hex(std::string(b.Bytes()));
}

// The three operations by width, so that one table covers every width.
bool Put(ImageBuffer& b, size_t width, uint64_t v)
{
    switch (width) {
    case 1: return b.Put1(static_cast<uint8_t>(v));
    case 2: return b.Put2(static_cast<uint16_t>(v));
    case 4: return b.Put4(static_cast<uint32_t>(v));
    default: return b.Put6(v);
    }
}

bool Patch(ImageBuffer& b, size_t at, size_t width, uint64_t v)
{
    switch (width) {
    case 1: return b.Patch1(at, static_cast<uint8_t>(v));
    case 2: return b.Patch2(at, static_cast<uint16_t>(v));
    case 4: return b.Patch4(at, static_cast<uint32_t>(v));
    default: return b.Patch6(at, v);
    }
}

uint64_t Get(ImageBuffer& b, size_t at, size_t width)
{
    switch (width) {
    case 1: return b.Get1(at);
    case 2: return b.Get2(at);
    case 4: return b.Get4(at);
    default: return b.Get6(at);
    }
}

TEST(ImageBuffer, NumbersGoInHighByteFirst)
{
    ImageBuffer b;
    EXPECT_TRUE(b.Put1(0x11));
    EXPECT_TRUE(b.Put2(0x2233));
    EXPECT_TRUE(b.Put4(0x44556677));
    EXPECT_TRUE(b.Put6(0x8899AABBCCDDull));
    EXPECT_TRUE(b.Put6(static_cast<uint64_t>(int64_t{-300})));
    EXPECT_TRUE(b.Append(std::string("\0x", 2)));
    EXPECT_TRUE(b.AppendZeros(2));
    EXPECT_EQ(HexOf(b), "11" "2233" "44556677" "8899AABBCCDD" "FFFFFFFFFED4" "0078" "0000");
    EXPECT_TRUE(b.Ok());
}

TEST(ImageBuffer, EachWidthAtTheFirstAndLastOffsetAndOnePast)
{
    const uint64_t values[] = {0, 0xA5, 0xA5B6, 0, 0xA5B6C7D8, 0, 0xA5B6C7D8E9FAull};
    for (size_t width : {size_t{1}, size_t{2}, size_t{4}, size_t{6}}) {
        SCOPED_TRACE(width);
        const uint64_t v = values[width];
        constexpr size_t kSize = 10;
        for (size_t at : {size_t{0}, kSize - width}) {
            ImageBuffer b;
            ASSERT_TRUE(b.AppendZeros(kSize));
            EXPECT_TRUE(Patch(b, at, width, v));
            EXPECT_EQ(Get(b, at, width), v) << at;
            EXPECT_EQ(b.Size(), kSize);
            EXPECT_TRUE(b.Ok());
        }
        for (size_t at : {kSize - width + 1, kSize, size_t{SIZE_MAX - 2}}) {
            ImageBuffer patched;
            ASSERT_TRUE(patched.AppendZeros(kSize));
            EXPECT_FALSE(Patch(patched, at, width, v)) << at;
            EXPECT_EQ(patched.GetFailure(), ImageBuffer::Failure::Range);
            EXPECT_EQ(patched.Bytes(), std::string(kSize, '\0'));

            ImageBuffer read;
            ASSERT_TRUE(read.AppendZeros(kSize));
            EXPECT_EQ(Get(read, at, width), 0u) << at;
            EXPECT_EQ(read.GetFailure(), ImageBuffer::Failure::Range);
        }
        ImageBuffer put;
        ASSERT_TRUE(Put(put, width, v));
        EXPECT_EQ(Get(put, 0, width), v);
    }
}

TEST(ImageBuffer, LimitReachedExactlyAndPassedByOne)
{
    struct Case {
        const char* what;
        size_t limit;
        bool fits;
    } const cases[] = {
        {"below", 8, true},
        {"exactly", 7, true},
        {"passed by one", 6, false},
        {"no room at all", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (size_t width : {size_t{1}, size_t{2}, size_t{4}, size_t{6}}) {
            // The last write ends at byte 7 whatever its width.
            ImageBuffer b(c.limit);
            const bool head = b.AppendZeros(7 - width);
            EXPECT_EQ(head && Put(b, width, 1), c.fits) << width;
            EXPECT_EQ(b.GetFailure(), c.fits ? ImageBuffer::Failure::None : ImageBuffer::Failure::Limit);
            EXPECT_LE(b.Size(), c.limit) << "a refused write adds nothing";
        }
    }
}

TEST(ImageBuffer, FirstFailureStaysAndStopsEveryLaterWrite)
{
    ImageBuffer b(4);
    ASSERT_TRUE(b.Put2(0x1234));
    EXPECT_FALSE(b.Patch2(3, 0xFFFF));
    EXPECT_FALSE(b.Put4(0));
    EXPECT_EQ(b.GetFailure(), ImageBuffer::Failure::Range);
    EXPECT_FALSE(b.Put1(0x56));
    EXPECT_FALSE(b.Patch1(0, 0));
    EXPECT_EQ(HexOf(b), "1234");
    EXPECT_EQ(b.Get2(0), 0u);
}

TEST(ImageBuffer, ReadFileIsPatchedInPlaceAndNeverGrows)
{
    ImageBuffer b(std::string("abcdef"));
    b.SetLimit(b.Size());
    EXPECT_TRUE(b.PatchBytes(2, "XY"));
    EXPECT_EQ(b.Bytes(), "abXYef");
    EXPECT_FALSE(b.Put1(0));
    EXPECT_EQ(b.GetFailure(), ImageBuffer::Failure::Limit);
    EXPECT_EQ(b.Bytes(), "abXYef");
}

}  // namespace
