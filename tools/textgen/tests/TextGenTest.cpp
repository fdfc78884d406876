// Runs the text generator as the build does and checks its tables and its
// refusal of bad input.
#include "IdNames.h"
#include "TableEmitter.h"
#include "TextData.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include <sys/wait.h>

using namespace orv;

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output;
};

// Runs the generator as the build does and collects what it prints.
RunResult RunTextGen(const std::string& args)
{
    RunResult r;
    std::string cmd = std::string("'") + TEXTGEN_EXE + "' " + args + " 2>&1";
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return r;
    char buf[512];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) r.output.append(buf, n);
    int status = pclose(pipe);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string Data(const std::string& name) { return std::string(TEXTGEN_DATA) + name; }

struct BadInput {
    const char* file;
    const char* mode;  // generator arguments before INPUT
    int line;
    const char* complaint;
};

class TextGenBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(TextGenBadInput, FailsNamingFileAndLine)
{
    const BadInput& c = GetParam();
    TempDir out;
    const std::string output = out.File("table.cpp");
    RunResult r = RunTextGen(std::string(c.mode) + " '" + Data(c.file) + "' '" + output + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find(Data(c.file) + ":" + std::to_string(c.line) + ": "), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(c.complaint), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(output));
}

const BadInput kBadInputs[] = {
    {"malformed.txt", "catalogue T 10 cp1252", 3, "malformed line"},
    {"duplicate.txt", "catalogue T 10 cp1252", 4, "duplicate number 1"},
    {"escape.txt", "catalogue T 10 cp1252", 2, "unknown escape: \\q"},
    {"langescape.txt", "langstrings L", 1, "unknown escape: \\x needs two"},
    {"codepage1252.txt", "catalogue T 10 cp1252", 2, "not in code page cp1252"},
    {"codepage437.txt", "catalogue T 10 cp437", 2, "not in code page cp437"},
    {"range.txt", "catalogue T 10 cp1252", 2, "number 11 outside the range 1..10"},
    {"langmalformed.txt", "langstrings L", 3, "malformed line: language \"es\""},
    {"langlong.txt", "langstrings L", 2, "text of 256 bytes is longer than 255"},
    {"langnode.txt", "langstrings L", 2, "en text of id 10101 has no de text"},
    {"langorder.txt", "langstrings L", 4, "has conversions \"is\" where the de text (line 3) has \"si\""},
    {"langkind.txt", "langstrings L", 2, "has conversions \"s\" where the de text (line 1) has \"i\""},
    {"givenname.txt", "catalogue T 10 cp1252", 2, "\"2Zwei\" after \"=\" is not a name"},
};

INSTANTIATE_TEST_SUITE_P(TextGen, TextGenBadInput, ::testing::ValuesIn(kBadInputs),
                         [](const ::testing::TestParamInfo<BadInput>& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(TextGen, ReportsOnlyTheFaultyLines)
{
    // Line 2 of these files is fine and must not be reported.
    TempDir out;
    RunResult r = RunTextGen("catalogue T 10 cp1252 '" + Data("malformed.txt") + "' '" + out.File("t.cpp") + "'");
    EXPECT_EQ(r.output.find(":2: "), std::string::npos) << r.output;
    r = RunTextGen("langstrings L '" + Data("langorder.txt") + "' '" + out.File("l.cpp") + "'");
    EXPECT_EQ(r.output.find(":2: "), std::string::npos) << r.output;
}

TEST(TextGen, GoodInputGivesOctalEscapedTables)
{
    TempDir dir;
    dir.Write("cat.txt",
              "\xEF\xBB\xBF# comment\r\n\r\n"
              "1 \"~L~\xC3\xB6schen\"\r\n"
              "3 \"1-\\x10" "0 \\\"q\\\" \\\\ \\t\"\n"
              "4 \"~L~\xC3\xB6schen\"\n");
    RunResult r = RunTextGen("catalogue Cat 5 cp1252 '" + dir.File("cat.txt") + "' '" + dir.File("cat.cpp") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string cpp = dir.Read("cat.cpp");
    EXPECT_NE(cpp.find("= \"~L~\\366schen\";"), std::string::npos) << cpp;
    EXPECT_NE(cpp.find("= \"1-\\0200 \\042q\\042 \\134 \\011\";"), std::string::npos) << cpp;
    // One storage for equal texts; numbers without text are null.
    EXPECT_NE(cpp.find("kCat[6] = {\n    nullptr,\n    t0,\n    nullptr,\n    t1,\n    t0,\n    nullptr,\n};"),
              std::string::npos)
        << cpp;
    EXPECT_NE(cpp.find("const unsigned kCatLast = 5;"), std::string::npos);

    dir.Write("box.txt", "1 \"\xE2\x95\x94\xE2\x95\x90\xE2\x95\x97\"\n");
    r = RunTextGen("catalogue Box 1 cp437 '" + dir.File("box.txt") + "' '" + dir.File("box.cpp") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(dir.Read("box.cpp").find("\"\\311\\315\\273\""), std::string::npos);

    dir.Write("lang.txt",
              "10100 fr \"&Fichier\"\n10100 de \"&Datei\"\n10100 en \"&File\"\n"
              "15031 de \"zwischen %d und %d\"\n15031 en \"between %5u and %-3d\"\n");
    r = RunTextGen("langstrings Lang '" + dir.File("lang.txt") + "' '" + dir.File("lang.cpp") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    std::string lang = dir.Read("lang.cpp");
    EXPECT_NE(lang.find("{10100u, {t0, t1, t2}},\n    {15031u, {t3, t4, nullptr}},"), std::string::npos) << lang;
    EXPECT_NE(lang.find("const unsigned kLangCount = 2;"), std::string::npos);
}

TEST(TextGen, NamesFromTexts)
{
    struct Case {
        const char* text;
        const char* name;
    } cases[] = {
        {"~L~\xC3\xB6schen", "kLoeschen"},
        {"Ein~f~\xC3\xBCgen", "kEinfuegen"},
        {"Projekt wurde geladen: %s", "kProjektWurdeGeladen"},
        {"Wertebereich %d..%d erwartet", "kWertebereichErwartet"},
        {"Gro\xC3\x9F\xC3\xA9 %-7s Stra\xC3\x9F" "e", "kGrosseStrasse"},
        {"ORV 043", "kORV043"},
        {"eins zwei drei vier f\xC3\xBCnf sechs", "kEinsZweiDreiVierFuenf"},
        {"Donaudampfschifffahrtsgesellschaftskapit\xC3\xA4n und mehr", "kDonaudampfschifffahrtsgesellschaftskapitaen"},
        {"Ein Donaudampfschifffahrtsgesellschaftskapit\xC3\xA4n", "kEin"},
        {"", ""},
        {" %s: -- ", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(textgen::NameFromText(c.text), c.name) << c.text;
}

// Shared derived names carry their ids; a given name wins and is checked for
// clashes; a text without a name falls back to its id.
TEST(TextGen, IdNamesAreUnique)
{
    textgen::IdNamer namer;
    namer.Add(3, "wirklich l\xC3\xB6schen?", "");
    namer.Add(7, "Wirklich l\xC3\xB6schen!", "");
    namer.Add(8, "Datei", "");
    namer.Add(9, "??", "");
    namer.Add(10, "Datei", "DateiName");
    namer.Add(11, "Pfad", "DateiName");
    std::vector<std::string> clashes;
    const auto names = namer.Names(clashes);
    const std::map<std::uint32_t, std::string> expected = {
        {3, "kWirklichLoeschen_3"}, {7, "kWirklichLoeschen_7"}, {8, "kDatei"},
        {9, "kText_9"},             {10, "kDateiName"},         {11, "kDateiName"}};
    EXPECT_EQ(names, expected);
    ASSERT_EQ(clashes.size(), 1u);
    EXPECT_EQ(clashes[0], "kDateiName names both 10 and 11");
}

TEST(TextGen, IdHeaderNamesEveryIdOfEveryCatalogue)
{
    TempDir dir;
    dir.Write("cat.txt", "1 \"Datei\"\n2 \"\" = Leer\n3 \"Datei\"\n");
    dir.Write("lang.txt", "9000 de \"Willkommen %s\"\n9000 en \"Welcome %s\"\n");
    RunResult r = RunTextGen("ids '" + dir.File("ids.h") + "' 'msg:lang:" + dir.File("lang.txt") + "' 'xerr:Cat:3:cp1252:" +
                             dir.File("cat.txt") + "'");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const std::string h = dir.Read("ids.h");
    for (const char* line : {"namespace msg {\ninline constexpr std::uint32_t kWillkommen = 9000;\n}",
                             "namespace xerr {\ninline constexpr std::uint16_t kDatei_1 = 1;\n"
                             "inline constexpr std::uint16_t kLeer = 2;\ninline constexpr std::uint16_t kDatei_3 = 3;\n}"})
        EXPECT_NE(h.find(line), std::string::npos) << line << "\n" << h;
}

TEST(TextGen, ConversionKinds)
{
    struct Case {
        const char* text;
        const char* kinds;
    } cases[] = {
        {"", ""},
        {"100%% sicher", ""},
        {"%5u %02u %-20s %03d %6ld %c %X", "iisiici"},
        {"%.2f %p %n", "fpn"},
        {"%*d", "*i"},
        {"Ende %", "?"},
    };
    for (const Case& c : cases) EXPECT_EQ(textgen::ConversionKinds(c.text), c.kinds) << c.text;
}

}  // namespace
