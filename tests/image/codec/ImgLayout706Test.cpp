// The 706 family field codecs that the compiler and the decompiler share:
// each decoder gives back what its encoder wrote, and drops what the field
// cannot hold.
#include "image/codec/ImgLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

using namespace orv;

using namespace imglayout;

namespace {

TEST(ImgLayout706Codecs, UserChar706KeepsSevenRowsOfFivePixels)
{
    // Every pixel alone lands on one bit and comes back alone.
    for (size_t row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col) {
            std::array<uint8_t, 8> rows{};
            rows[row] = static_cast<uint8_t>(0x10 >> col);
            const UserChar706::Bytes packed = UserChar706::Encode(rows);
            int bits = 0;
            for (uint8_t b : packed)
                bits += __builtin_popcount(b);
            EXPECT_EQ(bits, 1) << row << "," << col;
            EXPECT_EQ(UserChar706::Decode(packed.data()), rows) << row << "," << col;
        }
    // Pixel bits 5..7 and the eighth row have no place.
    const std::array<uint8_t, 8> full{0xFF, 0xE1, 0, 0, 0, 0, 0x1F, 0xFF};
    const std::array<uint8_t, 8> kept{0x1F, 0x01, 0, 0, 0, 0, 0x1F, 0};
    EXPECT_EQ(UserChar706::Decode(UserChar706::Encode(full).data()), kept);
}

TEST(ImgLayout706Codecs, WordsAndCodesComeBack)
{
    for (uint8_t kind : {1, 2, 3})
        EXPECT_EQ(SetpCode706::Decode(SetpCode706::Encode(kind)), kind);
    EXPECT_EQ(SetpCode706::Decode(7), 1);

    struct Msg {
        uint8_t prio;
        uint8_t delMode;
        bool alarm;
    } const msgs[] = {{2, 1, false}, {3, 5, true}, {4, 3, false}};
    for (const Msg& m : msgs) {
        const MsgAttrWord::Decoded d = MsgAttrWord::Decode(MsgAttrWord::Encode(m.prio, m.delMode, m.alarm));
        EXPECT_EQ(d.prio, m.prio);
        EXPECT_EQ(d.delMode, m.delMode);
        EXPECT_EQ(d.alarm, m.alarm);
    }
    // Priority code 3 has no priority of its own.
    EXPECT_EQ(MsgAttrWord::Decode(0x0300).prio, 2);

    for (uint8_t form : {0, 1, 2})
        EXPECT_EQ(FormWord706::Decode(FormWord706::Encode(form)), form);
    EXPECT_EQ(FormWord706::Decode(3), 0);
}

TEST(ImgLayout706Codecs, BlankCountsUpToTheFamilyMaximum)
{
    struct Case {
        uint8_t max;
        size_t blanks;
        std::string bytes;
    } const cases[] = {
        {7, 1, "\x01"}, {7, 7, "\x07"}, {7, 9, "\x07\x02"}, {15, 15, "\x0F"}, {15, 20, "\x0F\x05"},
    };
    for (const Case& c : cases) {
        std::string out;
        bool open = false;
        for (size_t i = 0; i < c.blanks; ++i)
            BlankCount706::Add(out, open, c.max);
        EXPECT_EQ(out, c.bytes) << c.blanks;
        size_t back = 0;
        for (char b : out)
            back += static_cast<size_t>(BlankCount706::Decode(static_cast<uint8_t>(b), c.max));
        EXPECT_EQ(back, c.blanks);
    }
    // On 473 and 477 the codes 8..15 are characters.
    EXPECT_EQ(BlankCount706::Decode(15, 7), 0);
    EXPECT_EQ(BlankCount706::Decode(0, 15), 0);
    EXPECT_EQ(BlankCount706::Decode(16, 15), 0);
}

} // namespace
