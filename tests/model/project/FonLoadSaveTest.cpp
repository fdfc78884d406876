#include "model/project/Fon.h"
#include "model/core/Log.h"
#include "support/FonFixture.h"
#include "support/FrameFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace orv;

namespace {

std::vector<std::string> DirEntries(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(FonLoadSave, BuiltFontLoadsWithItsHeaderWidthsAndNames)
{
    TempDir dir;
    FonFixtureOptions o;
    o.device = "PANEL";
    dir.Write("f.fon", BuildFixtureFon(o));
    CFon fon(0);
    ASSERT_EQ(1, fon.Load(dir.File("f.fon")));

    ASSERT_NE(nullptr, fon.GetHeader());
    const FonHeader& h = *fon.GetHeader();
    EXPECT_EQ(0x0200, h.dfVersion);
    EXPECT_EQ(0, h.dfType);
    EXPECT_EQ(255, h.dfCharSet);
    EXPECT_EQ(5, h.dfPixWidth);
    EXPECT_EQ(8, h.dfPixHeight);
    EXPECT_EQ(0, h.dfFirstChar);
    EXPECT_EQ(255, h.dfLastChar);
    EXPECT_EQ(0x30, h.dfPitchAndFamily);
    EXPECT_EQ("fixture", std::string(h.dfCopyright.data()));
    EXPECT_EQ("fixture", fon.GetFaceName());
    EXPECT_EQ("PANEL", fon.GetDeviceName());
    EXPECT_EQ(dir.File("f.fon"), fon.GetPath());
    for (unsigned code = 0; code < 256; ++code) {
        ASSERT_EQ(5, fon.GetCharWidth(code)) << code;
        EXPECT_EQ(FixtureRow(static_cast<int>(code), 7), fon.GetCharInfo(code)->rows[7]) << code;
    }
}

TEST(FonLoadSave, ModuleNameGoesToTheSlotOfTheFamilyFlag)
{
    TempDir dir;
    dir.Write("f.fon", BuildFixtureFon());
    FonFixtureOptions longName;
    longName.module = "LONGMODULE";
    dir.Write("long.fon", BuildFixtureFon(longName));
    struct Case { uint8_t flag; const char* file; std::string slot0, slot1; };
    for (const Case& c : {Case{0, "f.fon", "FIXTURE", ""}, Case{1, "f.fon", "", "FIXTURE"},
                          Case{1, "long.fon", "", "LONGMODUL"}}) {
        CFon fon(c.flag);
        ASSERT_EQ(1, fon.Load(dir.File(c.file)));
        EXPECT_EQ(c.slot0, fon.GetModuleName(0)) << int(c.flag);
        EXPECT_EQ(c.slot1, fon.GetModuleName(1)) << int(c.flag);
    }
}

TEST(FonLoadSave, UnchangedSaveGivesTheBuiltBytes)
{
    TempDir dir;
    for (bool twoColumns : {false, true}) {
        FonFixtureOptions o;
        o.twoColumns = twoColumns;
        o.device = "dev";
        const std::string built = BuildFixtureFon(o);
        dir.Write("in.fon", built);
        CFon fon(1);
        ASSERT_EQ(1, fon.Load(dir.File("in.fon")));
        if (twoColumns) {
            EXPECT_EQ(FixtureRow2(65, 3), fon.GetCharInfo(65)->rows2[3]);
        }
        ASSERT_TRUE(fon.Save(dir.File("out.fon")));
        EXPECT_EQ(built, dir.Read("out.fon")) << "two columns: " << twoColumns;
    }
}

TEST(FonLoadSave, SaveOfAnUnpaddedFileAddsOneToSixteenZeros)
{
    TempDir dir;
    // Face names of 1..16 characters give every remainder of the size modulo 16.
    std::set<size_t> added;
    for (int len = 1; len <= 16; ++len) {
        FonFixtureOptions o;
        o.pad = false;
        o.face = std::string(static_cast<size_t>(len), 'f');
        const std::string built = BuildFixtureFon(o);
        dir.Write("in.fon", built);
        CFon fon(0);
        ASSERT_EQ(1, fon.Load(dir.File("in.fon")));
        ASSERT_TRUE(fon.Save(dir.File("out.fon")));
        const std::string saved = dir.Read("out.fon");
        ASSERT_EQ(0u, saved.size() % 16);
        ASSERT_GT(saved.size(), built.size());
        ASSERT_EQ(built, saved.substr(0, built.size()));
        const size_t extra = saved.size() - built.size();
        EXPECT_EQ(built.size() % 16 == 0 ? 16u : 16 - built.size() % 16, extra);
        EXPECT_EQ(std::string(extra, '\0'), saved.substr(built.size()));
        added.insert(extra);
    }
    EXPECT_EQ(16u, added.size());
}

TEST(FonLoadSave, ChangedRowsAreTheOnlyDifference)
{
    TempDir dir;
    FonFileLayout at;
    const std::string built = BuildFixtureFon({}, &at);
    dir.Write("in.fon", built);
    CFon fon(1);
    ASSERT_EQ(1, fon.Load(dir.File("in.fon")));
    TSZeichenInfo* g = fon.GetCharInfo(8);
    ASSERT_NE(nullptr, g);
    for (int r = 0; r < 8; ++r)
        g->rows[r] = static_cast<uint8_t>(~g->rows[r] & 0xF8);
    ASSERT_TRUE(fon.Save(dir.File("out.fon")));

    const std::string saved = dir.Read("out.fon");
    ASSERT_EQ(built.size(), saved.size());
    const size_t rowsOf8 = at.glyphRows + 8 * 8;
    for (size_t i = 0; i < built.size(); ++i) {
        if (i >= rowsOf8 && i < rowsOf8 + 8)
            EXPECT_NE(built[i], saved[i]) << i;
        else
            ASSERT_EQ(built[i], saved[i]) << i;
    }
    CFon again(1);
    ASSERT_EQ(1, again.Load(dir.File("out.fon")));
    EXPECT_EQ(g->rows, again.GetCharInfo(8)->rows);
}

TEST(FonLoadSave, FailedSaveReturnsFalseAndLeavesNoTemporaryFile)
{
    TempDir dir;
    dir.Write("in.fon", BuildFixtureFon());
    dir.Write("plain", "x");
    std::filesystem::create_directory(dir.File("sub"));
    CFon fon(0);
    ASSERT_EQ(1, fon.Load(dir.File("in.fon")));
    const auto before = DirEntries(dir.Path());
    FrameFixture f;
    f.frame.SetLogLevel(kLogErrors);

    EXPECT_FALSE(fon.Save(dir.File("sub")));           // a directory
    EXPECT_FALSE(fon.Save(dir.File("plain/x.fon")));   // below a regular file
    EXPECT_EQ((std::vector<std::string>{"Font file " + dir.File("sub") + " not written",
                                        "Font file " + dir.File("plain/x.fon") + " not written"}),
              f.ui.TextsOf(UiCall::Kind::LogAppend));
    EXPECT_EQ(before, DirEntries(dir.Path()));
    EXPECT_TRUE(DirEntries(dir.File("sub")).empty());
    EXPECT_EQ("x", dir.Read("plain"));

    CFon empty(0);
    EXPECT_FALSE(empty.Save(dir.File("none.fon")));
    EXPECT_EQ(before, DirEntries(dir.Path()));
}

TEST(FonLoadSave, FailedReloadKeepsTheHeldFont)
{
    TempDir dir;
    dir.Write("good.fon", BuildFixtureFon());
    dir.Write("bad.fon", BuildMalformedFon(FonFault::PixHeight21));
    CFon fon(0);
    ASSERT_EQ(1, fon.Load(dir.File("good.fon")));
    fon.GetCharInfo(9)->rows[0] = 0x88;   // an edit that a reload would discard

    EXPECT_EQ(0, fon.Load(dir.File("bad.fon")));
    EXPECT_EQ(255, fon.Load(dir.File("missing.fon")));
    ASSERT_TRUE(fon.HasFont());
    EXPECT_EQ(0x88, fon.GetCharInfo(9)->rows[0]);
    EXPECT_EQ(FixtureRow(10, 1), fon.GetCharInfo(10)->rows[1]);
    EXPECT_EQ(dir.File("good.fon"), fon.GetPath());
}
