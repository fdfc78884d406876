#include "model/Fon.h"
#include "support/FonFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Buffer = std::array<uint8_t, kFonBufferSize>;

std::string Built(TempDir& dir, const FonSpec& spec)
{
    dir.Write("f.fon", BuildFonFile(spec));
    return dir.File("f.fon");
}

} // namespace

TEST(FonGlyphs, GetBitmapsGivesTheFivePixelsOfEachRow)
{
    TempDir dir;
    FonSpec spec = MakeFixtureSpec();
    spec.glyphs[0x41].rows[2] = 0xF8;
    spec.glyphs[0x41].rows[3] = 0x07;
    CFon fon(0);
    ASSERT_EQ(1, fon.Load(Built(dir, spec)));
    Buffer buffer;
    buffer.fill(0xAA);
    fon.GetBitmaps(buffer);

    EXPECT_EQ(0x1F, buffer[0x41 * 8 + 2]);
    EXPECT_EQ(0x00, buffer[0x41 * 8 + 3]);
    for (int code = 0; code < 256; ++code) {
        if (code == 0x41)
            continue;
        for (int r = 0; r < 8; ++r)
            ASSERT_EQ(FixtureRow(code, r) >> 3, buffer[static_cast<size_t>(code * 8 + r)]) << code << " " << r;
    }
}

TEST(FonGlyphs, A128GlyphFontFillsHalfAndZeroesTheRest)
{
    TempDir dir;
    FonFixtureOptions o;
    o.glyphs = 128;
    CFon fon(0);
    ASSERT_EQ(1, fon.Load(Built(dir, MakeFixtureSpec(o))));
    Buffer buffer;
    buffer.fill(0xAA);
    fon.GetBitmaps(buffer);
    for (size_t i = 0; i < 1024; ++i)
        ASSERT_EQ(FixtureRow(static_cast<int>(i / 8), static_cast<int>(i % 8)) >> 3, buffer[i]) << i;
    for (size_t i = 1024; i < kFonBufferSize; ++i)
        ASSERT_EQ(0, buffer[i]) << i;
    EXPECT_NE(nullptr, fon.GetCharInfo(127));
    EXPECT_EQ(0, fon.GetCharWidth(200));
}

TEST(FonGlyphs, GlyphAccessStopsAt255AndWithoutAFont)
{
    TempDir dir;
    CFon fon(0);
    EXPECT_EQ(nullptr, fon.GetCharInfo(65));
    EXPECT_EQ(0, fon.GetCharWidth(65));
    Buffer buffer;
    buffer.fill(0xAA);
    fon.GetBitmaps(buffer);
    EXPECT_EQ(0xAA, buffer[0]);
    EXPECT_EQ(0xAA, buffer[kFonBufferSize - 1]);

    ASSERT_EQ(1, fon.Load(Built(dir, MakeFixtureSpec())));
    ASSERT_NE(nullptr, fon.GetCharInfo(255));
    EXPECT_EQ(FixtureRow(255, 0), fon.GetCharInfo(255)->rows[0]);
    EXPECT_EQ(nullptr, fon.GetCharInfo(256));
    EXPECT_EQ(5, fon.GetCharWidth(65));
    EXPECT_EQ(0, fon.GetCharWidth(256));

    fon.Free();
    EXPECT_EQ(nullptr, fon.GetCharInfo(65));
}
