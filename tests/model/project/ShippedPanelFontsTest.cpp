#include "model/project/CharSet.h"
#include "model/project/Fon.h"
#include "model/project/FonLoader.h"
#include "platform/FileReplace.h"
#include "support/TempDir.h"
#include "tools/fontgen/GlyphFile.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

using namespace orv;

namespace {

struct Shipped {
    const char* file;
    const char* face;
    std::set<int> blanks;                  // deliberately blank beyond 0x00, 0x20, 0xFF
    std::vector<std::pair<int, int>> copies;   // code, source code
};

const std::vector<Shipped>& ShippedFonts()
{
    static const std::vector<Shipped> fonts = {
        {"ALT.FON", "alt", {8, 9, 10, 11, 12, 13, 14, 15, 224, 225, 226, 227, 228, 229, 230, 231}, {}},
        {"INT.FON", "int", {8, 9, 10, 11, 12, 13, 14, 15},
         {{0xA5, 0x9D}, {0xC4, 0x8E}, {0xD6, 0x99}, {0xDC, 0x9A}, {0xE4, 0x84}, {0xF6, 0x94}, {0xFC, 0x81}}},
        {"706.FON", "706", {}, {}},
    };
    return fonts;
}

std::string ShippedPath(const char* file)
{
    return std::string(ORV_SHIPPED_FONT_DIR) + file;
}

const GlyphFile& Glyphs()
{
    static const GlyphFile file = [] {
        std::string text;
        GlyphFile parsed;
        GlyphFileError error;
        if (!orv::ReadWholeFile(ORV_GLYPH_FILE, text) || !ParseGlyphFile(text, parsed, error))
            ADD_FAILURE() << "glyph file: " << error.line << ": " << error.message;
        return parsed;
    }();
    return file;
}

const FontSection* SectionOf(const char* file)
{
    for (const FontSection& f : Glyphs().fonts)
        if (f.fileName == file)
            return &f;
    return nullptr;
}

void PrintTo(const Shipped& s, std::ostream* os)
{
    *os << s.file;
}

class ShippedPanelFonts : public ::testing::TestWithParam<Shipped> {};

} // namespace

TEST_P(ShippedPanelFonts, LoadsWithTheGlyphFilesPixels)
{
    const Shipped& s = GetParam();
    CFon fon(1);
    ASSERT_EQ(1, fon.Load(ShippedPath(s.file)));
    ASSERT_NE(nullptr, fon.GetHeader());
    EXPECT_EQ(255, fon.GetHeader()->dfLastChar);
    EXPECT_EQ(8, fon.GetHeader()->dfPixHeight);
    EXPECT_EQ(s.face, fon.GetFaceName());
    for (unsigned code = 0; code < 256; ++code)
        ASSERT_EQ(5, fon.GetCharWidth(code)) << code;

    const FontSection* section = SectionOf(s.file);
    ASSERT_NE(nullptr, section);
    const auto glyphs = Glyphs().FontGlyphs(*section);
    std::array<uint8_t, CCharSet::kFontBufSize> buffer{};
    fon.GetBitmaps(buffer);
    for (int code = 0; code < 256; ++code) {
        bool lit = false;
        for (int r = 0; r < 8; ++r) {
            const uint8_t row = buffer[static_cast<size_t>(code * 8 + r)];
            ASSERT_EQ(glyphs[code][r] >> 3, row) << code << " row " << r;
            lit = lit || row != 0;
        }
        const bool blank = code == 0 || code == 0x20 || code == 0xFF || s.blanks.count(code);
        EXPECT_EQ(!blank, lit) << s.file << " code " << code;
        if (std::string(s.face) == "706") {
            EXPECT_EQ(0, buffer[static_cast<size_t>(code * 8 + 7)]) << code;
        }
    }
    for (auto [code, source] : s.copies)
        for (int r = 0; r < 8; ++r)
            EXPECT_EQ(buffer[static_cast<size_t>(source * 8 + r)], buffer[static_cast<size_t>(code * 8 + r)])
                << code << " from " << source;
}

TEST_P(ShippedPanelFonts, SaveAndRebuildGiveTheSameBytes)
{
    const Shipped& s = GetParam();
    TempDir dir;
    std::string shipped;
    ASSERT_TRUE(orv::ReadWholeFile(ShippedPath(s.file), shipped));
    CFon fon(1);
    ASSERT_EQ(1, fon.Load(ShippedPath(s.file)));
    ASSERT_TRUE(fon.Save(dir.File("saved.fon")));
    EXPECT_EQ(shipped, dir.Read("saved.fon"));

    const std::string command = std::string("'") + ORV_FONTGEN + "' '" + ORV_GLYPH_FILE + "' '" +
                                dir.File("a") + "' '" + dir.File("b") + "'";
    ASSERT_EQ(0, std::system(command.c_str()));
    EXPECT_EQ(shipped, dir.Read(std::string("a/") + s.file));
    EXPECT_EQ(shipped, dir.Read(std::string("b/") + s.file));
}

TEST_P(ShippedPanelFonts, FreeTypeOpensAnEightPixelBitmapFace)
{
    const Shipped& s = GetParam();
    FT_Library library = nullptr;
    ASSERT_EQ(0, FT_Init_FreeType(&library));
    FT_Face face = nullptr;
    ASSERT_EQ(0, FT_New_Face(library, ShippedPath(s.file).c_str(), 0, &face));
    EXPECT_STREQ(s.face, face->family_name);
    EXPECT_TRUE(FT_HAS_FIXED_SIZES(face));
    ASSERT_EQ(1, face->num_fixed_sizes);
    EXPECT_EQ(8, face->available_sizes[0].height);
    EXPECT_EQ(8 * 64, face->available_sizes[0].y_ppem);
    ASSERT_EQ(1, face->num_charmaps);
    ASSERT_EQ(0, FT_Set_Charmap(face, face->charmaps[0]));
    ASSERT_EQ(0, FT_Select_Size(face, 0));

    const auto glyphs = Glyphs().FontGlyphs(*SectionOf(s.file));
    for (unsigned code : {0x41u, 0x84u}) {
        ASSERT_EQ(0, FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_MONOCHROME)) << code;
        const FT_Bitmap& bm = face->glyph->bitmap;
        ASSERT_EQ(8u, bm.rows);
        ASSERT_EQ(5u, bm.width);
        for (unsigned r = 0; r < 8; ++r)
            EXPECT_EQ(glyphs[code][r], bm.buffer[r * static_cast<unsigned>(bm.pitch)]) << code << " row " << r;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedPanelFonts, ::testing::ValuesIn(ShippedFonts()),
                         [](const auto& info) { return std::string("face_") + info.param.face; });

TEST(ShippedPanelFonts, StartUpLoaderFillsTheCharacterSetBuffers)
{
    CCharSet charSet(nullptr);
    CFon alt(1), f706(1), intFont(1);
    std::string failed;
    ASSERT_TRUE(LoadPanelFonts(ORV_SHIPPED_FONT_DIR, alt, f706, intFont, charSet, failed)) << failed;
    EXPECT_EQ("", failed);
    struct Want { CFon& fon; CharGroup group; const char* face; };
    for (const Want& w : {Want{alt, CharGroup::Alt, "alt"}, Want{f706, CharGroup::F706, "706"},
                          Want{intFont, CharGroup::Int, "int"}}) {
        EXPECT_EQ(w.face, w.fon.GetFaceName());
        EXPECT_EQ("", w.fon.GetModuleName(0));
        EXPECT_NE("", w.fon.GetModuleName(1));
        std::array<uint8_t, CCharSet::kFontBufSize> want{};
        w.fon.GetBitmaps(want);
        const uint8_t* got = charSet.GetFontBuffer(w.group);
        ASSERT_NE(nullptr, got) << w.face;
        EXPECT_TRUE(std::equal(want.begin(), want.end(), got)) << w.face;
    }
}

TEST(ShippedPanelFonts, StartUpLoaderStopsAtTheFirstMissingFont)
{
    TempDir dir;
    namespace fs = std::filesystem;
    fs::copy_file(ShippedPath("ALT.FON"), dir.File("ALT.FON"));
    fs::copy_file(ShippedPath("INT.FON"), dir.File("INT.FON"));
    CCharSet charSet(nullptr);
    CFon alt(1), f706(1), intFont(1);
    std::string failed;
    EXPECT_FALSE(LoadPanelFonts(dir.Path(), alt, f706, intFont, charSet, failed));
    EXPECT_EQ(dir.File("706.FON"), failed);
    EXPECT_TRUE(alt.HasFont());
    EXPECT_NE(nullptr, charSet.GetFontBuffer(CharGroup::Alt));
    EXPECT_FALSE(f706.HasFont());
    EXPECT_FALSE(intFont.HasFont());
    EXPECT_EQ(nullptr, charSet.GetFontBuffer(CharGroup::Int));
}

TEST(ShippedPanelFonts, StartUpLoaderFindsAFontWhateverTheCaseOfItsName)
{
    TempDir dir;
    namespace fs = std::filesystem;
    fs::copy_file(ShippedPath("ALT.FON"), dir.File("alt.fon"));
    fs::copy_file(ShippedPath("706.FON"), dir.File("706.FON"));
    fs::copy_file(ShippedPath("INT.FON"), dir.File("Int.Fon"));
    CCharSet charSet(nullptr);
    CFon alt(1), f706(1), intFont(1);
    std::string failed;
    ASSERT_TRUE(LoadPanelFonts(dir.Path(), alt, f706, intFont, charSet, failed)) << failed;
    EXPECT_EQ(dir.File("alt.fon"), alt.GetPath());
    EXPECT_EQ(dir.File("Int.Fon"), intFont.GetPath());
}
