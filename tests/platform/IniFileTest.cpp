#include "platform/IniFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orv;

namespace {

const char* const kReadFixture =
    "; tool settings\r\n"
    "top=before any section\r\n"
    "[GUI]\r\n"
    "  LangId = 2 \r\n"
    "LogLevel=-3x\r\n"
    "Name = \"quoted value\" \r\n"
    "Single='x'\r\n"
    "Half=\"open\r\n"
    "Empty=\r\n"
    "Blank=   \r\n"
    "Words=abc\r\n"
    "Plus= +17\r\n"
    "Wrap=4294967295\r\n"
    "langid=9\r\n"
    ";Commented=5\r\n"
    "[ Spaced ]\n"
    "Key=lf\n"
    "[gui]\r\n"
    "Extra=1\r\n"
    "[Last]\r\n"
    "NoEnd=tail";

}  // namespace

TEST(IniFile, ReadsByPrivateProfileRules)
{
    TempDir dir;
    dir.Write("a.ini", kReadFixture);
    const std::string file = dir.File("a.ini");

    struct Case {
        const char* section;
        const char* key;
        const char* asString;  // default "dflt"
        int asInt;             // default 77
    };
    const Case cases[] = {
        {"GUI", "LangId", "2", 2},
        {"gui", "LANGID", "2", 2},             // names without regard to case; first key wins
        {"GUI", "LogLevel", "-3x", -3},        // sign and leading digits
        {"GUI", "Name", "quoted value", 0},    // quotes dropped, no digits gives 0
        {"GUI", "Single", "x", 0},
        {"GUI", "Half", "\"open", 0},          // unmatched quote kept
        {"GUI", "Empty", "", 77},
        {"GUI", "Blank", "", 77},
        {"GUI", "Words", "abc", 0},
        {"GUI", "Plus", "+17", 17},
        {"GUI", "Wrap", "4294967295", -1},     // wraps, as 32-bit readers did
        {"GUI", "Commented", "dflt", 77},
        {"GUI", "Extra", "dflt", 77},          // a later section of the same name is not read
        {"GUI", "top", "dflt", 77},
        {"Spaced", "key", "lf", 0},            // LF-only lines, blanks inside brackets
        {"Last", "NoEnd", "tail", 0},          // last line without a line end
        {"Nope", "LangId", "dflt", 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(IniGetString(file, c.section, c.key, "dflt"), c.asString);
        EXPECT_EQ(IniGetInt(file, c.section, c.key, 77), c.asInt);
    }

    EXPECT_EQ(IniGetString(dir.File("missing.ini"), "GUI", "LangId", "dflt"), "dflt");
    EXPECT_EQ(IniGetInt(dir.File("missing.ini"), "GUI", "LangId", 77), 77);
}

TEST(IniFile, WritesKeepEveryOtherByte)
{
    const std::string base =
        "; tool settings\r\n"
        "[GUI]\r\n"
        "LangId = 1\r\n"
        "\r\n"
        "[Paths]\r\n"
        "Home=/opt\r\n";

    struct Case {
        const char* name;
        const char* before;  // null: no file
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"replace", base.c_str(), "gui", "LANGID", "2",
         "; tool settings\r\n[GUI]\r\nLangId = 2\r\n\r\n[Paths]\r\nHome=/opt\r\n"},
        {"add key before next section", base.c_str(), "GUI", "LogLevel", "3",
         "; tool settings\r\n[GUI]\r\nLangId = 1\r\nLogLevel=3\r\n\r\n[Paths]\r\nHome=/opt\r\n"},
        {"add key to last section", base.c_str(), "Paths", "Tmp", "/tmp", base + "Tmp=/tmp\r\n"},
        {"add section", base.c_str(), "Colors", "Back", "7", base + "[Colors]\r\nBack=7\r\n"},
        {"create file", nullptr, "GUI", "LangId", "0", "[GUI]\r\nLangId=0\r\n"},
        {"replace quoted and empty", "[A]\r\nx=\"old\"\r\ny=\r\n", "A", "y", "new",
         "[A]\r\nx=\"old\"\r\ny=new\r\n"},
        {"LF file keeps its line ends", "[A]\nx=1\n", "A", "x", "22", "[A]\nx=22\n"},
        {"key after last line without end", "[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n"},
        {"section after last line without end", "[A]\r\nx=1", "B", "y", "2",
         "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        {"empty section", "[A]\r\n[B]\r\n", "A", "k", "v", "[A]\r\nk=v\r\n[B]\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.before)
            dir.Write("a.ini", c.before);
        ASSERT_TRUE(IniWriteString(dir.File("a.ini"), c.section, c.key, c.value));
        EXPECT_EQ(dir.Read("a.ini"), c.after);
        EXPECT_EQ(IniGetString(dir.File("a.ini"), c.section, c.key, "dflt"), c.value);
    }
}

TEST(IniFile, RefusesValuesThatWouldChangeTheStructure)
{
    TempDir dir;
    const std::string before = "[GUI]\r\nLangId=1\r\n";
    dir.Write("a.ini", before);
    EXPECT_FALSE(IniWriteString(dir.File("a.ini"), "GUI", "LangId", "1\r\n[Evil]"));
    EXPECT_FALSE(IniWriteString(dir.File("a.ini"), "GUI", "a=b", "1"));
    EXPECT_FALSE(IniWriteString(dir.File("a.ini"), "G\nUI", "x", "1"));
    EXPECT_EQ(dir.Read("a.ini"), before);
}

TEST(IniFile, FailedReplacementLeavesNoTemporaryFile)
{
    TempDir dir;
    dir.Write("plain", "not a directory");
    EXPECT_FALSE(IniWriteString(dir.File("plain/a.ini"), "GUI", "LangId", "1"));
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
    EXPECT_EQ(dir.Read("plain"), "not a directory");
}
