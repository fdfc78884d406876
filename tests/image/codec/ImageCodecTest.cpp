#include "image/codec/ImageBuffer.h"
#include "image/codec/ImgLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace orv;

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
        BeReader in(bytes.Bytes());
        EXPECT_EQ(in.S48(0), v) << v;
        // The unsigned reading of the BIN kinds' offsets is the same 48 bits.
        EXPECT_EQ(in.U48(0), static_cast<uint64_t>(v) & 0xFFFFFFFFFFFFu) << v;
    }
}

TEST(ImageCodec, SoftkeyOperationRecordsRoundTripInBothAddressWidths)
{
    struct Case {
        SkOpRecord rec;
        bool wide;
        const char* bytes;
    };
    // Operations 1..3 and formats 1..3 are what an action can hold.
    const Case cases[] = {
        {{0, 1, 1, 0}, false, "\x00\x00\x02\x01\x00\x00"},
        {{0xFFFF, 3, 3, 0xFFFF}, false, "\xFF\xFF\x08\x03\xFF\xFF"},
        {{0x1234, 2, 2, 0x8001}, false, "\x12\x34\x04\x02\x80\x01"},
        {{0, 1, 1, 0}, true, "\x00\x00\x00\x00\x02\x01\x00\x00"},
        {{0xFFFFFFFF, 3, 3, 0xFFFF}, true, "\xFF\xFF\xFF\xFF\x08\x03\xFF\xFF"},
        {{0x0005E123, 2, 1, 7}, true, "\x00\x05\xE1\x23\x04\x01\x00\x07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rec.adr << (c.wide ? " wide" : " narrow"));
        const std::string bytes = SkOpRecord::Encode(c.rec, c.wide);
        EXPECT_EQ(bytes, std::string(c.bytes, SkOpRecord::Size(c.wide)));
        // Behind a byte of something else, as inside an action.
        const std::string stored = "\x55" + bytes;
        BeReader in(stored);
        const SkOpRecord back = SkOpRecord::Decode(in, 1, c.wide);
        EXPECT_TRUE(in.Ok());
        EXPECT_EQ(back.adr, c.rec.adr);
        EXPECT_EQ(back.op, c.rec.op);
        EXPECT_EQ(back.format, c.rec.format);
        EXPECT_EQ(back.value, c.rec.value);
        // One byte short of the record fails the reader.
        BeReader cut(std::string_view(stored).substr(0, stored.size() - 1));
        SkOpRecord::Decode(cut, 1, c.wide);
        EXPECT_FALSE(cut.Ok());
    }
}

TEST(ImageCodec, RowVariableReferencesRoundTripAndMustFitTheRow)
{
    for (uint16_t address : {uint16_t{0}, uint16_t{1}, uint16_t{0x00FF}, uint16_t{0x0100}, uint16_t{0xFFFF}}) {
        SCOPED_TRACE(address);
        const std::string field = RowVarRef::Encode(address);
        ASSERT_EQ(field.size(), RowVarRef::kSize);
        EXPECT_EQ(static_cast<uint8_t>(field[0]), kFieldMark);
        const std::string row = "ab" + field;
        uint16_t back = 0;
        EXPECT_TRUE(RowVarRef::Decode(BeReader(row), 2, back));
        EXPECT_EQ(back, address);
        // A field cut by the row's end leaves the address alone.
        uint16_t untouched = 0x4242;
        EXPECT_FALSE(RowVarRef::Decode(BeReader(std::string_view(row).substr(0, row.size() - 1)), 2, untouched));
        EXPECT_EQ(untouched, 0x4242);
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
