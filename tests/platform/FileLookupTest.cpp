#include "platform/FileLookup.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(FileLookup, ExactNameBeatsCaseVariants)
{
    TempDir dir;
    dir.Write("data/name.txt", "lower");
    dir.Write("data/NAME.TXT", "upper");
    dir.Write("data/Name.txt", "mixed");
    EXPECT_EQ(FindPathNoCase(dir.Path(), "data/Name.txt"), dir.File("data/Name.txt"));
    EXPECT_EQ(FindPathNoCase(dir.Path(), "data/name.txt"), dir.File("data/name.txt"));
    // No exact name: the first variant in byte order.
    EXPECT_EQ(FindPathNoCase(dir.Path(), "DATA/nAmE.tXt"), dir.File("data/NAME.TXT"));
}

TEST(FileLookup, FindsAnyCaseComponentByComponent)
{
    TempDir dir;
    dir.Write("CFG/ORV/ALT.FON", "font");
    EXPECT_EQ(FindPathNoCase(dir.Path(), "cfg/orv/alt.fon"), dir.File("CFG/ORV/ALT.FON"));
    EXPECT_EQ(FindPathNoCase(dir.Path(), "Cfg/Orv/"), dir.File("CFG/ORV/"));
    // A base without its closing slash works alike.
    const std::string base = dir.Path().substr(0, dir.Path().size() - 1);
    EXPECT_EQ(FindPathNoCase(base, "cfg/orv/alt.fon"), dir.File("CFG/ORV/ALT.FON"));
}

TEST(FileLookup, MissingNamesAreNotFound)
{
    TempDir dir;
    dir.Write("CFG/ORV/ALT.FON", "font");
    EXPECT_EQ(FindPathNoCase(dir.Path(), "cfg/orv/706.fon"), std::nullopt);
    EXPECT_EQ(FindPathNoCase(dir.Path(), "cfg/missing/alt.fon"), std::nullopt);
    EXPECT_EQ(FindPathNoCase(dir.Path(), "cfg/orv/alt.fon/x"), std::nullopt);
    EXPECT_EQ(FindPathNoCase(dir.File("gone/"), ""), std::nullopt);
}

TEST(FileLookup, NamesFromFilesAndPanels)
{
    struct Case {
        std::string_view name;
        bool safe;
    };
    const Case cases[] = {
        {"A.DRV", true}, {".hidden", true}, {"...", true},
        {"", false},     {".", false},      {"..", false},
        {"a/b", false},  {"a\\b", false},   {"../x", false},
        {std::string_view("a\0b", 3), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_EQ(IsSafeFileName(c.name), c.safe);
    }
    EXPECT_EQ(SlashPath("CFG\\ORV\\ALT.FON"), "CFG/ORV/ALT.FON");
    EXPECT_EQ(SlashPath("a/b"), "a/b");
}
