#include "model/project/CharSet.h"
#include "model/project/Fon.h"
#include "support/FonFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>

using namespace orv;

namespace {

using Buffer = std::array<uint8_t, CCharSet::kFontBufSize>;

std::string Built(TempDir& dir, const FonDesc& desc)
{
    dir.Write("f.fon", BuildFonFile(desc));
    return dir.File("f.fon");
}

} // namespace

TEST(FonGlyphs, GetBitmapsGivesTheFivePixelsOfEachRow)
{
    TempDir dir;
    FonDesc desc = MakeFixtureDesc();
    desc.glyphs[0x41].rows[2] = 0xF8;
    desc.glyphs[0x41].rows[3] = 0x07;
    CFon fon(0);
    ASSERT_EQ(1, fon.Load(Built(dir, desc)));
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
    ASSERT_EQ(1, fon.Load(Built(dir, MakeFixtureDesc(o))));
    Buffer buffer;
    buffer.fill(0xAA);
    fon.GetBitmaps(buffer);
    for (size_t i = 0; i < 1024; ++i)
        ASSERT_EQ(FixtureRow(static_cast<int>(i / 8), static_cast<int>(i % 8)) >> 3, buffer[i]) << i;
    for (size_t i = 1024; i < CCharSet::kFontBufSize; ++i)
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
    EXPECT_EQ(0xAA, buffer[CCharSet::kFontBufSize - 1]);

    ASSERT_EQ(1, fon.Load(Built(dir, MakeFixtureDesc())));
    ASSERT_NE(nullptr, fon.GetCharInfo(255));
    EXPECT_EQ(FixtureRow(255, 0), fon.GetCharInfo(255)->rows[0]);
    EXPECT_EQ(nullptr, fon.GetCharInfo(256));
    EXPECT_EQ(5, fon.GetCharWidth(65));
    EXPECT_EQ(0, fon.GetCharWidth(256));

    fon.Free();
    EXPECT_EQ(nullptr, fon.GetCharInfo(65));
}

TEST(FonGlyphs, RestoreDefCharsTakesTheDefaultGlyphsOfTheNamedFont)
{
    struct Case {
        const char* name;
        CharGroup group;
        unsigned first, last;
        size_t at;
    };
    const Case cases[] = {
        {"alt", CharGroup::Alt, 8, 15, 1792},
        {"706", CharGroup::F706, 127, 255, 1016},
        {"int", CharGroup::Int, 8, 15, 64},
        {"", CharGroup::None, 1, 0, 0},
        {"xyz", CharGroup::None, 1, 0, 0},
    };
    // Distinct 5-bit values per buffer and byte, so that a wrong buffer or
    // offset shows.
    CCharSet charSet(nullptr);
    for (CharGroup g : {CharGroup::Alt, CharGroup::F706, CharGroup::Int}) {
        auto buffer = charSet.FillFontBuffer(g);
        for (size_t i = 0; i < buffer.size(); ++i)
            buffer[i] = static_cast<uint8_t>(((i + 1) * 2654435761u + static_cast<unsigned>(g) * 97) >> 20 & 0x1F);
    }
    TempDir dir;
    dir.Write("f.fon", BuildFixtureFon());
    for (const Case& c : cases) {
        CFon fon(1);
        ASSERT_EQ(1, fon.Load(dir.File("f.fon")));
        fon.RestoreDefChars(charSet, c.name);
        const uint8_t* buffer = charSet.GetFontBuffer(c.group);
        for (unsigned code = 0; code < 256; ++code) {
            const TSZeichenInfo& g = *fon.GetCharInfo(code);
            for (unsigned r = 0; r < 8; ++r) {
                const uint8_t want = code >= c.first && code <= c.last
                                         ? static_cast<uint8_t>(buffer[c.at + (code - c.first) * 8 + r] << 3)
                                         : FixtureRow(static_cast<int>(code), static_cast<int>(r));
                ASSERT_EQ(want, g.rows[r]) << c.name << " code " << code << " row " << r;
            }
        }
    }
    CFon empty(1);
    empty.RestoreDefChars(charSet, "alt");
    EXPECT_FALSE(empty.HasFont());
}
